// The glow button unit: the shortcut hint window.
#include "controls/zytglowbutton.h"

#include <algorithm>

TShortCutHintWindow::TShortCutHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
  FColor = clWhite;
  AdjustSize();
}

void TShortCutHintWindow::SetColorTo(TColor Value) {
  if (FColorTo == Value) return;
  FColorTo = Value;
  Invalidate();
}

void TShortCutHintWindow::Dispatch(TMessage& Message) {
  THintWindow::Dispatch(Message);
  if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) AdjustSize();
}

void TShortCutHintWindow::AdjustSize() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  const AnsiString text = GetText();
  SIZE t{}, o{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &t);
  GetTextExtentPoint32A(dc, "O", 1, &o);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int w = std::max(t.cx, o.cx) + 8;
  const int h = std::max(t.cy, o.cy) + 4;
  if (HandleAllocated())
    SetWindowPos(FHandle, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateBoundsFields(FLeft, FTop, w, h);
}

void TShortCutHintWindow::MoveTo(int X, int Y) {
  if (HandleAllocated())
    SetWindowPos(FHandle, nullptr, X, Y, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
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
  TRect r = GetClientRect();
  c->GetBrush()->SetColor(GetColor());
  c->FillRect(r);
  c->GetFont()->Assign(GetFont());
  c->GetBrush()->SetStyle(bsClear);
  AnsiString text = GetText();
  DrawTextA(c->GetHandle(), text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
