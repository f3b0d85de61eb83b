// Bookkeeping after a column or row moved: widths and heights (moved once,
// here), hidden columns and rows, the column order, the sort column and the
// sort index list.
#include <algorithm>
#include <utility>

#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_fixededit.h"
#include "grid/viduzozezuvodu_moveindex.h"

namespace {

template <class Get, class Set>
void Rotate(int From, int To, Get G, Set S) {
  const auto V = G(From);
  if (From < To)
    for (int i = From; i < To; ++i) S(i, G(i + 1));
  else
    for (int i = From; i > To; --i) S(i, G(i - 1));
  S(To, V);
}

}  // namespace

void VIduZozezuVodu::SetEnhRowColMove(bool Value) {
  FEnhRowColMove = Value;
  // The moved column's width travels once: here with the enhanced move,
  // with the cells otherwise.
  SetMoveSizesWithCells(!Value);
}

void VIduZozezuVodu::ColumnMoved(int FromIndex, int ToIndex) {
  const int From = RemapCol(FromIndex), To = RemapCol(ToIndex);
  const int N = FColumnOrder->GetCount();
  if (From >= 0 && To >= 0 && From < N && To < N) {
    const int E = FColumnOrder->GetInteger(From);
    FColumnOrder->Delete(From);
    FColumnOrder->Insert(To, E);
  }
  if (FEnhRowColMove) {
    Rotate(FromIndex, ToIndex, [this](int i) { return GetColWidths(i); },
           [this](int i, int W) { SetColWidths(i, W); });
    MovedMark = true;
  }
  if (FHiddenCols > 0 && From != To) {
    // The cells move by real column below, so whatever is kept per real
    // column goes with them, whichever move this is: the hidden flags and
    // saved widths must stay with their columns' cells.
    const int Last = std::min(MaxRemapCol, GetColCount() + FHiddenCols) - 1;
    if (From <= Last && To <= Last) {
      Rotate(From, To, [this](int i) { return FVisibleCols[static_cast<std::size_t>(i)]; },
             [this](int i, bool V) { FVisibleCols[static_cast<std::size_t>(i)] = V; });
      Rotate(From, To, [this](int i) { return FSavedWidths[static_cast<std::size_t>(i)]; },
             [this](int i, int W) { FSavedWidths[static_cast<std::size_t>(i)] = W; });
    }
    // The store moved the displayed positions; with hidden columns between
    // them the cells belong to the real ones.
    FStore.MoveCol(ToIndex, FromIndex, false);
    for (int r = 0; r < GetRowCount(); ++r) {
      Rotate(From, To, [this, r](int i) { return std::make_pair(GetGridCell(i, r), GetGridObject(i, r)); },
             [this, r](int i, const std::pair<AnsiString, TObject*>& V) {
               SetGridCell(i, r, V.first);
               SetGridObject(i, r, V.second);
             });
    }
  }
  // The cell controls keep real columns too: each goes where its cell went,
  // a hidden column's along with that column.
  for (int i = 0; i < FControlList->GetCount(); ++i)
    if (TControlItem* It = FControlList->GetControl(i)) It->X = MovedIndex(It->X, From, To);
  TStringGrid::ColumnMoved(FromIndex, ToIndex);
  for (int i = 0; i < FHiddenRows->GetCount(); ++i) {
    TStringList* L = FHiddenRows->Item(i)->GetItems();
    // By real column, as the visible rows just moved.
    if (L && From < L->GetCount() && To < L->GetCount()) L->Move(From, To);
  }
  if (FSortSettings->Column >= 0) FSortSettings->Column = MovedIndex(FSortSettings->Column, From, To);
  if (FSortSettings->IndexShow)
    for (int i = 0; i < FSortIndexes->GetCount(); ++i)
      FSortIndexes->SetSortColumns(i, MovedIndex(FSortIndexes->GetSortColumns(i), From, To));
  if (FFloatingFooter->GetVisible()) UpdateFooter();
}

void VIduZozezuVodu::RowMoved(int FromIndex, int ToIndex) {
  if (FFloatingFooter->IsFixedLastRow() && ToIndex == GetRowCount() - 1) {
    // The footer row stays last: the move is taken back.
    FStore.MoveRow(ToIndex, FromIndex, GetMoveSizesWithCells());
    return;
  }
  if (FEnhRowColMove) {
    Rotate(FromIndex, ToIndex, [this](int i) { return GetRowHeights(i); },
           [this](int i, int H) { SetRowHeights(i, H); });
    MovedMark = true;
  }
  TStringGrid::RowMoved(FromIndex, ToIndex);
}
