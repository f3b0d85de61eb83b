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

class TGridRowArena {
public:
  TGridRowArena() = default;
  ~TGridRowArena();
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
  // Chunks start small for small grids and double up to the large ones,
  // which the system may back with huge pages: a fill of fresh memory then
  // takes one page fault per 2 MiB instead of one per 4 KiB.
  static constexpr std::size_t FirstChunkBytes = std::size_t{64} << 10;
  static constexpr std::size_t LargeChunkBytes = std::size_t{2} << 20;

  struct TChunk {
    std::byte* Start = nullptr;
    std::size_t Size = 0;
    bool Mapped = false;  // mapped apart, aligned to its size
  };
  static TChunk NewChunk(std::size_t Size);
  static void FreeChunk(const TChunk& Chunk);

  TGridCell* TakeBlock(std::uint32_t Capacity);
  void GiveBlock(TGridCell* Block, std::uint32_t Capacity);

  std::vector<TChunk> FChunks;
  std::byte* FNext = nullptr;
  std::size_t FLeft = 0;
  void* FFree[MaxPooled + 1] = {};
};
