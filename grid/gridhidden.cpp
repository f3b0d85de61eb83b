#include "grid/gridhidden.h"

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection), FItems(new TStringList) {}

TGridItem::~TGridItem() { delete FItems; }

void TGridItem::SetIdx(int Value) {
  if (Value == FIdx) return;
  FIdx = Value;
  if (auto* Items = dynamic_cast<TGridItems*>(GetCollection())) Items->SetIndexStale(true);
}

void TGridItems::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  FIndexStale = true;
  TCollection::Notify(Item, Action);
}

void TGridItem::SetItems(TStringList* Value) {
  if (Value == FItems) return;
  delete FItems;
  FItems = Value;
}
