// The Unicode edits, memo and combo box and the wide text of their windows.
#include "grid/vzvuni.h"

#include <set>

#include "platform/rtl/codepages.h"
#include "platform/windows/winime.h"

namespace {

// The controls whose window is hooked right now.
std::set<TWinControl*>& Hooked() {
  static std::set<TWinControl*> s;
  return s;
}

}  // namespace

// ---- Wide text of controls -------------------------------------------------------------------
TWideCaptionHolder* LocateCaptionHolder(TWinControl* Control, const WideString& DefaultCaption) {
  for (int i = 0; i < Control->ComponentCount(); ++i)
    if (auto* h = dynamic_cast<TWideCaptionHolder*>(Control->Components(i))) return h;
  auto* h = new TWideCaptionHolder(Control);
  h->Caption = DefaultCaption;
  return h;
}

void HookWideWindow(TWinControl* Control) {
  if (Control->HandleAllocated()) Hooked().insert(Control);
}

void UnhookWideWindow(TWinControl* Control) { Hooked().erase(Control); }

bool IsWideWindowHooked(TWinControl* Control) { return Hooked().count(Control) != 0; }

void CreateWideHandle(TWinControl* Control, const TCreateParams& Params, const AnsiString&,
                      const std::function<void(const TCreateParams&)>& Create) {
  TCreateParams p = Params;
  p.Caption.clear();
  Create(p);
  HookWideWindow(Control);
  // A holder left from an earlier window brings its text back.
  SetWideControlText(Control, LocateCaptionHolder(Control, Utf8ToWide(Params.Caption))->Caption);
}

void ReleaseWideHandle(TWinControl* Control) {
  if (!IsWideWindowHooked(Control)) return;
  if (!Control->HasState(csDestroying)) LocateCaptionHolder(Control, {})->Caption = GetWideControlText(Control);
  UnhookWideWindow(Control);
}

WideString GetWideControlText(TWinControl* Control) {
  if (Control->HandleAllocated() && IsWideWindowHooked(Control)) {
    HWND h = Control->GetHandle();
    int n = GetWindowTextLengthA(h);
    AnsiString s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(h, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(std::max(0, got)));
    return Utf8ToWide(s);
  }
  return LocateCaptionHolder(Control, Utf8ToWide(Control->TControl::GetText()))->Caption;
}

void SetWideControlText(TWinControl* Control, const WideString& Text) {
  if (Control->HandleAllocated() && IsWideWindowHooked(Control)) {
    if (GetWideControlText(Control) == Text) return;
    AnsiString s = WideToUtf8(Text);
    SetWindowTextA(Control->GetHandle(), s.c_str());
    Control->Perform(CM_TEXTCHANGED, 0, 0);
    return;
  }
  Control->TControl::SetText(WideToUtf8(Text));
  LocateCaptionHolder(Control, {})->Caption = Text;
}

void PackCharMessage(TMessage& Message) {
  if (Message.Msg != WM_CHAR) return;
  if (HIWORD(Message.WParam) != 0) throw EAssertionFailed("Assertion failed: a packed character message");
  WORD ch = LOWORD(Message.WParam);
  if (ch >= 256) Message.WParam = MAKEWPARAM(255, ch);
}

void UnpackCharMessage(TMessage& Message) {
  if (Message.Msg != WM_CHAR) return;
  WORD hi = HIWORD(Message.WParam), lo = LOWORD(Message.WParam);
  Message.WParam = hi != 0 && lo == 255 ? hi : lo;
}

bool SendImeResult(HWND Wnd, const TMessage& Message) {
  if (Message.Msg != WM_IME_COMPOSITION || !(static_cast<DWORD>(Message.LParam) & GCS_RESULTSTR)) return false;
  HIMC imc = ImmGetContext(Wnd);
  if (!imc) return false;
  LONG bytes = ImmGetCompositionStringW(imc, GCS_RESULTSTR, nullptr, 0);
  std::u16string text(bytes > 0 ? static_cast<std::size_t>(bytes) / 2 : 0, u'\0');
  if (!text.empty()) ImmGetCompositionStringW(imc, GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
  ImmReleaseContext(Wnd, imc);
  for (char16_t c : text) SendMessageA(Wnd, WM_CHAR, c, 1);
  return true;
}

// ---- Edits ------------------------------------------------------------------------------------
TCustomUNIEdit::TCustomUNIEdit(TComponent* AOwner) : TCustomEdit(AOwner) { GetFont()->SetCharset(DEFAULT_CHARSET); }

TCustomUNIEdit::~TCustomUNIEdit() { UnhookWideWindow(this); }

void TCustomUNIEdit::CreateWindowHandle(const TCreateParams& Params) {
  CreateWideHandle(this, Params, "EDIT", [this](const TCreateParams& P) { TCustomEdit::CreateWindowHandle(P); });
}

WideString TCustomUNIEdit::GetSelText() {
  WideString t = GetText();
  int start = std::min<int>(GetSelStart(), static_cast<int>(t.size()));
  return t.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(GetSelLength()));
}

void TCustomUNIEdit::SetSelText(const WideString& Value) {
  AnsiString s = WideToUtf8(Value);
  SendMessageA(GetHandle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TCustomUNIEdit::WideChar(TMessage& Message) {
  PackCharMessage(Message);
  // The key handlers see the packed code; the window the real character
  // unless a handler changed it.
  TMessage key = Message;
  key.WParam = LOWORD(Message.WParam);
  if (DoKeyPress(key)) return;
  Message.WParam = MAKEWPARAM(LOWORD(key.WParam), HIWORD(Message.WParam));
  UnpackCharMessage(Message);
  DefaultHandler(Message);
}

void TCustomUNIEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CHAR:
      WideChar(Message);
      return;
    case WM_IME_COMPOSITION:
      if (HandleAllocated() && SendImeResult(GetHandle(), Message)) return;
      break;
    case WM_DESTROY:
      ReleaseWideHandle(this);
      break;
  }
  TCustomEdit::Dispatch(Message);
}

TVzvUniCustomMemo::TVzvUniCustomMemo(TComponent* AOwner) : TCustomUNIEdit(AOwner) {}

void TVzvUniCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TVzvUniCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TVzvUniCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomUNIEdit::CreateParams(Params);
  if (FWordWrap) Params.Style &= ~ES_AUTOHSCROLL;
  Params.Style |= ES_MULTILINE;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
}

void TVzvUniCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomUNIEdit::Dispatch(Message);
    Message.Result &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
    return;
  }
  TCustomUNIEdit::Dispatch(Message);
}

TVzvUniMemo::TVzvUniMemo(TComponent* AOwner) : TVzvUniCustomMemo(AOwner) {
  SetAutoSize(false);
  SetBounds(GetLeft(), GetTop(), 200, 100);
  SetWordWrap(true);
}

// ---- Combo box ----------------------------------------------------------------------------------
TCustomUNIComboBox::TCustomUNIComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), FWideItems(new TComboBoxStrings(this)) {
  GetFont()->SetCharset(DEFAULT_CHARSET);
}

TCustomUNIComboBox::~TCustomUNIComboBox() {
  UnhookWideWindow(this);
  delete FWideItems;
}

void TCustomUNIComboBox::CreateWindowHandle(const TCreateParams& Params) {
  CreateWideHandle(this, Params, "COMBOBOX",
                   [this](const TCreateParams& P) { TCustomComboBox::CreateWindowHandle(P); });
}

void TCustomUNIComboBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  HookEditChar();
}

// Characters of the edit part: packed for the key handlers, Enter and Esc
// only close a dropped list, input-method results become characters.
void TCustomUNIComboBox::HookEditChar() {
  HWND edit = EditHandle();
  if (!edit) return;
  TWindowProc framework = ::GetWindowProc(edit);
  ::SetWindowProc(edit, [this, framework](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    try {
      TMessage msg{m, wp, lp, 0};
      if (SendImeResult(h, msg)) return 0;
      if (m != WM_CHAR) return CallWindowProc(framework, h, m, wp, lp);
      PackCharMessage(msg);
      DoEditCharMsg(msg);
      TMessage key = msg;
      key.WParam = LOWORD(msg.WParam);
      if (DoKeyPress(key)) return 0;
      msg.WParam = MAKEWPARAM(LOWORD(key.WParam), HIWORD(msg.WParam));
      UnpackCharMessage(msg);
      if ((msg.WParam == VK_RETURN || msg.WParam == VK_ESCAPE) && GetDroppedDown()) {
        SetDroppedDown(false);
        return 0;
      }
      // The framework's own route runs the key handlers once more: skip them.
      FPassingChar = true;
      LRESULT r = CallWindowProc(framework, h, WM_CHAR, msg.WParam, lp);
      FPassingChar = false;
      return r;
    } catch (...) {
      FPassingChar = false;
      HandleFrameworkException(this);
      return 0;
    }
  });
}

void TCustomUNIComboBox::KeyPress(char16_t& Key) {
  if (FPassingChar) return;
  if (Key == VK_BACK) {
    if (OnKeyPress) OnKeyPress(this, Key);
    return;
  }
  TCustomComboBox::KeyPress(Key);
}

WideString TCustomUNIComboBox::GetSelText() {
  if (FStyle != csDropDown && FStyle != csSimple) return {};
  WideString t = GetText();
  int start = std::min<int>(GetSelStart(), static_cast<int>(t.size()));
  return t.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(GetSelLength()));
}

void TCustomUNIComboBox::SetSelText(const WideString& Value) {
  if (FStyle != csDropDown && FStyle != csSimple) return;
  HWND edit = EditHandle();
  if (!edit) return;
  AnsiString s = WideToUtf8(Value);
  SendMessageA(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TCustomUNIComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == CBN_SELCHANGE && !FCreating) {
        int i = GetItemIndex();
        SetText(i >= 0 && i < FWideItems->GetCount() ? FWideItems->Get(i) : WideString());
        Click();
        Change();
        return;
      }
      break;
    case WM_DESTROY:
      ReleaseWideHandle(this);
      break;
  }
  TCustomComboBox::Dispatch(Message);
}
