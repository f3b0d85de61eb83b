// The port list from the serial device map, the device list and its
// selection, and the reload on a device change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/settings/registry.h"
#include "platform/comms/serialports.h"
#include "serial/srcomm.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

using TMap = std::vector<std::pair<AnsiString, AnsiString>>;

// Scripts the device map for one test and puts the system's back after.
class SrCommDevices : public ::testing::Test {
protected:
  void Script(TMap Values) {
    SetSerialCommProvider([Values] { return Values; });
  }
  void TearDown() override {
    SetSerialCommProvider([] {
      TMap values;
      for (const auto& p : GetSerialPorts()) values.emplace_back(p.DevicePath, p.PortName);
      return values;
    });
  }
  static std::vector<std::pair<AnsiString, Integer>> Entries(TStrings& List) {
    std::vector<std::pair<AnsiString, Integer>> r;
    for (int i = 0; i < List.Count(); ++i)
      r.emplace_back(List.Strings(i), static_cast<Integer>(reinterpret_cast<std::intptr_t>(List.Objects(i))));
    return r;
  }
};

TEST_F(SrCommDevices, PortListIsSortedUniqueAndSkipsOddEntries) {
  Script({{"\\Device\\Serial9", "COM10"},
          {"\\Device\\Serial0", "COM1"},
          {"\\Device\\Odd", "COMx"},  // not a number: left out, the rest still listed
          {"\\Device\\Serial2", "COM3"},
          {"\\Device\\Again", "COM3"},
          {"\\Device\\Lower", "com4"},
          {"\\Device\\Printer", "LPT1"},
          {"\\Device\\Bare", "COM"},
          {"\\Device\\Sign", "COM-2"}});
  TStringList list;
  list.Add("stale");
  GetPortList(&list, false);
  using E = std::vector<std::pair<AnsiString, Integer>>;
  EXPECT_EQ(Entries(list), (E{{"COM1", 1}, {"COM3", 3}, {"COM4", 4}, {"COM10", 10}}));
  GetPortList(&list, true);
  EXPECT_EQ(Entries(list), (E{{"COM1=\\Device\\Serial0", 1},
                              {"COM3=\\Device\\Serial2", 3},
                              {"COM4=\\Device\\Lower", 4},
                              {"COM10=\\Device\\Serial9", 10}}));
}

TEST_F(SrCommDevices, DeviceListAndSelection) {
  Script({{"\\Device\\Serial9", "COM10"}, {"\\Device\\Serial0", "COM1"}, {"\\Device\\Serial2", "COM3"}});
  TListener listener;  // outlives the component, which notifies when freed
  TsrComm c(nullptr);
  c.NotifyAdd(listener.Event());
  // Nothing is loaded yet: a selection changes nothing.
  c.SetDeviceIndex(1);
  EXPECT_EQ(c.GetComPortNo(), 1);
  EXPECT_EQ(c.GetDeviceCount(), 0);

  TStringList names;
  c.GetDeviceList(&names);
  EXPECT_EQ(names.GetTextStr(), "COM1\r\nCOM3\r\nCOM10\r\n");
  for (int i = 0; i < 3; ++i) {
    TsrDevice* d = c.GetDevice(i);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(names.Objects(i), d);
    EXPECT_EQ(d->Index, i);
    EXPECT_EQ(d->Owner, &c);
    EXPECT_EQ(d->PortName, d->Name);
  }
  EXPECT_EQ(c.GetDevice(2)->DeviceData, 10);
  EXPECT_EQ(c.GetDevice(1)->DevicePath, "\\Device\\Serial2");
  EXPECT_EQ(c.GetDevice(3), nullptr);

  c.SetDeviceIndex(1);
  EXPECT_EQ(c.GetComPortNo(), 3);
  EXPECT_EQ(c.GetDeviceIndex(), 1);
  EXPECT_EQ(listener.Codes, (std::vector<Integer>{3}));
  c.SetDeviceIndex(-1);  // nothing selected: the port stays
  c.SetDeviceIndex(3);
  EXPECT_EQ(c.GetComPortNo(), 3);
  c.SetComPortNo(7);
  EXPECT_EQ(c.GetDeviceIndex(), -1);

  // Loaded once; GetDeviceList without a target only loads.
  Script({});
  c.GetDeviceList(nullptr);
  EXPECT_EQ(c.GetDeviceCount(), 3);
  c.DeviceListClear();
  EXPECT_EQ(c.GetDeviceCount(), 0);
}

TEST_F(SrCommDevices, SortedAddKeepsKeysUniqueAndIndexesRight) {
  TsrComm c(nullptr);
  auto add = [&](Integer Key) {
    auto* d = new TsrDevice;
    d->DeviceData = Key;
    d->Name = "COM" + std::to_string(Key);
    const Integer i = c.AddDeviceSorted(d);
    if (i < 0) delete d;
    return i;
  };
  EXPECT_EQ(add(5), 0);
  EXPECT_EQ(add(9), 1);
  EXPECT_EQ(add(2), 0);
  EXPECT_EQ(add(7), 2);
  EXPECT_EQ(add(7), -1);
  EXPECT_EQ(add(2), -1);
  std::vector<Integer> keys;
  for (int i = 0; i < c.GetDeviceCount(); ++i) {
    EXPECT_EQ(c.GetDevice(i)->Index, i);
    keys.push_back(c.GetDevice(i)->DeviceData);
  }
  EXPECT_EQ(keys, (std::vector<Integer>{2, 5, 7, 9}));
  EXPECT_EQ(c.IndexOfDeviceData(7), 2);
  EXPECT_EQ(c.IndexOfDevice(c.GetDevice(3)), 3);
}

TEST_F(SrCommDevices, APortArrivalUpdatesTheList) {
  TearDown();  // the system's own map, with the test's ports in it
  TListener listener;  // outlives the component, which notifies when freed
  TsrComm c(nullptr);
  c.NotifyAdd(listener.Event());
  c.GetDeviceList(nullptr);
  auto peer = std::make_unique<TPtyPeer>();
  const Integer number = static_cast<Integer>(peer->Number());
  EXPECT_EQ(c.IndexOfDeviceData(number), -1);

  DEV_BROADCAST_HDR port{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_PORT, 0};
  DEV_BROADCAST_HDR volume{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_VOLUME, 0};
  TWMDeviceChange other{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume), 0};
  EXPECT_FALSE(c.WMDeviceChange(other));
  TWMDeviceChange noHeader{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, 0};
  EXPECT_FALSE(c.WMDeviceChange(noHeader));
  EXPECT_TRUE(listener.Codes.empty());

  TWMDeviceChange arrival{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&port), 0};
  EXPECT_TRUE(c.WMDeviceChange(arrival));
  EXPECT_GE(c.IndexOfDeviceData(number), 0);
  EXPECT_EQ(listener.Codes, (std::vector<Integer>{3}));

  peer.reset();
  TWMDeviceChange nodes{WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, 0};
  EXPECT_TRUE(c.WMDeviceChange(nodes));
  EXPECT_EQ(c.IndexOfDeviceData(number), -1);
  EXPECT_EQ(listener.Codes, (std::vector<Integer>{3, 3}));
}

// A small sysfs with a legacy UART (ttyS0 = COM1) and a USB adapter that
// describes itself (ttyUSB0 = COM2), plus a registered port without any
// hardware behind it (COM9).
class SrCommInstalledDevices : public ::testing::Test {
protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    char tmpl[] = "/tmp/srcomm_devXXXXXX";
    Root = mkdtemp(tmpl);
    auto file = [](const fs::path& F, const char* Text) {
      fs::create_directories(F.parent_path());
      std::ofstream(F) << Text;
    };
    auto link = [](const fs::path& At, const char* Target) {
      fs::create_directories(At.parent_path());
      fs::create_symlink(Target, At);
    };
    const fs::path sys = Root / "sys";
    file(sys / "devices/pnp0/00:04/uevent", "");
    link(sys / "devices/pnp0/00:04/driver", "../../../bus/pnp/drivers/serial");
    file(sys / "class/tty/ttyS0/type", "4\n");
    link(sys / "class/tty/ttyS0/device", "../../../devices/pnp0/00:04");
    const fs::path usb = sys / "devices/pci0/usb1/1-2";
    file(usb / "uevent", "");
    file(usb / "idVendor", "0403\n");
    file(usb / "product", "FT232R USB UART\n");
    file(usb / "manufacturer", "FTDI\n");
    file(usb / "1-2:1.0/uevent", "");
    file(usb / "1-2:1.0/ttyUSB0/uevent", "");
    link(usb / "1-2:1.0/ttyUSB0/driver", "../../../../../../bus/usb-serial/drivers/ftdi_sio");
    link(sys / "class/tty/ttyUSB0/device", "../../../devices/pci0/usb1/1-2/1-2:1.0/ttyUSB0");
    for (const char* dev : {"ttyS0", "ttyUSB0", "pts7"}) file(Root / "dev" / dev, "");

    Saved = GetSerialPortSources();
    TSerialPortSources src;
    src.SysClassTty = (sys / "class/tty").string();
    src.DevDir = (Root / "dev").string();
    src.ByIdDir = (Root / "dev/serial/by-id").string();
    src.MapFile = (Root / "serialports.conf").string();
    SetSerialPortSources(src);
    RegisterSerialPort(9, (Root / "dev/pts7").string());
  }
  void TearDown() override {
    UnregisterSerialPort(9);
    SetSerialPortSources(Saved);
    std::error_code ec;
    std::filesystem::remove_all(Root, ec);
  }
  static AnsiString Names(TsrEnumPorts Mode) {
    TsrComm c(nullptr);
    c.EnumPorts = Mode;
    TStringList names;
    c.GetDeviceList(&names);
    return names.GetTextStr();
  }

  std::filesystem::path Root;
  TSerialPortSources Saved;
};

TEST_F(SrCommInstalledDevices, DescriptionsAndPresentPortsFromTheDeviceDatabase) {
  EXPECT_EQ(Names(epQuickAll), "COM1\r\nCOM2\r\nCOM9\r\n");
  EXPECT_EQ(Names(epFullInfo), "COM1\r\nCOM2 (FT232R USB UART)\r\nCOM9\r\n");
  EXPECT_EQ(Names(epFullPresent), "COM1\r\nCOM2 (FT232R USB UART)\r\n");

  TsrComm c(nullptr);
  c.EnumPorts = epFullInfo;
  c.GetDeviceList(nullptr);
  TsrDevice* usb = c.GetDevice(1);
  ASSERT_NE(usb, nullptr);
  EXPECT_EQ(usb->PortName, "COM2");
  EXPECT_EQ(usb->DeviceData, 2);
  EXPECT_EQ(usb->RegPortName, "COM2");
  EXPECT_EQ(usb->Description, "FT232R USB UART");
  EXPECT_EQ(usb->Manufacturer, "FTDI");
  EXPECT_FALSE(usb->DevicePath.empty());
}

}  // namespace
