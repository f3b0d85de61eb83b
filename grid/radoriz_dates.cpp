// RadOriz: short-date texts of the sort and the next date of a pasted series.
#include <cmath>

#include "grid/radoriz.h"
#include "platform/rtl/sysutils.h"

namespace {

// "d.m.y", "d/m/y" or "d-m-y" in the order the caller names; 0 when the text
// has no separator or a part is not a number.
TDateTime ShortDate(const AnsiString& S, bool DayFirst) {
  char sep = '-';
  if (S.find('/') != AnsiString::npos)
    sep = '/';
  else if (S.find('.') != AnsiString::npos)
    sep = '.';
  const std::size_t p1 = S.find(sep);
  if (p1 == AnsiString::npos) return 0;
  std::size_t p2 = S.find(sep, p1 + 1);
  const AnsiString a = S.substr(0, p1);
  const AnsiString b = S.substr(p1 + 1, p2 == AnsiString::npos ? AnsiString::npos : p2 - p1 - 1);
  const AnsiString c = p2 == AnsiString::npos ? AnsiString() : S.substr(p2 + 1);
  int first = 0, second = 0, year = 0;
  if (!TryStrToInt(a, first) || !TryStrToInt(b, second) || !TryStrToInt(c, year)) return 0;

  // Two-digit years get their century; a year written with three or four
  // digits is taken as written.
  int digits = 0;
  for (char ch : c)
    if (ch >= '0' && ch <= '9') ++digits;
  if (digits < 3) year += year > 25 ? 1900 : 2000;

  const int day = DayFirst ? first : second;
  const int month = DayFirst ? second : first;
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
    throw EConvertError("Invalid argument to date encode");
  return EncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day));
}

// The time of day of a date-time value (the fraction, also for dates before
// 1899, whose fraction counts forward from the day).
double TimeOfDay(TDateTime D) { return std::fabs(D - std::trunc(D)); }

TDateTime WithTime(TDateTime Day, double T) { return Day >= 0 ? Day + T : Day - T; }

}  // namespace

TDateTime StrToShortDateEU(const AnsiString& S) { return ShortDate(S, true); }

TDateTime StrToShortdateUS(const AnsiString& S) { return ShortDate(S, false); }

TDateTime GetNextDate(TDateTime D, int Years, int Months, int Days, TDateTime Diff) {
  if (Days != 0 && Years == 0 && Months == 0) return D + Days;
  const bool onlyYears = Years != 0 && Months == 0 && Days == 0;
  const bool onlyMonths = Months != 0 && Years == 0 && Days == 0;
  if (!onlyYears && !onlyMonths) return D + Diff;

  Word y = 0, m = 0, d = 0;
  DecodeDate(D, y, m, d);
  long year = y, month = m;
  if (onlyYears) {
    year += Years;
  } else {
    // Month arithmetic in whole years, so a series may also run backwards.
    const long total = year * 12 + (month - 1) + Months;
    year = total / 12;
    month = total % 12 + 1;
  }
  if (year < 1 || year > 9999) throw EConvertError("Invalid argument to date encode");
  const TDateTime day = EncodeDate(static_cast<Word>(year), static_cast<Word>(month), d);
  return WithTime(day, TimeOfDay(D));
}
