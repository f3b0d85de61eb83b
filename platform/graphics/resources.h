// Named resources compiled into the program: bitmaps looked up by name,
// cursors by number, raw data by name. Lookups ignore case, as the
// platform's do; every call returns a new handle the caller frees.
#pragma once

#include <functional>
#include <vector>

#include "platform/graphics/gdi.h"

// An integer resource identifier in a name parameter.
inline LPCSTR MAKEINTRESOURCEA(int id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id & 0xFFFF)); }
inline LPCSTR MAKEINTRESOURCE(int id) { return MAKEINTRESOURCEA(id); }
inline bool IS_INTRESOURCE(LPCSTR p) { return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0; }

// The program's module handle (resources are looked up in the program
// whatever module is passed).
inline HINSTANCE const HInstance = nullptr;

// A bitmap resource by name (or "#number" / MAKEINTRESOURCE); nullptr when
// there is none.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
inline HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) { return LoadBitmapA(instance, name); }
// A cursor resource by number (MAKEINTRESOURCE) or name; nullptr when there
// is none. Free with DestroyCursor.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
inline HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) { return LoadCursorA(instance, name); }
// Raw data resources (the platform's RT_RCDATA): false when there is none.
bool LoadDataResource(LPCSTR name, std::vector<BYTE>& data);

// The platform's resource functions for raw data: FindResource gives a
// handle for an RT_RCDATA resource (nullptr for other types or unknown
// names); the data stays valid while the program runs and the resource is
// not registered again.
struct HRSRC__;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;
inline LPCSTR const RT_RCDATA = MAKEINTRESOURCEA(10);
HRSRC FindResourceA(HINSTANCE instance, LPCSTR name, LPCSTR type);
inline HRSRC FindResource(HINSTANCE instance, LPCSTR name, LPCSTR type) { return FindResourceA(instance, name, type); }
HGLOBAL LoadResource(HINSTANCE instance, HRSRC res);
void* LockResource(HGLOBAL data);
DWORD SizeofResource(HINSTANCE instance, HRSRC res);
BOOL FreeResource(HGLOBAL data);

// Registration, for modules that bring resources of their own. A later
// registration of a name replaces the earlier one.
void RegisterBitmapResource(const AnsiString& name, std::function<HBITMAP()> make);
void RegisterCursorResource(int id, std::function<HCURSOR()> make);
void RegisterDataResource(const AnsiString& name, std::vector<BYTE> data);
// Names of all bitmap resources (upper case), for tests and tools.
std::vector<AnsiString> BitmapResourceNames();
std::vector<int> CursorResourceIds();
// The maker registered for a cursor number; empty when there is none.
std::function<HCURSOR()> CursorResourceMaker(int id);

// The program's own images (resources_images.cpp), handed to the registry
// when it is first used.
void AddBuiltInResources(const std::function<void(const char*, std::function<HBITMAP()>)>& addBitmap,
                         const std::function<void(int, std::function<HCURSOR()>)>& addCursor);
