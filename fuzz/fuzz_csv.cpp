// The grid's CSV reader. The first byte chooses the switches (bit 0 tilde
// style, bit 1 OEM code page, bit 2 skip the first line, bit 3 insert) and
// the delimiter (high nibble: 0 detect, 1 .. 10 a candidate, above that
// detect with progress reporting and without fixed cells); the rest is the
// file. Property: only the reader's own error escapes; a load leaves one
// row per line read after the fixed rows, the delimiter setting as it was,
// and what is saved again loads back into the same cells.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

namespace {

constexpr char Candidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};

std::size_t LineCount(const std::string& S) {
  std::size_t I = S.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0, N = 0;
  while (I < S.size()) {
    while (I < S.size() && S[I] != '\r' && S[I] != '\n') ++I;
    if (I < S.size() && S[I] == '\r') ++I;
    if (I < S.size() && S[I] == '\n') ++I;
    ++N;
  }
  return N;
}

std::vector<std::vector<std::string>> Cells(VIduZozezuVodu& G) {
  std::vector<std::vector<std::string>> T;
  for (int R = 0; R < G.GetRowCount(); ++R) {
    T.emplace_back();
    for (int C = 0; C < G.GetColCount(); ++C) T.back().push_back(G.GetCells(C, R));
  }
  return T;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  const bool tilde = Data[0] & 1, oem = Data[0] & 2, skipFirst = Data[0] & 4, insert = Data[0] & 8;
  const int choice = Data[0] >> 4;
  const std::string bytes = AsString(Data + 1, Size - 1);
  static const std::string file = ScratchFile("csv");
  WriteFile(file, bytes);
  VIduZozezuVodu grid(nullptr);
  grid.SetTildeCSV(tilde);
  grid.SetOemConvert(oem);
  grid.SetCSVFirstLine(!skipFirst);
  const char delimiter = choice >= 1 && choice <= 10 ? Candidates[choice - 1] : '\0';
  grid.SetDelimiter(delimiter);
  if (choice > 10) {
    grid.SetSaveFixedCells(false);
    grid.OnFileProgress = [](TObject*, short P) { FUZZ_CHECK(P >= 0 && P <= 100); };
  }
  const int rowsBefore = grid.GetRowCount();
  try {
    if (insert)
      grid.InsertFromCSV(file);
    else
      grid.LoadFromCSV(file);
  } catch (const EDidAvovError&) {
    FUZZ_CHECK(grid.GetDelimiter() == delimiter);
    return 0;
  }
  FUZZ_CHECK(grid.GetDelimiter() == delimiter);
  std::size_t lines = LineCount(bytes);
  if (skipFirst && lines > 0) --lines;
  const std::size_t first = insert ? rowsBefore : grid.GetSaveStartRow();
  // The grid keeps a row below its fixed rows whatever it is given.
  const std::size_t least = static_cast<std::size_t>(grid.GetFixedRows()) + 1;
  FUZZ_CHECK(static_cast<std::size_t>(grid.GetRowCount()) == std::max(first + lines, least) ||
             (first + lines < least && static_cast<std::size_t>(grid.GetRowCount()) <= least));
  if (insert || tilde || oem || static_cast<long long>(grid.GetColCount()) * grid.GetRowCount() > 100000) return 0;
  // Saved with a fixed delimiter and every field quoted (line breaks kept
  // on the line), the cells load back the same.
  grid.SetDelimiter(',');
  grid.SetAlwaysQuotes(true);
  grid.SetMultilinecells(true);
  grid.SetCSVFirstLine(true);
  static const std::string again = ScratchFile("csv_again");
  grid.SaveToCSV(again);
  VIduZozezuVodu copy(nullptr);
  copy.SetSaveFixedCells(grid.GetSaveFixedCells());
  copy.SetDelimiter(',');
  copy.SetColCountEx(grid.GetColCount());
  // A load of no lines may leave the grid without its fixed rows.
  copy.SetFixedCols(grid.GetFixedCols());
  copy.SetFixedRows(grid.GetFixedRows());
  copy.LoadFromCSV(again);
  auto want = Cells(grid), got = Cells(copy);
  // Lone CRs and LFs in a cell split its record, and rich text goes out as
  // its plain text: only grids without such cells are compared.
  for (auto& row : want)
    for (auto& cell : row)
      if (cell.find_first_of("\r\n\x0B") != std::string::npos || TextType(cell, true) == ttRTF) return 0;
  FUZZ_CHECK(got == want);
  return 0;
}
