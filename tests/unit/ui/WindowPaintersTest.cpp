#include <gtest/gtest.h>

#include "app/UiText.h"
#include "base/IniFile.h"
#include "support/RecordingCanvas.h"
#include "ui/BusyOverlayPainter.h"
#include "ui/SkinFonts.h"
#include "ui/TabStripPainter.h"
#include "ui/TextItemPainter.h"

namespace {

SkinLayout LayoutFrom(const std::string& iniText) {
  return BuildSkinLayout(LoadSkinStyle(IniFile::FromBytes(iniText)));
}

PaintSnapshot DefaultSnapshot(int page) {
  PaintSnapshot snapshot;
  snapshot.page = page;
  snapshot.textItems = TextItemsFrom(LoadUiText(IniFile(), 8192));
  return snapshot;
}

RecordingCanvas PaintTabs(const PaintSnapshot& snapshot, const SkinLayout& layout) {
  RecordingCanvas canvas;
  PaintTabStrip(snapshot, layout, canvas);
  return canvas;
}

RecordingCanvas PaintTexts(const PaintSnapshot& snapshot) {
  RecordingCanvas canvas;
  PaintTextItems(snapshot, BuildSkinLayout(BuiltInSkinStyle()), canvas);
  return canvas;
}

std::vector<std::u16string> Texts(const RecordingCanvas& canvas) {
  std::vector<std::u16string> texts;
  for (const CanvasCall& call : canvas.OfKind(CanvasCall::Text)) texts.push_back(call.text);
  return texts;
}

bool Drew(const RecordingCanvas& canvas, const std::u16string& text) {
  const std::vector<std::u16string> texts = Texts(canvas);
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST(TabStripPainter, ShowsTheCurrentTabsPictureAndTheBarOnlyOverAnotherHoveredTab) {
  const SkinLayout layout = LayoutFrom("[MISC]\nfunction_bar_color=16711680\n");
  PaintSnapshot snapshot;
  snapshot.page = 1;
  snapshot.hoverTab = 1;
  RecordingCanvas onCurrent = PaintTabs(snapshot, layout);
  EXPECT_EQ(onCurrent.ImageIds(), (std::vector<int>{256}));
  EXPECT_TRUE(onCurrent.OfKind(CanvasCall::FillRect).empty());
  EXPECT_TRUE(onCurrent.OfKind(CanvasCall::FillPolygon).empty());

  snapshot.hoverTab = 2;
  snapshot.functionBarAlpha = 0x64;
  const std::vector<CanvasCall> bars = PaintTabs(snapshot, layout).OfKind(CanvasCall::FillRect);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].color, (Rgba{255, 0, 0, 0x64}));
}

TEST(TabStripPainter, CutsTheBarsCornersWhenTheSkinAsks) {
  PaintSnapshot snapshot;
  snapshot.hoverTab = 0;
  snapshot.page = 2;
  const SkinLayout layout = LayoutFrom("[MISC]\nfunction_bar_round=1\n");
  const std::vector<CanvasCall> bars = PaintTabs(snapshot, layout).OfKind(CanvasCall::FillPolygon);
  ASSERT_EQ(bars.size(), 1u);
  // Tab 0 spans (47, 70) to (214, 103).
  const std::vector<PointF> expected = {{47, 72},  {48, 71},  {49, 70},   {212, 70},  {213, 71},  {214, 72},
                                        {214, 101}, {213, 102}, {212, 103}, {49, 103}, {48, 102}, {47, 101}};
  EXPECT_EQ(bars[0].points, expected);
}

TEST(TabStripPainter, EngravesEachCaptionInItsFontAndShift) {
  const SkinLayout layout = LayoutFrom("[TAB 1]\nfont_index=4\nshift=-3\n");
  const std::vector<CanvasCall> texts = PaintTabs(PaintSnapshot{}, layout).OfKind(CanvasCall::Text);
  ASSERT_EQ(texts.size(), 6u);
  const CanvasCall& shadow = texts[2];
  const CanvasCall& caption = texts[3];
  const RectI tab = layout.tabs[1].rect;
  EXPECT_EQ(caption.text, u"DPI & Tools");
  EXPECT_EQ(caption.rect, (RectI{tab.x, tab.y - 3, tab.width, tab.height}));
  EXPECT_EQ(shadow.rect, (RectI{tab.x + 1, tab.y - 2, tab.width, tab.height}));
  EXPECT_EQ(caption.textStyle.font, 4);
}

TEST(TextItemPainter, DrawsOnlyUsedItemsOfThePageExceptTheLibraryHeading) {
  PaintSnapshot snapshot = DefaultSnapshot(1);
  snapshot.textItems[45].tab = 1;  // visible 0
  snapshot.textItems[42].visible = 0;
  snapshot.textItems[42].tab = 1;
  EXPECT_EQ(Texts(PaintTexts(snapshot)), (std::vector<std::u16string>{u"dpi indicator", u"DPI", u"X:%d", u"Y:%d"}));
  for (int page : {0, 2}) {
    snapshot.page = page;
    EXPECT_TRUE(Drew(PaintTexts(snapshot), u"Macro Library")) << page;
  }
  snapshot.page = 1;
  snapshot.textItems[42].visible = 1;
  EXPECT_FALSE(Drew(PaintTexts(snapshot), u"Macro Library"));
}

TEST(TextItemPainter, DrawsTheShadowFirstOnePixelDownRightAndTheVersionLabelOnEveryPage) {
  PaintSnapshot snapshot = DefaultSnapshot(0);
  const LabelSlot version = LoadUiText(IniFile(), 8192).versionLabel;
  snapshot.extraText = version;
  const std::vector<CanvasCall> texts = PaintTexts(snapshot).OfKind(CanvasCall::Text);
  // Slot 0 "Profile" has a shadow; the version label closes.
  ASSERT_GE(texts.size(), 2u);
  const LabelSlot& profile = snapshot.textItems[0];
  EXPECT_EQ(texts[0].rect, (RectI{profile.x + 1, profile.y + 1, 0, 0}));
  EXPECT_EQ(texts[1].rect, (RectI{profile.x, profile.y, 0, 0}));
  for (int page = 0; page < kPageCount; ++page) {
    snapshot.page = page;
    const std::vector<CanvasCall> drawn = PaintTexts(snapshot).OfKind(CanvasCall::Text);
    EXPECT_EQ(drawn.back().text, version.text) << page;
  }
}

TEST(TextItemPainter, FillsTheMemoryAndSizeItemsWithLiveFigures) {
  PaintSnapshot snapshot = DefaultSnapshot(2);
  snapshot.macroAreaBytes = 5888;
  snapshot.freeBytes = 4416;
  snapshot.editedMacroBytes = 37;
  snapshot.textItems[44].text = u"size: %s";  // a conversion of the wrong kind stays literal
  const RecordingCanvas canvas = PaintTexts(snapshot);
  EXPECT_TRUE(Drew(canvas, u"Memory\r\n8192 Byte"));
  EXPECT_TRUE(Drew(canvas, u"Used 25.0%\r\n1472 Byte"));
  EXPECT_TRUE(Drew(canvas, u"Free 75.0%\r\n4416 Byte"));
  EXPECT_TRUE(Drew(canvas, u"size: %s"));
  snapshot.textItems[44].text = u"size: %4d Byte";
  EXPECT_TRUE(Drew(PaintTexts(snapshot), u"size:   37 Byte"));
}

TEST(BusyOverlayPainter, ShadesThePanelWithItsStatusAndProgress) {
  const SkinLayout layout = LayoutFrom("[MACRO STRING]\nfont_index=9\n");
  PaintSnapshot snapshot;
  snapshot.busy.rect = ProgressPanelRect();
  snapshot.busy.text = u"Writing data to eeprom...";
  snapshot.busy.progress = 0.5;
  RecordingCanvas idle;
  PaintBusyOverlay(snapshot, layout, idle);
  EXPECT_TRUE(idle.calls.empty());

  snapshot.busy.counter = 1;
  RecordingCanvas canvas;
  PaintBusyOverlay(snapshot, layout, canvas);
  const std::vector<CanvasCall> fills = canvas.OfKind(CanvasCall::FillRect);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rect, ProgressPanelRect());
  EXPECT_EQ(fills[1].rect.width, (300 - 60 - 3) / 2) << "half the bar";
  const std::vector<CanvasCall> texts = canvas.OfKind(CanvasCall::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, u"Writing data to eeprom...");
  EXPECT_EQ(texts[1].textStyle.font, 9);
}

TEST(BusyOverlayPainter, CoversTheWholeWindowWhileTheMemoryIsReorganisedWithItsProgressInTheBox) {
  PaintSnapshot snapshot;
  snapshot.reorganising = true;
  RecordingCanvas canvas;
  PaintBusyOverlay(snapshot, BuildSkinLayout(BuiltInSkinStyle()), canvas);
  const std::vector<CanvasCall> fills = canvas.OfKind(CanvasCall::FillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rect, WindowRect(false));
  EXPECT_EQ(Texts(canvas), (std::vector<std::u16string>{u"重整記憶體中,請不要拔插Mouse"}));

  snapshot.busy.progress = 0.5;
  RecordingCanvas packing;
  PaintBusyOverlay(snapshot, BuildSkinLayout(BuiltInSkinStyle()), packing);
  const std::vector<CanvasCall> withBar = packing.OfKind(CanvasCall::FillRect);
  ASSERT_EQ(withBar.size(), 2u);
  EXPECT_EQ(withBar[1].rect.width, (300 - 60 - 3) / 2) << "half the bar, inside the box";
  EXPECT_TRUE(ProgressPanelRect().Contains(withBar[1].rect.x, withBar[1].rect.y));
}
