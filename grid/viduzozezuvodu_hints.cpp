// The platform hint of a cell: comments, anchor titles, the cell's own text
// (all cells or only texts that do not fit) and the application's hint. HTML
// and wide texts go to the grid's HTML hint window.
#include "grid/htmlhint.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/comctrls/comctrls_tooltip.h"
#include "platform/rtl/codepages.h"

void VIduZozezuVodu::ShowHintProc(AnsiString& HintStr, bool&, THintInfo& HintInfo) {
  int ACol = -1, ARow = -1;
  MouseToCell(HintInfo.CursorPos.x, HintInfo.CursorPos.y, ACol, ARow);
  HTMLHintWideFontName = GetFont()->GetName();
  if (ACol >= 0 && ARow >= 0) {
    HintCellCol = ACol;
    HintCellRow = ARow;
    const TRect CR = CellRect(ACol, ARow);
    const int C = RemapCol(ACol);
    TPoint Pos;
    if (IsComment(C, ARow, HintStr)) Pos = TPoint(CR.right, CR.top);
    else Pos = TPoint(CR.left, CR.bottom + 6);

    const AnsiString Stored = GetCells(C, ARow);
    if (FAnchorHint && TextType(Stored, GetEnableHTML()) == ttHTML) {
      AnsiString Anchor, Strip, Focus, Title, CID, CV, CT;
      int XS = 0, YS = 0, Links = 0, MouseLink = -1;
      TRect Hover, CtrlR;
      if (HTMLDrawEx(Canvas(), Stored, CR, FGridImages, HintInfo.CursorPos.x, HintInfo.CursorPos.y, -1, -1, 1, true,
                     false, false, false, false, false, GetWordWraps(C, ARow), false, 1.0, FURLColor, clNone, clNone,
                     clGray, Anchor, Strip, Focus, Title, XS, YS, Links, MouseLink, Hover, CtrlR, CID, CV, CT,
                     GetPictureCache(), GetPictureContainer(), 0) &&
          !Anchor.empty()) {
        AnsiString A = Title.empty() ? Anchor : Title;
        if (OnAnchorHint) OnAnchorHint(this, ARow, C, A);
        HintStr = A;
        Pos = TPoint(HintInfo.CursorPos.x + 8, HintInfo.CursorPos.y - 16);
      }
    }

    const bool Wide = TextType(Stored, true) == ttUnicode;
    if (FHintShowCells && ACol >= GetFixedCols() && ACol < GetColCount() - FFixedRightCols &&
        ARow >= GetFixedRows() && ARow < GetRowCount() - FFixedFooters) {
      Pos.y = CR.top;
      if (Wide) HintStr = WideToUtf8(GetWideCells(C, ARow));
      else if (FHTMLHint) HintStr = Stored;
      else HintStr = GetStrippedCell(C, ARow);
    }

    if (FHintShowLargeText) {
      const TSize Size = GetCellTextSize(C, ARow, false, false);
      if (Size.cx > GetColWidths(ACol) || Size.cy > GetRowHeights(ARow)) {
        Pos.y = CR.top;
        HintStr = (Wide || FHTMLHint) ? Stored : GetStrippedCell(C, ARow);
      }
    }

    if (!(FFloatingFooter->GetVisible() && ARow == GetRowCount() - 1)) {
      WideString WideHint;
      GetCellHint(ACol, ARow, HintStr, WideHint);
    }
    const TTextType T = TextType(HintStr, true);
    if (T == ttHTML || T == ttUnicode) HintInfo.HintWindowClass = &NewHintWindow<THTMLHintWindow>;
    HintInfo.HintPos = HandleAllocated() ? ClientToScreen(Pos) : Pos;
  }
  HintInfo.HintColor = HintColor;
}

void VIduZozezuVodu::CMHintShow(TMessage& Msg) {
  auto* Info = reinterpret_cast<THintInfo*>(Msg.LParam);
  bool CanShow = true;
  if (Info) ShowHintProc(Info->HintStr, CanShow, *Info);
  Msg.Result = CanShow ? 0 : 1;
}

bool VIduZozezuVodu::DispatchHints(TMessage& Message) {
  if (Message.Msg == CM_HINTSHOW) {
    CMHintShow(Message);
    return true;
  }
  if (Message.Msg == WM_NOTIFY) {
    const NMHDR* H = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (H && H->code == TTN_GETDISPINFO) {
      // Switched off, the request is dropped whole.
      if (!FBalloon->GetEnable()) return true;
      if (BalloonWindow && H->hwndFrom == BalloonWindow) {
        BalloonDispInfo(Message);
        return true;
      }
    }
  }
  return false;
}
