// The system clipboard as the grid's copy and paste use it: held open for
// one operation, blocks read within their size and freed unless handed over.
#pragma once

#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/clipbrd.h"

// Closes the clipboard on every path.
class TClipboardSession {
public:
  explicit TClipboardSession(VIduZozezuVodu& Grid)
      : FOpen(OpenClipboard(Grid.HandleAllocated() ? Grid.Handle() : nullptr) != FALSE) {}
  ~TClipboardSession() {
    if (FOpen) CloseClipboard();
  }
  TClipboardSession(const TClipboardSession&) = delete;
  TClipboardSession& operator=(const TClipboardSession&) = delete;
  bool IsOpen() const { return FOpen; }

private:
  bool FOpen;
};

// A block filled with bytes (and a zero after them when asked); freed unless
// the clipboard took it. Raises EOutOfMemory when it cannot be had.
class TClipBlock {
public:
  TClipBlock(UINT Flags, const std::string& Bytes, bool Zero);
  ~TClipBlock();
  TClipBlock(const TClipBlock&) = delete;
  TClipBlock& operator=(const TClipBlock&) = delete;
  // Sets it under the format on the open clipboard; false when refused
  // (the block stays ours and is freed).
  bool SetAs(UINT Format);

private:
  HGLOBAL FMem = nullptr;
};

// The bytes of a clipboard block, never past its size; unlocked again before
// returning. False for a missing handle or a failed lock.
bool ReadClipBlock(HANDLE Mem, std::string& Bytes);
// Text of a text block: up to its first zero, within the block.
bool ReadClipText(HANDLE Mem, std::string& Text);

// The registered formats.
UINT RTFClipFormat();
UINT GridCellsClipFormat();
UINT HTMLClipFormat();
