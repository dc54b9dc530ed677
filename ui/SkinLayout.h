#pragma once
// The main window's fixed geometry: where every skinned control stands and
// with which colours, the page tabs, every painted item that a click or a
// drop can land on, the profile-name rows, the panels that fade or report
// progress, each page's fixed pictures and which controls belong to which
// page. The language file changes only the appearance around it
// (ui/SkinStyle); the controller, the painters, the hit tests and the Win32
// side all take their numbers from here, so a rectangle is written once.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/Canvas.h"
#include "ui/SkinStyle.h"

// The main window's controls, by the ids of its dialog template.
inline constexpr int kControlSliderX = IDC_SLIDER_X;
inline constexpr int kControlClear = IDC_CLEAR;
inline constexpr int kControlEnable = IDC_ENABLE;
inline constexpr int kControlMinimise = IDC_MINIMIZE;
inline constexpr int kControlNameEdit = IDC_NAME_EDIT;
inline constexpr int kControlClose = IDC_HIDE;
inline constexpr int kControlSliderY = IDC_SLIDER_Y;
inline constexpr int kControlTieBox = IDC_TIE_XY;
inline constexpr int kControlMacroList = IDC_MACRO_LIST;
inline constexpr int kControlMacroScroll = IDC_MACRO_SCROLL;
inline constexpr int kControlRenameEdit = IDC_RENAME_EDIT;
inline constexpr int kControlRecord = IDC_RECORD;
inline constexpr int kControlNumberEdit = IDC_NUMBER_EDIT;
inline constexpr int kControlExport = IDC_EXPORT;
inline constexpr int kControlImport = IDC_IMPORT;
inline constexpr int kControlBackup = IDC_BACKUP;
inline constexpr int kControlRestore = IDC_RESTORE;
inline constexpr int kControlReset = IDC_RESET;
// The twelve button-function lists, in button order.
inline constexpr std::array<int, 12> kFunctionListIds = {
    IDC_BUTTON_LIST_0, IDC_BUTTON_LIST_1, IDC_BUTTON_LIST_2, IDC_BUTTON_LIST_3, IDC_BUTTON_LIST_4,  IDC_BUTTON_LIST_5,
    IDC_BUTTON_LIST_6, IDC_BUTTON_LIST_7, IDC_BUTTON_LIST_8, IDC_BUTTON_LIST_9, IDC_BUTTON_LIST_10, IDC_BUTTON_LIST_11};

// The pages, in tab order.
inline constexpr int kButtonPage = 0;  // "Button settings"
inline constexpr int kDpiPage = 1;     // "DPI & Tools"
inline constexpr int kMacroPage = 2;   // "Macro settings"
inline constexpr int kPageCount = 3;
inline constexpr int kWindowWidth = 802;  // the background image's size
inline constexpr int kWindowHeight = 614;
// The window's outline is cut from the background where it is not black.
inline constexpr uint32_t kWindowRegionKeyColour = 0;

enum class ControlClass { Button, ComboBox, ListBox, Slider, Edit };

// Colours a skinned button or list is given when it is placed (sliders take
// theirs from SkinSliderLook).
struct ControlColours {
  RgbColor text;
  RgbColor background;  // lists only
  RgbColor disabledText;
  RgbColor disabledShadow;
};

struct SliderSkin {
  std::array<int, 2> imageIds;  // channel fill, thumb
  RgbColor border;
  RgbColor thumb;
  RgbColor disabled;
  int cornerRadius;
  int thumbCornerRadius;
  int rangeMin;
  int rangeMax;
};

inline constexpr int kNoStyle = -1;

struct ControlPlacement {
  int id = 0;
  ControlClass kind = ControlClass::Button;
  int style = kNoStyle;  // ButtonStyle index
  // Client coordinates. The macro list keeps its template rectangle: only
  // its outline region is placed, at this origin, and its size is 0 here.
  RectI rect;
  bool keepsTemplateRect = false;
  bool drawCaption = false;
  std::u16string caption;  // empty: the control keeps its template's text
  std::u16string alternateCaption;
  ControlColours colours;
};

// A page tab: its picture when it is the current page, the function bar's
// place when the pointer is over it, and its caption.
struct TabItem {
  int imageId = 0;
  RectI rect;
  std::u16string caption;
  int font = 0;
  int shift = 0;  // vertical caption offset
  RgbColor captionColour{255, 255, 255};
};

// One of the names the mouse keeps for its profiles: a strip picture with
// the profile's number and its name on it.
struct ProfileNameRow {
  int stripImage = 135;
  RectI strip;  // the picture's place, in its own size
  RectI numberField;
  RectI nameField;
  int font = 5;
  RgbColor textColour{255, 255, 255};
};

struct PlacedImage {
  int imageId;
  int x;
  int y;
};

struct FixedLine {
  PointF from;
  PointF to;
  PenStyle pen;
};

// A page's fixed parts, drawn before the page's live contents.
struct PageFixedParts {
  std::vector<PlacedImage> pictures;
  std::vector<FixedLine> separators;
};

// The skin as the window applies it: the appearance read from the language
// file joined to the fixed geometry.
struct SkinLayout {
  SkinStyle style;
  std::vector<ControlPlacement> controls;  // in placing order
  std::array<TabItem, kTabCount> tabs;
};

SkinLayout BuildSkinLayout(const SkinStyle& style);

// The placement of control `id`, or null when the skin does not place it.
const ControlPlacement* FindControl(const SkinLayout& layout, int id);
// The button whose function list (its closed field) is under (x, y), or -1:
// where a library macro dropped goes into the mouse.
int FunctionListAt(const SkinLayout& layout, int x, int y);

// Colours and parts of the two DPI sliders.
const SliderSkin& SkinSliderLook();

// The scroll bar stands beside the macro list: 10 pixels to its right, as
// tall as the list plus one pixel, 20 wide.
RectI ScrollBarBeside(const RectI& listBox);

// The window takes the background's size, or none while it starts hidden.
RectI WindowRect(bool startedHidden);

// The window has no title bar: the strip above the tabs drags it instead.
bool DragsWindow(const SkinLayout& layout, int x, int y);

// The colour palette's panel (see PaletteSwatchFrame), which fades in while
// the pointer rests there.
RectI HoverPanelRect();

// The progress panel of long device operations, centred in the window.
RectI ProgressPanelRect();
// What a progress step repaints: the panel and the pixel past its right and
// bottom edges, where its outline falls.
RectI ProgressRepaintRect();

const PageFixedParts& PageFixedPartsOf(int page);

// The controls shown on `page` after a page switch.
const std::vector<int>& PageControls(int page);
// Every control a page switch hides first.
const std::vector<int>& AllPageControls();

// Painted items that clicks and drops land on. A painter draws each at its
// rectangle's origin and the hit tests use the same rectangle whole.

// The four DPI level buttons, left to right, and the box of each level's
// resolutions below it.
inline constexpr int kLevelButtons = 4;
RectI LevelButtonRect(int level);
// The level button under (x, y), or -1.
int LevelButtonAt(int x, int y);
RectI LevelLabelRect(int level);
// The current level's picture, each level's in turn.
RectI LevelPictureRect();

// The colour palette of the button page: 27 swatches in 3 rows of 9 inside
// its panel. A swatch's frame is 16 x 16 on a pitch of 18.
inline constexpr RectI kPalettePanel = {572, 166, 178, 70};
RectI PaletteSwatchFrame(int swatch);
// The swatch under (x, y), its frame included, or -1.
int SwatchAt(int x, int y);
// The current profile's colour: a click there opens the palette.
inline constexpr RectI kProfileColourSwatch = {604, 212, 20, 20};
// Software profile `row` (0..6): its colour square, then its name. A click
// on the row selects the profile.
PointF SoftwareProfileRowOrigin(int row);
RectI SoftwareProfileRowRect(int row);
// The software profile row under (x, y), or -1.
int SoftwareProfileRowAt(int x, int y);

// The twelve mouse buttons of the button page, in the order of the function
// lists: a numbered badge left of each list, which lights while its button
// is the one singled out, and a numbered marker on the button itself on the
// mouse picture.
inline constexpr int kMouseButtons = 12;
int BadgeImage(int button, bool lit);
RectI BadgeRect(int button);
int MarkerImage(int button);
RectI MarkerRect(int button);
// The button whose badge or marker is under (x, y), or -1: where a macro
// dropped from the library lands.
int ButtonAt(int x, int y);

// The seven names the mouse keeps for its profiles, on the DPI & Tools page
// beside the device tools that back them up, restore and reset them.
const std::array<ProfileNameRow, 7>& ProfileNameRows();
