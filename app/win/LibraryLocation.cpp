#include "app/win/LibraryLocation.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "app/win/WinText.h"
#include "base/DiagLog.h"

LibraryPlace LocateLibrary(const std::u16string& programDir) {
  std::filesystem::path userDir;
  PWSTR roaming = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming))) {
    userDir = std::filesystem::path(FromWide(roaming)) / kUserFolderName;
  }
  CoTaskMemFree(roaming);
  const std::filesystem::path program(programDir);
  const bool writable = FolderIsWritable(program);
  const LibraryPlace place = ChooseLibraryPlace(program, writable, userDir);
  diag::Write(std::string("library: program folder ") + (writable ? "writable" : "not writable") + "; read from " +
              place.readFrom.u8string() + ", saved to " + place.saveTo.u8string());
  return place;
}
