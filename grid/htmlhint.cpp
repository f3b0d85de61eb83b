#include "grid/htmlhint.h"

#include <algorithm>

#include "grid/radoriz.h"
#include "grid/vzvhtmle.h"

void THTMLHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  Params.Style &= ~WS_BORDER;
  Params.WindowClassStyle |= CS_DROPSHADOW;
}

void THTMLHintWindow::SelectHintFont(TCanvas* C, bool Wide) {
  C->GetFont()->Assign(GetFont());
  if (Wide && !HTMLHintWideFontName.empty()) C->GetFont()->SetName(HTMLHintWideFontName);
}

TSize THTMLHintWindow::Measure(int MaxWidth, const AnsiString& AHint, bool& Wide) {
  HandleNeeded();
  TCanvas* C = GetCanvas();
  Wide = TextType(AHint, true) == ttUnicode;
  SelectHintFont(C, Wide);
  if (Wide) {
    FWideCaption = DecodeWideStr(AHint);
    RECT R{0, 0, MaxWidth, 0};
    DrawTextW(C->GetHandle(), FWideCaption.c_str(), static_cast<int>(FWideCaption.size()), &R,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return TSize{R.right - R.left, R.bottom - R.top};
  }
  THTMLDrawOptions O;
  O.Canvas = C;
  O.Text = AHint;
  O.Rect = TRect(0, 0, MaxWidth, 4096);
  O.CheckHeight = true;
  O.URLColor = LinkColor;
  O.ShadowColor = ShadowColor;
  THTMLDrawResults Res;
  HTMLDraw(O, Res);
  return TSize{Res.XSize, Res.YSize};
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
  bool Wide = false;
  TSize S = Measure(MaxWidth, AHint, Wide);
  return TRect(0, 0, S.cx, S.cy);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
  SetText(AHint);
  int ExtraW = 16;
  const int ExtraH = 4;
  bool Wide = false;
  TSize S = Measure(MeasureWidth, AHint, Wide);
  if (Wide) ExtraW = 8;
  FTextWidth = S.cx;
  FTextHeight = S.cy;
  TRect R(Rect.left, Rect.top, Rect.left + FTextWidth + ExtraW, Rect.top + FTextHeight + ExtraH);
  if (Screen) {
    if (TMonitor* M = Screen->MonitorFromPoint(TPoint(R.left, R.top))) {
      const TRect& B = M->BoundsRect;
      if (R.right > B.right) OffsetRect(&R, B.right - 2 - R.right, 0);
      if (R.bottom > B.bottom) OffsetRect(&R, 0, B.bottom - 2 - R.bottom);
    }
  }
  SetBounds(R.left, R.top, R.Width(), R.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, R.left, R.top, R.Width(), R.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THTMLHintWindow::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  C->GetBrush()->SetStyle(bsSolid);
  C->GetBrush()->SetColor(GetColor());
  C->FillRect(R);
  C->GetPen()->SetColor(cl3DLight);
  C->MoveTo(R.left, R.bottom - 2);
  C->LineTo(R.left, R.top);
  C->LineTo(R.right - 1, R.top);
  C->GetPen()->SetColor(cl3DDkShadow);
  C->MoveTo(R.left, R.bottom - 1);
  C->LineTo(R.right - 1, R.bottom - 1);
  C->LineTo(R.right - 1, R.top - 1);
  TRect T(R.left + 4, 0, R.right - 4, 0);
  T.top = R.top + (R.Height() - FTextHeight) / 2;
  T.bottom = T.top + FTextHeight + 8;
  C->GetBrush()->SetStyle(bsClear);
  AnsiString Hint = GetText();
  bool Wide = TextType(Hint, true) == ttUnicode;
  SelectHintFont(C, Wide);
  if (Wide) {
    WideString W = DecodeWideStr(Hint);
    RECT TR = T;
    DrawTextW(C->GetHandle(), W.c_str(), static_cast<int>(W.size()), &TR, DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  THTMLDrawOptions O;
  O.Canvas = C;
  O.Text = Hint;
  O.Rect = T;
  O.URLColor = LinkColor;
  O.ShadowColor = ShadowColor;
  THTMLDrawResults Res;
  HTMLDraw(O, Res);
}
