// Drawing a button's glyph and caption, shared by the bitmap button and the
// speed button (not for users of the controls).
#pragma once

#include "platform/stdctrls/stdctrls_buttons.h"

namespace stdctl {

// Draws picture Index of a strip of NumGlyphs pictures (the bottom-left
// pixel's colour is transparent) and the caption, laid out by Layout with
// Spacing pixels between them, centred in Client; Offset moves both (a
// pressed button). A disabled caption is embossed.
void DrawButtonFace(HDC DC, TBitmap* Glyph, int NumGlyphs, int Index, const WideString& Caption, TRect Client,
                    TButtonLayout Layout, int Spacing, int Offset, bool Enabled);

}  // namespace stdctl
