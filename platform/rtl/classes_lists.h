// Pointer lists: TList keeps untyped pointers, TObjectList optionally owns
// the TObject instances it holds.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/sysbase.h"

// Returns <0, 0 or >0 as Item1 sorts before, with or after Item2.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
public:
  TList() = default;
  ~TList() override;

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* Item);
  // Takes the item out without the deletion notification; nullptr when absent.
  void* Extract(void* Item);
  int IndexOf(void* Item) const;
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  void* First() const;
  void* Last() const;
  // Drops every nullptr entry.
  void Pack();
  void Sort(const TListSortCompare& Compare);
  virtual void Clear();

  void* Get(int Index) const;
  void Put(int Index, void* Item);
  void* Items(int Index) const { return Get(Index); }
  void* operator[](int Index) const { return Get(Index); }

  int GetCount() const { return static_cast<int>(FList.size()); }
  int Count() const { return GetCount(); }
  // Growing fills with nullptr; shrinking deletes the tail items.
  void SetCount(int NewCount);
  int GetCapacity() const { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int NewCapacity);

  // Raises EListError with the message, %d replaced by Data.
  [[noreturn]] static void Error(const AnsiString& Msg, int Data);

protected:
  // Called for non-nil items once added and once taken out (extracted or
  // deleted). The base destructor cannot reach an override: a descendant
  // that frees items in Notify clears the list in its own destructor.
  virtual void Notify(void* Ptr, TListNotification Action);

private:
  void CheckIndex(int Index) const;
  std::vector<void*> FList;
};

// A TList of TObject that deletes the objects it removes while OwnsObjects.
class TObjectList : public TList {
public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;

  int Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
  int Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* Get(int Index) const { return static_cast<TObject*>(TList::Get(Index)); }
  void Put(int Index, TObject* AObject) { TList::Put(Index, AObject); }
  TObject* Items(int Index) const { return Get(Index); }
  TObject* operator[](int Index) const { return Get(Index); }

  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
  void Notify(void* Ptr, TListNotification Action) override;

private:
  bool FOwnsObjects;
};
