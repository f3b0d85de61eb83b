// The shell's system image list: SHGetFileInfoA answers the small or large
// icon index of a name from one process-wide image list per size (16 and 32
// pixels), whose icons are drawn in code: a folder, a generic file, a text
// file, a picture and a program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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

// Hands a document to the desktop: with the "open" operation (or none) the
// file name, taken as a URL when it has a scheme and as a local path
// otherwise, goes to the desktop's handler for it. Parameters and folder are
// not used. The answer follows the platform's convention: above 32 when the
// handler took it, SE_ERR_NOASSOC when nothing handles it, ERROR_FILE_NOT_FOUND
// for an empty name and SE_ERR_ACCESSDENIED for another operation.
inline constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;
HINSTANCE ShellExecuteA(HWND Wnd, LPCSTR Operation, LPCSTR File, LPCSTR Parameters, LPCSTR Directory, int ShowCmd);
inline HINSTANCE ShellExecute(HWND Wnd, LPCSTR Operation, LPCSTR File, LPCSTR Parameters, LPCSTR Directory,
                              int ShowCmd) {
  return ShellExecuteA(Wnd, Operation, File, Parameters, Directory, ShowCmd);
}

// Test seam: while a hook is installed it receives every call instead of the
// desktop, and its answer is returned. An empty function removes it.
using TShellExecuteHook =
    std::function<HINSTANCE(HWND Wnd, const std::string& Operation, const std::string& File, int ShowCmd)>;
void SetShellExecuteHook(TShellExecuteHook Hook);
