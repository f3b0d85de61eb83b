// String helpers with the platform's 1-based positions and its tolerance of
// out-of-range arguments.
#include "platform/rtl/sysutils.h"
#include "platform/rtl/codepages.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

AnsiString Trim(const AnsiString& S) { return TrimLeft(TrimRight(S)); }

AnsiString TrimLeft(const AnsiString& S) {
  std::size_t i = 0;
  while (i < S.size() && IsBlank(S[i])) ++i;
  return S.substr(i);
}

AnsiString TrimRight(const AnsiString& S) {
  std::size_t n = S.size();
  while (n > 0 && IsBlank(S[n - 1])) --n;
  return S.substr(0, n);
}

int Pos(const AnsiString& Substr, const AnsiString& S) {
  if (Substr.empty()) return 0;
  const std::size_t p = S.find(Substr);
  return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

int AnsiPos(const AnsiString& Substr, const AnsiString& S) {
  // A match of valid UTF-8 starts on a lead byte, so it is never inside a
  // character; scanning for the next start keeps that true for any input.
  if (Substr.empty()) return 0;
  for (std::size_t p = S.find(Substr); p != AnsiString::npos; p = S.find(Substr, p + 1))
    if ((static_cast<unsigned char>(S[p]) & 0xC0) != 0x80) return static_cast<int>(p) + 1;
  return 0;
}

AnsiString Copy(const AnsiString& S, int Index, int Count) {
  if (Index < 1) Index = 1;
  if (Count < 1 || Index > static_cast<int>(S.size())) return AnsiString();
  return S.substr(static_cast<std::size_t>(Index - 1), static_cast<std::size_t>(Count));
}

void Delete(AnsiString& S, int Index, int Count) {
  if (Index < 1 || Count < 1 || Index > static_cast<int>(S.size())) return;
  S.erase(static_cast<std::size_t>(Index - 1), static_cast<std::size_t>(Count));
}

void Insert(const AnsiString& Source, AnsiString& S, int Index) {
  if (Index < 1) Index = 1;
  if (Index > static_cast<int>(S.size()) + 1) Index = static_cast<int>(S.size()) + 1;
  S.insert(static_cast<std::size_t>(Index - 1), Source);
}

AnsiString StringOfChar(char Ch, int Count) {
  return Count > 0 ? AnsiString(static_cast<std::size_t>(Count), Ch) : AnsiString();
}

AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern, const AnsiString& NewPattern,
                         TReplaceFlags Flags) {
  if (OldPattern.empty()) return S;
  const bool ignoreCase = (Flags & rfIgnoreCase) != 0;
  // Case mapping keeps byte lengths, so offsets in the upper-cased copies are
  // offsets in S.
  const AnsiString hay = ignoreCase ? AnsiUpperCase(S) : S;
  const AnsiString needle = ignoreCase ? AnsiUpperCase(OldPattern) : OldPattern;
  AnsiString out;
  std::size_t from = 0;
  for (;;) {
    const std::size_t p = hay.find(needle, from);
    if (p == AnsiString::npos) break;
    out.append(S, from, p - from);
    out += NewPattern;
    from = p + needle.size();
    if (!(Flags & rfReplaceAll)) break;
  }
  out.append(S, from, AnsiString::npos);
  return out;
}

AnsiString AnsiQuotedStr(const AnsiString& S, char Quote) {
  AnsiString out(1, Quote);
  for (char c : S) {
    out += c;
    if (c == Quote) out += c;
  }
  out += Quote;
  return out;
}

AnsiString QuotedStr(const AnsiString& S) { return AnsiQuotedStr(S, '\''); }

AnsiString AnsiDequotedStr(const AnsiString& S, char Quote) {
  if (S.empty() || S[0] != Quote) return S;
  AnsiString out;
  std::size_t i = 1;
  bool closed = false;
  while (i < S.size()) {
    if (S[i] == Quote) {
      if (i + 1 < S.size() && S[i + 1] == Quote) {
        out += Quote;
        i += 2;
        continue;
      }
      closed = true;
      break;
    }
    out += S[i++];
  }
  // An unclosed text that reads as nothing is returned as it was.
  if (out.empty() && !(closed && S.size() >= 2 && S.back() == Quote)) return S;
  return out;
}

int Utf8Length(const AnsiString& S) { return static_cast<int>(Utf8CharCount(S)); }

AnsiString Utf8Copy(const AnsiString& S, int Index, int Count) {
  if (Index < 1) Index = 1;
  if (Count < 1) return AnsiString();
  const std::size_t begin = Utf8ByteOffset(S, static_cast<std::size_t>(Index - 1));
  if (begin >= S.size()) return AnsiString();
  std::size_t end = begin;
  for (int k = 0; k < Count && end < S.size(); ++k) Utf8DecodeNext(S, end);
  return S.substr(begin, end - begin);
}
