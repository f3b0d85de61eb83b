// The grid's window messages: the update lock against painting, the
// periodic timer (lookup expiry, hovering, blinking cells), the editor text
// mirrored into the cell and the combo change reports.
#include <string>
#include <vector>

#include "editing_fixture.h"

namespace {

class GridMessages : public EditingGrid {};

TEST_F(GridMessages, NestedLocksPaintOnlyAfterTheLastEnd) {
  G->BeginUpdate();
  G->BeginUpdate();
  G->BeginUpdate();
  const int Before = G->Paints;
  G->SetCellEx(1, 1, "x");
  G->Invalidate();
  G->EndUpdate();
  G->EndUpdate();
  Pump();
  SendMessageA(G->Handle(), WM_PAINT, 0, 0);
  Pump();
  EXPECT_EQ(G->Paints, Before);
  EXPECT_TRUE(G->GetLockFlag());
  G->EndUpdate();
  Pump();
  EXPECT_EQ(G->Paints, Before + 1);
  EXPECT_FALSE(G->GetLockFlag());
  G->EndUpdate();  // not below 0
  EXPECT_EQ(G->GetUpdateCount(), 0);
}

TEST_F(GridMessages, AGridHiddenWhileLockedPaintsWhenShownAgain) {
  G->BeginUpdate();
  G->SetVisible(false);
  G->EndUpdate();
  EXPECT_EQ(G->GetUpdateCount(), 0);
  const int Before = G->Paints;
  G->SetVisible(true);
  Pump();
  EXPECT_GT(G->Paints, Before);
  // An invisible grid is not locked at all.
  G->SetVisible(false);
  G->BeginUpdate();
  EXPECT_EQ(G->GetUpdateCount(), 0);
}

TEST_F(GridMessages, StartAndResetUpdateLeaveRedrawAlone) {
  G->StartUpdate();
  G->StartUpdate();
  EXPECT_EQ(G->GetUpdateCount(), 2);
  G->SetLockFlag(true);
  EXPECT_EQ(G->GetUpdateCount(), 3);
  G->ResetUpdate();
  EXPECT_FALSE(G->GetLockFlag());
}

TEST_F(GridMessages, LookupTextLivesThroughThreeTicksAndGoesAtTheFourth) {
  G->SetOptions(G->GetOptions() & ~static_cast<TGridOptions>(goEditing));
  G->GetNavigation()->AutoGotoWhenSorted = true;
  G->GetNavigation()->AutoGotoIncremental = true;
  G->SetCellEx(1, 3, "apple");
  char16_t K = u'a';
  G->KeyPress(K);
  EXPECT_EQ(G->GetLookupText(), "a");
  EXPECT_EQ(G->GetRow(), 3);
  AdvanceTestClock(1500);
  EXPECT_EQ(G->GetLookupText(), "a");
  AdvanceTestClock(500);
  EXPECT_EQ(G->GetLookupText(), "");
}

TEST_F(GridMessages, HoveringMovesTheCurrentCellOnlyOverNormalCells) {
  G->SetHovering(true);
  G->FocusCell(1, 1);
  const TRect Fixed = G->CellRect(0, 3);
  TestMouseMove(ClientPointToScreen(G->Handle(), Fixed.left + 3, Fixed.top + 3));
  AdvanceTestClock(500);
  EXPECT_EQ(G->GetRow(), 1);
  const TRect Normal = G->CellRect(2, 3);
  TestMouseMove(ClientPointToScreen(G->Handle(), Normal.left + 3, Normal.top + 3));
  AdvanceTestClock(500);
  EXPECT_EQ(G->GetRow(), 3);
  EXPECT_EQ(G->GetCol(), 2);
}

TEST_F(GridMessages, TheBlinkTickRepaintsOnlyBlinkingCells) {
  struct TRepaints : TPaintCountingGrid {
    using TPaintCountingGrid::TPaintCountingGrid;
    std::vector<std::string> Cells;
    void RepaintCell(int ACol, int ARow) override {
      Cells.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
      TPaintCountingGrid::RepaintCell(ACol, ARow);
    }
  };
  auto* R = new TRepaints(Form);
  R->SetBounds(0, 0, 300, 150);
  R->SetParent(Form);
  R->SetEnableBlink(true);
  R->SetCellEx(2, 2, "<bli>on</bli>");
  R->SetCellEx(1, 0, "<BLINK>head</BLINK>");
  R->SetCellEx(3, 3, "<b>bold</b>");
  Pump();
  R->Cells.clear();
  const bool Phase = R->GetBlinkPhase();
  AdvanceTestClock(500);
  EXPECT_NE(R->GetBlinkPhase(), Phase);
  EXPECT_EQ(R->Cells, (std::vector<std::string>{"2,2", "1,0"}));
  EXPECT_EQ(R->TickCount, G->TickCount);
}

TEST_F(GridMessages, EditorTextIsMirroredOnlyOnceTheTextEditorOpened) {
  TEdit* Other = new TEdit(Form);
  Other->SetParent(G);
  G->FocusCell(1, 1);
  G->EditActive = true;  // a control editor open, the text editor never shown
  SendMessageA(G->Handle(), WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(Other->Handle()));
  EXPECT_EQ(G->GetCellEx(1, 1), "");
  G->EditActive = false;
  G->ShowInplaceEdit();
  ASSERT_TRUE(G->TextEditorOpened);
  TInplaceEdit* Ed = G->GetInplaceEditor();
  Ed->SetText("typed");
  EXPECT_EQ(G->GetCellEx(1, 1), "typed");
  G->InMouseDown = true;
  Ed->SetText("while pressed");
  EXPECT_EQ(G->GetCellEx(1, 1), "typed");
  G->InMouseDown = false;
}

TEST_F(GridMessages, OneComboChangePerEditOfTheGridCombo) {
  int Own = 0, Any = 0;
  G->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edComboEdit; };
  G->OnComboChange = [&](TObject*, int, int, int I, const AnsiString&) { (I == -1 ? Own : Any)++; };
  G->FocusCell(1, 1);
  G->ShowInplaceEdit();
  TCustomComboBox* C = G->Editors().Combo;
  C->SetFocus();
  TestTypeText("ab");
  Pump();
  EXPECT_EQ(Own, 2);
  EXPECT_EQ(Any, 0);
  // Another combo's typing is reported with the grid combo's text.
  TComboBox* Other = new TComboBox(Form);
  Other->SetParent(G);
  Own = 0;
  SendMessageA(G->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(Other->Handle()));
  EXPECT_EQ(Own, 1);
}

TEST_F(GridMessages, DateTimeChangeNotificationReportsTheDate) {
  std::vector<TDateTime> Seen;
  G->OnDateTimeChange = [&](TObject*, int, int, TDateTime D) { Seen.push_back(D); };
  NMDATETIMECHANGE N{};
  N.nmhdr.code = DTN_DATETIMECHANGE;
  N.st.wYear = 2024;
  N.st.wMonth = 2;
  N.st.wDay = 29;
  SendMessageA(G->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
  N.st.wDay = 0;
  SendMessageA(G->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
  EXPECT_EQ(Seen, (std::vector<TDateTime>{EncodeDate(2024, 2, 29), 0}));
}

TEST_F(GridMessages, APopupEditorSuppressesOnlyTheNextFocus) {
  int Shown = 0;
  G->GetNavigation()->AlwaysEdit = true;
  G->FocusCell(1, 1);
  G->ShowInplaceEdit();
  G->HideInplaceEdit();
  G->OnGetEditorType = [&](TObject*, int, int, TEditorType&) { ++Shown; };
  G->PopupEditorLeft = true;
  SendMessageA(G->Handle(), WM_SETFOCUS, 0, 0);
  EXPECT_EQ(Shown, 0);
  EXPECT_FALSE(G->PopupEditorLeft);
  SendMessageA(G->Handle(), WM_SETFOCUS, 0, 0);
  EXPECT_EQ(Shown, 1);
}

}  // namespace
