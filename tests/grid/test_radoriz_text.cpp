// Text classification, number texts, positions, tokens and line-break forms.
#include <gtest/gtest.h>

#include "grid/radoriz.h"
#include "platform/rtl/classes_strings.h"
#include "platform/rtl/sysutils.h"

namespace {

class RadOrizText : public ::testing::Test {
protected:
  void SetUp() override { ResetFormatSettings(); }
  void TearDown() override { ResetFormatSettings(); }
};

const AnsiString kEncodedEq1 = AnsiString("|\\\0=\0" "1", 6);  // wide "=1"
const AnsiString kEncodedEq = AnsiString("|\\\0=", 4);         // wide "="

TEST_F(RadOrizText, TextTypeTable) {
  struct Case {
    AnsiString text;
    bool html;
    TTextType want;
  } cases[] = {
      {"", true, ttText},
      {"=", false, ttFormula},
      {"=A1+1", false, ttFormula},
      {"<b>x</b>", true, ttHTML},
      {"<b>x</b>", false, ttText},
      {"<b>x", true, ttText},  // only "</", "<B", "<I", "<C" count
      {"<B>x", true, ttHTML},
      {"{\\rtf1 x}", true, ttRTF},
      {"http://x", true, ttText},  // ttURL is never returned
      {kEncodedEq1, true, ttFormula},
      {kEncodedEq, true, ttUnicode},
      {EncodeWideStr(u"жук"), true, ttUnicode},
  };
  for (const auto& c : cases) EXPECT_EQ(TextType(c.text, c.html), c.want) << c.text;
}

TEST_F(RadOrizText, IsTypeWithPointDecimal) {
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.ThousandSeparator = ',';
  struct Case {
    const char* text;
    TAutoType want;
  } cases[] = {
      {"", atString},        {"123", atNumeric},    {"-", atNumeric},       {"-12", atNumeric},
      {"1.5", atFloat},      {"-1.5", atFloat},     {"1,234.5", atFloat},   {"1,23,456", atString},
      {"1e5", atScientific}, {"-1e-5", atScientific}, {"1.5E+3", atScientific}, {"e5", atString},
      {"1e", atString},      {"1e5e", atString},    {"1,000e5", atString},  {"1.2.3", atString},
      {"--1", atString},     {"+5", atString},      {"1-2", atString},      {"12ab", atString},
  };
  for (const auto& c : cases) EXPECT_EQ(IsType(c.text), c.want) << c.text;
}

TEST_F(RadOrizText, IsTypeUsesLocaleSeparators) {
  // Russian defaults: "," decimal, blank thousand separator.
  EXPECT_EQ(IsType("1 234,5"), atFloat);
  EXPECT_EQ(IsType("1.5"), atString);
}

TEST_F(RadOrizText, SmallClassifiers) {
  EXPECT_TRUE(IsURL("http://a.ru"));
  EXPECT_TRUE(IsURL("mailto:x@y"));
  EXPECT_FALSE(IsURL("www.a.ru"));
  EXPECT_TRUE(IsDateStr("01.02.2011"));
  EXPECT_FALSE(IsDateStr(".01.2011"));  // separator at position 1
  EXPECT_FALSE(IsDateStr("01..2011"));  // second one directly after the first
  EXPECT_FALSE(IsDateStr("01.2011"));
  EXPECT_TRUE(CheckNum('7'));
  EXPECT_FALSE(CheckNum('-'));
  EXPECT_TRUE(CheckSignedNum('-'));
}

TEST_F(RadOrizText, RemoveSepsTable) {
  struct Case {
    const char* text;
    const char* want;
  } cases[] = {
      {"(1 234,50)", "-1234.50"},  // accounting negative, blank thousands
      {"  12 345,6 ", "12345.6"},
      {"-5", "-5"},
      {"$ -7,5", "-7.5"},          // leading non-number characters dropped
      {"12,5 kg", "12.5"},         // the first other character ends the number
      {"1,5e3", "1.5e3"},
      {"", ""},
      {"x", ""},                   // kept by the prefix loop, then ends the copy
  };
  for (const auto& c : cases) EXPECT_EQ(RemoveSeps(c.text), c.want) << c.text;
}

TEST_F(RadOrizText, NumberHelpers) {
  EXPECT_EQ(FixDecimalSeparator("1,5,6"), "1.5,6");
  FormatSettings.DecimalSeparator = '.';
  EXPECT_EQ(FixDecimalSeparator("1,5"), "1,5");
  EXPECT_EQ(Max(-3, 2), 2);
  EXPECT_EQ(Min(-3, 2), -3);
  struct Case {
    int value, low, high, want;
  } cases[] = {
      {50, 10, 10, 50}, {50, 0, 20, 20}, {5, 10, 20, 10}, {-5, 0, 20, -5}, {15, 10, 20, 15}, {50, 10, 0, 50},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckLimits(c.value, c.low, c.high), c.want);
}

TEST_F(RadOrizText, PositionsCountBytesOfWholeCharacters) {
  const AnsiString s = "аб;в";  // two-byte Cyrillic letters
  EXPECT_EQ(CharPos(U';', s), 5);
  EXPECT_EQ(CharPos(U'в', s), 6);
  EXPECT_EQ(CharPos(U'x', s), 0);
  EXPECT_EQ(NumChar(U'б', "абба"), 2);
  EXPECT_EQ(NumCharInStr(U'a', "banana"), 3);

  int pos = 42;
  EXPECT_EQ(VarCharPos(U'x', "abc", pos), 0);
  EXPECT_EQ(pos, 42);  // untouched when absent
  EXPECT_EQ(VarCharPos(U'c', "abc", pos), 3);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(VarCharPosNC('B', "aab", pos), 3);
  EXPECT_EQ(VarPos("cd", "abcd", pos), 3);
  EXPECT_EQ(VarPos("x", "abcd", pos), 0);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(FIPos("CD", "abcd"), 3);
  EXPECT_EQ(StrPosWide(u"б", u"абв"), 2);
  EXPECT_EQ(StrPosWide(u"", u"абв"), 0);
  EXPECT_EQ(StrPosWide(u"абвг", u"абв"), 0);
}

TEST_F(RadOrizText, FirstCharSkipsQuotedText) {
  const TCharSet ops = MakeCharSet("&|");
  int pos = 0;
  EXPECT_EQ(FirstChar(ops, "\"a&b\"|c", pos), '|');
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(FirstChar(ops, "\"a&b", pos), '\0');
  EXPECT_EQ(pos, -1);
}

TEST_F(RadOrizText, GetToken) {
  AnsiString s = "a;b";
  EXPECT_EQ(GetToken(s, ";"), "a");
  EXPECT_EQ(s, "b");
  EXPECT_EQ(GetToken(s, ";"), "");
  EXPECT_EQ(s, "b");  // unchanged without the separator
  s = "key=>value";
  EXPECT_EQ(GetToken(s, "=>"), "key");
  EXPECT_EQ(s, ">value");  // only the separator's first character goes
}

TEST_F(RadOrizText, SinglePosFindsUndoubledChar) {
  struct Case {
    const char* text;
    int pos;
    int count;
  } cases[] = {
      {"ab\"c", 3, 1},
      {"a\"\"b\"c", 5, 1},   // the doubled pair is skipped
      {"a\"\"", 3, 1},       // a trailing run counts whatever its length
      {"abc", 0, 0},
      {"\"a\"b\"", 1, 3},
  };
  for (const auto& c : cases) {
    int pos = -1;
    EXPECT_EQ(SinglePos('"', c.text, pos), c.pos) << c.text;
    EXPECT_EQ(pos, c.pos);
    EXPECT_EQ(NumSingleChar('"', c.text), c.count) << c.text;
  }
}

TEST_F(RadOrizText, StringListToText) {
  TStringList list;
  list.Add("ab");
  list.Add("");
  list.Add("c");
  EXPECT_EQ(StringListToText(&list), "abc");
}

TEST_F(RadOrizText, LineBreakForms) {
  struct Case {
    AnsiString (*fn)(const AnsiString&);
    const char* in;
    const char* want;
  } cases[] = {
      {CSVQuotes, "a\"b", "a\"\"b"},
      {LineFeedsToXLS, "a\r\nb", "a\nb"},
      {CRToLF, "a\rb\r\n", "ab\n"},
      {CLFToLF, "a\\nb", "a\rb"},
      {LFToCLF, "a\r\nb", "a\\nb"},
      {HTMLLineBreaks, "a\r\nb", "a<br>\nb"},
      {HTMLLineBreaks, "a\nb", "a\nb"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.fn(c.in), c.want) << c.in;

  EXPECT_EQ(DoubleToSingleChar('"', "a\"\"b\"c"), "a\"bc");
  EXPECT_EQ(DoubleToSingleChar('"', ""), "");
}

TEST_F(RadOrizText, InPlaceLineBreakRoundTrips) {
  AnsiString s = "one\r\ntwo\r\nthree";
  LineFeedsToCSV(s);
  EXPECT_EQ(s, "\"one\x0Btwo\x0Bthree\"");
  s = s.substr(1, s.size() - 2);
  CSVToLineFeeds(s);
  EXPECT_EQ(s, "one\r\ntwo\r\nthree");

  LineFeedsToCSVNQ(s);
  EXPECT_EQ(s, "one\ntwo\nthree");

  s = "one\r\ntwo";
  LineFeedsToJava(s);
  EXPECT_EQ(s, "one~two");
  JavaToLineFeeds(s);
  EXPECT_EQ(s, "one\r\ntwo");
  s = "^";
  JavaToLineFeeds(s);
  EXPECT_EQ(s, "");
}

TEST_F(RadOrizText, CellFileLineForm) {
  const AnsiString multi = AnsiString("a\r\nb\0c", 6);
  const AnsiString oneLine = LfToFile(multi);
  EXPECT_EQ(oneLine, AnsiString("a\x09\x08" "b\x01" "c", 6));
  EXPECT_EQ(FileToLf(oneLine, true), multi);
  EXPECT_EQ(FileToLf(oneLine, false), "a");
  EXPECT_EQ(LfToFile("tab\there"), "tab\there");  // single-line texts stay as they are
  EXPECT_EQ(FileToLf("tab\there", true), "tab\there");
}

TEST_F(RadOrizText, GetNextLineAndLinesInText) {
  AnsiString s = "a\r\nb\rc";
  EXPECT_EQ(GetNextLine(s, true), "a");
  EXPECT_EQ(s, "b\rc");
  EXPECT_EQ(GetNextLine(s, true), "b");
  EXPECT_EQ(GetNextLine(s, true), "c");
  EXPECT_EQ(s, "");
  s = "a\r\nb";
  EXPECT_EQ(GetNextLine(s, false), "a");
  EXPECT_EQ(s, "");
  EXPECT_EQ(LinesInText("a\r\nb\rc", true), 3);
  EXPECT_EQ(LinesInText("a\r\nb\rc", false), 1);
}

}  // namespace
