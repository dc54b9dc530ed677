#include "ui/SkinLayout.h"

#include "ui/MouseButtonSpots.h"
#include "ui/PaintSnapshot.h"
#include "ui/ProfilePalette.h"
#include "ui/SkinImageTable.h"

namespace {

constexpr ControlColours kCaptionColours{{255, 255, 255}, {}, {160, 160, 160}, {255, 255, 255}};
constexpr ControlColours kListColours{{50, 60, 60}, {230, 230, 230}, {160, 160, 160}, {255, 255, 255}};

// Sizes come from the image table, which the artwork is rendered to.
int ImageWidth(int id) {
  const SkinImageEntry* entry = FindSkinImage(id);
  return entry ? entry->width : 0;
}

int ImageHeight(int id) {
  const SkinImageEntry* entry = FindSkinImage(id);
  return entry ? entry->height : 0;
}

ControlPlacement ImageButton(const SkinStyle& style, int id, int record, int x, int y, bool drawCaption) {
  ControlPlacement placement;
  placement.id = id;
  placement.kind = ControlClass::Button;
  placement.style = record;
  const int normalImage = style.buttons[static_cast<size_t>(record)].imageIds[0];
  placement.rect = {x, y, ImageWidth(normalImage), ImageHeight(normalImage)};
  placement.drawCaption = drawCaption;
  if (drawCaption) placement.caption = style.buttons[static_cast<size_t>(record)].caption;
  placement.colours = kCaptionColours;
  return placement;
}

ControlPlacement Plain(int id, ControlClass kind, int style, RectI rect) {
  ControlPlacement placement;
  placement.id = id;
  placement.kind = kind;
  placement.style = style;
  placement.rect = rect;
  if (style == kStyleList) placement.colours = kListColours;
  return placement;
}

// The button page's mouse, seen from above: the markers sit on its buttons.
constexpr PlacedImage kButtonPageMouse{182, 566, 198};

// Badge images of buttons 0 to 11, plain and lit, and their markers.
constexpr std::array<std::array<int, 2>, kMouseButtons> kBadgeImages = {{
    {184, 194}, {185, 195}, {187, 197}, {188, 198}, {186, 196}, {189, 199},
    {190, 200}, {191, 201}, {192, 202}, {183, 193}, {229, 231}, {230, 232}}};
constexpr std::array<int, kMouseButtons> kMarkerImages = {130, 131, 145, 146, 144, 147, 156, 179, 180, 129, 233, 234};
// Left of the function lists, clear of the "Profile" heading above the first.
constexpr int kBadgeX = 312;

constexpr int kPaletteColumns = 9;
constexpr int kPaletteMargin = 8;  // from the panel's edge to the first frame
constexpr int kSwatchPitch = 18;
constexpr int kSwatchFrame = 16;

RectI ImageRect(int id, int x, int y) { return {x, y, ImageWidth(id), ImageHeight(id)}; }

// The button of a point on a picture of one of the twelve, or -1.
template <typename RectOf>
int FirstButtonAt(int x, int y, RectOf rectOf) {
  for (int button = 0; button < kMouseButtons; ++button) {
    if (rectOf(button).Contains(x, y)) return button;
  }
  return -1;
}

PenStyle Pen(Rgba colour) {
  PenStyle pen;
  pen.color = colour;
  return pen;
}

}  // namespace

SkinLayout BuildSkinLayout(const SkinStyle& style) {
  SkinLayout layout;
  layout.style = style;
  std::vector<ControlPlacement>& controls = layout.controls;

  // Export is anchored at 675; Import and Clear line up to its left, so a
  // wider caption image pushes them left instead of overlapping.
  controls.push_back(ImageButton(style, kControlExport, kStyleExport, 675, 466, true));
  const int importX = 675 - ImageWidth(style.buttons[kStyleImport].imageIds[0]);
  controls.push_back(ImageButton(style, kControlImport, kStyleImport, importX, 466, true));
  const int clearX = importX - ImageWidth(style.buttons[kStyleClear].imageIds[0]);
  controls.push_back(ImageButton(style, kControlClear, kStyleClear, clearX, 466, true));
  controls.push_back(ImageButton(style, kControlBackup, kStyleBackup, 47, 375, true));
  controls.push_back(ImageButton(style, kControlRestore, kStyleRestore, 47, 420, true));
  controls.push_back(ImageButton(style, kControlReset, kStyleReset, 47, 465, true));
  controls.push_back(ImageButton(style, kControlRecord, kStyleRecord, 341, 466, true));
  controls.back().alternateCaption = style.buttons[kStyleRecord].alternateCaption;
  // The diagnostic button shares the Record button's look, not its caption.
  controls.push_back(ImageButton(style, kControlEnable, kStyleRecord, 649, 554, true));
  controls.back().caption.clear();
  controls.push_back(ImageButton(style, kControlClose, kStyleClose, 752, 26, false));
  controls.push_back(ImageButton(style, kControlMinimise, kStyleMinimise, 722, 26, false));
  controls.push_back(ImageButton(style, kControlTieBox, kStyleCheckBox, 400, 273, false));

  // The field is as tall as the arrow, rounded down to even, plus a 2-pixel
  // rim above and below.
  const int listHeight = (ImageHeight(style.buttons[kStyleList].imageIds[0]) & ~1) + 4;
  for (size_t k = 0; k < kFunctionListIds.size(); ++k) {
    controls.push_back(Plain(kFunctionListIds[k], ControlClass::ComboBox, kStyleList,
                             {345, 119 + 40 * static_cast<int>(k), 160, listHeight}));
  }
  controls.push_back(Plain(kControlMacroList, ControlClass::ListBox, kStyleList, {345, 575, 0, 0}));
  controls.back().keepsTemplateRect = true;
  controls.push_back(Plain(kControlSliderX, ControlClass::Slider, kNoStyle, {110, 259, 288, 30}));
  controls.push_back(Plain(kControlSliderY, ControlClass::Slider, kNoStyle, {110, 311, 288, 30}));
  controls.push_back(Plain(kControlNameEdit, ControlClass::Edit, kNoStyle, {326, 165, 330, 20}));

  for (size_t n = 0; n < kTabCount; ++n) {
    const TabStyle& tabStyle = style.tabs[n];
    TabItem& tab = layout.tabs[n];
    tab.imageId = tabStyle.imageId;
    tab.rect = {47 + 168 * static_cast<int>(n), 70, ImageWidth(tabStyle.imageId), ImageHeight(tabStyle.imageId)};
    tab.caption = tabStyle.caption;
    tab.font = tabStyle.font;
    tab.shift = tabStyle.shift;
  }
  return layout;
}

const ControlPlacement* FindControl(const SkinLayout& layout, int id) {
  for (const ControlPlacement& placement : layout.controls) {
    if (placement.id == id) return &placement;
  }
  return nullptr;
}

int FunctionListAt(const SkinLayout& layout, int x, int y) {
  for (std::size_t button = 0; button < kFunctionListIds.size(); ++button) {
    const ControlPlacement* list = FindControl(layout, kFunctionListIds[button]);
    if (list && list->rect.Contains(x, y)) return static_cast<int>(button);
  }
  return -1;
}

const SliderSkin& SkinSliderLook() {
  static const SliderSkin look{{204, 205}, {64, 64, 64}, {200, 200, 200}, {180, 180, 180}, 5, 5, 1, 50};
  return look;
}

RectI ScrollBarBeside(const RectI& listBox) {
  return {listBox.x + listBox.width + 10, listBox.y, 20, listBox.height + 1};
}

RectI WindowRect(bool startedHidden) {
  if (startedHidden) return {0, 0, 0, 0};
  return {0, 0, ImageWidth(kWindowBackgroundImage), ImageHeight(kWindowBackgroundImage)};
}

bool DragsWindow(const SkinLayout& layout, int x, int y) {
  return x >= 0 && y >= 0 && x < kWindowWidth && y < layout.tabs[0].rect.y;
}

RectI HoverPanelRect() { return kPalettePanel; }

RectI ProgressPanelRect() {
  const int width = 300;
  const int height = 140;
  return {(kWindowWidth - width) / 2, (kWindowHeight - height) / 2, width, height};
}

RectI ProgressRepaintRect() {
  RectI rect = ProgressPanelRect();
  rect.width += 1;
  rect.height += 1;
  return rect;
}

const PageFixedParts& PageFixedPartsOf(int page) {
  static const std::array<PageFixedParts, kPageCount> parts = {{
      // The button page: the mouse to the right of the function lists, below
      // the profile label; one rule under the lists' heading, one between
      // the macro library and the lists.
      {{kButtonPageMouse},
       {{{318, 185}, {770, 185}, Pen({94, 94, 94, 0x28})}, {{310, 105}, {310, 500}, Pen({155, 155, 155, 0x80})}}},
      // The DPI page: the mouse beside the level pictures, a rule above the
      // device tools.
      {{{161, 453, 220}}, {{{37, 357}, {500, 357}, Pen({155, 155, 155, 0x80})}}},
      // The macro page is all panes: the window background is its backdrop.
      {{}, {}},
  }};
  static const PageFixedParts none;
  return page >= 0 && page < kPageCount ? parts[static_cast<size_t>(page)] : none;
}

const std::vector<int>& PageControls(int page) {
  static const std::array<std::vector<int>, kPageCount> pages = {
      std::vector<int>(kFunctionListIds.begin(), kFunctionListIds.end()),
      std::vector<int>{kControlSliderX, kControlSliderY, kControlTieBox, kControlBackup, kControlRestore,
                       kControlReset},
      std::vector<int>{kControlClear, kControlRecord, kControlExport, kControlImport},
  };
  static const std::vector<int> none;
  return page >= 0 && page < kPageCount ? pages[static_cast<size_t>(page)] : none;
}

const std::vector<int>& AllPageControls() {
  static const std::vector<int> all = [] {
    std::vector<int> ids(kFunctionListIds.begin(), kFunctionListIds.end());
    ids.insert(ids.end(), {kControlNameEdit, kControlRenameEdit, kControlSliderX, kControlSliderY, kControlTieBox,
                           kControlMacroList, kControlMacroScroll, kControlClear, kControlRecord, kControlExport,
                           kControlImport, kControlBackup, kControlRestore, kControlReset, kControlEnable});
    return ids;
  }();
  return all;
}

RectI LevelButtonRect(int level) { return {110 + 63 * level, 148, 42, 42}; }

int LevelButtonAt(int x, int y) {
  for (int level = 0; level < kLevelButtons; ++level) {
    if (LevelButtonRect(level).Contains(x, y)) return level;
  }
  return -1;
}

RectI LevelLabelRect(int level) { return {108 + 63 * level, 192, 46, 40}; }

RectI LevelPictureRect() { return {503, 125, 95, 96}; }

RectI PaletteSwatchFrame(int swatch) {
  return {kPalettePanel.x + kPaletteMargin + kSwatchPitch * (swatch % kPaletteColumns),
          kPalettePanel.y + kPaletteMargin + kSwatchPitch * (swatch / kPaletteColumns), kSwatchFrame, kSwatchFrame};
}

int SwatchAt(int x, int y) {
  for (int swatch = 0; swatch < kPaletteSwatches; ++swatch) {
    if (PaletteSwatchFrame(swatch).Contains(x, y)) return swatch;
  }
  return -1;
}

PointF SoftwareProfileRowOrigin(int row) {
  return {static_cast<float>(row < 4 ? 520 : 650), static_cast<float>(106 + 19 * (row % 4))};
}

// As wide as the column leaves before the next one, as high as the row pitch.
RectI SoftwareProfileRowRect(int row) {
  const PointF at = SoftwareProfileRowOrigin(row);
  return {static_cast<int>(at.x) - 1, static_cast<int>(at.y), 126, 19};
}

int SoftwareProfileRowAt(int x, int y) {
  for (int row = 0; row < kProfileRows; ++row) {
    if (SoftwareProfileRowRect(row).Contains(x, y)) return row;
  }
  return -1;
}

int BadgeImage(int button, bool lit) { return kBadgeImages[static_cast<size_t>(button)][lit ? 1 : 0]; }

RectI BadgeRect(int button) { return ImageRect(BadgeImage(button, false), kBadgeX, 118 + 40 * button); }

int MarkerImage(int button) { return kMarkerImages[static_cast<size_t>(button)]; }

RectI MarkerRect(int button) {
  const int image = MarkerImage(button);
  const ImagePoint spot = kTopViewButtonSpots[button];
  return ImageRect(image, kButtonPageMouse.x + spot.x - ImageWidth(image) / 2,
                   kButtonPageMouse.y + spot.y - ImageHeight(image) / 2);
}

int ButtonAt(int x, int y) {
  const int onBadge = FirstButtonAt(x, y, BadgeRect);
  return onBadge >= 0 ? onBadge : FirstButtonAt(x, y, MarkerRect);
}

const std::array<ProfileNameRow, 7>& ProfileNameRows() {
  static const std::array<ProfileNameRow, 7> rows = [] {
    std::array<ProfileNameRow, 7> built{};
    // Two columns right of Backup, Restore and Reset, lined up with them.
    for (size_t k = 0; k < built.size(); ++k) {
      ProfileNameRow& row = built[k];
      const int column = static_cast<int>(k) / 4;
      const int line = static_cast<int>(k) % 4;
      row.strip = ImageRect(row.stripImage, 180 + 175 * column, 373 + 45 * line);
      row.numberField = {row.strip.x + 12, row.strip.y + 5, 23, 23};
      row.nameField = {row.strip.x + 42, row.strip.y + 5, row.strip.width - 50, 23};
    }
    return built;
  }();
  return rows;
}
