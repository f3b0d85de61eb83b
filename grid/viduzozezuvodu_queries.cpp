// The per-cell queries: each applies the grid's own settings and the cell's
// properties, then raises its event so that the application decides per cell.
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::GetCellHint(int ACol, int ARow, AnsiString& Hint, WideString& WideHint) {
  if (OnGridHint) {
    OnGridHint(this, ARow, ACol, Hint);
    FOfficeHint->GetNotes()->SetText(Hint);
  }
  if (OnGridWideHint) {
    OnGridWideHint(this, ARow, ACol, WideHint);
    if (!WideHint.empty()) Hint = EncodeWideStr(WideHint);
  }
  if (OnOfficeHint) OnOfficeHint(this, ACol, ARow, FOfficeHint.get());
}

void VIduZozezuVodu::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (FActiveCellShow) {
    // The row header and the column header of the current cell light up.
    int D = RemapColInv(ACol);
    bool RowHeader = ARow == GetRow() && GetFixedCols() > 0 && D == GetFixedCols() - 1;
    bool ColHeader = D == GetCol() && GetFixedRows() > 0 && ARow == GetFixedRows() - 1;
    if (RowHeader || ColHeader) {
      AFont->Assign(FActiveCellFont);
      ABrush->SetColor(FActiveCellColor);
    }
  }
  if (const TCellProperties* P = PropsOf(ACol, ARow)) {
    // Graphics that paint their own background keep the caller's brush.
    switch (GetCellType(ACol, ARow)) {
      case ctIcon:
      case ctNone:
      case ctImageList:
      case ctEmpty:
      case ctImages:
      case ctComment:
        if (P->GetBrushColor() != clNone) ABrush->SetColor(P->GetBrushColor());
        break;
      default:
        break;
    }
    if (P->FontColor != clNone) AFont->SetColor(P->FontColor);
    if (P->FontStyle.Bits() != 0) AFont->SetStyle(P->FontStyle);
    if (P->FontSize != 0) AFont->SetSize(P->FontSize);
    if (!P->FontName.empty()) AFont->SetName(P->FontName);
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void VIduZozezuVodu::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void VIduZozezuVodu::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (FGrouping->HeaderUnderline && ACol > 0 && IsNode(ARow)) {
    Borders = cbBottom;
    APen->SetColor(FGrouping->HeaderLineColor);
    APen->SetWidth(FGrouping->HeaderLineWidth);
  }
  if (FGrouping->SummaryLine && ACol > 0 && IsSummary(ARow)) {
    Borders = cbTop;
    APen->SetColor(FGrouping->SummaryLineColor);
    APen->SetWidth(FGrouping->SummaryLineWidth);
  }
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void VIduZozezuVodu::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void VIduZozezuVodu::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (ACol == 0 && FMouseActions->GetHotmailRowSelect()) HAlign = taCenter;
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void VIduZozezuVodu::GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& Prefix, AnsiString& Suffix) {
  if (OnGetFormat) OnGetFormat(this, ACol, AStyle, Prefix, Suffix);
}

void VIduZozezuVodu::GetStaticCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void VIduZozezuVodu::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void VIduZozezuVodu::GetCellFixed(int ACol, int ARow, bool& IsFixed) {
  IsFixed = IsFixed || (FFixedRowAlways && ARow < FLoadedFixedRows && GetRowCount() == FLoadedFixedRows) ||
            (FFixedColAlways && ACol < FLoadedFixedCols && GetColCount() == FLoadedFixedCols) ||
            ACol < GetFixedCols() || ARow < GetFixedRows();
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void VIduZozezuVodu::GetCellReadOnly(int ACol, int ARow, bool& CanEdit) {
  TPoint B = BaseCell(ACol, ARow);
  if (const TCellProperties* P = PropsOf(B.x, B.y); P && CanEdit) {
    CanEdit = !P->ReadOnly;
    // Editing suspended for a read-only current cell still counts as editing.
    if (!(GetOptions() & goEditing) && !FMouseActions->RangeSelectAndEdit && !EditingSuspended) CanEdit = false;
  }
  DoCanEditCell(B.x, B.y, CanEdit);
}

void VIduZozezuVodu::DoCanEditCell(int ACol, int ARow, bool& CanEdit) {
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void VIduZozezuVodu::GetCellPassword(int ACol, int ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

bool VIduZozezuVodu::IsPassword(int ACol, int ARow) {
  bool Flag = false;
  GetCellPassword(ACol, ARow, Flag);
  return Flag;
}

void VIduZozezuVodu::GetCellWordWrap(int ACol, int ARow, bool& WordWrap) {
  if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool VIduZozezuVodu::HasCombo(int ACol, int ARow) {
  bool Result = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, Result);
  } else if (FControlLook->GetDropDownAlwaysVisible()) {
    TEditorType E = edNormal;
    GetCellEditor(ACol, ARow, E);
    Result = E == edComboEdit || E == edComboList || E == edUniComboEdit || E == edUniComboList;
  }
  return Result;
}

bool VIduZozezuVodu::HasSpinEdit(int ACol, int ARow) {
  if (ACol < GetFixedCols() || ARow < GetFixedRows()) return false;
  bool Result = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, Result);
  } else if (FControlLook->GetSpinButtonsAlwaysVisible()) {
    TEditorType E = FDefaultEditor;
    GetStaticCellEditor(ACol, ARow, E);
    Result = E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
  }
  return Result;
}

AnsiString VIduZozezuVodu::GetCheckTrue(int ACol, int ARow) {
  AnsiString Value = FCheckTrue;
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
  return Value;
}

AnsiString VIduZozezuVodu::GetCheckFalse(int ACol, int ARow) {
  AnsiString Value = FCheckFalse;
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
  return Value;
}

bool VIduZozezuVodu::GetFilter(int ACol) {
  FColumnFilter->Clear();
  if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, FColumnFilter);
  return FColumnFilter->GetCount() > 0;
}

void VIduZozezuVodu::DoSearchFooterAction(const AnsiString& Value, int ACol, int ARow, TSearchAction Action) {
  if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, Action);
}

bool VIduZozezuVodu::IsFixed(int ACol, int ARow) {
  int R = RemapCol(ACol);
  TPoint B = BaseCell(R, ARow);
  int D = RemapColInv(B.x);
  if (B.y >= GetRowCount() - FFixedFooters) return true;
  if (D >= GetColCount() - FFixedRightCols && D < GetColCount()) return true;
  bool Fixed = false;
  GetCellFixed(D, B.y, Fixed);
  return Fixed;
}

void VIduZozezuVodu::SetActiveCellShow(bool Value) {
  FActiveCellShow = Value;
  Invalidate();
}

void VIduZozezuVodu::SetActiveCellColor(TColor Value) {
  FActiveCellColor = Value;
  Invalidate();
}
