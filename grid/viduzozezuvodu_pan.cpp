// Panning with the middle mouse button: a 10 ms timer moves the view (or
// the current cell) one step towards the pointer while it stays more than
// the dead zone away from where the pan started; the cursor shows the way.
#include <algorithm>
#include <memory>

#include "grid/viduzozezuvodu.h"
#include "platform/graphics/resources.h"

namespace {

constexpr int PanNeutralCursor = 8000;
constexpr int FocusPointSize = 32;

// The cursor resource of a direction: index dy + 1, dx + 1.
constexpr int DirectionCursor[3][3] = {
    {8006, 8004, 8005},  // up: left, straight, right
    {8002, 0, 8003},     // level
    {8008, 8001, 8007},  // down
};

}  // namespace

void VIduZozezuVodu::PanStart(const TMessage& Message) {
  PanCursor = LoadCursor(HInstance, MAKEINTRESOURCE(PanNeutralCursor));
  PanSavedCursor = ::SetCursor(PanCursor);
  PanActive = true;
  PanTimerId = SetTimer(Handle(), PanTimerIdent, PanTimerInterval, nullptr);
  PanOriginX = GET_X_LPARAM(Message.LParam);
  PanOriginY = GET_Y_LPARAM(Message.LParam);
  SetCapture(Handle());
  SetShowHint(false);
  DrawIntelliFocusPoint();
}

HCURSOR VIduZozezuVodu::PanDirectionCursor(int DX, int DY) {
  const int Id = DirectionCursor[DY + 1][DX + 1];
  if (Id == 0) return PanCursor;
  HCURSOR& C = FPanCursors[static_cast<std::size_t>(Id - 8001)];
  if (!C) C = LoadCursor(HInstance, MAKEINTRESOURCE(Id));
  return C;
}

void VIduZozezuVodu::PanStep() {
  POINT P{};
  GetCursorPos(&P);
  ::ScreenToClient(Handle(), &P);
  int DX = P.x < PanOriginX - PanDeadZone ? -1 : P.x > PanOriginX + PanDeadZone ? 1 : 0;
  int DY = P.y < PanOriginY - PanDeadZone ? -1 : P.y > PanOriginY + PanDeadZone ? 1 : 0;
  if (FIntelliPan == ipHorizontal) DY = 0;
  if (FIntelliPan == ipVertical) DX = 0;
  const TGridRect Start = GetSelection();
  const int LastRow = GetRowCount() - GetFixedFooters() - 1;
  const int LastCol = GetColCount() - GetFixedRightCols() - 1;
  if (LastRow >= GetFixedRows() && (GetRow() < GetFixedRows() || GetRow() > LastRow))
    SetRow(std::clamp(GetRow(), GetFixedRows(), LastRow));
  if (LastCol >= GetFixedCols() && (GetCol() < GetFixedCols() || GetCol() > LastCol))
    SetCol(std::clamp(GetCol(), GetFixedCols(), LastCol));
  if (FMouseActions->GetWheelAction() == waScroll) {
    const int L = GetLeftCol() + DX, T = GetTopRow() + DY;
    if (DX != 0 && L >= GetFixedCols() && L <= GetColCount() - GetVisibleColCount()) {
      EraseIntelliFocusPoint();
      SetLeftCol(L);
    }
    if (DY != 0 && T >= GetFixedRows() && T <= GetRowCount() - GetVisibleRowCount()) {
      EraseIntelliFocusPoint();
      SetTopRow(T);
    }
  } else {
    auto Leaves = [this](int C, int R) {
      return C < GetLeftCol() || C >= GetLeftCol() + GetVisibleColCount() || R < GetTopRow() ||
             R >= GetTopRow() + GetVisibleRowCount();
    };
    const int C = GetCol() + DX, R = GetRow() + DY;
    const bool ColOk = DX < 0 ? C >= GetFixedCols() : DX > 0 && GetCol() < LastCol && C <= GetColCount() - 1;
    if (ColOk) {
      if (Leaves(C, GetRow())) EraseIntelliFocusPoint();
      SetCol(C);
    }
    if (DY != 0 && R >= GetFixedRows() && R <= LastRow) {
      if (Leaves(GetCol(), R)) EraseIntelliFocusPoint();
      SetRow(R);
    }
  }
  ::SetCursor(PanDirectionCursor(DX, DY));
  DrawIntelliFocusPoint();
  const TGridRect Now = GetSelection();
  if (Start.Left != Now.Left || Start.Top != Now.Top || Start.Right != Now.Right || Start.Bottom != Now.Bottom)
    SelectionChanged(Now.Left, Now.Top, Now.Right, Now.Bottom);
}

void VIduZozezuVodu::PanEnd() {
  ReleaseCapture();
  KillTimer(Handle(), PanTimerId);
  ::SetCursor(PanSavedCursor);
  SetShowHint(true);
  PanActive = false;
  EraseIntelliFocusPoint();
  for (HCURSOR& C : FPanCursors) {
    if (C) DestroyCursor(C);
    C = nullptr;
  }
  if (PanCursor) DestroyCursor(PanCursor);
  PanCursor = nullptr;
}

void VIduZozezuVodu::DrawIntelliFocusPoint() {
  const char* Name = FIntelliPan == ipVertical     ? "INTLI3"
                     : FIntelliPan == ipHorizontal ? "INTLI2"
                     : FIntelliPan == ipBoth       ? "INTLI1"
                                                   : nullptr;
  if (!Name || !HandleAllocated()) return;
  auto Mark = std::make_unique<TBitmap>();
  Mark->LoadFromResourceName(HInstance, Name);
  if (Mark->GetEmpty()) return;
  // The mark's corner colour becomes white in a copy, which is drawn.
  auto Copy = std::make_unique<TBitmap>();
  Copy->SetWidth(Mark->GetWidth());
  Copy->SetHeight(Mark->GetHeight());
  const TRect R(0, 0, Mark->GetWidth(), Mark->GetHeight());
  Copy->GetCanvas()->GetBrush()->SetColor(clWhite);
  Copy->GetCanvas()->BrushCopy(R, Mark.get(), R, Mark->GetCanvas()->GetPixels(0, 0));
  Canvas()->Draw(PanOriginX, PanOriginY, Copy.get());
}

void VIduZozezuVodu::EraseIntelliFocusPoint() {
  if (!HandleAllocated()) return;
  RECT R{PanOriginX, PanOriginY, PanOriginX + FocusPointSize, PanOriginY + FocusPointSize};
  InvalidateRect(Handle(), &R, FALSE);
}
