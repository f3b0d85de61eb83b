// A grid on a form in the plain look shows its headings, texts and merged
// areas.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/graphics_color.h"
#include "platform/windows/winkernel_testing.h"
#include "tests/grid/shown_grid.h"

namespace {

// True when some pixel of R differs from Background: something was drawn.
bool Inked(TBitmap* B, const TRect& R, TColor Background) {
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      if (B->Canvas()->GetPixels(x, y) != Background) return true;
  return false;
}

TEST(GridPlainPaint, FixedCellsTextsAndMergedAreasShow) {
  TestResetKernel();
  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 400, 300);
  auto* grid = new VIduZozezuVodu(form);
  grid->SetParent(form);
  grid->SetBounds(0, 0, 380, 280);
  grid->SetLook(glStandard);
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->SetCells(1, 0, "Тариф");
  grid->MergeCells(1, 2, 2, 1);
  grid->SetCells(1, 2, "Merged");
  form->Show();
  PumpUntilIdle();

  TBitmap shot;
  SnapshotControl(grid, &shot);
  const TRect head = grid->CellRect(1, 0);
  const TRect corner = grid->CellRect(0, 0);
  const TRect merged = grid->CellRect(1, 2);
  const TRect empty = grid->CellRect(2, 3);
  EXPECT_EQ(shot.Canvas()->GetPixels(corner.left + 3, corner.top + 3), ColorToRGB(grid->GetFixedColor()));
  // The merged area is one cell with one text.
  EXPECT_EQ(merged.right, grid->CellRect(2, 2).right);
  EXPECT_TRUE(Inked(&shot, TRect(head.left + 2, head.top + 2, head.right - 2, head.bottom - 2),
                    ColorToRGB(grid->GetFixedColor())));
  EXPECT_TRUE(Inked(&shot, TRect(merged.left + 2, merged.top + 2, merged.right - 2, merged.bottom - 2),
                    ColorToRGB(grid->GetColor())));
  EXPECT_FALSE(Inked(&shot, TRect(empty.left + 2, empty.top + 2, empty.right - 3, empty.bottom - 3),
                     ColorToRGB(grid->GetColor())));
  delete form;
  TestResetKernel();
}

// Rows or columns that leave the end of a shown grid leave no picture of
// themselves: the area they took is the grid's colour after the repaint.
struct ShrinkCase {
  const char* Name;
  std::function<void(VIduZozezuVodu*)> Shrink;
};

void PrintTo(const ShrinkCase& C, std::ostream* Os) { *Os << C.Name; }

class ShrinkPaint : public ::testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkPaint, FreedAreaIsRepainted) {
  TForm* Form = OpenTestForm(400, 300);
  auto* G = PlaceGrid(Form, 400, 300, 5, 8);
  FillNumbered(G);
  ShowTestForm(Form, G);
  const int Right = G->CellRect(4, 7).right, Bottom = G->CellRect(4, 7).bottom;
  GetParam().Shrink(G);
  PumpUntilIdle();
  TBitmap Shot;
  SnapshotControl(G, &Shot);
  const TRect Last = G->CellRect(G->GetColCount() - 1, G->GetRowCount() - 1);
  const TColor Back = ColorToRGB(G->GetColor());
  // Kept clear of the grid's frame: the picture includes it.
  EXPECT_FALSE(Inked(&Shot, TRect(4, Last.bottom + 4, Right - 4, Bottom - 4), Back)) << GetParam().Name;
  EXPECT_FALSE(Inked(&Shot, TRect(Last.right + 4, 4, Right - 4, Bottom - 4), Back)) << GetParam().Name;
  CloseTestForm(Form);
}

INSTANTIATE_TEST_SUITE_P(
    EndOfTheGrid, ShrinkPaint,
    ::testing::Values(ShrinkCase{"node contracted", [](VIduZozezuVodu* G) {
                                   G->AddNode(5, 3);
                                   G->ContractNode(5);
                                 }},
                      ShrinkCase{"last rows removed", [](VIduZozezuVodu* G) { G->RemoveRows(5, 3); }},
                      ShrinkCase{"last rows hidden", [](VIduZozezuVodu* G) { G->HideRows(6, 7); }},
                      ShrinkCase{"last column hidden", [](VIduZozezuVodu* G) { G->HideColumn(4); }}),
    [](const ::testing::TestParamInfo<ShrinkCase>& I) { return "case" + std::to_string(I.index); });

}  // namespace
