// Modules: the platform's dynamic-library functions over the modules built
// into this layer (the visual styles API, and the layered-window functions
// as "USER32.DLL"). A module is found by its file name (any case; ".DLL" may
// be left out); any other module or function name answers as missing, with
// the thread's last error set, so that callers take their fallback.
#pragma once

#include "platform/graphics/gdi.h"

using HMODULE = HINSTANCE;
using FARPROC = void (*)();

inline constexpr LONG ERROR_MOD_NOT_FOUND = 126;
inline constexpr LONG ERROR_PROC_NOT_FOUND = 127;

// A handle for a built-in module (its load count rises by one); nullptr with
// ERROR_MOD_NOT_FOUND for any other name.
HMODULE LoadLibraryA(LPCSTR FileName);
inline HMODULE LoadLibrary(LPCSTR FileName) { return LoadLibraryA(FileName); }
// The handle of a loaded module without loading it; nullptr with
// ERROR_MOD_NOT_FOUND when it is not loaded.
HMODULE GetModuleHandleA(LPCSTR ModuleName);
inline HMODULE GetModuleHandle(LPCSTR ModuleName) { return GetModuleHandleA(ModuleName); }
// The function of that exact name; nullptr with ERROR_PROC_NOT_FOUND for a
// name the module lacks, ERROR_INVALID_HANDLE for a handle that is no module.
FARPROC GetProcAddress(HMODULE Module, LPCSTR ProcName);
// Lowers the load count; FALSE with ERROR_INVALID_HANDLE for a handle that
// is no loaded module.
BOOL FreeLibrary(HMODULE Module);
