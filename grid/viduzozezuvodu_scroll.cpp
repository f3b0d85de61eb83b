// Scroll messages of the grid: the in-cell scroll bar, thumb hints,
// scrolling while the thumb moves, the search footer's last row, the fixed
// background picture; scrolling a cell into view, the reaction to a new
// top-left cell, and the window procedure's share of scrolling.
#include <algorithm>
#include <cmath>

#include "grid/htmlhint.h"
#include "grid/viduzozezuvodu.h"
#include "platform/stdctrls/stdctrls_scrollbar.h"

namespace {

constexpr int InCellBarWidth = VIduZozezuVodu::InCellScrollBarWidth;
constexpr int ScrollHintMaxWidth = 100;
constexpr int ScrollHintOffsetX = 10;

bool Differ(const TGridRect& A, const TGridRect& B) {
  return A.Left != B.Left || A.Top != B.Top || A.Right != B.Right || A.Bottom != B.Bottom;
}

}  // namespace

// ---- window procedure and dispatch ------------------------------------------------------------

bool VIduZozezuVodu::ScrollWndProc(TMessage& Message) {
  const UINT Msg = Message.Msg;
  if ((Msg == WM_SIZE || Msg == CM_SHOWINGCHANGED || Msg == WM_LBUTTONUP) &&
      !(GetComponentState() & csDesigning)) {
    UpdateVScroller();
    UpdateHScroller();
  }
  if (WheelMessageId == 0) return false;
  if (FIntelliPan != ipNone) {
    // The pan's own cursor stays while the pointer moves.
    if (PanActive && Msg == WM_SETCURSOR) {
      Message.Result = TRUE;
      return true;
    }
    if (PanActive && Msg == WM_TIMER && Message.WParam == PanTimerId) {
      PanStep();
      Message.Result = 0;
      return true;
    }
    if (PanActive && (Msg == WM_MBUTTONDOWN || Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_KEYDOWN)) {
      PanEnd();
    } else if (!PanActive && Msg == WM_MBUTTONDOWN && GetFixedRows() < GetRowCount()) {
      PanStart(Message);
    }
  }
  if (Msg == WheelMessageId && !PanActive) return WheelMessage(Message);
  return false;
}

bool VIduZozezuVodu::DispatchScrolling(TMessage& Message) {
  if (Message.Msg != WM_HSCROLL && Message.Msg != WM_VSCROLL) return false;
  WMScroll(Message, Message.Msg == WM_VSCROLL);
  return true;
}

// ---- the scroll messages ----------------------------------------------------------------------

// The cells under the corners of a background picture shown at a fixed place.
TGridRect VIduZozezuVodu::BackGroundCells() {
  TBackGround* B = GetBackGround();
  TBitmap* Bmp = B->GetBitmap();
  const int W = Bmp ? Bmp->GetWidth() : 0, H = Bmp ? Bmp->GetHeight() : 0;
  TGridRect R{};
  MouseToCell(B->GetLeft(), B->GetTop(), R.Left, R.Top);
  MouseToCell(B->GetLeft() + W, B->GetTop() + H, R.Right, R.Bottom);
  return R;
}

void VIduZozezuVodu::ScrollHint(bool Vert, WORD Code, int Pos) {
  if (Code == SB_ENDSCROLL) {
    if (FGridHintWindow) FGridHintWindow->ReleaseHandle();
    GridHintShown = false;
    return;
  }
  if (Code != SB_THUMBTRACK) return;
  const int N = Vert ? MulDiv(Pos, GetRowCount() - GetVisibleRowCount() - GetFixedRows(), 127) + GetFixedRows()
                     : MulDiv(Pos, GetColCount() - GetVisibleColCount() - GetFixedCols(), 127) + GetFixedCols();
  AnsiString Text = (Vert ? "Row : " : "Col : ") + std::to_string(N);
  if (OnScrollHint) OnScrollHint(this, N, Text);
  THintWindow* Hint = GetGridHintWindow();
  TRect R = Hint->CalcHintRect(ScrollHintMaxWidth, Text, nullptr);
  Hint->SetColor(HintColor);
  POINT P{};
  GetCursorPos(&P);
  OffsetRect(&R, P.x + ScrollHintOffsetX, P.y);
  Hint->ActivateHint(R, Text);
  GridHintShown = true;
}

void VIduZozezuVodu::WMScroll(TMessage& Message, bool Vert) {
  const WORD Code = LOWORD(Message.WParam);
  int Pos = static_cast<short>(HIWORD(Message.WParam));
  HWND Bar = reinterpret_cast<HWND>(Message.LParam);
  // 1. The in-cell scroll bar moves and reports to its cell, nothing else.
  if (Vert && Bar && InCellScrollBar && InCellScrollBar->HandleAllocated() && Bar == InCellScrollBar->Handle()) {
    const int Old = InCellScrollBar->GetPosition();
    int P = Old;
    switch (Code) {
      case SB_LINEUP: P -= 1; break;
      case SB_LINEDOWN: P += 1; break;
      case SB_PAGEUP: P -= 10; break;
      case SB_PAGEDOWN: P += 10; break;
      case SB_THUMBTRACK: P = Pos; break;
      default: break;
    }
    InCellScrollBar->SetPosition(P);
    P = InCellScrollBar->GetPosition();
    SetScrollPosition(ScrollCellCol, ScrollCellRow, P);
    Message.Result = 1;
    if (P != Old) RepaintCell(RemapColInv(ScrollCellCol), ScrollCellRow);
    if (OnScrollCell)
      OnScrollCell(this, ScrollCellCol, ScrollCellRow, P, InCellScrollBar->GetMin(), InCellScrollBar->GetMax());
    return;
  }
  // Another child's bar is that control's own business.
  if (Bar) {
    TBaseGrid::Dispatch(Message);
    return;
  }
  // 2. and 3. The hint and the view follow a dragged thumb.
  if (FScrollHints == shBoth || FScrollHints == (Vert ? shVertical : shHorizontal)) ScrollHint(Vert, Code, Pos);
  if (FScrollSynch && Code == SB_THUMBTRACK) {
    if (Vert)
      SetTopRow(MulDiv(Pos, GetRowCount() - GetVisibleRowCount() - GetFixedRows(), 127) + GetFixedRows());
    else
      SetLeftCol(MulDiv(Pos, GetColCount() - GetVisibleColCount() - GetFixedCols(), 127) + GetFixedCols());
  }
  // 4. A flat bar's thumb position on the platform's scale; no correction
  // once every column shows (a page of 128) or without columns.
  if (!Vert && Code == SB_THUMBPOSITION && FlatScrollActive && GetColCount() > 0) {
    const int Page = static_cast<int>(std::nearbyint(GetVisibleColCount() * 128.0 / GetColCount()));
    if (Page < 128) {
      Pos = static_cast<int>(std::nearbyint(Pos * 127.0 / (128 - Page)));
      Message.WParam = MAKEWPARAM(Code, static_cast<WORD>(Pos));
    }
  }
  // 5. A picture at a fixed place repaints where it was and where it is.
  const bool FixedPicture = GetBackGround()->GetDisplay() == bdFixed;
  const TGridRect Before = FixedPicture ? BackGroundCells() : TGridRect{};
  // 6. and 7. The platform's scrolling, kept off the search panel.
  if (Vert && FSearchFooter->GetVisible()) {
    if ((Code == SB_ENDSCROLL || Code == SB_LINEDOWN) && IsScrolledToLastRow()) {
      Message.Result = 1;
      return;
    }
    TBaseGrid::Dispatch(Message);
    const int LastTop = GetRowCount() - GetVisibleRowCount();
    if (Code == SB_LINEUP && GetTopRow() == LastTop) SetTopRow(GetTopRow() - 1);
    else if ((Code == SB_ENDSCROLL || Code == SB_LINEDOWN) && GetTopRow() == LastTop) ScrollToLastRow();
  } else {
    TBaseGrid::Dispatch(Message);
  }
  if (FixedPicture && Code != SB_THUMBTRACK) {
    const TGridRect After = BackGroundCells();
    if (Differ(Before, After)) {
      RepaintRect(Before);
      RepaintRect(After);
    }
  }
  // 8. The flat bars, the check box cell's editor and the footer follow.
  UpdateVScrollBar();
  UpdateHScrollBar();
  if (HasCheckBox(RemapCol(GetCol()), GetRow())) HideEditor();
  if (!Vert) UpdateFooter();
}

// ---- the view ---------------------------------------------------------------------------------

void VIduZozezuVodu::ScrollInView(int ACol, int ARow) {
  if (ACol >= GetColCount() || ARow >= GetRowCount() || ACol < 0 || ARow < 0) return;
  const int VC = GetVisibleColCount(), VR = GetVisibleRowCount();
  int C = GetLeftCol(), D = GetTopRow();
  if (ACol < GetLeftCol() || ACol >= GetLeftCol() + VC) {
    if (ACol >= GetFixedCols()) SetCol(ACol);
    C = std::max(GetFixedCols(), ACol - VC / 2);
  }
  if (ARow < GetTopRow() || ARow >= GetTopRow() + VR) {
    if (ARow >= GetFixedRows()) SetRowEx(ARow);
    D = std::max(GetFixedRows(), ARow - VR / 2);
  }
  C = std::min(C, GetColCount() - VC + 1);
  if (GetFixedCols() + VC < GetColCount()) SetLeftCol(C);
  D = std::min(D, GetRowCount() - VR + 1);
  if (GetFixedRows() + VR < GetRowCount()) {
    SetTopRow(D);
    if (FSearchFooter->GetVisible() && GetTopRow() == GetRowCount() - GetVisibleRowCount()) SetTopRow(D + 1);
  }
}

void VIduZozezuVodu::TopLeftChanged() {
  TBackGround* B = GetBackGround();
  const bool FixedPicture = B->GetDisplay() == bdFixed;
  TGridRect Old{};
  if (FixedPicture) {
    Old = BackGroundCells();
    const int DX = PrevTopLeft.x - GetLeftCol(), DY = PrevTopLeft.y - GetTopRow();
    Old.Left += DX;
    Old.Right += DX;
    Old.Top += DY;
    Old.Bottom += DY;
  }
  TBaseGrid::TopLeftChanged();
  const TGridRect Sel = GetSelection();
  if (GetSelectionRectangle() && Sel.Bottom > Sel.Top) Invalidate();
  if (FixedPicture) {
    RepaintRect(Old);
    RepaintRect(BackGroundCells());
  } else if ((B->GetDisplay() == bdGradientHorz || B->GetDisplay() == bdGradientVert) && B->GetColorTo() != clNone) {
    Invalidate();
  }
  if (EditActive && CurrentEditor != edNormal) HideInplaceEdit();
  UpdateVScrollBar();
  UpdateHScrollBar();
  UpdateFooter();
  CellControlsUpdate();
  PrevTopLeft = TPoint(GetLeftCol(), GetTopRow());
  if (GetComponentState() & csDesigning) Invalidate();
}

// ---- the in-cell scroll bar and the grid's hint window -------------------------------------------

void VIduZozezuVodu::PlaceInCellScrollBar(int ACol, int ARow) {
  if (ACol < GetFixedCols() || ARow < GetFixedRows() || ACol >= GetColCount() || ARow >= GetRowCount()) return;
  if (InCellScrollBar) InCellScrollBar->SetVisible(false);
  const int RC = RemapCol(ACol);
  if (!HasScrollBar(RC, ARow)) return;
  ScrollCellCol = RC;
  ScrollCellRow = ARow;
  const TScrollProp Prop = GetScrollProp(RC, ARow);
  if (Prop.PageSize >= Prop.Range) return;
  if (!InCellScrollBar) {
    InCellScrollBar = new TScrollBar(this);
    InCellScrollBar->SetVisible(false);
    InCellScrollBar->SetKind(sbVertical);
    InCellScrollBar->SetParent(this);
  }
  const TRect R = CellRect(ACol, ARow);
  const int LW = GetGridLineWidth();
  InCellScrollBar->SetParams(0, 0, Prop.Range);
  InCellScrollBar->SetPageSize(Prop.PageSize);
  InCellScrollBar->SetBounds(R.right - InCellBarWidth - LW, R.top + LW, InCellBarWidth, R.Height() - 2 * LW);
  InCellScrollBar->SetPosition(GetScrollPosition(RC, ARow));
  InCellScrollBar->SetVisible(true);
}

THintWindow* VIduZozezuVodu::GetGridHintWindow() {
  if (!FGridHintWindow) FGridHintWindow = new THTMLHintWindow(this);
  return FGridHintWindow;
}

// ---- zoom -------------------------------------------------------------------------------------

void VIduZozezuVodu::Zoom(int Delta) {
  if (ZoomTotal + Delta < -10 || ZoomTotal + Delta > 10) return;
  Zooming = true;
  ZoomTotal += Delta;
  // Straight into the size store, then one notification per axis.
  for (int C = 0; C < GetColCount(); ++C) {
    const int W = FStore.GetColWidth(C);
    if (W > 0 && W + Delta > 0) FStore.SetColWidth(C, W + Delta);
  }
  for (int R = 0; R < GetRowCount(); ++R) {
    const int H = FStore.GetRowHeight(R);
    if (H > 0 && H + Delta > 0) FStore.SetRowHeight(R, H + Delta);
  }
  ColWidthsChanged();
  RowHeightsChanged();
  Zooming = false;
  if (FScrollProportional) {
    UpdateVScroller();
    UpdateHScroller();
  }
}
