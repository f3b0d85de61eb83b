#include "platform/rtl/classes_collection.h"

#include <algorithm>

#include "platform/rtl/classes_lists.h"

// ---- TCollectionItem -----------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  if (FCollection && GetIndex() != Value) {
    FCollection->MoveItem(this, Value);
    Changed(true);
  }
}

AnsiString TCollectionItem::GetDisplayName() const { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ------------------------------------------------------------------

TCollection::TCollection(TItemFactory ItemFactory) : FItemFactory(std::move(ItemFactory)) {}

TCollection::~TCollection() {
  // Update would call into a destroyed descendant; silence it for good.
  ++FUpdateCount;
  while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FItemFactory(this);
  // A factory may build the item without a collection; adopt it then.
  if (item->FCollection != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > GetCount()) TList::Error("List index out of bounds (%d)", Index);
  BeginUpdate();
  TCollectionItem* item;
  try {
    item = Add();
    MoveItem(item, Index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = GetItem(Index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) {
    Notify(FItems.back(), cnDeleting);
    delete FItems.back();
  }
  EndUpdate();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) Changed();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

TCollectionItem* TCollection::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) TList::Error("List index out of bounds (%d)", Index);
  return FItems[Index];
}

void TCollection::SetItem(int Index, TCollectionItem* Value) { GetItem(Index)->Assign(Value); }

void TCollection::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCollection*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : src->FItems) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  // From the back: freeing the items last to first (Clear, the destructor)
  // then costs O(1) apiece.
  auto it = std::find(FItems.rbegin(), FItems.rend(), Item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::Rearrange(const std::vector<TCollectionItem*>& Order) {
  if (Order.size() != FItems.size()) TList::Error("List index out of bounds (%d)", static_cast<int>(Order.size()));
  std::vector<TCollectionItem*> sorted(Order), current(FItems);
  std::sort(sorted.begin(), sorted.end());
  std::sort(current.begin(), current.end());
  if (sorted != current) TList::Error("List index out of bounds (%d)", static_cast<int>(Order.size()));
  FItems = Order;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, int NewIndex) {
  int cur = Item->GetIndex();
  if (NewIndex < 0 || NewIndex >= GetCount()) TList::Error("List index out of bounds (%d)", NewIndex);
  if (cur == NewIndex) return;
  FItems.erase(FItems.begin() + cur);
  FItems.insert(FItems.begin() + NewIndex, Item);
}
