// The wide string list, its memory and 8-bit views, and the combo-bound list.
#include <cstring>

#include "grid/vzvuni.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

// Brackets an update of List, closing it on every exit.
template <class L>
struct TUpdating {
  explicit TUpdating(L* AList) : List(AList) { List->BeginUpdate(); }
  ~TUpdating() { List->EndUpdate(); }
  L* List;
};

bool IsLineBreak(char16_t c) { return (c >= 0x0A && c <= 0x0D) || c == 0x2028 || c == 0x2029; }
bool IsBlank(char16_t c) { return c >= 0x01 && c <= 0x20; }

// Case-insensitive equality under the locale: Cyrillic and Latin fold alike.
bool SameUnderLocale(LCID, const WideString& A, const WideString& B) { return WideCompareText(A, B) == 0; }

}  // namespace

LCID GetUserDefaultLCID() { return LocaleRussian; }

// ---- TWideStrings ---------------------------------------------------------------------
TWideStrings::TWideStrings()
    : FAnsiStrings(new TAnsiStringsForWideStrings(this)), FLanguage(GetUserDefaultLCID()) {}

TWideStrings::~TWideStrings() { delete FAnsiStrings; }

TStrings* TWideStrings::GetAnsiStrings() const { return FAnsiStrings; }

void TWideStrings::SetAnsiStrings(TStrings* Value) { FAnsiStrings->Assign(Value); }

void TWideStrings::Error(const AnsiString& Msg, int Data) { TStrings::Error(Msg, Data); }

int TWideStrings::Add(const WideString& S) {
  int n = GetCount();
  Insert(n, S);
  return n;
}

int TWideStrings::AddObject(const WideString& S, TObject* AObject) {
  int i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TWideStrings::InsertObject(int Index, const WideString& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TWideStrings::AddStrings(TStrings* Strings) {
  TUpdating<TWideStrings> u(this);
  for (int i = 0; i < Strings->GetCount(); ++i) AddObject(Utf8ToWide(Strings->Get(i)), Strings->GetObject(i));
}

void TWideStrings::AddStrings(TWideStrings* Strings) {
  TUpdating<TWideStrings> u(this);
  for (int i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TWideStrings::Assign(TPersistent* Source) {
  if (auto* wide = dynamic_cast<TWideStrings*>(Source)) {
    if (wide == this) return;
    TUpdating<TWideStrings> u(this);
    Clear();
    AddStrings(wide);
    return;
  }
  if (auto* ansi = dynamic_cast<TStrings*>(Source)) {
    TUpdating<TWideStrings> u(this);
    Clear();
    for (int i = 0; i < ansi->GetCount(); ++i) AddObject(Utf8ToWide(ansi->Get(i)), ansi->GetObject(i));
    return;
  }
  TPersistent::Assign(Source);
}

void TWideStrings::AssignTo(TPersistent* Dest) {
  if (auto* ansi = dynamic_cast<TStrings*>(Dest)) {
    TUpdating<TStrings> u(ansi);
    ansi->Clear();
    for (int i = 0; i < GetCount(); ++i) ansi->AddObject(WideToUtf8(Get(i)), GetObject(i));
    return;
  }
  if (auto* wide = dynamic_cast<TWideStrings*>(Dest)) {
    TUpdating<TWideStrings> u(wide);
    wide->Clear();
    wide->AddStrings(this);
    return;
  }
  TPersistent::AssignTo(Dest);
}

void TWideStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TWideStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

bool TWideStrings::Equals(const TWideStrings* Other) const {
  if (!Other || Other->GetCount() != GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != Other->Get(i)) return false;
  return true;
}

void TWideStrings::Exchange(int Index1, int Index2) {
  TUpdating<TWideStrings> u(this);
  WideString s1 = Get(Index1), s2 = Get(Index2);
  TObject* o1 = GetObject(Index1);
  TObject* o2 = GetObject(Index2);
  Put(Index1, s2);
  PutObject(Index1, o2);
  Put(Index2, s1);
  PutObject(Index2, o1);
}

void TWideStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  TUpdating<TWideStrings> u(this);
  WideString s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
}

void TWideStrings::Put(int Index, const WideString& S) {
  TObject* o = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

int TWideStrings::IndexOf(const WideString& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (SameUnderLocale(FLanguage, Get(i), S)) return i;
  return -1;
}

int TWideStrings::IndexOfName(const WideString& Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    WideString s = Get(i);
    auto p = s.find(u'=');
    if (p != WideString::npos && SameUnderLocale(FLanguage, s.substr(0, p), Name)) return i;
  }
  return -1;
}

int TWideStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

WideString TWideStrings::GetName(int Index) const {
  WideString s = Get(Index);
  auto p = s.find(u'=');
  return p == WideString::npos ? WideString() : s.substr(0, p);
}

WideString TWideStrings::GetValue(const WideString& Name) const {
  int i = IndexOfName(Name);
  if (i < 0) return {};
  WideString s = Get(i);
  return Name.size() + 1 <= s.size() ? s.substr(Name.size() + 1) : WideString();
}

void TWideStrings::SetValue(const WideString& Name, const WideString& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0) i = Add(WideString());
    Put(i, Name + u"=" + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

WideString TWideStrings::GetTextStr() const {
  WideString out;
  for (int i = 0; i < GetCount(); ++i) {
    out += Get(i);
    out += u"\r\n";
  }
  return out;
}

void TWideStrings::SetTextStr(const WideString& Value) {
  TUpdating<TWideStrings> u(this);
  Clear();
  std::size_t i = 0, n = Value.size();
  while (i < n) {
    std::size_t start = i;
    while (i < n && !IsLineBreak(Value[i])) ++i;
    Add(Value.substr(start, i - start));
    if (i < n) {
      if (Value[i] == u'\r' && i + 1 < n && Value[i + 1] == u'\n') ++i;
      ++i;
    }
  }
}

char16_t* TWideStrings::GetText() const {
  WideString s = GetTextStr();
  std::size_t bytes = (s.size() + 1) * 2 + 4;
  auto* block = new char[bytes]();
  auto size = static_cast<std::uint32_t>(bytes);
  std::memcpy(block, &size, 4);
  std::memcpy(block + 4, s.data(), s.size() * 2);
  return reinterpret_cast<char16_t*>(block + 4);
}

void TWideStrings::FreeText(char16_t* Text) {
  if (Text) delete[] (reinterpret_cast<char*>(Text) - 4);
}

void TWideStrings::SetText(const char16_t* Text) {
  SetTextStr(Text ? WideString(Text) : WideString());
}

WideString TWideStrings::GetCommaText() const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return u"\"\"";
  WideString out;
  for (int i = 0; i < n; ++i) {
    WideString s = Get(i);
    WideString scan = s.substr(0, s.find(u'\0'));
    bool quote = false;
    for (char16_t c : scan)
      if (IsBlank(c) || c == u'"' || c == u',') quote = true;
    if (quote) {
      out += u'"';
      for (char16_t c : s) {
        if (c == u'"') out += u'"';
        out += c;
      }
      out += u'"';
    } else {
      out += s;
    }
    out += u',';
  }
  if (!out.empty()) out.pop_back();
  return out;
}

void TWideStrings::SetCommaText(const WideString& Value) {
  TUpdating<TWideStrings> u(this);
  Clear();
  // The text is zero-terminated: nothing after a U+0000 counts.
  std::size_t i = 0, n = std::min(Value.size(), Value.find(u'\0'));
  while (i < n && IsBlank(Value[i])) ++i;
  while (i < n) {
    WideString item;
    if (Value[i] == u'"') {
      ++i;
      while (i < n) {
        if (Value[i] == u'"') {
          if (i + 1 < n && Value[i + 1] == u'"') {
            item += u'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += Value[i++];
      }
    } else {
      while (i < n && Value[i] > 0x20 && Value[i] != u',') item += Value[i++];
    }
    Add(item);
    while (i < n && IsBlank(Value[i])) ++i;
    if (i < n && Value[i] == u',') {
      ++i;
      while (i < n && IsBlank(Value[i])) ++i;
      // A comma that ends the text ends an empty last item, which is kept.
      if (i == n) Add(WideString());
    }
  }
}

void TWideStrings::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      "WideStrings",
      [this](TReader* R) {
        TUpdating<TWideStrings> u(this);
        Clear();
        R->ReadListBegin();
        while (!R->EndOfList()) Add(R->ReadWideString());
        R->ReadListEnd();
      },
      [this](TWriter* W) {
        W->WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) W->WriteWideString(Get(i));
        W->WriteListEnd();
      },
      GetCount() > 0);
}

// ---- TWideStringList --------------------------------------------------------------------
void TWideStringList::Check(int Index, bool AllowEnd) const {
  int n = GetCount();
  if (Index < 0 || Index > n || (Index == n && !AllowEnd)) Error("List index out of bounds (%d)", Index);
}

WideString TWideStringList::Get(int Index) const {
  Check(Index);
  return FItems[static_cast<std::size_t>(Index)].first;
}

TObject* TWideStringList::GetObject(int Index) const {
  Check(Index);
  return FItems[static_cast<std::size_t>(Index)].second;
}

void TWideStringList::PutObject(int Index, TObject* AObject) {
  Check(Index);
  FItems[static_cast<std::size_t>(Index)].second = AObject;
}

void TWideStringList::Delete(int Index) {
  Check(Index);
  FItems.erase(FItems.begin() + Index);
}

void TWideStringList::Insert(int Index, const WideString& S) {
  Check(Index, true);
  FItems.insert(FItems.begin() + Index, {S, nullptr});
}

// ---- TAnsiStringsForWideStrings -------------------------------------------------------------
AnsiString TAnsiStringsForWideStrings::Get(int Index) const { return WideToUtf8(FWideStrings->Get(Index)); }
int TAnsiStringsForWideStrings::GetCount() const { return FWideStrings->GetCount(); }
void TAnsiStringsForWideStrings::Clear() { FWideStrings->Clear(); }
void TAnsiStringsForWideStrings::Delete(int Index) { FWideStrings->Delete(Index); }
void TAnsiStringsForWideStrings::Insert(int Index, const AnsiString& S) {
  FWideStrings->Insert(Index, Utf8ToWide(S));
}

// ---- TComboBoxStrings ---------------------------------------------------------------------
// With a window the items travel by the combo messages; without one the
// framework's item list keeps them.
WideString TComboBoxStrings::Get(int Index) const {
  if (!FComboBox->HandleAllocated()) return Utf8ToWide(FComboBox->GetAnsiItems()->Get(Index));
  HWND h = FComboBox->GetHandle();
  LRESULT len = SendMessageA(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(Index), 0);
  if (len == CB_ERR) return {};
  AnsiString s(static_cast<std::size_t>(len) + 1, '\0');
  LRESULT got = SendMessageA(h, CB_GETLBTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(s.data()));
  if (got == CB_ERR) return {};
  s.resize(static_cast<std::size_t>(got));
  return Utf8ToWide(s);
}

int TComboBoxStrings::GetCount() const { return FComboBox->GetAnsiItems()->GetCount(); }
TObject* TComboBoxStrings::GetObject(int Index) const { return FComboBox->GetAnsiItems()->GetObject(Index); }
void TComboBoxStrings::PutObject(int Index, TObject* AObject) { FComboBox->GetAnsiItems()->PutObject(Index, AObject); }
void TComboBoxStrings::Delete(int Index) { FComboBox->GetAnsiItems()->Delete(Index); }

void TComboBoxStrings::SetUpdateState(bool Updating) {
  if (Updating)
    FComboBox->GetAnsiItems()->BeginUpdate();
  else
    FComboBox->GetAnsiItems()->EndUpdate();
}

int TComboBoxStrings::Add(const WideString& S) {
  if (!FComboBox->HandleAllocated()) return FComboBox->GetAnsiItems()->Add(WideToUtf8(S));
  AnsiString s = WideToUtf8(S);
  LRESULT r = SendMessageA(FComboBox->GetHandle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EOutOfResources("Unable to insert a line");
  return static_cast<int>(r);
}

void TComboBoxStrings::Insert(int Index, const WideString& S) {
  if (!FComboBox->HandleAllocated()) {
    FComboBox->GetAnsiItems()->Insert(Index, WideToUtf8(S));
    return;
  }
  AnsiString s = WideToUtf8(S);
  LRESULT r = SendMessageA(FComboBox->GetHandle(), CB_INSERTSTRING, static_cast<WPARAM>(Index),
                           reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EOutOfResources("Unable to insert a line");
}

int TComboBoxStrings::IndexOf(const WideString& S) const {
  if (!FComboBox->HandleAllocated()) return FComboBox->GetAnsiItems()->IndexOf(WideToUtf8(S));
  AnsiString s = WideToUtf8(S);
  return static_cast<int>(
      SendMessageA(FComboBox->GetHandle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str())));
}

void TComboBoxStrings::Clear() {
  WideString text = FComboBox->GetText();
  if (FComboBox->HandleAllocated())
    SendMessageA(FComboBox->GetHandle(), CB_RESETCONTENT, 0, 0);
  else
    FComboBox->GetAnsiItems()->Clear();
  FComboBox->SetText(text);
  FComboBox->Update();
}
