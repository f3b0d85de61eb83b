// Spreadsheet, document and database exchange against the scripted test
// server: each operation's calls compared with the log it must make, the
// cases of used areas, target ranges, bookmarks and records, the cursor and
// the closing calls on every path; without a server, the reports.
#include "exchange_fixture.h"
#include "grid/exchange/xlsaddress.h"
#include "platform/ole/comobj.h"
#include "platform/rtl/classes_strings.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/scripted_automation.h"

namespace {

using TLog = std::vector<std::string>;
using TTable = std::vector<std::vector<AnsiString>>;

Variant Array(const TTable& Rows) {
  Variant A = VarArrayCreate({1, static_cast<int>(Rows.size()), 1, static_cast<int>(Rows[0].size())}, varVariant);
  for (std::size_t I = 0; I < Rows.size(); ++I)
    for (std::size_t J = 0; J < Rows[I].size(); ++J)
      if (!Rows[I][J].empty()) A.PutElement(Rows[I][J], static_cast<int>(I) + 1, static_cast<int>(J) + 1);
  return A;
}

class Office : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* Id : Servers) UnregisterOleServer(Id);
    G.SetCursor(crCross);
  }
  void TearDown() override {
    for (const char* Id : Servers) UnregisterOleServer(Id);
    Script->Reset();
  }
  void Excel() { Script->Register("excel.application", "excel"); }
  // The grid's cursor while the server works, seen from inside a call.
  void WatchCursor(const std::string& Key) {
    Script->Answers[Key] = [this, Key](const TDispatchArgs&) {
      CursorInside = G.GetCursor();
      return Script->Object(Key);
    };
  }
  static constexpr const char* Servers[] = {"excel.application", "word.application", "ADODB.Connection",
                                            "ADODB.RecordSet"};
  std::shared_ptr<TAutomationScript> Script = std::make_shared<TAutomationScript>();
  TRecordingGrid G{nullptr};
  TCursor CursorInside = crDefault;
};

const std::string Book = "excel.WorkBooks.Open";
const std::string Active = Book + ".ActiveSheet";

}  // namespace

TEST(XlsAddress, ColumnLettersAndUsedAreas) {
  const std::pair<int, const char*> Letters[] = {{1, "A"},    {26, "Z"},    {27, "AA"},  {30, "AD"},
                                                 {52, "AZ"},  {53, "BA"},   {702, "ZZ"}, {703, "AAA"},
                                                 {16384, "XFD"}, {0, ""}};
  for (const auto& [N, S] : Letters) {
    EXPECT_EQ(XLSColumnLetters(N), S) << N;
    if (N > 0) {
      EXPECT_EQ(XLSLetterColumn(S), N) << S;
    }
  }
  struct {
    const char* Address;
    int L, T, R, B;
  } Areas[] = {
      {"$A$1:$C$5", 1, 1, 3, 5},   {"A1:C5", 1, 1, 3, 5},       {"$B$3", 2, 3, 2, 3},
      {"$A$1", 1, 1, 1, 1},        {"$2:$5", 1, 2, 256, 5},     {"$ZZ$2:$AAA$9", 702, 2, 703, 9},
      {"$a$1:$c$2", 1, 1, 3, 2},   {"$A$x:$C$5", 1, -1, 3, 5},  {"", -1, -1, -1, -1},
      {"$1$1:$A$A", -1, -1, 1, -1}, {"$A:$C", 1, -1, 3, -1},
  };
  for (const auto& A : Areas) {
    const TXLSArea P = ParseXLSAddress(A.Address);
    EXPECT_EQ((std::vector<int>{P.Left, P.Top, P.Right, P.Bottom}), (std::vector<int>{A.L, A.T, A.R, A.B}))
        << A.Address;
  }
  EXPECT_FALSE(ParseXLSAddress("$C$1:$A$2").Valid());
}

TEST_F(Office, LoadXLSReadsTheUsedArea) {
  Excel();
  Script->Set(Active + ".UsedRange.Address", "$A$1:$C$5");
  Variant Values = Array({{"h1", "h2", "h3"}, {"1", "", "x"}, {"a", "b", "c"}, {"", "", ""}, {"e", "f", "g"}});
  Values.PutElement(Variant::Error(static_cast<HRESULT>(0x800A07D7u)), 3, 2);  // a division error
  Values.PutElement(2.5, 2, 2);
  Script->Set(Active + ".Range.Value", Values);
  WatchCursor("excel.WorkBooks");
  G.SetCells(1, 2, "old");
  G.LoadFromXLS("book.xls");
  EXPECT_EQ(Script->Log, (TLog{"create excel.application", "get excel.WorkBooks",
                               "call excel.WorkBooks.Open(\"book.xls\")", "get " + Active,
                               "get " + Active + ".UsedRange", "get " + Active + ".UsedRange.Address",
                               "get " + Active + ".Range(\"A1:C5\")", "get " + Active + ".Range.Value",
                               "call " + Book + ".Close(SaveChanges:=false)", "call excel.Quit"}));
  EXPECT_EQ(CellTexts(G), (TTable{{"h1", "h2", "h3"}, {"1", FloatToStr(2.5), "x"}, {"a", "old", "c"}, {"", "", ""},
                                  {"e", "f", "g"}}));
  EXPECT_EQ(CursorInside, crHourGlass);
  EXPECT_EQ(G.GetCursor(), crCross);
  EXPECT_EQ(G.Loaded, 1);
  ASSERT_EQ(G.Changed.size(), 1u);
  EXPECT_EQ(G.Changed[0].Right, 3);
  EXPECT_EQ(G.Changed[0].Bottom, 5);
}

TEST_F(Office, LoadXLSWithoutSaveFixedStartsAfterTheFixedCells) {
  Excel();
  Script->Set(Active + ".UsedRange.Address", "$A$1:$C$5");
  Script->Set(Active + ".Range.Value", Array({{"1", "2", "3"}, {"", "", ""}, {"", "", ""}, {"", "", ""}, {"", "", "z"}}));
  G.SetSaveFixedCells(false);
  G.SetFixedCols(1);
  G.SetFixedRows(1);
  G.LoadFromXLS("book.xls");
  EXPECT_EQ(G.GetColCount(), 4);
  EXPECT_EQ(G.GetRowCount(), 6);
  EXPECT_EQ(G.GetFixedCols(), 1);
  EXPECT_EQ(G.GetFixedRows(), 1);
  EXPECT_EQ(G.GetCells(1, 1), "1");
  EXPECT_EQ(G.GetCells(3, 5), "z");
}

TEST_F(Office, LoadXLSOfOneCellAndOfANamedSheet) {
  Excel();
  // Sheets(i) answers sheet i; the last of the name wins.
  Script->Answers[Book + ".Sheets"] = [this](const TDispatchArgs& A) {
    return Script->Object(A.Positional.empty() ? "sheets" : "sheet" + VarToStr(A.Positional[0]));
  };
  Script->Set("sheets.Count", 3);
  Script->Set("sheet1.Name", "Data");
  Script->Set("sheet2.Name", "Other");
  Script->Set("sheet3.Name", "Data");
  Script->Set("sheet3.UsedRange.Address", "$B$3");
  Script->Set("sheet3.Range.Value", "only");  // a one-cell range answers its value
  G.LoadFromXLSSheet("book.xls", "Data");
  const TLog Want = {"create excel.application", "get excel.WorkBooks", "call excel.WorkBooks.Open(\"book.xls\")",
                     "get " + Book + ".Sheets", "get sheets.Count", "get " + Book + ".Sheets(1)",
                     "get sheet1.Name", "get " + Book + ".Sheets(2)", "get sheet2.Name",
                     "get " + Book + ".Sheets(3)", "get sheet3.Name", "get sheet3.UsedRange",
                     "get sheet3.UsedRange.Address", "get sheet3.Range(\"B3:B3\")", "get sheet3.Range.Value",
                     "call " + Book + ".Close(SaveChanges:=false)", "call excel.Quit"};
  EXPECT_EQ(Script->Log, Want);
  EXPECT_EQ(CellTexts(G), TTable{{"only"}});

  // A sheet that is not there: the report, after the closing calls.
  Script->Log.clear();
  G.Loaded = 0;
  try {
    G.LoadFromXLSSheet("book.xls", "Missing");
    ADD_FAILURE();
  } catch (const EDidAvovError& E) {
    EXPECT_EQ(E.Message, "Excel worksheet Missing not found");
  }
  EXPECT_EQ(Script->Log.back(), "call excel.Quit");
  EXPECT_EQ(G.GetCursor(), crCross);
  EXPECT_EQ(G.Loaded, 1);
}

TEST_F(Office, GetXLSSheets) {
  Excel();
  Script->Set(Book + ".WorkSheets.Count", 2);
  Script->Answers[Book + ".WorkSheets.item"] = [this](const TDispatchArgs& A) {
    return Script->Object("ws" + VarToStr(A.Positional.at(0)));
  };
  Script->Set("ws1.Name", "One");
  Script->Set("ws2.Name", "Два");
  const auto List = G.GetXLSSheets("book.xls");
  EXPECT_EQ(List->GetCommaText(), "One,Два");
  EXPECT_EQ(Script->Log,
            (TLog{"create excel.application", "get excel.WorkBooks", "call excel.WorkBooks.Open(\"book.xls\")",
                  "get " + Book + ".WorkSheets", "get " + Book + ".WorkSheets.Count",
                  "call " + Book + ".WorkSheets.item(1)", "get ws1.Name", "call " + Book + ".WorkSheets.item(2)",
                  "get ws2.Name", "put " + Book + ".Saved = true", "call excel.Quit"}));
}

TEST_F(Office, SaveXLSIntoTheRunningServersActiveCell) {
  Excel();
  Script->RegisterRunning("excel.application", "running");
  Script->Set("running.WorkBooks.Count", 1);
  Script->Set("running.ActiveCell.Row", 5);
  G.SetColCountEx(2);
  G.SetRowCountEx(3);
  G.SetCells(0, 0, "a\r\nb");
  G.SetCells(1, 2, "z");
  G.SaveToXLS("out.xls", false);
  const std::string Sheet = "running.ActiveWorkBook.ActiveSheet";
  EXPECT_EQ(Script->Log, (TLog{"get running.WorkBooks", "get running.WorkBooks.Count", "get running.ActiveWorkBook",
                               "get running.ActiveWorkBook.ActiveSheet", "get running.ActiveCell",
                               "get running.ActiveCell.Row", "get " + Sheet + ".Range(\"A5:B7\")",
                               "put " + Sheet + ".Range.Value = array[0..2][0..1]",
                               "call running.ActiveWorkBook.SaveAs(\"out.xls\")"}));  // no Quit: it ran before
  const Variant& V = Script->Puts[Sheet + ".Range.Value"];
  EXPECT_EQ(VarToStr(V.GetElement(0, 0)), "a\nb");
  EXPECT_EQ(VarToStr(V.GetElement(2, 1)), "z");
  using E = std::vector<std::pair<TGridExportState, int>>;
  EXPECT_EQ(G.Exports, (E{{esExportStart, -1}, {esExportNewRow, 0}, {esExportNewRow, 1}, {esExportNewRow, 2},
                          {esExportDone, -1}}));
  EXPECT_EQ(G.GetCursor(), crCross);
  RevokeActiveObject("excel.application");
}

TEST_F(Office, SaveXLSTargetRanges) {
  Excel();
  struct {
    int Cols;
    bool SaveFixed;
    const char* Target;
  } Cases[] = {{30, true, "A1:AD4"}, {52, true, "A1:AZ4"}, {703, true, "A1:AAA4"}, {31, false, "A1:AD3"}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Target);
    Script->Log.clear();
    G.SetSaveFixedCells(C.SaveFixed);
    G.SetColCountEx(C.Cols);
    G.SetRowCountEx(4);
    G.SaveToXLS("new.xls");  // a new workbook
    EXPECT_EQ(Script->Log[3], "get excel.WorkBooks.Add.Sheets(1)");
    EXPECT_EQ(Script->Log[4], std::string("get excel.WorkBooks.Add.Sheets.Range(\"") + C.Target + "\")");
  }
}

TEST_F(Office, SaveXLSToANamedSheet) {
  Excel();
  const std::string File = ScratchName(".xls");
  WriteBytes(File, "workbook");
  Script->Set(Book + ".Sheets.Count", 0);
  G.SetColCountEx(1);
  G.SetRowCountEx(1);
  G.SaveToXLSSheet(File, "Итог");
  EXPECT_EQ(Script->Log,
            (TLog{"create excel.application", "get excel.WorkBooks", "call excel.WorkBooks.Open(\"" + File + "\")",
                  "get " + Book + ".Sheets", "get " + Book + ".Sheets.Count", "get " + Book + ".WorkSheets",
                  "call " + Book + ".WorkSheets.Add", "put " + Book + ".WorkSheets.Add.Name = \"Итог\"",
                  "get " + Book + ".WorkSheets.Add.Range(\"A1:A1\")",
                  "put " + Book + ".WorkSheets.Add.Range.Value = array[0..0][0..0]", "call " + Book + ".Save",
                  "call excel.Quit"}));
  // A workbook that cannot be opened is replaced by a new one.
  Script->Log.clear();
  Script->Raise("excel.WorkBooks.Open", "locked");
  Script->Set("excel.WorkBooks.Add.Sheets.Count", 0);
  G.SaveToXLSSheet(File, "S");
  EXPECT_EQ(Script->Log[3], "get excel.WorkBooks");
  EXPECT_EQ(Script->Log[4], "call excel.WorkBooks.Add");
  EXPECT_EQ(Script->Log[Script->Log.size() - 2], "call excel.WorkBooks.Add.SaveAs(\"" + File + "\")");
  std::remove(File.c_str());
}

TEST_F(Office, SaveXLSErrorsPassAfterTheClosingCalls) {
  Excel();
  G.SetColCountEx(1);
  G.SetRowCountEx(1);
  struct {
    const char* Failing;
    const char* Sheet;
  } Cases[] = {{"excel.WorkBooks.Add.SaveAs", ""}, {"excel.WorkBooks.Add", "S"}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Failing);
    Script->Log.clear();
    Script->Answers.clear();
    Script->Raise(C.Failing, "disk full");
    try {
      G.SaveXLS("x.xls", C.Sheet, true);
      ADD_FAILURE();
    } catch (const EOleException& E) {
      EXPECT_EQ(E.Message, "disk full");
    }
    EXPECT_EQ(Script->Log.back(), "call excel.Quit");
    EXPECT_EQ(G.GetCursor(), crCross);
  }
}

TEST_F(Office, SaveToDOCWritesATable) {
  Script->Register("word.application", "word");
  G.SetColCountEx(2);
  G.SetRowCountEx(2);
  G.SetCells(0, 0, "a");
  G.SetCells(1, 1, "42");
  G.OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& H, TVAlignment&) {
    if (ARow == 1) H = ACol == 0 ? taCenter : taRightJustify;
  };
  WatchCursor("word.Documents");
  G.SaveToDOC("out.doc");
  const std::string Doc = "word.Documents.Add", Table = Doc + ".Tables.Add.Cell";
  const TLog Want = {"create word.application", "get word.Documents", "call word.Documents.Add",
                     "put " + Doc + ".ShowSpellingErrors = false", "get word.Selection",
                     "call word.Selection.TypeText(\"" + G.GetText() + "\")", "call word.Selection.TypeParaGraph",
                     "call " + Doc + ".Range(0, 0)", "get " + Doc + ".Tables",
                     "call " + Doc + ".Tables.Add(<" + Doc + ".Range>, numRows:=2, numColumns:=2)",
                     "call " + Doc + ".Tables.Add.Cell(1, 1)", "get " + Table + ".Range",
                     "call " + Table + ".Range.InsertAfter(\"a\")", "call " + Doc + ".Tables.Add.Cell(1, 2)",
                     "get " + Table + ".Range", "call " + Table + ".Range.InsertAfter(\"\")",
                     "call " + Doc + ".Tables.Add.Cell(2, 1)", "get " + Table + ".Range",
                     "call " + Table + ".Range.InsertAfter(\"\")", "get " + Table + ".Range",
                     "get " + Table + ".Range.ParagraphFormat", "put " + Table + ".Range.ParagraphFormat.Alignment = 1",
                     "call " + Doc + ".Tables.Add.Cell(2, 2)", "get " + Table + ".Range",
                     "call " + Table + ".Range.InsertAfter(\"42\")", "get " + Table + ".Range",
                     "get " + Table + ".Range.ParagraphFormat", "put " + Table + ".Range.ParagraphFormat.Alignment = 2",
                     "call " + Doc + ".SaveAs(\"out.doc\")", "call word.Quit"};
  EXPECT_EQ(Script->Log, Want);
  EXPECT_EQ(CursorInside, crHourGlass);
  EXPECT_EQ(G.GetCursor(), crCross);
}

TEST_F(Office, AppendToDocAtABookmarkOrAtTheEnd) {
  Script->Register("word.application", "word");
  Script->RegisterRunning("word.application", "word");
  G.SetColCountEx(1);
  G.SetRowCountEx(1);
  const std::string Doc = "word.Documents.Open";
  Script->Set(Doc + ".Bookmarks.Exists", true);
  G.AppendToDoc("in.doc", "here");
  TLog Head = {"get word.Documents", "call word.Documents.Open(\"in.doc\")",
               "put " + Doc + ".ShowSpellingErrors = false", "get word.Selection",
               "call word.Selection.TypeText(\"" + G.GetText() + "\")", "call word.Selection.TypeParaGraph"};
  TLog Want = Head;
  Want.insert(Want.end(), {"get " + Doc + ".Bookmarks", "call " + Doc + ".Bookmarks.Exists(\"here\")",
                           "call " + Doc + ".Goto(what:=-1, name:=\"here\")", "get " + Doc + ".Tables",
                           "call " + Doc + ".Tables.Add(<" + Doc + ".Goto>, numRows:=1, numColumns:=1)"});
  ASSERT_GE(Script->Log.size(), Want.size());
  EXPECT_EQ(TLog(Script->Log.begin(), Script->Log.begin() + static_cast<std::ptrdiff_t>(Want.size())), Want);
  EXPECT_EQ(Script->Log.back(), "call " + Doc + ".SaveAs(\"in.doc\")");  // the server ran before: no Quit

  // A bookmark that does not exist: the table goes at the end.
  Script->Log.clear();
  Script->Set(Doc + ".Bookmarks.Exists", false);
  Script->Set("word.Selection.End", 120);
  G.AppendToDoc("in.doc", "gone");
  Want = Head;
  Want.insert(Want.end(), {"get " + Doc + ".Bookmarks", "call " + Doc + ".Bookmarks.Exists(\"gone\")",
                           "get " + Doc + ".Paragraphs", "call " + Doc + ".Paragraphs.Add", "get word.Selection",
                           "call word.Selection.Goto(what:=3, which:=-1)", "get word.Selection",
                           "get word.Selection.End", "get word.Selection", "get word.Selection.End",
                           "call " + Doc + ".Range(start:=120, end:=120)", "get " + Doc + ".Tables",
                           "call " + Doc + ".Tables.Add(<" + Doc + ".Range>, numRows:=1, numColumns:=1)"});
  ASSERT_GE(Script->Log.size(), Want.size());
  EXPECT_EQ(TLog(Script->Log.begin(), Script->Log.begin() + static_cast<std::ptrdiff_t>(Want.size())), Want);
  RevokeActiveObject("word.application");
}

TEST_F(Office, LoadFromMDBTable) {
  Script->Register("ADODB.Connection", "conn");
  Script->Register("ADODB.RecordSet", "rs");
  Script->Set("rs.Fields.Count", 2);
  Script->Answers["rs.Fields"] = [this](const TDispatchArgs& A) {
    return Script->Object(A.Positional.empty() ? "rs.Fields" : "f" + VarToStr(A.Positional[0]));
  };
  Script->Set("f0.Name", "id");
  Script->Set("f1.Name", "name");
  Script->Set("rs.RecordCount", -1);  // not known: rows grow one by one
  int Rows = 0;
  Script->Answers["rs.EOF"] = [&Rows](const TDispatchArgs&) { return Variant(Rows >= 3); };
  Script->Answers["rs.MoveNext"] = [&Rows](const TDispatchArgs&) {
    ++Rows;
    return Variant();
  };
  Script->Answers["f0.ActualSize"] = [](const TDispatchArgs&) { return Variant(4); };
  Script->Answers["f0.Value"] = [&Rows](const TDispatchArgs&) { return Variant(Rows + 1); };
  Script->Answers["f1.ActualSize"] = [&Rows](const TDispatchArgs&) { return Variant(Rows == 1 ? 0 : 5); };
  Script->Answers["f1.Value"] = [&Rows](const TDispatchArgs&) { return Variant("n" + std::to_string(Rows)); };
  G.SetRowCountEx(2);
  G.SetCells(2, 1, "stale");
  G.LoadFromMDBTable("db.mdb", "T");
  EXPECT_EQ(CellTexts(G), (TTable{{"", "id", "name"}, {"", "1", "n0"}, {"", "2", ""}, {"", "3", "n2"}}));
  const TLog Head = {"create ADODB.Connection",
                     "call conn.Open(\"Driver={Microsoft Access Driver (*.mdb)};DBQ=db.mdb\")",
                     "create ADODB.RecordSet",
                     "put rs.ActiveConnection = <conn>",
                     "call rs.Open(\"SELECT * FROM T\")",
                     "get rs.Fields",
                     "get rs.Fields.Count",
                     "get rs.Fields(0)",
                     "get f0.Name",
                     "get rs.Fields(1)",
                     "get f1.Name",
                     "get rs.RecordCount",
                     "get rs.EOF",
                     "get rs.Fields(0)",
                     "get f0.ActualSize",
                     "get f0.Value",
                     "get rs.Fields(1)",
                     "get f1.ActualSize",
                     "get f1.Value",
                     "call rs.MoveNext"};
  ASSERT_GE(Script->Log.size(), Head.size());
  EXPECT_EQ(TLog(Script->Log.begin(), Script->Log.begin() + static_cast<std::ptrdiff_t>(Head.size())), Head);
  EXPECT_EQ(TLog(Script->Log.end() - 3, Script->Log.end()), (TLog{"get rs.EOF", "call rs.Close", "call conn.Close"}));
  EXPECT_EQ(G.GetCursor(), crCross);  // the database calls leave the cursor alone
}

TEST_F(Office, WithoutServersEachOperationReports) {
  struct {
    std::function<void()> Run;
    const char* Message;
  } Cases[] = {
      {[this] { G.LoadFromXLS("a.xls"); }, "Excel OLE server not found"},
      {[this] { G.GetXLSSheets("a.xls"); }, "Excel OLE server not found"},
      {[this] { G.SaveToXLS("a.xls"); }, "Excel OLE server not found"},
      {[this] { G.SaveToXLSSheet("a.xls", "S"); }, "Excel OLE server not found"},
      {[this] { G.SaveToDOC("a.doc"); }, "Word OLE server not found"},
      {[this] { G.AppendToDoc("a.doc"); }, "Word OLE server not found"},
  };
  for (const auto& C : Cases) {
    try {
      C.Run();
      ADD_FAILURE() << C.Message;
    } catch (const EDidAvovError& E) {
      EXPECT_EQ(E.Message, C.Message);
    }
    EXPECT_EQ(G.GetCursor(), crCross);
  }
  EXPECT_THROW(G.LoadFromMDBTable("a.mdb", "T"), EOleSysError);
  EXPECT_THROW(G.LoadFromMDBSQL("a.mdb", "SELECT 1"), EOleSysError);
}
