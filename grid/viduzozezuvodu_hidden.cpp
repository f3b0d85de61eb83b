#include <algorithm>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

// ---- columns -----------------------------------------------------------------------------------

bool VIduZozezuVodu::IsHiddenColumn(int ACol) const {
  return ACol >= 0 && ACol < MaxRemapCol && !FVisibleCols[ACol];
}

int VIduZozezuVodu::RemapCol(int ACol) const {
  if (ACol >= MaxRemapCol || FHiddenCols == 0 || ACol < 0) return ACol;
  int Seen = 0;
  for (int j = 0; j < MaxRemapCol; ++j) {
    if (!FVisibleCols[j]) continue;
    if (Seen == ACol) return j;
    ++Seen;
  }
  // Past the last visible column: every hidden column lies before it.
  return ACol + FHiddenCols;
}

int VIduZozezuVodu::RemapColInv(int ACol) const {
  if (ACol >= MaxRemapCol || FHiddenCols == 0 || ACol < 0) return ACol;
  int Before = 0;
  for (int j = 0; j < ACol; ++j) Before += !FVisibleCols[j];
  return ACol - Before;
}

void VIduZozezuVodu::HideColumns(int FromCol, int ToCol) {
  HideEditor();
  for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxRemapCol; ++c) {
    if (!FVisibleCols[c] || c >= GetColCount() + FHiddenCols || GetColCount() < 2) continue;
    int D = RemapColInv(c);
    FSavedWidths[c] = GetColWidths(D);
    for (int d = D; d < GetColCount() - 1; ++d) SetColWidths(d, GetColWidths(d + 1));
    ++FHiddenCols;
    FVisibleCols[c] = false;
    SetColCount(GetColCount() - 1);
  }
  Invalidate();
}

void VIduZozezuVodu::UnHideColumns(int FromCol, int ToCol) {
  HideEditor();
  for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxRemapCol; ++c) {
    if (FVisibleCols[c]) continue;
    --FHiddenCols;
    FVisibleCols[c] = true;
    SetColCount(GetColCount() + 1);
    int D = RemapColInv(c);
    for (int d = GetColCount() - 1; d > D; --d) SetColWidths(d, GetColWidths(d - 1));
    SetColWidths(D, FSavedWidths[c]);
  }
  Invalidate();
}

int VIduZozezuVodu::GetAllColWidths(int ACol) const {
  if (IsHiddenColumn(ACol)) return FSavedWidths[ACol];
  return GetColWidths(RemapColInv(ACol));
}

void VIduZozezuVodu::SetAllColWidths(int ACol, int Value) {
  if (ACol >= 0 && ACol <= MaxRemapCol) FSavedWidths[ACol] = Value;
  if (!IsHiddenColumn(ACol)) SetColWidths(RemapColInv(ACol), Value);
}

// ---- rows --------------------------------------------------------------------------------------

void VIduZozezuVodu::RebuildHiddenIndex() {
  FHiddenIdx.clear();
  FHiddenIdx.reserve(FHiddenRows->GetCount());
  for (int i = 0; i < FHiddenRows->GetCount(); ++i) FHiddenIdx.push_back(FHiddenRows->Item(i)->GetIdx());
  std::sort(FHiddenIdx.begin(), FHiddenIdx.end());
}

int VIduZozezuVodu::RemapRow(int ARow) const {
  auto Before = std::lower_bound(FHiddenIdx.begin(), FHiddenIdx.end(), ARow) - FHiddenIdx.begin();
  return ARow - static_cast<int>(Before);
}

int VIduZozezuVodu::RemapRowInv(int ARow) const {
  if (FHiddenIdx.empty()) return ARow;
  // The answer is ARow + i, where i hidden rows lie before it: the first i
  // with FHiddenIdx[i] - i > ARow (that difference never falls).
  int Lo = 0, Hi = static_cast<int>(FHiddenIdx.size());
  while (Lo < Hi) {
    int Mid = (Lo + Hi) / 2;
    if (FHiddenIdx[Mid] - Mid > ARow)
      Hi = Mid;
    else
      Lo = Mid + 1;
  }
  return ARow + Lo;
}

TGridItem* VIduZozezuVodu::FindHidden(int ARow) const {
  for (int i = FHiddenRows->GetCount() - 1; i >= 0; --i)
    if (FHiddenRows->Item(i)->GetIdx() == ARow) return FHiddenRows->Item(i);
  return nullptr;
}

bool VIduZozezuVodu::IsHiddenRow(int ARow) const {
  return std::binary_search(FHiddenIdx.begin(), FHiddenIdx.end(), ARow);
}

TStrings* VIduZozezuVodu::HiddenRow(int ARow) const {
  TGridItem* It = IsHiddenRow(ARow) ? FindHidden(ARow) : nullptr;
  return It ? It->GetItems() : nullptr;
}

void VIduZozezuVodu::SaveRow(int ARow, TStringList* Dest) {
  for (int c = 0; c < GetAllColCount(); ++c) Dest->AddObject(GetCells(c, ARow), GetObjects(c, ARow));
}

void VIduZozezuVodu::RestoreRow(int ARow, const TStringList* Src) {
  for (int c = 0; c < Src->GetCount(); ++c) {
    SetCells(c, ARow, Src->Get(c));
    SetObjects(c, ARow, Src->GetObject(c));
  }
}

void VIduZozezuVodu::RemoveDisplayedRows(int ARow, int Count) {
  int Old = GetRowCount();
  // Whole rows leave the store (hidden columns included); empty rows take
  // their place at the end so that the grid itself lowers its count.
  FStore.DeleteRows(ARow, Count);
  FStore.InsertRows(Old - Count, Count);
  SetRowCount(Old - Count);
}

void VIduZozezuVodu::InsertDisplayedRows(int ARow, int Count) {
  FStore.InsertRows(ARow, Count);
  UpdateScrollBars();
  Invalidate();
}

void VIduZozezuVodu::HideRows(int FromRow, int ToRow) {
  int Already = 0;
  for (int r = FromRow; r <= ToRow; ++r) Already += IsHiddenRow(r);
  if (Already == ToRow - FromRow + 1) return;
  HideEditor();
  int First = RemapRow(FromRow);
  int N = 0;
  for (int r = FromRow; r <= ToRow; ++r) {
    if (IsHiddenRow(r)) continue;
    int Pos = 0;
    while (Pos < FHiddenRows->GetCount() && FHiddenRows->Item(Pos)->GetIdx() <= r) ++Pos;
    auto* It = static_cast<TGridItem*>(FHiddenRows->Insert(Pos));
    SaveRow(First + N, It->GetItems());
    It->SetIdx(r);
    It->SetHeight(GetRowHeights(First + N));
    ++N;
  }
  RemoveDisplayedRows(First, N);
  RebuildHiddenIndex();
}

void VIduZozezuVodu::UnHideRow(int ARow) {
  TGridItem* It = IsHiddenRow(ARow) ? FindHidden(ARow) : nullptr;
  if (!It) return;
  int D = RemapRow(ARow);
  InsertDisplayedRows(D, 1);
  RestoreItem(It, D);
  delete It;
  RebuildHiddenIndex();
}

void VIduZozezuVodu::UnHideRows(int FromRow, int ToRow) {
  if (!IsHiddenRow(FromRow)) return;
  int First = RemapRow(FromRow);
  for (int r = FromRow; r <= ToRow; ++r) {
    TGridItem* It = IsHiddenRow(r) ? FindHidden(r) : nullptr;
    if (!It) continue;
    int D = First + (r - FromRow);
    InsertDisplayedRows(D, 1);
    RestoreItem(It, D);
    delete It;
    RebuildHiddenIndex();
  }
}

void VIduZozezuVodu::UnHideRowsAll() {
  while (FHiddenRows->GetCount() > 0) {
    int Before = FHiddenRows->GetCount();
    int FirstIdx = FHiddenRows->Item(0)->GetIdx(), LastIdx = FirstIdx;
    for (int i = 1; i < Before && FHiddenRows->Item(i)->GetIdx() == LastIdx + 1; ++i) ++LastIdx;
    UnHideRows(FirstIdx, LastIdx);
    if (FHiddenRows->GetCount() == Before) break;  // nothing restorable is left
  }
}

// ---- cells by real row -------------------------------------------------------------------------

AnsiString VIduZozezuVodu::GetCellsEx(int ACol, int ARow) {
  if (TStrings* L = HiddenRow(ARow)) {
    AnsiString S = ACol >= 0 && ACol < L->GetCount() ? L->Get(ACol) : AnsiString();
    GetDisplText(ACol, ARow, S);
    return S;
  }
  return GetCellEx(ACol, RemapRow(ARow));
}

AnsiString VIduZozezuVodu::GetGridCellsEx(int ACol, int ARow) const {
  if (TStrings* L = HiddenRow(ARow)) return ACol >= 0 && ACol < L->GetCount() ? L->Get(ACol) : AnsiString();
  return GetGridCell(ACol, RemapRow(ARow));
}

void VIduZozezuVodu::SetCellsEx(int ACol, int ARow, const AnsiString& Value) {
  if (TStrings* L = HiddenRow(ARow)) {
    while (L->GetCount() <= ACol) L->Add("");
    L->Put(ACol, Value);
    return;
  }
  int D = RemapRow(ARow);
  SetCellEx(ACol, D, Value);
  if (ACol != RemapColInv(ACol)) RepaintCell(RemapColInv(ACol), D);
}

WideString VIduZozezuVodu::GetWideCellsEx(int ACol, int ARow) { return DecodeWideStr(GetCellsEx(ACol, ARow)); }

void VIduZozezuVodu::SetWideCellsEx(int ACol, int ARow, const WideString& Value) {
  SetCellsEx(ACol, ARow, EncodeWideStr(Value));
}
