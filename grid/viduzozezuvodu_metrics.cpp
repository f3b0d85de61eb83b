// How much room a cell's content needs: plain, wrapped, HTML, RTF and wide
// text, turned for rotated cells; the column and row autosize relies on it.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/graphics/gdi.h"
#include "platform/richtext/richtext_layout.h"
#include "platform/windows/winuser.h"

TSize RotatedCellSize(const TSize& S, int Angle) {
  const double A = Angle * M_PI / 180.0;
  const double SinA = std::sin(A), CosA = std::cos(A);
  // Each side of the turned box is the sum of the projections of both sides.
  const int W = std::abs(static_cast<int>(std::trunc(S.cy * SinA))) +
                std::abs(static_cast<int>(std::trunc(S.cx * CosA)));
  const int H = std::abs(static_cast<int>(std::trunc(S.cy * CosA))) +
                std::abs(static_cast<int>(std::trunc(S.cx * SinA)));
  return TSize{W + 12, H + 12};
}

TSize VIduZozezuVodu::GetCellTextSize(int ACol, int ARow, bool WordWrap, bool Reserve) {
  return GetCellTextSizeInt(ACol, RemapColInv(ACol), ARow, WordWrap, Reserve);
}

void VIduZozezuVodu::MeasureFont(int DCol, int RCol, int ARow, TCanvas* C) {
  TGridDrawState State = 0;
  GetFontProperties(DCol, RCol, ARow, State, C->GetFont(), C->GetBrush(), false);
  C->GetFont()->SetSize(C->GetFont()->GetSize() + FZoomOffset);
}

TSize VIduZozezuVodu::GetCellTextSizeInt(int RCol, int DCol, int ARow, bool WordWrap, bool Reserve) {
  TTextType Kind = ttText;
  AnsiString S = GetFormattedCell(RCol, ARow);
  Kind = TextType(S, FTextPaint.EnableHTML);
  TBitmap*& MB = FTextPaint.MeasureBitmap;
  if (!MB) {
    MB = new TBitmap;
    MB->SetSize(1, 1);
  }
  TCanvas* C = MB->GetCanvas();
  MeasureFont(DCol, RCol, ARow, C);
  if (Kind == ttFormula) S = CalcCell(RCol, ARow);
  const TPoint XY = FXYOffset;
  TRect R = CellRect(DCol, ARow);
  InflateRect(&R, -XY.x, -XY.y);
  if (Reserve) R.right -= 17;
  HDC DC = C->GetHandle();
  TSize Res{0, 0};
  switch (Kind) {
    case ttHTML: {
      if (!WordWrap) R.right = 65535;
      R.bottom = 65535;
      AnsiString Anchor, Stripped, FocusAnchor, AnchorHint, CID, CV, CT;
      int XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
      TRect Hover, CtrlRect;
      HTMLDrawEx(C, S, R, FGridImages, -1, -1, -1, -1, 1, false, true, false, false, false, false, WordWrap, false, 1.0,
                 FURLColor, clNone, clNone, 0x808080, Anchor, Stripped, FocusAnchor, AnchorHint, XSize, YSize, Links,
                 MouseLink, Hover, CtrlRect, CID, CV, CT, FTextPaint.PicCache, FTextPaint.PictureContainer, 0);
      Res = TSize{XSize + 2 * XY.x + 2, YSize + 2 * XY.y + 2};
      break;
    }
    case ttRTF: {
      if (GetComponentState() & csDesigning) break;
      TRichEdit* RE = GetInternalRichEdit();
      RE->Clear();
      RE->SetBounds(0, 0, 0, 0);
      // Set before loading: changing it makes a new window.
      RE->SetWordWrap(GetWordWrapEx());
      CellToRich(RCol, ARow, RE);
      C->GetFont()->SetName(RE->GetSelAttributes()->GetName());
      C->GetFont()->SetSize(RE->GetSelAttributes()->GetSize());
      C->GetFont()->SetStyle(RE->GetSelAttributes()->GetStyle());
      TSize Need{0, 0};
      if (RE->GetParent()) {
        RE->SetBounds(R.left, R.top, std::max(0, R.Width()), std::max(0, R.Height()));
        TRichEditResizeEvent Saved = RE->OnResizeRequest;
        RE->OnResizeRequest = [&Need](TObject*, const TRect& Rect) { Need = TSize{Rect.Width(), Rect.Height()}; };
        SendMessageA(RE->GetHandle(), EM_REQUESTRESIZE, 0, 0);
        RE->OnResizeRequest = Saved;
      } else {
        TCanvasRichMeasurer M(C);
        Need = RichRequiredSize(*RE->GetDocument(), M, std::max(0, R.Width()), GetWordWrapEx());
      }
      Res = TSize{Need.cx + 2 * XY.x, Need.cy + 2 * XY.y};
      break;
    }
    case ttUnicode: {
      WideString W = GetWideCells(RCol, ARow);
      TRect M = R;
      const UINT Flags =
          DT_CALCRECT | DT_NOPREFIX | (GetWordWrapEx() || GetMultilinecells() ? DT_WORDBREAK : DT_SINGLELINE);
      C->RequireState(false, false, true);
      DrawTextExW(DC, W.data(), static_cast<int>(W.size()), &M, Flags, nullptr);
      Res = TSize{M.right + 2 * XY.x - R.left, M.Height()};
      break;
    }
    default:
      if (WordWrap) {
        InflateRect(&R, -2, -2);
        if (GetEditorMode() && FSizeWhileTyping->Height && DCol == GetCol() && ARow == GetRow() && !S.empty() &&
            S.back() == '\n')
          S += "w";
        TRect M = R;
        C->RequireState(false, false, true);
        DrawTextExA(DC, S.data(), static_cast<int>(S.size()), &M,
                    DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL, nullptr);
        Res = TSize{M.right + 2 * XY.x - R.left, M.Height() + 2 * XY.y};
      } else {
        const bool Multi = GetMultilinecells();
        int Lines = 0, Widest = 0;
        AnsiString Rest = S;
        do {
          AnsiString Line = GetNextLine(Rest, Multi);
          if (FURLShow && !FURLFull && Kind == ttText) StripURLProtocol(Line);
          Widest = std::max(Widest, C->TextWidth(Line));
          ++Lines;
        } while (!Rest.empty());
        Res = TSize{Widest + 2 * XY.x, Lines * C->TextHeight("gh") + 2 * XY.y};
      }
      break;
  }
  int Angle = 0;
  if (IsRotated(RCol, ARow, Angle)) Res = RotatedCellSize(Res, Angle);
  return Res;
}
