// Unicode edits and combo: wide text across window recreation and without
// a window, no notification for an equal text, #255 for key handlers while
// the window gets the real character, input-method commits as characters,
// the memo's defaults and dialog code, Enter and Esc in a dropped list.
#include <gtest/gtest.h>

#include "grid/vzvuni.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class CountingEdit : public TVzvUniEdit {
public:
  using TVzvUniEdit::TVzvUniEdit;
  int TextChanges = 0;
  void Dispatch(TMessage& M) override {
    if (M.Msg == CM_TEXTCHANGED) ++TextChanges;
    TVzvUniEdit::Dispatch(M);
  }
};

class UniControls : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Edit = new CountingEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 150, 24);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  void Show() {
    Form->Show();
    PumpUntilIdle();
  }
  TForm* Form = nullptr;
  CountingEdit* Edit = nullptr;
};

TEST_F(UniControls, WideTextSurvivesRecreationAndIsReadWithoutAWindow) {
  const WideString text = u"Счётчик \U0001F600 ЮНТ3";
  Edit->SetText(text);  // no window yet
  EXPECT_FALSE(Edit->HandleAllocated());
  EXPECT_EQ(Edit->GetText(), text);
  Show();
  EXPECT_TRUE(IsWideWindowHooked(Edit));
  EXPECT_EQ(Edit->GetText(), text);
  Edit->SetBorderStyle(bsNone);  // recreates the window
  Edit->RecreateWnd();
  PumpUntilIdle();
  EXPECT_EQ(Edit->GetText(), text);
  EXPECT_EQ(LocateCaptionHolder(Edit, {})->Caption, text);  // one holder, kept from the last window

  int before = Edit->TextChanges;
  Edit->SetText(text);
  EXPECT_EQ(Edit->TextChanges, before);
  Edit->SetText(u"другой");
  EXPECT_EQ(Edit->TextChanges, before + 1);
}

TEST_F(UniControls, KeyPressSees255ForCharactersBeyondWhileTheWindowGetsThemAll) {
  Show();
  Edit->SetFocus();
  std::vector<char16_t> seen;
  Edit->OnKeyPress = [&](TObject*, char16_t& Key) { seen.push_back(Key); };
  TestTypeText("aЖ");
  EXPECT_EQ(seen, (std::vector<char16_t>{u'a', 255}));
  EXPECT_EQ(Edit->GetText(), u"aЖ");

  // A handler that changes the 255 wins.
  Edit->OnKeyPress = [](TObject*, char16_t& Key) {
    if (Key == 255) Key = u'x';
  };
  TestTypeText("Ж");
  EXPECT_EQ(Edit->GetText(), u"aЖx");

  TMessage m{WM_CHAR, MAKEWPARAM(u'a', 1), 0, 0};
  EXPECT_THROW(PackCharMessage(m), EAssertionFailed);
  TMessage k{WM_CHAR, 0x416, 0, 0};
  PackCharMessage(k);
  EXPECT_EQ(k.WParam, MAKEWPARAM(255, 0x416));
  UnpackCharMessage(k);
  EXPECT_EQ(k.WParam, 0x416u);
}

TEST_F(UniControls, AThreeCharacterCommitArrivesAsThreeWmChar) {
  Show();
  Edit->SetFocus();
  int chars = 0;
  Edit->OnKeyPress = [&](TObject*, char16_t&) { ++chars; };
  TestImeCommit("日本語");
  PumpUntilIdle();
  EXPECT_EQ(chars, 3);
  EXPECT_EQ(Edit->GetText(), u"日本語");
}

TEST_F(UniControls, MemoWrapsWithoutScrollBarsAndClaimsNeitherTabNorEnter) {
  auto* memo = new TVzvUniMemo(Form);
  memo->SetParent(Form);
  EXPECT_EQ(memo->GetWidth(), 200);
  EXPECT_EQ(memo->GetHeight(), 100);
  EXPECT_TRUE(memo->GetWordWrap());
  EXPECT_EQ(memo->GetScrollBars(), ssNone);
  Show();
  DWORD style = static_cast<DWORD>(GetWindowLongA(memo->GetHandle(), GWL_STYLE));
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL));
  EXPECT_EQ(memo->Perform(WM_GETDLGCODE, 0, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS), 0);
  memo->SetText(u"строка");
  HWND before = memo->GetHandle();
  memo->SetScrollBars(ssBoth);
  EXPECT_NE(memo->GetHandle(), before);  // a new window with the new style
  EXPECT_EQ(memo->GetText(), u"строка");
}

TEST_F(UniControls, ComboEnterAndEscOnlyCloseADroppedListAndSelectionSetsText) {
  auto* combo = new TCustomUNIComboBox(Form);
  combo->SetParent(Form);
  combo->SetBounds(10, 50, 150, 24);
  Show();
  combo->Items()->Add(u"Ёлка");
  combo->Items()->Add(u"\U0001F600");
  std::vector<char16_t> keys;
  int changes = 0, clicks = 0;
  combo->OnKeyPress = [&](TObject*, char16_t& Key) { keys.push_back(Key); };
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->OnClick = [&](TObject*) { ++clicks; };
  combo->SetFocus();
  combo->SetDroppedDown(true);
  TestKeyPress(VK_RETURN);
  EXPECT_FALSE(combo->GetDroppedDown());
  combo->SetDroppedDown(true);
  TestKeyPress(VK_ESCAPE);
  EXPECT_FALSE(combo->GetDroppedDown());

  combo->SetItemIndex(1);
  combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(combo->GetText(), u"\U0001F600");
  EXPECT_EQ(clicks, 1);
  EXPECT_GE(changes, 1);

  keys.clear();
  combo->SetText(u"");
  TestTypeText("Ж");
  EXPECT_EQ(keys, (std::vector<char16_t>{255}));
  EXPECT_EQ(combo->GetText(), u"Ж");
  combo->SetStyle(csDropDownList);
  EXPECT_EQ(combo->GetSelText(), u"");
}

}  // namespace
