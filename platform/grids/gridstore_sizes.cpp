#include "platform/grids/gridstore_sizes.h"

#include <algorithm>

void TGridSizes::SetDefault(int Value) {
  FDefault = Value;
  FSizes.clear();
  FTree.clear();
  FDirty = false;
}

int TGridSizes::Get(int Index) const {
  auto i = static_cast<std::size_t>(Index);
  return i < FSizes.size() ? FSizes[i] : FDefault;
}

void TGridSizes::Set(int Index, int Value) {
  auto i = static_cast<std::size_t>(Index);
  if (i >= FSizes.size()) {
    if (Value == FDefault) return;
    FSizes.resize(i + 1, FDefault);
    // Past the tree's reach: rebuild once, sized to the new capacity.
    if (FSizes.capacity() + 1 > FTree.size()) FDirty = true;
  }
  Int64 change = Effective(Value) - Effective(FSizes[i]);
  FSizes[i] = Value;
  AddDelta(i, change);
}

void TGridSizes::AddDelta(std::size_t Index, Int64 Change) {
  if (FDirty || Change == 0) return;
  for (std::size_t k = Index + 1; k < FTree.size(); k += k & (~k + 1)) FTree[k] += Change;
}

bool TGridSizes::PatchBetter(std::size_t Span) const {
  // Point updates cost O(Span log n), a rebuild O(n).
  return !FDirty && Span * 32 < FTree.size();
}

void TGridSizes::Insert(int Index, int Count) {
  auto i = static_cast<std::size_t>(Index);
  if (Count <= 0 || i >= FSizes.size()) return;  // only defaults move
  FSizes.insert(FSizes.begin() + Index, static_cast<std::size_t>(Count), FDefault);
  FDirty = true;
}

void TGridSizes::Delete(int Index, int Count) {
  auto i = static_cast<std::size_t>(Index);
  if (Count <= 0 || i >= FSizes.size()) return;
  std::size_t end = std::min(FSizes.size(), i + static_cast<std::size_t>(Count));
  if (end == FSizes.size()) {  // nothing shifts
    Truncate(Index);
    return;
  }
  FSizes.erase(FSizes.begin() + Index, FSizes.begin() + static_cast<std::ptrdiff_t>(end));
  FDirty = true;
}

void TGridSizes::Move(int From, int To) {
  if (From == To) return;
  auto hi = static_cast<std::size_t>(std::max(From, To));
  auto lo = static_cast<std::size_t>(std::min(From, To));
  if (lo >= FSizes.size()) return;  // both carry the default
  if (hi >= FSizes.size()) {
    FSizes.resize(hi + 1, FDefault);
    if (FSizes.capacity() + 1 > FTree.size()) FDirty = true;
  }
  // A short move (a drag by a few rows) patches the tree in place.
  bool patch = PatchBetter(hi - lo + 1);
  std::vector<Int64> before;
  if (patch)
    for (std::size_t k = lo; k <= hi; ++k) before.push_back(Delta(k));
  auto first = FSizes.begin();
  if (From < To)
    std::rotate(first + From, first + From + 1, first + To + 1);
  else
    std::rotate(first + To, first + From, first + From + 1);
  if (!patch) {
    FDirty = true;
    return;
  }
  for (std::size_t k = lo; k <= hi; ++k) AddDelta(k, Delta(k) - before[k - lo]);
}

void TGridSizes::Truncate(int Count) {
  auto n = static_cast<std::size_t>(std::max(Count, 0));
  if (n >= FSizes.size()) return;
  // Dropping a few sizes at the end (lowering a count by one) patches the
  // tree; the dropped indices return to the default.
  if (PatchBetter(FSizes.size() - n))
    for (std::size_t k = n; k < FSizes.size(); ++k) AddDelta(k, -Delta(k));
  else
    FDirty = true;
  FSizes.resize(n);
}

void TGridSizes::TakeOut(std::span<const int> Indices, int Count) {
  if (Indices.empty()) return;
  auto first = static_cast<std::size_t>(Indices.front());
  std::size_t end = std::min(FSizes.size(), static_cast<std::size_t>(Count));
  if (first >= end) return;  // only defaults move
  std::size_t w = first, j = 0;
  for (std::size_t r = first; r < end; ++r) {
    if (j < Indices.size() && static_cast<std::size_t>(Indices[j]) == r) {
      ++j;
      continue;
    }
    FSizes[w++] = FSizes[r];
  }
  std::fill(FSizes.begin() + static_cast<std::ptrdiff_t>(w), FSizes.begin() + static_cast<std::ptrdiff_t>(end),
            FDefault);
  FDirty = true;
}

void TGridSizes::Open(const std::vector<int>& Positions) {
  if (Positions.empty()) return;
  auto first = static_cast<std::size_t>(Positions.front());
  if (first >= FSizes.size()) return;  // only defaults move
  std::size_t old = FSizes.size();
  // Openings with every explicit size before them only add trailing
  // defaults: p - i explicit sizes precede the i-th opening.
  std::size_t j = 0;
  while (j < Positions.size() && static_cast<std::size_t>(Positions[j]) - j < old) ++j;
  FSizes.resize(old + j, FDefault);
  // From the back: every kept size moves down by the openings before it.
  std::size_t r = old;
  for (std::size_t w = FSizes.size(); w-- > first;) {
    if (j > 0 && static_cast<std::size_t>(Positions[j - 1]) == w) {
      FSizes[w] = FDefault;
      --j;
    } else {
      FSizes[w] = FSizes[--r];
    }
  }
  FDirty = true;
}

void TGridSizes::Rebuild() const {
  std::size_t n = FSizes.capacity();
  FTree.assign(n + 1, 0);
  for (std::size_t i = 0; i < FSizes.size(); ++i) FTree[i + 1] = Delta(i);
  // Linear construction: each node hands its sum to its parent.
  for (std::size_t k = 1; k <= n; ++k) {
    std::size_t parent = k + (k & (~k + 1));
    if (parent <= n) FTree[parent] += FTree[k];
  }
  FDirty = false;
}

Int64 TGridSizes::PrefixDelta(std::size_t Count) const {
  Int64 sum = 0;
  for (std::size_t k = Count; k > 0; k -= k & (~k + 1)) sum += FTree[k];
  return sum;
}

Int64 TGridSizes::Offset(int Index) const {
  if (Index <= 0) return 0;
  Int64 plain = static_cast<Int64>(Index) * Effective(FDefault);
  if (FSizes.empty()) return plain;
  if (FDirty || FTree.empty()) Rebuild();
  std::size_t reach = std::min(static_cast<std::size_t>(Index), FTree.size() - 1);
  return plain + PrefixDelta(reach);
}

int TGridSizes::IndexAt(Int64 Pos, int Count) const {
  if (Pos < 0 || Count <= 0 || Pos >= Offset(Count)) return -1;
  Int64 def = Effective(FDefault);
  if (FSizes.empty()) return static_cast<int>(Pos / def);  // def > 0 here
  // Offset() above has rebuilt the tree. Descend to the largest k with
  // Offset(k) <= Pos; offsets never fall, so the descent is valid, and it
  // steps over zero-size indices to the one that really holds Pos.
  std::size_t n = FTree.size() - 1;
  std::size_t step = 1;
  while (step * 2 <= n) step *= 2;
  std::size_t k = 0;
  Int64 acc = 0;
  for (; step > 0; step /= 2) {
    std::size_t next = k + step;
    if (next <= n && static_cast<Int64>(next) * def + acc + FTree[next] <= Pos) {
      k = next;
      acc += FTree[next];
    }
  }
  Int64 result = static_cast<Int64>(k);
  if (k == n && def > 0) result += (Pos - (static_cast<Int64>(n) * def + acc)) / def;
  return static_cast<int>(std::min<Int64>(result, Count - 1));
}
