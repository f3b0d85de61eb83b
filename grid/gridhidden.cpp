#include "grid/gridhidden.h"

#include <utility>

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection) {}

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
