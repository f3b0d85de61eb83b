// The grid renderer: a full repaint of a 10-column grid with texts, colours
// from the colour event and merged headers, scrolled to its middle, at 1,000
// and at 1,000,000 rows (painting should cost the visible cells only), and
// the look of one cell, with the heap allocations it makes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"

namespace {
std::atomic<long> Allocations{0};
}  // namespace

// Out of line, so that the compiler does not pair the inlined malloc and free.
[[gnu::noinline]] void* operator new(std::size_t n) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kCols = 10;

void Fill(VIduZozezuVodu& G, int Rows) {
  G.SetColCount(kCols);
  G.SetRowCount(Rows);
  G.SetFixedRows(2);
  for (int c = 1; c < kCols; ++c) G.SetCells(c, 1, "Column " + std::to_string(c));
  G.MergeCells(1, 0, 3, 1);
  G.MergeCells(4, 0, 3, 1);
  G.MergeCells(7, 0, 3, 1);
  G.SetCells(1, 0, "Energy");
  G.SetCells(4, 0, "Power");
  G.SetCells(7, 0, "Tariffs");
  for (int r = 2; r < Rows; ++r) {
    G.SetCells(0, r, std::to_string(r));
    G.SetCells(1 + r % (kCols - 1), r, std::to_string(r * 7));
  }
  // A few merged areas in the middle, where the view is.
  for (int r = Rows / 2; r < Rows / 2 + 30; r += 6) G.MergeCells(2, r, 2, 2);
  G.OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* B, TFont* F) {
    if (ARow % 5 == 0 && ACol > 0) B->SetColor(0xD0F0D0);
    if (ARow % 7 == 0) F->SetColor(clRed);
  };
  G.SetTopRow(Rows / 2);
  G.SetRow(Rows / 2 + 1);
}

void BM_RepaintScrolledToTheMiddle(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  TForm form(nullptr);
  form.SetBounds(0, 0, 1024, 768);
  auto* grid = new VIduZozezuVodu(&form);
  grid->SetParent(&form);
  grid->SetBounds(0, 0, 1000, 740);
  Fill(*grid, rows);
  TBitmap bitmap;
  bitmap.SetSize(1000, 740);
  for (auto _ : state) grid->PaintTo(bitmap.Canvas()->GetHandle(), 0, 0);
  state.SetLabel(std::to_string(rows) + " rows, " + std::to_string(grid->GetVisibleRowCount()) + " visible");
}
BENCHMARK(BM_RepaintScrolledToTheMiddle)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_GetVisualProperties(benchmark::State& state) {
  VIduZozezuVodu grid(nullptr);
  grid.SetColCount(kCols);
  grid.SetRowCount(100);
  grid.SetColors(3, 5, 0x123456);
  TBrush brush;
  TFont font;
  TColor to, mirror, mirrorTo;
  TAlignment ha;
  TVAlignment va;
  bool ww = false;
  TCellGradientDirection gd;
  long allocs = 0, calls = 0;
  for (auto _ : state) {
    for (int r : {0, 5, 6}) {
      TGridDrawState s = 0;
      const long before = Allocations.load(std::memory_order_relaxed);
      grid.GetVisualProperties(3, r, s, false, true, true, &brush, to, mirror, mirrorTo, &font, ha, va, ww, gd);
      allocs += Allocations.load(std::memory_order_relaxed) - before;
      ++calls;
    }
  }
  state.counters["allocs/call"] = calls ? static_cast<double>(allocs) / static_cast<double>(calls) : 0.0;
}
BENCHMARK(BM_GetVisualProperties);

}  // namespace
