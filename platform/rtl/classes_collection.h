// Collections: an ordered list of TCollectionItem objects of one item class,
// owned by the collection, with change notification and update brackets.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/classes_component.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
  // Joins Collection (when given) at its end.
  explicit TCollectionItem(TCollection* Collection);
  // Leaves the collection.
  ~TCollectionItem() override;

  TCollection* GetCollection() const { return FCollection; }
  // Moves the item to another collection (nullptr: to none).
  virtual void SetCollection(TCollection* Value);
  int GetID() const { return FID; }
  // Position in the collection, -1 when in none.
  int GetIndex() const;
  // Moves the item to that position inside its collection.
  virtual void SetIndex(int Value);
  virtual AnsiString GetDisplayName() const;
  TPersistent* GetOwner() override;

protected:
  // Reports a change of this item (or, AllItems, of the whole collection).
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
public:
  // Makes a new item of the collection's item class, joined to the collection.
  using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;
  template <class TItem>
  static TItemFactory ItemClass() {
    return [](TCollection* c) -> TCollectionItem* { return new TItem(c); };
  }

  explicit TCollection(TItemFactory ItemFactory);
  // Frees the items.
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  // Frees the item at Index.
  void Delete(int Index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }
  TCollectionItem* FindItemID(int ID) const;
  // Puts the items into the given order, which must hold each of them once
  // (EListError otherwise): many moves in one O(n log n) step, where each
  // SetIndex costs O(n).
  void Rearrange(const std::vector<TCollectionItem*>& Order);

  int GetCount() const { return static_cast<int>(FItems.size()); }
  int Count() const { return GetCount(); }
  // Raises EListError for an index out of range.
  TCollectionItem* GetItem(int Index) const;
  TCollectionItem* Items(int Index) const { return GetItem(Index); }
  // Copies Value into the item at Index (Assign).
  void SetItem(int Index, TCollectionItem* Value);

  // Copies another collection: same number of items, each assigned from
  // its counterpart, inside one update bracket.
  void Assign(TPersistent* Source) override;

protected:
  // Called with the changed item, or nullptr when the whole collection
  // changed, once no update bracket is open.
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  // Reports a change of the whole collection (outside update brackets).
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(TCollectionItem* Item, int NewIndex);

  TItemFactory FItemFactory;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

// A collection that knows the persistent object that owns it.
class TOwnedCollection : public TCollection {
public:
  TOwnedCollection(TPersistent* AOwner, TItemFactory ItemFactory)
      : TCollection(std::move(ItemFactory)), FOwner(AOwner) {}
  TPersistent* GetOwner() override { return FOwner; }

private:
  TPersistent* FOwner;
};
