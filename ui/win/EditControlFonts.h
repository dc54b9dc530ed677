#pragma once
// The two GDI fonts of the standard edit controls: one for the profile name
// editor (1014), one for the macro rename editor and the number entry (1021,
// 1023). They live as long as the main window.
#include <windows.h>

#include "ui/SkinFonts.h"

class EditControlFonts {
 public:
  EditControlFonts() = default;
  EditControlFonts(const EditControlFonts&) = delete;
  EditControlFonts& operator=(const EditControlFonts&) = delete;
  ~EditControlFonts();

  // Creates both fonts; returns 1 when both exist, 0 otherwise (a control
  // without its font keeps the dialog's).
  int Create(const EditFontSpec& nameEditor, const EditFontSpec& macroEditors);

  HFONT NameEditorFont() const { return nameEditor; }
  HFONT MacroEditorFont() const { return macroEditors; }

 private:
  void Release();

  HFONT nameEditor = nullptr;
  HFONT macroEditors = nullptr;
};
