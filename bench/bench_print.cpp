// Printing a text grid of N x 10 cells in a fixed font: the preview of page
// 1 and the print to a PDF file, per row from 1,000 to 100,000 rows, beside
// the GUI library writing the same cells straight to a PDF. The counters
// give the time per row, the pages and the peak resident memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/graphics/printers.h"
#include "platform/graphics/printers_qtbaseline.h"

namespace {

std::string PdfName() {
  const char* Dir = std::getenv("TMPDIR");
  return std::string(Dir && *Dir ? Dir : "/tmp") + "/bench_print_" + std::to_string(getpid()) + ".pdf";
}

std::unique_ptr<VIduZozezuVodu> MakeGrid(int Rows) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCount(10);
  G->SetRowCount(Rows);
  TPrintSettings* PS = G->GetPrintSettings();
  for (TFont* F : {G->GetFont(), G->GetFixedFont(), PS->GetFont(), PS->GetFixedFont(), PS->GetHeaderFont(),
                   PS->GetFooterFont()})
    F->SetName(kTestFixedFontName);
  // Row numbers are padded so that every size prints texts of one length:
  // the cost per row then compares the same work.
  char Text[32];
  for (int R = 0; R < Rows; ++R)
    for (int C = 0; C < 10; ++C) {
      std::snprintf(Text, sizeof Text, "r%06dc%d", R, C);
      G->SetCellEx(C, R, Text);
    }
  PS->PageNr = ppBottomRight;
  return G;
}

long PeakKB() {
  rusage U{};
  getrusage(RUSAGE_SELF, &U);
  return U.ru_maxrss;
}

void Report(benchmark::State& State, int Rows, int Pages) {
  State.counters["per_row"] =
      benchmark::Counter(static_cast<double>(Rows), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
  State.counters["pages"] = Pages;
  State.counters["peak_MB"] = static_cast<double>(PeakKB()) / 1024.0;
}

void BM_PrintPreviewPage1(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  auto G = MakeGrid(Rows);
  TBitmap Page;
  Page.SetSize(794, 1123);
  int Pages = 0;
  G->OnPrintStart = [&](TObject*, int N, int&, int&) { Pages = N; };
  for (auto _ : State) G->PrintPreview(Page.GetCanvas(), TRect(0, 0, 794, 1123));
  Report(State, Rows, Pages);
}
BENCHMARK(BM_PrintPreviewPage1)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PrintToPdf(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  auto G = MakeGrid(Rows);
  const std::string File = PdfName();
  Printer()->SetFileName(File);
  int Pages = 0;
  G->OnPrintStart = [&](TObject*, int N, int&, int&) { Pages = N; };
  for (auto _ : State) G->Print();
  Report(State, Rows, Pages);
  std::remove(File.c_str());
}
BENCHMARK(BM_PrintToPdf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_QtBaselinePdf(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  const std::string File = PdfName();
  int Pages = 0;
  for (auto _ : State) Pages = PrintTextGridQtBaseline(File, Rows, 10);
  Report(State, Rows, Pages);
  std::remove(File.c_str());
}
BENCHMARK(BM_QtBaselinePdf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
