#include <gtest/gtest.h>

#include <atomic>

#include "app/WindowSnapshot.h"
#include "base/IniFile.h"

namespace {

TEST(WindowSnapshot, ShowsThePointedTabAndEveryStatusTextInThePanelBesideTheVersionLabel) {
  std::atomic<bool> busy{false};
  const SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  WindowFrame model(busy, layout, {});
  model.Start();
  model.OnVisibilityChanged(true);
  UiText texts = LoadUiText(IniFile(), 5888);
  texts.messageTexts[16] = u"writing";
  texts.labels[50].text = u"resetting buttons";
  const MemoryFigures memory{5888, 1000, 12};

  const RectI macroTab = layout.tabs[2].rect;
  model.OnPointerMove(macroTab.x + 5, macroTab.y + 5);
  PaintSnapshot idle = WindowSnapshot(model, texts, memory);
  EXPECT_EQ(idle.hoverTab, 2);
  EXPECT_EQ(idle.freeBytes, 1000);
  EXPECT_EQ(idle.busy.counter, 0);
  EXPECT_EQ(idle.extraText->text, texts.versionLabel.text);

  model.OnCommand(kControlReset);
  model.OnQuestionAnswered(true);
  model.OnOperationStatus({device::StatusTextSlot::Table::kMessage, 16});
  model.OnOperationProgress(0.5);
  PaintSnapshot panel = WindowSnapshot(model, texts, memory);
  EXPECT_EQ(panel.busy.counter, 1);
  EXPECT_EQ(panel.busy.text, u"writing");
  EXPECT_EQ(panel.busy.progress, 0.5);
  EXPECT_EQ(panel.extraText->text, texts.versionLabel.text);

  model.OnOperationStatus({device::StatusTextSlot::Table::kLabel, 50});
  PaintSnapshot label = WindowSnapshot(model, texts, memory);
  EXPECT_EQ(label.busy.counter, 1);
  EXPECT_EQ(label.busy.text, u"resetting buttons");
  EXPECT_EQ(label.extraText->text, texts.versionLabel.text);

  model.OnOperationEnded({});
  const PaintSnapshot ended = WindowSnapshot(model, texts, memory);
  EXPECT_EQ(ended.busy.counter, 0);
  EXPECT_EQ(ended.extraText->text, texts.versionLabel.text);
}

}  // namespace
