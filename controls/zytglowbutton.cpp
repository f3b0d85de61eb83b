// The glow button unit: the shortcut hint window.
#include "controls/zytglowbutton.h"

#include <algorithm>
#include <cmath>

TShortCutHintWindow::TShortCutHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
  FColor = clWhite;
  AdjustSize();
}

void TShortCutHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void TShortCutHintWindow::SetColorTo(TColor Value) {
  if (FColorTo == Value) return;
  FColorTo = Value;
  Invalidate();
}

void TShortCutHintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {  // the paint covers everything
    Message.Result = 1;
    return;
  }
  THintWindow::Dispatch(Message);
  if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) AdjustSize();
}

int TShortCutHintWindow::MinWidth() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  SIZE o{};
  GetTextExtentPoint32A(dc, "O", 1, &o);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return o.cx + 8;
}

void TShortCutHintWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  THintWindow::SetBounds(ALeft, ATop, std::max(AWidth, MinWidth()), AHeight);
}

// The platform hint's size for the text.
void TShortCutHintWindow::AdjustSize() {
  const TRect r = CalcHintRect(Screen ? Screen->GetWidth() : 1024, GetText(), nullptr);
  const int w = std::max(static_cast<int>(r.Width()), MinWidth());
  if (HandleAllocated())
    SetWindowPos(FHandle, nullptr, 0, 0, w, r.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateBoundsFields(FLeft, FTop, w, r.Height());
}

void TShortCutHintWindow::MoveTo(int X, int Y) {
  if (HandleAllocated()) SetWindowPos(FHandle, nullptr, X, Y, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateBoundsFields(X, Y, FWidth, FHeight);
}

void TShortCutHintWindow::ShowHint() {
  HWND h = GetHandle();
  SetWindowPos(h, HWND_TOPMOST, FLeft, FTop, FWidth, FHeight, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  Invalidate();
}

void TShortCutHintWindow::HideHint() {
  if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
  FVisible = false;
}

void TShortCutHintWindow::Paint() {
  TCanvas* c = Canvas();
  const TRect r = GetClientRect();
  const COLORREF from = ColorToRGB(GetColor()), to = ColorToRGB(FColorTo);
  const double s = r.Height() / 16.0;
  for (int i = 0; i < 16; ++i) {
    auto channel = [i](int a, int b) { return a + (b - a) * i / 16; };
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(static_cast<TColor>(RGB(channel(GetRValue(from), GetRValue(to)),
                                                    channel(GetGValue(from), GetGValue(to)),
                                                    channel(GetBValue(from), GetBValue(to)))));
    const int top = r.top + static_cast<int>(std::nearbyint(i * s));
    c->FillRect(TRect(r.left, top, r.right, top + static_cast<int>(std::nearbyint(s)) + 1));
  }
  c->GetFont()->Assign(GetFont());
  c->GetBrush()->SetStyle(bsClear);
  TRect tr = r;
  c->RequireState(false, true, true);
  const AnsiString text = GetText();
  DrawTextA(c->GetHandle(), text.c_str(), -1, &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  c->GetPen()->SetColor(static_cast<TColor>(0x808080));
  c->RoundRect(r.left, r.top, r.right, r.bottom, 3, 3);
}
