// The visual properties file, the print settings ini section and the
// scaling of the grid's own fonts.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/settings/inifiles.h"
#include "tests/grid/exchange_fixture.h"

namespace {

std::unique_ptr<VIduZozezuVodu> NewGrid() { return std::make_unique<VIduZozezuVodu>(nullptr); }

// Every key changed from its default, so that a key the reader skips shows.
void ChangeEverything(VIduZozezuVodu& G) {
  G.SetLook(glCustom);
  G.SetColor(0x010203);
  G.HintColor = 0x020304;
  G.SelectionColor = 0x030405;
  G.SelectionColorTo = 0x040506;
  G.SelectionMirrorColor = 0x050607;
  G.SelectionMirrorColorTo = 0x060708;
  G.SelectionTextColor = clYellow;
  G.SetURLColor(clMaroon);
  G.SetURLShow(true);
  G.ScrollColor = clSkyBlue;
  G.SetActiveRowColor(clCream);
  G.SetActiveRowShow(true);
  G.SetActiveCellShow(true);
  G.GetFont()->SetColor(clGreen);
  G.GetFont()->SetStyle(TFontStyles{fsBold, fsUnderline});
  G.GetFont()->SetSize(13);
  G.GetFont()->SetName("Шрифт");
  G.SetActiveCellColor(clOlive);
  G.ActiveCellColorTo = clTeal;
  G.GetActiveCellFont()->SetSize(15);
  G.GetActiveCellFont()->SetStyle(TFontStyles{fsItalic});
  G.GetFixedFont()->SetName("Courier New");
  G.GetFixedFont()->SetColor(0x00ABCDEF);
  G.GetBalloon()->BackgroundColor = clAqua;
  G.GetBalloon()->TextColor = clPurple;
  G.GetBalloon()->Transparency = 77;
  G.GetBands()->SetPrimaryColor(clLime);
  G.GetBands()->SetSecondaryColor(clSilver);
  G.GetBands()->SetActive(true);
  G.GetSortSettings()->IndexColor = clNavy;
  G.GetFloatingFooter()->SetColor(clMoneyGreen);
  G.GetControlLook()->SetCheckSize(21);
  G.GetControlLook()->SetColor(clFuchsia);
  G.GetControlLook()->SetCommentColor(clBlue);
  G.GetControlLook()->SetControlStyle(csGlyph);
  G.GetControlLook()->SetFixedGradientFrom(0x111111);
  G.GetControlLook()->SetFixedGradientTo(0x222222);
  G.GetControlLook()->SetRadioSize(13);
  G.GetControlLook()->SetFlatButton(true);
  G.GetControlLook()->ProgressBorderColor = 0x333333;
  G.GetControlLook()->SetProgressXP(true);
  G.GetSearchFooter()->SetColor(0x444444);
  G.GetSearchFooter()->SetColorTo(0x555555);
  TGrouping* GR = G.GetGrouping();
  GR->HeaderColor = 0x666666;
  GR->HeaderColorTo = 0x777777;
  GR->HeaderTextColor = 0x888888;
  GR->HeaderUnderline = true;
  GR->HeaderLineColor = 0x999999;
  GR->HeaderLineWidth = 5;
  GR->SummaryColor = 0xAAAAAA;
  GR->SummaryColorTo = 0xBBBBBB;
  GR->SummaryTextColor = 0xCCCCCC;
  GR->SummaryLine = true;
  GR->SummaryLineColor = 0xDDDDDD;
  GR->SummaryLineWidth = 6;
  G.SetGridLineColor(0xEEEEEE);
  G.SetGridFixedLineColor(0x121212);
  G.GetBackGround()->SetTop(7);
  G.GetBackGround()->SetLeft(8);
  G.GetBackGround()->SetDisplay(bdGradientVert);
  G.GetBackGround()->SetCells(bcAll);
  G.GetBackGround()->SetColor(0x131313);
  G.GetBackGround()->SetColorTo(0x141414);
}

TEST(VisualProps, RoundTripRestoresEveryKey) {
  const std::string Name = ScratchName(".txt");
  auto G = NewGrid();
  ChangeEverything(*G);
  G->SaveVisualProps(Name);
  const std::string Text = Slurp(Name);
  EXPECT_EQ(Text.rfind("Color=$00010203\r\nHintColor=$00020304\r\n", 0), 0u);
  EXPECT_NE(Text.find("\r\nBalloon.BackgroundColor=clAqua\r\n"), std::string::npos);
  EXPECT_NE(Text.find("\r\nFont.Style=fsBold,fsUnderline\r\n"), std::string::npos);
  EXPECT_NE(Text.find("\r\nLook=\r\n"), std::string::npos);

  auto T = NewGrid();
  T->SetLook(glCustom);
  T->LoadVisualProps(Name);
  // Written again, the loaded grid gives the same file.
  const std::string Again = ScratchName(".again.txt");
  T->SaveVisualProps(Again);
  EXPECT_EQ(Slurp(Again), Text);
  EXPECT_EQ(T->GetBalloon()->BackgroundColor, clAqua);
  // The empty "Look" of glCustom changes no look.
  auto U = NewGrid();
  const TGridLook Before = U->GetLook();
  ASSERT_NE(Before, glCustom);
  U->LoadVisualProps(Name);
  EXPECT_EQ(U->GetLook(), Before);
  std::remove(Name.c_str());
  std::remove(Again.c_str());
}

TEST(VisualProps, ReadingRules) {
  const std::string Name = ScratchName(".txt");
  auto G = NewGrid();
  ChangeEverything(*G);
  G->SaveVisualProps(Name);
  std::string Text = Slurp(Name);
  auto Set = [&](const std::string& Key, const std::string& Value) {
    auto P = Text.find("\r\n" + Key + "=");
    ASSERT_NE(P, std::string::npos) << Key;
    auto E = Text.find("\r\n", P + 2);
    Text.replace(P + 2, E - P - 2, Key + "=" + Value);
  };
  Set("URLShow", "TrUe");
  Set("Font.Style", "");
  Set("ControlLook.ControlStyle", "CSFLAT");
  Set("BackGround.Display", "bdNothing");
  Set("Look", "glOffice2007");
  Set("HintColor", "");
  WriteBytes(Name, Text);
  auto T = NewGrid();
  T->GetBackGround()->SetDisplay(bdFixed);
  T->LoadVisualProps(Name);
  EXPECT_TRUE(T->GetURLShow());
  EXPECT_TRUE(T->GetFont()->GetStyle().Empty());
  EXPECT_EQ(T->GetBackGround()->GetDisplay(), bdFixed);
  EXPECT_EQ(T->HintColor, clNone);
  // The look is applied after the control-look values and wins over them.
  EXPECT_EQ(T->GetLook(), glOffice2007);
  EXPECT_EQ(T->GetControlLook()->GetControlStyle(), csFlat);
  EXPECT_NE(T->GetControlLook()->GetFixedGradientFrom(), 0x111111);

  // A missing integer key raises there: the keys before it are applied,
  // those after it are not.
  Set("Look", "");
  auto P = Text.find("\r\nControlLook.CheckSize=");
  Text.erase(P, Text.find("\r\n", P + 2) - P);
  WriteBytes(Name, Text);
  auto U = NewGrid();
  EXPECT_THROW(U->LoadVisualProps(Name), EConvertError);
  EXPECT_EQ(U->GetFloatingFooter()->Color, clMoneyGreen);
  EXPECT_NE(U->GetControlLook()->GetColor(), clFuchsia);
  std::remove(Name.c_str());
}

TEST(VisualProps, FileErrors) {
  auto G = NewGrid();
  try {
    G->LoadVisualProps("/no/such/file.txt");
    ADD_FAILURE();
  } catch (const Exception& E) {
    EXPECT_EQ(std::string(E.Message), "Cannot open file /no/such/file.txt");
  }
  try {
    G->SaveVisualProps("/no/such/dir/file.txt");
    ADD_FAILURE();
  } catch (const Exception& E) {
    EXPECT_EQ(std::string(E.Message), "Cannot Create /no/such/dir/file.txt");
  }
}

TEST(PrintSettingsIni, WrittenKeysAndRoundTrip) {
  const std::string Name = ScratchName(".ini");
  auto G = NewGrid();
  TPrintSettings* P = G->GetPrintSettings();
  P->ColumnSpacing = 5;
  P->Centered = false;
  P->UseDisplayFont = false;
  P->UseDefaultOrientation = true;
  P->Borders = pbAround;
  P->BorderStyle = psDot;
  P->Date = ppBottomRight;
  P->TitleText = "Отчёт";
  P->FitToPage = fpShrink;
  P->GetFont()->SetName("Times");
  P->GetFont()->SetStyle(TFontStyles{fsBold, fsStrikeOut});
  P->GetHeaderFont()->SetSize(14);
  P->Orientation = poLandscape;
  P->GetTitleLines()->Add("A");
  P->GetTitleLines()->Add("B");
  G->SavePrintSettings(Name, "Print");
  TIniFile Ini(Name);
  TStringList Keys;
  Ini.ReadSection("Print", &Keys);
  EXPECT_EQ(Keys.GetCommaText(),
            "ColumnSpacing,RowSpacing,TitleSpacing,FixedHeight,FixedWidth,Centered,NoAutoSize,UseFixedHeight,"
            "UseFixedWidth,RepeatFixedRows,RepeatFixedCols,UseDisplFont,UseDefOrientation,Borders,BorderColor,"
            "BorderStyle,Date,PageNr,Title,Time,DateFormat,TitleText,FooterSize,HeaderSize,LeftSize,RightSize,"
            "FitToPage,FontName,FontSize,FontStyle,FontColor,HeaderFontName,HeaderFontSize,HeaderFontStyle,"
            "HeaderFontColor,FooterFontName,FooterFontSize,FooterFontStyle,FooterFontColor,PageNumSep,PageSuffix,"
            "PagePrefix,Orientation,TitleLines");
  EXPECT_EQ(Ini.ReadString("Print", "Centered", ""), "N");
  EXPECT_EQ(Ini.ReadString("Print", "UseDefOrientation", ""), "Y");
  EXPECT_EQ(Ini.ReadString("Print", "FontStyle", ""), "9");
  EXPECT_EQ(Ini.ReadString("Print", "TitleLines", ""), "A\\nB");

  auto T = NewGrid();
  T->LoadPrintSettings(Name, "Print");
  TPrintSettings* Q = T->GetPrintSettings();
  EXPECT_EQ(Q->ColumnSpacing, 5);
  EXPECT_FALSE(Q->Centered);
  EXPECT_FALSE(Q->UseDisplayFont);
  EXPECT_TRUE(Q->UseDefaultOrientation);
  EXPECT_EQ(Q->Borders, pbAround);
  EXPECT_EQ(Q->BorderStyle, psDot);
  EXPECT_EQ(Q->Date, ppBottomRight);
  EXPECT_EQ(Q->TitleText, "Отчёт");
  EXPECT_EQ(Q->FitToPage, fpShrink);
  EXPECT_EQ(Q->GetFont()->GetName(), "Times");
  EXPECT_TRUE(Q->GetFont()->GetStyle() == (TFontStyles{fsBold, fsStrikeOut}));
  EXPECT_EQ(Q->GetHeaderFont()->GetSize(), 14);
  EXPECT_EQ(Q->Orientation, poLandscape);
  EXPECT_EQ(Q->GetTitleLines()->GetCommaText(), "A,B");
  std::remove(Name.c_str());
}

TEST(PrintSettingsIni, ReadingCases) {
  const std::string Name = ScratchName(".ini");
  struct {
    const char* Name;
    const char* Section;  // the ini text of section [P]
    std::function<void(TPrintSettings*)> Before;
    std::function<void(TPrintSettings*)> Check;
  } Cases[] = {
      {"empty section takes the defaults", "", nullptr,
       [](TPrintSettings* P) {
         EXPECT_TRUE(P->Centered);
         EXPECT_EQ(P->ColumnSpacing, 20);
         EXPECT_EQ(P->FooterSize, 100);
         EXPECT_EQ(P->Borders, pbNoborder);
         for (TFont* F : {P->GetFont(), P->GetHeaderFont(), P->GetFooterFont()}) {
           EXPECT_EQ(F->GetName(), "Arial");
           EXPECT_EQ(F->GetSize(), 10);
         }
         EXPECT_EQ(P->GetTitleLines()->GetCount(), 0);
       }},
      {"out of range values", "Orientation=7\nBorders=9\nBorderStyle=-1\nFitToPage=5\nDate=9\nTime=6\n",
       [](TPrintSettings* P) {
         P->Orientation = poLandscape;
         P->Borders = pbDouble;
         P->BorderStyle = psDash;
         P->FitToPage = fpGrow;
         P->Date = ppTopLeft;
       },
       [](TPrintSettings* P) {
         EXPECT_EQ(P->Orientation, poLandscape);
         EXPECT_EQ(P->Borders, pbDouble);
         EXPECT_EQ(P->BorderStyle, psDash);
         EXPECT_EQ(P->FitToPage, fpGrow);
         EXPECT_EQ(P->Date, ppNone);
         EXPECT_EQ(P->Time, ppBottomCenter);
       }},
      {"a style only adds, a boolean is exactly Y", "FontStyle=2\nHeaderFontStyle=0\nCentered=y\nNoAutoSize=Y\n",
       [](TPrintSettings* P) {
         P->GetFont()->SetStyle(TFontStyles{fsBold});
         P->GetHeaderFont()->SetStyle(TFontStyles{fsUnderline});
       },
       [](TPrintSettings* P) {
         EXPECT_TRUE(P->GetFont()->GetStyle() == (TFontStyles{fsBold, fsItalic}));
         EXPECT_TRUE(P->GetHeaderFont()->GetStyle() == (TFontStyles{fsUnderline}));
         EXPECT_FALSE(P->Centered);
         EXPECT_TRUE(P->NoAutoSize);
       }},
      {"a non-number takes the default", "RowSpacing=abc\n", nullptr,
       [](TPrintSettings* P) { EXPECT_EQ(P->RowSpacing, 20); }},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    WriteBytes(Name, std::string("[P]\n") + C.Section);
    auto G = NewGrid();
    if (C.Before) C.Before(G->GetPrintSettings());
    G->LoadPrintSettings(Name, "P");
    C.Check(G->GetPrintSettings());
  }
  std::remove(Name.c_str());
}

TEST(GridScale, FixedAndActiveCellFontsFollowTheScale) {
  auto G = NewGrid();
  G->GetFixedFont()->SetSize(10);
  G->GetActiveCellFont()->SetSize(9);
  G->ChangeScale(3, 2);
  EXPECT_EQ(G->GetFixedFont()->GetSize(), 15);
  EXPECT_EQ(G->GetActiveCellFont()->GetSize(), 14);  // 13.5 rounded as MulDiv does
  G->ChangeScale(5, 5);
  EXPECT_EQ(G->GetFixedFont()->GetSize(), 15);
}

}  // namespace
