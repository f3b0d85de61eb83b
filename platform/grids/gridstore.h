// The string grid's cell store: one 8-bit text and one object slot per cell,
// column widths and row heights with their pixel geometry, and string-list
// views of a row or a column. It has no window: the grid control owns one
// store and shows it.
//
// Scale: rows are held up to the last one written, each with cells only
// once a cell was written (one allocation for the row's width), columns
// through a slot map, so changing a count costs O(1), moving, inserting or
// deleting a whole row or column costs O(rows) or O(columns), as does taking
// out or opening any number of scattered rows in one batch, and a grid of
// 1,000,000 x 20 mostly empty cells costs little memory.
//
// Counts and extents: lowering ColCount or RowCount keeps the cells that were
// cut off; raw access (GetCell/SetCell/GetObject/SetObject) reaches every
// cell up to the largest extent the store ever had, and the cells reappear
// when the count grows again. Sizes are different: indices cut off by a lower
// count take the default size when they come back.
//
// Objects in the slots are never freed by the store.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/rtl/classes_strings.h"
#include "platform/grids/gridstore_rows.h"
#include "platform/grids/gridstore_sizes.h"

// The grid's index error: EListError "Grid index out of range".
extern const char* const SGridIndexOutOfRange;
[[noreturn]] void RaiseGridIndexError();

class TGridStrings;

class TGridStore {
 public:
  // Counts, extents and sizes stay below these; larger values are refused
  // with the index error rather than exhausting memory.
  static constexpr int MaxRowCount = 100000000;
  static constexpr int MaxColCount = 1000000;

  TGridStore(int AColCount = 5, int ARowCount = 5, int ADefaultColWidth = 64,
             int ADefaultRowHeight = 24);
  ~TGridStore();
  TGridStore(const TGridStore&) = delete;
  TGridStore& operator=(const TGridStore&) = delete;

  // -- counts
  int GetColCount() const { return FColCount; }
  void SetColCount(int Value);
  int GetRowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  // Largest column / row count the store ever had: the reach of raw access.
  int GetColExtent() const { return FColExtent; }
  int GetRowExtent() const { return FRowExtent; }

  // -- raw cell access (0 <= col < ColExtent, 0 <= row < RowExtent)
  AnsiString GetCell(int ACol, int ARow) const;
  // The stored text by reference (an empty text for a cell never written),
  // valid until the next write to the store: for readers that must not copy.
  const AnsiString& CellText(int ACol, int ARow) const;
  void SetCell(int ACol, int ARow, const AnsiString& Value);
  TObject* GetObject(int ACol, int ARow) const;
  void SetObject(int ACol, int ARow, TObject* Value);

  // The cells within the rectangle (clamped to the extents) whose slot holds
  // an object. Costs the held rows in range times their width, never the
  // rectangle's area, so walks over the whole extent stay cheap.
  struct TCellObject {
    int Col;
    int Row;
    TObject* Object;
  };
  std::vector<TCellObject> ObjectsIn(int ACol1, int ARow1, int ACol2, int ARow2) const;

  // -- string-list views over the current counts: Rows(r) lists the texts
  // and objects of row r over ColCount columns, Cols(c) those of column c
  // over RowCount rows. A view stays valid as long as the store and always
  // shows the row or column of its index.
  TStrings* Rows(int ARow);
  TStrings* Cols(int ACol);

  // -- whole rows and columns (indices within the current counts). Moves
  // carry texts, objects and, with WithSize, the width or height.
  void MoveRow(int FromIndex, int ToIndex, bool WithSize = true);
  void MoveCol(int FromIndex, int ToIndex, bool WithSize = true);
  // Exchanges the texts and objects of two rows (within the count) by
  // handle, in constant time; the heights stay.
  void SwapRowCells(int ARow1, int ARow2);
  // Empty rows / columns of default size before Index (0 .. count); the
  // count and the extent grow by Count and everything from Index on shifts.
  void InsertRows(int Index, int Count);
  void InsertCols(int Index, int Count);
  // Removes Count rows / columns from Index (within the count); the ones
  // after shift back, the count falls and the extent keeps empty cells.
  void DeleteRows(int Index, int Count);
  void DeleteCols(int Index, int Count);
  // Batch row edits for hiding and showing many scattered rows, each one
  // pass over the rows whatever the list's length (repeated DeleteRows or
  // InsertRows would cost O(rows) apiece):
  // TakeOutRows drops the listed rows (ascending, distinct, below the count);
  // the other rows below the count close up in order and the last ones
  // below the count become empty rows of default size. Counts, extents and
  // the rows from the count on stay.
  void TakeOutRows(const std::vector<int>& Rows);
  // The same, handing the listed rows' cells over (by slot, one entry per
  // listed row) instead of destroying them: hiding rows then moves each
  // row's block, not its texts. Give them back with PutRowCells or free
  // them with ReleaseRowCells, on this store only.
  std::vector<TGridRow> TakeOutRowCells(const std::vector<int>& Rows);
  // The same, handing each listed row's cells to Sink with the row's place
  // in the list, so that no list of them is built.
  void TakeOutRowCells(std::span<const int> Rows, const std::function<void(std::size_t, TGridRow)>& Sink);
  // Puts cells taken out earlier in place of row ARow's (within the count).
  void PutRowCells(int ARow, TGridRow Cells);
  void ReleaseRowCells(TGridRow& Cells) { FArena.Release(Cells); }
  // The slot holding column ACol's cell in every row (0 <= ACol < ColExtent).
  int ColSlot(int ACol) const { return static_cast<int>(Slot(ACol)); }
  // OpenRows is InsertRows of one row at each listed final position
  // (ascending, distinct, below count + list length) in turn: the count
  // grows by the list's length, and the extent only as far as rows pushed
  // past it still hold something.
  void OpenRows(const std::vector<int>& Positions);

  // -- sizes (indices within the current counts)
  int GetDefaultColWidth() const { return FColWidths.GetDefault(); }
  void SetDefaultColWidth(int Value) { FColWidths.SetDefault(Value); }
  int GetDefaultRowHeight() const { return FRowHeights.GetDefault(); }
  void SetDefaultRowHeight(int Value) { FRowHeights.SetDefault(Value); }
  int GetColWidth(int ACol) const;
  void SetColWidth(int ACol, int Value);
  int GetRowHeight(int ARow) const;
  void SetRowHeight(int ARow, int Value);

  // -- geometry without grid lines: x of a column is the sum of the widths
  // before it (0 <= ACol <= ColCount; ColCount gives the total width).
  Int64 ColOffset(int ACol) const;
  Int64 RowOffset(int ARow) const;
  // The column / row holding pixel X / Y, or -1 outside the grid.
  int ColAt(Int64 X) const { return FColWidths.IndexAt(X, FColCount); }
  int RowAt(Int64 Y) const { return FRowHeights.IndexAt(Y, FRowCount); }

 private:
  using TCell = TGridCell;

  void CheckCell(int ACol, int ARow) const;
  bool RowEmpty(std::size_t Row) const;
  std::size_t Slot(int ACol) const;
  const TCell* FindCell(int ACol, int ARow) const;
  TCell& TouchCell(int ACol, int ARow);
  void MapColumns(std::size_t Count);
  void ReleaseRows(std::size_t From, std::size_t To);
  void TakeOutRowsInto(std::span<const int> Rows, TGridRow* Taken,
                       const std::function<void(std::size_t, TGridRow)>* Sink = nullptr);

  int FColCount;
  int FRowCount;
  int FColExtent;
  int FRowExtent;
  // The blocks of the rows' cells; declared before the rows that use them.
  TGridRowArena FArena;
  // Row index -> its cells by slot; rows without cells or past the end are
  // empty.
  std::vector<TGridRow> FRows;
  // Column index -> slot in the rows' cells: a permutation of 0 .. size-1,
  // the identity beyond. Every slot from max(size, ColExtent) on is empty
  // in every row, which is where inserted columns take theirs.
  std::vector<int> FColMap;
  TGridSizes FColWidths;
  TGridSizes FRowHeights;
  std::unordered_map<int, std::unique_ptr<TGridStrings>> FRowViews;
  std::unordered_map<int, std::unique_ptr<TGridStrings>> FColViews;
};
