// Column-aligned plain text: the aligned export (columns as wide as their
// longest line, cells aligned as shown), the fixed-width export and the
// fixed-width import.
#include <algorithm>
#include <string>
#include <vector>

#include "grid/exchange/textfile.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

// The horizontal alignment the cell is shown with: its properties', then
// the alignment query's.
// The horizontal alignment the cell is shown with.
TAlignment ShownAlignment(VIduZozezuVodu& G, int ACol, int ARow) {
  return static_cast<TAlignment>(G.GetCellAlignment(ACol, ARow) & 0xFF);
}

void Align(std::string& T, TAlignment HA, int W) {
  int Len = Utf8Length(T);
  if (HA == taRightJustify) {
    if (Len < W) T.insert(0, static_cast<std::size_t>(W - Len), ' ');
  } else if (HA == taCenter) {
    // A blank on each side at a time: may end one longer than W.
    int Pad = Len < W ? (W - Len + 1) / 2 : 0;
    T = std::string(static_cast<std::size_t>(Pad), ' ') + T + std::string(static_cast<std::size_t>(Pad), ' ');
  }
}

void PadTo(std::string& S, int Chars) {
  int Len = Utf8Length(S);
  if (Len < Chars) S.append(static_cast<std::size_t>(Chars - Len), ' ');
}

}  // namespace

void VIduZozezuVodu::SaveToASCIIInt(const AnsiString& FileName, bool Append) {
  const TCursor OldCursor = GetCursor();
  std::string Out;
  if (Append && FileExists(FileName)) {
    Out = ReadWholeFile(FileName);
    if (!Out.empty() && Out.back() != '\n' && Out.back() != '\r') Out += "\r\n";
  }
  const int H = FSaveHiddenCells ? FHiddenCols : 0;
  const int FC = FSaveFixedCells ? 0 : GetFixedCols();
  const int FR = FSaveFixedCells ? 0 : GetFixedRows();
  bool Raised = false;
  // Whatever fails, the column count and cursor come back and the lines
  // gathered so far are written.
  auto Finish = [&] {
    if (Raised) SetColCountEx(GetColCount() - H);
    Raised = false;
    try {
      ExportNotification(esExportDone, -1);
      ReplaceFile(FileName, Out);
    } catch (...) {
      SetCursor(OldCursor);
      throw;
    }
    SetCursor(OldCursor);
  };
  try {
    SetCursor(crHourGlass);
    SetColCountEx(GetColCount() + H);
    Raised = true;
    auto Real = [&](int C) { return FSaveHiddenCells ? C : RemapCol(C); };
    // Full widths for every column, however many and however wide.
    std::vector<int> Widths(static_cast<std::size_t>(std::max(0, GetColCount() - FC)));
    for (int C = FC; C < GetColCount(); ++C) Widths[static_cast<std::size_t>(C - FC)] = MaxCharsInCol(Real(C));
    ExportNotification(esExportStart, -1);
    std::vector<std::string> More;
    for (int R = FR; R < GetRowCount(); ++R) {
      ExportNotification(esExportNewRow, R);
      std::string Line;
      More.clear();
      int Start = 0;  // where this column starts on the line, in characters
      for (int C = FC; C < GetColCount(); ++C) {
        const int RC = Real(C), W = Widths[static_cast<std::size_t>(C - FC)];
        AnsiString T = SaveCell(RC, R);
        const TAlignment HA = ShownAlignment(*this, RC, R);
        if (T.find("\r\n") != AnsiString::npos) {
          AnsiString Rest = T;
          T = GetNextLine(Rest, true);
          if (FMultilinecells)
            for (std::size_t K = 0; !Rest.empty(); ++K) {
              std::string Part = GetNextLine(Rest, true);
              if (K >= More.size()) More.emplace_back();
              PadTo(More[K], Start);
              Align(Part, HA, W);
              More[K] += Part;
            }
        }
        std::string Text = T;
        Align(Text, HA, W);
        int Len = Utf8Length(Text);
        Line += Text;
        if (Len <= W) Line.append(static_cast<std::size_t>(W - Len + 1), ' ');
        Start += W + 1;
      }
      Out += Line;
      Out += "\r\n";
      for (const std::string& M : More) {
        Out += M;
        Out += "\r\n";
      }
    }
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

void VIduZozezuVodu::SaveToFixed(const AnsiString& FileName, TIntList* Widths) {
  TFileReplacer File(FileName, "Cannot Create file ");
  const int H = FSaveHiddenCells ? FHiddenCols : 0;
  SetColCountEx(GetColCount() + H);
  std::string Out;
  try {
    auto Real = [&](int C) { return FSaveHiddenCells ? C : RemapCol(C); };
    const int SC = GetSaveStartCol();
    for (int I = SC; I <= GetSaveEndCol(); ++I)
      if (I - SC >= Widths->GetCount()) Widths->Add(MaxCharsInCol(Real(I)) + 1);
    ExportNotification(esExportStart, -1);
    for (int R = GetSaveStartRow(); R <= GetSaveEndRow(); ++R) {
      ExportNotification(esExportNewRow, R);
      for (int I = SC; I <= GetSaveEndCol(); ++I) {
        const AnsiString T = SaveCell(Real(I), R);
        const int W = Widths->GetInteger(I - SC);
        if (Utf8Length(T) > W) {
          Out += Utf8Left(T, W);
        } else {
          Out += T;
          Out.append(static_cast<std::size_t>(W - Utf8Length(T)), ' ');
        }
      }
      Out += "\r\n";
    }
    ExportNotification(esExportDone, -1);
    File.Commit(Out);
  } catch (...) {
    SetColCountEx(GetColCount() - H);
    throw;
  }
  SetColCountEx(GetColCount() - H);
}

void VIduZozezuVodu::LoadFromFixed(const AnsiString& FileName, TIntList* Positions, int MaxLines, bool Trim) {
  std::string Data;
  try {
    Data = ReadWholeFile(FileName);
  } catch (const EFOpenError&) {
    throw EDidAvovError("File " + FileName + " not found");
  }
  const int N = Positions->GetCount();
  // Fewer than two positions describe no column: nothing changes.
  if (N < 2) return;
  SetColCountEx(GetFixedCols() + N - 1);
  std::vector<long long> P(static_cast<std::size_t>(N));
  for (int K = 0; K < N; ++K) P[static_cast<std::size_t>(K)] = Positions->GetInteger(K);
  std::sort(P.begin(), P.end());
  for (int K = 0; K < N; ++K)
    if (Positions->GetInteger(K) != P[static_cast<std::size_t>(K)])
      Positions->SetInteger(K, static_cast<int>(P[static_cast<std::size_t>(K)]));

  TLineWalker Lines(Data);
  std::string_view Line;
  std::vector<std::size_t> Starts;  // byte offset of each character, and the end
  int Row = GetSaveStartRow();
  for (int Count = 1; Lines.Next(Line); ++Count) {
    int C = GetSaveStartCol();
    if (GetRowCount() <= Row) SetRowCountEx(Row + 1);
    Starts.clear();
    for (std::size_t B = 0; B < Line.size(); ++B)
      if ((static_cast<unsigned char>(Line[B]) & 0xC0) != 0x80) Starts.push_back(B);
    Starts.push_back(Line.size());
    const long long Chars = static_cast<long long>(Starts.size()) - 1;
    for (int K = 1; K < N; ++K) {
      // Characters From .. From + Len - 1 (1-based), clipped to the line.
      long long From = std::max(1LL, P[static_cast<std::size_t>(K - 1)]);
      long long Len = P[static_cast<std::size_t>(K)] - P[static_cast<std::size_t>(K - 1)];
      AnsiString Field;
      if (From <= Chars && Len > 0) {
        long long To = std::min(Chars + 1, From + Len);
        std::size_t B0 = Starts[static_cast<std::size_t>(From - 1)], B1 = Starts[static_cast<std::size_t>(To - 1)];
        Field.assign(Line.substr(B0, B1 - B0));
      }
      if (Trim) Field = ::Trim(Field);
      LoadCell(C, Row, Field);
      ++C;
    }
    ++Row;
    if (MaxLines != -1 && Count >= MaxLines) break;
  }
  CellsChanged(TGridRect{0, 0, GetColCount(), GetRowCount()});
  CellsLoaded();
}
