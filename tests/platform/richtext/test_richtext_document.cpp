// The rich text document: plain text, selection edits that keep formats,
// format ranges with mixed flags, paragraphs and lines.
#include <gtest/gtest.h>

#include "platform/richtext/richtext_attributes.h"

namespace {

TRichCharFormat Bold() {
  TRichCharFormat f;
  f.Style << fsBold;
  return f;
}

// "one two three" with "two" bold and red.
class Doc : public ::testing::Test {
protected:
  void SetUp() override {
    d.SetText("one two three");
    TRichCharFormat f = Bold();
    f.Color = clRed;
    d.SetCharFormat(4, 3, f, CFM_BOLD | CFM_COLOR);
  }
  bool BoldAt(int Pos) {
    TRichCharFormat f;
    d.GetCharFormat(Pos, 1, f);
    return f.Style.Contains(fsBold);
  }
  TRichTextDocument d;
};

TEST_F(Doc, RunsSplitAndMerge) {
  ASSERT_EQ(d.GetRuns().size(), 3u);
  EXPECT_EQ(d.GetRuns()[1].Length, 3);
  EXPECT_EQ(d.GetRuns()[1].Format.Color, clRed);
  // Undoing the format merges the runs back into one.
  d.SetCharFormat(0, -1, TRichCharFormat{}, CFM_BOLD | CFM_COLOR);
  EXPECT_EQ(d.GetRuns().size(), 1u);
}

TEST_F(Doc, SelTextTakesFormatOfInsertionPoint) {
  struct Case {
    int Start, Length;
    const char* Text;
    const char* Result;
    int Probe;
    bool Bold;
  } cases[] = {
      {7, 0, "X", "one twoX three", 7, true},     // after a bold character
      {4, 0, "X", "one Xtwo three", 4, false},    // after a plain blank
      {0, 0, "X", "Xone two three", 0, false},    // at the start: the first character's
      {4, 3, "2", "one 2 three", 4, true},        // replacing: the first selected character's
      {3, 5, "-", "one-three", 3, false},
  };
  for (const Case& c : cases) {
    SetUp();
    d.SetSel(c.Start, c.Length);
    d.SetSelText(c.Text);
    EXPECT_EQ(d.GetText(), c.Result) << c.Text;
    EXPECT_EQ(BoldAt(c.Probe), c.Bold) << c.Result;
    EXPECT_EQ(d.GetSelStart(), c.Start + static_cast<int>(strlen(c.Text)));
    EXPECT_EQ(d.GetSelLength(), 0);
  }
}

TEST_F(Doc, CommonFormatReportsMixedAttributes) {
  TRichCharFormat f;
  DWORD mask = d.GetCharFormat(2, 4, f);  // "e tw": plain then bold red
  EXPECT_FALSE(mask & CFM_BOLD);
  EXPECT_FALSE(mask & CFM_COLOR);
  EXPECT_TRUE(mask & CFM_FACE);
  EXPECT_TRUE(mask & CFM_SIZE);
  EXPECT_FALSE(f.Style.Contains(fsBold));  // the first character's values
  EXPECT_EQ(d.GetCharFormat(4, 3, f), CFM_ALL_RICH);
  EXPECT_EQ(f.Color, clRed);

  // Through SelAttributes, as the control publishes them.
  TRichTextAttributes sel(&d, atSelected);
  d.SetSel(0, -1);
  EXPECT_EQ(sel.GetConsistentAttributes() & (CFM_BOLD | CFM_ITALIC), static_cast<DWORD>(CFM_ITALIC));
  sel.SetSize(14);
  sel.SetName("Arial");
  EXPECT_EQ(sel.GetConsistentAttributes() & (CFM_SIZE | CFM_FACE), CFM_SIZE | CFM_FACE);
  EXPECT_EQ(sel.GetSize(), 14);
  EXPECT_EQ(d.GetRuns()[1].Format.Color, clRed);  // untouched attributes stay
}

TEST_F(Doc, FormatSetAtCaretAppliesToTypedText) {
  TRichTextAttributes sel(&d, atSelected);
  d.SetSelStart(13);
  sel.SetStyle({fsItalic});
  EXPECT_TRUE(sel.GetStyle().Contains(fsItalic));
  d.SetSelText("!");
  TRichCharFormat f;
  d.GetCharFormat(13, 1, f);
  EXPECT_TRUE(f.Style.Contains(fsItalic));
  d.GetCharFormat(12, 1, f);
  EXPECT_FALSE(f.Style.Contains(fsItalic));
}

TEST(RichDocument, TypingAtParagraphStartJoinsThatParagraph) {
  TRichTextDocument d;
  d.SetText("plain\rbold");
  d.SetCharFormat(6, 4, Bold(), CFM_BOLD);
  d.SetSel(6, 0);
  d.SetSelText("X");
  d.SetSel(5, 0);
  d.SetSelText("y");
  TRichCharFormat f;
  d.GetCharFormat(7, 1, f);
  EXPECT_TRUE(f.Style.Contains(fsBold));
  d.GetCharFormat(5, 1, f);
  EXPECT_FALSE(f.Style.Contains(fsBold));
}

TEST(RichDocument, DefaultFormatAndEmptyDocument) {
  TRichTextDocument d;
  TRichTextAttributes def(&d, atDefaultText);
  def.SetName("Courier New");
  def.SetSize(10);
  d.SetSelText("abc");
  ASSERT_EQ(d.GetRuns().size(), 1u);
  EXPECT_EQ(d.GetRuns()[0].Format.Name, "Courier New");
  EXPECT_EQ(d.GetRuns()[0].Format.Height, 200);
  d.Clear();
  EXPECT_EQ(d.GetCharCount(), 0);
  EXPECT_TRUE(d.GetRuns().empty());
  EXPECT_EQ(d.GetLineCount(), 0);
}

TEST(RichDocument, ParagraphsAndLines) {
  TRichTextDocument d;
  d.SetText("first\r\nsecond\nthird");
  EXPECT_EQ(d.GetCharCount(), 18);  // a break is one character
  EXPECT_EQ(d.GetText(), "first\r\nsecond\r\nthird");
  ASSERT_EQ(d.GetLineCount(), 3);
  EXPECT_EQ(d.GetLine(1), "second");
  d.SetParaFormat(7, 0, TRichParaFormat{taCenter});
  EXPECT_EQ(d.GetParaFormat(1).Alignment, taCenter);
  // A paragraph split by typing keeps its alignment in both halves.
  d.SetSel(9, 0);
  d.SetSelText("\r\n");
  EXPECT_EQ(d.GetLine(1), "sec");
  EXPECT_EQ(d.GetParaFormat(2).Alignment, taCenter);
  EXPECT_EQ(d.GetParaFormat(3).Alignment, taLeftJustify);
  // Joining keeps the first part's format.
  d.SetSel(5, 1);
  d.SetSelText("");
  EXPECT_EQ(d.GetLine(0), "firstsec");
  EXPECT_EQ(d.GetParaFormat(0).Alignment, taLeftJustify);
  EXPECT_EQ(d.GetParagraphCount(), 3);

  d.SetLine(0, "zero");
  d.InsertLine(3, "last");
  d.DeleteLine(1);
  EXPECT_EQ(d.GetText(), "zero\r\nthird\r\nlast");
  d.DeleteLine(2);
  EXPECT_EQ(d.GetText(), "zero\r\nthird");
  EXPECT_THROW(d.GetLine(2), EListError);
  EXPECT_THROW(d.InsertLine(5, "x"), EListError);
}

TEST(RichDocument, SelectionStaysInsideText) {
  TRichTextDocument d;
  d.SetText("abcdef");
  d.SetSel(4, 100);
  EXPECT_EQ(d.GetSelText(), "ef");
  d.SetSel(-5, 2);
  EXPECT_EQ(d.GetSelText(), "ab");
  d.SetSel(3, 3);
  d.Delete(0, 5);  // the text shrinks under the selection
  EXPECT_EQ(d.GetSelStart(), 1);
  EXPECT_EQ(d.GetSelLength(), 0);
  d.SetSelText("Я");
  EXPECT_EQ(d.GetText(), "fЯ");
}

}  // namespace
