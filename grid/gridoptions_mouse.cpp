#include "grid/basegrid.h"
#include "grid/gridoptions2.h"

void TMouseActions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TMouseActions*>(Source);
  if (!S) return TPersistent::Assign(Source);
  AllColumnSize = S->AllColumnSize;
  AllRowSize = S->AllRowSize;
  AllSelect = S->AllSelect;
  AutoSizeColOnDblClick = S->AutoSizeColOnDblClick;
  CaretPositioning = S->CaretPositioning;
  CheckAllCheck = S->CheckAllCheck;
  ColSelect = S->ColSelect;
  DirectComboClose = S->DirectComboClose;
  DirectComboDrop = S->DirectComboDrop;
  DirectDateClose = S->DirectDateClose;
  DirectDateDrop = S->DirectDateDrop;
  DirectEdit = S->DirectEdit;
  FDisjunctRowSelect = S->FDisjunctRowSelect;
  FDisjunctColSelect = S->FDisjunctColSelect;
  FDisjunctCellSelect = S->FDisjunctCellSelect;
  FixedRowsEdit = S->FixedRowsEdit;
  FixedColsEdit = S->FixedColsEdit;
  MoveRowOnNodeClick = S->MoveRowOnNodeClick;
  NoAutoRangeScroll = S->NoAutoRangeScroll;
  NodeAllExpandContract = S->NodeAllExpandContract;
  NoScrollOnPartialRow = S->NoScrollOnPartialRow;
  PreciseCheckBoxCheck = S->PreciseCheckBoxCheck;
  RangeSelectAndEdit = S->RangeSelectAndEdit;
  RowSelect = S->RowSelect;
  RowSelectPersistent = S->RowSelectPersistent;
  SelectOnRightClick = S->SelectOnRightClick;
  SizeFixedCol = S->SizeFixedCol;
  WheelIncrement = S->WheelIncrement;
  FWheelAction = S->FWheelAction;
}

bool TMouseActions::Designing() const { return FOwner && FOwner->HasState(csDesigning); }

void TMouseActions::SetHotmailRowSelect(bool Value) {
  FHotmailRowSelect = Value;
  if (FOwner) FOwner->Invalidate();
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
  FEditOnDblClickOnly = Value;
  if (Value && FOwner) FOwner->SetOptions(FOwner->GetOptions() & ~TGridOptions(goEditing));
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
  FDisjunctRowSelect = Value;
  if (Value && Designing()) FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
  FDisjunctColSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
  FDisjunctCellSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctColSelect = false;
}

void TMouseActions::SetWheelAction(TWheelAction Value) {
  if (Value == FWheelAction) return;
  FWheelAction = Value;
  if (OnChange) OnChange(this);
}
