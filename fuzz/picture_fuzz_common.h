// One body for the picture loaders' targets.
// Property: a picture file loads or raises EInvalidGraphic (nothing else);
// one that loads saves and loads back at the same size.
#pragma once

#include <memory>

#include "fuzz/fuzz_support.h"
#include "fuzz/picture_limit.h"
#include "platform/graphics/graphics.h"

template <class TImage>
int FuzzPicture(const std::uint8_t* Data, std::size_t Size) {
  TImage image;
  try {
    TStringStream in(AsString(Data, Size));
    image.LoadFromStream(&in);
  } catch (const EInvalidGraphic&) {
    return 0;
  }
  // A picture up to the ceiling is valid but takes seconds to decode again
  // under the sanitizers: large ones are not reloaded.
  if (static_cast<long long>(image.GetWidth()) * image.GetHeight() > (1 << 20)) return 0;
  TMemoryStream saved;
  image.SaveToStream(&saved);
  if (saved.GetSize() == 0) return 0;
  saved.SetPosition(0);
  TImage back;
  back.LoadFromStream(&saved);
  FUZZ_CHECK(back.GetWidth() == image.GetWidth() && back.GetHeight() == image.GetHeight());
  return 0;
}
