#include "ui/win/EditControlFonts.h"

#include <string>

namespace {

HFONT CreateEditFont(const EditFontSpec& wanted) {
  const std::wstring face(wanted.face.begin(), wanted.face.end());
  return CreateFontW(wanted.height, 0, 0, 0, 0, FALSE, FALSE, FALSE, static_cast<DWORD>(wanted.charSet),
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, static_cast<DWORD>(wanted.quality), 0, face.c_str());
}

}  // namespace

EditControlFonts::~EditControlFonts() { Release(); }

void EditControlFonts::Release() {
  if (nameEditor != nullptr) DeleteObject(nameEditor);
  if (macroEditors != nullptr) DeleteObject(macroEditors);
  nameEditor = nullptr;
  macroEditors = nullptr;
}

int EditControlFonts::Create(const EditFontSpec& nameEditorSpec, const EditFontSpec& macroEditorsSpec) {
  Release();
  nameEditor = CreateEditFont(nameEditorSpec);
  macroEditors = CreateEditFont(macroEditorsSpec);
  return nameEditor != nullptr && macroEditors != nullptr ? 1 : 0;
}
