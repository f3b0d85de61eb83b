// TWinControl's bevels: the band they take inside the border (WM_NCCALCSIZE),
// their drawing (WM_NCPAINT) and the frame recalculation when they change.
#include <algorithm>

#include "platform/forms/controls.h"

namespace {

UINT InnerEdge(TBevelCut Cut) {
  switch (Cut) {
    case bvLowered: return BDR_SUNKENINNER;
    case bvRaised: return BDR_RAISEDINNER;
    default: return 0;
  }
}

UINT OuterEdge(TBevelCut Cut) {
  switch (Cut) {
    case bvLowered: return BDR_SUNKENOUTER;
    case bvRaised: return BDR_RAISEDOUTER;
    default: return 0;
  }
}

UINT KindFlags(TBevelKind Kind) {
  switch (Kind) {
    case bkSoft: return BF_SOFT;
    case bkFlat: return BF_FLAT;
    default: return 0;
  }
}

UINT EdgeFlags(TBevelEdges Edges) {
  return ((Edges & beLeft) ? BF_LEFT : 0) | ((Edges & beTop) ? BF_TOP : 0) | ((Edges & beRight) ? BF_RIGHT : 0) |
         ((Edges & beBottom) ? BF_BOTTOM : 0);
}

}  // namespace

TRect TWinControl::BevelInsets() const {
  if (FBevelKind == bkNone) return TRect(0, 0, 0, 0);
  int size = 0;
  if (FBevelInner != bvNone) size += FBevelWidth;
  if (FBevelOuter != bvNone) size += FBevelWidth;
  return TRect((FBevelEdges & beLeft) ? size : 0, (FBevelEdges & beTop) ? size : 0,
               (FBevelEdges & beRight) ? size : 0, (FBevelEdges & beBottom) ? size : 0);
}

void TWinControl::SetBevelEdges(TBevelEdges Value) {
  Value &= beAllEdges;
  if (FBevelEdges == Value) return;
  FBevelEdges = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::SetBevelInner(TBevelCut Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::SetBevelOuter(TBevelCut Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::SetBevelKind(TBevelKind Value) {
  if (FBevelKind == Value) return;
  FBevelKind = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::SetBevelWidth(TBevelWidth Value) {
  Value = std::max(1, Value);
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::CMBorderChanged(TMessage&) {
  if (!FHandle) return;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  if (FVisible) Invalidate();
}

void TWinControl::WMNCCalcSize(TMessage& Message) {
  DefaultHandler(Message);
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  if (!r || Message.WParam) return;
  TRect in = BevelInsets();
  r->left += in.left;
  r->top += in.top;
  r->right = std::max(r->left, r->right - in.right);
  r->bottom = std::max(r->top, r->bottom - in.bottom);
}

void TWinControl::WMNCPaint(TMessage& Message) {
  DefaultHandler(Message);  // the border and the scroll bars
  if (FBevelKind == bkNone || !FHandle) return;
  HDC dc = GetWindowDC(FHandle);
  if (!dc) return;
  // The client area in window coordinates, grown by the scroll bars.
  RECT window, client;
  GetWindowRect(FHandle, &window);
  ::GetClientRect(FHandle, &client);
  POINT origin{0, 0};
  ::ClientToScreen(FHandle, &origin);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_STYLE));
  if (style & WS_VSCROLL) client.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) client.bottom += GetSystemMetrics(SM_CYHSCROLL);
  TRect in = BevelInsets();
  RECT outer{client.left - in.left, client.top - in.top, client.right + in.right, client.bottom + in.bottom};
  // The band first in the control's colour: a bevel width above one and
  // bvSpace leave parts the edges do not draw.
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(FColor));
  FillRect(dc, &outer, brush);
  DeleteObject(brush);
  RestoreDC(dc, saved);
  DrawEdge(dc, &outer, InnerEdge(FBevelInner) | OuterEdge(FBevelOuter),
           EdgeFlags(FBevelEdges) | KindFlags(FBevelKind) | (FCtl3D ? 0 : BF_MONO) | BF_ADJUST);
  ReleaseDC(FHandle, dc);
}
