#include "platform/settings/fileversion.h"

#include <cstring>
#include <unistd.h>

#include "platform/settings/inifiles_support.h"
#include "platform/rtl/syncobjs.h"

namespace {

// The version block in the platform's layout: a VS_VERSIONINFO header (length,
// value length, type, the key "VS_VERSION_INFO" in UTF-16, padding to four
// bytes) followed by the fixed information; no string tables.
constexpr size_t kKeyOffset = 6;
constexpr char kKey[] = "VS_VERSION_INFO";
constexpr size_t kFixedOffset = 40;
constexpr size_t kBlockSize = kFixedOffset + sizeof(VS_FIXEDFILEINFO);

void PutWord(unsigned char* P, WORD V) {
  P[0] = static_cast<unsigned char>(V & 0xFF);
  P[1] = static_cast<unsigned char>(V >> 8);
}

WORD GetWord(const unsigned char* P) { return static_cast<WORD>(P[0] | (P[1] << 8)); }

AnsiString BaseName(const AnsiString& Path) {
  size_t slash = Path.find_last_of("/\\");
  return slash == AnsiString::npos ? Path : Path.substr(slash + 1);
}

AnsiString ProgramName() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? BaseName(AnsiString(buf, static_cast<size_t>(n))) : AnsiString();
}

// Fills Info for the files we know; false for the others.
bool KnownVersion(LPCSTR FileName, VS_FIXEDFILEINFO& Info) {
  if (!FileName) return false;
  AnsiString name = BaseName(FileName);
  AnsiString program = ProgramName();
  DWORD ms = 0, type = 0;
  if (SettingsSameText(name, "COMCTL32.DLL")) {
    ms = 0x00060000;  // 6.0
    type = VFT_DLL;
  } else if (!program.empty() &&
             (SettingsSameText(name, program) || SettingsSameText(name, program + ".exe"))) {
    ms = 0x00010000;  // 1.0
    type = VFT_APP;
  } else {
    return false;
  }
  Info = VS_FIXEDFILEINFO{};
  Info.dwSignature = VS_FFI_SIGNATURE;
  Info.dwStrucVersion = VS_FFI_STRUCVERSION;
  Info.dwFileVersionMS = Info.dwProductVersionMS = ms;
  Info.dwFileFlagsMask = 0x3F;
  Info.dwFileOS = VOS_NT_WINDOWS32;
  Info.dwFileType = type;
  return true;
}

void BuildBlock(const VS_FIXEDFILEINFO& Info, unsigned char* Block) {
  std::memset(Block, 0, kBlockSize);
  PutWord(Block, static_cast<WORD>(kBlockSize));
  PutWord(Block + 2, static_cast<WORD>(sizeof(VS_FIXEDFILEINFO)));
  for (size_t i = 0; kKey[i]; ++i) PutWord(Block + kKeyOffset + 2 * i, static_cast<WORD>(kKey[i]));
  std::memcpy(Block + kFixedOffset, &Info, sizeof Info);
}

}  // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, DWORD* lpdwHandle) {
  if (lpdwHandle) *lpdwHandle = 0;
  VS_FIXEDFILEINFO info;
  if (!KnownVersion(lptstrFilename, info)) {
    SetLastError(static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    return 0;
  }
  return static_cast<DWORD>(kBlockSize);
}

BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
  VS_FIXEDFILEINFO info;
  if (!KnownVersion(lptstrFilename, info)) {
    SetLastError(static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    return FALSE;
  }
  if (!lpData || dwLen < kBlockSize) {
    SetLastError(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    return FALSE;
  }
  BuildBlock(info, static_cast<unsigned char*>(lpData));
  return TRUE;
}

BOOL VerQueryValueA(const void* pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen) {
  if (!pBlock || !lpSubBlock || !lplpBuffer || !puLen) return FALSE;
  auto* block = static_cast<const unsigned char*>(pBlock);
  if (std::strcmp(lpSubBlock, "\\") != 0 || GetWord(block) < kBlockSize ||
      GetWord(block + 2) != sizeof(VS_FIXEDFILEINFO))
    return FALSE;
  for (size_t i = 0; i < sizeof kKey; ++i)
    if (GetWord(block + kKeyOffset + 2 * i) != static_cast<WORD>(kKey[i])) return FALSE;
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, block + kFixedOffset, sizeof info);
  if (info.dwSignature != VS_FFI_SIGNATURE) return FALSE;
  *lplpBuffer = const_cast<unsigned char*>(block + kFixedOffset);
  *puLen = static_cast<UINT>(sizeof(VS_FIXEDFILEINFO));
  return TRUE;
}

BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation) {
  if (!lpVersionInformation || lpVersionInformation->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
    SetLastError(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    return FALSE;
  }
  lpVersionInformation->dwMajorVersion = 6;
  lpVersionInformation->dwMinorVersion = 1;
  lpVersionInformation->dwBuildNumber = 7601;
  lpVersionInformation->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(lpVersionInformation->szCSDVersion, 0, sizeof lpVersionInformation->szCSDVersion);
  std::strcpy(lpVersionInformation->szCSDVersion, "Service Pack 1");
  return TRUE;
}

DWORD GetVersion() { return (7601u << 16) | (1u << 8) | 6u; }
