// Small helpers for building the window's controls in code.
#pragma once

#include "platform/comctrls/comctrls.h"
#include "platform/forms/controls.h"
#include "platform/stdctrls/stdctrls.h"

template <class T>
T* MakeControl(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  T* c = new T(Owner);
  c->SetName(Name);
  c->SetBounds(Left, Top, Width, Height);
  c->SetParent(Parent);
  return c;
}

// A handler that forwards to a method of the window being built.
#define HANDLER(M) [this](TObject* s) { M(s); }

TLabel* MakeLabel(TComponent* Owner, TWinControl* Parent, const AnsiString& Name, const char* Caption, int Left,
                  int Top, int Width = 120);
TButton* MakeButton(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Caption, int Left, int Top,
                    int Width, TNotifyEvent Click);
TTabSheet* MakePage(TComponent* Owner, TPageControl* Pages, const char* Name, const char* Caption);

// Draws the pictures of the toolbar buttons into List (16 x 16 each), in
// the order of the ImageIndex values the toolbar uses.
class TImageList;
void DrawToolBarImages(TImageList* List);
// The program icon of the About box (32 x 32).
class TBitmap;
void DrawProgramIcon(TBitmap* Bitmap);
