// The flat-framed picker and the system questions both pickers ask.
#include <vector>

#include "controls/zytdatetimepicker.h"
#include "controls/zytstyleif.h"
#include "platform/settings/fileversion.h"

namespace {
// Frame line of a themed system (common controls 6): red 127, green 157, blue 185.
constexpr TColor ThemedFrameColor = 12164479;
}  // namespace

bool HasGetLocaleInfoEx() { return IsVista(); }

DWORD GetDllVersion(const AnsiString& FileName) {
  constexpr DWORD NoVersion = 0xFFFFFFFF;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(FileName.c_str(), &handle);
  if (size == 0) return NoVersion;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoA(FileName.c_str(), handle, size, block.data())) return NoVersion;
  void* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(block.data(), "\\", &info, &len) || !info || len < sizeof(VS_FIXEDFILEINFO)) return NoVersion;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(info);
  return fixed->dwSignature == VS_FFI_SIGNATURE ? fixed->dwFileVersionMS : NoVersion;
}

// A library without a version block counts as new (its masked byte is 255).
bool IsComCtlVersion6() { return ((GetDllVersion("COMCTL32.DLL") >> 16) & 255) > 5; }

void MeasureTextSize(TWinControl* Control, const AnsiString& Text, TFont* Font, int& Width, int& Height) {
  HWND wnd = Control && Control->HandleAllocated() ? Control->Handle() : nullptr;
  HDC dc = GetDC(wnd);
  TCanvas canvas;
  canvas.SetHandle(dc);
  if (Font) canvas.SetFont(Font);
  RECT r{0, 0, 1000, 200};
  DrawText(canvas.GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  canvas.SetHandle(nullptr);
  ReleaseDC(wnd, dc);
  Width = r.right - r.left;
  Height = r.bottom - r.top;
}

TRect TimePickerBounds(int Width, int Height, int TextWidth, bool Vista, bool ComCtl6, bool Bevelled) {
  const int w = TextWidth;
  if (!Vista) return TRect(Width - w - 21, -2, Width - 21, Height - 2);
  const int b = Bevelled ? 4 : 0;
  const int left = ComCtl6 ? Width - w - b - 34 : Width - w - b - 23;
  const int top = ComCtl6 ? 1 : -2;
  const int height = ComCtl6 ? Height - b - 2 : Height - b;
  return TRect(left, top, left + w, top + height);
}

// ---- TCustomDateTimePicker ------------------------------------------------------------
TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner) {
  SetDoubleBuffered(true);
  SetParentCtl3D(false);
  SetCtl3D(false);
  FThemed = IsComCtlVersion6();
}

void TCustomDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (FFlatBorderStyle == Value) return;
  FFlatBorderStyle = Value;
  RedrawFrame();
}

void TCustomDateTimePicker::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  RedrawFrame();
}

void TCustomDateTimePicker::RedrawFrame() {
  if (HandleAllocated()) RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TCustomDateTimePicker::NCPaintProc(bool OuterOnly) {
  if (GetCtl3D() || !HandleAllocated()) return;
  TWinControl* parent = GetParent();
  TColor outer = FBorderColor;
  if (FFlatBorderStyle == bsNone && parent) outer = parent->GetColor();
  else if (FThemed) outer = ThemedFrameColor;
  const int w = GetWidth(), h = GetHeight();
  HDC dc = GetWindowDC(FHandle);
  if (!dc) return;
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.GetPen()->SetColor(outer);
  canvas.MoveTo(0, h);
  canvas.LineTo(0, 0);
  canvas.LineTo(w - 1, 0);
  canvas.LineTo(w - 1, h - 1);
  canvas.LineTo(0, h - 1);
  if (!OuterOnly && parent) {
    // The platform frame is two pixels deep: the inner line blends it in.
    canvas.GetPen()->SetColor(parent->GetColor());
    canvas.MoveTo(1, h - 2);
    canvas.LineTo(1, 1);
    canvas.LineTo(w - 1, 1);
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(FHandle, dc);
}

void TCustomDateTimePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CTL3DCHANGED:
      TDateTimePicker::Dispatch(Message);
      RedrawFrame();
      return;
    case WM_NCPAINT:
      TDateTimePicker::Dispatch(Message);
      NCPaintProc();
      Message.Result = 0;
      return;
    case WM_PAINT:
      TDateTimePicker::Dispatch(Message);
      // Newer systems paint over the frame's outer line with the client.
      if (HasGetLocaleInfoEx() && !GetCtl3D()) NCPaintProc(true);
      return;
  }
  TDateTimePicker::Dispatch(Message);
}
