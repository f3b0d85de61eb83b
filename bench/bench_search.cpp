// The grid's row filter, find and narrow-down on 1,000,000 rows of random
// words, beside a Qt sort/filter proxy filtering the same words with the
// same wildcard in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/grids/gridfilter_qtbaseline.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

// Lower-case words of 3 to 10 letters, the same every run.
const std::vector<AnsiString>& Words() {
  static const std::vector<AnsiString> W = [] {
    std::mt19937 Rng(27);
    std::vector<AnsiString> V;
    V.reserve(static_cast<size_t>(kRows) * kCols);
    for (int i = 0; i < kRows * kCols; ++i) {
      AnsiString S(3 + Rng() % 8, 'a');
      for (char& c : S) c = static_cast<char>('a' + Rng() % 26);
      V.push_back(std::move(S));
    }
    return V;
  }();
  return W;
}

// One fixed row and column; the words fill columns 1 .. kCols.
VIduZozezuVodu& Grid() {
  static std::unique_ptr<VIduZozezuVodu> G = [] {
    auto P = std::make_unique<VIduZozezuVodu>(nullptr);
    P->SetColCountEx(kCols + 1);
    P->SetRowCountEx(kRows + 1);
    const auto& W = Words();
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) P->SetGridCell(c + 1, r + 1, W[static_cast<size_t>(r) * kCols + c]);
    return P;
  }();
  return *G;
}

double Ms(std::chrono::steady_clock::time_point T0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T0).count();
}

// SetFilterActive(true) with "*ab*" on column 1, beside the proxy's filter
// of the same column's words; also timed, untimed by the benchmark: the
// filter going off again (every hidden row shown).
void BM_FilterActiveBesideQtProxy(benchmark::State& state) {
  VIduZozezuVodu& G = Grid();
  std::vector<AnsiString> Column;
  Column.reserve(kRows);
  for (int r = 0; r < kRows; ++r) Column.push_back(Words()[static_cast<size_t>(r) * kCols]);
  TQtProxyFilter Qt(Column);
  G.GetFilter()->Clear();
  TFilterData* D = G.GetFilter()->Add();
  D->SetColumn(1);
  D->SetCondition("*ab*");
  double grid = 0, qt = 0, test = 0, off = 0;
  int kept = 0, qtKept = 0;
  for (auto _ : state) {
    auto T0 = std::chrono::steady_clock::now();
    G.SetFilterActive(true);
    grid = Ms(T0);
    kept = G.GetRowCount() - 1;
    state.PauseTiming();
    T0 = std::chrono::steady_clock::now();
    G.SetFilterActive(false);
    off = Ms(T0);
    // The same pass with every row kept: the testing alone, no row hidden.
    G.OnCustomFilter = [](TObject*, int, bool& Accept) { Accept = true; };
    T0 = std::chrono::steady_clock::now();
    G.SetFilterActive(true);
    test = Ms(T0);
    G.SetFilterActive(false);
    G.OnCustomFilter = nullptr;
    Qt.Filter("", true);
    T0 = std::chrono::steady_clock::now();
    qtKept = Qt.Filter("*ab*", true);
    qt = Ms(T0);
    state.ResumeTiming();
  }
  state.counters["grid_ms"] = grid;
  state.counters["grid_test_only_ms"] = test;
  state.counters["grid_off_ms"] = off;
  state.counters["qt_proxy_ms"] = qt;
  state.counters["times_faster"] = qt / grid;
  state.counters["rows_kept"] = kept;
  state.counters["qt_rows_kept"] = qtKept;
}
BENCHMARK(BM_FilterActiveBesideQtProxy)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

// FindFirst of a text no cell holds, ignoring case: every one of the
// 10,000,000 cells is compared.
void BM_FindFirstAbsent(benchmark::State& state) {
  VIduZozezuVodu& G = Grid();
  for (auto _ : state) {
    TPoint P = G.FindFirst("QQQQQQQQQQQQ", {});
    benchmark::DoNotOptimize(P);
  }
}
BENCHMARK(BM_FindFirstAbsent)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// One keystroke of the narrow-down ("a" to "ab" on column 1), beside the
// proxy filtering all rows for "*ab*" ignoring case.
void BM_NarrowDownKeystroke(benchmark::State& state) {
  VIduZozezuVodu& G = Grid();
  std::vector<AnsiString> Column;
  Column.reserve(kRows);
  for (int r = 0; r < kRows; ++r) Column.push_back(Words()[static_cast<size_t>(r) * kCols]);
  TQtProxyFilter Qt(Column);
  double grid = 0, qt = 0;
  for (auto _ : state) {
    state.PauseTiming();
    G.NarrowDown("", 1);
    G.NarrowDown("a", 1);
    state.ResumeTiming();
    auto T0 = std::chrono::steady_clock::now();
    G.NarrowDown("ab", 1);
    grid = Ms(T0);
    state.PauseTiming();
    G.NarrowDown("", 1);
    Qt.Filter("", false);
    T0 = std::chrono::steady_clock::now();
    Qt.Filter("*ab*", false);
    qt = Ms(T0);
    state.ResumeTiming();
  }
  state.counters["grid_ms"] = grid;
  state.counters["qt_proxy_ms"] = qt;
}
BENCHMARK(BM_NarrowDownKeystroke)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
