#include "platform/grids/gridstore_strings.h"

void TGridStrings::Check(int Index) const {
  if (Index < 0 || Index >= GetCount()) RaiseGridIndexError();
}

int TGridStrings::GetCount() const {
  return FKind == gkRow ? FStore->GetColCount() : FStore->GetRowCount();
}

AnsiString TGridStrings::Get(int Index) const {
  Check(Index);
  return FStore->GetCell(Col(Index), Row(Index));
}

void TGridStrings::Put(int Index, const AnsiString& S) {
  Check(Index);
  FStore->SetCell(Col(Index), Row(Index), S);
}

TObject* TGridStrings::GetObject(int Index) const {
  Check(Index);
  return FStore->GetObject(Col(Index), Row(Index));
}

void TGridStrings::PutObject(int Index, TObject* AObject) {
  Check(Index);
  FStore->SetObject(Col(Index), Row(Index), AObject);
}

void TGridStrings::Clear() {
  int n = GetCount();
  for (int i = 0; i < n; ++i) FStore->SetCell(Col(i), Row(i), AnsiString());
  FAddPos = 0;
}

void TGridStrings::Delete(int) {
  throw EInvalidOperation("Grid rows and columns cannot be deleted through their string lists");
}

void TGridStrings::Insert(int, const AnsiString&) {
  throw EInvalidOperation("Grid rows and columns cannot be inserted through their string lists");
}

int TGridStrings::Add(const AnsiString& S) {
  int index = FAddPos;
  Put(index, S);  // past the count: the index error
  ++FAddPos;
  return index;
}

void TGridStrings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TStrings*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  int n = GetCount();
  int m = src->GetCount();
  for (int i = 0; i < n; ++i) {
    int c = Col(i), r = Row(i);
    if (i < m) {
      FStore->SetCell(c, r, src->Get(i));
      FStore->SetObject(c, r, src->GetObject(i));
    } else {
      FStore->SetCell(c, r, AnsiString());
      FStore->SetObject(c, r, nullptr);
    }
  }
  FAddPos = n < m ? n : m;
}
