#include "platform/rtl/sysutils.h"

#include <gtest/gtest.h>

namespace {

class SysUtilsFormat : public ::testing::Test {
protected:
  void TearDown() override { ResetFormatSettings(); }
};

TEST_F(SysUtilsFormat, SpecifiersProduceThePlatformTexts) {
  EXPECT_EQ(Format("%d:%s", {5, AnsiString("x")}), "5:x");
  EXPECT_EQ(Format("%5d|%-5d|%.3d|%-6.3d|", {42, 42, -7, 7}), "   42|42   |-007|007   |");
  EXPECT_EQ(Format("%u %u", {-1, 7u}), "4294967295 7");
  EXPECT_EQ(Format("%x %.4x %X", {255, 10, Int64{-1}}), "FF 000A FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format("%.2x%.2x", {Byte{0xA}, Byte{0xBC}}), "0ABC");
  EXPECT_EQ(Format("%f|%.3f|%.0f|%8.1f", {3.14159, 2.0, 2.5, -1.25}), "3,14|2,000|3|    -1,3");
  EXPECT_EQ(Format("%e", {1.5}), "1,50000000000000E+000");
  EXPECT_EQ(Format("%.3e", {12345.0}), "1,23E+004");
  EXPECT_EQ(Format("%g|%.3g", {0.5, 1234.5}), "0,5|1,23E3");
  EXPECT_EQ(Format("%n|%.0n", {1234567.5, 1234567.5}), "1 234 567,50|1 234 568");
  EXPECT_EQ(Format("%m", {-3.5}), "-3,50 р.");
  EXPECT_EQ(Format("%s|%5s|%-5s|%.2s", {"abc", 'z', AnsiString("ab"), "abcdef"}), "abc|    z|ab   |ab");
  EXPECT_EQ(Format("100%%", {}), "100%");
  EXPECT_EQ(Format("%s", {WideString(u"Юнт")}), "Юнт");
}

TEST_F(SysUtilsFormat, WidthAndPrecisionCountCharactersNotBytes) {
  EXPECT_EQ(Format("[%6s]", {"Порт"}), "[  Порт]");
  EXPECT_EQ(Format("[%.3s]", {"Порт"}), "[Пор]");
}

TEST_F(SysUtilsFormat, IndexesAndStarsTakeArguments) {
  EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
  EXPECT_EQ(Format("%*d|%-*d|%.*f", {4, 7, 3, 8, 1, 2.25}), "   7|8  |2,3");
  EXPECT_EQ(Format("%0:s%0:s", {"x"}), "xx");
}

TEST_F(SysUtilsFormat, ThePortOpenErrorAndGuidTexts) {
  EXPECT_EQ(Format("Device \"%s\" Open Error !!!\r%s", {"/dev/ttyS0", "No such file"}),
            "Device \"/dev/ttyS0\" Open Error !!!\rNo such file");
  EXPECT_EQ(Format("{%.8x-%.4x-%.4x-%.2x%.2x-%.2x%.2x%.2x%.2x%.2x%.2x}",
                   {0x1234abcdu, Word{0xab}, Word{0x1}, Byte{1}, Byte{2}, Byte{3}, Byte{4}, Byte{5}, Byte{6}, Byte{7}, Byte{8}}),
            "{1234ABCD-00AB-0001-0102-030405060708}");
  EXPECT_EQ(Format("%u.%u.%u", {6u, 1u, 7601u}), "6.1.7601");
}

TEST_F(SysUtilsFormat, MismatchesAndMissingArgumentsRaiseInsteadOfCrashing) {
  const struct {
    const char* fmt;
    std::initializer_list<TVarRec> args;
  } bad[] = {
      {"%d", {1.5}},       {"%f", {1}},        {"%s", {1}},          {"%d", {"1"}},   {"%d %d", {1}},
      {"%d", {}},          {"%", {1}},         {"%5", {1}},          {"%y", {1}},     {"%2:d", {1, 2}},
      {"%*d", {"x", 1}},   {"%p", {1}},        {"%d", {true}},       {"%s", {true}},  {"%.*f", {1.5, 2.0}},
      {"%999999d", {1}},
  };
  for (const auto& b : bad) {
    try {
      Format(b.fmt, b.args);
      ADD_FAILURE() << b.fmt;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, AnsiString("Format '") + b.fmt + "' invalid or incompatible with argument");
    }
  }
}

TEST_F(SysUtilsFormat, FloatsFollowTheCurrentSeparators) {
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.ThousandSeparator = ',';
  EXPECT_EQ(Format("%.2f %n", {1.005, 12345.0}), "1.01 12,345.00");
}

}  // namespace
