// The row filter: conditions tested per row, failing rows hidden as one hide
// level, the incremental narrow-down and the column drop-down choice.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "grid/droplist.h"
#include "grid/radoriz.h"
#include "grid/searchpanel.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

// ---- owned parts ---------------------------------------------------------------------------

void VIduZozezuVodu::CreateSearchParts() {
  FFilter = new TFilter(this);
  FFilterDropDown = new TFilterDropDown;
  FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
  FDropList = new TDropList(this);
  FDropList->SetName("droplist");
  FDropList->SetBounds(0, 0, 0, 0);
  FDropList->SetVisible(false);
  FDropList->SetParent(this);
  FDropList->OnSelect = [this](TObject* Sender, int ItemIndex) { FilterSelect(Sender, ItemIndex); };
  FSearchPanel = new TSearchPanel(this);
  FSearchPanel->SetBorderWidth(0);
  FSearchPanel->SetBevelOuter(bvNone);
  FSearchPanel->SetVisible(false);
  FSearchPanel->SetAlign(alBottom);
  FSearchPanel->SetHeight(0);
  FSearchPanel->SetParent(this);
  FSearchPanel->OnEditChange = [this](TObject* S) { SearchEditChange(S); };
  FSearchPanel->OnForwardClick = [this](TObject* S) { SearchForward(S); };
  FSearchPanel->OnBackwardClick = [this](TObject* S) { SearchBackward(S); };
  FSearchPanel->OnHighlightClick = [this](TObject* S) { SearchHighLight(S); };
  FSearchPanel->OnExitClick = [this](TObject* S) { SearchExit(S); };
  FSearchFooter->OnChange = [this](TObject* S) { SearchChanged(S); };
}

void VIduZozezuVodu::FreeSearchParts() {
  FSearchFooter->OnChange = nullptr;
  delete FSearchPanel;
  FSearchPanel = nullptr;
  delete FDropList;
  FDropList = nullptr;
  delete FFilter;
  FFilter = nullptr;
  delete FFilterDropDown;
  FFilterDropDown = nullptr;
}

// ---- cell views ----------------------------------------------------------------------------

AnsiString VIduZozezuVodu::GetStrippedCell(int ACol, int ARow) { return HTMLStrip(GetCellEx(ACol, ARow)); }

// ---- testing rows --------------------------------------------------------------------------

namespace {

// One condition made ready for many rows: its matcher is prepared once.
struct TPreparedCondition {
  TFilterData* Data;
  TFilterMatcher Matcher;
  AnsiString UpperCondition;  // the row substring test
};

using TPrepared = std::vector<TPreparedCondition>;

}  // namespace

// The conditions ready for matching, kept while ApplyFilter walks the rows.
static thread_local const TPrepared* PreparedConditions = nullptr;

static bool MatchConditions(VIduZozezuVodu* G, int ARow, const TPrepared& Conditions) {
  bool Result = true;
  AnsiString Value;
  for (const TPreparedCondition& C : Conditions) {
    TFilterData* D = C.Data;
    switch (D->GetData()) {
      case fcVirtual: Value = G->GetCellEx(D->GetColumn(), ARow); break;
      case fcNormal: Value = G->GetGridCell(D->GetColumn(), ARow); break;
      case fcStripHTML: Value = G->GetStrippedCell(D->GetColumn(), ARow); break;
      case fcCalculated: Value = G->CalcCell(D->GetColumn(), ARow); break;
      case fcRow: Value = G->GetRows(ARow)->GetText(); break;
    }
    if (Value.find("|\\") != AnsiString::npos) Value = WideToUtf8(DecodeWideStr(Value));
    bool Hit;
    if (D->GetData() == fcRow) {
      Hit = !C.UpperCondition.empty() && AnsiUpperCase(Value).find(C.UpperCondition) != AnsiString::npos;
    } else {
      const AnsiString& Prefix = D->GetPrefix();
      if (!Prefix.empty() && Value.compare(0, Prefix.size(), Prefix) == 0) Value.erase(0, Prefix.size());
      const AnsiString& Suffix = D->GetSuffix();
      if (!Suffix.empty()) {
        // Only when its first occurrence ends the value.
        std::size_t At = Value.find(Suffix);
        if (At != AnsiString::npos && At + Suffix.size() == Value.size()) Value.erase(At);
      }
      Hit = D->GetCondition().empty() || C.Matcher.Match(Value);
    }
    switch (D->GetOperation()) {
      case foSHORT:
        Result = Hit;
        break;
      case foNONE: Result = Hit; break;
      case foAND: Result = Result && Hit; break;
      case foXOR: Result = Result != Hit; break;
      case foOR: Result = Result || Hit; break;
    }
    if (D->GetOperation() == foSHORT && !Hit) break;
  }
  return Result;
}

static TPrepared Prepare(TFilter* F) {
  TPrepared P;
  P.reserve(F->GetCount());
  for (int i = 0; i < F->GetCount(); ++i) {
    TFilterData* D = F->GetItem(i);
    P.push_back(TPreparedCondition{D, TFilterMatcher(D->GetCondition(), D->GetCaseSensitive()),
                                   D->GetData() == fcRow ? AnsiUpperCase(D->GetCondition()) : AnsiString()});
  }
  return P;
}

bool VIduZozezuVodu::MatchFilter(int ARow) {
  bool Accept;
  if (PreparedConditions) {
    Accept = MatchConditions(this, ARow, *PreparedConditions);
  } else {
    const TPrepared P = Prepare(FFilter);
    Accept = MatchConditions(this, ARow, P);
  }
  if (OnCustomFilter) OnCustomFilter(this, ARow, Accept);
  return Accept;
}

void VIduZozezuVodu::FilterRow(int ARow) {
  if (!MatchFilter(ARow)) HideRow(RemapRowInv(ARow));
}

void VIduZozezuVodu::ApplyFilter() {
  FFilterSavedFixedRows = GetFixedRowsEx();
  const int First = GetFixedRowsEx(), Last = GetRowCount() - FFixedFooters - 1;
  const int Total = GetRowCount() - FFixedFooters - GetFixedRowsEx();
  // Kept from the last filter: no fresh memory to fault in again.
  auto& Failing = FFilterFailing;
  Failing.clear();
  Failing.reserve(static_cast<std::size_t>(std::max(Total, 0)));
  const TPrepared P = Prepare(FFilter);
  const TPrepared* Outer = PreparedConditions;
  PreparedConditions = &P;
  struct TRestore {
    const TPrepared* Outer;
    ~TRestore() { PreparedConditions = Outer; }
  } Restore{Outer};
  const bool Progress = static_cast<bool>(OnFilterProgress);
  int Count = 0;
  short Figure = 0;
  for (int r = First; r <= Last; ++r) {
    if (!MatchFilter(r)) Failing.push_back(r);
    ++Count;
    if (Progress && Total > 0) {
      Figure = static_cast<short>(std::nearbyint(static_cast<double>(Count) / Total * 100.0));
      OnFilterProgress(this, Figure);
    }
  }
  HideListedRows(Failing);
  if (Progress) OnFilterProgress(this, Figure);
}

void VIduZozezuVodu::SetFilterActive(bool Value) {
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      BeginUpdate();
      try {
        ApplyFilter();
      } catch (...) {
        EndUpdate();
        throw;
      }
      EndUpdate();
      FSelectionHidden = false;
    } else {
      // Going off takes its level away too, so that an off/on pair leaves
      // no empty level behind for a later RemoveLastFilter to pop.
      UnHideRowList();
      SetFixedRowsEx(FFilterSavedFixedRows);
      if (FSelectionHidden) UnHideSelection();
      if (GetHideLevel() > 0) SetHideLevel(GetHideLevel() - 1);
    }
  }
  CalcFooter(-1);
}

bool VIduZozezuVodu::RemoveLastFilter() {
  if (GetHideLevel() <= 0) return false;
  UnHideRowList();
  SetFixedRowsEx(FFilterSavedFixedRows);
  if (FSelectionHidden) UnHideSelection();
  CalcFooter(-1);
  SetHideLevel(GetHideLevel() - 1);
  return GetHideLevel() > 1;
}

void VIduZozezuVodu::RemoveAllFilters() {
  while (GetHideLevel() > 0) RemoveLastFilter();
}

void VIduZozezuVodu::NarrowDown(const AnsiString& AText, int AColumn) {
  auto Filter = [&] {
    FFilter->Clear();
    TFilterData* D = FFilter->Add();
    D->SetColumn(static_cast<short>(AColumn));
    if (AColumn == -1) {
      D->SetData(fcRow);
      D->SetCondition(AText);
    } else {
      D->SetData(fcNormal);
      D->SetCondition("*" + AText + "*");
    }
    D->SetCaseSensitive(false);
    ApplyFilter();
  };
  const AnsiString& Last = FLastNarrowDown;
  if (!Last.empty() && AText.size() == Last.size() + 1 && AText.compare(0, Last.size(), Last) == 0) {
    Filter();
  } else if (!AText.empty() && AText.size() + 1 == Last.size() && Last.compare(0, AText.size(), AText) == 0) {
    RemoveLastFilter();
  } else {
    RemoveAllFilters();
    if (!AText.empty()) Filter();
  }
  FLastNarrowDown = AText;
}

void VIduZozezuVodu::FilterSelect(TObject* Sender, int ItemIndex) {
  if (CanFocus()) SetFocus();
  const int Col = FDropDownCol;
  FDropDownCol = -1;
  if (Col < 0 || Col >= GetColCount() || ItemIndex < 0 || ItemIndex >= FColumnFilter->GetCount()) return;
  const AnsiString Entry = FColumnFilter->Get(ItemIndex);
  const std::size_t Eq = Entry.find('=');
  const AnsiString FriendlyName = Eq == AnsiString::npos ? Entry : Entry.substr(0, Eq);
  if (FAutoFilterUpdate) SetFilterActive(false);
  AnsiString Condition = Eq == AnsiString::npos ? Entry : Entry.substr(Eq + 1);
  if (OnFilterSelect) OnFilterSelect(Sender, Col, ItemIndex, FriendlyName, Condition);
  FFilter->GetColFilter(Col)->SetCondition(Condition);
  if (FAutoFilterUpdate) {
    SetFixedRowAlways(true);
    SetFilterActive(true);
    if (GetRowCount() != GetFixedRowsEx() && GetRowCount() != 1) SetRow(GetFixedRowsEx());
    DoFilterDone();
  }
}

void VIduZozezuVodu::SetFilterRow(int Value) {
  if (Value >= GetFixedRowsEx()) return;
  FFilterDropDownRow = Value;
  Invalidate();
}

void VIduZozezuVodu::DoFilterDone() {
  if (OnFilterDone) OnFilterDone(this);
}

