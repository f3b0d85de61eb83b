// TProgressBar: the component over "msctls_progress32". Range, step and
// position live in the object until the window exists and are handed to
// each new window; the window's position is read back before it goes.
#include "platform/comctrls/comctrls_progress.h"

#include <algorithm>

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, GetSystemMetrics(SM_CYVSCROLL));
}

void TProgressBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  RegisterProgressClass();
  CreateSubClass(Params, ProgressClassName);
  if (FSmooth) Params.Style |= PBS_SMOOTH;
  if (FOrientation == pbVertical) Params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  SendMessageA(FHandle, PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
  SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::DestroyWnd() {
  if (FHandle) FPosition = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
  TWinControl::DestroyWnd();
}

void TProgressBar::Loaded() {
  TWinControl::Loaded();
  SetParams(FMin, FMax);
}

void TProgressBar::SetParams(int AMin, int AMax) {
  if (AMax < AMin && !HasState(csLoading)) throw EInvalidOperation(ClassName() + " property out of range");
  FMin = AMin;
  FMax = AMax;
  if (AMax < AMin) return;  // checked again once loaded
  FPosition = std::clamp(FPosition, FMin, FMax);
  if (FHandle) SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

int TProgressBar::GetPosition() {
  if (FHandle) return static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(int Value) {
  FPosition = FMax < FMin ? Value : std::clamp(Value, FMin, FMax);
  if (FHandle) SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::SetStep(int Value) {
  if (FStep == Value) return;
  FStep = Value;
  if (FHandle) SendMessageA(FHandle, PBM_SETSTEP, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  RecreateWnd();
}

void TProgressBar::StepIt() {
  if (FHandle) {
    SendMessageA(FHandle, PBM_STEPIT, 0, 0);
    FPosition = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
    return;
  }
  FPosition = ProgressStepPosition(FPosition, FStep, FMin, FMax);
}

void TProgressBar::StepBy(int Delta) {
  if (FHandle) {
    SendMessageA(FHandle, PBM_DELTAPOS, static_cast<WPARAM>(Delta), 0);
    FPosition = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
    return;
  }
  if (FMax >= FMin) FPosition = static_cast<int>(std::clamp<long long>(static_cast<long long>(FPosition) + Delta, FMin, FMax));
}
