// The grid button's properties, looks, mouse state machine, groups and action link.
#include "grid/didavovbutton.h"

#include <vector>

#include "grid/zytxpvs.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"
#include "platform/settings/fileversion.h"
#include "platform/windows/winuser.h"

namespace {

constexpr UINT WM_THEMECHANGED_ = 0x031A;
constexpr UINT CM_SYSTEMCHANGE = 0xB035;

// Common controls 6 (the themed push button) is present.
bool ComCtl6() {
  DWORD Handle = 0;
  DWORD Size = GetFileVersionInfoSizeA("COMCTL32.DLL", &Handle);
  if (Size == 0) return false;
  std::vector<unsigned char> Block(Size);
  void* Info = nullptr;
  UINT Len = 0;
  if (!GetFileVersionInfoA("COMCTL32.DLL", Handle, Size, Block.data()) ||
      !VerQueryValueA(Block.data(), "\\", &Info, &Len) || Len < sizeof(VS_FIXEDFILEINFO))
    return false;
  return (static_cast<const VS_FIXEDFILEINFO*>(Info)->dwFileVersionMS >> 16) > 5;
}

}  // namespace

// ---- action link ---------------------------------------------------------------------------

TDidAvovButtonActionLink::~TDidAvovButtonActionLink() {
  if (FAction) FAction->UnRegisterClient(this);
}

void TDidAvovButtonActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterClient(this);
  FAction = Value;
  if (!FAction) return;
  FAction->RegisterClient(this);
  auto* a = dynamic_cast<TCustomAction*>(FAction);
  if (a && FClient) {
    FClient->SetCaption(a->GetCaption());
    FClient->SetEnabled(a->GetEnabled());
    FClient->SetHint(a->GetHint());
    FClient->SetVisible(a->GetVisible());
    if (a->GetGroupIndex() != 0) FClient->SetGroupIndex(a->GetGroupIndex());
    if (FClient->GetGroupIndex() != 0 && FClient->GetAllowAllUp()) FClient->SetDown(a->GetChecked());
  }
  Remember();
}

void TDidAvovButtonActionLink::Remember() {
  if (auto* a = dynamic_cast<TCustomAction*>(FAction)) {
    FSeenCaption = a->GetCaption();
    FSeenChecked = a->GetChecked();
    FSeenGroupIndex = a->GetGroupIndex();
  }
}

bool TDidAvovButtonActionLink::IsCaptionLinked() const {
  return FClient && dynamic_cast<TCustomAction*>(FAction) && FClient->GetCaption() == FSeenCaption;
}

bool TDidAvovButtonActionLink::IsCheckedLinked() const {
  return FClient && dynamic_cast<TCustomAction*>(FAction) && FClient->GetGroupIndex() != 0 &&
         FClient->GetAllowAllUp() && FSeenChecked == FClient->GetDown();
}

bool TDidAvovButtonActionLink::IsGroupIndexLinked() const {
  return FClient && dynamic_cast<TCustomAction*>(FAction) && FSeenGroupIndex == FClient->GetGroupIndex();
}

void TDidAvovButtonActionLink::SetCaption(const AnsiString& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TDidAvovButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TDidAvovButtonActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

void TDidAvovButtonActionLink::ActionChanged(TBasicAction* Action) {
  if (!Action) {  // the action is going away
    FAction = nullptr;
    return;
  }
  auto* a = dynamic_cast<TCustomAction*>(Action);
  if (!a || !FClient) return;
  if (a->GetCaption() != FSeenCaption) SetCaption(a->GetCaption());
  if (a->GetGroupIndex() != FSeenGroupIndex) SetGroupIndex(a->GetGroupIndex());
  if (a->GetChecked() != FSeenChecked) SetChecked(a->GetChecked());
  FClient->SetEnabled(a->GetEnabled());
  FClient->SetVisible(a->GetVisible());
  Remember();
}

// ---- construction and properties -----------------------------------------------------------

TDidAvovButton::TDidAvovButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(new TBitmap),
      FGlyphHot(new TBitmap),
      FGlyphDown(new TBitmap),
      FGlyphDisabled(new TBitmap),
      FShade(new TBitmap),
      FActionLink(new TDidAvovButtonActionLink(this)) {
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  FControlStyle = csCaptureMouse | csDoubleClicks;
  SetBounds(0, 0, 22, 23);
  TControl::SetColor(clBtnFace);
  FParentColor = false;
  FParentFont = true;
  FIsComCtl6 = ComCtl6();
}

TDidAvovButton::~TDidAvovButton() {
  delete FActionLink;
  delete FGlyph;
  delete FGlyphHot;
  delete FGlyphDown;
  delete FGlyphDisabled;
  delete FShade;
}

void TDidAvovButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  if (FGlyphDisabled->GetEmpty() && !FGlyph->GetEmpty()) {
    // A grey copy: each pixel's mean brightness halved and lifted into 96..223.
    const int W = FGlyph->GetWidth(), H = FGlyph->GetHeight();
    FGlyphDisabled->SetSize(W, H);
    TCanvas* Src = FGlyph->GetCanvas();
    TCanvas* Dst = FGlyphDisabled->GetCanvas();
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        COLORREF c = ColorToRGB(Src->GetPixels(x, y));
        int g = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3 / 2 + 96;
        Dst->SetPixels(x, y, static_cast<TColor>(RGB(g, g, g)));
      }
  }
  Invalidate();
}

void TDidAvovButton::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TDidAvovButton::SetShaded(bool Value) {
  FShaded = Value;
  if (FShaded && !(GetComponentState() & csLoading)) GenerateShade();
}

void TDidAvovButton::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  if (Value) ThemeAdapt();
}

void TDidAvovButton::SetDropDownMenu(TPopupMenu* Value) {
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TDidAvovButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TDidAvovButton::GenerateShade() {
  if (FGlyph->GetEmpty()) return;
  // The glyph's silhouette in grey on its transparent colour.
  const int W = FGlyph->GetWidth(), H = FGlyph->GetHeight();
  FShade->SetSize(W, H);
  TCanvas* Src = FGlyph->GetCanvas();
  TCanvas* Dst = FShade->GetCanvas();
  const TColor Transparent = Src->GetPixels(0, H - 1);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      TColor c = Src->GetPixels(x, y);
      Dst->SetPixels(x, y, c == Transparent ? Transparent : static_cast<TColor>(0x808080));
    }
}

void TDidAvovButton::Loaded() {
  TGraphicControl::Loaded();
  if (FShaded) GenerateShade();
  if (FAutoThemeAdapt) ThemeAdapt();
}

void TDidAvovButton::Click() { TGraphicControl::Click(); }

// ---- looks ---------------------------------------------------------------------------------

void TDidAvovButton::SetLook(int Look) {
  struct TLook {
    TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
    bool Rounded;
  };
  static const TLook Looks[] = {
      {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE, true},
      {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31, false},
      {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
      {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
      {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0, 0, false},
      {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, false},
      {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080, false},
  };
  if (Look < 0 || Look > 6) return;
  const TLook& L = Looks[Look];
  TControl::SetColor(L.Color);
  FColorTo = L.ColorTo;
  FColorHot = L.Hot;
  FColorHotTo = L.HotTo;
  FColorDown = L.Down;
  FColorDownTo = L.DownTo;
  FColorChecked = L.Checked;
  FColorCheckedTo = L.CheckedTo;
  FBorderDownColor = L.BorderDown;
  FBorderHotColor = L.BorderHot;
  FRounded = L.Rounded;
  FBorderColor = clNone;
  FFlat = true;
  Invalidate();
}

void TDidAvovButton::ThemeAdapt() {
  int Look = 1;
  OSVERSIONINFOA V{};
  V.dwOSVersionInfoSize = sizeof(V);
  bool XPOrLater = GetVersionExA(&V) && (V.dwMajorVersion > 5 || (V.dwMajorVersion == 5 && V.dwMinorVersion > 0));
  if (XPOrLater && zytxpvs::ThemesActive() && zytxpvs::GetCurrentThemeName) {
    char16_t File[255] = {}, Color[255] = {}, Size[255] = {};
    if (zytxpvs::GetCurrentThemeName(File, 255, Color, 255, Size, 255) == S_OK) {
      const WideString Name(Color);
      if (Name == u"NormalColor")
        Look = 2;
      else if (Name == u"HomeStead")
        Look = 3;
      else if (Name == u"Metallic")
        Look = 4;
    }
  }
  SetLook(Look);
}

// ---- down state and groups ---------------------------------------------------------------

void TDidAvovButton::SetDown(bool Value) {
  if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
  if (FStyle == tasCheck) {
    FDown = Value;
    Invalidate();
    return;
  }
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
    UpdateExclusive();
  } else {
    FState = bsUp;
    Invalidate();
  }
}

void TDidAvovButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TDidAvovButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

// Tells the other buttons of the group on the same parent.
void TDidAvovButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent) return;
  TMessage M{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  FParent->Broadcast(M);
}

void TDidAvovButton::ButtonPressed(TMessage& Message) {
  // Other button kinds broadcast the same message; only ours take part.
  auto* Sender = dynamic_cast<TDidAvovButton*>(reinterpret_cast<TControl*>(Message.LParam));
  if (static_cast<int>(Message.WParam) != FGroupIndex || !Sender || Sender == this) return;
  if (Sender->FDown && FDown) {
    FDown = false;
    FState = bsUp;
    if (auto* a = dynamic_cast<TCustomAction*>(GetAction())) a->SetChecked(false);
    Invalidate();
  }
  FAllowAllUp = Sender->FAllowAllUp;
}

// ---- mouse ---------------------------------------------------------------------------------

void TDidAvovButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (FDropDownButton && X >= FWidth - DropDownWidth) {
    FState = bsUp;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu) {
      TPoint P = ClientToScreen(TPoint(0, FHeight));
      FDropDownMenu->Popup(P.x, P.y);
    }
    return;
  }
  if (!FDown || FStyle == tasCheck) {
    FState = bsDown;
    Invalidate();
    if (FStyle == tasCheck) Update();
  }
  FDragging = true;
}

void TDidAvovButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) {
    if (!FMouseInControl) UpdateTracking();
    return;
  }
  TButtonState New = Inside(X, Y) ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
  if (FStyle == tasCheck && FDown) New = bsDown;
  if (New != FState) {
    FState = New;
    Invalidate();
  }
}

void TDidAvovButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != mbLeft) return;
  FDragging = false;
  const bool In = Inside(X, Y);
  if (FGroupIndex == 0) {
    FState = bsUp;
    if (FStyle == tasCheck && In) SetDown(!FDown);
    FState = bsUp;
    if (In && !FDown) Invalidate();
    Invalidate();
  } else if (In) {
    SetDown(!FDown);
    if (FDown) Invalidate();
  } else {
    if (FDown) FState = bsExclusive;
    Invalidate();
  }
  if (In) Click();
  UpdateTracking();
}

void TDidAvovButton::UpdateTracking() {
  if (!FFlat || !GetEnabled() || !FParent || !FParent->HandleAllocated()) return;
  POINT P{};
  GetCursorPos(&P);
  TControl* Under = FParent->ControlAtPos(FParent->ScreenToClient(TPoint(P.x, P.y)), false);
  bool In = Under == this;
  if (In == FMouseInControl) return;
  FMouseInControl = In;
  Perform(In ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

// ---- messages ------------------------------------------------------------------------------

void TDidAvovButton::DialogChar(TMessage& Message) {
  const WideString Text = Utf8ToWide(GetCaption());
  for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != u'&') continue;
    if (Text[i + 1] == u'&') {
      ++i;
      continue;
    }
    if (WideUpperCase(WideString(1, Text[i + 1])) != WideUpperCase(WideString(1, static_cast<char16_t>(Message.WParam))))
      return;
    if (GetEnabled() && GetVisible() && FParent && FParent->IsShowing()) {
      Click();
      Message.Result = 1;
    }
    return;
  }
}

void TDidAvovButton::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_THEMECHANGED_ || Message.Msg == CM_SYSTEMCHANGE) && FAutoThemeAdapt) ThemeAdapt();
  TGraphicControl::WndProc(Message);
}

void TDidAvovButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED:
      ButtonPressed(Message);
      return;
    case CM_DIALOGCHAR:
      DialogChar(Message);
      return;
    case CM_MOUSEENTER:
      if (Message.LParam == reinterpret_cast<LPARAM>(this) && GetEnabled() && !GetMouseCapture()) {
        FMouseInControl = true;
        Invalidate();
      }
      TGraphicControl::Dispatch(Message);
      return;
    case CM_MOUSELEAVE:
      if (Message.LParam == reinterpret_cast<LPARAM>(this) && GetEnabled() && !FDragging) {
        FMouseInControl = false;
        Invalidate();
      }
      TGraphicControl::Dispatch(Message);
      return;
    case CM_ENABLEDCHANGED:
      TGraphicControl::Dispatch(Message);
      UpdateTracking();
      Invalidate();
      return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
      TGraphicControl::Dispatch(Message);
      Invalidate();
      return;
    case WM_LBUTTONDBLCLK:
      TGraphicControl::Dispatch(Message);
      if (FDown) DblClick();
      return;
  }
  TGraphicControl::Dispatch(Message);
}
