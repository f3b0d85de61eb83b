// TCanvas: drawing with the canvas's font, pen and brush on a context.
#include "platform/graphics/graphics.h"

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {
  FFont->OnChange = [this](TObject*) { FFontDirty = true; };
  FPen->OnChange = [this](TObject*) { FPenDirty = true; };
  FBrush->OnChange = [this](TObject*) { FBrushDirty = true; };
}

TCanvas::~TCanvas() {
  DeselectHandles();
  delete FFont;
  delete FPen;
  delete FBrush;
}

HDC TCanvas::GetHandle() {
  if (!FHandle) CreateHandle();
  if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (Value == FHandle) return;
  DeselectHandles();
  FHandle = Value;
  FPenDirty = FBrushDirty = FFontDirty = true;
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  // Put back what the context held before the canvas selected its objects.
  if (FOldPen) SelectObject(FHandle, FOldPen);
  if (FOldBrush) SelectObject(FHandle, FOldBrush);
  if (FOldFont) SelectObject(FHandle, FOldFont);
  FOldPen = FOldBrush = FOldFont = nullptr;
  FSelPen = nullptr;
  FSelBrush = nullptr;
  FSelFont = nullptr;
}

void TCanvas::Refresh() {
  DeselectHandles();
  FPenDirty = FBrushDirty = FFontDirty = true;
}

void TCanvas::RequireState(bool pen, bool brush, bool font) {
  HDC dc = GetHandle();
  if (pen) {
    HPEN h = FPen->GetHandle();
    if (FPenDirty || h != FSelPen) {
      HGDIOBJ old = SelectObject(dc, h);
      if (!FOldPen) FOldPen = old;
      FSelPen = h;
      FPenDirty = false;
    }
    SetROP2(dc, FPen->Rop2());
  }
  if (brush) {
    HBRUSH h = FBrush->GetHandle();
    if (FBrushDirty || h != FSelBrush) {
      HGDIOBJ old = SelectObject(dc, h);
      if (!FOldBrush) FOldBrush = old;
      FSelBrush = h;
      FBrushDirty = false;
    }
    SetBkColor(dc, ColorToRGB(FBrush->GetColor()));
    SetBkMode(dc, FBrush->GetStyle() == bsClear ? TRANSPARENT : OPAQUE);
  }
  if (font) {
    HFONT h = FFont->GetHandle();
    if (FFontDirty || h != FSelFont) {
      HGDIOBJ old = SelectObject(dc, h);
      if (!FOldFont) FOldFont = old;
      FSelFont = h;
      FFontDirty = false;
    }
    SetTextColor(dc, ColorToRGB(FFont->GetColor()));
  }
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}
void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::GetPenPos() {
  POINT p{0, 0};
  GetCurrentPositionEx(GetHandle(), &p);
  return p;
}

TRect TCanvas::GetClipRect() {
  RECT r{};
  GetClipBox(GetHandle(), &r);
  return r;
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(GetHandle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequireState(true, true, false);
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequireState(true, true, false);
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequireState(true, true, false);
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequireState(true, true, false);
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Polygon(const TPoint* Points, int Count) {
  Changing();
  RequireState(true, true, false);
  ::Polygon(FHandle, Points, Count);
  Changed();
}

void TCanvas::Polyline(const TPoint* Points, int Count) {
  Changing();
  RequireState(true, true, false);
  ::Polyline(FHandle, Points, Count);
  Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequireState(true, true, false);
  ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequireState(true, true, false);
  ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequireState(true, true, false);
  ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::FillRect(const TRect& R) {
  Changing();
  RequireState(false, true, false);
  ::FillRect(FHandle, &R, FBrush->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  Changing();
  RequireState(false, true, false);
  ::FrameRect(FHandle, &R, FBrush->GetHandle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
  Changing();
  RequireState(false, true, false);
  ::DrawFocusRect(FHandle, &R);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const AnsiString& Text) {
  Changing();
  RequireState(false, true, true);
  ::TextOutA(FHandle, X, Y, Text.data(), static_cast<int>(Text.size()));
  // The pen moves to the end of the text.
  SIZE s{};
  ::GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), &s);
  MoveToEx(FHandle, X + s.cx, Y, nullptr);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const WideString& Text) {
  Changing();
  RequireState(false, true, true);
  ::TextOutW(FHandle, X, Y, Text.data(), static_cast<int>(Text.size()));
  SIZE s{};
  ::GetTextExtentPoint32W(FHandle, Text.data(), static_cast<int>(Text.size()), &s);
  MoveToEx(FHandle, X + s.cx, Y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const AnsiString& Text) {
  Changing();
  RequireState(false, true, true);
  UINT options = ETO_CLIPPED | (FBrush->GetStyle() != bsClear ? ETO_OPAQUE : 0);
  ::ExtTextOutA(FHandle, X, Y, options, &R, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const WideString& Text) {
  Changing();
  RequireState(false, true, true);
  UINT options = ETO_CLIPPED | (FBrush->GetStyle() != bsClear ? ETO_OPAQUE : 0);
  ::ExtTextOutW(FHandle, X, Y, options, &R, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const AnsiString& Text) {
  RequireState(false, false, true);
  SIZE s{};
  ::GetTextExtentPoint32A(FHandle, Text.data(), static_cast<int>(Text.size()), &s);
  return s;
}

TSize TCanvas::TextExtent(const WideString& Text) {
  RequireState(false, false, true);
  SIZE s{};
  ::GetTextExtentPoint32W(FHandle, Text.data(), static_cast<int>(Text.size()), &s);
  return s;
}

int TCanvas::TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
int TCanvas::TextWidth(const WideString& Text) { return TextExtent(Text).cx; }
int TCanvas::TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  Graphic->Draw(this, TRect(X, Y, X + Graphic->GetWidth(), Y + Graphic->GetHeight()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  Graphic->Draw(this, R);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (!Canvas) return;
  Changing();
  RequireState(false, true, false);
  Canvas->RequireState(false, true, true);
  ::StretchBlt(FHandle, Dest.left, Dest.top, Dest.Width(), Dest.Height(), Canvas->GetHandle(), Source.left,
               Source.top, Source.Width(), Source.Height(), FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  Changing();
  RequireState(false, true, false);
  TBitmap copy;
  copy.Assign(Bitmap);
  COLORREF key = ColorToRGB(Color) & 0xFFFFFF;
  std::uint32_t brush = 0xFF000000u | (GetRValue(ColorToRGB(FBrush->GetColor())) << 16) |
                        (GetGValue(ColorToRGB(FBrush->GetColor())) << 8) | GetBValue(ColorToRGB(FBrush->GetColor()));
  std::uint32_t keyPx = 0xFF000000u | (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
  for (int y = 0; y < copy.GetHeight(); ++y) {
    auto* row = static_cast<std::uint32_t*>(copy.ScanLine(y));
    for (int x = 0; x < copy.GetWidth(); ++x)
      if ((row[x] | 0xFF000000u) == keyPx) row[x] = brush;
  }
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, copy.GetHandle());
  ::StretchBlt(FHandle, Dest.left, Dest.top, Dest.Width(), Dest.Height(), src, Source.left, Source.top,
               Source.Width(), Source.Height(), SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
  Changing();
  RequireState(false, true, false);
  ::ExtFloodFill(FHandle, X, Y, ColorToRGB(Color), FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

TColor TCanvas::GetPixels(int X, int Y) { return static_cast<TColor>(::GetPixel(GetHandle(), X, Y)); }

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  ::SetPixel(GetHandle(), X, Y, ColorToRGB(Value));
  Changed();
}

void TCanvas::Lock() {
  FMutex.lock();
  ++FLockCount;
}
void TCanvas::Unlock() {
  --FLockCount;
  FMutex.unlock();
}
bool TCanvas::TryLock() {
  if (!FMutex.try_lock()) return false;
  ++FLockCount;
  return true;
}
