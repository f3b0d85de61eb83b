// The pointer over a shown grid on 1,000 and on 1,000,000 rows (the same
// cost expected): one step of a column sizing drag, a column moved by code
// and back, and the pointer moving between two cells.
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
    G->SetOptions(G->GetOptions() | goColSizing);
    G->SetHoverFixedCells(hfAll);
    G->GetMouseActions()->RowSelect = true;
    G->GetMouseActions()->ColSelect = true;
    Form->Show();
    G->SetFocus();
    PumpUntilIdle();
  }
  void Send(UINT Msg, WPARAM Keys, int X, int Y) {
    SendMessageA(G->Handle(), Msg, Keys, MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y)));
  }
};

void BM_SizingDragStep(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  const int Edge = S.G->CellRect(2, 0).right;
  S.Send(WM_LBUTTONDOWN, MK_LBUTTON, Edge, 5);
  S.G->SizingCell.Col = 2;
  S.G->SizingCell.Row = 0;
  S.G->SizingCell.Width = S.G->GetColWidths(2);
  int I = 0;
  for (auto _ : State) S.Send(WM_MOUSEMOVE, MK_LBUTTON, Edge + 10 + (++I & 7), 6);
  S.Send(WM_LBUTTONUP, 0, Edge + 10, 6);
}
BENCHMARK(BM_SizingDragStep)->Arg(1000)->Arg(1000000);

void BM_MoveColumn(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    S.G->MoveColumn(1, 3);
    S.G->MoveColumn(3, 1);
  }
}
BENCHMARK(BM_MoveColumn)->Arg(1000)->Arg(1000000);

void BM_MouseMoveOverCells(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  const TRect A = S.G->CellRect(2, 3), B = S.G->CellRect(0, 5);
  for (auto _ : State) {
    S.Send(WM_MOUSEMOVE, 0, A.left + 5, A.top + 5);
    S.Send(WM_MOUSEMOVE, 0, B.left + 5, B.top + 5);
  }
}
BENCHMARK(BM_MouseMoveOverCells)->Arg(1000)->Arg(1000000);

}  // namespace
