#include "grid/cellproperties.h"

#include "grid/basegrid.h"
#include "grid/cellpool.h"

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : OwnerGrid(AOwner), OwnerCol(ACol), OwnerRow(ARow), FWordWrap(AOwner ? AOwner->GetDefaultWordWrap() : true) {
  if (AOwner) AOwner->RegisterProperties(this);
}

TCellProperties::~TCellProperties() {
  if (OwnerGrid) OwnerGrid->UnregisterProperties(this);
}

TPoint TCellProperties::GetBaseCell(int ACol, int ARow) const {
  if (!IsBaseCell && CellSpanX != -1 && CellSpanY != -1) return TPoint(ACol - CellSpanX, ARow - CellSpanY);
  return TPoint(ACol, ARow);
}

void TCellProperties::Repaint() {
  if (OwnerGrid) OwnerGrid->RepaintCell(OwnerCol, OwnerRow);
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  Repaint();
}

void TCellProperties::SetBrushColor(TColor Value) {
  FBrushColor = Value;
  Repaint();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
  FBrushColorTo = Value;
  Repaint();
}

void TCellProperties::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Repaint();
}

namespace {
TCellPool& TCellPropertiesPool() {
  static TCellPool Pool(sizeof(TCellProperties));
  return Pool;
}
}  // namespace

void* TCellProperties::operator new(std::size_t Size) { return TCellPropertiesPool().Take(Size); }
void TCellProperties::operator delete(void* Block, std::size_t Size) { TCellPropertiesPool().Give(Block, Size); }
