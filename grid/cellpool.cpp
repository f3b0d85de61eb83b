#include "grid/cellpool.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>

#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#define CELLPOOL_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CELLPOOL_HEAP 1
#endif
#endif

namespace {

constexpr std::size_t FirstChunkBytes = std::size_t{64} << 10;
constexpr std::size_t LargeChunkBytes = std::size_t{2} << 20;

}  // namespace

struct TCellPool::TState {
  std::mutex Lock;
  void* Free = nullptr;  // a free block holds the next one in its first bytes
  std::byte* Next = nullptr;
  std::size_t Left = 0;
  std::size_t Chunks = 0;
};

TCellPool::TCellPool(std::size_t BlockSize)
    : FBlockSize((std::max(BlockSize, sizeof(void*)) + alignof(std::max_align_t) - 1) /
                 alignof(std::max_align_t) * alignof(std::max_align_t)),
      FState(new TState) {}

void* TCellPool::Take(std::size_t Size) {
#ifdef CELLPOOL_HEAP
  return ::operator new(Size);
#else
  if (Size > FBlockSize) return ::operator new(Size);
  std::lock_guard<std::mutex> Guard(FState->Lock);
  if (void* Block = FState->Free) {
    FState->Free = *static_cast<void**>(Block);
    return Block;
  }
  if (FState->Left < FBlockSize) {
    // Chunks start small for small grids and double up to the large ones.
    const std::size_t Bytes = std::min(LargeChunkBytes, FirstChunkBytes << std::min<std::size_t>(FState->Chunks, 5));
    void* Chunk = Bytes == LargeChunkBytes ? std::aligned_alloc(LargeChunkBytes, Bytes) : std::malloc(Bytes);
    if (!Chunk) throw std::bad_alloc();
    if (Bytes == LargeChunkBytes) ::madvise(Chunk, Bytes, MADV_HUGEPAGE);  // a hint; refused is fine
    ++FState->Chunks;
    FState->Next = static_cast<std::byte*>(Chunk);
    FState->Left = Bytes;
  }
  void* Block = FState->Next;
  FState->Next += FBlockSize;
  FState->Left -= FBlockSize;
  return Block;
#endif
}

void TCellPool::Give(void* Block, std::size_t Size) {
  if (!Block) return;
#ifdef CELLPOOL_HEAP
  (void)Size;
  ::operator delete(Block);
#else
  if (Size > FBlockSize) {
    ::operator delete(Block);
    return;
  }
  std::lock_guard<std::mutex> Guard(FState->Lock);
  *static_cast<void**>(Block) = FState->Free;
  FState->Free = Block;
#endif
}
