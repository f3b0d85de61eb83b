// The floating footer panel under the grid's cells: the grid's last row,
// a preview of one column of the current row, or an HTML template filled
// with cells of the current row, painted by the grid's cell renderer.
#pragma once

#include "platform/comctrls/extctrls.h"

class VIduZozezuVodu;

class TFooterPanel : public TCustomPanel {
public:
  // The owner must be a VIduZozezuVodu (EInvalidCast otherwise).
  explicit TFooterPanel(TComponent* AOwner);

  // The template with each "<#n>" replaced by the text of column n in the
  // current row; a tag without a number (or outside the grid) gives nothing
  // and a "<#" without a later ">" is kept as text.
  AnsiString HTMLColReplace(const AnsiString& Template);
  // The rectangle mirrored around the client width when right-to-left.
  TRect RTLCoord(bool RightToLeft, TRect R);
  // The column whose right edge lies past X (as a 1-based index, fixed
  // columns first, then from LeftCol), -1 beyond the last column.
  int ColumnAtX(int X);
  int GetLastHintColumn() const { return FLastHintCol; }
  // Width of the fixed columns and of the columns from LeftCol on.
  int FooterWidth();
  VIduZozezuVodu* GetGrid() const { return FGrid; }

  int PaintLastRow();
  int PaintColPreview();
  int PaintCustomPreview();

protected:
  void CreateWnd() override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  // The footer area (limited to the footer width, right-aligned when
  // right-to-left); the rest is filled with the grid's colour.
  TRect FooterArea(TColor AreaColor);
  void FramePreview(const TRect& R);
  VIduZozezuVodu* FGrid;
  int FLastHintCol = -1;
};
