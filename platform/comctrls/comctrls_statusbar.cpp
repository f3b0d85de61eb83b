// The status bar: panels with widths and texts, the simple panel, and the
// automatic hint.
#include <algorithm>

#include "platform/comctrls/comctrls.h"
#include "platform/graphics/gdi.h"

namespace {

// Status bars with AutoHint on; the application's hint goes to each.
std::vector<TStatusBar*>& AutoHintBars() {
  static std::vector<TStatusBar*> bars;
  return bars;
}

void HintChanged(TObject*) {
  if (!Application) return;
  AnsiString hint = Application->GetHint();
  auto bars = AutoHintBars();
  for (TStatusBar* b : bars) b->DoHint(hint);
}

// Installs the application's hint handler unless the program has one of
// its own (which then decides alone, as it always did).
void HookApplicationHint() {
  if (Application && !Application->OnHint) Application->OnHint = HintChanged;
}

}  // namespace

void ShowAutoHint(const AnsiString& Hint) {
  if (!Application) return;
  auto* target = Application->OnHint.target<void (*)(TObject*)>();
  if (!target || *target != &HintChanged) return;
  auto bars = AutoHintBars();
  for (TStatusBar* b : bars) b->DoHint(Hint);
}

// ---- Panels -------------------------------------------------------------------------------
void TStatusPanel::Changed() { FBar->Invalidate(); }

void TStatusPanel::SetText(const AnsiString& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed();
}
void TStatusPanel::SetWidth(int Value) {
  Value = std::max(0, Value);
  if (FWidth == Value) return;
  FWidth = Value;
  Changed();
}
void TStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed();
}
void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Changed();
}
int TStatusPanel::GetIndex() const {
  auto& items = FBar->FPanels->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

TStatusPanels::~TStatusPanels() {
  for (TStatusPanel* p : FItems) delete p;
}

TStatusPanel* TStatusPanels::Add() {
  FItems.push_back(new TStatusPanel(FBar));
  FBar->Invalidate();
  return FItems.back();
}

TStatusPanel* TStatusPanels::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)];
}

void TStatusPanels::Delete(int Index) {
  TStatusPanel* p = GetItem(Index);
  FItems.erase(FItems.begin() + Index);
  delete p;
  FBar->Invalidate();
}

void TStatusPanels::Clear() {
  while (!FItems.empty()) Delete(GetCount() - 1);
}

// ---- TStatusBar ---------------------------------------------------------------------------------
TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner), FPanels(new TStatusPanels(this)) {
  FColor = clBtnFace;
  FParentColor = false;
  FControlStyle &= ~csSetCaption;
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
  std::erase(AutoHintBars(), this);
  delete FPanels;
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel == Value) return;
  FSimplePanel = Value;
  Invalidate();
}

void TStatusBar::SetSimpleText(const AnsiString& Value) {
  if (FSimpleText == Value) return;
  FSimpleText = Value;
  Invalidate();
}

void TStatusBar::SetAutoHint(bool Value) {
  if (FAutoHint == Value) return;
  FAutoHint = Value;
  if (Value) {
    AutoHintBars().push_back(this);
    HookApplicationHint();
  } else {
    std::erase(AutoHintBars(), this);
  }
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  Invalidate();
}

void TStatusBar::DoHint(const AnsiString& Hint) {
  if (OnHint) {
    OnHint(this);
    return;
  }
  if (FSimplePanel || FPanels->GetCount() == 0)
    SetSimpleText(Hint);
  else
    FPanels->GetItem(0)->SetText(Hint);
}

TRect TStatusBar::PanelRect(int Index) {
  TRect c = GetClientRect();
  int x = 0;
  for (int i = 0; i < Index; ++i) x += FPanels->GetItem(i)->GetWidth();
  bool last = Index == FPanels->GetCount() - 1;
  int right = last ? c.right : x + FPanels->GetItem(Index)->GetWidth();
  return TRect(x, 2, std::max(x, right), c.bottom);
}

void TStatusBar::Paint() {
  TCanvas* c = Canvas();
  TRect client = GetClientRect();
  c->GetBrush()->SetColor(clBtnFace);
  c->FillRect(client);
  c->GetFont()->Assign(GetFont());
  HDC dc = c->GetHandle();
  c->RequireState(false, false, true);  // the texts are drawn on the context directly
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(clBtnText));
  auto drawText = [&](const AnsiString& Text, TRect R, TAlignment A) {
    InflateRect(&R, -2, -1);
    UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    fmt |= A == taCenter ? DT_CENTER : A == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawTextA(dc, Text.c_str(), -1, &R, fmt);
  };
  if (FSimplePanel || FPanels->GetCount() == 0) {
    TRect r(0, 2, client.right, client.bottom);
    if (FSimplePanel) {
      RECT e = r;
      DrawEdge(dc, &e, BDR_SUNKENOUTER, BF_RECT);
    }
    drawText(FSimpleText, r, taLeftJustify);
  } else {
    for (int i = 0; i < FPanels->GetCount(); ++i) {
      TStatusPanel* p = FPanels->GetItem(i);
      TRect r = PanelRect(i);
      if (r.right > r.left + 2) r.right -= 2;  // the gap between panels
      if (p->GetBevel() != pbNone) {
        RECT e = r;
        DrawEdge(dc, &e, p->GetBevel() == pbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      }
      drawText(p->GetText(), r, p->GetAlignment());
    }
  }
  if (FSizeGrip) {
    // Three diagonal ridges in the bottom right corner.
    for (int k = 0; k < 3; ++k) {
      int o = 4 + 4 * k;
      c->GetPen()->SetColor(clBtnHighlight);
      c->MoveTo(client.right - o, client.bottom - 1);
      c->LineTo(client.right, client.bottom - o - 1);
      c->GetPen()->SetColor(clBtnShadow);
      c->MoveTo(client.right - o + 1, client.bottom - 1);
      c->LineTo(client.right, client.bottom - o);
    }
  }
}
