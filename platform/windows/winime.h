// Input methods: the host hands a committed composition (the text an input
// method produced) to the focus window as WM_IME_COMPOSITION with
// GCS_RESULTSTR in lParam; while the window handles that message the text
// is readable through its input context. DefWindowProcA turns it into one
// WM_CHAR per UTF-16 unit, so a window that knows nothing of input methods
// still receives the characters.
#pragma once

#include <string>

#include "platform/windows/winuser.h"

inline constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
inline constexpr UINT WM_IME_COMPOSITION = 0x010F;
inline constexpr UINT WM_IME_CHAR = 0x0286;
inline constexpr DWORD GCS_COMPSTR = 0x0008;
inline constexpr DWORD GCS_RESULTSTR = 0x0800;
inline constexpr LONG IMM_ERROR_NODATA = -1;

using HIMC = void*;
// The window's input context (nullptr for an unknown window).
HIMC ImmGetContext(HWND hWnd);
BOOL ImmReleaseContext(HWND hWnd, HIMC hIMC);
// GCS_RESULTSTR: the committed text in UTF-16; answers its size in bytes,
// copying at most BufLen bytes when Buf is given (BufLen 0: the size only).
// IMM_ERROR_NODATA for other indexes or a context without a result.
LONG ImmGetCompositionStringW(HIMC hIMC, DWORD dwIndex, void* lpBuf, DWORD dwBufLen);

// The host: the input method committed Text; posted to the focus window
// (nothing without one or for an empty text).
void InjectImeCommit(const std::u16string& Text);
