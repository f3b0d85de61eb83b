#include "grid/exchange/clipblock.h"

#include <cstring>

TClipBlock::TClipBlock(UINT Flags, const std::string& Bytes, bool Zero) {
  const std::size_t Size = Bytes.size() + (Zero ? 1 : 0);
  FMem = GlobalAlloc(Flags, Size);
  if (!FMem) throw EOutOfMemory("Cannot allocate clipboard memory");
  if (Size == 0) return;
  void* P = GlobalLock(FMem);
  if (!P) {
    GlobalFree(FMem);
    FMem = nullptr;
    throw EOutOfMemory("Cannot lock clipboard memory");
  }
  std::memcpy(P, Bytes.data(), Bytes.size());
  if (Zero) static_cast<char*>(P)[Bytes.size()] = '\0';
  GlobalUnlock(FMem);
}

TClipBlock::~TClipBlock() {
  if (FMem) GlobalFree(FMem);
}

bool TClipBlock::SetAs(UINT Format) {
  if (!FMem || !SetClipboardData(Format, FMem)) return false;
  FMem = nullptr;
  return true;
}

bool ReadClipBlock(HANDLE Mem, std::string& Bytes) {
  Bytes.clear();
  if (!Mem) return false;
  const std::size_t Size = GlobalSize(Mem);
  const void* P = GlobalLock(Mem);
  if (!P) return false;
  try {
    Bytes.assign(static_cast<const char*>(P), Size);
  } catch (...) {
    GlobalUnlock(Mem);
    throw;
  }
  GlobalUnlock(Mem);
  return true;
}

bool ReadClipText(HANDLE Mem, std::string& Text) {
  if (!ReadClipBlock(Mem, Text)) return false;
  if (auto Zero = Text.find('\0'); Zero != std::string::npos) Text.resize(Zero);
  return true;
}

UINT RTFClipFormat() { return RegisterClipboardFormatA("Rich Text Format"); }
UINT GridCellsClipFormat() { return RegisterClipboardFormatA("VIduZozezuVodu Cells"); }
UINT HTMLClipFormat() { return RegisterClipboardFormatA("HTML Format"); }
