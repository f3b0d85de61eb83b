// Painting: the control canvas, WM_PAINT and WM_ERASEBKGND handling, graphic
// children, PaintTo, TCustomControl, TGraphicControl and snapshots.
#include <algorithm>

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"

// ---- TControlCanvas ----------------------------------------------------------------------
TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* Value) {
  if (FControl == Value) return;
  FreeHandle();
  FControl = Value;
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  if (IsWindow(FWindowHandle)) ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
    FWindowHandle = w->GetHandle();
    FDeviceContext = GetDC(FWindowHandle);
  } else {
    TWinControl* parent = FControl->GetParent();
    if (!parent) return;
    FWindowHandle = parent->GetHandle();
    FDeviceContext = GetDC(FWindowHandle);
    if (!FDeviceContext) return;
    // A graphic control draws at its own origin, clipped to itself.
    SetWindowOrgEx(FDeviceContext, -FControl->GetLeft(), -FControl->GetTop(), nullptr);
    IntersectClipRect(FDeviceContext, 0, 0, FControl->GetWidth(), FControl->GetHeight());
  }
  SetHandle(FDeviceContext);
}

// ---- TWinControl painting ------------------------------------------------------------------
void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::WMPaint(TMessage& Message) {
  if (FDoubleBuffered && !Message.WParam && FHandle) {
    // The whole client area is painted into a bitmap (background included:
    // WM_ERASEBKGND with the bitmap's context in both parameters) and
    // copied in one blit.
    TRect client = GetClientRect();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max(1, client.right), std::max(1, client.bottom));
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    struct TFree {
      HDC Memory;
      HGDIOBJ Old;
      HBITMAP Bitmap;
      ~TFree() {
        SelectObject(Memory, Old);
        DeleteDC(Memory);
        DeleteObject(Bitmap);
      }
    } free{memory, old, bitmap};
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(FHandle, &ps);
    struct TEnd {
      HWND H;
      PAINTSTRUCT* P;
      ~TEnd() {
        if (IsWindow(H)) EndPaint(H, P);
      }
    } end{FHandle, &ps};
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
    Message.WParam = reinterpret_cast<WPARAM>(memory);
    WMPaint(Message);
    Message.WParam = 0;
    if (dc) BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    return;
  }
  bool graphicChildren = std::any_of(FControls.begin(), FControls.end(),
                                     [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
  if (Message.WParam || graphicChildren || (FControlState & csCustomPaint)) PaintHandler(Message);
  else DefaultHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  if (!dc) dc = BeginPaint(FHandle, &ps);
  if (!dc) return;
  struct TEnd {
    HWND H;
    PAINTSTRUCT* P;
    bool Own;
    ~TEnd() {
      if (Own && IsWindow(H)) EndPaint(H, P);
    }
  } end{FHandle, &ps, Message.WParam == 0};
  int saved = SaveDC(dc);
  PaintWindow(dc);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = First ? std::find(FControls.begin(), FControls.end(), First) : FControls.begin();
  for (; it != FControls.end(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->FVisible) continue;
    int saved = SaveDC(DC);
    POINT old;
    OffsetWindowOrgEx(DC, -c->FLeft, -c->FTop, &old);
    IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  // Double buffered: only the bitmap's erase (both parameters the same)
  // paints; the screen's would show before the picture.
  if (FDoubleBuffered && Message.WParam != static_cast<WPARAM>(Message.LParam)) {
    Message.Result = 1;
    return;
  }
  RECT r = GetClientRect();
  FillRect(dc, &r, GetBrush()->GetHandle());  // a clear brush leaves it
  Message.Result = 1;
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  HandleNeeded();
  int saved = SaveDC(DC);
  POINT old;
  OffsetWindowOrgEx(DC, -X, -Y, &old);
  TRect client = GetClientRect();
  IntersectClipRect(DC, 0, 0, client.Width(), client.Height());
  // Both parameters: a double-buffered control erases only that way.
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  RestoreDC(DC, saved);
  for (TControl* c : FControls) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && w->FVisible) w->PaintTo(DC, X + w->FLeft, Y + w->FTop);
  }
}

// ---- TCustomControl ----------------------------------------------------------------------
TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() {
  Destroying();
  delete FCanvas;
  FCanvas = nullptr;
}

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    WMPaintCustom(Message);
    return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomControl::WMPaintCustom(TMessage& Message) {
  FControlState |= csCustomPaint;
  struct TClear {
    TControlState& State;
    ~TClear() { State &= ~csCustomPaint; }
  } clear{FControlState};
  WMPaint(Message);
}

void TCustomControl::PaintWindow(HDC DC) {
  if (!FCanvas) return;
  FCanvas->PaintOn(DC, [this] { Paint(); });
}

// ---- TGraphicControl -----------------------------------------------------------------------
TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
  delete FCanvas;
  FCanvas = nullptr;
}

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    WMPaintGraphic(Message);
    return;
  }
  TControl::Dispatch(Message);
}

void TGraphicControl::WMPaintGraphic(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc || !FCanvas) return;
  FCanvas->Lock();
  FCanvas->FreeHandle();
  FCanvas->SetHandle(dc);
  struct TRestore {
    TControlCanvas* C;
    ~TRestore() {
      C->SetHandle(nullptr);
      C->Unlock();
    }
  } restore{FCanvas};
  Paint();
}

// ---- Snapshot --------------------------------------------------------------------------------
void SnapshotControl(TWinControl* Control, TBitmap* Bitmap) {
  HWND h = Control->GetHandle();
  HWND root = GetAncestor(h, GA_ROOT);
  if (!root) root = h;
  HBITMAP whole = ComposeWindowBitmap(root);
  if (!whole) throw EInvalidOperation("Cannot compose the window's picture");
  RECT rootRect, rect;
  GetWindowRect(root, &rootRect);
  GetWindowRect(h, &rect);
  int w = rect.right - rect.left, hgt = rect.bottom - rect.top;
  Bitmap->SetSize(w, hgt);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, whole);
  BitBlt(Bitmap->GetCanvas()->GetHandle(), 0, 0, w, hgt, src, rect.left - rootRect.left, rect.top - rootRect.top,
         SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(whole);
}

void TControlCanvas::PaintOn(HDC DC, const std::function<void()>& Paint) {
  Lock();
  FreeHandle();
  SetHandle(DC);
  struct TRestore {
    TControlCanvas* C;
    ~TRestore() {
      C->SetHandle(nullptr);
      C->Unlock();
    }
  } restore{this};
  Paint();
}
