// The grid's paint loop: DrawCell once for every visible cell, fixed cells
// first, with the default background, lines and focus rectangle when
// default drawing is on, and the grid's colour beyond the last cell.
#include <algorithm>
#include <vector>

#include "platform/grids/grids.h"

void TCustomGrid::Paint() {
  TCanvas* canvas = Canvas();
  const int cw = Extent(true), ch = Extent(false);
  TRect clip = canvas->GetClipRect();
  // The visible cells of one axis: fixed ones, then scrollable ones from the
  // first until the client area ends; hidden (zero-size) ones are skipped.
  auto visible = [this](bool horz, int ext, int lo, int hi) {
    std::vector<TGridSpan> spans;
    int lw = LineWidth(horz);
    Int64 p = 0;
    for (int i = 0; i < Fixed(horz) && p < ext; ++i) {
      int s = Size(horz, i);
      if (s > 0 && p + s > lo && p < hi) spans.push_back({i, static_cast<int>(p), s});
      p += s + lw;
    }
    p = FixedExtent(horz);
    for (int i = First(horz); i < Count(horz) && p < ext && p < hi; ++i) {
      int s = Size(horz, i);
      if (s > 0 && p + s > lo) spans.push_back({i, static_cast<int>(p), s});
      p += s + lw;
    }
    return spans;
  };
  const std::vector<TGridSpan> cols = visible(true, cw, clip.left, clip.right);
  const std::vector<TGridSpan> rows = visible(false, ch, clip.top, clip.bottom);
  const TGridRect sel = GetSelection();
  const bool active = IsActive();
  const bool focusSelected = (FOptions & (goDrawFocusSelected | goRowSelect)) != 0;
  const bool editing = FEditorMode && FInplaceEdit && FInplaceEdit->Visible();

  for (const TGridSpan& r : rows) {
    for (const TGridSpan& c : cols) {
      TRect where(c.Start, r.Start, std::min(c.Start + c.Size, cw), std::min(r.Start + r.Size, ch));
      TGridDrawState state = 0;
      bool fixed = c.Index < FFixedCols || r.Index < FFixedRows;
      if (fixed) {
        state |= gdFixed;
      } else {
        bool current = c.Index == FCurrent.X && r.Index == FCurrent.Y;
        bool inSel = c.Index >= sel.Left && c.Index <= sel.Right && r.Index >= sel.Top && r.Index <= sel.Bottom;
        if (current && active) state |= gdFocused;
        if (inSel && (focusSelected || !current || !active)) state |= gdSelected;
      }
      if (FDefaultDrawing) {
        TColor back = (state & gdFixed) ? FFixedColor : (state & gdSelected) ? clHighlight : GetColor();
        canvas->GetBrush()->SetColor(back);
        canvas->GetFont()->Assign(GetFont());
        if (state & gdSelected) canvas->GetFont()->SetColor(clHighlightText);
        canvas->FillRect(where);
      }
      DrawCell(c.Index, r.Index, where, state);
      if (FDefaultDrawing && (state & gdFocused) && !(FOptions & goRowSelect) && !editing)
        canvas->DrawFocusRect(where);
    }
  }

  if (FDefaultDrawing) PaintDefaults(cols, rows);
  // The area beyond the last cell is no cell's, whoever draws the cells:
  // rows and columns that went away must not stay on the screen there.
  const int gw = GetGridWidth(), gh = GetGridHeight();
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(GetColor());
  if (gw < cw) canvas->FillRect(TRect(gw, 0, cw, ch));
  if (gh < ch) canvas->FillRect(TRect(0, gh, std::min(gw, cw), ch));
  // A repaint while a border is dragged puts the XOR line back over the
  // fresh cells, so the next XOR still takes it away everywhere.
  if (FGridState == gsColSizing || FGridState == gsRowSizing) PaintSizingLine(canvas);
}

// Lines after each cell.
void TCustomGrid::PaintDefaults(const std::vector<TGridSpan>& cols, const std::vector<TGridSpan>& rows) {
  TCanvas* canvas = Canvas();
  const int cw = Extent(true), ch = Extent(false);
  canvas->GetPen()->SetColor(clBtnShadow);
  canvas->GetPen()->SetWidth(1);
  canvas->GetBrush()->SetColor(clBtnShadow);
  for (bool horz : {true, false}) {
    int lw = LineWidth(horz);
    if (lw == 0) continue;
    const std::vector<TGridSpan>& spans = horz ? cols : rows;
    int across = horz ? ch : cw;
    for (const TGridSpan& s : spans) {
      bool fixedLine = s.Index < Fixed(horz);
      if (!(FOptions & (horz ? (fixedLine ? goFixedVertLine : goVertLine) : (fixedLine ? goFixedHorzLine : goHorzLine))))
        continue;
      int at = s.Start + s.Size;
      TRect line = horz ? TRect(at, 0, at + lw, across) : TRect(0, at, across, at + lw);
      canvas->FillRect(line);
    }
  }
}

// The grid draws its focus while it or its editor has the focus.
bool TCustomGrid::IsActive() {
  if (!HandleAllocated()) return false;
  HWND focus = GetFocus();
  return focus == FHandle || (FInplaceEdit && FInplaceEdit->HandleAllocated() && focus == FInplaceEdit->Handle());
}
