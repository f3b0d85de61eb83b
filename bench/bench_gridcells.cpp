// Row edits of the grid at a million rows by ten columns: appending rows one
// at a time, one insertion and one removal in the middle, removing the
// duplicates of half the rows and clearing the whole grid.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

// One row of column headers, then kRows rows of 8-character texts; column 1
// repeats every value twice (rows r and r + kRows / 2 hold the same key).
std::unique_ptr<VIduZozezuVodu> FilledGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCountEx(kCols);
  G->SetRowCountEx(kRows + 1);
  AnsiString Text(8, '0');
  for (int r = 0; r < kRows; ++r) {
    for (int i = 6, v = r; i >= 0; --i, v /= 10) Text[i] = static_cast<char>('0' + v % 10);
    for (int c = 0; c < kCols; ++c) {
      Text[7] = static_cast<char>('0' + c);
      G->SetCellEx(c, r + 1, Text);
    }
    G->SetCellEx(1, r + 1, "key" + std::to_string(r % (kRows / 2)));
  }
  return G;
}

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Each append costs the same whatever the grid holds: the per-row figures of
// the three sizes stay level.
void BM_AddRow(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  double Total = 0;
  for (auto _ : state) {
    auto G = std::make_unique<VIduZozezuVodu>(nullptr);
    G->SetColCountEx(kCols);
    G->SetRowCountEx(1);
    G->SetFixedRowsEx(0);
    auto Start = std::chrono::steady_clock::now();
    for (int i = 0; i < N; ++i) G->AddRow();
    double T = Seconds(Start);
    state.SetIterationTime(T);
    Total += T;
    state.PauseTiming();
    if (G->GetRowCount() != N + 1) state.SkipWithError("wrong row count");
    G.reset();
    state.ResumeTiming();
  }
  state.counters["ns_per_row"] = Total * 1e9 / (static_cast<double>(N) * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_AddRow)->Arg(250000)->Arg(500000)->Arg(kRows)->UseManualTime()->Unit(benchmark::kMillisecond);

// One InsertRows and one RemoveRows in the middle of the filled grid.
void BM_InsertRowsMiddle(benchmark::State& state) {
  auto G = FilledGrid();
  for (auto _ : state) {
    auto Start = std::chrono::steady_clock::now();
    G->InsertRows(kRows / 2, 1, true);
    state.SetIterationTime(Seconds(Start));
    G->RemoveRows(kRows / 2, 1);
  }
}
BENCHMARK(BM_InsertRowsMiddle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_RemoveRowsMiddle(benchmark::State& state) {
  auto G = FilledGrid();
  for (auto _ : state) {
    auto Start = std::chrono::steady_clock::now();
    G->RemoveRows(kRows / 2, 1);
    state.SetIterationTime(Seconds(Start));
    G->InsertRows(kRows / 2, 1, true);
  }
}
BENCHMARK(BM_RemoveRowsMiddle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Half of the rows repeat an earlier key.
void BM_RemoveDuplicatesHalf(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto G = FilledGrid();
    int Notified = 0;
    G->OnCellsChanged = [&](TObject*, const TGridRect&) { ++Notified; };
    state.ResumeTiming();
    G->RemoveDuplicates(1, true);
    state.PauseTiming();
    if (G->GetRowCount() != kRows / 2 + 1 || Notified != kRows / 2) state.SkipWithError("wrong result");
    G.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RemoveDuplicatesHalf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Clear(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto G = FilledGrid();
    state.ResumeTiming();
    G->Clear();
    state.PauseTiming();
    if (!G->GetCellEx(3, kRows / 2).empty()) state.SkipWithError("not cleared");
    G.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Clear)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
