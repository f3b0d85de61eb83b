// The mouse wheel: the parent may take it first, Ctrl zooms, otherwise the
// view or the current row moves by the grid's increment or the system's
// wheel lines; the platform's wheel notifications follow unless the grid's
// own increment handled the turn.
#include <algorithm>
#include <cmath>

#include "grid/viduzozezuvodu.h"

namespace {

bool SameRect(const TGridRect& A, const TGridRect& B) {
  return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

}  // namespace

// True when the message ends here (no platform handling).
bool VIduZozezuVodu::WheelMessage(TMessage& Message) {
  if (TWinControl* P = GetParent()) {
    if (P->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) return false;
  }
  const int Delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
  const bool Ctrl = (LOWORD(Message.WParam) & MK_CONTROL) != 0;
  const int Increment = FMouseActions->WheelIncrement;
  bool Handled = true;
  if (Ctrl && FIntelliZoom) {
    Zoom(Delta < 0 ? WheelScrollLines : -WheelScrollLines);
  } else if (FEnableWheel) {
    if (GetFixedRowAlways() && GetRowCount() == 1) {
      Message.Result = 0;
      return true;
    }
    const TWheelAction Action = FMouseActions->GetWheelAction();
    const TGridRect Start = GetSelection();
    int Step = Increment >= 1 ? Increment : WheelScrollLines;
    int Target = GetRow();
    if (Action == waScroll) {
      const int Top = GetTopRow();
      if (Delta < 0) {
        if (Top < GetRowCount() - GetVisibleRowCount() && Top + Step >= GetFixedRows()) SetTopRow(Top + Step);
      } else {
        Step = std::min(Step, Top - GetFixedRows());
        if (Top > GetFixedRows() && Top - Step >= GetFixedRows()) SetTopRow(Top - Step);
      }
    } else {
      Target = Delta < 0 ? GetRow() + Step : GetRow() - Step;
    }
    Target = std::max(GetFixedRows(), std::min(Target, GetRowCount() - GetFixedFooters() - 1));
    if (GetCol() > GetColCount() - 1) SetCol(GetColCount() - 1);
    if (GetCol() < GetFixedCols() && GetFixedCols() < GetColCount()) SetCol(GetFixedCols());
    int Moved = 0;
    if (Target >= 0 && Target < GetRowCount()) {
      Moved = Target - GetRow();
      const int OldLeft = GetLeftCol();
      StartUpdate();
      if (Action == waMoveSelection) {
        if (FMouseActions->GetDisjunctRowSelect()) ClearRowSelect();
        SetRow(Target);
        if (GetRow() != Target) {
          // The row was refused: go half way, one row higher turning up.
          SetRow(GetRow() + static_cast<int>(std::nearbyint((Target - GetRow()) / 2.0)));
          if (Delta > 0 && GetTopRow() > GetFixedRows()) SetTopRow(GetTopRow() - 1);
        }
      }
      if ((GetOptions() & goRowSelect) && FNavigation->KeepHorizScroll) SetLeftCol(OldLeft);
      ResetUpdate();
    }
    DirectWheelChange(Moved, Handled);
    const TGridRect Now = GetSelection();
    if (!SameRect(Start, Now)) SelectionChanged(Now.Left, Now.Top, Now.Right, Now.Bottom);
  }
  const bool Ended = Increment != 0 && Handled;
  if (Ended) Message.Result = 1;
  return Ended;
}

bool VIduZozezuVodu::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (FMouseActions->GetWheelAction() == waScroll) return false;
  if ((GetOptions() & goRowSelect) && FNavigation->KeepHorizScroll) {
    StartUpdate();
    const int Left = GetLeftCol();
    const bool Result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
    SetLeftCol(Left);
    ResetUpdate();
    return Result;
  }
  const bool WasEditing = EditActive;
  const bool Result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
  if (WasEditing && CanFocus()) SetFocus();
  return Result;
}

bool VIduZozezuVodu::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (FMouseActions->GetWheelAction() == waScroll) return false;
  if ((GetOptions() & goRowSelect) && FNavigation->KeepHorizScroll) {
    StartUpdate();
    const int Left = GetLeftCol();
    const bool Result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    SetLeftCol(Left);
    ResetUpdate();
    return Result;
  }
  if (GetRow() >= GetRowCount() || GetCol() >= GetColCount()) return true;
  const bool WasEditing = EditActive;
  const bool Result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
  if (WasEditing && CanFocus()) SetFocus();
  return Result;
}
