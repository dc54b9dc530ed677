#pragma once
// What the window's controller reads beside its session, as tests and
// benchmarks give it: the test key table named in English, the built-in
// texts and the skin's layout.
#include <memory>

#include "app/WindowController.h"
#include "base/IniFile.h"
#include "macro/EnglishKeyNames.h"
#include "support/KeyTableText.h"

struct ControllerParts {
  EnglishKeyNames english;
  KeyNames keys{KeyTableText, english};
  UiText texts = LoadUiText(IniFile(), kMacroAreaSize);
  SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());

  std::unique_ptr<WindowController> MakeController(MouseSession& session, MacroLibrary& library,
                                                   LibraryView& view) {
    return std::make_unique<WindowController>(session, texts, layout, ControllerSetup{},
                                              MacroParts{library, view, keys}, nullptr);
  }
};
