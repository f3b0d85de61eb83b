// The column-order list, kept in step with column moves, and the change
// notifiers that hear of every changed block of cells.
#include <algorithm>
#include <vector>

#include "grid/viduzozezuvodu.h"

void TGridChangeNotifier::CellsChanged(const TGridRect&) {}

void VIduZozezuVodu::SetColumnOrder() {
  FColumnOrder->Clear();
  for (int I = 0; I < GetColCount(); ++I) FColumnOrder->Add(I);
}

void VIduZozezuVodu::ResetColumnOrder() {
  TIntList& L = *FColumnOrder;
  int N = L.GetCount();
  if (N == 0) return SetColumnOrder();
  // A stored list that is not a permutation of 0 .. N - 1 can never be
  // reached by moves: record the present order instead.
  std::vector<char> Seen(N, 0);
  for (int I = 0; I < N; ++I) {
    int E = L.GetInteger(I);
    if (E < 0 || E >= N || Seen[E]) return SetColumnOrder();
    Seen[E] = 1;
  }
  // Each pass moves columns to the position their entry names; a valid list
  // is in order after at most N passes. The guard also ends the loop when a
  // move leaves the list as it was.
  for (int Pass = 0; Pass <= N; ++Pass) {
    bool Moved = false;
    std::vector<int> Before(N);
    for (int I = 0; I < N; ++I) Before[I] = L.GetInteger(I);
    int Cols = std::min(GetColCount(), L.GetCount());
    for (int I = 0; I < Cols; ++I) {
      int E = L.GetInteger(I);
      if (E < I) {
        MoveColumn(I, E);
        Moved = true;
      }
    }
    if (!Moved) return;
    bool Same = L.GetCount() == N;
    for (int I = 0; Same && I < N; ++I) Same = L.GetInteger(I) == Before[I];
    if (Same) return;
  }
}

int VIduZozezuVodu::ColumnPosition(int ACol) {
  int Last = std::min(GetColCount() + NumHiddenColumns(), FColumnOrder->GetCount());
  if (GetColCount() == 0) return -1;
  for (int P = 0; P < Last; ++P)
    if (FColumnOrder->GetInteger(P) == ACol) return P;
  return -1;
}

int VIduZozezuVodu::ColumnAtPosition(int APos) { return FColumnOrder->GetInteger(APos); }

void VIduZozezuVodu::RegisterNotifier(TGridChangeNotifier* ANotifier) {
  if (!ANotifier || std::find(FNotifiers.begin(), FNotifiers.end(), ANotifier) != FNotifiers.end()) return;
  FNotifiers.push_back(ANotifier);
  FreeNotification(ANotifier);
}

void VIduZozezuVodu::UnRegisterNotifier(TGridChangeNotifier* ANotifier) {
  auto It = std::find(FNotifiers.begin(), FNotifiers.end(), ANotifier);
  if (It == FNotifiers.end()) return;
  FNotifiers.erase(It);
  RemoveFreeNotification(ANotifier);
}

void VIduZozezuVodu::CellsChanged(const TGridRect& ARect) {
  if (OnCellsChanged) OnCellsChanged(this, ARect);
  // A notifier may unregister itself while told.
  std::vector<TGridChangeNotifier*> Told = FNotifiers;
  for (TGridChangeNotifier* N : Told)
    if (std::find(FNotifiers.begin(), FNotifiers.end(), N) != FNotifiers.end()) N->CellsChanged(ARect);
  CalcFooter(-1);
}
