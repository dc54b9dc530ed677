#pragma once
// The built program beside the tests and benches (build/windows/Vantor3.exe),
// opened for its resources without running it.
#include <windows.h>

#include <string>

inline std::wstring ProgramBesideThisOne() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder = folder.substr(0, folder.find_last_of(L"\\/"));
  return folder.substr(0, folder.find_last_of(L"\\/")) + L"\\Vantor3.exe";
}

inline HMODULE OpenProgramResources(const std::wstring& program = ProgramBesideThisOne()) {
  return LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}
