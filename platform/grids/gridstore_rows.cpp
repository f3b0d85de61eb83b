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

namespace {

constexpr std::size_t BigBytes = std::size_t{1} << 20;
constexpr std::size_t HugePage = std::size_t{2} << 20;

}  // namespace

void* GridBigAlloc(std::size_t Bytes) {
  if (Bytes < BigBytes) return ::operator new(Bytes);
  const std::size_t size = (Bytes + HugePage - 1) / HugePage * HugePage;
  void* map = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) throw std::bad_alloc();
  auto* raw = static_cast<std::byte*>(map);
  const auto addr = reinterpret_cast<std::uintptr_t>(raw);
  std::byte* start = raw + ((HugePage - addr % HugePage) % HugePage);
  if (start > raw) ::munmap(raw, static_cast<std::size_t>(start - raw));
  if (std::byte* end = start + size; end < raw + size + HugePage)
    ::munmap(end, static_cast<std::size_t>(raw + size + HugePage - end));
  ::madvise(start, size, MADV_HUGEPAGE);  // a hint; refused is fine
  return start;
}

void GridBigFree(void* P, std::size_t Bytes) {
  if (!P) return;
  if (Bytes < BigBytes) {
    ::operator delete(P);
    return;
  }
  ::munmap(P, (Bytes + HugePage - 1) / HugePage * HugePage);
}

TGridChunks::TChunk TGridChunks::NewChunk(std::size_t Size) {
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

void TGridChunks::FreeChunk(const TChunk& Chunk) {
  if (Chunk.Mapped) {
    if (!SpareChunks().Keep(Chunk.Start, Chunk.Size)) ::munmap(Chunk.Start, Chunk.Size);
  } else {
    ::operator delete(Chunk.Start);
  }
}

TGridChunks::~TGridChunks() {
  for (const TChunk& c : FChunks) FreeChunk(c);
}

void* TGridChunks::Carve(std::size_t Bytes) {
  if (FLeft < Bytes) {
    const std::size_t size = std::min(LargeChunkBytes, FirstChunkBytes << std::min<std::size_t>(FChunks.size(), 5));
    FChunks.reserve(FChunks.size() + 1);
    FChunks.push_back(NewChunk(size));
    FNext = FChunks.back().Start;
    FLeft = size;
  }
  void* piece = FNext;
  FNext += Bytes;
  FLeft -= Bytes;
  return piece;
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
  return static_cast<TGridCell*>(FChunks.Carve(bytes));
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
