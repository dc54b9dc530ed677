#pragma once
// The thirteen GDI+ fonts the painters draw with, built once from the
// specifications of ui/SkinFonts and kept for the life of the main window.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <array>
#include <memory>
#include <string>

#include "ui/SkinFonts.h"

class SkinFontSet {
 public:
  // Needs GDI+ started. Every entry gets a font: a face that is not installed
  // falls back to another family at the same size and style.
  void Build(const SkinFontSpecs& wantedFonts);

  // Null only before Build or for an index outside 0 to 12.
  Gdiplus::Font* Get(int index) const;

  // The family the font at `index` was actually made from; empty when none.
  std::wstring FamilyName(int index) const;

 private:
  std::array<std::unique_ptr<Gdiplus::Font>, kSkinFontCount> fonts;
};

// Tries, in order, the requested face, Tahoma, Segoe UI, the generic
// sans-serif family, Liberation Sans, DejaVu Sans and finally a GDI font of
// the requested face; each step's status is checked, because under Wine
// several of them fail where Windows succeeds.
std::unique_ptr<Gdiplus::Font> CreateSkinFont(const FontSpec& wanted);
