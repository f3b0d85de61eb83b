// The object model: TPersistent (copy through Assign/AssignTo) and TComponent
// (ownership tree, names, component state, free notifications).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/sysbase.h"

class TFiler;

class TPersistent : public TObject {
public:
  // Copies Source into this object. The base asks Source to copy itself
  // into this one (AssignTo) and fails when neither side knows the other.
  virtual void Assign(TPersistent* Source);
  // The object that owns this one (for streaming), if any.
  virtual TPersistent* GetOwner() { return nullptr; }
  // Names the properties that the component stream carries for this
  // object (TFiler::DefineProperty); overrides call the inherited one first.
  virtual void DefineProperties(TFiler* /*Filer*/) {}

protected:
  virtual void AssignTo(TPersistent* Dest);
  // Raises EConvertError "Cannot assign a <Source class> to a <this class>".
  [[noreturn]] void AssignError(TPersistent* Source);

  friend class TCollection;
};

enum TOperation { opInsert, opRemove };

// ComponentState flags; the state is their bitwise or.
using TComponentState = std::uint32_t;
enum TComponentStateFlag : TComponentState {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
  csFixups = 1u << 7,
  csFreeNotification = 1u << 8,
  csInline = 1u << 9,
  csDesignInstance = 1u << 10,
};

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  // Tells free-notification peers, frees owned components last-first and
  // leaves the owner (whose components hear of it through Notification).
  ~TComponent() override;

  const AnsiString& GetName() const { return FName; }
  // Raises EComponentError for a name that is not an identifier or that
  // another component of the same owner already has (names ignore case).
  virtual void SetName(const AnsiString& NewName);
  std::intptr_t GetTag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }
  TComponent* GetOwner() override { return FOwner; }
  TComponent* GetOwner() const { return FOwner; }

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  int ComponentCount() const { return GetComponentCount(); }
  // Raises EListError for an index out of range.
  TComponent* GetComponent(int Index) const;
  TComponent* Components(int Index) const { return GetComponent(Index); }
  int GetComponentIndex() const;
  void SetComponentIndex(int Value);
  // The owned component of that name (ignoring case), or nullptr.
  TComponent* FindComponent(const AnsiString& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  TComponentState GetComponentState() const { return FComponentState; }
  bool HasState(TComponentState Flags) const { return (FComponentState & Flags) != 0; }
  // Sets or clears csDesigning here and in the owned components.
  void SetDesigning(bool Value, bool SetChildren = true);
  // Sets or clears csLoading (and csReading with it); Loaded clears both.
  void SetLoading(bool Value);
  // Marks this component and the owned ones csDestroying; destructors of
  // derived classes may call it first so that their parts see the state.
  void Destroying();

  // Asks AComponent to report its destruction here through Notification
  // (and this one's to it), unless both have the same owner, which already
  // relays notifications between its components.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Called after loading: clears csLoading.
  virtual void Loaded();
  // Told when AComponent enters or leaves the owner of this component, or
  // is freed while linked by FreeNotification. The base relays the call to
  // the owned components; overrides must call it.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
  void SetComponentStateFlag(TComponentState Flag, bool Value);

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  void ValidateRename(TComponent* AComponent, const AnsiString& CurName, const AnsiString& NewName) const;

  TComponent* FOwner = nullptr;
  AnsiString FName;
  std::intptr_t FTag = 0;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
