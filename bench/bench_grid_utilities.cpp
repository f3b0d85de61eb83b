// The grid's per-cell text utilities over a million cells: the filter's
// wildcard matcher and the typing of cell texts.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "grid/radoriz.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr int kCells = 1000000;

std::vector<AnsiString> MakeCells() {
  std::vector<AnsiString> cells;
  cells.reserve(kCells);
  for (int i = 0; i < kCells; ++i) {
    switch (i % 4) {
      case 0: cells.push_back("Счётчик " + std::to_string(i)); break;
      case 1: cells.push_back(std::to_string(i)); break;
      case 2: cells.push_back(std::to_string(i) + ",25"); break;
      default: cells.push_back("1,5e" + std::to_string(i % 30)); break;
    }
  }
  return cells;
}

const std::vector<AnsiString>& Cells() {
  static const std::vector<AnsiString> cells = MakeCells();
  return cells;
}

// A three-star pattern that none of the cells matches.
void BM_MatchesThreeStars(benchmark::State& state) {
  const auto& cells = Cells();
  for (auto _ : state) {
    int hits = 0;
    for (const auto& c : cells) hits += Matches("*1*2*xyz", c);
    benchmark::DoNotOptimize(hits);
  }
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_MatchesThreeStars)->Unit(benchmark::kMillisecond);

void BM_TextType(benchmark::State& state) {
  const auto& cells = Cells();
  for (auto _ : state) {
    int n = 0;
    for (const auto& c : cells) n += TextType(c, true);
    benchmark::DoNotOptimize(n);
  }
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_TextType)->Unit(benchmark::kMillisecond);

void BM_IsType(benchmark::State& state) {
  const auto& cells = Cells();
  for (auto _ : state) {
    int n = 0;
    for (const auto& c : cells) n += IsType(c);
    benchmark::DoNotOptimize(n);
  }
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_IsType)->Unit(benchmark::kMillisecond);

}  // namespace
