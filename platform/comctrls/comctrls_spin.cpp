// TCSpinEdit: the integer spin edit on the edit control.
#include "platform/comctrls/comctrls_spin.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>

#include "platform/graphics/gdi.h"

TCSpinEdit::TCSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner), FButton(new TCSpinButton(nullptr)) {
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  FButton->SetParent(this);
  SetText("0");
  PlaceButton();
}

void TCSpinEdit::PlaceButton() {
  // The button fills the right edge of the client area; the text stops
  // short of it.
  TRect client(0, 0, FWidth - 4, FHeight - 4);
  if (FHandle) client = GetClientRect();
  int w = 15;
  FButton->SetBounds(std::max(0, client.right - w), 0, w, client.Height());
  if (FHandle) {
    RECT r{0, 0, std::max(0, client.right - w - 2), client.bottom};
    SendMessageA(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  }
}

void TCSpinEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FButton) PlaceButton();
}

void TCSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  PlaceButton();
}

int TCSpinEdit::CheckValue(long long NewValue) const {
  if (FMaxValue != FMinValue) NewValue = std::clamp<long long>(NewValue, FMinValue, FMaxValue);
  return static_cast<int>(std::clamp<long long>(NewValue, INT_MIN, INT_MAX));
}

int TCSpinEdit::GetValue() {
  AnsiString text = GetText();
  auto first = text.find_first_not_of(' ');
  auto last = text.find_last_not_of(' ');
  if (first == AnsiString::npos) return FMinValue;
  const char* b = text.data() + first;
  const char* e = text.data() + last + 1;
  if (*b == '+') ++b;
  long long v = 0;
  auto [p, ec] = std::from_chars(b, e, v);
  if (ec != std::errc() || p != e || v < INT_MIN || v > INT_MAX) return FMinValue;
  return static_cast<int>(v);
}

void TCSpinEdit::SetValue(int NewValue) {
  // Plain digits: no group separators, whatever the locale.
  SetText(std::to_string(CheckValue(NewValue)));
}

void TCSpinEdit::SetMinValue(int Value) { FMinValue = Value; }
void TCSpinEdit::SetMaxValue(int Value) { FMaxValue = Value; }

void TCSpinEdit::UpClick(TObject*) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(CheckValue(static_cast<long long>(GetValue()) + FIncrement));
}

void TCSpinEdit::DownClick(TObject*) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(CheckValue(static_cast<long long>(GetValue()) - FIncrement));
}

void TCSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_UP) {
    UpClick(this);
    Key = 0;
  } else if (Key == VK_DOWN) {
    DownClick(this);
    Key = 0;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TCSpinEdit::KeyPress(char16_t& Key) {
  bool valid = (Key >= u'0' && Key <= u'9') || Key == u'-' || Key == u'+' || (Key < 32 && Key != VK_RETURN);
  if (valid && !FEditorEnabled && (Key >= 32 || Key == VK_BACK)) valid = false;
  if (!valid) {
    Key = 0;
    MessageBeep(0);
  }
  if (Key != 0) TCustomEdit::KeyPress(Key);
}

void TCSpinEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      TCustomEdit::Dispatch(Message);
      PlaceButton();
      return;
    case CM_EXIT:
      // Leaving puts a value outside the limits (or no number) back in them.
      if (CheckValue(GetValue()) != GetValue() || GetText() != std::to_string(GetValue())) SetValue(GetValue());
      TCustomEdit::Dispatch(Message);
      return;
    case WM_PASTE:
    case WM_CUT:
      if (!FEditorEnabled || GetReadOnly()) return;
      break;
    case CM_ENABLEDCHANGED:
      TCustomEdit::Dispatch(Message);
      FButton->SetEnabled(GetEnabled());
      return;
  }
  TCustomEdit::Dispatch(Message);
}
