#include <windows.h>

#include <cstdlib>

#include "app/win/ConfigApp.h"
#include "app/win/WinText.h"
#include "base/DiagLog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (const wchar_t* logFile = _wgetenv(L"VANTOR_LOG")) {
    diag::Open(std::filesystem::path(FromWide(logFile)));
  }
  ConfigApp app(instance);
  const int code = app.Run();
  diag::Write("process ends");
  diag::Close();
  return code;
}
