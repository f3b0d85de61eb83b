// Clipboard copy of 1,000,000 x 10 plain cells and the paste of that text
// into an empty grid without undo store, each beside the CSV writer or
// reader on the same cells in the same run (the bar is 2x).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/clipbrd.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

double Ms(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

std::string TempName() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/bench_clipboard_" + std::to_string(getpid()) + ".csv";
}

std::unique_ptr<VIduZozezuVodu> EmptyGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetFixedRows(0);
  G->SetFixedCols(0);
  G->SetColCountEx(kCols);
  G->SetRowCountEx(1);
  G->SetOptions(G->GetOptions() | goEditing);
  return G;
}

VIduZozezuVodu& Source() {
  static std::unique_ptr<VIduZozezuVodu> G = [] {
    auto N = EmptyGrid();
    N->SetRowCountEx(kRows);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) N->SetCellEx(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    return N;
  }();
  return *G;
}

void BM_CopyToClipBoard(benchmark::State& state) {
  VIduZozezuVodu& G = Source();
  const std::string File = TempName();
  auto t0 = std::chrono::steady_clock::now();
  G.SaveToCSV(File);
  const double CsvMs = Ms(t0);
  std::remove(File.c_str());
  double CopyMs = 0;
  for (auto _ : state) {
    t0 = std::chrono::steady_clock::now();
    G.CopyToClipBoard();
    CopyMs = Ms(t0);
  }
  state.counters["copy_ms"] = CopyMs;
  state.counters["save_csv_ms"] = CsvMs;
  state.counters["ratio"] = CopyMs / CsvMs;
}

void BM_PasteText(benchmark::State& state) {
  VIduZozezuVodu& S = Source();
  S.CopyToClipBoard();
  const AnsiString Text = Clipboard()->GetAsText();
  const std::string File = TempName();
  S.SaveToCSV(File);
  double CsvMs = 0, PasteMs = 0;
  for (auto _ : state) {
    {
      auto G = EmptyGrid();
      auto t0 = std::chrono::steady_clock::now();
      G->LoadFromCSV(File);
      CsvMs = Ms(t0);
    }
    auto G = EmptyGrid();
    int Cols = 0, Rows = 0;
    auto t0 = std::chrono::steady_clock::now();
    G->PasteText(0, 0, Text, Cols, Rows);
    PasteMs = Ms(t0);
    if (G->GetRowCount() != kRows || G->GetCellEx(kCols - 1, kRows - 1) != S.GetCellEx(kCols - 1, kRows - 1))
      state.SkipWithError("paste lost cells");
  }
  std::remove(File.c_str());
  state.counters["paste_ms"] = PasteMs;
  state.counters["load_csv_ms"] = CsvMs;
  state.counters["ratio"] = PasteMs / CsvMs;
}

}  // namespace

BENCHMARK(BM_CopyToClipBoard)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PasteText)->Unit(benchmark::kMillisecond)->Iterations(1);
