// The grid core at a million rows: hiding a thousand scattered rows as one
// filter level and bringing them back, remapping every row with them hidden,
// and reading cells through merged-cell redirection.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kHidden = 1000;

std::unique_ptr<VIduZozezuVodu> BigGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCountEx(4);
  G->SetRowCountEx(kRows);
  for (int r = 0; r < kRows; r += 97) G->SetGridCell(1, r, std::to_string(r));
  return G;
}

// Every 1000th displayed row, as a filter hands them over.
void FillList(TIntList& L) {
  for (int i = 0; i < kHidden; ++i) L.Add(i * (kRows / kHidden) + 1);
}

void BM_HideAndUnHideRowList(benchmark::State& state) {
  auto G = BigGrid();
  TIntList L(-1, -1);
  FillList(L);
  for (auto _ : state) {
    G->HideRowList(&L);
    G->UnHideRowList();
    G->SetHideLevel(0);
  }
  state.SetLabel("1,000 of 1,000,000 rows, hide + unhide");
  state.SetItemsProcessed(state.iterations() * kHidden);
}
BENCHMARK(BM_HideAndUnHideRowList)->Unit(benchmark::kMillisecond);

void BM_RemapEveryRowWithThousandHidden(benchmark::State& state) {
  auto G = BigGrid();
  TIntList L(-1, -1);
  FillList(L);
  G->HideRowList(&L);
  for (auto _ : state) {
    long Sum = 0;
    for (int r = 0; r < kRows; ++r) Sum += G->RemapRow(r);
    for (int d = 0; d < kRows - kHidden; ++d) Sum += G->RemapRowInv(d);
    benchmark::DoNotOptimize(Sum);
  }
  state.SetLabel("RemapRow + RemapRowInv of every row");
  state.SetItemsProcessed(state.iterations() * (2 * kRows - kHidden));
}
BENCHMARK(BM_RemapEveryRowWithThousandHidden)->Unit(benchmark::kMillisecond);

// A 20 x 50 area: every cell of it reads the base cell's text.
void BM_CellsThroughMergedArea(benchmark::State& state) {
  VIduZozezuVodu G(nullptr);
  G.SetColCountEx(30);
  G.SetRowCountEx(100);
  G.MergeCells(5, 10, 20, 50);
  G.SetCellEx(5, 10, "base");
  for (auto _ : state) {
    std::size_t Len = 0;
    for (int c = 5; c < 25; ++c)
      for (int r = 10; r < 60; ++r) Len += G.GetCellEx(c, r).size();
    benchmark::DoNotOptimize(Len);
  }
  state.SetItemsProcessed(state.iterations() * 20 * 50);
}
BENCHMARK(BM_CellsThroughMergedArea);

}  // namespace
