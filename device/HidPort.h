#pragma once
// What the device link needs from the system's HID class driver and device
// enumeration. The Win32 port calls hid.dll and SetupAPI; the simulated port
// hosts simulated mice. Every call reports failure by its result; none throws.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace device {

using DevicePath = std::u16string;

// An open interface. 0 never names an open interface.
using HidHandle = std::uintptr_t;
inline constexpr HidHandle kNoHandle = 0;

// How a path is opened. The values are the system's own, so the Win32 port
// passes them through unchanged and the simulator can log them.
inline constexpr std::uint32_t kShareRead = 0x1;
inline constexpr std::uint32_t kShareWrite = 0x2;
inline constexpr std::uint32_t kFlagOverlapped = 0x40000000;

struct OpenMode {
  std::uint32_t desiredAccess = 0;  // feature reports and strings need no access rights
  std::uint32_t shareMode = kShareRead | kShareWrite;
  std::uint32_t flags = 0;
  bool inheritHandle = true;
};

inline OpenMode PlainOpen() { return OpenMode{}; }
inline OpenMode OverlappedOpen() {
  OpenMode mode;
  mode.flags = kFlagOverlapped;
  return mode;
}

struct HidCapabilities {
  int featureReportLength = 0;
  int inputReportLength = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
};

struct HidAttributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t versionNumber = 0;
};

class HidPort {
 public:
  virtual ~HidPort() = default;

  // Paths of the HID interfaces present now, in the system's order. False when
  // the list itself cannot be had.
  virtual bool EnumerateInterfaces(std::vector<DevicePath>& paths) = 0;
  // kNoHandle when the path cannot be opened.
  virtual HidHandle Open(const DevicePath& path, const OpenMode& mode) = 0;
  // Cancels pending I/O and closes.
  virtual void Close(HidHandle handle) = 0;

  virtual bool GetCapabilities(HidHandle handle, HidCapabilities& caps) = 0;
  virtual bool GetAttributes(HidHandle handle, HidAttributes& attributes) = 0;
  // Byte 0 of the buffer is the report ID, as the driver sees it.
  virtual bool GetFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) = 0;
  virtual bool SetFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) = 0;
  // Raw bytes of string descriptor `index` (UTF-16LE text as the device sent it).
  virtual bool GetIndexedString(HidHandle handle, int index, std::uint8_t* buffer,
                                std::size_t size) = 0;
  virtual bool GetProductString(HidHandle handle, std::u16string& product) = 0;
};

}  // namespace device
