// Laying rich text out into lines (word wrap with a fixed-width measurer)
// and drawing ranges of it into a canvas in twips.
#include <gtest/gtest.h>

#include "platform/rtl/codepages.h"
#include "platform/richtext/richtext_layout.h"

namespace {

// Every character is as wide as its size in points; lines are twice that.
class TFixedMeasurer : public TRichTextMeasurer {
public:
  int TextWidth(const TRichCharFormat& F, const WideString& Text) override {
    return static_cast<int>(Text.size()) * F.Height / 20;
  }
  int LineHeight(const TRichCharFormat& F) override { return F.Height / 10; }
  int Ascent(const TRichCharFormat& F) override { return F.Height / 12; }
  int PixelsPerInch() override { return 96; }  // tab stops every 48
};

TRichCharFormat Points(int P) {
  TRichCharFormat f;
  f.SetSize(P);
  return f;
}

struct Expect {
  const char16_t* Text;
  int Width;
};

TEST(RichLayout, WrapsAtBlanksWithinWidth) {
  struct Case {
    const char16_t* Text;
    int Width;
    bool Wrap;
    std::vector<Expect> Lines;
  } cases[] = {
      {u"aaa bbb ccc", 70, true, {{u"aaa bbb ", 70}, {u"ccc", 30}}},
      {u"aaa bbb ccc", 65, true, {{u"aaa ", 30}, {u"bbb ", 30}, {u"ccc", 30}}},
      {u"aaa     bbb", 40, true, {{u"aaa     ", 30}, {u"bbb", 30}}},  // blanks hang
      {u"abcdefghij", 35, true, {{u"abc", 30}, {u"def", 30}, {u"ghi", 30}, {u"j", 10}}},
      {u"aaa bbb ccc", 20, false, {{u"aaa bbb ccc", 110}}},
      {u"ab\rcd\vef", 0, false, {{u"ab\r", 20}, {u"cd\v", 20}, {u"ef", 20}}},
      {u"ab\r", 0, false, {{u"ab\r", 20}, {u"", 0}}},
      {u"\r\r", 100, true, {{u"\r", 0}, {u"\r", 0}, {u"", 0}}},
      {u"", 100, true, {{u"", 0}}},
      {u"a\tb\tc", 0, false, {{u"a\tb\tc", 106}}},  // tabs to 48 and 96
  };
  for (const Case& c : cases) {
    TRichTextDocument d;
    d.SetDefaultFormat(Points(10));  // the empty document's line
    d.Insert(0, c.Text, Points(10));
    TFixedMeasurer m;
    auto lines = RichLayout(d, m, c.Width, c.Wrap);
    ASSERT_EQ(lines.size(), c.Lines.size()) << WideToUtf8(c.Text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      WideString got = d.GetRawText().substr(static_cast<std::size_t>(lines[i].Start),
                                             static_cast<std::size_t>(lines[i].Length));
      EXPECT_EQ(got, c.Lines[i].Text) << WideToUtf8(c.Text) << " line " << i;
      EXPECT_EQ(lines[i].Width, c.Lines[i].Width) << WideToUtf8(c.Text) << " line " << i;
      EXPECT_EQ(lines[i].Height, 20);
    }
  }
}

TEST(RichLayout, LineTakesTallestFormatAndStartsAtFirst) {
  TRichTextDocument d;
  d.Insert(0, u"small ", Points(10));
  d.Insert(6, u"BIG", Points(20));
  d.Insert(9, u"\rnext", Points(10));
  TFixedMeasurer m;
  auto lines = RichLayout(d, m, 0, false);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Height, 40);
  EXPECT_EQ(lines[0].Width, 60 + 60);
  EXPECT_EQ(lines[1].Height, 20);
  EXPECT_EQ(lines[1].Paragraph, 1);
  // From a later character, the layout starts at the line holding it.
  auto tail = RichLayout(d, m, 0, false, 11);
  ASSERT_EQ(tail.size(), 1u);
  EXPECT_EQ(tail[0].Start, 10);
  TSize need = RichRequiredSize(d, m, 0, false);
  EXPECT_EQ(need.cx, 120);
  EXPECT_EQ(need.cy, 60);
}

class RichRender : public ::testing::Test {
protected:
  void SetUp() override {
    bmp.SetSize(300, 200);
    canvas = bmp.GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, 300, 200));
    TRichCharFormat f;
    f.Name = "Courier New";
    f.SetSize(10);
    f.Color = clBlack;
    d.SetDefaultFormat(f);
    ppi = GetDeviceCaps(canvas->GetHandle(), LOGPIXELSY);
  }
  // Bounding box of the ink (non-white pixels).
  TRect Ink() {
    TRect r(1000, 1000, -1, -1);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x)
        if (ColorToRGB(canvas->GetPixels(x, y)) != 0xFFFFFF) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }
  int Twips(int Pixels) const { return Pixels * 1440 / ppi; }
  TBitmap bmp;
  TCanvas* canvas = nullptr;
  TRichTextDocument d;
  int ppi = 96;
};

TEST_F(RichRender, FormatRangeDrawsWholeLinesAndReturnsTheNextCharacter) {
  d.SetText("one\rtwo\rthree");
  TCanvasRichMeasurer m(canvas);
  int lh = RichLayout(d, m, 0, false)[0].Height;
  ASSERT_GT(lh, 0);
  // Room for two lines and a half: the third line is left for the next page.
  TRect box(Twips(50), Twips(20), Twips(250), Twips(20 + 2 * lh + lh / 2));
  EXPECT_EQ(RichFormatRange(d, canvas, box, 0, -1, false), 8);
  EXPECT_EQ(Ink().right, -1);  // measuring draws nothing
  EXPECT_EQ(RichFormatRange(d, canvas, box, 0, -1, true), 8);
  TRect ink = Ink();
  EXPECT_GE(ink.left, 50);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.bottom, 20 + 2 * lh);
  // The rest on a second page; nothing fits in a box lower than a line.
  EXPECT_EQ(RichFormatRange(d, canvas, TRect(0, 0, Twips(200), Twips(lh)), 8, -1, false), 13);
  EXPECT_EQ(RichFormatRange(d, canvas, TRect(0, 0, Twips(200), Twips(lh - 2)), 8, -1, false), 8);
}

TEST_F(RichRender, AlignmentPlacesLinesInTheBox) {
  d.SetText("Счёт");
  TRect box(10, 10, 290, 100);
  d.SetParaFormat(0, 0, TRichParaFormat{taRightJustify});
  EXPECT_EQ(RichDraw(d, canvas, box), 4);
  TRect right = Ink();
  EXPECT_GT(right.left, 200);
  EXPECT_LE(right.right, 290);
  canvas->FillRect(TRect(0, 0, 300, 200));
  d.SetParaFormat(0, 0, TRichParaFormat{taCenter});
  RichDraw(d, canvas, box);
  TRect centre = Ink();
  EXPECT_NEAR((centre.left + centre.right) / 2, 150, 6);
  // The canvas keeps the font its owner gave it.
  EXPECT_EQ(canvas->GetFont()->GetName(), "MS Sans Serif");
  EXPECT_EQ(canvas->GetBrush()->GetStyle(), bsSolid);
}

}  // namespace

namespace {

// Indents narrow the lines of their paragraph only: the first line from
// StartIndent, the others from StartIndent + Offset, all up to RightIndent;
// alignment works in the room between them.
TEST(RichLayout, ParagraphIndentsNarrowAndPlaceTheLines) {
  TRichTextDocument d;
  d.Insert(0, u"aaa bbb ccc\rddd", Points(10));
  TRichParaFormat f;
  f.StartIndent = 300;  // 20 pixels at 96 per inch
  f.Offset = -150;      // the other lines 10 pixels in
  f.RightIndent = 150;  // 10 pixels
  d.SetParaFormat(0, 1, f);
  TFixedMeasurer m;
  auto lines = RichLayout(d, m, 110, true);
  ASSERT_EQ(3u, lines.size());
  // 110 - 20 - 10 = 80 for the first line ("ccc" does not fit), 90 for the next.
  EXPECT_EQ(u"aaa bbb ", d.GetRawText().substr(0, static_cast<std::size_t>(lines[0].Length)));
  EXPECT_EQ(20, lines[0].Indent);
  EXPECT_EQ(80, lines[0].Room);
  EXPECT_EQ(10, lines[1].Indent);
  EXPECT_EQ(90, lines[1].Room);
  EXPECT_EQ(0, lines[2].Indent);  // the next paragraph has none
  EXPECT_EQ(110, lines[2].Room);
  EXPECT_EQ(20, RichLineX(d, lines[0]));
  f.Alignment = taRightJustify;
  d.SetParaFormat(0, 1, f);
  lines = RichLayout(d, m, 110, true);
  EXPECT_EQ(10 + 90 - 30, RichLineX(d, lines[1]));  // "ccc" ends at the right indent
  f.Alignment = taCenter;
  d.SetParaFormat(0, 1, f);
  lines = RichLayout(d, m, 110, true);
  EXPECT_EQ(10 + (90 - 30) / 2, RichLineX(d, lines[1]));
  EXPECT_EQ(20 + 70, RichRequiredSize(d, m, 110, true).cx);  // the indented widest line
}

}  // namespace
