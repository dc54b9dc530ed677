#pragma once
// Page `page` of the main window as full as it gets: seven named profiles
// with the palette open, a lit badge, a mouse with its four levels, both
// macro panes full with the guide, a capture and a store under way, and the
// function bar over the next tab.
#include <string>

#include "app/UiText.h"
#include "macro/MacroDirectory.h"
#include "ui/MacroLayout.h"
#include "ui/PaintSnapshot.h"
#include "ui/ProfilePalette.h"
#include "ui/SkinLayout.h"

// Both panes full: a library with an open group of three macros, a closed
// group and loose macros; an editor with a row of each icon class.
inline MacroPageView FullMacroPage() {
  MacroPageView view;
  for (int row = 0; row < kLibraryRows; ++row) {
    LibraryRowView entry;
    entry.name = u"Entry " + std::u16string(1, static_cast<char16_t>(u'0' + row));
    entry.group = row == 0 || row == 4;
    entry.expanded = row == 0;
    entry.inGroup = row >= 1 && row <= 3;
    entry.childCount = entry.group ? 3 : 0;
    entry.lastOfGroup = row == 3 || row == 4;
    view.libraryRows.push_back(entry);
  }
  view.librarySelected = 1;
  view.libraryDropRow = 2;
  for (int row = 0; row < kStepRows; ++row) {
    const std::u16string digit(1, static_cast<char16_t>(u'0' + row));
    view.stepRows.push_back({u"000" + digit, row, u"Step " + digit});
  }
  view.stepSelected = 2;
  view.activePane = 1;
  view.editorFocused = true;
  view.capturePrompt = u"Please press any key on your keyboard";
  view.storeProgress = 0.5;
  view.litTool = 0;
  view.guideStep = 1;
  view.guideAlpha = 200;
  return view;
}

inline PaintSnapshot FullSnapshot(int page, const UiText& texts) {
  PaintSnapshot snapshot;
  snapshot.page = page;
  snapshot.hoverTab = (page + 1) % kPageCount;
  snapshot.functionBarAlpha = 0x80;
  snapshot.textItems = TextItemsFrom(texts);
  snapshot.extraText = texts.versionLabel;
  snapshot.macroAreaBytes = kMacroAreaSize;
  snapshot.freeBytes = kMacroAreaSize - 1234;
  snapshot.editedMacroBytes = 56;
  snapshot.buttonPage.currentProfile = 2;
  snapshot.buttonPage.profileCount = kProfileRows;
  for (int row = 0; row < kProfileRows; ++row) {
    const auto k = static_cast<std::size_t>(row);
    snapshot.buttonPage.profileNames[k] = u"Profile " + std::u16string(1, static_cast<char16_t>(u'1' + row));
    snapshot.buttonPage.profileColours[k] = SwatchColour(row * 4);
  }
  snapshot.buttonPage.paletteAlpha = 255;
  snapshot.buttonPage.highlightedButton = 3;
  snapshot.macroPage = FullMacroPage();
  snapshot.resolution.dpi = {{{500, 500}, {1000, 1000}, {2000, 2000}, {4000, 4000}}};
  snapshot.resolution.current = 1;
  snapshot.resolution.mouseConnected = true;
  return snapshot;
}
