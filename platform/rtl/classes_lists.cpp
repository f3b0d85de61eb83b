#include "platform/rtl/classes_lists.h"

#include <algorithm>

#include "platform/rtl/classes_sort.h"
#include "platform/rtl/sysutils.h"

namespace {
const char* const SListIndexError = "List index out of bounds (%d)";
const char* const SListCountError = "List count out of bounds (%d)";
const char* const SListCapacityError = "List capacity out of bounds (%d)";
}  // namespace

TList::~TList() = default;

void TList::Error(const AnsiString& Msg, int Data) {
  AnsiString text = Msg;
  auto p = text.find("%d");
  if (p != AnsiString::npos) text.replace(p, 2, IntToStr(Data));
  throw EListError(text);
}

void TList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
}

int TList::Add(void* Item) {
  FList.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return GetCount() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
  CheckIndex(Index);
  void* item = FList[Index];
  FList.erase(FList.begin() + Index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  int i = IndexOf(Item);
  if (i < 0) return nullptr;
  FList.erase(FList.begin() + i);
  Notify(Item, lnExtracted);
  return Item;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

void TList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  void* item = FList[CurIndex];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void* TList::First() const { return Get(0); }
void* TList::Last() const { return Get(GetCount() - 1); }

void TList::Pack() { std::erase(FList, nullptr); }

void TList::Sort(const TListSortCompare& Compare) {
  IndexQuickSort(
      0, GetCount() - 1, [&](int i, int j) { return Compare(FList[i], FList[j]); },
      [&](int i, int j) { std::swap(FList[i], FList[j]); });
}

void TList::Clear() {
  // Items leave one by one from the end so that Notify sees a consistent list.
  while (!FList.empty()) Delete(GetCount() - 1);
  FList.shrink_to_fit();
}

void* TList::Get(int Index) const {
  CheckIndex(Index);
  return FList[Index];
}

void TList::Put(int Index, void* Item) {
  CheckIndex(Index);
  void* old = FList[Index];
  if (old == Item) return;
  FList[Index] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) Error(SListCountError, NewCount);
  if (NewCount > GetCount())
    FList.resize(NewCount, nullptr);
  else
    while (GetCount() > NewCount) Delete(GetCount() - 1);
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < GetCount()) Error(SListCapacityError, NewCapacity);
  FList.reserve(NewCapacity);
}

void TList::Notify(void*, TListNotification) {}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (FOwnsObjects && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
  TList::Notify(Ptr, Action);
}
