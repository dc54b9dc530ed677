#include "app/MouseSession.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

#include "base/DiagLog.h"
#include "device/DeviceCommands.h"
#include "device/DpiLevels.h"
#include "device/SideCommands.h"

namespace {

const char* NameOf(DeviceOperation operation) {
  switch (operation) {
    case DeviceOperation::kBackup:
      return "backup";
    case DeviceOperation::kRestore:
      return "restore";
    case DeviceOperation::kReset:
      return "reset";
  }
  return "operation";
}

DpiLevelTable TableOf(const device::LevelTable& levels) {
  DpiLevelTable table{};
  for (std::size_t k = 0; k < table.size(); ++k) table[k] = {levels[k].x, levels[k].y};
  return table;
}

constexpr double kFractionSteps = 1000.0;

}  // namespace

MouseSession::MouseSession(SessionPlatform platform, MacroLibrary& library, std::filesystem::path saveTo,
                           std::u16string unknownModeText)
    : reportReady(std::move(platform.reportReady)),
      profiles(library, std::move(saveTo)),
      players(platform.link, platform.hostInput, platform.slotTimers),
      connection(platform.link, platform.events, profiles, players),
      trigger(profiles, players, connection.OperationBusy),
      notifications(connection, platform.tilt, std::move(platform.pulseTilt), trigger) {
  profiles.SetUnknownModeText(std::move(unknownModeText));
  // Each arrival reads the mouse's macros and names for the button page, on
  // the arrival thread, before the window hears that the mouse is ready.
  connection.AfterArrival = [this](const device::DevicePath& path) { ReadMouse(path); };
  connection.AfterBusy = [this] { BusyCleared(); };
  notifications.AfterProfileButton = [this] {
    std::lock_guard<std::mutex> hold(followLock);
    follower.OnProfileButton();
  };
  worker = std::thread(&MouseSession::RunRequests, this);
}

MouseSession::~MouseSession() {
  Finish([] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
}

void MouseSession::Start() { connection.RequestRescan(); }

void MouseSession::Push(SessionReport report) {
  {
    std::lock_guard<std::mutex> hold(reportLock);
    reports.push_back(std::move(report));
  }
  if (reportReady) reportReady();
}

std::vector<SessionReport> MouseSession::TakeReports() {
  std::lock_guard<std::mutex> hold(reportLock);
  std::vector<SessionReport> taken;
  taken.swap(reports);
  return taken;
}

void MouseSession::Submit(const MouseRequest& request) {
  {
    std::lock_guard<std::mutex> hold(requestLock);
    if (stopping) return;
    requests.push_back(request);
  }
  requestWake.notify_all();
}

void MouseSession::RunRequests() {
  std::unique_lock<std::mutex> hold(requestLock);
  for (;;) {
    requestWake.wait(hold, [&] { return stopping || !requests.empty(); });
    if (requests.empty()) return;
    const MouseRequest request = requests.front();
    requests.pop_front();
    requestRunning = true;
    hold.unlock();
    Run(request);
    hold.lock();
    requestRunning = false;
    requestWake.notify_all();
  }
}

void MouseSession::Run(const MouseRequest& request) {
  device::HidLink& link = connection.Link();
  const device::DevicePath path = connection.CurrentPath.Get();
  switch (request.kind) {
    case MouseRequest::Kind::kWriteLevel:
      diag::Writef("level %d written: %d, %d (%d)", request.level, request.x, request.y,
                   device::WriteLevel(link, path, request.level, request.x, request.y));
      break;
    case MouseRequest::Kind::kSelectLevel:
      diag::Writef("level %d selected (%d)", request.level, device::SelectLevel(link, path, request.level));
      break;
    case MouseRequest::Kind::kCommit:
      diag::Writef("level settings committed (%d)", device::CommitSettings(link, path));
      break;
    case MouseRequest::Kind::kSetButtonFunction:
      if (device::SetButtonFunction(link, path, request.profile, request.button, request.functionKind, request.code,
                                    nullptr) != 1) {
        diag::Writef("button %d: the mouse did not take its function", request.button);
      }
      break;
    case MouseRequest::Kind::kSendProfileValues: {
      int sent = path.empty() ? 0 : 1;
      for (std::uint8_t kind = 0; sent == 1 && kind < request.values.size(); ++kind) {
        if (device::SetDeviceParameter(link, path, kind, request.values[kind]) != 1) sent = 0;
      }
      if (sent != 1) diag::Write("profile colour not sent");
      break;
    }
    case MouseRequest::Kind::kSendMasks:
      // The profile's row changed: the mouse leaves the program the buttons it plays.
      if (path.empty() || connection.SendButtonMasks() != 1) diag::Write("button masks not sent");
      break;
    case MouseRequest::Kind::kSelectProfile:
      if (connection.SelectSoftwareProfile(request.profile) < 0) {
        diag::Writef("profile %d not selected", request.profile);
      } else {
        diag::Writef("software profile %d in use", request.profile);
      }
      break;
    case MouseRequest::Kind::kReadLevels: {
      // Without a mouse there is nothing to read, and a failed read would show zeros.
      if (!connection.DeviceReady || connection.ArrivalBusy || connection.OperationBusy) break;
      connection.ReadLevels();
      SessionReport report;
      report.kind = SessionReport::Kind::kLevelsRead;
      report.levels = TableOf(connection.LevelSteps.Get());
      report.currentLevel = connection.CurrentLevelIndex.load();
      Push(std::move(report));
      diag::Write("levels re-read for the hidden window");
      break;
    }
  }
}

void MouseSession::ReadMouse(const device::DevicePath& path) {
  SessionReport report;
  report.kind = SessionReport::Kind::kMouseRead;
  MouseReading& reading = report.reading;
  reading.attached = !path.empty();
  if (reading.attached && !ReadMouseMacros(connection.Link(), path, reading.macros)) {
    diag::Write("button page: the macro directory could not be read");
    reading.macros.clear();
  }
  for (std::size_t profile = 0; reading.attached && profile < reading.profileNames.size(); ++profile) {
    device::ReadProfileName(connection.Link(), path, static_cast<int>(profile), connection.ArrivalBusy.load(),
                            reading.profileNames[profile]);
  }
  diag::Writef("button page: %d macros read", static_cast<int>(reading.macros.size()));
  Push(std::move(report));
}

void MouseSession::StoreLevels(const DpiLevelTable& levels, int current) {
  device::LevelTable table{};
  std::array<std::array<std::uint8_t, 2>, 4> steps{};
  for (std::size_t k = 0; k < table.size(); ++k) {
    table[k] = {static_cast<std::uint8_t>(levels[k].x), static_cast<std::uint8_t>(levels[k].y)};
    steps[k] = {table[k].x, table[k].y};
  }
  connection.LevelSteps.Set(table);
  connection.CurrentLevelIndex.store(current);
  profiles.StoreLevelChoices(current, steps);
}

void MouseSession::FollowForeground(const std::u16string& programPath) {
  int profile = kNoSwitch;
  {
    std::lock_guard<std::mutex> hold(followLock);
    // Without a mouse there is no profile to switch; its arrival decides.
    const bool busy = connection.ArrivalBusy || connection.OperationBusy || profiles.ProfileCount() < 1;
    profile = follower.OnForegroundChange(ProgramAt(programPath), profiles.CurrentSoftwareProfile(), busy);
  }
  SwitchProfile(profile);
}

void MouseSession::BusyCleared() {
  int profile = kNoSwitch;
  {
    std::lock_guard<std::mutex> hold(followLock);
    if (profiles.ProfileCount() < 1) return;
    profile = follower.OnBusyCleared(profiles.CurrentSoftwareProfile());
  }
  SwitchProfile(profile);
}

void MouseSession::SwitchProfile(int profile) {
  if (profile == kNoSwitch) return;
  MouseRequest request;
  request.kind = MouseRequest::Kind::kSelectProfile;
  request.profile = profile;
  Submit(request);
}

void MouseSession::SetProfileRules(ProfileRules rules) {
  std::lock_guard<std::mutex> hold(followLock);
  follower.SetRules(std::move(rules));
}

ProfileRules MouseSession::CurrentProfileRules() const {
  std::lock_guard<std::mutex> hold(followLock);
  return follower.Rules();
}

bool MouseSession::StartOperation(DeviceOperation operation, const std::u16string& file) {
  if (operationRunning) return false;
  if (operationThread.joinable()) operationThread.join();
  operationRunning = true;
  lastFraction = -1;
  diag::Writef("%s started", NameOf(operation));
  operationThread = std::thread(&MouseSession::RunOperation, this, operation, std::filesystem::path(file));
  return true;
}

void MouseSession::RunOperation(DeviceOperation operation, std::filesystem::path file) {
  const device::OperationContext context{connection.Link(), *this, *this, operationTexts};
  SessionReport report;
  report.kind = SessionReport::Kind::kOperationEnded;
  device::OperationResult& result = report.result;
  switch (operation) {
    case DeviceOperation::kBackup:
      result = device::Backup(context, file);
      // A restore and a reset end with an arrival, which clears it.
      connection.OperationBusy = false;
      BusyCleared();
      break;
    case DeviceOperation::kRestore:
      result = device::Restore(context, file);
      break;
    case DeviceOperation::kReset:
      ListsOff();
      result = device::Reset(context);
      break;
  }
  diag::Writef("%s ended: %s (memory %d bytes, levels %d, names %d, failed requests %d)", NameOf(operation),
               result.Failed() ? "failed" : "done", result.memoryBytes, result.levels, result.names,
               result.failedRequests);
  operationRunning = false;
  Push(std::move(report));
}

bool MouseSession::StartMacroOperation(MacroJob job) {
  if (operationRunning) return false;
  if (operationThread.joinable()) operationThread.join();
  operationRunning = true;
  lastFraction = -1;
  diag::Writef("macro operation %d started", static_cast<int>(job.kind));
  operationThread = std::thread(&MouseSession::RunMacroOperation, this, std::move(job));
  return true;
}

device::MacroOperationResult MouseSession::RunMacroJob(MacroJob& job, const device::DevicePath& path) {
  device::MacroStore store(connection.Link(), path, job.buttons, this);
  if (job.kind == MacroJob::Kind::kRemove) return store.Remove(job.entry);
  if (job.kind == MacroJob::Kind::kDefragmentAndStore) {
    const device::MacroOperationResult packed = store.Defragment();
    if (packed.Failed()) return packed;
  }
  ShowStatus(device::OperationStatus::kWritingAll, u"");
  device::MacroOperationResult result = store.Store(job.name, job.bytes);
  if (result.Failed() || job.button < 0) return result;
  if (device::SetButtonFunction(connection.Link(), path, job.profile, job.button, device::kMacroFunction,
                                static_cast<std::uint16_t>(result.start), nullptr) != 1) {
    result.failedRequest = true;
    result.problem = "button " + std::to_string(job.button + 1) + " was not given the macro";
    return result;
  }
  job.buttons.At(job.profile, job.button) = {device::kMacroFunction, static_cast<std::uint16_t>(result.start)};
  ++result.buttonsSent;
  return result;
}

void MouseSession::RunMacroOperation(MacroJob job) {
  const device::DevicePath path = connection.CurrentPath.Get();
  SessionReport report;
  report.kind = SessionReport::Kind::kMacroOperationEnded;
  device::MacroOperationResult& result = report.macroResult;
  result = RunMacroJob(job, path);
  report.buttons = job.buttons;
  diag::Writef("macro operation %d ended: %s (entry %d at %u, bytes %d, entries %d, buttons %d) %s",
               static_cast<int>(job.kind), result.Failed() ? "failed" : "done", result.entry,
               static_cast<unsigned>(result.start), result.bytesWritten, result.entriesWritten, result.buttonsSent,
               result.problem.c_str());
  // The function lists offer what the mouse now holds.
  const bool untouched = result.noMouse || result.refused || result.notEnoughSpace || result.needsDefragment;
  if (!untouched && !result.mouseGone) ReadMouse(path);
  operationRunning = false;
  connection.OperationBusy = false;
  BusyCleared();
  Push(std::move(report));
}

void MouseSession::Finish(const std::function<void()>& pump) {
  if (finished) return;
  finished = true;
  while (operationRunning) pump();
  if (operationThread.joinable()) operationThread.join();
  while (connection.ArrivalBusy) pump();
  {
    std::unique_lock<std::mutex> hold(requestLock);
    stopping = true;
  }
  requestWake.notify_all();
  if (worker.joinable()) worker.join();
  connection.Shutdown();
}

// A memory transfer reports every few bytes: the window hears of a step only
// when it moves the panel by a thousandth.
void MouseSession::ShowFraction(double fraction) {
  const long value = std::lround(std::clamp(fraction, 0.0, 1.0) * kFractionSteps);
  if (value == lastFraction) return;
  lastFraction = value;
  SessionReport report;
  report.kind = SessionReport::Kind::kOperationFraction;
  report.fraction = static_cast<double>(value) / kFractionSteps;
  Push(std::move(report));
}

void MouseSession::ShowStatus(device::OperationStatus status, const std::u16string&) {
  SessionReport report;
  report.kind = SessionReport::Kind::kOperationStatus;
  report.status = status;
  Push(std::move(report));
}

void MouseSession::ShowSecondLine(const std::u16string& text) {
  SessionReport report;
  report.kind = SessionReport::Kind::kOperationSecondLine;
  report.text = text;
  Push(std::move(report));
}

void MouseSession::RepaintWindow() {
  SessionReport report;
  report.kind = SessionReport::Kind::kRepaint;
  Push(std::move(report));
}

void MouseSession::ListsOff() {
  SessionReport report;
  report.kind = SessionReport::Kind::kListsOff;
  Push(std::move(report));
}

void MouseSession::StoreLevelSteps(const std::array<device::LevelSteps, 4>& levels) {
  connection.LevelSteps.Set(levels);
  SessionReport report;
  report.kind = SessionReport::Kind::kLevelsRestored;
  report.levels = TableOf(levels);
  report.currentLevel = std::clamp(connection.CurrentLevelIndex.load(), 0, device::kLevelCount - 1);
  Push(std::move(report));
}
