// Column widths or row heights of a grid along one axis: a default for every
// index never set, explicit sizes only where they were set, and prefix sums
// (a Fenwick tree over the differences from the default) so that the pixel
// offset of an index and the index at a pixel cost O(log n) even on a grid of
// a million rows.
#pragma once

#include <span>
#include <vector>

#include "platform/rtl/sysbase.h"

class TGridSizes {
 public:
  explicit TGridSizes(int DefaultSize) : FDefault(DefaultSize) {}

  int GetDefault() const { return FDefault; }
  // Every index takes the new default, including those set before.
  void SetDefault(int Value);

  // Indices are not checked here: the store checks them against its counts.
  int Get(int Index) const;
  void Set(int Index, int Value);

  // Structural edits that keep the sizes in step with the cells.
  void Insert(int Index, int Count);  // Count default sizes before Index
  void Delete(int Index, int Count);
  void Move(int From, int To);
  void Truncate(int Count);  // indices from Count on return to the default
  // Batch forms, one pass each: the listed indices (ascending, distinct,
  // below Count) leave and the others below Count close up, the last ones
  // below Count taking the default; or default sizes open at the listed
  // final positions, as Insert at each of them in turn.
  void TakeOut(std::span<const int> Indices, int Count);
  void Open(const std::vector<int>& Positions);

  // Sum of the sizes of indices 0 .. Index - 1; a negative size counts as 0.
  Int64 Offset(int Index) const;
  // The index whose span [Offset(i), Offset(i + 1)) holds Pos, among the
  // first Count; -1 when there is none. Zero-size indices hold no pixel.
  int IndexAt(Int64 Pos, int Count) const;

 private:
  Int64 Effective(int Size) const { return Size > 0 ? Size : 0; }
  Int64 Delta(std::size_t Index) const { return Effective(FSizes[Index]) - Effective(FDefault); }
  void AddDelta(std::size_t Index, Int64 Change);
  bool PatchBetter(std::size_t Span) const;
  void Rebuild() const;
  Int64 PrefixDelta(std::size_t Count) const;

  int FDefault;
  // Sizes of indices 0 .. size-1; every index beyond has the default.
  std::vector<int> FSizes;
  // 1-based Fenwick tree over Delta, sized to FSizes' capacity so that
  // growing within it needs no rebuild. Rebuilt lazily after bulk edits.
  mutable std::vector<Int64> FTree;
  mutable bool FDirty = false;
};
