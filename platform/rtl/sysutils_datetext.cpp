// Date and time texts: FormatDateTime and the parsers StrToDate, StrToTime,
// StrToDateTime, all driven by FormatSettings.
#include "platform/rtl/sysutils.h"

#include <cctype>
#include <cmath>

namespace {

char Up(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

AnsiString Pad2(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

AnsiString PadN(int v, std::size_t n) {
  AnsiString s = std::to_string(v);
  if (s.size() < n) s.insert(0, n - s.size(), '0');
  return s;
}

bool StartsWithNoCase(const AnsiString& s, std::size_t i, const char* word) {
  for (std::size_t k = 0; word[k]; ++k)
    if (i + k >= s.size() || Up(s[i + k]) != Up(word[k])) return false;
  return true;
}

struct TParts {
  Word Year, Month, Day, Hour, Min, Sec, MSec;
  int WeekDay;
  TDateTime Value;
};

// Whether an "am/pm", "a/p" or "ampm" token follows, which makes hours 12-hour.
bool HasAmPm(const AnsiString& f, std::size_t from) {
  char quote = 0;
  for (std::size_t i = from; i < f.size(); ++i) {
    const char c = f[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") || StartsWithNoCase(f, i, "ampm")) {
      return true;
    }
  }
  return false;
}

void AppendFormatted(AnsiString& out, const AnsiString& f, const TParts& p, int depth) {
  // Nested "c", "ddddd", "t"... expand the settings' own formats; a format
  // that names itself would recurse forever, so nesting stops at two levels.
  if (depth > 2) return;
  const TFormatSettings& fs = FormatSettings;
  char last = 0;  // the previous letter token, for "m" after "h" meaning minutes
  std::size_t i = 0;
  while (i < f.size()) {
    const char c = f[i];
    char tok = Up(c);
    if (tok >= 'A' && tok <= 'Z') {
      if (tok == 'M' && last == 'H') tok = 'N';
      last = tok;
    }
    std::size_t run = 1;  // how many of the same letter follow
    if (tok >= 'A' && tok <= 'Z')
      while (i + run < f.size() && Up(f[i + run]) == Up(c)) ++run;
    switch (tok) {
      case 'Y':
        out += run <= 2 ? Pad2(p.Year % 100) : PadN(p.Year, 4);
        i += run;
        break;
      case 'M':
        if (run == 1) out += std::to_string(p.Month);
        else if (run == 2) out += Pad2(p.Month);
        else if (run == 3) out += fs.ShortMonthNames[p.Month];
        else out += fs.LongMonthNames[p.Month];
        i += run > 4 ? 4 : run;
        break;
      case 'D':
        if (run == 1) out += std::to_string(p.Day);
        else if (run == 2) out += Pad2(p.Day);
        else if (run == 3) out += fs.ShortDayNames[p.WeekDay];
        else if (run == 4) out += fs.LongDayNames[p.WeekDay];
        else if (run == 5) AppendFormatted(out, fs.ShortDateFormat, p, depth + 1);
        else AppendFormatted(out, fs.LongDateFormat, p, depth + 1);
        i += run > 6 ? 6 : run;
        break;
      case 'H': {
        int h = p.Hour;
        if (HasAmPm(f, i)) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += run == 1 ? std::to_string(h) : Pad2(h);
        i += run > 2 ? 2 : run;
        break;
      }
      case 'N':
        out += run == 1 ? std::to_string(p.Min) : Pad2(p.Min);
        i += run > 2 ? 2 : run;
        break;
      case 'S':
        out += run == 1 ? std::to_string(p.Sec) : Pad2(p.Sec);
        i += run > 2 ? 2 : run;
        break;
      case 'Z':
        out += run < 3 ? std::to_string(p.MSec) : PadN(p.MSec, 3);
        i += run >= 3 ? 3 : run;
        break;
      case 'T':
        AppendFormatted(out, run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, depth + 1);
        i += run > 2 ? 2 : run;
        break;
      case 'C':
        AppendFormatted(out, fs.ShortDateFormat, p, depth + 1);
        if (p.Hour || p.Min || p.Sec || p.MSec) {
          out += ' ';
          AppendFormatted(out, fs.LongTimeFormat, p, depth + 1);
        }
        ++i;
        break;
      case 'A': {
        const bool pm = p.Hour >= 12;
        if (StartsWithNoCase(f, i, "am/pm")) {
          // The case of the format's letters is kept: "AM/PM" gives "PM".
          out += pm ? f.substr(i + 3, 2) : f.substr(i, 2);
          i += 5;
        } else if (StartsWithNoCase(f, i, "a/p")) {
          out += pm ? f[i + 2] : f[i];
          i += 3;
        } else if (StartsWithNoCase(f, i, "ampm")) {
          out += pm ? fs.TimePMString : fs.TimeAMString;
          i += 4;
        } else {
          out += c;
          ++i;
        }
        break;
      }
      case '/':
        out += fs.DateSeparator;
        ++i;
        break;
      case ':':
        out += fs.TimeSeparator;
        ++i;
        break;
      case '"':
      case '\'': {
        const std::size_t end = f.find(c, i + 1);
        out.append(f, i + 1, end == AnsiString::npos ? AnsiString::npos : end - i - 1);
        i = end == AnsiString::npos ? f.size() : end + 1;
        break;
      }
      default:
        out += c;
        ++i;
        break;
    }
  }
}

// ---- Parsing ----------------------------------------------------------------

class TScanner {
public:
  explicit TScanner(const AnsiString& S) : S_(S) {}

  void Blanks() {
    while (I_ < S_.size() && S_[I_] == ' ') ++I_;
  }
  bool AtEnd() {
    Blanks();
    return I_ >= S_.size();
  }
  // One to four digits.
  bool Number(int& Value, int& Digits) {
    Blanks();
    Value = 0;
    Digits = 0;
    while (I_ < S_.size() && std::isdigit(static_cast<unsigned char>(S_[I_]))) {
      if (++Digits > 4) return false;
      Value = Value * 10 + (S_[I_++] - '0');
    }
    return Digits > 0;
  }
  bool Char(char C) {
    Blanks();
    if (I_ < S_.size() && S_[I_] == C) {
      ++I_;
      return true;
    }
    return false;
  }
  bool Text(const AnsiString& W) {
    Blanks();
    if (W.empty() || !StartsWithNoCase(S_, I_, W.c_str())) return false;
    I_ += W.size();
    return true;
  }
  std::size_t Mark() const { return I_; }
  void Restore(std::size_t I) { I_ = I; }

private:
  const AnsiString& S_;
  std::size_t I_ = 0;
};

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrder() {
  for (char c : FormatSettings.ShortDateFormat) {
    switch (Up(c)) {
      case 'M': return doMDY;
      case 'Y': return doYMD;
      case 'D': return doDMY;
    }
  }
  return doMDY;
}

int CurrentYear() {
  Word y, m, d;
  DecodeDate(Now(), y, m, d);
  return y;
}

bool ScanDate(TScanner& sc, TDateTime& Value) {
  const std::size_t start = sc.Mark();
  int n1, n2, n3 = 0, l1, l2, l3 = 0;
  const char sep = FormatSettings.DateSeparator;
  if (!sc.Number(n1, l1) || !sc.Char(sep) || !sc.Number(n2, l2)) {
    sc.Restore(start);
    return false;
  }
  const bool three = sc.Char(sep);
  if (three && !sc.Number(n3, l3)) {
    sc.Restore(start);
    return false;
  }
  int y, m, d, yDigits;
  const TDateOrder order = DateOrder();
  if (!three) {
    // Two parts: the year is the current one.
    y = CurrentYear();
    yDigits = 4;
    if (order == doDMY) d = n1, m = n2;
    else m = n1, d = n2;
  } else {
    switch (order) {
      case doMDY: m = n1, d = n2, y = n3, yDigits = l3; break;
      case doDMY: d = n1, m = n2, y = n3, yDigits = l3; break;
      default: y = n1, m = n2, d = n3, yDigits = l1; break;
    }
    if (yDigits <= 2) {
      const int base = CurrentYear() - FormatSettings.TwoDigitYearCenturyWindow;
      y += base / 100 * 100;
      if (FormatSettings.TwoDigitYearCenturyWindow > 0 && y < base) y += 100;
    }
  }
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31 ||
      !TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d), Value)) {
    sc.Restore(start);
    return false;
  }
  return true;
}

bool ScanTime(TScanner& sc, TDateTime& Value) {
  const std::size_t start = sc.Mark();
  const auto fail = [&] {
    sc.Restore(start);
    return false;
  };
  int h, mi = 0, s = 0, ms = 0, l;
  if (!sc.Number(h, l)) return fail();
  const char sep = FormatSettings.TimeSeparator;
  if (sc.Char(sep)) {
    if (!sc.Number(mi, l)) return fail();
    if (sc.Char(sep)) {
      if (!sc.Number(s, l)) return fail();
      if (sc.Char(FormatSettings.DecimalSeparator) && !sc.Number(ms, l)) return fail();
    }
  }
  // Optional AM/PM marker: the settings' own texts, then the English ones.
  int half = -1;
  if (sc.Text(FormatSettings.TimeAMString) || sc.Text("AM") || sc.Text("A")) half = 0;
  else if (sc.Text(FormatSettings.TimePMString) || sc.Text("PM") || sc.Text("P")) half = 1;
  if (half >= 0) {
    if (h == 0 || h > 12) return fail();
    h = h % 12 + half * 12;
  }
  if (!TryEncodeTime(static_cast<Word>(h), static_cast<Word>(mi), static_cast<Word>(s), static_cast<Word>(ms), Value))
    return fail();
  return true;
}

}  // namespace

AnsiString FormatDateTime(const AnsiString& Fmt, TDateTime DateTime) {
  TParts p{};
  DecodeDate(DateTime, p.Year, p.Month, p.Day);
  DecodeTime(DateTime, p.Hour, p.Min, p.Sec, p.MSec);
  p.WeekDay = DayOfWeek(DateTime);
  if (p.Month < 1) p.Month = 1;  // before 01.01.0001: keep the name lookups in range
  AnsiString out;
  AppendFormatted(out, Fmt.empty() ? AnsiString("c") : Fmt, p, 0);
  return out;
}

AnsiString DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
AnsiString TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
AnsiString DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }

bool TryStrToDate(const AnsiString& S, TDateTime& Value) {
  TScanner sc(S);
  TDateTime d;
  if (!ScanDate(sc, d) || !sc.AtEnd()) return false;
  Value = d;
  return true;
}

bool TryStrToTime(const AnsiString& S, TDateTime& Value) {
  TScanner sc(S);
  TDateTime t;
  if (!ScanTime(sc, t) || !sc.AtEnd()) return false;
  Value = t;
  return true;
}

bool TryStrToDateTime(const AnsiString& S, TDateTime& Value) {
  TScanner sc(S);
  TDateTime d = 0, t = 0;
  if (ScanDate(sc, d)) {
    if (!sc.AtEnd() && !ScanTime(sc, t)) return false;
  } else if (!ScanTime(sc, t)) {
    return false;
  }
  if (!sc.AtEnd()) return false;
  Value = d >= 0 ? d + t : d - t;
  return true;
}

TDateTime StrToDate(const AnsiString& S) {
  TDateTime v;
  if (!TryStrToDate(S, v)) throw EConvertError("'" + S + "' is not a valid date");
  return v;
}

TDateTime StrToTime(const AnsiString& S) {
  TDateTime v;
  if (!TryStrToTime(S, v)) throw EConvertError("'" + S + "' is not a valid time");
  return v;
}

TDateTime StrToDateTime(const AnsiString& S) {
  TDateTime v;
  if (!TryStrToDateTime(S, v)) throw EConvertError("'" + S + "' is not a valid date and time");
  return v;
}

TDateTime StrToDateDef(const AnsiString& S, TDateTime Default) {
  TDateTime v;
  return TryStrToDate(S, v) ? v : Default;
}

TDateTime StrToTimeDef(const AnsiString& S, TDateTime Default) {
  TDateTime v;
  return TryStrToTime(S, v) ? v : Default;
}

TDateTime StrToDateTimeDef(const AnsiString& S, TDateTime Default) {
  TDateTime v;
  return TryStrToDateTime(S, v) ? v : Default;
}
