// JPEG files through TJPEGImage (libjpeg).
#include "fuzz/picture_fuzz_common.h"
#include "platform/graphics/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  return FuzzPicture<TJPEGImage>(Data, Size);
}
