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

namespace {

// A TGridItems about to take a new item makes its held rows items first.
TCollection* ReadyToJoin(TCollection* Collection) {
  if (auto* Items = dynamic_cast<TGridItems*>(Collection)) Items->MakeItems();
  return Collection;
}

}  // namespace

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(ReadyToJoin(Collection)) {}

void TGridItem::SetCollection(TCollection* Value) {
  if (Value != GetCollection()) ReadyToJoin(Value);
  TCollectionItem::SetCollection(Value);
}

void TGridItem::SetIndex(int Value) {
  ReadyToJoin(GetCollection());
  TCollectionItem::SetIndex(Value);
}

TGridItems::TGridItems()
    : TCollection([](TCollection* C) -> TCollectionItem* {
        return new (static_cast<TGridItems*>(C)->FPool) TGridItem(C);
      }),
      FPool(new TGridItemPool) {}

TGridItems::~TGridItems() {
  DropAllHeld();
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

// ---- the collection as its users see it: made items, then held rows ---------------------------

TCollectionItem* TGridItems::GetItem(int Index) const {
  MakeItems();
  return TCollection::GetItem(Index);
}

TCollectionItem* TGridItems::Add() {
  MakeItems();
  return TCollection::Add();
}

TCollectionItem* TGridItems::Insert(int Index) {
  MakeItems();
  return TCollection::Insert(Index);
}

void TGridItems::Delete(int Index) {
  MakeItems();
  TCollection::Delete(Index);
}

void TGridItems::Clear() {
  DropAllHeld();
  FIndexStale = true;
  TCollection::Clear();
}

TCollectionItem* TGridItems::FindItemID(int ID) const {
  MakeItems();
  return TCollection::FindItemID(ID);
}

void TGridItems::Rearrange(const std::vector<TCollectionItem*>& Order) {
  MakeItems();
  TCollection::Rearrange(Order);
}

void TGridItems::SetItem(int Index, TCollectionItem* Value) {
  MakeItems();
  TCollection::SetItem(Index, Value);
}

void TGridItems::Assign(TPersistent* Source) {
  if (auto* From = dynamic_cast<TGridItems*>(Source)) From->MakeItems();
  MakeItems();
  TCollection::Assign(Source);
}

// ---- held rows ---------------------------------------------------------------------------------

std::uint32_t TGridItems::HeldLayout(TGridStore* Store, TGridItem::TColSlots Slots, int Cols) {
  if (!FLayouts.empty()) {
    const TLayout& Last = FLayouts.back();
    if (Last.Store == Store && Last.Slots == Slots && Last.Cols == Cols)
      return static_cast<std::uint32_t>(FLayouts.size() - 1);
  }
  FLayouts.push_back({Store, std::move(Slots), Cols});
  return static_cast<std::uint32_t>(FLayouts.size() - 1);
}

std::uint32_t TGridItems::AddHeld(const THeldRow& Row) {
  FHeld.push_back(Row);
  FHeld.back().Live = 1;
  ++FHeldLive;
  return static_cast<std::uint32_t>(FHeld.size() - 1);
}

TGridCell* TGridItems::HeldCell(std::uint32_t Number, int ACol) {
  THeldRow& R = FHeld[Number];
  const TLayout& L = FLayouts[R.Layout];
  if (ACol < 0 || ACol >= L.Cols) return nullptr;
  auto Slot = static_cast<std::uint32_t>(L.Slots ? (*L.Slots)[static_cast<std::size_t>(ACol)] : ACol);
  return Slot < R.Cells.Size ? &R.Cells.Cells[Slot] : nullptr;
}

void TGridItems::DropHeld(std::uint32_t Number) {
  THeldRow& R = FHeld[Number];
  if (!R.Live) return;
  FLayouts[R.Layout].Store->ReleaseRowCells(R.Cells);
  R.Live = 0;
  --FHeldLive;
  FIndexStale = true;
}

void TGridItems::TrimHeld() {
  if (FHeldLive == 0) FHeld.clear();
  while (!FHeld.empty() && !FHeld.back().Live) FHeld.pop_back();
  if (FHeld.empty()) FLayouts.clear();
}

void TGridItems::DropAllHeld() {
  for (std::uint32_t i = 0; i < FHeld.size(); ++i)
    if (FHeld[i].Live) FLayouts[FHeld[i].Layout].Store->ReleaseRowCells(FHeld[i].Cells);
  FHeld.clear();
  FLayouts.clear();
  FHeldLive = 0;
}

void TGridItems::MakeItems() const {
  if (FHeld.empty()) return;
  auto* Self = const_cast<TGridItems*>(this);
  // Taken out first: the items made here join a collection holding none.
  TGridBigVector<THeldRow> Rows;
  std::swap(Rows, FHeld);
  std::vector<TLayout> Layouts;
  std::swap(Layouts, FLayouts);
  FHeldLive = 0;
  Self->BeginUpdate();
  for (THeldRow& R : Rows) {
    if (!R.Live) continue;
    auto* It = static_cast<TGridItem*>(Self->TCollection::Add());
    It->Place(R.Idx, R.Height, R.Level, R.Listed != 0);
    const TLayout& L = Layouts[R.Layout];
    It->HoldCells(L.Store, R.Cells, L.Slots, L.Cols);
  }
  Self->EndUpdate();
  // The records' room serves the next rows held.
  Rows.clear();
  std::swap(Rows, FHeld);
  Self->FIndexStale = true;
}

void TGridItems::ForEachObject(const std::function<void(TObject*&)>& Fn) {
  for (int i = 0; i < MadeCount(); ++i) MadeItem(i)->ForEachObject(Fn);
  for (std::uint32_t n = 0; n < FHeld.size(); ++n) {
    if (!FHeld[n].Live) continue;
    for (int c = 0; c < FLayouts[FHeld[n].Layout].Cols; ++c)
      if (TGridCell* Cell = HeldCell(n, c)) Fn(Cell->Object);
  }
}

void TGridItems::Renumber(const std::function<int(int)>& Fn) {
  for (int i = 0; i < MadeCount(); ++i) MadeItem(i)->SetIdx(Fn(MadeItem(i)->GetIdx()));
  for (THeldRow& R : FHeld) {
    if (!R.Live) continue;
    const int Idx = Fn(R.Idx);
    if (Idx == R.Idx) continue;
    R.Idx = Idx;
    FIndexStale = true;
  }
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
