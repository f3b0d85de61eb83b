// Where the current cell may go and what happens to an open edit on the
// way: SelectCell (goEditing follows the current cell), AdvanceEdit after
// Enter, Tab or a walk out of an editor, and the grid's key press.
#include <algorithm>

#include "grid/footerpanel.h"
#include "grid/searchpanel.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/codepages.h"

namespace {

bool IsTextEditorKind(TEditorType E) {
  return E == edNormal || (E >= edNumeric && E <= edPassword) || E == edLowerCase || E == edUpperCase ||
         E == edValidChars;
}

}  // namespace

// Options change with goEditing in or out; the full repaint that brings is
// skipped once (the moved cells repaint themselves).
static void SwitchEditing(VIduZozezuVodu* G, TGridOptions Options) {
  if (Options == G->GetOptions()) return;
  G->SkipNextInvalidate = true;
  G->SetInvalidateSuppressed(true);
  G->SetOptions(Options);
  G->SetInvalidateSuppressed(false);
  G->SkipNextInvalidate = false;
}

bool VIduZozezuVodu::SelectCell(int ACol, int ARow) {
  const bool Indicator = !FRowIndicator->Empty() && GetFixedCols() > 0;
  if (DblClickSelecting) {
    if (Indicator) {
      RepaintCell(0, GetRow());
      RepaintCell(0, ARow);
    }
    return true;
  }
  if (!GetParent()) return true;
  const TRect Client = GetClientRect();
  if (FFloatingFooter->GetVisible()) {
    if (FFloatingFooter->GetFooterStyle() == fsFixedLastRow) {
      if (ARow >= GetTopRow() + GetVisibleRowCount()) SetTopRow(ARow + GetFixedRows() - GetVisibleRowCount());
      if (CellRect(ACol, ARow).bottom > Client.bottom - FFloatingFooter->GetHeight() + 2 && ARow < GetRowCount() - 1)
        SetTopRow(GetTopRow() + 1);
      if (ARow == GetRowCount() - 1) return false;
    } else {
      UpdateFooter();
      if (CellRect(ACol, ARow).bottom > Client.bottom - FFloatingFooter->GetHeight() + 2 && ARow < GetRowCount())
        SetTopRow(GetTopRow() + 1);
    }
  }
  if (FSearchFooter->GetVisible() && FSearchPanel) {
    // The platform clamps TopRow: stop once it no longer moves.
    while (CellRect(ACol, ARow).bottom > Client.bottom - FSearchPanel->GetHeight() + 2 && ARow <= GetRowCount() - 1 &&
           GetTopRow() < GetRowCount()) {
      const int Before = GetTopRow();
      SetTopRow(Before + 1);
      if (GetTopRow() == Before) break;
    }
  }
  if (ACol < 0 || ARow < 0) return false;
  const int RC = RemapCol(ACol);
  const TGridOptions Opt = GetOptions();
  if (!(Opt & goRangeSelect) && IsMergedNonBaseCell(RC, ARow)) {
    const TPoint B = BaseCell(RC, ARow);
    const int BC = RemapColInv(B.x);
    MoveColRow(BC, B.y, true, true);
    RepaintCell(BC, B.y);
    if (FMouseActions->DirectEdit || (FControlLook->GetDropDownAlwaysVisible() && HasCombo(B.x, B.y))) ShowEditor();
    return false;
  }
  const int OldCol = GetCol(), OldRow = GetRow();
  const TGridRect OldSel = GetSelection();
  bool Allow = true;
  if (ARow != OldRow && OnRowChanging) OnRowChanging(this, OldRow, ARow, Allow);
  if (ACol != OldCol && OnColChanging) OnColChanging(this, OldCol, ACol, Allow);
  if ((ACol != OldCol || ARow != OldRow) && !SuppressCellChanging && OnCellChanging)
    OnCellChanging(this, OldRow, OldCol, ARow, ACol, Allow);
  if (ACol == 0 && HasNodes() && !(Opt & goRangeSelect)) return false;
  if (!Allow) return false;
  TInplaceEdit* Ed = GetInplaceEditor();
  const bool EditorFocused = Ed && Ed->HandleAllocated() && GetFocus() == Ed->Handle();

  if (HasStaticEdit(RC, ARow)) {
    bool CanEdit = true;
    GetCellReadOnly(RC, ARow, CanEdit);
    EditingSuspended = !CanEdit && ((Opt & goEditing) || FMouseActions->RangeSelectAndEdit);
    if (!(Opt & goEditing) && !(Opt & goRangeSelect) && CanEdit) SwitchEditing(this, Opt | goEditing);
  } else {
    bool CanEdit = (Opt & goEditing) || EditingSuspended;
    GetCellReadOnly(RC, ARow, CanEdit);
    if (FMouseActions->GetEditOnDblClickOnly()) CanEdit = false;
    if (CanEdit) {
      EditingSuspended = false;
      if (!(GetOptions() & goEditing)) {
        if (!ValidatePending) InitValidate(ACol, ARow);
        TGridOptions O = GetOptions();
        if ((O & goRangeSelect) && FMouseActions->RangeSelectAndEdit) O &= ~static_cast<TGridOptions>(goRowSelect);
        SwitchEditing(this, O | goEditing);
      }
      if (ValidatePending) HideInplaceEdit();
    } else {
      if (ValidatePending) HideInplaceEdit();
      if (GetOptions() & goEditing) {
        EditingSuspended = true;
        SwitchEditing(this, GetOptions() & ~static_cast<TGridOptions>(goEditing));
      }
    }
  }

  bool Result;
  auto PlatformDecides = [&] { return IsFixed(ACol, ARow) ? false : TBaseGrid::SelectCell(ACol, ARow); };
  if (!ValidatePending || EditorFocused) {
    Result = PlatformDecides();
  } else {
    // The edited cell (still the current one) decides which text is checked.
    const bool Valid = IsWideCell(RemapCol(GetCol()), GetRow()) ? ValidateCellWide(PendingWideText)
                                                                : ValidateCell(GetCurrentCell());
    Result = Valid && PlatformDecides();
  }

  if (Indicator) {
    RepaintCell(0, OldRow);
    RepaintCell(0, ARow);
  }
  if (FActiveCellShow) {
    UpdateActiveCells(OldCol, OldRow, ACol, ARow);
    if (OldSel.Left != OldCol && OldSel.Top != OldRow) UpdateActiveCells(OldSel.Left, OldSel.Top, ACol, ARow);
  }
  if (GetActiveRowShow()) {
    RepaintRow(ARow);
    RepaintRow(OldSel.Top);
  }
  if (GetSelectionRectangle()) InvalidateGridRect(GetSelection());
  if (Result && !(GetComponentState() & csLoading) && ARow != FLastRowUpdate && OnRowUpdate) {
    const int Before = FLastRowUpdate;
    FLastRowUpdate = ARow;
    OnRowUpdate(this, Before, ARow);
  }
  EditCache = GetCellEx(RC, ARow);
  return Result;
}

void VIduZozezuVodu::AdvanceEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Repeated,
                                 bool ShowEditor) {
  if (!FNavigation->AdvanceOnEnter && !Force) return;
  if (FMouseActions->RangeSelectAndEdit && !(GetOptions() & goEditing)) SetOptions(GetOptions() | goEditing);
  if (!Repeated) {
    AdvanceOriginCol = ACol;
    AdvanceOriginRow = ARow;
  }
  const int StartCol = ACol, StartRow = ARow;
  EditStartChar = 0;
  const int FirstCol = GetFixedCols() == 0 && HasNodes() ? 1 : GetFixedCols();
  const bool TopBottom = FNavigation->GetAdvanceDirection() == adTopBottom;
  // Read-only cells are skipped; a grid without an editable cell ends after
  // every cell was visited once.
  const long long Limit = static_cast<long long>(GetColCount()) * GetRowCount() + 1;
  long long Visits = 0;
  int Col = ACol, Row = ARow;
  for (;;) {
    const TPoint Span = CellSpan(RemapCol(Col), Row);
    const int LastNormalRow = GetRowCount() - FFixedFooters - 1;
    if (Forward && !TopBottom) {
      if (Col + Span.x < GetColCount() - FFixedRightCols - 1) {
        Col += Span.x + 1;
      } else if (Row != LastNormalRow) {
        ++Row;
        Col = FirstCol;
      } else if (FNavigation->GetAdvanceInsert()) {
        bool Allow = true;
        QueryAddRow(Allow);
        Col = FirstCol;
        if (Allow) {
          AddRow();
          ++Row;
          if (OnAutoAddRow) OnAutoAddRow(this, GetRowCount() - FFixedFooters - 1);
          bool Any = false;
          for (int C = GetFixedCols(); C < GetColCount() && !Any; ++C) Any = IsEditable(RemapCol(C), Row);
          if (!Any) return;
        }
      } else {
        Row = GetFixedRows();
        Col = FirstCol;
      }
    } else if (Forward) {
      if (Row == LastNormalRow) {
        if (Col + 1 != GetColCount() - FFixedRightCols) {
          Row = GetFixedRows();
          ++Col;
          if (Col >= GetColCount()) Col = FirstCol;
        } else if (FNavigation->GetAdvanceInsert()) {
          SetColCountEx(GetColCount() + 1);
          Col += Span.x + 1;
          Row = GetFixedRows();
          if (OnAutoInsertCol) OnAutoInsertCol(this, GetColCount() - FFixedRightCols - 1);
        } else {
          Row = GetFixedRows();
          Col = FirstCol;
        }
        Invalidate();
      } else {
        ++Row;
      }
    } else if (!TopBottom) {
      if (Col > FirstCol) {
        --Col;
      } else {
        Row = Row <= GetFixedRows() ? LastNormalRow : Row - 1;
        Col = GetColCount() - FFixedRightCols - 1;
      }
    } else {
      if (Row > GetFixedRows()) {
        --Row;
      } else {
        Col = Col <= FirstCol ? GetColCount() - FFixedRightCols - 1 : Col - 1;
        Row = LastNormalRow;
      }
    }
    bool CanEdit = true;
    GetCellReadOnly(RemapCol(Col), Row, CanEdit);
    if (CanEdit) break;
    if (++Visits >= Limit) return;
  }
  bool Allow = true;
  int NewRow = Row, NewCol = Col;
  if (OnAutoAdvance) OnAutoAdvance(this, AdvanceOriginRow, AdvanceOriginCol, NewRow, NewCol, Allow);
  if (Allow && OnCellChanging) OnCellChanging(this, AdvanceOriginRow, AdvanceOriginCol, NewRow, NewCol, Allow);
  SuppressCellChanging = true;
  if (Allow) {
    SetCol(NewCol);
    SetRow(NewRow);
  } else {
    SelectCell(StartCol, StartRow);
  }
  SuppressCellChanging = false;
  const int RC = RemapCol(GetCol());
  const bool Static = HasStaticEdit(RC, GetRow());
  if (ShowEditor && ((AutoEdit && FNavigation->AdvanceAutoEdit) || Static)) {
    if (!IsEditable(RC, GetRow())) return;
    TBaseGrid::ShowEditor();
    if (Static) {
      SuppressCellChanging = true;
      const int NC = GetCol(), NR = GetRow();
      FocusCell(StartCol, StartRow, true);
      FocusCell(NC, NR, true);
      if (!HasStaticEdit(RemapCol(StartCol), StartRow)) {
        const TRect R = CellRect(NC, NR);
        MouseDown(mbLeft, TShiftState{}, R.left + 2, R.top + 2);
        MouseUp(mbLeft, TShiftState{}, R.left + 2, R.top + 2);
        if (TopBottom) HideInplaceEdit();
      }
      SuppressCellChanging = false;
      bool Unused = true;
      if (OnCellChanging) OnCellChanging(this, StartRow, StartCol, GetRow(), GetCol(), Unused);
      TEditorType E = FDefaultEditor;
      GetCellEditor(RemapCol(StartCol), StartRow, E);
      if (!IsTextEditorKind(E)) HideInplaceEdit();
    }
  }
  if (ShowEditor && FMouseActions->GetDisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(GetRow(), true);
  }
}

void VIduZozezuVodu::KeyPress(char16_t& Key) {
  if (Key == 0x1B) {
    if ((GetOptions() & goEditing) && ValidatePending) RestoreCache();
    if (OnKeyPress) OnKeyPress(this, Key);
    return;
  }
  const int RC = RemapCol(GetCol());
  if (Key == u'\r') {
    if (!FNavigation->AdvanceOnEnter && !IsEditable(RC, GetRow())) {
      if (OnKeyPress) OnKeyPress(this, Key);
      Key = 0;
      return;
    }
    const bool EditorHasFocus = HandleAllocated() && GetFocus() != Handle() && GetFocus() != nullptr;
    if (EditorHasFocus || HasStaticEdit(RC, GetRow())) {
      AdvanceEdit(GetCol(), GetRow(), false, false, true, false, EditActive);
      if (!FNavigation->AdvanceAutoEdit) {
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = 0;
        return;
      }
      if (HasStaticEdit(RemapCol(GetCol()), GetRow())) {
        if (OnKeyPress) OnKeyPress(this, Key);
        if (FNavigation->AdvanceOnEnter) ShowInplaceEdit();
        return;
      }
    }
  }
  if (!(GetOptions() & goEditing) && FNavigation->AutoGotoWhenSorted && Key != 0) {
    if (FNavigation->AutoGotoIncremental) {
      if (Key == 0x08) {
        if (!FLookupText.empty()) FLookupText.pop_back();
      } else {
        FLookupText += WideToUtf8(WideString(1, Key));
      }
      LookupIdleTicks = 0;
    } else {
      FLookupText = WideToUtf8(WideString(1, Key));
    }
    const int Found = Search(AnsiUpperCase(FLookupText));
    if (Found == -1) FLookupText.clear();
    else SetRow(Found);
  }
  // The character that opens an editor goes on into it.
  if ((GetOptions() & goEditing) && Key != u'\t' && (Key == 0x08 || Key > 31)) EditStartChar = Key;
  TBaseGrid::KeyPress(Key);
  EditStartChar = 0;
}
