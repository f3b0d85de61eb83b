// Group boxes and radio groups: containers painted by the framework.
#include <algorithm>

#include "platform/graphics/gdi.h"
#include "platform/rtl/codepages.h"
#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/stdctrls/stdctrls_internal.h"

// ---- TCustomGroupBox ------------------------------------------------------------------------
TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csReplicatable;
  FColor = clBtnFace;
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AlignControls(TControl* AControl, TRect& Rect) {
  // Aligned children stay inside the frame and below the caption.
  Rect.top += stdctl::TMeasure(FFont->GetHandle()).LineHeight();
  InflateRect(&Rect, -1, -1);
  if (FCtl3D) InflateRect(&Rect, -1, -1);
  TCustomControl::AlignControls(AControl, Rect);
}

void TCustomGroupBox::Paint() {
  TCanvas* c = GetCanvas();
  c->SetFont(FFont);
  c->GetBrush()->SetColor(FColor);
  TRect client = GetClientRect();
  c->FillRect(client);
  int h = c->TextHeight("0");
  RECT frame{client.left, client.top + h / 2, client.right, client.bottom};
  DrawEdge(c->GetHandle(), &frame, EDGE_ETCHED, BF_RECT);
  AnsiString text = GetText();
  if (text.empty()) return;
  WideString wide = Utf8ToWide(text);
  RECT tr{8, 0, std::max(8, client.right - 8), h};
  RECT measured = tr;
  HDC dc = c->GetHandle();
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
  tr.right = std::min(tr.right, measured.right);
  RECT back{tr.left - 1, tr.top, tr.right + 1, tr.bottom};
  c->FillRect(TRect(back.left, back.top, back.right, back.bottom));
  SetBkMode(dc, TRANSPARENT);
  if (!GetEnabled()) SetTextColor(dc, ColorToRGB(clGrayText));
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &tr, DT_SINGLELINE | DT_LEFT);
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_FONTCHANGED:
      TCustomControl::Dispatch(Message);
      Realign();
      Invalidate();
      return;
  }
  TCustomControl::Dispatch(Message);
}

// ---- TCustomRadioGroup ----------------------------------------------------------------------
TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), FItems(new TStringList) {
  FControlStyle &= ~csAcceptsControls;
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->OnChange = nullptr;
  for (TRadioButton* b : FButtons) delete b;
  FButtons.clear();
  delete FItems;
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  if (FItemIndex == Value) return;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) {
    FUpdating = true;
    FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(false);
    FUpdating = false;
  }
  FItemIndex = Value;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) {
    FUpdating = true;
    FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(true);
    FUpdating = false;
  }
  if (!(GetComponentState() & csLoading)) Click();
}

void TCustomRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (FColumns == Value) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
  if (FItemIndex >= FItems->GetCount()) FItemIndex = FItems->GetCount() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  ArrangeButtons();
}

void TCustomRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), static_cast<TRadioButton*>(Sender));
  if (it == FButtons.end() || !static_cast<TRadioButton*>(Sender)->GetChecked()) return;
  int index = static_cast<int>(it - FButtons.begin());
  if (index == FItemIndex) return;
  // A click the group may not take puts the old choice back.
  if (!CanModify()) {
    FUpdating = true;
    FButtons[static_cast<std::size_t>(index)]->SetChecked(false);
    if (FItemIndex >= 0) FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(true);
    FUpdating = false;
    return;
  }
  FItemIndex = index;
  Click();
}

void TCustomRadioGroup::UpdateButtons() {
  int count = FItems->GetCount();
  while (ButtonCount() > count) {
    delete FButtons.back();
    FButtons.pop_back();
  }
  while (ButtonCount() < count) {
    auto* b = new TRadioButton(nullptr);
    b->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
    b->SetParent(this);
    FButtons.push_back(b);
  }
  FUpdating = true;
  for (int i = 0; i < count; ++i) {
    TRadioButton* b = FButtons[static_cast<std::size_t>(i)];
    b->SetCaption(FItems->Get(i));
    b->SetChecked(i == FItemIndex);
    b->SetEnabled(GetEnabled());
  }
  FUpdating = false;
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  int textHeight = stdctl::TMeasure(FFont->GetHandle()).LineHeight();
  int perColumn = (ButtonCount() + FColumns - 1) / FColumns;
  int width = (FWidth - 10) / FColumns;
  int area = FHeight - textHeight - 5;
  int height = area / perColumn;
  int top = textHeight + (area - height * perColumn) / 2;
  for (int i = 0; i < ButtonCount(); ++i) {
    int col = i / perColumn, row = i % perColumn;
    FButtons[static_cast<std::size_t>(i)]->SetBounds(col * width + 8, top + row * height, width, height);
  }
}

void TCustomRadioGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomGroupBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  ArrangeButtons();
}

void TCustomRadioGroup::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_FONTCHANGED:
      TCustomGroupBox::Dispatch(Message);
      ArrangeButtons();
      return;
    case CM_ENABLEDCHANGED:
      TCustomGroupBox::Dispatch(Message);
      for (TRadioButton* b : FButtons) b->SetEnabled(GetEnabled());
      return;
  }
  TCustomGroupBox::Dispatch(Message);
}
