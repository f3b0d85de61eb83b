// The grid's integer, sort-index and in-cell control lists.
#include "grid/gridlists.h"

#include "platform/rtl/classes_strings.h"
#include "platform/forms/controls.h"
#include "platform/rtl/sysutils.h"

namespace {

// The values live in the pointer slots of the base list.
void* ToSlot(int Value) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)); }
int FromSlot(void* Slot) { return static_cast<int>(reinterpret_cast<std::intptr_t>(Slot)); }

constexpr std::uint32_t kDescending = 0x80000000u;
constexpr std::uint32_t kColumnMask = 0x7FFFFFFFu;

}  // namespace

// ---- TIntList ----------------------------------------------------------------

void TIntList::DoChange() {
  if (OnChange) OnChange(this, FCol, FRow);
}

int TIntList::Add(int Value) {
  const int index = TList::Add(ToSlot(Value));
  DoChange();
  return index;
}

void TIntList::Insert(int Index, int Value) { TList::Insert(Index, ToSlot(Value)); }

void TIntList::Delete(int Index) {
  TList::Delete(Index);
  DoChange();
}

void TIntList::DeleteValue(int Value) {
  const int index = IndexOf(ToSlot(Value));
  if (index >= 0) Delete(index);
}

bool TIntList::HasValue(int Value) const { return IndexOf(ToSlot(Value)) >= 0; }

int TIntList::GetInteger(int Index) const { return FromSlot(Get(Index)); }

void TIntList::SetInteger(int Index, int Value) {
  Put(Index, ToSlot(Value));
  DoChange();
}

AnsiString TIntList::GetStrValue() const {
  AnsiString s;
  for (int i = 0; i < GetCount(); ++i) {
    if (i > 0) s += ',';
    s += IntToStr(GetInteger(i));
  }
  return s;
}

void TIntList::SetStrValue(const AnsiString& Value) {
  Clear();
  TStringList items;
  items.SetCommaText(Value);
  for (int i = 0; i < items.GetCount(); ++i) Add(StrToInt(items.Get(i)));
}

// ---- TSortIndexList ------------------------------------------------------------

void TSortIndexList::AddIndex(int ACol, bool Ascending) {
  std::uint32_t entry = static_cast<std::uint32_t>(ACol) & kColumnMask;
  if (!Ascending) entry |= kDescending;
  Add(static_cast<int>(entry));
}

int TSortIndexList::FindIndex(int ACol) const {
  const std::uint32_t col = static_cast<std::uint32_t>(ACol) & kColumnMask;
  for (int i = 0; i < GetCount(); ++i)
    if ((static_cast<std::uint32_t>(GetInteger(i)) & kColumnMask) == col) return i;
  return -1;
}

void TSortIndexList::ToggleIndex(int ACol) {
  const int i = FindIndex(ACol);
  if (i >= 0) SetInteger(i, static_cast<int>(static_cast<std::uint32_t>(GetInteger(i)) ^ kDescending));
}

int TSortIndexList::GetSortColumns(int Index) const {
  return static_cast<int>(static_cast<std::uint32_t>(GetInteger(Index)) & kColumnMask);
}

void TSortIndexList::SetSortColumns(int Index, int ACol) {
  const std::uint32_t old = static_cast<std::uint32_t>(GetInteger(Index));
  SetInteger(Index, static_cast<int>((old & kDescending) | (static_cast<std::uint32_t>(ACol) & kColumnMask)));
}

bool TSortIndexList::GetSortDirections(int Index) const {
  return (static_cast<std::uint32_t>(GetInteger(Index)) & kDescending) == 0;
}

void TSortIndexList::SetSortDirections(int Index, bool Ascending) {
  const std::uint32_t old = static_cast<std::uint32_t>(GetInteger(Index));
  SetInteger(Index, static_cast<int>(Ascending ? old & kColumnMask : old | kDescending));
}

AnsiString TSortIndexList::SaveToString() const {
  AnsiString s;
  for (int i = 0; i < GetCount(); ++i) {
    if (i > 0) s += ';';
    s += GetSortDirections(i) ? 'u' : 'd';
    s += IntToStr(GetSortColumns(i) & 0xFFFF);
  }
  return s;
}

void TSortIndexList::LoadFromString(const AnsiString& Value) {
  Clear();
  AnsiString text = Value;
  while (!text.empty()) {
    AnsiString token;
    const std::size_t p = text.find(';');
    if (p != AnsiString::npos) {
      token = text.substr(0, p);
      text.erase(0, p + 1);
    } else {
      token.swap(text);
    }
    if (token.size() < 2) continue;
    // A malformed number gives what the platform's Val read of it.
    int col = 0, code = 0;
    Val(token.substr(1), col, code);
    AddIndex(col, token[0] == 'u');
  }
}

// ---- TControlList --------------------------------------------------------------

TControlList::~TControlList() {
  while (GetCount() > 0) RemoveControl(GetCount() - 1);
}

int TControlList::AddControl(int ACol, int ARow, TControl* AControl) {
  return Add(new TControlItem(ACol, ARow, AControl));
}

int TControlList::ControlIndex(int ACol, int ARow) const {
  for (int i = 0; i < GetCount(); ++i) {
    const TControlItem* item = GetControl(i);
    if (item->X == ACol && item->Y == ARow) return i;
  }
  return -1;
}

TControlItem* TControlList::GetControl(int Index) const { return static_cast<TControlItem*>(Get(Index)); }

bool TControlList::HasHandle(HWND Wnd) const {
  for (int i = 0; i < GetCount(); ++i) {
    auto* win = dynamic_cast<TWinControl*>(GetControl(i)->Control);
    if (win && win->GetHandle() == Wnd) return true;
  }
  return false;
}

void TControlList::RemoveControl(int Index) {
  TControlItem* item = GetControl(Index);
  TList::Delete(Index);
  delete item;
}
