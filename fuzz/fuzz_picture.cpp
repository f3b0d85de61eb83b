// The picture loader that tells the format from the bytes (BMP, JPEG, ICO,
// GIF, PNG): TLoadedImage and OleLoadPicture.
// Property: as for every picture loader; OleLoadPicture gives a picture or
// CTL_E_INVALIDPICTURE, never anything else.
#include <cstring>

#include "fuzz/picture_fuzz_common.h"
#include "platform/graphics/graphics_ole.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  FuzzPicture<TLoadedImage>(Data, Size);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, Size);
  if (!mem) return 0;
  if (Size) std::memcpy(GlobalLock(mem), Data, Size);
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  FUZZ_CHECK(CreateStreamOnHGlobal(mem, TRUE, &stream) == S_OK);
  IPicture* picture = nullptr;
  HRESULT r = OleLoadPicture(stream, static_cast<LONG>(Size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
  FUZZ_CHECK(r == S_OK || r == CTL_E_INVALIDPICTURE);
  FUZZ_CHECK((r == S_OK) == (picture != nullptr));
  if (picture) picture->Release();
  stream->Release();
  return 0;
}
