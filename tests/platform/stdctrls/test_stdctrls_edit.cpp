// The edit control: typing, keyboard and mouse selection, clipboard, undo,
// limits, the EM_* messages and the notifications its parent gets.
#include "platform/forms/clipbrd.h"
#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class EditTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 200, 21);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    ShowForm();
    // The parent's WM_COMMAND notifications, as "code" lines.
    Form->SetWindowProc([this, old = Form->GetWindowProc()](TMessage& M) {
      if (M.Msg == WM_COMMAND && reinterpret_cast<HWND>(M.LParam) == Edit->Handle())
        Notes.push_back(HIWORD(M.WParam));
      old(M);
    });
  }
  void Focus() {
    Edit->SetFocus();
    PumpUntilIdle();
    Notes.clear();
  }
  std::pair<int, int> Sel() { return {Edit->GetSelStart(), Edit->GetSelLength()}; }
  POINT CharPoint(int Index) {
    LRESULT r = Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
    return ClientPointToScreen(Edit->Handle(), GET_X_LPARAM(r) + 1, GET_Y_LPARAM(r) + 3);
  }
  TEdit* Edit = nullptr;
  int Changes = 0;
  std::vector<WORD> Notes;
};

TEST_F(EditTest, TypedCyrillicIsStoredAsUtf16AndEveryChangeNotifiesTheParentThenOnChange) {
  Focus();
  TestTypeText("Пульт 1");
  PumpUntilIdle();
  EXPECT_EQ("Пульт 1", Edit->GetText());
  EXPECT_EQ(WideString(u"Пульт 1"), Edit->GetWideText());
  EXPECT_EQ(7, Changes);
  EXPECT_TRUE(Edit->GetModified());
  ASSERT_EQ(14u, Notes.size());
  EXPECT_EQ(EN_UPDATE, Notes[0]);
  EXPECT_EQ(EN_CHANGE, Notes[1]);

  // Text set from code: one change, the modified flag cleared, caret at 0.
  Changes = 0;
  Edit->SetText("abc");
  EXPECT_EQ(1, Changes);
  EXPECT_FALSE(Edit->GetModified());
  EXPECT_EQ(std::make_pair(0, 0), Sel());

  // Line breaks set by code stay; pasted text stops at its first break.
  Edit->SetText("one\r\ntwo");
  EXPECT_EQ("one\r\ntwo", Edit->GetText());
  Clipboard()->SetAsText("x\r\ny");
  Edit->Perform(EM_SETSEL, 0, -1);
  Edit->PasteFromClipboard();
  EXPECT_EQ("x", Edit->GetText());
}

TEST_F(EditTest, KeyboardMovesTheCaretAndShiftExtendsTheSelection) {
  Edit->SetText("alpha beta gamma");
  Focus();
  struct TCase {
    const char* Name;
    std::function<void()> Keys;
    std::pair<int, int> Sel;
  };
  const TCase cases[] = {
      {"End", [] { TestKeyPress(VK_END); }, {16, 0}},
      {"Home", [] { TestKeyPress(VK_HOME); }, {0, 0}},
      {"Right x2", [] { TestKeyPress(VK_RIGHT); TestKeyPress(VK_RIGHT); }, {2, 0}},
      {"Shift+End", [] { TestKeyPress(VK_END, tsShift); }, {2, 14}},
      {"Left collapses to the start", [] { TestKeyPress(VK_LEFT); }, {2, 0}},
      {"Ctrl+Right to the next word", [] { TestKeyPress(VK_RIGHT, tsCtrl); }, {6, 0}},
      {"Ctrl+Shift+Right", [] { TestKeyPress(VK_RIGHT, tsCtrl | tsShift); }, {6, 5}},
      {"Shift+Home reverses", [] { TestKeyPress(VK_HOME, tsShift); }, {0, 6}},
      {"Ctrl+A", [] { TestKeyPress('A', tsCtrl); }, {0, 16}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    t.Keys();
    PumpUntilIdle();
    EXPECT_EQ(t.Sel, Sel());
  }
  // Typing replaces the selection; Backspace and Delete remove a character.
  TestTypeText("x");
  TestKeyPress(VK_BACK);
  TestTypeText("ab");
  TestKeyPress(VK_HOME);
  TestKeyPress(VK_DELETE);
  PumpUntilIdle();
  EXPECT_EQ("b", Edit->GetText());
}

TEST_F(EditTest, ClipboardCutCopyPasteAndClearRespectReadOnlyAndPassword) {
  Edit->SetText("one two");
  Focus();
  Edit->SetSelStart(4);
  Edit->SetSelLength(3);
  TestKeyPress('C', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ("two", Clipboard()->GetAsText());
  TestKeyPress(VK_HOME);
  TestKeyPress('V', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ("twoone two", Edit->GetText());
  EXPECT_EQ(std::make_pair(3, 0), Sel());

  Edit->Perform(EM_SETSEL, 0, 3);
  Edit->Perform(WM_CUT, 0, 0);
  EXPECT_EQ("one two", Edit->GetText());
  Edit->Perform(EM_SETSEL, 0, 4);
  Edit->Perform(WM_CLEAR, 0, 0);
  EXPECT_EQ("two", Edit->GetText());

  // Read-only: nothing typed, pasted, cut or cleared; copying still works.
  Edit->SetReadOnly(true);
  Clipboard()->SetAsText("zz");
  Edit->SelectAll();
  TestTypeText("q");
  TestKeyPress('V', tsCtrl);
  Edit->Perform(WM_CUT, 0, 0);
  Edit->Perform(WM_CLEAR, 0, 0);
  PumpUntilIdle();
  EXPECT_EQ("two", Edit->GetText());
  Edit->CopyToClipboard();
  EXPECT_EQ("two", Clipboard()->GetAsText());

  // A password never reaches the clipboard.
  Edit->SetReadOnly(false);
  Edit->SetPasswordChar(u'*');
  Edit->SelectAll();
  Edit->CopyToClipboard();
  Edit->CutToClipboard();
  EXPECT_EQ("two", Clipboard()->GetAsText());
  EXPECT_EQ("two", Edit->GetText());
  EXPECT_EQ(u'*', Edit->Perform(EM_GETPASSWORDCHAR, 0, 0));
}

TEST_F(EditTest, UndoTakesBackTheLastEditAndUndoingAgainRedoes) {
  Edit->SetText("base");
  EXPECT_FALSE(Edit->CanUndo());
  Focus();
  TestKeyPress(VK_END);
  TestTypeText("123");  // one typing run, undone at once
  PumpUntilIdle();
  ASSERT_TRUE(Edit->CanUndo());
  TestKeyPress('Z', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ("base", Edit->GetText());
  Edit->Undo();
  EXPECT_EQ("base123", Edit->GetText());
  Edit->ClearUndo();
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(EditTest, MaxLengthCutsTypingAndPastingAndTellsTheParent) {
  Edit->SetMaxLength(5);
  Focus();
  TestTypeText("abcdefg");
  PumpUntilIdle();
  EXPECT_EQ("abcde", Edit->GetText());
  EXPECT_NE(Notes.end(), std::find(Notes.begin(), Notes.end(), EN_MAXTEXT));
  Clipboard()->SetAsText("XYZ");
  Edit->Perform(EM_SETSEL, 1, 2);
  Edit->PasteFromClipboard();
  EXPECT_EQ("aXcde", Edit->GetText());  // room for one character only
  EXPECT_EQ(5, Edit->Perform(EM_GETLIMITTEXT, 0, 0));
  Edit->SetMaxLength(0);
  EXPECT_GT(Edit->Perform(EM_GETLIMITTEXT, 0, 0), 1000000);
}

TEST_F(EditTest, CharCaseAndNumberStylesShapeTypedText) {
  Edit->SetCharCase(ecUpperCase);
  Focus();
  TestTypeText("abc яж");
  PumpUntilIdle();
  EXPECT_EQ("ABC ЯЖ", Edit->GetText());
  Edit->SetCharCase(ecLowerCase);
  Focus();
  Edit->SetText("");
  TestTypeText("QW");
  PumpUntilIdle();
  EXPECT_EQ("qw", Edit->GetText());

  // Digits only: anything else beeps and is dropped.
  SetWindowLongA(Edit->Handle(), GWL_STYLE, GetWindowLongA(Edit->Handle(), GWL_STYLE) | ES_NUMBER);
  TestResetBeeps();
  TestTypeText("1a2");
  PumpUntilIdle();
  EXPECT_EQ("qw12", Edit->GetText());
  EXPECT_EQ(1, TestBeepCount());

  // OEM conversion: Cyrillic survives the OEM code page, the euro sign does not.
  Edit->SetCharCase(ecNormal);
  Edit->SetOEMConvert(true);
  Edit->SetText("");
  Focus();
  TestTypeText("Ж€");
  PumpUntilIdle();
  EXPECT_EQ("Ж?", Edit->GetText());
}

TEST_F(EditTest, MouseClickPlacesTheCaretDragSelectsAndDoubleClickTakesAWord) {
  Edit->SetText("first second third");
  Focus();
  TestClick(CharPoint(3));
  PumpUntilIdle();
  EXPECT_EQ(std::make_pair(3, 0), Sel());
  TestMouseDown(CharPoint(6));
  TestMouseMove(CharPoint(9));
  TestMouseUp(CharPoint(9));
  PumpUntilIdle();
  EXPECT_EQ(std::make_pair(6, 3), Sel());
  TestClick(CharPoint(1), mbLeft, tsShift);
  PumpUntilIdle();
  EXPECT_EQ(std::make_pair(1, 5), Sel());
  TestDoubleClick(CharPoint(8));
  PumpUntilIdle();
  EXPECT_EQ(std::make_pair(6, 7), Sel());  // "second" and the blank after it
  EXPECT_EQ("second ", Edit->GetSelText());
}

TEST_F(EditTest, AutoSelectSelectsAllWhenEnteredFromTheKeyboardOnly) {
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 50, 100, 21);
  Edit->SetText("select me");
  other->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_TAB, tsShift);
  PumpUntilIdle();
  ASSERT_TRUE(Edit->Focused());
  EXPECT_EQ(std::make_pair(0, 9), Sel());

  Edit->SetAutoSelect(false);
  Edit->Perform(EM_SETSEL, 2, 2);
  other->SetFocus();
  Edit->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(std::make_pair(2, 0), Sel());
}

TEST_F(EditTest, SelectionMessagesAndPositionsAgree) {
  Edit->SetText("0123456789");
  struct TCase {
    WPARAM From;
    LPARAM To;
    std::pair<int, int> Sel;
  };
  const TCase cases[] = {{2, 5, {2, 3}}, {7, 3, {3, 4}}, {0, -1, {0, 10}}, {4, 99, {4, 6}}};
  for (const TCase& t : cases) {
    Edit->Perform(EM_SETSEL, t.From, t.To);
    EXPECT_EQ(t.Sel, Sel()) << t.From << "," << t.To;
  }
  Edit->Perform(EM_SETSEL, static_cast<WPARAM>(-1), 0);  // deselect, caret stays
  EXPECT_EQ(0, Edit->GetSelLength());
  Edit->Perform(EM_SETSEL, 2, 4);
  Edit->Perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("ab"));
  EXPECT_EQ("01ab456789", Edit->GetText());
  EXPECT_EQ(std::make_pair(4, 0), Sel());
  EXPECT_TRUE(Edit->CanUndo());

  // A character's position leads back to the character.
  for (int i : {0, 3, 9}) {
    LRESULT p = Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
    LRESULT c = Edit->Perform(EM_CHARFROMPOS, 0, PointToLParam(GET_X_LPARAM(p) + 1, GET_Y_LPARAM(p) + 2));
    EXPECT_EQ(i, LOWORD(c)) << i;
  }
  EXPECT_EQ(-1, Edit->Perform(EM_POSFROMCHAR, 10, 0));
  EXPECT_EQ(-1, Edit->Perform(EM_CHARFROMPOS, 0, PointToLParam(500, 5)));
  EXPECT_EQ(1, Edit->Perform(EM_GETLINECOUNT, 0, 0));
  EXPECT_EQ(0, Edit->Perform(EM_LINEFROMCHAR, 5, 0));

  // A formatting rectangle moves the text.
  LRESULT before = Edit->Perform(EM_POSFROMCHAR, 0, 0);
  RECT fr{10, 3, 150, 18};
  Edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&fr));
  RECT got{};
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(10, got.left);
  EXPECT_EQ(18, got.bottom);
  EXPECT_EQ(GET_X_LPARAM(before) + 8, GET_X_LPARAM(Edit->Perform(EM_POSFROMCHAR, 0, 0)));

  Edit->Perform(EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongA(Edit->Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(EditTest, BalloonTipShowsItsTextAndGoesAwayOnTypingOrFocusLoss) {
  Focus();
  auto balloon = [] {
    HWND found = nullptr;
    for (HWND w : TopLevelWindows()) {
      char cls[64] = {};
      GetClassNameA(w, cls, sizeof cls);
      if (std::string(cls) == EditBalloonClassName) found = w;
    }
    return found;
  };
  EDITBALLOONTIP tip;
  tip.pszTitle = u"Ошибка";
  tip.pszText = u"Только цифры";
  tip.ttiIcon = TTI_ERROR;
  EXPECT_TRUE(Edit->Perform(EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)));
  PumpUntilIdle();
  HWND b = balloon();
  ASSERT_NE(nullptr, b);
  char text[64] = {};
  GetWindowTextA(b, text, sizeof text);
  EXPECT_STREQ("Только цифры", text);
  EXPECT_NE(b, GetFocus());  // the tip never takes the focus
  TestTypeText("1");
  PumpUntilIdle();
  EXPECT_EQ(nullptr, balloon());

  Edit->Perform(EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
  Edit->Perform(EM_HIDEBALLOONTIP, 0, 0);
  EXPECT_EQ(nullptr, balloon());
}

TEST_F(EditTest, AutoSizeFitsTheHeightToTheFontOnlyWithABorder) {
  int h = Edit->GetHeight();
  Edit->SetHeight(50);  // a fixed height: the font decides
  Edit->GetFont()->SetSize(20);
  EXPECT_GT(Edit->GetHeight(), h);
  EXPECT_LT(Edit->GetHeight(), 50);
  auto* plain = new TEdit(Form);
  plain->SetBorderStyle(bsNone);
  plain->SetBounds(10, 80, 100, 40);
  plain->SetParent(Form);
  PumpUntilIdle();
  EXPECT_EQ(40, plain->GetHeight());
}

TEST_F(EditTest, PropertiesSetBeforeTheWindowExistsSurviveItsCreationAndRecreation) {
  auto* e = new TEdit(Form);
  e->SetMaxLength(3);
  e->SetPasswordChar(u'#');
  e->SetText("Пароль");  // no window yet: kept whole until the window limits typing only
  e->SetParent(Form);
  e->SetBounds(10, 80, 100, 21);
  PumpUntilIdle();
  EXPECT_EQ(3, e->Perform(EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ(u'#', e->Perform(EM_GETPASSWORDCHAR, 0, 0));
  EXPECT_EQ("Пароль", e->GetText());
  e->SetModified(true);
  e->SetHideSelection(false);  // recreates the window
  EXPECT_TRUE(e->GetModified());
  EXPECT_EQ("Пароль", e->GetText());
  EXPECT_TRUE(GetWindowLongA(e->Handle(), GWL_STYLE) & ES_NOHIDESEL);
}

}  // namespace
