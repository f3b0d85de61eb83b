// The disjunct row and column selection, the modified-row flags and the
// small repaint operations the whole grid uses.
#include <algorithm>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/windows/winuser.h"

namespace {

bool Between(int V, int A, int B) { return V >= std::min(A, B) && V <= std::max(A, B); }

void Grow(std::vector<char>& Flags, int Size) {
  if (static_cast<int>(Flags.size()) < Size) Flags.resize(static_cast<std::size_t>(Size), 0);
}

// Keeps the entries whose index is not in the ascending list Drop.
template <class Get, class Put>
int Compact(int Count, const std::vector<int>& Drop, Get get, Put put) {
  int W = 0;
  std::size_t D = 0;
  for (int i = 0; i < Count; ++i) {
    while (D < Drop.size() && Drop[D] < i) ++D;
    if (D < Drop.size() && Drop[D] == i) continue;
    put(W++, get(i));
  }
  return W;
}

}  // namespace

// ---- range selection ----------------------------------------------------------------------------

void VIduZozezuVodu::SetSelectionEx(const TGridRect& Value) {
  SetSelection(Value);
  if (FActiveCellShow) {
    RepaintRow(0);
    RepaintCol(0);
  }
}

void VIduZozezuVodu::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
  SetRowEx(ToRow);
  SetCol(ToCol);
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

// ---- disjunct rows ------------------------------------------------------------------------------

static void CheckRowIndex(int ARow, int Limit) {
  if (ARow < 0 || ARow >= Limit) throw EDidAvovError("Invalid row accessed");
}

bool VIduZozezuVodu::GetRowSelect(int ARow) {
  CheckRowIndex(ARow, GetAllRowCount());
  if (FMouseActions->GetDisjunctRowSelect()) {
    Grow(FRowSelectFlags, ARow + 1);
    return FRowSelectFlags[static_cast<std::size_t>(ARow)] != 0;
  }
  TGridRect S = GetSelection();
  return Between(ARow, S.Top, S.Bottom);
}

void VIduZozezuVodu::SetRowSelect(int ARow, bool Value) {
  CheckRowIndex(ARow, GetAllRowCount());
  bool Allow = true;
  if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, Allow);
  if (!Allow) return;
  Grow(FRowSelectFlags, ARow + 1);
  char& F = FRowSelectFlags[static_cast<std::size_t>(ARow)];
  // The flag and membership of the list go together.
  if (Value && !F) {
    RepaintRow(ARow);
    F = 1;
    FSelectedRows->Add(ARow);
  } else if (!Value && F) {
    RepaintRow(ARow);
    F = 0;
    FSelectedRows->DeleteValue(ARow);
  }
  if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

void VIduZozezuVodu::SelectRows(int RowIndex, int RCount) {
  if (!FMouseActions->GetDisjunctRowSelect()) {
    SetSelection(TGridRect{GetFixedColsEx(), RowIndex, GetColCount() - 1, RowIndex + RCount - 1});
    return;
  }
  for (int i = RowIndex; i < RowIndex + RCount; ++i) {
    int R = FMouseActions->RowSelectPersistent ? RemapRowInv(i) : i;
    if (R < GetRowCount()) SetRowSelect(R, true);
  }
}

void VIduZozezuVodu::UnSelectRows(int RowIndex, int RCount) {
  if (!FMouseActions->GetDisjunctRowSelect()) return;
  for (int i = RowIndex; i < RowIndex + RCount; ++i) {
    int R = FMouseActions->RowSelectPersistent ? RemapRowInv(i) : i;
    if (R < GetRowCount()) SetRowSelect(R, false);
  }
}

void VIduZozezuVodu::ClearRowSelect() {
  for (std::size_t i = 0; i < FRowSelectFlags.size(); ++i)
    if (FRowSelectFlags[i]) {
      RepaintRow(static_cast<int>(i));
      FRowSelectFlags[i] = 0;
    }
  FSelectedRows->Clear();
}

void VIduZozezuVodu::SelectToRowSelect(bool All) {
  TGridRect S = GetSelection();
  for (int r = GetFixedRowsEx(); r < GetRowCount(); ++r) {
    bool In = Between(r, S.Top, S.Bottom);
    if (!All && !In) continue;
    SetRowSelect(FMouseActions->RowSelectPersistent ? RemapRowInv(r) : r, In);
  }
}

int VIduZozezuVodu::GetRowSelectCount() {
  if (FMouseActions->GetDisjunctRowSelect()) {
    auto N = std::min<std::size_t>(static_cast<std::size_t>(GetAllRowCount()), FRowSelectFlags.size());
    return static_cast<int>(std::count(FRowSelectFlags.begin(), FRowSelectFlags.begin() + static_cast<long>(N), 1));
  }
  TGridRect S = GetSelection();
  return std::abs(S.Bottom - S.Top) + 1;
}

bool VIduZozezuVodu::RowFlagAt(int ARow) {
  return GetRowSelect(FMouseActions->RowSelectPersistent ? RemapRowInv(ARow) : ARow);
}

void VIduZozezuVodu::DropRowFlags(const std::vector<int>& Rows) {
  auto N = Compact(
      static_cast<int>(FRowSelectFlags.size()), Rows, [&](int i) { return FRowSelectFlags[static_cast<std::size_t>(i)]; },
      [&](int i, char V) { FRowSelectFlags[static_cast<std::size_t>(i)] = V; });
  FRowSelectFlags.resize(static_cast<std::size_t>(N));
  if (FSelectedRows->GetCount() > 0) {
    // Rebuilt from the flags, the rows that stayed renumbered.
    std::vector<int> Kept;
    for (int i = 0; i < FSelectedRows->GetCount(); ++i) {
      int R = FSelectedRows->GetInteger(i);
      auto It = std::lower_bound(Rows.begin(), Rows.end(), R);
      if (It != Rows.end() && *It == R) continue;
      Kept.push_back(R - static_cast<int>(It - Rows.begin()));
    }
    FSelectedRows->Clear();
    for (int R : Kept) FSelectedRows->Add(R);
  }
  if (FModifiedRows->GetCount() > 0) {
    std::vector<int> V(static_cast<std::size_t>(FModifiedRows->GetCount()));
    int M = Compact(
        FModifiedRows->GetCount(), Rows, [&](int i) { return FModifiedRows->GetInteger(i); },
        [&](int i, int X) { V[static_cast<std::size_t>(i)] = X; });
    FModifiedRows->Clear();
    for (int i = 0; i < M; ++i) FModifiedRows->Add(V[static_cast<std::size_t>(i)]);
  }
}

// ---- disjunct columns ---------------------------------------------------------------------------

static void CheckColIndex(int ACol, int Limit) {
  if (ACol < 0 || ACol >= Limit) throw EDidAvovError("Invalid column accessed");
}

bool VIduZozezuVodu::GetColSelect(int ACol) {
  CheckColIndex(ACol, GetColCount());
  Grow(FColSelectFlags, ACol + 1);
  return FColSelectFlags[static_cast<std::size_t>(ACol)] != 0;
}

void VIduZozezuVodu::SetColSelect(int ACol, bool Value) {
  CheckColIndex(ACol, GetColCount());
  Grow(FColSelectFlags, ACol + 1);
  char& F = FColSelectFlags[static_cast<std::size_t>(ACol)];
  if (static_cast<bool>(F) != Value) RepaintCol(ACol);
  F = Value ? 1 : 0;
}

void VIduZozezuVodu::SelectCols(int ColIndex, int CCount) {
  if (!FMouseActions->GetDisjunctColSelect()) {
    SetSelection(TGridRect{ColIndex, GetFixedRowsEx(), ColIndex + CCount - 1, GetRowCount() - 1});
    return;
  }
  for (int i = ColIndex; i < ColIndex + CCount && i < GetColCount(); ++i) SetColSelect(i, true);
}

void VIduZozezuVodu::UnSelectCols(int ColIndex, int CCount) {
  if (!FMouseActions->GetDisjunctColSelect()) return;
  for (int i = ColIndex; i < ColIndex + CCount && i < GetColCount(); ++i) SetColSelect(i, false);
}

void VIduZozezuVodu::ClearColSelect() {
  for (std::size_t i = 0; i < FColSelectFlags.size(); ++i)
    if (FColSelectFlags[i]) {
      RepaintCol(static_cast<int>(i));
      FColSelectFlags[i] = 0;
    }
}

void VIduZozezuVodu::SelectToColSelect(bool All) {
  TGridRect S = GetSelection();
  for (int c = GetFixedColsEx(); c < GetColCount(); ++c) {
    bool In = Between(c, S.Left, S.Right);
    if (All || In) SetColSelect(c, In);
  }
}

int VIduZozezuVodu::GetColSelectCount() {
  if (FMouseActions->GetDisjunctColSelect())
    return static_cast<int>(std::count(FColSelectFlags.begin(), FColSelectFlags.end(), 1));
  TGridRect S = GetSelection();
  return S.Right - S.Left + 1;
}

// ---- modified rows ------------------------------------------------------------------------------

bool VIduZozezuVodu::GetRowModified(int ARow) const {
  return ARow >= 0 && ARow < FModifiedRows->GetCount() && FModifiedRows->GetInteger(ARow) == 1;
}

void VIduZozezuVodu::SetRowModified(int ARow, bool Value) {
  if (ARow < 0) return;
  while (FModifiedRows->GetCount() <= ARow) FModifiedRows->Add(0);
  FModifiedRows->SetInteger(ARow, Value ? 1 : 0);
  RepaintCell(0, ARow);
}

int VIduZozezuVodu::ModifiedRowCount() const {
  int N = 0;
  for (int i = 0; i < FModifiedRows->GetCount(); ++i) N += FModifiedRows->GetInteger(i) == 1;
  return N;
}

// ---- repaints -----------------------------------------------------------------------------------

void VIduZozezuVodu::RepaintCell(int ACol, int ARow) {
  if (!HandleAllocated() || ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return;
  TRect R = CellRect(ACol, ARow);
  InvalidateRect(GetHandle(), &R, TRUE);
}

void VIduZozezuVodu::RepaintRow(int ARow) {
  if (!HandleAllocated()) return;
  if (ARow < 0 || ARow >= GetRowCount() || GetColCount() == 0) return;
  // The column after the last visible one, or the last column.
  TRect A = CellRect(0, ARow), B = CellRect(std::min(GetLeftCol() + GetVisibleColCount(), GetColCount() - 1), ARow);
  TRect R(A.left, A.top, B.right, A.bottom);
  InvalidateRect(GetHandle(), &R, FALSE);
}

void VIduZozezuVodu::RepaintCol(int ACol) {
  if (!HandleAllocated()) return;
  if (ACol < 0 || ACol >= GetColCount() || GetRowCount() == 0) return;
  TRect A = CellRect(ACol, GetTopRow()), B = CellRect(ACol, std::min(GetTopRow() + GetVisibleRowCount(), GetRowCount() - 1));
  TRect R(A.left, A.top, A.right, B.bottom);
  InvalidateRect(GetHandle(), &R, FALSE);
}

void VIduZozezuVodu::RepaintRect(const TGridRect& G) {
  if (G.Left < 0 || G.Top < 0 || G.Right < 0 || G.Bottom < 0) return;
  if (G.Right >= GetColCount() || G.Bottom >= GetRowCount()) {
    Invalidate();
    return;
  }
  TRect A = CellRect(G.Left, G.Top), B = CellRect(G.Right, G.Bottom);
  if (IsRectEmpty(&A) || IsRectEmpty(&B) || !HandleAllocated()) {
    Invalidate();
    return;
  }
  TRect R;
  UnionRect(&R, &A, &B);
  InvalidateRect(GetHandle(), &R, TRUE);
}

void VIduZozezuVodu::UpdateActiveCells(int ACol1, int ARow1, int ACol2, int ARow2) {
  if (GetFixedRows() > 0) {
    RepaintCell(ACol1, GetFixedRows() - 1);
    RepaintCell(ACol2, GetFixedRows() - 1);
  }
  if (GetFixedCols() > 0) {
    RepaintCell(GetFixedCols() - 1, ARow1);
    RepaintCell(GetFixedCols() - 1, ARow2);
  }
}

void VIduZozezuVodu::SwapCells(TPoint A, TPoint B) {
  AnsiString T = GetGridCell(A.x, A.y);
  SetGridCell(A.x, A.y, GetGridCell(B.x, B.y));
  SetGridCell(B.x, B.y, T);
  TObject* O = GetGridObject(A.x, A.y);
  SetGridObject(A.x, A.y, GetGridObject(B.x, B.y));
  SetGridObject(B.x, B.y, O);
}
