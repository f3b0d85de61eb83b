// The text step of a cell's paint: selection colours, background bitmap or
// gradient, selection rectangle, filter glyph, the text and the sort mark;
// and the formatted cell text and the sort mark glyph it uses.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "grid/radoriz.h"
#include "grid/radoriz_draw.h"
#include "grid/radoriz_geom.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/graphics/gdi.h"
#include "platform/rtl/sysutils.h"

namespace {

// Keeps drawing inside a rectangle and gives the canvas the clip it had
// before, so the paint cycle's own clip survives.
class TSavedClip {
public:
  explicit TSavedClip(HDC DC) : FDC(DC), FOld(CreateRectRgn(0, 0, 0, 0)) { FHad = GetClipRgn(FDC, FOld) == 1; }
  ~TSavedClip() {
    SelectClipRgn(FDC, FHad ? FOld : nullptr);
    DeleteObject(FOld);
  }
  TSavedClip(const TSavedClip&) = delete;
  TSavedClip& operator=(const TSavedClip&) = delete;

private:
  HDC FDC;
  HRGN FOld;
  bool FHad = false;
};

// Whether the canvas draws right to left (a mirrored mapping).
bool Mirrored(HDC DC) {
  POINT P[2] = {{0, 0}, {100, 0}};
  LPtoDP(DC, P, 2);
  return P[1].x < P[0].x;
}

TRect ToDevice(HDC DC, const TRect& R) {
  POINT P[2] = {{R.left, R.top}, {R.right, R.bottom}};
  LPtoDP(DC, P, 2);
  return TRect(std::min(P[0].x, P[1].x), std::min(P[0].y, P[1].y), std::max(P[0].x, P[1].x),
               std::max(P[0].y, P[1].y));
}

// Text on a mirrored canvas: drawn left to right in device pixels (glyphs
// are never mirrored), at the place the mirrored rectangle covers; the
// canvas gets its mapping back afterwards.
class TUnmirrored {
public:
  explicit TUnmirrored(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {
    SetMapMode(DC, MM_TEXT);
    SetWindowOrgEx(DC, 0, 0, nullptr);
    SetViewportOrgEx(DC, 0, 0, nullptr);
  }
  ~TUnmirrored() { RestoreDC(FDC, FSaved); }
  TUnmirrored(const TUnmirrored&) = delete;
  TUnmirrored& operator=(const TUnmirrored&) = delete;

private:
  HDC FDC;
  int FSaved;
};

bool IsControlType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctRadio || T == ctButton || T == ctRadioButton;
}

int MarkY(const TRect& R, TVAlignment VA) {
  switch (VA) {
    case vtaCenter:
      return (R.top + R.bottom) / 2;
    case vtaBottom:
      return R.bottom - 8;
    default:
      return R.top + 8;
  }
}

// The cell's text on the way to the screen: formatted, and evaluated when
// it is a formula.
AnsiString CellDisplayText(VIduZozezuVodu& G, int RCol, int ARow, TTextType& Kind) {
  AnsiString S = G.GetFormattedCell(RCol, ARow);
  Kind = TextType(S, G.GetEnableHTML());
  if (Kind == ttFormula) {
    S = G.CalcCell(RCol, ARow);
    Kind = TextType(S, G.GetEnableHTML());
  }
  return S;
}

}  // namespace

void StripURLProtocol(AnsiString& S) {
  std::size_t p = S.find("://");
  if (p != AnsiString::npos) {
    S.erase(0, p + 3);
    return;
  }
  p = S.find("mailto:");
  if (p != AnsiString::npos) S.erase(0, p + 7);
}

AnsiString VIduZozezuVodu::GetFormattedCell(int ACol, int ARow) {
  AnsiString S = GetCellEx(ACol, ARow);
  if (!OnGetFloatFormat || S.empty()) return S;
  const TAutoType T = IsType(S);
  if (T != atNumeric && T != atFloat && T != atScientific) return S;
  bool IsFloat = true;
  AnsiString Fmt = FFloatFormat;
  OnGetFloatFormat(this, ACol, ARow, IsFloat, Fmt);
  if (!IsFloat) return S;
  try {
    if (Fmt.find('d') != AnsiString::npos) return Format(Fmt, {GetInts(ACol, ARow)});
    return Format(Fmt, {GetFloats(ACol, ARow)});
  } catch (const Exception&) {
    // A text the format refuses is shown as it is.
    return S;
  }
}

void VIduZozezuVodu::GetMarker(int ACol, int ARow, int& Start, int& Length) {
  Start = Length = 0;
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  // Progress and scroll-bar graphics keep their range in the marker fields.
  if (G && G->CellType != ctProgress && G->CellType != ctXPProgress && G->CellType != ctScrollbar) {
    Start = G->CellErrFrom;
    Length = G->CellErrLen;
  }
}

bool VIduZozezuVodu::IsRotated(int ACol, int ARow, int& Angle) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType != ctRotated) return false;
  Angle = G->CellAngle;
  return true;
}

bool VIduZozezuVodu::IsSortHeader(int RCol, int ARow, bool& ShowMark) {
  ShowMark = false;
  TSortSettings* SS = FSortSettings;
  if (!SS->GetShow() || ARow != SS->GetRow() || GetRowCount() <= 2 || GetFixedRows() < 1) return false;
  const int Idx = FSortIndexes->FindIndex(RCol);
  if (SS->Column != RCol && Idx < 0) return false;
  if (RemapColInv(RCol) < GetFixedCols() && !SS->FixedCols) return false;
  ShowMark = Idx <= 0 || SS->IndexShow;
  return true;
}

void VIduZozezuVodu::DrawCellBackGround(const TCellPaintInfo& Info, const TRect& Area) {
  TBackGround* BG = FTextPaint.BackGround;
  TCanvas* C = Info.Canvas;
  if (Area.right <= Area.left || Area.bottom <= Area.top) return;
  const TBackGroundDisplay D = BG->GetDisplay();
  if (D == bdGradientHorz || D == bdGradientVert) {
    if (BG->GetColorTo() == clNone) return;
    const bool Horz = D == bdGradientHorz;
    const int Extent = Horz ? GetClientWidth() : GetClientHeight();
    const TColor From = GradientAt(BG->GetColor(), BG->GetColorTo(), 0, Extent, Horz ? Area.left : Area.top);
    const TColor To = GradientAt(BG->GetColor(), BG->GetColorTo(), 0, Extent, Horz ? Area.right : Area.bottom);
    TRect R = Area;
    if (Horz)
      R.right -= 1;
    else
      R.bottom -= 1;
    DrawGradient(C, From, To, 128, R, Horz);
    return;
  }
  TBitmap* B = BG->GetBitmap();
  const int BW = B->GetWidth(), BH = B->GetHeight();
  if (BW <= 0 || BH <= 0) return;
  if (D != bdTile) {
    TRect Src(BG->GetLeft(), BG->GetTop(), BG->GetLeft() + BW, BG->GetTop() + BH);
    TRect Part;
    if (!IntersectRect(&Part, &Src, &Area)) return;
    C->CopyRect(Part, B->GetCanvas(),
                TRect(Part.left - Src.left, Part.top - Src.top, Part.right - Src.left, Part.bottom - Src.top));
    return;
  }
  // The tiling runs on from the first normal cell (bcNormal) or from the
  // grid's origin, across every column and row before this cell.
  const bool FromNormal = BG->GetCells() == bcNormal;
  const Int64 SumX = FStore.ColOffset(Info.ACol) - FStore.ColOffset(FromNormal ? std::min(GetFixedColsEx(), Info.ACol) : 0);
  const Int64 SumY = FStore.RowOffset(Info.ARow) - FStore.RowOffset(FromNormal ? std::min(GetFixedRowsEx(), Info.ARow) : 0);
  const TRect Cell = CellRect(Info.ACol, Info.ARow);
  int PX = static_cast<int>((SumX + (Area.left - Cell.left)) % BW);
  int PY0 = static_cast<int>((SumY + (Area.top - Cell.top)) % BH);
  TCanvas* Src = B->GetCanvas();
  for (int X = Area.left; X < Area.right;) {
    const int W = std::min(BW - PX, Area.right - X);
    int PY = PY0;
    for (int Y = Area.top; Y < Area.bottom;) {
      const int H = std::min(BH - PY, Area.bottom - Y);
      C->CopyRect(TRect(X, Y, X + W, Y + H), Src, TRect(PX, PY, PX + W, PY + H));
      Y += H;
      PY = 0;
    }
    X += W;
    PX = 0;
  }
}

void VIduZozezuVodu::DrawSelectionFrame(const TCellPaintInfo& Info) {
  TGridRect S = GetSelectionEx();
  if (S.Left > S.Right) std::swap(S.Left, S.Right);
  if (S.Top > S.Bottom) std::swap(S.Top, S.Bottom);
  if (!IsInGridRect(S, Info.ACol, Info.ARow)) return;
  TCanvas* C = Info.Canvas;
  const TRect R = Info.CellRect;
  C->GetBrush()->SetStyle(bsSolid);
  C->GetBrush()->SetColor(clBlack);
  if (Info.ACol == S.Left) C->FillRect(TRect(R.left, R.top, R.left + 2, R.bottom));
  if (Info.ACol == S.Right) C->FillRect(TRect(R.right - 2, R.top, R.right, R.bottom));
  if (Info.ARow == S.Top) C->FillRect(TRect(R.left, R.top, R.right, R.top + 2));
  if (Info.ARow == S.Bottom) C->FillRect(TRect(R.left, R.bottom - 2, R.right, R.bottom));
  if (FTextPaint.SelectionResizer && Info.ACol == S.Right && Info.ARow == S.Bottom)
    C->FillRect(TRect(R.right - 4, R.bottom - 4, R.right, R.bottom));
}

void VIduZozezuVodu::DrawPlainText(TCellPaintInfo& Info, AnsiString Text, TRect R, const TRect& Restore,
                                   bool SortHeader, bool ShowMark, bool FilterShown, TColor LinkColor) {
  TCanvas* C = Info.Canvas;
  TSortSettings* SS = FSortSettings;
  const bool SortCol = SS->Column == Info.RCol || FSortIndexes->FindIndex(Info.RCol) >= 0;
  if (Info.HA == taCenter && SortHeader) R.left += 10;
  const int Reserve = Info.ARow == 0 && SortCol && SS->GetShow() ? 14 : 0;
  if (FURLShow && IsURL(Text)) {
    if (!FURLFull) StripURLProtocol(Text);
    TFontStyles St = C->GetFont()->GetStyle();
    St << fsUnderline;
    C->GetFont()->SetStyle(St);
    C->GetFont()->SetColor(LinkColor);
  }
  const bool Multi = GetMultilinecells();
  const TDrawTextFlags& T = FDrawTextFlags;
  UINT Flags = DT_EDITCONTROL;
  if (LinesInText(Text, Multi) == 1 && !Info.WW) {
    AnsiString Rest = Text;
    Text = GetNextLine(Rest, Multi);
    Flags = DT_SINGLELINE;
    if (FTextPaint.EnhTextSize) Flags |= DT_END_ELLIPSIS;
  } else if (Info.WW && FTextPaint.EnhTextSize && !Multi) {
    Flags |= DT_END_ELLIPSIS;
  }
  Flags |= DT_NOPREFIX | DT_EXPANDTABS | T.WordWrap[Info.WW ? 1 : 0] | T.HAlign[Info.HA] | T.VAlign[Info.VA];
  if (UseRightToLeftAlignment()) Flags |= DT_RTLREADING;
  SetBkMode(C->GetHandle(), TRANSPARENT);
  if (Info.HA == taLeftJustify)
    R.right -= Reserve;
  else
    R.left += Reserve;
  if (FilterShown) R.right -= 16;
  if (Info.Graphic) {
    TRect M = R;
    DrawTextExA(C->GetHandle(), Text.data(), static_cast<int>(Text.size()), &M, Flags | DT_CALCRECT, nullptr);
    Info.TextWidth = M.right - M.left + 2;
  }
  C->RequireState(false, true, true);
  DrawTextExA(C->GetHandle(), Text.data(), static_cast<int>(Text.size()), &R, Flags, nullptr);
  if (Info.Graphic && Info.Graphic->CellType == ctEmpty) {
    int From = 0, Len = 0;
    GetMarker(Info.RCol, Info.ARow, From, Len);
    // The underline measures with an edit window, which needs one of the grid.
    if (Len > 0 && HandleAllocated()) DrawErrorLines(this, C, Text, R, 0, From, Len);
  }
  Info.TextHeight = C->TextHeight("hg");

  if (!SortHeader || !ShowMark) return;
  TRect M = Restore;
  if (FilterShown) M.right -= 16;
  const int TW = std::clamp(C->TextWidth(Text), 0, std::max(0, M.Width() - 16));
  int X = M.left + 8;
  if (Info.HA == taLeftJustify) {
    const int GW = Info.Graphic && (Info.GraphicHAlign == haLeft || Info.GraphicHAlign == haBeforeText)
                       ? Info.GraphicWidth
                       : 0;
    X = M.left + TW + GW + 10;
  } else if (Info.HA == taRightJustify) {
    X = M.right - TW - 10;
  }
  DrawSortIndicator(C, Info.ACol, MarkY(M, Info.VA), X);
}

void VIduZozezuVodu::DrawCellText(TCellPaintInfo& Info) {
  TCanvas* C = Info.Canvas;
  const int ACol = Info.ACol, RCol = Info.RCol, ARow = Info.ARow;
  const bool Fixed = (Info.State & gdFixed) || ACol < GetFixedColsEx() || ARow < GetFixedRowsEx();
  const bool Selecting = FPlainClickSelecting;
  TMouseActions* MA = FMouseActions;

  // 1. Selection colours and the link colour.
  TColor LinkColor = FURLColor;
  const bool RowSelected = MA->GetDisjunctRowSelect() && (GetOptions() & goRowSelect) && ACol >= GetFixedColsEx() &&
                           ACol < GetColCountEx() - FFixedRightCols && RowFlagAt(ARow);
  if (((Info.State & gdSelected) || RowSelected) && !Fixed) {
    if (GetShowSelection()) {
      if (SelectionColor != clNone) C->GetBrush()->SetColor(SelectionColor);
      if (SelectionTextColor != clNone) C->GetFont()->SetColor(SelectionTextColor);
      LinkColor = SelectionTextColor;
    }
    const bool HasCheck = GetCellType(RCol, ARow) == ctCheckBox;
    if ((!Focused() || HasCheck) && !GetShowSelection()) {
      C->GetBrush()->SetColor(Info.BrushColor);
      C->GetFont()->SetColor(Info.FontColor);
      LinkColor = FURLColor;
    }
  }

  // 2. The text.
  TTextType Kind = ttText;
  AnsiString Text = CellDisplayText(*this, RCol, ARow, Kind);
  if (IsPassword(RCol, ARow)) StringToPassword(Text, U'*');

  // 3. The text rectangle; an in-cell scroll bar scrolls the content.
  TRect TR = Info.Rect;
  // A right-to-left footer hands its cells over already mirrored, right
  // edge first.
  if (UseRightToLeftAlignment() && DrawingToSeparateCanvas && TR.left > TR.right) std::swap(TR.left, TR.right);
  if (Info.State & gdFixed) {
    TR.left += GetGridLineWidth();
    TR.top += GetGridLineWidth();
  }
  std::unique_ptr<TSavedClip> Clip;
  if (Info.ScrollBarPos > 0) {
    Clip = std::make_unique<TSavedClip>(C->GetHandle());
    IntersectClipRect(C->GetHandle(), Info.CellRect.left, Info.CellRect.top, Info.CellRect.right,
                      Info.CellRect.bottom);
    OffsetRect(&TR, 0, -Info.ScrollBarPos);
  }
  TRect Entry = TR;

  // 4. Filter glyph.
  const bool FilterShown = ARow == FFilterDropDownRow && GetFilter(RCol);
  if (FilterShown) {
    const TRect GR(TR.right - 16, TR.top, TR.right, TR.top + 16);
    TBitmap* Glyph = FFilterDropDown->GetGlyph();
    if (Glyph && !Glyph->Empty())
      DrawBitmapTransp(C, Glyph, GetFixedColor(), GR);
    else
      DrawBitmapResourceTransp(C, GetFixedColor(), GR, "VZVFILT");
  }

  // 5. Normal cells of unselected disjunct rows or columns take their own look back.
  if (!Fixed && !Selecting &&
      ((MA->GetDisjunctRowSelect() && !RowFlagAt(ARow)) || (MA->GetDisjunctColSelect() && !GetColSelect(ACol)))) {
    C->GetBrush()->SetColor(GetColor());
    C->GetFont()->SetColor(GetFont()->GetColor());
    LinkColor = FURLColor;
    GetCellColor(RCol, ARow, Info.State, C->GetBrush(), C->GetFont());
    C->GetFont()->SetSize(C->GetFont()->GetSize() + FZoomOffset);
  }

  // 6, 7. Background bitmap or gradient slice.
  TBackGround* BG = FTextPaint.BackGround;
  const TBackGroundDisplay BD = BG->GetDisplay();
  const bool Gradient = BD == bdGradientHorz || BD == bdGradientVert;
  const TBackGroundCells BC = BG->GetCells();
  const bool KindMatches = Fixed ? BC != bcNormal : BC != bcFixed;
  const bool ShownSelected =
      GetShowSelection() && (((Info.State & gdSelected) && !(Info.State & gdFocused)) ||
                             ((Info.State & gdFocused) && (GetOptions() & goDrawFocusSelected)));
  const bool OwnColor = GetColors(RCol, ARow) != clNone;
  if (KindMatches && !ShownSelected) {
    const int LW = GetGridLineWidth();
    const TRect Area(Info.CellRect.left + LW, Info.CellRect.top + LW, Info.CellRect.right, Info.CellRect.bottom);
    if (!Gradient && !BG->GetBitmap()->Empty() && !OwnColor)
      DrawCellBackGround(Info, Area);
    else if (Gradient && (!OwnColor || IsControlType(GetCellType(RCol, ARow))))
      DrawCellBackGround(Info, Area);
  }

  // 8. Selection rectangle.
  if (FTextPaint.SelectionRectangle) DrawSelectionFrame(Info);

  // 9. The text.
  if (Info.DrawText) {
    TR.left += FXYOffset.x;
    TR.right -= FXYOffset.x;
    TR.top += FXYOffset.y;
    if (Info.Graphic) {
      if (Info.GraphicHAlign == haBeforeText) TR.left += Info.GraphicWidth;
      if (Info.GraphicHAlign == haAfterText) TR.right -= Info.GraphicWidth;
      if (Info.GraphicVAlign == vaAboveText) TR.top += Info.GraphicHeight;
      if (Info.GraphicVAlign == vaUnderText) TR.bottom -= Info.GraphicHeight;
    }
    if (RCol == 0 && HasNodes() && !IsNode(ARow)) TR.left += NodeIndent(ARow);
    bool ShowMark = false;
    const bool SortHeader = IsSortHeader(RCol, ARow, ShowMark);
    HDC DC = C->GetHandle();
    // A right-to-left grid on a mirrored canvas draws its text unmirrored
    // at the same place.
    std::optional<TUnmirrored> Unmirror;
    if (UseRightToLeftAlignment() && !DrawingToSeparateCanvas && Mirrored(DC)) {
      TR = ToDevice(DC, TR);
      Entry = ToDevice(DC, Entry);
      Unmirror.emplace(DC);
    }
    switch (Kind) {
      case ttHTML: {
        if (FilterShown) TR.right -= 18;
        TR.left -= 1;
        if (SortHeader) TR.right -= 10;
        AnsiString Anchor, Stripped, FocusAnchor, AnchorHint, CID, CV, CT;
        int XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
        TRect Hover, CtrlRect;
        HTMLDrawEx(C, Text, TR, FGridImages, -1, -1, -1, -1, 1, false, false, false, false, FTextPaint.BlinkPhase,
                   false, !FTextPaint.EnhTextSize, false, 1.0, LinkColor, clNone, clNone, 0x808080, Anchor,
                   Stripped, FocusAnchor, AnchorHint, XSize, YSize, Links, MouseLink, Hover, CtrlRect, CID, CV, CT,
                   FTextPaint.PicCache, FTextPaint.PictureContainer,
                   HandleAllocated() ? reinterpret_cast<std::uintptr_t>(GetHandle()) : 0);
        Info.TextWidth = XSize + 2;
        Info.TextHeight = YSize;
        if (SortHeader && ShowMark) DrawSortIndicator(C, ACol, MarkY(TR, Info.VA), TR.right + 2);
        break;
      }
      case ttRTF: {
        C->GetPen()->SetColor(C->GetBrush()->GetColor());
        if (!((Info.State & gdSelected) && !(Info.State & gdFocused) && SelectionColor == clNone)) C->FillRect(TR);
        C->GetBrush()->SetStyle(bsClear);
        RTFPaint(RCol, ARow, C, TR);
        C->GetBrush()->SetStyle(bsSolid);
        C->GetFont()->SetColor(clBlack);
        break;
      }
      case ttUnicode: {
        WideString W = DecodeWideStr(Text);
        if (SortHeader) TR.right -= 10;
        C->GetBrush()->SetStyle(bsClear);
        C->RequireState(false, true, true);
        SetBkMode(DC, TRANSPARENT);
        const TDrawTextFlags& T = FDrawTextFlags;
        UINT Flags = T.VAlign[Info.VA] | T.HAlign[Info.HA] | DT_END_ELLIPSIS | DT_NOPREFIX |
                     (Info.WW || GetMultilinecells() ? DT_WORDBREAK : DT_SINGLELINE);
        DrawTextExW(DC, W.data(), static_cast<int>(W.size()), &TR, Flags, nullptr);
        C->GetBrush()->SetStyle(bsSolid);
        Info.TextHeight = C->TextHeight("hg");
        if (SortHeader && ShowMark) DrawSortIndicator(C, ACol, MarkY(TR, Info.VA), TR.right + 3);
        break;
      }
      default:
        DrawPlainText(Info, Text, TR, Entry, SortHeader, ShowMark, FilterShown, LinkColor);
        break;
    }
  }
  // 10. Clip back as it was (the saved clip's destructor).
}

void VIduZozezuVodu::DrawSortIndicator(TCanvas* Canvas, int ACol, int Y, int X) {
  TSortSettings* SS = FSortSettings;
  const int RCol = RemapCol(ACol);
  if (SS->IndexShow) {
    const int Idx = FSortIndexes->FindIndex(RCol);
    if (Idx < 0) return;
    Canvas->GetBrush()->SetColor(SS->IndexColor);
    Canvas->GetPen()->SetColor(clBlack);
    SetBkMode(Canvas->GetHandle(), TRANSPARENT);
    Canvas->GetFont()->SetColor(clBlack);
    Canvas->GetFont()->SetSize(6);
    const bool Glyphs = !SS->GetIndexUpGlyph()->Empty() && !SS->GetIndexDownGlyph()->Empty();
    const AnsiString Num = IntToStr(Idx + 1);
    if (!FSortIndexes->GetSortDirections(Idx)) {
      if (!Glyphs) {
        const TPoint P[3] = {TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)};
        Canvas->Polygon(P, 3);
      } else {
        TBitmap* G = SS->GetIndexUpGlyph();
        DrawBitmapTransp(Canvas, G, Canvas->GetBrush()->GetColor(),
                         TRect(X - 7, Y - 7, X - 7 + G->GetWidth(), Y - 7 + G->GetHeight()));
      }
      Canvas->GetBrush()->SetStyle(bsClear);
      Canvas->TextOut(X - 2, Y - 4, Num);
    } else {
      if (!Glyphs) {
        const TPoint P[3] = {TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)};
        Canvas->Polygon(P, 3);
      } else {
        TBitmap* G = SS->GetIndexDownGlyph();
        DrawBitmapTransp(Canvas, G, Canvas->GetBrush()->GetColor(),
                         TRect(X - 7, Y - 7, X - 7 + G->GetWidth(), Y - 7 + G->GetHeight()));
      }
      Canvas->GetBrush()->SetStyle(bsClear);
      Canvas->TextOut(X - 2, Y - 2, Num);
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    return;
  }
  const bool Descending = SS->Direction == sdDescending;
  if (SS->GetUpGlyph()->Empty() || SS->GetDownGlyph()->Empty()) {
    TPen* P = Canvas->GetPen();
    P->SetWidth(1);
    P->SetStyle(psSolid);
    if (Descending) {
      P->SetColor(clWhite);
      Canvas->MoveTo(X + 4, Y - 4);
      Canvas->LineTo(X, Y + 4);
      P->SetColor(0x808080);
      Canvas->LineTo(X - 4, Y - 4);
      Canvas->LineTo(X + 4, Y - 4);
    } else {
      P->SetColor(clWhite);
      Canvas->MoveTo(X - 4, Y + 4);
      Canvas->LineTo(X + 4, Y + 4);
      Canvas->LineTo(X, Y - 4);
      P->SetColor(0x808080);
      Canvas->LineTo(X - 4, Y + 4);
    }
    P->SetColor(clBlack);
    return;
  }
  TBitmap* G = Descending ? SS->GetDownGlyph() : SS->GetUpGlyph();
  DrawBitmapTransp(Canvas, G, GetFixedColor(), TRect(X - 4, Y - 4, X - 4 + G->GetWidth(), Y - 4 + G->GetHeight()));
  SetBkColor(Canvas->GetHandle(), ColorToRGB(GetFixedColor()));
}
