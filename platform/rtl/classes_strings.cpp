#include "platform/rtl/classes_strings.h"

#include <utility>

#include "platform/rtl/classes_sort.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/sysutils.h"

namespace {

const char* const SListIndexError = "List index out of bounds (%d)";
const char* const SSortedListError = "Operation not allowed on sorted list";
const char* const SDuplicateString = "String list does not allow duplicates";
const char* const SLineBreak = "\r\n";

// Closes an update bracket also when the bracketed code throws.
class TUpdateBracket {
public:
  explicit TUpdateBracket(TStrings* S) : FStrings(S) { FStrings->BeginUpdate(); }
  ~TUpdateBracket() { FStrings->EndUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
  TStrings* FStrings;
};

// A NUL counts as a blank: it ends an unquoted item and is skipped, so every
// byte moves the split forward.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

// ---- TStrings -------------------------------------------------------------------------

void TStrings::Error(const AnsiString& Msg, int Data) {
  AnsiString text = Msg;
  auto p = text.find("%d");
  if (p != AnsiString::npos) text.replace(p, 2, IntToStr(Data));
  throw EStringListError(text);
}

void TStrings::Put(int Index, const AnsiString& S) {
  TObject* obj = GetObject(Index);
  TUpdateBracket bracket(this);
  Delete(Index);
  InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const AnsiString& S) {
  int i = GetCount();
  Insert(i, S);
  return i;
}

int TStrings::AddObject(const AnsiString& S, TObject* AObject) {
  int i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TStrings::AddStrings(TStrings* Strings) {
  if (!Strings) return;
  TUpdateBracket bracket(this);
  // Fixed count: adding a list to itself doubles it once.
  int n = Strings->GetCount();
  for (int i = 0; i < n; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::InsertObject(int Index, const AnsiString& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  TUpdateBracket bracket(this);
  AnsiString s = Get(Index1);
  TObject* o = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, s);
  PutObject(Index2, o);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= GetCount()) Error(SListIndexError, NewIndex);
  TUpdateBracket bracket(this);
  AnsiString s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  // Detach the object first so that an owning list does not free it.
  PutObject(CurIndex, nullptr);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
}

bool TStrings::Equals(TStrings* Strings) const {
  if (!Strings) return false;
  int n = GetCount();
  if (n != Strings->GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

int TStrings::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
  return AnsiCompareText(S1, S2);
}

int TStrings::IndexOf(const AnsiString& S) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const AnsiString& Name) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    AnsiString s = Get(i);
    auto p = s.find(FNameValueSeparator);
    if (p != AnsiString::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

AnsiString TStrings::Names(int Index) const {
  AnsiString s = Get(Index);
  auto p = s.find(FNameValueSeparator);
  return p == AnsiString::npos ? AnsiString() : s.substr(0, p);
}

AnsiString TStrings::Values(const AnsiString& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? AnsiString() : ValueFromIndex(i);
}

void TStrings::SetValue(const AnsiString& Name, const AnsiString& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0) i = Add(AnsiString());
    Put(i, Name + FNameValueSeparator + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

AnsiString TStrings::ValueFromIndex(int Index) const {
  AnsiString s = Get(Index);
  auto p = s.find(FNameValueSeparator);
  return p == AnsiString::npos ? AnsiString() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const AnsiString& Value) {
  if (!Value.empty()) {
    if (Index < 0) Index = Add(AnsiString());
    Put(Index, Names(Index) + FNameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

AnsiString TStrings::GetTextStr() const {
  AnsiString result;
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    result += Get(i);
    result += SLineBreak;
  }
  return result;
}

void TStrings::SetTextStr(const AnsiString& Value) {
  TUpdateBracket bracket(this);
  Clear();
  std::size_t i = 0, n = Value.size();
  while (i < n) {
    std::size_t start = i;
    while (i < n && Value[i] != '\r' && Value[i] != '\n') ++i;
    Add(Value.substr(start, i - start));
    if (i < n && Value[i] == '\r') ++i;
    if (i < n && Value[i] == '\n') ++i;
  }
}

AnsiString TStrings::JoinDelimited(char Delimiter, char Quote) const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return AnsiString(2, Quote);
  AnsiString result;
  for (int i = 0; i < n; ++i) {
    if (i > 0) result += Delimiter;
    AnsiString s = Get(i);
    bool quote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == Quote || c == Delimiter) {
        quote = true;
        break;
      }
    result += quote ? AnsiQuotedStr(s, Quote) : s;
  }
  return result;
}

void TStrings::SplitDelimited(const AnsiString& Value, char Delimiter, char Quote) {
  TUpdateBracket bracket(this);
  Clear();
  std::size_t i = 0, n = Value.size();
  while (i < n && IsBlank(Value[i])) ++i;
  while (i < n) {
    AnsiString item;
    if (Value[i] == Quote) {
      // Quoted: doubled quotes stand for one; an open quote takes the rest.
      ++i;
      while (i < n) {
        if (Value[i] == Quote) {
          if (i + 1 < n && Value[i + 1] == Quote) {
            item += Quote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += Value[i++];
      }
    } else {
      std::size_t start = i;
      while (i < n && static_cast<unsigned char>(Value[i]) > ' ' && Value[i] != Delimiter) ++i;
      item = Value.substr(start, i - start);
    }
    Add(item);
    while (i < n && IsBlank(Value[i])) ++i;
    if (i < n && Value[i] == Delimiter) {
      // A delimiter at the very end stands before one more, empty item.
      if (i + 1 == n) Add(AnsiString());
      ++i;
      while (i < n && IsBlank(Value[i])) ++i;
    }
  }
}

AnsiString TStrings::GetDelimitedText() const { return JoinDelimited(FDelimiter, FQuoteChar); }

void TStrings::SetDelimitedText(const AnsiString& Value) { SplitDelimited(Value, FDelimiter, FQuoteChar); }

AnsiString TStrings::GetCommaText() const { return JoinDelimited(',', '"'); }

void TStrings::SetCommaText(const AnsiString& Value) { SplitDelimited(Value, ',', '"'); }

void TStrings::BeginUpdate() {
  // The state change is reported while the count is still 0, so that the
  // list's OnChanging fires for the outer bracket.
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  AnsiString text;
  char buffer[4096];
  int n;
  while ((n = Stream->Read(buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  SetTextStr(text);
}

void TStrings::SaveToFile(const AnsiString& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TStrings::SaveToStream(TStream* Stream) const {
  AnsiString text = GetTextStr();
  Stream->WriteBuffer(text.data(), static_cast<int>(text.size()));
}

void TStrings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TStrings*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  TUpdateBracket bracket(this);
  Clear();
  FNameValueSeparator = src->FNameValueSeparator;
  FDelimiter = src->FDelimiter;
  FQuoteChar = src->FQuoteChar;
  AddStrings(src);
}

// ---- TStringList ----------------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (auto& item : FList) delete item.FObject;
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
}

AnsiString TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[Index].FString;
}

void TStringList::Put(int Index, const AnsiString& S) {
  if (FSorted) Error(SSortedListError, 0);
  CheckIndex(Index);
  Changing();
  FList[Index].FString = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[Index].FObject;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[Index].FObject = AObject;
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> old;
  old.swap(FList);
  // The list is empty before objects are freed, so their destructors see
  // no stale entries.
  if (FOwnsObjects)
    for (auto& item : old) delete item.FObject;
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FList[Index].FObject;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) delete obj;
  Changed();
}

void TStringList::Insert(int Index, const AnsiString& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const AnsiString& S, TObject* AObject) {
  if (FSorted) Error(SSortedListError, 0);
  if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const AnsiString& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::SetCapacity(int NewCapacity) {
  if (NewCapacity >= GetCount()) FList.reserve(static_cast<std::size_t>(NewCapacity));
}

int TStringList::Add(const AnsiString& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const AnsiString& S, TObject* AObject) {
  int index = GetCount();
  if (FSorted && Find(S, index)) {
    switch (FDuplicates) {
      case dupIgnore: return index;
      case dupError: Error(SDuplicateString, 0);
      case dupAccept: break;
    }
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  ExchangeItems(Index1, Index2);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  if (FSorted) Error(SSortedListError, 0);
  Changing();
  TStringItem item = std::move(FList[CurIndex]);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(item));
  Changed();
}

void TStringList::ExchangeItems(int Index1, int Index2) { std::swap(FList[Index1], FList[Index2]); }

int TStringList::IndexOf(const AnsiString& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int index;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& S, int& Index) const {
  int lo = 0, hi = GetCount();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[mid].FString, S) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  Index = lo;
  return lo < GetCount() && CompareStrings(FList[lo].FString, S) == 0;
}

int TStringList::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SortItems(const TStringListSortCompare& Compare) {
  if (GetCount() < 2) return;
  Changing();
  IndexQuickSort(
      0, GetCount() - 1, [&](int i, int j) { return Compare(this, i, j); },
      [&](int i, int j) { ExchangeItems(i, j); });
  Changed();
}

void TStringList::Sort() {
  SortItems([](TStringList* L, int i, int j) {
    return L->CompareStrings(L->FList[i].FString, L->FList[j].FString);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (!FSorted) SortItems(Compare);
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  // The binary search needs the order of the new comparison.
  if (FSorted) Sort();
}
