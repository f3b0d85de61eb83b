#include <algorithm>
#include <iterator>
#include <memory>
#include <unordered_set>
#include <vector>

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
  HideInplaceEdit();
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
  HideInplaceEdit();
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

const TGridBigVector<VIduZozezuVodu::THiddenRef>& VIduZozezuVodu::HiddenIndex() const {
  if (!FHiddenRows->GetIndexStale()) return FHiddenIdx;
  FHiddenIdx.clear();
  FHiddenIdx.reserve(FHiddenRows->GetCount());
  for (int i = 0; i < FHiddenRows->MadeCount(); ++i) {
    TGridItem* It = FHiddenRows->MadeItem(i);
    FHiddenIdx.push_back({It->GetIdx(), 0, It});
  }
  for (std::uint32_t n = 0; n < FHiddenRows->HeldCount(); ++n)
    if (const THeldRow& H = FHiddenRows->Held(n); H.Live) FHiddenIdx.push_back({H.Idx, n, nullptr});
  auto ByIdx = [](const THiddenRef& A, const THiddenRef& B) { return A.Idx < B.Idx; };
  FHiddenSorted = std::is_sorted(FHiddenIdx.begin(), FHiddenIdx.end(), ByIdx);
  if (!FHiddenSorted) std::stable_sort(FHiddenIdx.begin(), FHiddenIdx.end(), ByIdx);
  FillHiddenKeys();
  FHiddenRows->SetIndexStale(false);
  return FHiddenIdx;
}

void VIduZozezuVodu::FillHiddenKeys() const {
  FHiddenKeys.resize(FHiddenIdx.size());
  for (std::size_t i = 0; i < FHiddenIdx.size(); ++i) FHiddenKeys[i] = FHiddenIdx[i].Idx;
}

namespace {

template <class TRefs>
auto LowerIdx(const TRefs& Refs, int Idx) {
  return std::lower_bound(Refs.begin(), Refs.end(), Idx, [](const auto& R, int V) { return R.Idx < V; });
}

template <class TRefs>
auto UpperIdx(const TRefs& Refs, int Idx) {
  return std::upper_bound(Refs.begin(), Refs.end(), Idx, [](int V, const auto& R) { return V < R.Idx; });
}

}  // namespace

int VIduZozezuVodu::RemapRow(int ARow) const {
  HiddenIndex();
  const auto& Keys = FHiddenKeys;
  return ARow - static_cast<int>(std::lower_bound(Keys.begin(), Keys.end(), ARow) - Keys.begin());
}

int VIduZozezuVodu::RemapRowInv(int ARow) const {
  HiddenIndex();
  const auto& Keys = FHiddenKeys;
  if (Keys.empty()) return ARow;
  // The answer is ARow + i, where i hidden rows lie before it: the first i
  // with Keys[i] - i > ARow (that difference never falls).
  int Lo = 0, Hi = static_cast<int>(Keys.size());
  while (Lo < Hi) {
    int Mid = (Lo + Hi) / 2;
    if (Keys[Mid] - Mid > ARow)
      Hi = Mid;
    else
      Lo = Mid + 1;
  }
  return ARow + Lo;
}

const VIduZozezuVodu::THiddenRef* VIduZozezuVodu::FindHidden(int ARow) const {
  const auto& Index = HiddenIndex();
  auto It = UpperIdx(Index, ARow);
  return It != Index.begin() && std::prev(It)->Idx == ARow ? &*std::prev(It) : nullptr;
}

bool VIduZozezuVodu::IsHiddenRow(int ARow) const { return FindHidden(ARow) != nullptr; }

AnsiString VIduZozezuVodu::HiddenText(const THiddenRef& Ref, int ACol) const {
  if (!Ref.Item) {
    const TGridCell* Cell = FHiddenRows->HeldCell(Ref.Held, ACol);
    return Cell ? Cell->Text : AnsiString();
  }
  const TStringList* L = Ref.Item->GetItems();
  return ACol >= 0 && ACol < L->GetCount() ? L->Get(ACol) : AnsiString();
}

TObject* VIduZozezuVodu::HiddenObject(const THiddenRef& Ref, int ACol) const {
  if (!Ref.Item) {
    const TGridCell* Cell = FHiddenRows->HeldCell(Ref.Held, ACol);
    return Cell ? Cell->Object : nullptr;
  }
  const TStringList* L = Ref.Item->GetItems();
  return ACol >= 0 && ACol < L->GetCount() ? L->GetObject(ACol) : nullptr;
}

TGridItem* VIduZozezuVodu::HiddenItem(int ARow) const {
  const THiddenRef* Ref = FindHidden(ARow);
  if (Ref && !Ref->Item) {
    FHiddenRows->MakeItems();
    Ref = FindHidden(ARow);
  }
  return Ref ? Ref->Item : nullptr;
}

int VIduZozezuVodu::HiddenHeight(const THiddenRef& Ref) const {
  return Ref.Item ? Ref.Item->GetHeight() : FHiddenRows->Held(Ref.Held).Height;
}

bool VIduZozezuVodu::HiddenAtLevel(const THiddenRef& Ref, int Level) const {
  if (Ref.Item) return Ref.Item->GetListed() && Ref.Item->GetLevel() == Level;
  const THeldRow& H = FHiddenRows->Held(Ref.Held);
  return H.Listed && H.Level == Level;
}

TStrings* VIduZozezuVodu::HiddenRow(int ARow) const {
  TGridItem* It = HiddenItem(ARow);
  return It ? It->GetItems() : nullptr;
}

void VIduZozezuVodu::HideDisplayedRows(std::span<const int> Rows, THideKind Kind) {
  if (Rows.empty()) return;
  // A range goes in among the older items; the other kinds are held rows
  // appended after them, with no item made.
  const bool Held = Kind != hkRange;
  if (!Held) FHiddenRows->MakeItems();
  // The keys as they are now place the rows: adding items marks the index
  // stale, and it is set right here at the end.
  HiddenIndex();
  int Cols = GetAllColCount();
  // The rows leave with their cell blocks; a block is read by the column
  // layout of this moment.
  TGridItem::TColSlots Slots;
  for (int c = 0; c < Cols && !Slots; ++c)
    if (FStore.ColSlot(c) != c) {
      auto Map = std::make_shared<std::vector<int>>(static_cast<std::size_t>(Cols));
      for (int k = 0; k < Cols; ++k) (*Map)[static_cast<std::size_t>(k)] = FStore.ColSlot(k);
      Slots = std::move(Map);
    }
  // Into a first level the new rows go straight to the index.
  const bool Fresh = FHiddenIdx.empty();
  TGridBigVector<THiddenRef>& Added = Fresh ? FHiddenIdx : FHideAdded;
  Added.clear();
  Added.reserve(Rows.size());
  const auto& Keys = FHiddenKeys;
  const bool Listed = Kind == hkList;
  const int Level = Listed ? FHideLevel : 0;
  const std::uint32_t Layout = Held ? FHiddenRows->HeldLayout(&FStore, Slots, Cols) : 0;
  if (Held) FHiddenRows->ReserveHeld(Rows.size());
  FHiddenRows->BeginUpdate();
  // The displayed rows ascend, so do their real indices: each is its row
  // plus the k hidden rows before it, where k only grows along the list.
  std::size_t k = 0;
  for (int D : Rows) {
    while (k < Keys.size() && Keys[k] - static_cast<int>(k) <= D) ++k;
    const int Idx = D + static_cast<int>(k), Height = Kind != hkRangeEx ? GetRowHeights(D) : 0;
    if (Held) {
      Added.push_back({Idx, FHiddenRows->AddHeld({Idx, Height, Level, Layout, Listed, 1, {}}), nullptr});
    } else {
      auto* It = static_cast<TGridItem*>(FHiddenRows->Add());
      It->Place(Idx, Height, Level, Listed);
      Added.push_back({Idx, 0, It});
    }
  }
  FStore.TakeOutRowCells(Rows, [&](std::size_t i, TGridRow Cells) {
    if (Added[i].Item)
      Added[i].Item->HoldCells(&FStore, Cells, Slots, Cols);
    else
      FHiddenRows->Held(Added[i].Held).Cells = Cells;
  });
  const TGridBigVector<THiddenRef>& Index = FHiddenIdx;
  if (Kind == hkRange && !Fresh) {
    // Each new item goes before the first older item with a larger Idx:
    // found by the index while the store is in Idx order.
    int Old = FHiddenRows->GetCount() - static_cast<int>(Added.size());
    int P = 0;
    if (FHiddenSorted)
      P = static_cast<int>(UpperIdx(Index, Added.front().Idx) - Index.begin());
    else
      while (P < Old && FHiddenRows->Item(P)->GetIdx() <= Added.front().Idx) ++P;
    if (P < Old && Added.size() == 1) {
      Added.front().Item->SetIndex(P);
    } else if (P < Old) {
      std::vector<TCollectionItem*> Order;
      Order.reserve(FHiddenRows->GetCount());
      std::size_t A = 0;
      for (int i = 0; i < Old; ++i) {
        TGridItem* It = FHiddenRows->Item(i);
        for (; A < Added.size() && Added[A].Idx < It->GetIdx(); ++A) Order.push_back(Added[A].Item);
        Order.push_back(It);
      }
      for (; A < Added.size(); ++A) Order.push_back(Added[A].Item);
      FHiddenRows->Rearrange(Order);
    }
  }
  if (Kind != hkRange && !Fresh && Added.front().Idx < Index.back().Idx) FHiddenSorted = false;
  FHiddenRows->EndUpdate();
  // The new rows join the index: appended when they all come after it (a
  // first filter), merged otherwise; on equal Idx the older item leads.
  auto ByIdx = [](const THiddenRef& A, const THiddenRef& B) { return A.Idx < B.Idx; };
  if (Fresh) {
    // In place already.
  } else if (FHiddenIdx.back().Idx <= Added.front().Idx) {
    FHiddenIdx.insert(FHiddenIdx.end(), Added.begin(), Added.end());
    Added.clear();
  } else {
    FHideMerged.clear();
    FHideMerged.reserve(FHiddenIdx.size() + Added.size());
    std::merge(FHiddenIdx.begin(), FHiddenIdx.end(), Added.begin(), Added.end(), std::back_inserter(FHideMerged),
               ByIdx);
    std::swap(FHiddenIdx, FHideMerged);
    FHideMerged.clear();
    Added.clear();
  }
  FillHiddenKeys();
  FHiddenRows->SetIndexStale(false);

  SetRowCount(GetRowCount() - static_cast<int>(Rows.size()));
  RowHeightsChanged();
}

void VIduZozezuVodu::HideListedRows(TGridBigVector<int>& Rows) {
  HideInplaceEdit();
  const int Count = GetRowCount();
  Rows.erase(std::remove_if(Rows.begin(), Rows.end(), [Count](int D) { return D < 0 || D >= Count; }), Rows.end());
  // A filter hands them over in order already.
  if (!std::is_sorted(Rows.begin(), Rows.end())) std::sort(Rows.begin(), Rows.end());
  Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
  // Items keep the real index so that remapping stays right whatever else
  // is hidden; the level tells which rows this call took out.
  HideDisplayedRows(Rows, hkList);
  ++FHideLevel;
  Invalidate();
}

void VIduZozezuVodu::RestoreHiddenRows(std::span<const THiddenRef> Refs) {
  if (Refs.empty()) return;
  HideInplaceEdit();
  int K = static_cast<int>(Refs.size());
  int Count = GetRowCount();
  // Where each row lands once all of them are back: its Idx less the rows
  // that stay hidden before it (an Idx past the grid's end lands at the end).
  std::vector<int>& Pos = FShowPos;
  Pos.resize(Refs.size());
  for (int i = 0; i < K; ++i) Pos[i] = std::min(RemapRow(Refs[i].Idx) + i, Count + i);
  FStore.OpenRows(Pos);
  // A held block goes back as it is while the columns keep the layout it
  // was taken with; otherwise its texts are placed column by column.
  bool Checked = false, SameLayout = false;
  const std::vector<int>* CheckedMap = nullptr;
  int CheckedCols = 0;
  auto LayoutKept = [&](const std::vector<int>* Map, int Cols) {
    if (Checked && Map == CheckedMap && Cols == CheckedCols) return SameLayout;
    Checked = true;
    CheckedMap = Map;
    CheckedCols = Cols;
    SameLayout = CheckedCols <= FStore.GetColExtent();
    for (int c = 0; c < CheckedCols && SameLayout; ++c)
      SameLayout = FStore.ColSlot(c) == (Map ? (*Map)[static_cast<std::size_t>(c)] : c);
    return SameLayout;
  };
  for (int i = 0; i < K; ++i) {
    const THiddenRef& R = Refs[i];
    if (TGridItem* It = R.Item) {
      if (It->HoldsCells() && LayoutKept(It->GetColSlots().get(), It->GetHeldCols())) {
        FStore.PutRowCells(Pos[i], It->TakeCells());
      } else {
        const TStringList* L = It->GetItems();
        int Cols = std::min(L->GetCount(), FStore.GetColExtent());
        for (int c = 0; c < Cols; ++c) {
          FStore.SetCell(c, Pos[i], L->Get(c));
          FStore.SetObject(c, Pos[i], L->GetObject(c));
        }
      }
    } else {
      THeldRow& H = FHiddenRows->Held(R.Held);
      const int Cols = FHiddenRows->GetLayoutCols(H.Layout);
      if (LayoutKept(FHiddenRows->GetLayoutSlots(H.Layout).get(), Cols)) {
        FStore.PutRowCells(Pos[i], Take(H.Cells));
      } else {
        for (int c = 0; c < std::min(Cols, FStore.GetColExtent()); ++c) {
          TGridCell* Cell = FHiddenRows->HeldCell(R.Held, c);
          FStore.SetCell(c, Pos[i], Cell ? std::move(Cell->Text) : AnsiString());
          FStore.SetObject(c, Pos[i], Cell ? Cell->Object : nullptr);
        }
      }
    }
    int H = HiddenHeight(R);
    FStore.SetRowHeight(Pos[i], H > 0 ? H : GetDefaultRowHeight());
  }
  // The index loses the restored rows in one pass: held rows are marked
  // gone in the store, items by a set.
  HiddenIndex();
  std::unordered_set<const TGridItem*> Gone;
  std::vector<TGridItem*> Items;
  for (const THiddenRef& R : Refs) {
    if (!R.Item) {
      FHiddenRows->DropHeld(R.Held);
    } else {
      Gone.insert(R.Item);
      Items.push_back(R.Item);
    }
  }
  // Compacted in place: the index keeps its room for the next filter.
  FHiddenIdx.erase(std::remove_if(FHiddenIdx.begin(), FHiddenIdx.end(),
                                  [this, &Gone](const THiddenRef& R) {
                                    return R.Item ? Gone.count(R.Item) > 0 : !FHiddenRows->Held(R.Held).Live;
                                  }),
                   FHiddenIdx.end());
  if (!Items.empty()) FreeHiddenItems(Items, Gone);
  FHiddenRows->TrimHeld();
  FillHiddenKeys();
  FHiddenRows->SetIndexStale(false);
  RowHeightsChanged();
}

void VIduZozezuVodu::RestoreCollected(const std::function<void(TGridBigVector<THiddenRef>&)>& Collect) {
  // The list keeps its room for the next call; it is taken out meanwhile,
  // as showing rows may come back here.
  TGridBigVector<THiddenRef> Refs = std::move(FShowRefs);
  Refs.clear();
  Collect(Refs);
  RestoreHiddenRows(Refs);
  Refs.clear();
  FShowRefs = std::move(Refs);
}

void VIduZozezuVodu::FreeHiddenItems(const std::vector<TGridItem*>& Items,
                                     const std::unordered_set<const TGridItem*>& Set) {
  // Only made items are freed here: held rows after them stay where they are.
  int N = FHiddenRows->MadeCount(), K = static_cast<int>(Items.size());
  // Freed from the back, each leaves the collection at O(1); bring them
  // there first unless they are already (the last filter level).
  bool AtEnd = true;
  for (int i = N - K; i < N && AtEnd; ++i) AtEnd = Set.count(FHiddenRows->MadeItem(i)) > 0;
  FHiddenRows->BeginUpdate();
  if (!AtEnd) {
    std::vector<TCollectionItem*> Order;
    Order.reserve(N);
    for (int i = 0; i < N; ++i)
      if (!Set.count(FHiddenRows->MadeItem(i))) Order.push_back(FHiddenRows->MadeItem(i));
    Order.insert(Order.end(), Items.begin(), Items.end());
    FHiddenRows->RearrangeMade(Order);
  }
  for (int i = 0; i < K; ++i) delete FHiddenRows->MadeItem(FHiddenRows->MadeCount() - 1);
  FHiddenRows->EndUpdate();
}

void VIduZozezuVodu::HideRows(int FromRow, int ToRow) {
  FromRow = std::max(FromRow, 0);
  ToRow = std::min(ToRow, GetAllRowCount() - 1);
  if (FromRow > ToRow) return;
  const auto& Index = HiddenIndex();
  int Already = static_cast<int>(UpperIdx(Index, ToRow) - LowerIdx(Index, FromRow));
  if (Already == ToRow - FromRow + 1) return;
  HideInplaceEdit();
  // The rows of the range still shown are consecutive on the screen.
  int First = RemapRow(FromRow);
  int N = std::min(ToRow - FromRow + 1 - Already, GetRowCount() - First);
  std::vector<int> Rows(static_cast<std::size_t>(std::max(N, 0)));
  for (int i = 0; i < N; ++i) Rows[i] = First + i;
  HideDisplayedRows(Rows, hkRange);
}

void VIduZozezuVodu::HideRowsEx(int FromRow, int ToRow) {
  if (IsHiddenRow(FromRow)) return;
  FromRow = std::max(FromRow, 0);
  ToRow = std::min(ToRow, GetAllRowCount() - 1);
  if (FromRow > ToRow) return;
  HideInplaceEdit();
  // Rows of the range already hidden stay as they are: taking the next
  // shown rows in their place would store them under the wrong index.
  const auto& Index = HiddenIndex();
  int Already = static_cast<int>(UpperIdx(Index, ToRow) - LowerIdx(Index, FromRow));
  int First = RemapRow(FromRow);
  int N = std::min(ToRow - FromRow + 1 - Already, GetRowCount() - First);
  std::vector<int> Rows(static_cast<std::size_t>(std::max(N, 0)));
  for (int i = 0; i < N; ++i) Rows[i] = First + i;
  HideDisplayedRows(Rows, hkRangeEx);
}

void VIduZozezuVodu::UnHideRow(int ARow) {
  if (const THiddenRef* R = FindHidden(ARow)) {
    const THiddenRef One = *R;
    RestoreHiddenRows({&One, 1});
  }
}

void VIduZozezuVodu::UnHideRows(int FromRow, int ToRow) {
  if (!IsHiddenRow(FromRow)) return;
  const auto& Index = HiddenIndex();
  // A copy: showing them changes the index.
  RestoreCollected([&](TGridBigVector<THiddenRef>& Refs) {
    Refs.assign(LowerIdx(Index, FromRow), UpperIdx(Index, ToRow));
  });
}

void VIduZozezuVodu::UnHideRowsAll() {
  const auto& Index = HiddenIndex();
  RestoreCollected([&](TGridBigVector<THiddenRef>& Refs) { Refs.assign(Index.begin(), Index.end()); });
}

// ---- cells by real row -------------------------------------------------------------------------

AnsiString VIduZozezuVodu::GetCellsEx(int ACol, int ARow) {
  if (const THiddenRef* R = FindHidden(ARow)) {
    AnsiString S = HiddenText(*R, ACol);
    GetDisplText(ACol, ARow, S);
    return S;
  }
  return GetCellEx(ACol, RemapRow(ARow));
}

AnsiString VIduZozezuVodu::GetGridCellsEx(int ACol, int ARow) const {
  if (const THiddenRef* R = FindHidden(ARow)) return HiddenText(*R, ACol);
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
