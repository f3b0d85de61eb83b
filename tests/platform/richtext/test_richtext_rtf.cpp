// RTF reading and writing: round trips of formatted documents, samples of
// what other programs write, Cyrillic through both escapes, and malformed
// input that must neither crash nor lose what was readable.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "platform/rtl/codepages.h"
#include "platform/richtext/richtext.h"

namespace {

TRichCharFormat Fmt(const char* Name, int HalfPoints, TColor Color = clWindowText, TFontStyles Style = {},
                    TFontCharset Charset = DEFAULT_CHARSET, int Offset = 0) {
  TRichCharFormat f;
  f.Name = Name;
  f.Height = HalfPoints * 10;
  f.Color = Color;
  f.Style = Style;
  f.Charset = Charset;
  f.Offset = Offset;
  return f;
}

struct Piece {
  const char* Utf8;
  TRichCharFormat Format;
};

std::unique_ptr<TRichTextDocument> Build(std::initializer_list<Piece> Pieces,
                                         std::initializer_list<TAlignment> Aligns = {}) {
  auto d = std::make_unique<TRichTextDocument>();
  for (const Piece& p : Pieces) d->Insert(d->GetCharCount(), Utf8ToWide(p.Utf8), p.Format);
  int i = 0;
  for (TAlignment a : Aligns) d->SetParaFormat(d->ParagraphStart(i++), 0, TRichParaFormat{a});
  return d;
}

void ExpectSame(const TRichTextDocument& A, const TRichTextDocument& B, const std::string& Rtf) {
  EXPECT_EQ(A.GetRawText(), B.GetRawText()) << Rtf;
  ASSERT_EQ(A.GetRuns().size(), B.GetRuns().size()) << Rtf;
  for (std::size_t i = 0; i < A.GetRuns().size(); ++i) {
    EXPECT_EQ(A.GetRuns()[i].Length, B.GetRuns()[i].Length) << i << Rtf;
    EXPECT_EQ(A.GetRuns()[i].Format.SameMask(B.GetRuns()[i].Format), CFM_ALL_RICH) << i << Rtf;
  }
  ASSERT_EQ(A.GetParagraphCount(), B.GetParagraphCount()) << Rtf;
  for (int p = 0; p < A.GetParagraphCount(); ++p)
    EXPECT_EQ(A.GetParaFormat(p).Alignment, B.GetParaFormat(p).Alignment) << p << Rtf;
}

TEST(RichRtf, RoundTripKeepsRunsAndParagraphs) {
  const TRichCharFormat arial = Fmt("Arial", 20, clWindowText, {}, RUSSIAN_CHARSET);
  const TRichCharFormat courier = Fmt("Courier New", 17, clRed, {fsBold, fsItalic}, ANSI_CHARSET);
  std::unique_ptr<TRichTextDocument> docs[] = {
      Build({}),
      Build({{"plain \\ {braces} ; 123 \x7f", arial}}),
      Build({{" leading blank", arial}, {"42 digits after a size", courier}}),
      Build({{"b", Fmt("Arial", 24, clBlue, {fsBold})},
             {"i", Fmt("Arial", 24, clBlue, {fsItalic})},
             {"u", Fmt("Arial", 24, clGreen, {fsUnderline})},
             {"s", Fmt("Arial", 24, clGreen, {fsStrikeOut})},
             {"up", Fmt("Arial", 24, clGreen, {}, DEFAULT_CHARSET, 40)},
             {"dn", Fmt("Arial", 24, clGreen, {}, DEFAULT_CHARSET, -40)},
             {"all", Fmt("Times New Roman", 72, 0x123456, {fsBold, fsItalic, fsUnderline, fsStrikeOut})}}),
      Build({{"Счётчик ЮНТ3 № 5", arial}, {"Ärger €", courier}, {"中文 \xF0\x9F\x98\x80", arial}}),
      Build({{"left\rcentre\ttab\vline\r\rright\r", arial}},
            {taLeftJustify, taCenter, taLeftJustify, taRightJustify, taCenter}),
      Build({{"Шрифт", Fmt("Журнал", 20, clWindowText, {}, RUSSIAN_CHARSET)}}),
  };
  for (const auto& doc : docs) {
    const TRichTextDocument& d = *doc;
    std::string rtf = RtfWrite(d);
    for (unsigned char c : rtf) ASSERT_LT(c, 0x80) << rtf;
    TRichTextDocument back;
    EXPECT_TRUE(RtfRead(back, rtf)) << rtf;
    ExpectSame(d, back, rtf);
  }
}

TEST(RichRtf, CyrillicThroughCodePageBytesAndUnicode) {
  const char* samples[] = {
      "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\\f0\\fs20 "
      "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par}",
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\\f0\\fs20 "
      "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}",  // the font's charset wins over the document's
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\\uc1\\f0\\fs20 "
      "\\u1055?\\u1088?\\u1080\\'e8\\u1074 ?\\uc2\\u1077\\'e5\\'e5\\uc0\\u1090}",
  };
  for (const char* s : samples) {
    TRichTextDocument d;
    EXPECT_TRUE(RtfRead(d, s)) << s;
    EXPECT_EQ(d.GetText(), "Привет") << s;
    ASSERT_EQ(d.GetRuns().size(), 1u);
    EXPECT_EQ(d.GetRuns()[0].Format.Name, "Arial");
    EXPECT_EQ(d.GetRuns()[0].Format.Charset, RUSSIAN_CHARSET);
    EXPECT_EQ(d.GetRuns()[0].Format.Height, 200);
  }
  TRichTextDocument w;
  RtfRead(w, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 caf\\'e9 \\'80 \\u-3913?}");
  EXPECT_EQ(w.GetRawText(), u"café € \xF0B7");
  // Written Cyrillic carries both the Unicode value and the cp1251 byte.
  auto c = Build({{"Я", Fmt("Arial", 20, clWindowText, {}, RUSSIAN_CHARSET)}});
  EXPECT_NE(RtfWrite(*c).find("\\u1071\\'df"), std::string::npos);
}

TEST(RichRtf, CommonDocumentFeatures) {
  const char* rtf =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
      "{\\fonttbl{\\f0\\fnil\\fcharset204{\\*\\panose 020b0604}Tahoma;}{\\f1\\froman Times New Roman;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}{\\author Someone}}"
      "{\\*\\generator Writer 1.0;}{\\*\\unknowndest hidden}"
      "\\viewkind4\\uc1\\pard\\qc\\f0\\fs16 A{\\b\\cf1 B{\\i C}}D\\par\r\n"
      "\\pard\\f1\\fs24\\cf2 E{\\pict\\wmetafile8\\picw10 0102{\\bin3 }}}ff}}F\\line G\\tab H"
      "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}\\plain I\\ul J\\ulnone K\\emdash\\~\\par\r\n}";
  TRichTextDocument d;
  EXPECT_TRUE(RtfRead(d, rtf));
  EXPECT_EQ(d.GetRawText(), u"ABCD\rEF\vG\tHlinkIJK\x2014\xA0");
  EXPECT_EQ(d.GetLineCount(), 2);  // the final \par ends the document
  EXPECT_EQ(d.GetParaFormat(0).Alignment, taCenter);
  EXPECT_EQ(d.GetParaFormat(1).Alignment, taLeftJustify);
  TRichCharFormat f;
  struct Probe {
    int Pos;
    const char* Name;
    int Height;
    TColor Color;
    TFontStyles Style;
  } probes[] = {
      {0, "Tahoma", 160, clWindowText, {}},
      {1, "Tahoma", 160, clRed, {fsBold}},
      {2, "Tahoma", 160, clRed, {fsBold, fsItalic}},
      {3, "Tahoma", 160, clWindowText, {}},
      {5, "Times New Roman", 240, clBlue, {}},
      {11, "Times New Roman", 240, clBlue, {}},  // the field's result
      {15, "Tahoma", 240, clWindowText, {}},     // \\plain: the default font, 12 points
      {16, "Tahoma", 240, clWindowText, {fsUnderline}},
      {17, "Tahoma", 240, clWindowText, {}},
  };
  for (const Probe& p : probes) {
    d.GetCharFormat(p.Pos, 1, f);
    EXPECT_EQ(f.Name, p.Name) << p.Pos;
    EXPECT_EQ(f.Height, p.Height) << p.Pos;
    EXPECT_EQ(f.Color, p.Color) << p.Pos;
    EXPECT_TRUE(f.Style == p.Style) << p.Pos;
  }
  d.GetCharFormat(0, 1, f);
  EXPECT_EQ(f.Charset, RUSSIAN_CHARSET);
}

TEST(RichRtf, MalformedInputKeepsWhatWasRead) {
  struct Case {
    std::string Rtf;
    std::u16string Text;
    bool Ok;
  } cases[] = {
      {"{\\rtf1 abc", u"abc", false},                       // never closed
      {"{\\rtf1 abc}}}more", u"abc", false},                // braces too many
      {std::string("{\\rtf1 abc}\r\n\0", 14), u"abc", true}, // clipboard data ends in a zero
      {"{\\rtf1 ab\\", u"ab", false},                       // truncated control
      {"{\\rtf1 ab\\'4", u"ab4", false},                    // truncated byte escape
      {"{\\rtf1 ab\\'zzcd}", u"abzzcd", false},
      {"{\\rtf1 \\u1071", u"\x42F", false},
      {"{\\rtf1{\\fonttbl{\\f0 Arial", u"", false},
      {"{\\rtf1 {\\*\\pict\\bin999999 }", u"", false},
      {"plain words", u"plain words", false},
      {"", u"", false},
      {std::string("{\\rtf1 a\0b\x01\xff}", 13), u"ab\xFF", true},
      {"{\\rtf1{\\colortbl;\\red300\\green-5 ;}\\cf99 x\\f77 y}", u"xy", true},
      {"{\\rtf1 \\fs99999999999999999999999 big\\u99999999999?x}", u"big\xFFFFx", true},
      {"{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz1 w}", u"w", true},
      {"{\\rtf1 top" + std::string(100000, '{') + "deep" + std::string(100000, '}') + " end}", u"top end", false},
  };
  for (const Case& c : cases) {
    TRichTextDocument d;
    EXPECT_EQ(RtfRead(d, c.Rtf), c.Ok) << c.Rtf.substr(0, 80);
    EXPECT_EQ(d.GetRawText(), c.Text) << c.Rtf.substr(0, 80);
  }
  TRichTextDocument big;
  RtfRead(big, "{\\rtf1 \\fs99999999999999999999999 big}");
  EXPECT_EQ(big.GetRuns()[0].Format.Height, 32760);
}

TEST(RichRtf, ControlBytesInAFontNameAreDropped) {
  // The writer cannot keep them: the name read must be the one written.
  TRichTextDocument d;
  using namespace std::string_literals;
  RtfRead(d, "{\\rtf1{\\fonttbl{\\f0\\fcharset\x02\0\0\0 Sans\\u1?;}}\\f0 x}"s);
  ASSERT_FALSE(d.GetRuns().empty());
  EXPECT_EQ(d.GetRuns()[0].Format.Name, "Sans");
  TRichTextDocument back;
  EXPECT_TRUE(RtfRead(back, RtfWrite(d)));
  EXPECT_EQ(RtfWrite(back), RtfWrite(d));
}

TEST(RichRtf, RandomBytesNeverCrash) {
  std::mt19937 rng(12345);
  const std::string alphabet = "{}\\'*;0123456789abcdefu -\r\n\x80\xcf";
  for (int n = 0; n < 300; ++n) {
    std::string s = "{\\rtf1 ";
    int len = static_cast<int>(rng() % 200);
    for (int i = 0; i < len; ++i) s += alphabet[rng() % alphabet.size()];
    TRichTextDocument d;
    RtfRead(d, s);
    // Whatever came in is a valid document that writes and reads back.
    TRichTextDocument back;
    EXPECT_TRUE(RtfRead(back, RtfWrite(d)));
    EXPECT_EQ(back.GetRawText(), d.GetRawText());
  }
}

TEST(RichRtf, StreamsLoadRtfOrPlainText) {
  TRichTextDocument d;
  TStringStream rtf("{\\rtf1 {\\b x}y}");
  EXPECT_TRUE(RichLoadFromStream(d, &rtf));
  EXPECT_EQ(d.GetRuns().size(), 2u);
  TStringStream plain("line 1\r\nстрока 2");
  EXPECT_TRUE(RichLoadFromStream(d, &plain));
  EXPECT_EQ(d.GetLine(1), "строка 2");
  // As plain text even RTF is kept literally.
  EXPECT_TRUE(RichLoadFromString(d, "{\\rtf1 x}", true));
  EXPECT_EQ(d.GetText(), "{\\rtf1 x}");
  // An empty document saves as RTF that loads back empty.
  d.Clear();
  TStringStream out;
  RichSaveToStream(d, &out);
  EXPECT_TRUE(RtfIsRtf(out.DataString()));
  EXPECT_TRUE(RichLoadFromString(d, out.DataString()));
  EXPECT_EQ(d.GetCharCount(), 0);
}

}  // namespace

namespace {

// \li indents every line, \fi the first line beyond it (negative: hanging),
// \ri the right side; \pard clears them and the writer gives them back.
TEST(RichRtf, ParagraphIndentsReadAndWritten) {
  const char* rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\fi-360\\li720\\ri144 a\\par"
      "\\li100 b\\par\\pard c\\par\\pard\\li99999999 d}";
  TRichTextDocument d;
  ASSERT_TRUE(RtfRead(d, rtf));
  struct TCase {
    int Para, Start, Offset, Right;
  } cases[] = {
      {0, 360, 360, 144},    // first line at 720 - 360, the others 360 further
      {1, -260, 360, 144},   // \li alone changes, \fi stays within the paragraph state
      {2, 0, 0, 0},
      {3, 31680, 0, 0},      // kept to a page's width
  };
  for (const TCase& c : cases) {
    TRichParaFormat f = d.GetParaFormat(c.Para);
    EXPECT_EQ(c.Start, f.StartIndent) << c.Para;
    EXPECT_EQ(c.Offset, f.Offset) << c.Para;
    EXPECT_EQ(c.Right, f.RightIndent) << c.Para;
  }
  TRichTextDocument back;
  ASSERT_TRUE(RtfRead(back, RtfWrite(d)));
  for (int p = 0; p < 4; ++p) EXPECT_TRUE(back.GetParaFormat(p) == d.GetParaFormat(p)) << p;
}

}  // namespace
