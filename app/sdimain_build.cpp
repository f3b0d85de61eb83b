// Small helpers for building the window's controls in code.
#include "app/sdimain_build.h"

TLabel* MakeLabel(TComponent* Owner, TWinControl* Parent, const AnsiString& Name, const char* Caption, int Left,
                  int Top, int Width) {
  auto* l = MakeControl<TLabel>(Owner, Parent, Name.c_str(), Left, Top, Width, 16);
  l->SetCaption(Caption);
  return l;
}

TButton* MakeButton(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Caption, int Left, int Top,
                    int Width, TNotifyEvent Click) {
  auto* b = MakeControl<TButton>(Owner, Parent, Name, Left, Top, Width, 25);
  b->SetCaption(Caption);
  b->OnClick = std::move(Click);
  return b;
}

TTabSheet* MakePage(TComponent* Owner, TPageControl* Pages, const char* Name, const char* Caption) {
  auto* p = new TTabSheet(Owner);
  p->SetName(Name);
  p->SetPageControl(Pages);
  p->SetCaption(Caption);
  return p;
}
