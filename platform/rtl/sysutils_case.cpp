// Letter case and comparison: ASCII-only forms, and Unicode-aware forms that
// cover Latin, Greek and Cyrillic letters independently of the Linux locale.
#include "platform/rtl/sysutils.h"
#include "platform/rtl/codepages.h"

#include <vector>

namespace {

// Ranges where upper and lower case alternate, upper case first.
struct TPairRange {
  char32_t Lo, Hi;
};
constexpr TPairRange kPairs[] = {{0x100, 0x12F}, {0x132, 0x137}, {0x139, 0x148}, {0x14A, 0x177}, {0x179, 0x17E},
                                 {0x460, 0x481}, {0x48A, 0x4BF}, {0x4C1, 0x4CE}, {0x4D0, 0x52F}};

// Every mapping below keeps the UTF-8 length of the character, which
// StringReplace relies on to find matches in an upper-cased copy.
char32_t UpperChar(char32_t c) {
  if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return c - 32;
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 63;
  if (c == 0x4CF) return 0x4C0;
  for (const auto& r : kPairs)
    if (c >= r.Lo && c <= r.Hi) return (c - r.Lo) % 2 == 1 ? c - 1 : c;
  return c;
}

char32_t LowerChar(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x178) return 0xFF;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 32;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c == 0x4C0) return 0x4CF;
  for (const auto& r : kPairs)
    if (c >= r.Lo && c <= r.Hi) return (c - r.Lo) % 2 == 0 ? c + 1 : c;
  return c;
}

template <typename F>
AnsiString MapChars(const AnsiString& S, F Map) {
  AnsiString out;
  out.reserve(S.size());
  for (std::size_t pos = 0; pos < S.size();) {
    const std::size_t start = pos;
    const char32_t c = Utf8DecodeNext(S, pos);
    if (c == ReplacementChar && pos - start == 1) out += S[start];  // keep a stray byte as it was
    else Utf8Append(out, Map(c));
  }
  return out;
}

// Primary sort weight: the lower-case letter, with ё placed right after е as
// in the Russian alphabet (its code point lies outside а..я).
std::uint32_t Weight(char32_t c) {
  const char32_t l = LowerChar(c);
  if (l == 0x451) return 0x435 * 2 + 1;
  return l * 2;
}

int Sign(long v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int Collate(const AnsiString& A, const AnsiString& B, bool CaseSensitive) {
  std::size_t pa = 0, pb = 0;
  int caseOrder = 0;  // the first case-only difference: lower case sorts first
  while (pa < A.size() && pb < B.size()) {
    const char32_t ca = Utf8DecodeNext(A, pa);
    const char32_t cb = Utf8DecodeNext(B, pb);
    const std::uint32_t wa = Weight(ca), wb = Weight(cb);
    if (wa != wb) return wa < wb ? -1 : 1;
    if (caseOrder == 0 && ca != cb) caseOrder = LowerChar(ca) == ca ? -1 : 1;
  }
  if (pa < A.size()) return 1;
  if (pb < B.size()) return -1;
  return CaseSensitive ? caseOrder : 0;
}

int CompareBytes(const AnsiString& A, const AnsiString& B, bool FoldAscii) {
  const std::size_t n = A.size() < B.size() ? A.size() : B.size();
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char a = static_cast<unsigned char>(A[i]);
    unsigned char b = static_cast<unsigned char>(B[i]);
    if (FoldAscii) {
      if (a >= 'a' && a <= 'z') a -= 32;
      if (b >= 'a' && b <= 'z') b -= 32;
    }
    if (a != b) return a - b;
  }
  return Sign(static_cast<long>(A.size()) - static_cast<long>(B.size()));
}

}  // namespace

AnsiString UpperCase(const AnsiString& S) {
  AnsiString out = S;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

AnsiString LowerCase(const AnsiString& S) {
  AnsiString out = S;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

AnsiString AnsiUpperCase(const AnsiString& S) { return MapChars(S, UpperChar); }
AnsiString AnsiLowerCase(const AnsiString& S) { return MapChars(S, LowerChar); }

WideString WideUpperCase(const WideString& S) {
  WideString out = S;
  for (char16_t& c : out)
    if (c < 0xD800 || c > 0xDFFF) c = static_cast<char16_t>(UpperChar(c));
  return out;
}

WideString WideLowerCase(const WideString& S) {
  WideString out = S;
  for (char16_t& c : out)
    if (c < 0xD800 || c > 0xDFFF) c = static_cast<char16_t>(LowerChar(c));
  return out;
}

int CompareStr(const AnsiString& S1, const AnsiString& S2) { return CompareBytes(S1, S2, false); }
int CompareText(const AnsiString& S1, const AnsiString& S2) { return CompareBytes(S1, S2, true); }
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2) {
  // Texts that collate alike but differ in bytes (invalid UTF-8) still get an order.
  const int r = Collate(S1, S2, true);
  return r != 0 ? r : Sign(CompareStr(S1, S2));
}
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2) { return Collate(S1, S2, false); }
int WideCompareStr(const WideString& S1, const WideString& S2) { return Collate(WideToUtf8(S1), WideToUtf8(S2), true); }
int WideCompareText(const WideString& S1, const WideString& S2) {
  return Collate(WideToUtf8(S1), WideToUtf8(S2), false);
}

bool SameText(const AnsiString& S1, const AnsiString& S2) { return CompareText(S1, S2) == 0; }
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2) { return AnsiCompareText(S1, S2) == 0; }
bool AnsiSameStr(const AnsiString& S1, const AnsiString& S2) { return S1 == S2; }
