// Painter and image access for the platform folders above graphics.
#include "platform/graphics/gdi_qt.h"

#include <QImage>
#include <QPainter>

#include <cstring>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/graphics_ole.h"

QPainter* GdiContextPainter(HDC dc) { return gdi::IsLiveDC(dc) ? gdi::Painter(dc) : nullptr; }

void GdiEnsureGuiApp() { gdi::EnsureGuiApp(); }

bool GdiDecodeImage(const BYTE* d, std::size_t n, QImage& out) {
  if (!d || n < 8 || n > static_cast<std::size_t>(INT32_MAX)) return false;
  const char* format = nullptr;
  if (std::memcmp(d, "GIF8", 4) == 0) format = "GIF";
  if (std::memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) format = "PNG";
  if (format) {
    QImage img = gdi::ReadImageWithinLimit(d, n, format);
    if (img.isNull()) return false;
    out = img.convertToFormat(QImage::Format_ARGB32);
    return true;
  }
  HICON icon = DecodePicture(d, n);
  if (!icon) return false;
  QImage img(icon->Width, icon->Height, QImage::Format_ARGB32);
  if (img.isNull()) {
    DestroyIcon(icon);
    return false;
  }
  for (int y = 0; y < icon->Height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
    const std::uint32_t* src = icon->Color->Row(y);
    for (int x = 0; x < icon->Width; ++x) {
      bool opaque = icon->Opaque[static_cast<std::size_t>(y) * icon->Width + x];
      row[x] = opaque ? (src[x] | 0xFF000000u) : 0u;
    }
  }
  DestroyIcon(icon);
  out = img;
  return true;
}
