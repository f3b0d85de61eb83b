#include "grid/viduzozezuvodu_unit.h"

#include <atomic>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/clipbrd.h"
#include "platform/rtl/messages.h"
#include "platform/windows/winole.h"

namespace {

struct TOleUnit {
  TOleUnit() { OleInitialize(nullptr); }
  ~TOleUnit() { OleUninitialize(); }
  TOleUnit(const TOleUnit&) = delete;
  TOleUnit& operator=(const TOleUnit&) = delete;
};

struct TGridUnit {
  Word CellsFormat;
  Word EditDone;
  TGridUnit()
      : CellsFormat(static_cast<Word>(RegisterClipboardFormatA("VIduZozezuVodu Cells"))),
        EditDone(static_cast<Word>(RegisterWindowMessageA("GridEditDone"))) {
    // OLE's state belongs to the thread that starts the unit; its end goes
    // with that thread, before the thread's OLE state itself.
    static thread_local TOleUnit Ole;
    VIduZozezuVodu::DatePickersAvailable();
  }
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
