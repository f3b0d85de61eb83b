// Scrolling while the platform's drag and drop drags over the grid's
// margins: a timer (owned by the grid's parent) first waits the initial
// delay, then steps at the repeat delay towards the margins the pointer is in.
#include "grid/viduzozezuvodu.h"

namespace {

// The drag timer tells the grid when its owner frees it first.
class TDragScrollTimer : public TTimer {
public:
  TDragScrollTimer(TComponent* AOwner, TTimer** ASlot) : TTimer(AOwner), FSlot(ASlot) {}
  ~TDragScrollTimer() override {
    if (*FSlot == this) *FSlot = nullptr;
  }

private:
  TTimer** FSlot;
};

}  // namespace

VIduZozezuVodu::TDragTimerGuard::~TDragTimerGuard() { delete Grid->DragScrollTimer; }

void VIduZozezuVodu::FreeDragScrollTimer() {
  TTimer* T = DragScrollTimer;
  DragScrollTimer = nullptr;
  if (!T) return;
  T->SetEnabled(false);
  delete T;
}

void VIduZozezuVodu::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TDragScrollOptions* O = FDragScrollOptions.get();
  if (!O->Active) {
    FreeDragScrollTimer();
  } else if (State == dsDragLeave) {
    FreeDragScrollTimer();
  } else {
    const TDragScrollDirections Before = DragScrollDirections;
    const TDragScrollMargins* M = O->GetMargins();
    DragScrollDirections = {};
    if (Y < M->TopMargin) DragScrollDirections << dsdUp;
    else if (Y > GetHeight() - M->BottomMargin) DragScrollDirections << dsdDown;
    if (X < M->LeftMargin) DragScrollDirections << dsdLeft;
    else if (X > GetWidth() - M->RightMargin) DragScrollDirections << dsdRight;
    const Cardinal Initial = static_cast<Cardinal>(O->GetDelays()->InitialDelay);
    if (DragScrollDirections.Empty()) {
      FreeDragScrollTimer();
    } else if (!DragScrollTimer) {
      TComponent* Owner = GetParent() ? static_cast<TComponent*>(GetParent()) : this;
      DragScrollTimer = new TDragScrollTimer(Owner, &DragScrollTimer);
      DragScrollTimer->SetInterval(Initial);
      DragScrollTimer->SetOnTimer([this](TObject* Sender) { DragTimerProc(Sender); });
      DragScrollTimer->SetEnabled(true);
    } else if (!Before.Empty()) {
      DragScrollTimer->SetInterval(Initial);
    }
  }
  TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

void VIduZozezuVodu::DragTimerProc(TObject*) {
  if (!DragScrollTimer) return;
  if (!FDragScrollOptions->Active) {
    // Stopped here; freed by the next drag event or with the grid (a timer
    // is not freed from inside its own tick).
    DragScrollTimer->SetEnabled(false);
    return;
  }
  DragScrollTimer->SetInterval(static_cast<Cardinal>(FDragScrollOptions->GetDelays()->RepeatDelay));
  if (OnDragScroll) {
    bool CanScroll = true;
    OnDragScroll(this, GetTopRow(), GetLeftCol(), DragScrollDirections, CanScroll);
    if (!CanScroll) return;
  }
  if (DragScrollDirections.Contains(dsdUp) && GetTopRow() > GetFixedRows()) SetTopRow(GetTopRow() - 1);
  if (DragScrollDirections.Contains(dsdDown) && GetTopRow() + GetVisibleRowCount() < GetRowCount())
    SetTopRow(GetTopRow() + 1);
  if (DragScrollDirections.Contains(dsdLeft) && GetLeftCol() > GetFixedCols()) SetLeftCol(GetLeftCol() - 1);
  if (DragScrollDirections.Contains(dsdRight) && GetVisibleColCount() + GetLeftCol() < GetColCount())
    SetLeftCol(GetLeftCol() + 1);
}
