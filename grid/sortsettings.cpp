#include "grid/sortsettings.h"

#include "grid/gridlists.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

TSortSettings::TSortSettings(VIduZozezuVodu* AGrid)
    : FGrid(AGrid), FUpGlyph(new TBitmap), FDownGlyph(new TBitmap), FIndexUpGlyph(new TBitmap),
      FIndexDownGlyph(new TBitmap) {}

TSortSettings::~TSortSettings() {
  delete FUpGlyph;
  delete FDownGlyph;
  delete FIndexUpGlyph;
  delete FIndexDownGlyph;
}

void TSortSettings::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSortSettings*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  AutoSortForGrouping = s->AutoSortForGrouping;
  AutoColumnMerge = s->AutoColumnMerge;
  Column = s->Column;
  FShow = s->FShow;
  IndexShow = s->IndexShow;
  IndexColor = s->IndexColor;
  Full = s->Full;
  SingleColumn = s->SingleColumn;
  IgnoreBlanks = s->IgnoreBlanks;
  BlankPos = s->BlankPos;
  AutoFormat = s->AutoFormat;
  Direction = s->Direction;
  FUpGlyph->Assign(s->FUpGlyph);
  FDownGlyph->Assign(s->FDownGlyph);
  FIndexUpGlyph->Assign(s->FIndexUpGlyph);
  FIndexDownGlyph->Assign(s->FIndexDownGlyph);
  InitSortDirection = s->InitSortDirection;
  FixedCols = s->FixedCols;
  NormalCellsOnly = s->NormalCellsOnly;
  FRow = s->FRow;
  UndoSort = s->UndoSort;
  FHeaderColor = s->FHeaderColor;
  FHeaderColorTo = s->FHeaderColorTo;
  FHeaderMirrorColor = s->FHeaderMirrorColor;
  FHeaderMirrorColorTo = s->FHeaderMirrorColorTo;
}

void TSortSettings::SetShow(bool Value) {
  if (Value == FShow) return;
  FShow = Value;
  if (FGrid) FGrid->Invalidate();
}

void TSortSettings::SetSortRow(int Value) {
  if (FGrid && Value > FGrid->GetFixedRowsEx()) throw Exception("Sort row should be smaller than number of fixed rows");
  FRow = Value;
}

void TSortSettings::RepaintHeaderRow() {
  if (FGrid && FGrid->GetFixedRowsEx() > 0) FGrid->RepaintRow(FGrid->GetFixedRowsEx() - 1);
}

void TSortSettings::SetHeader(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  RepaintHeaderRow();
}

void TSortSettings::Remove() {
  Column = -1;
  if (FGrid) FGrid->GetSortIndexes()->Clear();
  RepaintHeaderRow();
}

AnsiString TSortSettings::SaveToString() const {
  if (IndexShow) return "i;" + (FGrid ? FGrid->GetSortIndexes()->SaveToString() : AnsiString());
  return (Direction == sdDescending ? "d" : "u") + IntToStr(Column);
}

void TSortSettings::LoadFromString(const AnsiString& Value) {
  if (Value.empty()) return;
  SetShow(true);
  if (Utf8Length(Value) < 2) throw Exception("Invalid sort settings specifier");
  if (Value.find("i;") != AnsiString::npos) {
    IndexShow = true;
    if (!FGrid) return;
    FGrid->GetSortIndexes()->LoadFromString(Value.substr(2));
    FGrid->QSortIndexed();
    return;
  }
  IndexShow = false;
  Direction = Value.find('u') != AnsiString::npos ? sdAscending : sdDescending;
  int col = 0;
  if (!TryStrToInt(Value.substr(1), col)) return;
  // A column the grid does not have would sort by nothing real.
  if (FGrid && (col < 0 || col >= FGrid->GetAllColCount())) return;
  Column = col;
  if (FGrid) FGrid->QSort();
}
