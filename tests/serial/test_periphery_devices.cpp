// Device database functions on sysfs, the registry helpers and drive letters.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/rtl/classes.h"
#include "platform/settings/registry.h"
#include "platform/comms/serialports.h"
#include "serial/srcomm.h"
#include "serial/srwin32di.h"

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
  TempDir() {
    char tmpl[] = "/tmp/periphery_devXXXXXX";
    Path = mkdtemp(tmpl);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(Path, ec);
  }
  fs::path Path;
};

void WriteFile(const fs::path& File, const std::string& Text) {
  fs::create_directories(File.parent_path());
  std::ofstream(File) << Text;
}

void Link(const fs::path& At, const std::string& Target) {
  fs::create_directories(At.parent_path());
  fs::create_symlink(Target, At);
}

// A small sysfs: a legacy UART (ttyS0, no USB parent) and an FTDI adapter
// (ttyUSB0 below the USB device 1-2, with an endpoint and a by-id link).
class PeripheryDevices : public ::testing::Test {
protected:
  void SetUp() override {
    const fs::path sys = Dir.Path / "sys";
    WriteFile(sys / "devices/pnp0/00:04/uevent", "");
    Link(sys / "devices/pnp0/00:04/driver", "../../../bus/pnp/drivers/serial");
    WriteFile(sys / "class/tty/ttyS0/type", "4\n");
    Link(sys / "class/tty/ttyS0/device", "../../../devices/pnp0/00:04");
    // Empty legacy slot: not a port.
    WriteFile(sys / "class/tty/ttyS1/type", "0\n");
    Link(sys / "class/tty/ttyS1/device", "../../../devices/pnp0/00:04");

    const fs::path usb = sys / "devices/pci0/usb1/1-2";
    WriteFile(usb / "uevent", "");
    WriteFile(usb / "idVendor", "0403\n");
    WriteFile(usb / "product", "FT232R USB UART\n");
    WriteFile(usb / "manufacturer", "FTDI\n");
    WriteFile(usb / "ep_00/uevent", "");
    Link(usb / "ep_00/subsystem", "../../../../../class/usb_endpoint");
    WriteFile(usb / "power/control", "auto\n");
    WriteFile(usb / "1-2:1.0/uevent", "");
    WriteFile(usb / "1-2:1.0/ttyUSB0/uevent", "");
    Link(usb / "1-2:1.0/ttyUSB0/driver", "../../../../../../bus/usb-serial/drivers/ftdi_sio");
    fs::create_directories(sys / "module/usbserial_ftdi");
    Link(sys / "bus/usb-serial/drivers/ftdi_sio/module", "../../../../module/usbserial_ftdi");
    Link(sys / "class/tty/ttyUSB0/device", "../../../devices/pci0/usb1/1-2/1-2:1.0/ttyUSB0");

    WriteFile(Dir.Path / "dev/ttyS0", "");
    WriteFile(Dir.Path / "dev/ttyUSB0", "");
    WriteFile(Dir.Path / "dev/pts7", "");
    Link(Dir.Path / "dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "../../ttyUSB0");

    Saved = GetSerialPortSources();
    TSerialPortSources src;
    src.SysClassTty = (sys / "class/tty").string();
    src.DevDir = (Dir.Path / "dev").string();
    src.ByIdDir = (Dir.Path / "dev/serial/by-id").string();
    src.MapFile = (Dir.Path / "serialports.conf").string();
    SetSerialPortSources(src);
    // A registered port without hardware behind it (a pseudo-terminal).
    RegisterSerialPort(9, (Dir.Path / "dev/pts7").string());
  }
  void TearDown() override {
    UnregisterSerialPort(9);
    SetSerialPortSources(Saved);
    for (int i = 0; i < List.Count(); ++i) delete List.Objects(i);
  }

  TsrDevice* Find(const AnsiString& Driver) {
    int i = List.IndexOf(Driver);
    return i < 0 ? nullptr : static_cast<TsrDevice*>(List.Objects(i));
  }

  TempDir Dir;
  TSerialPortSources Saved;
  TStringList List;
};

TEST_F(PeripheryDevices, PortsClassListsHardwarePortsWithTheirNames) {
  DiEnumInstalledDevices(&GUID_DEVCLASS_PORTS, true, true, false, &List);
  ASSERT_EQ(List.Count(), 2);  // the registered pseudo-terminal has no device

  TsrDevice* uart = Find("serial");
  ASSERT_NE(uart, nullptr);
  EXPECT_EQ(uart->RegPortName, "COM1");
  EXPECT_EQ(uart->Service, "serial");
  EXPECT_EQ(uart->Description, "");
  EXPECT_EQ(uart->InstanceId, "pnp0/00:04");
  EXPECT_EQ(uart->DevicePath, (Dir.Path / "dev/ttyS0").string());

  TsrDevice* ftdi = Find("ftdi_sio");
  ASSERT_NE(ftdi, nullptr);
  EXPECT_EQ(ftdi->RegPortName, "COM2");
  EXPECT_EQ(ftdi->Description, "FT232R USB UART");
  EXPECT_EQ(ftdi->Manufacturer, "FTDI");
  EXPECT_EQ(ftdi->Service, "usbserial_ftdi");
  EXPECT_EQ(ftdi->InstanceId, "pci0/usb1/1-2");
  EXPECT_EQ(ftdi->Relations, "pci0/usb1/1-2/1-2:1.0");  // not the endpoint, not power/
  EXPECT_EQ(ftdi->SymbolicName, (Dir.Path / "dev/serial/by-id/usb-FTDI_FT232R-if00-port0").string());
  EXPECT_EQ(ftdi->DevicePath, (Dir.Path / "dev/ttyUSB0").string());
}

TEST_F(PeripheryDevices, WhichEnumerationsYieldPorts) {
  struct {
    const TGUID* Guid;
    bool ByDeviceInfo, AsInterface;
    int Count;
    bool HasPortName;
  } cases[] = {
      {nullptr, true, false, 2, true},                     // all classes
      {&GUID_DEVCLASS_PORTS, true, false, 2, true},
      {&GUID_DEVINTERFACE_COMPORT, false, true, 2, false},  // interfaces carry no port name
      {&GUID_DEVINTERFACE_COMPORT, true, true, 2, true},
      {&GUID_DEVINTERFACE_SERENUM_BUS_ENUMERATOR, false, true, 0, false},
      {&GUID_DEVINTERFACE_MODEM, false, true, 0, false},
      {&GUID_DEVCLASS_MODEM, true, false, 0, false},
      {&GUID_DEVCLASS_MULTIPORTSERIAL, true, false, 0, false},
  };
  for (const auto& c : cases) {
    TStringList list;
    DiEnumInstalledDevices(c.Guid, false, c.ByDeviceInfo, c.AsInterface, &list);
    EXPECT_EQ(list.Count(), c.Count);
    for (int i = 0; i < list.Count(); ++i) {
      auto* d = static_cast<TsrDevice*>(list.Objects(i));
      EXPECT_EQ(!d->RegPortName.empty(), c.HasPortName);
      EXPECT_EQ(list.Strings(i), d->Driver);
      delete d;
    }
  }
  DiEnumInstalledDevices(&GUID_DEVCLASS_PORTS, true, true, false, nullptr);  // no list: nothing
}

TEST_F(PeripheryDevices, RelationsRefuseIdentifiersOutsideTheDevicesFolder) {
  EXPECT_EQ(DiGetRelations("pci0/usb1/1-2", ",", true), "pci0/usb1/1-2/1-2:1.0");
  EXPECT_EQ(DiGetRelations("pci0/usb1", ",", true), "pci0/usb1/1-2");
  EXPECT_EQ(DiGetRelations("pci0/usb1/1-2", ",", false), "");
  EXPECT_EQ(DiGetRelations("pci0/usb1/1-2/1-2:1.0/ttyUSB0", ",", true), "");
  for (const char* bad : {"", "../devices/pci0", "pci0/../../sys", "/etc", "nonexistent"})
    EXPECT_EQ(DiGetRelations(bad, ",", true), "") << bad;
}

TEST(PeripheryDatabase, AdministrationFailsWithoutTheDatabase) {
  EXPECT_FALSE(IniSetupDI());
  EXPECT_EQ(GetW32Name("SetupDiGetClassDevsA"), "SetupDiGetClassDevsA");
  EXPECT_FALSE(InstallDriver("USB\\VID_0403&PID_6001", "/tmp/ftdi.inf"));
  EXPECT_FALSE(DiEjectDevice(1));
  EXPECT_FALSE(DiRestartDevice("pci0/usb1/1-2", GUID_DEVCLASS_PORTS));
  EXPECT_FALSE(DiRemoveDevice("pci0/usb1/1-2", GUID_DEVCLASS_PORTS));
  EXPECT_EQ(CM_Request_Device_Eject, nullptr);
}

TEST(PeripheryDatabase, VolumesFromTheDriveTable) {
  EXPECT_EQ(DiGetVolumes(true, true, true, true, true, ","), "");  // no drive letters here
  SetDriveSource({[] { return DWORD{(1u << 0) | (1u << 2) | (1u << 3) | (1u << 4) | (1u << 25)}; },
                  [](const AnsiString& root) -> UINT {
                    if (root == "A:\\") return DRIVE_REMOVABLE;
                    if (root == "E:\\") return DRIVE_CDROM;
                    if (root == "Z:\\") return DRIVE_REMOTE;
                    return root == "C:\\" || root == "D:\\" ? DRIVE_FIXED : DRIVE_UNKNOWN;
                  }});
  EXPECT_EQ(DiGetVolumes(false, false, true, false, false, ","), "C,D,");  // the separator stays
  EXPECT_EQ(DiGetVolumes(false, false, true, false, false, " "), "C D");   // blanks are trimmed
  EXPECT_EQ(DiGetVolumes(true, true, false, true, true, ";"), "A;E;Z;");
  EXPECT_EQ(DiGetVolumes(false, false, false, false, false, ";"), "");
  SetDriveSource({});
}

TEST(PeripheryDatabase, ParsedStringLists) {
  struct {
    std::string Buffer;
    const char* Separator;
    const char* Result;
  } cases[] = {
      {std::string("a\0b\0\0", 5), ";", "a;b"},
      {std::string("COM3\0\0", 6), ";", "COM3"},
      {std::string("\0\0", 2), ";", ""},
      {std::string("x\0\0y\0\0", 6), ", ", "x, , y"},
      {std::string("abc", 3), ";", "ab"},  // no terminator: the last character is not read
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetParsedWin32StrList(c.Buffer.data(), static_cast<DWORD>(c.Buffer.size()), c.Separator), c.Result);
  EXPECT_EQ(GetParsedWin32StrList(nullptr, 5, ";"), "");
  EXPECT_EQ(GetParsedWin32StrList("a", 1, ";"), "");
}

class PeripheryRegistry : public ::testing::Test {
protected:
  void SetUp() override { SetRegistryStoreDir(Dir.Path.string()); }
  void TearDown() override { SetRegistryStoreDir(""); }
  TempDir Dir;
};

TEST_F(PeripheryRegistry, ReadStringDropsOnlyTheTerminatingZero) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\Enum\\Dev\\Params", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>("COM3"), 5);
  RegSetValueExA(key, "Raw", 0, REG_BINARY, reinterpret_cast<const BYTE*>("ab\0"), 3);
  RegSetValueExA(key, "Empty", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);

  AnsiString value = "old";
  EXPECT_EQ(RegReadString(HKEY_LOCAL_MACHINE, "SYSTEM\\Enum\\Dev\\Params", "PortName", value), ERROR_SUCCESS);
  EXPECT_EQ(value, "COM3");
  RegReadString(HKEY_LOCAL_MACHINE, "SYSTEM\\Enum\\Dev\\Params", "Raw", value);
  EXPECT_EQ(value, AnsiString("ab\0", 3));  // not a text value: bytes as stored
  RegReadString(HKEY_LOCAL_MACHINE, "SYSTEM\\Enum\\Dev\\Params", "Empty", value);
  EXPECT_EQ(value, "");
  value = "old";
  EXPECT_EQ(RegReadString(HKEY_LOCAL_MACHINE, "SYSTEM\\Enum\\Dev\\Params", "Missing", value), ERROR_SUCCESS);
  EXPECT_EQ(value, "");
  value = "old";
  EXPECT_NE(RegReadString(HKEY_LOCAL_MACHINE, "SYSTEM\\No\\Such", "PortName", value), ERROR_SUCCESS);
  EXPECT_EQ(value, "");

  // Key names: below the machine root, below the user root, parents.
  HKEY root = HKEY_CURRENT_USER;
  AnsiString name;
  RegGetKeyFullName(key, &root, name);
  EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(name, "SYSTEM\\Enum\\Dev\\Params");
  RegGetKeyFullName(key, nullptr, name);
  EXPECT_EQ(name, "\\REGISTRY\\MACHINE\\SYSTEM\\Enum\\Dev\\Params");
  RegCloseKey(key);

  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Maker", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegGetKeyFullName(key, &root, name);
  EXPECT_EQ(root, HKEY_CURRENT_USER);
  EXPECT_EQ(name, "Software\\Maker");
  RegCloseKey(key);

  RegGetKeyFullName(reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE), &root, name);
  EXPECT_EQ(name, "");
  EXPECT_EQ(root, nullptr);
  RegGetKeyFullName(HKEY_LOCAL_MACHINE, &root, name);  // a predefined root is no key handle
  EXPECT_EQ(name, "");

  EXPECT_EQ(RegGetKeyParentName("SYSTEM\\Enum\\Dev"), "SYSTEM\\Enum");
  EXPECT_EQ(RegGetKeyParentName("SYSTEM"), "");
  EXPECT_EQ(RegGetKeyParentName("\\"), "");
}

}  // namespace

namespace {

TEST_F(PeripheryDevices, FullInformationPortListNamesAdapters) {
  struct {
    TsrEnumPorts Mode;
    std::vector<AnsiString> Names;
  } cases[] = {
      {epQuickAll, {"COM1", "COM2", "COM9"}},
      {epFullInfo, {"COM1", "COM2 (FT232R USB UART)", "COM9"}},
      {epFullPresent, {"COM1", "COM2 (FT232R USB UART)"}},  // the pseudo-terminal has no device
  };
  for (const auto& k : cases) {
    TsrComm comm(nullptr);
    comm.EnumPorts = k.Mode;
    TStringList names;
    comm.GetDeviceList(&names);
    std::vector<AnsiString> got;
    for (int i = 0; i < names.Count(); ++i) got.push_back(names.Strings(i));
    EXPECT_EQ(got, k.Names) << k.Mode;
    if (k.Mode != epQuickAll) {
      TsrDevice* usb = comm.GetDevice(1);
      ASSERT_NE(usb, nullptr);
      EXPECT_EQ(usb->Manufacturer, "FTDI");
      EXPECT_EQ(usb->Driver, "ftdi_sio");
    }
  }
}

}  // namespace
