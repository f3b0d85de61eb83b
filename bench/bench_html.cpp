// The grid as an HTML table: 10,000 and 100,000 rows of 10 cells in three
// looks (plain, bold, coloured), so the time per cell shows whether the
// export stays linear in cells as the style lookups grow with the grid.
#include <benchmark/benchmark.h>

#include <string>

#include "grid/viduzozezuvodu.h"

namespace {

void Fill(VIduZozezuVodu& G, int Rows) {
  G.SetFixedRows(1);
  G.SetFixedCols(0);
  G.SetColCountEx(10);
  G.SetRowCountEx(Rows);
  for (int R = 0; R < Rows; ++R)
    for (int C = 0; C < 10; ++C) G.SetCells(C, R, "r" + std::to_string(R) + "c" + std::to_string(C));
  G.OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* ABrush, TFont* AFont) {
    if (ARow == 0) return;
    if (ACol % 3 == 1) AFont->SetStyle(TFontStyles{fsBold});
    if (ACol % 3 == 2) ABrush->SetColor(clYellow);
  };
}

void BM_SaveToHTMLString(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  VIduZozezuVodu G(nullptr);
  Fill(G, Rows);
  std::size_t Bytes = 0;
  for (auto _ : State) {
    AnsiString Html = G.SaveToHTMLString("");
    Bytes = Html.size();
    benchmark::DoNotOptimize(Html);
  }
  const double Cells = static_cast<double>(Rows) * 10;
  State.counters["cells"] = Cells;
  State.counters["MB"] = static_cast<double>(Bytes) / 1e6;
  // Seconds per cell, shown scaled to ns by the counter's unit.
  State.counters["per_cell"] =
      benchmark::Counter(Cells * static_cast<double>(State.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SaveToHTMLString)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
