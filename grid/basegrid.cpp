#include "grid/basegrid.h"

#include <cmath>

#include "grid/radoriz.h"

TBaseGrid::TBaseGrid(TComponent* AOwner) : TStringGrid(AOwner) {
  SetDefaultDrawing(false);
  SetGridLineWidth(1);
}

TBaseGrid::~TBaseGrid() {
  FDestroying = true;
  // Cells cut off by a lower count keep their slots: free the whole extent.
  FreeSlots(0, 0, FStore.GetColExtent() - 1, FStore.GetRowExtent() - 1);
  // Property objects kept elsewhere by the application outlive the grid.
  for (const TObject* O : FLiveProps) static_cast<TCellProperties*>(const_cast<TObject*>(O))->OwnerGrid = nullptr;
}

void TBaseGrid::RegisterProperties(TCellProperties* P) {
  FPropertiesCreated = true;
  FLiveProps.insert(P);
}

TCellProperties* TBaseGrid::AsProperties(TObject* O) const {
  return O && FLiveProps.count(O) ? static_cast<TCellProperties*>(O) : nullptr;
}

TCellProperties* TBaseGrid::PropsOf(int ACol, int ARow) const {
  return AsProperties(GetObjects(ACol, ARow));
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const { return PropsOf(ACol, ARow) != nullptr; }

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow) {
  if (TCellProperties* P = PropsOf(ACol, ARow)) return P;
  // A foreign object in the slot is the application's: it is not freed, it
  // just makes room (its owner keeps it through CellObject-free paths).
  TCellProperties* P = NewCellProperties(ACol, ARow);
  SetObjects(ACol, ARow, P);
  return P;
}

TCellProperties* TBaseGrid::NewCellProperties(int ACol, int ARow) {
  auto* P = new TCellProperties(this, ACol, ARow);
  TFont Font;
  TBrush Brush;
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HAlign = taLeftJustify;
  TVAlignment VAlign = vtaTop;
  bool WW = FDefaultWordWrap;
  TCellGradientDirection GD = GradientVertical;
  GetDefaultProps(ACol, ARow, &Font, &Brush, ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign, WW, GD);
  P->CalcType = acNONE;
  P->SetAlignment(HAlign);
  P->SetVAlignment(VAlign);
  P->SetWordWrap(WW);
  P->FontName = Font.GetName();
  P->FontSize = Font.GetSize();
  P->FontStyle = Font.GetStyle();
  P->FontColor = Font.GetColor();
  P->SetBrushColor(Brush.GetColor());
  P->SetBrushColorTo(ColorTo);
  P->GradientDirection = GD;
  return P;
}

void TBaseGrid::ResetCellLooks(int ACol, int ARow) {
  TCellProperties* Old = PropsOf(ACol, ARow);
  if (!Old) return;
  bool Merged = Old->CellSpanX != -1 || Old->CellSpanY != -1 || !Old->IsBaseCell;
  SetObjects(ACol, ARow, nullptr);
  if (Merged || Old->GraphicObject || Old->CellObject || Old->Control || Old->NodeLevel != 0) {
    TCellProperties* P = NewCellProperties(ACol, ARow);
    P->CellSpanX = Old->CellSpanX;
    P->CellSpanY = Old->CellSpanY;
    P->IsBaseCell = Old->IsBaseCell;
    P->GraphicObject = Old->GraphicObject;
    P->CellObject = Old->CellObject;
    P->Control = Old->Control;
    P->NodeLevel = Old->NodeLevel;
    SetObjects(ACol, ARow, P);
  } else {
    delete Old->GraphicObject;
  }
  delete Old;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value) {
  if (TCellProperties* Old = PropsOf(ACol, ARow); Old && Old != Value) {
    delete Old->GraphicObject;
    delete Old;
  }
  SetObjects(ACol, ARow, Value);
}

TObject* TBaseGrid::GetObjectEx(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->CellObject : nullptr;
}

void TBaseGrid::BlankTextStep(int ACol, int ARow, TObject* TCellProperties::*Field, TObject* Value) {
  bool Empty = GetCellEx(ACol, ARow).empty();
  if (Empty) SetCellEx(ACol, ARow, " ");
  GetCellProperties(ACol, ARow)->*Field = Value;
  if (Empty) SetCellEx(ACol, ARow, "");
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, TObject* Value) {
  if (FDestroying) return;
  BlankTextStep(ACol, ARow, &TCellProperties::CellObject, Value);
}

TObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->GraphicObject : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, TObject* Value) {
  if (FDestroying) return;
  BlankTextStep(ACol, ARow, &TCellProperties::GraphicObject, Value);
}

AnsiString TBaseGrid::GetCellEx(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  AnsiString Text = GetCells(B.x, B.y);
  if (B.y < FDisplayRowLimit) {
    GetDisplText(B.x, B.y, Text);
    if (OnGetDisplWideText) {
      WideString W = DecodeWideStr(Text);
      GetDisplWideText(B.x, B.y, W);
      Text = EncodeWideStr(W);
    }
  }
  return Text;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const AnsiString& Value) {
  if (HasCellProperties(ACol, ARow)) {
    TPoint B = BaseCell(ACol, ARow);
    SetCells(B.x, B.y, Value);
    if (GetParent()) RepaintCell(ACol, ARow);
  } else {
    SetCells(ACol, ARow, Value);
  }
  CellTextChange(ACol, ARow);
  if (FFooterRow && ARow == GetRowCount() - 1) FloatFooterUpdate();
}

void TBaseGrid::GetDisplText(int ACol, int ARow, AnsiString& Value) {
  if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, WideString& Value) {
  if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::MergeCells(int ACol, int ARow, int NCols, int NRows) {
  if (NCols < 1 || NRows < 1) return;
  for (int i = 0; i < NCols; ++i)
    for (int j = 0; j < NRows; ++j) {
      TCellProperties* P = GetCellProperties(ACol + i, ARow + j);
      bool Base = i == 0 && j == 0;
      P->IsBaseCell = Base;
      P->CellSpanX = Base ? NCols - 1 : i;
      P->CellSpanY = Base ? NRows - 1 : j;
    }
  for (int i = 0; i < NCols; ++i)
    for (int j = 0; j < NRows; ++j) RepaintCell(ACol + i, ARow + j);
}

void TBaseGrid::SplitCells(int ACol, int ARow) {
  TPoint B = GetCellProperties(ACol, ARow)->GetBaseCell(ACol, ARow);
  TCellProperties* BP = GetCellProperties(B.x, B.y);
  if (BP->CellSpanX == -1 || BP->CellSpanY == -1) return;
  int SX = BP->CellSpanX, SY = BP->CellSpanY;
  for (int i = 0; i <= SX; ++i)
    for (int j = 0; j <= SY; ++j) {
      TCellProperties* P = GetCellProperties(B.x + i, B.y + j);
      P->IsBaseCell = true;
      P->CellSpanX = P->CellSpanY = -1;
    }
  for (int i = 0; i <= SX; ++i)
    for (int j = 0; j <= SY; ++j) RepaintCell(B.x + i, B.y + j);
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->GetBaseCell(ACol, ARow) : TPoint(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return !P || P->IsBaseCell;
}

bool TBaseGrid::IsBaseCellEx(int ACol, int ARow, int& BaseCol, int& BaseRow) const {
  TPoint B = BaseCell(ACol, ARow);
  BaseCol = B.x;
  BaseRow = B.y;
  return IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P && (P->CellSpanX > 0 || P->CellSpanY > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const {
  return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const {
  if (!HasCellProperties(ACol, ARow)) return false;
  TPoint B = BaseCell(ACol, ARow);
  const TCellProperties* BP = PropsOf(B.x, B.y);
  return BP && BP->CellSpanX > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const {
  if (!HasCellProperties(ACol, ARow)) return false;
  TPoint B = BaseCell(ACol, ARow);
  const TCellProperties* BP = PropsOf(B.x, B.y);
  return BP && BP->CellSpanY > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  if (!P || P->CellSpanX == -1 || P->CellSpanY == -1) return TPoint(0, 0);
  TPoint B = P->GetBaseCell(ACol, ARow);
  const TCellProperties* BP = PropsOf(B.x, B.y);
  if (!BP || BP->CellSpanX == -1 || BP->CellSpanY == -1) return TPoint(0, 0);
  return TPoint(BP->CellSpanX, BP->CellSpanY);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  if (!P || P->CellSpanX == -1 || P->CellSpanY == -1) return TPoint(0, 0);
  TPoint B = P->GetBaseCell(ACol, ARow);
  TPoint S = CellSpan(ACol, ARow);
  return TPoint(B.x + S.x - ACol, B.y + S.y - ARow);
}

TGridRect TBaseGrid::FullCell(int ACol, int ARow) const {
  TPoint B = BaseCell(ACol, ARow);
  TPoint S = CellSpan(ACol, ARow);
  return TGridRect{B.x, B.y, B.x + S.x, B.y + S.y};
}

TRect TBaseGrid::GetCellRect(int ACol, int ARow) {
  // Offsets from the first scrollable cell (or from the origin for fixed
  // cells), so that only the rows and columns in between are summed.
  auto span = [](int From, int To, auto Size) {
    int d = 0;
    for (int i = From; i < To; ++i) d += Size(i);
    for (int i = To; i < From; ++i) d -= Size(i);
    return d;
  };
  const auto colW = [this](int c) { return GetColWidths(c); };
  const auto rowH = [this](int r) { return GetRowHeights(r); };
  const bool FixedCol = ACol < GetFixedCols(), FixedRow = ARow < GetFixedRows();
  const TRect First = TStringGrid::CellRect(GetLeftCol(), GetTopRow());
  const int x = FixedCol ? span(0, ACol, colW) : First.left + span(GetLeftCol(), ACol, colW);
  const int y = FixedRow ? span(0, ARow, rowH) : First.top + span(GetTopRow(), ARow, rowH);
  return TRect(x, y, x + GetColWidths(ACol), y + GetRowHeights(ARow));
}

TRect TBaseGrid::CellRect(int ACol, int ARow) {
  const TCellProperties* P = PropsOf(ACol, ARow);
  if (P && (P->CellSpanX != -1 || P->CellSpanY != -1)) {
    TPoint B = BaseCell(ACol, ARow);
    const TCellProperties* BP = PropsOf(B.x, B.y);
    int SX = BP ? std::max(BP->CellSpanX, 0) : 0, SY = BP ? std::max(BP->CellSpanY, 0) : 0;
    TRect A = GetCellRect(B.x, B.y), Z = GetCellRect(B.x + SX, B.y + SY), U;
    UnionRect(&U, &A, &Z);
    return U;
  }
  if (P && P->Control) return GetCellRect(ACol, ARow);
  TRect R = TStringGrid::CellRect(ACol, ARow);
  R.right = R.left + GetColWidths(ACol);
  R.bottom = R.top + GetRowHeights(ARow);
  return R;
}

void TBaseGrid::RepaintCell(int ACol, int ARow) {
  if (!HandleAllocated()) return;
  TRect R = CellRect(ACol, ARow);
  InvalidateRect(Handle(), &R, FALSE);
}

int TBaseGrid::FixedColsWidth() const {
  int W = 0;
  for (int c = 0; c < GetFixedCols(); ++c) W += GetColWidths(c);
  return W;
}

int TBaseGrid::FixedRowsHeight() const {
  int H = 0;
  for (int r = 0; r < GetFixedRows(); ++r) H += GetRowHeights(r);
  return H;
}

void TBaseGrid::FreeSlots(int ACol1, int ARow1, int ACol2, int ARow2) {
  // Only the cells the store holds are visited: the extent can be far larger.
  for (const TGridStore::TCellObject& held : FStore.ObjectsIn(ACol1, ARow1, ACol2, ARow2)) {
    // Only live properties are freed: a second slot that shared an object
    // freed already (a row copy not niled) and the application's objects
    // are left alone.
    TCellProperties* P = AsProperties(held.Object);
    if (!P) continue;
    FStore.SetObject(held.Col, held.Row, nullptr);
    delete P->GraphicObject;
    delete P;
  }
}

void TBaseGrid::ClearPropRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  if (!FPropertiesCreated || ACol2 < ACol1) return;
  FreeSlots(ACol1, ARow1, ACol2, ARow2);
}

void TBaseGrid::CopyRows(int ToRow, int FromRow) {
  for (int c = 0; c < GetColCount(); ++c) {
    SetCellEx(c, ToRow, GetCellEx(c, FromRow));
    SetObjects(c, ToRow, GetObjects(c, FromRow));
  }
}

void TBaseGrid::CopyCols(int ToCol, int FromCol) {
  for (int r = 0; r < GetRowCount(); ++r) {
    SetCells(ToCol, r, GetCells(FromCol, r));
    SetObjects(ToCol, r, GetObjects(FromCol, r));
  }
}

void TBaseGrid::NilRow(int ARow) {
  for (int c = 0; c < GetColCount(); ++c) {
    SetObjects(c, ARow, nullptr);
    SetCellEx(c, ARow, "");
  }
}

void TBaseGrid::NilCol(int ACol) {
  for (int r = 0; r < GetRowCount(); ++r) {
    SetObjects(ACol, r, nullptr);
    SetCellEx(ACol, r, "");
  }
}

void TBaseGrid::NilCell(int ACol, int ARow) {
  SetCellEx(ACol, ARow, "");
  SetObjects(ACol, ARow, nullptr);
}

void TBaseGrid::ChangeScale(int M, int D) {
  TStringGrid::ChangeScale(M, D);
  if (M != D && D != 0)
    SetDefaultRowHeight(static_cast<int>(std::lround(static_cast<double>(GetDefaultRowHeight()) * M / D)));
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) {
  if (Value == FSelectionStyle) return;
  FSelectionStyle = Value;
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value) {
  FGridFixedLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridLineWidth(int Value) {
  FBaseGridLineWidth = Value;
  TStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value) {
  FActiveRowColor = Value;
  Invalidate();
}

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::NodeIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::FloatFooterUpdate() {}


// The grid's plain colours: fixed, selected or normal. The gradient
// selection looks keep the normal text colour on their light fill.
void TBaseGrid::GetVisualProperties(int, int, TGridDrawState& AState, bool, bool, bool, TBrush* ABrush, TColor& AColorTo,
                                    TColor& AMirrorColor, TColor& AMirrorColorTo, TFont* AFont, TAlignment&,
                                    TVAlignment&, bool&, TCellGradientDirection&) {
  AColorTo = AMirrorColor = AMirrorColorTo = clNone;
  if (AState & gdFixed) {
    ABrush->SetColor(GetFixedColor());
  } else if ((AState & gdSelected) && FSelectionStyle == ssDefault) {
    ABrush->SetColor(clHighlight);
    AFont->SetColor(clHighlightText);
  } else {
    ABrush->SetColor(GetColor());
  }
}
void TBaseGrid::CellTextChange(int, int) {}
bool TBaseGrid::HasCustomCellBorder() { return false; }
int TBaseGrid::DisplColIndex(int ACol) { return ACol; }

void TBaseGrid::GetDefaultProps(int, int, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign, bool& WW,
                                TCellGradientDirection& GD) {
  AFont->Assign(GetFont());
  ABrush->SetColor(GetColor());
  ColorTo = MirrorColor = MirrorColorTo = clNone;
  HAlign = taLeftJustify;
  VAlign = vtaTop;
  WW = FDefaultWordWrap;
  GD = GradientVertical;
}
