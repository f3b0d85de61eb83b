// What the renderer knows of the cell it is painting, handed from the look
// resolution to the text step and the graphic step of a cell's paint.
#pragma once

#include "grid/cellgraphic.h"
#include "grid/cellproperties.h"
#include "platform/grids/grids.h"

struct TCellPaintInfo {
  TCanvas* Canvas = nullptr;
  int ACol = 0;  // display column
  int RCol = 0;  // real column
  int ARow = 0;
  TGridDrawState State = 0;
  TRect Rect;      // the working rectangle the steps move
  TRect CellRect;  // the whole cell as the paint cycle gave it
  // Brush and font colours as the colour query left them.
  TColor BrushColor = clNone;
  TColor FontColor = clNone;
  int ScrollBarPos = 0;  // position of an in-cell scroll bar, 0 without one
  // The cell graphic as measured for layout.
  TCellGraphic* Graphic = nullptr;
  int GraphicWidth = 0;
  int GraphicHeight = 0;
  bool DrawText = true;
  TCellHAlign GraphicHAlign = haLeft;
  TCellVAlign GraphicVAlign = vaTop;
  // Resolved text look.
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  // Out of the text step: drawn text width + 2 (0 when not measured) and
  // the text height.
  int TextWidth = 0;
  int TextHeight = 0;
};

// Draw-text flag words by word wrap, horizontal and vertical alignment. Each
// grid keeps its own: one with Multilinecells clears "word wrap off" for its
// own painting only.
struct TDrawTextFlags {
  unsigned WordWrap[2] = {0x20, 0x2010};  // off: single line; on: word break + edit control
  unsigned HAlign[3] = {0, 2, 1};         // taLeftJustify, taRightJustify, taCenter
  unsigned VAlign[3] = {0, 4, 8};         // vtaTop, vtaCenter, vtaBottom
};
