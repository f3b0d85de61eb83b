#include "controls/zytprogr.h"

#include "controls/zytstyleif.h"

TZytProgress::TZytProgress(TComponent* AOwner) : TProgressBar(AOwner) {}

void TZytProgress::SetProBarColor(TColor Value) {
  HWND h = GetHandle();
  FBarColor = Value;
  FBarColorSent = true;
  SendMessageA(h, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Value)));
}

void TZytProgress::SetProBkColor(TColor Value) {
  HWND h = GetHandle();
  FBkColor = Value;
  FBkColorSent = true;
  SendMessageA(h, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Value)));
}

void TZytProgress::CreateWnd() {
  TProgressBar::CreateWnd();
  if (FBarColorSent) SendMessageA(FHandle, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FBarColor)));
  if (FBkColorSent) SendMessageA(FHandle, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FBkColor)));
}

int TZytProgress::GetVersionNr() const { return (1 << 24) | (2 << 16) | (0 << 8) | 0; }

AnsiString TZytProgress::GetVersion() const { return ZytVersionString(GetVersionNr()); }
