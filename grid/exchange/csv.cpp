// Writing the grid as delimiter-separated text: one line per row of the save
// range, lines ending in CR LF.
#include <string>

#include "grid/exchange/textfile.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

namespace {

bool Has(const AnsiString& S, char C) { return S.find(C) != AnsiString::npos; }

void Enclose(AnsiString& S) {
  AnsiString Q;
  Q.reserve(S.size() + 2);
  Q += '"';
  Q += S;
  Q += '"';
  S.swap(Q);
}

void ReplaceCRLF(AnsiString& S, const char* By) {
  AnsiString Out;
  Out.reserve(S.size());
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '\r' && I + 1 < S.size() && S[I + 1] == '\n') {
      Out += By;
      ++I;
    } else {
      Out += S[I];
    }
  }
  S.swap(Out);
}

}  // namespace

void VIduZozezuVodu::OutputToCSV(const AnsiString& FileName, bool Append) {
  const char D = FDelimiter ? FDelimiter : ',';
  const int H = FSaveHiddenCells ? FHiddenCols : 0;
  std::string Out;
  // The file to append to must exist; its bytes stay as they are.
  if (Append) {
    Out = ReadWholeFile(FileName);
    if (!Out.empty() && Out.back() != '\n' && Out.back() != '\r') Out += "\r\n";
  }
  TFileProgress Progress(*this);
  ExportNotification(esExportStart, -1);
  const int EndCol = GetSaveEndCol() + H;
  for (int R = GetSaveStartRow(); R <= GetSaveEndRow(); ++R) {
    ExportNotification(esExportNewRow, R);
    for (int I = GetSaveStartCol(); I <= EndCol; ++I) {
      if (I > GetSaveStartCol()) Out += D;
      AnsiString S = CSVQuotes(SaveCell(FSaveHiddenCells ? I : RemapCol(I), R));
      if (FOemConvert) StringToOem(S);
      bool Quoted = false;
      if (FAlwaysQuotes || (!Has(S, D) && Has(S, '"'))) {
        Enclose(S);
        Quoted = true;
      }
      if (S.empty()) {
        if (FTildeCSV)
          S.assign(1, '^');
        else if (FQuoteEmptyCells)
          S.assign(2, '"');
      }
      if (Has(S, D) || LinesInText(S, FMultilinecells) > 1) {
        if (FTildeCSV) {
          LineFeedsToJava(S);
          // Quoted, a field holding the delimiter reads back whole.
          if (!Quoted && Has(S, D)) Enclose(S);
        } else if (Quoted) {
          // The reader splits lines at LF too: keep the record on one line.
          ReplaceCRLF(S, "\x0B");
        } else {
          LineFeedsToCSV(S);
        }
      }
      Out += S;
    }
    Out += "\r\n";
    Progress.Report(R, std::max(1, GetRowCount() - 1));
  }
  ExportNotification(esExportDone, -1);
  ReplaceFile(FileName, Out);
}
