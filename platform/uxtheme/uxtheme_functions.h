// The 45 functions of the visual styles API in the order a loader binds
// them: X(name) once for each.
#pragma once

#define UXTHEME_FUNCTIONS(X)                                                                     \
  X(OpenThemeData) X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeText)                    \
  X(GetThemeBackgroundContentRect) X(GetThemeBackgroundExtent) X(GetThemeTextExtent)            \
  X(GetThemeTextMetrics) X(GetThemeBackgroundRegion) X(HitTestThemeBackground) X(DrawThemeEdge) \
  X(DrawThemeIcon) X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent)               \
  X(GetThemeColor) X(GetThemeMetric) X(GetThemeString) X(GetThemeBool) X(GetThemeInt)           \
  X(GetThemeEnumValue) X(GetThemePosition) X(GetThemeFont) X(GetThemeRect) X(GetThemeMargins)   \
  X(GetThemeIntList) X(SetWindowTheme) X(GetThemeFilename) X(GetThemeSysColor)                  \
  X(GetThemeSysColorBrush) X(GetThemeSysBool) X(GetThemeSysSize) X(GetThemeSysFont)             \
  X(GetThemeSysString) X(GetThemeSysInt) X(IsThemeActive) X(IsAppThemed) X(GetWindowTheme)      \
  X(EnableThemeDialogTexture) X(IsThemeDialogTextureEnabled) X(GetThemeAppProperties)           \
  X(SetThemeAppProperties) X(GetCurrentThemeName) X(GetThemeDocumentationProperty)              \
  X(DrawThemeParentBackground) X(EnableTheming)

inline constexpr int kUxThemeFunctionCount = 45;
