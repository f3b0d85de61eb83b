#include "platform/rtl/sysutils.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Pins the clock to 10.12.2026 12:00 so that missing and two-digit years are
// predictable; restores the settings and the clock afterwards.
class SysUtilsDateTime : public ::testing::Test {
protected:
  void SetUp() override {
    SetNowOverride([] { return 46366.5; });
  }
  void TearDown() override {
    SetNowOverride(nullptr);
    ResetFormatSettings();
  }
  static TDateTime D(Word y, Word m, Word d) { return EncodeDate(y, m, d); }
  static TDateTime T(Word h, Word n, Word s, Word z = 0) { return EncodeTime(h, n, s, z); }
};

TEST_F(SysUtilsDateTime, EncodeDateCountsDaysFromTheEpoch) {
  struct Case {
    Word y, m, d;
    double serial;
    int weekday;
  };
  const Case cases[] = {{1899, 12, 30, 0, 7},       {1899, 12, 29, -1, 6},      {1900, 1, 1, 2, 2},
                        {2000, 1, 1, 36526, 7},     {2024, 2, 29, 45351, 5},    {2026, 12, 10, 46366, 5},
                        {1, 1, 1, -693593, 2},      {9999, 12, 31, 2958465, 6}};
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    Word y, m, d;
    DecodeDate(c.serial < 0 ? c.serial - 0.75 : c.serial + 0.75, y, m, d);  // time counts away from day 0
    EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d) << c.serial;
    EXPECT_EQ(DayOfWeek(c.serial), c.weekday) << c.serial;
  }
}

TEST_F(SysUtilsDateTime, InvalidDatesAndTimesAreRejected) {
  struct Case {
    Word y, m, d;
  };
  const Case dates[] = {{1900, 2, 29}, {2025, 2, 29}, {2026, 4, 31}, {2026, 13, 1}, {2026, 0, 1}, {2026, 1, 0}, {0, 1, 1}, {10000, 1, 1}};
  for (const Case& c : dates) {
    TDateTime v = -5;
    EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, v)) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(v, -5);
  }
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  try {
    EncodeDate(2026, 2, 30);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Invalid argument to date encode");
  }
  try {
    EncodeTime(24, 0, 0, 0);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Invalid argument to time encode");
  }
  TDateTime t;
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, t));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, t));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, t));
}

TEST_F(SysUtilsDateTime, TimesDecodeToTheMillisecond) {
  Word h, n, s, z;
  DecodeTime(T(23, 59, 59, 999), h, n, s, z);
  EXPECT_EQ((h * 100 + n) * 100 + s, 235959);
  EXPECT_EQ(z, 999);
  DecodeTime(-1.25, h, n, s, z);  // the time of a date before the epoch is its fraction's size
  EXPECT_EQ(h, 6);
  // A hair below midnight rounds to the next day, not to 23:59:59.999.
  Word y, m, d;
  DecodeDate(D(2026, 12, 31) + 0.9999999999, y, m, d);
  EXPECT_EQ(y, 2027);
  DecodeTime(D(2026, 12, 31) + 0.9999999999, h, n, s, z);
  EXPECT_EQ(h + n + s + z, 0);
}

TEST_F(SysUtilsDateTime, FormatDateTimeTokens) {
  const TDateTime v = D(2026, 3, 5) + T(7, 8, 9, 45);
  struct Case {
    const char* fmt;
    const char* text;
  };
  const Case cases[] = {
      {"dd.mm.yyyy", "05.03.2026"},
      {"d.m.yy", "5.3.26"},
      {"hh:mm", "07:08"},            // m after h is minutes
      {"hh:mm dd.mm", "07:08 05.03"},  // ...but after d it is the month again
      {"h:nn:ss.zzz", "7:08:09.045"},
      {"H:N:S.Z", "7:8:9.45"},
      {"mmm mmmm", "мар Март"},
      {"ddd dddd", "Чт четверг"},
      {"ddddd|dddddd", "05.03.2026|5 Март 2026 г."},
      {"t|tt", "7:08|7:08:09"},
      {"c", "05.03.2026 7:08:09"},
      {"yyyy/mm/dd hh:nn", "2026.03.05 07:08"},
      {"'mm' \"dd\" mm", "mm dd 03"},
      {"'unclosed", "unclosed"},
      {"hh am/pm|h:nn AM/PM|h a/p", "07 am|7:08 AM|7 a"},
      {"ampm", ""},
      {"", "05.03.2026 7:08:09"},
      {"x#", "x#"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.fmt, v), c.text) << c.fmt;
  EXPECT_EQ(FormatDateTime("h am/pm|h A/P", T(0, 30, 0)), "12 am|12 A");
  EXPECT_EQ(FormatDateTime("h AM/PM", T(19, 0, 0)), "7 PM");
  EXPECT_EQ(DateTimeToStr(D(2026, 3, 5)), "05.03.2026");
  EXPECT_EQ(DateToStr(v), "05.03.2026");
  EXPECT_EQ(TimeToStr(v), "7:08:09");
  // A settings format that names itself must not recurse without end.
  FormatSettings.ShortDateFormat = "ddddd";
  EXPECT_NO_THROW(FormatDateTime("c", v));
}

TEST_F(SysUtilsDateTime, StrToDateReadsTheShortDateOrder) {
  struct Case {
    const char* text;
    Word y, m, d;
  };
  const Case cases[] = {
      {"05.03.2026", 2026, 3, 5}, {"5.3.2026", 2026, 3, 5}, {" 5 . 3 . 2026 ", 2026, 3, 5},
      {"5.3", 2026, 3, 5},        // the current year
      {"5.3.26", 2026, 3, 5},     {"5.3.76", 1976, 3, 5}, {"5.3.75", 2075, 3, 5},  // 50-year window
      {"29.02.2024", 2024, 2, 29}, {"5.3.026", 26, 3, 5},  // three digits are a full year
  };
  for (const Case& c : cases) EXPECT_EQ(StrToDate(c.text), D(c.y, c.m, c.d)) << c.text;

  for (const char* bad : {"", "31.04.2026", "29.02.2025", "1.13.2026", "0.1.2026", "5.3.2026x", "5-3-2026", "5.3.",
                          "12345.1.2026", "5..2026", "5.3.2026 12:00", "-5.3.2026"}) {
    TDateTime v = 42;
    EXPECT_FALSE(TryStrToDate(bad, v)) << bad;
    EXPECT_EQ(v, 42);
    EXPECT_EQ(StrToDateDef(bad, 1), 1);
  }
  try {
    StrToDate("31.02.2026");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'31.02.2026' is not a valid date");
  }

  FormatSettings.ShortDateFormat = "M/d/yyyy";
  FormatSettings.DateSeparator = '/';
  EXPECT_EQ(StrToDate("3/5/2026"), D(2026, 3, 5));
  EXPECT_EQ(DateToStr(D(2026, 3, 5)), "3/5/2026");
  FormatSettings.ShortDateFormat = "yyyy-mm-dd";
  FormatSettings.DateSeparator = '-';
  EXPECT_EQ(StrToDate("2026-03-05"), D(2026, 3, 5));
  EXPECT_EQ(StrToDate("3-5"), D(2026, 3, 5));
}

TEST_F(SysUtilsDateTime, StrToTimeAndStrToDateTime) {
  struct Case {
    const char* text;
    TDateTime value;
  };
  const Case cases[] = {{"7:08:09", T(7, 8, 9)},   {"07:08", T(7, 8, 0)},   {"7", T(7, 0, 0)},
                        {"23:59:59,5", T(23, 59, 59, 5)}, {"12:00 PM", T(12, 0, 0)}, {"12:00 am", T(0, 0, 0)},
                        {"1:15 pm", T(13, 15, 0)}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(StrToTime(c.text), c.value) << c.text;
  for (const char* bad : {"", "24:00", "12:60", "12:00:60", "1:2:3:4", "12:", "abc", "13:00 PM", "7:08x"}) {
    TDateTime v;
    EXPECT_FALSE(TryStrToTime(bad, v)) << bad;
  }
  try {
    StrToTime("25:00");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'25:00' is not a valid time");
  }

  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2026 07:08:09"), D(2026, 3, 5) + T(7, 8, 9));
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2026"), D(2026, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDateTime("07:08"), T(7, 8, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("29.12.1899 06:00"), -1.25);
  EXPECT_EQ(StrToDateTimeDef("05.03.2026 25:00", -1), -1);
  try {
    StrToDateTime("x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'x' is not a valid date and time");
  }
}

TEST_F(SysUtilsDateTime, TextsRoundTripThroughTheParsers) {
  for (TDateTime d = D(1950, 1, 1); d < D(2060, 1, 1); d += 97) EXPECT_EQ(StrToDate(DateToStr(d)), d) << DateToStr(d);
  for (int s = 0; s < SecsPerDay; s += 3599) {
    const TDateTime t = T(static_cast<Word>(s / 3600), static_cast<Word>(s / 60 % 60), static_cast<Word>(s % 60));
    EXPECT_DOUBLE_EQ(StrToTime(TimeToStr(t)), t) << TimeToStr(t);
  }
  const TDateTime dt = D(2026, 3, 5) + T(7, 8, 9);
  EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(dt)), dt);
}

TEST_F(SysUtilsDateTime, IncMonthKeepsTheDayWithinTheMonth) {
  EXPECT_EQ(IncMonth(D(2024, 1, 31)), D(2024, 2, 29));
  EXPECT_EQ(IncMonth(D(2025, 3, 31), -1), D(2025, 2, 28));
  EXPECT_EQ(IncMonth(D(2026, 12, 15)), D(2027, 1, 15));
  EXPECT_EQ(IncMonth(D(2026, 1, 15), -13), D(2024, 12, 15));
  EXPECT_DOUBLE_EQ(IncMonth(D(2026, 1, 31) + 0.25, 1), D(2026, 2, 28) + 0.25);
  EXPECT_THROW(IncMonth(D(9999, 12, 1), 1), EConvertError);
}

TEST_F(SysUtilsDateTime, TheClockCanBePinned) {
  EXPECT_EQ(Now(), 46366.5);
  EXPECT_EQ(Date(), 46366);
  EXPECT_EQ(Time(), 0.5);
  SetNowOverride(nullptr);
  const TDateTime now = Now();
  EXPECT_GT(now, D(2020, 1, 1));
  EXPECT_LT(now, D(2200, 1, 1));
}

}  // namespace

namespace {

TEST(SysUtilsDateTimeLimits, ValuesOutsideTheCalendarDecodeAsZeros) {
  for (double v : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    Word y = 1, m = 1, d = 1, h = 1, n = 1, s = 1, z = 1;
    DecodeDate(v, y, m, d);
    DecodeTime(v, h, n, s, z);
    EXPECT_EQ(y + m + d + h + n + s + z, 0) << v;
    EXPECT_NO_THROW(FormatDateTime("c dddd mmmm", v));
  }
}

}  // namespace
