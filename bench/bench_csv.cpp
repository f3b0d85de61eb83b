// Loading a 1,000,000 x 10 CSV file (about 86 MB, fields of mixed length,
// some quoted) into an empty grid, beside a baseline that reads the file
// and keeps every field as a std::string in one flat vector; then saving
// the loaded grid. Peak memory is the process's largest resident size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

// The generated file goes when the program ends.
struct TCleanup {
  std::string Name;
  ~TCleanup() {
    if (!Name.empty()) std::remove(Name.c_str());
  }
} gCleanup;

const std::string& CsvFile() {
  static const std::string name = [] {
    const char* dir = std::getenv("TMPDIR");
    std::string n = std::string(dir && *dir ? dir : "/tmp") + "/bench_csv_" + std::to_string(getpid()) + ".csv";
    std::string text;
    text.reserve(90u << 20);
    std::minstd_rand rng(7);
    auto next = [&] { return static_cast<unsigned>(rng() & 0x7FFF); };
    static const char* words[] = {"meter", "ЮНТ3", "tariff", "load profile", "energy", "Q", "limit exceeded",
                                  "clock", "summer", "network quality"};
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) {
        if (c) text += ',';
        switch (next() % 8) {
          case 0: text += std::to_string(next() * 37 % 10000000); break;
          case 1: text.append("\"").append(words[next() % 10]).append(", ").append(words[next() % 10]).append("\""); break;
          case 2: text.append("\"say \"\"").append(words[next() % 10]).append("\"\"\""); break;
          case 3: text += std::to_string(next() % 1000) + "." + std::to_string(next() % 100); break;
          case 4: text += ""; break;
          default: text += words[next() % 10]; text += std::to_string(next() % 100); break;
        }
      }
      text += "\r\n";
    }
    std::ofstream(n, std::ios::binary) << text;
    gCleanup.Name = n;
    return n;
  }();
  return name;
}

double Ms(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

long PeakRssMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024;
}

// The baseline: the whole file read at once, every field (quotes undone)
// kept, plain fields copied straight from the text.
std::size_t BaselineLoad(const std::string& file, std::vector<std::string>& cells) {
  std::string text;
  if (FILE* f = std::fopen(file.c_str(), "rb")) {
    std::fseek(f, 0, SEEK_END);
    text.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(text.data(), 1, text.size(), f) != text.size()) text.clear();
    std::fclose(f);
  }
  cells.clear();
  cells.reserve(static_cast<std::size_t>(kRows) * kCols);
  std::size_t i = 0, n = text.size();
  const char* p = text.data();
  while (i < n) {
    if (p[i] == '"') {
      std::string field;
      for (++i; i < n; ++i) {
        if (p[i] != '"') {
          field += p[i];
        } else if (i + 1 < n && p[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          ++i;
          break;
        }
      }
      cells.push_back(std::move(field));
      while (i < n && p[i] != ',' && p[i] != '\r' && p[i] != '\n') ++i;
    } else {
      std::size_t s = i;
      while (i < n && p[i] != ',' && p[i] != '\r' && p[i] != '\n') ++i;
      cells.emplace_back(p + s, i - s);
    }
    if (i < n && p[i] == ',') {
      ++i;
    } else {
      while (i < n && (p[i] == '\r' || p[i] == '\n')) ++i;
    }
  }
  return cells.size();
}

void BM_LoadFromCSVBesideBaseline(benchmark::State& state) {
  const std::string& file = CsvFile();
  double grid = 0, base = 0;
  long peakGrid = 0, peakBase = 0;
  for (auto _ : state) {
    state.PauseTiming();
    {
      std::vector<std::string> cells;
      auto t0 = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(BaselineLoad(file, cells));
      base = Ms(t0);
      peakBase = PeakRssMb();
    }
    state.ResumeTiming();
    auto G = std::make_unique<VIduZozezuVodu>(nullptr);
    auto t0 = std::chrono::steady_clock::now();
    G->LoadFromCSV(file);
    grid = Ms(t0);
    peakGrid = PeakRssMb();
    if (G->GetRowCount() != kRows || G->GetColCount() != kCols) state.SkipWithError("wrong size");
    state.PauseTiming();
    G.reset();
    state.ResumeTiming();
  }
  state.counters["grid_ms"] = grid;
  state.counters["baseline_ms"] = base;
  state.counters["grid_per_baseline"] = grid / base;
  state.counters["peak_rss_mb_after_baseline"] = static_cast<double>(peakBase);
  state.counters["peak_rss_mb_after_grid"] = static_cast<double>(peakGrid);
}
BENCHMARK(BM_LoadFromCSVBesideBaseline)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

void BM_SaveToCSV(benchmark::State& state) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->LoadFromCSV(CsvFile());
  const std::string out = CsvFile() + ".saved";
  double ms = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    G->SaveToCSV(out);
    ms = Ms(t0);
  }
  state.counters["save_ms"] = ms;
  state.counters["peak_rss_mb"] = static_cast<double>(PeakRssMb());
  std::remove(out.c_str());
}
BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);


}  // namespace
