// Operations the editing layer calls whose own layer (keyboard handling)
// builds them fully; until then each does the least its callers need.
#include "grid/viduzozezuvodu.h"

bool VIduZozezuVodu::IsOnLastRow() { return GetRow() == GetRowCount() - 1; }

void VIduZozezuVodu::AppendLastRow() {
  DoAppendRow();
  SetRow(GetRowCount() - 1);
}
