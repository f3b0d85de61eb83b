// Calls from the pointer handling into layers that are built beside it
// (scroll bars, the OLE drag, balloons, fixed-cell editing): each keeps its
// caller correct with the least effect until its own layer replaces it.
#include "grid/viduzozezuvodu.h"

// Proportional thumbs and flat bars: the platform's standard bars already
// follow the grid.
void VIduZozezuVodu::UpdateVScrollBar() {}
void VIduZozezuVodu::UpdateHScrollBar() {}
void VIduZozezuVodu::UpdateVScroller() {}
bool VIduZozezuVodu::GetScrollProportional() const { return false; }
// No cell carries a scroll bar yet.
void VIduZozezuVodu::PlaceCellScrollBar(int, int) {}
// No drag layer: the press falls back to selecting, as on a refusal.
bool VIduZozezuVodu::StartOleDrag(int, int) { return false; }
// No balloon is shown without the hints layer.
void VIduZozezuVodu::PopBalloon() {}
// Fixed cells are not edited without the fixed-cell editor.
void VIduZozezuVodu::StartFixedEdit(int, int) {}
