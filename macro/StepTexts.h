#pragma once
// The sentence and icon the macro editor shows for each command.
#include <array>
#include <cstdint>
#include <string>

#include "macro/KeyNames.h"
#include "macro/MacroCommand.h"

// The 17 step-text templates and the 5 mouse-button names, built-in English
// until the text table replaces them from the INI file.
class MacroStepTexts {
 public:
  static constexpr int kStepCount = 17;
  static constexpr int kButtonCount = 5;
  // Slots of the templates.
  enum Slot {
    kOnce = 0, kLoop = 1, kFirekey = 2, kKeyDown = 3, kKeyUp = 4, kWait = 5, kJump = 6, kLoopJump = 7,
    kSetAcc = 8, kConsumerUp = 9, kConsumerDown = 10, kMouseMove = 11, kWheel = 12, kButtonsDown = 13,
    kButtonsUp = 14, kSystem = 15, kWheelBack = 16
  };
  // Mouse-button names.
  enum Button { kLeft = 0, kRight = 1, kMiddle = 2, kB4 = 3, kB5 = 4 };

  MacroStepTexts();

  const std::u16string& Step(int slot) const { return steps_.at(static_cast<std::size_t>(slot)); }
  const std::u16string& ButtonName(int button) const { return buttons_.at(static_cast<std::size_t>(button)); }
  void SetStep(int slot, const std::u16string& text) { steps_.at(static_cast<std::size_t>(slot)) = text; }
  void SetButtonName(int button, const std::u16string& text) { buttons_.at(static_cast<std::size_t>(button)) = text; }

 private:
  std::array<std::u16string, kStepCount> steps_;
  std::array<std::u16string, kButtonCount> buttons_;
};

// The sentence for one command ("Unknown" for what has no text).
std::u16string StepText(const MacroCommand& command, const MacroStepTexts& texts, KeyNames& keys);

// Icon classes of the editor's rows.
enum StepIconKind {
  kIconNone = -1, kIconWait = 0, kIconKeyDown = 1, kIconKeyUp = 2, kIconButtonsDown = 3, kIconButtonsUp = 4,
  kIconOnce = 5, kIconLoop = 6, kIconFirekey = 7, kIconWheel = 8, kIconSystem = 9
};
int StepIcon(const MacroCommand& command);

// The address in front of each row: four digits, zero padded.
std::u16string StepAddress(const MacroCommand& command);
