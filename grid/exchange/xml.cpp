// Writing the grid's save range as an XML record list: one element per row,
// one child element per written cell, lines ending in CR LF. The bytes are
// those of the declared encoding; characters it lacks go out as character
// references, so any parser reads back the text that was written.
#include <cstdio>
#include <string>
#include <vector>

#include "grid/exchange/html.h"
#include "grid/exchange/textfile.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

enum class TXmlCharset { Utf8, Latin1, Cp1251, Cp866, Ascii };

TXmlCharset CharsetOf(const AnsiString& Encoding) {
  const AnsiString E = LowerCase(Trim(Encoding));
  if (E == "utf-8" || E == "utf8") return TXmlCharset::Utf8;
  if (E == "iso-8859-1" || E == "iso8859-1" || E == "iso_8859-1" || E == "latin1" || E == "latin-1" || E == "l1")
    return TXmlCharset::Latin1;
  if (E == "windows-1251" || E == "cp1251") return TXmlCharset::Cp1251;
  if (E == "cp866" || E == "ibm866") return TXmlCharset::Cp866;
  // An encoding not known here: ASCII reads the same in every one that
  // declarations name.
  return TXmlCharset::Ascii;
}

void AppendReference(std::string& Out, char32_t Ch) {
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "&#%u;", static_cast<unsigned>(Ch));
  Out += Buf;
}

// Escapes as the XML reader of this grid undoes it ("&" as "$amp;") and
// encodes in the charset. A CR goes out as a reference, since parsers turn
// a written CR LF into LF.
void AppendCellText(std::string& Out, const AnsiString& S, TXmlCharset Set) {
  std::size_t Pos = 0;
  while (Pos < S.size()) {
    // Plain ASCII goes out in runs.
    std::size_t Run = Pos;
    while (Run < S.size()) {
      const unsigned char B = static_cast<unsigned char>(S[Run]);
      if (B >= 0x80 || B == '&' || B == '>' || B == '<' || B == '"' || B == '\r' || IsXmlForbidden(S[Run])) break;
      ++Run;
    }
    if (Run > Pos) {
      Out.append(S, Pos, Run - Pos);
      Pos = Run;
      continue;
    }
    const unsigned char B = static_cast<unsigned char>(S[Pos]);
    if (B < 0x80) {
      ++Pos;
      switch (B) {
        case '&': Out += "$amp;"; break;
        case '>': Out += "&gt;"; break;
        case '<': Out += "&lt;"; break;
        case '"': Out += "&quot;"; break;
        case '\r': Out += "&#13;"; break;
        default:
          // A control character would leave a file no reader takes back.
          if (IsXmlForbidden(static_cast<char>(B)))
            AppendReference(Out, ReplacementChar);
          else
            Out += static_cast<char>(B);
      }
      continue;
    }
    const std::size_t Start = Pos;
    const char32_t Ch = Utf8DecodeNext(S, Pos);
    Byte CP = 0;
    switch (Set) {
      case TXmlCharset::Utf8:
        if (Ch == ReplacementChar && Pos - Start == 1)
          AppendReference(Out, Ch);  // a stray byte: valid UTF-8 still
        else
          Out.append(S, Start, Pos - Start);
        break;
      case TXmlCharset::Latin1:
        if (Ch <= 0xFF)
          Out += static_cast<char>(Ch);
        else
          AppendReference(Out, Ch);
        break;
      case TXmlCharset::Cp1251:
        if (CharToCp1251(Ch, CP) && CP >= 0x80)
          Out += static_cast<char>(CP);
        else
          AppendReference(Out, Ch);
        break;
      case TXmlCharset::Cp866:
        if (CharToCp866(Ch, CP) && CP >= 0x80)
          Out += static_cast<char>(CP);
        else
          AppendReference(Out, Ch);
        break;
      case TXmlCharset::Ascii:
        AppendReference(Out, Ch);
        break;
    }
  }
}

// Tag names come from the caller; they are written in the same charset.
void AppendName(std::string& Out, const AnsiString& S, TXmlCharset Set) {
  if (Set == TXmlCharset::Utf8) {
    Out += S;
    return;
  }
  AppendCellText(Out, S, Set);
}

}  // namespace

void VIduZozezuVodu::SaveToXML(const AnsiString& FileName, const AnsiString& ListDescr, const AnsiString& RecordDescr,
                               TStrings* FieldNames, bool ExportEmptyCells) {
  TFileReplacer File(FileName, "Cannot Create file ");
  const TXmlCharset Set = CharsetOf(FXMLEncoding);
  std::string Out = "<?xml version=\"1.0\" encoding=\"" + FXMLEncoding + "\" ?>\r\n";
  Out += '<';
  AppendName(Out, ListDescr, Set);
  Out += ">\r\n";
  ExportNotification(esExportStart, -1);
  std::string Rec;
  Rec += '<';
  AppendName(Rec, RecordDescr, Set);
  Rec += ">\r\n";
  const AnsiString RecClose = "</" + Rec.substr(1);
  TFileProgress Progress(*this);
  const int FirstRow = GetSaveStartRow(), LastRow = GetSaveEndRow();
  const int FirstCol = GetSaveStartCol(), LastCol = GetSaveEndCol();
  // Field tags are the same in every row: built once.
  std::vector<std::string> OpenTags, CloseTags;
  for (int Q = FirstCol; Q <= LastCol; ++Q) {
    const int K = Q - FirstCol;
    std::string Tag;
    if (FieldNames && K < FieldNames->GetCount())
      AppendName(Tag, FieldNames->Strings(K), Set);
    else
      Tag = "FIELD" + IntToStr(K);
    OpenTags.push_back('<' + Tag + '>');
    CloseTags.push_back("</" + Tag + ">\r\n");
  }
  const std::size_t Head = Out.size();
  for (int R = FirstRow; R <= LastRow; ++R) {
    ExportNotification(esExportNewRow, R);
    Out += Rec;
    for (int Q = FirstCol; Q <= LastCol; ++Q) {
      const int C = RemapCol(Q);
      if (!IsBaseCell(C, R)) continue;
      AnsiString S = SaveCell(C, R);
      if (S.empty()) {
        if (!ExportEmptyCells) continue;
        if (FQuoteEmptyCells) S = "\"\"";
      }
      const std::size_t K = static_cast<std::size_t>(Q - FirstCol);
      Out += OpenTags[K];
      AppendCellText(Out, S, Set);
      Out += CloseTags[K];
    }
    Out += RecClose;
    // The first record tells the size of the rest: one reservation spares
    // the copies of a growing text.
    if (R == FirstRow && LastRow > FirstRow) {
      const std::size_t Record = Out.size() - Head;
      Out.reserve(Out.size() + Record * static_cast<std::size_t>(LastRow - FirstRow) / 4 * 5 + 64);
    }
    Progress.Report(R - FirstRow, std::max(1, LastRow - FirstRow));
  }
  Out += "</";
  AppendName(Out, ListDescr, Set);
  Out += ">\r\n";
  ExportNotification(esExportDone, -1);
  File.Commit(Out);
}
