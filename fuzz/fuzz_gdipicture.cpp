// Fuzz target of the GDI+ picture: the input is taken as an image file's
// bytes, measured, drawn stretched and unstretched on an offscreen canvas,
// streamed as form data and decoded as a GDI+ bitmap whose pixels are read.
//
// Round trips that must hold are checked: the kept bytes stream back
// unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "controls/gdipicture.h"
#include "fuzz/picture_limit.h"
#include "platform/graphics/graphics_ole.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1u << 20)) return 0;
  static TBitmap* target = [] {
    auto* b = new TBitmap;
    b->SetSize(64, 64);
    return b;
  }();
  TMemoryStream in;
  if (size) in.WriteBuffer(data, static_cast<int>(size));
  TGDIPPicture pic;
  pic.LoadFromStream(&in);
  pic.GetImageSizes();
  target->GetCanvas()->StretchDraw(TRect(0, 0, 64, 64), &pic);
  target->GetCanvas()->Draw(3, 5, &pic);

  TMemoryStream out;
  pic.WriteData(&out);
  if (out.Size() != static_cast<Int64>(size) || (size && std::memcmp(out.Memory(), data, size) != 0)) std::abort();

  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
  if (size) std::memcpy(GlobalLock(mem), data, size);
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(mem, TRUE, &stream);
  std::unique_ptr<TGPBitmap> bmp(TGPBitmap::FromStream(stream));
  stream->Release();
  const UINT w = bmp->GetWidth(), h = bmp->GetHeight();
  ARGB px = 0;
  if (w && h) bmp->GetPixel(static_cast<int>(w - 1), static_cast<int>(h - 1), px);
  bmp->RotateFlip(Rotate90FlipX);
  if (bmp->GetWidth() != h) std::abort();
  return 0;
}
