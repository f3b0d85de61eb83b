// What the grid adds to the platform control's mouse notifications: editing
// and the drop-down of fixed cells on a press, the filter list and disjunct
// cells on a release, and everything that follows the pointer: hover,
// dragging selections over the fixed area, sizing zones and events, the
// visuals of moving a column or row, the drag start and the pointer modes.
#include <algorithm>
#include <cstdlib>

#include "grid/arrowwindow.h"
#include "grid/droplist.h"
#include "grid/headerbuttonlook.h"
#include "grid/htmlhint.h"
#include "grid/popupbutton.h"
#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/extctrls.h"
#include "platform/comctrls/menus.h"
#include "platform/forms/forms.h"

namespace {

bool SameRect(const TGridRect& A, const TGridRect& B) {
  return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

TGridRect Cells(int Left, int Top, int Right, int Bottom) {
  TGridRect R;
  R.Left = std::min(Left, Right);
  R.Right = std::max(Left, Right);
  R.Top = std::min(Top, Bottom);
  R.Bottom = std::max(Top, Bottom);
  return R;
}

}  // namespace

// ---- press and release ----------------------------------------------------------------------

void VIduZozezuVodu::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridCoord C = MouseCoord(X, Y);
  const bool Valid = C.X >= 0 && C.Y >= 0;
  if (FMouseActions->RangeSelectAndEdit && Button == mbLeft && !FMouseActions->GetEditOnDblClickOnly()) {
    const bool Editing = (GetOptions() & goEditing) != 0;
    if (Valid && C.X == GetCol() && C.Y == GetRow() && !Editing && IsEditable(C.X, C.Y)) {
      SetOptions(GetOptions() | goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      ShowInplaceEdit();
      return;
    }
    if (!(C.X == GetCol() && C.Y == GetRow()) && Editing && (Shift & ssShift)) {
      SetOptions(GetOptions() & ~static_cast<TGridOptions>(goEditing));
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  InMouseDown = true;
  try {
    TBaseGrid::MouseDown(Button, Shift, X, Y);
  } catch (...) {
    InMouseDown = false;
    throw;
  }
  InMouseDown = false;
  if (!Valid || C.X >= GetColCount() || C.Y >= GetRowCount()) return;
  const TRect CR = CellRect(C.X, C.Y);
  if (X > CR.right - 16 && HoverFixedCell(C.X, C.Y) && FControlLook->FixedDropDownButton) {
    FixedDropDownPressed = true;
    FFixedHover.OnDropDown = true;
    bool Keep = false;
    if (FixedDropDownMenu || OnFixedDropDownClick) {
      FixedHighlightKept = true;
      TPopupMenu* Menu = FixedDropDownMenu;
      if (Menu) Menu->SetTag(C.X);
      if (OnFixedDropDownClick) OnFixedDropDownClick(this, C.X, C.Y, Menu, Keep);
      if (Menu) {
        LeftButtonDown = false;
        FFixedHover.Cell = TPoint(C.X, C.Y);
        RepaintCell(C.X, C.Y);
        const TPoint P = ClientToScreen(TPoint(CR.right - 16, CR.bottom));
        Menu->TrackPopup(P.x, P.y);
        FFixedHover.Cell = TPoint(-1, -1);
        RepaintCell(C.X, C.Y);
      }
      FixedHighlightKept = Keep;
      return;
    }
  }
  if (C.Y == GetFixedRows() - 1 && HoverFixedCell(C.X, C.Y) && FControlLook->GetFixedGradientDownFrom() != clNone)
    RepaintCell(C.X, C.Y);
  if (C.X >= GetFixedCols() && C.Y >= GetFixedRows()) return;
  TRect Inner = CR;
  InflateRect(&Inner, -4, -4);
  const bool InInner = X >= Inner.left && X < Inner.right && Y >= Inner.top && Y < Inner.bottom;
  const TGridFixedCellEdit RowsEdit = FMouseActions->FixedRowsEdit, ColsEdit = FMouseActions->FixedColsEdit;
  const bool FixedRow = C.Y < GetFixedRows(), FixedCol = C.X < GetFixedCols();
  bool Start = false;
  if (Button == mbLeft && RowsEdit == fceLeftClick && FixedRow) Start = !(GetOptions() & goColSizing) || InInner;
  else if (Button == mbLeft && ColsEdit == fceLeftClick && FixedCol) Start = !(GetOptions() & goRowSizing) || InInner;
  else if (Button == mbRight && RowsEdit == fceRightClick && FixedRow) Start = true;
  else if (Button == mbRight && ColsEdit == fceRightClick && FixedCol) Start = true;
  if (Start) StartFixedEdit(C.X, C.Y);
}

void VIduZozezuVodu::FilterDropDownMouseUp(int ACol, int ARow, int RCol, int X, int Y) {
  TDropList* List = FDropList;
  if (!List) return;
  bool Open = false;
  if (ARow == FFilterDropDownRow && ARow >= 0 && ACol >= 0 && RCol != FDropDownCol) {
    const TRect CR = CellRect(ACol, ARow);
    if (X > CR.right - 16 && Y < CR.top + 19 && X < CR.right - 3 && GetFilter(RCol)) Open = true;
    if (Open) {
      FDropDownCol = RCol;
      List->SetColor(FFilterDropDown->GetColor());
      List->GetFont()->Assign(FFilterDropDown->GetFont());
      List->GetItems()->Clear();
      int Widest = 0;
      TCanvas* C = Canvas();
      C->GetFont()->Assign(FFilterDropDown->GetFont());
      for (int i = 0; i < FColumnFilter->GetCount(); ++i) {
        AnsiString S = FColumnFilter->Get(i);
        const std::size_t Eq = S.find('=');
        if (Eq != AnsiString::npos) S.resize(Eq);
        List->GetItems()->Add(S);
        Widest = std::max(Widest, C->TextWidth(S));
      }
      List->SetParent(this);
      int W = FFilterDropDown->GetWidth(), H = FFilterDropDown->GetHeight();
      if (FFilterDropDown->GetAutoSize()) {
        H = List->GetItems()->GetCount() * List->GetItemHeight() + 2 * GetSystemMetrics(SM_CYEDGE);
        W = 2 * GetSystemMetrics(SM_CXEDGE) + Widest + 8;
      }
      int Left = CR.right - 16;
      if (FFilterDropDown->GetColumnWidth()) {
        W = GetColWidths(ACol);
        Left = CR.left;
      }
      List->SetBounds(Left, CR.top + 16, W, H);
      if (List->GetItems()->GetCount() > 0) List->SetItemIndex(0);
      List->SetVisible(true);
      if (List->CanFocus()) List->SetFocus();
    }
  }
  if (!Open) {
    if (List->GetVisible()) List->SetVisible(false);
    FDropDownCol = -1;
  }
}

void VIduZozezuVodu::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (GetComponentState() & csDesigning) {
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    HandleDesignChoice(X, Y);
    return;
  }
  const TGridRect S0 = GetSelection();
  const TGridCoord C = MouseCoord(X, Y);
  const int R = RemapCol(C.X);
  FilterDropDownMouseUp(C.X, C.Y, R, X, Y);
  FixedDropDownPressed = false;
  FFixedHover.OnDropDown = false;
  const TGridState State = GetGridState();
  if ((State == gsColSizing && X > GetWidth()) || (State == gsRowSizing && Y > GetHeight())) {
    // Released outside: the sizing is dropped, and with it what the moves
    // recorded of it.
    SetGridState(gsNormal);
    if (HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
    ColSizedByMouse = RowSizedByMouse = false;
    SizingCell = TSizingCell{};
    return;
  }
  const bool Valid = C.X >= 0 && C.Y >= 0;
  if (FMouseActions->GetDisjunctCellSelect() && Button == mbLeft && Valid) {
    const TPoint B = BaseCell(C.X, C.Y);
    if (IsFixed(B.x, B.y)) {
      if (!(Shift & ssCtrl)) {
        ClearSelectedCells();
        Invalidate();
      }
    } else {
      bool Allow = true;
      if (OnSelectCell) OnSelectCell(this, B.x, B.y, Allow);
      if (!Allow) return;
      if (!(Shift & ssShift)) {
        if (Shift & ssCtrl) {
          SetSelectedCells(B.x, B.y, !GetSelectedCells(B.x, B.y));
        } else {
          for (int i = 0; i < GetSelectedCellsCount(); ++i) {
            const TGridCoord P = GetSelectedCell(i);
            RepaintCell(P.X, P.Y);
          }
          ClearSelectedCells();
          SetSelectedCells(B.x, B.y, true);
        }
      }
      const TGridRect Sel = GetSelection();
      if (Sel.Left == Sel.Right && Sel.Top == Sel.Bottom) {
        RepaintCell(C.X, C.Y);
      } else {
        for (int r = Sel.Top; r <= Sel.Bottom; ++r)
          for (int c = Sel.Left; c <= Sel.Right; ++c)
            if (!(c == B.x && r == B.y)) SetSelectedCells(c, r, true);
        for (int i = 0; i < GetSelectedCellsCount(); ++i) {
          const TGridCoord P = GetSelectedCell(i);
          RepaintCell(P.X, P.Y);
        }
        RepaintCell(C.X, C.Y);
      }
    }
  }
  if (State == gsColMoving && Button == mbRight) return;
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  if (Valid && C.X < GetColCount() && C.Y < GetRowCount() && C.Y == GetFixedRows() - 1 &&
      HoverFixedCell(C.X, C.Y) && FControlLook->GetFixedGradientDownFrom() != clNone)
    RepaintCell(C.X, C.Y);
  const TGridRect S = GetSelection();
  if (!SameRect(S, S0)) SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
}

// ---- pointer movement ------------------------------------------------------------------------

void VIduZozezuVodu::TrackFixedEdges(int X, int Y, bool ValidCell) {
  const bool Designing = (GetComponentState() & csDesigning) != 0;
  FixedColSizeHot = false;
  int E = 0;
  for (int i = 0; i < GetFixedCols(); ++i) {
    const int Edge = E + GetColWidths(i);
    if (std::abs(Edge - X) < 3 && ValidCell && !Designing) {
      FixedSizingCol = i;
      FixedColSizeHot = FMouseActions->SizeFixedCol;
    }
    E += GetColWidths(i) + 1;
  }
  if (FixedColSizing) {
    DrawSizingLine(FixedSizingLineX);
    DrawSizingLine(X);
    FixedSizingLineX = X;
  }
  FixedRowSizeHot = false;
  E = 0;
  for (int i = 0; i < GetFixedRows(); ++i) {
    const int Edge = E + GetRowHeights(i);
    if (std::abs(Edge - Y) < 3 && ValidCell && !Designing) {
      FixedSizingRow = i;
      FixedRowSizeHot = FMouseActions->SizeFixedRow;
    }
    E += GetRowHeights(i) + 1;
  }
  if (FixedRowSizing) {
    DrawSizingLineR(FixedSizingLineY);
    DrawSizingLineR(Y);
    FixedSizingLineY = Y;
  }
}

bool VIduZozezuVodu::OnSelectionResizer(int X, int Y) {
  if (!GetSelectionResizer() || !GetSelectionRectangle()) return false;
  const TGridRect S = GetSelection();
  const TRect Seen = TStringGrid::CellRect(S.Right, S.Bottom);
  if (Seen.right <= Seen.left) return false;
  const TRect R = CellRect(S.Right, S.Bottom);
  return X >= R.right - 6 && X <= R.right && Y >= R.bottom - 6 && Y <= R.bottom;
}

int VIduZozezuVodu::ColumnSizingValue(int X) {
  const int Col = SizingCell.Col >= 0 && SizingCell.Col < GetColCount() ? SizingCell.Col : GetColCount() - 1;
  const TRect R = CellRect(Col, 0);
  return X - R.left - SizingGrabOffsetX;
}

int VIduZozezuVodu::RowSizingValue(int Y) {
  const int Row = SizingCell.Row >= 0 && SizingCell.Row < GetRowCount() ? SizingCell.Row : GetRowCount() - 1;
  const TRect R = CellRect(0, Row);
  return Y - R.top - SizingGrabOffsetY;
}

void VIduZozezuVodu::ShowSizingHint(int X, int Y) {
  const TGridState State = GetGridState();
  const bool Cols = State == gsColSizing || FixedColSizing;
  const bool Rows = State == gsRowSizing || FixedRowSizing;
  if (!Cols && !Rows) return;
  AnsiString Text;
  int Col = 0, Row = 0;
  if (Cols) {
    const int V = FixedColSizing ? FixedSizingLineX : ColumnSizingValue(X);
    Text = "cw=<b>" + IntToStr(V) + "</b>";
    Col = FixedColSizing ? 0 : (SizingCell.Col >= 0 ? SizingCell.Col : GetColCount() - 1);
  } else {
    const int V = FixedRowSizing ? FixedSizingLineY : RowSizingValue(Y);
    Text = "rh=<b>" + IntToStr(V) + "</b>";
    Row = FixedRowSizing ? 0 : (SizingCell.Row >= 0 ? SizingCell.Row : GetRowCount() - 1);
  }
  if (!FSizingHint) {
    FSizingHint = new THTMLHintWindow(this);
  }
  FSizingHint->SetColor(HintColor);
  TRect HR = FSizingHint->CalcHintRect(200, Text, nullptr);
  const TRect CR = CellRect(std::min(Col, GetColCount() - 1), std::min(Row, GetRowCount() - 1));
  const TPoint P = ClientToScreen(TPoint(CR.left, CR.top));
  OffsetRect(&HR, P.x - HR.left, P.y - HR.top);
  FSizingHint->ActivateHint(HR, Text);
}

void VIduZozezuVodu::MovingVisuals(int X, int Y, int ACol, int ARow) {
  MakeMoveParts();
  TDragDropSettings* DD = FDragDropSettings.get();
  const bool Cols = GetGridState() == gsColMoving;
  bool Allow = true;
  if (Cols ? (MoveIndex >= GetFixedCols() && ARow >= 0) : (MoveIndex >= GetFixedRows() && ACol >= 0)) {
    if (DD->ShowCells && !DragImageForm) {
      const TGridRect R = Cols ? Cells(MoveIndex, 0, MoveIndex,
                                       std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount() - GetFixedRows()))
                               : Cells(0, MoveIndex,
                                       std::min(GetColCount() - 1, GetLeftCol() + GetVisibleColCount() - GetFixedCols()),
                                       MoveIndex);
      DragImageForm = SelectionToForm(R);
      DragImageForm->Show();
    }
    if (Cols) {
      MoveButton->SetCaption(GetCellEx(RemapCol(MoveIndex), 0));
      MoveButton->SetWidth(GetColWidths(MoveIndex));
      MoveButton->SetHeight(GetRowHeights(std::min(std::max(ARow, 0), GetRowCount() - 1)));
    } else {
      MoveButton->SetCaption(GetCellEx(0, MoveIndex));
      MoveButton->SetHeight(GetRowHeights(MoveIndex));
      MoveButton->SetWidth(GetColWidths(std::min(std::max(ACol, 0), GetColCount() - 1)));
    }
    MoveButton->Repaint();
  }
  const TPoint SP = ClientToScreen(TPoint(X, Y));
  const TPoint P(SP.x - ClickOffset.x, SP.y - ClickOffset.y);
  if (DD->ShowCells && DragImageForm) {
    DragImageForm->SetBounds(P.x, P.y, DragImageForm->GetWidth(), DragImageForm->GetHeight());
  } else {
    MoveButton->SetBounds(P.x, P.y, MoveButton->GetWidth(), MoveButton->GetHeight());
  }
  // MoveArrows: arrDown above a cell, arrUp below it, arrRight left of it, arrLeft right of it.
  if (Cols && MoveTargetCol >= GetFixedCols() && MoveTargetCol < GetColCount()) {
    const TRect CR = CellRect(MoveTargetCol, 0);
    const TRect Seen = TStringGrid::CellRect(MoveTargetCol, 0);  // empty when scrolled away
    const bool Shown = Seen.right > Seen.left;
    const TPoint TL = ClientToScreen(TPoint(CR.left, CR.top)), BR = ClientToScreen(TPoint(CR.right, CR.bottom));
    const int Left = MoveTargetCol < MoveIndex ? TL.x - 5 : TL.x + GetColWidths(MoveTargetCol) - 5;
    MoveArrows[1]->SetBounds(Left, BR.y, MoveArrows[1]->GetWidth(), MoveArrows[1]->GetHeight());
    MoveArrows[0]->SetBounds(Left, TL.y - 8, MoveArrows[0]->GetWidth(), MoveArrows[0]->GetHeight());
    MoveArrows[0]->SetVisible(Shown);
    MoveArrows[1]->SetVisible(Shown);
  }
  const bool FooterRow = FFloatingFooter->GetVisible() && FFloatingFooter->GetFooterStyle() == fsFixedLastRow &&
                         MoveTargetRow == GetRowCount() - 1;
  if (!Cols && MoveTargetRow >= GetFixedRows() && MoveTargetRow < GetRowCount() && !FooterRow) {
    const TRect CR = CellRect(0, MoveTargetRow);
    const TRect Seen = TStringGrid::CellRect(0, MoveTargetRow);
    const bool Shown = Seen.bottom > Seen.top;
    const TPoint TL = ClientToScreen(TPoint(CR.left, CR.top)), BR = ClientToScreen(TPoint(CR.right, CR.bottom));
    const int Top = MoveTargetRow < MoveIndex ? TL.y - 5 : TL.y + GetRowHeights(MoveTargetRow) - 5;
    MoveArrows[2]->SetBounds(TL.x - 10, Top, MoveArrows[2]->GetWidth(), MoveArrows[2]->GetHeight());
    MoveArrows[3]->SetBounds(BR.x, Top, MoveArrows[3]->GetWidth(), MoveArrows[3]->GetHeight());
    MoveArrows[2]->SetVisible(Shown);
    MoveArrows[3]->SetVisible(Shown);
  }
  if (Cols) {
    MoveTargetCol = ACol;
    if (OnColumnMoving) OnColumnMoving(this, MoveTargetCol, Allow);
  } else {
    MoveTargetRow = ARow;
    if (OnRowMoving) OnRowMoving(this, MoveTargetRow, Allow);
  }
  if (Cols && GetVisibleColCount() < GetColCount() - GetFixedCols()) {
    int FixedW = 0;
    for (int c = 0; c < GetFixedCols(); ++c) FixedW += GetColWidths(c);
    if (X < FixedW && GetLeftCol() > GetFixedCols()) {
      SetLeftCol(GetLeftCol() - 1);
      Repaint();
    } else if (X > GetWidth() && GetLeftCol() + GetVisibleColCount() < GetColCount()) {
      SetLeftCol(GetLeftCol() + 1);
      Repaint();
    }
  }
  if (!Cols && GetVisibleRowCount() < GetRowCount() - GetFixedRows()) {
    int FixedH = 0;
    for (int r = 0; r < GetFixedRows(); ++r) FixedH += GetRowHeights(r);
    if (Y < FixedH && GetTopRow() > GetFixedRows()) {
      SetTopRow(GetTopRow() - 1);
      Repaint();
    } else if (Y > GetHeight() && GetTopRow() + GetVisibleRowCount() < GetRowCount()) {
      SetTopRow(GetTopRow() + 1);
      Repaint();
    }
  }
  if (!MoveButton->GetVisible()) {
    SetHeaderButtonLook(*MoveButton, GetLook(), FFixedGradient);
    if (!DD->ShowCells) MoveButton->SetVisible(true);
    MoveButton->SetImages(FGridImages);
    // The focus stays with the grid: handing it to the parent would end the
    // move, which holds the mouse capture (focus changes cancel captures).
  }
  if (!MoveButton->GetEnabled()) MoveButton->SetEnabled(true);
  if (Screen) Screen->SetCursor(Allow ? crDrag : crNoDrop);
}

void VIduZozezuVodu::MouseMove(TShiftState Shift, int X, int Y) {
  const bool Designing = (GetComponentState() & csDesigning) != 0;
  if (LeftButtonDown && FMouseActions->RangeSelectAndEdit && (GetOptions() & goEditing) && !EditActive)
    SetOptions(GetOptions() & ~static_cast<TGridOptions>(goEditing));
  const TGridRect S0 = GetSelection();
  if (GetSelectionRectangle() && GetGridState() == gsSelecting) LastDrawnSelection = S0;
  const TGridCoord C = MouseCoord(X, Y);
  const int ACol = C.X, ARow = C.Y;
  const bool Valid = ACol >= 0 && ARow >= 0;
  if (Valid && !Designing) PlaceInCellScrollBar(ACol, ARow);

  if (FHoverFixedCells != hfNone && !FixedHighlightKept) HoverTo(ACol, ARow);
  if (GetLook() == glListView && (ACol != LookHoverCol || ARow != LookHoverRow)) {
    auto FixedCell = [this](int c, int r) {
      return c >= 0 && r >= 0 && c < GetColCount() && r < GetRowCount() && (c < GetFixedCols() || r < GetFixedRows());
    };
    if (LookHoverCol != -1 && FixedCell(LookHoverCol, LookHoverRow)) RepaintCell(LookHoverCol, LookHoverRow);
    LookHoverCol = ACol;
    LookHoverRow = ARow;
    if (FixedCell(ACol, ARow)) RepaintCell(ACol, ARow);
  }

  bool AboveFixed = false;
  if (RowSelectAnchor != -1 && FMouseActions->RowSelect && MouseZone == 2 && ARow >= GetFixedRows() &&
      ARow <= GetRowCount() - GetFixedFooters() && ARow < GetRowCount() && GetFixedCols() < GetColCount()) {
    const TGridRect R =
        Cells(GetFixedCols(), RowSelectAnchor, GetColCount() - 1, std::max(GetFixedRows(), ARow));
    SetSelection(R);
    if (GetSelectionRectangle() && !SameRect(R, LastDrawnSelection)) {
      for (int r = R.Top; r <= R.Bottom; ++r)
        for (int c = GetLeftCol(); c <= std::min(GetColCount() - 1, GetLeftCol() + GetVisibleColCount()); ++c)
          RepaintCell(c, r);
      LastDrawnSelection = R;
    }
  }
  if (RowSelectAnchor != -1 && FMouseActions->RowSelect && MouseZone == 2) {
    if (Y > GetHeight() - 4) {
      SetTopRow(GetTopRow() + 1);
    } else if (GetFixedRows() > 0 && Y < GetRowHeights(0) && GetTopRow() > GetFixedRows()) {
      SetTopRow(GetTopRow() - 1);
      AboveFixed = true;
    }
  }
  if (RowSelectAnchor != -1 && FMouseActions->ColSelect && MouseZone == 1 && ACol >= 0 &&
      GetFixedRows() < GetRowCount()) {
    const TGridRect R =
        Cells(RowSelectAnchor, GetFixedRows(), std::max(GetFixedCols(), ACol), GetRowCount() - 1);
    SetSelection(R);
    if (GetSelectionRectangle() && !SameRect(R, LastDrawnSelection)) {
      for (int c = R.Left; c <= R.Right; ++c)
        for (int r = GetTopRow(); r <= std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount()); ++r)
          RepaintCell(c, r);
      LastDrawnSelection = R;
    }
  }

  TrackFixedEdges(X, Y, Valid);
  const bool OnResizer = OnSelectionResizer(X, Y);

  if (DragSelectPending && Valid &&
      (std::abs(X - MouseDownPos.x) > 3 || std::abs(Y - MouseDownPos.y) > 3) && FDragDropSettings->OleDropSource &&
      GetGridState() != gsColSizing && !OnResizer) {
    DragSelectPending = false;
    if (!StartOleDrag(ACol, ARow) && GetGridState() == gsNormal) SetGridState(gsSelecting);
  }

  bool OwnCursor = false;
  if (!Designing) {
    switch (GetGridState()) {
      case gsColSizing: ColSizedByMouse = true; break;
      case gsRowSizing: RowSizedByMouse = true; break;
      case gsColMoving: {
        bool Allow = true;
        if (OnColumnMove) OnColumnMove(this, MoveIndex, Allow);
        if (!Allow) SetGridState(gsNormal);
        break;
      }
      case gsRowMoving: {
        bool Allow = true;
        if (OnRowMove) OnRowMove(this, MoveIndex, Allow);
        if (!Allow) SetGridState(gsNormal);
        break;
      }
      default: break;
    }
    const TGridState State = GetGridState();
    if ((State == gsColMoving || State == gsRowMoving) && !(X == MouseDownPos.x && Y == MouseDownPos.y) &&
        FEnhRowColMove && !FixedColSizing && !FixedRowSizing)
      MovingVisuals(X, Y, ACol, ARow);
    MouseZone = OnResizer ? 5 : 0;
    if (Valid && ARow < GetFixedRows() && ACol < GetFixedCols() && FMouseActions->AllSelect) {
      MouseZone = 3;
    } else if (Valid && ARow < GetFixedRows() && ACol >= GetFixedCols() && FMouseActions->ColSelect &&
               !InSizeZone(X, Y)) {
      MouseZone = 1;
    } else if (Valid && ACol < GetFixedCols() && (ARow >= GetFixedRows() || AboveFixed) && FMouseActions->RowSelect &&
               !InSizeZone(X, Y) && !InNodeRect(ARow, X)) {
      MouseZone = 2;
    }
    // The modes' cursors come with WM_SETCURSOR, not through Cursor: a
    // flag set here would outlive this move and keep a mode the program's
    // next cursor change must end.
    if (MouseZone == 1 || MouseZone == 2 || MouseZone == 3) OwnCursor = true;
  }

  if (Valid && HandCursor(ACol, ARow, X, Y)) OwnCursor = true;
  if (!OwnCursor && GetCursor() != FCursorEx) {
    CursorSetByGrid = true;
    SetCursor(FCursorEx);
  }

  if (HintCellCol != -1 && (ACol != HintCellCol || ARow != HintCellRow)) {
    if (Application) Application->CancelHint();
    HintCellCol = HintCellRow = -1;
  }
  if (FBalloon->GetEnable() && BalloonCellCol != -1 && (ACol != BalloonCellCol || ARow != BalloonCellRow)) {
    PopBalloon();
    BalloonCellCol = BalloonCellRow = -1;
  }

  if (GetGridState() == gsSelecting && GetSelectionRectangle()) {
    const TGridRect S = GetSelection();
    if (!SameRect(S, PrevSelection)) {
      InvalidateGridRect(S);
      PrevSelection = S;
    }
  }

  TBaseGrid::MouseMove(Shift, X, Y);

  if (FNavigation->KeepHorizScroll && LeftPressActive && GetGridState() != gsColMoving) {
    StartUpdate();
    SetLeftCol(PressLeftCol);
    ResetUpdate();
  }

  const TGridState State = GetGridState();
  if ((State == gsColSizing || FixedColSizing) && OnColumnSizing) {
    if (FixedColSizing) OnColumnSizing(this, 0, FixedSizingLineX);
    else OnColumnSizing(this, SizingCell.Col, ColumnSizingValue(X));
  }
  if ((State == gsRowSizing || FixedRowSizing) && OnRowSizing) {
    if (FixedRowSizing) OnRowSizing(this, 0, FixedSizingLineY);
    else OnRowSizing(this, SizingCell.Row, RowSizingValue(Y));
  }
  if (Designing || HintShowSizing) ShowSizingHint(X, Y);

  if (FEnhRowColMove && (State == gsColMoving || State == gsRowMoving)) Update();
  const TGridRect S = GetSelection();
  if (!SameRect(S, S0)) SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
}

// ---- the picture of moved cells -------------------------------------------------------------

TCustomForm* VIduZozezuVodu::SelectionToForm(const TGridRect& Rect) {
  const int GW = std::max(1, GetWidth()), GH = std::max(1, GetHeight());
  TBitmap Whole;
  Whole.SetSize(GW, GH);
  if (HandleAllocated()) PaintTo(Whole.GetCanvas(), 0, 0);
  TRect A = CellRect(Rect.Left, Rect.Top), B = CellRect(Rect.Right, Rect.Bottom);
  if (B.left < A.left) std::swap(A, B);
  const int W = std::max(1, B.right - A.left + 1), H = std::max(1, B.bottom - A.top + 1);
  auto* Bmp = new TBitmap;
  Bmp->SetSize(W, H);
  Bmp->GetCanvas()->CopyRect(TRect(0, 0, W, H), Whole.GetCanvas(),
                             TRect(A.left + 1, A.top + 1, A.left + 1 + W, A.top + 1 + H));
  TCanvas* BC = Bmp->GetCanvas();
  BC->GetPen()->SetStyle(psSolid);
  BC->GetPen()->SetWidth(1);
  BC->GetPen()->SetColor(GetGridFixedLineColor());
  if (Rect.Left == 0 && GetFixedCols() > 0 && (GetOptions() & goFixedVertLine)) {
    BC->MoveTo(0, 0);
    BC->LineTo(0, H);
  }
  if (Rect.Top == 0 && GetFixedRows() > 0 && (GetOptions() & goFixedHorzLine)) {
    BC->MoveTo(0, 0);
    BC->LineTo(W, 0);
  }
  auto* Form = new TForm(this);
  Form->SetFormBorderStyle(bsNone);
  Form->SetBounds(0, 0, W, H);
  auto* Img = new TImage(Form);
  Img->SetParent(Form);
  Img->SetAlign(alClient);
  Img->GetPicture()->Assign(Bmp);
  delete Bmp;
  Form->SetAlphaBlendValue(192);
  Form->SetAlphaBlend(true);
  // The picture follows the pointer during a move or drag: taking the
  // activation when shown would cancel that very move.
  const HWND FH = Form->Handle();
  SetWindowLongPtrA(FH, GWL_EXSTYLE, GetWindowLongPtrA(FH, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
  return Form;
}
