// RadOriz: code page, case, colour and wide-text conversions and the
// clipboard HTML fragment.
#include <cstdio>
#include <string>

#include "grid/radoriz.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

void StringToOem(AnsiString& S) { S = Utf8ToCp866(S); }

void OemToString(AnsiString& S) { S = Cp866ToUtf8(S); }

void StringToPassword(AnsiString& S, char32_t Ch) {
  const std::size_t count = Utf8CharCount(S);
  const AnsiString mask = Utf8Encode(Ch);
  AnsiString out;
  out.reserve(count * mask.size());
  for (std::size_t i = 0; i < count; ++i) out += mask;
  S = out;
}

namespace {

bool IsWordSeparator(char32_t c) { return c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.'; }

bool EndsWith(const std::u32string& s, std::u32string_view tail) {
  return s.size() >= tail.size() && std::u32string_view(s).substr(s.size() - tail.size()) == tail;
}

}  // namespace

// Mixed case: the first letter of each word upper case, the rest lower case,
// with "Mc" names (McDonald) and roman numerals at the end (Henry III).
AnsiString ShiftCase(const AnsiString& S) {
  std::u32string chars;
  for (std::size_t i = 0; i < S.size();) chars += Utf8DecodeNext(S, i);

  const std::size_t n = chars.size();
  std::u32string out;
  out.reserve(n);
  bool wordStart = true;
  bool mcSeen = false;  // only the first " Mc" of the text counts
  for (std::size_t k = 0; k < n; ++k) {
    bool upper = wordStart;
    if (k == 2 && out == U"Mc") upper = true;
    if (!mcSeen && EndsWith(out, U" Mc")) {
      mcSeen = true;
      upper = true;
    }
    if (k + 3 >= n && (EndsWith(out, U" I") || EndsWith(out, U" II"))) upper = true;

    const AnsiString one = Utf8Encode(chars[k]);
    const AnsiString cased = upper ? AnsiUpperCase(one) : AnsiLowerCase(one);
    std::size_t pos = 0;
    const char32_t c = Utf8DecodeNext(cased, pos);
    // A case mapping that is not one character to one keeps the character.
    out += (pos == cased.size()) ? c : chars[k];
    wordStart = IsWordSeparator(chars[k]);
  }

  AnsiString result;
  result.reserve(S.size());
  for (char32_t c : out) Utf8Append(result, c);
  return result;
}

AnsiString HTMLColor(TColor Color) {
  const auto v = static_cast<std::uint32_t>(Color);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
  return buf;
}

TColor DarkenColor(TColor Color) {
  const COLORREF c = ColorToRGB(Color);
  return static_cast<TColor>(RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2));
}

AnsiString EncodeWideStr(const WideString& S) {
  AnsiString out = "|\\";
  out.reserve(2 + 2 * S.size());
  for (char16_t u : S) {
    out += static_cast<char>(u >> 8);
    out += static_cast<char>(u & 0xFF);
  }
  return out;
}

WideString DecodeWideStr(const AnsiString& S) {
  if (S.compare(0, 2, "|\\") != 0) return Utf8ToWide(S);
  WideString out;
  out.reserve((S.size() - 2) / 2);
  for (std::size_t i = 2; i + 1 < S.size(); i += 2) {
    const auto hi = static_cast<unsigned char>(S[i]);
    const auto lo = static_cast<unsigned char>(S[i + 1]);
    out += static_cast<char16_t>((hi << 8) | lo);
  }
  return out;
}

// Clipboard "HTML Format": a header with the byte offsets of the HTML and of
// the fragment, then the fragment wrapped in a minimal UTF-8 document.
void MakeFragment(AnsiString& Html) {
  static const AnsiString kDocType = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
  static const AnsiString kHead =
      "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head>"
      "<body><!--StartFragment-->";
  static const AnsiString kTail = "<!--EndFragment--></body></html>";

  auto header = [](long startHtml, long endHtml, long startFrag, long endFrag) {
    char buf[160];
    std::snprintf(buf, sizeof buf,
                  "Version:1.0\r\nStartHTML:%.8ld\r\nEndHTML:%.8ld\r\nStartFragment:%.8ld\r\nEndFragment:%.8ld\r\n",
                  startHtml, endHtml, startFrag, endFrag);
    return AnsiString(buf);
  };
  // The header is 97 bytes while every offset fits in eight digits; a larger
  // one widens it, so settle its length before taking the offsets.
  AnsiString head;
  long startHtml = 97;
  for (;;) {
    const long startFrag = startHtml + static_cast<long>(kDocType.size() + kHead.size());
    const long endFrag = startFrag + static_cast<long>(Html.size());
    head = header(startHtml, endFrag + static_cast<long>(kTail.size()), startFrag, endFrag);
    if (static_cast<long>(head.size()) == startHtml) break;
    startHtml = static_cast<long>(head.size());
  }
  Html = head + kDocType + kHead + Html + kTail;
}
