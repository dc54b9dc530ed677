#pragma once
// Compares two loaded text tables field by field, so that a load through the
// portable reader and one through the Windows functions can be checked alike.
#include <gtest/gtest.h>

#include "app/UiText.h"

inline void ExpectSameLabel(const LabelSlot& a, const LabelSlot& b, int slot) {
  EXPECT_EQ(a.text, b.text) << "slot " << slot;
  EXPECT_EQ(a.x, b.x) << "slot " << slot;
  EXPECT_EQ(a.y, b.y) << "slot " << slot;
  EXPECT_EQ(a.color, b.color) << "slot " << slot;
  EXPECT_EQ(a.tab, b.tab) << "slot " << slot;
  EXPECT_EQ(a.visible, b.visible) << "slot " << slot;
  EXPECT_EQ(a.clearType, b.clearType) << "slot " << slot;
  EXPECT_EQ(a.font, b.font) << "slot " << slot;
  EXPECT_EQ(a.shadow, b.shadow) << "slot " << slot;
}

inline void ExpectSameUiText(const UiText& a, const UiText& b) {
  for (int n = 0; n < kLabelSlotCount; ++n) ExpectSameLabel(a.labels[size_t(n)], b.labels[size_t(n)], n);
  ExpectSameLabel(a.versionLabel, b.versionLabel, -1);
  EXPECT_EQ(a.functionNames, b.functionNames);
  EXPECT_EQ(a.functionNameFonts, b.functionNameFonts);
  EXPECT_EQ(a.mouseButtonNames, b.mouseButtonNames);
  EXPECT_EQ(a.macroStepTexts, b.macroStepTexts);
  EXPECT_EQ(a.tooltipTexts, b.tooltipTexts);
  EXPECT_EQ(a.messageTexts, b.messageTexts);
  EXPECT_EQ(a.trayMenuTexts, b.trayMenuTexts);
  EXPECT_EQ(a.dpiTemplateX, b.dpiTemplateX);
  EXPECT_EQ(a.dpiTemplateY, b.dpiTemplateY);
  EXPECT_EQ(a.tooltipExtraWidth, b.tooltipExtraWidth);
  EXPECT_EQ(a.replacedTexts, b.replacedTexts);
}
