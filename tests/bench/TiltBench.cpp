// Host time from a tilt report to the message ready for posting: the report
// handler's add under the lock, the scroller's take, and the decision over a
// window tree of typical depth. The window calls themselves are the system's.
#include <vector>

#include "Bench.h"
#include "tilt/TiltAccumulator.h"
#include "tilt/TiltDecision.h"

namespace {

class ChainWindows : public tilt::WindowQuery {
 public:
  std::u16string ClassName(tilt::WindowHandle window) const override {
    return window == 3 ? u"ScrollBar" : u"AppWindowClass";
  }
  tilt::WindowHandle Parent(tilt::WindowHandle window) const override { return window > 1 ? window - 1 : 0; }
  tilt::Point ClientToScreen(tilt::WindowHandle, tilt::Point client) const override { return client; }
  tilt::Point ScreenToClient(tilt::WindowHandle, tilt::Point screen) const override { return screen; }
};

}  // namespace

VANTOR_FIGURE(tilt_decision_us) {
  TiltAccumulator accumulator;
  ChainWindows windows;
  std::vector<double> samples;
  std::size_t posted = 0;
  for (int run = 0; run < 20001; ++run) {
    const auto start = bench::Clock::now();
    accumulator.Add(1, 0);
    tilt::TiltFacts facts;
    facts.tilt = accumulator.TakeTilt();
    facts.foreground = 1;
    facts.focus = 2;
    facts.cursorWindow = 2;
    facts.scrollBar = 3;
    posted += tilt::DecideTilt(facts, windows).size();
    samples.push_back(bench::MillisecondsSince(start) * 1000.0);
  }
  return posted > 0 ? bench::Percentile(samples, 0.5) : -1.0;
}
