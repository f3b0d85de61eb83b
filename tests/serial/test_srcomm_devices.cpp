// The port list from the serial device map, the device list and its
// selection, and the reload on a device change.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/serialports.h"
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
  TsrComm c(nullptr);
  TListener listener;
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
  TsrComm c(nullptr);
  TListener listener;
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

}  // namespace
