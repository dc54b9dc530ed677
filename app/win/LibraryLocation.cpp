#include "app/win/LibraryLocation.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "app/win/WinText.h"
#include "base/DiagLog.h"

FilePlace LocateOwnFile(const std::u16string& programDir, const std::filesystem::path& fileName, const char* what) {
  std::filesystem::path userDir;
  PWSTR roaming = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming))) {
    userDir = std::filesystem::path(FromWide(roaming)) / kUserFolderName;
  }
  CoTaskMemFree(roaming);
  const std::filesystem::path program(programDir);
  const bool writable = FolderIsWritable(program);
  const FilePlace place = ChooseFilePlace(program, writable, userDir, fileName);
  diag::Write(std::string(what) + ": program folder " + (writable ? "writable" : "not writable") + "; read from " +
              place.readFrom.u8string() + ", saved to " + place.saveTo.u8string());
  return place;
}

LibraryPlace LocateLibrary(const std::u16string& programDir) { return LocateOwnFile(programDir, kLibraryFileName, "library"); }
