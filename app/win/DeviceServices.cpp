#include "app/win/DeviceServices.h"

#include <cstdlib>
#include <fstream>

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

void DeviceServices::WriteSimulatorTimes(const std::filesystem::path& file) const {
  if (!simulator) return;
  std::ofstream out(file, std::ios::out | std::ios::trunc | std::ios::binary);
  for (int mouse = 0; mouse < simulator->MouseCount(); ++mouse) {
    for (const std::string& line : simulator->TimedRequests(mouse)) out << mouse << ' ' << line << '\n';
  }
}
