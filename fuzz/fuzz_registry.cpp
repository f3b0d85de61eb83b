// The registry's store file as found on disk.
// Property: a damaged file raises ERegistryException (never anything else)
// and is left as it was; a file that loads lists keys and values that can
// all be queried, and writing one of them keeps the others.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/fuzz_support.h"
#include "platform/rtl/classes_strings.h"
#include "platform/settings/registry.h"

namespace {

std::string ReadAll(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Every value of the key and its sub-keys (a few levels) can be queried.
void Walk(HKEY Key, int Depth) {
  for (DWORD i = 0;; ++i) {
    char name[512];
    DWORD len = sizeof name;
    DWORD type = 0;
    BYTE data[8192];
    DWORD size = sizeof data;
    LONG r = RegEnumValueA(Key, i, name, &len, nullptr, &type, data, &size);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS) continue;
    DWORD type2 = 0, size2 = sizeof data;
    FUZZ_CHECK(RegQueryValueExA(Key, name, nullptr, &type2, data, &size2) == ERROR_SUCCESS);
    FUZZ_CHECK(type2 == type && size2 == size);
  }
  if (Depth == 0) return;
  for (DWORD i = 0; i < 32; ++i) {
    char name[512];
    DWORD len = sizeof name;
    if (RegEnumKeyExA(Key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    FUZZ_CHECK(RegOpenKeyExA(Key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS);
    Walk(sub, Depth - 1);
    RegCloseKey(sub);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const std::string dir = [] {
    std::string d = ScratchFile("registry");
    std::filesystem::create_directories(d);
    return d;
  }();
  const std::string file = dir + "/HKEY_CURRENT_USER.reg";
  const std::string bytes = AsString(Data, Size);
  WriteFile(file, bytes);
  SetRegistryStoreDir(dir);  // forgets what was read before
  TRegistry reg;
  try {
    if (!reg.OpenKey("", false)) return 0;
  } catch (const ERegistryException&) {
    FUZZ_CHECK(ReadAll(file) == bytes);  // a damaged store is never overwritten
    return 0;
  }
  Walk(HKEY_CURRENT_USER, 3);
  TStringList names;
  reg.GetValueNames(&names);
  reg.WriteString("fuzz written", "x");
  SetRegistryStoreDir(dir);
  TRegistry again;
  FUZZ_CHECK(again.OpenKey("", false));
  TStringList after;
  again.GetValueNames(&after);
  for (int i = 0; i < names.GetCount(); ++i) FUZZ_CHECK(after.IndexOf(names.Get(i)) >= 0);
  FUZZ_CHECK(again.ReadString("fuzz written") == "x");
  return 0;
}
