// Edits that act on the selection: the disjunct row or column flags when
// those modes are on, the selection rectangle otherwise. Many rows go in one
// pass over the store, reported as the one-by-one removals would be.
#include <algorithm>
#include <vector>

#include "grid/updatebracket.h"
#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::ClearSelection() {
  int Last = GetRowCount() - FFixedFooters;
  if (FMouseActions->GetDisjunctRowSelect()) {
    for (int r = GetFixedRows(); r < Last; ++r)
      if (RowFlagAt(r)) ClearRows(r, 1);
  } else if (FMouseActions->GetDisjunctColSelect()) {
    for (int c = GetFixedCols(); c < GetColCount() - FFixedRightCols; ++c)
      if (GetColSelect(c)) ClearCols(RemapCol(c), 1);
  } else {
    TGridRect S = GetSelection();
    ClearRect(RemapCol(S.Left), S.Top, RemapCol(S.Right), S.Bottom);
  }
}

void VIduZozezuVodu::RemoveSelectedRows() {
  TUpdateBracket<VIduZozezuVodu> U(this);
  std::vector<int> Rows;
  if (FMouseActions->GetDisjunctRowSelect()) {
    for (int r = GetFixedRows(); r < GetRowCount() - FFixedFooters; ++r)
      if (RowFlagAt(r)) Rows.push_back(r);
    RemoveRowList(Rows, false);
    ClearRowSelect();
    return;
  }
  TGridRect S = GetSelection();
  for (int r = std::min(S.Top, S.Bottom); r <= std::max(S.Top, S.Bottom) && r < GetRowCount(); ++r) Rows.push_back(r);
  RemoveRowList(Rows, false);
}

void VIduZozezuVodu::RemoveUnSelectedRows() {
  TUpdateBracket<VIduZozezuVodu> U(this);
  std::vector<int> Rows;
  for (int r = GetFixedRows(); r < GetRowCount() - FFixedFooters; ++r)
    if (!RowFlagAt(r)) Rows.push_back(r);
  RemoveRowList(Rows, true);
}

void VIduZozezuVodu::HideSelectedRows() {
  TUpdateBracket<VIduZozezuVodu> U(this);
  // Which rows go is decided before any of them is hidden.
  std::vector<int> Rows;
  for (int r = GetFixedRows(); r < GetRowCount() - FFixedFooters; ++r)
    if (RowFlagAt(r)) Rows.push_back(r);
  if (Rows.empty()) return;
  HideInplaceEdit();
  HideDisplayedRows(Rows, hkRange);
}

void VIduZozezuVodu::HideUnSelectedRows() {
  TUpdateBracket<VIduZozezuVodu> U(this);
  std::vector<int> Rows;
  for (int r = GetFixedRows(); r < GetRowCount() - FFixedFooters; ++r)
    if (!RowFlagAt(r)) Rows.push_back(r);
  if (Rows.empty()) return;
  HideInplaceEdit();
  HideDisplayedRows(Rows, hkRange);
}

void VIduZozezuVodu::RemoveSelectedCols() {
  if (FMouseActions->GetDisjunctColSelect()) {
    for (int c = GetColCount() - 1; c >= GetFixedCols(); --c)
      if (GetColSelect(c)) {
        RemoveCols(RemapCol(c), 1);
        FColSelectFlags.erase(FColSelectFlags.begin() + c);
      }
    return;
  }
  TGridRect S = GetSelection();
  int L = std::min(S.Left, S.Right), R = std::max(S.Left, S.Right);
  RemoveCols(RemapCol(L), R - L + 1);
}

void VIduZozezuVodu::RemoveUnSelectedCols() {
  if (FMouseActions->GetDisjunctColSelect()) {
    for (int c = GetColCount() - 1; c >= GetFixedCols(); --c)
      if (!GetColSelect(c)) {
        RemoveCols(RemapCol(c), 1);
        FColSelectFlags.erase(FColSelectFlags.begin() + c);
      }
  } else {
    TGridRect S = GetSelection();
    int L = std::min(S.Left, S.Right), R = std::max(S.Left, S.Right);
    if (R + 1 < GetColCount()) RemoveCols(RemapCol(R + 1), GetColCount() - R - 1);
    if (L > GetFixedCols()) RemoveCols(RemapCol(GetFixedCols()), L - GetFixedCols());
  }
  ClearColSelect();
}
