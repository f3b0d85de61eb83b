// ICO and CUR files through TIcon (DIB and PNG entries).
#include "fuzz/picture_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  return FuzzPicture<TIcon>(Data, Size);
}
