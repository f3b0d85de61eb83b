// Structure operations of the grid at a million rows: a column sum with one
// non-numeric cell in ten.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"

namespace {

constexpr int kRows = 1000000;

std::unique_ptr<VIduZozezuVodu> NumberGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetRowCountEx(kRows + 1);
  for (int r = 1; r <= kRows; ++r) G->SetCellEx(1, r, r % 10 == 0 ? AnsiString("n/a") : std::to_string(r % 1000));
  return G;
}

void BM_ColumnSum(benchmark::State& State) {
  auto G = NumberGrid();
  for (auto _ : State) benchmark::DoNotOptimize(G->ColumnSum(1, 1, kRows));
}
BENCHMARK(BM_ColumnSum)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
