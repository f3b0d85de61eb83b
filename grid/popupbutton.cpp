#include "grid/popupbutton.h"

#include "grid/radoriz_draw.h"
#include "grid/vzvhtmle.h"

TPopupButton::TPopupButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetDoubleBuffered(true);
  SetColor(clBtnFace);
}

void TPopupButton::SetCaption(const AnsiString& Value) {
  FCaption = Value;
  Invalidate();
}

void TPopupButton::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TPopupButton::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = PopupStyle;
  Params.WindowClassStyle |= CS_SAVEBITS;
}

void TPopupButton::CreateWnd() {
  TCustomControl::CreateWnd();
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TPopupButton::Paint() {
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  if (!FFlat) {
    C->GetPen()->SetColor(clWhite);
    C->MoveTo(R.left, R.bottom - 1);
    C->LineTo(R.left, R.top);
    C->LineTo(R.right - 1, R.top);
    C->GetPen()->SetColor(0x808080);
    C->LineTo(R.right - 1, R.bottom - 1);
    C->LineTo(R.left, R.bottom - 1);
    R = TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  }
  if (GradFrom != clNone) DrawVistaGradient(C, R, GradFrom, GradTo, GradMirrorFrom, GradMirrorTo, true, clNone, false, true);
  C->GetBrush()->SetStyle(bsClear);
  SetBkMode(C->GetHandle(), TRANSPARENT);
  if (FCaption.find("</") != AnsiString::npos) {
    THTMLDrawOptions O;
    O.Canvas = C;
    O.Text = FCaption;
    O.Rect = R;
    O.Images = FImages;
    THTMLDrawResults Res;
    HTMLDraw(O, Res);
    return;
  }
  RECT T = R;
  DrawTextA(C->GetHandle(), FCaption.c_str(), -1, &T, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
