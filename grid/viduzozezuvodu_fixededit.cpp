// Editing a fixed cell in place: the edit over the cell and its closing.
#include "grid/viduzozezuvodu_fixededit.h"

#include "grid/viduzozezuvodu.h"

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetVisible(false); }

bool TGridTransEdit::StopEdit() {
  if (!Grid) {
    SetVisible(false);
    return true;
  }
  AnsiString Text = GetText();
  bool Valid = true;
  if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, EditCol, EditRow, Text, Valid);
  if (!Valid) {
    Grid->SetCol(EditCol);
    Grid->SetRow(EditRow);
    if (CanFocus()) SetFocus();
    return false;
  }
  if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
  Grid->SetCellEx(EditCol, EditRow, Text);
  SetVisible(false);
  return true;
}

void TGridTransEdit::DoExit() {
  TCustomEdit::DoExit();
  StopEdit();
}

void TGridTransEdit::KeyPress(char16_t& Key) {
  // Enter would beep in a single-line edit.
  if (Key == u'\r') {
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void VIduZozezuVodu::StartFixedEdit(int ACol, int ARow) {
  if (FFixedEdit && FFixedEdit->GetVisible() && !FFixedEdit->StopEdit()) return;
  bool CanEdit = false;
  GetCellReadOnly(ACol, ARow, CanEdit);
  // The hook answers "read-only" through the flag here: the edit opens only
  // while it stays false.
  if (CanEdit) return;
  if (!FFixedEdit) {
    FFixedEdit = new TGridTransEdit(this);
    FFixedEdit->Grid = this;
  }
  TRect R = CellRect(ACol, ARow);
  R = TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  FFixedEdit->SetParent(this);
  FFixedEdit->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
  FFixedEdit->SetText(GetCellEx(ACol, ARow));
  FFixedEdit->EditCol = ACol;
  FFixedEdit->EditRow = ARow;
  FFixedEdit->SetVisible(true);
  if (FFixedEdit->CanFocus()) FFixedEdit->SetFocus();
}
