// The grid's XML export beside its CSV export of the same 100,000 x 10
// cells, and the XML import at 10,000 and 100,000 rows: the time per cell
// (items per second) should not grow with the file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "grid/viduzozezuvodu.h"

namespace {

constexpr int kCols = 10;

std::string Scratch(const std::string& Stem) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/bench_xml_" + std::to_string(getpid()) + "_" + Stem;
}

void Fill(VIduZozezuVodu& G, int Rows) {
  static const char* words[] = {"meter", "ЮНТ3", "Q&A", "a < b", "say \"hi\"", "energy", "", "12345", "3.14",
                                "network quality"};
  G.SetColCountEx(kCols);
  G.SetRowCountEx(Rows);
  for (int R = 0; R < Rows; ++R)
    for (int C = 0; C < kCols; ++C) G.SetCells(C, R, words[(R * 7 + C * 3) % 10]);
}

VIduZozezuVodu& Grid(int Rows) {
  static std::map<int, std::unique_ptr<VIduZozezuVodu>> grids;
  auto& g = grids[Rows];
  if (!g) {
    g = std::make_unique<VIduZozezuVodu>(nullptr);
    Fill(*g, Rows);
  }
  return *g;
}

void BM_SaveToCSV(benchmark::State& state) {
  VIduZozezuVodu& g = Grid(100000);
  const std::string file = Scratch("save.csv");
  for (auto _ : state) g.SaveToCSV(file);
  state.SetItemsProcessed(state.iterations() * 100000 * kCols);
  std::remove(file.c_str());
}

void BM_SaveToXML(benchmark::State& state) {
  VIduZozezuVodu& g = Grid(100000);
  const std::string file = Scratch("save.xml");
  for (auto _ : state) g.SaveToXML(file, "list", "row", nullptr, true);
  state.SetItemsProcessed(state.iterations() * 100000 * kCols);
  std::remove(file.c_str());
}

void BM_LoadFromXML(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const std::string file = Scratch("load_" + std::to_string(rows) + ".xml");
  Grid(rows).SaveToXML(file, "list", "row", nullptr, true);
  for (auto _ : state) {
    VIduZozezuVodu g(nullptr);
    g.LoadFromXML(file);
    benchmark::DoNotOptimize(g.GetRowCount());
  }
  state.SetItemsProcessed(state.iterations() * rows * kCols);
  std::remove(file.c_str());
}

}  // namespace

BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_SaveToXML)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_LoadFromXML)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2);
