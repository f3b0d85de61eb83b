// The string grid's cell store at a million rows: count growth, a row
// insert in the middle, a column move and the geometry lookups that painting
// a grid scrolled to its middle makes.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/grids/gridstore.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 20;

// A million rows with one text in every row, a few custom heights.
void Fill(TGridStore& s) {
  s.SetRowCount(kRows);
  for (int r = 0; r < kRows; ++r) s.SetCell(r % kCols, r, std::to_string(r));
  for (int r = 0; r < kRows; r += 1000) s.SetRowHeight(r, 40);
}

// RowCount raised one row at a time, as appending rows does.
void BM_RowCountGrowth(benchmark::State& state) {
  for (auto _ : state) {
    TGridStore s(kCols, 1);
    for (int n = 2; n <= kRows; ++n) s.SetRowCount(n);
    benchmark::DoNotOptimize(s.GetRowCount());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RowCountGrowth)->Unit(benchmark::kMillisecond);

void BM_InsertRowInTheMiddle(benchmark::State& state) {
  TGridStore s(kCols, 1);
  Fill(s);
  for (auto _ : state) {
    s.InsertRows(kRows / 2, 1);
    s.DeleteRows(kRows / 2, 1);
  }
  state.SetLabel("insert + delete");
}
BENCHMARK(BM_InsertRowInTheMiddle)->Unit(benchmark::kMicrosecond);

// The first geometry lookup after an insert rebuilds the prefix sums.
void BM_InsertRowThenLocate(benchmark::State& state) {
  TGridStore s(kCols, 1);
  Fill(s);
  for (auto _ : state) {
    s.InsertRows(kRows / 2, 1);
    benchmark::DoNotOptimize(s.RowAt(s.RowOffset(kRows / 2)));
    s.DeleteRows(kRows / 2, 1);
  }
}
BENCHMARK(BM_InsertRowThenLocate)->Unit(benchmark::kMicrosecond);

void BM_MoveColumn(benchmark::State& state) {
  TGridStore s(kCols, 1);
  Fill(s);
  for (auto _ : state) s.MoveCol(1, kCols - 1);
}
BENCHMARK(BM_MoveColumn)->Unit(benchmark::kMicrosecond);

// What a repaint of a 1000-pixel-high view at the middle of the grid asks:
// the top row at the scroll position, then each visible row's height and
// cells.
void BM_GeometryAtTheMiddle(benchmark::State& state) {
  TGridStore s(kCols, 1);
  Fill(s);
  s.SetRowHeight(kRows / 2 + 1, 0);
  const Int64 top = s.RowOffset(kRows / 2);
  std::size_t chars = 0;
  for (auto _ : state) {
    int r = s.RowAt(top);
    for (Int64 y = s.RowOffset(r); y < top + 1000 && r < s.GetRowCount();
         y += s.GetRowHeight(r), ++r)
      for (int c = 0; c < kCols; ++c) chars += s.GetCell(c, r).size();
  }
  benchmark::DoNotOptimize(chars);
}
BENCHMARK(BM_GeometryAtTheMiddle)->Unit(benchmark::kMicrosecond);

void BM_RowAtAfterHeightChange(benchmark::State& state) {
  TGridStore s(kCols, 1);
  Fill(s);
  int r = 0;
  for (auto _ : state) {
    s.SetRowHeight(kRows / 2, 20 + (r++ & 7));
    benchmark::DoNotOptimize(s.RowAt(s.RowOffset(kRows / 2 + 10)));
  }
}
BENCHMARK(BM_RowAtAfterHeightChange)->Unit(benchmark::kNanosecond);

}  // namespace
