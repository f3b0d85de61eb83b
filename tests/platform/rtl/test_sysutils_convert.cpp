#include "platform/rtl/sysutils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <limits>
#include <vector>

namespace {

class SysUtilsConvert : public ::testing::Test {
protected:
  void TearDown() override { ResetFormatSettings(); }
};

TEST_F(SysUtilsConvert, IntegerTextsParseAsThePlatformDoes) {
  struct Case {
    const char* text;
    bool ok;
    Integer value;
  };
  const Case cases[] = {
      {"0", true, 0},           {"  -17", true, -17},  {"+5", true, 5},
      {"$FF", true, 255},       {"0x1f", true, 31},    {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},  {"2147483647", true, 2147483647},
      {"-2147483648", true, std::numeric_limits<Integer>::min()},
      {"2147483648", false, 0}, {"", false, 0},        {"-", false, 0},
      {"12 ", false, 0},        {"1.5", false, 0},     {"$", false, 0},
      {"abc", false, 0},
  };
  for (const Case& c : cases) {
    Integer v = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(StrToIntDef(c.text, -99), c.ok ? c.value : -99) << c.text;
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<Int64>::min());
  EXPECT_EQ(StrToInt64("$FFFFFFFFFF"), 0xFFFFFFFFFFLL);
  Int64 big = 0;
  EXPECT_FALSE(TryStrToInt64("9223372036854775808", big));
}

TEST_F(SysUtilsConvert, ConversionErrorsCarryThePlatformTexts) {
  try {
    StrToInt("12a");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'12a' is not a valid integer value");
  }
  try {
    StrToFloat("1.5");  // the decimal separator is ','
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'1.5' is not a valid floating point value");
  }
  EXPECT_THROW(StrToInt64(""), EConvertError);
}

TEST_F(SysUtilsConvert, ValReportsThePositionAndTheDigitsReadSoFar) {
  struct Case {
    const char* text;
    Integer value;
    int code;
  };
  const Case cases[] = {{"42", 42, 0}, {"-12x", 12, 4}, {"12.5", 12, 3}, {"", 0, 1}, {"x", 0, 2}, {" 7", 7, 0}};
  for (const Case& c : cases) {
    Integer v = -1;
    int code = -1;
    Val(c.text, v, code);
    EXPECT_EQ(code, c.code) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  double d = 0;
  int code = 0;
  Val("-1.25e2", d, code);  // always '.', whatever the settings say
  EXPECT_EQ(code, 0);
  EXPECT_DOUBLE_EQ(d, -125.0);
  Val("-1.5x", d, code);
  EXPECT_EQ(code, 5);
  EXPECT_DOUBLE_EQ(d, 15.0);
}

TEST_F(SysUtilsConvert, IntToStrAndIntToHexUseTheValuesOwnWidth) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(Int64{-9223372036854775807LL - 1}), "-9223372036854775808");
  EXPECT_EQ(IntToStr(std::numeric_limits<UInt64>::max()), "18446744073709551615");
  EXPECT_EQ(IntToStr(Byte{200}), "200");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDE, 2), "ABCDE");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64{-1}, 1), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(Byte{0xAA}, 2), "AA");
  EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST_F(SysUtilsConvert, FloatTextsFollowTheDecimalSeparator) {
  EXPECT_DOUBLE_EQ(StrToFloat(" -1,5 "), -1.5);
  EXPECT_DOUBLE_EQ(StrToFloat("2,5E3"), 2500.0);
  EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloatDef("1 000", 7), 7);  // no thousand separators
  Extended v = 0;
  for (const char* bad : {"", "-", ",", "1,2,3", "1e", "1e+", "e5", "1,5x", "1e999"})
    EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
  FormatSettings.DecimalSeparator = '.';
  EXPECT_DOUBLE_EQ(StrToFloat("3.25"), 3.25);
  EXPECT_EQ(DecimalSeparator, '.');  // the legacy spelling is the same value
}

TEST_F(SysUtilsConvert, GeneralFormatPicksFixedOrScientific) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0"},
      {1.5, "1,5"},
      {-1.5, "-1,5"},
      {100, "100"},
      {0.1, "0,1"},
      {1.0 / 3, "0,333333333333333"},
      {2.0 / 3, "0,666666666666667"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1,23456789012346E15"},
      {1.5e20, "1,5E20"},
      {0.0001, "0,0001"},
      {0.00001234, "1,234E-5"},
      {-0.0, "0"},
      {1e100, "1E100"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
  EXPECT_EQ(FloatToStrF(1.5e20, ffGeneral, 15, 4), "1,5E0020");
  EXPECT_EQ(FloatToStrF(123.456, ffGeneral, 4, 0), "123,5");
  EXPECT_EQ(FloatToStrF(99999, ffGeneral, 3, 0), "1E5");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max()), "1,79769313486232E308");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST_F(SysUtilsConvert, FixedNumberCurrencyAndExponentFormats) {
  struct Case {
    double value;
    TFloatFormat format;
    int precision, digits;
    const char* text;
  };
  const Case cases[] = {
      {3.14159, ffFixed, 15, 2, "3,14"},
      {0.125, ffFixed, 15, 2, "0,13"},   // decimal halves round away from zero
      {2.675, ffFixed, 15, 2, "2,68"},   // as typed, not as stored in binary
      {-0.001, ffFixed, 15, 2, "0,00"},  // no sign on a zero result
      {9.999, ffFixed, 15, 2, "10,00"},
      {5, ffFixed, 15, 0, "5"},
      {1.23456789, ffFixed, 3, 5, "1,23000"},
      {1e20, ffFixed, 15, 2, "1E20"},
      {1234567.891, ffNumber, 15, 2, "1 234 567,89"},
      {-1234, ffNumber, 15, 0, "-1 234"},
      {123, ffNumber, 15, 1, "123,0"},
      {1234.5, ffCurrency, 15, 2, "1 234,50 р."},
      {-1234.5, ffCurrency, 15, 2, "-1 234,50 р."},
      {1.5, ffExponent, 15, 3, "1,50000000000000E+000"},
      {-0.00123, ffExponent, 3, 2, "-1,23E-03"},
      {0, ffExponent, 4, 0, "0,000E+0"},
      {9.9999, ffExponent, 3, 1, "1,00E+1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text) << c.value << " format " << c.format;
}

TEST_F(SysUtilsConvert, RoundGoesHalfToEvenTruncTowardZero) {
  struct Case {
    double x;
    Int64 round, trunc;
  };
  const Case cases[] = {{0.5, 0, 0},   {1.5, 2, 1},   {2.5, 2, 2},     {-0.5, 0, 0},  {-1.5, -2, -1},
                        {-2.5, -2, -2}, {2.4999, 2, 2}, {2.5001, 3, 2}, {-2.6, -3, -2}, {1e15 + 0.5, 1000000000000000, 1000000000000000}};
  for (const Case& c : cases) {
    EXPECT_EQ(Round(c.x), c.round) << c.x;
    EXPECT_EQ(Trunc(c.x), c.trunc) << c.x;
  }
  EXPECT_DOUBLE_EQ(Int(-3.75), -3.0);
  EXPECT_DOUBLE_EQ(Frac(-3.75), -0.75);
  EXPECT_THROW(Round(1e30), EInvalidOp);
  EXPECT_THROW(Trunc(std::nan("")), EInvalidOp);
}

}  // namespace

namespace {

TEST(SysUtilsRandom, StaysInRangeAndRepeatsFromASeed) {
  SetRandSeed(1234);
  std::vector<Integer> first;
  for (int i = 0; i < 1000; ++i) {
    const Integer r = Random(7);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 7);
    first.push_back(r);
  }
  EXPECT_NE(std::count(first.begin(), first.end(), 0), 0);
  EXPECT_NE(std::count(first.begin(), first.end(), 6), 0);
  SetRandSeed(1234);
  for (Integer r : first) ASSERT_EQ(Random(7), r);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
  for (int i = 0; i < 100; ++i) {
    const Extended x = Random();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
  }
}

}  // namespace
