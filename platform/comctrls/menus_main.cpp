// The main menu: its form's bar, the drop-downs it opens, the accelerators
// and the keyboard use of the bar (F10, a lone Alt).
#include "platform/forms/forms.h"
#include "platform/comctrls/menus.h"
#include "platform/rtl/sysutils.h"

namespace {

// The one bar in keyboard use; it takes the key messages meanwhile.
TMainMenu* BarInUse = nullptr;

bool Shown(const TMenuItem* Item) { return Item->GetVisible() && !Item->IsLine(); }

}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {
  // A form's first main menu is its Menu, as the form designer sets it.
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner); form && !form->GetMenu()) form->SetMenu(this);
}

TMainMenu::~TMainMenu() {
  LeaveBar();
  CloseMenus();
  // A form being destroyed has let go of its menu already.
  if (FForm) FForm->SetMenu(nullptr);
  delete FBar;
  FBar = nullptr;
}

TMainMenu* TMainMenu::GetBarInUse() { return BarInUse; }

void TMainMenu::SetForm(TCustomForm* Value) {
  if (FForm == Value) return;
  LeaveBar();
  CloseMenus();
  delete FBar;
  FBar = nullptr;
  FForm = Value;
  if (FForm) FBar = new TMenuBar(this);
}

void TMainMenu::MenuChanged() {
  if (FBarSelected >= GetItems()->GetCount()) LeaveBar();
  if (FBar) FBar->Invalidate();
}

void TMainMenu::DropDown(int Index) {
  if (Index < 0 || Index >= GetItems()->GetCount()) return;
  TMenuItem* item = GetItems()->GetItem(Index);
  if (!Shown(item) || !item->GetEnabled()) return;
  LeaveBar();
  if (item->GetCount() == 0) {
    // A top-level item without sub-items runs at once.
    CloseMenus();
    item->Click();
    return;
  }
  TPoint at(0, 0);
  if (FBar) {
    TRect r = FBar->ItemScreenRect(Index);
    at = TPoint(r.left, r.bottom);
  }
  FDropped = Index;
  TMenuWindow* w = OpenLevel(item, at, 0);
  w->MoveSelection(1);
  if (FBar) FBar->Invalidate();
}

bool TMainMenu::OpenByAccelerator(char16_t Ch) {
  if (Ch == 0) return false;
  char16_t want = WideUpperCase(WideString(1, Ch))[0];
  TMenuItem* root = GetItems();
  for (int i = 0; i < root->GetCount(); ++i) {
    TMenuItem* item = root->GetItem(i);
    if (!Shown(item) || GetHotkey(item->GetCaption()) != want) continue;
    // A disabled item keeps its letter: nothing opens, nothing else is tried.
    if (item->GetEnabled()) DropDown(i);
    return true;
  }
  return false;
}

int TMainMenu::NextBarItem(int From, int Step) const {
  TMenuItem* root = GetItems();
  int n = root->GetCount();
  int i = From;
  for (int k = 0; k < n; ++k) {
    i = i < 0 ? (Step > 0 ? 0 : n - 1) : (i + Step + n) % n;
    if (Shown(root->GetItem(i))) return i;
  }
  return -1;
}

void TMainMenu::SelectBar(int Index) {
  if (!FBar || Index < 0 || Index >= GetItems()->GetCount() || !Shown(GetItems()->GetItem(Index))) {
    LeaveBar();
    return;
  }
  if (BarInUse && BarInUse != this) BarInUse->LeaveBar();
  BarInUse = this;
  if (FBarSelected == Index) return;
  FBarSelected = Index;
  FBar->Invalidate();
}

void TMainMenu::LeaveBar() {
  if (BarInUse == this) BarInUse = nullptr;
  if (FBarSelected < 0) return;
  FBarSelected = -1;
  if (FBar) FBar->Invalidate();
}

bool TMainMenu::BarKey(MSG& Msg) {
  WORD key = static_cast<WORD>(Msg.wParam);
  switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      switch (key) {
        case VK_MENU:
        case VK_F10: return false;  // their release leaves the bar (the application's menu-key check)
        case VK_LEFT:
        case VK_RIGHT: SelectBar(NextBarItem(FBarSelected, key == VK_RIGHT ? 1 : -1)); return true;
        case VK_ESCAPE: LeaveBar(); return true;
        case VK_UP:
        case VK_DOWN:
        case VK_RETURN: DropDown(FBarSelected); return true;
      }
      // Other keys count by the character they type.
      TranslateMessage(&Msg);
      return true;
    case WM_CHAR:
    case WM_SYSCHAR: {
      auto ch = static_cast<char16_t>(Msg.wParam);
      if (ch >= u' ' && !OpenByAccelerator(ch)) MessageBeep(MB_OK);
      return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: return key != VK_MENU && key != VK_F10;
  }
  return true;
}
