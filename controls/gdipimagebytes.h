// Decoding an image file's bytes with GDI+: the bytes are copied into a
// block of global memory behind a stream, as GDI+ reads images from one.
#pragma once

#include <cstddef>
#include <functional>

#include "controls/zytgdip.h"

// Hands the image decoded from Size bytes at Data to Use; false, without
// calling Use, when there are no bytes. "Could not allocate memory for
// image" when the block cannot be had. The block and stream are freed on
// return, also when Use throws.
bool WithGPImageBytes(const void* Data, std::size_t Size, const std::function<void(TGPImage*)>& Use);
