// The balloon tooltip: a system tooltip window in balloon style over the
// grid's whole client area, asking for its text and title every time it is
// about to show, from the cell under the pointer.
#include <cstring>

#include "grid/radoriz.h"
#include "grid/radoriz_geom.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/comctrls/comctrls_tooltip.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/codepages.h"

namespace {

constexpr int BalloonTextLimit = 1024;
constexpr int BalloonTitleLimit = 100;

// Byte offset of character N of a UTF-8 text (its size past the last).
std::size_t Utf8Offset(const AnsiString& S, std::size_t N) {
  std::size_t i = 0;
  for (; i < S.size() && N > 0; --N) {
    ++i;
    while (i < S.size() && (static_cast<unsigned char>(S[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

std::size_t Utf8Length(const AnsiString& S) {
  std::size_t N = 0;
  for (char Ch : S)
    if ((static_cast<unsigned char>(Ch) & 0xC0) != 0x80) ++N;
  return N;
}

// Longer than Limit characters: the first Limit - 3 and "...".
AnsiString CutWithEllipsis(const AnsiString& S, std::size_t Limit) {
  if (Utf8Length(S) <= Limit) return S;
  return S.substr(0, Utf8Offset(S, Limit - 3)) + "...";
}

}  // namespace

void VIduZozezuVodu::BalloonDispInfo(TMessage& Message) {
  auto* Info = reinterpret_cast<NMTTDISPINFOA*>(Message.LParam);
  POINT P{};
  GetCursorPos(&P);
  if (HandleAllocated()) ::ScreenToClient(Handle(), &P);
  int ACol = -1, ARow = -1;
  MouseToCell(P.x, P.y, ACol, ARow);
  const bool Valid = ACol >= 0 && ARow >= 0 && ACol < GetColCount() && ARow < GetRowCount();

  AnsiString Raw;
  if (Valid) {
    const int C = RemapCol(ACol);
    const AnsiString Stored = GetCells(C, ARow);
    switch (TextType(Stored, GetEnableHTML())) {
      case ttHTML: Raw = HTMLStrip(Stored); break;
      case ttRTF: Raw = RichPlainText(Stored); break;
      case ttUnicode: Raw = WideToUtf8(GetWideCells(C, ARow)); break;
      default: Raw = Stored; break;
    }
  }
  std::size_t Skip = 0;
  while (Skip < Raw.size() && (Raw[Skip] == '\r' || Raw[Skip] == '\n' || Raw[Skip] == '\t')) ++Skip;
  AnsiString Text = Raw.substr(Skip);
  for (char& Ch : Text)
    if (Ch == '\t') Ch = ' ';
  Text = CutWithEllipsis(Text, BalloonTextLimit);

  TBalloonIcon Icon = biInfo;
  AnsiString Title = " ";
  if (Valid) IsBalloon(RemapCol(ACol), ARow, Title, Text, Icon);
  if (OnCellBalloon) OnCellBalloon(this, ACol, ARow, Title, Text, Icon);
  BalloonCellCol = ACol;
  BalloonCellRow = ARow;

  // Whatever the handlers left, the buffer holds whole characters only.
  std::size_t N = std::min<std::size_t>(Text.size(), BalloonTextSize - 1);
  while (N > 0 && N < Text.size() && (static_cast<unsigned char>(Text[N]) & 0xC0) == 0x80) --N;
  std::memcpy(BalloonText, Text.data(), N);
  BalloonText[N] = '\0';
  if (Info) Info->lpszText = BalloonText;
  Title = CutWithEllipsis(Title, BalloonTitleLimit);

  if (FBalloon->TextColor != clNone)
    SendMessageA(BalloonWindow, TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(ColorToRGB(FBalloon->TextColor)), 0);
  if (FBalloon->BackgroundColor != clNone)
    SendMessageA(BalloonWindow, TTM_SETTIPBKCOLOR, static_cast<WPARAM>(ColorToRGB(FBalloon->BackgroundColor)), 0);
  SendMessageA(BalloonWindow, TTM_SETTITLEA, static_cast<WPARAM>(Icon), reinterpret_cast<LPARAM>(Title.c_str()));
}

// ---- the tooltip window ---------------------------------------------------------------------------

void VIduZozezuVodu::CreateToolTip() {
  RegisterTooltipClass();
  BalloonWindow = CreateWindowExA(0, TOOLTIPS_CLASS, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  HandleAllocated() ? Handle() : nullptr, HMENU{}, HInstance, nullptr);
  if (BalloonWindow)
    SetWindowPos(BalloonWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void VIduZozezuVodu::DestroyToolTip() {
  if (BalloonWindow && IsWindow(BalloonWindow)) DestroyWindow(BalloonWindow);
  BalloonWindow = nullptr;
}

void VIduZozezuVodu::AddToolTip(int IconType, const AnsiString&, const AnsiString& Title) {
  if (!HandleAllocated() || !BalloonWindow) return;
  RECT R{};
  ::GetClientRect(Handle(), &R);
  TOOLINFOA Ti{};
  Ti.cbSize = TTTOOLINFOA_V1_SIZE;
  Ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  Ti.hwnd = Handle();
  Ti.uId = reinterpret_cast<UINT_PTR>(Handle());
  Ti.rect = R;
  Ti.hinst = HInstance;
  Ti.lpszText = LPSTR_TEXTCALLBACK;
  SendMessageA(BalloonWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&Ti));
  char Buffer[256] = {};
  std::memcpy(Buffer, Title.data(), std::min<std::size_t>(Title.size(), sizeof(Buffer) - 1));
  if (IconType < 0 || IconType > 3) IconType = 0;
  SendMessageA(BalloonWindow, TTM_SETTITLEA, static_cast<WPARAM>(IconType), reinterpret_cast<LPARAM>(Buffer));
}

void VIduZozezuVodu::SetBalloonTransparency(HWND Window, TColor Color, BYTE Alpha, TRect R) {
  if (!Window) return;
  SetWindowLongPtrA(Window, GWL_EXSTYLE, GetWindowLongPtrA(Window, GWL_EXSTYLE) | WS_EX_LAYERED);
  // The constant alpha stays: the per-pixel update below fails on a window
  // that has layered attributes.
  SetLayeredWindowAttributes(Window, 0, Alpha, LWA_ALPHA);
  HDC ScreenDC = GetDC(nullptr);
  HDC WindowDC = GetDC(Window);
  const SIZE Size{R.right - R.left, R.bottom - R.top};
  const POINT Src{R.left, R.top};
  const unsigned char Blend[4] = {0, 0, 0, 0};
  constexpr DWORD UlwAlpha = 2;
  DynaLink_UpdateLayeredWindow(Window, ScreenDC, nullptr, &Size, WindowDC, &Src, static_cast<COLORREF>(Color), Blend,
                               UlwAlpha);
  ReleaseDC(Window, WindowDC);
  ReleaseDC(nullptr, ScreenDC);
}

void VIduZozezuVodu::BalloonInit() {
  CreateToolTip();
  AddToolTip(3, "Balloon", "ToolTipText");
  if (!BalloonWindow) return;
  if (FBalloon->InitialDelay != -1)
    SendMessageA(BalloonWindow, TTM_SETDELAYTIME, TTDT_INITIAL, FBalloon->InitialDelay);
  if (FBalloon->ReshowDelay != -1) SendMessageA(BalloonWindow, TTM_SETDELAYTIME, TTDT_RESHOW, FBalloon->ReshowDelay);
  if (FBalloon->AutoHideDelay != -1)
    SendMessageA(BalloonWindow, TTM_SETDELAYTIME, TTDT_AUTOPOP, FBalloon->AutoHideDelay);
  if (FBalloon->Transparency > 0)
    SetBalloonTransparency(BalloonWindow, 0, static_cast<BYTE>(255 - FBalloon->Transparency), TRect(0, 0, 100, 100));
}

void VIduZozezuVodu::BalloonDone() {
  if (FBalloon->GetEnable()) DestroyToolTip();
}

void VIduZozezuVodu::BalloonChange(TObject*) {
  if (GetComponentState() & csLoading) return;
  // A window left from an earlier switch goes first: only one ever exists.
  DestroyToolTip();
  if (FBalloon->GetEnable()) BalloonInit();
}

void VIduZozezuVodu::PopBalloon() {
  if (BalloonWindow && IsWindow(BalloonWindow)) SendMessageA(BalloonWindow, TTM_POP, 0, 0);
}
