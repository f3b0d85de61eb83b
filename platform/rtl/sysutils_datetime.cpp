// TDateTime arithmetic: encoding and decoding dates and times, the clock,
// weekdays and month steps.
#include "platform/rtl/sysutils.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

namespace {

// Days from 01.01.0001 to 30.12.1899, the platform's day 0.
constexpr int kDateDelta = 693594;

std::mutex gClockMutex;
std::function<TDateTime()> gNowOverride;

// Splits a date-time into whole days and milliseconds into the day, rounding
// to the millisecond first so that 0.99999999 reads as the next day rather
// than 23:59:59.999.
void Split(TDateTime DT, Int64& Days, Int64& MSecs) {
  if (!(std::fabs(DT) < 1e8)) {  // NaN, infinity or far outside the calendar: decodes as all zeros
    Days = -kDateDelta;
    MSecs = 0;
    return;
  }
  const Int64 total = std::llround(std::fabs(DT) * MSecsPerDay);
  Days = total / MSecsPerDay;
  MSecs = total % MSecsPerDay;
  if (DT < 0) Days = -Days;
}

}  // namespace

const Word MonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                               {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

Word DaysInAMonth(Word Year, Word Month) {
  if (Month < 1 || Month > 12) return 0;
  return MonthDays[IsLeapYear(Year)][Month];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  int days = Day;
  for (int m = 1; m < Month; ++m) days += MonthDays[IsLeapYear(Year)][m];
  const int y = Year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  Date = days - kDateDelta;
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime d;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  Int64 days, ms;
  Split(Date, days, ms);
  Int64 n = days + kDateDelta;  // 1 = 01.01.0001
  if (n <= 0) {
    Year = Month = Day = 0;
    return;
  }
  --n;  // days since 01.01.0001
  Int64 y = 1;
  y += (n / 146097) * 400;
  n %= 146097;
  Int64 c = n / 36524;
  if (c == 4) c = 3;  // the last day of a 400-year cycle
  y += c * 100;
  n -= c * 36524;
  y += (n / 1461) * 4;
  n %= 1461;
  Int64 q = n / 365;
  if (q == 4) q = 3;  // the last day of a 4-year cycle
  y += q;
  n -= q * 365;
  Year = static_cast<Word>(y);
  const bool leap = IsLeapYear(Year);
  Word m = 1;
  while (n >= MonthDays[leap][m]) n -= MonthDays[leap][m++];
  Month = m;
  Day = static_cast<Word>(n + 1);
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
  Time = (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime t;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  Int64 days, ms;
  Split(Time, days, ms);
  Hour = static_cast<Word>(ms / 3600000);
  Min = static_cast<Word>(ms / 60000 % 60);
  Sec = static_cast<Word>(ms / 1000 % 60);
  MSec = static_cast<Word>(ms % 1000);
}

void SetNowOverride(std::function<TDateTime()> Clock) {
  std::lock_guard<std::mutex> lock(gClockMutex);
  gNowOverride = std::move(Clock);
}

TDateTime Now() {
  std::function<TDateTime()> clock;
  {
    std::lock_guard<std::mutex> lock(gClockMutex);
    clock = gNowOverride;
  }
  if (clock) return clock();  // unlocked: the clock may be slow or replace itself
  const auto now = std::chrono::system_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const std::time_t secs = static_cast<std::time_t>(ms / 1000);
  std::tm tm{};
  localtime_r(&secs, &tm);
  return EncodeDate(static_cast<Word>(tm.tm_year + 1900), static_cast<Word>(tm.tm_mon + 1), static_cast<Word>(tm.tm_mday)) +
         EncodeTime(static_cast<Word>(tm.tm_hour), static_cast<Word>(tm.tm_min), static_cast<Word>(tm.tm_sec % 60),
                    static_cast<Word>(ms % 1000));
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  const TDateTime n = Now();
  return n - std::trunc(n);
}

int DayOfWeek(TDateTime Date) {
  Int64 days, ms;
  Split(Date, days, ms);
  const Int64 n = days + kDateDelta;
  return static_cast<int>(((n % 7) + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime Date, int NumberOfMonths) {
  Word y, m, d;
  DecodeDate(Date, y, m, d);
  Int64 months = static_cast<Int64>(y) * 12 + (m - 1) + NumberOfMonths;
  const Int64 ny = months / 12;
  const Word nm = static_cast<Word>(months % 12 + 1);
  if (months < 0 || ny < 1 || ny > 9999) throw EConvertError("Invalid argument to date encode");
  const Word days = DaysInAMonth(static_cast<Word>(ny), nm);
  const TDateTime day = EncodeDate(static_cast<Word>(ny), nm, d > days ? days : d);
  const TDateTime time = std::fabs(Date - std::trunc(Date));
  return day >= 0 ? day + time : day - time;
}
