// The base cell painter, keys and wheel over merged areas, on a grid on a
// form drawn offscreen.
#include <gtest/gtest.h>

#include <map>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winuser.h"

namespace {

// Counts the content paints per cell.
class TCountingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    ++Paints[{ACol, ARow}];
    VIduZozezuVodu::DrawGridCell(Canvas, ACol, ARow, ARect, AState);
  }
  // The base cell of the area at (1, 3) is red.
  void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                           TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                           TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                           TCellGradientDirection& GD) override {
    VIduZozezuVodu::GetVisualProperties(ACol, ARow, AState, Print, Select, Remap, ABrush, AColorTo, AMirrorColor,
                                        AMirrorColorTo, AFont, HA, VA, WW, GD);
    if (ACol == 1 && ARow == 3) ABrush->SetColor(clRed);
  }
  // One cell painted outside a paint cycle, as the paint loop would.
  void PaintCellNow(int ACol, int ARow, TGridDrawState AState) { DrawCell(ACol, ARow, CellRect(ACol, ARow), AState); }
  std::map<std::pair<int, int>, int> Paints;
};

class BasePaint : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 300);
    G = new TCountingGrid(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 480, 280);
    G->SetColCount(8);
    G->SetRowCount(8);
    G->SetLook(glStandard);
    Form->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  TColor Shot(int x, int y) {
    TBitmap b;
    SnapshotControl(G, &b);
    return b.Canvas()->GetPixels(x, y);
  }
  void Repaint() {
    G->Paints.clear();
    G->Invalidate();
    PumpUntilIdle();
  }
  TForm* Form = nullptr;
  TCountingGrid* G = nullptr;
};

TEST_F(BasePaint, MergedAreaOncePerPass) {
  G->MergeCells(1, 2, 3, 2);
  const int pass = G->GetPaintPass();
  Repaint();
  EXPECT_GT(G->GetPaintPass(), pass);
  EXPECT_EQ((G->Paints[{1, 2}]), 1);
  EXPECT_EQ((G->Paints[{2, 2}]), 0);
  EXPECT_EQ((G->Paints[{3, 3}]), 0);
  EXPECT_EQ((G->Paints[{4, 2}]), 1);
}

TEST_F(BasePaint, AreaScrolledUnderFixedColumnsStaysRightOfThem) {
  G->MergeCells(1, 3, 4, 1);
  G->SetLeftCol(2);
  PumpUntilIdle();
  Repaint();
  const TRect fixedCell = G->CellRect(0, 3);
  const TRect inside = G->CellRect(2, 3);
  // The fixed cell keeps its colour; the area shows right of it.
  EXPECT_EQ(Shot(fixedCell.left + 5, fixedCell.top + 5), ColorToRGB(G->GetFixedColor()));
  EXPECT_EQ(Shot(G->FixedColsWidth() + 5, inside.top + 5), ColorToRGB(clRed));
  EXPECT_EQ(Shot(fixedCell.right - 3, inside.top + 5), ColorToRGB(G->GetFixedColor()));
}

TEST_F(BasePaint, SelectionStylesAndFocus) {
  G->SetOptions(G->GetOptions() | goRangeSelect | goDrawFocusSelected);
  G->SetSelectionStyle(ssVista);
  G->SetSelection(TGridRect{1, 2, 3, 2});
  PumpUntilIdle();
  HDC dc = G->Canvas()->GetHandle();
  GdiStartRecording(dc);
  for (int c = 1; c <= 3; ++c) G->PaintCellNow(c, 2, gdSelected);
  G->PaintCellNow(1, 0, gdSelected);  // a fixed cell never looks selected
  auto calls = GdiRecordedCalls(dc);
  GdiStopRecording(dc);
  // Left and right ends have their sides, the middle none: the border
  // colour's vertical lines appear at the two ends only.
  const TRect l = G->CellRect(1, 2), m = G->CellRect(2, 2), r = G->CellRect(3, 2);
  auto sideAt = [&](int x) {
    for (auto& c : calls)
      if (c.Func == "LineTo" && c.PenColor == 0xFDDE99 && c.Rect.left == x && c.Rect.right == x) return true;
    return false;
  };
  EXPECT_TRUE(sideAt(l.left));
  EXPECT_FALSE(sideAt(m.left));
  EXPECT_FALSE(sideAt(m.right - 2));
  EXPECT_TRUE(sideAt(r.right - 2));
  int fixedSelection = 0;
  const TRect f = G->CellRect(1, 0);
  for (auto& c : calls)
    if (c.PenColor == 0xFDDE99 && c.Rect.top >= f.top && c.Rect.bottom <= f.bottom) ++fixedSelection;
  EXPECT_EQ(fixedSelection, 0);
  EXPECT_EQ(G->Canvas()->GetPixels(m.left + 5, m.top + 2), 0xFDF8F1);  // focused Vista fill

  // Without the focus (and without drawing the selection as focused) the grey set.
  G->SetOptions(G->GetOptions() & ~goDrawFocusSelected);
  ::SetFocus(nullptr);
  PumpUntilIdle();
  G->PaintCellNow(2, 2, gdSelected);
  EXPECT_EQ(G->Canvas()->GetPixels(m.left + 5, m.top + 2), 0xF8F8F8);
}

TEST_F(BasePaint, FooterRowIsBlanked) {
  G->SetFooterRow(true);
  G->SetCells(2, 7, "sum");
  G->SetRow(1);
  Repaint();
  EXPECT_EQ((G->Paints[{2, 7}]), 0);
  EXPECT_GT((G->Paints[{2, 6}]), 0);
}

TEST_F(BasePaint, ClipOfTheCanvasComesBack) {
  G->MergeCells(1, 3, 4, 1);
  G->SetLeftCol(2);
  PumpUntilIdle();
  HDC dc = G->Canvas()->GetHandle();
  HRGN before = CreateRectRgn(0, 0, 0, 0);
  HRGN after = CreateRectRgn(0, 0, 0, 0);
  IntersectClipRect(dc, 0, 0, 400, 200);
  GetClipRgn(dc, before);
  G->Paints.clear();
  G->PaintCellNow(2, 3, 0);
  ASSERT_EQ((G->Paints[{1, 3}]), 1);
  GetClipRgn(dc, after);
  EXPECT_TRUE(EqualRgn(before, after));
  SelectClipRgn(dc, nullptr);
  DeleteObject(before);
  DeleteObject(after);
}

TEST_F(BasePaint, KeysOverMergedAreas) {
  G->MergeCells(2, 2, 3, 2);  // columns 2..4, rows 2..3
  G->SetFocus();
  G->SetCol(2);
  G->SetRow(2);
  PumpUntilIdle();
  TestKeyPress(VK_RIGHT);
  PumpUntilIdle();
  EXPECT_EQ(G->GetCol(), 5);
  EXPECT_EQ(G->GetRow(), 2);
  // Left from inside the area: a non-base cell becomes current only by the
  // program, the key leads to the cell before the area.
  G->SetCol(4);
  G->SetRow(3);
  TestKeyPress(VK_LEFT);
  PumpUntilIdle();
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(G->GetRow(), 3);
  G->SetCol(3);
  G->SetRow(3);
  TestKeyPress(VK_UP);
  PumpUntilIdle();
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetRow(), 1);
  TestKeyPress(VK_DOWN);
  PumpUntilIdle();
  EXPECT_EQ(G->GetRow(), 2);  // onto the area, which is its base
  EXPECT_EQ(G->GetCol(), 2);
  TestKeyPress(VK_DOWN);
  PumpUntilIdle();
  EXPECT_EQ(G->GetRow(), 4);
}

TEST_F(BasePaint, WheelWithTheFooterRow) {
  G->SetRowCount(40);
  G->SetFooterRow(true);
  G->SetFocus();
  G->SetRow(1);
  PumpUntilIdle();
  const TRect c = G->CellRect(2, 2);
  // The last visible row is hidden by the footer panel: the grid scrolls
  // one more so the current row stays in sight.
  for (int i = 0; i < 20; ++i) {
    TestWheel(ClientPointToScreen(G->Handle(), c.left + 3, c.top + 3), -1);
    PumpUntilIdle();
    EXPECT_LE(G->GetRow() - G->GetTopRow(), G->GetVisibleRowCount()) << i;
  }
  EXPECT_GT(G->GetRow(), 10);
}

}  // namespace
