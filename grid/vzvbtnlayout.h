// What the edits with a button inside their right edge share: the minimum
// height by the fonts, the place of the inner button and the formatting
// rectangle that keeps the text clear of it.
#pragma once

#include "platform/forms/controls.h"

namespace vzvlayout {

// The smaller of the system font's and the control font's character height,
// div 4, plus the control font's height.
int MinHeightBase(TWinControl* Edit);

// Places Button at the edit's right edge, Width pixels wide: with a border
// D is 5 (1 without), the button at Width - ButtonWidth - D, top 0, height
// Height - D while Ctl3D is set; else at Width - ButtonWidth, top 1, height
// Height - 3.
void PlaceButton(TWinControl* Edit, TControl* Button, int ButtonWidth);

// The edit's formatting rectangle (EM_GETRECT, then EM_SETRECTNP).
void SetFormatRect(TWinControl* Edit, int Left, int Top, int Right, int Bottom);

// Whether the left mouse button is down over the control (a click entering
// it keeps the caret where it was placed).
bool LeftButtonDownIn(TWinControl* Edit);

}  // namespace vzvlayout
