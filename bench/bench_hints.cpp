// A hint request (CM_HINTSHOW) over a cell in the middle of the grid with
// the cell's own text shown as hint, and a balloon text request, on 1,000
// and on 1,000,000 rows (the same cost expected: no walk over the rows).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench/bench_shown_grid.h"
#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/comctrls_tooltip.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

struct TShownGrid : TBenchGridForm {
  explicit TShownGrid(int Rows) : TBenchGridForm(6, Rows) {
    for (int r = 1; r <= Rows; r += 97) G->SetCells(2, r, "<b>row</b> " + std::to_string(r));
    G->SetHintShowCells(true);
    G->SetHintShowLargeText(true);
    G->OnGridHint = [](TObject*, int, int, AnsiString& H) { H += " "; };
    Form->Show();
    PumpUntilIdle();
    G->SetTopRow(Rows / 2);
    G->GetBalloon()->SetEnable(true);
    const TRect R = G->CellRect(2, G->GetTopRow() + 3);
    Point = TPoint(R.left + 4, R.top + 4);
    TestMouseMove(ClientPointToScreen(G->Handle(), Point.x, Point.y));
  }
  TPoint Point;
};

void BM_HintRequest(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    THintInfo Info;
    Info.HintControl = S.G;
    Info.CursorPos = S.Point;
    benchmark::DoNotOptimize(S.G->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)));
  }
}
BENCHMARK(BM_HintRequest)->Arg(1000)->Arg(1000000);

void BM_BalloonText(benchmark::State& State) {
  TShownGrid S(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    NMTTDISPINFOA Di{};
    Di.hdr = NMHDR{S.G->BalloonWindow, reinterpret_cast<UINT_PTR>(S.G->Handle()), TTN_GETDISPINFO};
    SendMessageA(S.G->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Di));
    benchmark::DoNotOptimize(Di.lpszText);
  }
}
BENCHMARK(BM_BalloonText)->Arg(1000)->Arg(1000000);

}  // namespace
