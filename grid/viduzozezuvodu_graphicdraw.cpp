// The graphic step of a cell's paint: measuring, placing and painting the
// cell graphic by its type.
#include "grid/viduzozezuvodu.h"

TCellGraphic* VIduZozezuVodu::GetGraphicDetails(int, int, int& W, int& H, bool& DrawText, TCellHAlign& HAlign,
                                                TCellVAlign& VAlign) {
  W = H = 0;
  DrawText = true;
  HAlign = haLeft;
  VAlign = vaTop;
  return nullptr;
}

void VIduZozezuVodu::DrawCellGraphic(TCellPaintInfo&, bool) {}
