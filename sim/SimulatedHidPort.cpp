#include "sim/SimulatedHidPort.h"

#include <algorithm>
#include <cstdio>

namespace sim {

using device::HidHandle;

namespace {

device::DevicePath MakePath(const char* kind, int number, int collection) {
  char text[128];
  std::snprintf(text, sizeof text, "\\\\?\\hid#vid_7a31&pid_0c03&mi_%02d#%s&%d&0&%04d#{sim}",
                collection, kind, number, collection);
  return device::DevicePath(text, text + std::char_traits<char>::length(text));
}

}  // namespace

int SimulatedHidPort::AddMouse(MouseConfig config) {
  std::lock_guard<std::mutex> hold(mutex_);
  const int mouse = static_cast<int>(mice_.size());
  mice_.push_back(std::make_unique<SimulatedMouse>(std::move(config)));
  Interface iface;
  iface.path = MakePath("mouse", mouse, 1);
  iface.featureLength = kReportLength;
  iface.mouse = mouse;
  iface.usagePage = 0xFF03;
  iface.usage = 1;
  interfaces_.push_back(iface);
  return mouse;
}

device::DevicePath SimulatedHidPort::AddMouseInterface(int mouse, int featureLength) {
  std::lock_guard<std::mutex> hold(mutex_);
  Interface iface;
  iface.path = MakePath("mouse", mouse, 2 + static_cast<int>(interfaces_.size()));
  iface.featureLength = featureLength;
  iface.mouse = mouse;
  iface.usagePage = 1;
  iface.usage = 2;
  interfaces_.push_back(iface);
  return iface.path;
}

device::DevicePath SimulatedHidPort::AddForeignDevice(ForeignDevice device) {
  std::lock_guard<std::mutex> hold(mutex_);
  Interface iface;
  iface.path = MakePath("other", static_cast<int>(interfaces_.size()), 0);
  iface.featureLength = device.featureLength;
  iface.foreign = std::move(device);
  iface.usagePage = 1;
  iface.usage = 6;
  interfaces_.push_back(iface);
  return iface.path;
}

device::DevicePath SimulatedHidPort::ConfigPath(int mouse) const {
  std::lock_guard<std::mutex> hold(mutex_);
  for (const auto& iface : interfaces_) {
    if (iface.mouse == mouse && iface.featureLength == kReportLength) return iface.path;
  }
  return {};
}

NotificationReport SimulatedHidPort::InputReport(int mouse, std::uint16_t buttons,
                                                 std::int8_t wheel, std::int8_t tilt) {
  std::lock_guard<std::mutex> hold(mutex_);
  SimulatedMouse& simulated = *mice_.at(static_cast<std::size_t>(mouse));
  const std::size_t before = simulated.ownOutput.size();
  simulated.PressButtons(buttons, wheel);
  for (std::size_t i = before; i < simulated.ownOutput.size(); ++i) {
    SimEvent event;
    event.kind = SimEvent::Kind::kOwnOutput;
    event.mouse = mouse;
    event.output = simulated.ownOutput[i];
    Record(event);
  }
  return simulated.InputReport(buttons, wheel, tilt);
}

NotificationReport SimulatedHidPort::LevelChangeReport(int mouse, int level) {
  std::lock_guard<std::mutex> hold(mutex_);
  return mice_.at(static_cast<std::size_t>(mouse))->LevelChangeReport(level);
}

void SimulatedHidPort::Unplug(int mouse) {
  std::lock_guard<std::mutex> hold(mutex_);
  mice_.at(static_cast<std::size_t>(mouse))->Unplug();
}

void SimulatedHidPort::Replug(int mouse) {
  std::lock_guard<std::mutex> hold(mutex_);
  mice_.at(static_cast<std::size_t>(mouse))->Replug();
}

std::vector<SimEvent> SimulatedHidPort::Log() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return log_;
}

std::vector<std::string> SimulatedHidPort::Requests(int mouse) const { return RenderRequests(mouse, false); }

std::vector<std::string> SimulatedHidPort::TimedRequests(int mouse) const { return RenderRequests(mouse, true); }

std::vector<std::string> SimulatedHidPort::RenderRequests(int mouse, bool timed) const {
  std::lock_guard<std::mutex> hold(mutex_);
  std::vector<std::string> lines;
  for (const auto& event : log_) {
    if (mouse >= 0 && event.mouse != mouse) continue;
    char text[64];
    if (event.kind == SimEvent::Kind::kSetFeature) {
      const auto& b = event.bytes;
      std::snprintf(text, sizeof text, "set %02X %02X %02X %02X %02X %02X %02X %02X", b[1], b[2],
                    b[3], b[4], b[5], b[6], b[7], b[8]);
    } else if (event.kind == SimEvent::Kind::kString) {
      std::snprintf(text, sizeof text, "str %d", event.stringIndex);
    } else if (event.kind == SimEvent::Kind::kProtocolError) {
      lines.push_back("err " + event.error);
      continue;
    } else if (event.kind == SimEvent::Kind::kOwnOutput) {
      const std::string line = "own " + event.output;
      lines.push_back(timed ? std::to_string(event.timeUs) + ' ' + line : line);
      continue;
    } else {
      continue;
    }
    lines.emplace_back(timed ? std::to_string(event.timeUs) + ' ' + text : std::string(text));
  }
  return lines;
}

void SimulatedHidPort::ClearLog() {
  std::lock_guard<std::mutex> hold(mutex_);
  log_.clear();
}

std::vector<std::string> SimulatedHidPort::ProtocolErrors() const {
  std::lock_guard<std::mutex> hold(mutex_);
  std::vector<std::string> errors;
  for (const auto& mouse : mice_) {
    errors.insert(errors.end(), mouse->protocolErrors.begin(), mouse->protocolErrors.end());
  }
  return errors;
}

void SimulatedHidPort::SetLogging(bool on) {
  std::lock_guard<std::mutex> hold(mutex_);
  logging_ = on;
}

int SimulatedHidPort::OpenHandles() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return static_cast<int>(handles_.size());
}

bool SimulatedHidPort::Present(const Interface& iface) const {
  return iface.mouse < 0 || mice_[static_cast<std::size_t>(iface.mouse)]->Plugged();
}

const SimulatedHidPort::Interface* SimulatedHidPort::Lookup(HidHandle handle, int& index) const {
  const auto it = handles_.find(handle);
  if (it == handles_.end()) return nullptr;
  index = it->second;
  return &interfaces_[static_cast<std::size_t>(index)];
}

void SimulatedHidPort::Record(SimEvent event) {
  if (!logging_) return;
  if (clock_ != nullptr) event.timeUs = clock_->NowMicroseconds();
  log_.push_back(event);
}

void SimulatedHidPort::SpendLatency(int mouse) {
  if (clock_ == nullptr || mouse < 0) return;
  std::int64_t latency = 0;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    latency = mice_[static_cast<std::size_t>(mouse)]->faults.transferLatencyUs;
  }
  if (latency > 0) clock_->SleepMicroseconds(latency);
}

void SimulatedHidPort::Tick(SimulatedMouse& mouse) {
  if (clock_ != nullptr) mouse.AdvanceTo(clock_->NowMicroseconds());
}

void SimulatedHidPort::RecordErrors(int mouse, std::size_t before) {
  const auto& errors = mice_[static_cast<std::size_t>(mouse)]->protocolErrors;
  for (std::size_t i = before; i < errors.size(); ++i) {
    SimEvent event;
    event.kind = SimEvent::Kind::kProtocolError;
    event.mouse = mouse;
    event.error = errors[i];
    Record(event);
  }
}

bool SimulatedHidPort::EnumerateInterfaces(std::vector<device::DevicePath>& paths) {
  std::lock_guard<std::mutex> hold(mutex_);
  paths.clear();
  for (const auto& iface : interfaces_) {
    if (Present(iface)) paths.push_back(iface.path);
  }
  SimEvent event;
  event.kind = SimEvent::Kind::kEnumerate;
  event.ok = true;
  Record(event);
  return true;
}

HidHandle SimulatedHidPort::Open(const device::DevicePath& path, const device::OpenMode& mode) {
  std::lock_guard<std::mutex> hold(mutex_);
  SimEvent event;
  event.kind = SimEvent::Kind::kOpen;
  event.mode = mode;
  HidHandle handle = device::kNoHandle;
  for (std::size_t i = 0; i < interfaces_.size(); ++i) {
    if (interfaces_[i].path != path) continue;
    event.interfaceIndex = static_cast<int>(i);
    event.mouse = interfaces_[i].mouse;
    if (Present(interfaces_[i])) {
      handle = nextHandle_++;
      handles_[handle] = static_cast<int>(i);
    }
    break;
  }
  event.ok = handle != device::kNoHandle;
  Record(event);
  return handle;
}

void SimulatedHidPort::Close(HidHandle handle) {
  std::lock_guard<std::mutex> hold(mutex_);
  int index = -1;
  const Interface* iface = Lookup(handle, index);
  SimEvent event;
  event.kind = SimEvent::Kind::kClose;
  event.interfaceIndex = index;
  event.mouse = iface != nullptr ? iface->mouse : -1;
  event.ok = handles_.erase(handle) == 1;
  Record(event);
}

bool SimulatedHidPort::GetCapabilities(HidHandle handle, device::HidCapabilities& caps) {
  std::lock_guard<std::mutex> hold(mutex_);
  int index = -1;
  const Interface* iface = Lookup(handle, index);
  SimEvent event;
  event.kind = SimEvent::Kind::kCapabilities;
  event.interfaceIndex = index;
  event.ok = iface != nullptr && Present(*iface);
  if (event.ok) {
    event.mouse = iface->mouse;
    caps.featureReportLength = iface->featureLength;
    caps.inputReportLength = iface->mouse >= 0 ? 8 : 0;
    caps.usagePage = iface->usagePage;
    caps.usage = iface->usage;
  }
  Record(event);
  return event.ok;
}

bool SimulatedHidPort::GetAttributes(HidHandle handle, device::HidAttributes& attributes) {
  std::lock_guard<std::mutex> hold(mutex_);
  int index = -1;
  const Interface* iface = Lookup(handle, index);
  SimEvent event;
  event.kind = SimEvent::Kind::kAttributes;
  event.interfaceIndex = index;
  event.ok = iface != nullptr && Present(*iface);
  if (event.ok) {
    event.mouse = iface->mouse;
    attributes.vendorId = iface->mouse >= 0 ? 0x7A31 : 0x1234;
    attributes.productId = iface->mouse >= 0 ? 0x0C03 : 0x0001;
    attributes.versionNumber = 0x0100;
  }
  Record(event);
  return event.ok;
}

int SimulatedHidPort::MouseBehind(HidHandle handle) const {
  std::lock_guard<std::mutex> hold(mutex_);
  int index = -1;
  const Interface* iface = Lookup(handle, index);
  return iface != nullptr ? iface->mouse : -1;
}

// The driver refuses a buffer shorter than the interface's report; only our
// mice's configuration interfaces answer feature reports.
bool SimulatedHidPort::TakesFeature(const Interface* iface, std::size_t length) {
  return iface != nullptr && iface->mouse >= 0 && iface->featureLength == kReportLength &&
         length >= static_cast<std::size_t>(iface->featureLength);
}

bool SimulatedHidPort::GetFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) {
  SpendLatency(MouseBehind(handle));
  std::lock_guard<std::mutex> hold(mutex_);
  int index = -1;
  const Interface* iface = Lookup(handle, index);
  SimEvent event;
  event.kind = SimEvent::Kind::kGetFeature;
  event.interfaceIndex = index;
  if (TakesFeature(iface, length)) {
    event.mouse = iface->mouse;
    SimulatedMouse& mouse = *mice_[static_cast<std::size_t>(iface->mouse)];
    Tick(mouse);
    event.ok = mouse.ReadFeature(buffer, length);
    if (event.ok) std::copy(buffer, buffer + kReportLength, event.bytes.begin());
  }
  Record(event);
  return event.ok;
}

bool SimulatedHidPort::SetFeature(HidHandle handle, const std::uint8_t* buffer,
                                  std::size_t length) {
  SpendLatency(MouseBehind(handle));
  std::lock_guard<std::mutex> hold(mutex_);
  int index = -1;
  const Interface* iface = Lookup(handle, index);
  SimEvent event;
  event.kind = SimEvent::Kind::kSetFeature;
  event.interfaceIndex = index;
  if (length >= kReportLength)
    std::copy(buffer, buffer + kReportLength, event.bytes.begin());
  if (!TakesFeature(iface, length)) {
    Record(event);
    return false;
  }
  event.mouse = iface->mouse;
  SimulatedMouse& mouse = *mice_[static_cast<std::size_t>(iface->mouse)];
  const std::size_t errors = mouse.protocolErrors.size();
  Tick(mouse);
  event.ok = mouse.WriteFeature(buffer, length);
  Record(event);
  RecordErrors(event.mouse, errors);
  return event.ok;
}

bool SimulatedHidPort::GetIndexedString(HidHandle handle, int index, std::uint8_t* buffer,
                                        std::size_t size) {
  std::lock_guard<std::mutex> hold(mutex_);
  int iface = -1;
  const Interface* found = Lookup(handle, iface);
  SimEvent event;
  event.kind = SimEvent::Kind::kString;
  event.interfaceIndex = iface;
  event.stringIndex = index;
  if (found != nullptr && found->mouse >= 0) {
    event.mouse = found->mouse;
    SimulatedMouse& mouse = *mice_[static_cast<std::size_t>(found->mouse)];
    const std::size_t errors = mouse.protocolErrors.size();
    event.ok = mouse.ReadString(index, buffer, size);
    Record(event);
    RecordErrors(event.mouse, errors);
    return event.ok;
  }
  if (found != nullptr && !found->foreign.maker.empty() && index == kIdentify) {
    std::fill(buffer, buffer + size, 0);
    const auto& maker = found->foreign.maker;
    for (std::size_t i = 0; i < maker.size() && 2 * i + 1 < size; ++i) {
      buffer[2 * i] = static_cast<std::uint8_t>(maker[i] & 0xFF);
      buffer[2 * i + 1] = static_cast<std::uint8_t>(maker[i] >> 8);
    }
    event.ok = true;
  }
  Record(event);
  return event.ok;
}

bool SimulatedHidPort::GetProductString(HidHandle handle, std::u16string& product) {
  std::lock_guard<std::mutex> hold(mutex_);
  int index = -1;
  const Interface* iface = Lookup(handle, index);
  SimEvent event;
  event.kind = SimEvent::Kind::kProduct;
  event.interfaceIndex = index;
  if (iface != nullptr && iface->mouse >= 0 && Present(*iface)) {
    event.mouse = iface->mouse;
    product = mice_[static_cast<std::size_t>(iface->mouse)]->config.productName;
    event.ok = true;
  }
  Record(event);
  return event.ok;
}

}  // namespace sim
