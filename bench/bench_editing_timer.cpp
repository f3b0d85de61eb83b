// One tick of the grid's periodic timer (lookup expiry, hovering, the scan
// for blinking cells) at 1,000 and at 1,000,000 rows: the tick should cost
// the visible cells only, whatever the row count.
#include <benchmark/benchmark.h>

#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"

namespace {

void BM_PeriodicTimerTick(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  TForm form(nullptr);
  form.SetBounds(0, 0, 1024, 768);
  auto* grid = new VIduZozezuVodu(&form);
  grid->SetParent(&form);
  grid->SetBounds(0, 0, 1000, 740);
  grid->SetColCount(10);
  grid->SetRowCount(rows);
  for (int r = 1; r < rows; r += 97) grid->SetCells(1 + r % 9, r, r % 2 ? "<BLINK>on</BLINK>" : std::to_string(r));
  grid->SetEnableBlink(true);
  grid->SetHovering(true);
  grid->GetNavigation()->AutoGotoIncremental = true;
  grid->SetTopRow(rows / 2);
  for (auto _ : state) grid->Perform(WM_TIMER, VIduZozezuVodu::GridTimerId, 0);
  state.SetLabel(std::to_string(rows) + " rows, " + std::to_string(grid->GetVisibleRowCount()) + " visible");
}
BENCHMARK(BM_PeriodicTimerTick)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
