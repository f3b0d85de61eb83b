// The drawing-call recorder, pixel access for display, and PNG output.
#include <QImage>
#include <QString>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }
}  // namespace

// ---- Recorder and PNG -----------------------------------------------------
void GdiStartRecording(HDC dc) {
  if (Valid(dc)) dc->Recording = true;
}
void GdiStopRecording(HDC dc) {
  if (Valid(dc)) dc->Recording = false;
}
std::vector<TGdiCall> GdiRecordedCalls(HDC dc) { return Valid(dc) ? dc->Calls : std::vector<TGdiCall>{}; }
void GdiClearRecording(HDC dc) {
  if (Valid(dc)) dc->Calls.clear();
}

const std::uint32_t* GdiBitmapBits(HBITMAP bmp, int* width, int* height, int* stride) {
  TGdiObj* o = AsObj(bmp);
  if (!o || o->Kind != OBJ_BITMAP) return nullptr;
  if (width) *width = bmp->Width;
  if (height) *height = bmp->Height;
  if (stride) *stride = static_cast<int>(bmp->Stride);
  return bmp->Bits;
}

bool GdiSaveBitmapPNG(HBITMAP bmp, const AnsiString& fileName) {
  if (!AsObj(bmp) || bmp->Kind != OBJ_BITMAP) return false;
  QImage copy = bmp->Image->copy(0, 0, bmp->Width, bmp->Height);
  return copy.save(QString::fromStdString(fileName), "PNG");
}
bool GdiSavePNG(HDC dc, const AnsiString& fileName) {
  return Valid(dc) && GdiSaveBitmapPNG(dc->S.Bitmap, fileName);
}
