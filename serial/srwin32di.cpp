#include "serial/srwin32di.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/codepages.h"
#include "platform/comms/serialports.h"
#include "platform/rtl/sysutils.h"

namespace fs = std::filesystem;

CONFIGRET (*CmLocate)(DEVINST*, LPCSTR, ULONG) = nullptr;
CONFIGRET (*CmRegProperty)(DEVINST, ULONG, ULONG*, void*, ULONG*, ULONG) = nullptr;
CONFIGRET (*CmGetChild)(DEVINST*, DEVINST, ULONG) = nullptr;
CONFIGRET (*CmGetSubling)(DEVINST*, DEVINST, ULONG) = nullptr;
CONFIGRET (*CmGetParent)(DEVINST*, DEVINST, ULONG) = nullptr;
CONFIGRET (*CM_Get_Device_ID_List_Size)(ULONG*, LPCSTR, ULONG) = nullptr;
CONFIGRET (*CM_Get_Device_ID_List)(LPCSTR, char*, ULONG, ULONG) = nullptr;
CONFIGRET (*CM_Request_Device_Eject)(DEVINST, int*, char*, ULONG, ULONG) = nullptr;

bool IniSetupDI() { return false; }

AnsiString GetW32Name(const AnsiString& Name) { return Name; }

// ---- sysfs --------------------------------------------------------------------------

namespace {

AnsiString ReadFirstLine(const fs::path& File) {
  std::ifstream in(File);
  AnsiString line;
  if (!in || !std::getline(in, line)) return "";
  return Trim(line);
}

AnsiString LinkName(const fs::path& Link) {
  std::error_code ec;
  fs::path target = fs::read_symlink(Link, ec);
  return ec ? AnsiString() : target.filename().string();
}

// The sysfs folder that holds every device, next to the tty class folder.
fs::path DevicesRoot() {
  std::error_code ec;
  fs::path root = fs::weakly_canonical(fs::path(GetSerialPortSources().SysClassTty) / ".." / ".." / "devices", ec);
  return ec ? fs::path() : root;
}

// The device folder of an instance identifier; empty for an identifier that
// is not a plain relative path below the devices folder.
fs::path DeviceFolder(const AnsiString& InstanceId) {
  if (InstanceId.empty()) return {};
  fs::path rel(InstanceId);
  if (rel.is_absolute()) return {};
  for (const auto& part : rel)
    if (part == ".." || part == ".") return {};
  fs::path root = DevicesRoot();
  if (root.empty()) return {};
  std::error_code ec;
  fs::path dir = root / rel;
  return fs::is_directory(dir, ec) ? dir : fs::path();
}

AnsiString InstanceIdOf(const fs::path& Dir, const fs::path& Root) {
  std::error_code ec;
  fs::path rel = fs::relative(Dir, Root, ec);
  if (ec || rel.empty() || *rel.begin() == "..") return "";
  return rel.generic_string();
}

// The kernel name of the tty a port opens (through a by-id link or not).
AnsiString KernelName(const AnsiString& DevicePath) {
  std::error_code ec;
  fs::path p(DevicePath);
  if (fs::is_symlink(p, ec)) return fs::read_symlink(p, ec).filename().string();
  return p.filename().string();
}

std::unique_ptr<TsrDevice> DeviceOfPort(const TSerialPortInfo& Port, bool ByDeviceInfo) {
  const TSerialPortSources src = GetSerialPortSources();
  std::error_code ec;
  const AnsiString kernel = KernelName(Port.DevicePath);
  if (kernel.empty()) return nullptr;
  fs::path link = fs::path(src.SysClassTty) / kernel / "device";
  if (!fs::exists(link, ec)) return nullptr;  // no hardware behind it (a pty)
  fs::path dev = fs::canonical(link, ec);
  if (ec) return nullptr;
  const fs::path root = DevicesRoot();

  // The USB device the port belongs to, when there is one: it has the names.
  fs::path usb;
  for (fs::path d = dev; !root.empty() && d != root && d.has_relative_path(); d = d.parent_path()) {
    if (fs::exists(d / "idVendor", ec)) {
      usb = d;
      break;
    }
    if (d.parent_path() == d) break;
  }

  auto device = std::make_unique<TsrDevice>();
  device->Driver = LinkName(dev / "driver");
  device->Service = LinkName(dev / "driver" / "module");
  if (device->Service.empty()) device->Service = device->Driver;
  device->DevicePath = (fs::path(src.DevDir) / kernel).string();
  if (!usb.empty()) {
    device->Description = ReadFirstLine(usb / "product");
    device->Manufacturer = ReadFirstLine(usb / "manufacturer");
  }
  if (device->Description.empty()) {
    // A USB interface may name itself where the device does not.
    for (fs::path d = dev; !usb.empty() && d != usb && d.has_relative_path(); d = d.parent_path()) {
      device->Description = ReadFirstLine(d / "interface");
      if (!device->Description.empty() || d.parent_path() == d) break;
    }
  }
  device->SymbolicName = Port.DevicePath;
  if (ByDeviceInfo) {
    device->RegPortName = Port.PortName;
    device->InstanceId = InstanceIdOf(usb.empty() ? dev : usb, root);
    if (!device->InstanceId.empty()) device->Relations = DiGetRelations(device->InstanceId, ";", true);
  }
  return device;
}

}  // namespace

void DiEnumInstalledDevices(const TGUID* Guid, bool /*PresentOnly*/, bool ByDeviceInfo, bool AsInterface,
                            TStrings* List) {
  if (!List) return;
  // Only serial ports are known here, and every one listed is present.
  bool ports;
  if (!Guid)
    ports = true;
  else if (AsInterface || !ByDeviceInfo)
    ports = *Guid == GUID_DEVINTERFACE_COMPORT;
  else
    ports = *Guid == GUID_DEVCLASS_PORTS;
  if (!ports) return;
  for (const TSerialPortInfo& port : GetSerialPorts()) {
    std::unique_ptr<TsrDevice> device = DeviceOfPort(port, ByDeviceInfo);
    if (!device) continue;
    const AnsiString driver = device->Driver;
    List->AddObject(driver, device.get());
    device.release();
  }
}

AnsiString DiGetRelations(const AnsiString& InstanceId, const AnsiString& Separator, bool BusRelations) {
  if (!BusRelations) return "";
  fs::path dir = DeviceFolder(InstanceId);
  if (dir.empty()) return "";
  std::vector<AnsiString> children;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    std::error_code eec;
    if (entry.is_symlink(eec) || !entry.is_directory(eec)) continue;
    if (!fs::exists(entry.path() / "uevent", eec)) continue;
    // Endpoints are sysfs devices too, but not devices to a user.
    if (LinkName(entry.path() / "subsystem") == "usb_endpoint") continue;
    children.push_back(InstanceId + "/" + entry.path().filename().string());
  }
  std::sort(children.begin(), children.end());
  AnsiString result;
  for (size_t i = 0; i < children.size(); ++i) result += (i ? Separator : AnsiString()) + children[i];
  return result;
}

// Installing, ejecting, restarting and removing devices need the database,
// which this system does not have: they report failure.
bool InstallDriver(const AnsiString& /*HardwareId*/, const AnsiString& /*InfPath*/) { return false; }

// ---- drive letters --------------------------------------------------------------------

namespace {
TDriveSource& DriveSource() {
  static TDriveSource source;
  return source;
}
}  // namespace

void SetDriveSource(TDriveSource Source) { DriveSource() = std::move(Source); }

AnsiString DiGetVolumes(bool Remote, bool CdRom, bool Fixed, bool Removable, bool RamDisk,
                        const AnsiString& Separator) {
  const TDriveSource& src = DriveSource();
  const DWORD mask = src.LogicalDrives ? src.LogicalDrives() : 0;
  AnsiString result;
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const char letter = static_cast<char>('A' + i);
    const UINT type = src.DriveType ? src.DriveType(AnsiString(1, letter) + ":\\") : DRIVE_UNKNOWN;
    if ((type == DRIVE_REMOVABLE && Removable) || (type == DRIVE_REMOTE && Remote) ||
        (type == DRIVE_CDROM && CdRom) || (type == DRIVE_FIXED && Fixed) || (type == DRIVE_RAMDISK && RamDisk))
      result += AnsiString(1, letter) + Separator;
  }
  return Trim(result);
}

bool DiEjectDevice(DEVINST /*DevInst*/) { return false; }

bool DiRestartDevice(const AnsiString& /*InstanceId*/, const TGUID& /*ClassGuid*/) { return false; }

bool DiRemoveDevice(const AnsiString& /*InstanceId*/, const TGUID& /*ClassGuid*/) { return false; }

// ---- registry ---------------------------------------------------------------------------

LONG RegReadString(HKEY RootKey, const AnsiString& SubKey, const AnsiString& ValueName, AnsiString& Value) {
  Value.clear();
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(RootKey, SubKey.c_str(), 0, KEY_READ, &key);
  if (rc != ERROR_SUCCESS) return rc;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, ValueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<BYTE> data(size + 1, ' ');
    if (RegQueryValueExA(key, ValueName.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
      if (type == REG_SZ && size > 0 && data[size - 1] == 0) --size;
      Value.assign(reinterpret_cast<const char*>(data.data()), size);
    }
  }
  return RegCloseKey(key);
}

void RegGetKeyFullName(HKEY Key, HKEY* RootOut, AnsiString& Name) {
  Name.clear();
  if (RootOut) *RootOut = nullptr;
  if (!Key || Key == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE)) return;
  ULONG size = 0;
  ZwQueryKey(Key, KeyNameInformation, nullptr, 0, &size);
  if (size < sizeof(ULONG)) return;
  // char16_t units keep the record aligned; two spare bytes as the platform's.
  std::vector<char16_t> block(size / sizeof(char16_t) + 2, 0);
  if (ZwQueryKey(Key, KeyNameInformation, block.data(), size, &size) != STATUS_SUCCESS) return;
  const auto* info = reinterpret_cast<const KEY_NAME_INFORMATION*>(block.data());
  const size_t units = std::min<size_t>(info->NameLength / sizeof(char16_t),
                                        (block.size() * sizeof(char16_t) - sizeof(ULONG)) / sizeof(char16_t));
  AnsiString full = WideToUtf8(WideString(info->Name, units));
  Name = full;
  if (!RootOut) return;
  if (full.size() >= 18 && full.compare(9, 9, "\\MACHINE\\") == 0) {
    *RootOut = HKEY_LOCAL_MACHINE;
    Name = full.substr(18);
  } else if (full.size() >= 15 && full.compare(9, 6, "\\USER\\") == 0) {
    *RootOut = HKEY_CURRENT_USER;
    // After "\REGISTRY\USER\" comes the user's identifier, then the path.
    AnsiString rest = full.substr(15);
    size_t slash = rest.find('\\');
    Name = slash == AnsiString::npos ? AnsiString() : rest.substr(slash + 1);
  }
}

AnsiString RegGetKeyParentName(const AnsiString& Path) {
  size_t slash = Path.rfind('\\');
  return slash == AnsiString::npos ? AnsiString() : Path.substr(0, slash);
}

AnsiString GetParsedWin32StrList(const char* Buffer, DWORD Length, const AnsiString& Separator) {
  AnsiString result;
  if (!Buffer || Length < 2) return result;
  for (DWORD i = 0; i + 1 < Length; ++i) {
    if (Buffer[i] != '\0') {
      result += Buffer[i];
    } else if (i == Length - 2) {
      break;  // the last text's terminator
    } else {
      result += Separator;
    }
  }
  return result;
}
