#include "grid/grideditorlink.h"

#include <algorithm>

#include "platform/stdctrls/stdctrls_edit.h"

namespace {
const char* const LinkName = "GridEditorLink";
}

TGridEditorLink::TGridEditorLink(VIduZozezuVodu* Grid) : TComponent(Grid), FGrid(Grid) { SetName(LinkName); }

TGridEditorLink* TGridEditorLink::Of(VIduZozezuVodu* Grid) {
  if (auto* l = dynamic_cast<TGridEditorLink*>(Grid->FindComponent(LinkName))) return l;
  return new TGridEditorLink(Grid);
}

VIduZozezuVodu* TGridEditorLink::CheckedGrid(TComponent* AOwner) {
  auto* g = dynamic_cast<VIduZozezuVodu*>(AOwner);
  if (!g) throw EInvalidCast("Invalid class typecast");
  return g;
}

void TGridEditorLink::HideInplaceEdit() {
  if (FHiding) return;
  FHiding = true;
  try {
    TWinControl* c = ActiveEditControl;
    if (EditActive && c) {
      if (auto* e = dynamic_cast<TCustomEdit*>(c)) FGrid->SetCurrentCell(e->GetText());
    }
    EditActive = false;
    if (c && c->GetVisible()) {
      bool focused = c->Focused();
      c->SetVisible(false);
      if (focused && FGrid->CanFocus()) FGrid->SetFocus();
    }
  } catch (...) {
    FHiding = false;
    throw;
  }
  FHiding = false;
}

void TGridEditorLink::DoneInplaceEdit(WORD& Key, TShiftState Shift) {
  HideInplaceEdit();
  if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
    FGrid->TCustomGrid::KeyDown(Key, Shift);
  if (FGrid->CanFocus()) FGrid->SetFocus();
  if (Key == VK_RETURN) AdvanceEdit(FGrid->GetCol(), FGrid->GetRow(), false, true, true, false, false);
}

void TGridEditorLink::TabEdit(bool Backward) {
  int c = FGrid->GetCol() + (Backward ? -1 : 1);
  if (c >= FGrid->GetFixedCols() && c < FGrid->GetColCount()) FGrid->SetCol(c);
}

void TGridEditorLink::AdvanceEdit(int ACol, int ARow, bool Force, bool, bool Forward, bool, bool) {
  if (!Force && !FGrid->GetNavigation()->AdvanceOnEnter) return;
  int step = Forward ? 1 : -1;
  if (FGrid->GetNavigation()->GetAdvanceDirection() == adLeftRight) {
    int c = ACol + step;
    if (c >= FGrid->GetFixedCols() && c < FGrid->GetColCount()) FGrid->SetCol(c);
  } else {
    int r = ARow + step;
    if (r >= FGrid->GetFixedRows() && r < FGrid->GetRowCount()) FGrid->SetRow(r);
  }
}

bool TGridEditorLink::ShouldHandleTab() { return (FGrid->GetOptions() & goTabs) != 0; }

bool TGridEditorLink::ValidateCell(const AnsiString& Text) {
  ValidatedText = Text;
  return FGrid->ValidateCell(Text);
}

bool TGridEditorLink::ValidateCellWide(const WideString& Text) { return FGrid->ValidateCellWide(Text); }

bool TGridEditorLink::LeaveByTab(WORD Key) {
  if (Key != VK_TAB || !(FGrid->GetOptions() & goTabs)) return false;
  HideInplaceEdit();
  FGrid->SetFocus();
  TabEdit(GetKeyState(VK_SHIFT) < 0);
  return true;
}

bool TGridEditorLink::AdvanceOnEnter(WORD& Key) {
  if (Key != VK_RETURN || !FGrid->GetNavigation()->AdvanceOnEnter) return false;
  HideInplaceEdit();
  FGrid->SetFocus();
  Key = 0;
  AdvanceEdit(FGrid->GetCol(), FGrid->GetRow(), false, true, true, false, true);
  return true;
}

void TGridEditorLink::ClaimSpecialKey(TMessage& Message, bool ClaimTab) {
  WPARAM k = Message.WParam;
  if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && ClaimTab)) Message.Result = 1;
}
