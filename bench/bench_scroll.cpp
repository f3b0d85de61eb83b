// Scrolling a shown grid: a wheel notch, a page down by the scroll bar and
// a thumb step with the view following the thumb, on 1,000 and on
// 1,000,000 rows (the same cost expected: nothing walks the rows).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "bench/bench_shown_grid.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

struct TShownGrid : TBenchGridForm {
  explicit TShownGrid(int Rows) : TBenchGridForm(8, Rows) {
    Form->Show();
    G->SetFocus();
    PumpUntilIdle();
  }
  void Send(UINT Msg, WPARAM W) { SendMessageA(G->Handle(), Msg, W, 0); }
};

// One notch down and one up, moving the current row.
void BM_WheelNotch(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  S.G->FocusCell(2, static_cast<int>(State.range(0)) / 2);
  for (auto _ : State) {
    S.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    S.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)));
  }
}
BENCHMARK(BM_WheelNotch)->Arg(1000)->Arg(1000000);

void BM_PageDownUp(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  S.G->SetTopRow(static_cast<int>(State.range(0)) / 2);
  for (auto _ : State) {
    S.Send(WM_VSCROLL, SB_PAGEDOWN);
    S.Send(WM_VSCROLL, SB_PAGEUP);
  }
}
BENCHMARK(BM_PageDownUp)->Arg(1000)->Arg(1000000);

// The thumb dragged one position and back with the rows following it.
void BM_ScrollSynchThumbStep(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  S.G->SetScrollSynch(true);
  for (auto _ : State) {
    S.Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 64));
    S.Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 65));
  }
}
BENCHMARK(BM_ScrollSynchThumbStep)->Arg(1000)->Arg(1000000);

// A proportional thumb measured again (the sums over the row heights).
void BM_UpdateVScroller(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  S.G->SetScrollProportional(true);
  for (auto _ : State) S.G->UpdateVScroller();
}
BENCHMARK(BM_UpdateVScroller)->Arg(1000)->Arg(1000000);

}  // namespace
