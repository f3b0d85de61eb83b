// Column layout outside the program: the column state string and the
// "Col"/"Pos" values of the ColumnSize store (ini file or registry).
#include <memory>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/rtl/classes_strings.h"
#include "platform/rtl/sysutils.h"
#include "platform/settings/inifiles.h"
#include "platform/settings/registry.h"

namespace {

// Nil when nothing may be opened: no key, no section or design mode.
std::unique_ptr<TCustomIniFile> OpenColumnStore(VIduZozezuVodu& G) {
  const TColumnSize* CS = G.GetColumnSize();
  if (CS->Key.empty() || CS->Section.empty() || G.HasState(csDesigning)) return nullptr;
  if (CS->Location == clIniFile) return std::make_unique<TIniFile>(CS->Key);
  return std::make_unique<TRegistryIniFile>(CS->Key);
}

// The items of a field ("1,2,3"); asking past the last raises the list's
// index error.
std::unique_ptr<TStringList> Items(const AnsiString& Field) {
  auto L = std::make_unique<TStringList>();
  if (Field.empty()) return L;
  for (std::size_t From = 0;;) {
    std::size_t P = Field.find(',', From);
    L->Add(Field.substr(From, P == AnsiString::npos ? AnsiString::npos : P - From));
    if (P == AnsiString::npos) break;
    From = P + 1;
  }
  return L;
}

// For each column number 0 .. Count - 1 in turn, every position whose entry
// names it: the moves that give back the recorded arrangement.
std::vector<int> Inverse(const std::vector<int>& Entries, int Count) {
  std::vector<std::vector<int>> At(static_cast<std::size_t>(Count));
  for (std::size_t P = 0; P < Entries.size(); ++P)
    if (Entries[P] >= 0 && Entries[P] < Count) At[static_cast<std::size_t>(Entries[P])].push_back(static_cast<int>(P));
  std::vector<int> Result;
  for (const auto& Ps : At) Result.insert(Result.end(), Ps.begin(), Ps.end());
  return Result;
}

}  // namespace

AnsiString VIduZozezuVodu::ColumnStatesToString() {
  const int Total = GetColCount() + NumHiddenColumns();
  AnsiString S = IntToStr(Total) + "#";
  for (int I = 0; I < Total; ++I)
    S += (I ? "," : "") + IntToStr(I < GetColCount() ? GetColWidths(I) : GetDefaultColWidth());
  S += "#";
  const TIntList& Order = *FColumnOrder;
  if (Order.GetCount() == 0)
    for (int I = 0; I < Total; ++I) S += (I ? "," : "") + IntToStr(I);
  else
    for (int I = 0; I < Order.GetCount(); ++I) S += (I ? "," : "") + IntToStr(Order.GetInteger(I));
  S += "#";
  for (int I = 0; I < Total; ++I) S += AnsiString(I ? "," : "") + (IsHiddenColumn(I) ? "0" : "1");
  return S;
}

void VIduZozezuVodu::StringToColumnStates(const AnsiString& S) {
  FColumnOrder->Clear();
  if (S.find('#') == AnsiString::npos) return;
  std::vector<AnsiString> Fields;
  for (std::size_t From = 0;;) {
    std::size_t P = S.find('#', From);
    Fields.push_back(S.substr(From, P == AnsiString::npos ? AnsiString::npos : P - From));
    if (P == AnsiString::npos) break;
    From = P + 1;
  }
  auto Field = [&](std::size_t I) { return I < Fields.size() ? Fields[I] : AnsiString(); };

  UnHideColumnsAll();
  int Count = StrToInt(Fields[0]);
  if (Count < 0 || Count > TGridStore::MaxColCount)
    throw EConvertError("'" + Fields[0] + "' is not a valid column count");
  SetColCountEx(Count);

  AnsiString OrderField = Field(2);
  if (!OrderField.empty()) {
    auto Order = Items(OrderField);
    auto Fill = [&] {
      FColumnOrder->Clear();
      std::vector<int> Entries;
      for (int I = 0; I < GetColCount(); ++I) {
        int V = StrToInt(Order->Get(I));
        if (V == -1) continue;
        FColumnOrder->Add(V);
        Entries.push_back(V);
      }
      return Entries;
    };
    std::vector<int> Inv = Inverse(Fill(), GetColCount());
    FColumnOrder->Clear();
    for (int P : Inv) FColumnOrder->Add(P);
    if (FColumnOrder->GetCount() > 0) ResetColumnOrder();
    Fill();
  }

  auto Visible = Items(Field(3));
  for (int I = GetColCount() - 1; I >= 0; --I)
    if (Visible->Get(I) == "0") HideColumn(I);

  auto Widths = Items(Field(1));
  for (int I = 0; I < GetColCount(); ++I) SetColWidths(I, StrToInt(Widths->Get(I)));
}

void VIduZozezuVodu::SaveColSizes() {
  auto Store = OpenColumnStore(*this);
  if (!Store) return;
  for (int I = 0; I < GetColCount(); ++I)
    Store->WriteInteger(FColumnSize->Section, "Col" + IntToStr(I), GetColWidths(I));
}

void VIduZozezuVodu::LoadColSizes() {
  auto Store = OpenColumnStore(*this);
  if (!Store) return;
  for (int I = 0; I < GetColCount(); ++I) {
    int W = Store->ReadInteger(FColumnSize->Section, "Col" + IntToStr(I), GetColWidths(I));
    if (W != GetColWidths(I)) SetColWidths(I, W);
  }
}

void VIduZozezuVodu::SaveColPositions() {
  auto Store = OpenColumnStore(*this);
  if (!Store) return;
  for (int I = 0; I < FColumnOrder->GetCount(); ++I)
    Store->WriteInteger(FColumnSize->Section, "Pos" + IntToStr(I), FColumnOrder->GetInteger(I));
}

void VIduZozezuVodu::LoadColPositions() {
  auto Store = OpenColumnStore(*this);
  if (!Store) return;
  const AnsiString& Section = FColumnSize->Section;
  if (Store->ReadInteger(Section, "Pos0", -1) == -1) return;
  const int All = GetColCount() + NumHiddenColumns();
  auto ReadPositions = [&] {
    FColumnOrder->Clear();
    std::vector<int> Entries;
    for (int I = 0; I < All; ++I) {
      int V = Store->ReadInteger(Section, "Pos" + IntToStr(I), -1);
      if (V == -1) continue;
      FColumnOrder->Add(V);
      Entries.push_back(V);
    }
    return Entries;
  };
  std::vector<int> Inv = Inverse(ReadPositions(), All);
  TIntList InvList(0, 0);
  for (int P : Inv) InvList.Add(P);
  FColumnOrder->Clear();
  std::vector<int> Hidden;
  for (int I = 0; I < All; ++I) {
    if (IsHiddenColumn(I)) Hidden.push_back(I);
    FColumnOrder->Add(InvList.GetInteger(I));
  }
  UnHideColumnsAll();
  if (FColumnOrder->GetCount() > 0) ResetColumnOrder();
  // By index: after the move the column standing there is the one hidden.
  for (int I : Hidden) HideColumn(I);
  ReadPositions();
}
