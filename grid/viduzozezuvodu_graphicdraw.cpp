// The graphic step of a cell's paint: measuring, placing and painting the
// cell graphic by its type, and the shared check box and radio painters.
#include "grid/viduzozezuvodu_graphicdraw.h"

#include <algorithm>
#include <cmath>

#include "grid/filepicture.h"
#include "grid/icellgraphic.h"
#include "grid/radoriz_draw.h"
#include "grid/viduzozezuvodu.h"
#include "grid/zytxpvs.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/sysutils.h"

namespace {

bool IsCheckLike(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox || T == ctRadioButton;
}

bool IsTextKeptCheck(TCellType T) { return T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox; }

int CenteredOr(int from, int extent, int size, int fallback) {
  return size < extent ? from + (extent - size) / 2 : fallback;
}

// Paints one themed part; false when no theme could draw it.
bool DrawThemed(TCanvas* C, HWND Wnd, const char16_t* Class, int Part, int State, const TRect& R) {
  if (!zytxpvs::ThemesActive() || !zytxpvs::OpenThemeData || !zytxpvs::DrawThemeBackground) return false;
  HTHEME th = zytxpvs::OpenThemeData(Wnd, Class);
  if (!th) return false;
  RECT r = R;
  zytxpvs::DrawThemeBackground(th, C->GetHandle(), Part, State, &r, nullptr);
  if (zytxpvs::CloseThemeData) zytxpvs::CloseThemeData(th);
  return true;
}

// A bitmap resource drawn with its bottom-left colour left out.
void DrawResourceGlyph(TCanvas* C, int X, int Y, const AnsiString& Name) {
  TBitmap B;
  try {
    B.LoadFromResourceName(HInstance, Name);
  } catch (const Exception&) {
    return;  // a missing glyph draws nothing
  }
  B.SetTransparent(true);
  C->Draw(X, Y, &B);
}

void DrawGlyph(TCanvas* C, int X, int Y, TBitmap* G) {
  if (!G || G->GetEmpty()) return;
  G->SetTransparent(true);
  C->Draw(X, Y, G);
}

TColor Complement(TColor C) { return static_cast<TColor>(static_cast<unsigned>(C) ^ 0xFFFFFFu); }

}  // namespace

// ---- placement -------------------------------------------------------------------------------

TRect PlaceCellGraphic(const TGraphicPlacement& P) {
  TRect R = P.Rect;
  if (P.Type != ctNode && P.Type != ctProgress && P.Type != ctRangeIndicator && P.Type != ctXPProgress) {
    R.left += P.XYOffset.x - 1;
    R.right -= P.XYOffset.x - 1;
    R.top += P.XYOffset.y - 1;
    R.bottom -= P.XYOffset.y - 1;
  }
  const int width = R.right - R.left, height = R.bottom - R.top, tw = P.TextWidth;
  int W = P.W, H = P.H, x = R.left + 1, y = R.top + 1;

  if (IsCheckLike(P.Type)) {
    switch (P.TextHAlign) {
      case taRightJustify:
        x = IsTextKeptCheck(P.Type) ? R.right - 1 - W : R.right - tw - 1 - W;
        break;
      case taCenter:
        x = (IsTextKeptCheck(P.Type) || tw == 0) ? R.left + (width - W) / 2 : R.left + (width - tw) / 2 - W;
        break;
      default:
        x = R.left + 1;
    }
    x = std::max(x, R.left + 1);
  } else {
    switch (P.GraphicHAlign) {
      case haLeft: x = R.left + 1; break;
      case haRight: x = R.right - 1 - W; break;
      case haCenter: x = CenteredOr(R.left, width, W, R.left + 1); break;
      case haBeforeText:
        if (P.TextHAlign == taRightJustify)
          x = R.right - tw - W;
        else if (P.TextHAlign == taCenter)
          x = R.left + (width - tw - W) / 2;
        else
          x = R.left + 1;
        x = std::max(x, R.left + 1);
        break;
      case haAfterText:
        if (P.TextHAlign == taRightJustify)
          x = R.right - 1 - W;
        else if (P.TextHAlign == taCenter)
          x = R.left + tw + (width - tw - W) / 2;
        else
          x = R.left + tw;
        break;
      case haFull:
        x = R.left;
        W = width;
        break;
    }
  }

  TCellVAlign V = P.GraphicVAlign;
  if (IsCheckLike(P.Type) && P.TextVAlign != P.GridVAlign)
    V = P.TextVAlign == vtaCenter ? vaCenter : P.TextVAlign == vtaBottom ? vaBottom : vaTop;
  switch (V) {
    case vaTop:
    case vaAboveText: y = R.top + 1; break;
    case vaBottom: y = R.bottom - 1 - H; break;
    case vaCenter: y = CenteredOr(R.top, height, H, R.top + 1); break;
    case vaUnderText: y = R.bottom - H; break;
    case vaFull:
      y = R.top;
      H = height;
      break;
  }
  return TRect(x, y, x + W, y + H);
}

AnsiString CheckResourceName(TCellControlStyle Style, bool Checked, bool Enabled) {
  const char* xp[] = {"VZVCHK05", "VZVCHK07", "VZVCHK06", "VZVCHK08"};
  const char* zyt[] = {"VZVCHK01", "VZVCHK03", "VZVCHK02", "VZVCHK04"};
  const int i = (Checked ? 0 : 2) + (Enabled ? 0 : 1);
  if (Style == csWinXP) return xp[i];
  if (Style == csZyt) return zyt[i];
  return "";
}

AnsiString RadioResourceName(TCellControlStyle Style, bool Checked, bool Enabled) {
  const char* xp[] = {"VZVRAD05", "VZVRAD07", "VZVRAD06", "VZVRAD08"};
  const char* zyt[] = {"VZVRAD01", "VZVRAD03", "VZVRAD02", "VZVRAD04"};
  const int i = (Checked ? 0 : 2) + (Enabled ? 0 : 1);
  if (Style == csWinXP) return xp[i];
  if (Style == csZyt) return zyt[i];
  return "";
}

// ---- measuring ---------------------------------------------------------------------------------

TCellGraphic* VIduZozezuVodu::GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& DrawText,
                                                TCellHAlign& HAlign, TCellVAlign& VAlign) {
  W = H = 0;
  DrawText = true;
  HAlign = haLeft;
  VAlign = vaTop;
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return nullptr;
  HAlign = G->CellHAlign;
  VAlign = G->CellVAlign;
  TImageList* Images = FGridImages;
  switch (G->CellType) {
    case ctBitmap:
      if (auto* B = dynamic_cast<TBitmap*>(G->CellContent)) {
        W = B->GetWidth();
        H = B->GetHeight();
      }
      break;
    case ctIcon:
      if (auto* I = dynamic_cast<TIcon*>(G->CellExtra)) {
        W = I->GetWidth();
        H = I->GetHeight();
      }
      break;
    case ctImageList:
    case ctDataImage:
      if (Images) {
        W = Images->GetWidth();
        H = Images->GetHeight();
      }
      DrawText = G->CellType == ctImageList;
      break;
    case ctCheckBox:
      W = H = FControlLook->GetCheckSize();
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      W = H = FControlLook->GetCheckSize();
      DrawText = false;
      break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
      DrawText = false;
      break;
    case ctImages:
      if (Images) {
        auto* L = dynamic_cast<TIntList*>(G->CellContent);
        const int n = L ? L->GetCount() : 0;
        W = G->CellBoolean ? n * Images->GetWidth() : Images->GetWidth();
        H = G->CellBoolean ? Images->GetHeight() : n * Images->GetHeight();
      }
      break;
    case ctPicture:
    case ctFilePicture: {
      const int dc = RemapColInv(ACol);
      const int cw = dc >= 0 && dc < GetColCount() ? GetColWidths(dc) : 0;
      const int rh = ARow >= 0 && ARow < GetRowCount() ? GetRowHeights(ARow) : 0;
      TPoint p(0, 0);
      try {
        p = G->GetPictureSize(cw, rh, false);
      } catch (const Exception&) {
        // A picture that cannot be read takes no room.
      }
      W = p.x;
      H = p.y;
      break;
    }
    case ctButton:
    case ctBitButton:
      W = G->CellIndex & 0xFFFF;
      H = (G->CellIndex >> 16) & 0xFFFF;
      break;
    case ctProgressPie:
      W = H = 20;
      break;
    case ctInterface:
      if (auto* I = dynamic_cast<ICellGraphic*>(G->CellContent)) {
        W = I->GetWidth();
        H = I->GetHeight();
      }
      break;
    case ctRadioButton:
      W = H = FControlLook->GetRadioSize() + 4;
      break;
    default:
      break;
  }
  return G;
}

// ---- check boxes and radio buttons -------------------------------------------------------------

void VIduZozezuVodu::DrawCheck(TCanvas* C, const TRect& R, bool Checked, TCellControlStyle Style, bool Enabled) {
  if (FControlLook->GetNoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive) Enabled = true;
  if (Style == csTheme && !(FIsComCtl6 && FIsThemed)) Style = csClassic;
  const int S = FControlLook->GetCheckSize();
  switch (Style) {
    case csClassic:
    case csFlat: {
      UINT state = DFCS_BUTTONCHECK;
      if (Checked) state |= DFCS_CHECKED;
      if (Style == csFlat) state |= DFCS_FLAT;
      if (!Enabled) state |= DFCS_INACTIVE;
      int x = R.left + (R.right - R.left - S) / 2;
      const int y = R.top + (R.bottom - R.top - S) / 2;
      if (GetBiDiMode() == bdRightToLeft) x = R.right - (x - R.left) - S;
      RECT r = TRect(x, y, x + S, y + S);
      DrawFrameControl(C->GetHandle(), &r, DFC_BUTTON, state);
      break;
    }
    case csWinXP:
    case csZyt:
      DrawResourceGlyph(C, R.left, R.top, CheckResourceName(Style, Checked, Enabled));
      break;
    case csBevel: {
      const TRect b(R.left, R.top, R.left + S, R.top + S);
      C->GetBrush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
      C->GetPen()->SetColor(clBtnFace);
      C->Rectangle(b);
      C->GetPen()->SetColor(clBtnHighlight);
      C->MoveTo(b.left, b.bottom - 1);
      C->LineTo(b.left, b.top);
      C->LineTo(b.right - 1, b.top);
      C->GetPen()->SetColor(clBtnShadow);
      C->LineTo(b.right - 1, b.bottom - 1);
      C->LineTo(b.left, b.bottom - 1);
      if (Checked) {
        C->GetPen()->SetColor(Enabled ? FControlLook->GetColor() : static_cast<TColor>(0x808080));
        const int mid = b.top + S / 2;
        C->MoveTo(b.left + 2, mid);
        C->LineTo(b.left + 2, b.bottom - 2);
        C->MoveTo(b.left + 3, mid);
        C->LineTo(b.left + 3, b.bottom - 2);
        C->MoveTo(b.left + 2, b.bottom - 2);
        C->LineTo(b.right - 2, b.top + 2);
        C->MoveTo(b.left + 3, b.bottom - 2);
        C->LineTo(b.right - 1, b.top + 2);
      }
      break;
    }
    case csGlyph:
      DrawGlyph(C, R.left, R.top, Checked ? FControlLook->GetCheckedGlyph() : FControlLook->GetUnCheckedGlyph());
      break;
    case csTheme: {
      const int state = Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4);
      const TRect b(R.left, R.top, R.left + S, R.top + S);
      if (!DrawThemed(C, HandleAllocated() ? GetHandle() : nullptr, u"button", 3, state, b)) {
        RECT r = b;
        DrawFrameControl(C->GetHandle(), &r, DFC_BUTTON,
                         DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0) | (Enabled ? 0 : DFCS_INACTIVE));
      }
      break;
    }
  }
}

void VIduZozezuVodu::DrawRadio(TCanvas* C, const TRect& R, int Count, int ItemIndex, bool Horizontal,
                               bool Disabled, TStrings* Captions, bool Selected, int ACol, int ARow,
                               TCellControlStyle Style, double Scale, bool Upward) {
  if (FControlLook->GetNoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive) Disabled = false;
  if (Count <= 0) return;
  Style = RadioStyleDrawn(Style, FIsThemed);
  const int dir = Upward ? -1 : 1;
  const int RS = FControlLook->GetRadioSize();
  const AnsiString CellText = ItemIndex == -1 ? GetCellEx(ACol, ARow) : AnsiString();
  if (Selected && GetShowSelection()) C->GetFont()->SetColor(SelectionTextColor);
  const int oldBk = C->GetBrush()->GetStyle();
  C->GetBrush()->SetStyle(bsClear);
  const int gh = C->TextHeight("gh");
  const bool classic = Style == csClassic || Style == csFlat;
  const bool bitmapStyle = Style == csWinXP || Style == csZyt || Style == csGlyph;
  int captionsWidth = 0;
  for (int i = 1; i <= Count; ++i) {
    const bool hasCaption = Captions && i - 1 < Captions->GetCount();
    const AnsiString cap = hasCaption ? Captions->Get(i - 1) : AnsiString();
    const bool checked = i == ItemIndex + 1 || (ItemIndex == -1 && hasCaption && cap == CellText);
    int bx, by, cx, cy;
    int side;
    if (classic) {
      side = static_cast<int>(std::lround((FControlLook->GetControlStyle() == csFlat ? RS + 2 : RS) * Scale));
      if (Horizontal) {
        bx = R.left + 2 + (i - 1) * RS + captionsWidth;
        by = R.top + (R.bottom - R.top - RS) / 2;
        cx = bx + static_cast<int>(RS * Scale);
        cy = by - 2;
      } else {
        const int lh = gh;
        if (hasCaption) {
          bx = R.left + 2;
          by = R.top + (i - 1) * lh * dir + 2;
        } else {
          bx = R.left + (R.right - R.left - side) / 2;
          by = R.top + (i - 1) * lh * dir + 2;
        }
        cx = R.left + 2 + static_cast<int>((RS + 4) * Scale);
        cy = R.top + (i - 1) * lh * dir;
      }
      UINT state = DFCS_BUTTONRADIO;
      if (FControlLook->GetControlStyle() == csFlat) state |= DFCS_FLAT;
      if (Disabled) state |= DFCS_INACTIVE;
      if (checked) state |= DFCS_CHECKED;
      RECT r = TRect(bx, by, bx + side, by + side);
      DrawFrameControl(C->GetHandle(), &r, DFC_BUTTON, state);
    } else {
      side = 16;
      if (Horizontal) {
        bx = R.left + 16 * i - 14 + captionsWidth;
        by = R.top + (R.bottom - R.top - 16) / 2;
        cx = bx + 16;
        cy = bitmapStyle ? by + 1 : by - 2;
      } else {
        const int lh = std::max(16, gh);
        bx = hasCaption ? R.left + 2 : R.left + (R.right - R.left - 16) / 2;
        by = R.top + (i - 1) * lh * dir;
        cx = bitmapStyle ? R.left + 18 : R.left + 20;
        cy = bitmapStyle ? by + 1 : by;
      }
      switch (Style) {
        case csBevel: {
          const TPoint outer[] = {{bx + 2, by + 8}, {bx + 8, by + 2}, {bx + 14, by + 8}, {bx + 8, by + 14}};
          C->GetBrush()->SetStyle(bsSolid);
          C->GetBrush()->SetColor(clBtnFace);
          C->GetPen()->SetColor(clBtnFace);
          C->Polygon(outer, 4);
          const TColor ul = checked ? static_cast<TColor>(0x808080) : clWhite;
          const TColor lr = checked ? clWhite : static_cast<TColor>(0x808080);
          C->GetPen()->SetColor(ul);
          C->MoveTo(outer[0].x, outer[0].y);
          C->LineTo(outer[1].x, outer[1].y);
          C->LineTo(outer[2].x, outer[2].y);
          C->GetPen()->SetColor(lr);
          C->LineTo(outer[3].x, outer[3].y);
          C->LineTo(outer[0].x, outer[0].y);
          if (checked) {
            const TPoint inner[] = {{bx + 6, by + 8}, {bx + 8, by + 6}, {bx + 10, by + 8}, {bx + 8, by + 10}};
            C->GetBrush()->SetColor(FControlLook->GetColor());
            C->GetPen()->SetColor(FControlLook->GetColor());
            C->Polygon(inner, 4);
          }
          C->GetBrush()->SetStyle(bsClear);
          break;
        }
        case csTheme: {
          const int state = checked ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1);
          DrawThemed(C, HandleAllocated() ? GetHandle() : nullptr, u"button", 2, state,
                     TRect(bx, by, bx + 16, by + 16));
          break;
        }
        case csGlyph:
          DrawGlyph(C, bx, by, checked ? FControlLook->GetRadioOnGlyph() : FControlLook->GetRadioOffGlyph());
          break;
        default:
          DrawResourceGlyph(C, bx, by, RadioResourceName(Style, checked, !Disabled));
      }
    }
    if (hasCaption) {
      C->TextOut(cx, cy, cap);
      captionsWidth += C->TextWidth(cap);
    }
  }
  C->GetBrush()->SetStyle(static_cast<TBrushStyle>(oldBk));
}

// ---- painting ----------------------------------------------------------------------------------

namespace {

// The editability the enabled look follows.
bool CellEnabled(VIduZozezuVodu* G, int RCol, int ARow) {
  bool CanEdit = true;
  G->GetCellReadOnly(RCol, ARow, CanEdit);
  return CanEdit;
}

}  // namespace

void VIduZozezuVodu::DrawCellGraphic(TCellPaintInfo& Info, bool UnderText) {
  TCellGraphic* G = Info.Graphic;
  if (!G || !Info.Canvas) return;
  auto* Iface = G->CellType == ctInterface ? dynamic_cast<ICellGraphic*>(G->CellContent) : nullptr;
  if (UnderText) {
    if (!Iface || !Iface->IsBackground()) return;
  } else if (Iface && Iface->IsBackground()) {
    return;
  }
  TCanvas* C = Info.Canvas;
  const TRect R = Info.Rect;
  TGraphicPlacement P;
  P.Rect = R;
  P.W = Info.GraphicWidth;
  P.H = Info.GraphicHeight;
  P.Type = G->CellType;
  P.GraphicHAlign = G->CellHAlign;
  P.GraphicVAlign = G->CellVAlign;
  P.TextHAlign = Info.HA;
  P.TextVAlign = Info.VA;
  P.GridVAlign = FVAlignment;
  P.TextWidth = Info.TextWidth;
  P.XYOffset = FXYOffset;
  TRect Box = PlaceCellGraphic(P);
  const bool selected = (Info.State & gdSelected) != 0;
  const TCellControlStyle style = FControlLook->GetControlStyle();

  switch (G->CellType) {
    case ctBitmap: {
      auto* B = dynamic_cast<TBitmap*>(G->CellContent);
      if (!B || B->GetEmpty()) break;
      if (GetBiDiMode() == bdRightToLeft) {
        const int w = Box.right - Box.left;
        Box.left = R.right - (Box.left - R.left) - w;
        Box.right = Box.left + w;
      }
      if (G->CellTransparent) {
        const TColor bg = selected && GetShowSelection() ? SelectionColor : Info.BrushColor;
        DrawBitmapTransp(C, B, bg, Box);
      } else {
        C->Draw(Box.left, Box.top, B);
      }
      break;
    }
    case ctIcon:
      if (auto* I = dynamic_cast<TIcon*>(G->CellExtra)) C->Draw(Box.left, Box.top, I);
      break;
    case ctImageList:
      if (FGridImages && G->CellIndex >= 0 && G->CellIndex < FGridImages->GetCount())
        FGridImages->Draw(C, Box.left, Box.top, G->CellIndex, true);
      break;
    case ctCheckBox:
    case ctRowCheckBox:
      DrawCheck(C, Box, G->CellBoolean, style, CellEnabled(this, Info.RCol, Info.ARow));
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      DrawCheck(C, Box, GetCellEx(Info.RCol, Info.ARow) == GetCheckTrue(Info.RCol, Info.ARow), style,
                CellEnabled(this, Info.RCol, Info.ARow));
      break;
    case ctRadioButton: {
      const int RS = FControlLook->GetRadioSize();
      TRect b(Box.left + FXYOffset.x, Box.top, Box.left + FXYOffset.x + RS, Box.top + RS);
      DrawRadio(C, b, 1, G->CellBoolean ? 0 : -2, false, !CellEnabled(this, Info.RCol, Info.ARow), nullptr,
                selected, Info.RCol, Info.ARow, style, 1.0, false);
      break;
    }
    case ctRotated: {
      const AnsiString S = GetCellEx(Info.RCol, Info.ARow);
      TRect tr(R.left + 2, R.top + 2, R.right - 2, R.bottom - 2);
      const int a = G->CellAngle;
      C->GetFont()->SetOrientation(a * 10);
      const TSize ext = C->TextExtent(S);
      const double rad = a * 3.14159265358979323846 / 180.0;
      const int pw = static_cast<int>(std::fabs(ext.cx * std::cos(rad))), ph = static_cast<int>(std::fabs(ext.cx * std::sin(rad)));
      int x = tr.left, y = tr.top;
      // The origin sits where the rotated text starts: low for rising text.
      if (a > 0 && a < 180) y = tr.top + ph;
      if (a > 90 && a < 270) x = tr.left + pw;
      if (Info.HA == taRightJustify) x += std::max(0, (tr.right - tr.left) - pw);
      if (Info.HA == taCenter) x += std::max(0, (tr.right - tr.left) - pw) / 2;
      const int oldStyle = C->GetBrush()->GetStyle();
      C->GetBrush()->SetStyle(bsClear);
      C->TextRect(tr, x, y, S);
      C->GetBrush()->SetStyle(static_cast<TBrushStyle>(oldStyle));
      C->GetFont()->SetOrientation(0);
      break;
    }
    case ctDataImage:
      if (FGridImages) {
        const int idx = GetInts(Info.RCol, Info.ARow) + G->CellIndex;
        if (idx >= 0 && idx < FGridImages->GetCount()) FGridImages->Draw(C, Box.left, Box.top, idx, true);
      }
      break;
    case ctNode:
      if (Info.RCol == 0) DrawNodeGlyph(Info, G);
      break;
    case ctRadio: {
      auto* L = dynamic_cast<TStrings*>(G->CellContent);
      TStrings* caps = GetRadioStrings(Info.RCol, Info.ARow);
      if (!caps) caps = L;
      const int count = caps ? caps->GetCount() : 0;
      DrawRadio(C, R, count, G->CellIndex, G->CellBoolean, !CellEnabled(this, Info.RCol, Info.ARow), caps, selected,
                Info.RCol, Info.ARow, style, 1.0, false);
      break;
    }
    case ctImages:
      if (FGridImages) {
        auto* L = dynamic_cast<TIntList*>(G->CellContent);
        int x = Box.left, y = Box.top;
        for (int i = 0; L && i < L->GetCount(); ++i) {
          const int idx = L->GetInteger(i);
          if (idx >= 0 && idx < FGridImages->GetCount()) FGridImages->Draw(C, x, y, idx, true);
          if (G->CellBoolean)
            x += FGridImages->GetWidth();
          else
            y += FGridImages->GetHeight();
        }
      }
      break;
    case ctPicture:
      if (auto* Pic = dynamic_cast<TPicture*>(G->CellContent)) {
        try {
          TGraphic* Gr = Pic->GetGraphic();
          if (!Gr || Gr->GetEmpty()) break;
          if (G->CellAngle != noStretch)
            C->StretchDraw(Box, Gr);
          else
            C->Draw(Box.left, Box.top, Gr);
        } catch (const Exception&) {
          // An unreadable picture draws nothing.
        }
      }
      break;
    case ctFilePicture:
      if (auto* FP = dynamic_cast<TFilePicture*>(G->CellContent)) {
        try {
          FP->DrawPicture(C, Box);
        } catch (const Exception&) {
        }
      }
      break;
    case ctProgress: {
      double v = 0;
      TryCellFloat(GetCellEx(Info.RCol, Info.ARow), v);
      const int mx = FControlLook->GetProgressMarginX(), my = FControlLook->GetProgressMarginY();
      bool drawn = false;
      if ((style == csWinXP || style == csTheme) && FIsThemed && FControlLook->GetProgressXP()) {
        TRect b(R.left + mx, R.top + my, R.right - mx, R.bottom - my);
        HWND h = HandleAllocated() ? GetHandle() : nullptr;
        if (DrawThemed(C, h, u"Progress", 1, 0, b)) {
          b = TRect(b.left + 2, b.top + 2, b.right - 2, b.bottom - 2);
          const double pct = std::clamp(v, 0.0, 100.0);
          b.right = b.left + static_cast<int>(std::lround((b.right - b.left) * pct / 100.0));
          DrawThemed(C, h, u"Progress", 3, 1, b);
          drawn = true;
        }
      }
      if (!drawn) {
        TRect b(R.left + 2, R.top + 2, R.right - 2, R.bottom - 2);
        const TColor fg = G->CellContentColor, bk = G->CellExtraColor;
        const TColor fgText = G->CellBoolean ? static_cast<TColor>(G->CellIndex) : Complement(fg);
        const TColor bkText = G->CellBoolean ? static_cast<TColor>(G->CellAngle) : Complement(bk);
        DrawProgressLin(C, b, fg, fgText, bk, bkText, v, mx, my, G->CellErrFrom, G->CellErrLen, G->CellText,
                        FControlLook->ProgressBorderColor, false);
      }
      break;
    }
    case ctComment: {
      TColor col = FControlLook->GetCommentColor();
      if (col == clNone) break;
      if (static_cast<TColor>(G->CellAngle) != clNone) col = static_cast<TColor>(G->CellAngle);
      const TRect& cr = Info.CellRect;
      const int xo = FXYOffset.x, yo = FXYOffset.y;
      const int left = R.right + xo - 8, right = R.right + xo - 3, top = R.top - yo + 1;
      (void)cr;
      const TPoint tri[] = {{left, top}, {right, top}, {right, top + 5}};
      C->GetBrush()->SetColor(col);
      C->GetPen()->SetColor(col);
      C->Polygon(tri, 3);
      C->GetBrush()->SetColor(GetColor());
      break;
    }
    case ctButton:
    case ctBitButton:
      DrawCellButton(Info, G, Box);
      break;
    case ctProgressPie:
      DrawProgressPie(C, TRect(Box.left, Box.top, Box.left + 20, Box.top + 20), G->CellContentColor, G->CellAngle,
                      false);
      break;
    case ctRangeIndicator: {
      const int mx = FControlLook->GetProgressMarginX(), my = FControlLook->GetProgressMarginY();
      DrawRangeIndicator(C, TRect(R.left + mx, R.top + my, R.right - mx, R.bottom - my),
                         GetInts(Info.RCol, Info.ARow), G->CellIndex, G->CellBoolean, G->CellContentColor,
                         G->CellExtraColor);
      break;
    }
    case ctXPProgress: {
      const int mx = FControlLook->GetProgressMarginX(), my = FControlLook->GetProgressMarginY();
      const TGridProgressAppearance* A = FProgressAppearance;
      TGaugeSettings S;
      S.Level0Color = A->GetLevel0Color();
      S.Level0ColorTo = A->GetLevel0ColorTo();
      S.Level1Color = A->GetLevel1Color();
      S.Level1ColorTo = A->GetLevel1ColorTo();
      S.Level2Color = A->GetLevel2Color();
      S.Level2ColorTo = A->GetLevel2ColorTo();
      S.Level3Color = A->GetLevel3Color();
      S.Level3ColorTo = A->GetLevel3ColorTo();
      S.Level1Perc = A->GetLevel1Perc();
      S.Level2Perc = A->GetLevel2Perc();
      S.ShowBorder = A->GetShowBorder();
      S.BorderColor = A->GetBorderColor();
      S.Stacked = A->GetStacked();
      S.ShowPercentage = A->GetShowPercentage();
      S.CompletionSmooth = A->GetCompletionSmooth();
      S.ShowGradient = A->GetShowGradient();
      S.Steps = A->GetSteps();
      TFont F;
      F.Assign(GetFont());
      F.SetColor(A->GetCompleteFontColor());
      S.Font = &F;
      // Without a colour of its own the gauge shows the cell's background.
      const TColor cellBrush = Info.BrushColor != clNone ? Info.BrushColor : C->GetBrush()->GetColor();
      S.BackgroundColor = A->GetUnCompleteColor() == clNone ? cellBrush : A->GetUnCompleteColor();
      // An empty range shows 0 rather than dividing by zero.
      const int range = G->CellErrLen - G->CellErrFrom;
      const int pct = range == 0 ? 0
                                 : static_cast<int>(std::lround(
                                       (GetInts(Info.RCol, Info.ARow) - G->CellErrFrom) * 100.0 / range));
      DrawGauge(C, TRect(R.left + mx, R.top + my, R.right - mx - 1, R.bottom - my - 1), pct, S);
      break;
    }
    case ctInterface:
      if (Iface)
        Iface->Draw(C, TRect(R.left - 1, R.top - 1, R.right + 1, R.bottom + 1), this, selected, Info.ARow,
                    Info.RCol);
      break;
    default:
      break;
  }
}

void VIduZozezuVodu::DrawCellButton(TCellPaintInfo& Info, TCellGraphic* G, const TRect& Box) {
  TCanvas* C = Info.Canvas;
  // Where the button went, for the mouse handling; never negative.
  const int ox = std::max(0, Box.left - Info.CellRect.left), oy = std::max(0, Box.top - Info.CellRect.top);
  G->CellValue = static_cast<double>((ox & 0xFFFF) | ((oy & 0xFFFF) << 16));
  const bool enabled = FControlLook->GetNoDisabledButtonLook() || CellEnabled(this, Info.RCol, Info.ARow);
  const bool down = G->CellBoolean;
  bool themed = false;
  if (FIsThemed) {
    const int state = !enabled ? 4 : down ? 3 : 1;
    themed = DrawThemed(C, HandleAllocated() ? GetHandle() : nullptr, u"button", 1, state, Box);
  }
  if (!themed) {
    UINT state = DFCS_BUTTONPUSH;
    if (FControlLook->GetFlatButton()) state |= DFCS_FLAT;
    if (down) state |= DFCS_PUSHED;
    if (!enabled) state |= DFCS_INACTIVE;
    RECT r = Box;
    DrawFrameControl(C->GetHandle(), &r, DFC_BUTTON, state);
  }
  const int shrink = down ? 3 : 2;
  TRect face(Box.left + shrink, Box.top + shrink, Box.right - shrink, Box.bottom - shrink);
  if (G->CellType == ctBitButton) {
    auto* Glyph = dynamic_cast<TBitmap*>(G->CellContent);
    if (Glyph && !Glyph->GetEmpty()) {
      DrawGlyph(C, face.left + 1, face.top + 1, Glyph);
      face.left += Glyph->GetWidth() + 2;
    }
  }
  // The caption goes straight to the context, which keeps the background
  // mode the canvas last put there: made transparent here for the text.
  HDC dc = C->GetHandle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT tr = TRect(face.left + 1, face.top, face.right + 1, face.bottom);
  UINT flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
  flags |= G->CellText.find('\r') != AnsiString::npos ? DT_WORDBREAK : DT_SINGLELINE;
  DrawTextA(dc, G->CellText.c_str(), -1, &tr, flags);
  SetBkMode(dc, oldMode);
}

void VIduZozezuVodu::DrawNodeGlyph(TCellPaintInfo& Info, TCellGraphic* G) {
  TCanvas* C = Info.Canvas;
  const TRect R = Info.Rect;
  const int row = Info.ARow;
  const int indent = NodeIndent(row);
  const int ni = FCellNode->GetNodeIndent();
  const bool contracted = G->CellBoolean;
  int areaLeft = R.left + indent - ni;
  const bool fixedRow = row < GetFixedRows();
  if (GetFixedCols() > 0 &&
      (FLook == glSoft || FLook == glZyt || FLook == glXP || FLook == glListView))
    areaLeft += 1;
  if (FCellNode->GetShowTree() && !fixedRow) {
    C->GetPen()->SetColor(FCellNode->GetTreeColor());
    C->GetPen()->SetWidth(1);
    const int x = areaLeft + ni / 2 + 2;
    const int mid = (R.top + R.bottom) / 2;
    if (row + 1 < GetRowCount() && NodeIndent(row + 1) > indent &&
        !(contracted && NodeIndent(row + 1) < indent)) {
      C->MoveTo(x, mid);
      C->LineTo(x, R.bottom);
    }
    if (row - 1 >= 0 && NodeIndent(row - 1) >= indent) {
      C->MoveTo(x, R.top);
      C->LineTo(x, R.top + 6);
    }
  }
  const int glyphLeft = R.left + indent - ni / 2 - 4;
  TColor bg = C->GetBrush()->GetColor();
  if ((Info.State & gdSelected) && GetShowSelection()) bg = SelectionColor;
  (void)bg;
  const int cy = (R.top + R.bottom) / 2;
  switch (FCellNode->GetNodeType()) {
    case cnLeaf:
      DrawResourceGlyph(C, glyphLeft, cy - 6, contracted ? "VZVLEAFCLOSE" : "VZVLEAFOPEN");
      return;
    case cnXP:
      DrawResourceGlyph(C, glyphLeft + 4, cy - 5, contracted ? "XPNODEC" : "XPNODEO");
      return;
    case cnGlyph: {
      TBitmap* E = FCellNode->GetExpandGlyph();
      TBitmap* K = FCellNode->GetContractGlyph();
      if (E && K && !E->GetEmpty() && !K->GetEmpty()) {
        DrawGlyph(C, glyphLeft, cy - K->GetHeight() / 2, contracted ? K : E);
        return;
      }
      break;
    }
    default:
      break;
  }
  const int left = areaLeft + 4, top = cy - 4;
  if (FCellNode->GetNodeType() == cnFlat) {
    C->GetPen()->SetColor(FCellNode->NodeColor);
    C->GetBrush()->SetColor(FCellNode->Color);
    C->Rectangle(left - 1, top - 1, left + 9, top + 9);
    C->MoveTo(left + 1, top + 3);
    C->LineTo(left + 6, top + 3);
    if (contracted) {
      C->MoveTo(left + 3, top + 1);
      C->LineTo(left + 3, top + 6);
    }
    return;
  }
  if (FCellNode->GetNodeType() == cn3D) {
    TRect a(left, R.top, R.right, R.bottom);
    C->GetBrush()->SetColor(FCellNode->Color);
    C->FillRect(a);
    C->GetPen()->SetColor(clWhite);
    C->MoveTo(a.left, a.bottom - 1);
    C->LineTo(a.left, a.top);
    C->LineTo(a.right - 1, a.top);
    C->GetPen()->SetColor(0x808080);
    C->LineTo(a.right - 1, a.bottom - 1);
    C->LineTo(a.left, a.bottom - 1);
  }
  RECT b = TRect(left, top, left + 8, top + 8);
  DrawEdge(C->GetHandle(), &b, contracted ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
}
