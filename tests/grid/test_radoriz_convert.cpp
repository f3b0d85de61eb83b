// Code pages, case, colours, wide-cell encoding, short dates, date series
// and the clipboard HTML fragment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "grid/radoriz.h"
#include "platform/rtl/sysutils.h"

namespace {

class RadOrizConvert : public ::testing::Test {
protected:
  void SetUp() override { ResetFormatSettings(); }
  void TearDown() override { ResetFormatSettings(); }
};

TEST_F(RadOrizConvert, OemRoundTripThroughCp866) {
  AnsiString s = "Привет, ёж!";
  StringToOem(s);
  // CP866: П = 0x8F, р = 0xE0, ё = 0xF1.
  ASSERT_EQ(s.size(), 11u);
  EXPECT_EQ(static_cast<unsigned char>(s[0]), 0x8F);
  EXPECT_EQ(static_cast<unsigned char>(s[1]), 0xE0);
  EXPECT_EQ(static_cast<unsigned char>(s[8]), 0xF1);
  OemToString(s);
  EXPECT_EQ(s, "Привет, ёж!");
}

TEST_F(RadOrizConvert, PasswordMasksCharacters) {
  AnsiString s = "пароль1";
  StringToPassword(s, U'*');
  EXPECT_EQ(s, "*******");
  s = "ab";
  StringToPassword(s, U'●');
  EXPECT_EQ(s, "●●");
}

TEST_F(RadOrizConvert, ShiftCaseTable) {
  struct Case {
    const char* in;
    const char* want;
  } cases[] = {
      {"mcdonald", "McDonald"},
      {"ronald mcdonald", "Ronald McDonald"},
      {"henry iii", "Henry III"},
      {"henry ii", "Henry II"},
      {"JOHN O'NEIL-SMITH", "John O'Neil-Smith"},
      {"иван ПЕТРОВ", "Иван Петров"},
      {"ёлка", "Ёлка"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShiftCase(c.in), c.want) << c.in;
}

TEST_F(RadOrizConvert, Colours) {
  EXPECT_EQ(HTMLColor(0x00332211), "112233");
  EXPECT_EQ(HTMLColor(clRed), "FF0000");
  EXPECT_EQ(DarkenColor(0x00FF8040), 0x007F4020);
  // A system colour is resolved first.
  const COLORREF face = ColorToRGB(clBtnFace);
  EXPECT_EQ(static_cast<COLORREF>(DarkenColor(clBtnFace)),
            RGB(GetRValue(face) / 2, GetGValue(face) / 2, GetBValue(face) / 2));
}

TEST_F(RadOrizConvert, WideCellEncoding) {
  EXPECT_EQ(EncodeWideStr(u"Aб"), AnsiString("|\\\x00\x41\x04\x31", 6));

  // Every UTF-16 unit survives, zero and lone surrogates included.
  WideString all;
  for (char32_t u = 0; u <= 0xFFFF; ++u) all += static_cast<char16_t>(u);
  EXPECT_EQ(DecodeWideStr(EncodeWideStr(all)), all);
  EXPECT_EQ(DecodeWideStr(EncodeWideStr(u"")), u"");

  EXPECT_EQ(DecodeWideStr(AnsiString("|\\\x04\x31\x04", 5)), u"б");  // odd last byte ignored
  EXPECT_EQ(DecodeWideStr("жук"), u"жук");                            // plain text converted
}

TEST_F(RadOrizConvert, ShortDates) {
  struct Case {
    const char* text;
    bool eu;
    int y, m, d;  // 0 for a result of 0
  } cases[] = {
      {"31.12.11", true, 2011, 12, 31},
      {"31.12.26", true, 1926, 12, 31},
      {"31.12.25", true, 2025, 12, 31},
      {"12/31/99", false, 1999, 12, 31},
      {"1-2-03", true, 2003, 2, 1},
      {"05.06.2011", true, 2011, 6, 5},  // four-digit year as written
      {"05.06.999", true, 999, 6, 5},
      {"05.06.0011", true, 11, 6, 5},
      {"31122011", true, 0, 0, 0},       // no separator
      {"aa.12.11", true, 0, 0, 0},       // not a number
      {"31.12", true, 0, 0, 0},          // no year
  };
  for (const auto& c : cases) {
    const TDateTime got = c.eu ? StrToShortDateEU(c.text) : StrToShortdateUS(c.text);
    const TDateTime want = c.y ? EncodeDate(c.y, c.m, c.d) : 0;
    EXPECT_EQ(got, want) << c.text;
  }
  EXPECT_THROW(StrToShortDateEU("31.02.11"), EConvertError);
  EXPECT_THROW(StrToShortdateUS("31.12.11"), EConvertError);  // month 31
}

TEST_F(RadOrizConvert, NextDateOfSeries) {
  const TDateTime d = EncodeDate(2011, 11, 30) + 0.5;
  EXPECT_EQ(GetNextDate(d, 0, 0, 3, 99), d + 3);
  EXPECT_EQ(GetNextDate(d, 2, 0, 0, 99), EncodeDate(2013, 11, 30) + 0.5);
  EXPECT_EQ(GetNextDate(d, 0, 1, 0, 99), EncodeDate(2011, 12, 30) + 0.5);
  EXPECT_EQ(GetNextDate(d, 0, 2, 0, 99), EncodeDate(2012, 1, 30) + 0.5);  // into the next year
  EXPECT_EQ(GetNextDate(EncodeDate(2011, 1, 15), 0, -1, 0, 99), EncodeDate(2010, 12, 15));  // a falling series
  EXPECT_EQ(GetNextDate(d, 1, 1, 0, 7.25), d + 7.25);
  EXPECT_EQ(GetNextDate(d, 0, 0, 0, 7), d + 7);
  EXPECT_THROW(GetNextDate(EncodeDate(2011, 1, 31), 0, 1, 0, 0), EConvertError);  // 31 February
}

// Offsets in the header must point at the bytes they name.
TEST_F(RadOrizConvert, MakeFragmentOffsets) {
  for (const AnsiString& fragment : {AnsiString(""), AnsiString("<b>Жир</b>"), AnsiString(5000, 'x')}) {
    AnsiString html = fragment;
    MakeFragment(html);
    auto offset = [&](const char* key) {
      const std::size_t p = html.find(key);
      EXPECT_NE(p, AnsiString::npos) << key;
      const AnsiString digits = html.substr(p + std::string(key).size(), 8);
      EXPECT_EQ(html[p + std::string(key).size() + 8], '\r');
      return static_cast<std::size_t>(std::stoul(digits));
    };
    const std::size_t startHtml = offset("StartHTML:"), endHtml = offset("EndHTML:");
    const std::size_t startFrag = offset("StartFragment:"), endFrag = offset("EndFragment:");
    EXPECT_EQ(html.compare(0, 13, "Version:1.0\r\n"), 0);
    EXPECT_EQ(startHtml, 97u);
    EXPECT_EQ(startFrag, 269u);
    EXPECT_EQ(html.compare(startHtml, 9, "<!DOCTYPE"), 0);
    EXPECT_EQ(html.substr(startFrag, endFrag - startFrag), fragment);
    EXPECT_EQ(endHtml, html.size());
    EXPECT_EQ(html.substr(endFrag), "<!--EndFragment--></body></html>");
    if (fragment.empty()) {
      EXPECT_NE(html.find("EndHTML:00000301\r\n"), AnsiString::npos);
      EXPECT_NE(html.find("EndFragment:00000269\r\n"), AnsiString::npos);
    }
  }
}

}  // namespace
