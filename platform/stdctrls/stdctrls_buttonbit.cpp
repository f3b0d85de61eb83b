// TBitBtn: a push button on "BUTTON" whose face the framework paints with a
// glyph beside the caption.
#include "platform/rtl/codepages.h"
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls_buttonglyph.h"
#include "platform/stdctrls/stdctrls_buttons.h"

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(new TBitmap) {
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() {
  DestroyHandle();
  delete FGlyph;
}

void TBitBtn::CreateParams(TCreateParams& Params) { TButton::CreateParams(Params); }

void TBitBtn::SetGlyph(TBitmap* Value) {
  if (Value) FGlyph->Assign(Value);
  else FGlyph->SetSize(0, 0);
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value) {
  Value = Value < 1 ? 1 : Value > 4 ? 4 : Value;
  if (FNumGlyphs == Value) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TBitBtn::DrawItem(HDC DC, bool Pushed, bool Focused) {
  RECT r;
  ::GetClientRect(FHandle, &r);
  FillRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
  bool isDefault = GetDefault() || Focused;
  if (isDefault) {
    FrameRect(DC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  RECT face = r;
  DrawFrameControl(DC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (Pushed ? DFCS_PUSHED : 0));
  HGDIOBJ oldFont = SelectObject(DC, FFont->GetHandle());
  SetTextColor(DC, ColorToRGB(FFont->GetColor()));
  bool enabled = GetEnabled();
  int index = !enabled ? 1 : Pushed ? 2 : 0;
  TRect client(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
  stdctl::DrawButtonFace(DC, FGlyph, FNumGlyphs, index, Utf8ToWide(GetText()), client, FLayout, FSpacing,
                         Pushed ? 1 : 0, enabled);
  SelectObject(DC, oldFont);
  if (Focused) {
    RECT fr = r;
    InflateRect(&fr, -3, -3);
    DrawFocusRect(DC, &fr);
  }
}

void TBitBtn::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT && FHandle) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    auto state = static_cast<WPARAM>(SendMessageA(FHandle, BM_GETSTATE, 0, 0));
    DrawItem(dc, (state & BST_PUSHED) != 0, (state & BST_FOCUS) != 0);
    EndPaint(FHandle, &ps);
    Message.Result = 0;
    return;
  }
  TButton::Dispatch(Message);
}
