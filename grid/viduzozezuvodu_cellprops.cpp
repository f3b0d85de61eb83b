// Per-cell property accessors (column real, row displayed) and the row-wide
// colour setters. Setters repaint the cell where it is shown.
#include "grid/viduzozezuvodu.h"

TColor VIduZozezuVodu::GetColors(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->GetBrushColor() : clNone;
}

void VIduZozezuVodu::SetColors(int ACol, int ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetBrushColor(Value);
  if (FUpdateCount == 0) RepaintCell(DisplColIndex(ACol), ARow);
}

TColor VIduZozezuVodu::GetColorsTo(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->GetBrushColorTo() : clNone;
}

void VIduZozezuVodu::SetColorsTo(int ACol, int ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
  RepaintCell(DisplColIndex(ACol), ARow);
}

TCellGradientDirection VIduZozezuVodu::GetGradientDir(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->GradientDirection : GradientVertical;
}

void VIduZozezuVodu::SetGradientDir(int ACol, int ARow, TCellGradientDirection Value) {
  GetCellProperties(ACol, ARow)->GradientDirection = Value;
  RepaintCell(DisplColIndex(ACol), ARow);
}

TColor VIduZozezuVodu::GetFontColors(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->FontColor : clNone;
}

void VIduZozezuVodu::SetFontColors(int ACol, int ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->FontColor = Value;
  RepaintCell(DisplColIndex(ACol), ARow);
}

TFontStyles VIduZozezuVodu::GetFontStyles(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->FontStyle : TFontStyles();
}

void VIduZozezuVodu::SetFontStyles(int ACol, int ARow, TFontStyles Value) {
  GetCellProperties(ACol, ARow)->FontStyle = Value;
  RepaintCell(DisplColIndex(ACol), ARow);
}

AnsiString VIduZozezuVodu::GetFontNames(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->FontName : AnsiString();
}

void VIduZozezuVodu::SetFontNames(int ACol, int ARow, const AnsiString& Value) {
  GetCellProperties(ACol, ARow)->FontName = Value;
  RepaintCell(DisplColIndex(ACol), ARow);
}

int VIduZozezuVodu::GetFontSizes(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->FontSize : 0;
}

void VIduZozezuVodu::SetFontSizes(int ACol, int ARow, int Value) {
  GetCellProperties(ACol, ARow)->FontSize = Value;
  RepaintCell(DisplColIndex(ACol), ARow);
}

TAlignment VIduZozezuVodu::GetAlignments(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->GetAlignment() : taLeftJustify;
}

void VIduZozezuVodu::SetAlignments(int ACol, int ARow, TAlignment Value) {
  GetCellProperties(ACol, ARow)->SetAlignment(Value);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool VIduZozezuVodu::GetWordWraps(int ACol, int ARow) { return GetCellProperties(ACol, ARow)->GetWordWrap(); }

void VIduZozezuVodu::SetWordWraps(int ACol, int ARow, bool Value) {
  GetCellProperties(ACol, ARow)->SetWordWrap(Value);
}

bool VIduZozezuVodu::GetReadOnly(int ACol, int ARow) { return GetCellProperties(ACol, ARow)->ReadOnly; }

void VIduZozezuVodu::SetReadOnly(int ACol, int ARow, bool Value) { GetCellProperties(ACol, ARow)->ReadOnly = Value; }

// ---- in-cell controls ---------------------------------------------------------------------------

TControl* VIduZozezuVodu::GetCellControls(int ACol, int ARow) const {
  const TCellProperties* P = PropsOf(ACol, ARow);
  return P ? P->Control : nullptr;
}

void VIduZozezuVodu::SetCellControls(int ACol, int ARow, TControl* Value) {
  // The list keys controls by real row, so that hiding rows moves no entry.
  int Real = RemapRowInv(ARow);
  int Idx = FControlList->ControlIndex(ACol, Real);
  TCellProperties* P = GetCellProperties(ACol, ARow);
  if (Value) {
    if (Idx >= 0) FControlList->RemoveControl(Idx);
    if (!P->Control) ++FCellControlCount;
    FControlList->AddControl(ACol, Real, Value);
    P->Control = Value;
    Value->SetParent(this);
    TRect R = CellRect(ACol, ARow);
    Value->SetBounds(R.left, R.top, R.right - R.left - 1, R.bottom - R.top - 1);
    return;
  }
  if (P->Control) {
    if (Idx >= 0) FControlList->RemoveControl(Idx);
    if (FCellControlCount > 0) --FCellControlCount;
  }
  P->Control = nullptr;
}

void VIduZozezuVodu::RowControlsUp(int FromReal, int ACount) {
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It->Y >= FromReal) It->Y -= ACount;
  }
}

// ---- row-wide colours ---------------------------------------------------------------------------

void VIduZozezuVodu::RowColorStep(int ARow, TColor Value, bool FontColor) {
  for (int c = GetFixedCols(); c < GetAllColCount(); ++c) {
    if (Value != clNone) {
      TCellProperties* P = GetCellProperties(c, ARow);
      if (FontColor)
        P->FontColor = Value;
      else
        P->SetBrushColor(Value);
    } else if (!FontColor || GetColors(c, ARow) == clNone) {
      // Only the looks go: merges, graphics, objects and controls stay.
      ResetCellLooks(c, ARow);
    }
  }
}

void VIduZozezuVodu::SetRowColor(int ARow, TColor Value) {
  RowColorStep(ARow, Value, false);
  RepaintRow(ARow);
}

void VIduZozezuVodu::SetRowColorTo(int ARow, TColor Value) {
  if (Value == clNone) {
    RowColorStep(ARow, Value, false);
  } else {
    for (int c = GetFixedCols(); c < GetAllColCount(); ++c) GetCellProperties(c, ARow)->SetBrushColorTo(Value);
  }
  RepaintRow(ARow);
}

void VIduZozezuVodu::SetRowFontColor(int ARow, TColor Value) {
  RowColorStep(ARow, Value, true);
  RepaintRow(ARow);
}
