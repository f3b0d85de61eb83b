// Access to the GUI library's painter and images for the implementation
// files of platform folders above graphics. Qt types are only declared here;
// callers include the Qt headers in their .cpp files.
#pragma once

#include <cstddef>

#include "platform/graphics/gdi.h"

class QImage;
class QPainter;

// The context's one painter on its bitmap, in device pixels with the
// context's clip set; nullptr for an unknown context or one without a
// bitmap. Valid until the next GDI call on the context.
QPainter* GdiContextPainter(HDC dc);

// Makes sure the GUI application object exists (fonts need one).
void GdiEnsureGuiApp();

// Decodes picture bytes through the platform's picture loaders into a
// 32-bit ARGB image; PNG and GIF keep their alpha, other formats are opaque
// where the loader's mask is. False when no loader reads the bytes.
bool GdiDecodeImage(const BYTE* data, std::size_t size, QImage& out);
