// How two cells of a column compare when rows are sorted: the sort style
// chosen per column, the blank rules, and the comparison of whole rows.
// A sort runs this millions of times, so texts are read by reference and
// classified and converted without building strings.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <typeinfo>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/sysutils.h"

namespace {

int Sign(int V) { return (V > 0) - (V < 0); }

template <class T>
int Order(T A, T B) {
  return A > B ? 1 : (A < B ? -1 : 0);
}

int ByteCompare(std::string_view A, std::string_view B) { return Sign(A.compare(B)); }

char UpAscii(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

// a..z as A..Z only; equal texts then fall back to their bytes ('A' < 'a').
int NoCaseCompare(std::string_view A, std::string_view B) {
  std::size_t N = std::min(A.size(), B.size());
  for (std::size_t i = 0; i < N; ++i) {
    auto CA = static_cast<unsigned char>(UpAscii(A[i])), CB = static_cast<unsigned char>(UpAscii(B[i]));
    if (CA != CB) return CA < CB ? -1 : 1;
  }
  if (A.size() != B.size()) return A.size() < B.size() ? -1 : 1;
  return ByteCompare(A, B);
}

bool IsDigitChar(char C) { return C >= '0' && C <= '9'; }

bool IsNumberType(TAutoType T) { return T == atNumeric || T == atFloat || T == atScientific; }

// The platform's Val on a view: blanks, sign, digits with one ".", an
// optional exponent, nothing after. A text that does not convert gives the
// digits read before the fault as one integer (sign and point ignored).
bool ValView(std::string_view S, double& Value) {
  constexpr std::uint64_t Limit = std::numeric_limits<std::uint64_t>::max() / 10 - 1;
  std::uint64_t Digits = 0;
  std::size_t i = 0, n = S.size();
  auto Fail = [&] {
    Value = static_cast<double>(Digits);
    return false;
  };
  while (i < n && S[i] == ' ') ++i;
  bool Neg = false;
  if (i < n && (S[i] == '+' || S[i] == '-')) Neg = S[i++] == '-';
  std::size_t Start = i;
  int Mantissa = 0;
  auto Digit = [&] {
    ++Mantissa;
    if (Digits <= Limit) Digits = Digits * 10 + static_cast<std::uint64_t>(S[i] - '0');
    ++i;
  };
  while (i < n && IsDigitChar(S[i])) Digit();
  if (i < n && S[i] == '.') {
    ++i;
    while (i < n && IsDigitChar(S[i])) Digit();
  }
  if (Mantissa == 0) return Fail();
  if (i < n && (S[i] == 'e' || S[i] == 'E')) {
    ++i;
    if (i < n && (S[i] == '+' || S[i] == '-')) ++i;
    std::size_t First = i;
    while (i < n && IsDigitChar(S[i])) ++i;
    if (i == First) return Fail();
  }
  if (i < n) return Fail();
  double V = 0;
  // from_chars takes no "+" in the exponent's place either way, and reads
  // "5." and ".5" as strtod does.
  auto R = std::from_chars(S.data() + Start, S.data() + n, V);
  if (R.ec != std::errc() || R.ptr != S.data() + n || !std::isfinite(V)) return Fail();
  Value = Neg ? -V : V;
  return true;
}

// Deletes the first occurrence of Sub from the text in Buf[0..Len).
void DeleteFirst(char* Buf, std::size_t& Len, const AnsiString& Sub) {
  if (Sub.empty()) return;
  std::string_view V(Buf, Len);
  std::size_t P = V.find(Sub);
  if (P == std::string_view::npos) return;
  std::memmove(Buf + P, Buf + P + Sub.size(), Len - P - Sub.size());
  Len -= Sub.size();
}

// A cell text as a number for the numeric and financial styles.
bool SortNumber(const AnsiString& S, const AnsiString& Prefix, const AnsiString& Suffix, bool Financial,
                double& Value) {
  const char Dec = FormatSettings.DecimalSeparator;
  const char Thou = FormatSettings.ThousandSeparator;
  bool Plain = Prefix.empty() && Suffix.empty() && (Dec == '.' || S.find(Dec) == AnsiString::npos) &&
               (!Financial || S.find(Thou) == AnsiString::npos);
  if (Plain) return ValView(S, Value);
  char Local[128];
  AnsiString Long;
  char* Buf = Local;
  if (S.size() > sizeof Local) {
    Long = S;
    Buf = Long.data();
  } else {
    std::memcpy(Local, S.data(), S.size());
  }
  std::size_t Len = S.size();
  DeleteFirst(Buf, Len, Prefix);
  DeleteFirst(Buf, Len, Suffix);
  if (Financial) Len = static_cast<std::size_t>(std::remove(Buf, Buf + Len, Thou) - Buf);
  if (Dec != '.')
    if (char* P = static_cast<char*>(std::memchr(Buf, Dec, Len))) *P = '.';
  return ValView(std::string_view(Buf, Len), Value);
}

// The automatic style's date test: a separator at the second or third
// character with digits on both sides, and one anywhere in the other text.
bool LooksLikeDates(const AnsiString& T1, const AnsiString& T2) {
  const char Sep = FormatSettings.DateSeparator;
  std::size_t Q = T1.find(Sep);  // 0-based: position p - 1
  if (Q == AnsiString::npos) return false;
  std::size_t P = Q + 1;
  if (!(P > 1 && P < T1.size() && P < 4)) return false;
  if (!IsDigitChar(T1[Q - 1]) || !IsDigitChar(T1[Q + 1])) return false;
  return T2.find(Sep) != AnsiString::npos;
}

double DateValue(const AnsiString& S) {
  TDateTime V = 0;
  if (S.empty() || !TryStrToDateTime(S, V)) return 0;
  return V;
}

double ShortDateValue(const AnsiString& S, bool US) {
  try {
    return US ? StrToShortdateUS(S) : StrToShortDateEU(S);
  } catch (const Exception&) {
    return 0;
  }
}

}  // namespace

const AnsiString& VIduZozezuVodu::SortText(int ACol, int ARow, AnsiString& Buf) {
  if (!FSortSettings->SortOnVirtualCells) return FStore.CellText(ACol, ARow);
  // Only this class's own display text is known to leave other cells alone.
  bool Plain = !OnGetDisplText && !OnGetDisplWideText && typeid(*this) == typeid(VIduZozezuVodu) &&
               !(FGrouping->ShowGroupCount && ACol == 1);
  if (Plain) {
    TPoint B = BaseCell(ACol, ARow);
    return FStore.CellText(B.x, B.y);
  }
  Buf = GetCellEx(ACol, ARow);
  return Buf;
}

bool VIduZozezuVodu::SortCheckState(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return false;
  switch (G->CellType) {
    case ctCheckBox:
    case ctRowCheckBox:
      return G->CellBoolean;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      return GetCellEx(ACol, ARow) == GetCheckTrue(ACol, ARow);
    default:
      return false;
  }
}

int VIduZozezuVodu::Compare(int ACol, int ARow1, int ARow2, TSortDirection ADirection) {
  TSortStyle Style = FSortSettings->AutoFormat ? ssAutomatic
                     : FSortSettings->IgnoreCase ? ssAlphaNoCase
                                                 : ssAlphabetic;
  FSortPrefix.clear();
  FSortSuffix.clear();
  GetColFormat(ACol, Style, FSortPrefix, FSortSuffix);
  const AnsiString& T1 = SortText(ACol, ARow1, FSortBuf1);
  const AnsiString& T2 = SortText(ACol, ARow2, FSortBuf2);
  const TSortStyle TextStyle = FSortSettings->IgnoreCase ? ssAlphaNoCase : ssAlphabetic;

  if (Style == ssAutomatic) {
    TCellType CT = GetCellType(ACol, ARow1);
    if (CT == ctCheckBox || CT == ctDataCheckBox || CT == ctVirtCheckBox || CT == ctRowCheckBox)
      Style = ssCheckBox;
    else if (IsNumberType(IsType(T1)))
      Style = ssNumeric;
    else
      Style = LooksLikeDates(T1, T2) ? ssDate : TextStyle;
  } else if (Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase) {
    if (IsNumberType(IsType(T1)) && IsNumberType(IsType(T2)))
      Style = ssNumeric;
    else
      Style = Style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
  }

  int Res = 0;
  switch (Style) {
    case ssAlphabetic:
    case ssAlphaCase:
      Res = ByteCompare(T1, T2);
      break;
    case ssAlphaNoCase:
      Res = NoCaseCompare(T1, T2);
      break;
    case ssNumeric:
    case ssFinancial: {
      double V1 = 0, V2 = 0;
      bool Ok1 = SortNumber(T1, FSortPrefix, FSortSuffix, Style == ssFinancial, V1) || T1.empty();
      bool Ok2 = SortNumber(T2, FSortPrefix, FSortSuffix, Style == ssFinancial, V2) || T2.empty();
      if (T1.empty()) V1 = 0;
      if (T2.empty()) V2 = 0;
      Res = !Ok1 && !Ok2 ? 0 : Order(V1, V2);
      break;
    }
    case ssDate:
      Res = Order(DateValue(T1), DateValue(T2));
      break;
    case ssShortDateEU:
    case ssShortDateUS:
      Res = Order(ShortDateValue(T1, Style == ssShortDateUS), ShortDateValue(T2, Style == ssShortDateUS));
      break;
    case ssCustom:
      if (OnCustomCompare) {
        // Copies: the handler may write cells while it looks at these.
        AnsiString S1 = T1, S2 = T2;
        OnCustomCompare(this, S1, S2, Res);
        Res = Sign(Res);
      }
      break;
    case ssAnsiAlphaCase:
      Res = Sign(AnsiCompareStr(T1, T2));
      break;
    case ssAnsiAlphaNoCase:
      Res = Sign(AnsiCompareText(T1, T2));
      break;
    case ssRaw:
      if (OnRawCompare) {
        OnRawCompare(this, ACol, ARow1, ARow2, Res);
        Res = Sign(Res);
      }
      break;
    case ssHTML:
      Res = ByteCompare(HTMLStrip(GetCellEx(ACol, ARow1)), HTMLStrip(GetCellEx(ACol, ARow2)));
      break;
    case ssImages:
      Res = Order(GetCellImageIdx(ACol, ARow1), GetCellImageIdx(ACol, ARow2));
      break;
    case ssCheckBox:
      Res = Order(SortCheckState(ACol, ARow1), SortCheckState(ACol, ARow2));
      break;
    case ssUnicode:
      Res = Sign(WideCompareText(GetWideCells(ACol, ARow1), GetWideCells(ACol, ARow2)));
      break;
    default:
      Res = 1;
      break;
  }

  if (FSortSettings->IgnoreBlanks) {
    // Texts are read again: a handler above may have changed the cells.
    bool E1 = SortText(ACol, ARow1, FSortBuf1).empty(), E2 = SortText(ACol, ARow2, FSortBuf2).empty();
    if (E1 != E2) {
      bool First = FSortSettings->BlankPos == blFirst;
      int V = E1 ? (First ? -1 : 1) : (First ? 1 : -1);
      Res = ADirection == sdDescending ? -V : V;
    }
  }
  return Res;
}

int VIduZozezuVodu::CompareLine(int ACol, int ARow1, int ARow2) {
  int Cols = FSortCols > 0 ? FSortCols : GetColCount();
  for (;;) {
    int Res = IsIgnoredColumn(ACol) ? 0 : Compare(ACol, ARow1, ARow2, FSortSettings->Direction);
    // Ties go to the columns on the right only.
    if (Res != 0 || !FSortSettings->Full || ACol > Cols - 2) return Res;
    ++ACol;
  }
}

int VIduZozezuVodu::CompareLineIndexed(int AIdx, int ARow1, int ARow2) {
  int Count = FSortIndexes->GetCount();
  for (; AIdx < Count; ++AIdx) {
    auto Entry = static_cast<unsigned>(FSortIndexes->GetInteger(AIdx));
    int Col = static_cast<int>(Entry & 0x7FFFFFFFu);
    bool Desc = (Entry & 0x80000000u) != 0;
    int Res = IsIgnoredColumn(Col) ? 0 : Compare(Col, ARow1, ARow2, Desc ? sdDescending : sdAscending);
    if (Res != 0 || !FSortSettings->Full || AIdx == Count - 1) return Desc ? -Res : Res;
  }
  return 0;
}

// ---- digests of the sort column ---------------------------------------------------------------------

namespace {

enum : unsigned {
  kEmpty = 1u << 0,
  kCheckBox = 1u << 1,
  kNumeric = 1u << 2,
  kNumberOk = 1u << 3,
  kDateLike = 1u << 4,
  kHasDateSep = 1u << 5,
};

std::uint64_t PrefixOf(const AnsiString& S, bool NoCase) {
  std::uint64_t P = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    char C = i < S.size() ? S[i] : '\0';
    if (NoCase) C = UpAscii(C);
    P = (P << 8) | static_cast<unsigned char>(C);
  }
  return P;
}

}  // namespace

bool VIduZozezuVodu::SortKeysUsable(int ACol) {
  // Only this class's own hooks are known; a handler or a display hook may
  // answer differently each time and must be asked at every comparison.
  return typeid(*this) == typeid(VIduZozezuVodu) && !OnGetFormat && !OnGetDisplText && !OnGetDisplWideText &&
         !FGrouping->ShowGroupCount && !IsIgnoredColumn(ACol) &&
         (!FSortSettings->SingleColumn || FSortSettings->Column == ACol);
}

VIduZozezuVodu::TSortKey VIduZozezuVodu::MakeSortKey(int ACol, int ARow, bool KeepText) {
  const AnsiString& T = SortText(ACol, ARow, FSortBuf1);
  TSortKey K{PrefixOf(T, FSortSettings->IgnoreCase), 0, 0, KeepText && &T != &FSortBuf1 ? &T : nullptr};
  if (T.empty()) K.Flags |= kEmpty;
  TCellType CT = GetCellType(ACol, ARow);
  if (CT == ctCheckBox || CT == ctDataCheckBox || CT == ctVirtCheckBox || CT == ctRowCheckBox) K.Flags |= kCheckBox;
  if (IsNumberType(IsType(T))) K.Flags |= kNumeric;
  if (SortNumber(T, AnsiString(), AnsiString(), false, K.Number) || T.empty()) K.Flags |= kNumberOk;
  if (T.empty()) K.Number = 0;
  if (LooksLikeDates(T, AnsiString(1, FormatSettings.DateSeparator))) K.Flags |= kDateLike;
  if (T.find(FormatSettings.DateSeparator) != AnsiString::npos) K.Flags |= kHasDateSep;
  return K;
}

// Compare (ACol, ARow1, ARow2, Direction) from the digests where they
// decide; the styles they do not cover go to Compare itself.
int VIduZozezuVodu::CompareKeyed(int ACol, const TSortKey& A, int ARow1, const TSortKey& B, int ARow2) {
  const bool Auto = FSortSettings->AutoFormat;
  int Res;
  // The automatic style's order of tests: check box, number, date, text.
  if (Auto && (A.Flags & kCheckBox)) {
    return Compare(ACol, ARow1, ARow2, FSortSettings->Direction);
  } else if (Auto && (A.Flags & kNumeric)) {
    bool Ok1 = (A.Flags & kNumberOk) != 0, Ok2 = (B.Flags & kNumberOk) != 0;
    Res = !Ok1 && !Ok2 ? 0 : Order(A.Number, B.Number);
  } else if (Auto && (A.Flags & kDateLike) && (B.Flags & kHasDateSep)) {
    return Compare(ACol, ARow1, ARow2, FSortSettings->Direction);
  } else if (A.Prefix != B.Prefix) {
    Res = A.Prefix < B.Prefix ? -1 : 1;
  } else if (A.Text && B.Text) {
    Res = FSortSettings->IgnoreCase ? NoCaseCompare(*A.Text, *B.Text) : ByteCompare(*A.Text, *B.Text);
  } else {
    const AnsiString& T1 = SortText(ACol, ARow1, FSortBuf1);
    const AnsiString& T2 = SortText(ACol, ARow2, FSortBuf2);
    Res = FSortSettings->IgnoreCase ? NoCaseCompare(T1, T2) : ByteCompare(T1, T2);
  }
  if (FSortSettings->IgnoreBlanks) {
    bool E1 = (A.Flags & kEmpty) != 0, E2 = (B.Flags & kEmpty) != 0;
    if (E1 != E2) {
      bool First = FSortSettings->BlankPos == blFirst;
      int V = E1 ? (First ? -1 : 1) : (First ? 1 : -1);
      Res = FSortSettings->Direction == sdDescending ? -V : V;
    }
  }
  return Res;
}
