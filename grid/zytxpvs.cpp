// The visual styles API bound at run time.
#include "grid/zytxpvs.h"

namespace zytxpvs {

HMODULE ThemeLibHandle = nullptr;
bool ThemeLibLoaded = false;

#define ZYTXPVS_DEFINE(name) decltype(&::name) name = nullptr;
UXTHEME_FUNCTIONS(ZYTXPVS_DEFINE)
#undef ZYTXPVS_DEFINE

#define ZYTXPVS_NAME(name) #name,
const char* const FunctionNames[kUxThemeFunctionCount] = {UXTHEME_FUNCTIONS(ZYTXPVS_NAME)};
#undef ZYTXPVS_NAME

bool FunctionBound(int Index) {
  int i = 0;
  bool bound = false;
#define ZYTXPVS_BOUND(name) \
  if (i++ == Index) bound = name != nullptr;
  UXTHEME_FUNCTIONS(ZYTXPVS_BOUND)
#undef ZYTXPVS_BOUND
  return bound;
}

namespace {
template <class F>
void Bind(F& var, const char* name) {
  // A name the library lacks stays nil: its callers fall back to classic
  // drawing instead of the program stopping.
  var = reinterpret_cast<F>(GetProcAddress(ThemeLibHandle, name));
}
}  // namespace

void InitThemeLibrary() {
  if (ThemeLibLoaded) return;
  HMODULE h = LoadLibraryA("UXTHEME.DLL");
  // Handles below 32 are the platform's error codes.
  if (reinterpret_cast<std::uintptr_t>(h) < 32) return;
  ThemeLibHandle = h;
  ThemeLibLoaded = true;
#define ZYTXPVS_BIND(name) Bind(name, #name);
  UXTHEME_FUNCTIONS(ZYTXPVS_BIND)
#undef ZYTXPVS_BIND
}

void DoneThemeLibrary() {
  if (!ThemeLibLoaded) return;
  FreeLibrary(ThemeLibHandle);
  ThemeLibLoaded = false;
  ThemeLibHandle = nullptr;
  // No variable may point into a freed library.
#define ZYTXPVS_CLEAR(name) name = nullptr;
  UXTHEME_FUNCTIONS(ZYTXPVS_CLEAR)
#undef ZYTXPVS_CLEAR
}

bool ThemesActive() { return ThemeLibLoaded && IsThemeActive && IsThemeActive(); }

namespace {
struct TUnit {
  TUnit() { InitThemeLibrary(); }
  ~TUnit() { DoneThemeLibrary(); }
} gUnit;
}  // namespace

}  // namespace zytxpvs
