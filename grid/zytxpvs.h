// zytxpvs: the visual styles API bound at run time. The library is loaded
// by name when the program starts and each function looked up by name into
// a variable of this unit; the library is freed when the program ends. A
// function the library lacks leaves its variable nil. Callers check
// ThemeLibLoaded and the variable (or use ThemesActive) before a call, so a
// nil variable is never called.
#pragma once

#include "platform/uxtheme/modules.h"
#include "platform/uxtheme/uxtheme.h"
#include "platform/uxtheme/uxtheme_functions.h"

namespace zytxpvs {

extern HMODULE ThemeLibHandle;
extern bool ThemeLibLoaded;

#define ZYTXPVS_DECLARE(name) extern decltype(&::name) name;
UXTHEME_FUNCTIONS(ZYTXPVS_DECLARE)
#undef ZYTXPVS_DECLARE

// The names in the order they are bound.
extern const char* const FunctionNames[kUxThemeFunctionCount];
// Whether the variable of FunctionNames[Index] is bound.
bool FunctionBound(int Index);

// Unit start and end; they run by themselves at program start and exit.
// Loading twice does nothing; freeing clears the variables.
void InitThemeLibrary();
void DoneThemeLibrary();

// Themes are drawn: the library is loaded and reports themes active.
bool ThemesActive();

}  // namespace zytxpvs
