// The picture of mini-HTML text: GIF frame scanning and re-cutting, then the
// platform's loader on the re-cut bytes of every frame.
// Property: frames lie wholly inside the data, a re-cut frame is as long as
// the bytes kept, and only the picture's own Exception escapes a load.
#include "fuzz/fuzz_support.h"
#include "fuzz/picture_limit.h"
#include "grid/htmlpicture.h"
#include "platform/rtl/sysutils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::vector<std::size_t> Frames = ScanGIFFrames(Data, Size);
  for (std::size_t k : Frames) FUZZ_CHECK(k + 12 < Size);
  for (std::size_t i = 0; i < Frames.size() && i < 8; ++i) {
    const std::vector<std::uint8_t> Cut = CutGIFFrame(Data, Size, Frames, static_cast<int>(i + 1));
    FUZZ_CHECK(Cut.size() == Frames.front() + (Size - Frames[i]));
  }
  THTMLPicture P;
  TMemoryStream M;
  if (Size) M.WriteBuffer(Data, static_cast<int>(Size));
  try {
    P.LoadFromStream(&M);
  } catch (const Exception&) {
  }
  const int n = P.GetFrameCount();
  FUZZ_CHECK(n == -1 || n == static_cast<int>(Frames.size()));
  for (int i = 0; i < 12; ++i) {
    try {
      P.Step();
    } catch (const Exception&) {
    }
  }
  (void)P.GetMaxWidth();
  return 0;
}
