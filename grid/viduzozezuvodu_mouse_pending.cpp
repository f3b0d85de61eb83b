// Form-control editing in cells, reached from a press on a control; the
// HTML form controls layer gives these their editors.
#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::ControlEnter(const AnsiString&, const AnsiString& CType, const AnsiString& CID,
                                  const AnsiString&, const TRect&, int, int RCol, int ARow) {
  ControlCell = TPoint(RCol, ARow);
  ControlID = CID;
  ControlType = CType;
}

void VIduZozezuVodu::ControlExit(TObject*) {
  ControlEditing = false;
  ControlType = "";
}
