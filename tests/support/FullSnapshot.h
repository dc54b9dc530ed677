#pragma once
// Page `page` of the main window as full as it gets: seven named profiles
// with the palette open, a lit badge, a mouse with its four levels, and the
// function bar over the next tab.
#include <string>

#include "app/UiText.h"
#include "macro/MacroDirectory.h"
#include "ui/PaintSnapshot.h"
#include "ui/ProfilePalette.h"
#include "ui/SkinLayout.h"

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
  snapshot.resolution.dpi = {{{500, 500}, {1000, 1000}, {2000, 2000}, {4000, 4000}}};
  snapshot.resolution.current = 1;
  snapshot.resolution.mouseConnected = true;
  return snapshot;
}
