// Hiding by row lists (the filter's levels), the cached hidden-row query and
// object access by real row index.
#include <algorithm>
#include <vector>

#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::HideRowList(TIntList* List) {
  if (!List) return;
  TGridBigVector<int> Rows;
  Rows.reserve(List->GetCount());
  for (int i = 0; i < List->GetCount(); ++i) Rows.push_back(List->GetInteger(i));
  HideListedRows(Rows);
}

void VIduZozezuVodu::UnHideRowList() {
  // Hidden rows of other levels still count as hidden when placing these.
  RestoreCollected([this](TGridBigVector<THiddenRef>& Refs) {
    for (const THiddenRef& R : HiddenIndex())
      if (HiddenAtLevel(R, FHideLevel - 1)) Refs.push_back(R);
  });
}

bool VIduZozezuVodu::IsHiddenRow(int ARow, TIntList*& List) const {
  if (!List) {
    List = new TIntList(-1, -1);
    for (const THiddenRef& R : HiddenIndex()) List->Insert(List->GetCount(), R.Idx);
  }
  // Filled in ascending order, so a binary search answers.
  int Lo = 0, Hi = List->GetCount();
  while (Lo < Hi) {
    int Mid = (Lo + Hi) / 2;
    if (List->GetInteger(Mid) < ARow)
      Lo = Mid + 1;
    else
      Hi = Mid;
  }
  return Lo < List->GetCount() && List->GetInteger(Lo) == ARow;
}

TObject* VIduZozezuVodu::GetAllGraphicsObject(int ACol, int ARow) const {
  if (const THiddenRef* R = FindHidden(ARow)) return HiddenObject(*R, ACol);
  return GetGridObject(ACol, RemapRow(ARow));
}

TObject* VIduZozezuVodu::GetObjectsEx(int ACol, int ARow) const {
  if (const THiddenRef* R = FindHidden(ARow)) {
    TObject* O = HiddenObject(*R, ACol);
    TCellProperties* P = AsProperties(O);
    return P ? P->CellObject : O;
  }
  return GetObjectEx(ACol, RemapRow(ARow));
}

void VIduZozezuVodu::SetObjectsEx(int ACol, int ARow, TObject* Value) {
  TStrings* L = HiddenRow(ARow);
  if (!L) {
    SetObjectEx(ACol, RemapRow(ARow), Value);
    return;
  }
  if (ACol < 0) return;
  while (L->GetCount() <= ACol) L->Add("");
  // The slot may hold the cell's properties (spans, look): keep them and
  // hang the object on them, as a visible row would.
  TCellProperties* P = AsProperties(L->GetObject(ACol));
  if (!P) {
    P = new TCellProperties(this, ACol, RemapRow(ARow));
    L->PutObject(ACol, P);
  }
  P->CellObject = Value;
}
