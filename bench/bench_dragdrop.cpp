// A drag moving over a grid: the drop target's per-move work (cell under
// the pointer, scrolling at the edges, the drop arrow) on 1,000 and on
// 1,000,000 rows (the same cost expected).
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"
#include "grid/vzvdd.h"
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

// 100,000 lines of ten cells dropped on a shown grid through its drop
// target, beside `PasteText` of the same text into a hidden and into a
// shown grid and `LoadFromCSV` of the same cells, in the same run (the
// paste bar: within 2x the CSV reader).
namespace {

constexpr int kDropRows = 100000;
constexpr int kDropCols = 10;

// Thread CPU time: the machine is shared, and waiting for a core is not
// the code's cost.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

AnsiString DropLines() {
  AnsiString t;
  t.reserve(static_cast<std::size_t>(kDropRows) * kDropCols * 12);
  for (int r = 0; r < kDropRows; ++r) {
    if (r) t += "\r\n";
    for (int c = 0; c < kDropCols; ++c) {
      if (c) t += '\t';
      t += "r" + std::to_string(r) + "c" + std::to_string(c);
    }
  }
  return t;
}

VIduZozezuVodu* EmptyDropGrid(TComponent* Owner) {
  auto* g = new VIduZozezuVodu(Owner);
  g->SetFixedRows(0);
  g->SetFixedCols(0);
  g->SetColCountEx(kDropCols);
  g->SetRowCountEx(1);
  g->SetOptions(g->GetOptions() | goEditing);
  return g;
}

// An empty grid filling a shown form.
VIduZozezuVodu* ShownDropGrid(std::unique_ptr<TForm>& Form) {
  Form = std::make_unique<TForm>(nullptr);
  Form->SetFormBorderStyle(::bsNone);
  Form->SetBounds(0, 0, 800, 600);
  VIduZozezuVodu* g = EmptyDropGrid(Form.get());
  g->SetParent(Form.get());
  g->SetBounds(0, 0, 800, 600);
  Form->Show();
  PumpUntilIdle();
  return g;
}

void BM_DropText100k(benchmark::State& State) {
  const AnsiString text = DropLines();
  const char* dir = std::getenv("TMPDIR");
  const std::string csv =
      std::string(dir && *dir ? dir : "/tmp") + "/bench_dragdrop_" + std::to_string(getpid()) + ".csv";
  {
    std::ofstream f(csv, std::ios::binary);
    for (char ch : text) f.put(ch == '\t' ? ',' : ch);
  }
  OleInitialize(nullptr);
  double dropMs = 0, pasteMs = 0, shownPasteMs = 0, csvMs = 0;
  for (auto _ : State) {
    {
      std::unique_ptr<VIduZozezuVodu> g(EmptyDropGrid(nullptr));
      double t0 = CpuMs();
      g->LoadFromCSV(csv);
      csvMs = CpuMs() - t0;
    }
    int cols = 0, rows = 0;
    {
      std::unique_ptr<VIduZozezuVodu> g(EmptyDropGrid(nullptr));
      double t0 = CpuMs();
      g->PasteText(0, 0, text, cols, rows);
      pasteMs = CpuMs() - t0;
    }
    {
      std::unique_ptr<TForm> form;
      VIduZozezuVodu* g = ShownDropGrid(form);
      double t0 = CpuMs();
      g->PasteText(0, 0, text, cols, rows);
      shownPasteMs = CpuMs() - t0;
    }
    std::unique_ptr<TForm> form;
    VIduZozezuVodu* g = ShownDropGrid(form);
    g->GetDragDropSettings()->SetOleDropTarget(true);
    auto* target = dynamic_cast<TGridDropTarget*>(g->GetDragDropSettings()->GetDropTarget());
    TInterfaceRef<IDataObject> data(new TSourceDataObject(text, "", -1));
    TRect cell = g->CellRect(0, 0);
    TPoint p = g->ClientToScreen(TPoint(cell.left + 2, cell.top + 2));
    POINTL pt{p.x, p.y};
    double t0 = CpuMs();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data.get(), MK_LBUTTON, pt, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, pt, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data.get(), 0, pt, &effect);
    dropMs = CpuMs() - t0;
    if (g->GetRowCount() != kDropRows || g->GetCellEx(kDropCols - 1, kDropRows - 1) != "r99999c9")
      State.SkipWithError("the drop lost cells");
  }
  OleUninitialize();
  TestResetKernel();
  std::remove(csv.c_str());
  State.counters["drop_ms"] = dropMs;
  State.counters["paste_ms"] = pasteMs;
  State.counters["shown_paste_ms"] = shownPasteMs;
  State.counters["load_csv_ms"] = csvMs;
  State.counters["drop_per_paste"] = dropMs / pasteMs;
  State.counters["drop_per_shown_paste"] = dropMs / shownPasteMs;
  State.counters["drop_per_csv"] = dropMs / csvMs;
}
BENCHMARK(BM_DropText100k)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
