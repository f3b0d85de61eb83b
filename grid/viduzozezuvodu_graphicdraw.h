// Pieces of the cell graphic step that stand on their own: where a graphic
// goes in its cell, and which bitmap a check box or radio button shows.
#pragma once

#include "grid/cellgraphic.h"
#include "grid/cellproperties.h"
#include "grid/controllook.h"

struct TGraphicPlacement {
  TRect Rect;  // the cell's working rectangle
  int W = 0, H = 0;
  TCellType Type = ctNone;
  TCellHAlign GraphicHAlign = haLeft;
  TCellVAlign GraphicVAlign = vaTop;
  TAlignment TextHAlign = taLeftJustify;
  TVAlignment TextVAlign = vtaTop;
  TVAlignment GridVAlign = vtaTop;
  int TextWidth = 0;  // as recorded by the text step, 0 when not measured
  TPoint XYOffset{2, 2};
};

// The graphic's box inside the cell.
TRect PlaceCellGraphic(const TGraphicPlacement& P);

// The resource a bitmap style shows for a check box or radio button; empty
// for styles that draw themselves.
AnsiString CheckResourceName(TCellControlStyle Style, bool Checked, bool Enabled);
AnsiString RadioResourceName(TCellControlStyle Style, bool Checked, bool Enabled);

// The style radio buttons are drawn in: an unthemed grid draws the theme
// style in the classic one. A click measures the items by the same style.
inline TCellControlStyle RadioStyleDrawn(TCellControlStyle Style, bool Themed) {
  return Style == csTheme && !Themed ? csClassic : Style;
}
