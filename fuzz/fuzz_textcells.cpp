// The grid's text cell file, through LoadFromStream and LoadFromFile.
// Property: bad numbers raise EConvertError and sizes beyond the grid's
// limits EDidAvovError, before the grid changes; what loads saves and loads
// back into a grid that saves the same bytes.
#include "fuzz/fuzz_support.h"
#include "grid/viduzozezuvodu.h"

namespace {

std::string Saved(VIduZozezuVodu& G) {
  return BytesWritten([&](TStream* S) { G.SaveToStream(S); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  // The first byte chooses the grid's switches; the rest is the file.
  const bool fixedCells = Data[0] & 1, multiLine = Data[0] & 2, viaFile = Data[0] & 4;
  const std::string bytes = AsString(Data + 1, Size - 1);
  VIduZozezuVodu grid(nullptr);
  grid.SetSaveFixedCells(fixedCells);
  grid.SetMultilinecells(multiLine);
  grid.SetCellEx(1, 1, "before");
  const std::string before = Saved(grid);
  try {
    if (viaFile) {
      static const std::string file = ScratchFile("textcells");
      WriteFile(file, bytes);
      grid.LoadFromFile(file);
    } else {
      TStringStream in(bytes);
      grid.LoadFromStream(&in);
    }
  } catch (const EDidAvovError&) {
    FUZZ_CHECK(Saved(grid) == before);  // refused before anything changed
    return 0;
  } catch (const EConvertError&) {
    return 0;
  }
  // Saving asks for every cell's text (the application may supply texts of
  // empty cells), so the round trip is checked on grids of sane size only.
  if (static_cast<long long>(grid.GetColCount()) * grid.GetRowCount() > 100000) return 0;
  const std::string once = Saved(grid);
  VIduZozezuVodu copy(nullptr);
  copy.SetSaveFixedCells(fixedCells);
  copy.SetMultilinecells(multiLine);
  // The file does not carry the fixed counts (a size of 1 leaves none).
  copy.SetFixedCols(grid.GetFixedCols());
  copy.SetFixedRows(grid.GetFixedRows());
  TStringStream again(once);
  copy.LoadFromStream(&again);
  FUZZ_CHECK_EQ(Saved(copy), once);
  return 0;
}
