// Cell objects at a million rows: a check-box column, checking it all,
// removing every comment of ten columns, removing the checked half of the
// rows, and a full repaint of a grid whose every row carries check boxes,
// radio groups, progress bars, pictures and image-list images, at 1,000 and
// at 1,000,000 rows (painting should cost the visible cells only).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

std::unique_ptr<VIduZozezuVodu> EmptyGrid() {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCountEx(kCols);
  G->SetRowCountEx(kRows + 1);
  return G;
}

void AddCheckBoxColumn(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = EmptyGrid();
    State.ResumeTiming();
    G->AddCheckBoxColumn(1, false, false);
    State.PauseTiming();
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(AddCheckBoxColumn)->Unit(benchmark::kMillisecond)->Iterations(1);

void CheckAll(benchmark::State& State) {
  auto G = EmptyGrid();
  G->AddCheckBoxColumn(1, false, false);
  for (auto _ : State) G->CheckAll(1);
}
BENCHMARK(CheckAll)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every tenth cell of the ten columns carries a comment.
void RemoveAllComments(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = EmptyGrid();
    for (int c = 0; c < kCols; ++c)
      for (int r = 1 + c; r <= kRows; r += 10) G->AddComment(c, r, "n");
    State.ResumeTiming();
    G->RemoveAllComments();
    State.PauseTiming();
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(RemoveAllComments)->Unit(benchmark::kMillisecond)->Iterations(1);

void RemoveCheckedRows(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto G = EmptyGrid();
    G->AddCheckBoxColumn(1, false, false);
    for (int r = 1; r <= kRows; r += 2) G->SetCheckBoxState(1, r, true);
    State.ResumeTiming();
    G->RemoveCheckedRows(1, true);
    State.PauseTiming();
    if (G->GetRowCount() != kRows / 2 + 1) State.SkipWithError("wrong number of rows left");
    G.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(RemoveCheckedRows)->Unit(benchmark::kMillisecond)->Iterations(1);

// The shared content of the object columns: the cells refer to it, the
// grid does not own it.
struct TCellContent {
  TCellContent() {
    Glyph.SetSize(16, 16);
    Glyph.GetCanvas()->GetBrush()->SetColor(0x2080E0);
    Glyph.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    Photo.GetBitmap()->SetSize(24, 16);
    Photo.GetBitmap()->GetCanvas()->GetBrush()->SetColor(0x40A040);
    Photo.GetBitmap()->GetCanvas()->FillRect(TRect(0, 0, 24, 16));
    Images.Add(&Glyph, nullptr);
    Captions.Add("Off");
    Captions.Add("Day");
    Captions.Add("Night");
  }
  TBitmap Glyph;
  TPicture Photo;
  TImageList Images{nullptr};
  TStringList Captions;
};

// Column 0 the row number, then a check box, a radio group, a plain and a
// gauge progress bar over the cell's number, a bitmap, a picture and an
// image-list image on every normal row, and two text columns.
void FillObjects(VIduZozezuVodu& G, int Rows, TCellContent& C) {
  static const char* const Zones[] = {"T1", "T2", "T3", "T4"};
  G.SetColCount(kCols);
  G.SetRowCount(Rows);
  G.SetDefaultRowHeight(22);
  G.SetGridImages(&C.Images);
  G.GetProgressAppearance()->SetShowGradient(true);
  G.ReserveProperties(static_cast<std::size_t>(Rows) * 8);
  G.AddCheckBoxColumn(1, false, false);
  for (int r = 1; r < Rows; ++r) {
    const std::string Percent = std::to_string(r % 101);
    G.SetCells(0, r, std::to_string(r));
    G.AddRadio(2, r, 1, r % 3, &C.Captions);
    G.SetCells(3, r, Percent);
    G.AddProgress(3, r, clLime, clWhite);
    G.SetCells(4, r, Percent);
    G.AddZytProgress(4, r, 0, 100);
    G.AddBitmap(5, r, &C.Glyph, false, haLeft, vaCenter);
    G.AddPicture(6, r, &C.Photo, false, noStretch, 1, haCenter, vaCenter);
    G.AddImageIdx(7, r, 0, haBeforeText, vaCenter);
    G.SetCells(7, r, Zones[r % 4]);
    G.SetCells(8 + r % 2, r, std::to_string(r * 7));
  }
  for (int r = 1; r < Rows; r += 2) G.SetCheckBoxState(1, r, true);
  G.SetColWidths(2, 150);
  G.SetTopRow(Rows / 2);
  G.SetRow(Rows / 2 + 1);
}

void RepaintObjectsScrolledToTheMiddle(benchmark::State& State) {
  const int Rows = static_cast<int>(State.range(0));
  TCellContent Content;
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 1024, 768);
  auto* G = new VIduZozezuVodu(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 1000, 740);
  FillObjects(*G, Rows, Content);
  TBitmap Target;
  Target.SetSize(1000, 740);
  for (auto _ : State) G->PaintTo(Target.GetCanvas()->GetHandle(), 0, 0);
  State.SetLabel(std::to_string(Rows) + " rows, " + std::to_string(G->GetVisibleRowCount()) + " visible");
  // The grid goes before the content its cells refer to.
  delete G;
}
BENCHMARK(RepaintObjectsScrolledToTheMiddle)->Arg(1000)->Arg(kRows)->Unit(benchmark::kMillisecond);

}  // namespace
