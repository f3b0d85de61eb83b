// Included by the targets that decode pictures: the decoders refuse
// pictures above a megapixel here. Their real ceiling is tested apart, and
// a few bytes declaring a huge picture would only slow a run down.
#pragma once

#include "platform/graphics/graphics_ole.h"

inline const bool kFuzzPictureLimitSet = (SetMaxPicturePixels(1 << 20), true);
