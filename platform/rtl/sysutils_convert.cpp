// Integer and float text conversions, the platform's Val, rounding.
#include "platform/rtl/sysutils.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

[[noreturn]] void RaiseInvalidInteger(const AnsiString& S) {
  throw EConvertError("'" + S + "' is not a valid integer value");
}

[[noreturn]] void RaiseInvalidFloat(const AnsiString& S) {
  throw EConvertError("'" + S + "' is not a valid floating point value");
}

// Parses an integer as the platform's Val does: leading blanks, a sign, then
// decimal digits or hexadecimal after "$", "x" or "0x". Hexadecimal may use
// the full unsigned range of the target and wraps into it. Returns the
// 1-based error position (0 when the whole text is a number); Magnitude holds
// the digits read so far.
int ParseInteger(const AnsiString& S, UInt64 MaxPositive, UInt64 MaxNegative, UInt64 MaxHex,
                 UInt64& Magnitude, bool& Negative) {
  std::size_t i = 0;
  const std::size_t n = S.size();
  Magnitude = 0;
  Negative = false;
  while (i < n && S[i] == ' ') ++i;
  if (i < n && (S[i] == '+' || S[i] == '-')) Negative = S[i++] == '-';
  bool hex = false;
  if (i < n && (S[i] == '$' || S[i] == 'x' || S[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  const std::size_t first = i;
  for (; i < n; ++i) {
    const char c = S[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else break;
    const UInt64 base = hex ? 16 : 10;
    const UInt64 limit = hex ? MaxHex : (Negative ? MaxNegative : MaxPositive);
    if (Magnitude > (limit - d) / base) return static_cast<int>(i) + 1;  // overflow
    Magnitude = Magnitude * base + d;
  }
  if (i == first || i < n) return static_cast<int>(i) + 1;
  return 0;
}

template <typename T>
bool TryParseSigned(const AnsiString& S, T& Value, int* Code = nullptr) {
  using U = std::make_unsigned_t<T>;
  UInt64 mag;
  bool neg;
  const int code = ParseInteger(S, static_cast<UInt64>(std::numeric_limits<T>::max()),
                                static_cast<UInt64>(std::numeric_limits<T>::max()) + 1,
                                static_cast<UInt64>(std::numeric_limits<U>::max()), mag, neg);
  if (Code) *Code = code;
  if (code != 0) {
    Value = static_cast<T>(static_cast<U>(mag));
    return false;
  }
  const U bits = static_cast<U>(mag);
  Value = static_cast<T>(neg ? static_cast<U>(U{0} - bits) : bits);
  return true;
}

}  // namespace

AnsiString IntToStr(Int64 Value) { return std::to_string(Value); }

AnsiString IntToHex(UInt64 Value, int Digits, int ByteWidth) {
  if (ByteWidth < 8) Value &= (UInt64{1} << (ByteWidth * 8)) - 1;
  static const char hexDigits[] = "0123456789ABCDEF";
  AnsiString s;
  do {
    s.insert(s.begin(), hexDigits[Value & 0xF]);
    Value >>= 4;
  } while (Value != 0);
  if (static_cast<int>(s.size()) < Digits) s.insert(0, static_cast<std::size_t>(Digits) - s.size(), '0');
  return s;
}

bool TryStrToInt(const AnsiString& S, Integer& Value) { return TryParseSigned(S, Value); }
bool TryStrToInt64(const AnsiString& S, Int64& Value) { return TryParseSigned(S, Value); }

Integer StrToInt(const AnsiString& S) {
  Integer v;
  if (!TryStrToInt(S, v)) RaiseInvalidInteger(S);
  return v;
}

Integer StrToIntDef(const AnsiString& S, Integer Default) {
  Integer v;
  return TryStrToInt(S, v) ? v : Default;
}

Int64 StrToInt64(const AnsiString& S) {
  Int64 v;
  if (!TryStrToInt64(S, v)) RaiseInvalidInteger(S);
  return v;
}

Int64 StrToInt64Def(const AnsiString& S, Int64 Default) {
  Int64 v;
  return TryStrToInt64(S, v) ? v : Default;
}

void Val(const AnsiString& S, Integer& Value, int& Code) { TryParseSigned(S, Value, &Code); }
void Val(const AnsiString& S, Int64& Value, int& Code) { TryParseSigned(S, Value, &Code); }

namespace {

// Reads a float with the given decimal separator: blanks, sign, digits with at
// most one separator, an optional exponent. Builds the text from_chars reads
// (which ignores the C locale). Returns the 1-based error position or 0; with
// AllowTrailingBlanks, blanks after the number are accepted.
int ParseFloat(const AnsiString& S, char Sep, bool AllowTrailingBlanks, double& Value, UInt64& DigitsRead) {
  std::size_t i = 0;
  const std::size_t n = S.size();
  std::string t;
  DigitsRead = 0;
  while (i < n && S[i] == ' ') ++i;
  if (i < n && (S[i] == '+' || S[i] == '-')) {
    if (S[i] == '-') t += '-';
    ++i;
  }
  int mantissaDigits = 0;
  const auto digit = [&](char c) {
    t += c;
    ++mantissaDigits;
    if (DigitsRead <= std::numeric_limits<UInt64>::max() / 10 - 1) DigitsRead = DigitsRead * 10 + (c - '0');
  };
  while (i < n && S[i] >= '0' && S[i] <= '9') digit(S[i++]);
  if (i < n && S[i] == Sep) {
    t += '.';
    ++i;
    while (i < n && S[i] >= '0' && S[i] <= '9') digit(S[i++]);
  }
  if (mantissaDigits == 0) return static_cast<int>(i) + 1;
  if (i < n && (S[i] == 'e' || S[i] == 'E')) {
    t += 'e';
    ++i;
    if (i < n && (S[i] == '+' || S[i] == '-')) t += S[i++];
    const std::size_t first = i;
    while (i < n && S[i] >= '0' && S[i] <= '9') t += S[i++];
    if (i == first) return static_cast<int>(i) + 1;
  }
  if (AllowTrailingBlanks)
    while (i < n && S[i] == ' ') ++i;
  if (i < n) return static_cast<int>(i) + 1;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), Value);
  if (r.ec != std::errc() || !std::isfinite(Value)) return static_cast<int>(n) + 1;
  return 0;
}

}  // namespace

void Val(const AnsiString& S, double& Value, int& Code) {
  UInt64 digits;
  Code = ParseFloat(S, '.', false, Value, digits);
  if (Code != 0) Value = static_cast<double>(digits);
}

bool TryStrToFloat(const AnsiString& S, Extended& Value) {
  double v;
  UInt64 digits;
  if (ParseFloat(S, FormatSettings.DecimalSeparator, true, v, digits) != 0) return false;
  Value = v;
  return true;
}

Extended StrToFloat(const AnsiString& S) {
  Extended v;
  if (!TryStrToFloat(S, v)) RaiseInvalidFloat(S);
  return v;
}

Extended StrToFloatDef(const AnsiString& S, Extended Default) {
  Extended v;
  return TryStrToFloat(S, v) ? v : Default;
}

Int64 Round(Extended X) {
  if (!std::isfinite(X) || std::fabs(X) >= 9.2233720368547758e18) throw EInvalidOp("Invalid floating point operation");
  Extended r = std::round(X);  // halves away from zero...
  if (std::fabs(X - std::trunc(X)) == 0.5 && std::fmod(r, 2.0) != 0) r -= std::copysign(1.0, X);  // ...then to even
  return static_cast<Int64>(r);
}

Int64 Trunc(Extended X) {
  if (!std::isfinite(X) || std::fabs(X) >= 9.2233720368547758e18) throw EInvalidOp("Invalid floating point operation");
  return static_cast<Int64>(X);
}

Extended Int(Extended X) { return std::trunc(X); }
Extended Frac(Extended X) { return X - std::trunc(X); }
