// Keys on a grid with its editor open: Down, Page Down, Ctrl+End and Tab
// at a row end, on 1,000 and on 1,000,000 rows (the same cost expected).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench/bench_shown_grid.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

constexpr int kCols = 8;

struct TShownGrid : TBenchGridForm {
  explicit TShownGrid(int Rows) : TBenchGridForm(kCols, Rows) {
    for (int r = 1; r <= Rows; r += 97) G->SetCellEx(1, r, std::to_string(r));
    G->SetOptions(G->GetOptions() | goEditing | goTabs);
    G->GetNavigation()->AdvanceAutoEdit = true;
    Form->Show();
    G->SetFocus();
    PumpUntilIdle();
  }
  void At(int Col, int Row) {
    G->FocusCell(Col, Row);
    G->ShowEditor();
  }
  void Send(WORD Key) { SendMessageA(G->Handle(), WM_KEYDOWN, Key, 0); }
};

void BM_DownUp(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  S.At(2, static_cast<int>(State.range(0)) / 2);
  for (auto _ : State) {
    S.Send(VK_DOWN);
    S.Send(VK_UP);
  }
}
BENCHMARK(BM_DownUp)->Arg(1000)->Arg(1000000);

void BM_PageDownUp(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  S.At(2, static_cast<int>(State.range(0)) / 2);
  for (auto _ : State) {
    S.Send(VK_NEXT);
    S.Send(VK_PRIOR);
  }
}
BENCHMARK(BM_PageDownUp)->Arg(1000)->Arg(1000000);

void BM_CtrlEndHome(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  S.At(2, 1);
  TestKeyDown(VK_CONTROL);
  PumpUntilIdle();
  for (auto _ : State) {
    S.Send(VK_END);
    S.Send(VK_HOME);
  }
  TestKeyUp(VK_CONTROL);
}
BENCHMARK(BM_CtrlEndHome)->Arg(1000)->Arg(1000000);

void BM_TabAtRowEnd(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  const int Row = static_cast<int>(State.range(0)) / 2;
  for (auto _ : State) {
    S.At(kCols - 1, Row);
    S.Send(VK_TAB);
  }
  if (S.G->GetRow() != Row + 1 || S.G->GetCol() != 1) State.SkipWithError("Tab did not reach the next row");
}
BENCHMARK(BM_TabAtRowEnd)->Arg(1000)->Arg(1000000);

}  // namespace
