#include "platform/grids/gridstore_rows.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

#include <sys/mman.h>

void TGridRowArena::TFreeChunk::operator()(std::byte* P) const { std::free(P); }

TGridRowArena::~TGridRowArena() = default;

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
    void* chunk = std::aligned_alloc(size, size);
    if (!chunk) throw std::bad_alloc();
    if (size == LargeChunkBytes) ::madvise(chunk, size, MADV_HUGEPAGE);  // a hint; refused is fine
    FChunks.emplace_back(static_cast<std::byte*>(chunk));
    FNext = FChunks.back().get();
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
