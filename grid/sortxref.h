// The sort's cross-reference list with its inverse (where each value stands
// in the list), so that finding where a row of the unsorted order is now
// costs O(1). The grid's own exchanges keep the inverse as they go; any
// other change through the list marks it stale, and the next lookup builds
// it again once.
#pragma once

#include <unordered_map>
#include <vector>

#include "grid/gridlists.h"

class TSortXRefList : public TIntList {
public:
  TSortXRefList() : TIntList(-1, -1) {}

  // 0 .. Count - 1, one entry per row.
  void Identity(int Count);
  // Exchanges entries I and J (both below the count).
  void Swap(int I, int J);
  // Entry Left + p becomes the entry that was at Order[p], for every p;
  // Order is a permutation of Left .. Left + Order.size() - 1.
  void Permute(int Left, const std::vector<int>& Order);
  // The position of the first entry equal to Value; -1 when there is none.
  int IndexOfValue(int Value) const;

protected:
  void Notify(void* Ptr, TListNotification Action) override;

private:
  void Rebuild() const;
  void Place(int Value, int Index) const;
  // FAt[v]: first position of value v (-1: absent) for 0 <= v < FAt.size();
  // values outside that range (only ever written from outside) in FOther.
  mutable std::vector<int> FAt;
  mutable std::unordered_map<int, int> FOther;
  mutable bool FStale = true;
  // A value listed twice: an exchange may change which one comes first.
  mutable bool FDuplicates = false;
  mutable int FCount = 0;
};
