#include "app/win/DeviceServices.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <vector>

#include "base/AtomicFile.h"
#include "base/DiagLog.h"
#include "device/win/Win32HidPort.h"
#include "device/win/Win32SessionLock.h"
#include "device/win/Win32Sleeper.h"
#include "sim/SimulatedPortFactory.h"

DeviceServices::DeviceServices(const StartupSwitches& switches) : sleeper(device::MakeWin32Sleeper()) {
  if (switches.simulate) {
    auto simulated = sim::MakeSimulatedHidPort(switches.simulatedMice, sleeper.get());
    simulator = simulated.get();
    port = std::move(simulated);
    // A real mouse takes about a millisecond per transfer; without it a long
    // operation ends before anyone sees it run.
    const wchar_t* latency = _wgetenv(L"VANTOR_SIM_LATENCY_US");
    for (int mouse = 0; latency && mouse < simulator->MouseCount(); ++mouse) {
      simulator->Mouse(mouse).faults.transferLatencyUs = std::wcstol(latency, nullptr, 10);
    }
    diag::Writef("device link: %d simulated mouse/mice", simulator->MouseCount());
  } else {
    port = device::MakeWin32HidPort();
    diag::Write("device link: HID driver");
  }
  link = std::make_unique<device::HidLink>(*port, *sleeper);
  session = device::MakeWin32SessionLock();
  link->SetSessionLock(session.get(), [] { diag::Write("device link: waiting for another program to free the mouse"); });
  if (const wchar_t* timesFile = _wgetenv(L"VANTOR_EXCHANGE_LOG")) {
    if (exchangeTimes.Open(std::filesystem::path(timesFile))) link->SetExchangeLog(&exchangeTimes);
  }
}

void DeviceServices::WriteSimulatorLog(const std::filesystem::path& file) const {
  if (!simulator) return;
  std::ofstream out(file, std::ios::out | std::ios::trunc | std::ios::binary);
  for (int mouse = 0; mouse < simulator->MouseCount(); ++mouse) {
    for (const std::string& line : simulator->Requests(mouse)) out << mouse << ' ' << line << '\n';
  }
}

void DeviceServices::LoadSimulatorMemory(const std::filesystem::path& file) {
  if (!simulator) return;
  std::vector<std::uint8_t> bytes;
  auto& memory = simulator->Mouse(0).memory;
  if (ReadFileBytes(file, bytes, memory.size() + 1) != FileReadResult::kRead || bytes.size() != memory.size()) {
    diag::Write("simulator: no memory file to start from");
    return;
  }
  std::copy(bytes.begin(), bytes.end(), memory.begin());
  diag::Write("simulator: memory loaded");
}

void DeviceServices::SaveSimulatorMemory(const std::filesystem::path& file) {
  if (!simulator) return;
  const auto& memory = simulator->Mouse(0).memory;
  std::string error;
  if (WriteFileAtomically(file, std::vector<std::uint8_t>(memory.begin(), memory.end()), &error) != 1) {
    diag::Write("simulator: memory not saved: " + error);
  }
}

void DeviceServices::WriteSimulatorTimes(const std::filesystem::path& file) const {
  if (!simulator) return;
  std::ofstream out(file, std::ios::out | std::ios::trunc | std::ios::binary);
  for (int mouse = 0; mouse < simulator->MouseCount(); ++mouse) {
    for (const std::string& line : simulator->TimedRequests(mouse)) out << mouse << ' ' << line << '\n';
  }
}
