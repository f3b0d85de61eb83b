// The grid controls: counts and fixed counts, geometry and scrolling, the
// paint loop, keyboard and mouse navigation, sizing and moving by mouse,
// scroll bars and the inplace editor.
#include <map>
#include <vector>

#include "platform/grids/grids.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

// 10 x 20 cells of 50 x 20 pixels without lines in a 230 x 110 client area:
// fixed column 0-50, columns 1-3 whole, column 4 cut at 230; fixed row 0-20,
// rows 1-4 whole, row 5 cut at 110.
class GridTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Grid = new TStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetGridLineWidth(0);
    Grid->SetDefaultColWidth(50);
    Grid->SetDefaultRowHeight(20);
    Grid->SetColCount(10);
    Grid->SetRowCount(20);
    Grid->SetBounds(0, 0, 230, 110);
    Grid->OnTopLeftChanged = [this](TObject*) { ++TopLeftChanges; };
    ShowForm();
    Grid->SetFocus();
    PumpUntilIdle();
  }
  POINT At(int X, int Y) { return ClientPointToScreen(Grid->Handle(), X, Y); }
  TGridCoord Current() { return {Grid->GetCol(), Grid->GetRow()}; }
  void Key(WORD Vk, unsigned Shift = tsNone) {
    TestKeyPress(Vk, Shift);
    PumpUntilIdle();
  }
  TStringGrid* Grid = nullptr;
  int TopLeftChanges = 0;
};

std::string Str(const TGridRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}
std::string Str(const TRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// ---- Counts, fixed counts and storage ------------------------------------------------------------

TEST_F(GridTest, FixedCountsMustStayBelowTheCountsAndLoweringACountLowersThem) {
  EXPECT_THROW(Grid->SetFixedCols(-1), EListError);
  try {
    Grid->SetFixedCols(10);
    FAIL();
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ("Fixed column count must be less than column count", e.Message);
  }
  try {
    Grid->SetFixedRows(20);
    FAIL();
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ("Fixed row count must be less than row count", e.Message);
  }
  EXPECT_EQ(1, Grid->GetFixedCols());

  Grid->SetFixedRows(3);
  Grid->SetRowCount(3);
  EXPECT_EQ(2, Grid->GetFixedRows());
  EXPECT_EQ(2, Grid->GetRow());  // the current row stays on the last one
  Grid->SetRowCount(0);
  EXPECT_EQ(1, Grid->GetRowCount());
  EXPECT_EQ(0, Grid->GetFixedRows());
}

TEST_F(GridTest, CellsCutOffByALowerCountAreKeptAndComeBack) {
  TObject marker;
  Grid->SetCells(9, 19, "corner");
  Grid->SetObjects(9, 19, &marker);
  Grid->SetColCount(3);
  Grid->SetRowCount(3);
  EXPECT_EQ("corner", Grid->GetCells(9, 19));  // raw access reaches the extent
  EXPECT_EQ(3, Grid->GetRows(2)->GetCount());
  Grid->SetColCount(10);
  Grid->SetRowCount(20);
  EXPECT_EQ("corner", Grid->GetCells(9, 19));
  EXPECT_EQ(&marker, Grid->GetObjects(9, 19));
  EXPECT_THROW(Grid->GetCells(10, 0), EListError);
  EXPECT_THROW(Grid->SetCells(-1, 0, "x"), EListError);
  EXPECT_THROW(Grid->SetCol(10), EListError);
  EXPECT_THROW(Grid->SetRow(-1), EListError);
  Grid->SetObjects(9, 19, nullptr);
}

TEST_F(GridTest, SizeChangesNotifyAndRowViewsCopyCells) {
  struct TProbe : TStringGrid {
    using TStringGrid::TStringGrid;
    void SizeChanged(int C, int R) override { Sizes.push_back({C, R}); }
    void ColWidthsChanged() override {
      ++Widths;
      TStringGrid::ColWidthsChanged();
    }
    std::vector<std::pair<int, int>> Sizes;
    int Widths = 0;
  };
  TProbe* g = new TProbe(Form);
  g->SetParent(Form);
  g->SetRowCount(8);
  g->SetColCount(3);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{5, 5}, {5, 8}}), g->Sizes);
  g->SetColWidths(1, 80);
  EXPECT_EQ(1, g->Widths);
  g->SetCells(0, 1, "a");
  g->SetCells(2, 1, "c");
  g->SetRows(4, g->GetRows(1));
  EXPECT_EQ("a", g->GetCells(0, 4));
  EXPECT_EQ("c", g->GetCells(2, 4));
  g->GetRows(4)->Clear();
  EXPECT_EQ("", g->GetCells(2, 4));

  // Scaling keeps custom sizes custom; a new default resets every size.
  g->ChangeScale(3, 2);
  EXPECT_EQ(96, g->GetDefaultColWidth());
  EXPECT_EQ(120, g->GetColWidths(1));
  EXPECT_EQ(96, g->GetColWidths(2));
  EXPECT_EQ(36, g->GetRowHeights(0));
  g->SetDefaultColWidth(40);
  EXPECT_EQ(40, g->GetColWidths(1));
}

// ---- Geometry and scrolling --------------------------------------------------------------------

TEST_F(GridTest, CellRectAndMouseToCellFollowSizesAndScrolling) {
  Grid->SetColWidths(2, 0);  // hidden
  struct TCase {
    int Col, Row;
    const char* Rect;
  };
  const TCase rects[] = {
      {0, 0, "0,0-50,20"},     {1, 1, "50,20-100,40"}, {2, 1, "0,0-0,0"},      // hidden column
      {3, 1, "100,20-150,40"}, {5, 5, "200,100-230,110"},                       // cut by the client area
      {9, 1, "0,0-0,0"},       {1, 19, "0,0-0,0"},     {10, 1, "0,0-0,0"},     // out of view, out of range
  };
  for (const TCase& t : rects) EXPECT_EQ(t.Rect, Str(Grid->CellRect(t.Col, t.Row))) << t.Col << "," << t.Row;

  struct TPointCase {
    int X, Y, Col, Row;
  };
  const TPointCase points[] = {{0, 0, 0, 0},   {49, 19, 0, 0},    {50, 20, 1, 1},  {100, 39, 3, 1},
                               {229, 109, 5, 5}, {230, 50, -1, -1}, {-1, 5, -1, -1}};
  for (const TPointCase& t : points) {
    int c, r;
    Grid->MouseToCell(t.X, t.Y, c, r);
    EXPECT_EQ(t.Col, c) << t.X << "," << t.Y;
    EXPECT_EQ(t.Row, r) << t.X << "," << t.Y;
  }

  // Scrolled: the fixed cells stay, the first scrollable ones follow them.
  Grid->SetTopRow(10);
  EXPECT_EQ("0,20-50,40", Str(Grid->CellRect(0, 10)));
  EXPECT_EQ("0,0-0,0", Str(Grid->CellRect(1, 9)));
  int c, r;
  Grid->MouseToCell(60, 45, c, r);
  EXPECT_EQ(11, r);

  // With lines every cell takes its size plus the line.
  Grid->SetColWidths(2, 50);
  Grid->SetGridLineWidth(1);
  EXPECT_EQ("51,21-101,41", Str(Grid->CellRect(1, 10)));  // below the fixed row and its line
  Grid->MouseToCell(101, 0, c, r);  // the line after column 1 belongs to it
  EXPECT_EQ(1, c);
}

TEST_F(GridTest, VisibleCountsCountWholeCellsOnly) {
  EXPECT_EQ(3, Grid->GetVisibleColCount());
  EXPECT_EQ(4, Grid->GetVisibleRowCount());
  Grid->SetHeight(120);  // row 5 now ends exactly at the edge
  EXPECT_EQ(5, Grid->GetVisibleRowCount());
  Grid->SetRowHeights(1, 200);  // taller than the client area
  EXPECT_EQ(0, Grid->GetVisibleRowCount());
}

// The searches start at the top row and look a screen away only; checked
// against sums over every row on uneven heights with hidden (0) rows and
// rows taller than the client area.
TEST_F(GridTest, GeometryOnUnevenRowsMatchesSumsOverTheRows) {
  const int N = 300, Lw = 1, Ext = 110;
  Grid->SetOptions(Grid->GetOptions() | goFixedHorzLine | goHorzLine | goFixedVertLine | goVertLine);
  Grid->SetGridLineWidth(Lw);
  Grid->SetRowCount(N);
  std::vector<int> H(N, 20);
  const int Sizes[] = {0, 3, 7, 15, 20, 33, 0, 0, 140};
  for (int r = 1; r < N; ++r) {
    H[r] = Sizes[(r * 7 + r / 5) % 9];
    Grid->SetRowHeights(r, H[r]);
  }
  const int FixedExt = H[0] + Lw;
  auto Pos = [&](int Top, int R) {
    int p = FixedExt;
    for (int k = Top; k < R; ++k) p += H[k] + Lw;
    return p;
  };
  // The last top row: the smallest one that still shows the last row whole.
  int MaxTop = N - 1;
  while (MaxTop > 1 && Pos(MaxTop - 1, N - 1) + H[N - 1] <= Ext) --MaxTop;
  Grid->SetTopRow(N);
  EXPECT_EQ(MaxTop, Grid->GetTopRow());
  for (int Top : {1, 2, 3, 57, 150, 151, MaxTop - 1, MaxTop}) {
    SCOPED_TRACE(Top);
    Grid->SetTopRow(Top);
    ASSERT_EQ(Top, Grid->GetTopRow());
    int Visible = 0;
    while (Top + Visible < N && Pos(Top, Top + Visible) + H[Top + Visible] <= Ext) ++Visible;
    EXPECT_EQ(Visible, Grid->GetVisibleRowCount());
    for (int Y = 0; Y < Ext; ++Y) {
      // The last row starting at or above Y, if Y falls in it or its line.
      int Row = -1;
      if (Y < FixedExt) Row = 0;
      else
        for (int R = Top; R < N && Pos(Top, R) <= Y; ++R) Row = R;
      if (Row > 0 && Y >= Pos(Top, Row) + H[Row] + Lw) Row = -1;
      int C, R;
      Grid->MouseToCell(60, Y, C, R);
      EXPECT_EQ(Row, R) << "y " << Y;
    }
  }
  // A current row below the view becomes the last whole one shown (or the
  // top one when it does not fit).
  Grid->SetTopRow(1);
  for (int Target : {40, 41, 200, N - 1}) {
    SCOPED_TRACE(Target);
    Grid->SetTopRow(1);
    Grid->SetRow(Target);
    int Top = Target;
    while (Top > 1 && Pos(Top - 1, Target) + H[Target] <= Ext) --Top;
    EXPECT_EQ(Top, Grid->GetTopRow());
  }
}

TEST_F(GridTest, TopRowAndLeftColAreClampedAndReportChanges) {
  struct TCase {
    int Top, Expected, Changes;
  };
  // 19 scrollable rows, 4 whole ones fit: the last top row is 16 (16..19).
  const TCase cases[] = {{5, 5, 1}, {5, 5, 1}, {0, 1, 2}, {100, 16, 3}, {16, 16, 3}};
  for (const TCase& t : cases) {
    Grid->SetTopRow(t.Top);
    EXPECT_EQ(t.Expected, Grid->GetTopRow()) << t.Top;
    EXPECT_EQ(t.Changes, TopLeftChanges) << t.Top;
  }
  Grid->SetLeftCol(9);
  EXPECT_EQ(7, Grid->GetLeftCol());  // 7, 8, 9 fit
  // Growing the client area pulls the top row back.
  Grid->SetHeight(300);  // 14 rows fit
  EXPECT_EQ(6, Grid->GetTopRow());
  Grid->SetHeight(500);
  EXPECT_EQ(1, Grid->GetTopRow());
}

TEST_F(GridTest, MovingTheCurrentCellScrollsItIntoView) {
  Grid->SetRow(10);
  EXPECT_EQ(7, Grid->GetTopRow());  // 10 is the last whole row
  Grid->SetRow(3);
  EXPECT_EQ(3, Grid->GetTopRow());
  Grid->SetCol(9);
  EXPECT_EQ(7, Grid->GetLeftCol());
}

// ---- Painting ------------------------------------------------------------------------------------

TEST_F(GridTest, PaintCallsDrawCellOncePerVisibleCellWithItsState) {
  Grid->SetDefaultDrawing(false);
  Grid->SetSelection(TGridRect{2, 2, 3, 3});
  Grid->SetColWidths(2, 0);
  Grid->SetTopRow(2);
  std::map<std::pair<int, int>, TGridDrawState> seen;
  int calls = 0;
  auto st = [&](int c, int r) { return seen[std::make_pair(c, r)]; };
  Grid->OnDrawCell = [&](TObject*, int c, int r, const TRect& rect, TGridDrawState s) {
    ++calls;
    seen[std::make_pair(c, r)] = s;
    EXPECT_EQ(Str(Grid->CellRect(c, r)), Str(rect));
  };
  Grid->Invalidate();
  PumpUntilIdle();
  // Columns 0, 1, 3, 4, 5 (2 is hidden) x rows 0, 2..6.
  EXPECT_EQ(5 * 6, calls);
  EXPECT_EQ(30u, seen.size());
  EXPECT_EQ(0u, seen.count(std::make_pair(2, 2)));
  EXPECT_EQ(0u, seen.count(std::make_pair(1, 1)));
  EXPECT_EQ(gdFixed, st(0, 0));
  EXPECT_EQ(gdFixed, st(3, 0));
  EXPECT_EQ(gdFixed, st(0, 3));
  EXPECT_EQ(0u, st(1, 2));
  EXPECT_EQ(gdSelected, st(3, 3));
  EXPECT_EQ(gdSelected, st(3, 2));

  // The focused cell is drawn focused but not selected unless asked for.
  Grid->SetColWidths(2, 50);
  seen.clear();
  Grid->Invalidate();
  PumpUntilIdle();
  EXPECT_EQ(gdFocused, st(2, 2));
  EXPECT_EQ(gdSelected, st(2, 3));
  Grid->SetOptions(Grid->GetOptions() | goDrawFocusSelected);
  PumpUntilIdle();
  EXPECT_EQ(gdFocused | gdSelected, st(2, 2));

  // Without the focus nothing is focused.
  Form->SetActiveControl(nullptr);
  ::SetFocus(Form->Handle());
  PumpUntilIdle();
  seen.clear();
  Grid->Invalidate();
  PumpUntilIdle();
  EXPECT_EQ(gdSelected, st(2, 2));
}

// ---- Keyboard ------------------------------------------------------------------------------------

TEST_F(GridTest, NavigationKeysMoveTheCurrentCellAndTheSelection) {
  struct TCase {
    const char* Name;
    TGridOptions Options;
    TGridCoord Start;
    WORD Key;
    unsigned Shift;
    TGridCoord Expected;
    const char* Selection;
  };
  const TGridOptions base = DefaultGridOptions;
  const TCase cases[] = {
      {"down", base, {1, 1}, VK_DOWN, tsNone, {1, 2}, "1,2-1,2"},
      {"up stops at the fixed row", base, {1, 1}, VK_UP, tsNone, {1, 1}, "1,1-1,1"},
      {"right", base, {2, 3}, VK_RIGHT, tsNone, {3, 3}, "3,3-3,3"},
      {"left stops at the fixed col", base, {1, 3}, VK_LEFT, tsNone, {1, 3}, "1,3-1,3"},
      {"page down by whole rows", base, {1, 1}, VK_NEXT, tsNone, {1, 5}, "1,5-1,5"},
      {"page up", base, {1, 10}, VK_PRIOR, tsNone, {1, 6}, "1,6-1,6"},
      {"home", base, {5, 5}, VK_HOME, tsNone, {1, 5}, "1,5-1,5"},
      {"end", base, {2, 5}, VK_END, tsNone, {9, 5}, "9,5-9,5"},
      {"ctrl+home", base, {5, 5}, VK_HOME, tsCtrl, {1, 1}, "1,1-1,1"},
      {"ctrl+end", base, {2, 5}, VK_END, tsCtrl, {9, 19}, "9,19-9,19"},
      {"shift extends with range select", base, {2, 2}, VK_DOWN, tsShift, {2, 3}, "2,2-2,3"},
      {"shift+left extends backwards", base, {2, 2}, VK_LEFT, tsShift, {1, 2}, "1,2-2,2"},
      {"shift without range select moves", base & ~goRangeSelect, {2, 2}, VK_DOWN, tsShift, {2, 3}, "2,3-2,3"},
      {"row select selects whole rows", base | goRowSelect, {1, 2}, VK_DOWN, tsNone, {1, 3}, "1,3-9,3"},
      {"row select: right scrolls only", base | goRowSelect, {1, 2}, VK_RIGHT, tsNone, {1, 2}, "1,2-9,2"},
      {"row select: shift extends rows", base | goRowSelect, {1, 2}, VK_DOWN, tsShift, {1, 3}, "1,2-9,3"},
      {"tab with goTabs", base | goTabs, {2, 2}, VK_TAB, tsNone, {3, 2}, "3,2-3,2"},
      {"tab wraps to the next row", base | goTabs, {9, 2}, VK_TAB, tsNone, {1, 3}, "1,3-1,3"},
      {"shift+tab wraps back", base | goTabs, {1, 3}, VK_TAB, tsShift, {9, 2}, "9,2-9,2"},
      {"tab stops at the last cell", base | goTabs, {9, 19}, VK_TAB, tsNone, {9, 19}, "9,19-9,19"},
      {"tab without goTabs leaves the cell", base, {2, 2}, VK_TAB, tsNone, {2, 2}, "2,2-2,2"},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    Grid->SetOptions(t.Options);
    Grid->SetSelection(TGridRect{t.Start.X, t.Start.Y, t.Start.X, t.Start.Y});
    Grid->SetFocus();
    PumpUntilIdle();
    Key(t.Key, t.Shift);
    EXPECT_EQ(t.Expected.X, Grid->GetCol());
    EXPECT_EQ(t.Expected.Y, Grid->GetRow());
    EXPECT_EQ(t.Selection, Str(Grid->GetSelection()));
  }
}

TEST_F(GridTest, SelectCellVetoKeepsTheCurrentCellForKeysMouseAndSetters) {
  std::vector<std::pair<int, int>> asked;
  Grid->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
    asked.push_back({c, r});
    can = c != 3;
  };
  Grid->SetCol(2);
  Key(VK_RIGHT);
  EXPECT_EQ(2, Grid->GetCol());
  Grid->SetCol(3);
  EXPECT_EQ(2, Grid->GetCol());
  TestClick(At(125, 30));
  PumpUntilIdle();
  EXPECT_EQ((TGridCoord{2, 1}), Current());
  TestClick(At(175, 30));  // column 3: refused
  PumpUntilIdle();
  EXPECT_EQ((TGridCoord{2, 1}), Current());
  TestClick(At(210, 30));
  PumpUntilIdle();
  EXPECT_EQ((TGridCoord{4, 1}), Current());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{2, 1}, {3, 1}, {3, 1}, {2, 1}, {3, 1}, {4, 1}}), asked);
}

TEST_F(GridTest, WheelMovesTheCurrentRow) {
  TestWheel(At(60, 30), -1);
  PumpUntilIdle();
  EXPECT_EQ(2, Grid->GetRow());
  TestWheel(At(60, 30), 1);
  TestWheel(At(60, 30), 1);
  PumpUntilIdle();
  EXPECT_EQ(1, Grid->GetRow());
}

// ---- Scroll bars -----------------------------------------------------------------------------------

TEST_F(GridTest, ScrollBarsUseRange0To127AndFollowSbCodes) {
  Grid->SetScrollBars(ssBoth);
  Grid->SetBounds(0, 0, 300, 200);
  PumpUntilIdle();
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Grid->Handle(), SB_VERT, &si));
  EXPECT_EQ(0, si.nMin);
  EXPECT_EQ(127, si.nMax);
  EXPECT_EQ(0, si.nPos);
  const int maxTop = [&] {
    Grid->SetTopRow(1000);
    int m = Grid->GetTopRow();
    Grid->SetTopRow(1);
    return m;
  }();
  const int page = Grid->GetVisibleRowCount();
  auto vscroll = [&](WORD code, int pos = 0) {
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
    return Grid->GetTopRow();
  };
  EXPECT_EQ(2, vscroll(SB_LINEDOWN));
  EXPECT_EQ(1, vscroll(SB_LINEUP));
  EXPECT_EQ(1, vscroll(SB_LINEUP));
  EXPECT_EQ(1 + page, vscroll(SB_PAGEDOWN));
  EXPECT_EQ(1, vscroll(SB_PAGEUP));
  EXPECT_EQ(maxTop, vscroll(SB_BOTTOM));
  si.fMask = SIF_POS;
  GetScrollInfo(Grid->Handle(), SB_VERT, &si);
  EXPECT_EQ(127, si.nPos);
  EXPECT_EQ(1, vscroll(SB_TOP));
  EXPECT_EQ(1, vscroll(SB_THUMBTRACK, 127));  // no thumb tracking
  EXPECT_EQ(maxTop, vscroll(SB_THUMBPOSITION, 127));
  EXPECT_EQ(1 + 64 * (maxTop - 1) / 127, vscroll(SB_THUMBPOSITION, 64));  // proportional
  Grid->SetOptions(Grid->GetOptions() | goThumbTracking);
  EXPECT_EQ(1, vscroll(SB_THUMBTRACK, 0));
  EXPECT_EQ(maxTop, vscroll(SB_THUMBTRACK, 127));

  // Horizontal likewise; a bar goes away when everything fits.
  Grid->Perform(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
  EXPECT_EQ(2, Grid->GetLeftCol());
  Grid->SetColCount(3);
  PumpUntilIdle();
  EXPECT_EQ(1, Grid->GetLeftCol());
  si.fMask = SIF_RANGE;
  GetScrollInfo(Grid->Handle(), SB_HORZ, &si);
  EXPECT_EQ(0, si.nMax);
}

// No flat bars here: a descendant keeps the standard bars at the system width.
TEST_F(GridTest, ScrollBarsAreTheStandardOnesAtTheSystemWidth) {
  EXPECT_FALSE(TCustomGrid::FlatScrollBarsAvailable());
  Grid->SetScrollBars(ssBoth);
  PumpUntilIdle();
  RECT rc;
  GetClientRect(Grid->Handle(), &rc);
  EXPECT_EQ(230 - GetSystemMetrics(SM_CXVSCROLL), rc.right);
  EXPECT_EQ(110 - GetSystemMetrics(SM_CYHSCROLL), rc.bottom);
}

// ---- Mouse -----------------------------------------------------------------------------------------

TEST_F(GridTest, DraggingSelectsARangeAndShiftClickExtendsIt) {
  TestMouseDown(At(60, 30));
  TestMouseMove(At(160, 70));
  TestMouseUp(At(160, 70));
  PumpUntilIdle();
  EXPECT_EQ("1,1-3,3", Str(Grid->GetSelection()));
  EXPECT_EQ((TGridCoord{3, 3}), Current());
  EXPECT_EQ(gsNormal, Grid->GetGridState());
  TestClick(At(110, 90), TMouseButton::Left, tsShift);
  PumpUntilIdle();
  EXPECT_EQ("1,1-2,4", Str(Grid->GetSelection()));
  TestClick(At(110, 30));
  PumpUntilIdle();
  EXPECT_EQ("2,1-2,1", Str(Grid->GetSelection()));
  // A click on a fixed cell leaves the current cell alone.
  TestClick(At(10, 50));
  PumpUntilIdle();
  EXPECT_EQ((TGridCoord{2, 1}), Current());
}

TEST_F(GridTest, DraggingPastTheEdgeScrollsOnTheTimer) {
  TestMouseDown(At(60, 30));
  TestMouseMove(At(60, 150));
  AdvanceTestClock(300);
  TestMouseUp(At(60, 150));
  PumpUntilIdle();
  EXPECT_GT(Grid->GetTopRow(), 1);
  EXPECT_EQ(Grid->GetTopRow() + Grid->GetVisibleRowCount() - 1, Grid->GetRow());
  EXPECT_EQ(1, Grid->GetSelection().Top);
  // The timer is off after the release.
  int top = Grid->GetTopRow();
  AdvanceTestClock(300);
  EXPECT_EQ(top, Grid->GetTopRow());
}

TEST_F(GridTest, ColumnAndRowBordersAreDraggedToNewSizes) {
  struct TCase {
    const char* Name;
    TGridOptions Option;
    POINT From, To;
    int Col, Width, Row, Height;
  };
  const TCase cases[] = {
      {"column border in the fixed row", goColSizing, {100, 10}, {130, 12}, 1, 80, -1, 0},
      {"grab a little left of the border", goColSizing, {48, 5}, {28, 5}, 0, 30, -1, 0},
      {"row border in the fixed column", goRowSizing, {20, 41}, {20, 60}, -1, 0, 1, 39},
      {"not below nothing", goColSizing, {100, 10}, {10, 10}, 1, 0, -1, 0},
      {"no sizing without the option", 0, {100, 10}, {130, 10}, 1, 50, -1, 0},
      {"no sizing in the scrollable rows", goColSizing, {100, 30}, {130, 30}, 1, 50, -1, 0},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    Grid->SetOptions(DefaultGridOptions | t.Option);
    for (int i = 0; i < 3; ++i) {
      Grid->SetColWidths(i, 50);
      Grid->SetRowHeights(i, 20);
    }
    TestMouseDown(At(t.From.x, t.From.y));
    PumpUntilIdle();
    if (t.Option && t.Name[0] != 'n') {
      EXPECT_EQ(t.Col >= 0 ? gsColSizing : gsRowSizing, Grid->GetGridState());
    }
    TestMouseMove(At(t.To.x, t.To.y));
    TestMouseUp(At(t.To.x, t.To.y));
    PumpUntilIdle();
    EXPECT_EQ(gsNormal, Grid->GetGridState());
    if (t.Col >= 0) {
      EXPECT_EQ(t.Width, Grid->GetColWidths(t.Col));
    }
    if (t.Row >= 0) {
      EXPECT_EQ(t.Height, Grid->GetRowHeights(t.Row));
    }
  }
}

// The line is XOR-drawn onto the window while the border moves: drawing it
// again removes it, and a repaint in between keeps it in step.
TEST_F(GridTest, SizingLineIsXorDrawnOntoTheWindow) {
  auto pixel = [&](int X, int Y) {
    HDC dc = GetDC(Grid->Handle());
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Grid->Handle(), dc);
    return c;
  };
  const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
  struct TCase {
    const char* Name;
    TGridOptions Option;
    POINT From, To;  // grab point and drop point
    POINT Old, New;  // a pixel on the old line and on the new one
  };
  const TCase cases[] = {
      {"column", goColSizing, {100, 10}, {130, 10}, {100, 70}, {130, 70}},
      {"row", goRowSizing, {20, 60}, {20, 85}, {120, 60}, {120, 85}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    Grid->SetOptions(DefaultGridOptions | t.Option);
    Grid->SetColWidths(1, 50);
    Grid->SetRowHeights(2, 20);
    PumpUntilIdle();
    ASSERT_EQ(white, pixel(t.Old.x, t.Old.y));
    ASSERT_EQ(white, pixel(t.New.x, t.New.y));
    TestMouseDown(At(t.From.x, t.From.y));
    EXPECT_EQ(black, pixel(t.Old.x, t.Old.y));
    TestMouseMove(At(t.To.x, t.To.y));
    EXPECT_EQ(white, pixel(t.Old.x, t.Old.y));
    EXPECT_EQ(black, pixel(t.New.x, t.New.y));
    Grid->Invalidate();
    PumpUntilIdle();
    EXPECT_EQ(black, pixel(t.New.x, t.New.y));
    EXPECT_EQ(white, pixel(t.Old.x, t.Old.y));
    TestMouseUp(At(t.To.x, t.To.y));
    EXPECT_EQ(white, pixel(t.New.x, t.New.y));
    PumpUntilIdle();
    EXPECT_EQ(white, pixel(t.New.x, t.New.y));
  }
  // A descendant ending the drag through GridState takes the line away too.
  Grid->SetOptions(DefaultGridOptions | goColSizing);
  TestMouseDown(At(100, 10));
  EXPECT_EQ(black, pixel(100, 70));
  Grid->SetGridState(gsNormal);
  EXPECT_EQ(white, pixel(100, 70));
  TestMouseUp(At(100, 10));
}

TEST_F(GridTest, FixedCellsAreDraggedToMoveColumnsAndRows) {
  std::vector<std::pair<int, int>> moved;
  Grid->OnColumnMoved = [&](TObject*, int f, int t) { moved.push_back({f, t}); };
  Grid->OnRowMoved = [&](TObject*, int f, int t) { moved.push_back({-f, -t}); };
  Grid->SetOptions(DefaultGridOptions | goColMoving | goRowMoving);
  TObject tag;
  Grid->SetCells(1, 0, "A");
  Grid->SetCells(1, 5, "a5");
  Grid->SetObjects(1, 5, &tag);
  Grid->SetColWidths(1, 60);
  Grid->SetCol(1);
  // Column 1 (60 wide now) dropped on column 3.
  TestMouseDown(At(70, 10));
  PumpUntilIdle();
  EXPECT_EQ(gsColMoving, Grid->GetGridState());
  TestMouseMove(At(170, 10));
  TestMouseUp(At(170, 10));
  PumpUntilIdle();
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 3}}), moved);
  EXPECT_EQ("A", Grid->GetCells(3, 0));
  EXPECT_EQ("a5", Grid->GetCells(3, 5));
  EXPECT_EQ(&tag, Grid->GetObjects(3, 5));
  EXPECT_EQ(60, Grid->GetColWidths(3));
  EXPECT_EQ(50, Grid->GetColWidths(1));
  EXPECT_EQ(3, Grid->GetCol());  // the current cell moves with its column

  // Row 5 dropped on row 2.
  TestMouseDown(At(10, 110 - 5));
  TestMouseMove(At(10, 45));
  TestMouseUp(At(10, 45));
  PumpUntilIdle();
  EXPECT_EQ(-5, moved.back().first);
  EXPECT_EQ(-2, moved.back().second);
  EXPECT_EQ("a5", Grid->GetCells(3, 2));
  Grid->SetObjects(3, 2, nullptr);
}

TEST_F(GridTest, ADescendantMovingWidthsItselfTurnsTheBaseMoveOff) {
  struct TOwnWidths : TStringGrid {
    explicit TOwnWidths(TComponent* O) : TStringGrid(O) { SetMoveSizesWithCells(false); }
    void ColumnMoved(int F, int T) override {
      int w = GetColWidths(F);
      SetColWidths(F, GetColWidths(T));
      SetColWidths(T, w);
    }
  };
  TOwnWidths* g = new TOwnWidths(Form);
  g->SetParent(Form);
  g->SetColWidths(1, 70);
  g->MoveColumn(1, 2);
  EXPECT_EQ(70, g->GetColWidths(2));  // moved once, not twice
  EXPECT_EQ(64, g->GetColWidths(1));
  Grid->SetColWidths(1, 70);
  Grid->MoveColumn(1, 2);
  EXPECT_EQ(70, Grid->GetColWidths(2));
  EXPECT_THROW(Grid->MoveColumn(1, 10), EListError);
}

// ---- Inplace editor -----------------------------------------------------------------------------

class GridEditTest : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    Grid->SetOptions(DefaultGridOptions | goEditing);
    Grid->OnSetEditText = [this](TObject*, int c, int r, const AnsiString& v) {
      Stored.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
    };
    Grid->SetCells(1, 1, "old");
  }
  bool EditorShown() { return Grid->InplaceEditor() && Grid->InplaceEditor()->Visible(); }
  std::vector<std::string> Stored;
};

TEST_F(GridEditTest, TypingOpensTheEditorAndEnterStoresTheText) {
  TestTypeText("Нов");
  PumpUntilIdle();
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ("Нов", Grid->InplaceEditor()->GetText());  // the typed text replaced the old one
  EXPECT_EQ(Str(Grid->CellRect(1, 1)), Str(Grid->InplaceEditor()->GetBoundsRect()));
  EXPECT_TRUE(Stored.empty());
  Key(VK_RETURN);
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_TRUE(Grid->Focused());
  EXPECT_EQ("Нов", Grid->GetCells(1, 1));
  EXPECT_EQ((std::vector<std::string>{"1,1=Нов"}), Stored);
}

TEST_F(GridEditTest, EscapeClosesWithoutStoring) {
  Key(VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ("old", Grid->InplaceEditor()->GetText());
  TestTypeText("x");
  Key(VK_ESCAPE);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ("old", Grid->GetCells(1, 1));
  EXPECT_TRUE(Stored.empty());
  EXPECT_TRUE(Grid->Focused());
}

TEST_F(GridEditTest, LeavingTheCellOrScrollingStoresAndHides) {
  struct TCase {
    const char* Name;
    std::function<void()> Leave;
    const char* Stored;
  };
  const TCase cases[] = {
      {"down arrow from the editor", [this] { Key(VK_DOWN); }, "1,1=ab"},
      {"Col setter", [this] { Grid->SetCol(2); }, "1,1=ab"},
      {"scrolling", [this] { Grid->SetTopRow(5); }, "1,1=ab"},
      {"HideEditor", [this] { Grid->HideEditor(); }, "1,1=ab"},
      {"right arrow at the end of the text", [this] { Key(VK_RIGHT); }, "1,1=ab"},
      {"left arrow inside the text stays", [this] { Key(VK_LEFT); }, ""},
      {"F2 in the editor leaves it open", [this] { Key(VK_F2); }, ""},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    Grid->SetTopRow(1);
    Grid->SetSelection(TGridRect{1, 1, 1, 1});
    Grid->SetFocus();
    Stored.clear();
    Grid->ShowEditor();
    PumpUntilIdle();
    ASSERT_TRUE(EditorShown());
    TestTypeText("ab");
    PumpUntilIdle();
    t.Leave();
    PumpUntilIdle();
    if (*t.Stored) {
      EXPECT_FALSE(Grid->GetEditorMode());
      EXPECT_EQ((std::vector<std::string>{t.Stored}), Stored);
    } else {
      EXPECT_TRUE(Grid->GetEditorMode());
      EXPECT_TRUE(Stored.empty());
      Grid->HideEditor();
    }
  }
}

TEST_F(GridEditTest, AlwaysShowEditorReopensOnTheNewCell) {
  Grid->SetOptions(Grid->GetOptions() | goAlwaysShowEditor);
  PumpUntilIdle();
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ("old", Grid->InplaceEditor()->GetText());
  Grid->SetCells(1, 2, "next");
  Key(VK_DOWN);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ("next", Grid->InplaceEditor()->GetText());
  EXPECT_EQ(Str(Grid->CellRect(1, 2)), Str(Grid->InplaceEditor()->GetBoundsRect()));
  EXPECT_EQ((std::vector<std::string>{"1,1=old"}), Stored);
}

TEST_F(GridEditTest, EditorNeedsGoEditingAndAScrollableCellAndFollowsTheLimit) {
  struct TLimited : TStringGrid {
    using TStringGrid::TStringGrid;
    int GetEditLimit() override { return 3; }
  };
  Grid->SetOptions(DefaultGridOptions);
  Grid->ShowEditor();
  EXPECT_FALSE(Grid->GetEditorMode());
  Grid->SetOptions(DefaultGridOptions | goEditing | goRowSelect);
  Grid->ShowEditor();
  EXPECT_FALSE(Grid->GetEditorMode());

  TLimited* g = new TLimited(Form);
  g->SetParent(Form);
  g->SetBounds(0, 150, 300, 100);
  g->SetOptions(DefaultGridOptions | goEditing);
  g->SetFocus();
  PumpUntilIdle();
  TestTypeText("abcdef");
  PumpUntilIdle();
  ASSERT_TRUE(g->GetEditorMode());
  EXPECT_EQ("abc", g->InplaceEditor()->GetText());
  // Clicking another control keeps what was typed in the cell.
  TEdit* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(310, 10, 50, 20);
  other->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ("abc", g->GetCells(1, 1));
}

}  // namespace
