#pragma once
// What one tilt of the wheel does: given the sign of the accumulated tilt and
// the windows around the user's focus, the messages to post and where. Some
// applications ignore the generic horizontal-scroll message, so a table of
// window classes selects other messages for them.
#include <cstdint>
#include <string>
#include <vector>

namespace tilt {

using WindowHandle = std::uintptr_t;  // 0 is no window

struct Point {
  int x = 0;
  int y = 0;
};

// What the decision needs to know about windows beyond the facts gathered
// at the start of a cycle.
class WindowQuery {
 public:
  virtual ~WindowQuery() = default;
  virtual std::u16string ClassName(WindowHandle window) const = 0;
  virtual WindowHandle Parent(WindowHandle window) const = 0;
  virtual Point ClientToScreen(WindowHandle window, Point client) const = 0;
  virtual Point ScreenToClient(WindowHandle window, Point screen) const = 0;
};

struct TiltFacts {
  std::int32_t tilt = 0;            // the accumulated amount; only its sign counts
  WindowHandle foreground = 0;
  WindowHandle focus = 0;           // 0 when no focus window was found
  WindowHandle cursorWindow = 0;    // the window under the cursor
  Point cursor;                     // screen position of the cursor
  WindowHandle scrollBar = 0;       // the horizontal scroll bar found near the focus, or 0
};

struct PostedMessage {
  WindowHandle window = 0;
  std::uint32_t message = 0;
  std::uint64_t wParam = 0;
  std::int64_t lParam = 0;

  bool operator==(const PostedMessage& other) const {
    return window == other.window && message == other.message && wParam == other.wParam &&
           lParam == other.lParam;
  }
};

// Window message values; the decision is platform-neutral but speaks the
// platform's message numbers.
inline constexpr std::uint32_t kWmMouseMove = 0x0200;
inline constexpr std::uint32_t kWmMouseWheel = 0x020A;
inline constexpr std::uint32_t kWmMouseHWheel = 0x020E;
inline constexpr std::uint32_t kWmHScroll = 0x0114;
inline constexpr std::uint16_t kMkShift = 0x0004;
inline constexpr std::uint16_t kMkControl = 0x0008;
inline constexpr std::uint16_t kMkMButton = 0x0010;
inline constexpr std::uint16_t kSbLineLeft = 0;
inline constexpr std::uint16_t kSbLineRight = 1;
inline constexpr std::uint16_t kSbEndScroll = 8;
inline constexpr std::int16_t kWheelDelta = 120;

// The child-window test: a horizontal scroll bar of one of the known classes.
bool IsHorizontalScrollBar(std::uint32_t style, const std::u16string& className);

// The messages of one cycle, in posting order; empty when nothing is to be done.
std::vector<PostedMessage> DecideTilt(const TiltFacts& facts, const WindowQuery& windows);

// wParam of a wheel message: delta in the high word, key state in the low word.
std::uint64_t WheelWParam(std::int16_t delta, std::uint16_t keys);
// lParam of a mouse message: x in the low word, y in the high word, each 16-bit.
std::int64_t PointLParam(Point point);

}  // namespace tilt
