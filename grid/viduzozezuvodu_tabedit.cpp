// The Tab walk from cell to cell and row to row, appending rows from the
// keyboard.
#include <algorithm>

#include "grid/viduzozezuvodu.h"

bool VIduZozezuVodu::CanTabToCell(int ACol, int ARow) {
  if (GetOptions() & goEditing) return IsEditable(RemapCol(ACol), ARow);
  return !IsFixed(ACol, ARow);
}

int VIduZozezuVodu::FirstTabCol(int ARow) {
  for (int c = GetFixedCols(); c < GetColCount(); ++c)
    if (CanTabToCell(c, ARow)) return c;
  return -1;
}

int VIduZozezuVodu::LastTabCol(int ARow) {
  for (int c = GetColCount() - 1; c >= GetFixedCols(); --c)
    if (CanTabToCell(c, ARow)) return c;
  return -1;
}

void VIduZozezuVodu::PostTabToParent() {
  if (GetParent() && GetParent()->HandleAllocated() && FNavigation->TabToNextAtEnd)
    PostMessageA(GetParent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
}

void VIduZozezuVodu::TabEdit(bool Backward) {
  if (OnKeyDown) {
    WORD Key = VK_TAB;
    OnKeyDown(this, Key, Backward ? TShiftState(ssShift) : TShiftState(0));
    if (Key != VK_TAB) return;
  }
  if (GetCol() == TabOriginCol && GetRow() == TabOriginRow) return;
  TabOriginCol = GetCol();
  TabOriginRow = GetRow();
  // Steps onto cells that cannot keep the focus repeat as a loop (no
  // nesting however many rows refuse); a walk back to where it began ends.
  const long long Limit = static_cast<long long>(GetColCount()) * GetRowCount() + 2;
  for (long long n = 0; n < Limit; ++n) {
    bool Again = TabStep(Backward);
    if ((GetOptions() & goEditing) && !IsEditable(RemapCol(GetCol()), GetRow())) Again = true;
    if (!Again || (GetCol() == TabOriginCol && GetRow() == TabOriginRow)) break;
  }
  TabOriginCol = TabOriginRow = -1;
  if (FNavigation->AlwaysEdit && CanFocus()) SetFocus();
  if (FNavigation->AdvanceAutoEdit) ShowEditor();
}

bool VIduZozezuVodu::TabStep(bool Backward) {
  const int NFR = NumFixedRightVis();
  const int LastNormalRow = GetRowCount() - FFixedFooters - 1;
  const int FCV = FixedColsVis();
  auto MoveTo = [this](int C, int R) {
    C = std::clamp(C, std::min(GetFixedCols(), GetColCount() - 1), GetColCount() - 1);
    R = std::clamp(R, std::min(GetFixedRows(), GetRowCount() - 1), GetRowCount() - 1);
    if (C != GetCol() || R != GetRow()) FocusCell(C, R, true);
  };
  const int Col = GetCol(), Row = GetRow();
  if (Backward && FNavigation->TabAdvanceDirection == adTopBottom) {
    if (Row > GetFixedRows()) MoveTo(Col, Row - 1);
    else MoveTo(Col > FCV ? Col - 1 : GetColCount() - NFR - 1, LastNormalRow);
    return false;
  }
  if (Backward) {
    if (Col > FCV) {
      int i = 1;
      while (Col - i >= FCV && !(CanTabToCell(Col - i, Row) && IsBaseCell(RemapCol(Col - i), Row))) ++i;
      if (Col - i < FCV) {
        const int R = Row > GetFixedRows() ? Row - 1 : LastNormalRow;
        const int C = LastTabCol(R);
        if (C >= 0) MoveTo(C, R);
        const TPoint B = BaseCell(RemapCol(GetCol()), GetRow());
        if (B.x != RemapCol(GetCol()) || B.y != GetRow()) MoveTo(RemapColInv(B.x), B.y);
      } else {
        MoveTo(Col - i, Row);
      }
    } else {
      int i = 1;
      while (GetColCount() - NFR - i >= GetFixedCols() && !CanTabToCell(GetColCount() - NFR - i, Row)) ++i;
      MoveTo(GetColCount() - NFR - i, Row > GetFixedRows() ? Row - 1 : LastNormalRow);
    }
    return false;
  }
  if (FNavigation->TabAdvanceDirection == adTopBottom) {
    const int S = std::max(CellSpan(RemapCol(Col), Row).y, 0);
    if (Row + S + 1 < GetRowCount() - FFixedFooters) {
      MoveTo(Col, Row + S + 1);
    } else {
      TabToNextRowAtEnd();
      if (Col < GetColCount() - NFR - 1) {
        MoveTo(Col + 1, GetRow());
      } else {
        MoveTo(FCV, GetRow());
        PostTabToParent();
      }
    }
    return false;
  }
  const int S = std::max(CellSpan(RemapCol(Col), Row).x, 0);
  const int End = GetColCount() - NFR;
  if (Col + S + 1 < End) {
    int i = 1;
    while (Col + S + i < End && !CanTabToCell(Col + S + i, Row)) ++i;
    if (Col + S + i == End) {
      const bool Saved = DblClickSelecting;
      DblClickSelecting = true;
      if (Row < LastNormalRow) {
        const int C = FirstTabCol(Row + 1);
        bool Allow = true;
        if (OnRowChanging) OnRowChanging(this, Row, Row + 1, Allow);
        if (OnCellChanging) OnCellChanging(this, Row, Col, Row + 1, C, Allow);
        if (OnColChanging) OnColChanging(this, Col, C, Allow);
        if (Allow) MoveTo(C < 0 ? GetFixedCols() : C, Row + 1);
      } else {
        const int C = FirstTabCol(GetFixedRows());
        if (C >= 0) MoveTo(C, GetFixedRows());
        PostTabToParent();
      }
      DblClickSelecting = Saved;
      return false;
    }
    MoveTo(Col + S + i, Row);
    return !IsBaseCell(RemapCol(GetCol()), GetRow());
  }
  if (Row >= LastNormalRow) {
    if (FNavigation->TabToNextAtEnd || !FNavigation->GetAdvanceInsert()) {
      TabToNextRowAtEnd();
    } else {
      bool Allow = true;
      QueryAddRow(Allow);
      if (Allow) {
        if (FFloatingFooter->IsFixedLastRow()) {
          InsertRows(GetRowCount() - 1, 1);
          MoveTo(GetCol(), GetRowCount() - 2);
        } else if (FFixedFooters > 0) {
          // The new row goes above the footer rows, not below them.
          InsertRows(GetRowCount() - FFixedFooters, 1);
          MoveTo(GetCol(), GetRowCount() - FFixedFooters - 1);
        } else {
          SetRowCountEx(GetRowCount() + 1);
          MoveTo(GetCol(), GetRowCount() - 1);
        }
        if (OnAutoAddRow) OnAutoAddRow(this, GetRowCount() - FFixedFooters - 1);
      } else {
        TabToNextRowAtEnd();
      }
    }
    MoveTo(GetFixedCols(), GetRow());
    PostTabToParent();
    return false;
  }
  for (int i = FCV; i < GetColCount(); ++i)
    if (IsBaseCell(RemapCol(i), Row + 1) && CanTabToCell(i, Row + 1)) {
      MoveTo(i, Row + 1);
      return false;
    }
  MoveTo(GetFixedCols(), Row + 1);
  return true;
}

void VIduZozezuVodu::AppendLastRow() {
  bool Allow = true;
  if (OnCanAddRow) OnCanAddRow(this, Allow);
  if (!Allow) return;
  const int AllCols = GetColCount() + FHiddenCols;
  auto EmptyRow = [this, AllCols](int R) {
    for (int c = 0; c < AllCols; ++c) {
      SetGridCell(c, R, "");
      SetObjectsEx(c, RemapRowInv(R), nullptr);
    }
  };
  const bool FooterRow = FFloatingFooter->IsFixedLastRow();
  if (FooterRow) {
    std::vector<AnsiString> Footer(static_cast<std::size_t>(AllCols));
    const int Last = GetRowCount() - 1;
    for (int c = 0; c < AllCols; ++c) Footer[static_cast<std::size_t>(c)] = GetGridCell(c, Last);
    DoAppendRow();
    EmptyRow(GetRowCount() - 2);
    for (int c = 0; c < AllCols; ++c) SetGridCell(c, GetRowCount() - 1, Footer[static_cast<std::size_t>(c)]);
  } else if (FFixedFooters > 0) {
    // Above the footer rows, so that the row under the current one is the new one.
    InsertRows(GetRowCount() - FFixedFooters, 1);
    EmptyRow(GetRowCount() - FFixedFooters - 1);
  } else {
    DoAppendRow();
    EmptyRow(GetRowCount() - 1);
  }
  if (FooterRow || FFixedFooters > 0) SetRow(GetRow() + 1);
  if (FooterRow) CalcFooter(-1);
  if (OnAutoAddRow) OnAutoAddRow(this, GetRow());
}
