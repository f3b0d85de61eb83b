// A drag moving over a grid: the drop target's per-move work (cell under
// the pointer, scrolling at the edges, the drop arrow) on 1,000 and on
// 1,000,000 rows (the same cost expected).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

const bool Headless = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return true;
}();

void BM_DragMouseMove(benchmark::State& State) {
  const int rows = static_cast<int>(State.range(0));
  OleInitialize(nullptr);
  {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetFormBorderStyle(::bsNone);
    form->SetBounds(0, 0, 800, 600);
    auto* g = new VIduZozezuVodu(form.get());
    g->SetParent(form.get());
    g->SetBounds(0, 0, 800, 600);
    g->SetColCountEx(8);
    g->SetRowCountEx(rows + 1);
    form->Show();
    PumpUntilIdle();
    g->GetDragDropSettings()->SetOleDropTarget(true);
    g->SetTopRow(rows / 2);
    auto* target = dynamic_cast<TGridDropTarget*>(g->GetDragDropSettings()->GetDropTarget());
    // Over two inner cells in turn, and now and then over the partly shown
    // bottom row, which scrolls one row down.
    TRect a = g->CellRect(2, rows / 2 + 3), b = g->CellRect(3, rows / 2 + 5);
    TPoint pa = g->ClientToScreen(TPoint(a.left + 2, a.top + 2)), pb = g->ClientToScreen(TPoint(b.left + 2, b.top + 2));
    int n = 0;
    for (auto _ : State) {
      bool allow = true;
      TPoint p = (n & 1) ? pa : pb;
      if (n % 64 == 63) {
        TRect e = g->CellRect(2, g->GetTopRow() + g->GetVisibleRowCount());
        p = g->ClientToScreen(TPoint(e.left + 2, e.top + 2));
      }
      target->DragMouseMove(p, allow, 0);
      benchmark::DoNotOptimize(allow);
      if (g->GetTopRow() > rows - 100) g->SetTopRow(rows / 2);
      ++n;
    }
  }
  OleUninitialize();
  TestResetKernel();
}
BENCHMARK(BM_DragMouseMove)->Arg(1000)->Arg(1000000);

}  // namespace
