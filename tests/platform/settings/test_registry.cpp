#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/rtl/classes.h"
#include "platform/settings/registry.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/yunt_reg_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    Dir = tmpl;
    SetRegistryStoreDir(Dir.string());
  }
  void TearDown() override {
    SetSerialCommProvider(nullptr);
    SetRegistryStoreDir("");
    fs::remove_all(Dir);
  }

  // Forgets everything held in memory: the next call reads the files.
  void Reload() { SetRegistryStoreDir(Dir.string()); }
  std::string UserFile() const { return (Dir / "HKEY_CURRENT_USER.reg").string(); }
  std::string Read(const std::string& Path) const {
    std::ifstream in(Path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static Lines ToVector(const TStringList& L) {
    Lines v;
    for (int i = 0; i < L.GetCount(); ++i) v.push_back(L.Get(i));
    return v;
  }
  template <class F>
  static std::string MessageOf(F Call) {
    try {
      Call();
    } catch (const ERegistryException& e) {
      return e.Message;
    }
    return "(no exception)";
  }

  fs::path Dir;
};

TEST_F(RegistryTest, EachValueTypeSurvivesAReloadFromDisk) {
  unsigned char config[49];
  for (int i = 0; i < 49; ++i) config[i] = static_cast<unsigned char>(i * 5 + 1);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Yunt\\Config", true));
    EXPECT_EQ(reg.GetCurrentPath(), "Software\\Yunt\\Config");
    reg.WriteString("Place", "Подстанция №1");
    reg.WriteInteger("Count", -5);
    reg.WriteBool("Flag", true);
    reg.WriteBinaryData("Comm", config, sizeof config);
    reg.WriteString("Count2", "12");
  }
  Reload();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("software\\YUNT\\config", false));
  EXPECT_EQ(reg.ReadString("place"), "Подстанция №1");
  EXPECT_EQ(reg.ReadInteger("Count"), -5);
  EXPECT_TRUE(reg.ReadBool("Flag"));
  EXPECT_EQ(reg.GetDataSize("Comm"), 49);
  EXPECT_EQ(reg.GetDataType("Comm"), rdBinary);
  unsigned char back[64] = {};
  EXPECT_EQ(reg.ReadBinaryData("Comm", back, sizeof back), 49);
  EXPECT_EQ(std::memcmp(back, config, 49), 0);
  // The file is meant to be read by people.
  std::string text = Read(UserFile());
  EXPECT_NE(text.find("[Software\\Yunt\\Config]\n\"Place\"=\"Подстанция №1\"\n\"Count\"=dword:fffffffb\n"),
            std::string::npos)
      << text;
}

TEST_F(RegistryTest, WrongTypesAndMissingValuesRaiseThePlatformTexts) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("T", true));
  reg.WriteString("S", "7");
  reg.WriteString("Long", "seven");
  reg.WriteInteger("I", 7);
  unsigned char blob[49] = {};
  reg.WriteBinaryData("B", blob, sizeof blob);
  EXPECT_EQ(MessageOf([&] { reg.ReadInteger("S"); }), "Invalid data type for 'S'");
  EXPECT_EQ(MessageOf([&] { reg.ReadString("I"); }), "Invalid data type for 'I'");
  EXPECT_EQ(MessageOf([&] { reg.ReadInteger("Nope"); }), "Failed to get data for 'Nope'");
  EXPECT_EQ(MessageOf([&] { reg.ReadInteger("Long"); }), "Failed to get data for 'Long'");
  EXPECT_EQ(MessageOf([&] { reg.ReadInteger("B"); }), "Failed to get data for 'B'");
  unsigned char small[48];
  EXPECT_EQ(MessageOf([&] { reg.ReadBinaryData("B", small, sizeof small); }), "Invalid data type for 'B'");
  EXPECT_EQ(reg.ReadBinaryData("Nope", small, sizeof small), 0);
  EXPECT_EQ(reg.ReadString("Nope"), "");
  EXPECT_EQ(reg.GetDataSize("Nope"), -1);
  EXPECT_TRUE(reg.DeleteValue("s"));
  EXPECT_FALSE(reg.ValueExists("S"));
  EXPECT_FALSE(reg.DeleteValue("S"));

  TRegistry none;  // no key open: nothing to write to
  EXPECT_EQ(MessageOf([&] { none.WriteInteger("X", 1); }), "Failed to set data for 'X'");
  TRegistry readOnly;
  ASSERT_TRUE(readOnly.OpenKeyReadOnly("\\T"));
  EXPECT_EQ(readOnly.ReadInteger("I"), 7);
  EXPECT_EQ(MessageOf([&] { readOnly.WriteInteger("I", 8); }), "Failed to set data for 'I'");
}

TEST_F(RegistryTest, KeysAreCreatedListedAndDeletedAsATree) {
  TRegistry reg;
  EXPECT_TRUE(reg.CreateKey("App\\B\\Deep"));
  EXPECT_TRUE(reg.CreateKey("App\\A"));
  EXPECT_FALSE(reg.OpenKey("App\\Missing", false));
  ASSERT_TRUE(reg.OpenKey("App", false));
  EXPECT_TRUE(reg.OpenKey("B", false));  // relative to the current key
  EXPECT_EQ(reg.GetCurrentPath(), "App\\B");
  EXPECT_TRUE(reg.HasSubKeys());
  reg.WriteInteger("v2", 2);
  reg.WriteInteger("V1", 1);
  reg.WriteInteger("v2", 3);  // rewriting keeps the place
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(ToVector(names), (Lines{"v2", "V1"}));
  ASSERT_TRUE(reg.OpenKey("\\App", false));  // absolute
  EXPECT_EQ(reg.GetCurrentPath(), "App");
  reg.GetKeyNames(&names);
  EXPECT_EQ(ToVector(names), (Lines{"B", "A"}));
  EXPECT_TRUE(reg.KeyExists("b\\deep"));

  EXPECT_TRUE(reg.DeleteKey("B"));
  EXPECT_FALSE(reg.KeyExists("B"));
  EXPECT_FALSE(reg.KeyExists("\\App\\B\\Deep"));
  EXPECT_TRUE(reg.KeyExists("A"));
  EXPECT_FALSE(reg.DeleteKey("B"));
  Reload();
  EXPECT_FALSE(TRegistry().KeyExists("App\\B"));
  EXPECT_TRUE(TRegistry().KeyExists("App\\A"));
}

TEST_F(RegistryTest, HandlesFollowTheWin32Contract) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "K\\", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  const BYTE data[] = "COM7";
  ASSERT_EQ(RegSetValueExA(key, "LongValueName", 0, REG_SZ, data, sizeof data), ERROR_SUCCESS);

  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "longvaluename", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 5u);
  BYTE buf[8];
  size = 3;
  EXPECT_EQ(RegQueryValueExA(key, "LongValueName", nullptr, nullptr, buf, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 5u);

  char name[8];
  DWORD nameLen = sizeof name;
  EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLen, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  char bigName[32];
  nameLen = sizeof bigName;
  size = sizeof buf;
  EXPECT_EQ(RegEnumValueA(key, 0, bigName, &nameLen, nullptr, &type, buf, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(bigName, nameLen), "LongValueName");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), size), std::string("COM7", 5));
  nameLen = sizeof bigName;
  EXPECT_EQ(RegEnumValueA(key, 1, bigName, &nameLen, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(readOnly, "x", 0, REG_SZ, data, sizeof data), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "K"), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(readOnly, "LongValueName", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_READ, &readOnly), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "a\\\\b", 0, KEY_READ, &readOnly), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

// Asks for the native name as the device-database helpers do: size first,
// then a zero-filled block two bytes larger.
std::string NativeName(HKEY Key) {
  ULONG size = 0;
  EXPECT_EQ(ZwQueryKey(Key, KeyNameInformation, nullptr, 0, &size), STATUS_BUFFER_TOO_SMALL);
  std::vector<unsigned char> block(size + 2, 0);
  EXPECT_EQ(ZwQueryKey(Key, KeyNameInformation, block.data(), size + 2, &size), STATUS_SUCCESS);
  auto* info = reinterpret_cast<KEY_NAME_INFORMATION*>(block.data());
  std::string ascii;
  for (ULONG i = 0; i < info->NameLength / 2; ++i) ascii += static_cast<char>(info->Name[i]);
  return ascii;
}

TEST_F(RegistryTest, NativeKeyNamesUseTheStoredSpelling) {
  TRegistry().CreateKey("Software\\Yunt");
  HKEY user = nullptr, machine = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\yunt", 0, KEY_READ, &user), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "hardware\\devicemap\\serialcomm", 0, KEY_READ, &machine),
            ERROR_SUCCESS);
  std::string name = NativeName(user);
  EXPECT_EQ(name.rfind("\\REGISTRY\\USER\\", 0), 0u) << name;
  EXPECT_EQ(name.substr(name.find('\\', 15) + 1), "Software\\Yunt");
  EXPECT_EQ(NativeName(machine), "\\REGISTRY\\MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM");
  ULONG size = 0;
  EXPECT_EQ(ZwQueryKey(HKEY_CURRENT_USER, KeyNameInformation, nullptr, 0, &size), STATUS_INVALID_HANDLE);
  RegCloseKey(user);
  RegCloseKey(machine);
}

TEST_F(RegistryTest, OddNamesAndDataComeBackByteForByte) {
  struct Case {
    std::string Name;
    DWORD Type;
    std::string Data;
  } cases[] = {
      {"", REG_SZ, std::string("default\0", 8)},
      {"quote\"back\\slash", REG_SZ, std::string("line1\nline2\t\"q\"\\\0", 18)},
      {"bad utf8 \xff", REG_SZ, std::string("\xc3\x28\x01\0", 4)},
      {"no terminator", REG_SZ, "abc"},
      {"two zeros", REG_SZ, std::string("a\0b\0", 4)},
      {"short dword", REG_DWORD, "ab"},
      {"empty binary", REG_BINARY, ""},
      {"multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
  };
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Odd ] [name", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  for (const Case& c : cases)
    ASSERT_EQ(RegSetValueExA(key, c.Name.c_str(), 0, c.Type, reinterpret_cast<const BYTE*>(c.Data.data()),
                             static_cast<DWORD>(c.Data.size())),
              ERROR_SUCCESS);
  RegCloseKey(key);
  Reload();
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Odd ] [name", 0, KEY_READ, &key), ERROR_SUCCESS);
  for (const Case& c : cases) {
    BYTE buf[64];
    DWORD type = 0, size = sizeof buf;
    ASSERT_EQ(RegQueryValueExA(key, c.Name.c_str(), nullptr, &type, buf, &size), ERROR_SUCCESS) << c.Name;
    EXPECT_EQ(type, c.Type) << c.Name;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), size), c.Data) << c.Name;
  }
  RegCloseKey(key);
}

TEST_F(RegistryTest, ValueNamesWithNulAreRefused) {
  using namespace std::string_literals;
  // Escaped and raw: both were listed but could never be queried.
  for (const std::string& line : {"\"a\\x00b\"=dword:1\n"s, "\"a\0b\"=dword:1\n"s}) {
    std::ofstream(UserFile(), std::ios::binary) << "[K]\n" + line;
    Reload();
    TRegistry reg;
    std::string message = MessageOf([&] { reg.OpenKey("K", false); });
    EXPECT_NE(message.find("line 2"), std::string::npos) << message;
  }
  fs::remove(UserFile());
  Reload();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("K", true));
  EXPECT_THROW(reg.WriteInteger("a\0b"s, 1), ERegistryException);
  EXPECT_FALSE(reg.ValueExists("a"));
}

TEST_F(RegistryTest, ChangesByAnotherProgramAreSeen) {
  TRegistry().CreateKey("Shared");
  std::ofstream(UserFile(), std::ios::binary) << "[Shared]\n\"Edited\"=dword:00000010\n";
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Shared", false));
  EXPECT_EQ(reg.ReadInteger("Edited"), 16);
}

TEST_F(RegistryTest, ADamagedStoreIsReportedAndLeftAlone) {
  const std::string damaged = "[Good]\n\"a\"=dword:1\n\"b\"=dword:zz\n";
  std::ofstream(UserFile(), std::ios::binary) << damaged;
  TRegistry reg;
  std::string message = MessageOf([&] { reg.OpenKey("Good", true); });
  EXPECT_NE(message.find(UserFile()), std::string::npos) << message;
  EXPECT_NE(message.find("line 3"), std::string::npos) << message;
  EXPECT_THROW(reg.KeyExists("Good"), ERegistryException);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Good", 0, KEY_ALL_ACCESS, &key), ERROR_BADDB);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_BADDB);
  EXPECT_EQ(Read(UserFile()), damaged);
  // The other root has a file of its own and is not affected.
  TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(machine.OpenKey("Software\\Yunt", true));
}

TEST_F(RegistryTest, AnUnwritableStoreFailsTheWriteAndKeepsNothingInMemory) {
  SetRegistryStoreDir("/proc/yunt_registry");  // cannot be created, not even by root
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey("K", true));
  EXPECT_THROW(reg.CreateKey("K"), ERegistryException);
  ASSERT_TRUE(reg.OpenKey("", false));  // the root itself
  EXPECT_EQ(MessageOf([&] { reg.WriteInteger("v", 2); }), "Failed to set data for 'v'");
  EXPECT_FALSE(reg.ValueExists("v"));
}

// Enumerates the serial device map as port discovery does.
std::vector<std::pair<std::string, std::string>> ReadSerialMap(LONG& OpenResult) {
  std::vector<std::pair<std::string, std::string>> found;
  HKEY key = nullptr;
  OpenResult = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key);
  if (OpenResult != ERROR_SUCCESS) return found;
  for (DWORD i = 0;; ++i) {
    char name[260];
    BYTE data[260];
    DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    EXPECT_EQ(type, REG_SZ);
    found.emplace_back(std::string(name, nameLen), reinterpret_cast<char*>(data));
  }
  RegCloseKey(key);
  return found;
}

TEST_F(RegistryTest, SerialDeviceMapComesFromTheProviderAndIsReadOnly) {
  LONG opened = -1;
  EXPECT_TRUE(ReadSerialMap(opened).empty());
  EXPECT_EQ(opened, ERROR_SUCCESS);

  std::vector<std::pair<AnsiString, AnsiString>> ports = {
      {"\\Device\\Serial0", "COM10"}, {"\\Device\\Serial1", "com1"}, {"\\Device\\USBSER000", "COM3"}};
  SetSerialCommProvider([&] { return ports; });
  std::vector<std::pair<std::string, std::string>> expected(ports.begin(), ports.end());
  EXPECT_EQ(ReadSerialMap(opened), expected);

  // A damaged machine store does not hide the ports.
  std::ofstream((Dir / "HKEY_LOCAL_MACHINE.reg").string()) << "garbage\n";
  EXPECT_EQ(ReadSerialMap(opened), expected);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "hardware\\devicemap\\serialcomm", 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  const BYTE com9[] = "COM9";
  EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, com9, sizeof com9), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(key, "\\Device\\Serial0"), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\Other", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_ACCESS_DENIED);

  fs::remove(Dir / "HKEY_LOCAL_MACHINE.reg");
  TRegistry machine(KEY_READ);
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenKey("HARDWARE\\DEVICEMAP", false));
  TStringList names;
  machine.GetKeyNames(&names);
  EXPECT_EQ(ToVector(names), Lines{"SERIALCOMM"});
  ASSERT_TRUE(machine.OpenKey("SERIALCOMM", false));
  EXPECT_EQ(machine.ReadString("\\Device\\Serial1"), "com1");

  SetSerialCommProvider([]() -> std::vector<std::pair<AnsiString, AnsiString>> { throw Exception("no ports"); });
  EXPECT_TRUE(ReadSerialMap(opened).empty());
  EXPECT_EQ(opened, ERROR_SUCCESS);
}

TEST_F(RegistryTest, RegistryIniFileKeepsSectionsAsSubKeys) {
  {
    TRegistryIniFile ini("Software\\Yunt\\Grid");
    ini.WriteInteger("Columns", "Col0", 64);
    ini.WriteInteger("Columns", "Col1", 80);
    ini.WriteString("Columns", "Text", "42");
    ini.WriteBool("Other", "On", true);
  }
  Reload();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Yunt\\Grid\\Columns", false));
  EXPECT_EQ(reg.GetDataType("Col0"), rdInteger);
  EXPECT_EQ(reg.ReadInteger("Col1"), 80);

  TRegistryIniFile ini("\\Software\\Yunt\\Grid");
  EXPECT_EQ(ini.ReadInteger("Columns", "col0", -1), 64);
  EXPECT_EQ(ini.ReadInteger("Columns", "Col9", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Columns", "Text", -1), 42);
  EXPECT_EQ(ini.ReadString("Columns", "Col1", ""), "80");
  EXPECT_EQ(ini.ReadString("Missing", "Col1", "d"), "d");
  EXPECT_TRUE(ini.ReadBool("Other", "On", false));
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(ToVector(list), (Lines{"Columns", "Other"}));
  ini.ReadSectionValues("Columns", &list);
  EXPECT_EQ(ToVector(list), (Lines{"Col0=64", "Col1=80", "Text=42"}));
  ini.DeleteKey("Columns", "Text");
  EXPECT_FALSE(ini.ValueExists("Columns", "Text"));
  ini.EraseSection("Columns");
  EXPECT_FALSE(ini.SectionExists("Columns"));
  EXPECT_FALSE(reg.KeyExists("\\Software\\Yunt\\Grid\\Columns"));
}

}  // namespace
