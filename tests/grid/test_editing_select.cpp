// Cell selection and edit advance: goEditing following the current cell,
// refused cells, the search footer keeping the current row in sight, the
// advance walk in both directions, the incremental lookup, the controls
// placed in cells and the search footer's layout.
#include <string>
#include <vector>

#include "editing_fixture.h"
#include "grid/editlink.h"
#include "grid/searchpanel.h"

namespace {

class SelectCells : public EditingGrid {
protected:
  // Column 2 is read-only (through OnCanEditCell).
  void ReadOnlyColumn(int Col) {
    G->OnCanEditCell = [Col](TObject*, int, int ACol, bool& Value) { Value = ACol != Col; };
  }
  bool Editing() { return (G->GetOptions() & goEditing) != 0; }
};

TEST_F(SelectCells, GoEditingFollowsTheCurrentCell) {
  ReadOnlyColumn(2);
  G->FocusCell(2, 2);
  EXPECT_FALSE(Editing());
  EXPECT_TRUE(G->EditingSuspended);
  EXPECT_TRUE(G->IsEditable(1, 2));  // suspended editing still counts
  G->FocusCell(1, 2);
  EXPECT_TRUE(Editing());
  EXPECT_FALSE(G->EditingSuspended);
  // Starting without goEditing: an editable cell brings it.
  G->SetOptions(G->GetOptions() & ~static_cast<TGridOptions>(goEditing));
  G->FocusCell(3, 3);
  EXPECT_TRUE(Editing());
}

TEST_F(SelectCells, SwitchingGoEditingRepaintsOnlyTheMovedCells) {
  ReadOnlyColumn(2);
  G->FocusCell(1, 1);
  Pump();
  G->FocusCell(2, 1);
  ASSERT_FALSE(Editing());
  RECT U{};
  ASSERT_TRUE(GetUpdateRect(G->Handle(), &U, FALSE));
  const TRect Cell3 = G->CellRect(3, 1);
  EXPECT_LE(U.right, Cell3.left);  // no full repaint
  Pump();
}

TEST_F(SelectCells, RefusedCells) {
  // The footer row of a fixed-last-row footer.
  G->GetFloatingFooter()->SetVisible(true);
  G->FocusCell(1, 1);
  G->FocusCell(1, G->GetRowCount() - 1);
  EXPECT_EQ(G->GetRow(), 1);
  G->GetFloatingFooter()->SetVisible(false);
  // A refusing OnCellChanging.
  G->OnCellChanging = [](TObject*, int, int, int, int, bool& Allow) { Allow = false; };
  G->FocusCell(2, 2);
  EXPECT_EQ(G->GetCol(), 1);
  G->OnCellChanging = nullptr;
  // Column 0 while the grid has nodes, unless ranges are selected.
  G->SetFixedColsEx(0);
  G->AddNode(1, 2);
  G->SetOptions(G->GetOptions() & ~static_cast<TGridOptions>(goRangeSelect));
  G->FocusCell(1, 1);
  G->FocusCell(0, 1);
  EXPECT_EQ(G->GetCol(), 1);
  G->SetOptions(G->GetOptions() | goRangeSelect);
  G->FocusCell(0, 1);
  EXPECT_EQ(G->GetCol(), 0);
}

TEST_F(SelectCells, TheSearchFooterKeepsTheCurrentRowAboveIt) {
  G->GetSearchFooter()->SetVisible(true);
  Pump();
  ASSERT_EQ(G->GetSearchPanel()->GetHeight(), 32);
  // All rows fit: TopRow cannot move, and the walk still ends.
  G->SetRowCountEx(8);
  G->FocusCell(1, 7);
  EXPECT_EQ(G->GetRow(), 7);
  EXPECT_EQ(G->GetTopRow(), 1);
  // More rows: the row under the panel scrolls up above it.
  G->SetRowCountEx(30);
  G->FocusCell(1, 1);
  G->FocusCell(1, 7);
  EXPECT_EQ(G->GetRow(), 7);
  EXPECT_GT(G->GetTopRow(), 1);
  EXPECT_LE(G->CellRect(1, 7).bottom, G->GetClientRect().bottom - 32 + 2);
}

struct AdvanceCase {
  const char* Name;
  TAdvanceDirection Dir;
  bool Forward;
  int FromCol, FromRow;
  int ToCol, ToRow;
  int Insert;  // 0 none, 1 allowed, 2 refused
  int RowCount;
};

TEST_F(SelectCells, AdvanceEditWalk) {
  const AdvanceCase Cases[] = {
      {"lr next", adLeftRight, true, 1, 1, 2, 1, 0, 4},
      {"lr row end", adLeftRight, true, 3, 1, 1, 2, 0, 4},
      {"lr wraps", adLeftRight, true, 3, 3, 1, 1, 0, 4},
      {"lr inserts", adLeftRight, true, 3, 3, 1, 4, 1, 5},
      {"lr insert refused", adLeftRight, true, 3, 3, 1, 3, 2, 4},
      {"lr back", adLeftRight, false, 2, 1, 1, 1, 0, 4},
      {"lr back row", adLeftRight, false, 1, 2, 3, 1, 0, 4},
      {"lr back wraps", adLeftRight, false, 1, 1, 3, 3, 0, 4},
      {"tb next", adTopBottom, true, 1, 1, 1, 2, 0, 4},
      {"tb column end", adTopBottom, true, 1, 3, 2, 1, 0, 4},
      {"tb wraps", adTopBottom, true, 3, 3, 1, 1, 0, 4},
      {"tb back", adTopBottom, false, 1, 2, 1, 1, 0, 4},
      {"tb back column", adTopBottom, false, 2, 1, 1, 3, 0, 4},
      {"tb back wraps", adTopBottom, false, 1, 1, 3, 3, 0, 4},
  };
  for (const AdvanceCase& K : Cases) {
    SCOPED_TRACE(K.Name);
    G->SetRowCountEx(4);
    G->GetNavigation()->SetAdvanceDirection(K.Dir);
    G->GetNavigation()->SetAdvanceInsert(K.Insert != 0);
    G->OnCanAddRow = [&](TObject*, bool& Can) { Can = K.Insert == 1; };
    std::vector<int> Added;
    G->OnAutoAddRow = [&](TObject*, int ARow) { Added.push_back(ARow); };
    G->FocusCell(K.FromCol, K.FromRow);
    G->AdvanceEdit(K.FromCol, K.FromRow, true, false, K.Forward, false, false);
    EXPECT_EQ(G->GetCol(), K.ToCol);
    EXPECT_EQ(G->GetRow(), K.ToRow);
    EXPECT_EQ(G->GetRowCount(), K.RowCount);
    if (K.Insert == 1) {
      EXPECT_EQ(Added, std::vector<int>{4});
    }
  }
}

TEST_F(SelectCells, AdvanceSkipsReadOnlyCellsAndKeepsItsOrigin) {
  ReadOnlyColumn(2);
  std::vector<std::string> Seen;
  G->OnAutoAdvance = [&](TObject*, int OldRow, int OldCol, int& NewRow, int& NewCol, bool&) {
    Seen.push_back(std::to_string(OldCol) + "," + std::to_string(OldRow) + ">" + std::to_string(NewCol) + "," +
                   std::to_string(NewRow));
  };
  G->FocusCell(1, 1);
  G->AdvanceEdit(1, 1, true, false, true, false, false);
  EXPECT_EQ(Seen, std::vector<std::string>{"1,1>3,1"});
  EXPECT_EQ(G->GetCol(), 3);
  // Without AdvanceOnEnter or force nothing moves.
  G->AdvanceEdit(3, 1, false, false, true, false, false);
  EXPECT_EQ(G->GetCol(), 3);
}

TEST_F(SelectCells, AdvanceOverAnAllReadOnlyGridEnds) {
  G->SetRowCountEx(2000);
  G->OnCanEditCell = [](TObject*, int, int, bool& Value) { Value = false; };
  G->FocusCell(1, 1);
  G->AdvanceEdit(1, 1, true, false, true, false, false);
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(G->GetRow(), 1);
}

TEST_F(SelectCells, IncrementalLookupSearchesTheTypedTextAndBackspace) {
  G->SetOptions(G->GetOptions() & ~static_cast<TGridOptions>(goEditing));
  G->GetNavigation()->AutoGotoWhenSorted = true;
  G->GetNavigation()->AutoGotoIncremental = true;
  G->SetCellEx(1, 2, "abz");
  G->SetCellEx(1, 4, "abc");
  G->FocusCell(1, 1);
  std::vector<int> Rows;
  for (char16_t K : {u'a', u'b', u'c', u'\b'}) {
    G->KeyPress(K);
    Rows.push_back(G->GetRow());
  }
  EXPECT_EQ(Rows, (std::vector<int>{2, 2, 4, 2}));
  EXPECT_EQ(G->GetLookupText(), "ab");
}

TEST_F(SelectCells, EscapePutsTheCachedTextBack) {
  G->SetCellEx(1, 1, "before");
  G->FocusCell(1, 1);
  G->ShowInplaceEdit();
  G->GetInplaceEditor()->SetText("after");
  EXPECT_EQ(G->GetCellEx(1, 1), "after");
  char16_t Esc = 0x1B;
  G->KeyPress(Esc);
  EXPECT_EQ(G->GetCellEx(1, 1), "before");
}

TEST_F(SelectCells, CellControlsInHiddenRowsAndColumnsStayHidden) {
  auto* InRow = new TEdit(Form);
  auto* InCol = new TEdit(Form);
  auto* Shown = new TEdit(Form);
  for (TEdit* E : {InRow, InCol, Shown}) E->SetParent(G);
  G->SetCellControls(1, 2, InRow);
  G->SetCellControls(3, 1, InCol);
  G->SetCellControls(1, 1, Shown);
  G->HideRow(2);
  G->HideColumn(3);
  G->CellControlsUpdate();
  EXPECT_FALSE(InRow->GetVisible());
  EXPECT_FALSE(InCol->GetVisible());
  EXPECT_TRUE(Shown->GetVisible());
  const TRect R = G->CellRect(1, 1);
  EXPECT_EQ(Shown->GetLeft(), R.left);
  EXPECT_EQ(Shown->GetWidth(), R.Width() - 1);
}

TEST_F(SelectCells, SearchFooterLayout) {
  TSearchFooter* F = G->GetSearchFooter();
  TSearchPanel* P = G->GetSearchPanel();
  F->SetVisible(true);
  EXPECT_EQ(P->GetHeight(), 32);
  EXPECT_EQ(P->GetMatchCase()->GetLeft(), 425);
  EXPECT_EQ(P->GetForwardButton()->GetHeight(), 23);
  EXPECT_EQ(P->GetMatchCase()->GetHeight(), 17);
  F->SetShowHighLight(false);
  EXPECT_EQ(P->GetMatchCase()->GetLeft(), 330);
  EXPECT_EQ(P->GetHighlightButton()->GetHeight(), 0);
  F->SetShowMatchCase(false);
  EXPECT_EQ(P->GetMatchCase()->GetHeight(), 0);
  F->SetHintFindNext("");
  EXPECT_FALSE(P->GetForwardButton()->GetShowHint());
  F->SetFindNextCaption("Дальше");
  EXPECT_EQ(P->GetForwardButton()->GetCaption(), "Дальше");
  F->SetVisible(false);
  EXPECT_EQ(P->GetHeight(), 0);
}

}  // namespace

namespace {

struct TValidatingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  std::vector<std::string> Calls;
  bool ValidateCell(const AnsiString& V) override {
    Calls.push_back("plain " + V);
    return true;
  }
  bool ValidateCellWide(const WideString&) override {
    Calls.push_back("wide");
    return true;
  }
};

TEST_F(SelectCells, APendingEditIsValidatedByTheEditedCellsKind) {
  auto* V = new TValidatingGrid(Form);
  V->SetBounds(0, 0, 300, 150);
  V->SetParent(Form);
  V->SetOptions(V->GetOptions() | goEditing);
  V->SetCellEx(1, 1, "plain");
  V->SetWideCells(2, 1, u"широкий");
  V->SetWideCells(1, 2, u"широкий");
  Pump();
  V->FocusCell(1, 1);
  V->ValidatePending = true;  // a control editor did the edit
  V->PendingWideText = u"stale";
  V->FocusCell(2, 1);  // onto a wide cell: the plain edit is checked as plain text
  V->ValidatePending = true;
  V->FocusCell(2, 2);  // from the wide cell: checked as wide text
  EXPECT_EQ(V->Calls, (std::vector<std::string>{"plain plain", "wide"}));
}

struct TComboLink : TEditLink {
  using TEditLink::TEditLink;
  TComboBox* Combo = nullptr;
  TWinControl* GetEditControl() override { return Combo; }
};

TEST_F(SelectCells, ALongItemOfALinkComboIsCutTo255Characters) {
  TComboLink Link(nullptr);
  Link.Combo = new TComboBox(Form);
  Link.Combo->SetParent(G);
  Link.Combo->SetStyle(csDropDownList);
  const AnsiString Long(300, 'x');
  Link.Combo->GetItems()->Add(Long);
  Link.Combo->SetItemIndex(0);
  G->EditLink = &Link;
  std::vector<AnsiString> Seen;
  G->OnComboChange = [&](TObject*, int, int, int, const AnsiString& S) { Seen.push_back(S); };
  SendMessageA(G->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Link.Combo->Handle()));
  ASSERT_EQ(Seen.size(), 1u);
  EXPECT_EQ(Seen[0], Long.substr(0, 255));
  G->EditLink = nullptr;
}

}  // namespace
