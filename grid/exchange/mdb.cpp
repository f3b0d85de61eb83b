// A query on a desktop database into the grid, through the data access
// automation objects. The cursor is left alone and nothing is caught: the
// automation error of a missing server or a failing query reaches the caller.
#include "grid/viduzozezuvodu.h"
#include "platform/ole/comobj.h"
#include "platform/rtl/sysutils.h"

void VIduZozezuVodu::LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& SQL) {
  const Variant Connection = CreateOleObject("ADODB.Connection");
  Connection.OleProcedure("Open", "Driver={Microsoft Access Driver (*.mdb)};DBQ=" + FileName);
  const Variant Records = CreateOleObject("ADODB.RecordSet");
  Records.OlePropertySet("ActiveConnection", Connection);
  Records.OleProcedure("Open", SQL);
  const int N = Records.OlePropertyGet("Fields").OlePropertyGet("Count").AsInteger();
  SetColCountEx(GetFixedCols() + N);
  if (GetFixedRows() > 0)
    for (int F = 0; F < N; ++F)
      SetCells(GetFixedCols() + F, GetFixedRows() - 1, VarToStr(Records.OlePropertyGet("Fields", F).OlePropertyGet("Name")));
  const int Count = Records.OlePropertyGet("RecordCount").AsInteger();
  if (Count > 0) SetRowCountEx(GetFixedRows() + Count);
  int I = GetFixedRows();
  while (!Records.OlePropertyGet("EOF").AsBoolean()) {
    if (GetRowCount() <= I) SetRowCountEx(I + 1);
    for (int F = 0; F < N; ++F) {
      const Variant Field = Records.OlePropertyGet("Fields", F);
      if (Field.OlePropertyGet("ActualSize").AsInt64() > 0)
        LoadCell(GetFixedCols() + F, I, VarToStr(Field.OlePropertyGet("Value")));
      else
        LoadCell(GetFixedCols() + F, I, "");
    }
    Records.OleProcedure("MoveNext");
    ++I;
  }
  Records.OleProcedure("Close");
  Connection.OleProcedure("Close");
}
