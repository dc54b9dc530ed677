#pragma once
// The handles a process holds, from the system's list of every process's
// handles: Wine answers GetProcessHandleCount with 0, but keeps this list.
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

// The handles of `process` by object type index (empty when the list cannot
// be had).
inline std::vector<long> HandlesByType(DWORD process) {
  struct HandleEntry {
    USHORT process;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ULONG access;
  };
  struct HandleList {
    ULONG count;
    HandleEntry entries[1];
  };
  constexpr SYSTEM_INFORMATION_CLASS kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  using QuerySystem = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QuerySystem>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<long> byType;
  if (!query) return byType;
  std::vector<BYTE> buffer(1 << 20);
  for (int attempt = 0; attempt < 6; ++attempt) {
    ULONG needed = 0;
    if (query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) == 0) {
      const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
      for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].process != static_cast<USHORT>(process)) continue;
        const std::size_t type = list->entries[i].objectType;
        if (byType.size() <= type) byType.resize(type + 1);
        ++byType[type];
      }
      return byType;
    }
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  return byType;
}

// All handles of `process`, or -1 when the list cannot be had.
inline long HandleCount(DWORD process) {
  const std::vector<long> byType = HandlesByType(process);
  long total = 0;
  for (long count : byType) total += count;
  return byType.empty() ? -1 : total;
}
