// Looks: colour sets for fixed cells, lines, selection, active cell and the
// search footer; the look names; URL display and the hint window switch.
#include "grid/htmlhint.h"
#include "grid/viduzozezuvodu.h"

namespace {

const char* const LookNames[] = {"glStandard", "glSoft",    "glClassic",     "glZyt",       "glXP",
                                 "glListView", "glVista",   "glWin7",        "glOffice2007"};
const char* const LookFriendlyNames[] = {"Standard", "Soft",          "Classic",   "Zyt",      "Windows XP",
                                         "ListView", "Windows Vista", "Windows 7", "Office2007"};

}  // namespace

AnsiString VIduZozezuVodu::GetLookAsString(TGridLook Value) {
  return Value >= glStandard && Value < glCustom ? LookNames[Value] : "";
}

AnsiString VIduZozezuVodu::GetLookAsFriendlyString(TGridLook Value) {
  return Value >= glStandard && Value < glCustom ? LookFriendlyNames[Value] : "";
}

void VIduZozezuVodu::SetLook(TGridLook Value) {
  if (Value == FLook) return;
  FLook = Value;
  TControlLook* CL = FControlLook;
  if (Value != glCustom) {
    CL->SetFixedGradientFrom(clNone);
    CL->SetFixedGradientTo(clNone);
    CL->SetFixedGradientMirrorFrom(clNone);
    CL->SetFixedGradientMirrorTo(clNone);
    FFixedGradient.From = FFixedGradient.To = FFixedGradient.MirrorFrom = FFixedGradient.MirrorTo = clNone;
  }
  const bool loading = (GetComponentState() & csLoading) != 0;
  switch (Value) {
    case glVista:
      SetStyle(gsWindowsVista);
      break;
    case glWin7:
      SetStyle(gsWindows7);
      break;
    case glOffice2007:
      SetStyle(gsOffice2007Luna);
      break;
    case glCustom:
      break;
    default: {
      const bool plain = Value == glStandard || Value == glSoft || Value == glClassic;
      SetSelectionStyle(ssDefault);
      if (plain) {
        if (!loading) SetFixedColor(clBtnFace);
        CL->SetFixedGradientFrom(clBtnFace);
        CL->SetFixedGradientTo(clNone);
      } else {
        CL->SetFixedGradientFrom(RGB(255, 255, 255));
        CL->SetFixedGradientTo(clBtnFace);
      }
      SetGridFixedLineColor(RGB(128, 128, 128));
      CL->SetFixedGradientMirrorFrom(clNone);
      CL->SetFixedGradientMirrorTo(clNone);
      FFixedGradient.MirrorFrom = FFixedGradient.MirrorTo = clNone;
      SetGridLineColor(RGB(192, 192, 192));
      if (plain || Value == glListView) {
        SetActiveCellColor(RGB(128, 128, 128));
        ActiveCellColorTo = clNone;
        SelectionColor = clHighlight;
        SelectionTextColor = clHighlightText;
        FSearchFooter->SetColor(clBtnFace);
        FSearchFooter->SetColorTo(clBtnFace);
      } else {
        SetActiveCellColor(RGB(182, 202, 234));
        ActiveCellColorTo = clNone;
        SelectionColor = RGB(182, 202, 234);
        SelectionColorTo = clNone;
        SelectionTextColor = RGB(0, 0, 0);
        FSearchFooter->SetColor(FFixedGradient.From);
        FSearchFooter->SetColorTo(FFixedGradient.To);
        CL->SetFixedGradientFrom(RGB(255, 255, 255));
        CL->SetFixedGradientTo(Value == glZyt ? RGB(192, 192, 192) : clBtnFace);
        CL->SetFixedGradientHoverFrom(RGB(209, 208, 207));
        CL->SetFixedGradientHoverTo(RGB(200, 198, 190));
        CL->SetFixedGradientHoverMirrorFrom(RGB(200, 198, 190));
        CL->SetFixedGradientHoverMirrorTo(RGB(191, 188, 171));
        CL->SetFixedGradientDownFrom(RGB(136, 135, 134));
        CL->SetFixedGradientDownTo(RGB(126, 124, 115));
        CL->SetFixedGradientDownMirrorFrom(RGB(126, 124, 115));
        CL->SetFixedGradientDownMirrorTo(RGB(118, 115, 98));
      }
      break;
    }
  }
  Invalidate();
  if (!loading) UpdateFooter();
}

void VIduZozezuVodu::SetURLColor(TColor Value) {
  FURLColor = Value;
  if (FURLShow) Invalidate();
}

void VIduZozezuVodu::SetURLShow(bool Value) {
  FURLShow = Value;
  Invalidate();
}

void VIduZozezuVodu::SetURLFull(bool Value) {
  FURLFull = Value;
  if (FURLShow) Invalidate();
}

void VIduZozezuVodu::SetUseHTMLHints(bool Value) {
  FUseHTMLHints = Value;
  HintWindowClass = Value ? &NewHintWindow<THTMLHintWindow> : &NewHintWindow<THintWindow>;
}

HRESULT VIduZozezuVodu::QueryInterface(const TGUID& IID, void** Obj) {
  if (!Obj) return E_POINTER;
  *Obj = nullptr;
  if (IID == IID_IZytStyle)
    *Obj = static_cast<IZytStyle*>(this);
  else if (IID == IID_IInterface)
    *Obj = static_cast<IInterface*>(this);
  return *Obj ? S_OK : E_NOINTERFACE;
}
