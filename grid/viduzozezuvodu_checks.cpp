// Check boxes, radio groups and radio buttons in cells: adding, reading,
// setting and toggling them, the check-square hit test and the cell-kind
// questions the editing code asks.
#include <vector>

#include "grid/updatebracket.h"
#include "grid/undoredo.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

bool IsCheckType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

TCellVAlign PlacementOf(TVAlignment V) {
  switch (V) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
  }
}

}  // namespace

// Left neutral until the undo list exists: with no list nothing is reported.
void VIduZozezuVodu::RegisterUndoChange(int ACol, int ARow, const AnsiString& OrigValue, const AnsiString& NewValue) {
  if (FUndoRedo) FUndoRedo->RegisterChange(ACol, ARow, OrigValue, NewValue);
}

// ---- check boxes ----------------------------------------------------------------------------

void VIduZozezuVodu::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
  if (ACol >= GetColCount() + NumHiddenColumns() || ARow >= GetRowCount() + NumHiddenRows())
    throw Exception("Invalid cell");
  CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, PlacementOf(FVAlignment));
  if (Data) {
    const AnsiString S = GetCellEx(ACol, ARow);
    if (S != FCheckTrue && S != FCheckFalse) SetCellEx(ACol, ARow, State ? FCheckTrue : FCheckFalse);
  }
}

void VIduZozezuVodu::AddCheckBoxColumn(int ACol, bool State, bool Data) {
  const int from = FMouseActions->CheckAllCheck ? 0 : GetFixedRows();
  if (from < GetRowCount()) ReserveProperties(static_cast<std::size_t>(GetRowCount() - from));
  for (int r = from; r < GetRowCount(); ++r) AddCheckBox(ACol, r, State, Data);
}

void VIduZozezuVodu::RemoveCheckBox(int ACol, int ARow) {
  const TCellType T = GetCellType(ACol, ARow);
  if (T != ctCheckBox && T != ctDataCheckBox) return;
  FreeCellGraphic(ACol, ARow);
  RepaintCell(RemapColInv(ACol), ARow);
}

void VIduZozezuVodu::RemoveCheckBoxColumn(int ACol) {
  const int from = FMouseActions->CheckAllCheck ? 0 : GetFixedRows();
  for (int r = from; r < GetRowCount(); ++r)
    if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

bool VIduZozezuVodu::HasCheckBox(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  return IsCheckType(GetCellType(B.x, B.y));
}

bool VIduZozezuVodu::HasDataCheckBox(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  const TCellType T = GetCellType(B.x, B.y);
  return T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

bool VIduZozezuVodu::GetCheckBoxState(int ACol, int ARow, bool& State) {
  if (ACol == 0 && FMouseActions->GetHotmailRowSelect()) {
    State = GetRowSelect(ARow);
    return true;
  }
  TCellGraphic* G = nullptr;
  bool Real = true;  // the graphic and text are those of real row ARow
  if (NumHiddenRows() == 0) {
    G = GetCellGraphic(ACol, ARow);
  } else if (TCellProperties* P = AsProperties(GetAllGraphicsObject(ACol, ARow))) {
    G = dynamic_cast<TCellGraphic*>(P->GraphicObject);
  } else {
    // The real cell has no graphic of its own: only the shared row check
    // box could answer, and that was asked above.
    Real = false;
  }
  if (!G || !Real) return false;
  switch (G->CellType) {
    case ctCheckBox:
      State = G->CellBoolean;
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      State = (NumHiddenRows() == 0 ? GetCellEx(ACol, ARow) : GetCellsEx(ACol, ARow)) == GetCheckTrue(ACol, ARow);
      return true;
    case ctRowCheckBox:
      State = G->CellBoolean;
      return true;
    default:
      return false;
  }
}

bool VIduZozezuVodu::IsChecked(int ACol, int ARow) {
  bool State = false;
  return GetCheckBoxState(ACol, ARow, State) && State;
}

bool VIduZozezuVodu::SetCheckBoxState(int ACol, int ARow, bool State) {
  if (ACol == 0 && FMouseActions->GetHotmailRowSelect()) {
    SetRowSelect(ARow, State);
    return true;
  }
  TCellGraphic* G = nullptr;
  if (NumHiddenRows() == 0) {
    G = GetCellGraphic(ACol, ARow);
  } else if (TCellProperties* P = AsProperties(GetAllGraphicsObject(ACol, RealRowIndex(ARow)))) {
    G = dynamic_cast<TCellGraphic*>(P->GraphicObject);
  }
  if (!G) return false;
  switch (G->CellType) {
    case ctCheckBox:
      G->CellBoolean = State;
      RepaintCell(RemapColInv(ACol), ARow);
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      SetCellEx(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
      return true;
    case ctRowCheckBox:
      SetRowSelect(ARow, State);
      return true;
    default:
      return false;
  }
}

void VIduZozezuVodu::CheckAll(int ACol) {
  {
    TUpdateBracket<VIduZozezuVodu> U(this);
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetCheckBoxState(ACol, r, true);
  }
  if (NumHiddenColumns() > 0) RepaintCol(RemapColInv(ACol));
}

void VIduZozezuVodu::UnCheckAll(int ACol) {
  TUpdateBracket<VIduZozezuVodu> U(this);
  for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetCheckBoxState(ACol, r, false);
}

bool VIduZozezuVodu::ToggleCheck(int ACol, int ARow, bool FromEdit) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || !IsCheckType(G->CellType)) return false;
  if (FromEdit && !FControlLook->CheckAlwaysActive) {
    bool CanEdit = true;
    GetCellReadOnly(ACol, ARow, CanEdit);
    if (!CanEdit) return false;
  }
  const AnsiString TrueText = GetCheckTrue(ACol, ARow), FalseText = GetCheckFalse(ACol, ARow);
  bool Before;
  if (G->CellType == ctCheckBox) {
    Before = G->CellBoolean;
    G->CellBoolean = !Before;
  } else {
    Before = GetCellEx(ACol, ARow) == TrueText;
    SetCellEx(ACol, ARow, Before ? FalseText : TrueText);
  }
  RepaintCell(RemapColInv(ACol), ARow);
  if (FUndoRedo) RegisterUndoChange(ACol, ARow, Before ? TrueText : FalseText, Before ? FalseText : TrueText);
  return true;
}

TRect VIduZozezuVodu::CheckSquare(int ACol, int ARow, const TCellGraphic* G) {
  const int S = FControlLook->GetCheckSize();
  const TRect R = CellRect(RemapColInv(ACol), ARow);
  int top = R.top + 2;
  if (G->CellVAlign == vaBottom)
    top = R.bottom - S - 2;
  else if (G->CellVAlign == vaCenter)
    top = R.top + (R.bottom - R.top - S) / 2;
  TAlignment HA = GetAlignments(ACol, ARow);
  TVAlignment VA = vtaTop;
  GetCellAlign(ACol, ARow, HA, VA);
  int left = R.left + 2;
  if (HA == taRightJustify) {
    left = R.right - S - 2;
    const AnsiString Text = GetCellEx(ACol, ARow);
    if (!Text.empty()) left -= GetCanvas()->TextWidth(Text);
  } else if (HA == taCenter) {
    left = R.left + (R.right - R.left - S) / 2;
  }
  return TRect(left, top, left + S, top + S);
}

bool VIduZozezuVodu::IsInCheckBox(int ACol, int ARow, int X, int Y) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || (!IsCheckType(G->CellType) && G->CellType != ctRadioButton)) return false;
  if (!FMouseActions->PreciseCheckBoxCheck) return true;
  const TRect Sq = CheckSquare(ACol, ARow, G);
  return X >= Sq.left && X < Sq.right && Y >= Sq.top && Y < Sq.bottom;
}

// ---- radio groups ----------------------------------------------------------------------------

void VIduZozezuVodu::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* Strings) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctRadio;
  G->CellContent = Strings;
  G->CellIndex = IdxRadio;
  G->CellBoolean = DirRadio != 0;
  G->CellAngle = Strings ? Strings->GetCount() : 0;
}

TStrings* VIduZozezuVodu::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* L = new TStringList;
  G->CellType = ctRadio;
  G->CellContent = L;
  G->CellCreated = true;
  G->CellIndex = IdxRadio;
  G->CellBoolean = DirRadio != 0;
  G->CellAngle = 0;
  return L;
}

bool VIduZozezuVodu::GetRadioIdx(int ACol, int ARow, int& IdxRadio) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType != ctRadio) return false;
  IdxRadio = G->CellIndex;
  return true;
}

bool VIduZozezuVodu::SetRadioIdx(int ACol, int ARow, int IdxRadio) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType != ctRadio) return false;
  G->CellIndex = IdxRadio;
  RepaintCell(RemapColInv(ACol), ARow);
  return true;
}

TStrings* VIduZozezuVodu::GetRadioStrings(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  if (GetCellType(B.x, B.y) != ctRadio) return nullptr;
  TCellGraphic* G = GetCellGraphic(B.x, B.y);
  return G ? dynamic_cast<TStrings*>(G->CellContent) : nullptr;
}

bool VIduZozezuVodu::IsRadio(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  return GetCellType(B.x, B.y) == ctRadio;
}

bool VIduZozezuVodu::RemoveRadio(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctRadio); }

void VIduZozezuVodu::ToggleRadio(int ACol, int ARow, bool FromEdit) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType != ctRadio) return;
  if (FromEdit && !FControlLook->RadioAlwaysActive) {
    bool CanEdit = true;
    GetCellReadOnly(ACol, ARow, CanEdit);
    if (!CanEdit) return;
  }
  auto* L = dynamic_cast<TStrings*>(G->CellContent);
  // A group without captions (or without its list, as after a copy) has
  // nothing to step to.
  if (!L || L->GetCount() == 0) return;
  int next = G->CellIndex >= 0 ? G->CellIndex + 1 : L->IndexOf(GetCellEx(ACol, ARow)) + 1;
  if (next >= L->GetCount() || next < 0) next = 0;
  if (G->CellIndex >= 0) G->CellIndex = next;
  G->CellVariant = next;
  SetCellEx(ACol, ARow, L->Get(next));
}

// ---- radio buttons ---------------------------------------------------------------------------

void VIduZozezuVodu::AddRadioButton(int ACol, int ARow, bool State) {
  if (ACol >= GetColCount() + NumHiddenColumns() || ARow >= GetRowCount() + NumHiddenRows())
    throw Exception("Invalid cell");
  CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, PlacementOf(FVAlignment));
}

void VIduZozezuVodu::AddRadioButtonColumn(int ACol) {
  for (int r = GetFixedRows(); r < GetRowCount(); ++r) AddRadioButton(ACol, r, false);
}

void VIduZozezuVodu::RemoveRadioButton(int ACol, int ARow) {
  if (GetCellType(ACol, ARow) != ctRadioButton) return;
  FreeCellGraphic(ACol, ARow);
  RepaintCell(RemapColInv(ACol), ARow);
}

void VIduZozezuVodu::RemoveRadioButtonColumn(int ACol) {
  for (int r = GetFixedRows(); r < GetRowCount(); ++r)
    if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

bool VIduZozezuVodu::HasRadioButton(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  return GetCellType(B.x, B.y) == ctRadioButton;
}

bool VIduZozezuVodu::IsRadioButtonChecked(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  if (GetCellType(B.x, B.y) != ctRadioButton) return false;
  return GetCellGraphic(B.x, B.y)->CellBoolean;
}

bool VIduZozezuVodu::SetRadioButtonState(int ACol, int ARow, bool State) {
  TPoint B = BaseCell(ACol, ARow);
  if (GetCellType(B.x, B.y) != ctRadioButton) return false;
  TCellGraphic* G = GetCellGraphic(B.x, B.y);
  if (G->CellBoolean != State) {
    G->CellBoolean = State;
    RepaintCell(RemapColInv(ACol), ARow);
  }
  return true;
}

void VIduZozezuVodu::SetRadioButtonColumnIndex(int ACol, int ARow) {
  for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetRadioButtonState(ACol, r, r == ARow);
}

int VIduZozezuVodu::GetRadioButtonColumnIndex(int ACol) {
  for (int r = GetFixedRows(); r < GetRowCount(); ++r)
    if (IsRadioButtonChecked(ACol, r)) return r;
  return -1;
}

bool VIduZozezuVodu::ToggleRadioButton(int ACol, int ARow, bool FromEdit) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType != ctRadioButton) return false;
  if (FromEdit && !FControlLook->CheckAlwaysActive) {
    bool CanEdit = true;
    GetCellReadOnly(ACol, ARow, CanEdit);
    if (!CanEdit) return false;
  }
  if (!G->CellBoolean) {
    G->CellBoolean = true;
    RepaintCell(RemapColInv(ACol), ARow);
    for (int r = 0; r < GetRowCount(); ++r) {
      if (r == ARow) continue;
      TCellGraphic* O = GetCellGraphic(ACol, r);
      if (O && O->CellType == ctRadioButton && O->CellBoolean) {
        O->CellBoolean = false;
        RepaintCell(RemapColInv(ACol), r);
      }
    }
  }
  return true;
}

// ---- cell kinds ---------------------------------------------------------------------------------

bool VIduZozezuVodu::HasStaticEdit(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  switch (GetCellType(B.x, B.y)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
      return true;
    default:
      return false;
  }
}

bool VIduZozezuVodu::HasDataCell(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  switch (GetCellType(B.x, B.y)) {
    case ctDataCheckBox:
    case ctDataImage:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      return true;
    default:
      return false;
  }
}

// ---- removal of checked rows ----------------------------------------------------------------

void VIduZozezuVodu::RemoveCheckedRows(int ACol, bool Checked) {
  TUpdateBracket<VIduZozezuVodu> U(this);
  std::vector<int> Rows;
  for (int r = GetFixedRows(); r < GetRowCount(); ++r)
    if (IsChecked(ACol, RemapRowInv(r)) == Checked) Rows.push_back(r);
  // One pass, reported bottom-up as row-by-row removals from the end are.
  RemoveRowList(Rows, false);
}
