// The wheel, Ctrl+wheel zoom, middle-button panning and scrolling while a
// drag rests in the grid's margins.
#include "scroll_fixture.h"

#include "platform/graphics/resources.h"

namespace {

struct TWheelCase {
  int Increment;
  TWheelAction Action;
  int Notches;  // negative: towards the user
  int Row, TopRow;
  int PlatformSteps;  // the platform's wheel notifications that followed
};

}  // namespace

TEST_F(ScrollGrid, WheelMovesTheRowOrTheViewByItsIncrementOrTheSystemLines) {
  const TWheelCase Cases[] = {
      // With the system's 3 lines the platform moves the row once more.
      {0, waMoveSelection, -1, 54, -1, 1},
      {0, waMoveSelection, +1, 46, -1, 1},
      {2, waMoveSelection, -1, 52, -1, 0},
      {2, waMoveSelection, +1, 48, -1, 0},
      // Scrolling only: the platform's notifications do nothing more.
      {0, waScroll, -1, 50, 43, 0},
      {0, waScroll, +1, 50, 37, 0},
      {2, waScroll, -1, 50, 42, 0},
      {2, waScroll, +1, 50, 38, 0},
  };
  int Steps = 0;
  G->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++Steps; };
  G->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++Steps; };
  for (const TWheelCase& T : Cases) {
    SCOPED_TRACE(std::to_string(T.Increment) + (T.Action == waScroll ? " scroll " : " move ") +
                 std::to_string(T.Notches));
    G->GetMouseActions()->WheelIncrement = T.Increment;
    G->GetMouseActions()->SetWheelAction(T.Action);
    G->FocusCell(2, 50);
    G->SetTopRow(40);
    Steps = 0;
    TestWheel(At(100, 100), T.Notches);
    PumpUntilIdle();
    EXPECT_EQ(T.Row, G->GetRow());
    if (T.TopRow >= 0) {
      EXPECT_EQ(T.TopRow, G->GetTopRow());
    }
    EXPECT_EQ(T.PlatformSteps, Steps);
  }
}

TEST_F(ScrollGrid, AParentTakingTheWheelLeavesOnlyThePlatformStep) {
  G->FocusCell(2, 50);
  G->GetMouseActions()->WheelIncrement = 2;
  Form->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
  TestWheel(At(100, 100), -1);
  PumpUntilIdle();
  EXPECT_EQ(51, G->GetRow());
}

TEST_F(ScrollGrid, AGridOfOneFixedRowIgnoresTheWheelEntirely) {
  G->SetFixedRowAlways(true);
  G->SetRowCountEx(1);
  int Steps = 0;
  G->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++Steps; };
  TestWheel(At(100, 10), -1);
  PumpUntilIdle();
  EXPECT_EQ(0, Steps);
  EXPECT_EQ(1, G->GetRowCount());
}

TEST_F(ScrollGrid, CtrlWheelZoomsByTheSystemLines) {
  const int W = G->GetColWidths(1), H = G->GetRowHeights(1);
  TestWheel(At(100, 100), -1, tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(3, G->ZoomTotal);
  EXPECT_EQ(W + 3, G->GetColWidths(1));
  EXPECT_EQ(H + 3, G->GetRowHeights(1));
  TestWheel(At(100, 100), +1, tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(0, G->ZoomTotal);
  EXPECT_EQ(W, G->GetColWidths(1));
  G->SetIntelliZoom(false);
  TestWheel(At(100, 100), -1, tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(0, G->ZoomTotal);
}

TEST_F(ScrollGrid, PanCursorShowsTheDirectionOfThePointer) {
  struct TCase {
    int DX, DY, Cursor;
  };
  const TCase Cases[] = {{30, 0, 8003},  {-30, 0, 8002},  {0, 30, 8001},   {0, -30, 8004}, {-30, -30, 8006},
                         {30, -30, 8005}, {-30, 30, 8008}, {30, 30, 8007}, {3, -4, 8000}};
  G->SetIntelliPan(ipBoth);
  G->GetMouseActions()->SetWheelAction(waScroll);
  G->SetTopRow(40);
  G->SetLeftCol(10);
  const POINT Origin = At(200, 120);
  TestMouseDown(Origin, TMouseButton::Middle);
  TestMouseUp(Origin, TMouseButton::Middle);
  ASSERT_TRUE(G->PanActive);
  EXPECT_EQ(8000, TestCurrentCursorId());
  for (const TCase& T : Cases) {
    SCOPED_TRACE(std::to_string(T.DX) + "," + std::to_string(T.DY));
    const int Top = G->GetTopRow(), Left = G->GetLeftCol();
    TestMouseMove(POINT{Origin.x + T.DX, Origin.y + T.DY});
    AdvanceTestClock(10);
    EXPECT_EQ(T.Cursor, TestCurrentCursorId());
    EXPECT_EQ(Top + (T.DY > 5 ? 1 : T.DY < -5 ? -1 : 0), G->GetTopRow());
    EXPECT_EQ(Left + (T.DX > 5 ? 1 : T.DX < -5 ? -1 : 0), G->GetLeftCol());
  }
  // A key ends the pan: the timer stops moving the view.
  TestKeyPress(VK_SHIFT);
  EXPECT_FALSE(G->PanActive);
  EXPECT_NE(8000, TestCurrentCursorId());
  const int Top = G->GetTopRow();
  TestMouseMove(POINT{Origin.x, Origin.y + 80});
  AdvanceTestClock(100);
  EXPECT_EQ(Top, G->GetTopRow());
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ScrollGrid, HorizontalPanNeverChangesTheRows) {
  for (TWheelAction Action : {waScroll, waMoveSelection}) {
    SCOPED_TRACE(Action == waScroll ? "scroll" : "move");
    G->SetIntelliPan(ipHorizontal);
    G->GetMouseActions()->SetWheelAction(Action);
    G->FocusCell(5, 50);
    G->SetTopRow(45);
    const int Left = G->GetLeftCol(), Col = G->GetCol();
    const POINT Origin = At(200, 120);
    AdvanceTestClock(600);  // no double click with the press before
    TestMouseDown(Origin, TMouseButton::Middle);
    TestMouseUp(Origin, TMouseButton::Middle);
    TestMouseMove(POINT{Origin.x + 40, Origin.y + 80});
    AdvanceTestClock(50);
    EXPECT_EQ(45, G->GetTopRow());
    EXPECT_EQ(50, G->GetRow());
    EXPECT_GT(Action == waScroll ? G->GetLeftCol() - Left : G->GetCol() - Col, 0);
    AdvanceTestClock(600);                         // past the double-click time
    EXPECT_EQ(45, G->GetTopRow());
    TestMouseDown(Origin, TMouseButton::Middle);  // a second press ends it
    TestMouseUp(Origin, TMouseButton::Middle);
    EXPECT_FALSE(G->PanActive);
  }
  // No panning at all with ipNone.
  G->SetIntelliPan(ipNone);
  AdvanceTestClock(600);
  TestMouseDown(At(200, 120), TMouseButton::Middle);
  EXPECT_FALSE(G->PanActive);
}

TEST_F(ScrollGrid, DragInAMarginScrollsAfterTheInitialDelayThenAtTheRepeatDelay) {
  G->GetDragScrollOptions()->Active = true;
  bool Accept = false;
  G->DragOver(nullptr, 200, G->GetHeight() - 10, dsDragMove, Accept);
  ASSERT_NE(nullptr, G->DragScrollTimer);
  EXPECT_EQ(Form, G->DragScrollTimer->GetOwner());
  EXPECT_TRUE(G->DragScrollDirections.Contains(dsdDown));
  AdvanceTestClock(999);
  EXPECT_EQ(1, G->GetTopRow());
  AdvanceTestClock(1);
  EXPECT_EQ(2, G->GetTopRow());
  AdvanceTestClock(250 * 3);
  EXPECT_EQ(5, G->GetTopRow());
  // A handler may refuse the step.
  int Asked = 0;
  G->OnDragScroll = [&](TObject*, int TopRow, int, TDragScrollDirections& Dir, bool& CanScroll) {
    ++Asked;
    EXPECT_EQ(5, TopRow);
    EXPECT_TRUE(Dir.Contains(dsdDown));
    CanScroll = false;
  };
  AdvanceTestClock(500);
  EXPECT_EQ(2, Asked);
  EXPECT_EQ(5, G->GetTopRow());
  // Left and right with the pointer in the corner; leaving frees the timer.
  G->OnDragScroll = nullptr;
  G->DragOver(nullptr, 5, 150, dsDragMove, Accept);
  EXPECT_TRUE(G->DragScrollDirections.Contains(dsdLeft));
  G->DragOver(nullptr, 200, 150, dsDragMove, Accept);
  EXPECT_EQ(nullptr, G->DragScrollTimer);
  G->DragOver(nullptr, G->GetWidth() - 5, 150, dsDragEnter, Accept);
  AdvanceTestClock(1000);
  EXPECT_EQ(2, G->GetLeftCol());
  G->DragOver(nullptr, G->GetWidth() - 5, 150, dsDragLeave, Accept);
  EXPECT_EQ(nullptr, G->DragScrollTimer);
  AdvanceTestClock(2000);
  EXPECT_EQ(2, G->GetLeftCol());
}
