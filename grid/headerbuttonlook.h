// The floating header button (a column being moved or dragged) painted in
// the colours the grid's look gives its fixed cells.
#pragma once

#include "grid/controllook.h"
#include "grid/popupbutton.h"
#include "grid/viduzozezuvodu.h"

// The XP-like looks take the fixed cells' gradient, the Vista-like look its
// mirror half too; the other looks leave the plain button face.
void SetHeaderButtonLook(TPopupButton& Button, TGridLook Look, const TFixedGradientSet& Fixed);
