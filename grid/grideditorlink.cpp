#include "grid/grideditorlink.h"

#include "platform/rtl/codepages.h"

namespace {

const char* const LinkName = "GridEditorLink";

TGridEditorHooks GridHooks() {
  TGridEditorHooks h;
  h.HideInplaceEdit = [](VIduZozezuVodu* G) { G->HideInplaceEdit(); };
  h.DoneInplaceEdit = [](VIduZozezuVodu* G, WORD& Key, TShiftState Shift) { G->DoneInplaceEdit(Key, Shift); };
  h.ShowInplaceEdit = [](VIduZozezuVodu* G) { G->ShowInplaceEdit(); };
  h.TabEdit = [](VIduZozezuVodu* G, bool Backward) { G->TabEdit(Backward); };
  h.AdvanceEdit = [](VIduZozezuVodu* G, int C, int R, bool Force, bool AutoEdit, bool Forward, bool Repeated,
                     bool ShowEditor) { G->AdvanceEdit(C, R, Force, AutoEdit, Forward, Repeated, ShowEditor); };
  h.ShouldHandleTab = [](VIduZozezuVodu* G) { return G->ShouldHandleTab(); };
  h.ValidatedText = [](VIduZozezuVodu* G) { return G->ValidatedText; };
  h.GetCaretFromClick = [](VIduZozezuVodu* G) { return G->CaretFromClick; };
  h.SetCaretFromClick = [](VIduZozezuVodu* G, bool V) { G->CaretFromClick = V; };
  h.SetPendingWideText = [](VIduZozezuVodu* G, const WideString& T) { G->PendingWideText = T; };
  h.WheelMessageId = [](VIduZozezuVodu*) -> UINT { return 0; };
  h.DateTimeEditValue = [](VIduZozezuVodu* G) { return G->DateTimeEditValue; };
  h.Lookup = [](VIduZozezuVodu* G) { return G->GetLookup(); };
  h.LookupCaseSensitive = [](VIduZozezuVodu* G) { return G->GetLookupCaseSensitive(); };
  h.LookupHistory = [](VIduZozezuVodu* G) { return G->GetLookupHistory(); };
  h.EditChange = [](VIduZozezuVodu* G, TObject* S, int C, int R, const AnsiString& V) {
    if (G->OnEditChange) G->OnEditChange(S, C, R, V);
  };
  h.ComboChange = [](VIduZozezuVodu* G, TObject* S, int C, int R, int I, const AnsiString& V) {
    if (G->OnComboChange) G->OnComboChange(S, C, R, I, V);
  };
  h.ComboObjectChange = [](VIduZozezuVodu* G, TObject* S, int C, int R, int I, const AnsiString& V, TObject* O) {
    if (G->OnComboObjectChange) G->OnComboObjectChange(S, C, R, I, V, O);
  };
  return h;
}

}  // namespace

TGridEditorHooks& GridEditorHooks() {
  static TGridEditorHooks hooks = GridHooks();
  return hooks;
}

void ResetGridEditorHooks() { GridEditorHooks() = GridHooks(); }

TGridEditorLink::TGridEditorLink(VIduZozezuVodu* Grid)
    : TComponent(Grid),
      EditActive(Grid->EditActive),
      EditCache(Grid->EditCache),
      CurrentEditor(Grid->CurrentEditor),
      ValidatedText(Grid->ValidatedText),
      PendingWideText(Grid->PendingWideText),
      ActiveEditControl(Grid->ActiveEditControl),
      OnSpinClick(Grid->OnSpinClick),
      OnFloatSpinClick(Grid->OnFloatSpinClick),
      OnDateSpinClick(Grid->OnDateSpinClick),
      OnTimeSpinClick(Grid->OnTimeSpinClick),
      OnEditChange(Grid->OnEditChange),
      OnClipboardPaste(Grid->OnClipboardPaste),
      OnClipboardBeforePasteCell(Grid->OnClipboardBeforePasteCell),
      FGrid(Grid) {
  SetName(LinkName);
}

TGridEditorLink* TGridEditorLink::Of(VIduZozezuVodu* Grid) {
  if (auto* l = dynamic_cast<TGridEditorLink*>(Grid->FindComponent(LinkName))) return l;
  return new TGridEditorLink(Grid);
}

VIduZozezuVodu* TGridEditorLink::CheckedGrid(TComponent* AOwner) {
  auto* g = dynamic_cast<VIduZozezuVodu*>(AOwner);
  if (!g) throw EInvalidCast("Invalid class typecast");
  return g;
}

void TGridEditorLink::HideInplaceEdit() { GridEditorHooks().HideInplaceEdit(FGrid); }

void TGridEditorLink::DoneInplaceEdit(WORD& Key, TShiftState Shift) {
  GridEditorHooks().DoneInplaceEdit(FGrid, Key, Shift);
}

void TGridEditorLink::ShowInplaceEdit() { GridEditorHooks().ShowInplaceEdit(FGrid); }

void TGridEditorLink::TabEdit(bool Backward) { GridEditorHooks().TabEdit(FGrid, Backward); }

void TGridEditorLink::AdvanceEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Repeated,
                                  bool ShowEditor) {
  GridEditorHooks().AdvanceEdit(FGrid, ACol, ARow, Force, AutoEdit, Forward, Repeated, ShowEditor);
}

bool TGridEditorLink::ShouldHandleTab() { return GridEditorHooks().ShouldHandleTab(FGrid); }

bool TGridEditorLink::ValidateCell(const AnsiString& Text) {
  ValidatedText = Text;
  return FGrid->ValidateCell(Text);
}

bool TGridEditorLink::ValidateCellWide(const WideString& Text) { return FGrid->ValidateCellWide(Text); }

bool TGridEditorLink::Validate(const AnsiString& Text) {
  FGrid->SetCurrentCell(Text);
  return ValidateCell(Text);
}

bool TGridEditorLink::ValidateWide(const WideString& Text) {
  FGrid->SetCurrentCell(WideToUtf8(Text));
  return ValidateCellWide(Text);
}

void TGridEditorLink::FocusGrid() {
  if (FGrid->CanFocus()) FGrid->SetFocus();
}

bool TGridEditorLink::LeaveByTab(WORD Key) {
  if (Key != VK_TAB || !GoTabs()) return false;
  HideInplaceEdit();
  FocusGrid();
  TabEdit(ShiftDown());
  return true;
}

bool TGridEditorLink::AdvanceOnEnter(WORD& Key) {
  if (Key != VK_RETURN || !FGrid->GetNavigation()->AdvanceOnEnter) return false;
  HideInplaceEdit();
  FocusGrid();
  Key = 0;
  AdvanceEdit(FGrid->GetCol(), FGrid->GetRow(), false, true, true, false, true);
  return true;
}

void TGridEditorLink::ClaimSpecialKey(TMessage& Message, bool ClaimTab) {
  WPARAM k = Message.WParam;
  if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && ClaimTab)) Message.Result = 1;
}
