// Column edits and the merging and splitting of runs of equal cells.
#include <algorithm>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

VIduZozezuVodu::TColumnLayout VIduZozezuVodu::ReadColumnLayout() const {
  TColumnLayout L;
  for (int c = 0, d = 0; c < GetAllColCount(); ++c) {
    bool Vis = !IsHiddenColumn(c);
    L.Visible.push_back(Vis);
    L.Widths.push_back(Vis ? GetColWidths(d++) : FSavedWidths[static_cast<std::size_t>(c)]);
  }
  return L;
}

void VIduZozezuVodu::ApplyColumnLayout(const TColumnLayout& L) {
  const std::vector<int>& Widths = L.Widths;
  const std::vector<bool>& Visible = L.Visible;
  int Total = static_cast<int>(Visible.size());
  // Columns past the visibility table count as visible.
  int Hidden = 0;
  for (int c = 0; c <= MaxRemapCol; ++c) {
    FVisibleCols[static_cast<std::size_t>(c)] = c >= Total || c >= MaxRemapCol || Visible[static_cast<std::size_t>(c)];
    if (!FVisibleCols[static_cast<std::size_t>(c)]) ++Hidden;
  }
  FHiddenCols = Hidden;
  SetColCountEx(std::max(Total - Hidden, 1));
  for (int c = 0, d = 0; c < Total; ++c) {
    int W = Widths[static_cast<std::size_t>(c)];
    if (IsHiddenColumn(c))
      FSavedWidths[static_cast<std::size_t>(c)] = W;
    else if (d < GetColCount())
      SetColWidths(d++, W);
  }
  Invalidate();
}

void VIduZozezuVodu::InsertCols(int ACol, int ACount) {
  int Total = GetAllColCount();
  if (ACount <= 0 || ACol < 0) return;
  ACol = std::min(ACol, Total);
  if (GetPropertiesCreated() && ACol > 0 && ACol < Total) SplitAreasCrossing(ACol, 0, Total - 1, GetRowCount() - 1);
  TColumnLayout L = ReadColumnLayout();
  int OldVisible = GetColCount();
  FStore.SetColCount(Total);
  FStore.InsertCols(ACol, ACount);
  FStore.SetColCount(OldVisible);
  L.Widths.insert(L.Widths.begin() + ACol, static_cast<std::size_t>(ACount), GetDefaultColWidth());
  L.Visible.insert(L.Visible.begin() + ACol, static_cast<std::size_t>(ACount), true);
  for (int i = 0; i < FControlList->GetCount(); ++i)
    if (TControlItem* It = FControlList->GetControl(i); It->X >= ACol) It->X += ACount;
  ApplyColumnLayout(L);
}

void VIduZozezuVodu::RemoveCols(int ACol, int ACount) {
  int Total = GetAllColCount();
  if (ACol < 0 || ACol >= Total || ACount <= 0) return;
  ACount = std::min(ACount, Total - ACol);
  ClearCols(ACol, ACount);
  TColumnLayout L = ReadColumnLayout();
  int OldVisible = GetColCount();
  FStore.SetColCount(Total);
  FStore.DeleteCols(ACol, ACount);
  FStore.SetColCount(OldVisible);
  L.Widths.erase(L.Widths.begin() + ACol, L.Widths.begin() + ACol + ACount);
  L.Visible.erase(L.Visible.begin() + ACol, L.Visible.begin() + ACol + ACount);
  for (int i = FControlList->GetCount() - 1; i >= 0; --i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It->X >= ACol + ACount) {
      It->X -= ACount;
    } else if (It->X >= ACol) {
      if (It->Control) It->Control->SetVisible(false);
      FControlList->RemoveControl(i);
      if (FCellControlCount > 0) --FCellControlCount;
    }
  }
  ApplyColumnLayout(L);
  CellsChanged(TGridRect{ACol, 0, ACol + ACount, GetRowCount() - 1});
}

void VIduZozezuVodu::MergeCols(int ACol1, int ACol2, const AnsiString& Separator) {
  for (int r = GetFixedRows(); r < GetRowCount(); ++r)
    SetCellEx(ACol1, r, Trim(GetCellEx(ACol1, r) + Separator + GetCellEx(ACol2, r)));
  RemoveCols(ACol2, 1);
}

// ---- merging and splitting runs -------------------------------------------------------------------

void VIduZozezuVodu::MergeColumnCells(int ACol, bool MainMerge) {
  int Last = GetRowCount() - FFixedFooters - 1;
  for (int r = GetFixedRows(); r <= Last;) {
    AnsiString Text = GetCellEx(ACol, r);
    int e = r;
    while (e < Last && GetCellEx(ACol, e + 1) == Text && (MainMerge || RowSpanIdentical(e, e + 1))) ++e;
    if (e > r) {
      SplitAreasCrossing(ACol, r, ACol, e);
      MergeCells(ACol, r, 1, e - r + 1);
    }
    r = e + 1;
  }
}

void VIduZozezuVodu::MergeRowCells(int ARow, bool MainMerge) {
  int Last = GetColCount() - FFixedRightCols - 1;
  for (int c = GetFixedCols(); c <= Last;) {
    AnsiString Text = GetCellEx(c, ARow);
    int e = c;
    while (e < Last && GetCellEx(e + 1, ARow) == Text && (MainMerge || ColSpanIdentical(e, e + 1))) ++e;
    // A single cell stays as it is.
    if (e > c) {
      SplitAreasCrossing(c, ARow, e, ARow);
      MergeCells(c, ARow, e - c + 1, 1);
    }
    c = e + 1;
  }
}

void VIduZozezuVodu::SplitColumnCells(int ACol) {
  for (int r = 0; r <= GetRowCount() - FFixedFooters - 2;) {
    if (IsYMergedCell(ACol, r)) {
      TGridRect A = FullCell(ACol, r);
      SplitCells(ACol, r);
      r = A.Bottom + 1;
    } else {
      ++r;
    }
  }
}

void VIduZozezuVodu::SplitRowCells(int ARow) {
  for (int c = 0; c <= GetColCount() - FFixedRightCols - 2;) {
    if (IsMergedCell(c, ARow)) {
      TGridRect A = FullCell(c, ARow);
      SplitCells(c, ARow);
      c = A.Right + 1;
    } else {
      ++c;
    }
  }
}

void VIduZozezuVodu::SplitAllCells() {
  if (!GetPropertiesCreated()) return;
  for (int r = 0; r < GetRowCount(); ++r)
    for (int c = 0; c < GetColCount(); ++c)
      if (IsMergedCell(c, r)) SplitCells(c, r);
}
