// Scroll bars of the grid: proportional thumbs, thumb hints, scrolling with
// the thumb, the flat-bar position correction, bars kept visible, zoom and
// scrolling a cell into view.
#include "scroll_fixture.h"

#include <cmath>

#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls_scrollbar.h"

namespace {

struct TThumbCase {
  const char* Name;
  int NormalWidth;  // every normal column
  int LineWidth;
  int LeftCol;
  int Max, Page, Pos;  // expected; Max -1: the bar is left as it was
};

}  // namespace

TEST_F(ScrollGrid, ProportionalHorizontalThumbsFollowTheHiddenShareOfTheColumns) {
  const TThumbCase Cases[] = {
      {"29 columns of 64 at the start", 64, 1, 1, 165, 39, 0},
      {"29 columns of 64 scrolled by 10", 64, 1, 11, 165, 39, 60},
      {"29 columns of 20", 20, 1, 1, 442, 316, 1},
      {"columns that fit", 10, 1, 1, -1, 0, 0},
      {"no normal pixels", 0, 0, 1, -1, 0, 0},
  };
  G->SetScrollProportional(true);
  for (const TThumbCase& T : Cases) {
    SCOPED_TRACE(T.Name);
    G->SetScrollProportional(false);
    G->SetGridLineWidth(T.LineWidth);
    for (int c = 1; c < G->GetColCount(); ++c) G->SetColWidths(c, T.NormalWidth);
    G->SetLeftCol(T.LeftCol);
    const SCROLLINFO Before = Bar(SB_HORZ);
    G->SetScrollProportional(true);
    G->UpdateHScroller();
    const SCROLLINFO After = Bar(SB_HORZ);
    if (T.Max < 0) {
      EXPECT_EQ(Before.nMax, After.nMax);
      EXPECT_EQ(Before.nPage, After.nPage);
      EXPECT_FALSE(BarShown(SB_HORZ));  // nothing to scroll: no bar
      continue;
    }
    EXPECT_EQ(T.Max, After.nMax);
    EXPECT_EQ(static_cast<UINT>(T.Page), After.nPage);
    EXPECT_EQ(T.Pos, After.nPos);
    EXPECT_TRUE(BarShown(SB_HORZ));
  }
}

TEST_F(ScrollGrid, ProportionalVerticalThumbKeepsItsPageWhileScrolling) {
  for (int r = 1; r < G->GetRowCount(); ++r) G->SetRowHeights(r, 32);
  G->SetScrollProportional(true);
  G->UpdateVScroller();
  SCROLLINFO S = Bar(SB_VERT);
  EXPECT_EQ(138, S.nMax);
  EXPECT_EQ(12u, S.nPage);
  EXPECT_EQ(0, S.nPos);
  // The platform's scrolling moves the thumb over the same 128 positions.
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  S = Bar(SB_VERT);
  EXPECT_EQ(138, S.nMax);
  EXPECT_EQ(12u, S.nPage);
  EXPECT_GT(S.nPos, 0);
  G->SetTopRow(50);
  G->UpdateVScroller();
  EXPECT_EQ(69, Bar(SB_VERT).nPos);
  // Switched off, the thumb is the plain one again.
  G->SetScrollProportional(false);
  EXPECT_EQ(127, Bar(SB_VERT).nMax);
  EXPECT_EQ(0u, Bar(SB_VERT).nPage);
}

TEST_F(ScrollGrid, BarsKeptVisibleStayWhenEverythingFits) {
  G->SetColCountEx(3);
  G->SetRowCountEx(3);
  PumpUntilIdle();
  EXPECT_FALSE(BarShown(SB_VERT));
  EXPECT_FALSE(BarShown(SB_HORZ));
  G->SetScrollBarAlways(saVert);
  EXPECT_TRUE(BarShown(SB_VERT));
  EXPECT_FALSE(BarShown(SB_HORZ));
  // Its arrows do nothing.
  RECT wr;
  GetWindowRect(G->Handle(), &wr);
  int Steps = 0;
  G->SetWindowProc([&Steps, old = G->GetWindowProc()](TMessage& M) {
    if (M.Msg == WM_VSCROLL) ++Steps;
    old(M);
  });
  TestClick(POINT{wr.right - 10, wr.bottom - 8});
  EXPECT_EQ(0, Steps);
  // Rows that no longer fit scroll as usual with the bar.
  G->SetRowCountEx(100);
  EXPECT_TRUE(BarShown(SB_VERT));
  TestClick(POINT{wr.right - 10, wr.bottom - 8});
  EXPECT_GT(Steps, 0);
  EXPECT_EQ(2, G->GetTopRow());
  G->SetScrollBarAlways(saBoth);
  EXPECT_TRUE(BarShown(SB_HORZ));
  G->SetScrollBarAlways(saNone);
  EXPECT_FALSE(BarShown(SB_HORZ));
}

TEST_F(ScrollGrid, DraggedThumbShowsTheRowHintAndScrollsWithScrollSynch) {
  G->SetScrollHints(shVertical);
  std::vector<int> Asked;
  G->OnScrollHint = [&](TObject*, int ARow, AnsiString& Hint) {
    Asked.push_back(ARow);
    if (ARow > 50) Hint += " (lower half)";
  };
  const int N = MulDiv(64, G->GetRowCount() - G->GetVisibleRowCount() - G->GetFixedRows(), 127) + 1;
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 64);
  ASSERT_EQ(std::vector<int>{N}, Asked);
  THintWindow* Hint = G->GetGridHintWindow();
  EXPECT_EQ("Row : " + std::to_string(N), Hint->GetCaption());
  EXPECT_TRUE(Hint->IsHintShowing());
  EXPECT_TRUE(G->GridHintShown);
  EXPECT_LE(Hint->GetWidth(), 100 + 16 + 4);
  EXPECT_EQ(1, G->GetTopRow());  // no ScrollSynch: the view waits
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 127);
  EXPECT_EQ("Row : " + std::to_string(G->GetRowCount() - G->GetVisibleRowCount()) + " (lower half)",
            Hint->GetCaption());
  Scroll(WM_VSCROLL, SB_ENDSCROLL);
  EXPECT_FALSE(Hint->IsHintShowing());
  EXPECT_FALSE(G->GridHintShown);
  // The horizontal bar has no hint with shVertical.
  Asked.clear();
  Scroll(WM_HSCROLL, SB_THUMBTRACK, 64);
  EXPECT_TRUE(Asked.empty());

  // ScrollSynch: the rows follow the thumb while it is dragged.
  G->SetScrollHints(shNone);
  G->SetScrollSynch(true);
  RECT wr;
  GetWindowRect(G->Handle(), &wr);
  const int X = wr.right - 10;
  const int Thumb = wr.top + 2 + GetSystemMetrics(SM_CYVSCROLL) + 3;
  TestMouseDown(POINT{X, Thumb});
  TestMouseMove(POINT{X, Thumb + 60});
  PumpUntilIdle();
  const int During = G->GetTopRow();
  EXPECT_GT(During, 1);
  TestMouseMove(POINT{X, Thumb + 120});
  PumpUntilIdle();
  EXPECT_GT(G->GetTopRow(), During);
  TestMouseUp(POINT{X, Thumb + 120});
  PumpUntilIdle();
}

TEST_F(ScrollGrid, FlatScrollBarsStayStandardAndTheirThumbCorrectionSkipsAFullPage) {
  G->SetScrollType(ssFlat);
  EXPECT_FALSE(G->FlatScrollActive);  // the library has no flat bars
  EXPECT_EQ(ssFlat, G->GetScrollType());
  G->SetScrollColor(clRed);
  G->SetScrollWidth(12);
  EXPECT_TRUE(BarShown(SB_VERT));

  // The thumb position of a flat bar is put on the platform's scale.
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 64);
  const int PlainLeft = G->GetLeftCol();
  G->SetLeftCol(1);
  G->FlatScrollActive = true;
  const int Page = static_cast<int>(std::nearbyint(G->GetVisibleColCount() * 128.0 / G->GetColCount()));
  const int Corrected = static_cast<int>(std::nearbyint(64 * 127.0 / (128 - Page)));
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 64);
  const int FlatLeft = G->GetLeftCol();
  G->SetLeftCol(1);
  G->FlatScrollActive = false;
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, Corrected);
  EXPECT_EQ(G->GetLeftCol(), FlatLeft);
  EXPECT_NE(PlainLeft, FlatLeft);

  // All columns visible: a page of 128 leaves the position alone.
  G->SetColCountEx(3);
  G->FlatScrollActive = true;
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 64);
  EXPECT_EQ(1, G->GetLeftCol());
  G->FlatScrollActive = false;
}

TEST_F(ScrollGrid, ZoomGrowsEverySizeWithinTenSteps) {
  G->SetColWidths(2, 2);
  const int W1 = G->GetColWidths(1), H1 = G->GetRowHeights(1);
  for (int i = 0; i < 4; ++i) G->Zoom(3);
  EXPECT_EQ(9, G->ZoomTotal);  // the fourth step would pass 10
  EXPECT_EQ(W1 + 9, G->GetColWidths(1));
  EXPECT_EQ(H1 + 9, G->GetRowHeights(1));
  EXPECT_EQ(11, G->GetColWidths(2));
  G->SetColWidths(2, 2);
  G->Zoom(-3);
  EXPECT_EQ(6, G->ZoomTotal);
  EXPECT_EQ(2, G->GetColWidths(2));  // would not stay positive
  EXPECT_EQ(W1 + 6, G->GetColWidths(1));
  G->Zoom(-17);
  EXPECT_EQ(6, G->ZoomTotal);
}

TEST_F(ScrollGrid, ScrollInViewCentresAFarCellAndIgnoresCellsOutside) {
  G->ScrollInView(5, 60);
  EXPECT_EQ(60, G->GetRow());
  EXPECT_EQ(60 - G->GetVisibleRowCount() / 2, G->GetTopRow());
  EXPECT_EQ(1, G->GetLeftCol());  // column 5 was visible
  G->ScrollInView(25, 62);
  EXPECT_EQ(25, G->GetCol());
  EXPECT_EQ(60 - G->GetVisibleRowCount() / 2, G->GetTopRow());  // row 62 was visible
  EXPECT_EQ(std::max(1, 25 - G->GetVisibleColCount() / 2), G->GetLeftCol());
  EXPECT_EQ(60, G->GetRow());
  G->ScrollInView(30, 200);
  EXPECT_EQ(25, G->GetCol());
  EXPECT_EQ(60, G->GetRow());
}

TEST_F(ScrollGrid, TheInCellScrollBarMovesItsCellsPosition) {
  G->AddScrollBar(2, 3, false);
  G->SetScrollProp(2, 3, TScrollProp{5, 40});
  G->AddScrollBar(3, 3, false);
  G->SetScrollProp(3, 3, TScrollProp{50, 40});  // all shown: no bar
  std::vector<std::string> Reports;
  G->OnScrollCell = [&](TObject*, int ACol, int ARow, int Pos, int Min, int Max) {
    Reports.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + std::to_string(Pos) + " " +
                      std::to_string(Min) + ".." + std::to_string(Max));
  };
  G->SetRowHeights(3, 80);
  G->PlaceInCellScrollBar(2, 3);
  ASSERT_NE(nullptr, G->InCellScrollBar);
  TScrollBar* B = G->InCellScrollBar;
  EXPECT_TRUE(B->GetVisible());
  const TRect R = G->CellRect(2, 3);
  EXPECT_EQ(R.right - 17 - 1, B->GetLeft());
  EXPECT_EQ(R.Height() - 2, B->GetHeight());
  const LPARAM Handle = reinterpret_cast<LPARAM>(B->Handle());
  struct TStep {
    WORD Code;
    int Pos, Expected;
  };
  const TStep Steps[] = {{SB_LINEDOWN, 0, 1}, {SB_PAGEDOWN, 0, 11}, {SB_LINEUP, 0, 10},
                         {SB_PAGEUP, 0, 0},   {SB_THUMBTRACK, 20, 20}};
  for (const TStep& S : Steps) {
    EXPECT_EQ(1, SendMessageA(G->Handle(), WM_VSCROLL, MAKEWPARAM(S.Code, static_cast<WORD>(S.Pos)), Handle));
    EXPECT_EQ(S.Expected, G->GetScrollPosition(2, 3)) << S.Code;
  }
  EXPECT_EQ(1, G->GetTopRow());  // the grid itself did not scroll
  ASSERT_EQ(5u, Reports.size());
  EXPECT_EQ("2,3 1 0..40", Reports[0]);
  // Its own arrow, clicked.
  TestClick(ClientPointToScreen(B->Handle(), 8, B->GetHeight() - 4));
  EXPECT_EQ(21, G->GetScrollPosition(2, 3));
  // A cell whose page holds its whole range gets no bar.
  G->PlaceInCellScrollBar(3, 3);
  EXPECT_FALSE(B->GetVisible());
}
