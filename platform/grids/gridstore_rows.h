// Rows of the grid's cell store: each row's cells in one block, the blocks
// carved from large chunks that the store owns. Filling a grid then costs no
// heap allocation per row and no per-block bookkeeping in memory, and far
// fewer fresh pages than one allocation per row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rtl/sysbase.h"

struct TGridCell {
  AnsiString Text;
  TObject* Object = nullptr;
};

// One row's cells by slot. A plain record: the store moves rows by copying
// it and clearing the source (Take).
struct TGridRow {
  TGridCell* Cells = nullptr;
  std::uint32_t Size = 0;
  std::uint32_t Capacity = 0;
};

inline TGridRow Take(TGridRow& Row) {
  TGridRow taken = Row;
  Row = TGridRow{};
  return taken;
}

// Large blocks carved into pieces that are given back all at once, when the
// owner goes. Chunks start small for small grids and double up to the large
// ones, which the system may back with huge pages: a fill of fresh memory
// then takes one page fault per 2 MiB instead of one per 4 KiB.
class TGridChunks {
public:
  static constexpr std::size_t FirstChunkBytes = std::size_t{64} << 10;
  static constexpr std::size_t LargeChunkBytes = std::size_t{2} << 20;

  TGridChunks() = default;
  ~TGridChunks();
  TGridChunks(const TGridChunks&) = delete;
  TGridChunks& operator=(const TGridChunks&) = delete;

  // Bytes (a multiple of 8, at most LargeChunkBytes) of fresh room, aligned
  // to 8; the rest of a chunk too small for them is skipped.
  void* Carve(std::size_t Bytes);

private:
  struct TChunk {
    std::byte* Start = nullptr;
    std::size_t Size = 0;
    bool Mapped = false;  // mapped apart, aligned to its size
  };
  static TChunk NewChunk(std::size_t Size);
  static void FreeChunk(const TChunk& Chunk);

  std::vector<TChunk> FChunks;
  std::byte* FNext = nullptr;
  std::size_t FLeft = 0;
};

// Room for large work arrays of the grid (one entry per row of a large
// grid): 1 MiB and more is mapped apart, aligned to 2 MiB and offered to the
// system for huge pages, since filling fresh memory one small page at a time
// costs far more than the work done on it; smaller ones come from the heap.
void* GridBigAlloc(std::size_t Bytes);
void GridBigFree(void* P, std::size_t Bytes);

template <class T>
struct TGridBigAllocator {
  using value_type = T;
  TGridBigAllocator() = default;
  template <class U>
  TGridBigAllocator(const TGridBigAllocator<U>&) {}
  T* allocate(std::size_t N) { return static_cast<T*>(GridBigAlloc(N * sizeof(T))); }
  void deallocate(T* P, std::size_t N) { GridBigFree(P, N * sizeof(T)); }
  template <class U>
  bool operator==(const TGridBigAllocator<U>&) const { return true; }
};

template <class T>
using TGridBigVector = std::vector<T, TGridBigAllocator<T>>;

class TGridRowArena {
public:
  TGridRowArena() = default;
  TGridRowArena(const TGridRowArena&) = delete;
  TGridRowArena& operator=(const TGridRowArena&) = delete;

  // Gives the row room for Capacity cells (at least its size), keeping them.
  void Reserve(TGridRow& Row, std::uint32_t Capacity);
  // Adds empty cells up to Size (within the capacity).
  void Extend(TGridRow& Row, std::uint32_t Size);
  // Destroys the row's cells and takes its block back; the row is empty.
  void Release(TGridRow& Row);

private:
  // Blocks up to this many cells come from the chunks, each size with its
  // own list of blocks given back; wider rows go to the heap.
  static constexpr std::uint32_t MaxPooled = 64;

  TGridCell* TakeBlock(std::uint32_t Capacity);
  void GiveBlock(TGridCell* Block, std::uint32_t Capacity);

  TGridChunks FChunks;
  void* FFree[MaxPooled + 1] = {};
};
