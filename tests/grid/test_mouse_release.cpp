// The release, double click and right button through the window's message
// path: header sort clicks, held cell buttons, fixed sizing, moves and the
// fixed-cell editor.
#include <algorithm>
#include <functional>

#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_fixededit.h"
#include "tests/grid/core_check.h"
#include "tests/grid/mouse_fixture.h"

namespace {

class Release : public MouseGrid {
protected:
  void SetUp() override {
    MouseGrid::SetUp();
    // Column 1 holds 3, 1, 5, 2, 4 from row 1 down: sorted it reads 1..5.
    const char* Values[] = {"3", "1", "5", "2", "4"};
    for (int r = 1; r < 6; ++r) G->SetGridCell(1, r, Values[r - 1]);
    G->GetSortSettings()->SetShow(true);
    G->OnClickSort = [this](TObject*, int C) { Log("sort", C, 0); };
  }
  std::string Column1() {
    std::string S;
    for (int r = 1; r < G->GetRowCount(); ++r) S += G->GetGridCell(1, r);
    return S;
  }
};

struct SortCase {
  const char* Name;
  int Rows;
  int PressRow;
  bool AutoSizeFirst;
  const char* Expected;
};

class SortClick : public Release, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortClick, SortsOnlyOnAPlainHeaderClick) {
  const SortCase& P = GetParam();
  G->SetRowCountEx(P.Rows);
  G->SetOptions(G->GetOptions() | goColSizing);
  if (P.AutoSizeFirst) {
    // A double click on the header border auto-sizes; its release must not sort.
    const TRect R = G->CellRect(1, 0);
    TestDoubleClick(At(R.right - 1, R.top + 5));
    PumpUntilIdle();
  } else {
    Down(Cell(1, P.PressRow));
    Up(Cell(1, 0));
  }
  EXPECT_EQ(Column1(), P.Expected) << P.Name;
}

INSTANTIATE_TEST_SUITE_P(Header, SortClick,
                         ::testing::Values(SortCase{"press and release in the sort row", 6, 0, false, "12345"},
                                           SortCase{"only two rows", 2, 0, false, "3"},
                                           SortCase{"pressed in another row", 6, 1, false, "31524"},
                                           SortCase{"auto-size double click", 6, 0, true, "31524"}),
                         [](const ::testing::TestParamInfo<SortCase>& I) { return "case" + std::to_string(I.index); });

// The sort settings that decide whether and how a header click sorts.
struct SortSettingCase {
  const char* Name;
  std::function<void(VIduZozezuVodu*)> Setup;
  int Col, Row;  // the header clicked
  const char* Expected;
};

class SortSettingClick : public Release, public ::testing::WithParamInterface<SortSettingCase> {};

TEST_P(SortSettingClick, HeaderClickFollowsTheSettings) {
  const SortSettingCase& P = GetParam();
  // Column 0 orders the rows as column 1 does: c, a, e, b, d.
  const char* Keys[] = {"c", "a", "e", "b", "d"};
  for (int r = 1; r < 6; ++r) G->SetGridCell(0, r, Keys[r - 1]);
  P.Setup(G);
  ClickAt(Cell(P.Col, P.Row));
  EXPECT_EQ(Column1(), P.Expected) << P.Name;
}

void NoSettings(VIduZozezuVodu*) {}
void TwoFixedRows(VIduZozezuVodu* G) {
  G->SetFixedRowsEx(2);
  G->GetSortSettings()->SetRow(1);
}

INSTANTIATE_TEST_SUITE_P(
    Header, SortSettingClick,
    ::testing::Values(
        SortSettingCase{"sorting not shown", [](VIduZozezuVodu* G) { G->GetSortSettings()->SetShow(false); }, 1, 0,
                        "31524"},
        SortSettingCase{"descending first",
                        [](VIduZozezuVodu* G) { G->GetSortSettings()->InitSortDirection = sdDescending; }, 1, 0,
                        "54321"},
        SortSettingCase{"second fixed row as sort row", TwoFixedRows, 1, 1, "31245"},
        SortSettingCase{"first fixed row when the second sorts", TwoFixedRows, 1, 0, "31524"},
        SortSettingCase{"fixed column with FixedCols",
                        [](VIduZozezuVodu* G) { G->GetSortSettings()->FixedCols = true; }, 0, 0, "12345"},
        SortSettingCase{"fixed column without FixedCols", NoSettings, 0, 0, "31524"}),
    [](const ::testing::TestParamInfo<SortSettingCase>& I) { return "case" + std::to_string(I.index); });

TEST_F(Release, SecondClickFlipsAndUndoSortRestoresTheFirstOrder) {
  G->GetSortSettings()->UndoSort = true;
  ClickAt(Cell(1, 0));
  EXPECT_EQ(Column1(), "12345");
  ClickAt(Cell(1, 0));
  EXPECT_EQ(Column1(), "54321");
  ClickAt(Cell(1, 0));
  EXPECT_EQ(Column1(), "31524");
  EXPECT_EQ(G->GetSortSettings()->Column, -1);
  EXPECT_EQ(Events, (std::vector<std::string>{"click 1,0", "sort 1,0", "click 1,0", "sort 1,0", "click 1,0",
                                              "sort -1,0"}));
}

TEST_F(Release, RefusedSortLeavesTheRows) {
  G->OnCanSort = [](TObject*, int, bool& DoSort) { DoSort = false; };
  ClickAt(Cell(1, 0));
  EXPECT_EQ(Column1(), "31524");
}

TEST_F(Release, DragResizeOfAHeaderDoesNotSort) {
  G->SetOptions(G->GetOptions() | goColSizing);
  const TRect R = G->CellRect(1, 0);
  Down(At(R.right, R.top + 5));
  TestMouseMove(At(R.right + 30, R.top + 5));
  PumpUntilIdle();
  Up(At(R.right + 30, R.top + 5));
  EXPECT_GT(G->GetColWidths(1), R.right - R.left);
  EXPECT_EQ(Column1(), "31524");
}

TEST_F(Release, IndexShowBuildsAMultiColumnSortWithShift) {
  G->GetSortSettings()->IndexShow = true;
  for (int r = 1; r < 6; ++r) {
    G->SetGridCell(2, r, "x");
    G->SetGridCell(3, r, std::to_string(6 - r));
  }
  ClickAt(Cell(2, 0));
  ClickAt(Cell(1, 0), tsShift);
  ClickAt(Cell(3, 0), tsShift);
  TSortIndexList* L = G->GetSortIndexes();
  ASSERT_EQ(L->GetCount(), 3);
  EXPECT_EQ(L->GetSortColumns(0), 2);
  EXPECT_EQ(L->GetSortColumns(1), 1);
  EXPECT_EQ(L->GetSortColumns(2), 3);
  EXPECT_EQ(Column1(), "12345");
  ClickAt(Cell(3, 0));
  ASSERT_EQ(L->GetCount(), 1);
  EXPECT_EQ(L->GetSortColumns(0), 3);
  EXPECT_EQ(G->GetSortSettings()->Column, 3);
  EXPECT_EQ(G->GetGridCell(3, 1), "1");
}

TEST_F(Release, ButtonReleasedOverAnotherCellIsDrawnReleasedWhereItWasPressed) {
  G->SetOptions(G->GetOptions() | goEditing);
  G->AddButton(2, 3, 30, 16, "Go", haFull, vaFull);
  G->AddButton(3, 4, 30, 16, "No", haFull, vaFull);
  G->OnButtonClick = [this](TObject*, int C, int R) { Log("button", C, R); };
  G->Repaint();
  PumpUntilIdle();
  Down(Cell(2, 3));
  Up(Cell(3, 4));
  EXPECT_FALSE(G->GetCellGraphic(2, 3)->CellBoolean);
  EXPECT_FALSE(G->GetCellGraphic(3, 4)->CellBoolean);
  EXPECT_EQ(Events, (std::vector<std::string>{"click 2,3", "button 2,3"}));
}

TEST_F(Release, FixedSizingEndedLeftOfItsStartClosesTheColumn) {
  G->SetFixedColsEx(2);
  G->GetMouseActions()->SizeFixedCol = true;
  G->OnEndColumnSize = [this](TObject*, int C) { Log("end", C, G->GetColWidths(C)); };
  const int Start = G->GetColWidths(0);
  const int Edge = Start + 1 + G->GetColWidths(1);
  // The pointer handling marks the edge as hot while it rests on it.
  G->FixedColSizeHot = true;
  G->FixedSizingCol = 1;
  Down(At(Edge - 1, 30));
  EXPECT_TRUE(G->FixedColSizing);
  Up(At(Start - 20, 30));
  EXPECT_FALSE(G->FixedColSizing);
  EXPECT_EQ(G->GetColWidths(1), 0);
  EXPECT_EQ(Events, (std::vector<std::string>{"end 1,0"}));
}

TEST_F(Release, UpdateColumnSizeAnswerIsApplied) {
  G->SetFixedColsEx(2);
  G->GetMouseActions()->SizeFixedCol = true;
  G->OnUpdateColumnSize = [](TObject*, int, int& W) { W = 80; };
  G->FixedColSizeHot = true;
  G->FixedSizingCol = 1;
  const int Edge = G->GetColWidths(0) + 1 + G->GetColWidths(1);
  Down(At(Edge - 1, 30));
  Up(At(Edge + 10, 30));
  EXPECT_EQ(G->GetColWidths(1), 80);
}

TEST_F(Release, MovingTheSortedColumnKeepsItsSortAndMovesWidthsOnce) {
  G->SetColWidths(1, 40);
  G->SetColWidths(2, 50);
  G->SetColWidths(3, 60);
  ClickAt(Cell(1, 0));
  ASSERT_EQ(G->GetSortSettings()->Column, 1);
  G->MoveColumn(1, 3);
  CheckHidden(*G);
  EXPECT_EQ(G->GetSortSettings()->Column, 3);
  EXPECT_EQ(G->GetColWidths(1), 50);
  EXPECT_EQ(G->GetColWidths(2), 60);
  EXPECT_EQ(G->GetColWidths(3), 40);
  EXPECT_EQ(G->GetGridCell(3, 1), "1");
  // Row 1 holds the row that read "1", first row 2.
  EXPECT_EQ(G->GetGridCell(1, 1), "r2c2");
}

TEST_F(Release, MovingWithAHiddenColumnMovesTheRealColumns) {
  // The hidden column stays hidden with its own cells whichever move runs.
  for (bool Enhanced : {true, false}) {
    SCOPED_TRACE(Enhanced);
    delete Form;
    SetUp();
    G->SetEnhRowColMove(Enhanced);
    G->SetColCountEx(6);
    for (int r = 1; r < 6; ++r) G->SetGridCell(5, r, "r" + std::to_string(r) + "c5");
    G->HideColumn(2);
    // Displayed 1, 3, 4, 5 (real); display 1 goes to display 3 (real 4).
    G->MoveColumn(1, 3);
    CheckHidden(*G);
    // Real column 1 now holds the hidden cells.
    EXPECT_TRUE(G->IsHiddenColumn(1));
    EXPECT_FALSE(G->IsHiddenColumn(2));
    G->UnHideColumnsAll();
    CheckHidden(*G);
    EXPECT_EQ(G->GetGridCell(1, 1), "r1c2");
    EXPECT_EQ(G->GetGridCell(2, 1), "r1c3");
    EXPECT_EQ(G->GetGridCell(3, 1), "r1c4");
    EXPECT_EQ(G->GetGridCell(4, 1), "3");
  }
}

// The header is dragged with the mouse from column 1 to column 3: the cells
// and the width move once, the picture of the column goes away, and the
// release is no sort click.
TEST_F(Release, EnhancedMoveByMouseMovesTheColumnOnce) {
  G->SetOptions(G->GetOptions() | goColMoving);
  G->SetColWidths(1, 40);
  G->SetColWidths(3, 60);
  const POINT To = Cell(3, 0);
  Down(Cell(1, 0));
  TestMouseMove(Cell(2, 0));
  PumpUntilIdle();
  TestMouseMove(To);
  PumpUntilIdle();
  EXPECT_EQ(G->GetGridState(), gsColMoving);
  EXPECT_NE(G->DragImageForm, nullptr);
  Up(To);
  CheckHidden(*G);
  EXPECT_EQ(G->GetGridState(), gsNormal);
  EXPECT_EQ(G->DragImageForm, nullptr);
  EXPECT_EQ(G->GetColWidths(3), 40);
  EXPECT_EQ(G->GetColWidths(2), 60);
  EXPECT_EQ(G->GetGridCell(3, 2), "1");
  EXPECT_EQ(std::count(Events.begin(), Events.end(), "sort 3,0") + std::count(Events.begin(), Events.end(), "sort 1,0"),
            0);
}

TEST_F(Release, PlatformMoveByMouseWithoutEnhancedMoveCarriesWidthsOnce) {
  G->SetEnhRowColMove(false);
  G->SetOptions(G->GetOptions() | goColMoving);
  G->SetColWidths(1, 40);
  G->SetColWidths(3, 60);
  Down(Cell(1, 0));
  TestMouseMove(Cell(3, 0));
  PumpUntilIdle();
  Up(Cell(3, 0));
  CheckHidden(*G);
  EXPECT_EQ(G->GetColWidths(3), 40);
  EXPECT_EQ(G->GetGridCell(3, 2), "1");
}

TEST_F(Release, RowMoveOntoTheFooterRowIsTakenBack) {
  std::vector<std::string> Moves;
  G->OnRowMoved = [&Moves](TObject*, int F, int T) { Moves.push_back(std::to_string(F) + ">" + std::to_string(T)); };
  G->SetRowHeights(1, 30);
  G->MoveRow(1, 3);
  EXPECT_EQ(G->GetRowHeights(3), 30);
  EXPECT_EQ(G->GetGridCell(1, 3), "3");
  G->GetFloatingFooter()->SetFooterStyle(fsFixedLastRow);
  G->GetFloatingFooter()->SetVisible(true);
  const AnsiString Last = G->GetGridCell(2, 5);
  G->MoveRow(2, 5);
  EXPECT_EQ(G->GetGridCell(2, 5), Last);
  EXPECT_EQ(Moves, (std::vector<std::string>{"1>3"}));
}

TEST_F(Release, SelectionHandleDragReportsTheOldAndNewSelection) {
  G->SetSelectionRectangle(true);
  G->SetSelectionResizer(true);
  G->SetSelection(TGridRect{1, 1, 2, 2});
  G->OnSelectionResize = [this](TObject*, TGridRect& O, TGridRect& N) { Log("resize", O.Right, N.Right); };
  G->OnSelectionResized = [this](TObject*, TGridRect& O, TGridRect& N) { Log("resized", O.Bottom, N.Bottom); };
  const TRect H = G->CellRect(2, 2);
  Down(At(H.right - 2, H.bottom - 2));
  EXPECT_TRUE(G->SelectionResizing);
  EXPECT_EQ(G->GetSelection(), (TGridRect{1, 1, 2, 2}));
  Up(At(H.right - 2, H.bottom - 2));
  EXPECT_FALSE(G->SelectionResizing);
  EXPECT_EQ(Events, (std::vector<std::string>{"resize 2,2", "resized 2,2"}));
}

TEST_F(Release, FixedEditOpensOnDoubleClickUnlessTheHandlerForbids) {
  G->GetMouseActions()->FixedRowsEdit = fceDblClick;
  G->SetGridCell(2, 0, "Head");
  TestDoubleClick(Cell(2, 0));
  PumpUntilIdle();
  TGridTransEdit* E = G->GetFixedEdit();
  ASSERT_NE(E, nullptr);
  EXPECT_TRUE(E->GetVisible());
  EXPECT_EQ(E->GetText(), "Head");
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_TRUE(E->GetVisible());
  E->SetText("Name");
  EXPECT_TRUE(E->StopEdit());
  EXPECT_FALSE(E->GetVisible());
  EXPECT_EQ(G->GetGridCell(2, 0), "Name");

  G->OnCanEditCell = [](TObject*, int, int, bool& Flag) { Flag = true; };
  G->StartFixedEdit(3, 0);
  EXPECT_FALSE(E->GetVisible());
}

TEST_F(Release, RefusedValidationKeepsTheFixedEditOpen) {
  G->OnCellValidate = [](TObject*, int, int, AnsiString&, bool& Valid) { Valid = false; };
  G->StartFixedEdit(2, 0);
  TGridTransEdit* E = G->GetFixedEdit();
  ASSERT_NE(E, nullptr);
  E->SetText("x");
  EXPECT_FALSE(E->StopEdit());
  EXPECT_TRUE(E->GetVisible());
  EXPECT_NE(G->GetGridCell(2, 0), "x");
}

TEST_F(Release, DoubleClickAndRightClickReportTheirCells) {
  G->OnDblClickCell = [this](TObject*, int R, int C) { Log("dbl", C, R); };
  G->OnRightClickCell = [this](TObject*, int R, int C) { Log("right", C, R); };
  G->GetMouseActions()->SelectOnRightClick = true;
  G->SetOptions(G->GetOptions() & ~goRangeSelect);
  TestDoubleClick(Cell(2, 2));
  PumpUntilIdle();
  TestClick(Cell(3, 4), TMouseButton::Right);
  PumpUntilIdle();
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetRow(), 4);
  ASSERT_GE(Events.size(), 2u);
  EXPECT_NE(std::find(Events.begin(), Events.end(), "dbl 2,2"), Events.end());
  EXPECT_EQ(Events.back(), "right 3,4");
}

}  // namespace
