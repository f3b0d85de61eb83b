// The grid-level painting around the cells: the paint cycle, the background
// beside and below the cells, the window frame of the modern looks and the
// sizing feedback lines.
#include <algorithm>

#include "grid/picturecontainer.h"
#include "grid/radoriz_draw.h"
#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/graphics/gdi.h"
#include "platform/windows/winuser.h"

TTextPaintState::TTextPaintState(TControl* AGrid)
    : BackGround(new TBackGround(AGrid)), PicCache(new THTMLPictureCache) {}

TTextPaintState::~TTextPaintState() {
  delete RichEdit;
  delete MeasureBitmap;
  delete PicCache;
  delete BackGround;
}

void VIduZozezuVodu::Paint() {
  TCanvas* C = Canvas();
  C->GetPen()->SetStyle(psSolid);
  TBaseGrid::Paint();
  if (FTextPaint.EditFrameShown) {
    const TGridOptions O = GetOptions();
    const bool Lines = GetGridLineWidth() >= 1 && (O & (goHorzLine | goVertLine));
    C->GetPen()->SetColor(Lines ? GetGridLineColor() : GetColor());
    C->GetBrush()->SetStyle(bsClear);
    C->Rectangle(CellRect(GetCol(), GetRow()));
    C->GetBrush()->SetStyle(bsSolid);
  }
  C->GetPen()->SetColor(clBlack);
  TBackGround* BG = FTextPaint.BackGround;
  if (!BG->GetBitmap()->Empty() || BG->GetColorTo() != clNone) PaintBackground();
  PaintDesigner();
  if (OnAfterPaint) OnAfterPaint(this);
}

void VIduZozezuVodu::PaintBackground() {
  TBackGround* BG = FTextPaint.BackGround;
  const TBackGroundDisplay D = BG->GetDisplay();
  const bool Gradient = D == bdGradientHorz || D == bdGradientVert;
  if (Gradient && BG->GetColorTo() == clNone) return;
  const bool LastColIn = GetLeftCol() + GetVisibleColCount() >= GetColCount();
  const bool LastRowIn = GetTopRow() + GetVisibleRowCount() >= GetRowCount();
  if (!LastColIn && !LastRowIn) return;
  const TRect CR = GetClientRect();
  const int LW = GetGridLineWidth();
  HDC DC = Canvas()->GetHandle();
  HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
  bool Any = false;
  if (LastColIn && GetColCount() > 0) {
    const int X = CellRect(GetColCount() - 1, 0).right + LW;
    if (X < CR.right) {
      HRGN S = CreateRectRgn(X, 0, CR.right, CR.bottom);
      CombineRgn(Rgn, Rgn, S, RGN_OR);
      DeleteObject(S);
      Any = true;
    }
  }
  if (LastRowIn && GetRowCount() > 0) {
    const int Y = CellRect(0, GetRowCount() - 1).bottom + LW;
    if (Y < CR.bottom) {
      HRGN S = CreateRectRgn(0, Y, CR.right, CR.bottom);
      CombineRgn(Rgn, Rgn, S, RGN_OR);
      DeleteObject(S);
      Any = true;
    }
  }
  if (!Any) {
    DeleteObject(Rgn);
    return;
  }
  TRect Layout = CR;
  if (FSearchFooter->GetVisible()) Layout.bottom -= 32;
  if (FFloatingFooter->GetVisible()) Layout.bottom -= FFloatingFooter->GetHeight();

  // The canvas keeps the clip it had before (the paint's update region).
  HRGN Old = CreateRectRgn(0, 0, 0, 0);
  const bool HadClip = GetClipRgn(DC, Old) == 1;
  ExtSelectClipRgn(DC, Rgn, RGN_AND);
  DeleteObject(Rgn);
  const bool Empty = BG->GetBitmap()->Empty();
  if (Empty && Gradient) {
    DrawGradient(Canvas(), BG->GetColor(), BG->GetColorTo(), 128, Layout, D == bdGradientHorz);
  } else if (!Empty && D != bdTile) {
    DrawWallPaperFixed(Layout);
  } else if (!Empty && D == bdTile && BG->GetCells() != bcFixed) {
    TPoint Start(Layout.left, Layout.top);
    if (BG->GetCells() == bcNormal) {
      const TRect First = CellRect(GetLeftCol(), GetTopRow());
      Start = TPoint(First.left, First.top);
    }
    const TPoint XY = FXYOffset;
    DrawWallPaperTile(TRect(Start.x + XY.x, Start.y + XY.y, Layout.right, Layout.bottom));
  }
  SelectClipRgn(DC, HadClip ? Old : nullptr);
  DeleteObject(Old);
}

void VIduZozezuVodu::DrawWallPaperFixed(const TRect& R) {
  TBitmap* B = FTextPaint.BackGround->GetBitmap();
  const int L = FTextPaint.BackGround->GetLeft(), T = FTextPaint.BackGround->GetTop();
  const TRect Src(L, T, L + B->GetWidth(), T + B->GetHeight());
  TRect Part;
  if (B->Empty() || !IntersectRect(&Part, &Src, &R)) return;
  SetBkMode(Canvas()->GetHandle(), TRANSPARENT);
  Canvas()->CopyRect(Part, B->GetCanvas(), TRect(Part.left - L, Part.top - T, Part.right - L, Part.bottom - T));
}

void VIduZozezuVodu::DrawWallPaperTile(const TRect& R) {
  TBitmap* B = FTextPaint.BackGround->GetBitmap();
  const int BW = B->GetWidth(), BH = B->GetHeight();
  if (B->Empty() || BW <= 0 || BH <= 0) return;
  for (int Y = R.top; Y < R.bottom; Y += BH) {
    const int H = std::min(BH, R.bottom - Y);
    for (int X = R.left; X < R.right; X += BW) {
      const int W = std::min(BW, R.right - X);
      Canvas()->CopyRect(TRect(X, Y, X + W, Y + H), B->GetCanvas(), TRect(0, 0, W, H));
    }
  }
}

void VIduZozezuVodu::Dispatch(TMessage& Message) {
  if (DispatchHints(Message)) return;
  if (DispatchEditing(Message)) return;
  if (DispatchKeys(Message)) return;
  if (DispatchPointer(Message)) return;
  if (DispatchScrolling(Message)) return;
  if (DispatchMouse(Message)) return;
  if (Message.Msg == CM_DESIGNHITTEST) {
    CMDesignHitTest(Message);
    return;
  }
  if (Message.Msg == WM_NCPAINT) {
    TBaseGrid::Dispatch(Message);
    if (FUpdateCount <= 0) {
      NCPaintProc();
      Message.Result = 0;
    }
    return;
  }
  TBaseGrid::Dispatch(Message);
}

void VIduZozezuVodu::NCPaintProc() {
  const TGridLook L = GetLook();
  const bool Modern = L == glSoft || (L >= glZyt && L <= glOffice2007);
  if (!Modern || GetBorderStyle() == bsNone || FFlat || !HandleAllocated()) return;
  HDC DC = GetWindowDC(GetHandle());
  if (!DC) return;
  const int W = GetWidth(), H = GetHeight();
  TCanvas C;
  C.SetHandle(DC);
  C.GetBrush()->SetStyle(bsClear);
  C.GetPen()->SetColor(FIsThemed ? 0xB99D7F : 0x808080);
  C.Rectangle(1, 1, W - 1, H - 1);
  if (TWinControl* P = GetParent()) {
    C.GetPen()->SetColor(P->GetColor());
    C.Rectangle(0, 0, W, H);
  }
  C.SetHandle(nullptr);
  ReleaseDC(GetHandle(), DC);
}

void VIduZozezuVodu::DrawSizingLine(int X) {
  TCanvas* C = Canvas();
  TPen Saved;
  Saved.Assign(C->GetPen());
  C->GetPen()->SetColor(clBlack);
  C->GetPen()->SetStyle(psDot);
  C->GetPen()->SetWidth(1);
  C->GetPen()->SetMode(pmXor);
  C->MoveTo(X, 0);
  C->LineTo(X, std::max(GetHeight(), GetGridHeight()));
  C->GetPen()->Assign(&Saved);
}

void VIduZozezuVodu::DrawSizingLineR(int Y) {
  TCanvas* C = Canvas();
  TPen Saved;
  Saved.Assign(C->GetPen());
  C->GetPen()->SetColor(clBlack);
  C->GetPen()->SetStyle(psDot);
  C->GetPen()->SetWidth(1);
  C->GetPen()->SetMode(pmXor);
  C->MoveTo(0, Y);
  C->LineTo(std::max(GetWidth(), GetGridWidth()), Y);
  C->GetPen()->Assign(&Saved);
}
