#include "grid/gridhidden.h"

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection), FItems(new TStringList) {}

TGridItem::~TGridItem() { delete FItems; }

void TGridItem::SetIdx(int Value) { FIdx = Value; }

void TGridItem::SetItems(TStringList* Value) {
  if (Value == FItems) return;
  delete FItems;
  FItems = Value;
}
