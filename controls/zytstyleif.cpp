#include "controls/zytstyleif.h"

#include "platform/settings/fileversion.h"

AnsiString ZytVersionString(int VersionNr) {
  const auto v = static_cast<unsigned>(VersionNr);
  return std::to_string((v >> 24) & 0xFF) + "." + std::to_string((v >> 16) & 0xFF) + "." +
         std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
}

bool IsVista() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 6;
}
