// The grid's text editor: the typed-character filter by editor type, the
// length limit, pasting, lookup completion and the window it makes.
#include "keyboard_fixture.h"

#include "platform/forms/clipbrd.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"
#include "platform/stdctrls/stdctrls_consts.h"

namespace {

using EditorKeys = KeyboardGrid;

TEST_F(EditorKeys, GridMakesItsOwnEditor) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(E->GetText(), "r1c1");
  EXPECT_EQ(GetFocus(), E->Handle());
  // Placed one pixel inside the cell.
  const TRect R = G->CellRect(1, 1);
  EXPECT_EQ(E->GetWidth(), R.Width() - 1);
  EXPECT_EQ(E->GetHeight(), R.Height() - 1);
  EXPECT_TRUE(GetWindowLongA(E->Handle(), GWL_STYLE) & ES_WANTRETURN);
}

TEST_F(EditorKeys, PasswordEditorMasksWithTheGridsCharacter) {
  G->SetPasswordChar('#');
  Open(edPassword);
  EXPECT_EQ(SendMessageA(E->Handle(), EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_FALSE(GetWindowLongA(E->Handle(), GWL_STYLE) & ES_MULTILINE);
}

// Each case types one character into an editor holding Text with the
// caret (and selection) given, then reads the text and the beeps.
TEST_F(EditorKeys, CharacterFilterByType) {
  struct Case {
    TEditorType Ed;
    const char* Text;
    int SelStart, SelLength;
    char16_t Ch;
    bool Ctrl;
    const char* Out;
    int Beeps;
  } Cases[] = {
      {edNormal, "ab", 2, 0, u'x', false, "abx", 0},
      {edNumeric, "12", 2, 0, u'3', false, "123", 0},
      {edNumeric, "12", 0, 0, u'-', false, "-12", 0},
      {edNumeric, "-12", 0, 0, u'-', false, "-12", 1},
      {edNumeric, "12", 1, 0, u'-', false, "12", 1},
      {edNumeric, "12", 2, 0, u'a', false, "12", 1},
      {edPositiveNumeric, "12", 0, 0, u'-', false, "12", 1},
      {edPositiveNumeric, "12", 2, 0, u'7', false, "127", 0},
      // the comma is this system's decimal separator
      {edFloat, "1", 1, 0, u',', false, "1,", 0},
      {edFloat, "1,5", 3, 0, u',', false, "1,5", 0},
      {edFloat, "1,5", 1, 1, u',', false, "1,5", 0},
      {edFloat, "15", 2, 0, u' ', false, "15", 0},
      {edFloat, "15", 0, 0, u'-', false, "-15", 0},
      {edFloat, "15", 1, 0, u'-', false, "15", 1},
      {edFloat, "-15", 0, 1, u'-', false, "-15", 0},
      {edFloat, "15", 2, 0, u'x', false, "15", 0},
      {edFloat, "15", 2, 0, u'x', true, "15x", 0},
      {edUpperCase, "A", 1, 0, u'b', false, "AB", 0},
      {edCapital, "", 0, 0, u'ж', false, "Ж", 0},
      {edLowerCase, "a", 1, 0, u'B', false, "ab", 0},
      {edMixedCase, "", 0, 0, u'h', false, "H", 0},
      {edValidChars, "a", 1, 0, u'b', false, "ab", 0},
      {edValidChars, "a", 1, 0, u'z', false, "a", 1},
      {edValidChars, "ab", 2, 0, u'\b', false, "a", 0},
      {edNone, "a", 1, 0, u'b', false, "a", 0},
  };
  G->SetValidChars("abc");
  for (const Case& K : Cases) {
    SCOPED_TRACE(std::to_string(K.Ed) + " " + K.Text + " " + WideToUtf8(WideString(1, K.Ch)));
    G->HideEditor();
    Open(K.Ed);
    SetEditText(K.Text, K.SelStart, K.SelLength);
    TestResetBeeps();
    if (K.Ctrl) TestKeyDown(VK_CONTROL);
    SendMessageA(E->Handle(), WM_CHAR, K.Ch, 0);
    if (K.Ctrl) TestKeyUp(VK_CONTROL);
    PumpUntilIdle();
    EXPECT_EQ(E->GetText(), K.Out);
    EXPECT_EQ(TestBeepCount(), K.Beeps);
  }
}

TEST_F(EditorKeys, TypedThroughTheKeyboard) {
  Open(edNumeric);
  SetEditText("");
  TestTypeText("-1-2a");
  EXPECT_EQ(E->GetText(), "-12");
  EXPECT_EQ(TestBeepCount(), 2);
}

TEST_F(EditorKeys, LengthLimit) {
  Open();
  E->SetLengthLimit(3);
  SetEditText("abc");
  TestTypeText("d");
  EXPECT_EQ(E->GetText(), "abc");
  Key(VK_BACK);
  EXPECT_EQ(E->GetText(), "ab");
  TestTypeText("x");
  EXPECT_EQ(E->GetText(), "abx");
  SetEditText("abc", 1, 1);
  TestTypeText("Z");
  EXPECT_EQ(E->GetText(), "aZc");
}

TEST_F(EditorKeys, KeypadDecimalKey) {
  // The keypad key types the locale's separator only when asked to.
  Open();
  SetEditText("1");
  Key(VK_OEM_PERIOD, tsNone, true);
  EXPECT_EQ(E->GetText(), "1.");
  G->SetExcelStyleDecimalSeparator(true);
  Key(VK_OEM_PERIOD, tsNone, true);
  EXPECT_EQ(E->GetText(), "1.,");
  Key(VK_OEM_PERIOD);
  EXPECT_EQ(E->GetText(), "1.,.");
}

TEST_F(EditorKeys, CtrlEnterWithoutAllowCtrlEnterIsSwallowed) {
  G->GetNavigation()->AllowCtrlEnter = false;
  Open();
  SetEditText("ab");
  Key(VK_RETURN, tsCtrl);
  EXPECT_EQ(E->GetText(), "ab");
  EXPECT_TRUE(G->GetEditorMode());
}

TEST_F(EditorKeys, Paste) {
  struct Case {
    TEditorType Ed;
    const char* Clip;
    const char* Out;
  } Cases[] = {
      {edNumeric, "12\r\n", "12"},  {edNumeric, "1a", ""},     {edFloat, "1,5", "1,5"},
      {edFloat, "x", ""},           {edUpperCase, "ab", "AB"}, {edNormal, "a\r\nb", "a\r\nb"},
      {edValidChars, "ab", "ab"},   {edValidChars, "az", ""},
  };
  G->SetValidChars("abc");
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Clip);
    G->HideEditor();
    Open(K.Ed);
    SetEditText("");
    Clipboard()->SetAsText(K.Clip);
    SendMessageA(E->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(E->GetText(), K.Out);
    // What was accepted is in the cell at once.
    if (*K.Out) {
      EXPECT_EQ(G->GetGridCell(1, 1), K.Out);
    }
  }
}

TEST_F(EditorKeys, PasteEventsAndLimit) {
  Open();
  SetEditText("ab", 1, 0);
  Clipboard()->SetAsText("XY");
  G->OnClipboardPaste = [this](TObject* Sender, bool& Allow) {
    Events.push_back(Sender == E ? "paste by editor" : "paste");
    Allow = false;
  };
  SendMessageA(E->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(E->GetText(), "ab");
  G->OnClipboardPaste = nullptr;
  G->OnClipboardBeforePasteCell = [this](TObject*, int ACol, int ARow, AnsiString& Value, bool&) {
    Events.push_back("before " + std::to_string(ACol) + "," + std::to_string(ARow));
    Value = "Q";
  };
  SendMessageA(E->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(E->GetText(), "aQb");
  EXPECT_EQ(E->GetSelStart(), 2);
  E->SetLengthLimit(3);
  SendMessageA(E->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(E->GetText(), "aQb");
  EXPECT_EQ(Events, (std::vector<std::string>{"paste by editor", "before 1,1", "before 1,1"}));
}

TEST_F(EditorKeys, CopyAndCutAskFirst) {
  Open();
  SetEditText("abc", 0, 3);
  Clipboard()->SetAsText("old");
  bool Allow = false;
  G->OnClipboardCopy = [&Allow](TObject*, bool& A) { A = Allow; };
  G->OnClipboardCut = [&Allow](TObject*, bool& A) { A = Allow; };
  SendMessageA(E->Handle(), WM_COPY, 0, 0);
  SendMessageA(E->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(Clipboard()->GetAsText(), "old");
  EXPECT_EQ(E->GetText(), "abc");
  Allow = true;
  SendMessageA(E->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(Clipboard()->GetAsText(), "abc");
  EXPECT_EQ(E->GetText(), "");
}

TEST_F(EditorKeys, LookupCompletion) {
  G->SetLookup(true);
  G->GetLookupItems()->Add("Alpha");
  G->GetLookupItems()->Add("Beta");
  Open();
  SetEditText("");
  TestTypeText("a");
  EXPECT_EQ(E->GetText(), "alpha");
  TestTypeText("l");
  EXPECT_EQ(E->GetText(), "alpha");
  EXPECT_EQ(E->GetSelStart(), 2);
  EXPECT_EQ(E->GetSelLength(), 3);
  // Backspace takes the completed part away and does not complete again.
  Key(VK_BACK);
  EXPECT_EQ(E->GetText(), "al");
  // Case-sensitive lookup: "b" does not find "Beta".
  G->SetLookupCaseSensitive(true);
  SetEditText("");
  TestTypeText("b");
  EXPECT_EQ(E->GetText(), "b");
  TestTypeText("\bB");
  EXPECT_EQ(E->GetText(), "Beta");
}

TEST_F(EditorKeys, EditChangeIsSilentWhileLoading) {
  Open();
  G->OnEditChange = [this](TObject*, int ACol, int ARow, const AnsiString& V) {
    Events.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + V);
  };
  G->EditTextLoading = true;
  E->SetText("quiet");
  G->EditTextLoading = false;
  E->SetText("loud");
  EXPECT_EQ(Events, (std::vector<std::string>{"1,1 loud"}));
}

TEST_F(EditorKeys, EscapeLeavesTheCellAsItWas) {
  Open();
  TestTypeText("zz");
  Key(VK_ESCAPE);
  EXPECT_FALSE(G->GetEditorMode());
  EXPECT_EQ(G->GetGridCell(1, 1), "r1c1");
}

TEST_F(EditorKeys, DoubleClickRaisesTheCellEvent) {
  G->OnDblClickCell = [this](TObject*, int ARow, int ACol) {
    Events.push_back(std::to_string(ARow) + "," + std::to_string(ACol));
  };
  G->SetCol(2);
  Open();
  SendMessageA(E->Handle(), WM_LBUTTONDBLCLK, 0, PointToLParam(3, 3));
  EXPECT_EQ(Events, (std::vector<std::string>{"1,2"}));
}

TEST_F(EditorKeys, CursorWalkLeavesAtTheEdges) {
  G->GetNavigation()->CursorWalkEditor = true;
  G->SetCol(2);
  Open();
  SetEditText("ab", 0);
  Key(VK_LEFT);
  EXPECT_EQ(G->GetCol(), 1);
  Open();
  SetEditText("xy");
  Key(VK_RIGHT);
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetGridCell(1, 1), "xy");
}

}  // namespace
