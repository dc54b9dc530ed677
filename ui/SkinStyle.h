#pragma once
// What the language INI file may change about the skin's look: captions and
// fonts of the caption buttons and page tabs, ClearType text, the tabs' text
// shift, the function bar's colour and corners and the font of macro steps.
// The geometry of the controls is fixed elsewhere and does not come from here.
#include <array>
#include <cstdint>
#include <string>

#include "base/IniSource.h"

inline constexpr int kButtonStyleCount = 11;
inline constexpr int kTabCount = 3;
// Image id of the window background, the background of every style record.
inline constexpr int kWindowBackgroundImage = 132;
// A tab item holds this many characters of its caption.
inline constexpr size_t kTabCaptionUnits = 71;

// Style record indices, by the controls that use them.
enum ButtonStyleIndex : int {
  kStyleRecord = 0,  // Record button (1022) and Enable button (1002)
  kStyleClear = 1,
  kStyleImport = 2,
  kStyleExport = 3,
  kStyleBackup = 4,
  kStyleRestore = 5,
  kStyleReset = 6,
  kStyleClose = 7,
  kStyleMinimise = 8,
  kStyleList = 9,       // the twelve function lists and the macro list
  kStyleCheckBox = 10,  // image check box (1017); no INI section
};

struct ButtonStyle {
  // Normal, hover, pressed (or checked), disabled; 0 where there is none.
  std::array<int, 4> imageIds{};
  int font = 0;  // SkinFonts index
  int clearType = 0;
  std::u16string caption;
  std::u16string alternateCaption;  // Record button while recording
};

struct TabStyle {
  int imageId = 0;
  std::u16string caption;
  int font = 0;
  int shift = 0;  // vertical shift of the caption in pixels
};

struct RgbColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const RgbColor& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

struct SkinStyle {
  std::array<ButtonStyle, kButtonStyleCount> buttons;
  std::array<TabStyle, kTabCount> tabs;
  int functionBarRound = 0;  // non-zero: the function bar has cut corners
  RgbColor functionBarColor{12, 32, 96};
  int macroStepFont = 5;
};

// The eleven style records with their images, built-in fonts and captions.
SkinStyle BuiltInSkinStyle();

// The built-in style with the "BUTTON n", "TAB n", "MISC" and "MACRO STRING"
// keys applied. A font index outside the thirteen skin fonts is refused and
// the built-in font stays.
SkinStyle LoadSkinStyle(const IniSource& ini);
