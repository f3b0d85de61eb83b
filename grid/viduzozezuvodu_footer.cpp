// The footer row's calculation: each column's type is kept in the
// properties of its cell in the last row.
#include "grid/viduzozezuvodu.h"

TColumnCalcType TFloatingFooter::GetColumnCalc(int ACol) const {
  int F = FGrid->GetRowCount() - 1;
  if (F < 0 || !FGrid->HasCellProperties(ACol, F)) return acNONE;
  return FGrid->GetCellProperties(ACol, F)->CalcType;
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value) {
  int F = FGrid->GetRowCount() - 1;
  if (F < 0) return;
  FGrid->GetCellProperties(ACol, F)->CalcType = Value;
  FGrid->UpdateCell(ACol, F);
}

void VIduZozezuVodu::DoCalcFooter(int ACol) {
  if (!FFloatingFooter->IsFixedLastRow() || !FFloatingFooter->GetEnableCalculation()) return;
  int From = ACol == -1 ? 0 : ACol, To = ACol == -1 ? GetAllColCount() - 1 : ACol;
  int F = GetRowCount() - 1;
  int H = FFloatingFooter->CalculateHiddenRows ? NumHiddenRows() : 0;
  int First = GetFixedRowsEx(), Last = GetRowCount() + H - 2;
  for (int c = From; c <= To; ++c) {
    if (F < 0 || !HasCellProperties(c, F)) continue;
    switch (GetCellProperties(c, F)->CalcType) {
      case acSUM:
        SetFloats(c, F, ColumnSum(c, First, Last));
        break;
      case acAVG:
        SetFloats(c, F, ColumnAvg(c, First, Last));
        break;
      case acCOUNT:
        SetInts(c, F, GetRowCount() + H - First - 1);
        break;
      case acMIN:
        SetFloats(c, F, ColumnMin(c, First, Last));
        break;
      case acMAX:
        SetFloats(c, F, ColumnMax(c, First, Last));
        break;
      case acCUSTOM: {
        AnsiString Value;
        if (OnFooterCalc)
          OnFooterCalc(this, c, GetRowCount() + H - 1, Value);
        else if (FFloatingFooter->OnCalcFooter)
          FFloatingFooter->OnCalcFooter(this, c, GetRowCount() + H - 1, Value);
        SetCellEx(c, F, Value);
        break;
      }
      case acNONE:
      case acSPREAD:
        break;
    }
  }
}
