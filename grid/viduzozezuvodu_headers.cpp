// The column and row header lists, the merged-columns list and the stored
// looks that only repaint the grid.
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

std::unique_ptr<TStringList> VIduZozezuVodu::NewHeaderList(bool Columns) {
  auto L = std::make_unique<TStringList>();
  if (Columns)
    L->OnChange = [this](TObject*) {
      UpdateColHeaders();
      ShowColumnHeaders();
    };
  else
    L->OnChange = [this](TObject*) { ShowRowHeaders(); };
  return L;
}

std::unique_ptr<TIntList> VIduZozezuVodu::NewMergedColumns() {
  auto L = std::make_unique<TIntList>(-1, -1);
  L->OnChange = [this](TObject* Sender, int C, int R) { MergedColumnsChanged(Sender, C, R); };
  return L;
}

namespace {

// Copies the lines without raising the list's change event.
void CopyQuietly(TStringList* To, TStrings* From) {
  auto Saved = std::move(To->OnChange);
  To->OnChange = nullptr;
  To->Assign(From);
  To->OnChange = std::move(Saved);
}

}  // namespace

void VIduZozezuVodu::SetColumnHeaders(TStrings* Value) {
  CopyQuietly(FColumnHeaders.get(), Value);
  if (GetFixedRowsEx() > 0) ClearColumnHeaders();
  ShowColumnHeaders();
}

void VIduZozezuVodu::SetRowHeaders(TStrings* Value) {
  CopyQuietly(FRowHeaders.get(), Value);
  if (HasState(csDesigning) && GetFixedColsEx() > 0) ClearRowHeaders();
  ShowRowHeaders();
}

void VIduZozezuVodu::ClearColumnHeaders() {
  for (int C = 0; C < GetColCount(); ++C) SetCells(C, 0, "");
}

void VIduZozezuVodu::ShowColumnHeaders() {
  if (GetFixedRowsEx() <= 0) return;
  int N = std::min(FColumnHeaders->GetCount(), GetAllColCount());
  for (int I = 0; I < N; ++I) SetCells(I, 0, CLFToLF(FColumnHeaders->Get(I)));
}

void VIduZozezuVodu::ClearRowHeaders() {
  for (int R = 0; R < GetRowCount(); ++R) SetCells(0, R, "");
}

void VIduZozezuVodu::ShowRowHeaders() {
  if (GetFixedColsEx() <= 0) return;
  int N = std::min(FRowHeaders->GetCount(), GetRowCount());
  for (int I = 0; I < N; ++I) SetCells(0, I, CLFToLF(FRowHeaders->Get(I)));
}

void VIduZozezuVodu::ApplyColumnMerge() {
  for (int I = 0; I < FMergedColumns->GetCount(); ++I) MergeColumnCells(FMergedColumns->GetInteger(I), I == 0);
}

void VIduZozezuVodu::UndoColumnMerge() {
  for (int C = 0; C < GetColCount(); ++C) SplitColumnCells(C);
}

void VIduZozezuVodu::MergedColumnsChanged(TObject*, int, int) {
  UndoColumnMerge();
  ApplyColumnMerge();
}

void VIduZozezuVodu::SetLookupItems(TStrings* Value) {
  if (Value) FLookupItems->Assign(Value);
}
