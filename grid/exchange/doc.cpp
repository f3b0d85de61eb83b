// The grid as a table in a word-processing document, through its automation
// server: the whole grid, fixed cells included, with right and centred
// alignment carried over.
#include "grid/exchange/automation.h"

void VIduZozezuVodu::SaveToDOCInt(const AnsiString& FileName, const AnsiString& Bookmark, bool Append,
                                  bool CreateNew) {
  THourGlass Cursor(*this);
  bool WasRunning = false;
  Variant Word = RunningOrNewServer("word.application", "Word OLE server not found", WasRunning);
  WithClosing(
      [&] {
        Variant Document;
        if (Append)
          Document = Word.OlePropertyGet("Documents").OleFunction("Open", FileName);
        else if (CreateNew || Word.OlePropertyGet("Documents").OlePropertyGet("Count").AsInteger() == 0)
          Document = Word.OlePropertyGet("Documents").OleFunction("Add");
        else
          Document = Word.OlePropertyGet("ActiveDocument");
        Document.OlePropertySet("ShowSpellingErrors", false);
        const Variant Selection = Word.OlePropertyGet("Selection");
        Selection.OleProcedure("TypeText", GetText());
        Selection.OleProcedure("TypeParaGraph");
        Variant Range;
        if (Append && !Bookmark.empty() &&
            Document.OlePropertyGet("Bookmarks").OleFunction("Exists", Bookmark).AsBoolean()) {
          Range = Document.OleFunction("Goto", NamedParm("what", -1), NamedParm("name", Bookmark));
        } else if (Append) {
          Document.OlePropertyGet("Paragraphs").OleProcedure("Add");
          Word.OlePropertyGet("Selection").OleProcedure("Goto", NamedParm("what", 3), NamedParm("which", -1));
          const Variant Start = Word.OlePropertyGet("Selection").OlePropertyGet("End");
          const Variant End = Word.OlePropertyGet("Selection").OlePropertyGet("End");
          Range = Document.OleFunction("Range", NamedParm("start", Start), NamedParm("end", End));
        } else {
          Range = Document.OleFunction("Range", 0, 0);
        }
        const Variant Table = Document.OlePropertyGet("Tables").OleFunction(
            "Add", Range, NamedParm("numRows", GetRowCount()), NamedParm("numColumns", GetColCount()));
        for (int I = 1; I <= GetRowCount(); ++I)
          for (int J = 1; J <= GetColCount(); ++J) {
            const Variant Cell = Table.OleFunction("Cell", I, J);
            Cell.OlePropertyGet("Range").OleProcedure("InsertAfter", SaveCell(RemapCol(J - 1), I - 1));
            const auto Align = static_cast<TAlignment>(GetCellAlignment(J - 1, I - 1) & 0xFF);
            if (Align == taRightJustify)
              Cell.OlePropertyGet("Range").OlePropertyGet("ParagraphFormat").OlePropertySet("Alignment", 2);
            else if (Align == taCenter)
              Cell.OlePropertyGet("Range").OlePropertyGet("ParagraphFormat").OlePropertySet("Alignment", 1);
          }
        Document.OleProcedure("SaveAs", FileName);
      },
      [&] {
        Variant Server = std::move(Word);
        if (!WasRunning) Server.OleProcedure("Quit");
        Server = Variant();
        Cursor.Restore();
      });
}
