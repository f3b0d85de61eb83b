// The sort's cross-reference list and its inverse.
#include "grid/sortxref.h"

void TSortXRefList::Notify(void* Ptr, TListNotification Action) {
  FStale = true;
  TIntList::Notify(Ptr, Action);
}

void TSortXRefList::Place(int Value, int Index) const {
  if (Value >= 0 && static_cast<std::size_t>(Value) < FAt.size())
    FAt[static_cast<std::size_t>(Value)] = Index;
  else
    FOther[Value] = Index;
}

void TSortXRefList::Rebuild() const {
  const int N = GetCount();
  FAt.assign(static_cast<std::size_t>(N), -1);
  FOther.clear();
  FDuplicates = false;
  for (int i = 0; i < N; ++i) {
    const int V = GetInteger(i);
    if (V >= 0 && V < N) {
      int& At = FAt[static_cast<std::size_t>(V)];
      if (At >= 0)
        FDuplicates = true;
      else
        At = i;
    } else if (!FOther.emplace(V, i).second) {
      FDuplicates = true;
    }
  }
  FCount = N;
  FStale = false;
}

void TSortXRefList::Identity(int Count) {
  Clear();
  SetCapacity(Count);
  for (int i = 0; i < Count; ++i) Add(i);
  FAt.resize(static_cast<std::size_t>(Count));
  for (int i = 0; i < Count; ++i) FAt[static_cast<std::size_t>(i)] = i;
  FOther.clear();
  FDuplicates = false;
  FCount = Count;
  FStale = false;
}

void TSortXRefList::Swap(int I, int J) {
  const bool WasStale = FStale || FCount != GetCount();
  const int A = GetInteger(I), B = GetInteger(J);
  SetInteger(I, B);
  SetInteger(J, A);
  FStale = WasStale || FDuplicates;
  if (FStale || A == B) return;
  Place(A, J);
  Place(B, I);
}

void TSortXRefList::Permute(int Left, const std::vector<int>& Order) {
  const bool WasStale = FStale || FCount != GetCount();
  const int N = static_cast<int>(Order.size());
  std::vector<int> Old(Order.size());
  for (int p = 0; p < N; ++p) Old[static_cast<std::size_t>(p)] = GetInteger(Left + p);
  for (int p = 0; p < N; ++p) {
    const int V = Old[static_cast<std::size_t>(Order[static_cast<std::size_t>(p)] - Left)];
    SetInteger(Left + p, V);
  }
  FStale = WasStale || FDuplicates;
  if (FStale) return;
  for (int p = 0; p < N; ++p) Place(GetInteger(Left + p), Left + p);
}

int TSortXRefList::IndexOfValue(int Value) const {
  if (FStale || FCount != GetCount()) Rebuild();
  auto Lookup = [this](int V) {
    if (V >= 0 && static_cast<std::size_t>(V) < FAt.size()) return FAt[static_cast<std::size_t>(V)];
    auto It = FOther.find(V);
    return It == FOther.end() ? -1 : It->second;
  };
  int I = Lookup(Value);
  // Exchange, Move and Sort of the base list reorder without a notice; they
  // keep the values, so only a found entry can be out of place.
  if (I >= 0 && (I >= GetCount() || GetInteger(I) != Value)) {
    Rebuild();
    I = Lookup(Value);
  }
  return I;
}
