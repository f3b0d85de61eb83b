#include "serial/srsysutils.h"

#include <cstdio>
#include <vector>

#include "platform/settings/fileversion.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/syncobjs.h"
#include "platform/rtl/sysutils.h"

AnsiString IntToOct(Cardinal Value) {
  AnsiString digits;
  for (; Value != 0; Value >>= 3) digits.insert(digits.begin(), static_cast<char>('0' + (Value & 7u)));
  return digits;
}

Integer OctToInt(const AnsiString& Text) {
  // Unsigned arithmetic: long texts wrap instead of overflowing a signed value.
  Cardinal value = 0;
  for (char c : Text) {
    if (c < '0' || c > '7') return 0;
    value = value * 8u + static_cast<Cardinal>(c - '0');
  }
  return static_cast<Integer>(value);
}

namespace {
// Built on first use, so code running during static initialisation of other
// units can use it too.
TCriticalSection& ThreadCritical() {
  static TCriticalSection section;
  return section;
}
}  // namespace

void srEnterThreadCritical() { ThreadCritical().Enter(); }
void srLeaveThreadCritical() { ThreadCritical().Leave(); }

AnsiString GUIDToString(const TGUID& Guid) {
  return Format("{%.8x-%.4x-%.4x-%.2x%.2x-%.2x%.2x%.2x%.2x%.2x%.2x}",
                {Guid.D1, static_cast<unsigned>(Guid.D2), static_cast<unsigned>(Guid.D3),
                 static_cast<unsigned>(Guid.D4[0]), static_cast<unsigned>(Guid.D4[1]),
                 static_cast<unsigned>(Guid.D4[2]), static_cast<unsigned>(Guid.D4[3]),
                 static_cast<unsigned>(Guid.D4[4]), static_cast<unsigned>(Guid.D4[5]),
                 static_cast<unsigned>(Guid.D4[6]), static_cast<unsigned>(Guid.D4[7])});
}

TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Minute, Word Second,
                         Word MilliSecond) {
  return EncodeDate(Year, Month, Day) + EncodeTime(Hour, Minute, Second, MilliSecond);
}

AnsiString GetDequotedString(const AnsiString& Text) {
  if (Text.size() > 1 && (Text.front() == '"' || Text.front() == '\'') && Text.back() == Text.front())
    return Text.substr(1, Text.size() - 2);
  return Text;
}

AnsiString ReplaceStrangeChars(const AnsiString& Text) {
  AnsiString s = StringReplace(Text, "\\??\\", "", rfReplaceAll);
  s = StringReplace(s, "_??_", "", rfReplaceAll);
  s = StringReplace(s, "#", "\\", rfReplaceAll);
  return Trim(s);
}

namespace {
AnsiString SystemName(const OSVERSIONINFOA& v) {
  switch (v.dwMajorVersion) {
    case 3:
      return "NT 3.51";
    case 4:
      if (v.dwMinorVersion == 10) return "98";
      if (v.dwMinorVersion == 90) return "Me";
      return v.dwPlatformId == VER_PLATFORM_WIN32_NT ? "NT 4" : "95";
    case 5:
      if (v.dwMinorVersion == 0) return "2000";
      if (v.dwMinorVersion == 1) return "XP";
      if (v.dwMinorVersion == 2) return "2003";
      return "";
    case 6:
      return v.dwMinorVersion == 0 ? "Vista" : "Longhorn";
    default:
      return "";
  }
}
}  // namespace

AnsiString srGetVersion(const AnsiString& FileName, const AnsiString& Format) {
  const AnsiString fmt = Format.empty() ? AnsiString("%u.%u.%u.%u") : Format;
  if (!FileName.empty()) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(FileName.c_str(), &handle);
    if (size == 0) return "";
    std::vector<Byte> block(size);
    if (!GetFileVersionInfoA(FileName.c_str(), handle, size, block.data())) return "";
    void* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(block.data(), "\\", &info, &len) || !info || len < sizeof(VS_FIXEDFILEINFO))
      return "";
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(info);
    return ::Format(fmt, {fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFFu,
                          fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFFu});
  }
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof(v);
  if (!GetVersionExA(&v)) return "";
  v.szCSDVersion[sizeof(v.szCSDVersion) - 1] = '\0';
  return "Windows " + SystemName(v) + " [" +
         ::Format("%u.%u.%u", {v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber}) + "] " +
         v.szCSDVersion;
}

bool CreateFileFromRes(const AnsiString& ResName, const AnsiString& FileName) {
  std::vector<BYTE> data;
  if (!LoadDataResource(ResName.c_str(), data)) return false;
  std::FILE* f = std::fopen(FileName.c_str(), "wb");
  if (!f) return false;
  const bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
  const bool closed = std::fclose(f) == 0;
  return written && closed;
}

AnsiString GetResAsStr(const AnsiString& ResName) {
  std::vector<BYTE> data;
  if (!LoadDataResource(ResName.c_str(), data)) return "";
  return AnsiString(data.begin(), data.end());
}
