// The grid's input: keyboard navigation, mouse selection, sizing and moving
// by mouse with edge scrolling on the grid's timer, the wheel, scroll bar
// messages and the dialog code.
#include <algorithm>

#include "platform/forms/forms.h"
#include "platform/grids/grids.h"

namespace {
// How near a border the mouse must be to size a column or row.
constexpr int SizingMargin = 3;
constexpr UINT ScrollTimerInterval = 60;
}  // namespace

void TCustomGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      if (FOptions & goRowSelect) return;
      if (FOptions & goTabs) Message.Result |= DLGC_WANTTAB;
      if (FOptions & goEditing) Message.Result |= DLGC_WANTCHARS;
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Message.LParam == 0) {
        ScrollMessage(Message.Msg == WM_HSCROLL, Message.WParamLo(), static_cast<short>(Message.WParamHi()));
        Message.Result = 0;
        return;
      }
      break;
    case WM_TIMER:
      if (Message.WParam == ScrollTimerId) {
        TimedScroll();
        return;
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(Message.WParam) == FHandle && FGridState == gsNormal &&
          static_cast<short>(Message.LParamLo()) == static_cast<short>(HTCLIENT)) {
        POINT p;
        GetCursorPos(&p);
        TPoint c = ScreenToClient(TPoint(p));
        TGridDrawInfo info;
        TGridState state = gsNormal;
        int index = 0, pos = 0, ofs = 0;
        CalcSizingState(c.x, c.y, state, index, pos, ofs, info);
        if ((state == gsColSizing || state == gsRowSizing) && Screen) {
          ::SetCursor(Screen->GetCursors(state == gsColSizing ? crHSplit : crVSplit));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::Dispatch(Message);
      InvalidateSelection(GetSelection());
      InvalidateCell(FCurrent.X, FCurrent.Y);
      return;
    case WM_CANCELMODE:
      EndDrag(false);
      break;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

// ---- Keyboard ------------------------------------------------------------------------------------

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool rowSelect = (FOptions & goRowSelect) != 0;
  const bool ctrl = (Shift & ssCtrl) != 0;
  const int lastCol = GetColCount() - 1, lastRow = GetRowCount() - 1;
  TGridCoord target = FCurrent;
  bool move = true;
  switch (Key) {
    case VK_UP: target.Y--; break;
    case VK_DOWN: target.Y++; break;
    case VK_LEFT:
      if (rowSelect) {
        SetLeftCol(GetLeftCol() - 1);
        move = false;
      } else {
        target.X--;
      }
      break;
    case VK_RIGHT:
      if (rowSelect) {
        SetLeftCol(GetLeftCol() + 1);
        move = false;
      } else {
        target.X++;
      }
      break;
    case VK_PRIOR: {
      int page = std::max(1, GetVisibleRowCount());
      target.Y -= page;
      SetTopRow(GetTopRow() - page);
      break;
    }
    case VK_NEXT: {
      int page = std::max(1, GetVisibleRowCount());
      target.Y += page;
      SetTopRow(GetTopRow() + page);
      break;
    }
    case VK_HOME:
      if (ctrl || rowSelect) target.Y = FFixedRows;
      if (!rowSelect) target.X = FFixedCols;
      break;
    case VK_END:
      if (ctrl || rowSelect) target.Y = lastRow;
      if (!rowSelect) target.X = lastCol;
      break;
    case VK_TAB:
      if (!(FOptions & goTabs) || rowSelect || ctrl) return;
      if (Shift & ssShift) {
        if (target.X > FFixedCols) {
          target.X--;
        } else if (target.Y > FFixedRows) {
          target.X = lastCol;
          target.Y--;
        }
      } else if (target.X < lastCol) {
        target.X++;
      } else if (target.Y < lastRow) {
        target.X = FFixedCols;
        target.Y++;
      }
      Shift &= ~ssShift;  // Shift+Tab moves back, it does not extend
      break;
    case VK_F2:
      if (FOptions & goEditing) SetEditorMode(!FEditorMode);
      return;
    default: return;
  }
  if (!move) return;
  target.X = std::clamp(target.X, std::min(FFixedCols, lastCol), lastCol);
  target.Y = std::clamp(target.Y, std::min(FFixedRows, lastRow), lastRow);
  if (target == FCurrent) return;
  bool extend = (Shift & ssShift) && (FOptions & goRangeSelect) && Key != VK_TAB;
  MoveColRow(target.X, target.Y, !extend, true);
  Click();
}

void TCustomGrid::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0 || !(FOptions & goEditing)) return;
  if (Key == u'\r') {
    if (FEditorMode) HideEditor();
    else ShowEditor();
    Key = 0;
  } else if (Key >= 0x20 && Key != 0x7F && !FEditorMode && CanEditShow()) {
    ShowEditorChar(Key);
    Key = 0;
  }
}

void TCustomGrid::KeyUp(WORD& Key, TShiftState Shift) { TCustomControl::KeyUp(Key, Shift); }

// ---- Wheel ---------------------------------------------------------------------------------------

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (FCurrent.Y < GetRowCount() - 1) FocusCell(FCurrent.X, FCurrent.Y + 1, true);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (FCurrent.Y > FFixedRows) FocusCell(FCurrent.X, FCurrent.Y - 1, true);
  return true;
}

// ---- Mouse ---------------------------------------------------------------------------------------

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                  TGridDrawInfo& FixedInfo) {
  CalcFixedInfo(FixedInfo);
  State = gsNormal;
  Index = -1;
  // Column borders in the fixed rows, row borders in the fixed columns.
  for (bool horz : {true, false}) {
    if (!(FOptions & (horz ? goColSizing : goRowSizing))) continue;
    int along = horz ? X : Y, across = horz ? Y : X;
    if (across < 0 || across >= (horz ? FixedInfo.Vert : FixedInfo.Horz).FixedBoundary) continue;
    int hit = IndexAt(horz, along);
    if (hit < 0) {
      // Just past the last cell: its right edge may still be grabbed.
      hit = Count(horz) - 1;
      if (along - (Pos(horz, hit) + Size(horz, hit)) > SizingMargin) continue;
    }
    // The border after the cell under the mouse, or the one before it.
    for (int i : {hit, hit - 1}) {
      if (i < 0 || (i >= Fixed(horz) && i < First(horz))) continue;
      Int64 edge = Pos(horz, i) + Size(horz, i);
      if (std::abs(along - edge) <= SizingMargin) {
        State = horz ? gsColSizing : gsRowSizing;
        Index = i;
        SizingPos = static_cast<int>(edge);
        SizingOfs = static_cast<int>(edge - along);
        return;
      }
    }
  }
}

TGridCoord TCustomGrid::TargetAt(bool Horz, int X, int Y) {
  int along = Horz ? X : Y;
  int i = IndexAt(Horz, along);
  if (i < 0) i = along < 0 ? Fixed(Horz) : Count(Horz) - 1;
  i = std::max(i, Fixed(Horz));
  return Horz ? TGridCoord{i, 0} : TGridCoord{0, i};
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Focused() && CanFocus()) {
    SetFocus();
    if (!Focused() && !(FInplaceEdit && FInplaceEdit->HandleAllocated() && GetFocus() == FInplaceEdit->Handle())) {
      TCustomControl::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  if (Button == mbLeft) {
    TGridDrawInfo info;
    TGridState state = gsNormal;
    CalcSizingState(X, Y, state, FSizingIndex, FSizingPos, FSizingOfs, info);
    if (state != gsNormal) {
      HideEditorCore(true);
      FGridState = state;
      DrawSizingLine();
    } else {
      TGridCoord cell = MouseCoord(X, Y);
      bool fixedRow = cell.Y >= 0 && cell.Y < FFixedRows, fixedCol = cell.X >= 0 && cell.X < FFixedCols;
      if (cell.X >= 0 && (FOptions & goColMoving) && fixedRow && !fixedCol) {
        HideEditorCore(true);
        FGridState = gsColMoving;
        FMoveIndex = FMovePos = cell.X;
      } else if (cell.X >= 0 && (FOptions & goRowMoving) && fixedCol && !fixedRow) {
        HideEditorCore(true);
        FGridState = gsRowMoving;
        FMoveIndex = FMovePos = cell.Y;
      } else if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
        if ((FOptions & goEditing) && cell == FCurrent && !(Shift & (ssShift | ssDouble))) {
          ShowEditor();
        } else {
          bool extend = (Shift & ssShift) && (FOptions & goRangeSelect);
          MoveColRow(cell.X, cell.Y, !extend, true);
          Click();
          FGridState = gsSelecting;
        }
        if ((Shift & ssDouble) && (FOptions & goEditing)) ShowEditor();
      }
    }
    if (FGridState != gsNormal && HandleAllocated()) {
      SetTimer(Handle(), ScrollTimerId, ScrollTimerInterval, nullptr);
      FTimerOn = true;
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  switch (FGridState) {
    case gsSelecting: {
      TGridCoord cell = MouseCoord(X, Y);
      if (cell.X >= FFixedCols && cell.Y >= FFixedRows && !(cell == FCurrent))
        MoveColRow(cell.X, cell.Y, !(FOptions & goRangeSelect), true);
      break;
    }
    case gsColSizing:
    case gsRowSizing: {
      bool horz = FGridState == gsColSizing;
      DrawSizingLine();
      // Never narrower than nothing: the border stays right of the cell start.
      FSizingPos = std::max<int>((horz ? X : Y) + FSizingOfs, static_cast<int>(Pos(horz, FSizingIndex)));
      DrawSizingLine();
      break;
    }
    case gsColMoving:
      FMovePos = TargetAt(true, X, Y).X;
      break;
    case gsRowMoving:
      FMovePos = TargetAt(false, X, Y).Y;
      break;
    default: break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FGridState != gsNormal) {
    // A click may have scrolled a partly visible cell into view: the point
    // then lies over another cell, which must not become current.
    if (FGridState != gsSelecting) MouseMove(Shift, X, Y);
    EndDrag(true);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::SetGridState(TGridState Value) {
  if (Value == FGridState) return;
  // The line is on the window exactly while a sizing state lasts.
  if (FGridState == gsColSizing || FGridState == gsRowSizing) DrawSizingLine();
  FGridState = Value;
  if (FGridState == gsColSizing || FGridState == gsRowSizing) DrawSizingLine();
}

void TCustomGrid::EndDrag(bool Apply) {
  TGridState state = FGridState;
  if (state == gsColSizing || state == gsRowSizing) DrawSizingLine();
  FGridState = gsNormal;
  if (FTimerOn && HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
  FTimerOn = false;
  if (!Apply) return;
  switch (state) {
    case gsColSizing:
      SetColWidths(FSizingIndex, FSizingPos - static_cast<int>(Pos(true, FSizingIndex)));
      break;
    case gsRowSizing:
      SetRowHeights(FSizingIndex, FSizingPos - static_cast<int>(Pos(false, FSizingIndex)));
      break;
    case gsColMoving:
      if (FMovePos != FMoveIndex) MoveColumn(FMoveIndex, FMovePos);
      break;
    case gsRowMoving:
      if (FMovePos != FMoveIndex) MoveRow(FMoveIndex, FMovePos);
      break;
    default: break;
  }
}

// While selecting or moving with the mouse outside the scrollable cells, the
// grid scrolls one cell per tick toward it.
void TCustomGrid::TimedScroll() {
  if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) return;
  POINT sp;
  GetCursorPos(&sp);
  TPoint p = ScreenToClient(TPoint(sp));
  for (bool horz : {true, false}) {
    if (FGridState == (horz ? gsRowMoving : gsColMoving)) continue;
    int along = horz ? p.x : p.y;
    if (along >= Extent(horz)) SetFirst(horz, First(horz) + 1);
    else if (along < FixedExtent(horz) && First(horz) > Fixed(horz)) SetFirst(horz, First(horz) - 1);
    else continue;
    if (FGridState == gsSelecting) {
      // Extend toward the last fully visible (or first scrollable) cell.
      TGridCoord t = FCurrent;
      int& i = horz ? t.X : t.Y;
      i = along >= Extent(horz) ? First(horz) + std::max(0, VisibleCount(horz) - 1) : First(horz);
      i = std::min(i, Count(horz) - 1);
      if (!(t == FCurrent)) MoveColRow(t.X, t.Y, !(FOptions & goRangeSelect), false);
    } else {
      FMovePos = along >= Extent(horz) ? std::min(Count(horz) - 1, First(horz) + std::max(0, VisibleCount(horz) - 1))
                                       : First(horz);
    }
  }
}

// The border being dragged: a white XOR line drawn straight onto the window,
// outside WM_PAINT, so drawing it a second time takes it away again.
void TCustomGrid::DrawSizingLine() {
  if (!HandleAllocated() || !IsWindowVisible(FHandle)) return;
  TCanvas* canvas = Canvas();
  if (canvas->GetLockCount() > 0) return;  // inside Paint, which draws it itself
  PaintSizingLine(canvas);
  // Give the window context back at once, so the line shows now.
  if (auto* cc = dynamic_cast<TControlCanvas*>(canvas)) cc->FreeHandle();
}

void TCustomGrid::PaintSizingLine(TCanvas* ACanvas) {
  TPen* pen = ACanvas->GetPen();
  const TPenMode oldMode = pen->GetMode();
  const TColor oldColor = pen->GetColor();
  const int oldWidth = pen->GetWidth();
  const TPenStyle oldStyle = pen->GetStyle();
  pen->SetStyle(psSolid);
  pen->SetMode(pmXor);
  pen->SetColor(clWhite);
  pen->SetWidth(1);
  if (FGridState == gsColSizing) {
    ACanvas->MoveTo(FSizingPos, 0);
    ACanvas->LineTo(FSizingPos, Extent(false));
  } else {
    ACanvas->MoveTo(0, FSizingPos);
    ACanvas->LineTo(Extent(true), FSizingPos);
  }
  pen->SetStyle(oldStyle);
  pen->SetWidth(oldWidth);
  pen->SetColor(oldColor);
  pen->SetMode(oldMode);
}
