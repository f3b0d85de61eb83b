#include "grid/undoredo.h"

#include "grid/basegrid.h"

void TUndoRedoItem::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TUndoRedoItem*>(Source)) {
    FValue = S->FValue;
    FOrigValue = S->FOrigValue;
    FCol = S->FCol;
    FRow = S->FRow;
    FSequenceStart = S->FSequenceStart;
    FSequenceStop = S->FSequenceStop;
    return;
  }
  TCollectionItem::Assign(Source);
}

TDidAvovUndoRedo::TDidAvovUndoRedo(TComponent* AOwner) : TComponent(AOwner), FItems(new TUndoRedoCollection) {}

TDidAvovUndoRedo::~TDidAvovUndoRedo() { delete FItems; }

void TDidAvovUndoRedo::SetGrid(TBaseGrid* Value) {
  if (FGrid == Value) return;
  if (FGrid) RemoveFreeNotification(FGrid);
  FGrid = Value;
  if (FGrid) FreeNotification(FGrid);
}

void TDidAvovUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

void TDidAvovUndoRedo::RegisterChange(int ACol, int ARow, const AnsiString& OrigValue, const AnsiString& NewValue) {
  if (FMaxLevel > 0 && FItems->GetCount() >= FMaxLevel) FItems->Delete(0);
  TUndoRedoItem* It = FItems->Add();
  It->SetCol(ACol);
  It->SetRow(ARow);
  It->SetValue(NewValue);
  It->SetOrigValue(OrigValue);
  FLevel = FItems->GetCount();
}

TUndoRedoItem* TDidAvovUndoRedo::Marker(bool Start) {
  TUndoRedoItem* It = FItems->Add();
  It->SetCol(-1);
  It->SetRow(-1);
  It->SetSequenceStart(Start);
  It->SetSequenceStop(!Start);
  FLevel = FItems->GetCount();
  return It;
}

void TDidAvovUndoRedo::StartSequence() { Marker(true); }

void TDidAvovUndoRedo::StopSequence() { Marker(false); }

void TDidAvovUndoRedo::Reset() {
  FItems->Clear();
  // A level above the (now empty) list would let Undo step over nothing.
  FLevel = 0;
}

void TDidAvovUndoRedo::UndoItem(TUndoRedoItem* It) {
  if (OnUndo) OnUndo(this, FGrid, It->GetCol(), It->GetRow(), FGrid->GetCellEx(It->GetCol(), It->GetRow()),
                     It->GetOrigValue());
  FGrid->SetCellEx(It->GetCol(), It->GetRow(), It->GetOrigValue());
  FGrid->SetCol(FGrid->DisplColIndex(It->GetCol()));
  FGrid->SetRow(It->GetRow());
}

void TDidAvovUndoRedo::RedoItem(TUndoRedoItem* It) {
  if (OnRedo)
    OnRedo(this, FGrid, It->GetCol(), It->GetRow(), FGrid->GetCellEx(It->GetCol(), It->GetRow()), It->GetValue());
  FGrid->SetCellEx(It->GetCol(), It->GetRow(), It->GetValue());
  FGrid->SetCol(FGrid->DisplColIndex(It->GetCol()));
  FGrid->SetRow(It->GetRow());
}

void TDidAvovUndoRedo::Undo() {
  if (!FGrid || FLevel <= 0 || FItems->GetCount() < FLevel) return;
  if (FItems->Items(FLevel - 1)->GetSequenceStop()) {
    --FLevel;
    while (FLevel > 0 && !FItems->Items(FLevel - 1)->GetSequenceStart()) {
      UndoItem(FItems->Items(FLevel - 1));
      --FLevel;
    }
    // A start marker freed by the MaxLevel limit leaves the level at 0.
    if (FLevel > 0) --FLevel;
    FGrid->Invalidate();
    return;
  }
  TUndoRedoItem* It = FItems->Items(FLevel - 1);
  UndoItem(It);
  FGrid->RepaintCell(FGrid->GetCol(), It->GetRow());
  --FLevel;
}

void TDidAvovUndoRedo::Redo() {
  if (!FGrid || FLevel >= FItems->GetCount()) return;
  ++FLevel;
  if (FItems->Items(FLevel - 1)->GetSequenceStart()) {
    ++FLevel;
    while (FLevel <= FItems->GetCount() && !FItems->Items(FLevel - 1)->GetSequenceStop()) {
      RedoItem(FItems->Items(FLevel - 1));
      ++FLevel;
    }
    if (FLevel > FItems->GetCount()) FLevel = FItems->GetCount();
    FGrid->Invalidate();
    return;
  }
  RedoItem(FItems->Items(FLevel - 1));
}
