// Cell objects at a million rows: a check-box column, checking it all,
// removing every comment of ten columns and removing the checked half of
// the rows.
#include <benchmark/benchmark.h>

#include <memory>

#include "grid/viduzozezuvodu.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

std::unique_ptr<VIduZozezuVodu> EmptyGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCountEx(kCols);
  G->SetRowCountEx(kRows + 1);
  return G;
}

void AddCheckBoxColumn(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = EmptyGrid();
    State.ResumeTiming();
    G->AddCheckBoxColumn(1, false, false);
    State.PauseTiming();
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(AddCheckBoxColumn)->Unit(benchmark::kMillisecond)->Iterations(1);

void CheckAll(benchmark::State& State) {
  auto G = EmptyGrid();
  G->AddCheckBoxColumn(1, false, false);
  for (auto _ : State) G->CheckAll(1);
}
BENCHMARK(CheckAll)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every tenth cell of the ten columns carries a comment.
void RemoveAllComments(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = EmptyGrid();
    for (int c = 0; c < kCols; ++c)
      for (int r = 1 + c; r <= kRows; r += 10) G->AddComment(c, r, "n");
    State.ResumeTiming();
    G->RemoveAllComments();
    State.PauseTiming();
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(RemoveAllComments)->Unit(benchmark::kMillisecond)->Iterations(1);

void RemoveCheckedRows(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = EmptyGrid();
    G->AddCheckBoxColumn(1, false, false);
    for (int r = 1; r <= kRows; r += 2) G->SetCheckBoxState(1, r, true);
    State.ResumeTiming();
    G->RemoveCheckedRows(1, true);
    State.PauseTiming();
    if (G->GetRowCount() != kRows / 2 + 1) State.SkipWithError("wrong number of rows left");
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(RemoveCheckedRows)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
