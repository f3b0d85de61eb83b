// The tooltip window class "Tooltips_Class32": tools (a window or a
// rectangle of one) whose pointer movement the tooltip watches (relayed, or
// seen by subclassing the tool's window), text given or asked for with
// TTN_GETDISPINFO, the classic or the balloon look with a title and icon,
// the show/reshow/hide delays, colours, and tracking tooltips placed by
// their owner.
#pragma once

#include "platform/forms/controls.h"
#include "platform/stdctrls/stdctrls_consts.h"

inline constexpr const char* TOOLTIPS_CLASS = "Tooltips_Class32";

// Window styles.
inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr DWORD TTS_NOANIMATE = 0x10;
inline constexpr DWORD TTS_NOFADE = 0x20;
inline constexpr DWORD TTS_BALLOON = 0x40;
inline constexpr DWORD TTS_CLOSE = 0x80;

// Tool flags.
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_CENTERTIP = 0x0002;
inline constexpr UINT TTF_RTLREADING = 0x0004;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;
inline constexpr UINT TTF_TRANSPARENT = 0x0100;
inline constexpr UINT TTF_PARSELINKS = 0x1000;
inline constexpr UINT TTF_DI_SETITEM = 0x8000;

// Delays (TTM_SETDELAYTIME wParam).
inline constexpr WPARAM TTDT_AUTOMATIC = 0;
inline constexpr WPARAM TTDT_RESHOW = 1;
inline constexpr WPARAM TTDT_AUTOPOP = 2;
inline constexpr WPARAM TTDT_INITIAL = 3;

// Title icons (TTM_SETTITLEA wParam): TTI_NONE .. TTI_ERROR, shared with
// the edit's balloon tip.

inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
inline constexpr UINT TTM_ADDTOOLA = WM_USER + 4;
inline constexpr UINT TTM_DELTOOLA = WM_USER + 5;
inline constexpr UINT TTM_NEWTOOLRECTA = WM_USER + 6;
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
inline constexpr UINT TTM_GETTOOLINFOA = WM_USER + 8;
inline constexpr UINT TTM_SETTOOLINFOA = WM_USER + 9;
inline constexpr UINT TTM_GETTEXTA = WM_USER + 11;
inline constexpr UINT TTM_UPDATETIPTEXTA = WM_USER + 12;
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
inline constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
inline constexpr UINT TTM_SETTIPBKCOLOR = WM_USER + 19;
inline constexpr UINT TTM_SETTIPTEXTCOLOR = WM_USER + 20;
inline constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
inline constexpr UINT TTM_GETTIPBKCOLOR = WM_USER + 22;
inline constexpr UINT TTM_GETTIPTEXTCOLOR = WM_USER + 23;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTM_UPDATE = WM_USER + 29;
inline constexpr UINT TTM_SETTITLEA = WM_USER + 32;
inline constexpr UINT TTM_POPUP = WM_USER + 34;

// Notifications (WM_NOTIFY to the tool's window).
inline constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
inline constexpr UINT TTN_GETDISPINFOA = TTN_FIRST;
inline constexpr UINT TTN_GETDISPINFO = TTN_GETDISPINFOA;
inline constexpr UINT TTN_SHOW = TTN_FIRST - 1;
inline constexpr UINT TTN_POP = TTN_FIRST - 2;

// The tool's text is asked for with TTN_GETDISPINFO every time it shows.
inline LPSTR const LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<std::intptr_t>(-1));
inline LPSTR const LPSTR_TEXTCALLBACK = LPSTR_TEXTCALLBACKA;

struct TOOLINFOA {
  UINT cbSize = sizeof(TOOLINFOA);
  UINT uFlags = 0;
  HWND hwnd = nullptr;
  UINT_PTR uId = 0;
  RECT rect{};
  HINSTANCE hinst = nullptr;
  LPSTR lpszText = nullptr;
  LPARAM lParam = 0;
};
using TOOLINFO = TOOLINFOA;
// The smallest structure size accepted: the first version's members (up to
// lpszText), as 32-bit callers of the platform pass it.
inline constexpr UINT TTTOOLINFOA_V1_SIZE = 44;

struct NMTTDISPINFOA {
  NMHDR hdr;
  LPSTR lpszText;  // the answer: a string, or szText
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;  // TTF_DI_SETITEM keeps the answer as the tool's text
  LPARAM lParam;
};
using NMTTDISPINFO = NMTTDISPINFOA;

// Registers the class with the window kernel (once; later calls do nothing).
// Call before creating tooltip windows by class name.
void RegisterTooltipClass();

// Test seams: the tool the tooltip window shows now (false when hidden), the
// text it shows and its title.
bool TooltipShownTool(HWND Tip, HWND& ToolWnd, UINT_PTR& ToolId);
AnsiString TooltipShownText(HWND Tip);
AnsiString TooltipTitle(HWND Tip);
