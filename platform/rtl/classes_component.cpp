#include "platform/rtl/classes_component.h"

#include <algorithm>

#include "platform/rtl/sysutils.h"

// ---- TPersistent -------------------------------------------------------------

void TPersistent::Assign(TPersistent* Source) {
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  AnsiString sourceName = Source ? Source->ClassName() : AnsiString("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

// ---- TComponent ----------------------------------------------------------------

namespace {

bool IsValidIdent(const AnsiString& S) {
  if (S.empty()) return false;
  auto alpha = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(S[0])) return false;
  return std::all_of(S.begin() + 1, S.end(), [&](unsigned char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Each peer's Notification may drop its link (RemoveFreeNotification), so
  // take them one at a time from a list that shrinks.
  while (!FFreeNotifies.empty()) {
    TComponent* peer = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    std::erase(peer->FFreeNotifies, this);
    peer->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const AnsiString& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("''" + NewName + "'' is not a valid component name");
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const AnsiString& CurName,
                                const AnsiString& NewName) const {
  if (NewName.empty() || AnsiSameText(CurName, NewName)) return;
  TComponent* other = FindComponent(NewName);
  if (other && other != AComponent)
    throw EComponentError("A component named " + NewName + " already exists");
}

TComponent* TComponent::GetComponent(int Index) const {
  if (Index < 0 || Index >= GetComponentCount())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FComponents[Index];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  int cur = GetComponentIndex();
  int last = static_cast<int>(list.size()) - 1;
  Value = std::clamp(Value, 0, last);
  if (cur == Value) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (AnsiSameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  ValidateRename(AComponent, AnsiString(), AComponent->FName);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  // Last created goes first; each leaves the list (telling the others)
  // before it is freed.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    RemoveComponent(c);
    delete c;
  }
}

void TComponent::SetComponentStateFlag(TComponentState Flag, bool Value) {
  if (Value)
    FComponentState |= Flag;
  else
    FComponentState &= ~Flag;
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  SetComponentStateFlag(csDesigning, Value);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::SetLoading(bool Value) { SetComponentStateFlag(csLoading | csReading, Value); }

void TComponent::Destroying() {
  if (HasState(csDestroying)) return;
  FComponentState |= csDestroying;
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (FOwner && AComponent->FOwner == FOwner) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FreeNotification(this);
  }
  FComponentState |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  std::erase(FFreeNotifies, AComponent);
  if (FFreeNotifies.empty()) FComponentState &= ~csFreeNotification;
}

void TComponent::Loaded() { SetComponentStateFlag(csLoading | csReading, false); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Copy: a handler may free or move components of this owner.
  std::vector<TComponent*> list = FComponents;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    TComponent* c = *it;
    if (c != AComponent && std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
      c->Notification(AComponent, Operation);
  }
}
