#include "controls/gdipimagebytes.h"

#include <cstring>

#include "platform/graphics/graphics_ole.h"
#include "platform/rtl/sysutils.h"

bool WithGPImageBytes(const void* Data, std::size_t Size, const std::function<void(TGPImage*)>& Use) {
  if (Size == 0) return false;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, Size);
  if (!mem) throw Exception("Could not allocate memory for image");
  std::memcpy(GlobalLock(mem), Data, Size);
  GlobalUnlock(mem);
  // The block is freed here, once, after the stream that reads it.
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(mem, FALSE, &stream);
  struct TRelease {
    IStream* s;
    HGLOBAL m;
    ~TRelease() {
      if (s) s->Release();
      GlobalFree(m);
    }
  } release{stream, mem};
  TGPImage image(stream, false);
  Use(&image);
  return true;
}
