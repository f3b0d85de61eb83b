// The binary cell stream of a grid of text cells (rows x 10): saving it,
// loading it back, and loading the same cells from a CSV file in the same
// run as the yardstick. Two sizes show that time grows with the cells.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/rtl/classes_streams.h"

namespace {

constexpr int kCols = 10;

std::unique_ptr<VIduZozezuVodu> FilledGrid(int Rows) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCount(kCols);
  G->SetRowCount(Rows);
  for (int R = 0; R < Rows; ++R)
    for (int C = 0; C < kCols; ++C) G->SetCells(C, R, "cell " + std::to_string(R * 7 + C) + (C % 3 ? " ЮНТ" : ""));
  return G;
}

std::string Stream(VIduZozezuVodu& G) {
  TStringStream S;
  G.SaveToBinStream(&S);
  return S.DataString();
}

void BM_SaveToBinStream(benchmark::State& State) {
  auto G = FilledGrid(static_cast<int>(State.range(0)));
  for (auto _ : State) benchmark::DoNotOptimize(Stream(*G));
  State.SetItemsProcessed(State.iterations() * State.range(0) * kCols);
}

void BM_LoadFromBinStream(benchmark::State& State) {
  auto G = FilledGrid(static_cast<int>(State.range(0)));
  // The stream is made once: copying its bytes is not the load's work.
  TStringStream S(Stream(*G));
  G.reset();
  for (auto _ : State) {
    VIduZozezuVodu T(nullptr);
    S.SetPosition(0);
    T.LoadFromBinStream(&S);
  }
  State.SetItemsProcessed(State.iterations() * State.range(0) * kCols);
}

void BM_LoadFromCSV(benchmark::State& State) {
  auto G = FilledGrid(static_cast<int>(State.range(0)));
  const std::string File = "/tmp/bench_binstream_" + std::to_string(getpid()) + ".csv";
  G->SaveToCSV(File);
  G.reset();
  for (auto _ : State) {
    VIduZozezuVodu T(nullptr);
    T.LoadFromCSV(File);
  }
  std::remove(File.c_str());
  State.SetItemsProcessed(State.iterations() * State.range(0) * kCols);
}

BENCHMARK(BM_SaveToBinStream)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromBinStream)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromCSV)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
