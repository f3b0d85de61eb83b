// The shell's system image list: SHGetFileInfoA answers the small or large
// icon index of a name from one process-wide image list per size (16 and 32
// pixels), whose icons are drawn in code: a folder, a generic file, a text
// file, a picture and a program.
#pragma once

#include "platform/graphics/graphics.h"

using DWORD_PTR = std::uintptr_t;
inline constexpr int MAX_PATH = 260;

struct SHFILEINFOA {
  HICON hIcon = nullptr;
  int iIcon = 0;
  DWORD dwAttributes = 0;
  char szDisplayName[MAX_PATH] = {};
  char szTypeName[80] = {};
};
using SHFILEINFO = SHFILEINFOA;

inline constexpr UINT SHGFI_LARGEICON = 0x000000;
inline constexpr UINT SHGFI_SMALLICON = 0x000001;
inline constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x000010;
inline constexpr UINT SHGFI_SYSICONINDEX = 0x004000;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// The indices of the system image list.
enum TSystemIcon { siFolder = 0, siFile = 1, siText = 2, siPicture = 3, siProgram = 4, siCount = 5 };

// With SHGFI_SYSICONINDEX: FileInfo->iIcon gets the icon index of the name
// (an existing folder, else the name's extension, else the generic file;
// with SHGFI_USEFILEATTRIBUTES the disk is not asked and
// FILE_ATTRIBUTE_DIRECTORY means a folder) and the result is the image list
// of the size asked for (as a DWORD_PTR). An unknown name never fails.
// Without SHGFI_SYSICONINDEX the call answers 0.
DWORD_PTR SHGetFileInfoA(LPCSTR Path, DWORD FileAttributes, SHFILEINFOA* FileInfo, UINT FileInfoSize, UINT Flags);
inline DWORD_PTR SHGetFileInfo(LPCSTR Path, DWORD FileAttributes, SHFILEINFOA* FileInfo, UINT FileInfoSize,
                               UINT Flags) {
  return SHGetFileInfoA(Path, FileAttributes, FileInfo, FileInfoSize, Flags);
}
