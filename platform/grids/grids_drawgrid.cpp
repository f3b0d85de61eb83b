// TCustomDrawGrid's events and TStringGrid's cells.
#include "platform/grids/grids.h"

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

AnsiString TCustomDrawGrid::GetEditText(int ACol, int ARow) {
  AnsiString s;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
  return s;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

AnsiString TCustomDrawGrid::GetEditMask(int ACol, int ARow) {
  AnsiString s;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, s);
  return s;
}

// ---- TStringGrid --------------------------------------------------------------------------------

void TStringGrid::SetCells(int ACol, int ARow, const AnsiString& Value) {
  FStore.SetCell(ACol, ARow, Value);
  if (ACol < GetColCount() && ARow < GetRowCount()) InvalidateCell(ACol, ARow);
}

TStrings* TStringGrid::GetRows(int ARow) { return FStore.Rows(ARow); }
void TStringGrid::SetRows(int ARow, TStrings* Value) {
  FStore.Rows(ARow)->Assign(Value);
  InvalidateRow(ARow);
}
TStrings* TStringGrid::GetCols(int ACol) { return FStore.Cols(ACol); }
void TStringGrid::SetCols(int ACol, TStrings* Value) {
  FStore.Cols(ACol)->Assign(Value);
  InvalidateCol(ACol);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (GetDefaultDrawing()) {
    AnsiString text = FStore.GetCell(ACol, ARow);
    if (!text.empty()) Canvas()->TextRect(ARect, ARect.left + 2, ARect.top + 2, text);
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

AnsiString TStringGrid::GetEditText(int ACol, int ARow) {
  AnsiString s = FStore.GetCell(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
  return s;
}

void TStringGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}
