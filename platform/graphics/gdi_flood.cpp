// Flood fill: a span fill over the device pixels. The area is found first
// and filled afterwards, so a brush of the boundary colour (or a hatched
// brush) cannot make the search run on forever or stop early.
#include <QRegion>
#include <vector>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type) {
  if (!IsLiveDC(dc) || !dc->S.Bitmap || !dc->S.Brush) return FALSE;
  RecordPt(dc, "ExtFloodFill", x, y, {}, type);
  HBITMAP bmp = dc->S.Bitmap;
  POINT s = ToDev(dc, x, y);
  RECT b = Bounds(dc);
  auto inside = [&](int px, int py) {
    return px >= b.left && px < b.right && py >= b.top && py < b.bottom &&
           (!dc->S.Clip || dc->S.Clip->contains(QPoint(px, py)));
  };
  if (!inside(s.x, s.y)) return FALSE;
  const std::uint32_t key = DevColor(dc, color) & 0xFFFFFFu;
  const bool border = type != FLOODFILLSURFACE;
  auto fillable = [&](int px, int py) {
    bool same = (bmp->Row(py)[px] & 0xFFFFFFu) == key;
    return border ? !same : same;
  };
  if (!fillable(s.x, s.y)) return FALSE;

  const int w = b.right - b.left;
  std::vector<bool> seen(static_cast<std::size_t>(w) * static_cast<std::size_t>(b.bottom - b.top));
  auto mark = [&](int px, int py) -> std::vector<bool>::reference {
    return seen[static_cast<std::size_t>(py - b.top) * static_cast<std::size_t>(w) + static_cast<std::size_t>(px - b.left)];
  };
  auto open = [&](int px, int py) { return inside(px, py) && !mark(px, py) && fillable(px, py); };
  std::vector<RECT> spans;
  std::vector<POINT> todo{s};
  while (!todo.empty()) {
    POINT p = todo.back();
    todo.pop_back();
    if (!open(p.x, p.y)) continue;
    int l = p.x, r = p.x;
    while (open(l - 1, p.y)) --l;
    while (open(r + 1, p.y)) ++r;
    for (int i = l; i <= r; ++i) mark(i, p.y) = true;
    spans.push_back(RECT{l, p.y, r + 1, p.y + 1});
    for (int ny : {p.y - 1, p.y + 1}) {
      bool run = false;
      for (int i = l; i <= r; ++i) {
        bool o = open(i, ny);
        if (o && !run) todo.push_back(POINT{i, ny});
        run = o;
      }
    }
  }
  for (const RECT& r : spans) FillDevBrush(dc, r, dc->S.Brush);
  return TRUE;
}

BOOL FloodFill(HDC dc, int x, int y, COLORREF color) { return ExtFloodFill(dc, x, y, color, FLOODFILLBORDER); }
