// File version information and the system version, as the Win32 functions
// report them. There are no version resources on this platform, so the
// answers are fixed:
//  - "COMCTL32.DLL" (any case, with or without a folder) is version 6.0.0.0,
//    so code that checks for common controls 6 takes the modern path;
//  - the program itself (its file name, with or without ".exe") is 1.0.0.0;
//  - every other file has no version information (size 0, ERROR_FILE_NOT_FOUND).
// The system reports itself as Windows NT 6.1 build 7601, Service Pack 1.
#pragma once

#include "platform/rtl/sysbase.h"

struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};

inline constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
inline constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
inline constexpr DWORD VOS_NT_WINDOWS32 = 0x00040004;
inline constexpr DWORD VFT_APP = 1;
inline constexpr DWORD VFT_DLL = 2;

// Size of the version block of the file, 0 when it has none. *lpdwHandle
// (may be null) is set to 0.
DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, DWORD* lpdwHandle);
// Copies up to dwLen bytes of the block into lpData; FALSE when the file has
// no version information or dwLen is too small.
BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
// Only the root block "\" is known: it yields the VS_FIXEDFILEINFO inside
// pBlock. Other sub-blocks give FALSE.
BOOL VerQueryValueA(const void* pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen);

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  char szCSDVersion[128];
};

// Fills the record; FALSE (ERROR_INSUFFICIENT_BUFFER) unless
// dwOSVersionInfoSize is sizeof(OSVERSIONINFOA).
BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation);
// Major version in the low byte, minor in the next, build in the high word
// (the top bit clear for the NT family).
DWORD GetVersion();
