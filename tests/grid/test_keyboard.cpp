// The grid's keys: scroll-only keys, Home and End, the Tab walk, row
// appending, inserting and deleting, fixed cells skipped, static controls,
// clipboard keys, the search footer lock, dialog codes and accelerators.
#include "keyboard_fixture.h"

#include "core_check.h"
#include "grid/didavovbutton.h"
#include "grid/searchpanel.h"
#include "platform/stdctrls/stdctrls.h"

namespace {

class Keys : public KeyboardGrid {
protected:
  void Rows(int N) {
    G->SetRowCountEx(N);
    for (int r = 1; r < N; ++r) G->SetGridCell(1, r, std::to_string(r));
    PumpUntilIdle();
  }
  std::string At() { return std::to_string(G->GetCol()) + "," + std::to_string(G->GetRow()); }
};

TEST_F(Keys, MoveScrollOnly) {
  Rows(100);
  G->GetNavigation()->MoveScrollOnly = true;
  const int Vis = G->GetVisibleRowCount();
  struct Case {
    WORD Key;
    int TopBefore;
    int TopAfter;
  } Cases[] = {
      {VK_UP, 1, 1},           {VK_DOWN, 1, 2},         {VK_UP, 5, 4},           {VK_NEXT, 1, 1 + Vis},
      {VK_PRIOR, 1 + Vis, 1},  {VK_PRIOR, 3 + 2 * Vis, 3 + Vis}, {VK_END, 1, 100 - Vis}, {VK_HOME, 50, 1},
      {VK_DOWN, 100 - Vis, 100 - Vis},
  };
  for (const Case& K : Cases) {
    G->SetTopRow(K.TopBefore);
    Key(K.Key);
    EXPECT_EQ(G->GetTopRow(), K.TopAfter) << K.Key << " from " << K.TopBefore;
    EXPECT_EQ(At(), "1,1");
  }
}

TEST_F(Keys, HomeAndEnd) {
  Rows(30);
  G->GetNavigation()->HomeEndKey = heFirstLastRow;
  G->FocusCell(2, 10);
  Key(VK_END);
  EXPECT_EQ(At(), "2,29");
  Key(VK_HOME);
  EXPECT_EQ(At(), "2,1");
  // With the footer row the last normal row is the one above it.
  G->GetFloatingFooter()->SetVisible(true);
  PumpUntilIdle();
  Key(VK_END);
  EXPECT_EQ(At(), "2,28");
  EXPECT_EQ(G->GetTopRow(), 30 - G->GetVisibleRowCount());
  // Columns: only with row selection.
  G->GetNavigation()->HomeEndKey = heFirstLastColumn;
  G->SetOptions((G->GetOptions() | goRowSelect) & ~goEditing);
  Key(VK_HOME);
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(G->GetLeftCol(), 1);
  Key(VK_END);
  EXPECT_EQ(G->GetCol(), 4);
}

TEST_F(Keys, HomeKeepsTheLookupTextAndEndClearsIt) {
  Rows(30);
  G->SetOptions(G->GetOptions() & ~static_cast<TGridOptions>(goEditing));
  G->GetNavigation()->HomeEndKey = heFirstLastRow;
  G->GetNavigation()->AutoGotoWhenSorted = true;
  G->GetNavigation()->AutoGotoIncremental = true;
  G->FocusCell(1, 5);
  TestTypeText("2");
  PumpUntilIdle();
  EXPECT_EQ(G->GetLookupText(), "2");
  EXPECT_EQ(At(), "1,2");
  Key(VK_HOME);
  EXPECT_EQ(At(), "1,1");
  EXPECT_EQ(G->GetLookupText(), "2");
  Key(VK_END);
  EXPECT_EQ(At(), "1,29");
  EXPECT_EQ(G->GetLookupText(), "");
}

TEST_F(Keys, ShiftHomeSelectsWholeRowsWithDisjunctSelection) {
  Rows(10);
  G->SetOptions(G->GetOptions() | goRangeSelect);
  G->GetNavigation()->HomeEndKey = heFirstLastRow;
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->FocusCell(2, 4);
  Key(VK_HOME, tsShift);
  EXPECT_EQ(G->GetRowSelectCount(), 4);
  EXPECT_TRUE(G->GetRowSelect(1) && G->GetRowSelect(4));
}

TEST_F(Keys, TabWalk) {
  G->SetOptions(G->GetOptions() | goTabs);
  G->GetNavigation()->AdvanceAutoEdit = false;
  G->FocusCell(3, 1);
  Key(VK_TAB);
  EXPECT_EQ(At(), "4,1");
  Key(VK_TAB);
  EXPECT_EQ(At(), "1,2");
  Key(VK_TAB, tsShift);
  EXPECT_EQ(At(), "4,1");
  // Shift+Tab in the first normal cell wraps to the last row.
  G->FocusCell(1, 1);
  Key(VK_TAB, tsShift);
  EXPECT_EQ(At(), "4,5");
  // Read-only cells are stepped over.
  G->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& Value) {
    if (ARow == 2 && ACol == 2) Value = false;
  };
  G->FocusCell(1, 2);
  Key(VK_TAB);
  EXPECT_EQ(At(), "3,2");
  EXPECT_EQ(G->TabOriginCol, -1);
}

// Without goTabs, Tab from the open editor walks the form's tab stops; with the
// grid the only one, the focus lands on the grid while the editor still shows.
// What is typed next goes on into the editor, which takes the focus back.
TEST_F(Keys, TabWithoutGoTabsKeepsTypingInTheEditor) {
  G->FocusCell(2, 3);
  ASSERT_NE(Open(), nullptr);
  SetEditText("ab");
  Key(VK_TAB);
  EXPECT_TRUE(G->GetEditorMode());
  TestTypeText("c");
  PumpUntilIdle();
  EXPECT_EQ(E->GetText(), "abc");
  EXPECT_EQ(GetFocus(), E->Handle());
}

TEST_F(Keys, TabAtTheEndAppendsOrWraps) {
  G->SetOptions(G->GetOptions() | goTabs);
  G->GetNavigation()->AdvanceAutoEdit = false;
  G->GetNavigation()->SetAdvanceInsert(true);
  std::vector<int> Added;
  G->OnAutoAddRow = [&Added](TObject*, int ARow) { Added.push_back(ARow); };
  G->FocusCell(4, 5);
  Key(VK_TAB);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(At(), "1,6");
  EXPECT_EQ(Added, (std::vector<int>{6}));
  CheckHidden(*G);
  // A refusing application keeps the rows.
  G->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
  G->FocusCell(4, 6);
  Key(VK_TAB);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(At(), "1,1");
  // With TabToNextAtEnd the walk wraps and the Tab posted to the form
  // takes the focus to the next control.
  auto* Next = new TEdit(Form);
  Next->SetParent(Form);
  Next->SetBounds(0, 280, 50, 20);
  G->GetNavigation()->TabToNextAtEnd = true;
  G->FocusCell(4, 6);
  Key(VK_TAB);
  EXPECT_EQ(At(), "1,1");
  EXPECT_EQ(GetFocus(), Next->Handle());
}

TEST_F(Keys, TabWithFixedFootersAddsAboveThem) {
  G->SetOptions(G->GetOptions() | goTabs);
  G->GetNavigation()->AdvanceAutoEdit = false;
  G->GetNavigation()->SetAdvanceInsert(true);
  G->SetFixedFooters(1);
  G->SetGridCell(1, 5, "sum");
  G->FocusCell(4, 4);
  Key(VK_TAB);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(At(), "1,5");
  EXPECT_EQ(G->GetGridCell(1, 5), "");
  EXPECT_EQ(G->GetGridCell(1, 6), "sum");
}

TEST_F(Keys, TabWalkEndsWhenNoCellTakesTheFocus) {
  G->SetOptions(G->GetOptions() | goTabs);
  G->GetNavigation()->AdvanceAutoEdit = false;
  int Asked = 0;
  G->OnCanEditCell = [&Asked](TObject*, int, int, bool& Value) {
    ++Asked;
    Value = false;
  };
  G->FocusCell(2, 2);
  G->TabEdit(false);
  EXPECT_LT(Asked, 1000);
  EXPECT_EQ(G->TabOriginCol, -1);
  // A handler that changes the key cancels the step.
  G->OnCanEditCell = nullptr;
  G->OnKeyDown = [](TObject*, WORD& K, TShiftState) { K = 0; };
  G->FocusCell(2, 2);
  G->TabEdit(false);
  EXPECT_EQ(At(), "2,2");
}

TEST_F(Keys, SkipFixedCells) {
  G->OnIsFixedCell = [](TObject*, int ARow, int ACol, bool& Value) { Value = ACol == 2 || ARow == 3; };
  G->FocusCell(1, 2);
  Key(VK_RIGHT);
  EXPECT_EQ(At(), "3,2");
  Key(VK_LEFT);
  EXPECT_EQ(At(), "1,2");
  Key(VK_DOWN);
  EXPECT_EQ(At(), "1,4");
  Key(VK_UP);
  EXPECT_EQ(At(), "1,2");
  // Without skipping, the fixed cell refuses to become current.
  G->GetNavigation()->SkipFixedCells = false;
  Key(VK_RIGHT);
  EXPECT_EQ(At(), "1,2");
}

TEST_F(Keys, AppendOnArrowDown) {
  G->GetNavigation()->AppendOnArrowDown = true;
  std::vector<int> Added;
  G->OnAutoAddRow = [&Added](TObject*, int ARow) { Added.push_back(ARow); };
  G->FocusCell(1, 5);
  Key(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(At(), "1,6");
  EXPECT_EQ(G->GetGridCell(1, 6), "");
  CheckHidden(*G);
}

TEST_F(Keys, AppendWithFixedFooterGoesAboveIt) {
  G->GetNavigation()->AppendOnArrowDown = true;
  G->SetFixedFooters(1);
  G->SetGridCell(1, 5, "sum");
  G->FocusCell(1, 4);
  Key(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(At(), "1,5");
  EXPECT_EQ(G->GetGridCell(1, 5), "");
  EXPECT_EQ(G->GetGridCell(1, 6), "sum");
  CheckHidden(*G);
}

TEST_F(Keys, AppendWithTheFooterRow) {
  G->GetNavigation()->AppendOnArrowDown = true;
  G->GetFloatingFooter()->SetVisible(true);
  G->SetGridCell(1, 5, "sum");
  G->FocusCell(1, 4);
  EXPECT_TRUE(G->IsOnLastRow());
  Key(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(At(), "1,5");
  EXPECT_EQ(G->GetGridCell(1, 6), "sum");
}

TEST_F(Keys, InsertAndDeleteRows) {
  auto* Nav = G->GetNavigation();
  Nav->AllowInsertRow = true;
  Nav->AllowDeleteRow = true;
  G->SetOptions(G->GetOptions() & ~goEditing);
  G->FocusCell(1, 2);
  Key(VK_INSERT);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(G->GetGridCell(1, 2), "");
  EXPECT_EQ(G->GetGridCell(1, 3), "r2c1");
  CheckHidden(*G);
  Nav->InsertPosition = pInsertAfter;
  Key(VK_INSERT);
  EXPECT_EQ(At(), "1,3");
  EXPECT_EQ(G->GetGridCell(1, 4), "r2c1");
  G->OnCanInsertRow = [](TObject*, int, bool& Can) { Can = false; };
  Key(VK_INSERT);
  EXPECT_EQ(G->GetRowCount(), 8);
  std::vector<int> Asked;
  G->OnCanDeleteRow = [&Asked](TObject*, int ARow, bool& Can) {
    Asked.push_back(ARow);
    Can = ARow != 1;
  };
  Key(VK_DELETE);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(G->GetGridCell(1, 3), "r2c1");
  CheckHidden(*G);
  G->FocusCell(1, 1);
  Key(VK_DELETE);
  EXPECT_EQ(G->GetRowCount(), 7);
  EXPECT_EQ(Asked, (std::vector<int>{3, 1}));
}

TEST_F(Keys, DeleteWithNoNormalRowsDoesNothing) {
  G->GetNavigation()->AllowDeleteRow = true;
  G->SetFixedFooters(1);
  G->SetRowCountEx(2);
  bool Asked = false;
  G->OnCanDeleteRow = [&Asked](TObject*, int, bool&) { Asked = true; };
  Key(VK_DELETE);
  EXPECT_EQ(G->GetRowCount(), 2);
  EXPECT_FALSE(Asked);
}

TEST_F(Keys, SpaceOnACheckBox) {
  G->AddCheckBox(2, 2, false, false);
  std::vector<std::string> Clicks;
  G->OnCheckBoxClick = [&Clicks](TObject*, int ACol, int ARow, bool State) {
    Clicks.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + (State ? " on" : " off"));
  };
  G->FocusCell(2, 2);
  Key(VK_SPACE);
  Key(VK_SPACE);
  EXPECT_EQ(Clicks, (std::vector<std::string>{"2,2 on", "2,2 off"}));
}

TEST_F(Keys, ClipboardKeys) {
  G->SetOptions(G->GetOptions() & ~goEditing);
  std::vector<std::string> Seen;
  G->OnKeyPress = [&Seen](TObject*, char16_t& K) { Seen.push_back("char " + std::to_string(K)); };
  G->OnClipboardCopy = [&Seen](TObject*, bool&) { Seen.push_back("copy"); };
  G->OnClipboardPaste = [&Seen](TObject*, bool&) { Seen.push_back("paste"); };
  G->OnClipboardCut = [&Seen](TObject*, bool&) { Seen.push_back("cut"); };
  G->GetNavigation()->AllowClipboardShortCuts = true;
  Key('C', tsCtrl);
  Key('V', tsCtrl);
  Key('X', tsCtrl);
  Key(VK_INSERT, tsShift);
  Key(VK_DELETE, tsShift);
  EXPECT_EQ(Seen, (std::vector<std::string>{"copy", "paste", "cut", "paste", "cut"}));
}

TEST_F(Keys, CtrlASelectsTheNormalCells) {
  G->SetOptions((G->GetOptions() | goRangeSelect) & ~goEditing);
  G->SetFixedFooters(1);
  Key('A', tsCtrl);
  const TGridRect S = G->GetSelection();
  EXPECT_EQ(S.Left, 1);
  EXPECT_EQ(S.Top, 1);
  EXPECT_EQ(S.Right, 4);
  EXPECT_EQ(S.Bottom, 4);
}

TEST_F(Keys, SelectionChangedAfterMoves) {
  std::vector<std::string> Changes;
  G->OnSelectionChanged = [&Changes](TObject*, int L, int T, int R, int B) {
    Changes.push_back(std::to_string(L) + "," + std::to_string(T) + "-" + std::to_string(R) + "," +
                      std::to_string(B));
  };
  Key(VK_DOWN);
  Key(VK_F5);
  EXPECT_EQ(Changes, (std::vector<std::string>{"1,2-1,2"}));
}

TEST_F(Keys, FooterLockEndsOnEveryExit) {
  G->SetOptions((G->GetOptions() | goRowSelect) & ~goEditing);
  G->GetNavigation()->KeepHorizScroll = true;
  G->GetSearchFooter()->SetVisible(true);
  PumpUntilIdle();
  G->FocusCell(1, 5);
  Key(VK_DOWN);
  EXPECT_EQ(G->GetUpdateCount(), 0);
  Key(VK_NEXT);
  Key(VK_END);
  Key('Q');
  EXPECT_EQ(G->GetUpdateCount(), 0);
  EXPECT_EQ(G->GetRow(), 5);
}

TEST_F(Keys, DialogCodes) {
  G->SetOptions(G->GetOptions() & ~goEditing);
  EXPECT_TRUE(G->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS);
  G->SetOptions(G->GetOptions() | goEditing | goRowSelect);
  EXPECT_FALSE(G->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS);
  G->GetNavigation()->AutoGotoWhenSorted = true;
  EXPECT_TRUE(G->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS);

  // A custom editor's control asks the grid.
  G->EditControlProc = [](TMessage& M) { M.Result = M.Msg == WM_GETDLGCODE ? DLGC_WANTCHARS : 7; };
  TMessage M{WM_GETDLGCODE, 0, 0, 0};
  G->SubclassProc(M);
  EXPECT_EQ(M.Result, DLGC_WANTCHARS);
  G->SetOptions(G->GetOptions() | goTabs);
  M.Result = 0;
  G->SubclassProc(M);
  EXPECT_EQ(M.Result, DLGC_WANTCHARS | 0x83);
  TMessage Other{WM_USER, 0, 0, 0};
  G->SubclassProc(Other);
  EXPECT_EQ(Other.Result, 7);
}

TEST_F(Keys, AcceleratorsAreSwallowedWhileFocused) {
  EXPECT_EQ(G->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  Form->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(G->Perform(CM_DIALOGCHAR, 'g', 0), 0);
}

TEST_F(Keys, SearchFooterAccelerators) {
  G->GetSearchFooter()->SetVisible(true);
  PumpUntilIdle();
  TSearchPanel* P = G->GetSearchPanel();
  P->GetForwardButton()->SetCaption("&Next");
  P->GetForwardButton()->SetEnabled(true);
  EXPECT_EQ(G->Perform(CM_DIALOGCHAR, 'n', 0), 1);
  EXPECT_EQ(G->Perform(CM_DIALOGCHAR, 'z', 0), 0);
  P->GetForwardButton()->SetEnabled(false);
  EXPECT_EQ(G->Perform(CM_DIALOGCHAR, 'n', 0), 0);
}

TEST_F(Keys, FixedColumnCounts) {
  EXPECT_EQ(G->FixedColsVis(), 1);
  G->SetFixedColsEx(0);
  EXPECT_EQ(G->FixedColsVis(), 0);
  G->SetFixedColsEx(1);
  G->SetFixedRightCols(2);
  EXPECT_EQ(G->NumFixedRightVis(), 2);
  G->HideColumn(4);
  EXPECT_EQ(G->NumFixedRightVis(), 1);
  G->UnHideColumn(4);
  EXPECT_EQ(G->NumFixedRightVis(), 2);
}

TEST_F(Keys, TypedCharacterOpensTheEditor) {
  G->FocusCell(2, 3);
  TestTypeText("x");
  EXPECT_TRUE(G->GetEditorMode());
  PumpUntilIdle();
  // The character that opened the editor is its first one.
  EXPECT_EQ(G->GetInplaceEditor()->GetText(), "x");
}

}  // namespace
