// Format: the platform's printf-like formatting, checked against the argument
// types so that a wrong call raises EConvertError instead of reading garbage.
#include "platform/rtl/sysutils.h"
#include "platform/rtl/codepages.h"

#include <cstdint>
#include <cstdlib>

TVarRec::TVarRec(const WideString& V) : VType(vtWideString), VString(WideToUtf8(V)) {}

namespace {

class TFormatter {
public:
  TFormatter(const AnsiString& Fmt, const TVarRec* Args, std::size_t Count) : Fmt_(Fmt), Args_(Args), Count_(Count) {}

  AnsiString Run() {
    AnsiString out;
    std::size_t i = 0;
    while (i < Fmt_.size()) {
      const std::size_t pct = Fmt_.find('%', i);
      if (pct == AnsiString::npos) {
        out.append(Fmt_, i, AnsiString::npos);
        break;
      }
      out.append(Fmt_, i, pct - i);
      i = pct + 1;
      if (i < Fmt_.size() && Fmt_[i] == '%') {
        out += '%';
        ++i;
        continue;
      }
      out += Specifier(i);
    }
    return out;
  }

private:
  [[noreturn]] void Fail() const { throw EConvertError("Format '" + Fmt_ + "' invalid or incompatible with argument"); }

  const TVarRec& Next() {
    if (Next_ >= Count_) Fail();
    return Args_[Next_++];
  }

  // A number or "*"; -1 when neither is there.
  long Number(std::size_t& i) {
    if (i < Fmt_.size() && Fmt_[i] == '*') {
      ++i;
      const TVarRec& a = Next();
      if (a.VType != TVarRec::vtInteger && a.VType != TVarRec::vtInt64) Fail();
      if (a.VInt64 > 100000 || a.VInt64 < -100000) Fail();
      return static_cast<long>(a.VInt64);
    }
    if (i >= Fmt_.size() || Fmt_[i] < '0' || Fmt_[i] > '9') return -1;
    long n = 0;
    while (i < Fmt_.size() && Fmt_[i] >= '0' && Fmt_[i] <= '9') {
      n = n * 10 + (Fmt_[i++] - '0');
      if (n > 100000) Fail();  // no sane width; keeps a typo from eating memory
    }
    return n;
  }

  AnsiString Specifier(std::size_t& i) {
    bool left = false;
    long width = -1;
    long prec = -1;
    // Index: a number or "*" followed by ":".
    const std::size_t save = i;
    const std::size_t savedNext = Next_;
    if (i < Fmt_.size() && Fmt_[i] == '-') {
      left = true;
      ++i;
    }
    long n = Number(i);
    if (!left && n >= 0 && i < Fmt_.size() && Fmt_[i] == ':') {
      Next_ = static_cast<std::size_t>(n);
      ++i;
    } else {
      i = save;  // not an index: read it again as flags and width
      Next_ = savedNext;
    }
    if (i < Fmt_.size() && Fmt_[i] == '-') {
      left = true;
      ++i;
    }
    width = Number(i);
    if (width < -1) {  // a negative "*" width justifies left
      left = true;
      width = -width;
    }
    if (i < Fmt_.size() && Fmt_[i] == '.') {
      ++i;
      prec = Number(i);
      if (prec < 0) prec = -1;
    }
    if (i >= Fmt_.size()) Fail();
    const char type = static_cast<char>(Fmt_[i++] | 0x20);  // lower case
    AnsiString body = Convert(type, prec);
    const long len = static_cast<long>(Utf8CharCount(body));
    if (width > len) {
      const AnsiString pad(static_cast<std::size_t>(width - len), ' ');
      body = left ? body + pad : pad + body;
    }
    return body;
  }

  static AnsiString ZeroPad(AnsiString digits, long prec) {
    if (prec > static_cast<long>(digits.size())) digits.insert(0, static_cast<std::size_t>(prec) - digits.size(), '0');
    return digits;
  }

  AnsiString Convert(char type, long prec) {
    const TVarRec& a = Next();
    const bool isInt = a.VType == TVarRec::vtInteger || a.VType == TVarRec::vtInt64;
    switch (type) {
      case 'd': {
        if (!isInt) Fail();
        if (a.VUnsigned && a.VType == TVarRec::vtInt64 && a.VInt64 < 0)
          return ZeroPad(std::to_string(static_cast<UInt64>(a.VInt64)), prec);
        const UInt64 mag = a.VInt64 < 0 ? UInt64{0} - static_cast<UInt64>(a.VInt64) : static_cast<UInt64>(a.VInt64);
        return (a.VInt64 < 0 ? "-" : "") + ZeroPad(std::to_string(mag), prec);
      }
      case 'u': {
        if (!isInt) Fail();
        const UInt64 v = a.VType == TVarRec::vtInteger ? static_cast<std::uint32_t>(a.VInt64) : static_cast<UInt64>(a.VInt64);
        return ZeroPad(std::to_string(v), prec);
      }
      case 'x': {
        if (!isInt) Fail();
        return ZeroPad(IntToHex(static_cast<UInt64>(a.VInt64), 1, a.VType == TVarRec::vtInteger ? 4 : 8), prec);
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        if (a.VType != TVarRec::vtExtended) Fail();
        const double v = a.VExtended;
        const int p = static_cast<int>(prec);
        switch (type) {
          case 'e': return FloatToStrF(v, ffExponent, prec < 0 ? 15 : p, 3);
          case 'f': return FloatToStrF(v, ffFixed, 18, prec < 0 ? 2 : p);
          case 'g': return FloatToStrF(v, ffGeneral, prec < 0 ? 15 : p, 0);
          case 'n': return FloatToStrF(v, ffNumber, 18, prec < 0 ? 2 : p);
          default: return FloatToStrF(v, ffCurrency, 18, prec < 0 ? FormatSettings.CurrencyDecimals : p);
        }
      }
      case 's': {
        if (a.VType != TVarRec::vtString && a.VType != TVarRec::vtChar && a.VType != TVarRec::vtWideString) Fail();
        if (prec >= 0 && static_cast<std::size_t>(prec) < a.VString.size())
          return a.VString.substr(0, Utf8ByteOffset(a.VString, static_cast<std::size_t>(prec)));
        return a.VString;
      }
      case 'p': {
        if (a.VType != TVarRec::vtPointer) Fail();
        return IntToHex(static_cast<UInt64>(reinterpret_cast<std::uintptr_t>(a.VPointer)),
                        static_cast<int>(sizeof(void*) * 2), static_cast<int>(sizeof(void*)));
      }
      default:
        Fail();
    }
  }

  const AnsiString& Fmt_;
  const TVarRec* Args_;
  std::size_t Count_;
  std::size_t Next_ = 0;
};

}  // namespace

AnsiString Format(const AnsiString& Fmt, const TVarRec* Args, std::size_t Count) {
  return TFormatter(Fmt, Args, Count).Run();
}

AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args) {
  return Format(Fmt, Args.begin(), Args.size());
}
