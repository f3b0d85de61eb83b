// The grid's own versions of its extension hooks: row insertion and
// deletion by the user, selection changes, and the cell texts that savers
// and loaders exchange.
#include "grid/undoredo.h"
#include "grid/vzvcheck.h"
#include "platform/comctrls/menus.h"
#include "grid/viduzozezuvodu.h"
#include "grid/radoriz.h"

void VIduZozezuVodu::SetUndoRedo(TDidAvovUndoRedo* Value) {
  if (FUndoRedo == Value) return;
  if (FUndoRedo) {
    if (FUndoRedo->GetGrid() == this) FUndoRedo->SetGrid(nullptr);
  }
  FUndoRedo = Value;
  if (FUndoRedo) FUndoRedo->SetGrid(this);
}

void VIduZozezuVodu::Notification(TComponent* AComponent, TOperation Operation) {
  TBaseGrid::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FUndoRedo) FUndoRedo = nullptr;
  if (AComponent == FGridImages) FGridImages = nullptr;
  if (AComponent == FTextPaint.PictureContainer) FTextPaint.PictureContainer = nullptr;
  if (AComponent == FCellChecker) FCellChecker = nullptr;
  if (AComponent == FFixedDropDownMenu) FFixedDropDownMenu = nullptr;
  std::erase(FNotifiers, AComponent);
}

void VIduZozezuVodu::ExportNotification(TGridExportState, int) {}
void VIduZozezuVodu::ImportNotification(TGridImportState, int) {}
void VIduZozezuVodu::EditProgress(const AnsiString&, TPoint, int) {}

void VIduZozezuVodu::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
  // These looks paint the selection without horizontal lines as one block.
  if ((FLook == glVista || FLook == glWin7 || FLook == glOffice2007) && !(GetOptions() & goHorzLine))
    RepaintRect(GetSelectionEx());
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void VIduZozezuVodu::DoInsertRow(int ARow) {
  if (!HasNodes())
    InsertRows(ARow, 1, true);
  else if (GetParentRow(DisplRowIndex(ARow)) == -1)
    InsertNormalRow(ARow);
  else
    InsertChildRow(ARow, false);
  if (OnAutoInsertRow) OnAutoInsertRow(this, ARow);
}

void VIduZozezuVodu::DoDeleteRow(int ARow) {
  if (HasNodes()) {
    if (GetParentRow(ARow) == -1)
      RemoveNormalRow(ARow);
    else
      RemoveChildRow(ARow);
  } else if (GetRowCount() - GetFixedRowsEx() - FFixedFooters != 1 || FFixedRowAlways) {
    RemoveRowsInternal(ARow, 1);
  } else {
    // The last normal row stays, emptied.
    ClearRows(ARow, 1);
  }
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

AnsiString VIduZozezuVodu::CalcCell(int ACol, int ARow) { return GetCellEx(ACol, ARow); }

void VIduZozezuVodu::LoadCell(int ACol, int ARow, const AnsiString& Value) {
  AnsiString V = Value;
  if (OnLoadCell) OnLoadCell(this, ACol, ARow, V);
  SetGridCell(ACol, ARow, V);
}

AnsiString VIduZozezuVodu::SaveCell(int ACol, int ARow) {
  AnsiString Value = GetFormattedCell(ACol, ARow);
  if (Value.empty() && GetCellType(ACol, ARow) == ctCheckBox) {
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    Value = G && G->CellBoolean ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow);
  }
  // Mini-HTML keeps its tags; rich text goes out as its plain text.
  if (TextType(Value, true) == ttRTF) Value = RichPlainText(Value);
  if (OnSaveCell) OnSaveCell(this, ACol, ARow, Value);
  return Value;
}
