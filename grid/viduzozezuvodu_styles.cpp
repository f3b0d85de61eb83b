// Colour presets: component styles, theme colour schemes and the scheme of
// the running system.
#include "grid/viduzozezuvodu.h"
#include "grid/zytxpvs.h"

namespace {

struct TStylePreset {
  TColor From, To, MirrorFrom, MirrorTo;
  TColor ActiveFrom, ActiveTo;
  TColor Lines, FixedLines;
  bool SetSelection;
  TColor Selection, SelectionText;
  bool KeepMirror;        // the mirror colours stay as they are
  bool ControlLookFromTo;  // ControlLook's from / to take the normal colours
};

// By TDidAvovStyle ordinal; gsCustom has no row.
const TStylePreset StylePresets[] = {
    /* gsOffice2003Blue */ {0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, false, 0, 0, false, true},
    /* gsOffice2003Silver */ {0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, false, 0, 0, false, true},
    /* gsOffice2003Olive */ {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, false, 0, 0, false, true},
    /* gsOffice2003Classic */ {0xFFFFFF, 0xCCD4D8, clNone, clNone, 0xD8D5D4, 0xD8D5D4, 0xC0C0C0, 0x808080, false, 0, 0, false, false},
    /* gsOffice2007Luna */ {0xFBF9F6, 0xE8DBD2, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0xF1EDEB, 0xD1BBA4, true, 0x5EC1F1, 0, false, true},
    /* gsOffice2007Obsidian */ {0xF7F7F7, 0xDEDEDE, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0xE5D7D0, 0x808080, true, 0x5EC1F1, 0, false, true},
    /* gsWindowsXP */ {clBtnFace, clBtnFace, clNone, clNone, clBtnFace, clBtnFace, 0xC0C0C0, 0x808080, false, 0, 0, false, false},
    /* gsWhidbey */ {0xFFFFFF, clBtnFace, clNone, clNone, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, false, 0, 0, false, false},
    /* gsCustom */ {},
    /* gsOffice2007Silver */ {0xF3F3F1, 0xCAC9C8, clNone, clNone, 0x99CCFF, 0x699CFF, 0xE5D7D0, 0x808080, true, 0x95C7F5, 0, true, true},
    /* gsWindowsVista */ {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xECECF0, 0xD4D2D1, true, 0xEACAB6, 0, false, false},
    /* gsWindows7 */ {0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xECECF0, 0xD4D2D1, true, 0xEACAB6, 0, false, false},
};

struct TSchemePreset {
  TColor From, To, MirrorFrom, MirrorTo, ActiveFrom, ActiveTo, FooterFrom, FooterTo;
};

// By TXPColorScheme ordinal.
const TSchemePreset SchemePresets[] = {
    /* xpNone */ {0xFFFFFF, clBtnFace, clNone, clNone, 0xFFFFFF, 0xFFD9B3, 0xFFFFFF, 0xFFD9B3},
    /* xpBlue */ {0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D},
    /* xpGreen */ {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1},
    /* xpGray */ {0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
    /* vistaAero */ {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
};

}  // namespace

std::function<bool()> VIduZozezuVodu::IsVistaQuery = [] { return IsVista(); };

void VIduZozezuVodu::SetStyle(TDidAvovStyle Value) {
  SelectionColor = clHighlight;
  SelectionTextColor = clHighlightText;
  SetSelectionStyle(ssDefault);
  if (Value == gsCustom || Value < gsOffice2003Blue || Value > gsWindows7) return;
  const TStylePreset& P = StylePresets[Value];
  TControlLook* CL = FControlLook;
  FFixedGradient.From = P.From;
  FFixedGradient.To = P.To;
  if (!P.KeepMirror) {
    FFixedGradient.MirrorFrom = P.MirrorFrom;
    FFixedGradient.MirrorTo = P.MirrorTo;
  }
  SetActiveCellColor(P.ActiveFrom);
  ActiveCellColorTo = P.ActiveTo;
  SetGridLineColor(P.Lines);
  SetGridFixedLineColor(P.FixedLines);
  if (P.SetSelection) {
    SelectionColor = P.Selection;
    SelectionTextColor = P.SelectionText;
  }
  CL->SetFixedGradientFrom(P.ControlLookFromTo ? P.From : clNone);
  CL->SetFixedGradientTo(P.ControlLookFromTo ? P.To : clNone);

  auto sortHeader = [this] {
    FSortSettings->SetHeaderColor(0xFCF9F2);
    FSortSettings->SetHeaderColorTo(0xFCF9F2);
    FSortSettings->SetHeaderMirrorColor(0xF9F1E1);
    FSortSettings->SetHeaderMirrorColorTo(0xF6ECD8);
  };
  auto pressed = [CL](TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo, TColor Border) {
    CL->SetFixedGradientDownFrom(From);
    CL->SetFixedGradientDownTo(To);
    CL->SetFixedGradientDownMirrorFrom(MirrorFrom);
    CL->SetFixedGradientDownMirrorTo(MirrorTo);
    CL->SetFixedGradientDownBorder(Border);
  };
  auto hover = [CL](TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
    CL->SetFixedGradientHoverFrom(From);
    CL->SetFixedGradientHoverTo(To);
    CL->SetFixedGradientHoverMirrorFrom(MirrorFrom);
    CL->SetFixedGradientHoverMirrorTo(MirrorTo);
  };
  switch (Value) {
    case gsOffice2007Luna:
      hover(0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC);
      CL->SetFixedGradientHoverBorder(0xB79F87);
      pressed(0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D);
      if (FLook == glOffice2007) SetSelectionStyle(ssOffice2007);
      break;
    case gsWindowsVista:
      CL->SetFixedGradientMirrorFrom(P.MirrorFrom);
      CL->SetFixedGradientMirrorTo(P.MirrorTo);
      hover(0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7);
      FHoverGradient.Border = 0xE3C993;
      pressed(0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F);
      sortHeader();
      SetSelectionStyle(ssVista);
      break;
    case gsWindows7:
      hover(0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1);
      FHoverGradient.Border = 0xEEE8E3;
      pressed(0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA);
      sortHeader();
      SetSelectionStyle(ssWin7);
      break;
    default:
      break;
  }
  FSearchFooter->SetColor(P.From);
  if (!P.KeepMirror) FSearchFooter->SetColorTo(P.MirrorTo);
  Invalidate();
}

void VIduZozezuVodu::SetComponentStyle(TZytStyle AStyle) {
  // Styles past the grid's own presets have none.
  SetStyle(AStyle > tsWindows7 ? gsCustom : static_cast<TDidAvovStyle>(AStyle));
}

void VIduZozezuVodu::SetTheme(TXPColorScheme Value) {
  if (Value < xpNone || Value > vistaAero) return;
  const TSchemePreset& P = SchemePresets[Value];
  FFixedGradient.From = P.From;
  FFixedGradient.To = P.To;
  FFixedGradient.MirrorFrom = P.MirrorFrom;
  FFixedGradient.MirrorTo = P.MirrorTo;
  SetActiveCellColor(P.ActiveFrom);
  ActiveCellColorTo = P.ActiveTo;
  FControlLook->SetFixedGradientFrom(Value == xpNone ? clNone : P.From);
  FControlLook->SetFixedGradientTo(Value == xpNone ? clNone : P.To);
  FSearchFooter->SetColor(P.FooterFrom);
  FSearchFooter->SetColorTo(P.FooterTo);
}

void VIduZozezuVodu::ThemeAdapt() {
  TXPColorScheme Scheme = xpNone;
  if (IsVistaQuery && IsVistaQuery()) {
    Scheme = vistaAero;
  } else if (zytxpvs::ThemeLibLoaded && zytxpvs::ThemesActive() && zytxpvs::GetCurrentThemeName) {
    char16_t File[255] = {}, Color[255] = {}, Size[255] = {};
    if (zytxpvs::GetCurrentThemeName(File, 255, Color, 255, Size, 255) == S_OK) {
      const WideString Name(Color);
      if (Name == u"NormalColor")
        Scheme = xpBlue;
      else if (Name == u"HomeStead")
        Scheme = xpGreen;
      else if (Name == u"Metallic")
        Scheme = xpGray;
    }
  }
  SetTheme(Scheme);
}
