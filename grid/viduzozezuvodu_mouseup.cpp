// The left button release (sizing ends, cell buttons, the disjunct
// selections, the end of a column or row move, header sort clicks), the
// double click, the right button and choosing a radio group item.
#include <algorithm>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_graphicdraw.h"
#include "platform/forms/forms.h"
#include "platform/rtl/syncobjs.h"

namespace {

bool InRect(const TRect& R, int X, int Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

}  // namespace

void VIduZozezuVodu::WMLButtonUp(TMessage& Msg) {
  const int X = Msg.XPos(), Y = Msg.YPos();
  const TShiftState Keys = KeyboardStateToShiftState();
  MovedMark = WidthChangedMark = false;
  SelectionCleared = false;
  LeftPressActive = LeftButtonDown = false;
  MouseZone = 0;
  if (ControlType == "BUTTON" && ControlCell.x >= 0) {
    const TPoint Cell = ControlCell;
    ControlCell = TPoint(-1, -1);
    ControlType = "";
    if (Cell.y < GetRowCount()) RepaintCell(RemapColInv(Cell.x), Cell.y);
  }
  if (GetLook() == glListView) Invalidate();
  RowSelectAnchor = -1;
  if (!(GetComponentState() & csDesigning))
    for (TWinControl* A : MoveArrows)
      if (A) A->SetVisible(false);

  ReleaseFixedSizing(X, Y);

  if (FixedCellPressed) {
    DrawFixedEdge(PressedFixedRect, false);
    FixedCellPressed = false;
  }

  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const bool OnCell = ACol >= 0 && ARow >= 0;

  if (PressedButtonCell.x >= 0) {
    const TPoint P = PressedButtonCell;
    const bool PressedFixed = P.x < GetFixedCols() || P.y < GetFixedRows();
    if (OnCell && (FControlLook->GetNoDisabledButtonLook() || IsEditable(ACol, ARow) || PressedFixed)) {
      // The button drawn down is the pressed one, wherever the release is.
      if (!IsNode(P.y)) PushButton(P.x, P.y, false);
      if (OnButtonClick) OnButtonClick(this, P.x, P.y);
    } else {
      PushButton(P.x, P.y, false);
    }
    PressedButtonCell = TPoint(-1, -1);
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
  }

  if (OnCell && HasButton(ACol, ARow) && InRect(ButtonRect(ACol, ARow), X, Y)) return;

  const bool SizingRelease = ARow >= 0 && ARow < GetFixedRows() && (GetOptions() & goColSizing) && Screen &&
                             ::GetCursor() == Screen->GetCursors(crHSplit);
  if (!SizingRelease && OnCell && (ARow < GetFixedRows() || ACol < GetFixedCols()) && OnClick) OnClick(this);

  if (GetGridState() == gsSelecting || Dragging()) {
    SetGridState(gsNormal);
    Click();
  }

  if (DragSelectPending) {
    DragSelectPending = false;
    if (OnCell && ARow >= GetFixedRows() && ACol >= GetFixedCols()) {
      if (FMouseActions->GetDisjunctRowSelect() && FDragDropSettings->OleDropSource) {
        if (!(Keys & ssCtrl)) {
          ClearRowSelect();
        } else {
          SetRowSelect(ARow, !GetRowSelect(ARow));
          if (OnMouseUp) OnMouseUp(this, mbLeft, ssCtrl, ACol, ARow);
          return;
        }
      }
      if (GetFixedCols() > 0) RepaintCell(0, GetRow());
      if (GetOptions() & goRangeSelect) SetSelection(TGridRect{GetFixedCols(), ARow, GetColCount() - 1, ARow});
      else SetSelection(TGridRect{ACol, ARow, ACol, ARow});
      if (GetFixedCols() > 0) RepaintCell(0, ARow);
    }
  }

  ReleaseDisjunct(ACol, ARow, Keys);
  if (ReleaseMove(ACol, ARow)) MovedMark = true;

  const TGridState Before = GetGridState();
  TBaseGrid::Dispatch(Msg);
  if (Before == gsColSizing || Before == gsRowSizing) WidthChangedMark = true;
  // A header dragged to another place was moved, not clicked.
  if ((Before == gsColMoving || Before == gsRowMoving) && MoveIndex >= 0 &&
      (Before == gsColMoving ? ACol : ARow) != MoveIndex)
    MovedMark = true;
  if (GetGridState() == gsSelecting) SetGridState(gsNormal);

  if (SelectionResizing) {
    TGridRect Now = GetSelection();
    if (OnSelectionResize) OnSelectionResize(this, OrigSelection, Now);
    const bool Suspended = EditingSuspended;
    EditingSuspended = true;
    PasteSelectionFromClipboard();
    EditingSuspended = Suspended;
    SelectionResizing = false;
    Now = GetSelection();
    if (OnSelectionResized) OnSelectionResized(this, OrigSelection, Now);
  }

  if (MovedMark || WidthChangedMark || !OnCell) return;
  ReleaseHeader(ACol, ARow, X, Y, Keys);
}

void VIduZozezuVodu::ReleaseFixedSizing(int X, int Y) {
  if (FixedColSizing) {
    FixedColSizing = FixedColSizeHot = false;
    int Before = 0;
    for (int c = 0; c < FixedSizingCol; ++c) Before += GetColWidths(c);
    // Released left of the column's start: it closes, it never turns negative.
    int W = std::max(0, X - Before);
    SetColWidths(FixedSizingCol, W);
    if (OnEndColumnSize) OnEndColumnSize(this, FixedSizingCol);
    if (OnUpdateColumnSize) {
      int N = W;
      OnUpdateColumnSize(this, FixedSizingCol, N);
      if (N != W) SetColWidths(FixedSizingCol, std::max(0, N));
    }
  }
  if (FixedRowSizing) {
    FixedRowSizing = FixedRowSizeHot = false;
    int Before = 0;
    for (int r = 0; r < FixedSizingRow; ++r) Before += GetRowHeights(r);
    SetRowHeights(FixedSizingRow, std::max(0, Y - Before));
    if (OnEndRowSize) OnEndRowSize(this, FixedSizingRow);
  }
}

void VIduZozezuVodu::ReleaseDisjunct(int ACol, int ARow, TShiftState) {
  if (ACol < 0 || ARow < 0) {
    RowTogglePending = ColTogglePending = false;
    return;
  }
  if (FMouseActions->GetDisjunctRowSelect() && (!IsNode(ARow) || ACol != 0)) {
    if (ARow >= GetFixedRows()) {
      if (!(ACol == 0 && FMouseActions->GetHotmailRowSelect())) SelectToRowSelect(false);
      if (RowTogglePending && ToggleRow >= GetFixedRows() && ToggleRow < GetRowCount())
        SetRowSelect(FMouseActions->RowSelectPersistent ? RemapRowInv(ToggleRow) : ToggleRow, false);
    }
    RowTogglePending = false;
  }
  if (FMouseActions->GetDisjunctColSelect()) {
    SelectToColSelect(false);
    if (ColTogglePending && ToggleCol >= GetFixedCols() && ToggleCol < GetColCount()) SetColSelect(ToggleCol, false);
    ColTogglePending = false;
  }
  if (IsNode(ARow) && !GetNodeState(ARow) && FGrouping->AutoSelectGroup && ACol > 0) {
    const int Span = GetNodeSpan(ARow);
    if (FMouseActions->GetDisjunctRowSelect()) {
      for (int r = ARow + 1; r <= ARow + Span && r < GetRowCount(); ++r) SetRowSelect(r, true);
    } else {
      SetSelection(TGridRect{GetFixedCols(), ARow, GetColCount() - 1, std::min(GetRowCount() - 1, ARow + Span)});
    }
  }
}

bool VIduZozezuVodu::ReleaseMove(int ACol, int ARow) {
  const TGridState State = GetGridState();
  if (!FEnhRowColMove || (State != gsColMoving && State != gsRowMoving) || !Screen) return false;
  const TCursor Cur = Screen->GetCursor();
  if (Cur != crDrag && Cur != crNoDrop) return false;
  if (MoveButton) {
    MoveButton->SetVisible(false);
    MoveButton->SetEnabled(false);
  }
  delete DragImageForm;
  DragImageForm = nullptr;
  Screen->SetCursor(crDefault);
  SetGridState(gsNormal);
  if (Cur != crNoDrop) {
    if (State == gsColMoving && MoveIndex >= 0 && ACol >= GetFixedCols() && ACol != MoveIndex && ACol >= 0)
      MoveColumn(MoveIndex, ACol);
    else if (State == gsRowMoving && MoveIndex >= 0 && ARow >= GetFixedRows() && ARow != MoveIndex && ARow >= 0)
      MoveRow(MoveIndex, ARow);
  } else if (State == gsColMoving) {
    RepaintRow(0);
  } else {
    RepaintCol(0);
  }
  if (HandleAllocated()) KillTimer(GetHandle(), ScrollTimerId);
  return true;
}

void VIduZozezuVodu::ReleaseHeader(int ACol, int ARow, int X, int Y, TShiftState Keys) {
  if (ACol < GetFixedCols() && !FSortSettings->FixedCols) return;
  const int RC = RemapCol(ACol);
  if (HasCheckBox(RC, ARow) && OnCheckBoxMouseUp) {
    bool State = false;
    GetCheckBoxState(RC, ARow, State);
    OnCheckBoxMouseUp(this, RC, ARow, State);
  }
  if (IsRadio(RC, ARow) && OnRadioMouseUp) {
    int Idx = -1;
    GetRadioIdx(RC, ARow, Idx);
    OnRadioMouseUp(this, RC, ARow, Idx);
  }
  if (AutoSizedMark) {
    AutoSizedMark = false;
    return;
  }
  const TRect R = CellRect(ACol, ARow);
  if (ARow == 0 && (GetOptions() & goColSizing) && (X - R.left < 4 || R.right - X < 4)) return;
  if (R.right - X < 16 && (FControlLook->FixedDropDownButton || GetFilter(RC))) return;

  int PC = -1, PR = -1;
  MouseToCell(MouseDownPos.x, MouseDownPos.y, PC, PR);
  const int SortRow = FSortSettings->GetRow();
  if (ARow != SortRow || PR != SortRow || GetFixedRows() <= 0 || IsInCheckBox(RC, ARow, X, Y) ||
      !FSortSettings->GetShow() || GetRowCount() <= 2)
    return;
  bool DoSort = !IsIgnoredColumn(RC);
  if (OnCanSort) OnCanSort(this, RC, DoSort);
  if (!DoSort) {
    RepaintCell(ACol, SortRow);
    return;
  }
  SortByHeader(RC, Keys);
}

void VIduZozezuVodu::SortByHeader(int RC, TShiftState Keys) {
  HideInplaceEdit();
  if (FSortXRef->GetCount() != GetRowCount()) InitSortXRef();
  if (FSortSettings->AutoColumnMerge) UndoColumnMerge();
  const bool KeepLeft = FNavigation->KeepHorizScroll && (GetOptions() & goRangeSelect);
  const int OldLeft = GetLeftCol();
  const unsigned Start = GetTickCount();
  BeginUpdate();
  if (FSortSettings->IndexShow) {
    const bool Asc = FSortSettings->InitSortDirection == sdAscending;
    const int Found = FSortIndexes->FindIndex(RC);
    if (Keys & ssShift) {
      if (Found < 0) FSortIndexes->AddIndex(RC, Asc);
      else FSortIndexes->ToggleIndex(RC);
    } else if (FSortIndexes->GetCount() == 1 && Found == 0) {
      FSortIndexes->ToggleIndex(RC);
    } else {
      FSortIndexes->Clear();
      FSortIndexes->AddIndex(RC, Asc);
    }
    if (HasNodes()) QSortGroupIndexed();
    else QSortIndexed();
    FSortSettings->Column = FSortIndexes->GetCount() > 0 ? FSortIndexes->GetSortColumns(0) : -1;
  } else if (FSortSettings->Column == RC) {
    FSortSettings->Direction = FSortSettings->Direction == sdAscending ? sdDescending : sdAscending;
    // The third click on a column puts the rows back in their first order.
    if (FSortSettings->Direction == FSortSettings->InitSortDirection && FSortSettings->UndoSort) {
      QUnSort();
      FSortSettings->Column = -1;
    } else if (HasNodes()) {
      QSortGroup();
    } else {
      QSort();
    }
  } else {
    FSortSettings->Direction = FSortSettings->InitSortDirection;
    FSortSettings->Column = RC;
    if (HasNodes()) QSortGroup();
    else QSort();
  }
  if (KeepLeft) SetLeftCol(OldLeft);
  EndUpdate();
  SortTime = GetTickCount() - Start;
  if (FSortSettings->AutoColumnMerge) ApplyColumnMerge();
  if (OnClickSort) OnClickSort(this, FSortSettings->Column);
}

void VIduZozezuVodu::WMLButtonDblClk(TMessage& Msg) {
  const int X = Msg.XPos(), Y = Msg.YPos();
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (FMouseActions->RangeSelectAndEdit) DblClickSelecting = true;
  if (ACol < 0 || ARow < 0) {
    if (FFixedRowAlways) {
      TBaseGrid::Dispatch(Msg);
      DblClickSelecting = false;
      return;
    }
    ACol = GetColCount() - 1;
    ARow = 0;
  }
  if (ARow < GetFixedRows() && (GetOptions() & goColSizing) && FMouseActions->AutoSizeColOnDblClick) {
    const TRect R = CellRect(ACol, ARow);
    int Target = -1;
    if (X - R.left < 4 && ACol - 1 >= GetFixedCols()) Target = ACol - 1;
    else if (R.right - X < 4 && ACol >= GetFixedCols()) Target = ACol;
    if (Target >= 0) {
      AutoSizedMark = true;
      bool Allow = true;
      if (OnColumnSize) OnColumnSize(this, Target, Allow);
      if (Allow) {
        AutoSizeCol(Target);
        if (OnEndColumnSize) OnEndColumnSize(this, Target);
      }
      TBaseGrid::Dispatch(Msg);
      DblClickSelecting = false;
      return;
    }
  }
  if (HasButton(ACol, ARow) && InRect(ButtonRect(ACol, ARow), X, Y)) {
    DblClickSelecting = false;
    return;
  }
  TBaseGrid::Dispatch(Msg);
  int HC = -1, HR = -1;
  MouseToCell(X, Y, HC, HR);
  if (OnDblClickCell && HC >= 0 && HR >= 0) OnDblClickCell(this, HR, HC);

  if (FMouseActions->GetEditOnDblClickOnly()) {
    const bool Range = FMouseActions->RangeSelectAndEdit;
    FMouseActions->RangeSelectAndEdit = true;
    if (IsEditable(ACol, ARow)) {
      SetOptions(GetOptions() | goEditing);
      ValidateCol = ACol;
      ValidateRow = ARow;
      ShowInplaceEdit();
    }
    FMouseActions->RangeSelectAndEdit = Range;
  } else if (FMouseActions->RangeSelectAndEdit && IsEditable(ACol, ARow)) {
    SetOptions(GetOptions() | goEditing);
    const TPoint B = BaseCell(ACol, ARow);
    const TRect R = CellRect(B.x, B.y);
    MouseDown(mbLeft, 0, R.left + 4, R.top + 4);
  }
  DblClickSelecting = false;
  if ((ARow < GetFixedRows() && FMouseActions->FixedRowsEdit == fceDblClick) ||
      (ACol < GetFixedCols() && FMouseActions->FixedColsEdit == fceDblClick))
    StartFixedEdit(ACol, ARow);
}

void VIduZozezuVodu::WMRButtonDown(TMessage& Msg) {
  const int X = Msg.XPos(), Y = Msg.YPos();
  TBaseGrid::Dispatch(Msg);
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (ACol < 0 || ARow < 0) return;
  const TShiftState Keys = KeyboardStateToShiftState();
  if (FMouseActions->SelectOnRightClick && !IsFixed(ACol, ARow)) {
    if ((GetOptions() & goRangeSelect) && !OnRightClickCell) MouseDown(mbLeft, Keys, X, Y);
    else FocusCell(ACol, ARow, true);
    const bool Selected = IsSelected(ACol, ARow);
    if (Selected) {
      bool CanSelect = true;
      if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
    } else {
      const TPoint B = BaseCell(ACol, ARow);
      const bool Keep = FNavigation->KeepHorizScroll;
      const int OldLeft = GetLeftCol();
      BeginUpdate();
      MoveColRow(B.x, B.y, true, true);
      if (Keep) SetLeftCol(OldLeft);
      EndUpdate();
    }
    if (FMouseActions->GetDisjunctRowSelect() && ARow >= GetFixedRows()) {
      if (Keys & ssCtrl) {
        SetRowSelect(ARow, !GetRowSelect(ARow));
      } else if (GetRowSelectCount() < 2 || !GetPopupMenu() || !Selected) {
        ClearRowSelect();
        SetRowSelect(ARow, true);
      }
    }
  }
  if (OnRightClickCell) OnRightClickCell(this, ARow, ACol);
  if (FURLShow && FURLEdit && IsURL(GetGridCell(RemapCol(ACol), ARow))) {
    FocusCell(ACol, ARow, true);
    ShowInplaceEdit();
  }
}

void VIduZozezuVodu::WMRButtonUp(TMessage& Msg) {
  const TGridState State = GetGridState();
  if (FEnhRowColMove && (State == gsColMoving || State == gsRowMoving) && Screen &&
      (Screen->GetCursor() == crDrag || Screen->GetCursor() == crNoDrop)) {
    Msg.Result = 0;
    return;
  }
  TBaseGrid::Dispatch(Msg);
}

void VIduZozezuVodu::HandleRadioClick(int ACol, int ARow, int X, int Y) {
  TFont* F = Canvas()->GetFont();
  F->Assign(GetFont());
  GetCellColor(ACol, ARow, 0, Canvas()->GetBrush(), F);
  const TPoint B = BaseCell(ACol, ARow);
  ACol = B.x;
  ARow = B.y;
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || !IsRadio(ACol, ARow)) return;
  const int DC = RemapColInv(ACol);
  if (!IsFixed(DC, ARow)) {
    SetCol(DC);
    SetRow(ARow);
  }
  // Items measure as DrawRadio lays them out.
  const TCellControlStyle Style = RadioStyleDrawn(FControlLook->GetControlStyle(), FIsThemed);
  const int Size = Style > csFlat ? 16 : FControlLook->GetRadioSize();
  TStrings* Items = GetRadioStrings(ACol, ARow);
  if (!Items) return;
  const int N = Items->GetCount();
  const bool Horizontal = G->CellBoolean;
  int Chosen = -1;
  if (Horizontal) {
    int Start = 0;
    for (int i = 0; i < N && Chosen < 0; ++i) {
      const int End = Start + Size + Canvas()->TextWidth(Items->Get(i));
      if (X > Start && X <= End) Chosen = i;
      Start = End;
    }
  } else {
    const int H = std::max(Size, Canvas()->TextHeight("gh"));
    if (H > 0 && Y >= 0 && Y / H < N) Chosen = Y / H;
  }
  if (Chosen < 0) return;
  if (G->CellIndex == -1) SetGridCell(ACol, ARow, Items->Get(Chosen));
  else G->CellIndex = Chosen;
  SetCellEx(ACol, ARow, GetGridCell(ACol, ARow));
  SetRadioIdx(ACol, ARow, Chosen);
  if (OnRadioClick) OnRadioClick(this, DC, ARow, Chosen);
}
