// The selection text of a million rows by ten columns and the disjunct cell
// count of sixty thousand rows by ten columns.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"

namespace {

constexpr int kCols = 10;

// kRows normal rows below one fixed row, columns 1 .. kCols filled with
// 8-character texts, the whole block selected.
std::unique_ptr<VIduZozezuVodu> SelectedGrid(int kRows) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCountEx(kCols + 1);
  G->SetRowCountEx(kRows + 1);
  AnsiString Text(8, '0');
  for (int r = 1; r <= kRows; ++r) {
    for (int i = 6, v = r; i >= 0; --i, v /= 10) Text[i] = static_cast<char>('0' + v % 10);
    for (int c = 1; c <= kCols; ++c) {
      Text[7] = static_cast<char>('0' + c % 10);
      G->SetCellEx(c, r, Text);
    }
  }
  G->SetSelectionEx(TGridRect{1, 1, kCols, kRows});
  return G;
}

void BM_SelectedText(benchmark::State& State) {
  auto G = SelectedGrid(static_cast<int>(State.range(0)));
  std::size_t Size = 0;
  for (auto _ : State) {
    AnsiString T = G->SelectedText();
    Size = T.size();
    benchmark::DoNotOptimize(T);
  }
  State.counters["bytes"] = static_cast<double>(Size);
}
BENCHMARK(BM_SelectedText)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GetSelectedCellsCount(benchmark::State& State) {
  auto G = SelectedGrid(static_cast<int>(State.range(0)));
  int Count = 0;
  for (auto _ : State) Count = G->GetSelectedCellsCount();
  State.counters["cells"] = Count;
}
BENCHMARK(BM_GetSelectedCellsCount)->Arg(60000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
