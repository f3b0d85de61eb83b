// Row tree nodes: a ctNode graphic in column 0 of the node row, and a level
// in column 0's properties of every row inside a node's span. Contracting
// hides the children through the hidden-row store.
#include <algorithm>
#include <utility>
#include <vector>

#include "grid/updatebracket.h"
#include "grid/viduzozezuvodu.h"
#include "platform/windows/winuser.h"

TCellGraphic* VIduZozezuVodu::NodeAt(int ARow) {
  if (ARow < 0 || ARow >= GetRowCount() || GetCellType(0, ARow) != ctNode) return nullptr;
  return GetCellGraphic(0, ARow);
}

void VIduZozezuVodu::AddNodeLevel(int ARow, int Delta) {
  if (ARow < 0 || ARow >= GetRowCount()) return;
  if (Delta < 0 && !HasCellProperties(0, ARow)) return;
  TCellProperties* P = GetCellProperties(0, ARow);
  P->NodeLevel = std::max(P->NodeLevel + Delta, 0);
}

int VIduZozezuVodu::NodeEnd(int ARow, int Span) {
  if (Span > 0) return std::min(ARow + Span, GetRowCount());
  for (int i = ARow + 1; i < GetRowCount(); ++i)
    if (IsNode(i)) return i;
  return GetRowCount();
}

void VIduZozezuVodu::AddNode(int ARow, int Span) {
  int R = RemapRow(ARow);
  if (R < 0 || R >= GetRowCount()) return;
  TCellGraphic* G = CreateCellGraphic(0, R);
  G->CellType = ctNode;
  G->CellAngle = R;
  G->CellBoolean = false;
  G->CellIndex = Span;
  G->CellHAlign = haBeforeText;
  G->CellVAlign = vaCenter;
  G->CellErrFrom = 0;
  G->CellVariant = -1;
  for (int i = R; i < R + Span; ++i) AddNodeLevel(i, 1);
  if (FNodeCount == 0) RepaintCol(0);
  ++FNodeCount;
  if (GetCol() == 0 && GetColCount() > 1) SetCol(1);
}

TCellGraphic* VIduZozezuVodu::AddSummary(int ARow) {
  TCellGraphic* G = CreateCellGraphic(0, RemapRow(ARow));
  G->CellType = ctSummary;
  return G;
}

void VIduZozezuVodu::DropNode(int R) {
  TCellGraphic* G = NodeAt(R);
  if (!G) return;
  int Span = G->CellIndex;
  for (int i = R; i < R + Span; ++i) AddNodeLevel(i, -1);
  RemoveCellGraphic(0, R, ctNode);
  FNodeCount = std::max(FNodeCount - 1, 0);
}

void VIduZozezuVodu::RemoveNode(int ARow) {
  ExpandNode(ARow);
  DropNode(RemapRow(ARow));
}

void VIduZozezuVodu::RemoveAllNodes() {
  for (int r = 0; r < GetRowCount(); ++r) {
    if (!IsNode(r)) continue;
    ExpandNode(RemapRowInv(r));
    DropNode(r);
  }
  Invalidate();
}

bool VIduZozezuVodu::IsNode(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctNode; }
bool VIduZozezuVodu::IsSummary(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctSummary; }

bool VIduZozezuVodu::GetNodeState(int ARow) {
  TCellGraphic* G = NodeAt(ARow);
  return G && G->CellBoolean;
}

void VIduZozezuVodu::SetNodeState(int ARow, bool Value) {
  TCellGraphic* G = NodeAt(ARow);
  if (!G || G->CellBoolean == Value) return;
  if (Value)
    ContractNode(RemapRowInv(ARow));
  else
    ExpandNode(RemapRowInv(ARow));
}

int VIduZozezuVodu::GetNodeLevel(int ARow) {
  if (!NodeAt(ARow)) return -1;
  return HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel : 0;
}

int VIduZozezuVodu::GetNodeSpan(int ARow) {
  TCellGraphic* G = NodeAt(ARow);
  return G ? G->CellIndex : -1;
}

void VIduZozezuVodu::SetNodeSpan(int ARow, int Span) {
  if (TCellGraphic* G = NodeAt(ARow)) G->CellIndex = Span;
}

void VIduZozezuVodu::UpdateNodeSpan(int ARow, int Delta) {
  if (TCellGraphic* G = NodeAt(ARow)) G->CellIndex += Delta;
}

int VIduZozezuVodu::GetSubNodeCount(int ARow) {
  TCellGraphic* G = NodeAt(ARow);
  return G ? G->CellErrFrom : 0;
}

void VIduZozezuVodu::UpdateSubNodeCount(int ARow, int Delta) {
  if (TCellGraphic* G = NodeAt(ARow)) G->CellErrFrom += Delta;
}

void VIduZozezuVodu::ExpandNode(int ARow) {
  if (FCellNode->ExpandOne)
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
      if (IsNode(r) && !GetNodeState(r)) ContractNode(RealRowIndex(r));
  int R = RemapRow(ARow);
  TCellGraphic* G = NodeAt(R);
  if (!G || !G->CellBoolean) return;
  G->CellBoolean = false;
  int E = G->CellIndex != 0 ? R + 1 : NodeEnd(R, 0);
  int SavedTop = GetTopRow(), SavedRow = GetRow();
  bool Disjunct = FMouseActions->GetDisjunctRowSelect();
  bool RowSelect = (GetOptions() & goRowSelect) != 0;
  FMouseActions->SetDisjunctRowSelect(false);
  if (RowSelect) SetOptions(GetOptions() & ~static_cast<TGridOptions>(goRowSelect));
  bool Begun = FControlList->GetCount() == 0;
  if (Begun) BeginUpdate();
  try {
    // The children lie between the node's real row and that of the next shown row.
    int To = E < GetRowCount() ? RemapRowInv(E) - 1 : GetAllRowCount() - 1;
    UnHideRows(RemapRowInv(R) + 1, To);
    if (RowSelect) {
      SetOptions(GetOptions() | goRowSelect);
      SetRow(std::min(SavedRow, GetRowCount() - 1));
      SetTopRow(std::min(SavedTop, GetRowCount() - 1));
    }
  } catch (...) {
    FMouseActions->SetDisjunctRowSelect(Disjunct);
    if (Begun) EndUpdate();
    throw;
  }
  FMouseActions->SetDisjunctRowSelect(Disjunct);
  if (Begun) EndUpdate();
  CalcFooter(-1);
}

void VIduZozezuVodu::ContractNode(int ARow) {
  HideInplaceEdit();
  int R = RemapRow(ARow);
  TCellGraphic* G = NodeAt(R);
  if (!G || G->CellBoolean) return;
  G->CellBoolean = true;
  int E = NodeEnd(R, G->CellIndex);
  int S = R + 1, I = R + 1;
  while (I < E) {
    TCellGraphic* Inner = NodeAt(I);
    if (Inner && Inner->CellBoolean) {
      // Its children are hidden already; it goes with the parent's rows.
      Inner->CellBoolean = false;
      if (TControl* C = GetCellControls(1, I + 1)) C->SetVisible(false);
      int Span = Inner->CellIndex;
      HideRows(RemapRowInv(S), RemapRowInv(I));
      E -= Span + (I - S);
      I = S;
    } else {
      ++I;
    }
  }
  if (I > S) HideRows(RemapRowInv(S), RemapRowInv(I - 1));
  CalcFooter(-1);
}

void VIduZozezuVodu::ExpandAll() {
  {
    TUpdateBracket<VIduZozezuVodu> U(this);
    int SavedTop = GetTopRow(), SavedRow = GetRow();
    bool Disjunct = FMouseActions->GetDisjunctRowSelect();
    bool RowSelect = (GetOptions() & goRowSelect) != 0;
    FMouseActions->SetDisjunctRowSelect(false);
    if (RowSelect) SetOptions(GetOptions() & ~static_cast<TGridOptions>(goRowSelect));
    try {
      // Every contracted node shown gives back the rows up to the next shown
      // row, all in one restore; nodes that come back contracted take
      // another round.
      for (;;) {
        std::vector<std::pair<int, int>> Ranges;
        const int Rows = GetRowCount();
        for (int D = GetFixedRows(); D < Rows; ++D) {
          TCellGraphic* G = NodeAt(D);
          if (!G || !G->CellBoolean) continue;
          G->CellBoolean = false;
          int From = RemapRowInv(D) + 1;
          int To = D + 1 < Rows ? RemapRowInv(D + 1) - 1 : GetAllRowCount() - 1;
          if (From <= To && IsHiddenRow(From)) Ranges.emplace_back(From, To);
        }
        if (Ranges.empty()) break;
        std::vector<THiddenRef> Refs;
        const auto& Index = HiddenIndex();
        std::size_t k = 0;
        for (const auto& [From, To] : Ranges) {
          while (k < Index.size() && Index[k].Idx < From) ++k;
          while (k < Index.size() && Index[k].Idx <= To) Refs.push_back(Index[k++]);
        }
        RestoreHiddenRows(Refs);
      }
    } catch (...) {
      FMouseActions->SetDisjunctRowSelect(Disjunct);
      if (RowSelect) SetOptions(GetOptions() | goRowSelect);
      throw;
    }
    FMouseActions->SetDisjunctRowSelect(Disjunct);
    if (RowSelect) {
      SetOptions(GetOptions() | goRowSelect);
      SetRow(std::min(SavedRow, GetRowCount() - 1));
      SetTopRow(std::min(SavedTop, GetRowCount() - 1));
    }
  }
  CalcFooter(-1);
}

void VIduZozezuVodu::ContractAll() {
  {
    TUpdateBracket<VIduZozezuVodu> U(this);
    ExpandAll();
    TIntList Rows(-1, -1);
    for (int A = GetFixedRows(); A < GetRowCount();) {
      TCellGraphic* G = NodeAt(A);
      if (!G) {
        ++A;
        continue;
      }
      G->CellBoolean = true;
      int Span = std::max(G->CellIndex, 1);
      if (G->CellIndex == 0) Span = NodeEnd(A, 0) - A;
      for (int i = A + 1; i < A + Span && i < GetRowCount(); ++i) Rows.Add(i);
      A += Span;
    }
    if (Rows.GetCount() > 0) HideRowList(&Rows);
  }
  if (FControlList->GetCount() > 0) CellControlsUpdate();
  CalcFooter(-1);
}

int VIduZozezuVodu::GetParentRow(int ARow) {
  if (FNodeCount == 0) return -1;
  int L = 65535, Result = -1;
  if (IsNode(ARow)) {
    L = GetNodeLevel(ARow);
    Result = ARow;
  }
  int H = 0;
  for (int i = ARow; i >= GetFixedRows(); --i) {
    TCellGraphic* G = NodeAt(i);
    if (!G || GetNodeLevel(i) >= L) continue;
    if (G->CellBoolean) H += G->CellIndex - 1;
    if (i + G->CellIndex - H > ARow) return i;
  }
  return Result;
}

void VIduZozezuVodu::InsertNormalRow(int ARow) {
  InsertRows(DisplRowIndex(ARow), 1);
  ShiftHiddenAbove(ARow, 1);
}

void VIduZozezuVodu::RemoveNormalRow(int ARow) {
  RemoveRows(ARow, 1);
  FMaxRowCount = std::max(FMaxRowCount - 1, GetRowCount());
}

void VIduZozezuVodu::ShiftHiddenAbove(int ARealRow, int Delta) {
  FHiddenRows->Renumber([=](int Idx) { return Idx > ARealRow ? Idx + Delta : Idx; });
}

void VIduZozezuVodu::GrowNode(int ARow, int Delta) {
  UpdateNodeSpan(ARow, Delta);
  UpdateSubNodeCount(ARow, Delta);
  ExpandNode(RemapRowInv(ARow));
}

void VIduZozezuVodu::InsertChildRow(int ARow, bool After) {
  int P = DisplRowIndex(ARow);
  int Parent = GetParentRow(P);
  int ParentReal = Parent >= 0 ? RemapRowInv(Parent) : -1;
  int Level = 1;
  if (Parent >= 0) {
    GrowNode(Parent, 1);
    Parent = RemapRow(ParentReal);
    Level = GetNodeLevel(Parent);
    // Every ancestor with a lower level grows as well.
    int Cur = Parent;
    while (Level > 1 && Cur >= GetFixedRows()) {
      int Up = GetParentRow(Cur);
      if (Up < 0 || Up == Cur) {
        // An ancestor's own node row answers itself: look above it.
        Up = Cur > 0 ? GetParentRow(Cur - 1) : -1;
        if (Up < 0) break;
      }
      if (GetNodeLevel(Up) < Level) {
        int UpReal = RemapRowInv(Up);
        GrowNode(Up, 1);
        Up = RemapRow(UpReal);
        Level = GetNodeLevel(Up);
      }
      Cur = Up;
    }
    Parent = RemapRow(ParentReal);
    P = DisplRowIndex(ARow);
  }
  bool Moving = IsNode(P) && !After;
  if (Moving) After = true;
  InsertRows(After ? P + 1 : P, 1);
  int NewRow = After ? P + 1 : P;
  if (Moving) {
    for (int c = 0; c < GetAllColCount(); ++c) {
      SetGridCell(c, P + 1, GetGridCell(c, P));
      SetGridCell(c, P, "");
      if (c >= 1) {
        SetGridObject(c, P + 1, GetGridObject(c, P));
        SetGridObject(c, P, nullptr);
      }
    }
  }
  if (Parent >= 0) GetCellProperties(0, NewRow)->NodeLevel = GetNodeLevel(Parent);
  ShiftHiddenAbove(ParentReal, 1);
}

void VIduZozezuVodu::RemoveChildRow(int ARow) {
  int P = DisplRowIndex(ARow);
  int From = RealRowIndex(P);
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It->Y >= From) --It->Y;
  }
  int B = GetParentRow(P);
  if (B >= 0 && B != P) {
    int Level = GetNodeLevel(B);
    if (GetNodeSpan(B) > 1) {
      UpdateNodeSpan(B, -1);
      UpdateSubNodeCount(B, -1);
    }
    while (true) {
      int BReal = RemapRowInv(B);
      ExpandNode(BReal);
      B = RemapRow(BReal);
      if (GetNodeLevel(B) <= 1 || B <= 0) break;
      int Up = GetParentRow(B - 1);
      if (Up < 0 || GetNodeLevel(Up) >= Level) break;
      if (GetNodeSpan(Up) > 1) {
        UpdateNodeSpan(Up, -1);
        UpdateSubNodeCount(Up, -1);
      }
      B = Up;
      Level = GetNodeLevel(B);
    }
    P = DisplRowIndex(ARow);
  }
  RemoveRowsInternal(P, 1);
  FMaxRowCount = std::max(FMaxRowCount - 1, GetRowCount());
}

int VIduZozezuVodu::GetNodeSpanType(int ARow) {
  if (IsNode(ARow)) return 0;
  if (ARow >= GetRowCount() - FFixedFooters - 1 || !HasCellProperties(0, ARow + 1)) return 1;
  int Own = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel : 0;
  return GetCellProperties(0, ARow + 1)->NodeLevel < Own ? 1 : 2;
}

bool VIduZozezuVodu::InNodeRect(int ARow, int X) {
  int Level = GetNodeLevel(ARow), Indent = FCellNode->GetNodeIndent();
  TBitmap* Glyph = FCellNode->GetExpandGlyph();
  bool HasGlyph = Glyph && !Glyph->Empty();
  int Half = 4, Margin = 4;
  switch (FCellNode->GetNodeType()) {
    case cnFlat:
    case cnXP:
      break;
    case cn3D:
      Half = 6;
      Margin = 0;
      break;
    case cnGlyph:
      Half = HasGlyph ? Glyph->GetWidth() / 2 : 0;
      Margin = HasGlyph ? 2 : 0;
      break;
    case cnLeaf:
      Half = 8;
      Margin = 2;
      break;
  }
  if (GetBiDiMode() != bdRightToLeft) return (Level - 1) * Indent + Margin < X && X < Level * Indent + Half;
  if (GetRowCount() - GetFixedRows() > GetVisibleRowCount()) X += GetSystemMetrics(SM_CXVSCROLL);
  return X >= GetWidth() - 2 - Level * Indent - Half && X < GetWidth() - (Level - 1) * Indent;
}

int VIduZozezuVodu::NodeIndent(int ARow) {
  if (FNodeCount == 0 || !HasCellProperties(0, ARow)) return 0;
  return GetCellProperties(0, ARow)->NodeLevel * FCellNode->GetNodeIndent();
}

bool VIduZozezuVodu::HasNodes() { return FNodeCount > 0; }
