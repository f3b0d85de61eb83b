// The grid's properties, counts and geometry, the current cell and the
// selection, and scrolling (TopRow/LeftCol and the scroll bars).
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/grids/grids.h"

namespace {
const char* const SFixedColTooBig = "Fixed column count must be less than column count";
const char* const SFixedRowTooBig = "Fixed row count must be less than row count";
// The scroll bars show the position on a fixed scale, whatever the count.
constexpr int ScrollRangeMax = 127;
}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner), FStore(5, 5, 64, 24) {
  // Clicks come from MoveColRow, not from the button release.
  FControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
  FTabStop = true;
  FBorderStyle = bsSingle;
  FParentColor = false;
  FColor = clWindow;
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
  // The editor is an owned component freed after us: cut its way back.
  if (FInplaceEdit) FInplaceEdit->SetGrid(nullptr);
}

// ---- Axis geometry --------------------------------------------------------------------------

int TCustomGrid::Size(bool Horz, int Index) const {
  int s = Horz ? FStore.GetColWidth(Index) : FStore.GetRowHeight(Index);
  return s > 0 ? s : 0;
}

int TCustomGrid::LineWidth(bool Horz) const {
  const TGridOptions lines = Horz ? (goFixedVertLine | goVertLine) : (goFixedHorzLine | goHorzLine);
  return (FOptions & lines) ? FGridLineWidth : 0;
}

int TCustomGrid::Extent(bool Horz) {
  TRect r = GetClientRect();
  return Horz ? r.Width() : r.Height();
}

Int64 TCustomGrid::FixedExtent(bool Horz) const {
  int f = Fixed(Horz);
  return Offset(Horz, f) + Int64(f) * LineWidth(Horz);
}

Int64 TCustomGrid::Pos(bool Horz, int I) const {
  int f = Fixed(Horz);
  Int64 lw = LineWidth(Horz);
  if (I < f) return Offset(Horz, I) + I * lw;
  int first = First(Horz);
  return FixedExtent(Horz) + Offset(Horz, I) - Offset(Horz, first) + (I - first) * lw;
}

// The last displayed index whose start is at or before P, if P falls in it
// or its line; -1 otherwise.
int TCustomGrid::IndexAt(bool Horz, Int64 P) {
  if (P < 0 || P >= Extent(Horz)) return -1;
  int lo, hi;  // search [lo, hi)
  if (P < FixedExtent(Horz)) {
    lo = 0;
    hi = Fixed(Horz);
  } else {
    lo = First(Horz);
    hi = Count(Horz);
  }
  if (lo >= hi) return -1;
  // Gallop from the first shown index: the answer lies a screen away, so
  // the search costs the same on a million rows as on a thousand.
  int a = lo, b = hi - 1;
  for (int step = 1; a < b; step *= 2) {
    int m = step < b - a ? a + step : b;
    if (Pos(Horz, m) <= P) a = m;
    else {
      b = m - 1;
      break;
    }
  }
  while (a < b) {
    int m = a + (b - a + 1) / 2;
    if (Pos(Horz, m) <= P) a = m;
    else b = m - 1;
  }
  if (Pos(Horz, a) > P || P >= Pos(Horz, a) + Size(Horz, a) + LineWidth(Horz)) return -1;
  return a;
}

int TCustomGrid::VisibleCount(bool Horz) {
  int first = First(Horz), count = Count(Horz), ext = Extent(Horz);
  // Count the cells from First whose end lies within the client area,
  // galloping from First so that the rows beyond the screen cost nothing.
  int a = first - 1, b = count - 1;
  for (int step = 1; a < b; step *= 2) {
    int m = step < b - a ? a + step : b;
    if (Pos(Horz, m) + Size(Horz, m) <= ext) a = m;
    else {
      b = m - 1;
      break;
    }
  }
  while (a < b) {
    int m = a + (b - a + 1) / 2;
    if (Pos(Horz, m) + Size(Horz, m) <= ext) a = m;
    else b = m - 1;
  }
  return a - first + 1;
}

int TCustomGrid::FirstShowingLast(bool Horz, int I) {
  // Smallest first in [fixed, I] such that I ends within the client area.
  Int64 room = Extent(Horz) - FixedExtent(Horz);
  Int64 lw = LineWidth(Horz);
  int f = Fixed(Horz);
  const Int64 endI = Offset(Horz, I) + Size(Horz, I);
  auto fits = [&](int m) { return endI - Offset(Horz, m) + (I - m) * lw <= room; };
  // Gallop back from I (a screen's worth of indices at most fit), then
  // halve what is left.
  int a = f, b = I;
  for (int step = 1; a < b; step *= 2) {
    int m = step < b - a ? b - step : a;
    if (fits(m)) b = m;
    else {
      a = m + 1;
      break;
    }
  }
  while (a < b) {
    int m = a + (b - a) / 2;
    if (fits(m)) b = m;
    else a = m + 1;
  }
  return std::max(a, f);
}

int TCustomGrid::MaxFirst(bool Horz) {
  int count = Count(Horz), f = Fixed(Horz);
  if (count <= f) return f;
  return FirstShowingLast(Horz, count - 1);
}

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return TRect();
  if ((ACol >= FFixedCols && ACol < FTopLeft.X) || (ARow >= FFixedRows && ARow < FTopLeft.Y)) return TRect();
  Int64 x = Pos(true, ACol), y = Pos(false, ARow);
  int w = Size(true, ACol), h = Size(false, ARow);
  int cw = Extent(true), ch = Extent(false);
  if (w == 0 || h == 0 || x >= cw || y >= ch) return TRect();
  return TRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(std::min<Int64>(x + w, cw)),
               static_cast<int>(std::min<Int64>(y + h, ch)));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  TGridCoord c{IndexAt(true, X), IndexAt(false, Y)};
  if (c.X < 0 || c.Y < 0) return TGridCoord{-1, -1};
  return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

int TCustomGrid::GetVisibleColCount() { return VisibleCount(true); }
int TCustomGrid::GetVisibleRowCount() { return VisibleCount(false); }

int TCustomGrid::GetGridWidth() {
  return static_cast<int>(std::min<Int64>(Pos(true, GetColCount()), Extent(true)));
}
int TCustomGrid::GetGridHeight() {
  return static_cast<int>(std::min<Int64>(Pos(false, GetRowCount()), Extent(false)));
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo) {
  for (bool horz : {true, false}) {
    TGridAxisDrawInfo& a = horz ? DrawInfo.Horz : DrawInfo.Vert;
    a.EffectiveLineWidth = LineWidth(horz);
    a.FixedBoundary = static_cast<int>(std::min<Int64>(FixedExtent(horz), Extent(horz)));
    a.GridBoundary = a.FixedBoundary;
    a.GridExtent = Extent(horz);
    a.FixedCellCount = Fixed(horz);
    a.FirstGridCell = First(horz);
    a.GridCellCount = Count(horz);
    a.LastFullVisibleCell = First(horz) - 1;
    a.FullVisBoundary = a.FixedBoundary;
  }
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo) {
  CalcFixedInfo(DrawInfo);
  for (bool horz : {true, false}) {
    TGridAxisDrawInfo& a = horz ? DrawInfo.Horz : DrawInfo.Vert;
    a.GridBoundary = static_cast<int>(std::min<Int64>(Pos(horz, Count(horz)), a.GridExtent));
    a.LastFullVisibleCell = First(horz) + VisibleCount(horz) - 1;
    if (a.LastFullVisibleCell >= First(horz))
      a.FullVisBoundary = static_cast<int>(Pos(horz, a.LastFullVisibleCell) + Size(horz, a.LastFullVisibleCell) +
                                           a.EffectiveLineWidth);
  }
}

// ---- Counts and sizes ---------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value) {
  if (Value < 1) Value = 1;
  int oldCols = GetColCount(), oldRows = GetRowCount();
  if (Value == oldCols) return;
  if (Value <= FFixedCols) FFixedCols = Value - 1;
  FStore.SetColCount(Value);
  AfterCountChange(oldCols, oldRows);
}

void TCustomGrid::SetRowCount(int Value) {
  if (Value < 1) Value = 1;
  int oldCols = GetColCount(), oldRows = GetRowCount();
  if (Value == oldRows) return;
  if (Value <= FFixedRows) FFixedRows = Value - 1;
  FStore.SetRowCount(Value);
  AfterCountChange(oldCols, oldRows);
}

void TCustomGrid::AfterCountChange(int OldCols, int OldRows) {
  ClampCurrent();
  SizeChanged(OldCols, OldRows);
  UpdateScrollBars();
  Invalidate();
  if (FEditorMode) UpdateEditorPlace();
}

// Keeps the current cell, the anchor and the top left cell within the counts
// and off the fixed cells where scrollable ones exist.
void TCustomGrid::ClampCurrent() {
  auto clamp = [this](TGridCoord& c) {
    c.X = std::clamp(c.X, std::min(FFixedCols, GetColCount() - 1), GetColCount() - 1);
    c.Y = std::clamp(c.Y, std::min(FFixedRows, GetRowCount() - 1), GetRowCount() - 1);
  };
  TGridCoord next = FCurrent;
  clamp(next);
  // The editor stores into the cell it was opened on before the cell changes.
  if (!(next == FCurrent)) HideEditorCore(true);
  FCurrent = next;
  clamp(FAnchor);
  TGridCoord oldTopLeft = FTopLeft;
  int maxX = std::max(FFixedCols, MaxFirst(true)), maxY = std::max(FFixedRows, MaxFirst(false));
  if (FTopLeft.X < FFixedCols || FTopLeft.X > maxX || FTopLeft.Y < FFixedRows || FTopLeft.Y > maxY)
    HideEditorCore(true);
  FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, maxX);
  FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, maxY);
  if (!(oldTopLeft == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0) RaiseGridIndexError();
  if (Value >= GetColCount()) throw EInvalidGridOperation(SFixedColTooBig);
  FFixedCols = Value;
  AfterCountChange(GetColCount(), GetRowCount());
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0) RaiseGridIndexError();
  if (Value >= GetRowCount()) throw EInvalidGridOperation(SFixedRowTooBig);
  FFixedRows = Value;
  AfterCountChange(GetColCount(), GetRowCount());
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FStore.SetDefaultColWidth(Value);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FStore.SetDefaultRowHeight(Value);
  RowHeightsChanged();
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= GetColCount()) RaiseGridIndexError();
  if (FStore.GetColWidth(Index) == Value) return;
  FStore.SetColWidth(Index, Value);
  ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= GetRowCount()) RaiseGridIndexError();
  if (FStore.GetRowHeight(Index) == Value) return;
  FStore.SetRowHeight(Index, Value);
  RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() {
  ClampCurrent();
  UpdateScrollBars();
  Invalidate();
  if (FEditorMode) UpdateEditorPlace();
}

void TCustomGrid::RowHeightsChanged() {
  ClampCurrent();
  UpdateScrollBars();
  Invalidate();
  if (FEditorMode) UpdateEditorPlace();
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::SetGridLineWidth(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if (!(FOptions & goEditing) || (FOptions & goRowSelect)) HideEditorCore(true);
  ClampCurrent();
  UpdateScrollBars();
  Invalidate();
  if ((FOptions & goAlwaysShowEditor) && !FEditorMode) ShowEditor();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  auto scale = [M, D](int v) { return static_cast<int>(Int64(v) * M / D); };
  // A new default resets every size: keep the custom ones aside first.
  std::vector<std::pair<int, int>> cols, rows;
  for (int c = 0; c < GetColCount(); ++c)
    if (FStore.GetColWidth(c) != FStore.GetDefaultColWidth()) cols.push_back({c, scale(FStore.GetColWidth(c))});
  for (int r = 0; r < GetRowCount(); ++r)
    if (FStore.GetRowHeight(r) != FStore.GetDefaultRowHeight()) rows.push_back({r, scale(FStore.GetRowHeight(r))});
  FStore.SetDefaultColWidth(scale(FStore.GetDefaultColWidth()));
  FStore.SetDefaultRowHeight(scale(FStore.GetDefaultRowHeight()));
  for (auto [c, w] : cols) FStore.SetColWidth(c, w);
  for (auto [r, h] : rows) FStore.SetRowHeight(r, h);
  ColWidthsChanged();
  RowHeightsChanged();
}

// ---- Current cell and selection ------------------------------------------------------------------

void TCustomGrid::CheckCoord(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) RaiseGridIndexError();
}

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::SetCol(int Value) {
  if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveColRow(ACol, ARow, MoveAnchor, true);
  Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  CheckCoord(ACol, ARow);
  if (!SelectCell(ACol, ARow)) return;
  TGridRect oldSel = GetSelection();
  bool moved = !(FCurrent == TGridCoord{ACol, ARow});
  if (moved) HideEditorCore(true);
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !(FOptions & goRangeSelect)) FAnchor = FCurrent;
  InvalidateSelection(oldSel);
  InvalidateSelection(GetSelection());
  if (Show) ClampInView(FCurrent);
  if (moved && (FOptions & goAlwaysShowEditor)) ShowEditor();
}

TGridRect TCustomGrid::GetSelection() const {
  TGridRect r{std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y), std::max(FCurrent.X, FAnchor.X),
              std::max(FCurrent.Y, FAnchor.Y)};
  if (FOptions & goRowSelect) {
    r.Left = FFixedCols;
    r.Right = GetColCount() - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  CheckCoord(Value.Left, Value.Top);
  CheckCoord(Value.Right, Value.Bottom);
  TGridRect oldSel = GetSelection();
  MoveColRow(Value.Left, Value.Top, true, true);
  if (!(FCurrent == TGridCoord{Value.Left, Value.Top})) return;  // vetoed
  FAnchor = {Value.Right, Value.Bottom};
  InvalidateSelection(oldSel);
  InvalidateSelection(GetSelection());
}

// ---- Scrolling ------------------------------------------------------------------------------------

void TCustomGrid::SetFirst(bool Horz, int Value) {
  int f = Fixed(Horz);
  Value = std::clamp(Value, f, std::max(f, MaxFirst(Horz)));
  int& first = Horz ? FTopLeft.X : FTopLeft.Y;
  if (Value == first) return;
  HideEditorCore(true);
  first = Value;
  Invalidate();
  UpdateScrollBars();
  TopLeftChanged();
  if (FOptions & goAlwaysShowEditor) ShowEditor();
}

void TCustomGrid::SetLeftCol(int Value) { SetFirst(true, Value); }
void TCustomGrid::SetTopRow(int Value) { SetFirst(false, Value); }

void TCustomGrid::TopLeftChanged() {}

void TCustomGrid::ClampInView(const TGridCoord& Coord) {
  for (bool horz : {true, false}) {
    int i = horz ? Coord.X : Coord.Y;
    if (i < Fixed(horz)) continue;
    if (i < First(horz)) SetFirst(horz, i);
    else if (Pos(horz, i) + Size(horz, i) > Extent(horz)) SetFirst(horz, FirstShowingLast(horz, i));
  }
}

int TCustomGrid::ScrollBarPos(bool Horz) {
  int f = Fixed(Horz), range = MaxFirst(Horz) - f;
  if (range <= 0) return 0;
  return static_cast<int>(Int64(First(Horz) - f) * ScrollRangeMax / range);
}

void TCustomGrid::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdatingScrollBars) return;
  FUpdatingScrollBars = true;
  // Showing one bar narrows the client area, which may call for the other:
  // settle in a few rounds.
  for (int round = 0; round < 3; ++round) {
    bool changed = false;
    for (bool horz : {true, false}) {
      bool wanted = horz ? (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
                         : (FScrollBars == ssVertical || FScrollBars == ssBoth);
      int bar = horz ? SB_HORZ : SB_VERT;
      bool can = wanted && MaxFirst(horz) > Fixed(horz);
      bool keep = wanted && (horz ? FKeepHorzBar : FKeepVertBar);
      SCROLLINFO old;
      old.fMask = SIF_ALL;
      bool had = GetScrollInfo(Handle(), bar, &old) && old.nMax > old.nMin;
      SCROLLINFO si;
      si.nMin = 0;
      si.nMax = can ? ScrollRangeMax : 0;
      si.nPage = 0;
      si.nPos = can ? ScrollBarPos(horz) : 0;
      // A bar that scrolls already keeps its range and page (a descendant
      // may size its thumb); only the position follows.
      si.fMask = had && can ? SIF_POS : SIF_RANGE | SIF_POS | SIF_PAGE | (keep ? SIF_DISABLENOSCROLL : 0);
      SetScrollInfo(Handle(), bar, &si, TRUE);
      if (had != can) {
        ShowScrollBar(Handle(), bar, can || keep ? TRUE : FALSE);
        changed = true;
      }
    }
    if (!changed) break;
    ClampCurrent();
  }
  FUpdatingScrollBars = false;
}

void TCustomGrid::ScrollMessage(bool Horz, WORD Code, int ThumbPos) {
  int f = Fixed(Horz), first = First(Horz), maxFirst = MaxFirst(Horz);
  int page = std::max(1, VisibleCount(Horz));
  auto fromThumb = [&](int p) {
    return f + static_cast<int>(Int64(std::clamp(p, 0, ScrollRangeMax)) * (maxFirst - f) / ScrollRangeMax);
  };
  switch (Code) {
    case SB_LINEUP: SetFirst(Horz, first - 1); break;
    case SB_LINEDOWN: SetFirst(Horz, first + 1); break;
    case SB_PAGEUP: SetFirst(Horz, first - page); break;
    case SB_PAGEDOWN: SetFirst(Horz, first + page); break;
    case SB_THUMBPOSITION: SetFirst(Horz, fromThumb(ThumbPos)); break;
    case SB_THUMBTRACK:
      if (FOptions & goThumbTracking) SetFirst(Horz, fromThumb(ThumbPos));
      break;
    case SB_TOP: SetFirst(Horz, f); break;
    case SB_BOTTOM: SetFirst(Horz, maxFirst); break;
    default: break;
  }
  // The thumb shows where the grid is, not where it was dragged to.
  if (Code != SB_THUMBTRACK || (FOptions & goThumbTracking)) UpdateScrollBars();
}

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomGrid::Resize() {
  ClampCurrent();
  UpdateScrollBars();
  if (FEditorMode) UpdateEditorPlace();
  TCustomControl::Resize();
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

// ---- Invalidation -----------------------------------------------------------------------------------

void TCustomGrid::InvalidateRange(int Left, int Top, int Right, int Bottom) {
  if (!HandleAllocated()) return;
  // The client span of indices Lo..Hi on one axis, clipped to what shows.
  auto span = [this](bool horz, int lo, int hi, Int64& a, Int64& b) {
    int f = Fixed(horz), first = First(horz);
    lo = std::max(lo, 0);
    hi = std::min(hi, Count(horz) - 1);
    if (lo > hi) return false;
    if (lo >= f && lo < first) lo = first;
    if (hi >= f && hi < first) hi = f - 1;
    if (lo > hi) return false;
    a = Pos(horz, lo);
    b = std::min<Int64>(Pos(horz, hi) + Size(horz, hi) + LineWidth(horz), Extent(horz));
    return a < b;
  };
  Int64 x0, x1, y0, y1;
  if (!span(true, Left, Right, x0, x1) || !span(false, Top, Bottom, y0, y1)) return;
  RECT rc{static_cast<LONG>(x0), static_cast<LONG>(y0), static_cast<LONG>(x1), static_cast<LONG>(y1)};
  InvalidateRect(Handle(), &rc, FALSE);
}

void TCustomGrid::InvalidateSelection(const TGridRect& Sel) { InvalidateRange(Sel.Left, Sel.Top, Sel.Right, Sel.Bottom); }
void TCustomGrid::InvalidateCell(int ACol, int ARow) { InvalidateRange(ACol, ARow, ACol, ARow); }
void TCustomGrid::InvalidateRow(int ARow) { InvalidateRange(0, ARow, GetColCount() - 1, ARow); }
void TCustomGrid::InvalidateCol(int ACol) { InvalidateRange(ACol, 0, ACol, GetRowCount() - 1); }

// ---- Moving whole columns and rows ----------------------------------------------------------------

namespace {
// Where index I ends up when From moves to To.
int MovedIndex(int I, int From, int To) {
  if (I == From) return To;
  if (From < To && I > From && I <= To) return I - 1;
  if (From > To && I >= To && I < From) return I + 1;
  return I;
}
}  // namespace

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= GetColCount() || ToIndex >= GetColCount()) RaiseGridIndexError();
  if (FromIndex == ToIndex) return;
  HideEditorCore(true);
  FStore.MoveCol(FromIndex, ToIndex, FMoveSizesWithCells);
  FCurrent.X = MovedIndex(FCurrent.X, FromIndex, ToIndex);
  FAnchor.X = MovedIndex(FAnchor.X, FromIndex, ToIndex);
  ColumnMoved(FromIndex, ToIndex);
  ClampCurrent();
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= GetRowCount() || ToIndex >= GetRowCount()) RaiseGridIndexError();
  if (FromIndex == ToIndex) return;
  HideEditorCore(true);
  FStore.MoveRow(FromIndex, ToIndex, FMoveSizesWithCells);
  FCurrent.Y = MovedIndex(FCurrent.Y, FromIndex, ToIndex);
  FAnchor.Y = MovedIndex(FAnchor.Y, FromIndex, ToIndex);
  RowMoved(FromIndex, ToIndex);
  ClampCurrent();
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
