// The string grid control at a million rows: a full repaint scrolled to the
// middle (into an offscreen bitmap), RowCount growth, a row move in the
// middle and a row insert in the middle through the control.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/forms/forms.h"
#include "platform/grids/grids.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 20;

void BM_RepaintScrolledToTheMiddle(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 1024, 768);
  auto* grid = new TStringGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(0, 0, 1000, 740);
  grid->SetColCount(kCols);
  grid->SetRowCount(kRows);
  for (int r = 0; r < kRows; r += 7) grid->SetCells(r % kCols, r, std::to_string(r));
  grid->SetTopRow(kRows / 2);
  grid->SetRow(kRows / 2);
  TBitmap bitmap;
  bitmap.SetSize(1000, 740);
  for (auto _ : state) grid->PaintTo(bitmap.Canvas()->GetHandle(), 0, 0);
  state.SetLabel(std::to_string(grid->GetVisibleRowCount()) + " rows visible");
}
BENCHMARK(BM_RepaintScrolledToTheMiddle)->Unit(benchmark::kMillisecond);

void BM_RowCountGrowthThroughTheGrid(benchmark::State& state) {
  for (auto _ : state) {
    TStringGrid grid(nullptr);
    grid.SetColCount(kCols);
    for (int n = 2; n <= kRows; n += 1000) grid.SetRowCount(n);
    grid.SetRowCount(kRows);
    benchmark::DoNotOptimize(grid.GetRowCount());
  }
}
BENCHMARK(BM_RowCountGrowthThroughTheGrid)->Unit(benchmark::kMillisecond);

void BM_MoveRowInTheMiddle(benchmark::State& state) {
  TStringGrid grid(nullptr);
  grid.SetColCount(kCols);
  grid.SetRowCount(kRows);
  for (auto _ : state) {
    grid.MoveRow(kRows / 2, kRows / 2 + 1);
    grid.MoveRow(kRows / 2 + 1, kRows / 2);
  }
  state.SetLabel("two moves");
}
BENCHMARK(BM_MoveRowInTheMiddle)->Unit(benchmark::kMicrosecond);

// The grid has no insert of its own: the cheapest way through it is one more
// row, moved from the end into the middle.
void BM_InsertRowInTheMiddle(benchmark::State& state) {
  TStringGrid grid(nullptr);
  grid.SetColCount(kCols);
  grid.SetRowCount(kRows);
  for (int r = 0; r < kRows; r += 7) grid.SetCells(r % kCols, r, std::to_string(r));
  for (auto _ : state) {
    grid.SetRowCount(grid.GetRowCount() + 1);
    grid.MoveRow(grid.GetRowCount() - 1, kRows / 2);
  }
  state.SetLabel(std::to_string(grid.GetRowCount()) + " rows at the end");
}
BENCHMARK(BM_InsertRowInTheMiddle)->Unit(benchmark::kMicrosecond);

}  // namespace
