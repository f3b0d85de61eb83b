// TCustomForm's part in menus and actions: the Menu property with the room
// its bar takes in the frame; the rest goes through the menus' support.
#include <algorithm>

#include "platform/forms/forms.h"

namespace {
TFormMenuSupport* MenuSupport = nullptr;
}

void SetFormMenuSupport(TFormMenuSupport* Support) { MenuSupport = Support; }
TFormMenuSupport* GetFormMenuSupport() { return MenuSupport; }

// ---- The Menu property -------------------------------------------------------------------------
void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  // A menu exists to be set, so its support is in place; a menu going
  // away sets nullptr here itself.
  if (MenuSupport) MenuSupport->MenuLinked(this, FMenu, Value);
  FMenu = Value;
  MenuBarChanged();
}

bool TCustomForm::HasMenuBar() const { return FMenu && !FParent && !HasState(csDestroying); }

void TCustomForm::MenuBarChanged() {
  if (HasState(csDestroying)) return;
  if (FHandle)
    // The frame is worked out again (WM_NCCALCSIZE); a new client size realigns.
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else
    Realign();
}

TRect TCustomForm::GetMenuBarRect() {
  if (!HasMenuBar() || !FHandle) return TRect();
  RECT w;
  GetWindowRect(FHandle, &w);
  int right = std::max(FMenuBarInsets.left, static_cast<int>(w.right - w.left) - FMenuBarInsets.right);
  return TRect(FMenuBarInsets.left, FMenuBarInsets.top, right, FMenuBarInsets.top + MenuBarHeight);
}

TRect TCustomForm::GetClientRect() {
  TRect r = TWinControl::GetClientRect();
  // With a window the frame says it; before, the bar is taken off here.
  if (!FHandle && HasMenuBar()) r.bottom = std::max(r.top, r.bottom - MenuBarHeight);
  return r;
}

TPoint TCustomForm::ClientOrigin() {
  TPoint p = TWinControl::ClientOrigin();
  if (!FHandle && HasMenuBar()) p.y += MenuBarHeight;
  return p;
}

// ---- The bar's room in the frame --------------------------------------------------------------
void TCustomForm::WMNCCalcSizeForm(TMessage& Message) {
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  if (r && !Message.WParam && HasMenuBar() && FHandle) {
    // The bar sits right inside the border, above whatever else the
    // control's frame takes.
    RECT w;
    GetWindowRect(FHandle, &w);
    FMenuBarInsets = TRect(r->left - w.left, r->top - w.top, w.right - r->right, 0);
    r->top = std::min(r->bottom, r->top + MenuBarHeight);
  }
  TWinControl::Dispatch(Message);
}

void TCustomForm::WMNCHitTestForm(TMessage& Message) {
  TWinControl::Dispatch(Message);
  if (Message.Result == HTCLIENT || !HasMenuBar() || !FHandle) return;
  RECT w;
  GetWindowRect(FHandle, &w);
  TRect bar = GetMenuBarRect();
  int x = Message.XPos() - w.left, y = Message.YPos() - w.top;
  if (x >= bar.left && x < bar.right && y >= bar.top && y < bar.bottom) Message.Result = HTMENU;
}

// ---- Shortcuts and actions -------------------------------------------------------------------
bool TCustomForm::IsShortCut(WORD Key, TShiftState Shift) {
  return MenuSupport && MenuSupport->IsShortCut(this, Key, Shift);
}

void TCustomForm::UpdateActions() {
  if (HasState(csDestroying) || HasState(csLoading) || !MenuSupport) return;
  MenuSupport->UpdateActions(this);
}
