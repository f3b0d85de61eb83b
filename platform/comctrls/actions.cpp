// Actions, action lists and the standard edit actions.
#include <algorithm>
#include <cctype>

#include "platform/comctrls/actnlist.h"
#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls_consts.h"

// ---- TBasicAction ------------------------------------------------------------------------
TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  // Clients drop their link (and unregister) as they are told.
  while (!FClients.empty()) {
    TActionClient* c = FClients.back();
    FClients.pop_back();
    c->ActionChanged(nullptr);
  }
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterClient(TActionClient* Client) {
  if (std::find(FClients.begin(), FClients.end(), Client) == FClients.end()) FClients.push_back(Client);
}

void TBasicAction::UnRegisterClient(TActionClient* Client) { std::erase(FClients, Client); }

void TBasicAction::Change() {
  // A client may unregister while told; work on a copy.
  auto clients = FClients;
  for (TActionClient* c : clients)
    if (std::find(FClients.begin(), FClients.end(), c) != FClients.end()) c->ActionChanged(this);
}

// ---- TContainedAction ----------------------------------------------------------------------
TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

int TContainedAction::GetIndex() const {
  if (!FActionList) return -1;
  auto& a = FActionList->FActions;
  auto it = std::find(a.begin(), a.end(), this);
  return it == a.end() ? -1 : static_cast<int>(it - a.begin());
}

bool TContainedAction::Execute() {
  if (FActionList && FActionList->OnExecute) {
    bool handled = false;
    FActionList->OnExecute(this, handled);
    if (handled) return true;
  }
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->OnUpdate) {
    bool handled = false;
    FActionList->OnUpdate(this, handled);
    if (handled) return true;
  }
  return TBasicAction::Update();
}

// ---- TCustomAction --------------------------------------------------------------------------
TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

void TCustomAction::SetCaption(const AnsiString& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Change();
}
void TCustomAction::SetHint(const AnsiString& Value) {
  if (FHint == Value) return;
  FHint = Value;
  Change();
}
void TCustomAction::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Change();
}
void TCustomAction::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  Change();
}
void TCustomAction::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Change();
}
void TCustomAction::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Change();
}
void TCustomAction::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Change();
}

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled) return false;
  return TContainedAction::Execute();
}

// ---- TActionList ------------------------------------------------------------------------------
TActionList::TActionList(TComponent* AOwner) : TComponent(AOwner) { InstallFormMenuSupport(); }

TActionList::~TActionList() {
  while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
  SetImages(nullptr);
}

void TActionList::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TActionList::AddAction(TContainedAction* Action) {
  FActions.push_back(Action);
  Action->FActionList = this;
}

void TActionList::RemoveAction(TContainedAction* Action) {
  std::erase(FActions, Action);
  Action->FActionList = nullptr;
}

bool TActionList::IsShortCut(WORD Key, TShiftState Shift) {
  TShortCut sc = ShortCut(Key, Shift & (ssShift | ssCtrl | ssAlt));
  if (sc == scNone) return false;
  for (TContainedAction* a : FActions) {
    auto* ca = dynamic_cast<TCustomAction*>(a);
    if (!ca || ca->GetShortCut() != sc) continue;
    // A disabled action lets the key go on to the focused control.
    ca->Update();
    if (ca->GetEnabled() && ca->Execute()) return true;
  }
  return false;
}

void TActionList::UpdateActions() {
  auto actions = FActions;
  for (TContainedAction* a : actions) a->Update();
}

// ---- Standard edit actions ----------------------------------------------------------------------
namespace {

bool IsEditClass(HWND Wnd) {
  char name[64] = {};
  if (!Wnd || GetClassNameA(Wnd, name, sizeof name) <= 0) return false;
  AnsiString n = name;
  for (auto& c : n) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return n == "EDIT" || n.rfind("RICHEDIT", 0) == 0;
}

bool HasSelection(HWND Edit) {
  DWORD start = 0, end = 0;
  SendMessageA(Edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return end > start;
}

bool IsReadOnly(HWND Edit) { return (GetWindowLongA(Edit, GWL_STYLE) & ES_READONLY) != 0; }

}  // namespace

TEditAction::TEditAction(TComponent* AOwner) : TAction(AOwner) {}

HWND TEditAction::FocusedEdit() {
  HWND f = GetFocus();
  return IsEditClass(f) ? f : nullptr;
}

bool TEditAction::CanRun(HWND) const { return true; }

bool TEditAction::Update() {
  // A handler of its own decides; otherwise the focused edit does.
  if (TAction::Update()) return true;
  HWND e = FocusedEdit();
  SetEnabled(e && CanRun(e));
  return true;
}

bool TEditAction::Execute() {
  // OnExecute or the list's handler replace the standard behaviour.
  if (OnExecute || (GetActionList() && GetActionList()->OnExecute)) return TAction::Execute();
  Update();
  HWND e = FocusedEdit();
  if (!GetEnabled() || !e || !CanRun(e)) return false;
  SendMessageA(e, EditMessage(), 0, 0);
  return true;
}

TEditCut::TEditCut(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("Cu&t");
  SetHint("Cut|Cuts the selection and puts it on the Clipboard");
  SetShortCut(ShortCut('X', ssCtrl));
}
bool TEditCut::CanRun(HWND Edit) const { return HasSelection(Edit) && !IsReadOnly(Edit); }

TEditCopy::TEditCopy(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Copy");
  SetHint("Copy|Copies the selection and puts it on the Clipboard");
  SetShortCut(ShortCut('C', ssCtrl));
}
bool TEditCopy::CanRun(HWND Edit) const { return HasSelection(Edit); }

TEditPaste::TEditPaste(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Paste");
  SetHint("Paste|Inserts Clipboard contents");
  SetShortCut(ShortCut('V', ssCtrl));
}

TEditSelectAll::TEditSelectAll(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("Select &All");
  SetHint("Select All|Selects the entire document");
  SetShortCut(ShortCut('A', ssCtrl));
}
bool TEditSelectAll::Execute() {
  if (OnExecute || (GetActionList() && GetActionList()->OnExecute)) return TAction::Execute();
  HWND e = FocusedEdit();
  if (!e) return false;
  SendMessageA(e, EM_SETSEL, 0, -1);
  return true;
}

TEditUndo::TEditUndo(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Undo");
  SetHint("Undo|Reverts the last action");
  SetShortCut(ShortCut('Z', ssCtrl));
}
bool TEditUndo::CanRun(HWND Edit) const { return SendMessageA(Edit, EM_CANUNDO, 0, 0) != 0; }

TEditDelete::TEditDelete(TComponent* AOwner) : TEditAction(AOwner) {
  SetCaption("&Delete");
  SetHint("Delete|Erases the selection");
  SetShortCut(ShortCut(VK_DELETE, 0));
}
bool TEditDelete::CanRun(HWND Edit) const { return HasSelection(Edit) && !IsReadOnly(Edit); }

void TActionClient::LinkAction(TBasicAction*& Slot, TBasicAction* Value) {
  if (Slot == Value) return;
  if (Slot) Slot->UnRegisterClient(this);
  Slot = Value;
  if (Slot) {
    Slot->RegisterClient(this);
    ActionChanged(Slot);
  }
}
