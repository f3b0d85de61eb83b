// A "VIduZozezuVodu Cells" block from another program pasted into a small
// grid. Property: a damaged block raises only the stream's read error, the
// clipboard is closed again on every path and the paste hooks stay paired.
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/clipbrd.h"

namespace {

class TPasteGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void PasteStart() override { ++Open; }
  void PasteDone() override { --Open; }
  int Open = 0;
};

void Put(const std::string& Bytes) {
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
  if (!Bytes.empty()) std::memcpy(GlobalLock(Mem), Bytes.data(), Bytes.size());
  GlobalUnlock(Mem);
  OpenClipboard(nullptr);
  EmptyClipboard();
  if (!SetClipboardData(RegisterClipboardFormatA("VIduZozezuVodu Cells"), Mem)) GlobalFree(Mem);
  CloseClipboard();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  const std::uint8_t Options = Data[0];
  Put(AsString(Data + 1, Size - 1));
  TPasteGrid grid(nullptr);
  grid.SetColCountEx(5);
  grid.SetRowCountEx(5);
  grid.SetOptions(grid.GetOptions() | goEditing);
  grid.SetCellEx(3, 3, "before");
  grid.MergeCells(2, 2, 2, 2);
  TNavigation* N = grid.GetNavigation();
  N->AllowFmtClipboard = true;
  N->AllowSmartClipboard = Options & 1;
  N->ClipboardPasteAction = (Options & 2) ? paInsert : paReplace;
  grid.SetSelectionEx(TGridRect{(Options >> 2) & 3, (Options >> 4) & 3, 4, 4});
  try {
    if (Options & 0x40)
      grid.PasteFromClipboard();
    else
      grid.PasteSelectionFromClipboard();
  } catch (const EStreamError&) {
  }
  FUZZ_CHECK(GetOpenClipboardWindow() == nullptr && !Clipboard()->IsOpen());
  FUZZ_CHECK_EQ(std::to_string(grid.Open), std::to_string(0));
  return 0;
}
