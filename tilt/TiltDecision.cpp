#include "tilt/TiltDecision.h"

namespace tilt {
namespace {

bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool StartsWithIgnoringCase(const std::u16string& text, const std::u16string& lowerPrefix) {
  if (text.size() < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    if (c != lowerPrefix[i]) return false;
  }
  return true;
}

bool IsBelow(WindowHandle child, WindowHandle ancestor, const WindowQuery& windows) {
  // A bounded walk: a broken parent chain must not hang the scroller.
  WindowHandle window = windows.Parent(child);
  for (int depth = 0; window != 0 && depth < 256; ++depth) {
    if (window == ancestor) return true;
    window = windows.Parent(window);
  }
  return false;
}

}  // namespace

bool IsHorizontalScrollBar(std::uint32_t style, const std::u16string& className) {
  if ((style & 1u) != 0) return false;  // SBS_VERT
  return className == u"ScrollBar" || className == u"NUIScrollbar" || className == u"TScrollBar";
}

std::uint64_t WheelWParam(std::int16_t delta, std::uint16_t keys) {
  return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(delta)) << 16) | keys;
}

std::int64_t PointLParam(Point point) {
  const auto x = static_cast<std::uint16_t>(static_cast<std::int16_t>(point.x));
  const auto y = static_cast<std::uint16_t>(static_cast<std::int16_t>(point.y));
  return static_cast<std::int64_t>((static_cast<std::uint32_t>(y) << 16) | x);
}

std::vector<PostedMessage> DecideTilt(const TiltFacts& facts, const WindowQuery& windows) {
  std::vector<PostedMessage> messages;
  if (facts.tilt == 0 || facts.focus == 0) return messages;
  const bool right = facts.tilt > 0;
  const std::u16string focusClass = windows.ClassName(facts.focus);

  WindowHandle target = 0;
  WindowHandle barHandle = 0;
  if (facts.scrollBar == 0) {
    target = facts.focus;
    if (focusClass == u"DirectUIHWND" ||
        (focusClass == u"TPageControl" && windows.ClassName(facts.cursorWindow) == u"TibDrawBox")) {
      target = facts.cursorWindow;
    }
  } else if (IsBelow(facts.scrollBar, facts.focus, windows)) {
    barHandle = facts.scrollBar;
    if (StartsWithIgnoringCase(windows.ClassName(facts.foreground), u"illustrator")) {
      messages.push_back({facts.scrollBar, kWmMouseWheel,
                          WheelWParam(right ? -kWheelDelta : kWheelDelta, kMkControl), 0});
      return messages;
    }
    target = facts.focus;
  } else {
    barHandle = facts.scrollBar;
    const WindowHandle barParent = windows.Parent(facts.scrollBar);
    if (windows.ClassName(facts.scrollBar) == u"NUIScrollbar") {
      target = StartsWithIgnoringCase(windows.ClassName(barParent), u"excel") ? facts.focus : barParent;
    } else {
      target = focusClass == u"VISIOG" ? facts.focus : barParent;
    }
  }
  if (target == 0) return messages;

  const std::u16string targetClass = windows.ClassName(target);
  if (StartsWith(targetClass, u"PGL")) {
    Point at = windows.ScreenToClient(target, facts.cursor);
    messages.push_back({target, kWmMouseMove, kMkMButton, PointLParam(at)});
    at.x += right ? 10 : -10;
    messages.push_back({target, kWmMouseMove, kMkMButton, PointLParam(at)});
  }

  if (targetClass == u"MozillaWindowClass") {
    messages.push_back({target, kWmMouseHWheel, WheelWParam(right ? kWheelDelta : -kWheelDelta, 0),
                        PointLParam(windows.ClientToScreen(target, {2, 2}))});
  } else if (windows.ClassName(windows.Parent(target)) == u"iTunes") {
    if (facts.cursorWindow == 0) return messages;
    messages.push_back({facts.cursorWindow, kWmMouseWheel,
                        WheelWParam(right ? -kWheelDelta : kWheelDelta, kMkShift),
                        PointLParam(windows.ClientToScreen(facts.cursorWindow, {2, 2}))});
  } else {
    const auto lParam = static_cast<std::int64_t>(barHandle);
    messages.push_back({target, kWmHScroll, right ? kSbLineRight : kSbLineLeft, lParam});
    messages.push_back({target, kWmHScroll, kSbEndScroll, lParam});
  }
  return messages;
}

}  // namespace tilt
