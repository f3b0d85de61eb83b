// Grouping normal rows by one column's values: a node header per run of
// equal values, optional summary rows, the grouped column taken out; and
// the group calculations into headers or summaries.
#include <algorithm>
#include <utility>
#include <vector>

#include "grid/updatebracket.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

// Compared before the first row, so that the first row starts a group.
const AnsiString GroupSentinel("\xFF\xFE");

TColor Converted(TColor C, bool ToRGB) { return ToRGB ? static_cast<TColor>(ColorToRGB(C)) : C; }

// The nodes around the walked row, innermost last, each counting the rows
// added or taken inside it; a node is done once the walk passes its end
// (real rows), and what it counted counts for the node around it too.
class TEnclosingNodes {
public:
  void Leave(int RealRow) {
    while (!FOpen.empty() && FOpen.back().End <= RealRow) Pop();
  }
  void Enter(int Row, int RealEnd) { FOpen.push_back({Row, RealEnd, 0}); }
  void Count() {
    if (!FOpen.empty()) ++FOpen.back().Count;
  }
  bool Empty() const { return FOpen.empty(); }
  int Innermost() const { return FOpen.back().Row; }
  // Node rows with their counts, for the nodes that counted any.
  const std::vector<std::pair<int, int>>& Finish() {
    while (!FOpen.empty()) Pop();
    return FDone;
  }

private:
  struct TOpen {
    int Row, End, Count;
  };
  void Pop() {
    TOpen O = FOpen.back();
    FOpen.pop_back();
    if (O.Count == 0) return;
    if (!FOpen.empty()) FOpen.back().Count += O.Count;
    FDone.emplace_back(O.Row, O.Count);
  }
  std::vector<TOpen> FOpen;
  std::vector<std::pair<int, int>> FDone;
};

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

void VIduZozezuVodu::InsertRowList(const std::vector<int>& Positions) {
  if (Positions.empty()) return;
  const int K = static_cast<int>(Positions.size());
  const int OldCols = GetColCount(), OldRows = GetRowCount();
  // Each new row goes in front of this row of the grid as it was.
  std::vector<int> Old(Positions.size()), FromReal(Positions.size());
  for (int i = 0; i < K; ++i) {
    Old[static_cast<std::size_t>(i)] = Positions[static_cast<std::size_t>(i)] - i;
    FromReal[static_cast<std::size_t>(i)] = RealRowIndex(Old[static_cast<std::size_t>(i)]);
  }
  if (GetPropertiesCreated())
    for (int R : Old)
      if (R > 0 && R < OldRows) SplitAreasCrossing(0, R, GetAllColCount() - 1, R);
  auto Before = [&FromReal](int Idx) {
    return static_cast<int>(std::upper_bound(FromReal.begin(), FromReal.end(), Idx) - FromReal.begin());
  };
  // Hidden rows below come back below the new rows.
  for (int i = 0; i < FHiddenRows->GetCount(); ++i)
    if (TGridItem* It = FHiddenRows->Item(i); int B = Before(It->GetIdx())) It->SetIdx(It->GetIdx() + B);
  FStore.OpenRows(Positions);
  if (FShowModified->Enabled && FModifiedRows->GetCount() > 0) {
    std::vector<int> Flags;
    std::size_t p = 0, k = 0, N = static_cast<std::size_t>(FModifiedRows->GetCount());
    while (p < N || (k < Old.size() && Old[k] < static_cast<int>(N))) {
      if (k < Old.size() && Old[k] == static_cast<int>(p) && Old[k] < static_cast<int>(N)) {
        Flags.push_back(0);
        ++k;
      } else {
        Flags.push_back(FModifiedRows->GetInteger(static_cast<int>(p++)));
      }
    }
    FModifiedRows->Clear();
    for (int F : Flags) FModifiedRows->Add(F);
  }
  SizeChanged(OldCols, OldRows);
  FMaxRowCount = std::max(FMaxRowCount, GetRowCount());
  SetDisplayRowLimit(GetRowCount());
  UpdateScrollBars();
  Invalidate();
  if (FControlList->GetCount() > 0) {
    for (int i = 0; i < FControlList->GetCount(); ++i) {
      TControlItem* It = FControlList->GetControl(i);
      It->Y += Before(It->Y);
    }
    CellControlsUpdate();
  }
  if (!FDestroying) CellsChanged(TGridRect{0, Positions.front(), GetColCount() - 1, GetRowCount() - 1});
}

void VIduZozezuVodu::MoveNodeColumn(int From, int To) {
  for (int r = 0; r < GetRowCount(); ++r) {
    TCellProperties* P = PropsOf(From, r);
    if (!P) continue;
    auto* G = dynamic_cast<TCellGraphic*>(P->GraphicObject);
    bool Marker = G && (G->CellType == ctNode || G->CellType == ctSummary);
    if (!Marker && P->NodeLevel == 0) continue;
    TCellProperties* Q = GetCellProperties(To, r);
    if (Marker) {
      Q->GraphicObject = P->GraphicObject;
      P->GraphicObject = nullptr;
    }
    Q->NodeLevel = P->NodeLevel;
    P->NodeLevel = 0;
  }
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
  const bool Summary = FGrouping->Summary;
  const int First = GetFixedRows(), Last = GetRowCount() - FFixedFooters - 1;
  // A group starts wherever the value differs from the row before; the
  // first row is compared with the sentinel.
  std::vector<int> Starts;
  {
    const AnsiString* Prev = &GroupSentinel;
    for (int r = First; r <= Last; ++r) {
      const AnsiString& V = FStore.CellText(ACol, r);
      if (V != *Prev) Starts.push_back(r);
      Prev = &V;
    }
  }
  const int G = static_cast<int>(Starts.size());
  const int Step = Summary ? 2 : 1;
  // Headers (and summaries after each group) all go in at once: row by row
  // insertion would move the rows below once per group.
  std::vector<int> Positions;
  Positions.reserve(static_cast<std::size_t>(G * Step + 1));
  std::vector<int> Headers(static_cast<std::size_t>(G)), Spans(static_cast<std::size_t>(G));
  for (int g = 0; g < G; ++g) {
    int End = g + 1 < G ? Starts[static_cast<std::size_t>(g + 1)] - 1 : Last;
    int H = Starts[static_cast<std::size_t>(g)] + g * Step;
    int Span = End - Starts[static_cast<std::size_t>(g)] + 2;
    Headers[static_cast<std::size_t>(g)] = H;
    Spans[static_cast<std::size_t>(g)] = Span;
    Positions.push_back(H);
    if (Summary) Positions.push_back(H + Span);
  }
  if (G == 0 && Summary) Positions.push_back(Last + 1);
  InsertRowList(Positions);
  if (G == 0) {
    AddNode(RealRowIndex(First), Last);
    if (Summary) {
      AddSummary(RealRowIndex(Last + 1));
      if (!FGrouping->MergeSummary) ColourGroupRow(Last + 1, true, false);
    }
  }
  for (int g = 0; g < G; ++g) {
    int H = Headers[static_cast<std::size_t>(g)], Span = Spans[static_cast<std::size_t>(g)];
    bool LastGroup = g == G - 1;
    SetGridCell(T, H, GetGridCell(ACol, H + 1));
    // The last header and summary keep their colours as set, the others as RGB.
    if (!FGrouping->MergeHeader) ColourGroupRow(H, false, !LastGroup);
    AddNode(RealRowIndex(H), Span);
    if (!Summary) continue;
    AddSummary(RealRowIndex(H + Span));
    if (!LastGroup)
      ColourGroupRow(H + Span, true, true);
    else if (!FGrouping->MergeSummary)
      ColourGroupRow(H + Span, true, false);
  }
  // Grouping by column 0 takes the column with the node glyphs: they stay
  // in the column that becomes column 0.
  if (ACol == 0) MoveNodeColumn(0, 1);
  RemoveCols(ACol, 1);
  bool MergeSummary = FGrouping->MergeSummary && Summary;
  if (FGrouping->MergeHeader || MergeSummary) {
    // Only the normal rows: footer rows keep their own cells and looks.
    int LastNow = GetRowCount() - FFixedFooters - 1;
    for (int r = GetFixedRows(); r <= LastNow; ++r) {
      if (IsNode(r)) {
        if (FGrouping->MergeHeader) {
          MergeCells(1, r, GetColCount() - 1, 1);
          ColourGroupCell(1, r, false, true);
        }
      } else if (MergeSummary && (r == LastNow || IsNode(r + 1))) {
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
    if (GC == 0) MoveNodeColumn(1, 0);
    SetAllColWidths(GC, FGroupSavedWidth);
    if (GetFixedRows() > 0) SetGridCell(GC, 0, FGroupSavedHeader);
    if (FFixedFooters > 0) SetGridCell(GC, GetRowCount() - 1, FGroupSavedFooter);
    // Headers and summaries are emptied in the walk and removed together
    // after it: one pass over the grid whatever the number of groups.
    std::vector<int> Gone;
    std::vector<char> Skip(static_cast<std::size_t>(GetRowCount()), 0);
    AnsiString V;
    const int Last = GetRowCount() - FFixedFooters - 1;
    for (int I = GetFixedRows(); I <= Last; ++I) {
      if (Skip[static_cast<std::size_t>(I)]) continue;
      if (!IsNode(I)) {
        SetGridCell(GC, I, V);
        continue;
      }
      int SR = I + GetNodeSpan(I);
      if (FGrouping->Summary && SR < GetRowCount() && IsSummary(SR)) {
        if (FGrouping->MergeSummary)
          SplitCells(1, SR);
        else
          ResetGroupRowColour(SR, true);
        ClearRect(0, SR, GetColCount() - 1, SR);
        Skip[static_cast<std::size_t>(SR)] = 1;
      }
      V = GetGridCell(T, I);
      DropNode(I);
      ClearPropCell(0, I);
      if (FGrouping->MergeHeader)
        SplitCells(1, I);
      else
        ResetGroupRowColour(I, false);
      ClearRect(0, I, GetColCount() - 1, I);
      Gone.push_back(I);
    }
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
      if (Skip[static_cast<std::size_t>(r)]) Gone.push_back(r);
    std::sort(Gone.begin(), Gone.end());
    RemoveRowSet(Gone, false, [&] {
      int Cols = GetColCount() - 1, K = static_cast<int>(Gone.size());
      for (int i = 0; i < K; ++i) {
        int R = Gone[static_cast<std::size_t>(i)] - i;
        CellsChanged(TGridRect{0, R, Cols, R + 1});
      }
    });
    FGroupColumn = -1;
  }
  Invalidate();
}

void VIduZozezuVodu::SubGroup(int ACol) {
  if (ACol < GetFixedCols()) return;
  TUpdateBracket<VIduZozezuVodu> U(this);
  SaveGroupColumn(ACol);
  const int T = ACol + 1, First = GetFixedRows() + 1, End = GetRowCount() - FFixedFooters;
  auto Plain = [&](int R) { return !IsNode(R) && !IsSummary(R); };
  auto ColourHeader = [&](int R, bool ToRGB) {
    if (FGrouping->MergeHeader) {
      MergeCells(T, R, GetColCount() - T, 1);
      ColourGroupCell(T, R, false, ToRGB);
    } else {
      ColourGroupRow(R, false, ToRGB);
    }
  };
  // First pass, nothing changed yet: a header goes in front of every normal
  // row whose value differs from the row before; after a node or summary
  // row the value is compared with the sentinel. The row at FixedRows is
  // taken as the header of the first group and only opens its node.
  std::vector<int> Positions;   // final rows of the headers
  std::vector<AnsiString> Texts;
  std::vector<int> Levels;      // level of the enclosing node, -1 outside any
  TEnclosingNodes Around;
  {
    AnsiString P = GroupSentinel;
    for (int r = GetFixedRows(); r < End; ++r) {
      Around.Leave(RealRowIndex(r));
      if (TCellGraphic* N = NodeAt(r)) Around.Enter(r, RealRowIndex(r) + N->CellIndex);
      if (r < First) continue;
      if (!Plain(r)) {
        P = GroupSentinel;
        continue;
      }
      AnsiString V = GetCellEx(ACol, r);
      if (V != P) {
        Positions.push_back(r + static_cast<int>(Positions.size()));
        Texts.push_back(V);
        Levels.push_back(Around.Empty() ? -1 : GetNodeLevel(Around.Innermost()));
        Around.Count();
      }
      P = std::move(V);
    }
  }
  const int K = static_cast<int>(Positions.size());
  // Every node around a new header grows by it; all headers go in at once.
  for (const auto& [Row, N] : Around.Finish()) {
    UpdateNodeSpan(Row, N);
    UpdateSubNodeCount(Row, N);
  }
  InsertRowList(Positions);
  // Second pass over the final rows: a header closes the subgroup before it
  // and opens its own; node and summary rows close it; the data rows lose
  // the value now shown by their header.
  int H = -1;
  bool Open = false;
  auto Close = [&](int R) {
    if (!Open) return;
    AddNode(RealRowIndex(H), R - H);
    if (TCellGraphic* G = NodeAt(H)) G->CellVariant = ACol;
    Open = false;
  };
  const int Last = End + K;
  for (int r = First, k = 0; r < Last; ++r) {
    if (k < K && Positions[static_cast<std::size_t>(k)] == r) {
      Close(r);
      if (int L = Levels[static_cast<std::size_t>(k)]; L >= 0) GetCellProperties(0, r)->NodeLevel = L;
      SetCellEx(T, r, Texts[static_cast<std::size_t>(k)]);
      ColourHeader(r, true);
      H = r;
      Open = true;
      ++k;
    } else if (!Plain(r)) {
      Close(r);
      H = r;
    } else {
      SetCellEx(ACol, r, "");
    }
  }
  // Nothing walked: nothing to group. Otherwise the last subgroup closes
  // and, unless the rows end with a summary row, a summary row goes in
  // after the normal rows, in front of any footer rows.
  if (H != -1 && !IsSummary(H)) {
    if (Open) {
      Close(Last);
      ColourHeader(H, false);
    }
    if (FGrouping->Summary) {
      InsertRows(Last, 1);
      AddSummary(RealRowIndex(Last));
      if (FGrouping->MergeSummary) {
        MergeCells(T, Last, GetColCount() - T, 1);
        ColourGroupCell(T, Last, true, false);
      } else {
        ColourGroupRow(Last, true, false);
      }
    }
  }
  SetRowEx(GetFixedRows());
}

void VIduZozezuVodu::SubUnGroup(int ACol) {
  ExpandAll();
  // One walk: each header made by SubGroup (ACol) gives its value back to
  // the rows of its span, loses its node and look, and is removed with the
  // others afterwards. Rows outside such a span (summary rows, groups left
  // out) keep their text.
  AnsiString V;
  int ValueEnd = -1;  // real row after the span of the last header met
  std::vector<int> Gone;
  TEnclosingNodes Around;
  const int End = GetRowCount() - FFixedFooters;
  for (int I = GetFixedRows(); I < End; ++I) {
    const int Real = RealRowIndex(I);
    Around.Leave(Real);
    TCellGraphic* G = NodeAt(I);
    if (!G) {
      if (Real < ValueEnd) SetCellEx(ACol, I, V);
      continue;
    }
    const int* Var = std::get_if<int>(&G->CellVariant);
    if (!Var || *Var != ACol) {
      Around.Enter(I, Real + G->CellIndex);
      continue;
    }
    V = GetCellEx(ACol + 1, I);
    ValueEnd = Real + G->CellIndex;
    DropNode(I);
    if (FGrouping->MergeHeader)
      SplitCells(ACol + 1, I);
    else
      ResetGroupRowColour(I, false);
    Around.Count();
    Gone.push_back(I);
  }
  // The nodes around the removed headers shrink by them, down to one row.
  for (const auto& [Row, N] : Around.Finish()) {
    int Less = std::min(N, std::max(GetNodeSpan(Row) - 1, 0));
    UpdateNodeSpan(Row, -Less);
    UpdateSubNodeCount(Row, -Less);
  }
  RemoveRowList(Gone, true);
  // Removing a child row lowers the largest row count once more.
  FMaxRowCount = std::max(FMaxRowCount - static_cast<int>(Gone.size()), GetRowCount());
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

void VIduZozezuVodu::GetDisplText(int ACol, int ARow, AnsiString& Value) {
  TBaseGrid::GetDisplText(ACol, ARow, Value);
  if (!FGrouping->ShowGroupCount || ACol != 1 || !IsNode(ARow)) return;
  int N = GetNodeSpan(ARow) - (GetSubNodeCount(ARow) + 1);
  if (FGrouping->GroupCountFormat.empty())
    Value += " (" + IntToStr(N) + ")";
  else
    Value += Format(FGrouping->GroupCountFormat, {N});
}
