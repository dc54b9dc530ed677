#include "sim/MousePlayer.h"

#include <cstdio>

#include "sim/RequestForm.h"

namespace sim {
namespace {

constexpr int kMostCommands = 4096;

std::string LiveLine(std::uint8_t sub, std::uint8_t a, std::uint8_t b) {
  Report request{};
  request[1] = kLiveGroup;
  request[2] = sub;
  request[3] = a;
  request[4] = b;
  request[8] = LiveCheckByte(request);
  char text[32];
  std::snprintf(text, sizeof text, "%02X %02X %02X %02X %02X %02X %02X %02X", request[1], request[2], request[3],
                request[4], request[5], request[6], request[7], request[8]);
  return text;
}

// The macro from `start` on, as far as the macro area goes.
class Reader {
 public:
  Reader(const std::array<std::uint8_t, kMemorySize>& memory, std::uint32_t start)
      : memory_(memory), start_(start) {}
  // False past the macro area.
  bool Byte(std::uint32_t offset, std::uint8_t& value) const {
    if (start_ + offset >= kMacroAreaBytes) return false;
    value = memory_[kMacroAreaStart + start_ + offset];
    return true;
  }
  bool Word(std::uint32_t offset, std::uint16_t& value) const {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!Byte(offset, low) || !Byte(offset + 1, high)) return false;
    value = static_cast<std::uint16_t>(low | (high << 8));
    return true;
  }

 private:
  const std::array<std::uint8_t, kMemorySize>& memory_;
  std::uint32_t start_;
};

}  // namespace

std::vector<std::string> PlayStoredMacro(const std::array<std::uint8_t, kMemorySize>& memory, std::uint32_t start) {
  std::vector<std::string> lines;
  const Reader macro(memory, start);
  std::uint8_t mode = 0;
  if (!macro.Byte(0, mode) || mode < kMacroOnce || mode > kMacroFirekey) return lines;
  std::uint32_t at = 1;
  std::uint16_t counter = 0;
  for (int step = 0; step < kMostCommands; ++step) {
    std::uint8_t op = 0;
    std::uint8_t one = 0;
    std::uint16_t word = 0;
    if (!macro.Byte(at, op) || op == kMacroEnd || op == kMacroEndToo) break;
    const int top = op & 0xE0;
    if (top == kMacroPress || top == kMacroRelease || top == kMacroWheel || (op & 0xF0) == kMacroSystem) {
      const auto bits = static_cast<std::uint8_t>(op & 0x1F);
      if (top == kMacroPress) {
        lines.push_back(LiveLine(kLiveButtons, bits, 0));
      } else if (top == kMacroRelease) {
        lines.push_back(LiveLine(kLiveButtons, 0, bits));
      } else if (top == kMacroWheel) {
        lines.push_back("wheel " + std::to_string((bits & 0x10) != 0 ? bits - 32 : bits));
      }
      at += 1;
      continue;
    }
    switch (op) {
      case kMacroKeyDown:
      case kMacroKeyUp:
      case kMacroWait:
        if (!macro.Byte(at + 1, one)) return lines;
        if (op == kMacroWait) {
          lines.push_back("wait " + std::to_string(one));
        } else if (one != 0) {
          lines.push_back(LiveLine(op == kMacroKeyDown ? kLiveKeyDown : kLiveKeyUp, one, 0));
        }
        at += 2;
        break;
      case kMacroCarried1:
      case kMacroCarried1Too:
        at += 2;
        break;
      case kMacroUsage:
      case kMacroLongWait:
      case kMacroSetCounter:
        if (!macro.Word(at + 1, word)) return lines;
        if (op == kMacroUsage) lines.push_back(LiveLine(kLiveUsage16, static_cast<std::uint8_t>(word & 0xFF),
                                                        static_cast<std::uint8_t>(word >> 8)));
        if (op == kMacroLongWait) lines.push_back("wait " + std::to_string(word));
        if (op == kMacroSetCounter) counter = word;
        at += 3;
        break;
      case kMacroJump:
      case kMacroCountJump:
        if (!macro.Word(at + 1, word)) return lines;
        at += 3;
        if (op == kMacroJump) {
          at = word;
        } else if (counter != 0 && --counter != 0) {
          at = word;
        }
        break;
      case kMacroCarried4:
        at += 5;
        break;
      default:
        return lines;  // not a command: the mouse stops
    }
  }
  return lines;
}

}  // namespace sim
