// Menu items, menus and popup menus; the main menu is in menus_main.cpp.
#include <algorithm>

#include "platform/comctrls/actnlist.h"
#include "platform/forms/forms.h"
#include "platform/comctrls/menus.h"

// ---- TMenuItem ------------------------------------------------------------------------------
TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  SetAction(nullptr);
  Clear();
  if (FParent) FParent->Remove(this);
}

void TMenuItem::Changed() {
  if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::SetCaption(const AnsiString& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed();
}

void TMenuItem::UncheckGroupSiblings() {
  if (!FParent) return;
  for (TMenuItem* s : FParent->FItems)
    if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex && s->FChecked) {
      s->FChecked = false;
      if (auto* a = dynamic_cast<TCustomAction*>(s->FAction)) a->SetChecked(false);
    }
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem) UncheckGroupSiblings();
  if (auto* a = dynamic_cast<TCustomAction*>(FAction)) a->SetChecked(Value);
  Changed();
}

void TMenuItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Changed();
}

void TMenuItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TMenuItem::SetRadioItem(bool Value) {
  if (FRadioItem == Value) return;
  FRadioItem = Value;
  if (Value && FChecked) UncheckGroupSiblings();
  Changed();
}

void TMenuItem::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FRadioItem && FChecked) UncheckGroupSiblings();
  Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  Changed();
}

void TMenuItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

void TMenuItem::SetAction(TBasicAction* Value) { LinkAction(FAction, Value); }

void TMenuItem::ActionChanged(TBasicAction* Action) {
  if (!Action) {
    FAction = nullptr;  // the action is going away
    return;
  }
  auto* a = dynamic_cast<TCustomAction*>(Action);
  if (!a) return;
  FCaption = a->GetCaption();
  FHint = a->GetHint();
  FImageIndex = a->GetImageIndex();
  FShortCut = a->GetShortCut();
  FEnabled = a->GetEnabled();
  FVisible = a->GetVisible();
  FChecked = a->GetChecked();
  Changed();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
}

TMenuItem* TMenuItem::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError("Menu index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(GetCount(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > GetCount()) throw EListError("Menu index out of bounds (" + std::to_string(Index) + ")");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  if (Item->FRadioItem && Item->FChecked) Item->UncheckGroupSiblings();
  Changed();
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = GetItem(Index);
  Remove(item);
  delete item;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  // An open level showing the item (or its sub-items) closes first.
  if (TMenu* m = GetParentMenu(); m && m->IsOpen()) m->CloseMenus();
  FItems.erase(it);
  Item->FParent = nullptr;
  Changed();
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(GetCount() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& ACaption) const {
  AnsiString want = StripHotkey(ACaption);
  for (TMenuItem* i : FItems)
    if (StripHotkey(i->FCaption) == want) return i;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->FParent) i = i->FParent;
  return i->FMenu;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(FRadioItem ? true : !FChecked);
  if (OnClick)
    OnClick(this);
  else if (FAction)
    FAction->Execute();
}

// ---- TMenu ----------------------------------------------------------------------------------
TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
  InstallFormMenuSupport();
}

TMenu::~TMenu() {
  CloseMenus();
  for (TMenuWindow* w : FWindowPool) delete w;
  FWindowPool.clear();
  FItems->FMenu = nullptr;
  delete FItems;
  SetImages(nullptr);
}

void TMenu::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

namespace {

TMenuItem* FindByShortCut(const TMenuItem* Parent, TShortCut Sc) {
  for (int i = 0; i < Parent->GetCount(); ++i) {
    TMenuItem* item = Parent->GetItem(i);
    if (!item->GetVisible()) continue;
    if (item->GetShortCut() == Sc && !item->IsLine()) return item;
    if (item->GetEnabled())
      if (TMenuItem* sub = FindByShortCut(item, Sc)) return sub;
  }
  return nullptr;
}

// The action of an item decides its state before its shortcut runs.
void UpdateFromAction(TMenuItem* Item) {
  if (Item->GetAction()) Item->GetAction()->Update();
}

}  // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut Sc) const {
  if (Sc == scNone) return nullptr;
  return FindByShortCut(FItems, Sc);
}

bool TMenu::IsShortCut(WORD Key, TShiftState Shift) {
  TMenuItem* item = FindItemByShortCut(ShortCut(Key, Shift & (ssShift | ssCtrl | ssAlt)));
  if (!item) return false;
  UpdateFromAction(item);
  if (!item->GetEnabled()) return false;
  item->Click();
  return true;
}

TMenuWindow* TMenu::OpenLevel(TMenuItem* Item, TPoint At, int Level) {
  // Hiding and showing our own windows moves the focus between them; that
  // must not read as the user leaving the menu.
  bool outer = FOpening;
  FOpening = true;
  if (FOpenWindows.empty()) FSavedFocus = GetFocus();
  while (static_cast<int>(FOpenWindows.size()) > Level) {
    FOpenWindows.back()->Close();
    FOpenWindows.pop_back();
  }
  while (static_cast<int>(FWindowPool.size()) <= Level)
    FWindowPool.push_back(new TMenuWindow(this, static_cast<int>(FWindowPool.size())));
  TMenuWindow* w = FWindowPool[static_cast<std::size_t>(Level)];
  FOpenWindows.push_back(w);
  w->Open(Item, At);
  FOpening = outer;
  return w;
}

void TMenu::CloseMenus() {
  if (FOpenWindows.empty() || FClosing) return;
  FClosing = true;
  HWND back = FSavedFocus;
  FSavedFocus = nullptr;
  if (back && IsWindow(back)) SetFocus(back);
  while (!FOpenWindows.empty()) {
    FOpenWindows.back()->Close();
    FOpenWindows.pop_back();
  }
  FClosing = false;
  if (auto* mm = dynamic_cast<TMainMenu*>(this)) {
    mm->FDropped = -1;
    if (mm->FBar) mm->FBar->Invalidate();
  }
}

// ---- TPopupMenu -----------------------------------------------------------------------------------
TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent == Value) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  CloseMenus();
  if (OnPopup) OnPopup(this);
  // Actions decide their items' states before they are shown.
  for (int i = 0; i < GetItems()->GetCount(); ++i) UpdateFromAction(GetItems()->GetItem(i));
  bool any = false;
  for (int i = 0; i < GetItems()->GetCount(); ++i) any = any || GetItems()->GetItem(i)->GetVisible();
  if (!any) return;
  OpenLevel(GetItems(), TPoint(X, Y), 0);
}
