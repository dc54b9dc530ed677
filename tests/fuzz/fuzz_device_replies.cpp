// Feeds arbitrary device answers (capabilities, string descriptors, feature
// replies) through discovery, the level reads and writes, live input and a
// memory read, so no reply a device may give can make the link misbehave.
// A second discovery replays the answers from the start for the single reads
// (current level, name byte, register) and the macro directory; the input
// also stands for a whole directory image, whose parsed entries must lie in
// the macro area.
#include <algorithm>
#include <cstdlib>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/DeviceCommands.h"
#include "device/Discovery.h"
#include "device/DpiLevels.h"
#include "device/HidLink.h"
#include "device/Identification.h"
#include "device/LiveInput.h"
#include "device/MemoryImage.h"
#include "device/MouseDirectory.h"
#include "device/SideCommands.h"
#include "macro/MacroDirectory.h"
#include "sim/VirtualClock.h"

namespace {

// Every answer comes from the fuzz input; when it runs out, calls fail.
class ReplayPort final : public device::HidPort {
 public:
  ReplayPort(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool EnumerateInterfaces(std::vector<device::DevicePath>& paths) override {
    const int count = Next() % 4;
    for (int i = 0; i < count; ++i) paths.push_back(u"dev" + std::u16string(1, char16_t(u'0' + i)));
    return true;
  }
  device::HidHandle Open(const device::DevicePath&, const device::OpenMode&) override {
    return Next() == 0xFF ? device::kNoHandle : ++handles_;
  }
  void Close(device::HidHandle) override {}
  bool GetCapabilities(device::HidHandle, device::HidCapabilities& caps) override {
    caps.featureReportLength = Next() & 0x0F;
    return More();
  }
  bool GetAttributes(device::HidHandle, device::HidAttributes&) override { return More(); }
  bool GetFeature(device::HidHandle, std::uint8_t* buffer, std::size_t length) override {
    return Fill(buffer, length);
  }
  bool SetFeature(device::HidHandle, const std::uint8_t*, std::size_t) override { return More(); }
  bool GetIndexedString(device::HidHandle, int, std::uint8_t* buffer, std::size_t size) override {
    // A length byte, then that many bytes of text; the rest stays as the caller left it.
    const std::size_t length = std::min<std::size_t>(Next() * 2u, size);
    return Fill(buffer, length);
  }
  bool GetProductString(device::HidHandle, std::u16string& product) override {
    product.assign(Next() % 8, u'p');
    return More();
  }

 private:
  bool More() const { return at_ < size_; }
  std::uint8_t Next() { return More() ? data_[at_++] : 0; }
  bool Fill(std::uint8_t* buffer, std::size_t length) {
    if (!More()) return false;
    for (std::size_t i = 0; i < length; ++i) buffer[i] = Next();
    return true;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  device::HidHandle handles_ = 0;
};

// The input as a directory image, cut or padded with empty entries.
void ParseDirectory(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> directory(kDirectoryBytes, 0xFF);
  std::copy(data, data + std::min<std::size_t>(size, directory.size()), directory.begin());
  int previous = -1;
  for (const MouseMacro& macro : ParseMouseDirectory(directory.data())) {
    if (macro.entry <= previous || macro.entry >= device::kDirectoryEntries) std::abort();
    if (macro.end < macro.start || macro.end >= static_cast<std::uint32_t>(kMacroAreaSize)) std::abort();
    if (macro.name.size() > static_cast<std::size_t>(device::kDirectoryNameChars)) std::abort();
    if (macro.name.find(u'\0') != std::u16string::npos) std::abort();
    previous = macro.entry;
  }
}

// The reads of single values and of the directory, on a link of their own.
void ReadSingleValues(const std::uint8_t* data, std::size_t size) {
  sim::VirtualClock clock;
  ReplayPort port(data, size);
  device::HidLink link(port, clock);
  device::Discover(link);
  const auto first = link.FirstDevice();
  if (!first) return;
  const int level = device::ReadCurrentLevel(link, first->path);
  if (level < 0 || level > 0xFFFF) std::abort();
  std::uint8_t value = 0;
  device::ReadNameByte(link, first->path, 1, 3, true, value);
  device::ReadRegister(link, first->path, 0x20, 10, value);
  std::vector<MouseMacro> macros;
  if (ReadMouseMacros(link, first->path, macros)) {
    for (const MouseMacro& macro : macros) {
      if (macro.end < macro.start || macro.end >= static_cast<std::uint32_t>(kMacroAreaSize)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  device::Identification id;
  device::ParseIdentification(data, size, id);
  device::ParseIdentity(data, size);
  ParseDirectory(data, size);
  ReadSingleValues(data, size);

  sim::VirtualClock clock;
  ReplayPort port(data, size);
  device::HidLink link(port, clock);
  device::Discover(link);
  const auto first = link.FirstDevice();
  if (!first) return 0;
  device::LevelSteps steps;
  device::ReadLevel(link, first->path, 1, steps);
  device::WriteLevel(link, first->path, 1, steps.x, steps.y);
  device::KeyDown(link, first->path, 0x04);
  device::SetButtonMasks(link, first->path, 0x12, 0x34);
  device::MemoryImage image{};
  device::ReadImage(link, first->path, image);
  return 0;
}
