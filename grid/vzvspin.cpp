#include "grid/vzvspin.h"

#include <algorithm>
#include <climits>

#include "grid/vzvbtnlayout.h"
#include "grid/zytxpvs.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr Cardinal FirstRepeat = 400;
constexpr Cardinal NextRepeat = 100;

void LoadDefaultGlyph(TSpeedButton* Btn, const char* Name) {
  auto* bmp = new TBitmap();
  bmp->LoadFromResourceName(HInstance, Name);
  Btn->SetGlyph(bmp);
  delete bmp;
  Btn->SetNumGlyphs(1);
}

int CountOf(const WideString& S, char16_t C) { return static_cast<int>(std::count(S.begin(), S.end(), C)); }

// 1-based position of C in S from index From (0-based), 0 when missing.
int PosFrom(const WideString& S, char16_t C, std::size_t From = 0) {
  std::size_t p = S.find(C, From);
  return p == WideString::npos ? 0 : static_cast<int>(p) + 1;
}

}  // namespace

// ---- TZytTimerSpeedButton ------------------------------------------------------------------

TZytTimerSpeedButton::TZytTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TZytTimerSpeedButton::~TZytTimerSpeedButton() { delete FRepeatTimer; }

void TZytTimerSpeedButton::SetDirection(TButtonDirection Value) {
  if (FDirection == Value) return;
  FDirection = Value;
  Invalidate();
}

void TZytTimerSpeedButton::SetIsWinXP(bool Value) {
  if (FIsWinXP == Value) return;
  FIsWinXP = Value;
  Invalidate();
}

void TZytTimerSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TZytTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && GetEnabled() && (FTimeBtnState & tbAllowTimer)) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(nullptr);
      FRepeatTimer->SetEnabled(false);
      FRepeatTimer->SetOnTimer([this](TObject* S) { TimerExpired(S); });
    }
    FRepeatTimer->SetInterval(FirstRepeat);
    FRepeatTimer->SetEnabled(true);
  }
  if (FParent) FParent->Invalidate();
}

void TZytTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (FParent) FParent->Invalidate();
}

void TZytTimerSpeedButton::TimerExpired(TObject*) {
  FRepeatTimer->SetInterval(NextRepeat);
  if (FState == bsDown && GetMouseCapture()) {
    try {
      Click();
    } catch (...) {
      FRepeatTimer->SetEnabled(false);
      throw;
    }
  }
}

void TZytTimerSpeedButton::Paint() {
  if (FIsWinXP && zytxpvs::ThemesActive() && zytxpvs::OpenThemeData) {
    TWinControl* owner = dynamic_cast<TWinControl*>(GetOwner());
    if (HTHEME th = zytxpvs::OpenThemeData(owner ? owner->Handle() : nullptr, u"spin")) {
      int part = FDirection == bdUp ? 1 : FDirection == bdDown ? 2 : FDirection == bdRight ? 3 : 4;
      int state = FState == bsDown ? 3 : FHot ? 2 : 1;
      RECT r{0, 0, FWidth, FHeight};
      zytxpvs::DrawThemeBackground(th, GetCanvas()->GetHandle(), part, state, &r, nullptr);
      zytxpvs::CloseThemeData(th);
      return;
    }
  }
  if (FDirection == bdUp || FDirection == bdDown) {
    TSpeedButton::Paint();
    return;
  }
  RECT r{0, 0, FWidth, FHeight};
  UINT flags = (FDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) | (FState == bsDown ? DFCS_PUSHED : 0) |
               (GetFlat() ? DFCS_FLAT : 0);
  DrawFrameControl(GetCanvas()->GetHandle(), &r, DFC_SCROLL, flags);
}

void TZytTimerSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TSpeedButton::Dispatch(Message);
      FHot = Message.Msg == CM_MOUSEENTER;
      Invalidate();
      return;
  }
  TSpeedButton::Dispatch(Message);
}

// ---- TVzvSpinButton ---------------------------------------------------------------------------

TVzvSpinButton::TVzvSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = (FControlStyle & ~(csAcceptsControls | csSetCaption)) | csFramed | csOpaque;
  FTabStop = false;
  auto make = [this](TButtonDirection Dir, const char* Glyph) {
    auto* b = new TZytTimerSpeedButton(this);
    b->SetDirection(Dir);
    b->SetTimeBtnState(tbAllowTimer);
    b->SetVisible(true);
    b->SetEnabled(true);
    LoadDefaultGlyph(b, Glyph);
    b->OnClick = [this](TObject* S) { BtnClick(S); };
    b->SetParent(this);
    return b;
  };
  FUpButton = make(bdUp, "VzvSpinUp");
  FDownButton = make(bdDown, "VzvSpinDown");
  FFocusedButton = FUpButton;
  SetBounds(0, 0, 15, 25);
}

bool TVzvSpinButton::AdjustSize(int& W, int& H) {
  if (!FUpButton || (GetComponentState() & csLoading)) return false;
  int minW = FDirection == spVertical ? 15 : 20;
  bool changed = W < minW;
  W = std::max(W, minW);
  if (FDirection == spVertical) {
    int upH = H / 2;
    FUpButton->SetBounds(0, 0, W, upH);
    FDownButton->SetBounds(0, upH - 1, W, H - upH + 1);
  } else {
    FDownButton->SetBounds(0, 0, W / 2, H);
    FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
  }
  return changed;
}

void TVzvSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AdjustSize(AWidth, AHeight);
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TVzvSpinButton::Loaded() {
  TWinControl::Loaded();
  for (TSpeedButton* b : {static_cast<TSpeedButton*>(FUpButton), static_cast<TSpeedButton*>(FDownButton)})
    if (b->HasState(csLoading)) b->Loaded();
  int w = FWidth, h = FHeight;
  if (AdjustSize(w, h) || w != FWidth) SetBounds(FLeft, FTop, w, h);
}

void TVzvSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TVzvSpinButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TVzvSpinButton::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FUpButton->SetIsWinXP(Value);
  FDownButton->SetIsWinXP(Value);
}

void TVzvSpinButton::SetDirection(TSpinDirection Value) {
  if (FDirection == Value) return;
  FDirection = Value;
  if (Value == spHorizontal) {
    RecreateWnd();
    FUpButton->SetDirection(bdRight);
    FDownButton->SetDirection(bdLeft);
    SetWidth(20);
  } else {
    FUpButton->SetDirection(bdUp);
    FDownButton->SetDirection(bdDown);
    SetWidth(15);
  }
}

void TVzvSpinButton::SetUpGlyph(TBitmap* Value) {
  if (Value) FUpButton->SetGlyph(Value);
  else LoadDefaultGlyph(FUpButton, "VzvSpinUp");
}

void TVzvSpinButton::SetDownGlyph(TBitmap* Value) {
  if (Value) FDownButton->SetGlyph(Value);
  else LoadDefaultGlyph(FDownButton, "VzvSpinDown");
}

void TVzvSpinButton::SetFocusBtn(TZytTimerSpeedButton* Btn) {
  if (!FTabStop || !CanFocus() || Btn == FFocusedButton) return;
  FFocusedButton->SetTimeBtnState(FFocusedButton->GetTimeBtnState() & ~tbFocusRect);
  FFocusedButton = Btn;
  if (Focused()) {
    FFocusedButton->SetTimeBtnState(FFocusedButton->GetTimeBtnState() | tbFocusRect);
    FFocusedButton->Invalidate();
  }
}

void TVzvSpinButton::BtnMouseDown(TZytTimerSpeedButton* Btn) {
  SetFocusBtn(Btn);
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (FTabStop && CanFocus() && !Focused())
    SetFocus();
}

void TVzvSpinButton::BtnClick(TObject* Sender) {
  if (Sender == FUpButton && OnUpClick) OnUpClick(this);
  if (Sender == FDownButton && OnDownClick) OnDownClick(this);
}

void TVzvSpinButton::KeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
      SetFocusBtn(FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      SetFocusBtn(FDownButton);
      FDownButton->Click();
      break;
  }
  TWinControl::KeyDown(Key, Shift);
}

void TVzvSpinButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The focus moves before the button takes the mouse: a later focus
      // change would cancel the capture the repeat needs.
      TPoint p(Message.XPos(), Message.YPos());
      if (TControl* c = ControlAtPos(p, false))
        if (c == FUpButton || c == FDownButton) BtnMouseDown(static_cast<TZytTimerSpeedButton*>(c));
      break;
    }
    case WM_SIZE: {
      TWinControl::Dispatch(Message);
      int w = FWidth, h = FHeight;
      if (AdjustSize(w, h)) SetBounds(FLeft, FTop, w, h);
      Message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      TWinControl::Dispatch(Message);
      TTimeBtnState s = FFocusedButton->GetTimeBtnState();
      FFocusedButton->SetTimeBtnState(Message.Msg == WM_SETFOCUS ? (s | tbFocusRect) : (s & ~tbFocusRect));
      FFocusedButton->Invalidate();
      return;
    }
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
  }
  TWinControl::Dispatch(Message);
}

// ---- TVzvSpinEdit -------------------------------------------------------------------------------

TVzvSpinEdit::TVzvSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FButton = new TVzvSpinButton(this);
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](TObject* S) { UpClick(S); };
  FButton->OnDownClick = [this](TObject* S) { DownClick(S); };
  SetText("0");
  FControlStyle &= ~csSetCaption;
}

int TVzvSpinEdit::CheckValue(long long Value) const {
  if (FMaxValue != FMinValue) Value = std::clamp<long long>(Value, FMinValue, FMaxValue);
  return static_cast<int>(std::clamp<long long>(Value, INT_MIN, INT_MAX));
}

double TVzvSpinEdit::CheckFloat(double Value) const {
  if (FMaxFloatValue != FMinFloatValue) {
    if (Value < FMinFloatValue) Value = FMinFloatValue;
    else if (Value > FMaxFloatValue) Value = FMaxFloatValue;
  }
  return Value;
}

TDateTime TVzvSpinEdit::CheckDate(TDateTime Value) const {
  if (FMaxDateValue != FMinDateValue) {
    if (Value < FMinDateValue) Value = FMinDateValue;
    else if (Value > FMaxDateValue) Value = FMaxDateValue;
  }
  return Value;
}

int TVzvSpinEdit::GetValue() {
  Integer v = 0;
  return TryStrToInt(GetText(), v) ? v : FMinValue;
}

void TVzvSpinEdit::SetValue(int Value) {
  SetText(IntToStr(CheckValue(Value)));
  if (!FEditorEnabled) SelectAll();
}

double TVzvSpinEdit::GetFloatValue() {
  Extended v = 0;
  return TryStrToFloat(GetText(), v) ? static_cast<double>(v) : FMinFloatValue;
}

void TVzvSpinEdit::SetFloatValue(double Value) {
  Value = CheckFloat(Value);
  SetText(FPrecision != 0 ? FloatToStrF(Value, ffFixed, 15, FPrecision) : FloatToStr(Value));
}

TDateTime TVzvSpinEdit::GetDateValue() {
  AnsiString t = GetText();
  if (t.empty() || t == "0") return Now();
  TDateTime d = 0;
  return TryStrToDate(t, d) ? d : FMinDateValue;
}

void TVzvSpinEdit::SetDateValue(TDateTime Value) {
  FDateValue = Value;
  if (IsLoading()) return;
  int sel = GetSelStart();
  SetText(DateToStr(CheckDate(Value)));
  SetSelStart(sel);
}

TDateTime TVzvSpinEdit::GetTimeValue() {
  TDateTime t = 0;
  return TryStrToTime(GetText(), t) ? t : 0;
}

void TVzvSpinEdit::SetTimeValue(TDateTime Value) {
  FTimeValue = Value;
  if (IsLoading()) return;
  int sel = GetSelStart();
  SetText(TimeToStr(Value));
  SetSelStart(sel);
}

void TVzvSpinEdit::SetSpinType(TVzvSpinType Value) {
  FSpinType = Value;
  switch (Value) {
    case sptNormal: SetValue(GetValue()); break;
    case sptFloat: SetFloatValue(GetFloatValue()); break;
    case sptDate: SetDateValue(GetDateValue()); break;
    case sptTime: SetTimeValue(GetTimeValue()); break;
  }
}

void TVzvSpinEdit::SetPrecision(int Value) {
  FPrecision = Value;
  if (FSpinType == sptFloat) SetFloatValue(GetFloatValue());
}

void TVzvSpinEdit::SetDirection(TSpinDirection Value) {
  if (FDirection == Value) return;
  FDirection = Value;
  FButton->SetDirection(Value);
  SetWidth(GetWidth() + 1);
  SetWidth(GetWidth() - 1);
}

void TVzvSpinEdit::SetEditAlign(TEditAlign Value) {
  if (FEditAlign == Value) return;
  FEditAlign = Value;
  RecreateWnd();
}

void TVzvSpinEdit::SetSpinFlat(bool Value) {
  FSpinFlat = Value;
  FButton->GetUpButton()->SetFlat(Value);
  FButton->GetDownButton()->SetFlat(Value);
}

void TVzvSpinEdit::SetSpinTransparent(bool Value) {
  FSpinTransparent = Value;
  FButton->GetUpButton()->SetTransparent(Value);
  FButton->GetDownButton()->SetTransparent(Value);
  SetWidth(GetWidth() + 1);
  SetWidth(GetWidth() - 1);
}

void TVzvSpinEdit::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->SetIsWinXP(Value);
}

void TVzvSpinEdit::UpClick(TObject*) { DoInc(false); }
void TVzvSpinEdit::DownClick(TObject*) { DoDec(false); }

void TVzvSpinEdit::DoInc(bool Page) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
    case sptNormal: SetValue(CheckValue(static_cast<long long>(GetValue()) + FIncrement)); break;
    case sptFloat: SetFloatValue(GetFloatValue() + (Page ? 1.0 : FIncrementFloat)); break;
    case sptDate: StepDate(1); break;
    case sptTime: StepTime(true); break;
  }
}

void TVzvSpinEdit::DoDec(bool Page) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
    case sptNormal: SetValue(CheckValue(static_cast<long long>(GetValue()) - FIncrement)); break;
    case sptFloat: SetFloatValue(GetFloatValue() - (Page ? 1.0 : FIncrementFloat)); break;
    case sptDate: StepDate(-1); break;
    case sptTime: StepTime(false); break;
  }
}

void TVzvSpinEdit::StepDate(int Delta) {
  AnsiString fmt = UpperCase(ShortDateFormat);
  std::size_t m = fmt.find('M'), d = fmt.find('D');
  bool monthFirst = m != AnsiString::npos && (d == AnsiString::npos || m < d);
  WideString t = GetWideText();
  char16_t sep = static_cast<unsigned char>(DateSeparator);
  int p1 = PosFrom(t, sep);
  int p2 = p1 > 0 ? PosFrom(t, sep, static_cast<std::size_t>(p1)) : 0;
  int caret = GetSelStart();
  int part = caret < p1 ? 0 : caret < p2 ? 1 : 2;  // 0 first, 1 second, 2 year
  TDateTime v = GetDateValue();
  bool dayPart = part == 0 ? !monthFirst : part == 1 ? monthFirst : false;
  if (part == 2) {
    Word y = 0, mo = 0, dd = 0;
    DecodeDate(v, y, mo, dd);
    // 29 February into a year without it raises; the value stays.
    v = EncodeDate(static_cast<Word>(y + Delta), mo, dd) + (v - Int(v));
  } else if (dayPart) {
    v += Delta;
  } else {
    v = IncMonth(v, Delta);
  }
  SetDateValue(v);
}

void TVzvSpinEdit::StepTime(bool Up) {
  WideString t = GetWideText();
  char16_t sep = static_cast<unsigned char>(TimeSeparator);
  int p1 = PosFrom(t, sep);
  int p2 = p1 > 0 ? PosFrom(t, sep, static_cast<std::size_t>(p1)) : 0;
  int caret = GetSelStart();
  double unit = caret < p1 ? 1.0 / 24 : caret < p2 ? 1.0 / 1440 : 1.0 / 86400;
  double v = GetTimeValue();
  if (Up) {
    v += unit;
  } else {
    // Down from midnight wraps to the end of the day.
    v = v + 1.0 - unit;
    if (v > 1.0) v -= 1.0;
  }
  SetTimeValue(v);
}

bool TVzvSpinEdit::IsValidChar(char16_t& Key) {
  if (Key == 8) return FEditorEnabled;
  const char16_t ds = static_cast<unsigned char>(DecimalSeparator);
  const char16_t ts = static_cast<unsigned char>(ThousandSeparator);
  const char16_t tms = static_cast<unsigned char>(TimeSeparator);
  const char16_t dts = static_cast<unsigned char>(DateSeparator);
  bool digit = Key >= u'0' && Key <= u'9';
  bool r = Key == ds || Key == ts || Key == tms || Key == dts || Key == u'-' || digit || (Key < 32 && Key != 13);
  auto numericKeeps = [&](char16_t Sep) {
    return (FSpinType == sptNormal || FSpinType == sptFloat) &&
           (Sep == ds || Sep == ts || Sep == u'-' || Sep == u'+');
  };
  if (Key == tms && FSpinType != sptTime && !numericKeeps(tms)) r = false;
  if (Key == dts && FSpinType != sptDate && !numericKeeps(dts)) r = false;
  WideString text = GetWideText();
  int selStart = GetSelStart();
  WideString sel = Utf8ToWide(GetSelText());
  if (Key == u'-') {
    if (text.find(u'-') != WideString::npos) {
      if (!(sel.find(u'-') != WideString::npos && selStart == 0)) r = false;
    } else if (selStart != 0) {
      r = false;
    }
  }
  if (FSpinType == sptNormal && Key != u'-' && !digit) r = false;
  if (FSpinType == sptFloat && Key != 27 && Key != 13 && Key != 8) {
    if (Key == ts) r = false;
    if (Key == ds && text.find(ds) != WideString::npos && sel.find(ds) == WideString::npos) r = false;
    int d = PosFrom(text, ds);
    if (FPrecision > 0 && d > 0 && selStart >= d && sel.empty() &&
        static_cast<int>(text.size()) >= d + FPrecision)
      r = false;
  }
  if (FSpinType == sptTime && Key == tms && CountOf(text, tms) >= 2) r = false;
  if (!FEditorEnabled && r && (Key >= 32 || Key == u'.')) r = false;
  return r;
}

void TVzvSpinEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  if (FEditAlign == eaRight) Params.Style = (Params.Style | ES_RIGHT) & ~ES_CENTER;
  if (FEditAlign == eaCenter) Params.Style = (Params.Style | ES_CENTER) & ~ES_RIGHT;
}

void TVzvSpinEdit::CreateWnd() {
  TCustomMaskEdit::CreateWnd();
  SetEditRect();
}

void TVzvSpinEdit::SetEditRect() {
  int b = FBorderStyle == bsNone ? 1 : 0;
  vzvlayout::SetFormatRect(this, b, b, GetClientWidth() - FButton->GetWidth() - b - 2, GetClientHeight() + 1);
}

int TVzvSpinEdit::GetMinHeight() {
  int h = vzvlayout::MinHeightBase(this) + 2;
  if (FBorderStyle == bsSingle) h += 4 * GetSystemMetrics(SM_CYBORDER);
  return h;
}

void TVzvSpinEdit::Resized(TMessage& Message) {
  TCustomMaskEdit::Dispatch(Message);
  int minH = GetMinHeight();
  if (FHeight < minH) {
    SetHeight(minH);
    return;
  }
  vzvlayout::PlaceButton(this, FButton, FButton->GetWidth());
  SetEditRect();
}

void TVzvSpinEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  // WM_SIZE raised a too small height; keep it raised after the outer call.
  if (HandleAllocated() && GetHeight() < GetMinHeight()) SetHeight(GetMinHeight());
}

void TVzvSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
  TCustomMaskEdit::KeyDown(Key, Shift);
}

void TVzvSpinEdit::KeyPress(char16_t& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
  }
  if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TVzvSpinEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  // The pair is ours, not the form's: it finishes loading with us.
  if (FButton->HasState(csLoading)) FButton->Loaded();
  if (FSpinType == sptDate) SetText(DateToStr(FDateValue));
  if (FSpinType == sptTime) SetText(TimeToStr(FTimeValue));
  SetSpinType(FSpinType);
}

void TVzvSpinEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      switch (Message.WParam) {
        case VK_PRIOR: DoInc(true); Message.Result = 0; return;
        case VK_NEXT: DoDec(true); Message.Result = 0; return;
        case VK_UP: DoInc(false); Message.Result = 0; return;
        case VK_DOWN: DoDec(false); Message.Result = 0; return;
      }
      break;
    case WM_CHAR:
      // The keypad's decimal key (scan code bit 22) types the locale separator.
      if (FExcelStyleDecimalSeparator && Message.WParam == '.' && (Message.LParam & 0x400000))
        Message.WParam = static_cast<unsigned char>(DecimalSeparator);
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!FEditorEnabled || GetReadOnly()) return;
      break;
    case WM_SIZE: Resized(Message); return;
    case CM_ENTER:
      if (GetAutoSelect() && (!vzvlayout::LeftButtonDownIn(this) || !FEditorEnabled)) SelectAll();
      break;
    case CM_EXIT: {
      TCustomMaskEdit::Dispatch(Message);
      switch (FSpinType) {
        case sptNormal: {
          int v = GetValue();
          if (CheckValue(v) != v) SetValue(v);
          break;
        }
        case sptFloat: {
          double v = GetFloatValue();
          if (CheckFloat(v) != v) SetFloatValue(v);
          break;
        }
        case sptDate: {
          TDateTime v = GetDateValue();
          if (CheckDate(v) != v) SetDateValue(v);
          break;
        }
        case sptTime: {
          TDateTime v = GetTimeValue();
          if (CheckDate(v) != v) SetTimeValue(v);
          break;
        }
      }
      return;
    }
  }
  TCustomMaskEdit::Dispatch(Message);
}
