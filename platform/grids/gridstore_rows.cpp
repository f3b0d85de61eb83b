#include "platform/grids/gridstore_rows.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <utility>

#include <sys/mman.h>

namespace {

// Large chunks of stores that were freed, kept for the next store: a grid
// filled again after another was closed then reuses pages that are already
// there instead of faulting fresh ones in (the system does not always have
// a huge page ready at once). Capped so that a closed big grid does not
// hold on to much memory.
class TSpareChunks {
public:
  static constexpr std::size_t MaxBytes = std::size_t{128} << 20;

  void* Take() {
    std::lock_guard<std::mutex> lock(FLock);
    if (FCount == 0) return nullptr;
    return FChunks[--FCount];
  }
  // False when full: the caller frees the chunk itself.
  bool Keep(void* Chunk, std::size_t Size) {
    std::lock_guard<std::mutex> lock(FLock);
    if ((FCount + 1) * Size > MaxBytes || FCount == std::size(FChunks)) return false;
    FChunks[FCount++] = Chunk;
    return true;
  }

private:
  std::mutex FLock;
  void* FChunks[64] = {};
  std::size_t FCount = 0;
};

TSpareChunks& SpareChunks() {
  static TSpareChunks* spare = new TSpareChunks;  // lives as long as the process
  return *spare;
}

}  // namespace

TGridRowArena::TChunk TGridRowArena::NewChunk(std::size_t Size) {
  if (Size == LargeChunkBytes) {
    if (void* kept = SpareChunks().Take()) return {static_cast<std::byte*>(kept), Size, true};
    // Map twice the size and keep the aligned middle, so that the chunk can
    // lie on one huge page.
    void* map = ::mmap(nullptr, 2 * Size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map != MAP_FAILED) {
      auto* raw = static_cast<std::byte*>(map);
      const auto addr = reinterpret_cast<std::uintptr_t>(raw);
      std::byte* start = raw + ((Size - addr % Size) % Size);
      if (start > raw) ::munmap(raw, static_cast<std::size_t>(start - raw));
      if (std::byte* end = start + Size; end < raw + 2 * Size)
        ::munmap(end, static_cast<std::size_t>(raw + 2 * Size - end));
      ::madvise(start, Size, MADV_HUGEPAGE);  // a hint; refused is fine
      return {start, Size, true};
    }
  }
  auto* start = static_cast<std::byte*>(::operator new(Size));
  return {start, Size, false};
}

void TGridRowArena::FreeChunk(const TChunk& Chunk) {
  if (Chunk.Mapped) {
    if (!SpareChunks().Keep(Chunk.Start, Chunk.Size)) ::munmap(Chunk.Start, Chunk.Size);
  } else {
    ::operator delete(Chunk.Start);
  }
}

TGridRowArena::~TGridRowArena() {
  for (const TChunk& c : FChunks) FreeChunk(c);
}

TGridCell* TGridRowArena::TakeBlock(std::uint32_t Capacity) {
  const std::size_t bytes = sizeof(TGridCell) * Capacity;
  if (Capacity > MaxPooled) return static_cast<TGridCell*>(::operator new(bytes));
  // A block given back holds the next free block of its size in its first
  // bytes.
  if (void* block = FFree[Capacity]) {
    FFree[Capacity] = *static_cast<void**>(block);
    return static_cast<TGridCell*>(block);
  }
  if (FLeft < bytes) {
    const std::size_t size = std::min(LargeChunkBytes, FirstChunkBytes << std::min<std::size_t>(FChunks.size(), 5));
    FChunks.reserve(FChunks.size() + 1);
    FChunks.push_back(NewChunk(size));
    FNext = FChunks.back().Start;
    FLeft = size;
  }
  void* block = FNext;
  FNext += bytes;
  FLeft -= bytes;
  return static_cast<TGridCell*>(block);
}

void TGridRowArena::GiveBlock(TGridCell* Block, std::uint32_t Capacity) {
  if (!Block) return;
  if (Capacity > MaxPooled) {
    ::operator delete(Block);
    return;
  }
  *reinterpret_cast<void**>(Block) = FFree[Capacity];
  FFree[Capacity] = Block;
}

void TGridRowArena::Reserve(TGridRow& Row, std::uint32_t Capacity) {
  if (Capacity <= Row.Capacity) return;
  TGridCell* block = TakeBlock(Capacity);
  for (std::uint32_t i = 0; i < Row.Size; ++i) {
    new (block + i) TGridCell(std::move(Row.Cells[i]));
    Row.Cells[i].~TGridCell();
  }
  GiveBlock(Row.Cells, Row.Capacity);
  Row.Cells = block;
  Row.Capacity = Capacity;
}

void TGridRowArena::Extend(TGridRow& Row, std::uint32_t Size) {
  for (; Row.Size < Size; ++Row.Size) new (Row.Cells + Row.Size) TGridCell();
}

void TGridRowArena::Release(TGridRow& Row) {
  for (std::uint32_t i = 0; i < Row.Size; ++i) Row.Cells[i].~TGridCell();
  GiveBlock(Row.Cells, Row.Capacity);
  Row = TGridRow{};
}
