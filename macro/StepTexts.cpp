#include "macro/StepTexts.h"

#include "base/TemplateFormatter.h"
#include "macro/ConsumerKeys.h"

MacroStepTexts::MacroStepTexts()
    : steps_{u"Execute one time",
             u"Loop mode",
             u"Firekey mode",
             u"Press & hold Keyboard  %s",
             u"Release Keyboard  %s",
             u"Wait %d ms",
             u"Jump to address %d",
             u"Set ACC=ACC-1, if ACC!=0 then jump to address %d",
             u"Set ACC=%d",
             u"Release Consumer-key",
             u"Press & hold Consumer-key  %s",
             u"Mouse Movement (%d , %d)",
             u"Wheel Scrolling %d count(unit)",
             u"Press & hold mouse button ",
             u"Release mouse button ",
             u"System command",
             u""},
      buttons_{u"Left", u"Right", u"Middle", u"B4", u"B5"} {}

namespace {

std::u16string WithNumber(const MacroStepTexts& texts, int slot, long long value) {
  return text::FormatTemplate(texts.Step(slot), {text::TemplateArg::Int(value)});
}

std::u16string WithText(const MacroStepTexts& texts, int slot, const std::u16string& value) {
  return text::FormatTemplate(texts.Step(slot), {text::TemplateArg::Text(value)});
}

std::u16string ButtonsText(const MacroStepTexts& texts, std::uint8_t op) {
  std::u16string text = texts.Step((op & 0xE0) == 0x20 ? MacroStepTexts::kButtonsDown : MacroStepTexts::kButtonsUp);
  const struct {
    std::uint8_t bit;
    int name;
  } order[] = {{kMaskLeft, MacroStepTexts::kLeft},
               {kMaskRight, MacroStepTexts::kRight},
               {kMaskMiddle, MacroStepTexts::kMiddle},
               {kMaskButton4, MacroStepTexts::kB4},
               {kMaskButton5, MacroStepTexts::kB5}};
  for (const auto& button : order) {
    if (op & button.bit) text += u"[" + texts.ButtonName(button.name) + u"]";
  }
  return text;
}

}  // namespace

std::u16string StepText(const MacroCommand& command, const MacroStepTexts& texts, KeyNames& keys) {
  const std::uint8_t op = command.code[0];
  const std::uint8_t b1 = command.code[1];
  const int word = command.code[1] | (command.code[2] << 8);
  if ((op & 0xF0) == 0xC0) return texts.Step(MacroStepTexts::kSystem);
  if ((op & 0xE0) == 0x20 || (op & 0xE0) == 0x40) return ButtonsText(texts, op);
  if ((op & 0xE0) == 0x60) {
    const int count = WheelCount(op);
    if (!texts.Step(MacroStepTexts::kWheelBack).empty() && count <= 0) {
      return WithNumber(texts, MacroStepTexts::kWheelBack, -count);
    }
    return WithNumber(texts, MacroStepTexts::kWheel, count);
  }
  switch (op) {
    case 0x00:
    case 0x01:
      return u"Stop";
    case kModeOnce:
      return texts.Step(MacroStepTexts::kOnce);
    case kModeLoop:
      return texts.Step(MacroStepTexts::kLoop);
    case kModeFirekey:
      return texts.Step(MacroStepTexts::kFirekey);
    case kOpJump:
      return WithNumber(texts, MacroStepTexts::kJump, word);
    case kOpLoopJump:
      return WithNumber(texts, MacroStepTexts::kLoopJump, word);
    case kOpSetAcc:
      return WithNumber(texts, MacroStepTexts::kSetAcc, word);
    case kOpKeyDown:
      return WithText(texts, MacroStepTexts::kKeyDown, keys.KeyName(b1));
    case kOpKeyUp:
      return WithText(texts, MacroStepTexts::kKeyUp, keys.KeyName(b1));
    case kOpConsumer:
      if (word == 0) return texts.Step(MacroStepTexts::kConsumerUp);
      return WithText(texts, MacroStepTexts::kConsumerDown, ConsumerName(static_cast<std::uint32_t>(word)));
    case kOpWaitShort:
      return WithNumber(texts, MacroStepTexts::kWait, b1);
    case kOpWaitLong:
      return WithNumber(texts, MacroStepTexts::kWait, word);
    default:
      return u"Unknown";
  }
}

int StepIcon(const MacroCommand& command) {
  const std::uint8_t op = command.code[0];
  if ((op & 0xF0) == 0xC0) return kIconSystem;
  switch (op & 0xE0) {
    case 0x20:
      return kIconButtonsDown;
    case 0x40:
      return kIconButtonsUp;
    case 0x60:
      return kIconWheel;
    default:
      break;
  }
  switch (op) {
    case kOpWaitShort:
    case kOpWaitLong:
      return kIconWait;
    case kOpKeyDown:
    case kOpConsumer:
      return kIconKeyDown;
    case kOpKeyUp:
      return kIconKeyUp;
    case kModeOnce:
      return kIconOnce;
    case kModeLoop:
      return kIconLoop;
    case kModeFirekey:
      return kIconFirekey;
    default:
      return kIconNone;
  }
}

std::u16string StepAddress(const MacroCommand& command) {
  return text::FormatTemplate(u"%04d", {text::TemplateArg::Int(command.address)});
}
