// Bodies of the grid's virtual operations whose own layers (editing,
// clipboard, filter, grouping, sorting, cell graphics, row and column edits)
// fill them in: until then each keeps its caller correct with no effect or
// a neutral answer, or with the plain cell store behaviour it stands for.
#include <algorithm>
#include <vector>

#include "grid/viduzozezuvodu.h"

// ---- cells and the current cell ------------------------------------------------------------

void VIduZozezuVodu::UpdateEditingCell(int ACol, int ARow, const AnsiString& Value) { SetCellEx(ACol, ARow, Value); }

void VIduZozezuVodu::UpdateOnSelection(TGridRect&) {}

void VIduZozezuVodu::PasteInCell(int ACol, int ARow, const AnsiString& Value) { SetCellEx(RemapCol(ACol), ARow, Value); }

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

void VIduZozezuVodu::RestoreCache() {}
bool VIduZozezuVodu::ToggleCheck(int, int, bool) { return false; }
bool VIduZozezuVodu::ToggleRadioButton(int, int, bool) { return false; }
AnsiString VIduZozezuVodu::GetFormattedCell(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
TCellType VIduZozezuVodu::GetCellType(int, int) { return ctEmpty; }
TCellGraphic* VIduZozezuVodu::GetCellGraphic(int, int) { return nullptr; }
TPoint VIduZozezuVodu::GetCellGraphicSize(int, int) { return TPoint{0, 0}; }
TPoint VIduZozezuVodu::GetPrintGraphicSize(int, int, int, int, double) { return TPoint{0, 0}; }
AnsiString VIduZozezuVodu::CalcCell(int ACol, int ARow) { return GetCellEx(ACol, ARow); }

// ---- notifications and hooks --------------------------------------------------------------------

void VIduZozezuVodu::SelectionChanged(int, int, int, int) {}
void VIduZozezuVodu::EditProgress(const AnsiString&, TPoint, int) {}
void VIduZozezuVodu::DoInsertRow(int) {}
void VIduZozezuVodu::DoDeleteRow(int) {}
void VIduZozezuVodu::DoFilterDone() {}
void VIduZozezuVodu::UpdateColSize(int, int&) {}
void VIduZozezuVodu::UpdateAutoColSize(int, int&) {}
void VIduZozezuVodu::UpdateColHeaders() {}
AnsiString VIduZozezuVodu::EllipsClick(const AnsiString& S) { return S; }
bool VIduZozezuVodu::MatchFilter(int) { return true; }
void VIduZozezuVodu::PasteStart() {}
void VIduZozezuVodu::PasteDone() {}
void VIduZozezuVodu::PasteNotify(TPoint, const TGridRect&, TClipOperation) {}
void VIduZozezuVodu::UpdateCell(int ACol, int) { CalcFooter(ACol); }
void VIduZozezuVodu::InitValidate(int, int) {}
void VIduZozezuVodu::DoSearchFooterAction(const AnsiString&, int, int, TSearchAction) {}
void VIduZozezuVodu::CellsChanged(const TGridRect&) { CalcFooter(-1); }
void VIduZozezuVodu::CellsLoaded() { CalcFooter(-1); }

// ---- per-cell queries ------------------------------------------------------------------------------

void VIduZozezuVodu::GetCellHint(int, int, AnsiString&, WideString&) {}
void VIduZozezuVodu::GetCellPrintColor(int, int, TGridDrawState, TBrush*, TFont*) {}
void VIduZozezuVodu::GetCellBorder(int, int, TPen*, TCellBorders&) {}
void VIduZozezuVodu::GetCellPrintBorder(int, int, TPen*, TCellBorders&) {}
void VIduZozezuVodu::GetColFormat(int, TSortStyle&, AnsiString&, AnsiString&) {}
void VIduZozezuVodu::GetStaticCellEditor(int, int, TEditorType&) {}
void VIduZozezuVodu::GetCellEditor(int, int, TEditorType&) {}
void VIduZozezuVodu::GetCellFixed(int, int, bool&) {}
void VIduZozezuVodu::GetCellReadOnly(int, int, bool&) {}
void VIduZozezuVodu::GetCellPassword(int, int, bool&) {}
void VIduZozezuVodu::GetCellWordWrap(int, int, bool&) {}
bool VIduZozezuVodu::HasCombo(int, int) { return false; }
bool VIduZozezuVodu::HasSpinEdit(int, int) { return false; }
AnsiString VIduZozezuVodu::GetCheckTrue(int, int) { return "Y"; }
AnsiString VIduZozezuVodu::GetCheckFalse(int, int) { return "N"; }
bool VIduZozezuVodu::GetFilter(int) { return false; }

// ---- rows, interaction, exchange --------------------------------------------------------------

void VIduZozezuVodu::QueryAddRow(bool&) {}
void VIduZozezuVodu::QueryInsertRow(int, bool&) {}
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
void VIduZozezuVodu::FilterSelect(TObject*, int) {}
void VIduZozezuVodu::PaintDesigner() {}
void VIduZozezuVodu::HandleDesignChoice(int, int) {}
void VIduZozezuVodu::ExportNotification(TGridExportState, int) {}
void VIduZozezuVodu::ImportNotification(TGridImportState, int) {}

int VIduZozezuVodu::GetVersionNr() { return (4 << 24) | (6 << 16) | (0 << 8) | 8; }

AnsiString VIduZozezuVodu::GetVersionString() {
  unsigned V = static_cast<unsigned>(GetVersionNr());
  return std::to_string(V >> 24) + "." + std::to_string((V >> 16) & 0xFF) + "." + std::to_string((V >> 8) & 0xFF) +
         "." + std::to_string(V & 0xFF) + " Jul, 2009";
}

bool VIduZozezuVodu::ValidateCell(const AnsiString&) { return true; }
bool VIduZozezuVodu::ValidateCellWide(const WideString&) { return true; }

// ---- row and column edits ---------------------------------------------------------------------------

void VIduZozezuVodu::RemoveRowsEx(int ARow, int ACount) {
  if (ARow < 0 || ARow >= GetRowCount() || ACount <= 0) return;
  ACount = std::min(ACount, GetRowCount() - ARow);
  HideEditor();
  std::vector<int> Rows(static_cast<std::size_t>(ACount)), Real(Rows.size());
  for (int i = 0; i < ACount; ++i) {
    Rows[i] = ARow + i;
    Real[i] = RemapRowInv(ARow + i);
  }
  FStore.TakeOutRows(Rows);
  SetRowCount(GetRowCount() - ACount);
  FMaxRowCount = std::max(FMaxRowCount - ACount, GetRowCount());
  RowHeightsChanged();
  // Every later real index falls by the removed rows before it.
  for (int i = 0; i < FHiddenRows->GetCount(); ++i) {
    TGridItem* It = FHiddenRows->Item(i);
    auto Before = std::lower_bound(Real.begin(), Real.end(), It->GetIdx()) - Real.begin();
    if (Before > 0) It->SetIdx(It->GetIdx() - static_cast<int>(Before));
  }
  CellsChanged(TGridRect{0, ARow, GetColCount() - 1, ARow + ACount});
}

void VIduZozezuVodu::RemoveRowsInternal(int, int) {}
void VIduZozezuVodu::RemoveRows(int, int) {}
void VIduZozezuVodu::InsertRows(int, int, bool) {}
void VIduZozezuVodu::RemoveCols(int, int) {}
void VIduZozezuVodu::InsertCols(int, int) {}
void VIduZozezuVodu::SubGroup(int) {}
void VIduZozezuVodu::SubUnGroup(int) {}
void VIduZozezuVodu::Group(int) {}
void VIduZozezuVodu::UnGroup() {}
void VIduZozezuVodu::SortSwapRows(int, int) {}

void VIduZozezuVodu::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  ACol2 = std::min(ACol2, GetAllColCount() - 1);
  ARow2 = std::min(ARow2, GetRowCount() - 1);
  if (ACol1 < 0 || ARow1 < 0 || ACol1 > ACol2 || ARow1 > ARow2) return;
  FreeSlots(ACol1, ARow1, ACol2, ARow2);
  if (FDestroying) return;
  for (int r = ARow1; r <= ARow2; ++r)
    for (int c = ACol1; c <= ACol2; ++c)
      if (!GetCellEx(c, r).empty()) SetCellEx(c, r, AnsiString());
  CellsChanged(TGridRect{RemapCol(ACol1), ARow1, RemapCol(ACol2), ARow2});
}

void VIduZozezuVodu::QSort() {}
void VIduZozezuVodu::QSortIndexed() {}
void VIduZozezuVodu::QSortGroup() {}
void VIduZozezuVodu::QSortGroupIndexed() {}
void VIduZozezuVodu::QUnSort() {}
