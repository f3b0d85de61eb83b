// Reading delimiter-separated text into the grid: delimiter detection over
// the first two lines, quoted fields, rows raised 1000 ahead and trimmed.
#include <algorithm>
#include <string>
#include <vector>

#include "grid/exchange/textfile.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/grids/gridstore.h"

namespace {

constexpr char Candidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};

// Occurrences of Ch that are not part of a doubled pair: each odd run
// counts once, an even run not, a run that ends the text always once.
int SingleCount(char Ch, std::string_view S) {
  int N = 0;
  std::size_t I = 0;
  while (I < S.size()) {
    if (S[I] != Ch) {
      ++I;
      continue;
    }
    std::size_t Run = 0;
    while (I < S.size() && S[I] == Ch) ++I, ++Run;
    if (I == S.size() || Run % 2 == 1) ++N;
  }
  return N;
}

int PlainCount(char Ch, std::string_view S) { return static_cast<int>(std::count(S.begin(), S.end(), Ch)); }

char DetectDelimiter(std::string_view L1, std::string_view L2) {
  char D = 0;
  int Best = 0;
  for (auto Count : {SingleCount, PlainCount}) {
    for (char C : Candidates) {
      int A = Count(C, L1), B = Count(C, L2);
      if (A == B && A > Best) {
        D = C;
        Best = A;
      }
    }
    if (D) return D;
  }
  for (char C : Candidates) {
    int A = PlainCount(C, L1), B = PlainCount(C, L2);
    if (A > Best || B > Best) {
      D = C;
      Best = std::max(A, B);
    }
  }
  return D;
}

// Index of the quote that closes a field starting at From: the last of the
// first odd run of quotes, or the last character when a run ends the text.
std::size_t ClosingQuote(std::string_view S, std::size_t From) {
  std::size_t I = From;
  while (I < S.size()) {
    if (S[I] != '"') {
      ++I;
      continue;
    }
    std::size_t Run = 0;
    while (I < S.size() && S[I] == '"') ++I, ++Run;
    if (I == S.size()) return S.size() - 1;
    if (Run % 2 == 1) return I - 1;
  }
  return std::string_view::npos;
}

// The field's text: doubled quotes made single (a lone one dropped) and the
// stored line breaks ("~" or character 11) turned into CR LF.
void FieldText(std::string_view S, bool Tilde, AnsiString& Out) {
  const char Break = Tilde ? '~' : '\x0B';
  Out.clear();
  if (S.find('"') == std::string_view::npos && S.find(Break) == std::string_view::npos) {
    Out.assign(S);
    return;
  }
  Out.reserve(S.size() + 8);
  for (std::size_t I = 0; I < S.size(); ++I) {
    char C = S[I];
    if (C == '"') {
      if (I + 1 < S.size() && S[I + 1] == '"') {
        Out += '"';
        ++I;
      }
    } else if (C == Break) {
      Out += "\r\n";
    } else {
      Out += C;
    }
  }
}

}  // namespace

void VIduZozezuVodu::InputFromCSV(const AnsiString& FileName, bool Insert, int MaxLines) {
  const int FC = FSaveFixedCells ? 0 : GetFixedCols();
  const int FR = FSaveFixedCells ? 0 : GetFixedRows();
  const std::string Data = ReadWholeFile(FileName);
  TLineWalker Lines(Data);
  int P = FR;
  // Only a footer that is the last row is set aside; in a preview style
  // the last row is data.
  const bool FooterRow = FFloatingFooter->IsFixedLastRow() && FFixedFooters == 1;
  std::vector<AnsiString> Footer;
  if (Insert) {
    P = GetRowCount();
    if (FooterRow && P > 0) {
      for (int C = 0; C < GetAllColCount(); ++C) {
        Footer.push_back(GetCells(C, P - 1));
        SetCells(C, P - 1, AnsiString());
      }
      --P;
    }
  }

  const char SavedDelimiter = FDelimiter;
  struct TRestore {
    char& Slot;
    char Value;
    ~TRestore() { Slot = Value; }
  } Restore{FDelimiter, SavedDelimiter};
  if (FDelimiter == 0) {
    TLineWalker Peek(Data);
    std::string_view L1, L2;
    if (Peek.Next(L1)) Peek.Next(L2);
    FDelimiter = DetectDelimiter(L1, L2);
  }
  const char D = FDelimiter;

  TFileProgress Progress(*this);
  std::size_t Total = 0;
  if (Progress.Active()) {
    std::size_t All = Lines.CountRest();
    Total = !FCSVFirstLine && All > 0 ? All - 1 : All;
    Int64 Rows = static_cast<Int64>(All) + (Insert ? GetRowCount() : FR + FFixedFooters);
    if (Rows > TGridStore::MaxRowCount) throw EDidAvovError("File " + FileName + " has too many lines");
    SetRowCountEx(static_cast<int>(Rows));
  }
  std::string_view Line;
  if (!FCSVFirstLine) Lines.Next(Line);
  const int H = FSaveHiddenCells ? FHiddenCols : 0;

  std::string Oem;
  AnsiString Field;
  std::size_t Done = 0;
  auto Store = [&](int C, int Row) {
    if (GetColCount() + H <= C) {
      if (C + 1 - H > TGridStore::MaxColCount) throw EDidAvovError("File " + FileName + " has too many columns");
      SetColCountEx(C + 1 - H);
    }
    LoadCell(C, Row, Field);
  };
  while ((MaxLines <= 0 || Done < static_cast<std::size_t>(MaxLines)) && Lines.Next(Line)) {
    if (FOemConvert) {
      Oem.assign(Line);
      OemToString(Oem);
      Line = Oem;
    }
    int C = FC;
    if (P >= GetRowCount() - FFixedFooters) {
      if (static_cast<Int64>(P) + 1000 > TGridStore::MaxRowCount)
        throw EDidAvovError("File " + FileName + " has too many lines");
      SetRowCountEx(P + 1000);
    }
    // The line is read from Pos on; nothing is cut from its front.
    std::size_t Pos = 0, K;
    while (D != 0 && (K = Line.find(D, Pos)) != std::string_view::npos) {
      if (Line[Pos] == '"') {
        ++Pos;
        std::size_t Q = ClosingQuote(Line, Pos);
        if (Q != std::string_view::npos) {
          FieldText(Line.substr(Pos, Q - Pos), FTildeCSV, Field);
          Pos = Q + 1;
        } else {
          Field.clear();  // no closing quote: an empty field
        }
        K = Line.find(D, Pos);
      } else {
        FieldText(Line.substr(Pos, K - Pos), FTildeCSV, Field);
      }
      Store(C, P);
      if (K != std::string_view::npos) Pos = K + 1;
      ++C;
    }
    if (Pos < Line.size()) {
      std::string_view Rest = Line.substr(Pos);
      if (Rest.front() == '"') Rest.remove_prefix(1);
      if (!Rest.empty() && Rest.back() == '"') Rest.remove_suffix(1);
      FieldText(Rest, FTildeCSV, Field);
      Store(C, P);
    }
    ++P;
    ++Done;
    if (Total >= 1) Progress.Report(static_cast<long long>(Done), static_cast<long long>(Total));
  }

  SetRowCountEx(P + FFixedFooters);
  SetLargestRowCount(GetRowCount());
  if (FooterRow) {
    int Last = GetRowCount() - 1;
    for (int C = 0; C < GetAllColCount(); ++C)
      SetCells(C, Last, static_cast<std::size_t>(C) < Footer.size() ? Footer[C] : AnsiString());
  }
  FDelimiter = SavedDelimiter;
  CellsChanged(TGridRect{0, 0, GetColCount(), GetRowCount()});
  CellsLoaded();
}
