// Spreadsheet exchange through the spreadsheet automation server: the sheet
// names of a workbook, a sheet's used area into the grid, the grid into a
// sheet. Only the server's calls below are made, in this order.
#include "grid/exchange/automation.h"
#include "grid/exchange/xlsaddress.h"
#include "grid/radoriz.h"
#include "platform/rtl/classes_strings.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr const char* ExcelProgID = "excel.application";
constexpr const char* ExcelNotFound = "Excel OLE server not found";

// The sheet named Name (the last of that name), or empty.
Variant FindSheet(const Variant& Workbook, const AnsiString& Name) {
  Variant Found;
  const int Count = Workbook.OlePropertyGet("Sheets").OlePropertyGet("Count").AsInteger();
  for (int I = 1; I <= Count; ++I) {
    Variant Sheet = Workbook.OlePropertyGet("Sheets", I);
    if (VarToStr(Sheet.OlePropertyGet("Name")) == Name) Found = Sheet;
  }
  return Found;
}

}  // namespace

std::unique_ptr<TStringList> VIduZozezuVodu::GetXLSSheets(const AnsiString& FileName) {
  Variant Excel = CreateServer(ExcelProgID, ExcelNotFound);
  auto List = std::make_unique<TStringList>();
  WithClosing(
      [&] {
        const Variant Workbook = Excel.OlePropertyGet("WorkBooks").OleFunction("Open", FileName);
        const Variant Sheets = Workbook.OlePropertyGet("WorkSheets");
        const int Count = Sheets.OlePropertyGet("Count").AsInteger();
        for (int I = 1; I <= Count; ++I) List->Add(VarToStr(Sheets.OleFunction("item", I).OlePropertyGet("Name")));
        Workbook.OlePropertySet("Saved", true);
      },
      [&] {
        Variant Server = std::move(Excel);
        Server.OleProcedure("Quit");
      });
  return List;
}

void VIduZozezuVodu::LoadXLS(const AnsiString& FileName, const AnsiString& SheetName) {
  THourGlass Cursor(*this);
  Variant Excel = CreateServer(ExcelProgID, ExcelNotFound);
  WithClosing(
      [&] {
        const Variant Workbook = Excel.OlePropertyGet("WorkBooks").OleFunction("Open", FileName);
        Variant Sheet;
        if (!SheetName.empty()) {
          Sheet = FindSheet(Workbook, SheetName);
          if (!Sheet.IsDispatch()) throw EDidAvovError("Excel worksheet " + SheetName + " not found");
        } else {
          Sheet = Workbook.OlePropertyGet("ActiveSheet");
        }
        const AnsiString Address = VarToStr(Sheet.OlePropertyGet("UsedRange").OlePropertyGet("Address"));
        const TXLSArea Area = ParseXLSAddress(Address);
        // An address that cannot be read names no cells to fetch.
        if (Area.Valid()) {
          const int FixedC = GetFixedCols(), FixedR = GetFixedRows();
          SetColCountEx(Area.Right - Area.Left + 1);
          SetRowCountEx(Area.Bottom - Area.Top + 1);
          const AnsiString Range = XLSColumnLetters(Area.Left) + IntToStr(Area.Top) + ":" +
                                   XLSColumnLetters(Area.Right) + IntToStr(Area.Bottom);
          const Variant Values = Sheet.OlePropertyGet("Range", Range).OlePropertyGet("Value");
          const int CO = FSaveFixedCells ? 0 : FixedC, RO = FSaveFixedCells ? 0 : FixedR;
          if (CO || RO) {
            SetColCountEx(GetColCount() + CO);
            SetRowCountEx(GetRowCount() + RO);
          }
          if (FixedC < GetColCount()) SetFixedCols(FixedC);
          if (FixedR < GetRowCount()) SetFixedRows(FixedR);
          // A one-cell range answers its value rather than an array.
          const bool IsArray = VarArrayDimCount(Values) == 2;
          const int LowI = IsArray ? VarArrayLowBound(Values, 1) : 1, HighI = IsArray ? VarArrayHighBound(Values, 1) : 1;
          const int LowJ = IsArray ? VarArrayLowBound(Values, 2) : 1, HighJ = IsArray ? VarArrayHighBound(Values, 2) : 1;
          for (int I = 1; I <= GetRowCount() - RO; ++I)
            for (int J = 1; J <= GetColCount() - CO; ++J) {
              if (I < LowI || I > HighI || J < LowJ || J > HighJ) continue;
              const Variant& V = IsArray ? Values.GetElement(I, J) : Values;
              const TVarType T = VarType(V);
              if (T == varDispatch || T == varError || VarIsArray(V)) continue;
              LoadCell(J - 1 + CO, I - 1 + RO, VarIsEmpty(V) ? AnsiString() : VarToStr(V));
            }
        }
        Workbook.OleProcedure("Close", NamedParm("SaveChanges", false));
      },
      [&] {
        Variant Server = std::move(Excel);
        Server.OleProcedure("Quit");
        Server = Variant();
        Cursor.Restore();
        CellsChanged(TGridRect{0, 0, GetColCount(), GetRowCount()});
        CellsLoaded();
      });
}

void VIduZozezuVodu::SaveXLS(const AnsiString& FileName, const AnsiString& SheetName, bool CreateNew) {
  THourGlass Cursor(*this);
  bool WasRunning = false;
  Variant Excel = RunningOrNewServer(ExcelProgID, ExcelNotFound, WasRunning);
  WithClosing(
      [&] {
        bool SaveAs = true;
        int StartRow = 1;
        Variant Workbook, Sheet;
        if (!SheetName.empty()) {
          if (FileExists(FileName)) {
            try {
              Workbook = Excel.OlePropertyGet("WorkBooks").OleFunction("Open", FileName);
              SaveAs = false;
            } catch (const EOleError&) {
              Workbook = Variant();
            }
          }
          // A workbook that cannot be opened is replaced by a new one; one
          // that cannot be added either passes the server's error on.
          if (!Workbook.IsDispatch()) Workbook = Excel.OlePropertyGet("WorkBooks").OleFunction("Add");
          Sheet = FindSheet(Workbook, SheetName);
          if (!Sheet.IsDispatch()) {
            Sheet = Workbook.OlePropertyGet("WorkSheets").OleFunction("Add");
            Sheet.OlePropertySet("Name", SheetName);
          }
        } else if (CreateNew || Excel.OlePropertyGet("WorkBooks").OlePropertyGet("Count").AsInteger() == 0) {
          Workbook = Excel.OlePropertyGet("WorkBooks").OleFunction("Add");
          Sheet = Workbook.OlePropertyGet("Sheets", 1);
        } else {
          Workbook = Excel.OlePropertyGet("ActiveWorkBook");
          Sheet = Workbook.OlePropertyGet("ActiveSheet");
          StartRow = Excel.OlePropertyGet("ActiveCell").OlePropertyGet("Row").AsInteger();
        }
        const int FC = FSaveFixedCells ? 0 : GetFixedCols(), FR = FSaveFixedCells ? 0 : GetFixedRows();
        const int Rows = GetRowCount() - FR, Cols = GetColCount() - FC;
        Variant Values = VarArrayCreate({0, Rows - 1, 0, Cols - 1}, varVariant);
        ExportNotification(esExportStart, -1);
        for (int R = FR; R < GetRowCount(); ++R) {
          ExportNotification(esExportNewRow, R);
          for (int C = FC; C < GetColCount(); ++C) Values.PutElement(LineFeedsToXLS(SaveCell(RemapCol(C), R)), R - FR, C - FC);
        }
        ExportNotification(esExportDone, -1);
        const AnsiString Target =
            "A" + IntToStr(StartRow) + ":" + XLSColumnLetters(Cols) + IntToStr(StartRow + Rows - 1);
        Sheet.OlePropertyGet("Range", Target).OlePropertySet("Value", Values);
        if (SaveAs)
          Workbook.OleProcedure("SaveAs", FileName);
        else
          Workbook.OleProcedure("Save");
      },
      [&] {
        Variant Server = std::move(Excel);
        if (!WasRunning) Server.OleProcedure("Quit");
        Server = Variant();
        Cursor.Restore();
      });
}
