// Painting a grid-like area of 40 rows x 80 columns of plain text cells into
// an offscreen bitmap through the GDI layer: background fill, single-line
// text and grid lines per cell, as the grid's cell renderer does. The target
// is under 5 ms per paint.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/graphics/gdi.h"
#include "platform/graphics/graphics.h"

namespace {

constexpr int kRows = 40, kCols = 80, kCellW = 24, kCellH = 18;

void PaintCells(benchmark::State& state) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, kCols * kCellW, kRows * kCellH);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  TFont font;  // the grid's default font
  HGDIOBJ oldFont = SelectObject(dc, font.GetHandle());
  HBRUSH window = GetSysColorBrush(COLOR_WINDOW), fixed = GetSysColorBrush(COLOR_BTNFACE);
  HPEN line = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldPen = SelectObject(dc, line);
  std::vector<std::string> texts;
  for (int i = 0; i < kRows * kCols; ++i) texts.push_back(std::to_string((i * 7919) % 1000));
  for (auto _ : state) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) {
        RECT cell{c * kCellW, r * kCellH, (c + 1) * kCellW - 1, (r + 1) * kCellH - 1};
        FillRect(dc, &cell, r == 0 || c == 0 ? fixed : window);
        RECT text{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
        const std::string& t = texts[static_cast<std::size_t>(r * kCols + c)];
        DrawTextA(dc, t.c_str(), static_cast<int>(t.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
      }
    for (int r = 1; r <= kRows; ++r) {
      MoveToEx(dc, 0, r * kCellH - 1, nullptr);
      LineTo(dc, kCols * kCellW, r * kCellH - 1);
    }
    for (int c = 1; c <= kCols; ++c) {
      MoveToEx(dc, c * kCellW - 1, 0, nullptr);
      LineTo(dc, c * kCellW - 1, kRows * kCellH);
    }
    benchmark::ClobberMemory();
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBmp);
  DeleteObject(line);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}
BENCHMARK(PaintCells)->Unit(benchmark::kMillisecond);

// The same through TCanvas, as painters that use the framework classes do.
void PaintCellsCanvas(benchmark::State& state) {
  TBitmap bmp;
  bmp.SetSize(kCols * kCellW, kRows * kCellH);
  TCanvas* cv = bmp.GetCanvas();
  std::vector<AnsiString> texts;
  for (int i = 0; i < kRows * kCols; ++i) texts.push_back(std::to_string((i * 7919) % 1000));
  for (auto _ : state) {
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) {
        TRect cell(c * kCellW, r * kCellH, (c + 1) * kCellW - 1, (r + 1) * kCellH - 1);
        cv->GetBrush()->SetColor(r == 0 || c == 0 ? clBtnFace : clWindow);
        cv->FillRect(cell);
        cv->GetBrush()->SetStyle(bsClear);
        RECT text{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
        const AnsiString& t = texts[static_cast<std::size_t>(r * kCols + c)];
        cv->RequireState(false, true, true);
        DrawTextA(cv->GetHandle(), t.c_str(), static_cast<int>(t.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(PaintCellsCanvas)->Unit(benchmark::kMillisecond);

}  // namespace
