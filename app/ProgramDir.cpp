#include "app/ProgramDir.h"

std::u16string ProgramDirFromModulePath(const std::u16string& modulePath) {
  const size_t slash = modulePath.rfind(u'\\');
  std::u16string dir = slash == std::u16string::npos ? modulePath : modulePath.substr(0, slash);
  dir += u'\\';
  return dir;
}
