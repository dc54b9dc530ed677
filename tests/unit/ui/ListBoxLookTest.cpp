#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "ui/ListBoxLook.h"

namespace {

const RectI kClient{0, 0, 240, 160};

ListBoxLook Look() {
  ButtonStyle style;
  style.font = 2;
  return ListBoxLook(style, ListColors::From({50, 60, 60}, {230, 230, 230}, {160, 160, 160}, {255, 255, 255}));
}

}  // namespace

TEST(ListBoxLook, ErasesOnlyBelowTheLastItemOrTheWholeAreaOfAnEmptyOrOverfullList) {
  EXPECT_EQ(ListBoxLook::BackgroundBelowItems(kClient, 0, RectI{}), kClient);
  EXPECT_EQ(ListBoxLook::BackgroundBelowItems(kClient, 9, RectI{0, 150, 240, 20}), kClient)
      << "a last item cut by the bottom edge";
  RecordingCanvas canvas;
  Look().PaintBackground(canvas, kClient, 3, RectI{0, 40, 240, 20});
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].rect, (RectI{0, 60, 240, 100}));
  EXPECT_EQ(canvas.calls[0].color, (Rgba{230, 230, 230, 255}));
  RecordingCanvas exact;
  Look().PaintBackground(exact, kClient, 8, RectI{0, 140, 240, 20});
  EXPECT_TRUE(exact.calls.empty()) << "a list ending at the bottom erases nothing";
}

TEST(ListBoxLook, MarkedItemDrawsItsTextInTheShade) {
  ListItem item;
  item.rect = {0, 0, 240, 20};
  item.text = u"macro 1";
  item.current = true;
  RecordingCanvas canvas;
  Look().PaintItem(canvas, item);
  const std::vector<CanvasCall> texts = canvas.OfKind(CanvasCall::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].textStyle.color, (Rgba{110, 0, 0, 255}));
}
