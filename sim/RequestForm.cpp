#include "sim/RequestForm.h"

#include <cstdio>
#include <initializer_list>

namespace sim {
namespace {

enum class Tail { kTrailer, kZero, kData, kCheck };

// Which of bytes 3 to 7 a command names (bit i for byte i) and what byte 8 holds.
struct Form {
  std::uint8_t group;
  std::uint8_t sub;
  std::uint8_t named;
  Tail tail;
};

constexpr std::uint8_t Bytes(std::initializer_list<int> bytes) {
  std::uint8_t mask = 0;
  for (int b : bytes) mask = static_cast<std::uint8_t>(mask | (1u << b));
  return mask;
}

constexpr Form kForms[] = {
    {kControlGroup, kCommitSettings, Bytes({}), Tail::kTrailer},
    {kControlGroup, kReadSteps, Bytes({4}), Tail::kTrailer},
    {kControlGroup, kReadRatio, Bytes({4}), Tail::kTrailer},
    {kControlGroup, kReadCurrentLevel, Bytes({}), Tail::kTrailer},
    {kControlGroup, kReadNameByte, Bytes({3, 4}), Tail::kTrailer},
    {kControlGroup, kSetStep, Bytes({3, 4, 5}), Tail::kTrailer},
    {kControlGroup, kSetRatio, Bytes({3, 4, 5, 6}), Tail::kTrailer},
    {kControlGroup, kSetButtonFunction, Bytes({3, 4, 5, 6, 7}), Tail::kTrailer},
    {kControlGroup, kSetProfileValues, Bytes({3, 4, 5, 6}), Tail::kTrailer},
    {kControlGroup, kSelectLevel, Bytes({3}), Tail::kTrailer},
    {kControlGroup, kWriteNameByte, Bytes({3, 4, 5}), Tail::kTrailer},
    {kMemoryGroup, kRead7, Bytes({3, 4}), Tail::kTrailer},
    {kMemoryGroup, kWriteOne, Bytes({3, 4, 6}), Tail::kTrailer},
    {kMemoryGroup, kWritePair, Bytes({3, 4, 6, 7}), Tail::kTrailer},
    {kMemoryGroup, kStageChunks[0], Bytes({3, 4, 5, 6, 7}), Tail::kData},
    {kMemoryGroup, kStageChunks[1], Bytes({3, 4, 5, 6, 7}), Tail::kData},
    {kMemoryGroup, kStageChunks[2], Bytes({3, 4, 5, 6, 7}), Tail::kData},
    {kMemoryGroup, kStageChunks[3], Bytes({3, 4, 5, 6, 7}), Tail::kData},
    {kMemoryGroup, kStageChunks[4], Bytes({3, 4, 5, 6, 7}), Tail::kData},
    {kMemoryGroup, kStageChunks[5], Bytes({3, 4}), Tail::kTrailer},
    // Byte 7 of a commit may still hold the last staged byte; the mouse
    // does not look at it.
    {kMemoryGroup, kCommitStaged, Bytes({3, 4, 6, 7}), Tail::kTrailer},
    {kMemoryGroup, kCommitPage, Bytes({3, 4, 7}), Tail::kTrailer},
    {kProbeGroup, 0x00, Bytes({3}), Tail::kZero},
    {kLiveGroup, kLiveKeyDown, Bytes({3}), Tail::kCheck},
    {kLiveGroup, kLiveKeyUp, Bytes({3}), Tail::kCheck},
    {kLiveGroup, kLiveUsage16, Bytes({3, 4}), Tail::kCheck},
    {kLiveGroup, kLiveButtons, Bytes({3, 4}), Tail::kCheck},
};

// Any register may be read; the register number is the sub-command.
constexpr Form kRegisterRead = {kRegisterGroup, 0, Bytes({}), Tail::kZero};

const Form* FindForm(std::uint8_t group, std::uint8_t sub) {
  if (group == kRegisterGroup) return &kRegisterRead;
  for (const Form& form : kForms) {
    if (form.group == group && form.sub == sub) return &form;
  }
  return nullptr;
}

std::string Describe(const Report& request, const char* what, int byte, int want) {
  char text[96];
  if (byte < 0) {
    std::snprintf(text, sizeof text, "%02X %02X: %s", request[1], request[2], what);
  } else {
    std::snprintf(text, sizeof text, "%02X %02X: byte %d is %02X, %s %02X", request[1], request[2],
                  byte, request[static_cast<std::size_t>(byte)], what, want);
  }
  return text;
}

}  // namespace

std::uint8_t LiveCheckByte(const Report& request) {
  std::uint8_t check = 0;
  for (std::size_t i = 1; i <= 7; ++i) check = static_cast<std::uint8_t>(check ^ request[i]);
  return check;
}

std::string FormError(const Report& request) {
  if (request[0] != 0) return Describe(request, "must be", 0, 0);
  const Form* form = FindForm(request[1], request[2]);
  if (form == nullptr) return Describe(request, "unknown command", -1, 0);
  for (int byte = 3; byte <= 7; ++byte) {
    if ((form->named >> byte & 1) == 0 && request[static_cast<std::size_t>(byte)] != 0) {
      return Describe(request, "must be", byte, 0);
    }
  }
  if (request[1] == kProbeGroup && request[3] != kProbeParameter) {
    return Describe(request, "must be", 3, kProbeParameter);
  }
  switch (form->tail) {
    case Tail::kTrailer:
      if (request[8] != kTrailer) return Describe(request, "trailer must be", 8, kTrailer);
      break;
    case Tail::kZero:
      if (request[8] != 0) return Describe(request, "must be", 8, 0);
      break;
    case Tail::kCheck:
      if (request[8] != LiveCheckByte(request)) {
        return Describe(request, "check byte must be", 8, LiveCheckByte(request));
      }
      break;
    case Tail::kData:
      break;
  }
  return {};
}

}  // namespace sim
