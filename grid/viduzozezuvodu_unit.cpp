#include "grid/viduzozezuvodu_unit.h"

#include <atomic>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/clipbrd.h"
#include "platform/rtl/messages.h"
#include "platform/windows/winole.h"

namespace {

struct TGridUnit {
  Word CellsFormat;
  Word EditDone;
  TGridUnit()
      : CellsFormat(static_cast<Word>(RegisterClipboardFormatA("VIduZozezuVodu Cells"))),
        EditDone(static_cast<Word>(RegisterWindowMessageA("GridEditDone"))) {
    OleInitialize(nullptr);
    VIduZozezuVodu::DatePickersAvailable();
  }
  ~TGridUnit() { OleUninitialize(); }
};

const TGridUnit& Unit() {
  static const TGridUnit unit;
  return unit;
}

std::atomic<TCursor> LinkCursor{crDefault};

}  // namespace

void GridUnitStart() { Unit(); }
Word GridCellsClipboardFormat() { return Unit().CellsFormat; }
Word GridEditDoneMessage() { return Unit().EditDone; }
TCursor GetGridLinkCursor() { return LinkCursor.load(); }
void SetGridLinkCursor(TCursor Value) { LinkCursor.store(Value); }
