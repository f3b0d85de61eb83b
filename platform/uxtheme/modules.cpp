// Built-in modules: each a name and its exported functions.
#include "platform/uxtheme/modules.h"

#include <cstring>
#include <mutex>
#include <string>

#include "platform/rtl/syncobjs.h"
#include "platform/uxtheme/uxtheme.h"
#include "platform/uxtheme/uxtheme_functions.h"
#include "platform/windows/winuser.h"

namespace {

struct TExport {
  const char* Name;
  FARPROC Proc;
};

struct TModule {
  const char* FileName;  // upper case, with extension
  const TExport* Exports;
  int ExportCount;
  int LoadCount = 0;
};

#define UXTHEME_EXPORT(name) {#name, reinterpret_cast<FARPROC>(&::name)},
const TExport kUxThemeExports[] = {UXTHEME_FUNCTIONS(UXTHEME_EXPORT)};
#undef UXTHEME_EXPORT
static_assert(sizeof(kUxThemeExports) / sizeof(kUxThemeExports[0]) == kUxThemeFunctionCount);

// The window functions looked up by name.
const TExport kUser32Exports[] = {
    {"SetLayeredWindowAttributes", reinterpret_cast<FARPROC>(&::SetLayeredWindowAttributes)},
    {"UpdateLayeredWindow", reinterpret_cast<FARPROC>(&::UpdateLayeredWindow)},
};

std::mutex& Lock() {
  static std::mutex m;
  return m;
}

TModule* Modules(int& count) {
  static TModule modules[] = {{"UXTHEME.DLL", kUxThemeExports, kUxThemeFunctionCount},
                              {"USER32.DLL", kUser32Exports, 2}};
  count = static_cast<int>(sizeof(modules) / sizeof(modules[0]));
  return modules;
}

// The module a file name names: the name part after the last path
// separator, any case, ".DLL" assumed when it has no extension.
TModule* Find(LPCSTR name) {
  if (!name) return nullptr;
  std::string s(name);
  auto slash = s.find_last_of("/\\");
  if (slash != std::string::npos) s.erase(0, slash + 1);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (s.find('.') == std::string::npos) s += ".DLL";
  int count = 0;
  TModule* m = Modules(count);
  for (int i = 0; i < count; ++i)
    if (s == m[i].FileName) return &m[i];
  return nullptr;
}

TModule* FromHandle(HMODULE h) {
  int count = 0;
  TModule* m = Modules(count);
  for (int i = 0; i < count; ++i)
    if (reinterpret_cast<HMODULE>(&m[i]) == h) return &m[i];
  return nullptr;
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR FileName) {
  std::lock_guard<std::mutex> g(Lock());
  TModule* m = Find(FileName);
  if (!m) {
    SetLastError(static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    return nullptr;
  }
  ++m->LoadCount;
  return reinterpret_cast<HMODULE>(m);
}

HMODULE GetModuleHandleA(LPCSTR ModuleName) {
  std::lock_guard<std::mutex> g(Lock());
  TModule* m = Find(ModuleName);
  if (!m || m->LoadCount == 0) {
    SetLastError(static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(m);
}

FARPROC GetProcAddress(HMODULE Module, LPCSTR ProcName) {
  std::lock_guard<std::mutex> g(Lock());
  TModule* m = FromHandle(Module);
  if (!m || m->LoadCount == 0) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_HANDLE));
    return nullptr;
  }
  if (ProcName)
    for (int i = 0; i < m->ExportCount; ++i)
      if (std::strcmp(m->Exports[i].Name, ProcName) == 0) return m->Exports[i].Proc;
  SetLastError(static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  return nullptr;
}

BOOL FreeLibrary(HMODULE Module) {
  std::lock_guard<std::mutex> g(Lock());
  TModule* m = FromHandle(Module);
  if (!m || m->LoadCount == 0) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_HANDLE));
    return FALSE;
  }
  --m->LoadCount;
  return TRUE;
}
