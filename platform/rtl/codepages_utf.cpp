// UTF-8 decoding and encoding, UTF-8 <-> UTF-16.
#include "platform/rtl/codepages.h"

namespace {

bool IsCont(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

char32_t Utf8DecodeNext(const AnsiString& S, std::size_t& Pos) {
  if (Pos >= S.size()) return 0;
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(S[i]); };
  const unsigned char c = at(Pos);
  if (c < 0x80) {
    ++Pos;
    return c;
  }
  int len;
  char32_t cp;
  char32_t min;
  if ((c & 0xE0) == 0xC0) {
    len = 2, cp = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, cp = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, cp = c & 0x07, min = 0x10000;
  } else {
    ++Pos;  // stray continuation byte or 0xF8..0xFF
    return ReplacementChar;
  }
  if (Pos + len > S.size()) {
    ++Pos;
    return ReplacementChar;
  }
  for (int i = 1; i < len; ++i) {
    if (!IsCont(at(Pos + i))) {
      ++Pos;
      return ReplacementChar;
    }
    cp = (cp << 6) | (at(Pos + i) & 0x3F);
  }
  // Overlong forms, surrogates and values past Unicode are not characters.
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++Pos;
    return ReplacementChar;
  }
  Pos += len;
  return cp;
}

void Utf8Append(AnsiString& S, char32_t Ch) {
  if (Ch > 0x10FFFF || (Ch >= 0xD800 && Ch <= 0xDFFF)) Ch = ReplacementChar;
  if (Ch < 0x80) {
    S += static_cast<char>(Ch);
  } else if (Ch < 0x800) {
    S += static_cast<char>(0xC0 | (Ch >> 6));
    S += static_cast<char>(0x80 | (Ch & 0x3F));
  } else if (Ch < 0x10000) {
    S += static_cast<char>(0xE0 | (Ch >> 12));
    S += static_cast<char>(0x80 | ((Ch >> 6) & 0x3F));
    S += static_cast<char>(0x80 | (Ch & 0x3F));
  } else {
    S += static_cast<char>(0xF0 | (Ch >> 18));
    S += static_cast<char>(0x80 | ((Ch >> 12) & 0x3F));
    S += static_cast<char>(0x80 | ((Ch >> 6) & 0x3F));
    S += static_cast<char>(0x80 | (Ch & 0x3F));
  }
}

AnsiString Utf8Encode(char32_t Ch) {
  AnsiString s;
  Utf8Append(s, Ch);
  return s;
}

std::size_t Utf8CharCount(const AnsiString& S) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < S.size(); ++n) Utf8DecodeNext(S, pos);
  return n;
}

std::size_t Utf8ByteOffset(const AnsiString& S, std::size_t CharIndex) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < CharIndex && pos < S.size(); ++i) Utf8DecodeNext(S, pos);
  return pos;
}

bool Utf8IsValid(const AnsiString& S) {
  for (std::size_t pos = 0; pos < S.size();) {
    const std::size_t start = pos;
    // A genuine U+FFFD takes three bytes; a replacement for a bad byte takes one.
    if (Utf8DecodeNext(S, pos) == ReplacementChar && pos - start != 3) return false;
  }
  return true;
}

WideString Utf8ToWide(const AnsiString& S) {
  WideString w;
  w.reserve(S.size());
  for (std::size_t pos = 0; pos < S.size();) {
    const char32_t cp = Utf8DecodeNext(S, pos);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      w += static_cast<char16_t>(0xD800 + (v >> 10));
      w += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    } else {
      w += static_cast<char16_t>(cp);
    }
  }
  return w;
}

AnsiString WideToUtf8(const WideString& S) {
  AnsiString s;
  s.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    const char16_t u = S[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) {
      Utf8Append(s, 0x10000 + ((static_cast<char32_t>(u - 0xD800) << 10) | (S[i + 1] - 0xDC00)));
      ++i;
    } else {
      Utf8Append(s, u);  // an unpaired surrogate becomes U+FFFD there
    }
  }
  return s;
}
