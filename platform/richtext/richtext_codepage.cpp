#include "platform/richtext/richtext_codepage.h"

#include "platform/rtl/codepages.h"

namespace {

// Windows-1252 0x80..0x9F; undefined bytes stay the C1 control of the same
// value, as in our other code page tables.
constexpr char16_t kCp1252C1[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

int RichCodePageOfCharset(int Charset, int DocumentCodePage) {
  switch (Charset) {
    case 0: return 1252;    // ANSI_CHARSET
    case 204: return 1251;  // RUSSIAN_CHARSET
    case 1: return DocumentCodePage;  // DEFAULT_CHARSET
    default: return DocumentCodePage;
  }
}

char16_t RichByteToChar(Byte B, int CodePage) {
  if (B < 0x80) return B;
  if (CodePage == 1251) return static_cast<char16_t>(Cp1251ToChar(B));
  if (B < 0xA0) return kCp1252C1[B - 0x80];
  return B;
}

bool RichCharToByte(char16_t Ch, int CodePage, Byte& B) {
  if (Ch < 0x80) {
    B = static_cast<Byte>(Ch);
    return true;
  }
  if (CodePage == 1251) return CharToCp1251(Ch, B);
  if (Ch >= 0xA0 && Ch <= 0xFF) {
    B = static_cast<Byte>(Ch);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kCp1252C1[i] == Ch) {
      B = static_cast<Byte>(0x80 + i);
      return true;
    }
  }
  return false;
}
