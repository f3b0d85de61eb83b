// The platform's pseudo-random generator.
#include "platform/rtl/sysutils.h"

#include <chrono>
#include <mutex>

namespace {

std::mutex gRandMutex;
std::uint32_t gRandSeed = 0;

std::uint32_t NextSeed() {
  std::lock_guard<std::mutex> lock(gRandMutex);
  gRandSeed = gRandSeed * 134775813u + 1u;
  return gRandSeed;
}

}  // namespace

Integer Random(Integer Range) {
  if (Range <= 0) return 0;
  return static_cast<Integer>((static_cast<UInt64>(NextSeed()) * static_cast<UInt64>(Range)) >> 32);
}

Extended Random() { return NextSeed() / 4294967296.0; }

void SetRandSeed(Integer Value) {
  std::lock_guard<std::mutex> lock(gRandMutex);
  gRandSeed = static_cast<std::uint32_t>(Value);
}

void Randomize() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                     std::chrono::system_clock::now().time_since_epoch().count();
  SetRandSeed(static_cast<Integer>(static_cast<std::uint32_t>(ticks ^ (ticks >> 32))));
}
