#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "platform/settings/fileversion.h"

namespace {

// Reads the root block of a file's version information as callers do.
bool FixedInfo(const char* FileName, VS_FIXEDFILEINFO& Info) {
  DWORD handle = 1;
  DWORD size = GetFileVersionInfoSizeA(FileName, &handle);
  EXPECT_EQ(handle, 0u);
  if (size == 0) return false;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(FileName, handle, size, block.data())) return false;
  void* p = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(block.data(), "\\", &p, &len) || len != sizeof Info) return false;
  Info = *static_cast<VS_FIXEDFILEINFO*>(p);
  return true;
}

std::string ProgramPath() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

TEST(FileVersion, KnownFilesReportTheirFixedVersions) {
  std::string program = ProgramPath();
  struct Case {
    std::string Name;
    DWORD Ms;
  } cases[] = {{"COMCTL32.DLL", 0x00060000},
               {"comctl32.dll", 0x00060000},
               {"C:\\Windows\\System32\\ComCtl32.dll", 0x00060000},
               {program, 0x00010000},
               {program + ".exe", 0x00010000}};
  for (const Case& c : cases) {
    VS_FIXEDFILEINFO info{};
    ASSERT_TRUE(FixedInfo(c.Name.c_str(), info)) << c.Name;
    EXPECT_EQ(info.dwSignature, VS_FFI_SIGNATURE) << c.Name;
    EXPECT_EQ(info.dwFileVersionMS, c.Ms) << c.Name;
    EXPECT_EQ(info.dwFileVersionLS, 0u) << c.Name;
  }
}

TEST(FileVersion, OtherFilesAndBadRequestsFail) {
  DWORD handle = 0;
  for (const char* name : {"kernel32.dll", "", "COMCTL32.DLL.bak"})
    EXPECT_EQ(GetFileVersionInfoSizeA(name, &handle), 0u) << name;
  EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);

  DWORD size = GetFileVersionInfoSizeA("comctl32.dll", nullptr);
  std::vector<char> block(size);
  EXPECT_FALSE(GetFileVersionInfoA("comctl32.dll", 0, size - 1, block.data()));
  ASSERT_TRUE(GetFileVersionInfoA("comctl32.dll", 0, size, block.data()));
  void* p = nullptr;
  UINT len = 0;
  EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion", &p, &len));
  std::vector<char> zeros(size, 0);
  EXPECT_FALSE(VerQueryValueA(zeros.data(), "\\", &p, &len));
}

TEST(FileVersion, SystemIsWindows7OnTheNtFamily) {
  OSVERSIONINFOA info{};
  EXPECT_FALSE(GetVersionExA(&info));  // size not set
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwMajorVersion, 6u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(GetVersion() & 0xFFFF, 0x0106u);
  EXPECT_EQ(GetVersion() & 0x80000000u, 0u);
}

}  // namespace
