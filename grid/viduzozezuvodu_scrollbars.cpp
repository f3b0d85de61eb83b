// The grid's scroll bars: which exist, their look through the flat
// scroll-bar functions of the common-controls library (when it has them),
// bars kept visible, and thumbs proportional to the hidden part in pixels.
#include <cmath>

#include "grid/viduzozezuvodu.h"
#include "platform/uxtheme/modules.h"

namespace {

constexpr UINT WSB_PROP_CYHSCROLL = 0x4;
constexpr UINT WSB_PROP_CXVSCROLL = 0x8;
constexpr UINT WSB_PROP_VBKGCOLOR = 0x40;
constexpr UINT WSB_PROP_HBKGCOLOR = 0x80;
constexpr UINT WSB_PROP_VSTYLE = 0x100;
constexpr UINT WSB_PROP_HSTYLE = 0x200;
constexpr int FSB_REGULAR_MODE = 0;
constexpr int FSB_ENCARTA_MODE = 1;
constexpr int FSB_FLAT_MODE = 2;

// A function of the already loaded common-controls library; nullptr when
// the library or the function is missing.
template <class F>
F FlatFunction(const char* Name) {
  HMODULE Lib = GetModuleHandle("comctl32.dll");
  if (!Lib) return nullptr;
  return reinterpret_cast<F>(GetProcAddress(Lib, Name));
}

bool HasHorz(TScrollStyle S) { return S == ssHorizontal || S == ssBoth; }
bool HasVert(TScrollStyle S) { return S == ssVertical || S == ssBoth; }

// The thumb of a bar of 128 positions whose visible share is R: the range
// grows so that a page of nMax - 126 leaves the positions 0 .. 127.
void ProportionalInfo(SCROLLINFO& Info, float R) {
  Info.nMax = static_cast<int>(std::trunc((127 + R) / (1 - R)));
  Info.nPage = static_cast<UINT>(Info.nMax - 126);
}

}  // namespace

int VIduZozezuVodu::SystemWheelScrollLines() {
  UINT Lines = 3;
  if (!SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0)) Lines = 3;
  return static_cast<int>(Lines);
}

// ---- properties ---------------------------------------------------------------------------------

void VIduZozezuVodu::SetScrollBarsEx(TScrollStyle Value) {
  FScrollBarsEx = Value;
  SetScrollBars(Value);
}

void VIduZozezuVodu::SetScrollType(TScrollType Value) {
  if (Value != FScrollType) {
    FScrollType = Value;
    if (Value == ssFlat || Value == ssEncarta) {
      FlatInit();
      FlatUpdate();
    } else {
      FlatDone();
    }
  }
  UpdateType();
}

void VIduZozezuVodu::SetScrollColor(TColor Value) {
  ScrollColor = Value;
  UpdateColor();
}

void VIduZozezuVodu::SetScrollWidth(int Value) {
  FScrollWidth = Value;
  UpdateWidth();
}

void VIduZozezuVodu::SetScrollProportional(bool Value) {
  FScrollProportional = Value;
  if (Value) return;
  if (FlatScrollActive && FScrollType == ssNormal) FlatDone();
  // The thumbs go back to the plain range of 128 positions.
  if (!HandleAllocated()) return;
  for (int Bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO Info{};
    Info.cbSize = sizeof(SCROLLINFO);
    Info.fMask = SIF_RANGE;
    GetScrollInfo(Handle(), Bar, &Info);
    if (Info.nMax <= Info.nMin) continue;
    Info.fMask = SIF_PAGE | SIF_RANGE;
    Info.nMin = 0;
    Info.nMax = 127;
    Info.nPage = 0;
    SetScrollInfo(Handle(), Bar, &Info, TRUE);
  }
}

void VIduZozezuVodu::SetScrollBarAlways(TScrollBarAlways Value) {
  FScrollBarAlways = Value;
  SetKeptScrollBars(Value == saHorz || Value == saBoth, Value == saVert || Value == saBoth);
  UpdateScrollBars();
}

// ---- flat scroll bars ---------------------------------------------------------------------------

void VIduZozezuVodu::FlatInit() {
  auto Init = FlatFunction<BOOL (*)(HWND)>("InitializeFlatSB");
  if (Init && HandleAllocated()) Init(Handle());
  FlatScrollActive = Init != nullptr;
}

void VIduZozezuVodu::FlatDone() {
  FlatScrollActive = false;
  auto Done = FlatFunction<HRESULT (*)(HWND)>("UninitializeFlatSB");
  if (Done && HandleAllocated()) Done(Handle());
}

int VIduZozezuVodu::FlatSetScrollInfo(int Bar, SCROLLINFO& Info, bool Redraw) {
  auto Set = FlatFunction<int (*)(HWND, int, SCROLLINFO*, BOOL)>("FlatSB_SetScrollInfo");
  if (!Set || !HandleAllocated()) return 0;
  return Set(Handle(), Bar, &Info, Redraw);
}

void VIduZozezuVodu::FlatSetScrollProp(int Index, int NewValue, bool Redraw) {
  if (!FlatScrollActive) return;
  auto Set = FlatFunction<BOOL (*)(HWND, UINT, std::intptr_t, BOOL)>("FlatSB_SetScrollProp");
  if (Set && HandleAllocated()) Set(Handle(), static_cast<UINT>(Index), NewValue, Redraw);
}

void VIduZozezuVodu::FlatShowScrollBar(int Bar, bool Show) {
  if (!FlatScrollActive) return;
  if (Bar == SB_HORZ && !HasHorz(GetScrollBars())) return;
  if (Bar == SB_VERT && !HasVert(GetScrollBars())) return;
  auto ShowBar = FlatFunction<BOOL (*)(HWND, int, BOOL)>("FlatSB_ShowScrollBar");
  if (ShowBar && HandleAllocated()) ShowBar(Handle(), Bar, Show);
}

void VIduZozezuVodu::UpdateType() {
  const int Mode =
      FScrollType == ssFlat ? FSB_FLAT_MODE : FScrollType == ssEncarta ? FSB_ENCARTA_MODE : FSB_REGULAR_MODE;
  FlatSetScrollProp(WSB_PROP_VSTYLE, Mode, true);
  FlatSetScrollProp(WSB_PROP_HSTYLE, Mode, true);
}

void VIduZozezuVodu::UpdateColor() {
  if (ScrollColor == clNone) return;
  FlatSetScrollProp(WSB_PROP_VBKGCOLOR, static_cast<int>(ScrollColor), true);
  FlatSetScrollProp(WSB_PROP_HBKGCOLOR, static_cast<int>(ScrollColor), true);
}

void VIduZozezuVodu::UpdateWidth() {
  FlatSetScrollProp(WSB_PROP_CXVSCROLL, FScrollWidth, true);
  FlatSetScrollProp(WSB_PROP_CYHSCROLL, FScrollWidth, true);
}

void VIduZozezuVodu::FlatUpdate() {
  UpdateType();
  UpdateColor();
  UpdateWidth();
  if (GetVisibleRowCount() + GetFixedRows() < GetRowCount()) {
    FlatShowScrollBar(SB_VERT, true);
    UpdateVScrollBar();
  } else {
    FlatShowScrollBar(SB_VERT, false);
  }
  if (GetVisibleColCount() + GetFixedCols() < GetColCount()) {
    FlatShowScrollBar(SB_HORZ, true);
    UpdateHScrollBar();
  } else {
    FlatShowScrollBar(SB_HORZ, false);
  }
}

void VIduZozezuVodu::UpdateVScrollBar() {
  if (!FlatScrollActive || !HasVert(GetScrollBars()) || !HandleAllocated()) return;
  SCROLLINFO Info{};
  Info.cbSize = sizeof(SCROLLINFO);
  Info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_VERT, &Info);
  FlatSetScrollInfo(SB_VERT, Info, true);
}

void VIduZozezuVodu::UpdateHScrollBar() {
  if (!FlatScrollActive || !HasHorz(GetScrollBars()) || !HandleAllocated()) return;
  SCROLLINFO Info{};
  Info.cbSize = sizeof(SCROLLINFO);
  Info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_HORZ, &Info);
  FlatSetScrollInfo(SB_HORZ, Info, true);
}

// ---- proportional thumbs ------------------------------------------------------------------------
// The sums run over the size store's offsets, so a million rows cost no
// more than a thousand.

void VIduZozezuVodu::UpdateHScroller() {
  if ((GetComponentState() & (csLoading | csDesigning)) || !FScrollProportional || Zooming || !HandleAllocated())
    return;
  SCROLLINFO Info{};
  Info.cbSize = sizeof(SCROLLINFO);
  Info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_HORZ, &Info);
  const Int64 W = GetGridLineWidth();
  const int Count = GetColCount(), Fixed = std::min(GetFixedCols(), Count), Left = GetLeftCol();
  const Int64 FixedW = W + FStore.ColOffset(Fixed) + Fixed * W;
  const Int64 NormalW = W + FStore.ColOffset(Count) - FStore.ColOffset(Fixed) + (Count - Fixed) * W;
  const Int64 OffW = W + FStore.ColOffset(Left) - FStore.ColOffset(Fixed) + (Left - Fixed) * W;
  const Int64 TotalW = FStore.ColOffset(Count);
  const int Width = GetWidth();
  // No normal pixels to share: nothing to be proportional to.
  if (NormalW <= 0) return;
  float R = static_cast<float>(Width - FixedW) / static_cast<float>(NormalW);
  if (!std::isfinite(R) || R >= 0.9999f) return;
  ProportionalInfo(Info, std::max(R, 0.0f));
  if (Width < NormalW)
    Info.nPos = static_cast<int>(std::trunc(static_cast<double>(OffW) / static_cast<double>(NormalW - Width) * 128));
  Info.fMask = SIF_ALL;
  SetScrollInfo(Handle(), SB_HORZ, &Info, TRUE);
  UpdateHScrollBar();
  if (FScrollBarAlways == saNone || FScrollBarAlways == saVert) {
    if (!(TotalW >= Width && HasHorz(GetScrollBars()))) ShowScrollBar(Handle(), SB_HORZ, FALSE);
  }
}

void VIduZozezuVodu::UpdateVScroller() {
  if ((GetComponentState() & (csLoading | csDesigning)) || !FScrollProportional || Zooming || !HandleAllocated())
    return;
  SCROLLINFO Info{};
  Info.cbSize = sizeof(SCROLLINFO);
  Info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_VERT, &Info);
  const Int64 W = GetGridLineWidth();
  const int Count = GetRowCount(), Fixed = std::min(GetFixedRows(), Count), Top = GetTopRow();
  const Int64 FixedH = W + FStore.RowOffset(Fixed) + Fixed * W;
  const Int64 NormalH = W + FStore.RowOffset(Count) - FStore.RowOffset(Fixed) + (Count - Fixed) * W;
  const Int64 OffH = W + FStore.RowOffset(Top) - FStore.RowOffset(Fixed) + (Top - Fixed) * W;
  const int Height = GetHeight();
  if (NormalH <= 0) return;
  float R = static_cast<float>(Height - FixedH) / static_cast<float>(NormalH);
  if (!std::isfinite(R) || R >= 0.9999f) return;
  ProportionalInfo(Info, std::max(R, 0.0f));
  Info.nPos = Height < NormalH
                  ? static_cast<int>(std::trunc(static_cast<double>(OffH) / static_cast<double>(NormalH - Height) * 128))
                  : 127;
  Info.fMask = SIF_ALL;
  SetScrollInfo(Handle(), SB_VERT, &Info, TRUE);
  UpdateVScrollBar();
}
