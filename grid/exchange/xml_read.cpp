// Reading an XML document into the grid through the platform's XML document
// server: each child of the document element is walked, its leaves (or,
// with the attribute flag, the attributes of its elements) become fields.
#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/grids/gridstore.h"
#include "platform/ole/comobj.h"
#include "platform/ole/xmldom.h"
#include "platform/rtl/sysutils.h"

namespace {

// The writer escapes "&" as "$amp;"; every other entity the parser has
// already decoded.
AnsiString UndoAmpersands(const AnsiString& S) {
  static const std::string Key = "$amp;";
  std::size_t P = S.find(Key);
  if (P == std::string::npos) return S;
  AnsiString Out;
  Out.reserve(S.size());
  std::size_t From = 0;
  for (; P != std::string::npos; P = S.find(Key, From)) {
    Out.append(S, From, P - From);
    Out += '&';
    From = P + Key.size();
  }
  Out.append(S, From, std::string::npos);
  return Out;
}

int LengthOf(const Variant& List) { return List.IsDispatch() ? List.OlePropertyGet("length").AsInteger() : 0; }

}  // namespace

void VIduZozezuVodu::LoadFromXML(const AnsiString& FileName, bool Attributes) {
  if (!FileExists(FileName)) throw Exception("XML file not found");
  Variant Doc;
  try {
    Doc = CreateOleObject(XMLDOMProgID);
  } catch (const EOleError&) {
    throw Exception("XMLDOM server component not found");
  }
  Doc.OleFunction("load", FileName);
  const Variant Error = Doc.OlePropertyGet("parseError");
  const Variant Code = Error.OlePropertyGet("errorCode");
  if (Code.AsInt64() != 0)
    throw Exception("XMLDOM Parsing error " + VarToStr(Code) + " on line " + VarToStr(Error.OlePropertyGet("line")));

  const int FC = FSaveFixedCells ? 0 : GetFixedCols();
  const int FR = GetFixedRows();
  SetColCountEx(GetFixedCols() + 1);
  SetRowCountEx(GetFixedRows() + 1);
  // Rows grow in steps and are cut to what was used at the end.
  int UsedRows = GetRowCount();
  int R = 0, C = 0, B = 1;
  auto Store = [&](const AnsiString& Name, const AnsiString& Text) {
    const long long Col = static_cast<long long>(C) + FC, Row = static_cast<long long>(R) + FR;
    ++C;
    // A row above the grid (an attribute walk's first child without
    // attributes) has no cell to take the text.
    if (Row < 0) return;
    if (Col >= TGridStore::MaxColCount) throw EDidAvovError("File " + FileName + " has too many columns");
    if (Row >= TGridStore::MaxRowCount) throw EDidAvovError("File " + FileName + " has too many lines");
    if (Col >= GetColCount()) SetColCountEx(static_cast<int>(Col) + 1);
    // Geometric steps: each resize costs the rows already there.
    if (Row >= GetRowCount())
      SetRowCountEx(static_cast<int>(std::min<long long>(TGridStore::MaxRowCount, Row + std::max(1000LL, Row / 2))));
    UsedRows = std::max(UsedRows, static_cast<int>(Row) + 1);
    if (FSaveFixedCells && GetCells(static_cast<int>(Col), 0).empty()) SetCells(static_cast<int>(Col), 0, Name);
    LoadCell(static_cast<int>(Col), static_cast<int>(Row), Text);
  };

  const Variant Top = Doc.OlePropertyGet("documentElement").OlePropertyGet("childNodes");
  const int TopCount = LengthOf(Top);
  struct TPending {
    Variant Node;
    bool Top;
  };
  std::vector<TPending> Stack;
  for (int I = 0; I < TopCount; ++I) {
    const Variant Child = Top.OleFunction("item", I);
    C = 0;
    B = 1;
    if (Attributes && I == 0 && LengthOf(Child.OlePropertyGet("attributes")) < 1) R = -1;
    // The walk of one top-level child; nothing follows a node's children,
    // so a stack keeps the document order without recursion.
    Stack.push_back({Child, true});
    while (!Stack.empty()) {
      const TPending P = std::move(Stack.back());
      Stack.pop_back();
      bool RowStarted = false;
      const Variant Attrs = P.Node.OlePropertyGet("attributes");
      const int AttrCount = LengthOf(Attrs);
      for (int K = 0; K < AttrCount; ++K) {
        const Variant A = Attrs.OleFunction("item", K);
        Store(VarToStr(A.OlePropertyGet("nodeName")), UndoAmpersands(VarToStr(A.OlePropertyGet("Text"))));
      }
      if (Attributes && AttrCount > 0) {
        ++R;
        C = B;
        RowStarted = true;
      }
      const Variant Kids = P.Node.OlePropertyGet("childNodes");
      const int KidCount = Kids.OlePropertyGet("Length").AsInteger();
      if (KidCount > 1) {
        if (Attributes && !RowStarted) ++R;
        ++B;
        for (int K = KidCount - 1; K >= 0; --K) Stack.push_back({Kids.OleFunction("item", K), false});
      } else if (KidCount == 1) {
        AnsiString Text = UndoAmpersands(VarToStr(P.Node.OlePropertyGet("Text")));
        if (FQuoteEmptyCells && Text == "\"\"") Text.clear();
        Store(VarToStr(P.Node.OlePropertyGet("nodeName")), Text);
      } else if (!Attributes && !P.Top && AttrCount == 0) {
        // An empty field element keeps its column, so the fields after it
        // stay in theirs.
        const AnsiString Name = VarToStr(P.Node.OlePropertyGet("nodeName"));
        if (!Name.empty() && Name[0] != '#') Store(Name, "");
      }
    }
    if (!Attributes) ++R;
  }
  if (UsedRows < GetRowCount()) SetRowCountEx(UsedRows);
  CellsLoaded();
}
