// How often the main window's timers wake the program, over 10 s of
// simulated time: hidden in the tray, and shown with nobody touching it,
// against the design in which every animation timer runs for the window's
// whole life. The eleven caption buttons' pulse timers count too: each runs
// only while its button shows the recording dot.
#include <array>
#include <atomic>
#include <vector>

#include "Bench.h"
#include "app/WindowFrame.h"
#include "app/TabHighlight.h"
#include "support/TimerBoard.h"
#include "ui/ButtonPulse.h"
#include "ui/SkinLayout.h"

namespace {

constexpr int kSpanMs = 10000;
constexpr int kPulsingButtons = 11;
// Timer ids for the buttons' pulses on the board; each button has its own window.
constexpr int kFirstPulseTimer = -100;

struct Window {
  std::atomic<bool> busy{false};
  SkinLayout layout = BuildSkinLayout(BuiltInSkinStyle());
  WindowFrame model{busy, layout, WindowFrameSetup{}};
  std::array<ButtonPulse, kPulsingButtons> pulses{};
  TimerBoard timers;

  Window() {
    WindowActions pulseTimers;
    for (int button = 0; button < kPulsingButtons; ++button) {
      if (pulses[static_cast<size_t>(button)].TimerWanted()) {
        pulseTimers.StartTimer(kFirstPulseTimer + button, ButtonPulse::kPeriodMs);
      }
    }
    timers.Apply(pulseTimers);
    timers.Apply(model.Start());
    timers.Apply(model.OnVisibilityChanged(true));
    Run(1000);  // the start-up fade
  }
  void Run(int ms) {
    timers.Advance(ms, [this](int id) {
      if (id < 0) {
        pulses[static_cast<size_t>(id - kFirstPulseTimer)].Tick();
        return WindowActions{};
      }
      return model.OnTimer(id);
    });
  }
  double WakeUpsPerSecond() {
    const std::int64_t before = timers.WakeUps();
    Run(kSpanMs);
    return static_cast<double>(timers.WakeUps() - before) * 1000.0 / kSpanMs;
  }
};

}  // namespace

// Hidden to the tray while the pointer rested on a tab and a list had just
// taken the focus.
VANTOR_FIGURE(simulated_hidden_wakeups_per_s) {
  Window window;
  const RectI tab = window.layout.tabs[1].rect;
  window.timers.Apply(window.model.OnPointerMove(tab.x + 2, tab.y + 2));
  window.timers.Apply(window.model.OnControlFocusChanged());
  window.Run(300);
  window.timers.Apply(window.model.OnVisibilityChanged(false));
  return window.WakeUpsPerSecond();
}

VANTOR_FIGURE(simulated_idle_wakeups_per_s) {
  Window window;
  return window.WakeUpsPerSecond();
}

// The first 10 s after a list gains or loses the focus, which redraws the
// highlighted button picture every 250 ms.
VANTOR_FIGURE(simulated_after_focus_change_wakeups_per_s) {
  Window window;
  window.timers.Apply(window.model.OnControlFocusChanged());
  return window.WakeUpsPerSecond();
}

VANTOR_FIGURE(written_design_wakeups_per_s) {
  struct Periodic {
    int id;
    int periodMs;
  };
  std::vector<Periodic> always = {{WindowFrame::kCountdownTimer, WindowFrame::kCountdownPeriodMs},
                                  {InWindowFades::kTimerId, InWindowFades::kPeriodMs},
                                  {WindowFrame::kFocusRedrawTimer, WindowFrame::kFocusRedrawPeriodMs},
                                  {TabHighlight::kTimerId, TabHighlight::kPeriodMs},
                                  {Tooltips::kTimerId, Tooltips::kPeriodMs}};
  for (int button = 0; button < kPulsingButtons; ++button)
    always.push_back({kFirstPulseTimer + button, ButtonPulse::kPeriodMs});
  TimerBoard timers;
  WindowActions starts;
  for (const Periodic& timer : always) starts.StartTimer(timer.id, timer.periodMs);
  timers.Apply(starts);
  timers.Advance(kSpanMs, [](int) { return WindowActions{}; });
  return static_cast<double>(timers.WakeUps()) * 1000.0 / kSpanMs;
}
