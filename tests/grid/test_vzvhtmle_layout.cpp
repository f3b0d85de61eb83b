// The markup engine's layout, measured with the fixed-metrics test face:
// lines, wrapping, ellipsis, the stop rule, anchors and the language's tags.
#include "vzvhtmle_fixture.h"

namespace {

using Layout = HTMLCanvas;

TEST_F(Layout, EmptyTextGivesOneEmptyLine) {
  THTMLDrawResults r = Draw("", TRect(0, 0, 100, 100));
  EXPECT_FALSE(Result);
  EXPECT_EQ(r.YSize, 16);
  EXPECT_EQ(r.XSize, 0);
  EXPECT_EQ(r.HyperLinks, 0);
  EXPECT_EQ(r.MouseLink, -1);
  EXPECT_EQ(DrawnText(), "");
}

TEST_F(Layout, MeasureOnlyPaintsNothing) {
  THTMLDrawResults r = Draw("abc<br><b>de</b>", TRect(0, 0, 20, 10), [](THTMLDrawOptions& o) {
    o.CheckHeight = true;
    o.XPos = 5;
    o.YPos = 5;
  });
  EXPECT_FALSE(Result);
  EXPECT_EQ(r.XSize, 24);
  EXPECT_EQ(r.YSize, 32);  // no stop rule when only measuring
  EXPECT_EQ(r.StrippedText, "abc\rde");
  EXPECT_EQ(DrawnText(), "");
}

TEST_F(Layout, WordWrapLeavesTheTrailingBlankOut) {
  // The working width is 33: "aaa " (32) fits, "bbb" does not.
  THTMLDrawResults r = Draw("aaa bbb", TRect(0, 0, 34, 100));
  EXPECT_EQ(r.XSize, 24);
  EXPECT_EQ(r.YSize, 32);
  auto runs = Painted("DrawText");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Text, "aaa ");
  EXPECT_EQ(runs[0].Rect, (RECT{1, 0, 34, 16}));
  EXPECT_EQ(runs[1].Text, "bbb");
  EXPECT_EQ(runs[1].Rect, (RECT{1, 16, 34, 32}));
  EXPECT_EQ(runs[0].Flags, 0x268u);
}

TEST_F(Layout, EllipsisWithoutWordWrapDropsTheRest) {
  THTMLDrawResults r = Draw("<b>x</b><b>y</b>zzz", TRect(0, 0, 15, 100), [](THTMLDrawOptions& o) { o.WordWrap = false; });
  EXPECT_EQ(DrawnText(), "[x][y]");
  auto runs = Painted("DrawText");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].Rect.left, 10);
  EXPECT_EQ(runs[1].Flags, 0x268u | DT_END_ELLIPSIS);
  EXPECT_EQ(r.YSize, 16);
  EXPECT_EQ(r.XSize, 14);
}

TEST_F(Layout, StopsWhenTheNextLineCannotShow) {
  THTMLDrawResults r = Draw("a<br>b<br>c<br>d", TRect(0, 0, 100, 40));
  EXPECT_EQ(DrawnText(), "[a][b]");
  EXPECT_EQ(r.YSize, 32);
  r = Draw("a<br>b", TRect(0, 0, 100, 20));
  EXPECT_EQ(DrawnText(), "[a]");
  EXPECT_EQ(r.YSize, 16);
}

TEST_F(Layout, AnchorsNumberedAndHitTested) {
  const AnsiString text = "<A HREF=\"u1\">one</A> <A HREF=\"u2\" TITLE=\"Second\">two</A>";
  THTMLDrawResults r = Draw(text, TRect(0, 0, 200, 50), [](THTMLDrawOptions& o) {
    o.CheckHotSpot = true;
    o.XPos = 41;  // over "two" (32..56 from the working left edge 1)
    o.YPos = 8;
  });
  EXPECT_TRUE(Result);
  EXPECT_EQ(r.Anchor, "u2");
  EXPECT_EQ(r.MouseLink, 2);
  EXPECT_EQ(r.HyperLinks, 2);
  EXPECT_EQ(r.HoverRect, TRect(33, 0, 57, 16));
  EXPECT_EQ(r.AnchorHint, "Second");
  EXPECT_EQ(DrawnText(), "");  // hit testing paints nothing

  // Painting: only a control or a linked picture makes the result true.
  r = Draw(text, TRect(0, 0, 200, 50), [](THTMLDrawOptions& o) {
    o.XPos = 41;
    o.YPos = 8;
    o.FocusLink = 0;
  });
  EXPECT_FALSE(Result);
  EXPECT_EQ(r.FocusAnchor, "u1");
  auto focus = Painted("DrawFocusRect");
  ASSERT_EQ(focus.size(), 1u);
  EXPECT_EQ(focus[0].Rect, (RECT{0, 0, 26, 16}));
  // The anchor keeps the caller's values when nothing is found.
  r = Draw(text, TRect(0, 0, 200, 50), [](THTMLDrawOptions& o) {
    o.CheckHotSpot = true;
    o.XPos = 150;
    o.YPos = 8;
  });
  EXPECT_FALSE(Result);
  EXPECT_EQ(r.MouseLink, -1);
}

TEST_F(Layout, Language) {
  struct Case {
    const char* Text;
    const char* Stripped;
    int XSize;
    const char* Drawn;
  } cases[] = {
      {"<b>x</b>", "x", 9, "[x]"},
      {"<B>x</B>", "x", 9, "[x]"},
      {"<BIG>x</BIG>", "x", 8, "[x]"},                 // no "B>": no bold
      {"a &lt;b&gt; c", "a <b> c", 56, "[a ][<b> ][c]"},
      {"A&amp;B", "A&B", 24, "[A&&B]"},                // drawn with prefix processing: one "&"
      {"A&B", "AB", 16, "[A&B]"},
      {"&amp;lt;", "&lt;", 32, "[&&lt;]"},             // a made "&" starts no entity
      {"&amp;amp;", "&amp;", 40, "[&&amp;]"},
      {"x<y", "x", 8, "[x]"},
      {"<Z>hidden</Z>shown", "hiddenshown", 40, "[shown]"},
      {"&euro;&trade;&copy;", "€™©", 24, "[€™©]"},
      {"Привет", "Привет", 48, "[Привет]"},
      {"a&nbsp;b", "a b", 24, "[a b]"},
      {"<#name>", "#name", 40, "[#name]"},
      {"a\r\nb", "a\rb", 8, "[a][b]"},
      {"<FONT SIZE=\"x\">a</FONT>", "a", 8, "[a]"},     // a size that is no number keeps the size
      {"<CITE>a", "a", 8, "[a]"},                      // a control without attributes
      {"<CONTROL TYPE=\"EDIT\" WIDTH=\"wide\">a", "a", 8, "[a]"},
      {"<R A=\"90\">a</R></R>b", "ab", 16, "[a][b]"},
      {"<IND X=\"50\">a", "a", 57, "[a]"},
      {"<P ALIGN=\"RIGHT\">a</P>b", "ab", 8, "[a][b]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "text: " << c.Text);
    THTMLDrawResults r = Draw(c.Text, TRect(0, 0, 200, 100));
    EXPECT_EQ(r.StrippedText, c.Stripped);
    EXPECT_EQ(r.XSize, c.XSize);
    EXPECT_EQ(DrawnText(), c.Drawn);
  }
}

TEST_F(Layout, TagsAreKnownByTheirFirstLetters) {
  EXPECT_EQ(Draw("<ABBR>x</ABBR><A>y</A>", TRect(0, 0, 200, 100)).HyperLinks, 2);  // anchors, also without HREF
  EXPECT_EQ(Draw("<BLINK>x</BLINK>", TRect(0, 0, 200, 100), [](THTMLDrawOptions& o) { o.Blink = true; }).XSize, 8);
  EXPECT_EQ(Draw("<b>x</b >y", TRect(0, 0, 200, 100)).XSize, 18);  // "</b >" is no "</B>": bold stays
}

TEST_F(Layout, RightAlignedParagraphAndLists) {
  Draw("<P ALIGN=\"RIGHT\">a</P>b", TRect(0, 0, 101, 100));
  auto runs = Painted("DrawText");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Rect.left, 93);
  EXPECT_EQ(runs[1].Rect.left, 93);

  THTMLDrawResults r = Draw("<UL><LI>one</LI><LI>two</LI></UL>", TRect(0, 0, 200, 100));
  runs = Painted("DrawText");
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].Text, "\xE2\x80\xA2");  // the bullet of odd levels
  EXPECT_EQ(runs[0].Rect, (RECT{1, 16, 13, 32}));
  EXPECT_EQ(runs[1].Text, "one");
  EXPECT_EQ(runs[1].Rect.left, 13);
  EXPECT_EQ(runs[1].Rect.top, 16);
  EXPECT_EQ(runs[3].Text, "two");
  EXPECT_EQ(runs[3].Rect.top, 32);
  EXPECT_EQ(r.YSize, 64);  // the closing </UL> is a line of its own
  Draw("<UL><UL><LI>x", TRect(0, 0, 200, 100));
  EXPECT_EQ(Painted("DrawText")[0].Text, "o");
}

TEST_F(Layout, FontTags) {
  THTMLDrawResults r = Draw("<FONT SIZE=\"3\">a</FONT>", TRect(0, 0, 200, 100));
  EXPECT_EQ(r.XSize, 8);
  auto colourOf = [&](const char* text) {
    Draw(text, TRect(0, 0, 200, 100));
    auto runs = Painted("DrawText");
    return runs.empty() ? CLR_INVALID : runs.back().TextColor;
  };
  EXPECT_EQ(colourOf("<FONT color=\"#ff0000\">a"), RGB(255, 0, 0));
  EXPECT_EQ(colourOf("<FONT COLOR=\"clRed\">a"), RGB(255, 0, 0));
  EXPECT_EQ(colourOf("<FONT COLOR=\"red\">a"), RGB(0, 0, 0));
  EXPECT_EQ(colourOf("<FONTCOLOR=\"#FF0000\">a"), RGB(0, 0, 0));
  EXPECT_EQ(colourOf("<FONT COLOR=\"#F\">a"), RGB(0xF0, 0, 0));
  EXPECT_EQ(colourOf("<FONT COLOR=\"#FF0000\">a</FONT>b"), RGB(0, 0, 0));
  EXPECT_EQ(colourOf("<A HREF=\"x\">a"), RGB(0, 0, 255));
}

TEST_F(Layout, ErrorZigZag) {
  Draw("<E>ab</E>", TRect(0, 0, 200, 100));
  auto lines = Painted("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Rect, (RECT{0, 17, 16, 17}));  // from 0 (1 rounded down) to 16, starting low
  EXPECT_EQ(lines[0].Flags, 9u);
  EXPECT_EQ(lines[0].PenColor, RGB(255, 0, 0));
  Draw("xx<E>a", TRect(0, 0, 200, 100));
  lines = Painted("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Rect.left, 16);
  EXPECT_EQ(lines[0].Rect.top, 17);
  Draw("x<E>a", TRect(0, 0, 200, 100));
  lines = Painted("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Rect.left, 8);
  EXPECT_EQ(lines[0].Rect.top, 17);
  Draw("<b>x</b><E>a", TRect(0, 0, 200, 100));  // from 10: not divisible by 4, starts high
  lines = Painted("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Rect, (RECT{10, 15, 18, 15}));
}

}  // namespace
