#pragma once
// Input that a macro player injects on the host rather than through the
// mouse: wheel steps.
namespace device {

// Injected wheel input carries this tag so the program's own hooks and other
// tools can tell it from the user's.
inline constexpr unsigned long kInjectedInputTag = 0x4C2;
inline constexpr int kWheelDelta = 120;

class HostInput {
 public:
  virtual ~HostInput() = default;
  // One wheel event of `notches` * 120 (positive: away from the user).
  virtual void Wheel(int notches) = 0;
};

}  // namespace device
