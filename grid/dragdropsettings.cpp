#include "grid/dragdropsettings.h"

#include "grid/viduzozezuvodu.h"

// ---- drag and drop settings ---------------------------------------------------------------------

TDragDropSettings::~TDragDropSettings() { DropRegistration(); }

void TDragDropSettings::DropRegistration() {
  if (FDropTargetRegistered && FGrid->HandleAllocated()) RevokeDragDrop(FGrid->Handle());
  FDropTargetRegistered = false;
  if (FDropTarget) FDropTarget->Release();
  FDropTarget = nullptr;
}

void TDragDropSettings::SetOleDropTarget(bool Value) {
  FOleDropTarget = Value;
  if (FGrid->HasState(csDesigning)) return;
  if (!Value) {
    DropRegistration();
    return;
  }
  // On twice keeps the one registered target.
  if (FDropTargetRegistered) return;
  if (!FDropTarget) {
    FDropTarget = new TGridDropTarget(FGrid);
    FDropTarget->AddRef();
  }
  FDropTargetRegistered = SUCCEEDED(RegisterDragDrop(FGrid->Handle(), FDropTarget));
}

void TDragDropSettings::LoadedIntoTarget() {
  if (!FDropTargetRegistered) return;
  FDropTarget->AcceptText = OleAcceptText;
  FDropTarget->AcceptFiles = OleAcceptFiles;
  FDropTarget->AcceptURLs = OleAcceptURLs;
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
  SetRTFAware(Value);
  FOleDropRTF = Value;
}

void TDragDropSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragDropSettings*>(Source);
  if (!S) return TPersistent::Assign(Source);
  ShowCells = S->ShowCells;
  OleAcceptFiles = S->OleAcceptFiles;
  OleAcceptText = S->OleAcceptText;
  OleAcceptURLs = S->OleAcceptURLs;
  OleCopyAlways = S->OleCopyAlways;
  FOleDropTarget = S->FOleDropTarget;
  OleDropSource = S->OleDropSource;
  OleEntireRows = S->OleEntireRows;
  OleInsertRows = S->OleInsertRows;
  OleRemoveRows = S->OleRemoveRows;
  FOleDropRTF = S->FOleDropRTF;
  OleColumnDragDrop = S->OleColumnDragDrop;
}

// ---- balloon --------------------------------------------------------------------------------------

void TBalloonSettings::SetEnable(bool Value) {
  FEnable = Value;
  if (OnEnableChange) OnEnableChange(this);
}

void TBalloonSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TBalloonSettings*>(Source);
  if (!S) return TPersistent::Assign(Source);
  TextColor = S->TextColor;
  BackgroundColor = S->BackgroundColor;
  InitialDelay = S->InitialDelay;
  AutoHideDelay = S->AutoHideDelay;
  ReshowDelay = S->ReshowDelay;
  FEnable = S->FEnable;
}

// ---- drag scrolling --------------------------------------------------------------------------------

void TDragScrollDelays::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollDelays*>(Source);
  if (!S) return TPersistent::Assign(Source);
  InitialDelay = S->InitialDelay;
  RepeatDelay = S->RepeatDelay;
}

void TDragScrollMargins::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollMargins*>(Source);
  if (!S) return TPersistent::Assign(Source);
  TopMargin = S->TopMargin;
  BottomMargin = S->BottomMargin;
  LeftMargin = S->LeftMargin;
  RightMargin = S->RightMargin;
}

void TDragScrollOptions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollOptions*>(Source);
  if (!S) return TPersistent::Assign(Source);
  FMargins->Assign(S->FMargins.get());
  FDelays->Assign(S->FDelays.get());
  Active = S->Active;
}
