// The grid's binary cell stream, read at a point of a small grid.
// Property: a damaged stream raises only the stream's read error; whatever
// was loaded leaves consistent merged areas, and a grid of sane size saves
// and loads back into a grid that saves the same bytes.
#include "fuzz/fuzz_support.h"
#include "grid/viduzozezuvodu.h"

namespace {

std::string Saved(VIduZozezuVodu& G) {
  return BytesWritten([&](TStream* S) { G.SaveToBinStream(S); });
}

// Every member of a merged area points at a base whose area holds it.
bool MergesConsistent(VIduZozezuVodu& G) {
  for (int R = 0; R < G.GetRowCount(); ++R)
    for (int C = 0; C < G.GetColCount(); ++C) {
      if (!G.HasCellProperties(C, R)) continue;
      TCellProperties* P = G.GetCellProperties(C, R);
      if (P->IsBaseCell) continue;
      TPoint B = G.BaseCell(C, R);
      if (B.x < 0 || B.y < 0 || B.x >= G.GetColCount() || B.y >= G.GetRowCount()) return false;
      if (!G.HasCellProperties(B.x, B.y)) return false;
      TCellProperties* BP = G.GetCellProperties(B.x, B.y);
      if (!BP->IsBaseCell || C > B.x + BP->CellSpanX || R > B.y + BP->CellSpanY) return false;
    }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  // The first byte chooses the point: (0, 0), where a whole-grid stream
  // replaces the grid, or a cell inside it.
  const bool atOrigin = Data[0] & 1;
  TStringStream in(AsString(Data + 1, Size - 1));
  VIduZozezuVodu grid(nullptr);
  grid.SetColCount(5);
  grid.SetRowCount(5);
  grid.SetCellEx(3, 3, "before");
  grid.MergeCells(2, 2, 2, 2);
  try {
    grid.LoadAtPointFromBinStream(atOrigin ? TPoint(0, 0) : TPoint(1, 2), &in);
  } catch (const EReadError&) {
    FUZZ_CHECK(grid.GetColCount() > 1000 || MergesConsistent(grid));
    return 0;
  }
  if (static_cast<long long>(grid.GetColCount()) * grid.GetRowCount() > 10000) return 0;
  FUZZ_CHECK(MergesConsistent(grid));
  const std::string once = Saved(grid);
  VIduZozezuVodu copy(nullptr);
  TStringStream again(once);
  copy.LoadFromBinStream(&again);
  FUZZ_CHECK_EQ(Saved(copy), once);
  return 0;
}
