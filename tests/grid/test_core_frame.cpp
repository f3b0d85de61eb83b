// The grid's frame: construction with its owned objects and environment
// flags, window timer, integral height, loading and assignment.
#include <gtest/gtest.h>

#include "controls/zytstyleif.h"
#include "core_check.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

struct THookGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  int MouseChanges = 0, NavChanges = 0, Ticks = 0;
  void OnMouseActionsChanged(TObject*) override { ++MouseChanges; }
  void OnNavigationChanged(TObject*) override { ++NavChanges; }
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_TIMER && M.WParam == GridTimerId) ++Ticks;
    VIduZozezuVodu::WndProc(M);
  }
};

TEST(CoreFrame, ConstructionOwnsItsObjectsAndWiresTheHooks) {
  THookGrid G(nullptr);
  EXPECT_EQ(G.GetWidth(), 400);
  EXPECT_EQ(G.GetHeight(), 250);
  EXPECT_EQ(G.GetRowCount(), 10);
  EXPECT_EQ(G.GetDisplayRowLimit(), 10);
  EXPECT_TRUE(G.GetControlStyle() & csAcceptsControls);
  ASSERT_NE(G.GetMouseActions(), nullptr);
  ASSERT_NE(G.GetNavigation(), nullptr);
  ASSERT_NE(G.GetPrintSettings(), nullptr);
  EXPECT_EQ(G.GetIgnoredColumns()->GetCount(), 0);
  // The system reports NT 6.1 with common controls 6.
  EXPECT_TRUE(G.GetIsThemed());
  EXPECT_EQ(G.GetIsVista(), IsVista());
  EXPECT_TRUE(G.GetIsComCtl6());
  EXPECT_TRUE(VIduZozezuVodu::DatePickersAvailable());
  G.GetNavigation()->SetAdvanceInsert(!G.GetNavigation()->GetAdvanceInsert());
  EXPECT_EQ(G.NavChanges, 1);
  G.GetMouseActions()->SetWheelAction(G.GetMouseActions()->GetWheelAction() == waMoveSelection ? waScroll
                                                                                             : waMoveSelection);
  EXPECT_EQ(G.MouseChanges, 1);
}

TEST(CoreFrame, TimerRunsWhileTheWindowExists) {
  TestResetKernel();
  UseTestClock();
  {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 500, 400);
    auto* G = new THookGrid(&Form);
    AdvanceTestClock(1000);
    EXPECT_EQ(G->Ticks, 0);  // no window yet
    G->SetParent(&Form);
    Form.Show();
    PumpUntilIdle();
    ASSERT_TRUE(G->HandleAllocated());
    AdvanceTestClock(1000);
    PumpUntilIdle();
    EXPECT_EQ(G->Ticks, 2);
  }
  TestResetKernel();
  UseSystemClock();
}

TEST(CoreFrame, IntegralHeightKeepsWholeRows) {
  struct Case { bool Integral; int ColCount, In, Out; };
  int S = GetSystemMetrics(SM_CYHSCROLL);
  for (Case C : {Case{true, 5, 100, 92}, Case{true, 5, 92, 92}, Case{false, 5, 100, 100},
                 // Columns that do not fit leave room for the scroll bar.
                 Case{true, 60, 100 + S, 92 + S}}) {
    VIduZozezuVodu G(nullptr);
    G.SetBorderStyle(bsSingle);
    G.SetColCountEx(C.ColCount);
    G.SetIntegralHeight(C.Integral);
    G.SetBounds(0, 0, 300, C.In);
    EXPECT_EQ(G.GetHeight(), C.Out) << C.In << " cols " << C.ColCount;
  }
}

TEST(CoreFrame, LoadedMovesTheAlwaysShownEditorToNavigation) {
  VIduZozezuVodu G(nullptr);
  G.SetOptions(G.GetOptions() | goAlwaysShowEditor);
  G.SetRowCountEx(30);
  G.SetRowCount(20);
  G.Loaded();
  EXPECT_TRUE(G.GetNavigation()->AlwaysEdit);
  EXPECT_FALSE(G.GetOptions() & goAlwaysShowEditor);
  EXPECT_EQ(G.GetMaxRowCount(), 20);
}

TEST(CoreFrame, AssignCopiesSettingsDimensionsAndCells) {
  VIduZozezuVodu Src(nullptr), Dst(nullptr);
  Src.SetColCountEx(7);
  Src.SetRowCountEx(15);
  Src.SetFixedRowsEx(2);
  Src.SetColWidths(3, 300);
  Src.SetRowHeights(4, 40);
  Src.SetCells(2, 5, "two\nlines");
  Src.SetCells(6, 14, "corner");
  Src.GetNavigation()->AlwaysEdit = true;
  Src.GetHTMLSettings()->Summary = "sum";
  Src.GetPrintSettings()->GetFont()->SetSize(13);
  Src.SetOptions(Src.GetOptions() | goEditing);
  Src.SetActiveCellShow(true);
  Src.SetActiveCellColor(0xEACAB6);
  Src.GetActiveCellFont()->SetSize(12);
  Dst.Assign(&Src);
  EXPECT_TRUE(Dst.GetActiveCellShow());
  EXPECT_EQ(Dst.GetActiveCellColor(), 0xEACAB6);
  EXPECT_EQ(Dst.GetActiveCellFont()->GetSize(), 12);
  EXPECT_EQ(Dst.GetColCount(), 7);
  EXPECT_EQ(Dst.GetRowCount(), 15);
  EXPECT_EQ(Dst.GetFixedRows(), 2);
  EXPECT_EQ(Dst.GetColWidths(3), 300);
  EXPECT_EQ(Dst.GetRowHeights(4), 40);
  EXPECT_EQ(Dst.GetCells(2, 5), "two\nlines");
  EXPECT_EQ(Dst.GetCells(6, 14), "corner");
  EXPECT_TRUE(Dst.GetNavigation()->AlwaysEdit);
  EXPECT_EQ(Dst.GetHTMLSettings()->Summary, "sum");
  EXPECT_EQ(Dst.GetPrintSettings()->GetFont()->GetSize(), 13);
  EXPECT_TRUE(Dst.GetOptions() & goEditing);

  // Anything but a grid is ignored.
  THTMLSettings Other;
  Dst.Assign(&Other);
  EXPECT_EQ(Dst.GetColCount(), 7);
  Dst.Assign(nullptr);
  EXPECT_EQ(Dst.GetCells(6, 14), "corner");
}

// Hooks of layers still to come answer neutrally; the few that stand for
// plain cell store work do it.
TEST(CoreFrame, FrameHooksThatStandForCellWork) {
  VIduZozezuVodu G(nullptr);
  G.MergeCells(1, 1, 2, 2);
  G.SetCellEx(1, 1, "base");
  G.SetCol(2);
  G.SetRow(2);
  EXPECT_EQ(G.GetCurrentCell(), "base");
  G.SetCurrentCell("new");
  EXPECT_EQ(G.GetGridCell(1, 1), "new");
  EXPECT_EQ(G.GetVersionString(), "4.6.0.8 Jul, 2009");
  EXPECT_EQ(G.GetCellType(1, 1), ctEmpty);
  EXPECT_EQ(G.GetCheckTrue(0, 0), "Y");
  G.TabToNextRowAtEnd();
  EXPECT_EQ(G.GetRow(), 1);

  G.GetCellProperties(3, 4)->NodeLevel = 2;
  G.SetGridCell(3, 4, "x");
  G.ClearRect(0, 0, 4, 4);
  EXPECT_FALSE(G.HasCellProperties(3, 4));
  EXPECT_EQ(G.GetGridCell(3, 4), "");
  EXPECT_EQ(G.GetGridCell(1, 1), "");
}

TEST(CoreFrame, RemoveRowsExKeepsTheObjectsAndRenumbersLaterHiddenRows) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCountEx(10);
  for (int r = 0; r < 10; ++r) G.SetGridCell(0, r, std::to_string(r));
  G.HideRow(3);
  G.HideRow(8);
  TCellProperties* Taken = G.GetCellProperties(1, 3);  // displayed 3 = real 4
  Taken->NodeLevel = 4;
  G.RemoveRowsEx(2, 3);  // real 2, 4 and 5 go; their objects are the caller's
  EXPECT_EQ(Taken->NodeLevel, 4);
  delete Taken;
  ASSERT_NO_FATAL_FAILURE(CheckHidden(G));
  EXPECT_EQ(G.GetRowCount(), 5);
  EXPECT_TRUE(G.IsHiddenRow(2));  // was 3: one removed row before it
  EXPECT_TRUE(G.IsHiddenRow(5));  // was 8: three before it
  EXPECT_EQ(G.GetCellsEx(0, 4), "7");
  EXPECT_EQ(G.GetCellsEx(0, 5), "8");
  G.UnHideRowsAll();
  std::vector<AnsiString> Shown;
  for (int r = 0; r < G.GetRowCount(); ++r) Shown.push_back(G.GetGridCell(0, r));
  EXPECT_EQ(Shown, (std::vector<AnsiString>{"0", "1", "3", "6", "7", "8", "9"}));
}

}  // namespace
