// The grid core at a million rows: filling 10 columns through Cells (and
// the memory a plain text cell takes), hiding a thousand scattered rows or
// every other row as one filter level and bringing them back, remapping
// rows with some hidden, and reading cells through merged-cell redirection.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include <memory>
#include <random>
#include <string>
#include <vector>

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

// Resident memory: the cell store maps its large chunks apart from the heap.
std::size_t HeapInUse() {
  std::size_t pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%zu %zu", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Texts of 8 characters: short enough for the string's own buffer, as most
// meter readings are.
void BM_FillMillionByTenThroughCells(benchmark::State& state) {
  double PerCell = 0;
  for (auto _ : state) {
    std::size_t Before = HeapInUse();
    auto G = std::make_unique<VIduZozezuVodu>(nullptr);
    G->SetColCountEx(10);
    G->SetRowCountEx(kRows);
    // Seven digits of the row and one of the column, made by hand so that
    // formatting does not dominate the figure.
    AnsiString Text(8, '0');
    for (int r = 0; r < kRows; ++r) {
      for (int i = 6, v = r; i >= 0; --i, v /= 10) Text[i] = static_cast<char>('0' + v % 10);
      for (int c = 0; c < 10; ++c) {
        Text[7] = static_cast<char>('0' + c);
        G->SetCellEx(c, r, Text);
      }
    }
    PerCell = static_cast<double>(HeapInUse() - Before) / (10.0 * kRows);
    state.PauseTiming();
    G.reset();
    state.ResumeTiming();
  }
  state.counters["bytes_per_cell"] = PerCell;
  state.SetItemsProcessed(state.iterations() * 10 * kRows);
}
BENCHMARK(BM_FillMillionByTenThroughCells)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HideAndUnHideEveryOtherRow(benchmark::State& state) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCountEx(10);
  G->SetRowCountEx(kRows);
  for (int r = 0; r < kRows; ++r) G->SetCellEx(1, r, std::to_string(r));
  TIntList L(-1, -1);
  for (int d = 1; d < kRows; d += 2) L.Add(d);
  for (auto _ : state) {
    G->HideRowList(&L);
    G->UnHideRowList();
    G->SetHideLevel(0);
  }
  state.SetLabel("500,000 of 1,000,000 rows, hide + unhide");
  state.SetItemsProcessed(state.iterations() * kRows / 2);
}
BENCHMARK(BM_HideAndUnHideEveryOtherRow)->Unit(benchmark::kMillisecond);

void BM_RemapRandomWithTenPercentHidden(benchmark::State& state) {
  auto G = BigGrid();
  std::mt19937 Rng(5);
  TIntList L(-1, -1);
  for (int d = 0; d < kRows; ++d)
    if (Rng() % 10 == 0) L.Add(d);
  G->HideRowList(&L);
  std::vector<int> Probe(1 << 16);
  for (int& p : Probe) p = static_cast<int>(Rng() % static_cast<unsigned>(G->GetRowCount()));
  std::size_t i = 0;
  for (auto _ : state) {
    int p = Probe[i++ & (Probe.size() - 1)];
    benchmark::DoNotOptimize(G->RemapRow(p) + G->RemapRowInv(p));
  }
  state.SetLabel("one RemapRow + one RemapRowInv");
}
BENCHMARK(BM_RemapRandomWithTenPercentHidden);

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
