// Find, replace, type-ahead, exact-cell lookup and the search footer's handlers.
#include <algorithm>

#include "grid/droplist.h"
#include "grid/radoriz.h"
#include "grid/searchpanel.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Byte position of the upper-case Needle in Hay compared as upper case:
// ASCII texts are folded while comparing, so no copy of the cell is made;
// others go through the locale's upper-casing (lengths stay the same).
std::size_t FoldedFind(const AnsiString& Needle, const AnsiString& Hay) {
  for (char c : Hay)
    if (static_cast<unsigned char>(c) >= 0x80) return AnsiUpperCase(Hay).find(Needle);
  const std::size_t n = Needle.size(), h = Hay.size();
  if (n == 0) return 0;
  if (n > h) return AnsiString::npos;
  const char First = Needle[0];
  for (std::size_t i = 0; i + n <= h; ++i) {
    if (FoldAscii(Hay[i]) != First) continue;
    std::size_t k = 1;
    while (k < n && FoldAscii(Hay[i + k]) == Needle[k]) ++k;
    if (k == n) return i;
  }
  return AnsiString::npos;
}

// The first Count characters of S.
AnsiString FirstChars(const AnsiString& S, std::size_t Count) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < Count && i < S.size(); ++k) {
    const auto b = static_cast<unsigned char>(S[i]);
    i += b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
  }
  return S.substr(0, std::min(i, S.size()));
}

std::size_t CharCount(const AnsiString& S) {
  std::size_t n = 0;
  for (char c : S)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

// ---- matching one cell ---------------------------------------------------------------------

bool VIduZozezuVodu::MatchCell(int ACol, int ARow, bool Wide) {
  const TFindParams& P = FFindParams;
  const bool MatchCase = P.Contains(fnMatchCase);
  const int C = P.Contains(fnIncludeHiddenColumns) ? ACol : RemapCol(ACol);
  if (Wide) {
    WideString Text = GetWideCells(C, ARow);
    if (FFindWideText == u"\"\"") return Text.empty();
    if (!MatchCase) Text = WideUpperCase(Text);
    int Pos = StrPosWide(FFindWideText, Text);
    bool Hit = P.Contains(fnMatchStart) ? Pos == 1 : Pos >= 1;
    if (P.Contains(fnMatchFull)) Hit = Hit && Text == FFindWideText;
    return Hit;
  }
  AnsiString Text = P.Contains(fnIncludeHiddenRows) ? GetCellsEx(C, ARow) : GetCellEx(C, ARow);
  if (P.Contains(fnIgnoreHTMLTags)) Text = HTMLStrip(Text);
  if (FFindText == "\"\"") return Text.empty();
  if (P.Contains(fnMatchRegular)) {
    try {
      return MatchStrEx(FFindText, Text, MatchCase);
    } catch (...) {
      return false;
    }
  }
  const std::size_t Pos = MatchCase ? Text.find(FFindText) : FoldedFind(FFindText, Text);
  bool Hit = P.Contains(fnMatchStart) ? Pos == 0 : Pos != AnsiString::npos;
  if (P.Contains(fnMatchFull)) Hit = Hit && Text.size() == FFindText.size();
  return Hit;
}

// ---- the walk ------------------------------------------------------------------------------

TPoint VIduZozezuVodu::DoFind(TPoint Start, TFindParams P, bool Wide) {
  TPoint Result(-1, -1);
  FFindParams = P;
  if (GetColCount() == GetFixedCols() || GetColCount() == 0 || GetRowCount() == GetFixedRows() || GetRowCount() == 0)
    return Result;
  int C0, C1, R0, R1;
  if (P.Contains(fnIncludeFixed)) {
    C0 = 0, C1 = GetColCount() - 1, R0 = 0, R1 = GetRowCount() - 1;
  } else {
    C0 = GetFixedCols(), C1 = GetColCount() - FFixedRightCols - 1;
    R0 = GetFixedRows(), R1 = GetRowCount() - FFixedFooters - 1;
  }
  if (P.Contains(fnSelectedCells)) {
    TGridRect S = GetSelection();
    C0 = std::min(S.Left, S.Right), C1 = std::max(S.Left, S.Right);
    R0 = std::min(S.Top, S.Bottom), R1 = std::max(S.Top, S.Bottom);
  }
  if (P.Contains(fnIncludeHiddenColumns)) C1 += NumHiddenColumns();
  // Hidden node rows are only reachable by real index; displayed rows end
  // at RowCount.
  if (GetNodeCount() > 0 && P.Contains(fnIncludeHiddenRows)) R1 += NumHiddenRows();
  const bool Back = P.Contains(fnBackward), LR = P.Contains(fnDirectionLeftRight);
  const int D = Back ? -1 : 1;
  int c = Start.x, r = Start.y;
  const bool Fresh = Start.x == -1 && Start.y == -1;
  if (Fresh) {
    c = Back ? C1 : C0;
    r = Back ? R1 : R0;
  }
  // A restriction fixes the row or column before the step, so that the
  // next search moves on from a hit instead of finding it again.
  if (P.Contains(fnFindInCurrentRow)) r = R0 = R1 = GetRow();
  if (P.Contains(fnFindInPresetRow)) r = R0 = R1 = FPresetSearchRow;
  if (P.Contains(fnFindInCurrentCol)) c = C0 = C1 = GetCol();
  if (P.Contains(fnFindInPresetCol)) c = C0 = C1 = FPresetSearchCol;
  if (!Fresh) (LR ? c : r) += D;
  // A start outside the area begins at its first cell in walking order.
  int& Outer = LR ? r : c;
  int& Inner = LR ? c : r;
  const int O0 = LR ? R0 : C0, O1 = LR ? R1 : C1, I0 = LR ? C0 : R0, I1 = LR ? C1 : R1;
  if (!Back) {
    if (Outer < O0) Outer = O0, Inner = I0;
    if (Inner < I0) Inner = I0;
  } else {
    if (Outer > O1) Outer = O1, Inner = I1;
    if (Inner > I1) Inner = I1;
  }
  const int NewInner = LR ? (P.Contains(fnFindInCurrentCol) ? GetCol() : Back ? I1 : I0)
                          : (P.Contains(fnFindInCurrentRow) ? GetRow() : Back ? I1 : I0);
  bool Found = false;
  for (; Back ? Outer >= O0 : Outer <= O1; Outer += D) {
    for (; Back ? Inner >= I0 : Inner <= I1; Inner += D) {
      ExportNotification(esExportNewRow, r);
      if (LR && IsIgnoredColumn(c)) continue;
      if (MatchCell(c, r, Wide)) {
        Found = true;
        break;
      }
    }
    if (Found) break;
    Inner = NewInner;
  }
  if (!Found) return Result;
  Result = TPoint(c, r);
  FLastHit = Result;
  if (P.Contains(fnAutoGoto)) {
    int Displ = r;
    if (P.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0 && IsHiddenRow(r) && GetNodeCount() > 0) {
      // Open the contracted node whose children hold the row.
      for (int d = GetFixedRows(); d < GetRowCount(); ++d) {
        int Real = RemapRowInv(d);
        if (!IsNode(d) || GetNodeState(d) == false) continue;
        int Span = GetNodeSpan(d);
        if (r > Real && r < Real + Span) {
          ExpandNode(Real);
          break;
        }
      }
      Displ = DisplRowIndex(r);
    }
    const int Col = P.Contains(fnIncludeHiddenColumns) ? RemapColInv(c) : c;
    if (FMouseActions->GetDisjunctRowSelect()) {
      ClearRowSelect();
      SetRowSelect(Displ, true);
    } else if (Displ >= 0 && Displ < GetRowCount() && Col >= 0 && Col < GetColCount()) {
      SetRow(Displ);
      SetCol(Col);
    }
  }
  return Result;
}

TPoint VIduZozezuVodu::Find(TPoint Start, const AnsiString& S, TFindParams Params) {
  FFindText = Params.Contains(fnMatchCase) ? S : AnsiUpperCase(S);
  ExportNotification(esExportStart, -1);
  TPoint R = DoFind(Start, Params, false);
  ExportNotification(R.x == -1 && R.y == -1 ? esExportDone : esExportFail, -1);
  return R;
}

TPoint VIduZozezuVodu::FindWide(TPoint Start, const WideString& S, TFindParams Params) {
  FFindWideText = Params.Contains(fnMatchCase) ? S : WideUpperCase(S);
  return DoFind(Start, Params, true);
}

TPoint VIduZozezuVodu::FindFirst(const AnsiString& S, TFindParams Params) {
  FLastHit = Find(TPoint(-1, -1), S, Params);
  return FLastHit;
}

TPoint VIduZozezuVodu::FindNext() {
  FLastHit = Find(FLastHit, FFindText, FFindParams);
  return FLastHit;
}

int VIduZozezuVodu::Replace(const AnsiString& FindText, const AnsiString& ReplaceText, TFindParams Params) {
  const bool Real = Params.Contains(fnIncludeHiddenRows);
  const TReplaceFlags Flags = rfReplaceAll | (Params.Contains(fnMatchCase) ? 0 : rfIgnoreCase);
  int Changed = 0;
  TPoint Hit = Find(TPoint(-1, -1), FindText, Params);
  while (Hit.x != -1 || Hit.y != -1) {
    const int C = Params.Contains(fnIncludeHiddenColumns) ? Hit.x : RemapCol(Hit.x);
    const AnsiString Old = Real ? GetCellsEx(C, Hit.y) : GetCellEx(C, Hit.y);
    const AnsiString New = StringReplace(Old, FindText, ReplaceText, Flags);
    if (New != Old) {
      if (Real)
        SetCellsEx(C, Hit.y, New);
      else
        SetCellEx(C, Hit.y, New);
      if (FShowModified->Enabled) SetRowModified(Hit.y, true);
      ++Changed;
    }
    Hit = Find(Hit, FindText, Params);
  }
  return Changed;
}

int VIduZozezuVodu::Search(const AnsiString& Text) {
  if (GetRowCount() <= 1) return -1;
  int Col = GetFixedCols();
  if (FSortSettings->GetShow()) {
    if (!FSortSettings->IndexShow)
      Col = FSortSettings->Column;
    else if (FSortIndexes->GetCount() > 0)
      Col = FSortIndexes->GetSortColumns(0);
  }
  if (Col == -1) return -1;
  const std::size_t Len = CharCount(Text);
  for (int r = GetFixedRows(); r < GetRowCount(); ++r)
    if (AnsiUpperCase(FirstChars(GetStrippedCell(Col, r), Len)) == Text) return r;
  return -1;
}

bool VIduZozezuVodu::IsCell(const AnsiString& Text, int& ACol, int& ARow) {
  for (int r = 0; r < GetRowCount(); ++r)
    for (int c = 0; c < GetColCount(); ++c)
      if (GetGridCell(c, r) == Text) {
        ACol = c;
        ARow = r;
        return true;
      }
  return false;
}

// ---- the search footer ---------------------------------------------------------------------

TFindParams VIduZozezuVodu::FooterParams() {
  TFindParams P{fnAutoGoto};
  if (FSearchPanel->GetHighlightButton()->GetDown()) P << fnIgnoreHTMLTags;
  if (FSearchPanel->GetMatchCase()->GetChecked()) P << fnMatchCase;
  if (FSearchFooter->SearchActiveColumnOnly) P << fnFindInCurrentCol;
  if (FSearchFooter->SearchMatchStart) P << fnMatchStart;
  if (FSearchFooter->SearchColumn >= 0 && FSearchFooter->SearchColumn < GetColCount()) {
    FPresetSearchCol = FSearchFooter->SearchColumn;
    P << fnFindInPresetCol;
  }
  return P;
}

void VIduZozezuVodu::KeepHitAboveFooter() {
  const int VR = GetVisibleRowCount();
  if (GetRow() > GetTopRow() + VR - 2 && VR + GetFixedRows() < GetRowCount())
    SetTopRow(std::min(GetTopRow() + 2, std::max(GetFixedRows(), GetRowCount() - VR)));
}

void VIduZozezuVodu::SearchEditChange(TObject* Sender) {
  TRetEdit* Edit = FSearchPanel->GetEdit();
  const AnsiString Text = Edit->GetText();
  bool DefaultSearch = true;
  if (OnSearchEditChange) OnSearchEditChange(Sender, Text, DefaultSearch);
  if (!DefaultSearch || !FSearchFooter->AutoSearch) return;
  TFindParams P = FooterParams();
  if (FSearchFooter->SearchFixedCells) P << fnIncludeFixed;
  if (FSearchFooter->SearchDirection == sdLeftRight) P << fnDirectionLeftRight;
  if (Text.empty()) {
    Edit->SetColor(clWindow);
    UnHilightInGrid(false);
  } else {
    FLastHit = Find(TPoint(-1, -1), Text, P);
    DoSearchFooterAction(Text, FLastHit.x, FLastHit.y, saFindFirst);
    if (FLastHit.x == -1 && FLastHit.y == -1) {
      Edit->SetColor(clRed);
      UnHilightInGrid(false);
    } else {
      Edit->SetColor(clWindow);
      ScrollInView(FLastHit.x, FLastHit.y);
      UnHilightInGrid(false);
      if (FSearchPanel->GetHighlightButton()->GetDown()) HilightInGrid(false, false, Text);
    }
  }
  KeepHitAboveFooter();
}

void VIduZozezuVodu::FooterFindStep(bool Backward) {
  const AnsiString Text = FSearchPanel->GetEdit()->GetText();
  if (!FSearchFooter->AutoSearch && Text != FSearchFooter->LastSearch) {
    FLastHit = TPoint(-1, -1);
    FSearchFooter->LastSearch = Text;
  }
  TFindParams P = FooterParams();
  if (Backward) P << fnBackward;
  FLastHit = Find(FLastHit, Text, P);
  const bool Hit = FLastHit.x != -1 || FLastHit.y != -1;
  if (Backward) KeepHitAboveFooter();
  if (Hit) ScrollInView(FLastHit.x, FLastHit.y);
  if (!Backward) KeepHitAboveFooter();
  DoSearchFooterAction(Text, FLastHit.x, FLastHit.y, Backward ? saFindPrevious : saFindNext);
  FSearchPanel->Invalidate();
}

void VIduZozezuVodu::SearchForward(TObject*) { FooterFindStep(false); }

void VIduZozezuVodu::SearchBackward(TObject*) { FooterFindStep(true); }

void VIduZozezuVodu::SearchHighLight(TObject*) {
  if (FSearchPanel->GetHighlightButton()->GetDown())
    HilightInGrid(false, false, FSearchPanel->GetEdit()->GetText());
  else
    UnHilightInGrid(false);
}

void VIduZozezuVodu::SearchExit(TObject* Sender) {
  if (OnSearchFooterClose) OnSearchFooterClose(Sender);
  FSearchFooter->SetVisible(false);
}
