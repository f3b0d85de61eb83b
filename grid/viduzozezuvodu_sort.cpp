// Sorting the normal rows: by one column, by the sort-index list, inside the
// expanded nodes of a row tree, and back into the order before the first
// sort. Rows move whole through SortSwapRows; the partition compares against
// a copy of the pivot row kept in a scratch row past the last row.
#include <algorithm>
#include <numeric>
#include <typeinfo>

#include "grid/viduzozezuvodu.h"

namespace {

const char* const SNoSortIndexes = "No indexes specified for indexed sort";

template <class F>
class TScopeExit {
public:
  explicit TScopeExit(F Fn) : FFn(std::move(Fn)) {}
  ~TScopeExit() { FFn(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

private:
  F FFn;
};

}  // namespace

// ---- scratch frame --------------------------------------------------------------------------------

void VIduZozezuVodu::DetachRows(int FromRow, int ToRow) {
  // The objects belong to real rows (or to nobody any more): dropped, never freed.
  int Cols = std::max(GetAllColCount(), FSortCols);
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = 0; c < Cols; ++c) {
      FStore.SetObject(c, r, nullptr);
      FStore.SetCell(c, r, AnsiString());
    }
}

VIduZozezuVodu::TSortFrame VIduZozezuVodu::OpenSortFrame() {
  TSortFrame F{GetRowCount(), GetDisplayRowLimit(), FSortPivot, FSortCols};
  // The plain count: a footer row must not move for the scratch rows.
  SetRowCount(F.N + 3);
  // Rows past the count may still hold what a longer grid left there.
  DetachRows(F.N, F.N + 2);
  SetDisplayRowLimit(std::min(F.Limit, F.N));
  FSortPivot = F.N + 1;
  FSortCols = GetAllColCount();
  return F;
}

void VIduZozezuVodu::CloseSortFrame(const TSortFrame& F, bool Notify) {
  DetachRows(F.N, F.N + 2);
  if (Notify) CellsChanged(TGridRect{0, F.N, GetColCount() - 1, F.N + 2});
  SetRowCount(F.N);
  SetDisplayRowLimit(F.Limit);
  FSortPivot = F.Pivot;
  FSortCols = F.Cols;
}

std::vector<std::pair<AnsiString, TObject*>> VIduZozezuVodu::SaveSortColumn0() {
  std::vector<std::pair<AnsiString, TObject*>> Saved;
  if (!FSortSettings->NormalCellsOnly || GetFixedCols() <= 0) return Saved;
  int Rows = GetRowCount();
  Saved.reserve(static_cast<std::size_t>(Rows));
  for (int r = 0; r < Rows; ++r) Saved.emplace_back(FStore.GetCell(0, r), FStore.GetObject(0, r));
  return Saved;
}

void VIduZozezuVodu::RestoreSortColumn0(const std::vector<std::pair<AnsiString, TObject*>>& Saved) {
  int Rows = std::min(GetRowCount(), static_cast<int>(Saved.size()));
  for (int r = 0; r < Rows; ++r) {
    FStore.SetCell(0, r, Saved[static_cast<std::size_t>(r)].first);
    FStore.SetObject(0, r, Saved[static_cast<std::size_t>(r)].second);
  }
}

void VIduZozezuVodu::CopyPivotRow(int ARow) {
  const int P = FSortPivot;
  const bool Hook = static_cast<bool>(OnGetDisplText);
  const bool Virtual = FSortSettings->SortOnVirtualCells;
  // Shares the row's property objects; the scratch row never owns them.
  for (int c = 0; c < FSortCols; ++c) {
    if (Hook && Virtual)
      FStore.SetCell(c, P, GetCellEx(c, ARow));
    else
      FStore.SetCell(c, P, FStore.CellText(c, ARow));
    FStore.SetObject(c, P, FStore.GetObject(c, ARow));
  }
}

// ---- partition sorts ------------------------------------------------------------------------------

void VIduZozezuVodu::QuickSortRows(int ACol, int ALeft, int ARight) {
  if (FSortPivot < 0) return;
  FSortFactor = FSortSettings->Direction == sdDescending ? -1 : 1;
  if (FSortKeyCol >= 0 || ALeft >= ARight || !SortKeysUsable(ACol)) {
    QuickSortRowsLoop(ACol, ALeft, ARight);
    return;
  }
  // A grid of a derived class may watch each swap: it gets them all, and
  // its keys hold no texts (a swap of its own may write the store).
  const bool Direct = typeid(*this) == typeid(VIduZozezuVodu);
  FSortKeys.resize(static_cast<std::size_t>(ARight - ALeft + 1));
  for (int r = ALeft; r <= ARight; ++r)
    FSortKeys[static_cast<std::size_t>(r - ALeft)] = MakeSortKey(ACol, r, Direct);
  FSortKeyBase = ALeft;
  FSortKeyCol = ACol;
  TScopeExit Drop([this] {
    FSortKeyCol = -1;
    FSortKeys.clear();
  });
  if (!Direct) {
    QuickSortRowsLoop(ACol, ALeft, ARight);
    return;
  }
  // Otherwise the partition moves (digest, row) entries while the rows stay
  // where they are, and the rows move once at the end, along the cycles of
  // the permutation. The comparisons are the same as those of the partition
  // over the rows themselves, and so is the order.
  const int N = ARight - ALeft + 1;
  const int F = FSortFactor;
  const bool Full = FSortSettings->Full;
  std::vector<int> Rows(static_cast<std::size_t>(N));
  std::iota(Rows.begin(), Rows.end(), ALeft);
  auto Row = [&Rows](int k) { return Rows[static_cast<std::size_t>(k)]; };
  auto Key = [this](int k) -> TSortKey& { return FSortKeys[static_cast<std::size_t>(k)]; };
  // A row against itself: the styles without handlers all answer 0, and
  // the pivot meets its own row once per scan.
  auto Line = [&](int R1, const TSortKey& K1, int R2, const TSortKey& K2) {
    if (R1 == R2) return 0;
    int Res = CompareKeyed(ACol, K1, R1, K2, R2);
    if (Res != 0 || !Full || ACol > FSortCols - 2) return Res;
    return CompareLine(ACol + 1, R1, R2);
  };
  auto Sort = [&](auto& Self, int L, int R) -> void {
    while (L < R) {
      int i = L, j = R;
      const int M = L + (R - L) / 2;
      const TSortKey PK = Key(M);
      const int PR = Row(M);
      do {
        while (i < R && Line(PR, PK, Row(i), Key(i)) == F) ++i;
        while (j > L && Line(Row(j), Key(j), PR, PK) == F) --j;
        if (i <= j) {
          if (i != j && Line(Row(i), Key(i), Row(j), Key(j)) != 0) {
            std::swap(Rows[static_cast<std::size_t>(i)], Rows[static_cast<std::size_t>(j)]);
            std::swap(Key(i), Key(j));
          }
          ++i;
          --j;
        }
      } while (i <= j);
      if (j - L < R - i) {
        if (L < j) Self(Self, L, j);
        L = i;
      } else {
        if (i < R) Self(Self, i, R);
        R = j;
      }
    }
  };
  Sort(Sort, 0, N - 1);
  // The cross-reference takes the new order in one pass where it covers the
  // range; the rows follow along the cycles of the permutation.
  const bool Whole = ARight < FSortXRef->GetCount();
  if (Whole) FSortXRef->Permute(ALeft, Rows);
  // At[k]: where the row first at ALeft + k is now; Holds[p]: which row
  // position p holds now. At most N - 1 swaps.
  std::vector<int> At(static_cast<std::size_t>(N)), Holds(static_cast<std::size_t>(N));
  std::iota(At.begin(), At.end(), 0);
  std::iota(Holds.begin(), Holds.end(), 0);
  for (int p = 0; p < N; ++p) {
    const int Want = Row(p) - ALeft;
    const int q = At[static_cast<std::size_t>(Want)];
    if (q == p) continue;
    if (Whole)
      SortSwapRowData(ALeft + p, ALeft + q);
    else
      VIduZozezuVodu::SortSwapRows(ALeft + p, ALeft + q);
    const int Was = Holds[static_cast<std::size_t>(p)];
    Holds[static_cast<std::size_t>(p)] = Want;
    At[static_cast<std::size_t>(Want)] = p;
    Holds[static_cast<std::size_t>(q)] = Was;
    At[static_cast<std::size_t>(Was)] = q;
  }
}

void VIduZozezuVodu::QuickSortRowsLoop(int ACol, int ALeft, int ARight) {
  const int P = FSortPivot;
  const int F = FSortFactor;
  const bool Keyed = FSortKeyCol == ACol;
  const bool Full = FSortSettings->Full;
  auto Key = [this](int R) -> TSortKey& { return FSortKeys[static_cast<std::size_t>(R - FSortKeyBase)]; };
  // CompareLine, from the digests for the sort column where there are some.
  auto Line = [&](int R1, const TSortKey* K1, int R2, const TSortKey* K2) {
    if (!Keyed) return CompareLine(ACol, R1, R2);
    int Res = CompareKeyed(ACol, *K1, R1, *K2, R2);
    if (Res != 0 || !Full || ACol > FSortCols - 2) return Res;
    return CompareLine(ACol + 1, R1, R2);
  };
  // The comparison need not be antisymmetric (display hooks, handlers):
  // the scans stay inside the range whatever it answers.
  while (ALeft < ARight) {
    int i = ALeft, j = ARight;
    int M = ALeft + (ARight - ALeft) / 2;
    CopyPivotRow(M);
    if (Keyed) FPivotKey = Key(M);
    const TSortKey* PK = Keyed ? &FPivotKey : nullptr;
    do {
      while (i < ARight && Line(P, PK, i, Keyed ? &Key(i) : nullptr) == F) ++i;
      while (j > ALeft && Line(j, Keyed ? &Key(j) : nullptr, P, PK) == F) --j;
      if (i <= j) {
        if (i != j && Line(i, Keyed ? &Key(i) : nullptr, j, Keyed ? &Key(j) : nullptr) != 0) {
          SortSwapRows(i, j);
          if (Keyed) std::swap(Key(i), Key(j));
        }
        ++i;
        --j;
      }
    } while (i <= j);
    // The smaller part by recursion, the larger by the loop: the stack stays O(log n).
    if (j - ALeft < ARight - i) {
      if (ALeft < j) QuickSortRowsLoop(ACol, ALeft, j);
      ALeft = i;
    } else {
      if (i < ARight) QuickSortRowsLoop(ACol, i, ARight);
      ARight = j;
    }
  }
}

void VIduZozezuVodu::QuickSortRowsIndexed(int AIdx, int ALeft, int ARight) {
  if (FSortPivot < 0) return;
  const int P = FSortPivot;
  FSortFactor = FSortSettings->Direction == sdDescending ? -1 : 1;
  // The entries carry their own directions: 1 always means "sorts after".
  while (ALeft < ARight) {
    int i = ALeft, j = ARight;
    CopyPivotRow(ALeft + (ARight - ALeft) / 2);
    do {
      while (i < ARight && CompareLineIndexed(AIdx, P, i) == 1) ++i;
      while (j > ALeft && CompareLineIndexed(AIdx, j, P) == 1) --j;
      if (i <= j) {
        if (i != j) SortSwapRows(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - ALeft < ARight - i) {
      if (ALeft < j) QuickSortRowsIndexed(AIdx, ALeft, j);
      ALeft = i;
    } else {
      if (i < ARight) QuickSortRowsIndexed(AIdx, i, ARight);
      ARight = j;
    }
  }
}

void VIduZozezuVodu::QuickSortRowsRef(int ACol, int ALeft, int ARight) {
  ALeft = std::max(ALeft, 0);
  ARight = std::min(ARight, static_cast<int>(FSortRef.size()) - 1);
  while (ALeft < ARight) {
    int i = ALeft, j = ARight;
    const int Pivot = FSortRef[static_cast<std::size_t>(ALeft + (ARight - ALeft) / 2)];
    do {
      while (i < ARight && FSortRef[static_cast<std::size_t>(i)] < Pivot) ++i;
      while (j > ALeft && FSortRef[static_cast<std::size_t>(j)] > Pivot) --j;
      if (i <= j) {
        if (i != j && FSortRef[static_cast<std::size_t>(i)] != FSortRef[static_cast<std::size_t>(j)]) {
          SortSwapRows(i, j);
          std::swap(FSortRef[static_cast<std::size_t>(i)], FSortRef[static_cast<std::size_t>(j)]);
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - ALeft < ARight - i) {
      if (ALeft < j) QuickSortRowsRef(ACol, ALeft, j);
      ALeft = i;
    } else {
      if (i < ARight) QuickSortRowsRef(ACol, i, ARight);
      ARight = j;
    }
  }
}

// ---- entry points ---------------------------------------------------------------------------------

void VIduZozezuVodu::InitSortXRef() {
  FSortXRef->Identity(GetRowCount());
}

void VIduZozezuVodu::QSortFramed(bool Indexed, bool Grouped) {
  const bool Plain = !Indexed && !Grouped;
  auto Col0 = SaveSortColumn0();
  const int SavedTop = GetTopRow();
  BeginUpdate();
  TScopeExit Finally([&] {
    RestoreSortColumn0(Col0);
    if (FNavigation->KeepScrollOnSort) SetTopRow(std::min(SavedTop, GetRowCount() - 1));
    EndUpdate();
  });
  const int SavedRow = GetRow();
  const bool Move = FNavigation->MoveRowOnSort;
  TSortFrame F = OpenSortFrame();
  try {
    FTrackedRow = SavedRow;
    if (Move) SetRow(F.N);
    const int First = GetFixedRows(), Last = F.N - FFixedFooters - 1;
    if (Grouped) {
      int Level = -1;
      for (int r = First; r <= Last; ++r)
        if (IsNode(r)) Level = std::max(Level, GetNodeLevel(r));
      for (int r = First; r <= Last && Level >= 0; ++r) {
        if (!IsNode(r) || GetNodeState(r) || GetNodeLevel(r) != Level) continue;
        int Span = GetNodeSpan(r);
        if (Span <= 2) continue;
        int To = std::min(r + Span - 1, Last);
        if (Indexed)
          QuickSortIndexed(r + 1, To);
        else
          QuickSortRows(FSortSettings->Column, r + 1, To);
      }
    } else if (Indexed) {
      QuickSortRowsIndexed(0, First, Last);
    } else {
      QuickSortRows(FSortSettings->Column, First, Last);
    }
    if (!Plain || !FMouseActions->GetDisjunctRowSelect()) {
      if (Move) {
        SetRow(FTrackedRow);
        FLastRowUpdate = -1;
      } else {
        SetRow(SavedRow);
      }
    }
  } catch (...) {
    // A handler gave up halfway: the rows stay as far as they got, the
    // scratch rows go without freeing what they share with real rows.
    if (GetRow() >= F.N) SetRow(std::min(SavedRow, F.N - 1));
    CloseSortFrame(F, false);
    throw;
  }
  CloseSortFrame(F, !Plain);
  if (Plain && OnRowUpdate && !Move) OnRowUpdate(this, SavedRow, GetRow());
}

void VIduZozezuVodu::QSort() {
  if (FSortSettings->Column < 0) return;
  if (FSortXRef->GetCount() != GetRowCount()) InitSortXRef();
  FSortIndexes->Clear();
  QSortFramed(false, false);
}

void VIduZozezuVodu::QSortIndexed() {
  if (FSortXRef->GetCount() != GetRowCount()) InitSortXRef();
  if (FSortIndexes->GetCount() == 0) throw EDidAvovError(SNoSortIndexes);
  QSortFramed(true, false);
}

void VIduZozezuVodu::QSortGroupInt(bool Indexed) {
  if (FSortXRef->GetCount() != GetRowCount()) InitSortXRef();
  QSortFramed(Indexed, true);
}

void VIduZozezuVodu::QSortGroup() {
  if (FSortSettings->Column < 0) return;
  QSortGroupInt(false);
}

void VIduZozezuVodu::QSortGroupIndexed() {
  // Nothing to sort by: the partition would still exchange rows blindly.
  if (FSortIndexes->GetCount() == 0) return;
  QSortGroupInt(true);
}

void VIduZozezuVodu::QUnSort() {
  const int Rows = GetRowCount();
  // A cross-reference of another row count no longer describes these rows.
  if (FSortXRef->GetCount() != Rows) return;
  FSortRef.resize(static_cast<std::size_t>(Rows));
  for (int i = 0; i < Rows; ++i) FSortRef[static_cast<std::size_t>(i)] = FSortXRef->GetInteger(i);
  auto Col0 = SaveSortColumn0();
  BeginUpdate();
  const int SavedCols = FSortCols;
  FSortCols = GetAllColCount();
  TScopeExit Finally([&] {
    FSortCols = SavedCols;
    RestoreSortColumn0(Col0);
    FSortRef.clear();
    EndUpdate();
  });
  // Fixed rows too: they carry their own indices and stay.
  QuickSortRowsRef(0, 0, Rows - 1);
}

void VIduZozezuVodu::QuickSort(int ACol, int ALeft, int ARight) {
  ALeft = std::max(ALeft, 0);
  ARight = std::min(ARight, GetRowCount() - 1);
  TSortFrame F = OpenSortFrame();
  try {
    QuickSortRows(ACol, ALeft, ARight);
  } catch (...) {
    CloseSortFrame(F, false);
    throw;
  }
  CloseSortFrame(F, false);
}

void VIduZozezuVodu::QuickSortIndexed(int ALeft, int ARight) {
  if (FSortIndexes->GetCount() == 0) return;
  ALeft = std::max(ALeft, 0);
  ARight = std::min(ARight, GetRowCount() - 1);
  TSortFrame F = OpenSortFrame();
  try {
    QuickSortRowsIndexed(0, ALeft, ARight);
  } catch (...) {
    CloseSortFrame(F, false);
    throw;
  }
  CloseSortFrame(F, false);
}

void VIduZozezuVodu::Sort(int ACol, TSortDirection ADirection) {
  FSortSettings->Column = ACol;
  FSortSettings->Direction = ADirection;
  QSort();
}

void VIduZozezuVodu::SortByColumn(int ACol) {
  if (GetRowCount() < 2) return;
  FSortSettings->Column = ACol;
  QSort();
}

bool VIduZozezuVodu::SortLine(int ACol, int ARow1, int ARow2) {
  const int Cols = GetAllColCount();
  for (;;) {
    int Res = Compare(ACol, ARow1, ARow2, FSortSettings->Direction);
    if (Res == FSortFactor) {
      SortSwapRows(ARow1, ARow2);
      return true;
    }
    if (Res != 0 || ACol >= Cols - 1) return false;
    ++ACol;
  }
}
