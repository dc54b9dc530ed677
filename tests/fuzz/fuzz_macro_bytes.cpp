// Decodes arbitrary macro bytes, then checks the invariants every macro Part
// relies on: a mode command first, addresses that follow the lengths, and
// step texts for every command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "macro/EnglishKeyNames.h"
#include "macro/MacroCommand.h"
#include "macro/StepTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= 5) {
    MacroCommand single;
    const int result = DecodeCommand(data, single);
    if ((result == kDecodedInvalid) != (single.length == 0)) std::abort();
  }
  MacroCommands editor = NewMacro();
  ParseMacroBytes(editor, data, size);
  if (editor.empty() || editor[0].address != 0) std::abort();
  if (editor[0].code[0] < kModeOnce || editor[0].code[0] > kModeFirekey) std::abort();
  for (std::size_t i = 1; i < editor.size(); ++i) {
    if (editor[i].address != editor[i - 1].address + editor[i - 1].length) std::abort();
  }
  const std::vector<std::uint8_t> encoded = EncodeMacro(editor);
  if (encoded.size() != MacroSize(editor)) std::abort();
  // Re-parsing what was encoded gives the same macro.
  MacroCommands again = NewMacro();
  ParseMacroBytes(again, encoded.data(), encoded.size());
  if (EncodeMacro(again) != encoded) std::abort();

  static EnglishKeyNames english;
  static KeyNames keys([] { return std::u16string(u"4 30\n72 197\n83 69\n"); }, english);
  static MacroStepTexts texts;
  for (const auto& command : editor) {
    if (StepText(command, texts, keys).empty() && command.code[0] != 0x83 && command.code[0] != 0x84) std::abort();
    StepIcon(command);
  }
  return 0;
}
