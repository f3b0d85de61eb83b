// The text step of a cell's paint: selection colours, background bitmap or
// gradient, selection rectangle, filter glyph, the text and the sort mark.
#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::DrawCellText(TCellPaintInfo&) {}
