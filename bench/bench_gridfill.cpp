// Filling a 1,000,000 x 2 grid through Cells, beside the same fill of a Qt
// item model, fill after fill in one process: each repetition fills a fresh
// grid and a fresh model and reports both times and their ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "grid/viduzozezuvodu.h"
#include "platform/grids/gridstore_qtbaseline.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 2;

// Seven digits of the row and one of the column, made by hand so that
// formatting does not dominate the figure.
void CellText(int Col, int Row, AnsiString& Text) {
  for (int i = 6, v = Row; i >= 0; --i, v /= 10) Text[static_cast<size_t>(i)] = static_cast<char>('0' + v % 10);
  Text[7] = static_cast<char>('0' + Col);
}

// Sets every cell through Set(col, row, text); returns the milliseconds.
template <class F>
double TimedFill(F Set) {
  AnsiString text(8, '0');
  const auto t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      CellText(c, r, text);
      Set(c, r, text);
    }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void BM_FillGridCellsBesideQtModel(benchmark::State& state) {
  double grid = 0, qt = 0;
  for (auto _ : state) {
    auto G = std::make_unique<VIduZozezuVodu>(nullptr);
    G->SetColCount(kCols);
    G->SetRowCount(kRows);
    grid = TimedFill([&](int c, int r, const AnsiString& t) { G->SetCells(c, r, t); });
    benchmark::DoNotOptimize(G->GetCells(1, kRows - 1));
    state.PauseTiming();
    G.reset();
    auto M = std::make_unique<TQtItemModelFill>(kRows, kCols);
    qt = TimedFill([&](int c, int r, const AnsiString& t) { M->SetText(c, r, t); });
    benchmark::DoNotOptimize(M->GetText(1, kRows - 1));
    M.reset();
    state.ResumeTiming();
  }
  state.counters["grid_ms"] = grid;
  state.counters["qt_model_ms"] = qt;
  state.counters["times_faster"] = qt / grid;
}
// Five fills each; the first runs on fresh memory, the later ones on what
// the earlier fills gave back.
BENCHMARK(BM_FillGridCellsBesideQtModel)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

}  // namespace
