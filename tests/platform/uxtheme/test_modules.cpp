// Built-in modules and the visual styles API without themes.
#include <gtest/gtest.h>

#include "platform/rtl/syncobjs.h"
#include "platform/uxtheme/modules.h"
#include "platform/uxtheme/uxtheme.h"
#include "platform/uxtheme/uxtheme_functions.h"
#include "platform/windows/winuser.h"

namespace {

TEST(Modules, KnownModuleAnswersEveryVisualStylesName) {
  for (const char* name : {"UXTHEME.DLL", "uxtheme.dll", "UxTheme", "C:\\Windows\\System32\\uxtheme.dll"}) {
    SCOPED_TRACE(name);
    HMODULE h = LoadLibraryA(name);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetModuleHandle("uxtheme.dll"), h);
    int found = 0;
#define COUNT_EXPORT(fn)                                                                   \
  {                                                                                          \
    FARPROC p = GetProcAddress(h, #fn);                                                      \
    EXPECT_EQ(p, reinterpret_cast<FARPROC>(&::fn)) << #fn;                                   \
    found += p != nullptr;                                                                   \
  }
    UXTHEME_FUNCTIONS(COUNT_EXPORT)
#undef COUNT_EXPORT
    EXPECT_EQ(found, 45);
    EXPECT_TRUE(FreeLibrary(h));
  }
}

TEST(Modules, MissingModulesAndNamesAnswerAsMissing) {
  struct Case {
    const char* Module;
  } cases[] = {{"COMCTL32.DLL"}, {"kernel32.dll"}, {"uxtheme.dll.bak"}, {""}, {nullptr}};
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(c.Module), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(GetModuleHandle(c.Module), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  }
  HMODULE h = LoadLibraryA("UXTHEME.DLL");
  ASSERT_NE(h, nullptr);
  for (const char* name : {"GetThemePartSize", "openthemedata", "", static_cast<const char*>(nullptr)}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(h, name), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  // A handle that is no module.
  int other = 0;
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&other), "OpenThemeData"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&other)));
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_TRUE(FreeLibrary(h));
}

TEST(Modules, User32AnswersTheLayeredWindowFunctions) {
  HMODULE h = LoadLibraryA("user32");
  ASSERT_NE(h, nullptr);
  EXPECT_NE(h, GetModuleHandle("UXTHEME.DLL"));
  EXPECT_EQ(GetProcAddress(h, "SetLayeredWindowAttributes"), reinterpret_cast<FARPROC>(&::SetLayeredWindowAttributes));
  EXPECT_EQ(GetProcAddress(h, "UpdateLayeredWindow"), reinterpret_cast<FARPROC>(&::UpdateLayeredWindow));
  EXPECT_EQ(GetProcAddress(h, "OpenThemeData"), nullptr);
  EXPECT_TRUE(FreeLibrary(h));
}

TEST(Modules, LoadCountsPairWithFrees) {
  HMODULE before = GetModuleHandle("UXTHEME.DLL");
  HMODULE a = LoadLibraryA("UXTHEME.DLL");
  HMODULE b = LoadLibraryA("uxtheme");
  EXPECT_EQ(a, b);
  EXPECT_TRUE(FreeLibrary(a));
  EXPECT_EQ(GetModuleHandle("UXTHEME.DLL"), a);
  EXPECT_TRUE(FreeLibrary(b));
  EXPECT_EQ(GetModuleHandle("UXTHEME.DLL"), before);
}

TEST(VisualStyles, NoThemesAndEveryThemeCallFails) {
  EXPECT_FALSE(IsThemeActive());
  EXPECT_FALSE(IsAppThemed());
  HTHEME t = OpenThemeData(nullptr, u"button");
  EXPECT_EQ(t, nullptr);
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(DrawThemeBackground(t, nullptr, 1, 1, &r, nullptr), E_HANDLE);
  EXPECT_EQ(CloseThemeData(t), E_HANDLE);
  COLORREF c = 0x123456;
  EXPECT_EQ(GetThemeColor(t, 1, 1, 1, &c), E_HANDLE);
  EXPECT_EQ(c, 0x123456u);
  EXPECT_FALSE(SUCCEEDED(DrawThemeText(t, nullptr, 1, 1, u"x", 1, 0, 0, &r)));
  EXPECT_FALSE(IsThemePartDefined(t, 1, 1));
  char16_t file[32] = u"x", color[32] = u"x", size[32] = u"x";
  EXPECT_FALSE(SUCCEEDED(GetCurrentThemeName(file, 32, color, 32, size, 32)));
  EXPECT_EQ(WideString(color), u"");
}

TEST(VisualStyles, TestSeamReportsThemesWithAColourScheme) {
  SetTestThemeActive(true, u"Metallic");
  EXPECT_TRUE(IsThemeActive());
  EXPECT_TRUE(IsAppThemed());
  char16_t file[32], color[32], size[32];
  EXPECT_EQ(GetCurrentThemeName(file, 32, color, 32, size, 32), S_OK);
  EXPECT_EQ(WideString(color), u"Metallic");
  char16_t tiny[4];
  EXPECT_EQ(GetCurrentThemeName(nullptr, 0, tiny, 4, nullptr, 0), S_OK);
  EXPECT_EQ(WideString(tiny), u"Met");  // cut to the buffer, terminated
  EXPECT_EQ(OpenThemeData(nullptr, u"button"), nullptr);  // drawing keeps its fallback
  SetTestThemeActive(false);
  EXPECT_FALSE(IsThemeActive());
  EXPECT_FALSE(SUCCEEDED(GetCurrentThemeName(file, 32, color, 32, size, 32)));
}

}  // namespace
