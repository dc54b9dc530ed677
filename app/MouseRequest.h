#pragma once
// Device work that the window asks for and the mouse service runs on its
// worker, and what comes back from it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/DpiLevelTable.h"
#include "device/MouseDirectory.h"

struct MouseRequest {
  enum class Kind {
    kWriteLevel,         // level, x, y
    kSelectLevel,        // level
    kCommit,
    kSetButtonFunction,  // profile, button, kind, code
    kSendProfileValues,
    kSendMasks,          // the current software profile's button masks
    kSelectProfile,      // profile: made the current software profile as the profile button does
    kReadLevels,         // the hidden window's levels may be stale
  };
  Kind kind = Kind::kCommit;
  int level = 0;
  int x = 0;
  int y = 0;
  int profile = 0;
  int button = 0;
  std::uint8_t functionKind = 0;
  std::uint16_t code = 0;
  std::array<std::uint8_t, 3> values{};  // kSendProfileValues: the profile's colour as stored
};

// What the mouse holds for the button page, read at each arrival.
struct MouseReading {
  bool attached = false;
  std::vector<MouseMacro> macros;
  std::array<std::u16string, 5> profileNames;  // empty where the mouse gave none
};
