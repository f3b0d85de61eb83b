// Structure operations of the grid at a million rows: sorting a column of
// words (against a Qt item model sorting the same words), undoing the sort,
// grouping and sub-grouping, folding every node, removing every other row by the selection,
// and a column sum with non-numeric cells.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/grids/sort_qtbaseline.h"

namespace {

constexpr int kRows = 1000000;

// Random words of 4 to 11 lower-case letters, the same for every run.
const std::vector<AnsiString>& Words() {
  static const std::vector<AnsiString> W = [] {
    std::mt19937 Rng(2024);
    std::vector<AnsiString> V;
    V.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
      int Len = 4 + static_cast<int>(Rng() % 8);
      AnsiString S;
      for (int k = 0; k < Len; ++k) S += static_cast<char>('a' + Rng() % 26);
      V.push_back(S);
    }
    return V;
  }();
  return W;
}

// One fixed row, the words in column 1 and a row number in column 2.
std::unique_ptr<VIduZozezuVodu> WordGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCount(3);
  G->SetRowCountEx(kRows + 1);
  const auto& W = Words();
  for (int r = 1; r <= kRows; ++r) {
    G->SetCells(1, r, W[static_cast<std::size_t>(r - 1)]);
    G->SetCells(2, r, std::to_string(r));
  }
  return G;
}

void BM_QSortWords(benchmark::State& State) {
  auto G = WordGrid();
  G->GetSortSettings()->Column = 1;
  for (auto _ : State) {
    G->QSort();
    State.PauseTiming();
    G->QUnSort();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_QSortWords)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_QtItemModelSortWords(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto M = std::make_unique<TQtItemModelSort>(Words());
    State.ResumeTiming();
    M->Sort();
    State.PauseTiming();
    M.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_QtItemModelSortWords)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_QUnSort(benchmark::State& State) {
  auto G = WordGrid();
  G->GetSortSettings()->Column = 1;
  for (auto _ : State) {
    State.PauseTiming();
    G->QSort();
    State.ResumeTiming();
    G->QUnSort();
  }
}
BENCHMARK(BM_QUnSort)->Unit(benchmark::kMillisecond)->Iterations(3);

// Appended rather than prefixed: the prefixing form draws a false overlap
// warning from the optimiser.
AnsiString GroupName(int N) {
  AnsiString S = "g";
  S += std::to_string(N);
  return S;
}

// 10,000 groups of 100 rows, in random order: Group sorts first.
void BM_GroupWithSummary(benchmark::State& State) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCount(4);
  G->SetRowCountEx(kRows + 1);
  std::mt19937 Rng(5);
  for (int r = 1; r <= kRows; ++r) {
    G->SetCells(2, r, GroupName(static_cast<int>(Rng() % 10000)));
    G->SetCells(3, r, std::to_string(r % 1000));
  }
  G->GetGrouping()->Summary = true;
  for (auto _ : State) {
    G->Group(2);
    State.PauseTiming();
    if (G->GetNodeCount() != 10000) State.SkipWithError("wrong group count");
    G->UnGroup();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_GroupWithSummary)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_UnGroupWithSummary(benchmark::State& State) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCount(4);
  G->SetRowCountEx(kRows + 1);
  for (int r = 1; r <= kRows; ++r) G->SetCells(2, r, GroupName(r / 100 + 10000));
  G->GetGrouping()->Summary = true;
  for (auto _ : State) {
    State.PauseTiming();
    G->Group(2);
    State.ResumeTiming();
    G->UnGroup();
  }
}
BENCHMARK(BM_UnGroupWithSummary)->Unit(benchmark::kMillisecond)->Iterations(2);

// Groups of 100 rows by column 1, each sorted by a sub key of ten values in
// column 2: at a million rows 10,000 groups and 100,000 subgroups.
std::unique_ptr<VIduZozezuVodu> GroupedGrid(int Rows) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCount(4);
  G->SetRowCountEx(Rows + 1);
  for (int r = 1; r <= Rows; ++r) {
    int Group = (r - 1) / 100, InGroup = (r - 1) % 100;
    G->SetCells(1, r, std::to_string(Group + 100000));
    G->SetCells(2, r, std::to_string(InGroup / 10));
    G->SetCells(3, r, std::to_string(r));
  }
  G->GetSortSettings()->AutoSortForGrouping = false;
  G->Group(1);  // the sub key moves to column 1
  return G;
}

void SubGroupCheck(benchmark::State& State, VIduZozezuVodu& G, int Rows) {
  if (G.GetNodeCount() != Rows / 100 + Rows / 10) State.SkipWithError("wrong node count");
}

void BM_SubGroup(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  auto G = GroupedGrid(Rows);
  for (auto _ : State) {
    G->SubGroup(1);
    State.PauseTiming();
    SubGroupCheck(State, *G, Rows);
    G->SubUnGroup(1);
    State.ResumeTiming();
  }
  State.SetItemsProcessed(State.iterations() * Rows);
}
BENCHMARK(BM_SubGroup)->Arg(100000)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SubUnGroup(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  auto G = GroupedGrid(Rows);
  for (auto _ : State) {
    State.PauseTiming();
    G->SubGroup(1);
    SubGroupCheck(State, *G, Rows);
    State.ResumeTiming();
    G->SubUnGroup(1);
  }
  if (G->GetNodeCount() != Rows / 100) State.SkipWithError("subgroups left");
  State.SetItemsProcessed(State.iterations() * Rows);
}
BENCHMARK(BM_SubUnGroup)->Arg(100000)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(2);

// 100,000 nodes of ten rows each.
std::unique_ptr<VIduZozezuVodu> NodeGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetRowCountEx(kRows + 1);
  for (int r = 1; r <= kRows; r += 10) G->AddNode(r, 10);
  return G;
}

void BM_ContractAll(benchmark::State& State) {
  auto G = NodeGrid();
  for (auto _ : State) {
    G->ContractAll();
    State.PauseTiming();
    if (G->GetRowCount() != 100001) State.SkipWithError("rows left shown");
    G->ExpandAll();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_ContractAll)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExpandAll(benchmark::State& State) {
  auto G = NodeGrid();
  for (auto _ : State) {
    State.PauseTiming();
    G->ContractAll();
    State.ResumeTiming();
    G->ExpandAll();
    State.PauseTiming();
    if (G->GetRowCount() != kRows + 1) State.SkipWithError("rows left hidden");
    State.ResumeTiming();
  }
}
BENCHMARK(BM_ExpandAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every other row selected, then removed (or kept).
std::unique_ptr<VIduZozezuVodu> SelectedGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetRowCountEx(kRows + 1);
  for (int r = 1; r <= kRows; ++r) G->SetCells(1, r, std::to_string(r));
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  for (int r = 1; r <= kRows; r += 2) G->SetRowSelect(r, true);
  return G;
}

void BM_RemoveSelectedRows(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = SelectedGrid();
    State.ResumeTiming();
    G->RemoveSelectedRows();
    State.PauseTiming();
    if (G->GetRowCount() != kRows / 2 + 1) State.SkipWithError("wrong row count");
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_RemoveSelectedRows)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RemoveUnSelectedRows(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = SelectedGrid();
    State.ResumeTiming();
    G->RemoveUnSelectedRows();
    State.PauseTiming();
    if (G->GetRowCount() != kRows / 2 + 1) State.SkipWithError("wrong row count");
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_RemoveUnSelectedRows)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ColumnSum(benchmark::State& State) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetRowCountEx(kRows + 1);
  for (int r = 1; r <= kRows; ++r) G->SetCellEx(1, r, r % 10 == 0 ? AnsiString("n/a") : std::to_string(r % 1000));
  for (auto _ : State) benchmark::DoNotOptimize(G->ColumnSum(1, 1, kRows));
}
BENCHMARK(BM_ColumnSum)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
