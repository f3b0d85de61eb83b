// Ini files as users edit them.
// Property: reading never raises; every value read that has no blanks or
// quotes around it can be written to a new file (or is refused with
// EIniFileException) and reads back the same.
#include <cstdio>

#include "fuzz/fuzz_support.h"
#include "platform/rtl/classes_strings.h"
#include "platform/settings/inifiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const std::string source = ScratchFile("ini_in"), copy = ScratchFile("ini_out");
  WriteFile(source, AsString(Data, Size));
  std::remove(copy.c_str());
  TIniFile in(source), out(copy);
  TStringList sections, keys, values;
  in.ReadSections(&sections);
  for (int s = 0; s < sections.GetCount() && s < 16; ++s) {
    const AnsiString section = sections.Get(s);
    in.ReadSection(section, &keys);
    in.ReadSectionValues(section, &values);
    for (int k = 0; k < keys.GetCount() && k < 16; ++k) {
      const AnsiString key = keys.Get(k);
      const AnsiString value = in.ReadString(section, key, "\x01" "default");
      FUZZ_CHECK(in.ValueExists(section, key));
      (void)in.ReadInteger(section, key, 0);
      (void)in.ReadFloat(section, key, 0);
      // As the platform's profile files: blanks around a value and one pair
      // of enclosing quotes are not kept, so only other values come back.
      const bool bare = !value.empty() && static_cast<unsigned char>(value.front()) > ' ' &&
                        static_cast<unsigned char>(value.back()) > ' ' &&
                        !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                          value.back() == value.front());
      if (!bare) continue;
      try {
        out.WriteString(section, key, value);
      } catch (const EIniFileException&) {
        continue;
      }
      FUZZ_CHECK_EQ(out.ReadString(section, key, "\x01" "missing"), value);
    }
  }
  return 0;
}
