#include <gtest/gtest.h>

#include <map>

#include "tilt/TiltAccumulator.h"
#include "tilt/TiltDecision.h"

using namespace tilt;

namespace {

// A window tree of the test's own: handles, classes, parents and origins.
class FakeWindows : public WindowQuery {
 public:
  WindowHandle Add(const std::u16string& className, WindowHandle parent = 0, Point origin = {100, 50}) {
    const WindowHandle window = next++;
    windows[window] = {className, parent, origin};
    return window;
  }
  std::u16string ClassName(WindowHandle window) const override {
    auto it = windows.find(window);
    return it == windows.end() ? std::u16string() : it->second.className;
  }
  WindowHandle Parent(WindowHandle window) const override {
    auto it = windows.find(window);
    return it == windows.end() ? 0 : it->second.parent;
  }
  Point ClientToScreen(WindowHandle window, Point client) const override {
    const Point origin = windows.at(window).origin;
    return {origin.x + client.x, origin.y + client.y};
  }
  Point ScreenToClient(WindowHandle window, Point screen) const override {
    const Point origin = windows.at(window).origin;
    return {screen.x - origin.x, screen.y - origin.y};
  }

 private:
  struct Window {
    std::u16string className;
    WindowHandle parent;
    Point origin;
  };
  std::map<WindowHandle, Window> windows;
  WindowHandle next = 0x100;
};

TiltFacts Facts(std::int32_t tilt, WindowHandle focus, WindowHandle bar = 0) {
  TiltFacts facts;
  facts.tilt = tilt;
  facts.foreground = focus;
  facts.focus = focus;
  facts.cursorWindow = focus;
  facts.scrollBar = bar;
  facts.cursor = {300, 200};
  return facts;
}

std::vector<PostedMessage> HScroll(WindowHandle target, bool right, WindowHandle bar) {
  const auto lParam = static_cast<std::int64_t>(bar);
  return {{target, kWmHScroll, right ? kSbLineRight : kSbLineLeft, lParam}, {target, kWmHScroll, kSbEndScroll, lParam}};
}

}  // namespace

TEST(TiltAccumulator, SumsReportsUntilTakenSoTwoRightTiltsMakeOneStep) {
  TiltAccumulator accumulator;
  accumulator.Add(1, 0);
  accumulator.Add(1, -1);
  const std::int32_t taken = accumulator.TakeTilt();
  EXPECT_EQ(taken, 2);
  EXPECT_EQ(accumulator.TakeTilt(), 0);
  EXPECT_EQ(accumulator.Wheel(), -1);

  FakeWindows windows;
  const WindowHandle editor = windows.Add(u"Edit");
  EXPECT_EQ(DecideTilt(Facts(taken, editor), windows), HScroll(editor, true, 0));
}

TEST(TiltDecision, DoesNothingWhenTiltsCancelOutNothingHasTheFocusOrTheBarHasNoParent) {
  FakeWindows windows;
  const WindowHandle editor = windows.Add(u"Edit");
  EXPECT_TRUE(DecideTilt(Facts(0, editor), windows).empty());
  EXPECT_TRUE(DecideTilt(Facts(-1, 0), windows).empty());
  const WindowHandle orphanBar = windows.Add(u"ScrollBar");
  EXPECT_TRUE(DecideTilt(Facts(1, editor, orphanBar), windows).empty());
}

TEST(TiltDecision, ScrollsTheFocusWindowLineByLineWithTheBarItFound) {
  FakeWindows windows;
  const WindowHandle frame = windows.Add(u"Frame");
  const WindowHandle view = windows.Add(u"View", frame);
  // Without a horizontal bar (only a vertical one, which the search skips) lParam is 0.
  EXPECT_EQ(DecideTilt(Facts(-3, view), windows), HScroll(view, false, 0));

  const WindowHandle bar = windows.Add(u"ScrollBar", view);
  EXPECT_EQ(DecideTilt(Facts(5, view, bar), windows), HScroll(view, true, bar));

  // A bar beside the focus window scrolls the bar's parent.
  const WindowHandle pane = windows.Add(u"Pane", frame);
  const WindowHandle sideBar = windows.Add(u"TScrollBar", pane);
  EXPECT_EQ(DecideTilt(Facts(1, view, sideBar), windows), HScroll(pane, true, sideBar));
}

TEST(TiltDecision, KnowsOnlyHorizontalBarsOfTheThreeClasses) {
  EXPECT_TRUE(IsHorizontalScrollBar(0, u"ScrollBar"));
  EXPECT_TRUE(IsHorizontalScrollBar(0x10, u"NUIScrollbar"));
  EXPECT_TRUE(IsHorizontalScrollBar(0, u"TScrollBar"));
  EXPECT_FALSE(IsHorizontalScrollBar(1, u"ScrollBar"));  // vertical
  EXPECT_FALSE(IsHorizontalScrollBar(0, u"scrollbar"));
  EXPECT_FALSE(IsHorizontalScrollBar(0, u"Static"));
}

TEST(TiltDecision, SendsTheHorizontalWheelToMozillaWindowsAtClientPointTwoTwo) {
  FakeWindows windows;
  const WindowHandle browser = windows.Add(u"MozillaWindowClass", 0, {40, 30});
  const auto messages = DecideTilt(Facts(2, browser), windows);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].message, kWmMouseHWheel);
  EXPECT_EQ(messages[0].wParam, 120u << 16);
  EXPECT_EQ(messages[0].lParam, (32 << 16) | 42);
  EXPECT_EQ(DecideTilt(Facts(-2, browser), windows)[0].wParam, 0xFF88u << 16);
}

TEST(TiltDecision, SendsAShiftedWheelToTheWindowUnderTheCursorInsideITunes) {
  FakeWindows windows;
  const WindowHandle player = windows.Add(u"iTunes");
  const WindowHandle list = windows.Add(u"List", player);
  TiltFacts facts = Facts(-1, list);
  facts.cursorWindow = windows.Add(u"Other", 0, {10, 10});
  const auto messages = DecideTilt(facts, windows);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], (PostedMessage{facts.cursorWindow, kWmMouseWheel, WheelWParam(120, kMkShift), (12 << 16) | 12}));
  EXPECT_EQ(DecideTilt(Facts(1, list), windows)[0].wParam, WheelWParam(-120, kMkShift));
}

TEST(TiltDecision, SendsAControlWheelToTheBarWhenTheForegroundIsAnIllustrator) {
  FakeWindows windows;
  const WindowHandle main = windows.Add(u"illustratorMainWnd");
  const WindowHandle canvas = windows.Add(u"Canvas", main);
  const WindowHandle bar = windows.Add(u"ScrollBar", canvas);
  TiltFacts facts = Facts(-1, canvas, bar);
  facts.foreground = main;
  EXPECT_EQ(DecideTilt(facts, windows), (std::vector<PostedMessage>{{bar, kWmMouseWheel, WheelWParam(120, kMkControl), 0}}));
  facts.tilt = 1;
  EXPECT_EQ(DecideTilt(facts, windows)[0].wParam, WheelWParam(-120, kMkControl));
}

TEST(TiltDecision, KeepsTheFocusWindowForSpreadsheetAndDiagramExceptions) {
  FakeWindows windows;
  const WindowHandle book = windows.Add(u"EXCEL7");
  const WindowHandle grid = windows.Add(u"Grid");
  const WindowHandle officeBar = windows.Add(u"NUIScrollbar", book);
  EXPECT_EQ(DecideTilt(Facts(1, grid, officeBar), windows), HScroll(grid, true, officeBar));
  const WindowHandle other = windows.Add(u"Host");
  const WindowHandle otherBar = windows.Add(u"NUIScrollbar", other);
  EXPECT_EQ(DecideTilt(Facts(1, grid, otherBar), windows), HScroll(other, true, otherBar));

  const WindowHandle drawing = windows.Add(u"VISIOG");
  const WindowHandle ruler = windows.Add(u"ScrollBar", other);
  EXPECT_EQ(DecideTilt(Facts(-1, drawing, ruler), windows), HScroll(drawing, false, ruler));
}

TEST(TiltDecision, RedirectsToTheWindowUnderTheCursorForDirectUiAndPageControls) {
  FakeWindows windows;
  const WindowHandle shell = windows.Add(u"DirectUIHWND");
  TiltFacts facts = Facts(1, shell);
  facts.cursorWindow = windows.Add(u"Pane");
  EXPECT_EQ(DecideTilt(facts, windows), HScroll(facts.cursorWindow, true, 0));

  const WindowHandle pages = windows.Add(u"TPageControl");
  facts = Facts(1, pages);
  facts.cursorWindow = windows.Add(u"TibDrawBox");
  EXPECT_EQ(DecideTilt(facts, windows), HScroll(facts.cursorWindow, true, 0));
  facts.cursorWindow = windows.Add(u"Other");
  EXPECT_EQ(DecideTilt(facts, windows), HScroll(pages, true, 0));
}

TEST(TiltDecision, DragsWithTheMiddleButtonTenPixelsInPglWindowsBeforeScrolling) {
  FakeWindows windows;
  const WindowHandle plot = windows.Add(u"PGLView", 0, {100, 50});
  TiltFacts facts = Facts(-1, plot);
  facts.cursor = {130, 90};
  const auto messages = DecideTilt(facts, windows);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], (PostedMessage{plot, kWmMouseMove, kMkMButton, (40 << 16) | 30}));
  EXPECT_EQ(messages[1], (PostedMessage{plot, kWmMouseMove, kMkMButton, (40 << 16) | 20}));
  EXPECT_EQ(messages[2].message, kWmHScroll);
  EXPECT_EQ(messages[2].wParam, kSbLineLeft);
}
