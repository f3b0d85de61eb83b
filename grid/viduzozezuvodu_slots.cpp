// Bodies of the grid's virtual operations whose own layers (editing,
// clipboard, filter, grouping, sorting, cell graphics, row and column edits)
// fill them in: until then each keeps its caller correct with no effect or
// a neutral answer, or with the plain cell store behaviour it stands for.
#include <algorithm>
#include <vector>

#include "grid/viduzozezuvodu.h"

// ---- cells and the current cell ------------------------------------------------------------

void VIduZozezuVodu::UpdateOnSelection(TGridRect&) {}

AnsiString VIduZozezuVodu::GetCurrentCell() {
  TPoint B = BaseCell(RemapCol(GetCol()), GetRow());
  return GetGridCell(B.x, B.y);
}

void VIduZozezuVodu::SetCurrentCell(const AnsiString& Value) { SetCellEx(RemapCol(GetCol()), GetRow(), Value); }

AnsiString VIduZozezuVodu::GetCurrentDisplCell() { return GetCellEx(RemapCol(GetCol()), GetRow()); }

void VIduZozezuVodu::SetEditCell(const AnsiString& Value) {
  TPoint B = BaseCell(RemapCol(GetCol()), GetRow());
  SetEditText(RemapColInv(B.x), B.y, Value);
}

// ---- notifications and hooks --------------------------------------------------------------------

void VIduZozezuVodu::PasteStart() {}
void VIduZozezuVodu::PasteDone() {}
void VIduZozezuVodu::UpdateCell(int ACol, int) { CalcFooter(ACol); }
void VIduZozezuVodu::CellsLoaded() { CalcFooter(-1); }

// ---- rows, interaction, exchange --------------------------------------------------------------

void VIduZozezuVodu::DirectWheelChange(int, bool&) {}
void VIduZozezuVodu::CellSelect(int, int) {}
void VIduZozezuVodu::SetCellSelectMode(bool) {}
void VIduZozezuVodu::UpdateSelectionRect(TGridRect&) {}
void VIduZozezuVodu::EditKeyDown(WORD&, TShiftState) {}
void VIduZozezuVodu::Edit_WMKeyDown(TWMKey&) {}

void VIduZozezuVodu::TabToNextRowAtEnd() {
  if (GetFixedRows() < GetRowCount()) SetRow(GetFixedRows());
}

bool VIduZozezuVodu::DoAllowFmtPaste() { return FNavigation->AllowFmtClipboard; }

int VIduZozezuVodu::GetVersionNr() { return (4 << 24) | (6 << 16) | (0 << 8) | 8; }

AnsiString VIduZozezuVodu::GetVersionString() { return GetVersion() + " Jul, 2009"; }


// ---- selection, in-cell controls and nodes ----------------------------------------------------------


