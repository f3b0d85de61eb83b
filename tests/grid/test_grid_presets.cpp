// Looks, style presets, theme schemes and the search footer they colour.
#include <gtest/gtest.h>

#include "grid/htmlhint.h"
#include "grid/viduzozezuvodu.h"
#include "platform/uxtheme/uxtheme.h"

namespace {

TColor Rgb(TColor C) { return static_cast<TColor>(ColorToRGB(C)); }

TEST(GridLooks, NewGridHasTheXPLook) {
  VIduZozezuVodu g(nullptr);
  EXPECT_EQ(g.GetLook(), glXP);
  EXPECT_EQ(g.SelectionColor, RGB(182, 202, 234));
  EXPECT_EQ(g.GetActiveCellColor(), 0x808080);  // the one colour the new grid keeps grey
  EXPECT_EQ(g.GetFixedGradient().From, 0xFFFFFF);
  EXPECT_EQ(g.GetFixedGradient().To, Rgb(clBtnFace));
  EXPECT_EQ(g.GetSearchFooter()->GetColor(), 0xFFFFFF);
  EXPECT_EQ(g.GetSearchFooter()->GetColorTo(), Rgb(clBtnFace));
  EXPECT_EQ(g.GetControlLook()->GetFixedGradientDownMirrorTo(), RGB(118, 115, 98));
  EXPECT_EQ(g.GetDownGradient().MirrorTo, RGB(118, 115, 98));
}

TEST(GridLooks, TablePerLook) {
  struct Case {
    TGridLook Look;
    TColor FixedFrom, FixedTo, Selection, Active, FooterTo, CLTo;
  } cases[] = {
      {glStandard, Rgb(clBtnFace), clNone, clHighlight, RGB(128, 128, 128), clBtnFace, clNone},
      {glSoft, Rgb(clBtnFace), clNone, clHighlight, RGB(128, 128, 128), clBtnFace, clNone},
      {glClassic, Rgb(clBtnFace), clNone, clHighlight, RGB(128, 128, 128), clBtnFace, clNone},
      {glListView, 0xFFFFFF, Rgb(clBtnFace), clHighlight, RGB(128, 128, 128), clBtnFace, clBtnFace},
      {glZyt, 0xFFFFFF, RGB(192, 192, 192), RGB(182, 202, 234), RGB(182, 202, 234), Rgb(clBtnFace), RGB(192, 192, 192)},
  };
  for (const auto& c : cases) {
    VIduZozezuVodu g(nullptr);
    g.SetLook(c.Look);
    EXPECT_EQ(g.GetFixedGradient().From, c.FixedFrom) << c.Look;
    EXPECT_EQ(g.GetFixedGradient().To, c.FixedTo) << c.Look;
    EXPECT_EQ(g.GetFixedGradient().MirrorFrom, clNone) << c.Look;
    EXPECT_EQ(g.SelectionColor, c.Selection) << c.Look;
    EXPECT_EQ(g.GetActiveCellColor(), c.Active) << c.Look;
    EXPECT_EQ(g.GetSearchFooter()->GetColorTo(), c.FooterTo) << c.Look;
    EXPECT_EQ(g.GetControlLook()->GetFixedGradientTo(), c.CLTo) << c.Look;
    EXPECT_EQ(g.GetGridLineColor(), RGB(192, 192, 192)) << c.Look;
    EXPECT_EQ(g.GetGridFixedLineColor(), RGB(128, 128, 128)) << c.Look;
    EXPECT_EQ(g.GetSelectionStyle(), ssDefault) << c.Look;
    if (c.Look == glStandard) {
      EXPECT_EQ(g.GetFixedColor(), clBtnFace);
    }
  }
  VIduZozezuVodu v(nullptr);
  v.SetLook(glVista);
  EXPECT_EQ(v.GetSelectionStyle(), ssVista);
  v.SetLook(glWin7);
  EXPECT_EQ(v.GetSelectionStyle(), ssWin7);
  v.SetLook(glOffice2007);
  EXPECT_EQ(v.GetSelectionStyle(), ssOffice2007);
  EXPECT_EQ(v.GetFixedGradient().From, 0xFBF9F6);
}

TEST(GridLooks, CustomKeepsColoursAndNames) {
  VIduZozezuVodu g(nullptr);
  g.SelectionColor = clRed;
  g.SetGridLineColor(clGreen);
  g.SetLook(glCustom);
  EXPECT_EQ(g.SelectionColor, clRed);
  EXPECT_EQ(g.GetGridLineColor(), clGreen);
  EXPECT_EQ(g.GetFixedGradient().From, 0xFFFFFF);
  EXPECT_EQ(VIduZozezuVodu::GetLookAsString(glCustom), "");
  EXPECT_EQ(VIduZozezuVodu::GetLookAsFriendlyString(glCustom), "");
  EXPECT_EQ(VIduZozezuVodu::GetLookAsString(glOffice2007), "glOffice2007");
  EXPECT_EQ(VIduZozezuVodu::GetLookAsFriendlyString(glXP), "Windows XP");
  EXPECT_EQ(VIduZozezuVodu::GetLookAsFriendlyString(glWin7), "Windows 7");
}

TEST(GridLooks, HtmlHintsSwitchTheApplicationsHintClass) {
  VIduZozezuVodu g(nullptr);
  g.SetUseHTMLHints(true);
  EXPECT_EQ(HintWindowClass, &NewHintWindow<THTMLHintWindow>);
  g.SetUseHTMLHints(false);
  EXPECT_EQ(HintWindowClass, &NewHintWindow<THintWindow>);
}

struct TStyleRow {
  TDidAvovStyle Style;
  TColor From, To, MirrorFrom, MirrorTo, Active, ActiveTo, Lines, FixedLines, Selection, SelText;
  TColor CLFrom, FooterTo;
  TGridSelectionStyle SelStyle;
};

TEST(GridPresets, TablePerStyle) {
  const TColor H = clHighlight, HT = clHighlightText, N = clNone, BF = clBtnFace;
  const TStyleRow rows[] = {
      {gsOffice2003Blue, 0xFCE1CB, 0xE0A57D, N, N, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, H, HT, 0xFCE1CB, N, ssDefault},
      {gsOffice2003Silver, 0xECE2E1, 0xB39698, N, N, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, H, HT, 0xECE2E1, N, ssDefault},
      {gsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, N, N, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, H, HT, 0xCFF0EA, N, ssDefault},
      {gsOffice2003Classic, 0xFFFFFF, 0xCCD4D8, N, N, 0xD8D5D4, 0xD8D5D4, 0xC0C0C0, 0x808080, H, HT, N, N, ssDefault},
      {gsOffice2007Luna, 0xFBF9F6, 0xE8DBD2, N, N, 0x9DD8F9, 0x5EC1F1, 0xF1EDEB, 0xD1BBA4, 0x5EC1F1, 0, 0xFBF9F6, N, ssDefault},
      {gsOffice2007Obsidian, 0xF7F7F7, 0xDEDEDE, N, N, 0x9DD8F9, 0x5EC1F1, 0xE5D7D0, 0x808080, 0x5EC1F1, 0, 0xF7F7F7, N, ssDefault},
      {gsWindowsXP, BF, BF, N, N, BF, BF, 0xC0C0C0, 0x808080, H, HT, N, N, ssDefault},
      {gsWhidbey, 0xFFFFFF, BF, N, N, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, H, HT, N, N, ssDefault},
      {gsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xECECF0, 0xD4D2D1, 0xEACAB6, 0, N, 0xF4F2F1, ssVista},
      {gsWindows7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xECECF0, 0xD4D2D1, 0xEACAB6, 0, N, 0xF7E9DD, ssWin7},
  };
  for (const auto& r : rows) {
    VIduZozezuVodu g(nullptr);
    g.SetStyle(r.Style);
    EXPECT_EQ(g.GetFixedGradient().From, r.From) << r.Style;
    EXPECT_EQ(g.GetFixedGradient().To, r.To) << r.Style;
    EXPECT_EQ(g.GetFixedGradient().MirrorFrom, r.MirrorFrom) << r.Style;
    EXPECT_EQ(g.GetFixedGradient().MirrorTo, r.MirrorTo) << r.Style;
    EXPECT_EQ(g.GetActiveCellColor(), r.Active) << r.Style;
    EXPECT_EQ(g.ActiveCellColorTo, r.ActiveTo) << r.Style;
    EXPECT_EQ(g.GetGridLineColor(), r.Lines) << r.Style;
    EXPECT_EQ(g.GetGridFixedLineColor(), r.FixedLines) << r.Style;
    EXPECT_EQ(g.SelectionColor, r.Selection) << r.Style;
    EXPECT_EQ(g.SelectionTextColor, r.SelText) << r.Style;
    EXPECT_EQ(g.GetControlLook()->GetFixedGradientFrom(), r.CLFrom) << r.Style;
    EXPECT_EQ(g.GetSearchFooter()->GetColor(), r.From) << r.Style;
    EXPECT_EQ(g.GetSearchFooter()->GetColorTo(), r.FooterTo) << r.Style;
    EXPECT_EQ(g.GetSelectionStyle(), r.SelStyle) << r.Style;
  }
}

TEST(GridPresets, VistaAndWin7Extras) {
  VIduZozezuVodu g(nullptr);
  g.SetStyle(gsWindowsVista);
  TControlLook* cl = g.GetControlLook();
  EXPECT_EQ(cl->GetFixedGradientMirrorFrom(), 0xFAF8F7);
  EXPECT_EQ(cl->GetFixedGradientHoverMirrorTo(), 0xFBE7B7);
  EXPECT_EQ(g.GetHoverGradient().Border, 0xE3C993);
  EXPECT_EQ(cl->GetFixedGradientDownBorder(), 0xAE904F);
  EXPECT_EQ(g.GetDownGradient().MirrorFrom, 0xF7D68D);
  EXPECT_EQ(g.GetSortSettings()->GetHeaderMirrorColorTo(), 0xF6ECD8);
  g.SetStyle(gsWindows7);
  EXPECT_EQ(g.GetHoverGradient().Border, 0xEEE8E3);
  EXPECT_EQ(cl->GetFixedGradientHoverFrom(), 0xFEFBF8);
  EXPECT_EQ(cl->GetFixedGradientDownTo(), 0xF1E4D8);
  g.SetStyle(gsOffice2007Luna);
  EXPECT_EQ(cl->GetFixedGradientHoverBorder(), 0xB79F87);
  EXPECT_EQ(g.GetDownGradient().From, 0xE4C19D);
  EXPECT_EQ(g.GetSelectionStyle(), ssDefault);  // ssOffice2007 only under that look
  EXPECT_EQ(g.GetSearchFooter()->GetColorTo(), clNone);
}

TEST(GridPresets, Office2007SilverLeavesMirrorAndFooterEnd) {
  VIduZozezuVodu g(nullptr);
  g.GetFixedGradient().MirrorFrom = 0x010203;
  g.GetFixedGradient().MirrorTo = 0x040506;
  g.GetSearchFooter()->SetColorTo(0x070809);
  g.SetStyle(gsOffice2007Silver);
  EXPECT_EQ(g.GetFixedGradient().From, 0xF3F3F1);
  EXPECT_EQ(g.GetFixedGradient().MirrorFrom, 0x010203);
  EXPECT_EQ(g.GetFixedGradient().MirrorTo, 0x040506);
  EXPECT_EQ(g.GetSearchFooter()->GetColorTo(), 0x070809);
  EXPECT_EQ(g.SelectionColor, 0x95C7F5);
  EXPECT_EQ(g.GetControlLook()->GetFixedGradientTo(), 0xCAC9C8);
}

TEST(GridPresets, CustomAndTheThirteenthComponentStyle) {
  for (TZytStyle s : {tsCustom, tsTerminal}) {
    VIduZozezuVodu g(nullptr);
    g.SetSelectionStyle(ssVista);
    g.SelectionColor = clRed;
    g.SetComponentStyle(s);
    EXPECT_EQ(g.SelectionColor, clHighlight);
    EXPECT_EQ(g.SelectionTextColor, clHighlightText);
    EXPECT_EQ(g.GetSelectionStyle(), ssDefault);
    EXPECT_EQ(g.GetFixedGradient().From, 0xFFFFFF);  // the look's gradient stays
  }
  VIduZozezuVodu g(nullptr);
  auto style = ZytStyleOf(&g);
  ASSERT_TRUE(style);
  style->SetComponentStyle(tsOffice2003Olive);
  EXPECT_EQ(g.GetFixedGradient().From, 0xCFF0EA);
}

TEST(GridPresets, ThemeSchemesAndAdapt) {
  struct Case {
    TXPColorScheme Scheme;
    TColor From, To, MirrorTo, Active, FooterFrom, FooterTo, CLFrom;
  } cases[] = {
      {xpBlue, 0xFCE1CB, 0xE0A57D, clNone, 0x94E6FB, 0xFCE1CB, 0xE0A57D, 0xFCE1CB},
      {xpGreen, 0xCFF0EA, 0x8CC0B1, clNone, 0x94E6FB, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA},
      {xpGray, 0xECE2E1, 0xB39698, clNone, 0x94E6FB, 0xECE2E1, 0xB39698, 0xECE2E1},
      {vistaAero, 0xFFFFFF, 0xFFFFFF, 0xF4F2F1, 0x94E6FB, 0xECE2E1, 0xB39698, 0xFFFFFF},
      {xpNone, 0xFFFFFF, clBtnFace, clNone, 0xFFFFFF, 0xFFFFFF, 0xFFD9B3, clNone},
  };
  for (const auto& c : cases) {
    VIduZozezuVodu g(nullptr);
    g.SetTheme(c.Scheme);
    EXPECT_EQ(g.GetFixedGradient().From, c.From) << c.Scheme;
    EXPECT_EQ(g.GetFixedGradient().To, c.To) << c.Scheme;
    EXPECT_EQ(g.GetFixedGradient().MirrorTo, c.MirrorTo) << c.Scheme;
    EXPECT_EQ(g.GetActiveCellColor(), c.Active) << c.Scheme;
    EXPECT_EQ(g.GetSearchFooter()->GetColor(), c.FooterFrom) << c.Scheme;
    EXPECT_EQ(g.GetSearchFooter()->GetColorTo(), c.FooterTo) << c.Scheme;
    EXPECT_EQ(g.GetControlLook()->GetFixedGradientFrom(), c.CLFrom) << c.Scheme;
  }

  VIduZozezuVodu g(nullptr);
  g.ThemeAdapt();  // this system counts as Vista
  EXPECT_EQ(g.GetFixedGradient().MirrorFrom, 0xFAF8F7);
  auto saved = VIduZozezuVodu::IsVistaQuery;
  VIduZozezuVodu::IsVistaQuery = [] { return false; };
  SetTestThemeActive(true, u"Metallic");
  g.ThemeAdapt();
  EXPECT_EQ(g.GetFixedGradient().From, 0xECE2E1);
  EXPECT_EQ(g.GetFixedGradient().To, 0xB39698);
  SetTestThemeActive(true, u"HomeStead");
  g.ThemeAdapt();
  EXPECT_EQ(g.GetFixedGradient().From, 0xCFF0EA);
  SetTestThemeActive(false);
  g.ThemeAdapt();
  EXPECT_EQ(g.GetActiveCellColor(), 0xFFFFFF);  // xpNone
  VIduZozezuVodu::IsVistaQuery = saved;
}

TEST(SearchFooter, DefaultsChangesAndCopy) {
  TSearchFooter f;
  EXPECT_EQ(f.GetFindNextCaption(), "Find &next");
  EXPECT_EQ(f.GetFindPrevCaption(), "Find &previous");
  EXPECT_EQ(f.GetHintFindNext(), "Find next occurence");
  EXPECT_EQ(f.GetHintHighlight(), "Highlight occurences");
  EXPECT_EQ(f.GetMatchCaseCaption(), "Match case");
  EXPECT_EQ(f.GetColor(), 0xFFFFFF);
  EXPECT_EQ(f.SearchColumn, -1);
  int changes = 0;
  f.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &f);
    ++changes;
  };
  f.SetVisible(false);  // unchanged: no event
  f.SetShowMatchCase(true);
  EXPECT_EQ(changes, 0);
  f.SetColor(0xFFFFFF);  // unchanged still fires
  EXPECT_EQ(changes, 1);
  f.SetVisible(true);
  EXPECT_EQ(changes, 2);

  TSearchFooter g;
  g.AutoSearch = false;
  f.SetHintClose("Закрыть");
  f.SearchFixedCells = true;
  int copies = 0;
  g.OnChange = [&](TObject*) { ++copies; };
  g.Assign(&f);
  EXPECT_EQ(copies, 0);
  EXPECT_TRUE(g.GetVisible());
  EXPECT_EQ(g.GetHintClose(), "Закрыть");
  EXPECT_FALSE(g.AutoSearch);
  EXPECT_FALSE(g.SearchFixedCells);
}

}  // namespace
