#include "device/win/Win32HidPort.h"

// windows.h must come first; the HID headers need C linkage under mingw-w64.
// clang-format off
#include <windows.h>
#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
// clang-format on

#include <algorithm>
#include <cstring>
#include <vector>

namespace device {
namespace {

// What an open HidHandle stands for.
struct OpenInterface {
  HANDLE handle = INVALID_HANDLE_VALUE;
  // The interface's feature report length, asked for once when first needed.
  ULONG featureLength = 0;
  bool featureLengthKnown = false;
};

OpenInterface* FromHandle(HidHandle handle) { return reinterpret_cast<OpenInterface*>(handle); }

constexpr ULONG kStringBufferBytes = 512;

bool ReadCapabilities(HANDLE handle, HIDP_CAPS& caps) {
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!HidD_GetPreparsedData(handle, &preparsed)) return false;
  const NTSTATUS status = HidP_GetCaps(preparsed, &caps);
  HidD_FreePreparsedData(preparsed);
  return status == HIDP_STATUS_SUCCESS;
}

class Win32HidPort final : public HidPort {
 public:
  bool EnumerateInterfaces(std::vector<DevicePath>& paths) override {
    paths.clear();
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    const HDEVINFO info =
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (info == INVALID_HANDLE_VALUE) return false;
    for (DWORD index = 0;; ++index) {
      SP_DEVICE_INTERFACE_DATA data{};
      data.cbSize = sizeof data;
      if (!SetupDiEnumDeviceInterfaces(info, nullptr, &hidGuid, index, &data)) break;
      DWORD required = 0;
      SetupDiGetDeviceInterfaceDetailW(info, &data, nullptr, 0, &required, nullptr);
      if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
      std::vector<BYTE> storage(required + sizeof(WCHAR));
      auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
      detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
      if (!SetupDiGetDeviceInterfaceDetailW(info, &data, detail, required, nullptr, nullptr)) {
        continue;
      }
      const WCHAR* path = detail->DevicePath;
      paths.emplace_back(reinterpret_cast<const char16_t*>(path), wcslen(path));
    }
    SetupDiDestroyDeviceInfoList(info);
    return true;
  }

  HidHandle Open(const DevicePath& path, const OpenMode& mode) override {
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof security;
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = mode.inheritHandle ? TRUE : FALSE;
    const std::wstring widePath(path.begin(), path.end());
    const HANDLE handle = CreateFileW(widePath.c_str(), mode.desiredAccess, mode.shareMode,
                                      &security, OPEN_EXISTING, mode.flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return kNoHandle;
    auto* open = new OpenInterface;
    open->handle = handle;
    return reinterpret_cast<HidHandle>(open);
  }

  void Close(HidHandle handle) override {
    OpenInterface* open = FromHandle(handle);
    if (open == nullptr) return;
    CancelIo(open->handle);
    CloseHandle(open->handle);
    delete open;
  }

  bool GetCapabilities(HidHandle handle, HidCapabilities& caps) override {
    OpenInterface* open = FromHandle(handle);
    HIDP_CAPS hidCaps{};
    if (open == nullptr || !ReadCapabilities(open->handle, hidCaps)) return false;
    open->featureLength = hidCaps.FeatureReportByteLength;
    open->featureLengthKnown = true;
    caps.featureReportLength = hidCaps.FeatureReportByteLength;
    caps.inputReportLength = hidCaps.InputReportByteLength;
    caps.usagePage = hidCaps.UsagePage;
    caps.usage = hidCaps.Usage;
    return true;
  }

  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override {
    OpenInterface* open = FromHandle(handle);
    if (open == nullptr) return false;
    HIDD_ATTRIBUTES hid{};
    hid.Size = sizeof hid;
    if (!HidD_GetAttributes(open->handle, &hid)) return false;
    attributes.vendorId = hid.VendorID;
    attributes.productId = hid.ProductID;
    attributes.versionNumber = hid.VersionNumber;
    return true;
  }

  bool GetFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override {
    OpenInterface* open = FromHandle(handle);
    if (open == nullptr || length == 0) return false;
    // The driver refuses buffers shorter than the interface's report.
    std::vector<std::uint8_t> padded(std::max<std::size_t>(length, FeatureLength(*open)), 0);
    padded[0] = buffer[0];
    if (!HidD_GetFeature(open->handle, padded.data(), static_cast<ULONG>(padded.size()))) {
      return false;
    }
    std::copy(padded.begin(), padded.begin() + static_cast<std::ptrdiff_t>(length), buffer);
    return true;
  }

  bool SetFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override {
    OpenInterface* open = FromHandle(handle);
    if (open == nullptr || length == 0) return false;
    std::vector<std::uint8_t> padded(std::max<std::size_t>(length, FeatureLength(*open)), 0);
    std::copy(buffer, buffer + length, padded.begin());
    return HidD_SetFeature(open->handle, padded.data(), static_cast<ULONG>(padded.size())) != FALSE;
  }

  bool GetIndexedString(HidHandle handle, int index, std::uint8_t* buffer,
                        std::size_t size) override {
    OpenInterface* open = FromHandle(handle);
    if (open == nullptr || index < 0) return false;
    return HidD_GetIndexedString(open->handle, static_cast<ULONG>(index), buffer,
                                 static_cast<ULONG>(size)) != FALSE;
  }

  bool GetProductString(HidHandle handle, std::u16string& product) override {
    OpenInterface* open = FromHandle(handle);
    if (open == nullptr) return false;
    WCHAR text[kStringBufferBytes / sizeof(WCHAR)] = {};
    if (!HidD_GetProductString(open->handle, text, kStringBufferBytes)) return false;
    const std::size_t length = wcsnlen(text, kStringBufferBytes / sizeof(WCHAR));
    product.assign(reinterpret_cast<const char16_t*>(text), length);
    return true;
  }

 private:
  static std::size_t FeatureLength(OpenInterface& open) {
    if (!open.featureLengthKnown) {
      HIDP_CAPS caps{};
      open.featureLength = ReadCapabilities(open.handle, caps) ? caps.FeatureReportByteLength : 0;
      open.featureLengthKnown = true;
    }
    return open.featureLength;
  }
};

}  // namespace

std::unique_ptr<HidPort> MakeWin32HidPort() { return std::make_unique<Win32HidPort>(); }

}  // namespace device
