// The grid's own text format: a size line "C,R", width lines "cw I,W" and
// cell lines "I,J,T", each ending with CR LF. Multi-line texts are folded
// into one line (CR -> 9, LF -> 8, NUL -> 1).
#include <algorithm>
#include <limits>
#include <string>

#include "grid/exchange/textfile.h"
#include "grid/filestringlist.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/sysutils.h"

namespace {

AnsiString LfToFile(const AnsiString& S) {
  if (S.find('\r') == AnsiString::npos) return S;
  AnsiString R = S;
  for (char& Ch : R) {
    if (Ch == '\r')
      Ch = 9;
    else if (Ch == '\n')
      Ch = 8;
    else if (Ch == '\0')
      Ch = 1;
  }
  return R;
}

AnsiString FileToLf(const AnsiString& S, bool MultiLine) {
  AnsiString R = S;
  if (R.find('\x08') != AnsiString::npos)
    for (char& Ch : R) {
      if (Ch == 9)
        Ch = '\r';
      else if (Ch == 8)
        Ch = '\n';
      else if (Ch == 1)
        Ch = '\0';
    }
  if (!MultiLine) {
    auto P = R.find('\r');
    if (P != AnsiString::npos) R.resize(P);
  }
  return R;
}

// The value of the token's leading digits; a sign only for a whole number.
Int64 LenientInt(const AnsiString& S) {
  int V = 0;
  if (TryStrToInt(S, V)) return V;
  Int64 Acc = 0;
  for (char Ch : S) {
    if (Ch < '0' || Ch > '9' || Acc > 100000000) break;
    Acc = Acc * 10 + (Ch - '0');
  }
  return Acc;
}

// One rule for both loaders. Numbers from the file plus the grid's offsets
// are added in 64 bits; a size beyond the grid's limits fails before the
// grid changes; width and cell lines outside the grid are skipped.
void ApplySize(VIduZozezuVodu& G, Int64 Cols, Int64 Rows) {
  Int64 MaxCols = TGridStore::MaxColCount - (G.GetAllColCount() - G.GetColCount());
  if (Cols < 0 || Rows < 0 || Cols > MaxCols || Rows > TGridStore::MaxRowCount)
    throw EDidAvovError("Grid size " + std::to_string(Cols) + " x " + std::to_string(Rows) +
                        " is beyond the grid's limits of " + std::to_string(MaxCols) + " columns and " +
                        std::to_string(TGridStore::MaxRowCount) + " rows");
  G.SetColCountEx(static_cast<int>(Cols));
  G.SetRowCountEx(static_cast<int>(Rows));
}

void ApplyWidth(VIduZozezuVodu& G, Int64 Col, Int64 Width) {
  if (Col >= 0 && Col < G.GetColCount() && Width >= std::numeric_limits<int>::min() &&
      Width <= std::numeric_limits<int>::max())
    G.SetColWidths(static_cast<int>(Col), static_cast<int>(Width));
}

bool ApplyCell(VIduZozezuVodu& G, Int64 Col, Int64 Row, const AnsiString& Text) {
  if (Col < 0 || Row < 0 || Col >= G.GetColCount() || Row >= G.GetRowCount()) return false;
  G.LoadCell(static_cast<int>(Col), static_cast<int>(Row), Text);
  return true;
}

AnsiString Num(int V) { return std::to_string(V); }

void WriteLine(TStream* S, const AnsiString& Line) {
  AnsiString L = Line + "\r\n";
  S->Write(L.data(), static_cast<int>(L.size()));
}

// Bytes up to a CR (or the end); the byte after the CR is dropped.
AnsiString ReadLine(TStream* S) {
  AnsiString L;
  char Ch = 0;
  while (S->Read(&Ch, 1) == 1) {
    if (Ch == '\r') break;
    L += Ch;
  }
  S->Read(&Ch, 1);
  return L;
}

bool AtEnd(TStream* S) { return S->GetPosition() >= S->GetSize(); }

}  // namespace

void VIduZozezuVodu::SaveToFile(const AnsiString& FileName) {
  // Cells are addressed by real column; with the hidden columns saved the
  // range widens by their number and each width is that real column's.
  int H = FSaveHiddenCells ? FHiddenCols : 0;
  int EndCol = GetSaveEndCol() + H;
  TStringList Lines;
  Lines.Add(Num(GetSaveColCount() + H) + "," + Num(GetSaveRowCount()));
  for (int I = GetSaveStartCol(); I <= EndCol; ++I) {
    int W = H == 0 ? GetColWidths(I) : I < GetAllColCount() ? GetAllColWidths(I) : GetDefaultColWidth();
    Lines.Add("cw " + Num(I) + "," + Num(W));
  }
  TFileProgress Progress(*this);
  ExportNotification(esExportStart, -1);
  for (int J = GetSaveStartRow(); J <= GetSaveEndRow(); ++J) {
    ExportNotification(esExportNewRow, J);
    for (int I = GetSaveStartCol(); I <= EndCol; ++I) {
      AnsiString T = SaveCell(I, J);
      if (!T.empty()) Lines.Add(Num(I) + "," + Num(J) + "," + LfToFile(T));
    }
    Progress.Report(J, std::max(1, GetSaveRowCount() - 1));
  }
  ExportNotification(esExportDone, -1);
  ReplaceFile(FileName, Lines.GetText());
}

void VIduZozezuVodu::LoadFromFile(const AnsiString& FileName) {
  TFileStringList Lines;
  Lines.LoadFromFile(FileName);
  Lines.Reset();
  Int64 FC = FSaveFixedCells ? 0 : GetFixedCols(), FR = FSaveFixedCells ? 0 : GetFixedRows();
  AnsiString Line;
  if (!Lines.GetEOF()) Lines.ReadLn(Line);
  if (!Line.empty()) {
    auto P = Line.find(',');
    Int64 C = LenientInt(Line.substr(0, P)) + FC;
    Int64 R = P == AnsiString::npos ? FR : LenientInt(Line.substr(P + 1)) + FR;
    if (C == 0 || R == 0) throw EDidAvovError("File contains no data or corrupt file " + FileName);
    ApplySize(*this, C, R);
  }
  if (GetColCount() == 0 || GetRowCount() == 0)
    throw EDidAvovError("File contains no data or corrupt file " + FileName);
  TFileProgress Progress(*this);
  while (!Lines.GetEOF()) {
    Lines.ReadLn(Line);
    if (Line.rfind("cw", 0) == 0) {
      AnsiString Rest = Line.size() > 3 ? Line.substr(3) : AnsiString();
      auto P = Rest.find(',');
      ApplyWidth(*this, LenientInt(Rest.substr(0, P)), P == AnsiString::npos ? 0 : LenientInt(Rest.substr(P + 1, 255)));
      continue;
    }
    auto P1 = Line.find(',');
    if (P1 == AnsiString::npos) continue;
    auto P2 = Line.find(',', P1 + 1);
    if (P2 == AnsiString::npos) continue;
    Int64 J = LenientInt(Line.substr(P1 + 1, P2 - P1 - 1));
    if (!ApplyCell(*this, LenientInt(Line.substr(0, P1)), J, FileToLf(Line.substr(P2 + 1), FMultilinecells)))
      continue;
    Progress.Report(J, std::max(1, GetRowCount() - 1));
    // Input and timers of the application go on while a file loads.
    if (Application) Application->ProcessMessages();
  }
  Invalidate();
  CellsChanged(TGridRect{0, 0, GetColCount(), GetRowCount()});
  CellsLoaded();
}

void VIduZozezuVodu::SaveToStream(TStream* Stream) {
  WriteLine(Stream, Num(GetSaveColCount()) + "," + Num(GetSaveRowCount()));
  for (int I = 0; I < GetColCount(); ++I) WriteLine(Stream, "cw " + Num(I) + "," + Num(GetColWidths(I)));
  int SC = GetSaveStartCol(), SR = GetSaveStartRow();
  ExportNotification(esExportStart, -1);
  for (int J = SR; J <= GetSaveEndRow(); ++J) {
    ExportNotification(esExportNewRow, J);
    for (int I = SC; I <= GetSaveEndCol(); ++I) {
      AnsiString T = SaveCell(I, J);
      if (!T.empty()) WriteLine(Stream, Num(I - SC) + "," + Num(J - SR) + "," + LfToFile(T));
    }
  }
  ExportNotification(esExportDone, -1);
}

void VIduZozezuVodu::LoadFromStream(TStream* Stream) {
  Int64 SC = GetSaveStartCol(), SR = GetSaveStartRow();
  if (!AtEnd(Stream)) {
    AnsiString Line = ReadLine(Stream);
    if (!Line.empty()) {
      auto P = Line.find(',');
      if (P == AnsiString::npos) throw EConvertError("'" + Line + "' is not a valid integer value");
      Int64 C = StrToInt(Line.substr(0, P)) + SC;
      ApplySize(*this, C, StrToInt(Line.substr(P + 1)) + SR);
    }
  }
  while (!AtEnd(Stream)) {
    Int64 Mark = Stream->GetPosition();
    AnsiString Line = ReadLine(Stream);
    if (Line.rfind("cw", 0) == 0) {
      AnsiString Rest = Line.size() > 3 ? Line.substr(3) : AnsiString();
      auto P = Rest.find(',');
      ApplyWidth(*this, StrToInt(Rest.substr(0, P)), StrToInt(P == AnsiString::npos ? AnsiString() : Rest.substr(P + 1)));
      continue;
    }
    auto P1 = Line.find(',');
    auto P2 = P1 == AnsiString::npos ? P1 : Line.find(',', P1 + 1);
    if (P1 == 0 || P2 == AnsiString::npos || P2 == P1 + 1) {
      Stream->SetPosition(Mark);
      break;
    }
    ApplyCell(*this, StrToInt(Line.substr(0, P1)) + SC, StrToInt(Line.substr(P1 + 1, P2 - P1 - 1)) + SR,
              FileToLf(Line.substr(P2 + 1), FMultilinecells));
  }
  Invalidate();
  CellsChanged(TGridRect{0, 0, GetColCount(), GetRowCount()});
  CellsLoaded();
}

void VIduZozezuVodu::AssignCells(VIduZozezuVodu* Source) {
  TMemoryStream M;
  Source->SaveToStream(&M);
  M.SetPosition(0);
  LoadFromStream(&M);
}
