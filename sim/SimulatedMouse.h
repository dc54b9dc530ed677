#pragma once
// The mouse's firmware, simulated at the byte level: the 9-byte feature
// reports with their busy and ready flags, the string-descriptor side
// commands, the 8192-byte memory, the DPI levels, profiles and registers,
// live input, and the 8-byte notification reports.
//
// Where the protocol leaves the firmware open, this mouse behaves as follows:
// - A request is answered at once: the next feature read carries the reply
//   with the ready flag (unless `busyReadsPerRequest` reads report busy
//   first). The reply stays readable until the next request. Before any
//   request a read shows an idle status (no flag).
// - Reply byte 1 is the ready flag over the request's group in bits 0-5;
//   byte 2 echoes the sub-command unless the request returns data there.
//   Data bytes not named by a request are 0.
// - Level steps are reported with a Y step of 0 when Y equals X. Levels past
//   3, profiles past 6, name bytes past 15 and buttons past 11 are ignored
//   (reads return 0).
// - A fresh memory holds 0xFF everywhere, as erased memory does; the four
//   levels start at steps 5, 10, 20 and 40 with ratio 1/1 on both axes.
// - Memory reads past the end return 0 for the missing bytes; committed bytes
//   past the end are dropped. The staging buffer keeps its bytes after a
//   commit. Byte 7 of a commit is not looked at.
// - Value decoding: LowNibbleNext (76) starts a new value of 0 and makes the
//   next nibble its low half; HighNibbleNext (77) makes the next nibble its
//   high half; Identify (250) latches the value. SetParameter (90 + v) stores
//   v under the latched value; SetMaskA/B (108/109) take the latched value.
// - AssignNumber (30 + n) uses up the Prepare (50) before it.
//   Release (51) clears both masks, so the mouse handles every button itself.
// - Buttons: until a program sends its masks (and again after Release) the
//   mouse handles every button; with masks, a set bit leaves the button to
//   the mouse (maskA bits 0-7 for buttons 0-7, maskB bits 0-1 for 8 and 9;
//   10 and 11 always). A press of a button that the mouse handles and whose
//   function in `playingProfile` is a stored macro plays it (MousePlayer.h)
//   into `ownOutput`.
// - Writing to the memory takes time (see MouseProtocol.h); while the port's
//   clock says it is not done, reads report busy and no reply.
// - Garbled replies keep the ready flag, so the host takes them as answers;
//   every other bit of them, and of a garbled string, is noise.
// - A request that breaks the frame rules (RequestForm.h) and a side command
//   out of its sequence are protocol errors: they are written down in
//   `protocolErrors`, change nothing, and a refused request gets an empty
//   reply. A nibble must follow LowNibbleNext or HighNibbleNext; SetMaskA/B
//   and SetParameter must follow an Identify that latched a value;
//   AssignNumber must follow Prepare.
// - Descriptor 251 carries a length byte (4) before the identity bytes.
// - Notification reports carry report ID 5.
// - Unknown string indices fail, as a missing descriptor does.
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "sim/MouseProtocol.h"

namespace sim {

inline constexpr std::uint8_t kNotificationReportId = 5;
inline constexpr int kProfiles = 7;
inline constexpr int kButtons = 12;
inline constexpr int kLevels = 4;

struct MouseConfig {
  std::u16string maker = u"Calvex";
  std::u16string productName = u"Vantor 3 Mouse";
  std::u16string infoText = u"Simulated mouse";
  std::uint32_t identity = 0x5A3C0001;
  std::uint8_t infoByte14 = 0x21;
  std::uint8_t infoByte15 = 0x03;
  std::uint8_t sensorKind = 1;
  std::uint8_t dpiUnit = 100;
  // Bit s set: step s allowed (1..56). Every step by default.
  std::uint64_t allowedSteps = (~std::uint64_t{0} << 1) & ((std::uint64_t{1} << 57) - 1);
  std::uint8_t probeAnswer = 0x06;
};

struct MouseFaults {
  bool alwaysBusy = false;             // every read reports busy; requests are not taken
  bool neverReady = false;             // requests are taken but no reply is ever flagged ready
  int unplugAfterRequests = -1;        // the mouse vanishes after this many requests (-1: never)
  std::int64_t transferLatencyUs = 0;  // time each feature read or write takes
  bool wrongIdentity = false;          // the probe is answered with 0x00
  int liveInputRefusals = 0;    // live-input requests to refuse before acknowledging (-1: all)
  int busyReadsPerRequest = 0;  // reads that report busy after each request
  // From the request of this index on (counted as RequestsServed counts,
  // from 0), the mouse fails in one way for ever (-1: never):
  int busyFromRequest = -1;        // as alwaysBusy
  int neverReadyFromRequest = -1;  // as neverReady
  int garbageFromRequest = -1;     // does what it is asked, but every reply and string is noise
};

struct ButtonFunction {
  std::uint8_t kind = 0;
  std::uint16_t code = 0xFFFF;
};

struct Level {
  std::array<std::uint8_t, 2> step{};  // X, Y
  std::array<std::uint8_t, 2> numerator{1, 1};
  std::array<std::uint8_t, 2> denominator{1, 1};
};

using NotificationReport = std::array<std::uint8_t, kNotificationLength>;

class SimulatedMouse {
 public:
  explicit SimulatedMouse(MouseConfig config = {});

  // The transport. False when the mouse is unplugged.
  bool ReadFeature(std::uint8_t* buffer, std::size_t length);
  bool WriteFeature(const std::uint8_t* buffer, std::size_t length);
  bool ReadString(int index, std::uint8_t* buffer, std::size_t size);

  bool Plugged() const { return plugged_; }
  void Unplug() { plugged_ = false; }
  void Replug() {
    plugged_ = true;
    requestsServed_ = 0;
  }
  int RequestsServed() const { return requestsServed_; }
  // The time on the port's clock; until the first call the mouse works
  // without time, and writing to its memory takes none.
  void AdvanceTo(std::int64_t nowUs);

  // Notification reports of this mouse, with its device number in byte 7.
  NotificationReport InputReport(std::uint16_t buttons, std::int8_t wheel = 0,
                                 std::int8_t tilt = 0) const;
  // The user changed the level with the mouse's own buttons.
  NotificationReport LevelChangeReport(int level);
  NotificationReport IdleReport() const;
  // The user's hand: the buttons now held (bits 0-7, 10, 11 as the mouse
  // numbers them) and a wheel step, which presses button 8 (up) or 9 (down).
  // Plays the stored macros of the buttons just pressed.
  void PressButtons(std::uint16_t buttons, std::int8_t wheel = 0);

  // Firmware state, open to tests.
  MouseConfig config;
  MouseFaults faults;
  std::array<std::uint8_t, 8192> memory{};
  std::array<std::uint8_t, 32> staging{};
  std::array<Level, kLevels> levels{};
  int currentLevel = 0;
  std::array<std::array<std::uint8_t, 16>, kProfiles> names{};
  // Indexed by the mouse's own button numbers (3 and 4 as the mouse counts them).
  std::array<std::array<ButtonFunction, kButtons>, kProfiles> buttonFunctions{};
  std::array<std::array<std::uint8_t, 3>, kProfiles> profileValues{};
  std::array<std::uint8_t, 256> registers{};
  std::array<int, 256> parameters{};  // -1: never set
  int maskA = 0;
  int maskB = 0;
  bool masked = false;  // a program sent masks since the last Release
  int playingProfile = 0;
  // What the mouse played by itself, one line per output (MousePlayer.h).
  std::vector<std::string> ownOutput;
  int deviceNumber = 0;
  bool prepared = false;
  bool released = false;
  int settingsCommits = 0;
  std::set<std::uint8_t> keysDown;
  std::uint8_t buttonsDown = 0;
  std::uint16_t lastUsage = 0;
  int liveInputAccepted = 0;
  // Requests and side commands that broke the protocol, described.
  std::vector<std::string> protocolErrors;

 private:
  bool TakeRequest();
  // The fault that starts at request `from` has begun with the last request taken.
  bool Begun(int from) const { return from >= 0 && requestsServed_ > from; }
  bool String(int index, std::uint8_t* buffer, std::size_t size);
  void Garble(std::uint8_t* bytes, std::size_t size);
  void Answer(const Report& request);
  void Control(const Report& request, Report& reply);
  void Memory(const Report& request, Report& reply);
  void LiveInput(const Report& request, Report& reply);
  void Identify(std::uint8_t* buffer, std::size_t size) const;
  bool SideCommand(int index);
  bool Programming() const { return clocked_ && nowUs_ < programmedAtUs_; }

  bool HandlesButton(int button) const;

  bool plugged_ = true;
  std::uint16_t heldButtons_ = 0;
  int requestsServed_ = 0;
  bool replyReady_ = false;
  int busyReads_ = 0;
  std::uint32_t noise_ = 0x9E3779B9;
  Report reply_{};
  bool clocked_ = false;
  std::int64_t nowUs_ = 0;
  std::int64_t programmedAtUs_ = 0;
  // Side-command value decoder.
  enum class Half { kNone, kLow, kHigh } nextHalf_ = Half::kNone;
  int value_ = 0;
  bool valueSent_ = false;  // a nibble arrived since the last Identify
  int latched_ = 0;
  bool justLatched_ = false;  // the last side command was an Identify that latched
};

}  // namespace sim
