// Small helpers for building the window's controls in code.
#pragma once

#include "platform/controls.h"

template <class T>
T* MakeControl(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  T* c = new T(Owner);
  c->SetName(Name);
  c->SetBounds(Left, Top, Width, Height);
  c->SetParent(Parent);
  return c;
}

// Draws the pictures of the toolbar buttons into List (16 x 16 each), in
// the order of the ImageIndex values the toolbar uses.
class TImageList;
void DrawToolBarImages(TImageList* List);
// The program icon of the About box (32 x 32).
class TBitmap;
void DrawProgramIcon(TBitmap* Bitmap);
