// The align layout: top, bottom, left and right bands, then the client
// control in what is left; anchored controls keep their distances.
#include <algorithm>

#include "platform/forms/controls.h"

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && (FControlState & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || HasState(csLoading | csDestroying)) {
    FControlState |= csAlignmentNeeded;
    return;
  }
  FControlState |= csAlignmentNeeded;  // anchor rules stay while aligning
  ++FAlignLevel;
  TRect r = GetClientRect();
  AlignControls(nullptr, r);
  --FAlignLevel;
  FControlState &= ~csAlignmentNeeded;
}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
  auto place = [](TControl* c, int l, int t, int w, int h) {
    c->SetBounds(l, t, std::max(0, w), std::max(0, h));
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : std::vector<TControl*>(FControls)) {
      if (c->FAlign != a || !c->FVisible) continue;
      switch (a) {
        case alTop:
          place(c, Rect.left, Rect.top, Rect.Width(), c->FHeight);
          Rect.top += c->FHeight;
          break;
        case alBottom:
          place(c, Rect.left, Rect.bottom - c->FHeight, Rect.Width(), c->FHeight);
          Rect.bottom -= c->FHeight;
          break;
        case alLeft:
          place(c, Rect.left, Rect.top, c->FWidth, Rect.Height());
          Rect.left += c->FWidth;
          break;
        case alRight:
          place(c, Rect.right - c->FWidth, Rect.top, c->FWidth, Rect.Height());
          Rect.right -= c->FWidth;
          break;
        case alClient:
          place(c, Rect.left, Rect.top, Rect.Width(), Rect.Height());
          break;
        default:
          break;
      }
    }
  }
  // Anchored controls follow the parent's right and bottom edges.
  TRect client = GetClientRect();
  for (TControl* c : std::vector<TControl*>(FControls)) {
    if (c->FAlign != alNone || !c->FAnchorRulesSet || c->FAnchors == akDefault) continue;
    const TRect& rule = c->FAnchorRules;
    int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
    if (c->FAnchors & akRight) {
      if (c->FAnchors & akLeft) w = client.Width() - rule.left - rule.right;
      else l = client.Width() - rule.right - w;
    }
    if (c->FAnchors & akBottom) {
      if (c->FAnchors & akTop) h = client.Height() - rule.top - rule.bottom;
      else t = client.Height() - rule.bottom - h;
    }
    place(c, l, t, w, h);
  }
}
