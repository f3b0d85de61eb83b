// The inplace editor and the grid's side of the editor protocol: show over
// the current cell, fill from GetEditText, store through SetEditText when it
// closes, Esc closes without storing.
#include "platform/grids/grids.h"

// ---- TInplaceEdit -----------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetVisible(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
}

bool TInplaceEdit::Visible() const { return FHandle && IsWindowVisible(FHandle); }

void TInplaceEdit::Hide() { SetVisible(false); }

void TInplaceEdit::Move(const TRect& R) {
  UpdateLoc(R);
  SetVisible(true);
  BoundsChanged();
}

void TInplaceEdit::UpdateLoc(const TRect& Loc) { SetBoundsRect(Loc); }

void TInplaceEdit::BoundsChanged() { Invalidate(); }

void TInplaceEdit::Invalidate() { TCustomMaskEdit::Invalidate(); }

void TInplaceEdit::SetFocus() {
  if (IsWindowVisible(Handle())) TCustomMaskEdit::SetFocus();
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  SetEditMask(FGrid->GetEditMask(FGrid->GetCol(), FGrid->GetRow()));
  SetMaxLength(FGrid->GetEditLimit());
  SetText(FGrid->GetEditText(FGrid->GetCol(), FGrid->GetRow()));
}

// The caret after the last character, nothing selected.
void TInplaceEdit::Deselect() {
  SetSelStart(static_cast<int>(GetWideText().size()));
  SetSelLength(0);
}

void TInplaceEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
      if (FGrid && (FGrid->GetOptions() & goTabs)) Message.Result |= DLGC_WANTTAB;
      return;
    case WM_KILLFOCUS:
      // Focus leaving the grid altogether: the typed text is kept in the
      // cell even though the editor stays open.
      if (FGrid && FGrid->FEditorMode && FGrid->HandleAllocated() &&
          reinterpret_cast<HWND>(Message.WParam) != FGrid->Handle())
        FGrid->SetEditText(FGrid->GetCol(), FGrid->GetRow(), GetText());
      break;
    default: break;
  }
  TCustomMaskEdit::Dispatch(Message);
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (FGrid) {
    const int len = static_cast<int>(GetWideText().size());
    bool toGrid = false;
    switch (Key) {
      case VK_UP:
      case VK_DOWN:
      case VK_PRIOR:
      case VK_NEXT: toGrid = true; break;
      case VK_LEFT: toGrid = GetSelLength() == 0 && GetSelStart() == 0; break;
      case VK_RIGHT: toGrid = GetSelLength() == 0 && GetSelStart() >= len; break;
      case VK_HOME:
      case VK_END: toGrid = (Shift & ssCtrl) != 0; break;
      case VK_TAB: toGrid = (FGrid->GetOptions() & goTabs) && !(Shift & ssCtrl); break;
      case VK_F2:
        Deselect();
        Key = 0;
        return;
      default: break;
    }
    if (toGrid) {
      FGrid->KeyDown(Key, Shift);
      Key = 0;
      return;
    }
  }
  TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char16_t& Key) {
  if (FGrid) {
    FGrid->KeyPress(Key);  // the grid sees typed keys first; Enter closes there
    if (Key == 0x1B) {
      FGrid->HideEditorCore(false);
      Key = 0;
    } else if (Key == u'\t' || Key == u'\r') {
      Key = 0;  // never into the multi-line text
    } else if (Key != 0 && !FGrid->CanEditModify()) {
      Key = 0;
    }
    if (Key == 0) return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

// ---- The grid's side ---------------------------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanEditShow() {
  return (FOptions & goEditing) && !(FOptions & goRowSelect) && HandleAllocated() && FCurrent.X >= FFixedCols &&
         FCurrent.Y >= FFixedRows && !(GetComponentState() & csDesigning);
}

bool TCustomGrid::CanEditModify() { return true; }
AnsiString TCustomGrid::GetEditText(int, int) { return AnsiString(); }
void TCustomGrid::SetEditText(int, int, const AnsiString&) {}
int TCustomGrid::GetEditLimit() { return 0; }
AnsiString TCustomGrid::GetEditMask(int, int) { return AnsiString(); }

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) ShowEditor();
  else HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetGrid(this);
    FInplaceEdit->SetParent(this);
  }
  bool wasOpen = FEditorMode;
  FEditorMode = true;
  if (!wasOpen) FInplaceEdit->UpdateContents();
  UpdateEditorPlace();
  if (FInplaceEdit->Visible() && IsActive()) {
    FInplaceEdit->SetFocus();
    if (!wasOpen) FInplaceEdit->SelectAll();
  }
}

void TCustomGrid::HideEditor() { HideEditorCore(true); }

void TCustomGrid::HideEditorCore(bool Store) {
  if (!FEditorMode) return;
  FEditorMode = false;  // first: storing may move or repaint the grid
  if (!FInplaceEdit) return;
  bool hadFocus = FInplaceEdit->HandleAllocated() && GetFocus() == FInplaceEdit->Handle();
  if (Store) SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->GetText());
  if (hadFocus && CanFocus()) SetFocus();
  FInplaceEdit->Hide();
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::ShowEditorChar(char16_t Ch) {
  ShowEditor();
  if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible())
    PostMessage(FInplaceEdit->Handle(), WM_CHAR, Ch, 0);
}

void TCustomGrid::InvalidateEditor() {
  if (!FEditorMode || !FInplaceEdit) return;
  FInplaceEdit->UpdateContents();
  UpdateEditorPlace();
}

// Over the current cell while it shows; out of sight while it is scrolled away.
void TCustomGrid::UpdateEditorPlace() {
  if (!FEditorMode || !FInplaceEdit) return;
  TRect r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.Width() <= 0 || r.Height() <= 0) FInplaceEdit->Hide();
  else FInplaceEdit->Move(r);
}
