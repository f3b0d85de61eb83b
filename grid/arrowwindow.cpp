#include "grid/arrowwindow.h"

#include <algorithm>

#include "platform/windows/winregion.h"

std::array<POINT, 7> TArrowWindow::ArrowPoints(TArrowDirection Direction) {
  switch (Direction) {
    case arrUp: return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
    case arrDown: return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
    case arrLeft: return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
    case arrRight: break;
  }
  return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
}

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction)
    : TPanel(AOwner), FDirection(Direction) {
  SetColor(ArrowColor);
  SetBevelOuter(bvNone);
  auto P = ArrowPoints(Direction);
  LONG W = 0, H = 0;
  for (const POINT& Pt : P) {
    W = std::max(W, Pt.x + 1);
    H = std::max(H, Pt.y + 1);
  }
  SetVisible(false);
  SetBounds(0, 0, W, H);
  SetParent(AOwner);
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
  TPanel::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = 0;
}

void TArrowWindow::CreateWnd() {
  TPanel::CreateWnd();
  auto P = ArrowPoints(FDirection);
  SetWindowRgn(Handle(), CreatePolygonRgn(P.data(), static_cast<int>(P.size()), WINDING), TRUE);
}

void TArrowWindow::Paint() {
  TCanvas* C = GetCanvas();
  C->GetBrush()->SetColor(GetColor());
  C->GetPen()->SetColor(GetColor());
  TRect R = GetClientRect();
  C->Rectangle(R.left, R.top, R.right, R.bottom);
}
