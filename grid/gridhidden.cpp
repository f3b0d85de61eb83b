#include "grid/gridhidden.h"

#include <new>
#include <utility>

// The slots of one collection's items: each slot starts with the pool that
// made it (null for a heap item), so delete finds its way back. The pool
// lives while its collection or any of its items does.
class TGridItemPool {
public:
  static constexpr std::size_t Head = sizeof(void*);
  static constexpr std::size_t SlotBytes = (Head + sizeof(TGridItem) + 7) / 8 * 8;

  void* Take() {
    void* Slot = FFree;
    if (Slot)
      FFree = *static_cast<void**>(Slot);
    else
      Slot = FChunks.Carve(SlotBytes);
    ++FLive;
    *static_cast<TGridItemPool**>(Slot) = this;
    return static_cast<std::byte*>(Slot) + Head;
  }
  void Give(void* Slot) {
    *static_cast<void**>(Slot) = FFree;
    FFree = Slot;
    --FLive;
    if (!FOwned && FLive == 0) delete this;
  }
  void Disown() {
    FOwned = false;
    if (FLive == 0) delete this;
  }

private:
  TGridChunks FChunks;
  void* FFree = nullptr;
  std::size_t FLive = 0;
  bool FOwned = true;
};

void* TGridItem::operator new(std::size_t Size) {
  void* Slot = ::operator new(TGridItemPool::Head + Size);
  *static_cast<TGridItemPool**>(Slot) = nullptr;
  return static_cast<std::byte*>(Slot) + TGridItemPool::Head;
}

void* TGridItem::operator new(std::size_t Size, TGridItemPool* Pool) {
  // A derived item of another size takes the heap.
  if (!Pool || Size != sizeof(TGridItem)) return operator new(Size);
  return Pool->Take();
}

void TGridItem::operator delete(void* P) {
  if (!P) return;
  void* Slot = static_cast<std::byte*>(P) - TGridItemPool::Head;
  if (TGridItemPool* Pool = *static_cast<TGridItemPool**>(Slot))
    Pool->Give(Slot);
  else
    ::operator delete(Slot);
}

void TGridItem::operator delete(void* P, TGridItemPool*) { operator delete(P); }

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection) {}

TGridItems::TGridItems()
    : TCollection([](TCollection* C) -> TCollectionItem* {
        return new (static_cast<TGridItems*>(C)->FPool) TGridItem(C);
      }),
      FPool(new TGridItemPool) {}

TGridItems::~TGridItems() {
  // Items the base still frees give their slots back to the pool, which
  // goes with the last of them.
  FPool->Disown();
}

TGridItem::~TGridItem() {
  ReleaseCells();
  delete FItems;
}

void TGridItem::SetIdx(int Value) {
  if (Value == FIdx) return;
  FIdx = Value;
  if (auto* Items = dynamic_cast<TGridItems*>(GetCollection())) Items->SetIndexStale(true);
}

void TGridItems::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  FIndexStale = true;
  TCollection::Notify(Item, Action);
}

void TGridItem::ReleaseCells() {
  if (FCellStore) FCellStore->ReleaseRowCells(FCells);
  FCellStore = nullptr;
  FCells = TGridRow{};
}

TStringList* TGridItem::GetItems() const {
  if (!FItems) FItems = new TStringList;
  if (!FCellStore) return FItems;
  // First asked for: the held block becomes the list, by the columns as
  // they were when the row was hidden.
  FItems->SetCapacity(FHeldCols);
  for (int c = 0; c < FHeldCols; ++c) {
    auto Slot = static_cast<std::uint32_t>(FColSlots ? (*FColSlots)[static_cast<std::size_t>(c)] : c);
    if (Slot < FCells.Size)
      FItems->AddObject(std::move(FCells.Cells[Slot].Text), FCells.Cells[Slot].Object);
    else
      FItems->AddObject(AnsiString(), nullptr);
  }
  const_cast<TGridItem*>(this)->ReleaseCells();
  return FItems;
}

void TGridItem::SetItems(TStringList* Value) {
  ReleaseCells();
  if (Value == FItems) return;
  delete FItems;
  FItems = Value;
}

void TGridItem::HoldCells(TGridStore* Store, TGridRow Cells, TColSlots Slots, int Cols) {
  ReleaseCells();
  if (FItems) FItems->Clear();
  FCellStore = Store;
  FCells = Cells;
  FColSlots = std::move(Slots);
  FHeldCols = Cols;
}

TGridRow TGridItem::TakeCells() {
  TGridRow Cells = Take(FCells);
  FCellStore = nullptr;
  return Cells;
}

void TGridItem::ForEachObject(const std::function<void(TObject*&)>& Fn) {
  if (FCellStore) {
    for (int c = 0; c < FHeldCols; ++c) {
      auto Slot = static_cast<std::uint32_t>(FColSlots ? (*FColSlots)[static_cast<std::size_t>(c)] : c);
      if (Slot < FCells.Size) Fn(FCells.Cells[Slot].Object);
    }
    return;
  }
  if (!FItems) return;
  for (int c = 0; c < FItems->GetCount(); ++c) {
    TObject* O = FItems->GetObject(c);
    TObject* Was = O;
    Fn(O);
    if (O != Was) FItems->PutObject(c, O);
  }
}
