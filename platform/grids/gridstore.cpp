#include "platform/grids/gridstore.h"

#include <algorithm>

#include "platform/grids/gridstore_strings.h"

const char* const SGridIndexOutOfRange = "Grid index out of range";

void RaiseGridIndexError() { throw EListError(SGridIndexOutOfRange); }

namespace {

void CheckCount(int Value, int Max) {
  if (Value < 0 || Value > Max) RaiseGridIndexError();
}

// Index within 0 .. Limit - 1.
void CheckIndex(int Index, int Limit) {
  if (Index < 0 || Index >= Limit) RaiseGridIndexError();
}

}  // namespace

TGridStore::TGridStore(int AColCount, int ARowCount, int ADefaultColWidth, int ADefaultRowHeight)
    : FColCount(0),
      FRowCount(0),
      FColExtent(0),
      FRowExtent(0),
      FColWidths(ADefaultColWidth),
      FRowHeights(ADefaultRowHeight) {
  SetColCount(AColCount);
  SetRowCount(ARowCount);
}

TGridStore::~TGridStore() { ReleaseRows(0, FRows.size()); }

void TGridStore::ReleaseRows(std::size_t From, std::size_t To) {
  for (std::size_t r = From; r < To && r < FRows.size(); ++r) FArena.Release(FRows[r]);
}

// ---- counts ----------------------------------------------------------------

void TGridStore::SetColCount(int Value) {
  CheckCount(Value, MaxColCount);
  if (Value < FColCount) FColWidths.Truncate(Value);
  FColCount = Value;
  FColExtent = std::max(FColExtent, Value);
}

void TGridStore::SetRowCount(int Value) {
  CheckCount(Value, MaxRowCount);
  if (Value < FRowCount) FRowHeights.Truncate(Value);
  FRowCount = Value;
  FRowExtent = std::max(FRowExtent, Value);
}

// ---- cells -----------------------------------------------------------------

void TGridStore::CheckCell(int ACol, int ARow) const {
  CheckIndex(ACol, FColExtent);
  CheckIndex(ARow, FRowExtent);
}

std::size_t TGridStore::Slot(int ACol) const {
  auto c = static_cast<std::size_t>(ACol);
  return c < FColMap.size() ? static_cast<std::size_t>(FColMap[c]) : c;
}

const TGridStore::TCell* TGridStore::FindCell(int ACol, int ARow) const {
  CheckCell(ACol, ARow);
  auto r = static_cast<std::size_t>(ARow);
  if (r >= FRows.size()) return nullptr;
  const TGridRow& row = FRows[r];
  std::size_t slot = Slot(ACol);
  return slot < row.Size ? &row.Cells[slot] : nullptr;
}

TGridStore::TCell& TGridStore::TouchCell(int ACol, int ARow) {
  CheckCell(ACol, ARow);
  auto r = static_cast<std::size_t>(ARow);
  if (r >= FRows.size()) {
    // Room for every row up to the extent at once (only what is written is
    // touched), so a fill never copies the rows; a huge extent, or one
    // raised step by step while rows are written, grows by doubling.
    if (r >= FRows.capacity()) {
      const auto extent = static_cast<std::size_t>(FRowExtent);
      const std::size_t doubled = std::max(r + 1, FRows.capacity() * 2);
      FRows.reserve(extent <= (std::size_t{1} << 24) ? std::max(extent, std::min(doubled, extent * 2)) : doubled);
    }
    FRows.resize(r + 1);
  }
  TGridRow& row = FRows[r];
  std::size_t slot = Slot(ACol);
  if (slot >= row.Size) {
    if (slot >= row.Capacity) {
      // A new row first written at its left takes room for the current
      // columns at once (up to a cap, for very wide sparse grids): one
      // allocation per row while a grid is filled. A row first written
      // further right (one column of check boxes or pictures) takes room up
      // to that cell only, so a column of a million rows does not zero a
      // whole grid's width of cells. Beyond that a row grows by doubling,
      // never past its full width.
      std::size_t width = std::max(FColMap.size(), static_cast<std::size_t>(FColExtent));
      std::size_t want = row.Capacity != 0 ? std::min<std::size_t>(std::size_t{row.Capacity} * 2, width)
                         : slot == 0       ? std::min<std::size_t>(static_cast<std::size_t>(FColCount), 32)
                                           : slot + 1;
      FArena.Reserve(row, static_cast<std::uint32_t>(std::max(slot + 1, want)));
    }
    FArena.Extend(row, static_cast<std::uint32_t>(slot + 1));
  }
  return row.Cells[slot];
}

AnsiString TGridStore::GetCell(int ACol, int ARow) const {
  const TCell* cell = FindCell(ACol, ARow);
  return cell ? cell->Text : AnsiString();
}

const AnsiString& TGridStore::CellText(int ACol, int ARow) const {
  static const AnsiString Empty;
  const TCell* cell = FindCell(ACol, ARow);
  return cell ? cell->Text : Empty;
}

void TGridStore::SetCell(int ACol, int ARow, const AnsiString& Value) {
  // An empty text needs no storage where there is none yet.
  if (Value.empty() && !FindCell(ACol, ARow)) return;
  TouchCell(ACol, ARow).Text = Value;
}

TObject* TGridStore::GetObject(int ACol, int ARow) const {
  const TCell* cell = FindCell(ACol, ARow);
  return cell ? cell->Object : nullptr;
}

void TGridStore::SetObject(int ACol, int ARow, TObject* Value) {
  if (!Value && !FindCell(ACol, ARow)) return;
  TouchCell(ACol, ARow).Object = Value;
}

std::vector<TGridStore::TCellObject> TGridStore::ObjectsIn(int ACol1, int ARow1, int ACol2, int ARow2) const {
  std::vector<TCellObject> found;
  ACol1 = std::max(ACol1, 0);
  ARow1 = std::max(ARow1, 0);
  ACol2 = std::min(ACol2, FColExtent - 1);
  ARow2 = std::min({ARow2, FRowExtent - 1, static_cast<int>(FRows.size()) - 1});
  if (ACol1 > ACol2 || ARow1 > ARow2) return found;
  // Slot -> column: the inverse of the map, the identity beyond it.
  std::vector<int> colOf(FColMap.size());
  for (std::size_t c = 0; c < FColMap.size(); ++c) colOf[static_cast<std::size_t>(FColMap[c])] = static_cast<int>(c);
  for (int r = ARow1; r <= ARow2; ++r) {
    const TGridRow& row = FRows[static_cast<std::size_t>(r)];
    for (std::size_t slot = 0; slot < row.Size; ++slot) {
      TObject* object = row.Cells[slot].Object;
      if (!object) continue;
      int col = slot < colOf.size() ? colOf[slot] : static_cast<int>(slot);
      if (col >= ACol1 && col <= ACol2) found.push_back(TCellObject{col, r, object});
    }
  }
  return found;
}

// ---- views -----------------------------------------------------------------

TStrings* TGridStore::Rows(int ARow) {
  CheckIndex(ARow, FRowExtent);
  auto& view = FRowViews[ARow];
  if (!view) view = std::make_unique<TGridStrings>(this, TGridStrings::gkRow, ARow);
  return view.get();
}

TStrings* TGridStore::Cols(int ACol) {
  CheckIndex(ACol, FColExtent);
  auto& view = FColViews[ACol];
  if (!view) view = std::make_unique<TGridStrings>(this, TGridStrings::gkCol, ACol);
  return view.get();
}

// ---- whole rows and columns --------------------------------------------------

void TGridStore::MapColumns(std::size_t Count) {
  // Extend the map with the identity: those slots are the columns' own.
  for (std::size_t c = FColMap.size(); c < Count; ++c) FColMap.push_back(static_cast<int>(c));
}

void TGridStore::MoveRow(int FromIndex, int ToIndex, bool WithSize) {
  CheckIndex(FromIndex, FRowCount);
  CheckIndex(ToIndex, FRowCount);
  if (FromIndex == ToIndex) return;
  auto lo = static_cast<std::size_t>(std::min(FromIndex, ToIndex));
  auto hi = static_cast<std::size_t>(std::max(FromIndex, ToIndex));
  if (lo < FRows.size()) {
    if (hi >= FRows.size()) FRows.resize(hi + 1);
    auto first = FRows.begin();
    if (FromIndex < ToIndex)
      std::rotate(first + FromIndex, first + FromIndex + 1, first + ToIndex + 1);
    else
      std::rotate(first + ToIndex, first + FromIndex, first + FromIndex + 1);
  }
  if (WithSize) FRowHeights.Move(FromIndex, ToIndex);
}

void TGridStore::SwapRowCells(int ARow1, int ARow2) {
  CheckIndex(ARow1, FRowCount);
  CheckIndex(ARow2, FRowCount);
  auto hi = static_cast<std::size_t>(std::max(ARow1, ARow2));
  if (static_cast<std::size_t>(std::min(ARow1, ARow2)) >= FRows.size()) return;  // both empty
  if (hi >= FRows.size()) FRows.resize(hi + 1);
  std::swap(FRows[static_cast<std::size_t>(ARow1)], FRows[static_cast<std::size_t>(ARow2)]);
}

void TGridStore::MoveCol(int FromIndex, int ToIndex, bool WithSize) {
  CheckIndex(FromIndex, FColCount);
  CheckIndex(ToIndex, FColCount);
  if (FromIndex == ToIndex) return;
  MapColumns(static_cast<std::size_t>(std::max(FromIndex, ToIndex)) + 1);
  auto first = FColMap.begin();
  if (FromIndex < ToIndex)
    std::rotate(first + FromIndex, first + FromIndex + 1, first + ToIndex + 1);
  else
    std::rotate(first + ToIndex, first + FromIndex, first + FromIndex + 1);
  if (WithSize) FColWidths.Move(FromIndex, ToIndex);
}

void TGridStore::InsertRows(int Index, int Count) {
  CheckIndex(Index, FRowCount + 1);
  if (Count < 0 || Count > MaxRowCount - FRowExtent) RaiseGridIndexError();
  if (Count == 0) return;
  auto i = static_cast<std::size_t>(Index);
  if (i < FRows.size()) {
    // Grow, then rotate the new empty rows into position.
    FRows.resize(FRows.size() + static_cast<std::size_t>(Count));
    std::rotate(FRows.begin() + Index, FRows.end() - Count, FRows.end());
  }
  FRowHeights.Insert(Index, Count);
  FRowCount += Count;
  FRowExtent += Count;  // the rows pushed past the extent stay reachable
}

void TGridStore::DeleteRows(int Index, int Count) {
  CheckIndex(Index, FRowCount);
  if (Count < 0 || Count > FRowCount - Index) RaiseGridIndexError();
  if (Count == 0) return;
  auto i = static_cast<std::size_t>(Index);
  if (i < FRows.size()) {
    std::size_t end = std::min(FRows.size(), i + static_cast<std::size_t>(Count));
    ReleaseRows(i, end);
    FRows.erase(FRows.begin() + Index, FRows.begin() + static_cast<std::ptrdiff_t>(end));
  }
  FRowHeights.Delete(Index, Count);
  FRowCount -= Count;
}

namespace {

// Ascending, distinct and within 0 .. Limit - 1.
void CheckRowList(std::span<const int> Rows, int Limit) {
  int prev = -1;
  for (int r : Rows) {
    if (r <= prev || r >= Limit) RaiseGridIndexError();
    prev = r;
  }
}

}  // namespace

bool TGridStore::RowEmpty(std::size_t Row) const {
  if (Row >= FRows.size()) return true;
  const TGridRow& row = FRows[Row];
  for (std::uint32_t c = 0; c < row.Size; ++c)
    if (!row.Cells[c].Text.empty() || row.Cells[c].Object) return false;
  return true;
}

void TGridStore::TakeOutRows(const std::vector<int>& Rows) { TakeOutRowsInto(Rows, nullptr); }

std::vector<TGridRow> TGridStore::TakeOutRowCells(const std::vector<int>& Rows) {
  std::vector<TGridRow> taken(Rows.size());
  TakeOutRowsInto(Rows, taken.data());
  return taken;
}

void TGridStore::TakeOutRowCells(std::span<const int> Rows,
                                 const std::function<void(std::size_t, TGridRow)>& Sink) {
  CheckRowList(Rows, FRowCount);
  // Rows past the stored ones have no cells: handed over empty.
  const auto end = static_cast<int>(std::min(FRows.size(), static_cast<std::size_t>(FRowCount)));
  for (auto i = static_cast<std::size_t>(std::lower_bound(Rows.begin(), Rows.end(), end) - Rows.begin());
       i < Rows.size(); ++i)
    Sink(i, TGridRow{});
  TakeOutRowsInto(Rows, nullptr, &Sink);
}

void TGridStore::TakeOutRowsInto(std::span<const int> Rows, TGridRow* Taken,
                                 const std::function<void(std::size_t, TGridRow)>* Sink) {
  CheckRowList(Rows, FRowCount);
  if (Rows.empty()) return;
  auto first = static_cast<std::size_t>(Rows.front());
  std::size_t end = std::min(FRows.size(), static_cast<std::size_t>(FRowCount));
  if (first < end) {
    std::size_t w = first, j = 0;
    for (std::size_t r = first; r < end; ++r) {
      if (j < Rows.size() && static_cast<std::size_t>(Rows[j]) == r) {
        if (Sink)
          (*Sink)(j, Take(FRows[r]));
        else if (Taken)
          Taken[j] = Take(FRows[r]);
        else
          FArena.Release(FRows[r]);
        ++j;
        continue;
      }
      FRows[w++] = Take(FRows[r]);
    }
    // What is left behind was taken or released.
  }
  FRowHeights.TakeOut(Rows, FRowCount);
}

void TGridStore::PutRowCells(int ARow, TGridRow Cells) {
  CheckIndex(ARow, FRowCount);
  auto r = static_cast<std::size_t>(ARow);
  if (r >= FRows.size()) {
    if (!Cells.Cells) return;
    FRows.resize(r + 1);
  }
  FArena.Release(FRows[r]);
  FRows[r] = Cells;
}

void TGridStore::OpenRows(const std::vector<int>& Positions) {
  auto k = static_cast<int>(Positions.size());
  if (k > MaxRowCount - FRowCount) RaiseGridIndexError();
  CheckRowList(Positions, FRowCount + k);
  if (k == 0) return;
  auto first = static_cast<std::size_t>(Positions.front());
  if (first < FRows.size()) {
    std::size_t old = FRows.size();
    // Openings after every stored row change nothing stored.
    std::size_t j = 0;
    while (j < Positions.size() && static_cast<std::size_t>(Positions[j]) - j < old) ++j;
    FRows.resize(old + j);
    std::size_t r = old;
    for (std::size_t w = FRows.size(); w-- > first;) {
      if (j > 0 && static_cast<std::size_t>(Positions[j - 1]) == w) {
        FRows[w] = TGridRow{};  // its row moved further down already
        --j;
      } else {
        FRows[w] = Take(FRows[--r]);
      }
    }
  }
  FRowHeights.Open(Positions);
  FRowCount += k;
  // Rows pushed past the old extent stay reachable; empty ones need not.
  int extent = FRowExtent + k;
  int keep = std::max(FRowExtent, FRowCount);
  while (extent > keep && RowEmpty(static_cast<std::size_t>(extent - 1))) --extent;
  if (FRows.size() > static_cast<std::size_t>(extent)) {
    ReleaseRows(static_cast<std::size_t>(extent), FRows.size());
    FRows.resize(static_cast<std::size_t>(extent));
  }
  FRowExtent = extent;
}

void TGridStore::InsertCols(int Index, int Count) {
  CheckIndex(Index, FColCount + 1);
  if (Count < 0 || Count > MaxColCount - FColExtent) RaiseGridIndexError();
  if (Count == 0) return;
  MapColumns(static_cast<std::size_t>(FColExtent));
  // Slots from the map's size on are empty in every row (see FColMap).
  int fresh = static_cast<int>(FColMap.size());
  std::vector<int> slots(static_cast<std::size_t>(Count));
  for (int k = 0; k < Count; ++k) slots[static_cast<std::size_t>(k)] = fresh + k;
  FColMap.insert(FColMap.begin() + Index, slots.begin(), slots.end());
  FColWidths.Insert(Index, Count);
  FColCount += Count;
  FColExtent += Count;
}

void TGridStore::DeleteCols(int Index, int Count) {
  CheckIndex(Index, FColCount);
  if (Count < 0 || Count > FColCount - Index) RaiseGridIndexError();
  if (Count == 0) return;
  MapColumns(static_cast<std::size_t>(FColExtent));
  auto first = FColMap.begin() + Index;
  auto last = first + Count;
  // Empty the removed columns' slots and hand them to the end of the map,
  // where they serve as the empty columns at the end of the extent.
  for (auto it = first; it != last; ++it) {
    auto slot = static_cast<std::size_t>(*it);
    for (TGridRow& row : FRows)
      if (slot < row.Size) row.Cells[slot] = TCell{};
  }
  std::rotate(first, last, FColMap.end());
  FColWidths.Delete(Index, Count);
  FColCount -= Count;
}

// ---- sizes and geometry --------------------------------------------------------

int TGridStore::GetColWidth(int ACol) const {
  CheckIndex(ACol, FColCount);
  return FColWidths.Get(ACol);
}

void TGridStore::SetColWidth(int ACol, int Value) {
  CheckIndex(ACol, FColCount);
  FColWidths.Set(ACol, Value);
}

int TGridStore::GetRowHeight(int ARow) const {
  CheckIndex(ARow, FRowCount);
  return FRowHeights.Get(ARow);
}

void TGridStore::SetRowHeight(int ARow, int Value) {
  CheckIndex(ARow, FRowCount);
  FRowHeights.Set(ARow, Value);
}

Int64 TGridStore::ColOffset(int ACol) const {
  CheckIndex(ACol, FColCount + 1);
  return FColWidths.Offset(ACol);
}

Int64 TGridStore::RowOffset(int ARow) const {
  CheckIndex(ARow, FRowCount + 1);
  return FRowHeights.Offset(ARow);
}
