#pragma once
// Macros put into the mouse's own memory, so that its buttons play them
// without the program: storing one, removing one, and packing the macro area
// when its free bytes are scattered. Each operation runs on the caller's
// thread (a worker with OperationBusy set, or the command line), holds the
// session lock from its first request to its last, checks every request and
// stops at the first one the mouse does not take, saying what was left
// unwritten. The order of the writes (MacroSpace.h) means that a mouse
// unplugged after any request still has only complete macros in its
// directory and on its buttons.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/DeviceCommands.h"
#include "device/DeviceOperations.h"
#include "device/HidLink.h"
#include "device/MouseDirectory.h"
#include "macro/MacroCommand.h"
#include "macro/MacroDirectory.h"

namespace device {

inline constexpr std::uint8_t kMacroFunction = 0x80;
inline constexpr std::uint8_t kOwnFunctionKind = 0;

struct AssignedFunction {
  std::uint8_t kind = kOwnFunctionKind;
  std::uint16_t code = kOwnFunction;
};

// What the buttons of the mouse's profiles play, as far as the caller knows:
// the mouse has no request that reads it back.
struct MacroButtons {
  std::array<AssignedFunction, kResetProfiles * kButtonsPerProfile> functions{};
  // False when the caller cannot know (the command line): before a macro is
  // removed or moved, every button then gets its own function back, since
  // one left on an old address would play whatever comes to lie there.
  bool known = true;

  AssignedFunction& At(int profile, int button) {
    return functions[static_cast<std::size_t>(profile * kButtonsPerProfile + button)];
  }
};

enum class MacroOperationKind { kStore, kRemove, kDefragment };

struct MacroOperationResult {
  MacroOperationKind kind = MacroOperationKind::kStore;
  int entry = -1;               // stored or removed
  std::uint32_t start = 0;      // a store: where the bytes went
  bool replaced = false;        // a store: the entry of the same name was rewritten
  int bytesWritten = 0;
  int entriesWritten = 0;
  int buttonsSent = 0;
  bool buttonsReleased = false;  // buttons unknown: every one was given its own function back
  int macrosMoved = 0;          // a defragmentation: moves done (a parked macro counts twice)
  std::vector<int> leftInPlace; // a defragmentation: entries no safe free run could take

  bool noMouse = false;          // nothing was sent
  bool mouseGone = false;        // unplugged on the way
  bool failedRequest = false;    // the mouse did not take a request: the operation stopped there
  bool notEnoughSpace = false;   // a store: fewer free bytes than the macro needs
  bool needsDefragment = false;  // a store: the bytes are free, but not in one run
  bool refused = false;          // nothing was sent: see `problem`
  // What could not be done or written, in English, for logs and the command line.
  std::string problem;

  bool Failed() const {
    return noMouse || mouseGone || failedRequest || notEnoughSpace || needsDefragment || refused;
  }
};

// A macro as the mouse keeps it: its commands, then the end mark at which
// the mouse's own player stops.
std::vector<std::uint8_t> MouseMacroBytes(const MacroCommands& commands);

class MacroStore {
 public:
  // Everything must outlive the store; `progress` and `table` may be null.
  // `table` hears every assignment sent, as SetButtonFunction tells it.
  MacroStore(HidLink& link, DevicePath path, MacroButtons& buttons, OperationProgress* progress = nullptr,
             ButtonFunctionTable* table = nullptr);

  // The directory as the last operation (or Refresh) read it.
  const std::vector<MouseMacro>& Macros() const { return macros_; }
  bool Refresh();

  // Writes `bytes` (mode byte first) under `name` (1 to 14 characters): into
  // the first free run and the first empty entry, or, when an entry has that
  // name, over its own range if it fits there, else into a free run with the
  // entry pointed at it. Buttons that played the old copy play the new one.
  MacroOperationResult Store(const std::u16string& name, const std::vector<std::uint8_t>& bytes);
  // Gives every button that plays `entry` its own function back, then clears
  // the entry as a reset does.
  MacroOperationResult Remove(int entry);
  // Packs the macros at the start of the area (PlanDefragment), re-sending
  // every assignment whose address changed.
  MacroOperationResult Defragment();

 private:
  class Run;

  HidLink& link_;
  DevicePath path_;
  MacroButtons& buttons_;
  OperationProgress* progress_;
  ButtonFunctionTable* table_;
  std::vector<MouseMacro> macros_;
};

}  // namespace device
