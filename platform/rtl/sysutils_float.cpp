// FloatToStr and FloatToStrF.
//
// Digits come from the shortest text that reads back as the same double, and
// are then rounded half away from zero in decimal. So a value prints as it was
// typed: 0.125 and 2.675 go to "0,13" and "2,68" with two decimals, not to
// the neighbours their binary approximations would give.
#include "platform/rtl/sysutils.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Value = 0.Digits x 10^Exponent; no trailing zeros; empty Digits is zero.
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

TDecimal ToDecimal(double V) {
  TDecimal d;
  d.Negative = std::signbit(V);
  V = std::fabs(V);
  if (V == 0) return d;
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, V, std::chars_format::scientific);
  const std::string s(buf, r.ptr);  // "d.ddde+xx" or "de+xx"
  const std::size_t e = s.find('e');
  for (std::size_t i = 0; i < e; ++i)
    if (s[i] != '.') d.Digits += s[i];
  int exp10 = 0;
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exp10);
  d.Exponent = exp10 + 1;
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  return d;
}

// Keeps Keep significant digits, rounding half away from zero.
void RoundTo(TDecimal& d, int Keep) {
  if (static_cast<int>(d.Digits.size()) <= Keep) return;
  if (Keep < 0) {
    d.Digits.clear();
    return;
  }
  const bool up = d.Digits[static_cast<std::size_t>(Keep)] >= '5';
  d.Digits.resize(static_cast<std::size_t>(Keep));
  if (up) {
    int i = Keep - 1;
    while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') d.Digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++d.Digits[static_cast<std::size_t>(i)];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
}

char DigitAt(const TDecimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<std::size_t>(i)] : '0';
}

AnsiString ExponentText(int Exp, int MinDigits, bool Sign) {
  AnsiString s = std::to_string(std::abs(Exp));
  if (static_cast<int>(s.size()) < MinDigits) s.insert(0, static_cast<std::size_t>(MinDigits) - s.size(), '0');
  return AnsiString("E") + (Exp < 0 ? "-" : (Sign ? "+" : "")) + s;
}

// Integer part with optional thousand groups, then Decimals digits.
AnsiString FixedText(const TDecimal& d, int Decimals, bool Thousands) {
  const char dsep = FormatSettings.DecimalSeparator;
  AnsiString intPart;
  for (int i = 0; i < d.Exponent; ++i) intPart += DigitAt(d, i);
  if (intPart.empty()) intPart = "0";
  if (Thousands && FormatSettings.ThousandSeparator != '\0') {
    for (int i = static_cast<int>(intPart.size()) - 3; i > 0; i -= 3)
      intPart.insert(static_cast<std::size_t>(i), 1, FormatSettings.ThousandSeparator);
  }
  if (Decimals <= 0) return intPart;
  AnsiString s = intPart + dsep;
  for (int i = 0; i < Decimals; ++i) s += DigitAt(d, d.Exponent + i);
  return s;
}

AnsiString GeneralText(TDecimal d, int Precision, int ExpDigits) {
  RoundTo(d, Precision);
  if (d.Digits.empty()) return "0";
  const char dsep = FormatSettings.DecimalSeparator;
  AnsiString s = d.Negative ? "-" : "";
  const int e = d.Exponent - 1;  // exponent of the scientific form d.ddd
  if (e >= Precision || e < -4) {
    s += d.Digits[0];
    if (d.Digits.size() > 1) s += dsep + d.Digits.substr(1);
    // The general form writes no "+" before a positive exponent ("1E20").
    return s + ExponentText(e, ExpDigits, false);
  }
  if (d.Exponent <= 0) return s + "0" + dsep + std::string(static_cast<std::size_t>(-d.Exponent), '0') + d.Digits;
  const int decimals = std::max(0, static_cast<int>(d.Digits.size()) - d.Exponent);
  return s + FixedText(d, decimals, false);
}

AnsiString CurrencyText(const AnsiString& n, bool Negative) {
  const AnsiString& c = FormatSettings.CurrencyString;
  if (!Negative) {
    switch (FormatSettings.CurrencyFormat) {
      case 0: return c + n;
      case 1: return n + c;
      case 2: return c + " " + n;
      default: return n + " " + c;
    }
  }
  switch (FormatSettings.NegCurrFormat) {
    case 0: return "(" + c + n + ")";
    case 1: return "-" + c + n;
    case 2: return c + "-" + n;
    case 3: return c + n + "-";
    case 4: return "(" + n + c + ")";
    case 5: return "-" + n + c;
    case 6: return n + "-" + c;
    case 7: return n + c + "-";
    case 9: return "-" + c + " " + n;
    case 10: return n + " " + c + "-";
    case 11: return c + " " + n + "-";
    case 12: return c + " -" + n;
    case 13: return n + "- " + c;
    case 14: return "(" + c + " " + n + ")";
    case 15: return "(" + n + " " + c + ")";
    default: return "-" + n + " " + c;  // 8
  }
}

}  // namespace

AnsiString FloatToStr(Extended Value) { return FloatToStrF(Value, ffGeneral, 15, 0); }

AnsiString FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  Precision = std::clamp(Precision, 1, 18);
  TDecimal d = ToDecimal(Value);
  switch (Format) {
    case ffGeneral:
      return GeneralText(d, Precision, std::clamp(Digits, 0, 4));
    case ffExponent: {
      RoundTo(d, Precision);
      const char dsep = FormatSettings.DecimalSeparator;
      AnsiString s = d.Negative && !d.Digits.empty() ? "-" : "";
      s += DigitAt(d, 0);
      if (Precision > 1) {
        s += dsep;
        for (int i = 1; i < Precision; ++i) s += DigitAt(d, i);
      }
      return s + ExponentText(d.Digits.empty() ? 0 : d.Exponent - 1, std::clamp(Digits, 0, 4), true);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      // Too many integer digits for the precision: the general form shows it.
      if (d.Exponent > Precision) return GeneralText(d, Precision, 0);
      const int decimals = std::clamp(Digits, 0, 18);
      RoundTo(d, std::min(Precision, d.Exponent + decimals));
      const AnsiString n = FixedText(d, decimals, Format != ffFixed);
      const bool negative = d.Negative && !d.Digits.empty();
      if (Format == ffCurrency) return CurrencyText(n, negative);
      return negative ? "-" + n : n;
    }
  }
  return AnsiString();
}
