// The port map: numbering from sysfs, stability, the user map file,
// registered ports and the registry's serial device map.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/settings/registry.h"
#include "platform/comms/serialports.h"

namespace fs = std::filesystem;

namespace {

class SerialPortMap : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/yunt_ports_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    root = tmpl;
    fs::create_directories(root / "sys");
    fs::create_directories(root / "dev" / "serial" / "by-id");
    saved = GetSerialPortSources();
    TSerialPortSources src;
    src.SysClassTty = (root / "sys").string();
    src.DevDir = (root / "dev").string();
    src.ByIdDir = (root / "dev" / "serial" / "by-id").string();
    src.MapFile = (root / "serialports.conf").string();
    SetSerialPortSources(src);
  }
  void TearDown() override {
    SetSerialPortSources(saved);
    fs::remove_all(root);
  }
  // A tty class entry; Type is written for ttyS ports, Device false for virtual ttys.
  void AddTty(const std::string& name, const char* type = "4", bool device = true) {
    fs::path dir = root / "sys" / name;
    fs::create_directories(dir);
    if (device) fs::create_directory_symlink("../../devices/fake", dir / "device");
    if (name.rfind("ttyS", 0) == 0) std::ofstream(dir / "type") << type << "\n";
  }
  void RemoveTty(const std::string& name) { fs::remove_all(root / "sys" / name); }
  std::string Dev(const std::string& name) { return (root / "dev" / name).string(); }
  std::vector<std::pair<unsigned, std::string>> Map() {
    std::vector<std::pair<unsigned, std::string>> out;
    for (const auto& p : GetSerialPorts()) {
      EXPECT_EQ(p.PortName, "COM" + std::to_string(p.Number));
      out.emplace_back(p.Number, p.DevicePath);
    }
    return out;
  }
  fs::path root;
  TSerialPortSources saved;
};

using TMap = std::vector<std::pair<unsigned, std::string>>;

TEST_F(SerialPortMap, NumbersUartsByIndexAndOtherDevicesAfterThem) {
  AddTty("ttyS0");
  AddTty("ttyS1", "0");  // a UART slot without a chip
  AddTty("ttyS3");
  AddTty("ttyUSB10");
  AddTty("ttyUSB2");
  AddTty("ttyACM0");
  AddTty("tty1", "", false);  // a virtual console
  AddTty("ttyS2");              // the kernel's serial console
  fs::create_directories(root / "sys" / "console");
  std::ofstream(root / "sys" / "console" / "active") << "ttyS2 tty0\n";
  fs::create_symlink("../../ttyUSB2", root / "dev" / "serial" / "by-id" / "usb-FTDI_RS485-if00");
  const std::string byId = (root / "dev" / "serial" / "by-id" / "usb-FTDI_RS485-if00").string();
  EXPECT_EQ(Map(), (TMap{{1, Dev("ttyS0")}, {4, Dev("ttyS3")}, {5, Dev("ttyACM0")}, {6, byId}, {7, Dev("ttyUSB10")}}));

  // Devices keep their numbers while present; a newcomer takes a free one.
  RemoveTty("ttyACM0");
  AddTty("ttyAMA0");
  AddTty("ttyACM1");
  EXPECT_EQ(Map(), (TMap{{1, Dev("ttyS0")}, {4, Dev("ttyS3")}, {5, Dev("ttyACM1")}, {6, byId}, {7, Dev("ttyUSB10")},
                         {8, Dev("ttyAMA0")}}));
}

TEST_F(SerialPortMap, MapFileAndRegisteredPortsComeFirst) {
  AddTty("ttyS0");
  AddTty("ttyUSB0");
  std::ofstream(root / "serialports.conf") << "# pinned\n"
                                           << "COM9 = " << Dev("ttyUSB0") << "\n"
                                           << "COM1=" << Dev("ttyX") << "  # wins over ttyS0\n"
                                           << "garbage line\nCOM0=/dev/null\n";
  EXPECT_EQ(Map(), (TMap{{1, Dev("ttyX")}, {9, Dev("ttyUSB0")}}));

  // A registered port displaces the pinned one, which is then numbered as
  // discovered; number 0 asks for the lowest free number.
  EXPECT_EQ(RegisterSerialPort(9, "/dev/pts/77"), 9u);
  EXPECT_EQ(RegisterSerialPort(0, "/dev/pts/78"), 3u);
  EXPECT_EQ(RegisterSerialPort(9, "/dev/pts/79"), 0u);  // taken
  EXPECT_EQ(RegisterSerialPort(9, "/dev/pts/77"), 9u);  // the same again is fine
  EXPECT_EQ(RegisterSerialPort(256, "/dev/pts/79"), 0u);
  EXPECT_EQ(Map(), (TMap{{1, Dev("ttyX")}, {2, Dev("ttyUSB0")}, {3, "/dev/pts/78"}, {9, "/dev/pts/77"}}));
  AnsiString path;
  ASSERT_TRUE(FindSerialPortPath(9, path));
  EXPECT_EQ(path, "/dev/pts/77");
  UnregisterSerialPort(9);
  UnregisterSerialPort(3);
  ASSERT_TRUE(FindSerialPortPath(9, path));
  EXPECT_EQ(path, Dev("ttyUSB0"));
  EXPECT_FALSE(FindSerialPortPath(3, path));
}

TEST_F(SerialPortMap, RegistryKeyListsTheSamePorts) {
  AddTty("ttyS0");
  unsigned n = RegisterSerialPort(12, "/dev/pts/90");
  ASSERT_EQ(n, 12u);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key), ERROR_SUCCESS);
  std::vector<std::pair<std::string, std::string>> values;
  for (DWORD i = 0;; ++i) {
    char name[260], data[260];
    DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataLen) !=
        ERROR_SUCCESS)
      break;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    values.emplace_back(name, data);
  }
  RegCloseKey(key);
  UnregisterSerialPort(12);
  EXPECT_EQ(values, (std::vector<std::pair<std::string, std::string>>{{Dev("ttyS0"), "COM1"}, {"/dev/pts/90", "COM12"}}));
}

TEST(SerialPortNames, ParsesPortNamesOnly) {
  const std::pair<const char*, unsigned> cases[] = {
      {"COM1", 1},  {"com3", 3},      {"CoM10", 10}, {"\\\\.\\COM7", 7}, {"\\\\?\\COM255", 255},
      {"COM0", 0},  {"COM256", 0},    {"COM01", 0},  {"COM", 0},         {"COM1:", 0},
      {"LPT1", 0},  {"\\\\.\\LPT1", 0}, {"", 0},     {"COM-1", 0},       {" COM1", 0},
  };
  for (const auto& [name, n] : cases) EXPECT_EQ(ParseSerialPortName(name), n) << name;
}

}  // namespace
