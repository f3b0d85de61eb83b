// Validation of an edited cell text: the cell checker, the application's
// handler, storing with undo and the modified mark, or the refusal that
// puts the editor back on the cell with a balloon.
#include "grid/undoredo.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "grid/vzvcheck.h"
#include "grid/zytinplaceedit.h"
#include "platform/stdctrls/stdctrls.h"
#include "platform/rtl/codepages.h"
#include "platform/stdctrls/stdctrls_consts.h"

namespace {

// Runs its action on every way out of the scope.
template <class F>
struct TOnExit {
  F Action;
  ~TOnExit() { Action(); }
};
template <class F>
TOnExit(F) -> TOnExit<F>;

}  // namespace

void VIduZozezuVodu::InitValidate(int ACol, int ARow) {
  ValidateCol = ACol;
  ValidateRow = ARow;
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) {
    ValidateOldText.clear();
    ValidateOldWideText.clear();
    return;
  }
  const int RC = RemapCol(ACol);
  ValidateOldText = GetGridCell(RC, ARow);
  ValidateOldWideText = GetWideCells(RC, ARow);
}

void VIduZozezuVodu::Click() {
  TBaseGrid::Click();
  EditStarted = false;
  InitValidate(GetCol(), GetRow());
}

bool VIduZozezuVodu::ShouldHandleTab() const {
  return (GetOptions() & goTabs) || OnCellValidate || OnCellValidateWide;
}

void VIduZozezuVodu::ShowBalloon() {
  if (FInvalidEntryText.empty() && FInvalidEntryTitle.empty()) return;
  // The editor is closing with the focus gone elsewhere: nothing to point at.
  if (FValidateOnFocusLoss) return;
  HWND Target = nullptr;
  TInplaceEdit* Ed = GetInplaceEditor();
  if (!ControlEditorShown && (EditActive || GetEditorMode()) && Ed && Ed->HandleAllocated()) {
    Target = Ed->Handle();
  } else if (auto* Combo = dynamic_cast<TCustomComboBox*>(ActiveEditControl)) {
    if (Combo->HandleAllocated()) {
      COMBOBOXINFO Info;
      if (GetComboBoxInfo(Combo->Handle(), &Info)) Target = Info.hwndItem;
    }
  } else if (ActiveEditControl && ActiveEditControl->HandleAllocated()) {
    Target = ActiveEditControl->Handle();
  }
  if (!Target) return;
  const WideString Title = Utf8ToWide(FInvalidEntryTitle), Text = Utf8ToWide(FInvalidEntryText);
  EDITBALLOONTIP Tip;
  Tip.pszTitle = Title.c_str();
  Tip.pszText = Text.c_str();
  Tip.ttiIcon = static_cast<int>(FInvalidEntryIcon);
  SendMessageA(Target, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&Tip));
}

bool VIduZozezuVodu::ValidateCell(const AnsiString& NewValue) {
  if (!ValidatePending || Validating) return true;
  ValidatePending = false;
  Validating = true;
  TOnExit Done{[this] {
    InitValidate(GetCol(), GetRow());
    Validating = false;
  }};
  bool Valid = true;
  const int C = RemapCol(ValidateCol), R = ValidateRow;
  ValidatedText = NewValue;
  // A cell opened without its tags shows another text than it stores: what
  // the editor was given counts as unchanged too. (The cell itself may
  // already mirror the typed text, so it is not asked again.)
  if (NewValue == ValidateOldText || (!FEditWithTags && NewValue == HTMLStrip(ValidateOldText))) return Valid;

  AnsiString Value = NewValue;
  {
    const bool SavedAdvance = FNavigation->AdvanceOnEnter;
    FNavigation->AdvanceOnEnter = false;
    TOnExit Restore{[this, SavedAdvance] { FNavigation->AdvanceOnEnter = SavedAdvance; }};
    if (FCellChecker && FCellChecker->GetAutoCorrect()) Value = FCellChecker->Correct(C, R, Value);
    if (OnCellValidate) OnCellValidate(this, C, R, Value, Valid);
    if (GetFixedCols() > 0 && Value != ValidateOldText) {
      SetRowModified(GetRow(), true);
      if (FShowModified->Enabled) RepaintCell(0, GetRow());
    }
    if (Valid) UpdateCell(C, R);
    if (FCellChecker && FCellChecker->GetAutoMarkError()) Value = FCellChecker->MarkError(C, R, Value);
    if (Valid && FUndoRedo) FUndoRedo->RegisterChange(C, R, ValidateOldText, Value);
    if (Valid) CellsChanged(TGridRect{C, R, C, R});
  }
  ValidatedText = Value;

  if (Valid) {
    SetCellEx(C, R, Value);
    const TPoint B = BaseCell(C, R);
    if (B.x != C || B.y != R) SetCellEx(B.x, B.y, Value);
  } else {
    LastEditValid = false;
    const AnsiString Stored = Value != NewValue ? Value : ValidateOldText;
    // The editor carries the stored text so that closing it stores no other.
    if (TInplaceEdit* Ed = GetInplaceEditor()) Ed->SetText(Stored);
    if (Value == NewValue && EditActive) Validating = false;
    HideEditor();
    SetCellEx(C, R, Stored);
    if (FValidateOnFocusLoss) {
      // The focus went elsewhere: the edit closes on the kept text.
      Validating = false;
    } else {
      if (GetCol() != ValidateCol || GetRow() != ValidateRow) MoveColRow(ValidateCol, ValidateRow, true, true);
      Validating = false;
      ValidatePending = true;
      ShowEditor();
      if (ValidateCol != GetCol()) InvalidateEditor();
      ShowBalloon();
    }
  }
  ValidateOldText = GetGridCell(C, R);
  return Valid;
}

bool VIduZozezuVodu::ValidateCellWide(const WideString& NewValue) {
  if (!ValidatePending || Validating) return true;
  ValidatePending = false;
  Validating = true;
  TOnExit Done{[this] {
    InitValidate(GetCol(), GetRow());
    Validating = false;
  }};
  bool Valid = true;
  const int C = RemapCol(ValidateCol), R = ValidateRow;
  if (NewValue == ValidateOldWideText) return Valid;
  UpdateCell(C, R);
  WideString Value = NewValue;
  if (OnCellValidateWide) OnCellValidateWide(this, C, R, Value, Valid);
  if (FShowModified->Enabled && GetFixedCols() > 0) {
    SetRowModified(ValidateRow, true);
    RepaintCell(0, ValidateRow);
  }
  if (Valid) {
    SetWideCells(C, R, Value);
  } else {
    LastEditValid = false;
    const WideString Stored = Value != NewValue ? Value : ValidateOldWideText;
    if (Value == NewValue && EditActive) Validating = false;
    HideEditor();
    SetWideCells(C, R, Stored);
    if (!FValidateOnFocusLoss) {
      if (GetCol() != ValidateCol || GetRow() != ValidateRow) MoveColRow(ValidateCol, ValidateRow, true, true);
      Validating = false;
      ValidatePending = true;
      ShowEditor();
    }
  }
  ValidateOldWideText = GetWideCells(C, R);
  return Valid;
}

TInplaceEdit* VIduZozezuVodu::CreateEditor() { return new TZytInplaceEdit(this); }
