// The memo: Lines over the multi-line edit, Enter and arrows across lines,
// word wrap, and the line messages.
#include <algorithm>
#include <cstring>

#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class MemoTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Memo = new TMemo(Form);
    Memo->SetBounds(10, 10, 200, 100);
    Memo->SetParent(Form);
    ShowForm();
  }
  TMemo* Memo = nullptr;
};

TEST_F(MemoTest, LinesReadAndWriteTheTextWithCrLfBreaks) {
  Memo->Lines()->Add("Первая");
  Memo->Lines()->Add("second");
  Memo->Lines()->Insert(1, "middle");
  EXPECT_EQ("Первая\r\nmiddle\r\nsecond", Memo->GetText());
  EXPECT_EQ(3, Memo->Lines()->GetCount());
  Memo->Lines()->Put(2, "last");
  Memo->Lines()->Delete(0);
  EXPECT_EQ("middle\r\nlast", Memo->GetText());
  Memo->Lines()->SetTextStr("a\nb\r\nc\n");  // any break becomes CR LF, the final one ends the last line
  EXPECT_EQ("a\r\nb\r\nc", Memo->GetText());
  EXPECT_EQ("a\r\nb\r\nc\r\n", Memo->Lines()->GetTextStr());
  EXPECT_EQ(3, Memo->Perform(EM_GETLINECOUNT, 0, 0));
  EXPECT_EQ(2, Memo->Perform(EM_LINEFROMCHAR, 6, 0));
  EXPECT_EQ(3, Memo->Perform(EM_LINEINDEX, 1, 0));
  EXPECT_THROW(Memo->Lines()->Get(3), EStringListError);
  Memo->Lines()->Clear();
  EXPECT_EQ(0, Memo->Lines()->GetCount());
}

TEST_F(MemoTest, EnterBreaksTheLineAndArrowsMoveBetweenLines) {
  Memo->SetFocus();
  PumpUntilIdle();
  TestTypeText("abc");
  TestKeyPress(VK_RETURN);
  TestTypeText("de");
  PumpUntilIdle();
  EXPECT_EQ("abc\r\nde", Memo->GetText());
  EXPECT_EQ(TPoint(2, 1), Memo->GetCaretPos());
  TestKeyPress(VK_UP);
  PumpUntilIdle();
  EXPECT_EQ(TPoint(2, 0), Memo->GetCaretPos());
  TestKeyPress(VK_END);
  TestKeyPress(VK_RIGHT);  // over the line break in one step
  PumpUntilIdle();
  EXPECT_EQ(TPoint(0, 1), Memo->GetCaretPos());
  TestKeyPress(VK_BACK);  // joins the lines again
  PumpUntilIdle();
  EXPECT_EQ("abcde", Memo->GetText());

  // Without WantReturns, Enter is left to the form (its default button).
  Memo->SetWantReturns(false);
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ("abcde", Memo->GetText());
}

TEST_F(MemoTest, WordWrapBreaksLongLinesAtBlanksOnlyWhenOn) {
  Memo->SetText("one two three four five six seven eight nine ten eleven twelve");
  int wrapped = static_cast<int>(Memo->Perform(EM_GETLINECOUNT, 0, 0));
  EXPECT_GT(wrapped, 1);
  // Every soft line starts a word.
  for (int l = 1; l < wrapped; ++l) {
    int start = static_cast<int>(Memo->Perform(EM_LINEINDEX, static_cast<WPARAM>(l), 0));
    EXPECT_NE(' ', Memo->GetText()[static_cast<std::size_t>(start)]);
    EXPECT_EQ(' ', Memo->GetText()[static_cast<std::size_t>(start - 1)]);
  }
  EXPECT_EQ(1, Memo->Lines()->GetCount());  // Lines are the hard lines
  Memo->SetWordWrap(false);
  EXPECT_EQ(1, Memo->Perform(EM_GETLINECOUNT, 0, 0));

  // A horizontal bar scrolls the long line; the text moves left.
  Memo->SetScrollBars(ssBoth);
  LRESULT before = Memo->Perform(EM_POSFROMCHAR, 0, 0);
  SendMessageA(Memo->Handle(), WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_GT(GetScrollPos(Memo->Handle(), SB_HORZ), 0);
  EXPECT_LT(GET_X_LPARAM(Memo->Perform(EM_POSFROMCHAR, 0, 0)), GET_X_LPARAM(before));
}

}  // namespace

// EM_GETLINE: the buffer's first WORD is its size; the line is copied
// without a terminator and the count of bytes copied comes back.
TEST_F(MemoTest, GetLineCopiesTheLineUpToTheBufferSize) {
  auto* single = new TEdit(Form);
  single->SetParent(Form);
  Memo->SetText("abcdef\r\nвторой\r\n");
  single->SetText("одна строка");
  struct Case {
    bool Multi;
    WPARAM Line;
    WORD Size;
    const char* Expected;
  } cases[] = {
      {true, 1, 64, "второй"},
      {true, 0, 3, "abc"},
      {true, 1, 5, "вт"},  // a character that does not fit stays out whole
      {true, 2, 64, ""},   // the empty last line
      {true, 7, 64, ""},   // no such line
      {true, 0, 0, ""},
      {false, 5, 64, "одна строка"},  // a single-line edit has only line 0
  };
  for (const auto& c : cases) {
    TCustomEdit* edit = c.Multi ? static_cast<TCustomEdit*>(Memo) : single;
    char buf[80];
    std::memset(buf, '#', sizeof buf);
    std::memcpy(buf, &c.Size, sizeof c.Size);
    LRESULT n = edit->Perform(EM_GETLINE, c.Line, reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(AnsiString(buf, static_cast<size_t>(std::max<LRESULT>(n, 0))), c.Expected) << c.Line << "/" << c.Size;
    EXPECT_EQ(buf[n < 2 ? 2 : n], '#') << "nothing written past the copied text";
  }
}
