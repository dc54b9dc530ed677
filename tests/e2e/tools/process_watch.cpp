// Watches the program's process from beside it, for the reliability
// scenarios: ends it the moment a file appears (a save's temporary), and
// counts what it holds (handles, GDI objects and windows).
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/win/HandleCount.h"

namespace {

HANDLE OpenProgram(const wchar_t* title, DWORD access) {
  DWORD process = 0;
  GetWindowThreadProcessId(FindWindowW(nullptr, title), &process);
  return process ? OpenProcess(access, FALSE, process) : nullptr;
}

// Polls FOLDER for a file whose name starts with PREFIX and ends the program
// with TerminateProcess as soon as one is there, as a power cut or the task
// manager would end it in the middle of a save.
int TerminateOnFile(const wchar_t* title, const std::wstring& folder, const std::wstring& prefix, int seconds) {
  HANDLE program = OpenProgram(title, PROCESS_TERMINATE | SYNCHRONIZE);
  if (!program) {
    std::fprintf(stderr, "no program window titled %ls\n", title);
    return 2;
  }
  const std::wstring pattern = folder + L"\\" + prefix + L"*";
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  std::printf("watching\n");
  std::fflush(stdout);
  while (GetTickCount64() < until) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      FindClose(search);
      const BOOL ended = TerminateProcess(program, 9);
      WaitForSingleObject(program, 5000);
      std::printf("terminated: %d while %ls was there\n", ended ? 1 : 0, found.cFileName);
      CloseHandle(program);
      return ended ? 0 : 1;
    }
    Sleep(0);
  }
  CloseHandle(program);
  std::printf("no file appeared\n");
  return 1;
}

// GDI objects of `program`, from the handle table the system shares with it
// (PEB.GdiSharedHandleTable): 24-byte entries whose byte 14 is the object's
// type, 0 when the entry is free. Counted this way because Wine's
// GetGuiResources answers nothing. -1 when the table cannot be read.
long GdiObjects(HANDLE program) {
  using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(program, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  constexpr SIZE_T kTableOffset = 0xF8;  // in a 64-bit PEB
  UINT64 table = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(program, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kTableOffset, &table,
                         sizeof table, &read) ||
      table == 0) {
    return -1;
  }
  constexpr SIZE_T kEntry = 24;
  for (SIZE_T entries : {SIZE_T{65536}, SIZE_T{16384}}) {
    std::vector<BYTE> bytes(entries * kEntry);
    if (!ReadProcessMemory(program, reinterpret_cast<const void*>(table), bytes.data(), bytes.size(), &read)) continue;
    long count = 0;
    for (SIZE_T at = 0; at + kEntry <= read; at += kEntry) {
      if (bytes[at + 14] != 0) ++count;
    }
    return count;
  }
  return -1;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counts) {
  auto* state = reinterpret_cast<std::pair<DWORD, long>*>(counts);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == state->first) ++state->second;
  return TRUE;
}

// The program's windows, top-level and child: its USER objects that grow
// with use, counted so because Wine's GetGuiResources answers nothing.
long Windows(DWORD process) {
  std::pair<DWORD, long> counts{process, 0};
  EnumWindows(
      [](HWND window, LPARAM state) -> BOOL {
        CountWindow(window, state);
        EnumChildWindows(window, CountWindow, state);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&counts));
  return counts.second;
}

// One line: "handles N gdi N windows N" and the handles by type ("typeT N").
int Resources(const wchar_t* title) {
  HANDLE program = OpenProgram(title, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
  if (!program) return 2;
  const DWORD process = GetProcessId(program);
  const std::vector<long> byType = HandlesByType(process);
  std::printf("handles %ld gdi %ld windows %ld", HandleCount(process), GdiObjects(program), Windows(process));
  // Handles by object type, so a growing count names what grows.
  for (std::size_t type = 0; type < byType.size(); ++type) {
    if (byType[type] > 0) std::printf(" type%zu %ld", type, byType[type]);
  }
  std::printf("\n");
  CloseHandle(program);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"terminateonfile" && argc == 6) return TerminateOnFile(argv[2], argv[3], argv[4], _wtoi(argv[5]));
  if (command == L"resources" && argc == 3) return Resources(argv[2]);
  std::fprintf(stderr, "usage: process_watch terminateonfile TITLE FOLDER PREFIX SECONDS | resources TITLE\n");
  return 2;
}
