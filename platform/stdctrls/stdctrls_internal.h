// Helpers shared by the standard control window classes (not for users of
// the controls).
#pragma once

#include "platform/stdctrls/stdctrls_consts.h"

namespace stdctl {

// WM_COMMAND with the control's id and a notification code, to its parent.
void NotifyParent(HWND Wnd, WORD Code);
// The font a control draws with (the one WM_SETFONT gave, else the GUI font).
HFONT ControlFont(HFONT Font);
// Text measuring with a control's font on a screen-like context.
class TMeasure {
public:
  explicit TMeasure(HFONT Font);
  ~TMeasure();
  TMeasure(const TMeasure&) = delete;
  TMeasure& operator=(const TMeasure&) = delete;
  int Width(const char16_t* Text, int Count);
  int LineHeight() const { return FLineHeight; }

private:
  HDC FDC;
  HGDIOBJ FOld;
  int FLineHeight = 13;
};

// Window class registrations, one per class family.
void RegisterEditClass();
void RegisterListBoxClass();
void RegisterComboBoxClass();

bool IsWordChar(char16_t C);

// Where a WM_HSCROLL request moves a text view scrolled to X (0..Last, a
// page of Page pixels, a line of Line); -1 for a request it ignores.
int HorzScrollTarget(WPARAM Request, int X, int Page, int Last, int Line);

// A scroll bar of a text view: range 0..Max, page Page, at Pos.
void SetTextScrollBar(HWND Wnd, int Bar, int Max, int Page, int Pos);

}  // namespace stdctl
