// Inserting and removing rows. Rows move as whole store rows (their texts,
// objects and heights go with them), so an edit costs one pass over the row
// handles whatever the number of columns; the side lists follow in step.
#include <algorithm>
#include <functional>
#include <unordered_set>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

// Runs its action when the scope ends, also when an exception leaves it.
class TScopeExit {
public:
  explicit TScopeExit(std::function<void()> F) : FAction(std::move(F)) {}
  ~TScopeExit() { FAction(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

private:
  std::function<void()> FAction;
};

std::vector<int> RowRange(int ARow, int ACount) {
  std::vector<int> Rows(static_cast<std::size_t>(ACount));
  for (int i = 0; i < ACount; ++i) Rows[static_cast<std::size_t>(i)] = ARow + i;
  return Rows;
}

}  // namespace

void VIduZozezuVodu::TakeRows(const std::vector<int>& Rows, bool Renumber) {
  if (Rows.empty()) return;
  HideInplaceEdit();
  std::vector<int> Real(Rows.size());
  for (std::size_t i = 0; i < Rows.size(); ++i) Real[i] = RemapRowInv(Rows[i]);
  auto Before = [&Real](int Idx) { return static_cast<int>(std::lower_bound(Real.begin(), Real.end(), Idx) - Real.begin()); };
  if (Renumber) {
    // Controls of the removed rows go; the others follow their rows.
    for (int i = FControlList->GetCount() - 1; i >= 0; --i) {
      TControlItem* It = FControlList->GetControl(i);
      if (std::binary_search(Real.begin(), Real.end(), It->Y)) {
        if (It->Control) It->Control->SetVisible(false);
        FControlList->RemoveControl(i);
        if (FCellControlCount > 0) --FCellControlCount;
      } else {
        It->Y -= Before(It->Y);
      }
    }
  }
  // Every later hidden row falls by the removed rows before it.
  FHiddenRows->Renumber([&](int Idx) { return Idx - Before(Idx); });
  int K = static_cast<int>(Rows.size());
  DropRowFlags(Rows);
  FStore.TakeOutRows(Rows);
  SetRowCount(GetRowCount() - K);
  FMaxRowCount = std::max(FMaxRowCount - K, GetRowCount());
  SetDisplayRowLimit(GetRowCount());
  RowHeightsChanged();
}

// ---- insertion ------------------------------------------------------------------------------------

void VIduZozezuVodu::InsertRows(int ARow, int ACount, bool UpdateCellControls) {
  if (ACount <= 0) return;
  ARow = std::clamp(ARow, 0, GetRowCount());
  // The footer row stays the last row.
  if (FFloatingFooter->IsFixedLastRow() && ARow == GetRowCount() && ARow > 0) --ARow;
  if (GetPropertiesCreated() && ARow > 0 && ARow < GetRowCount()) SplitAreasCrossing(0, ARow, GetAllColCount() - 1, ARow);
  int OldCols = GetColCount(), OldRows = GetRowCount();
  // Hidden rows below come back below the new rows.
  int From = RealRowIndex(ARow);
  FHiddenRows->Renumber([=](int Idx) { return Idx >= From ? Idx + ACount : Idx; });
  FStore.InsertRows(ARow, ACount);
  if (FShowModified->Enabled && ARow < FModifiedRows->GetCount())
    for (int i = 0; i < ACount; ++i) FModifiedRows->Insert(ARow, 0);
  SizeChanged(OldCols, OldRows);
  FMaxRowCount = std::max(FMaxRowCount, GetRowCount());
  SetDisplayRowLimit(GetRowCount());
  UpdateScrollBars();
  Invalidate();
  if (UpdateCellControls && FControlList->GetCount() > 0) {
    for (int i = 0; i < FControlList->GetCount(); ++i) {
      TControlItem* It = FControlList->GetControl(i);
      if (It->Y >= From) It->Y += ACount;
    }
    CellControlsUpdate();
  }
  if (!FDestroying) CellsChanged(TGridRect{0, ARow, GetColCount() - 1, ARow + ACount});
}

void VIduZozezuVodu::AddRow() {
  if (FFloatingFooter->GetVisible()) {
    InsertRows(GetRowCount() - 1, 1, true);
    if (FFloatingFooter->GetFooterStyle() == fsFixedLastRow) ClearRows(GetRowCount() - 2, 1);
    return;
  }
  InsertRows(GetRowCount(), 1, true);
  ClearRows(GetRowCount() - 1, 1);
}

// ---- removal --------------------------------------------------------------------------------------

void VIduZozezuVodu::RemoveRows(int ARow, int ACount) {
  if (ARow < 0 || ARow >= GetRowCount() || ACount <= 0) return;
  ACount = std::min(ACount, GetRowCount() - ARow);
  SplitAreasCrossing(0, ARow, GetAllColCount() - 1, ARow + ACount - 1);
  ClearPropRect(0, ARow, GetAllColCount() - 1, ARow + ACount - 1);
  SelectCell(GetCol(), GetRow());
  {
    BeginUpdate();
    int SavedTop = GetTopRow(), SavedRow = GetRow();
    bool FooterVisible = FFloatingFooter->GetVisible();
    int SavedFooters = FFixedFooters;
    if (FooterVisible) FFloatingFooter->SetVisible(false);
    TScopeExit Restore([&] {
      if (FooterVisible) FFloatingFooter->SetVisible(true);
      SetFixedFooters(SavedFooters);
      EndUpdate();
    });
    TakeRows(RowRange(ARow, ACount), true);
    RestoreRowAfterRemoval(SavedRow, SavedTop, false);
  }
  CellsChanged(TGridRect{0, ARow, GetColCount() - 1, ARow + ACount});
  // No empty space below the last row.
  int Vis = GetVisibleRowCount();
  if (GetTopRow() >= GetRowCount() + GetFixedRows() - Vis - 2 && GetRowCount() - Vis - 1 > 0)
    SetTopRow(GetRowCount() + GetFixedRows() - Vis - 2);
  if (FControlList->GetCount() > 0) CellControlsUpdate();
}

void VIduZozezuVodu::RestoreRowAfterRemoval(int SavedRow, int SavedTop, bool HideWhenPast) {
  int Last = GetRowCount() - FFixedFooters;
  if (SavedRow < Last) {
    if (GetRow() != SavedRow) SetRow(SavedRow);
    if (GetTopRow() != SavedTop) SetTopRow(SavedTop);
  } else if (GetFixedRows() < Last) {
    if (GetRow() != Last - 1) SetRow(Last - 1);
    if (HideWhenPast && GetRow() >= GetRowCount()) HideSelection();
  } else {
    HideSelection();
  }
}

void VIduZozezuVodu::RemoveRowsInternal(int ARow, int ACount) {
  if (ARow < 0 || ARow >= GetRowCount() || ACount <= 0) return;
  ACount = std::min(ACount, GetRowCount() - ARow);
  // Hidden columns too: their cells leave with the rows.
  SplitAreasCrossing(0, ARow, GetAllColCount() - 1, ARow + ACount - 1);
  ClearPropRect(0, ARow, GetAllColCount() - 1, ARow + ACount - 1);
  IRemoveRows(ARow, ACount, true);
}

void VIduZozezuVodu::IRemoveRows(int ARow, int ACount, bool Renumber) {
  if (ARow < 0 || ARow >= GetRowCount() || ACount <= 0) return;
  ACount = std::min(ACount, GetRowCount() - ARow);
  RemoveRowSet(RowRange(ARow, ACount), Renumber,
               [&] { CellsChanged(TGridRect{0, ARow, GetColCount() - 1, ARow + ACount}); });
}

void VIduZozezuVodu::RemoveRowSet(const std::vector<int>& Rows, bool Renumber, const std::function<void()>& Notify) {
  int SavedFooters = FFixedFooters;
  bool FooterVisible = FFloatingFooter->GetVisible();
  bool Disjunct = FMouseActions->GetDisjunctRowSelect();
  bool RowSelectTaken = false;
  SetFixedFooters(0);
  if (FooterVisible) {
    BeginUpdate();
    FFloatingFooter->SetVisible(false);
  }
  if (Disjunct) FMouseActions->SetDisjunctRowSelect(false);
  TScopeExit RestoreOuter([&] {
    if (RowSelectTaken) SetOptions(GetOptions() | goRowSelect);
    if (Disjunct) FMouseActions->SetDisjunctRowSelect(true);
    if (FooterVisible) {
      FFloatingFooter->SetVisible(true);
      EndUpdate();
    }
    if (FControlList->GetCount() > 0) CellControlsUpdate();
    SetFixedFooters(SavedFooters);
  });
  {
    BeginUpdate();
    TScopeExit RestoreInner([&] { EndUpdate(); });
    int SavedTop = GetTopRow(), SavedRow = GetRow();
    if ((GetOptions() & goRowSelect) && GetFixedRows() < GetRowCount() - 1) {
      SetOptions(GetOptions() & ~static_cast<TGridOptions>(goRowSelect));
      RowSelectTaken = true;
    }
    if (HasNodes() && GetRow() < GetRowCount()) SetCol(GetFixedCols());
    TakeRows(Rows, Renumber);
    RestoreRowAfterRemoval(SavedRow, SavedTop, true);
  }
  Notify();
  if (GetTopRow() >= GetRowCount() - 1) SetTopRow(GetRowCount() - 1);
  if (GetRow() >= GetRowCount() && GetFixedRows() < GetRowCount()) {
    FocusCell(GetFixedCols(), GetFixedRows(), true);
    HideSelection();
  }
}

void VIduZozezuVodu::RemoveRowList(const std::vector<int>& Rows, bool TopDown) {
  if (Rows.empty()) return;
  int Cols = GetAllColCount();
  for (int r : Rows) {
    SplitAreasCrossing(0, r, Cols - 1, r);
    ClearPropRect(0, r, Cols - 1, r);
  }
  // The notifications name each row where the one-by-one removal met it.
  RemoveRowSet(Rows, true, [&] {
    int ColsNow = GetColCount() - 1, K = static_cast<int>(Rows.size());
    for (int i = 0; i < K; ++i) {
      int R = TopDown ? Rows[static_cast<std::size_t>(i)] - i : Rows[static_cast<std::size_t>(K - 1 - i)];
      CellsChanged(TGridRect{0, R, ColsNow, R + 1});
    }
  });
}

void VIduZozezuVodu::RemoveRowsEx(int ARow, int ACount) {
  if (ARow < 0 || ARow >= GetRowCount() || ACount <= 0) return;
  ACount = std::min(ACount, GetRowCount() - ARow);
  {
    BeginUpdate();
    TScopeExit Restore([&] { EndUpdate(); });
    int SavedTop = GetTopRow(), SavedRow = GetRow();
    TakeRows(RowRange(ARow, ACount), false);
    if (SavedRow < GetRowCount()) {
      if (GetRow() != SavedRow) SetRow(SavedRow);
      if (GetTopRow() != SavedTop) SetTopRow(SavedTop);
    } else if (GetFixedRows() < GetRowCount()) {
      SetRow(GetFixedRows());
      SetTopRow(GetFixedRows());
    }
  }
  CellsChanged(TGridRect{0, ARow, GetColCount() - 1, ARow + ACount});
}

void VIduZozezuVodu::RemoveDuplicates(int ACol, bool CaseSensitive) {
  int C = RemapCol(ACol);
  BeginUpdate();
  TScopeExit Restore([&] { EndUpdate(); });
  // Texts differing only in case count as one whatever CaseSensitive says:
  // the list of seen texts ignores case.
  (void)CaseSensitive;
  std::unordered_set<AnsiString> Seen;
  std::vector<int> Dups;
  int Last = GetRowCount() - FFixedFooters;
  for (int r = GetFixedRows(); r < Last; ++r)
    if (!Seen.insert(AnsiUpperCase(GetCellEx(C, r))).second) Dups.push_back(r);
  RemoveRowList(Dups, true);
}
