// A form's translucency: a layered window with a constant alpha.
#include "platform/forms/forms.h"

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyAlphaBlend();
}

void TCustomForm::ApplyAlphaBlend() {
  if (!FHandle || FParent) return;
  const DWORD ex = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_EXSTYLE));
  if (FAlphaBlend) {
    SetWindowLongA(FHandle, GWL_EXSTYLE, static_cast<LONG>(ex | WS_EX_LAYERED));
    SetLayeredWindowAttributes(FHandle, 0, FAlphaBlendValue, LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongA(FHandle, GWL_EXSTYLE, static_cast<LONG>(ex & ~WS_EX_LAYERED));
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (FAlphaBlend == Value) return;
  FAlphaBlend = Value;
  ApplyAlphaBlend();
}

void TCustomForm::SetAlphaBlendValue(BYTE Value) {
  if (FAlphaBlendValue == Value) return;
  FAlphaBlendValue = Value;
  if (FAlphaBlend) ApplyAlphaBlend();
}
