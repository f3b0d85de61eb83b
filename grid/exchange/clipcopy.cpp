// Copy and cut: the plain text of a cell rectangle, the RTF of its top-left
// cell, the binary cell stream of the rectangle and the HTML document.
#include <algorithm>

#include "grid/exchange/clipblock.h"
#include "grid/radoriz.h"
#include "grid/undoredo.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/codepages.h"

namespace {

bool StartsWide(const AnsiString& S) { return S.size() >= 2 && S[0] == '|' && S[1] == '\\'; }

}  // namespace

void VIduZozezuVodu::CorrectSelection() {
  const TGridRect S = GetSelectionEx();
  TGridRect N = S;
  if (IsMergedCell(S.Left, S.Top)) {
    const TPoint B = BaseCell(S.Left, S.Top);
    N.Left = std::min(N.Left, B.x);
    N.Top = std::min(N.Top, B.y);
  }
  if (IsMergedCell(S.Right, S.Bottom)) {
    const TPoint B = BaseCell(S.Right, S.Bottom);
    const TPoint Span = CellSpan(B.x, B.y);
    N.Right = std::max(N.Right, B.x + Span.x);
    N.Bottom = std::max(N.Bottom, B.y + Span.y);
  }
  if (N.Left != S.Left || N.Top != S.Top || N.Right != S.Right || N.Bottom != S.Bottom) SetSelectionEx(N);
}

void VIduZozezuVodu::CopyFunc(TGridRect ARect, bool Disjunct) {
  FClipTopLeft = TPoint(ARect.Left, ARect.Top);
  ExportNotification(esExportStart, -1);
  const bool RowSel = FMouseActions->GetDisjunctRowSelect(), ColSel = FMouseActions->GetDisjunctColSelect();
  auto RowTaken = [&](int R) {
    if (!(RowSel && Disjunct && !ColSel)) return true;
    return RowFlagAt(R);
  };
  auto ColTaken = [&](int C) { return !(ColSel && Disjunct) || GetColSelect(C); };
  const bool TagsKept = FNavigation->CopyHTMLTagsToClipboard;
  auto CellText = [&](int C, int R) {
    const int Real = RemapCol(C);
    AnsiString S = SaveCell(Real, R);
    if (StartsWide(S)) S = WideToUtf8(DecodeWideStr(S));
    if (S.find('\r') != AnsiString::npos) S = "\"" + CRToLF(S) + "\"";
    if (!TagsKept && S.find("</") != AnsiString::npos)
      S = GetStrippedCell(Real, R);
    else if (S.find("{\\") != AnsiString::npos)
      S = RichPlainText(S);
    return S;
  };
  std::vector<char> Cols(static_cast<std::size_t>(std::max(0, ARect.Right - ARect.Left + 1)));
  for (int C = ARect.Left; C <= ARect.Right; ++C) Cols[static_cast<std::size_t>(C - ARect.Left)] = ColTaken(C);
  const bool MultiRow = ARect.Bottom > ARect.Top;
  const TGridExportState SizingNotice =
      GetFixedRowsEx() < ARect.Top || ARect.Bottom < GetRowCount() - FFixedFooters - 1 ? esExportSelRow
                                                                                     : esExportNewRow;
  // The first pass measures, the second writes.
  std::size_t Size = 0;
  for (int R = ARect.Top; R <= ARect.Bottom; ++R) {
    if (!RowTaken(R)) continue;
    ExportNotification(SizingNotice, R);
    for (int C = ARect.Left; C <= ARect.Right; ++C)
      if (Cols[static_cast<std::size_t>(C - ARect.Left)]) Size += CellText(C, R).size() + 1;
    if (MultiRow) Size += 2;
  }
  AnsiString Text;
  Text.reserve(Size + 1);
  for (int R = ARect.Top; R <= ARect.Bottom; ++R) {
    if (!RowTaken(R)) continue;
    ExportNotification(esExportNewRow, R);
    const std::size_t RowStart = Text.size();
    for (int C = ARect.Left; C <= ARect.Right; ++C)
      if (Cols[static_cast<std::size_t>(C - ARect.Left)]) {
        Text += CellText(C, R);
        Text += '\t';
      }
    if (Text.size() > RowStart) Text.pop_back();
    if (MultiRow) Text += "\r\n";
  }
  Clipboard()->SetTextBuf(Text.c_str());
  if (FNavigation->AllowRTFClipboard) CopyRTFFunc(ARect.Left, ARect.Top);
  if (FNavigation->AllowFmtClipboard) CopyBinFunc(ARect);
  ExportNotification(esExportDone, -1);
}

void VIduZozezuVodu::CopyRTFFunc(int ACol, int ARow) {
  const AnsiString S = GetCellEx(RemapCol(ACol), ARow);
  if (S.find("{\\") == AnsiString::npos) return;
  TClipBlock Block(GMEM_MOVEABLE, S, true);
  TClipboardSession Session(*this);
  if (Session.IsOpen()) Block.SetAs(RTFClipFormat());
}

void VIduZozezuVodu::CopyBinFunc(const TGridRect& ARect) {
  TStringStream Stream;
  SaveRectToBinStream(ARect, &Stream);
  TClipBlock Block(GMEM_DDESHARE | GMEM_MOVEABLE, Stream.DataString(), false);
  TClipboardSession Session(*this);
  if (Session.IsOpen()) Block.SetAs(GridCellsClipFormat());
}

void VIduZozezuVodu::CopyToClipBoard() {
  CopyFunc(TGridRect{GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow()}, false);
  FLastClipOperation = coCopy;
}

void VIduZozezuVodu::CopySelectionToClipboard() {
  CorrectSelection();
  const bool RowSel = FMouseActions->GetDisjunctRowSelect(), ColSel = FMouseActions->GetDisjunctColSelect();
  const bool Fmt = FNavigation->AllowFmtClipboard;
  if ((RowSel && !Fmt) || (!RowSel && ColSel && !Fmt))
    CopyFunc(TGridRect{GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow()}, true);
  else
    CopyFunc(GetSelectionEx(), false);
  FLastClipOperation = coCopy;
}

void VIduZozezuVodu::CopyToClipBoardAsHTML() {
  AnsiString Html = SaveToHTMLString("");
  MakeFragment(Html);
  TClipBlock HtmlBlock(GMEM_MOVEABLE, Html, false);
  TClipBlock TextBlock(GMEM_MOVEABLE, Html, true);
  TClipboardSession Session(*this);
  if (!Session.IsOpen()) return;
  EmptyClipboard();
  HtmlBlock.SetAs(HTMLClipFormat());
  TextBlock.SetAs(CF_TEXT);
}

void VIduZozezuVodu::CutToClipboard() {
  const TGridRect R{GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow()};
  CopyFunc(R, false);
  const bool Always = FNavigation->AllowClipboardAlways;
  for (int Y = R.Top; Y <= R.Bottom; ++Y)
    for (int C = R.Left; C <= R.Right; ++C)
      if (Always || IsEditable(RemapCol(C), Y)) SetCellEx(RemapCol(C), Y, "");
  if (FShowModified->Enabled)
    for (int Y = R.Top; Y <= R.Bottom; ++Y) SetRowModified(Y, true);
  FLastClipOperation = coCut;
}

void VIduZozezuVodu::CutSelectionToClipboard() {
  CopySelectionToClipboard();
  const bool Modified = FShowModified->Enabled;
  if (FMouseActions->GetDisjunctRowSelect()) {
    for (int Y = GetFixedRowsEx(); Y < GetRowCount(); ++Y) {
      if (!RowFlagAt(Y)) continue;
      ClearRows(Y, 1);
      if (Modified) SetRowModified(Y, true);
    }
  } else if (FMouseActions->GetDisjunctColSelect()) {
    for (int C = GetFixedColsEx(); C < GetColCount(); ++C)
      if (GetColSelect(C)) ClearCols(C, 1);
  } else {
    const TGridRect S = GetSelectionEx();
    const bool Always = FNavigation->AllowClipboardAlways;
    if (FUndoRedo) FUndoRedo->StartSequence();
    for (int C = S.Left; C <= S.Right; ++C) {
      const int Real = RealColIndex(C);
      for (int Y = S.Top; Y <= S.Bottom; ++Y) {
        if (!Always && !IsEditable(Real, Y)) continue;
        if (FUndoRedo) FUndoRedo->RegisterChange(Real, Y, GetCellEx(Real, Y), "");
        SetCellEx(Real, Y, "");
      }
    }
    if (FUndoRedo) FUndoRedo->StopSequence();
    if (Modified)
      for (int Y = S.Top; Y <= S.Bottom; ++Y) SetRowModified(Y, true);
    if (FNavigation->AllowFmtClipboard) ClearPropRect(S.Left, S.Top, S.Right, S.Bottom);
  }
  FLastClipOperation = coCut;
  if (NumHiddenColumns() > 0) Invalidate();
}
