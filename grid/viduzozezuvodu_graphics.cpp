// The grid's road to a cell's graphic, the typed views of cell texts and the
// password query.
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/sysutils.h"

namespace {

TCellGraphic* OwnGraphic(const TCellProperties* P) {
  return P ? dynamic_cast<TCellGraphic*>(P->GraphicObject) : nullptr;
}

}  // namespace

TCellGraphic* VIduZozezuVodu::GetCellGraphic(int ACol, int ARow) {
  TObject* O = GetGraphicObjectEx(ACol, ARow);
  auto* G = dynamic_cast<TCellGraphic*>(O);
  if (O && !G) return nullptr;
  if (ACol == 0 && FMouseActions->GetHotmailRowSelect()) {
    // Flat check boxes come with the control look.
    FSpareRowCheck->CellType = ctRowCheckBox;
    FSpareRowCheck->CellTransparent = false;
    FSpareRowCheck->CellBoolean = GetRowSelect(ARow);
    return FSpareRowCheck;
  }
  return G;
}

TCellType VIduZozezuVodu::GetCellType(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return ctEmpty;
  TObject* O = GetGraphicObjectEx(ACol, ARow);
  auto* G = dynamic_cast<TCellGraphic*>(O);
  if (O && !G) return ctEmpty;
  if (ACol == 0 && FMouseActions->GetHotmailRowSelect()) return ctRowCheckBox;
  return G ? G->CellType : ctEmpty;
}

TCellGraphic* VIduZozezuVodu::CreateCellGraphic(int ACol, int ARow) {
  // The cell's own graphic goes, even where the spare row check box stands
  // in for it.
  TCellProperties* P = PropsOf(ACol, ARow);
  if (TCellGraphic* Old = OwnGraphic(P)) {
    P->GraphicObject = nullptr;
    delete Old;
  }
  auto* G = new TCellGraphic;
  // An empty cell gets its properties through a blank text step.
  SetGraphicObjectEx(ACol, ARow, G);
  if (NumHiddenColumns() > 0 && RemapColInv(ACol) != ACol) RepaintCell(RemapColInv(ACol), ARow);
  return G;
}

bool VIduZozezuVodu::FreeCellGraphic(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return false;
  // The spare row check box is not the cell's: the cell keeps its own.
  if (G == FSpareRowCheck) return true;
  TCellProperties* P = PropsOf(ACol, ARow);
  if (P) P->GraphicObject = nullptr;
  if (G->CellType != ctVirtCheckBox && G->CellType != ctRowCheckBox) delete G;
  return true;
}

bool VIduZozezuVodu::RemoveCellGraphic(int ACol, int ARow, TCellType AType) {
  return GetCellType(ACol, ARow) == AType && FreeCellGraphic(ACol, ARow);
}

TIntList* VIduZozezuVodu::GetCellImages(int ACol, int ARow) {
  if (GetCellType(ACol, ARow) != ctImages) return nullptr;
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return G ? dynamic_cast<TIntList*>(G->CellContent) : nullptr;
}

int VIduZozezuVodu::GetCellImageIdx(int ACol, int ARow) {
  TCellType T = GetCellType(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return -1;
  const TObject* O = nullptr;
  switch (T) {
    case ctImageList:
      return G->CellIndex;
    case ctBitmap:
      O = G->CellContent;
      break;
    case ctIcon:
      O = G->CellExtra;
      break;
    default:
      return -1;
  }
  if (!O) return -1;
  // Small numbers in order of first use: pointers do not fit an int.
  auto It = FImageIds.try_emplace(O, static_cast<int>(FImageIds.size())).first;
  return It->second;
}

// ---- typed cell views -----------------------------------------------------------------------------

namespace {

const char* const SNoInteger = "Cell does not contain integer value";
const char* const SNoFloat = "Cell does not contain a float value";

double ParseCellFloat(const AnsiString& Text) {
  double V = 0;
  if (!TryCellFloat(Text, V)) throw EDidAvovError(SNoFloat);
  return V;
}

}  // namespace

bool TryCellFloat(const AnsiString& Text, double& Value) {
  Value = 0;
  AnsiString T = Trim(Text);
  if (T.empty() || T == "-") return true;
  AnsiString S = RemoveSeps(Text);
  if (S == "-") return true;
  int Code = 0;
  if (!S.empty()) Val(S, Value, Code);
  if (S.empty() || Code != 0) {
    Value = 0;
    return false;
  }
  return true;
}

int VIduZozezuVodu::GetInts(int ACol, int ARow) {
  AnsiString S = GetCellEx(ACol, ARow);
  if (S.empty() || S == "-") return 0;
  int V = 0;
  if (!TryStrToInt(S, V)) throw EDidAvovError(SNoInteger);
  return V;
}

void VIduZozezuVodu::SetInts(int ACol, int ARow, int Value) {
  SetCellEx(ACol, ARow, IntToStr(Value));
  if (NumHiddenColumns() > 0) RepaintCell(RemapColInv(ACol), ARow);
}

double VIduZozezuVodu::GetFloats(int ACol, int ARow) { return ParseCellFloat(GetCellEx(ACol, ARow)); }

void VIduZozezuVodu::SetFloats(int ACol, int ARow, double Value) {
  SetCellEx(ACol, ARow, Format(FFloatFormat, {Value}));
}

double VIduZozezuVodu::GetAllFloats(int ACol, int ARow) { return ParseCellFloat(GetCellsEx(ACol, ARow)); }

void VIduZozezuVodu::SetAllFloats(int ACol, int ARow, double Value) {
  SetCellsEx(ACol, ARow, Format(FFloatFormat, {Value}));
}

TDateTime VIduZozezuVodu::GetDates(int ACol, int ARow) { return StrToDate(GetCellEx(ACol, ARow)); }

void VIduZozezuVodu::SetDates(int ACol, int ARow, TDateTime Value) {
  SetCellEx(ACol, ARow, Value > 0 || FAllowZeroDates ? DateToStr(Value) : AnsiString());
}

TDateTime VIduZozezuVodu::GetTimes(int ACol, int ARow) { return StrToTime(GetCellEx(ACol, ARow)); }

void VIduZozezuVodu::SetTimes(int ACol, int ARow, TDateTime Value) { SetCellEx(ACol, ARow, TimeToStr(Value)); }

WideString VIduZozezuVodu::GetWideCells(int ACol, int ARow) { return DecodeWideStr(GetCellEx(ACol, ARow)); }

void VIduZozezuVodu::SetWideCells(int ACol, int ARow, const WideString& Value) {
  SetGridCell(ACol, ARow, EncodeWideStr(Value));
}

// A named form control inside the cell's markup; a cell without it reads empty
// and is left untouched on write.
AnsiString VIduZozezuVodu::GetCtrlVal(int ACol, int ARow, const AnsiString& AName) {
  AnsiString Value;
  if (!GetControlValue(GetCellEx(ACol, ARow), AName, Value)) return AnsiString();
  return Value;
}

void VIduZozezuVodu::SetCtrlVal(int ACol, int ARow, const AnsiString& AName, const AnsiString& Value) {
  AnsiString S = GetCellEx(ACol, ARow);
  if (SetControlValue(S, AName, Value)) SetCellEx(ACol, ARow, S);
}
