// An object that draws itself in a cell (cells of type ctInterface).
#pragma once

#include "platform/graphics/graphics.h"

class VIduZozezuVodu;

class ICellGraphic {
public:
  virtual ~ICellGraphic() = default;
  virtual void Draw(TCanvas* Canvas, const TRect& R, VIduZozezuVodu* Grid, bool Selected, int ARow, int ACol) = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // Painted under the cell text rather than over it.
  virtual bool IsBackground() = 0;
};
