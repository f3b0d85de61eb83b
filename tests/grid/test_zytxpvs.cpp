// The visual styles API bound at run time.
#include <gtest/gtest.h>

#include <cstring>

#include "grid/zytxpvs.h"

namespace {

TEST(Zytxpvs, StartBindsAllNamesInOrder) {
  ASSERT_TRUE(zytxpvs::ThemeLibLoaded);
  EXPECT_EQ(zytxpvs::ThemeLibHandle, GetModuleHandle("UXTHEME.DLL"));
  for (int i = 0; i < kUxThemeFunctionCount; ++i) EXPECT_TRUE(zytxpvs::FunctionBound(i)) << i;
  EXPECT_STREQ(zytxpvs::FunctionNames[0], "OpenThemeData");
  EXPECT_STREQ(zytxpvs::FunctionNames[34], "IsThemeActive");
  EXPECT_STREQ(zytxpvs::FunctionNames[41], "GetCurrentThemeName");
  EXPECT_STREQ(zytxpvs::FunctionNames[44], "EnableTheming");
  EXPECT_EQ(zytxpvs::OpenThemeData, &::OpenThemeData);
  EXPECT_EQ(zytxpvs::EnableTheming, &::EnableTheming);
}

TEST(Zytxpvs, ThemedFlagOffUnlessTheSeamSaysActive) {
  EXPECT_FALSE(zytxpvs::ThemesActive());
  SetTestThemeActive(true, u"NormalColor");
  EXPECT_TRUE(zytxpvs::ThemesActive());
  SetTestThemeActive(false);
  EXPECT_FALSE(zytxpvs::ThemesActive());
}

TEST(Zytxpvs, EndFreesAndClearsStartAgainRebinds) {
  zytxpvs::DoneThemeLibrary();
  EXPECT_FALSE(zytxpvs::ThemeLibLoaded);
  EXPECT_EQ(GetModuleHandle("UXTHEME.DLL"), nullptr);
  for (int i = 0; i < kUxThemeFunctionCount; ++i) EXPECT_FALSE(zytxpvs::FunctionBound(i)) << i;
  EXPECT_FALSE(zytxpvs::ThemesActive());  // nil variables are not called
  zytxpvs::DoneThemeLibrary();            // a second end does nothing
  zytxpvs::InitThemeLibrary();
  zytxpvs::InitThemeLibrary();            // loading twice keeps one load
  EXPECT_TRUE(zytxpvs::ThemeLibLoaded);
  EXPECT_TRUE(zytxpvs::FunctionBound(44));
  zytxpvs::DoneThemeLibrary();
  EXPECT_EQ(GetModuleHandle("UXTHEME.DLL"), nullptr);
  zytxpvs::InitThemeLibrary();
}

}  // namespace
