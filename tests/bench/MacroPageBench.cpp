// The macro page through the window's one controller, as the window drives
// it: the host time from a recorded key or button to its command in the
// editor, and how a paint of the page grows with the library.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "Bench.h"
#include "BenchLibrary.h"
#include "BenchMouse.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "ui/PaintPipeline.h"
#include "support/ControllerParts.h"
#include "support/QuietPlatform.h"

namespace {

using Kind = WindowEvent::Kind;

// Draws nothing and measures every text as empty, so a paint's time is the
// program's own work.
class NullCanvas final : public Canvas {
 public:
  void DrawImage(int, int, int) override {}
  void DrawImageScaled(int, const RectI&, uint8_t) override {}
  void DrawImagePart(int, const RectI&, int, int) override {}
  void FillRect(const RectI&, const Rgba&) override {}
  void FillRoundRect(const RectI&, int, const Rgba&) override {}
  void FillEllipse(const RectI&, const Rgba&) override {}
  void FillPolygon(const std::vector<PointF>&, const Rgba&) override {}
  void DrawRect(const RectI&, const PenStyle&) override {}
  void DrawLine(PointF, PointF, const PenStyle&) override {}
  void DrawPolyline(const std::vector<PointF>&, const PenStyle&) override {}
  void DrawText(const std::u16string&, const RectI&, const TextStyle&) override {}
  SizeF MeasureText(const std::u16string&, int) override { return {}; }
  void PushClip(const RectI&, int) override {}
  void PopClip() override {}
};

// The window without Win32, on the macro page: the controller over a session
// with a simulated mouse that never arrives, the test key table and `library`.
struct MacroPageWindow : ControllerParts {
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};
  QuietPlatform quiet;
  MacroLibrary& library;
  LibraryView& view;
  std::unique_ptr<MouseSession> session;
  std::unique_ptr<WindowController> controller;

  MacroPageWindow(MacroLibrary& macros, LibraryView& shown) : library(macros), view(shown) {
    port.AddMouse(sim::MouseConfig{});
    session = std::make_unique<MouseSession>(quiet.For(link), library,
                                             std::filesystem::temp_directory_path() / "vantor-bench-page.dat",
                                             u"Unknown mode");
    controller = MakeController(*session, library, view);
    const RectI tab = layout.tabs[kMacroPage].rect;
    WindowEvent click{Kind::kLeftButtonDown};
    click.x = tab.x + 5;
    click.y = tab.y + 5;
    controller->Handle(click);
  }
  ~MacroPageWindow() { session->Finish([] {}); }

  void Command(int id) {
    WindowEvent command{Kind::kCommand};
    command.id = id;
    controller->Handle(command);
  }
};

// Keys of the test table by make code: letters, digits and a few others.
constexpr std::array<int, 12> kMakeCodes = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x02, 0x03, 0x1C, 0x39, 0x0F, 0x2A};

struct RecordTimes {
  double p50 = -1.0;
  double p99 = -1.0;
};

// Recordings of 250 keys pressed and released each, one in eight a left
// click instead, with 20 to 130 ms between inputs so the waits are recorded
// too; between recordings the editor starts a new macro.
RecordTimes MeasureRecording() {
  constexpr int kRecordings = 200;
  constexpr int kPressesEach = 250;
  MacroLibrary library;
  LibraryView view;
  MacroPageWindow window(library, view);
  if (window.controller->Frame().CurrentTab() != kMacroPage) return {};
  std::vector<double> samples;
  samples.reserve(kRecordings * kPressesEach * 2);
  for (int recording = 0; recording < kRecordings; ++recording) {
    window.Command(kControlClear);
    window.Command(kControlRecord);
    const int before = window.controller->Snapshot().editedMacroBytes;
    for (int press = 0; press < kPressesEach; ++press) {
      const int n = recording * kPressesEach + press;
      for (bool down : {true, false}) {
        WindowEvent event{Kind::kDesktopKey};
        if (n % 8 == 7) {
          event.kind = Kind::kDesktopPointer;
          (down ? event.value : event.id) = kMaskLeft;
          event.x = 1;
          event.y = 1;
        } else {
          event.value = kMakeCodes[static_cast<std::size_t>(n) % kMakeCodes.size()];
          event.on = down;
        }
        window.clock.SleepMicroseconds(20000 + (n * 7919 % 110) * 1000);
        const auto start = bench::Clock::now();
        {
          const WindowActions actions = window.controller->Handle(event);
        }
        samples.push_back(bench::MillisecondsSince(start) * 1000.0);
      }
    }
    window.Command(kControlRecord);
    // Every input must have reached the editor, or the figure timed nothing.
    if (window.controller->Snapshot().editedMacroBytes - before < kPressesEach * 4) return {};
  }
  return {bench::Percentile(samples, 0.5), bench::Percentile(samples, 0.99)};
}

const RecordTimes& Recording() {
  static const RecordTimes times = MeasureRecording();
  return times;
}

// `entries` library entries, one in twenty a group (every other one
// expanded) and the rest macros, a few of each group's and the others
// ungrouped; the pane scrolled to its middle.
void FillLibrary(MacroLibrary& library, LibraryView& view, int entries) {
  const int groups = std::max(1, entries / 20);
  for (int g = 0; g < groups; ++g) {
    library.AddEntry(bench::Name(u"Group ", g), true, 0, g % 2 ? LibraryEntry::kExpanded : 0, {});
  }
  MacroCommands commands = NewMacro();
  commands.push_back(bench::KeyCommand(0x83, 4));
  commands.push_back(bench::KeyCommand(0x84, 4));
  Renumber(commands);
  for (int m = 0; m < entries - groups; ++m) {
    library.AddEntry(bench::Name(u"Macro ", m), false, static_cast<std::uint32_t>(m % (groups + 5)), 0, commands);
  }
  RebuildView(library, view, LibraryPane::kVisibleRows);
  view.selected = view.Count() / 2;
  view.firstVisible = std::max(0, std::min(view.selected, view.Count() - LibraryPane::kVisibleRows));
}

}  // namespace

VANTOR_FIGURE(record_event_us_p50) { return Recording().p50; }

// Goal: at most 200 us. The portable path only; the raw-input read is not in it.
VANTOR_FIGURE(record_event_us_p99) { return Recording().p99; }

// One paint of the macro page, the snapshot filled and every painter run,
// with 20000 library entries against 20: the medians of samples taken in turn.
VANTOR_FIGURE(library_pane_paint_ratio) {
  constexpr int kSamples = 20000;
  MacroLibrary smallLibrary;
  LibraryView smallView;
  FillLibrary(smallLibrary, smallView, 20);
  MacroLibrary largeLibrary;
  LibraryView largeView;
  FillLibrary(largeLibrary, largeView, 20000);
  MacroPageWindow small(smallLibrary, smallView);
  MacroPageWindow large(largeLibrary, largeView);
  NullCanvas canvas;
  const auto paint = [&canvas](const MacroPageWindow& window) {
    const auto start = bench::Clock::now();
    const PaintSnapshot snapshot = window.controller->Snapshot();
    PaintWindow(snapshot, window.layout, canvas, [](PaintStep) {});
    return bench::MillisecondsSince(start);
  };
  if (small.controller->Snapshot().page != kMacroPage || large.controller->Snapshot().macroPage.libraryRows.empty()) {
    return -1.0;
  }
  std::vector<double> smallTimes;
  std::vector<double> largeTimes;
  for (int i = 0; i < kSamples; ++i) {
    smallTimes.push_back(paint(small));
    largeTimes.push_back(paint(large));
  }
  return bench::Percentile(largeTimes, 0.5) / bench::Percentile(smallTimes, 0.5);
}
