// Fitting column widths and row heights to the cells, fitting the columns
// into the control's width, rows of a number of text lines, and the veto of
// interactive sizing.
#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/radoriz.h"
#include "grid/updatebracket.h"
#include "grid/viduzozezuvodu.h"

namespace {

// The canvas measurements are made on: a small bitmap of the grid's, so
// that no window is needed.
TCanvas* MeasureCanvas(TBitmap*& MB) {
  if (!MB) {
    MB = new TBitmap;
    MB->SetSize(1, 1);
  }
  return MB->GetCanvas();
}

bool IsCheckType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRadioButton;
}

}  // namespace

void VIduZozezuVodu::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) AutoSizeColumns(false, 10);
}

void VIduZozezuVodu::SetIntegralHeight(bool Value) {
  FIntegralHeight = Value;
  SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

void VIduZozezuVodu::SetMeasureFont(int ACol, int ARow) {
  TCanvas* C = MeasureCanvas(FTextPaint.MeasureBitmap);
  bool Fixed = ACol < GetFixedCols() || ARow < GetFixedRows();
  C->GetFont()->Assign(Fixed ? FFixedFont.get() : GetFont());
  GetCellColor(ACol, ARow, 0, C->GetBrush(), C->GetFont());
}

int VIduZozezuVodu::LimitedColWidth(int Value) const { return CheckLimits(Value, FMinAutoColWidth, FMaxAutoColWidth); }

int VIduZozezuVodu::LimitedRowHeight(int Value) const {
  return CheckLimits(Value, FMinAutoRowHeight, FMaxAutoRowHeight);
}

void VIduZozezuVodu::AutoSizeCells(bool IncludeFixed, int ExtraX, int ExtraY) {
  TUpdateBracket<VIduZozezuVodu> U(this);
  const int FirstCol = IncludeFixed ? 0 : GetFixedCols();
  const int FirstRow = IncludeFixed ? 0 : GetFixedRows();
  const TPoint XY = FXYOffset;
  for (int i = FirstCol; i < GetColCount(); ++i) {
    const int R = RemapCol(i);
    int W = FAutoSizeGrowOnly ? GetColWidths(i) : 0;
    for (int j = FirstRow; j < GetRowCount(); ++j) {
      SetMeasureFont(i, j);
      const TPoint G = GetCellGraphicSize(i, j);
      const TSize T = GetCellTextSizeInt(R, i, j, false, false);
      const int NeedW = T.cx + G.x + ExtraX + XY.x;
      const int NeedH = T.cy + G.y + ExtraY + XY.y;
      if (!IsXMergedCell(i, j) && NeedW > W) {
        int L = LimitedColWidth(NeedW);
        if (L > W) {
          SetColWidths(i, L);
          W = L;
        }
      }
      if (!IsYMergedCell(i, j) && NeedH > GetRowHeights(j)) {
        int L = LimitedRowHeight(NeedH);
        if (L > GetRowHeights(j)) SetRowHeights(j, L);
      }
    }
  }
}

void VIduZozezuVodu::AutoSizeColumns(bool IncludeFixed, int Extra) {
  for (int i = IncludeFixed ? 0 : GetFixedCols(); i < GetColCount(); ++i) {
    AutoSizeCol(i);
    if (Extra != 0) SetColWidths(i, LimitedColWidth(GetColWidths(i) + Extra));
  }
}

void VIduZozezuVodu::AutoSizeCol(int ACol) { SizeToWidth(ACol, FAutoSizeGrowOnly); }

void VIduZozezuVodu::SizeToWidth(int ACol, bool GrowOnly) {
  const int R = RemapCol(ACol);
  const int LW = GetGridLineWidth();
  const TPoint XY = FXYOffset;
  const bool Combos = FControlLook->GetDropDownAlwaysVisible();
  int Widest = 0;
  for (int Row = 0; Row < GetRowCount(); ++Row) {
    if (IsXMergedCell(ACol, Row)) continue;
    const TPoint G = GetCellGraphicSize(R, Row);
    int W = G.x + GetCellTextSizeInt(R, ACol, Row, false, false).cx;
    if (Combos && HasCombo(ACol, Row)) W += 16;
    if (TCellGraphic* CG = GetCellGraphic(R, Row); CG && CG->CellHAlign == haFull) W = G.x - 2 * LW - XY.x - 2;
    Widest = std::max(Widest, W);
  }
  int Width = 2 * LW + Widest + XY.x + 2;
  if (!GrowOnly || Width > GetColWidths(ACol)) {
    UpdateAutoColSize(ACol, Width);
    SetColWidths(ACol, LimitedColWidth(Width));
  }
}

void VIduZozezuVodu::AutoSizeRows(bool IncludeFixed, int Extra) {
  if (GetRowCount() == 0) return;
  ExportNotification(esExportStart, -1);
  for (int r = IncludeFixed ? 0 : GetFixedRows(); r < GetRowCount(); ++r) {
    ExportNotification(esExportNewRow, r);
    if (GetWordWrapEx()) {
      AutoSizeRow(r, 0);
      if (Extra != 0) SetRowHeights(r, LimitedRowHeight(GetRowHeights(r) + Extra));
    } else {
      SizeToLines(r, MaxLinesInRow(r), Extra);
    }
  }
  UpdateScrollBars();
  ExportNotification(esExportDone, -1);
}

void VIduZozezuVodu::AutoSizeRow(int ARow, int Extra) {
  SizeToHeight(ARow, FAutoSizeGrowOnly);
  if (Extra != 0) SetRowHeights(ARow, LimitedRowHeight(GetRowHeights(ARow) + Extra));
}

void VIduZozezuVodu::SizeToHeight(int ARow, bool GrowOnly) {
  const bool Typing =
      GetVisibleRowCount() == GetRowCount() && GetEditorMode() && FSizeWhileTyping && FSizeWhileTyping->Height;
  const int DRH = GetDefaultRowHeight();
  int Highest = 0;
  for (int i = 0; i < GetColCount(); ++i) {
    if (IsYMergedCell(i, ARow) || IsIgnoredColumn(i)) continue;
    const int R = RemapCol(i);
    int H;
    if (IsMergedNonBaseCell(i, ARow)) {
      H = 0;
    } else if (IsCheckType(GetCellType(R, ARow))) {
      H = DRH;
    } else {
      int TH = GetCellTextSizeInt(R, i, ARow, GetWordWrapEx(), false).cy;
      int GH = GetCellGraphicSize(R, ARow).y;
      if (TCellGraphic* CG = GetCellGraphic(R, ARow)) {
        if (CG->CellVAlign == vaFull) GH = TH != 0 ? 0 : DRH;
        if ((CG->CellType == ctDataCheckBox || CG->CellType == ctVirtCheckBox) && GH > 0) TH = 0;
      }
      H = TH + GH;
    }
    Highest = std::max(Highest, H);
  }
  int Height = 2 * GetGridLineWidth() + Highest + FXYOffset.y;
  if (!GrowOnly || Height > GetRowHeights(ARow)) SetRowHeights(ARow, LimitedRowHeight(Height));
  if (Typing && GetVisibleRowCount() != GetRowCount()) {
    ShowEditor();
    if (TInplaceEdit* Ed = GetInplaceEditor()) Ed->SetSelStart(static_cast<int>(Ed->GetText().size()));
  }
}

void VIduZozezuVodu::SizeToLines(int ARow, int Lines, int Extra) {
  SetMeasureFont(GetFixedCols(), ARow);
  const int H = MeasureCanvas(FTextPaint.MeasureBitmap)->TextHeight("gh");
  SetRowHeights(ARow, LimitedRowHeight(Extra + Lines * (H + H / 8)));
}

void VIduZozezuVodu::AutoFitColumns(bool IncludeFixed) {
  const int Cols = GetColCount();
  if (Cols <= 0) return;
  int S = 0;
  if (FScrollBarAlways == saVert ||
      (GetScrollBars() != ssNone && GetVisibleRowCount() + GetFixedRows() < GetRowCount()))
    S = GetSystemMetrics(SM_CXVSCROLL);
  int B = 0;
  if (GetBorderStyle() == bsSingle) B = GetCtl3D() ? 4 : 2;
  if (Cols <= 1) {
    SetColWidths(0, GetWidth() - S - 5);
    return;
  }
  const int FR = GetFixedRightCols();
  int From = 0, To = Cols - 1, A = GetWidth();
  if (!IncludeFixed) {
    From = GetFixedCols();
    To = Cols - FR - 1;
    for (int c = 0; c < From; ++c) A -= GetColWidths(c);
    for (int c = To + 1; c < Cols; ++c) A -= GetColWidths(c);
  }
  if (To < From) return;
  int L = 0;
  if (GetOptions() & goVertLine) L = GetGridLineWidth() * (Cols - GetFixedCols() - FR);
  if ((GetOptions() & goFixedVertLine) && IncludeFixed) L += GetFixedCols() + FR;
  long long Sum = 0;
  for (int c = From; c <= To; ++c) Sum += GetColWidths(c);
  if (Sum > 0) {
    const double F = static_cast<double>(A - S - B - L) / static_cast<double>(Sum);
    double T = 0;
    for (int c = From; c <= To; ++c) T += std::nearbyint(GetColWidths(c) * F);
    // Halves to the even integer, as nearbyint rounds by default.
    std::vector<int> W;
    for (int c = From; c <= To; ++c)
      W.push_back(static_cast<int>(std::nearbyint(GetColWidths(c) * T / static_cast<double>(Sum))));
    for (int c = From; c <= To; ++c) SetColWidths(c, W[static_cast<std::size_t>(c - From)]);
  }
  int Now = 0;
  for (int c = From; c <= To; ++c) Now += GetColWidths(c);
  int Rest = A - (Now + S + B);
  const int N = To - From + 1;
  if (N < Rest && N > 1) {
    for (int c = From; c <= To; ++c) SetColWidths(c, GetColWidths(c) + Rest / N);
    Rest %= N;
  }
  int Widest = From;
  for (int c = From + 1; c <= To; ++c)
    if (GetColWidths(c) > GetColWidths(Widest)) Widest = c;
  SetColWidths(Widest, GetColWidths(Widest) + Rest);
}

void VIduZozezuVodu::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                     TGridDrawInfo& FixedInfo) {
  TStringGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
  int C = 0, R = 0;
  MouseToCell(X - 6, Y, C, R);
  if (R < GetFixedRows() && C >= 0 && OnColumnSize) {
    bool Allow = true;
    OnColumnSize(this, C, Allow);
    if (!Allow) State = gsNormal;
  }
  MouseToCell(X, Y - 6, C, R);
  if (C < GetFixedCols() && OnRowSize) {
    bool Allow = true;
    OnRowSize(this, R, Allow);
    if (!Allow) State = gsNormal;
  }
}

void VIduZozezuVodu::CellTextChange(int ACol, int ARow) {
  if (!HasAutoRangeScrollBar(ACol, ARow)) return;
  TScrollProp P = GetScrollProp(ACol, ARow);
  P.PageSize = GetRowHeights(ARow);
  P.Range = GetCellTextSize(ACol, ARow, true, true).cy;
  SetScrollProp(ACol, ARow, P);
}
