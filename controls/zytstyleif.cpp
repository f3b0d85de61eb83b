#include "controls/zytstyleif.h"

#include "platform/settings/fileversion.h"

const TGUID IID_IZytStyle = {0x11AC2DDC, 0xC087, 0x4298, {0xAB, 0x6E, 0xEA, 0x1B, 0x50, 0x17, 0x51, 0x1B}};

TInterfaceRef<IZytStyle> ZytStyleOf(TObject* Instance) {
  auto* intf = dynamic_cast<IInterface*>(Instance);
  void* obj = nullptr;
  if (!intf || intf->QueryInterface(IID_IZytStyle, &obj) != S_OK || !obj) return {};
  // QueryInterface counted a reference that the holder now owns.
  auto* style = static_cast<IZytStyle*>(obj);
  TInterfaceRef<IZytStyle> ref(style);
  style->Release();
  return ref;
}

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
