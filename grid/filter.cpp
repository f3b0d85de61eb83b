#include "grid/filter.h"

#include "grid/radoriz.h"
#include "platform/rtl/sysutils.h"

// ---- conditions ---------------------------------------------------------------------------

TFilterData::TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}

void TFilterData::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TFilterData*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  FColumn = S->FColumn;
  FCondition = S->FCondition;
  FCaseSensitive = S->FCaseSensitive;
  FData = S->FData;
  FPrefix = S->FPrefix;
  FSuffix = S->FSuffix;
  FOperation = S->FOperation;
}

TFilterData* TFilter::Insert(int) { return Add(); }

TFilterData* TFilter::GetColFilter(int Col) {
  for (int i = 0; i < GetCount(); ++i)
    if (GetItem(i)->GetColumn() == Col) return GetItem(i);
  TFilterData* D = Add();
  D->SetColumn(static_cast<short>(Col));
  return D;
}

// ---- drop-down look -----------------------------------------------------------------------

TFilterDropDown::TFilterDropDown() : FFont(new TFont), FGlyph(new TBitmap) {
  FGlyph->OnChange = [this](TObject*) {
    if (OnChange) OnChange(this);
  };
}

TFilterDropDown::~TFilterDropDown() {
  delete FFont;
  delete FGlyph;
}

void TFilterDropDown::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TFilterDropDown*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FColor = S->FColor;
  FColumnWidth = S->FColumnWidth;
  FFont->Assign(S->FFont);
  FHeight = S->FHeight;
  FWidth = S->FWidth;
}

// ---- prepared condition -------------------------------------------------------------------

namespace {

// The condition as the matcher reads it: trimmed, blanks outside double
// quotes dropped, a leading "=" removed.
AnsiString Normalised(const AnsiString& Condition) {
  AnsiString Out;
  const AnsiString T = Trim(Condition);
  Out.reserve(T.size());
  int Quotes = 0;
  for (char c : T) {
    if (c == '"') ++Quotes;
    if (c == ' ' && Quotes % 2 == 0) continue;
    Out += c;
  }
  if (!Out.empty() && Out.front() == '=') Out.erase(0, 1);
  return Out;
}

// No "&", "(", ";", "^" or "|" outside double quotes: a single term.
bool SingleTerm(const AnsiString& S) {
  int Quotes = 0;
  for (char c : S) {
    if (c == '"')
      ++Quotes;
    else if (Quotes % 2 == 0 && (c == '&' || c == '(' || c == ';' || c == '^' || c == '|'))
      return false;
  }
  return true;
}

// Upper case into a buffer that keeps its capacity: ASCII texts (the common
// case) are folded in place, others through the locale's upper-casing.
const AnsiString& FoldInto(AnsiString& Buffer, const AnsiString& Value) {
  for (char c : Value)
    if (static_cast<unsigned char>(c) >= 0x80) return Buffer = AnsiUpperCase(Value);
  Buffer.assign(Value);
  for (char& c : Buffer)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return Buffer;
}

}  // namespace

TFilterMatcher::TFilterMatcher(const AnsiString& Condition, bool CaseSensitive)
    : FCondition(Condition), FCaseSensitive(CaseSensitive) {
  AnsiString N = Normalised(Condition);
  FPlain = SingleTerm(N);
  if (FPlain) FPattern = CaseSensitive ? N : AnsiUpperCase(N);
}

bool TFilterMatcher::Match(const AnsiString& Value) const {
  try {
    if (!FPlain) return MatchStrEx(FCondition, Value, FCaseSensitive);
    if (FCaseSensitive) return Matches(FPattern, Value);
    thread_local AnsiString Folded;
    return Matches(FPattern, FoldInto(Folded, Value));
  } catch (...) {
    return false;
  }
}
