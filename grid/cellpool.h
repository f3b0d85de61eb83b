// Blocks of one size for the objects a grid makes per cell (properties,
// graphics). A column of a million cells then takes its memory in large
// chunks, which the system may back with huge pages, instead of a fresh
// small page for every few dozen objects. Blocks given back are reused,
// chunks are kept for the life of the process. Sanitizer builds use the
// plain heap, so that use after free is still caught.
#pragma once

#include <cstddef>

class TCellPool {
public:
  explicit TCellPool(std::size_t BlockSize);
  TCellPool(const TCellPool&) = delete;
  TCellPool& operator=(const TCellPool&) = delete;

  // Size is the size of the object made; other sizes (a derived class)
  // go to the heap.
  void* Take(std::size_t Size);
  void Give(void* Block, std::size_t Size);

private:
  struct TState;
  std::size_t FBlockSize;
  TState* FState;  // never freed: blocks may be given back at exit
};
