// The grid's fixed-width import. The first byte gives the number of
// positions (bits 0-2), the trim flag (bit 3) and the maximum line count
// (bits 4-5: -1, 0, 1, 3); that many signed bytes follow as the positions;
// the rest is the file. Property: nothing escapes, the positions come back
// sorted, fewer than two change nothing, otherwise the grid has one column
// per pair beside its fixed ones and every field read fits its column's
// width.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "grid/gridlists.h"
#include "grid/viduzozezuvodu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  const std::size_t n = Data[0] & 7;
  const bool trim = Data[0] & 8;
  const int maxLines[] = {-1, 0, 1, 3};
  const int max = maxLines[(Data[0] >> 4) & 3];
  if (Size < 1 + n) return 0;
  TIntList positions(0, 0);
  std::vector<int> given;
  for (std::size_t i = 0; i < n; ++i) {
    given.push_back(static_cast<std::int8_t>(Data[1 + i]));
    positions.Add(given.back());
  }
  static const std::string file = ScratchFile("fixed");
  const std::string bytes = AsString(Data + 1 + n, Size - 1 - n);
  WriteFile(file, bytes);
  // Lines as the reader splits them, then as many as the maximum lets it read.
  long long lines = 0;
  for (std::size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; i < bytes.size(); ++lines) {
    while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') ++i;
    if (i < bytes.size() && bytes[i] == '\r') ++i;
    if (i < bytes.size() && bytes[i] == '\n') ++i;
  }
  if (max != -1) lines = std::min(lines, static_cast<long long>(std::max(1, max)));
  VIduZozezuVodu grid(nullptr);
  grid.SetCells(1, 1, "before");
  const int cols = grid.GetColCount(), rows = grid.GetRowCount();
  grid.LoadFromFixed(file, &positions, max, trim);
  if (n < 2) {
    FUZZ_CHECK(grid.GetColCount() == cols && grid.GetRowCount() == rows);
    FUZZ_CHECK(grid.GetCells(1, 1) == "before");
    return 0;
  }
  std::sort(given.begin(), given.end());
  for (std::size_t i = 0; i < n; ++i) FUZZ_CHECK(positions[static_cast<int>(i)] == given[i]);
  FUZZ_CHECK(grid.GetColCount() == grid.GetFixedCols() + static_cast<int>(n) - 1);
  for (int r = 0; r < lines; ++r)
    for (std::size_t k = 1; k < n; ++k) {
      const std::string cell = grid.GetCells(static_cast<int>(k) - 1, r);
      long long chars = 0;
      for (unsigned char c : cell) chars += (c & 0xC0) != 0x80;
      FUZZ_CHECK(chars <= std::max(0, given[k] - given[k - 1]));
    }
  return 0;
}
