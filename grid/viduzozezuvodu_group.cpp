// Grouping normal rows by one column's values: a node header per run of
// equal values, optional summary rows, the grouped column taken out; and
// the group calculations into headers or summaries.
#include <algorithm>

#include "grid/updatebracket.h"
#include "grid/viduzozezuvodu.h"

namespace {

// Compared before the first row, so that the first row starts a group.
const AnsiString GroupSentinel("\xFF\xFE");

TColor Converted(TColor C, bool ToRGB) { return ToRGB ? static_cast<TColor>(ColorToRGB(C)) : C; }

}  // namespace

void VIduZozezuVodu::ColourGroupRow(int ARow, bool Summary, bool ToRGB) {
  TColor C = Summary ? FGrouping->SummaryColor : FGrouping->HeaderColor;
  TColor CT = Summary ? FGrouping->SummaryColorTo : FGrouping->HeaderColorTo;
  TColor F = Summary ? FGrouping->SummaryTextColor : FGrouping->HeaderTextColor;
  if (C != clNone) SetRowColor(ARow, Converted(C, ToRGB));
  if (CT != clNone) SetRowColorTo(ARow, Converted(CT, ToRGB));
  if (F != clNone) SetRowFontColor(ARow, Converted(F, ToRGB));
}

void VIduZozezuVodu::ColourGroupCell(int ACol, int ARow, bool Summary, bool ToRGB) {
  TColor C = Summary ? FGrouping->SummaryColor : FGrouping->HeaderColor;
  TColor CT = Summary ? FGrouping->SummaryColorTo : FGrouping->HeaderColorTo;
  TColor F = Summary ? FGrouping->SummaryTextColor : FGrouping->HeaderTextColor;
  if (C != clNone) SetColors(ACol, ARow, Converted(C, ToRGB));
  if (CT != clNone) SetColorsTo(ACol, ARow, Converted(CT, ToRGB));
  if (F != clNone) SetFontColors(ACol, ARow, Converted(F, ToRGB));
}

void VIduZozezuVodu::SetGroupColumn(int Value) {
  if (Value == -1)
    UnGroup();
  else if (Value > 0)
    Group(Value);
}

void VIduZozezuVodu::SaveGroupColumn(int ACol) {
  FGroupColumn = ACol;
  FGroupSavedWidth = GetAllColWidths(ACol);
  FGroupSavedHeader = GetFixedRows() > 0 ? GetGridCell(ACol, 0) : AnsiString();
  FGroupSavedFooter = FFixedFooters > 0 ? GetGridCell(ACol, GetRowCount() - 1) : AnsiString();
}

void VIduZozezuVodu::Group(int ACol) {
  if (ACol < GetFixedCols()) return;
  if (FGroupColumn != -1) UnGroup();
  if (GetRowCount() - GetFixedRows() <= 0) return;
  TUpdateBracket<VIduZozezuVodu> U(this);
  SaveGroupColumn(ACol);
  int T = ACol == 1 ? 2 : 1;
  if (FSortSettings->AutoSortForGrouping) {
    FSortSettings->Column = ACol;
    QSort();
  }
  bool Summary = FGrouping->Summary;
  int J = GetFixedRows(), H = -1;
  AnsiString P = GroupSentinel;
  // Closes the group of header H before row J: the previous group's summary
  // row goes in front of H first.
  auto Close = [&] {
    if (H > GetFixedRows() && Summary) {
      InsertRows(H, 1);
      AddSummary(RealRowIndex(H));
      ColourGroupRow(H, true, true);
      AddNode(RealRowIndex(H + 1), J - H);
      ++H;
      ++J;
    } else {
      AddNode(RealRowIndex(H), J - H);
    }
  };
  while (J <= GetRowCount() - FFixedFooters - 1) {
    if (GetGridCell(ACol, J) != P) {
      if (H != -1) Close();
      InsertRows(J, 1);
      SetGridCell(T, J, GetGridCell(ACol, J + 1));
      if (!FGrouping->MergeHeader) ColourGroupRow(J, false, true);
      H = J;
      ++J;
    }
    if (J < GetRowCount() - 1) P = GetGridCell(ACol, J);
    ++J;
  }
  if (H == -1) {
    AddNode(RealRowIndex(GetFixedRows()), J - 1);
  } else {
    Close();
    if (!FGrouping->MergeHeader) ColourGroupRow(H, false, false);
  }
  if (Summary) {
    InsertRows(J, 1);
    AddSummary(RealRowIndex(J));
    if (!FGrouping->MergeSummary) ColourGroupRow(J, true, false);
  }
  RemoveCols(ACol, 1);
  bool MergeSummary = FGrouping->MergeSummary && Summary;
  if (FGrouping->MergeHeader || MergeSummary) {
    // Only the normal rows: footer rows keep their own cells and looks.
    int Last = GetRowCount() - FFixedFooters - 1;
    for (int r = GetFixedRows(); r <= Last; ++r) {
      if (IsNode(r)) {
        if (FGrouping->MergeHeader) {
          MergeCells(1, r, GetColCount() - 1, 1);
          ColourGroupCell(1, r, false, true);
        }
      } else if (MergeSummary && (r == Last || IsNode(r + 1))) {
        MergeCells(1, r, GetColCount() - 1, 1);
        ColourGroupCell(1, r, true, false);
      }
    }
  }
  SetRowEx(GetFixedRows());
}

void VIduZozezuVodu::ResetGroupRowColour(int ARow, bool Summary) {
  TColor C = Summary ? FGrouping->SummaryColor : FGrouping->HeaderColor;
  TColor CT = Summary ? FGrouping->SummaryColorTo : FGrouping->HeaderColorTo;
  if (C != clNone) SetRowColor(ARow, clNone);
  if (CT != clNone) SetRowColorTo(ARow, clNone);
}

void VIduZozezuVodu::UnGroup() {
  if (FGroupColumn == -1) return;
  int GC = FGroupColumn;
  {
    TUpdateBracket<VIduZozezuVodu> U(this);
    ExpandAll();
    int T = GC == 1 ? 2 : 1;
    InsertCols(GC, 1);
    SetAllColWidths(GC, FGroupSavedWidth);
    if (GetFixedRows() > 0) SetGridCell(GC, 0, FGroupSavedHeader);
    if (FFixedFooters > 0) SetGridCell(GC, GetRowCount() - 1, FGroupSavedFooter);
    AnsiString V;
    int I = GetFixedRows();
    while (I <= GetRowCount() - FFixedFooters - 1) {
      if (!IsNode(I)) {
        SetGridCell(GC, I, V);
        ++I;
        continue;
      }
      int SR = I + GetNodeSpan(I);
      if (FGrouping->Summary && SR < GetRowCount() && IsSummary(SR)) {
        if (FGrouping->MergeSummary)
          SplitCells(1, SR);
        else
          ResetGroupRowColour(SR, true);
        ClearRect(0, SR, GetColCount() - 1, SR);
        IRemoveRows(SR, 1, false);
      }
      V = GetGridCell(T, I);
      RemoveNode(RealRowIndex(I));
      ClearPropCell(0, I);
      if (FGrouping->MergeHeader)
        SplitCells(1, I);
      else
        ResetGroupRowColour(I, false);
      ClearRect(0, I, GetColCount() - 1, I);
      IRemoveRows(I, 1, false);
    }
    FGroupColumn = -1;
  }
  Invalidate();
}

void VIduZozezuVodu::SubGroup(int ACol) {
  if (ACol < GetFixedCols()) return;
  TUpdateBracket<VIduZozezuVodu> U(this);
  SaveGroupColumn(ACol);
  int T = ACol + 1;
  auto Plain = [&](int R) { return !IsNode(R) && !IsSummary(R); };
  auto ColourHeader = [&](int R, bool ToRGB) {
    if (FGrouping->MergeHeader) {
      MergeCells(T, R, GetColCount() - T, 1);
      ColourGroupCell(T, R, false, ToRGB);
    } else {
      ColourGroupRow(R, false, ToRGB);
    }
  };
  int I = GetFixedRows() + 1, H = -1;
  AnsiString P = GroupSentinel;
  while (I < GetRowCount() - FFixedFooters) {
    AnsiString V = GetCellEx(ACol, I);
    if (V != P || !Plain(I)) {
      if (H != -1 && Plain(H)) {
        AddNode(RealRowIndex(H), I - H);
        if (TCellGraphic* G = NodeAt(H)) G->CellVariant = ACol;
      }
      if (Plain(I)) {
        InsertChildRow(RealRowIndex(I), false);
        SetCellEx(T, I, V);
        ColourHeader(I, true);
      }
      H = I;
      ++I;
    }
    if (I < GetRowCount() && Plain(I - 1)) {
      P = GetCellEx(ACol, I);
      SetCellEx(ACol, I, "");
      ++I;
    } else {
      P = GroupSentinel;
    }
  }
  if (H == -1 || !IsSummary(H)) {
    if (H == -1) {
      InsertChildRow(RealRowIndex(I), false);
      AddNode(RealRowIndex(I), 2);
      SetCellEx(T, I, GetCellEx(ACol, I + 1));
      ++I;
      SetCellEx(ACol, I, "");
    } else {
      AddNode(RealRowIndex(H), I - H);
      if (TCellGraphic* G = NodeAt(H)) G->CellVariant = ACol;
      ColourHeader(H, false);
    }
    if (I <= GetRowCount() - 1 && Plain(I - 1)) {
      SetCellEx(ACol, I, "");
      ++I;
    }
    if (FGrouping->Summary) {
      InsertRows(I, 1);
      AddSummary(RealRowIndex(I));
      if (FGrouping->MergeSummary) {
        MergeCells(T, I, GetColCount() - T, 1);
        ColourGroupCell(T, I, true, false);
      } else {
        ColourGroupRow(I, true, false);
      }
    }
  }
  SetRowEx(GetFixedRows());
}

void VIduZozezuVodu::SubUnGroup(int ACol) {
  ExpandAll();
  AnsiString V;
  int I = GetFixedRows();
  while (I <= GetRowCount() - FFixedFooters - 1) {
    TCellGraphic* G = NodeAt(I);
    if (!G) {
      SetCellEx(ACol, I, V);
      ++I;
      continue;
    }
    const int* Var = std::get_if<int>(&G->CellVariant);
    if (!Var || *Var != ACol) {
      ++I;
      continue;
    }
    V = GetCellEx(ACol + 1, I);
    RemoveNode(RealRowIndex(I));
    if (FGrouping->MergeHeader)
      SplitCells(ACol + 1, I);
    else
      ResetGroupRowColour(I, false);
    RemoveChildRow(RealRowIndex(I));
  }
}

void VIduZozezuVodu::GroupCalc(int ACol, int Kind) {
  for (int B = GetFixedRows(); B < GetRowCount();) {
    TCellGraphic* G = NodeAt(B);
    if (!G || G->CellBoolean) {
      ++B;
      continue;
    }
    int S = std::max(G->CellIndex, 1);
    int R = FGrouping->Summary ? B + S : B;
    if (R < GetRowCount()) {
      switch (Kind) {
        case 1: SetFloats(ACol, R, ColumnSum(ACol, B + 1, B + S - 1)); break;
        case 2: SetFloats(ACol, R, ColumnAvg(ACol, B + 1, B + S - 1)); break;
        case 3: SetFloats(ACol, R, ColumnMin(ACol, B + 1, B + S - 1)); break;
        case 4: SetFloats(ACol, R, ColumnMax(ACol, B + 1, B + S - 1)); break;
        case 5: SetInts(ACol, R, S - 1); break;
        case 6: SetFloats(ACol, R, ColumnCustomCalc(ACol, B + 1, B + S - 1)); break;
        default: break;
      }
    }
    B += S;
  }
}
