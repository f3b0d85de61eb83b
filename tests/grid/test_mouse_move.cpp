// The pointer over the grid: hover repaints of fixed cells, the pointer
// modes and their cursors, sizing events and hint, sizing dropped outside,
// the hand over links and anchors, the arrows of a column move and the
// translucent picture of moved cells.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "grid/arrowwindow.h"
#include "grid/droplist.h"
#include "grid/htmlhint.h"
#include "grid/popupbutton.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"
#include "tests/grid/shown_grid.h"
#include "tests/grid/core_check.h"

namespace {

struct TRepaintLog : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  std::vector<std::pair<int, int>> Repainted;
  void RepaintCell(int ACol, int ARow) override {
    Repainted.emplace_back(ACol, ARow);
    VIduZozezuVodu::RepaintCell(ACol, ARow);
  }
};

class MouseMove : public ::testing::Test {
protected:
  void SetUp() override {
    Form = OpenTestForm(420, 240);
    G = PlaceGrid<TRepaintLog>(Form, 400, 200, 5, 8);
    G->SetDefaultColWidth(64);
    ShowTestForm(Form, G);
  }
  void TearDown() override { CloseTestForm(Form); }
  POINT At(int X, int Y) { return ClientPointToScreen(G->Handle(), X, Y); }
  void Move(int X, int Y) {
    TestMouseMove(At(X, Y));
    PumpUntilIdle();
  }
  // Two moves: the cursor follows the mode the first one found.
  void Hover(int X, int Y) {
    Move(X, Y);
    Move(X + 1, Y);
  }
  TPoint Mid(int ACol, int ARow) {
    TRect R = G->CellRect(ACol, ARow);
    return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2);
  }
  // What the press records for a sizing of the column left of X (the
  // button handlers' part).
  void PressedForSizing(int X, int Y) {
    TGridCoord C = G->MouseCoord(X - 5, Y);
    G->SizingCell.Col = C.X;
    G->SizingCell.Row = C.Y;
    G->SizingCell.Width = G->GetColWidths(C.X);
    G->SizingCell.Height = G->GetRowHeights(C.Y);
    G->SizingGrabOffsetX = X - G->CellRect(C.X, C.Y).right;
  }
  TForm* Form = nullptr;
  TRepaintLog* G = nullptr;
};

TEST_F(MouseMove, HoverRepaintsHeaderCellsOnly) {
  G->SetHoverFixedCells(hfFixedRows);
  G->Repainted.clear();
  TPoint A = Mid(1, 0), B = Mid(2, 0), N = Mid(2, 3);
  Move(A.x, A.y);
  Move(A.x + 2, A.y);  // same cell: nothing
  Move(B.x, B.y);
  Move(N.x, N.y);
  using P = std::pair<int, int>;
  EXPECT_EQ(G->Repainted, (std::vector<P>{{1, 0}, {1, 0}, {2, 0}, {2, 0}}));
  EXPECT_EQ(G->FixedHover().Cell, TPoint(2, 3));
  // Leaving the grid takes the hover away.
  G->Repainted.clear();
  Move(B.x, B.y);
  Move(410, 230);
  EXPECT_EQ(G->FixedHover().Cell, TPoint(-1, -1));
  EXPECT_EQ(G->Repainted.back(), (P{2, 0}));
  CheckHidden(*G);
}

TEST_F(MouseMove, PointerModesAndTheirCursors) {
  G->GetMouseActions()->AllSelect = true;
  G->GetMouseActions()->ColSelect = true;
  G->GetMouseActions()->RowSelect = true;
  struct Case {
    TPoint Where;
    int Zone;
    int Cursor;
  } Cases[] = {
      {Mid(0, 0), 3, 8012},
      {Mid(2, 0), 1, 8011},
      {Mid(0, 4), 2, 8010},
      {Mid(2, 4), 0, IDC_ARROW},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Cursor);
    Hover(K.Where.x, K.Where.y);
    EXPECT_EQ(G->MouseZone, K.Zone);
    EXPECT_EQ(TestCurrentCursorId(), K.Cursor);
  }
  // A header's edge with column sizing is no column-select zone.
  G->SetOptions(G->GetOptions() | goColSizing);
  Hover(G->CellRect(2, 0).right - 1, 5);
  EXPECT_EQ(G->MouseZone, 0);

  // The program's cursor stays until the pointer moves on.
  Hover(Mid(0, 0).x, Mid(0, 0).y);
  ASSERT_EQ(TestCurrentCursorId(), 8012);
  G->SetCursorEx(crCross);
  EXPECT_EQ(G->MouseZone, 0);
  TestMouseMove(At(Mid(0, 0).x + 2, Mid(0, 0).y));
  PumpUntilIdle();
  EXPECT_EQ(TestCurrentCursorId(), IDC_CROSS);
  Hover(Mid(0, 0).x + 3, Mid(0, 0).y);
  EXPECT_EQ(TestCurrentCursorId(), 8012);
}

TEST_F(MouseMove, SizingReportsTheWidthAndShowsItInTheHint) {
  G->SetOptions(G->GetOptions() | goColSizing);
  G->HintShowSizing = true;
  std::vector<std::pair<int, int>> Sizing;
  G->OnColumnSizing = [&](TObject*, int ACol, int W) { Sizing.emplace_back(ACol, W); };
  std::vector<int> Ended;
  G->OnEndColumnSize = [&](TObject*, int ACol) { Ended.push_back(ACol); };
  const int Edge = G->CellRect(2, 0).right;
  ASSERT_EQ(G->GetColWidths(2), 64);
  TestMouseDown(At(Edge, 5));
  PumpUntilIdle();
  ASSERT_EQ(G->GetGridState(), gsColSizing);
  PressedForSizing(Edge, 5);
  Move(Edge + 16, 6);
  ASSERT_FALSE(Sizing.empty());
  EXPECT_EQ(Sizing.back(), (std::pair<int, int>{2, 80}));
  ASSERT_NE(G->GetSizingHintWindow(), nullptr);
  EXPECT_EQ(G->GetSizingHintWindow()->GetText(), "cw=<b>80</b>");
  EXPECT_TRUE(G->ColSizedByMouse);
  TestMouseUp(At(Edge + 16, 6));
  PumpUntilIdle();
  EXPECT_EQ(G->GetColWidths(2), 80);
  EXPECT_EQ(Ended, std::vector<int>{2});
  CheckHidden(*G);
}

TEST_F(MouseMove, SizingReleasedOutsideTheGridIsDropped) {
  G->SetOptions(G->GetOptions() | goColSizing);
  std::vector<int> Ended;
  G->OnEndColumnSize = [&](TObject*, int ACol) { Ended.push_back(ACol); };
  const int Edge = G->CellRect(3, 0).right;
  TestMouseDown(At(Edge, 5));
  PumpUntilIdle();
  PressedForSizing(Edge, 5);
  Move(G->GetWidth() + 10, 6);
  TestMouseUp(At(G->GetWidth() + 10, 6));
  PumpUntilIdle();
  EXPECT_EQ(G->GetGridState(), gsNormal);
  EXPECT_EQ(G->GetColWidths(3), 64);
  // Nothing of it is left to end a later width change.
  G->SetColWidths(1, 70);
  EXPECT_TRUE(Ended.empty());
}

TEST_F(MouseMove, HandOverURLsAndAnchorEvents) {
  G->SetURLShow(true);
  G->SetCells(1, 2, "http://example.com");
  Hover(Mid(1, 2).x, Mid(1, 2).y);
  EXPECT_EQ(G->GetCursor(), crHandPoint);
  EXPECT_EQ(TestCurrentCursorId(), CursorIdOf(Screen->GetCursors(crHandPoint)));
  Hover(Mid(3, 2).x, Mid(3, 2).y);
  EXPECT_EQ(G->GetCursor(), crDefault) << "the previous cursor returns";
  EXPECT_EQ(TestCurrentCursorId(), IDC_ARROW);

  std::vector<std::string> Events;
  G->OnAnchorEnter = [&](TObject*, int ARow, int ACol, const AnsiString& A) {
    Events.push_back("enter " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + A);
  };
  G->OnAnchorExit = [&](TObject*, int, int, const AnsiString& A) { Events.push_back("exit " + A); };
  G->SetColWidths(2, 150);
  G->SetCells(2, 4, "<a href=\"next\">MMMMMMMM</a> plain text here");
  const TRect R = G->CellRect(2, 4);
  Move(R.left + 10, R.top + 8);
  Move(R.left + 14, R.top + 8);  // the same anchor: no second enter
  Move(R.right - 6, R.top + 8);
  EXPECT_EQ(Events, (std::vector<std::string>{"enter 2,4 next", "exit "}));
}

TEST_F(MouseMove, ColumnMoveArrowsOnlyOverVisibleTargets) {
  G->SetColCountEx(12);
  G->SetOptions(G->GetOptions() | goColMoving);
  G->GetDragDropSettings()->ShowCells = false;
  std::vector<int> Moving;
  G->OnColumnMoving = [&](TObject*, int ACol, bool&) { Moving.push_back(ACol); };
  const TPoint P = Mid(2, 0);
  // What the press records.
  G->MoveIndex = 2;
  G->MouseDownPos = P;
  G->ClickOffset = TPoint(P.x - G->CellRect(2, 0).left, P.y);
  TestMouseDown(At(P.x, P.y));
  PumpUntilIdle();
  ASSERT_EQ(G->GetGridState(), gsColMoving);
  Move(Mid(3, 0).x, P.y);
  Move(Mid(4, 0).x, P.y);
  EXPECT_EQ(Moving, (std::vector<int>{3, 4}));
  ASSERT_NE(G->MoveArrows[0], nullptr);
  EXPECT_TRUE(G->MoveArrows[0]->GetVisible());
  EXPECT_TRUE(G->MoveArrows[1]->GetVisible());
  EXPECT_TRUE(G->MoveButton->GetVisible());
  EXPECT_EQ(G->MoveButton->GetCaption(), G->GetCells(2, 0));
  // Column 3 (the target of the last move) right of the moved one: the
  // arrows mark its right edge.
  const TPoint Right = G->ClientToScreen(TPoint(G->CellRect(3, 0).right, 0));
  EXPECT_EQ(G->MoveArrows[0]->GetLeft(), Right.x - 5);
  // The target scrolled away: no arrows.
  G->SetLeftCol(6);
  Move(Mid(8, 0).x, P.y);
  EXPECT_EQ(Moving, (std::vector<int>{3, 4, 8}));
  EXPECT_FALSE(G->MoveArrows[0]->GetVisible());
  EXPECT_FALSE(G->MoveArrows[1]->GetVisible());
  EXPECT_EQ(Screen->GetCursor(), crDrag);
  TestMouseUp(At(Mid(8, 0).x, P.y));
  PumpUntilIdle();
  CheckHidden(*G);
}

TEST_F(MouseMove, DraggingOverTheFixedColumnSelectsWholeRows) {
  G->GetMouseActions()->RowSelect = true;
  std::vector<std::string> Changed;
  G->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) {
    Changed.push_back(std::to_string(L) + "," + std::to_string(T) + "-" + std::to_string(R) + "," +
                      std::to_string(B));
  };
  Hover(Mid(0, 2).x, Mid(0, 2).y);
  ASSERT_EQ(G->MouseZone, 2);
  G->RowSelectAnchor = 2;  // the press on row 2's fixed cell
  Move(Mid(0, 5).x, Mid(0, 5).y);
  const TGridRect S = G->GetSelection();
  EXPECT_EQ(S.Left, 1);
  EXPECT_EQ(S.Right, 4);
  EXPECT_EQ(S.Top, 2);
  EXPECT_EQ(S.Bottom, 5);
  ASSERT_FALSE(Changed.empty());
  EXPECT_EQ(Changed.back(), "1,2-4,5");
  // Upwards past the anchor.
  Move(Mid(0, 1).x, Mid(0, 1).y);
  EXPECT_EQ(G->GetSelection().Top, 1);
  EXPECT_EQ(G->GetSelection().Bottom, 2);
  CheckHidden(*G);
}

TEST_F(MouseMove, ReleaseOnAHeadersFilterButtonOpensItsList) {
  G->OnGetColumnFilter = [](TObject*, int ACol, TStrings* F) {
    if (ACol != 2) return;
    F->Add("Big=>100");
    F->Add("Small");
  };
  struct Case {
    int Col;
    int DX;  // from the cell's right edge
    bool Opens;
  } Cases[] = {{2, -8, true}, {2, -20, false}, {2, -2, false}, {3, -8, false}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(std::to_string(K.Col) + " " + std::to_string(K.DX));
    const TRect R = G->CellRect(K.Col, 0);
    TestClick(At(R.right + K.DX, R.top + 5));
    PumpUntilIdle();
    ASSERT_NE(G->GetDropList(), nullptr);
    EXPECT_EQ(G->GetDropList()->GetVisible(), K.Opens);
    EXPECT_EQ(G->GetDropDownCol(), K.Opens ? 2 : -1);
    if (K.Opens) {
      ASSERT_EQ(G->GetDropList()->GetItems()->GetCount(), 2);
      EXPECT_EQ(G->GetDropList()->GetItems()->Get(0), "Big");
      EXPECT_EQ(G->GetDropList()->GetItemIndex(), 0);
      // A release elsewhere closes it.
      TestClick(At(Mid(2, 4).x, Mid(2, 4).y));
      PumpUntilIdle();
      EXPECT_FALSE(G->GetDropList()->GetVisible());
      EXPECT_EQ(G->GetDropDownCol(), -1);
    }
  }
}

TEST_F(MouseMove, SelectionToFormIsATranslucentPictureOfTheCells) {
  G->SetCells(1, 1, "X");
  TGridRect One;
  One.Left = One.Right = 1;
  One.Top = One.Bottom = 1;
  TCustomForm* F = G->SelectionToForm(One);
  F->Show();
  const TRect R = G->CellRect(1, 1);
  EXPECT_EQ(F->GetWidth(), R.Width() + 1);
  EXPECT_EQ(F->GetHeight(), R.Height() + 1);
  BYTE Alpha = 0;
  DWORD Flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(F->Handle(), nullptr, &Alpha, &Flags));
  EXPECT_EQ(Alpha, 192);
  EXPECT_EQ(Flags, LWA_ALPHA);
  delete F;

  TGridRect Block;
  Block.Left = 0;
  Block.Right = 2;
  Block.Top = 0;
  Block.Bottom = 3;
  F = G->SelectionToForm(Block);
  EXPECT_EQ(F->GetWidth(), G->CellRect(2, 0).right - G->CellRect(0, 0).left + 1);
  EXPECT_EQ(F->GetHeight(), G->CellRect(0, 3).bottom - G->CellRect(0, 0).top + 1);
  delete F;
}

}  // namespace
