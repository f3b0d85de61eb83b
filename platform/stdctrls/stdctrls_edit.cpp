#include "platform/stdctrls/stdctrls_edit.h"

#include "platform/rtl/codepages.h"
#include "platform/forms/forms.h"

// ---- TCustomEdit -----------------------------------------------------------------------
TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  FTabStop = true;
  FBorderStyle = bsSingle;
  FParentColor = false;
  FColor = clWindow;
  FControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  RegisterStdControlClasses();
  CreateSubClass(Params, "EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
  if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
}

void TCustomEdit::CreateWnd() {
  FCreating = true;
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  SendMessageA(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
  SendMessageA(FHandle, EM_SETMODIFY, FModified, 0);
  UpdateHeight();
}

void TCustomEdit::UpdateHeight() {
  if (FAutoSize && FBorderStyle == bsSingle) {
    FControlStyle |= csFixedHeight;
    AdjustHeight();
  } else {
    FControlStyle &= ~csFixedHeight;
  }
}

void TCustomEdit::AdjustHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->GetHandle());
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int frame = GetSystemMetrics(SM_CYBORDER) * (FCtl3D ? 8 : 6);
  SetHeight(tm.tmHeight + frame);
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  UpdateHeight();
}

void TCustomEdit::DestroyWnd() {
  FModified = SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0;
  TWinControl::DestroyWnd();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating) Change();
      return;
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), TRUE);
      if (FControlStyle & csFixedHeight) AdjustHeight();
      return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomEdit::DoEnter() {
  // Entered from the keyboard: the text is selected, ready to be replaced.
  if (FAutoSelect && !(FControlState & csLButtonDown) && GetKeyState(VK_LBUTTON) >= 0 && FHandle &&
      !(GetWindowLongA(FHandle, GWL_STYLE) & ES_MULTILINE))
    SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

WideString TCustomEdit::GetWideText() { return Utf8ToWide(GetText()); }
void TCustomEdit::SetWideText(const WideString& Value) { SetText(WideToUtf8(Value)); }

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = Value < 0 ? 0 : Value;
  if (FHandle) SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetPasswordChar(char16_t Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (FHandle) SendMessageA(FHandle, EM_SETPASSWORDCHAR, Value, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool Value) {
  if (FOEMConvert == Value) return;
  FOEMConvert = Value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

bool TCustomEdit::GetModified() { return FHandle ? SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified; }

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (FHandle) SendMessageA(FHandle, EM_SETMODIFY, Value, 0);
}

int TCustomEdit::GetSelStart() {
  DWORD a = 0, b = 0;
  SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return static_cast<int>(a);
}

int TCustomEdit::GetSelLength() {
  DWORD a = 0, b = 0;
  SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return static_cast<int>(b - a);
}

void TCustomEdit::SetSelStart(int Value) { SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(Value), Value); }

void TCustomEdit::SetSelLength(int Value) {
  int start = GetSelStart();
  SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

AnsiString TCustomEdit::GetSelText() {
  WideString t = GetWideText();
  int s = GetSelStart(), n = GetSelLength();
  if (s > static_cast<int>(t.size())) return {};
  return WideToUtf8(t.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(n)));
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
  SendMessageA(GetHandle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() {
  if (FHandle) SendMessageA(FHandle, EM_SETSEL, 0, -1);
}

bool TCustomEdit::CanUndo() { return FHandle && SendMessageA(FHandle, EM_CANUNDO, 0, 0) != 0; }

// ---- TMemoStrings ------------------------------------------------------------------------
std::vector<AnsiString> TMemoStrings::Split() const {
  std::vector<AnsiString> out;
  AnsiString t = FMemo->GetText();
  if (t.empty()) return out;
  std::size_t start = 0;
  while (true) {
    std::size_t brk = t.find_first_of("\r\n", start);
    if (brk == AnsiString::npos) {
      out.push_back(t.substr(start));
      break;
    }
    out.push_back(t.substr(start, brk - start));
    start = brk + ((t[brk] == '\r' && brk + 1 < t.size() && t[brk + 1] == '\n') ? 2 : 1);
    if (start >= t.size()) break;  // a final line break ends the last line
  }
  return out;
}

void TMemoStrings::Join(const std::vector<AnsiString>& Lines) {
  AnsiString t;
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    if (i) t += "\r\n";
    t += Lines[i];
  }
  FMemo->SetText(t);
}

AnsiString TMemoStrings::Get(int Index) const {
  auto lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  return lines[static_cast<std::size_t>(Index)];
}

int TMemoStrings::GetCount() const { return static_cast<int>(Split().size()); }

void TMemoStrings::Put(int Index, const AnsiString& S) {
  auto lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  lines[static_cast<std::size_t>(Index)] = S;
  Join(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

void TMemoStrings::Delete(int Index) {
  auto lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) return;
  lines.erase(lines.begin() + Index);
  Join(lines);
}

void TMemoStrings::Insert(int Index, const AnsiString& S) {
  auto lines = Split();
  if (Index < 0 || Index > static_cast<int>(lines.size())) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  lines.insert(lines.begin() + Index, S);
  Join(lines);
}

AnsiString TMemoStrings::GetTextStr() const {
  AnsiString t;
  for (const AnsiString& l : Split()) t += l + "\r\n";
  return t;
}

void TMemoStrings::SetTextStr(const AnsiString& Value) {
  // Any line break becomes CR LF, the edit's own.
  AnsiString t;
  for (std::size_t i = 0; i < Value.size(); ++i) {
    char c = Value[i];
    if (c == '\r' || c == '\n') {
      t += "\r\n";
      if (c == '\r' && i + 1 < Value.size() && Value[i + 1] == '\n') ++i;
    } else {
      t += c;
    }
  }
  if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\r\n") == 0) t.resize(t.size() - 2);
  FMemo->SetText(t);
}

// ---- TCustomMemo -------------------------------------------------------------------------
TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this)) {
  SetBounds(0, 0, 185, 89);
  FAutoSize = false;
  FAutoSelect = false;
  FControlStyle &= ~csSetCaption;
}

TCustomMemo::~TCustomMemo() { delete FLines; }

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  if (FAlignment == taRightJustify) Params.Style |= ES_RIGHT;
  if (FAlignment == taCenter) Params.Style |= ES_CENTER;
  if (FWordWrap) Params.Style &= ~ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

TPoint TCustomMemo::GetCaretPos() {
  DWORD a = 0, b = 0;
  SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  int line = static_cast<int>(SendMessageA(FHandle, EM_LINEFROMCHAR, b, 0));
  int start = static_cast<int>(SendMessageA(FHandle, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  return TPoint(static_cast<int>(b) - start, line);
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::Dispatch(Message);
    if (!FWantTabs) Message.Result &= ~DLGC_WANTTAB;
    if (FWantReturns) Message.Result |= DLGC_WANTALLKEYS;
    else Message.Result &= ~DLGC_WANTALLKEYS;
    return;
  }
  TCustomEdit::Dispatch(Message);
}

void TCustomMemo::KeyPress(char16_t& Key) {
  TCustomEdit::KeyPress(Key);
  if ((Key == u'\r' && !FWantReturns) || (Key == u'\t' && !FWantTabs)) Key = 0;
}
