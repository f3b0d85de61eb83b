// Internal: the in-place quicksort shared by TList and TStringList. It
// works on positions (compare and exchange by index) so that compare
// functions may read the list while it is sorted, and it stays inside
// [L, R] even when the compare function is inconsistent.
#pragma once

template <class Compare, class Exchange>
void IndexQuickSort(int L, int R, Compare&& Cmp, Exchange&& Exch) {
  while (L < R) {
    int i = L, j = R, p = L + (R - L) / 2;
    while (i <= j) {
      while (i < R && Cmp(i, p) < 0) ++i;
      while (j > L && Cmp(j, p) > 0) --j;
      if (i <= j) {
        if (i != j) {
          Exch(i, j);
          // The pivot moves with the exchange.
          if (p == i) p = j;
          else if (p == j) p = i;
        }
        ++i;
        --j;
      }
    }
    // Recurse into the smaller part, loop over the larger one.
    if (j - L < R - i) {
      if (L < j) IndexQuickSort(L, j, Cmp, Exch);
      L = i;
    } else {
      if (i < R) IndexQuickSort(i, R, Cmp, Exch);
      R = j;
    }
  }
}
