// Printed headers and footers (time, date, page numbers, titles) and page
// frames, with the clock fixed.
#include <algorithm>

#include "print_fixture.h"
#include "platform/rtl/sysutils.h"

namespace {

const TRect SmallPage(0, 0, 794, 242);  // page bottom at -640 units

class PrintHeaders : public PrintTest {
protected:
  void SetUp() override {
    PrintTest::SetUp();
    SetNowOverride([] { return EncodeDate(2026, 12, 11) + EncodeTime(10, 15, 0, 0); });
    PS = G->GetPrintSettings();
  }
  void TearDown() override {
    SetNowOverride(nullptr);
    PrintTest::TearDown();
  }
  std::vector<TGdiCall> TextsOfPage(int Page, const TRect& Rc = SmallPage) {
    G->SetPreviewPage(Page);
    std::vector<TGdiCall> Out;
    for (const TGdiCall& K : Record([&] { G->PrintPreview(C, Rc); }))
      if (K.Func == "TextOut") Out.push_back(K);
    return Out;
  }
  TPrintSettings* PS = nullptr;
};

TEST_F(PrintHeaders, PageNumberWithPrefixAndTotalKeepsItsBlanks) {
  Fill(3, 60);  // nine rows a page with a footer line: 7 pages
  PS->PageNr = ppBottomRight;
  PS->PagePrefix = "Page";
  const auto T = TextsOfPage(3);
  ASSERT_EQ(T.size(), 1u);
  EXPECT_EQ(T[0].Text, " Page 3/7 ");
  // Right aligned 20 units inside the page edge; the footer line's top at
  // the page bottom + footer text + row gap.
  EXPECT_EQ(T[0].Rect.left, 2101 - 212 - 20);  // 80 pixels of text
  EXPECT_EQ(T[0].Rect.top, -640 + 42 + 5);
}

TEST_F(PrintHeaders, LeftPositionsPutItemsInFrontAndTheOthersBehind) {
  Fill(3, 3);
  PS->TitleText = "T";
  for (TPrintPosition P : {ppTopLeft, ppTopRight}) {
    PS->Time = PS->Date = PS->PageNr = PS->Title = P;
    const auto T = TextsOfPage(1);
    ASSERT_EQ(T.size(), 1u);
    // A single page is numbered plainly; the date takes the date separator.
    EXPECT_EQ(T[0].Text, P == ppTopLeft ? "T  1  11.12.2026 10:15 " : " 10:15 11.12.2026  1  T");
    EXPECT_EQ(T[0].Rect.top, 0);
  }
}

TEST_F(PrintHeaders, BandsNumberTheirPagesByBand) {
  Fill(40, 15);  // two pages a band, two bands
  PS->PageNr = ppTopLeft;
  // The first page of the second band starts twice: its sheet, its band.
  std::vector<int> Starts;
  G->OnPrintPage = [&](TObject*, TCanvas*, int P, int, int) { Starts.push_back(P); };
  // The item is " 1-1 ", put in front of the empty left text and its blank.
  const char* Want[] = {"", " 1-1  ", " 2-1  ", " 1-2  ", " 2-2  "};
  for (int Page = 1; Page <= 4; ++Page) {
    Starts.clear();
    const auto T = TextsOfPage(Page);
    if (Page == 3) {
      EXPECT_EQ(std::count(Starts.begin(), Starts.end(), 3), 2);
    }
    ASSERT_EQ(T.size(), 1u) << Page;
    EXPECT_EQ(T[0].Text, Want[Page]);
  }
}

TEST_F(PrintHeaders, TitleLinesPrintUnderTheHeaderAndGrowTheReserve) {
  Fill(3, 3);
  PS->Title = ppTopCenter;
  for (const char* L : {"first", "second", "third"}) PS->GetTitleLines()->Add(L);
  G->SetPreviewPage(1);
  const auto Calls = Record([&] { G->PrintPreview(C, SmallPage); });
  std::vector<std::string> Texts;
  int FirstCellTop = 1;
  for (const TGdiCall& K : Calls) {
    if (K.Func == "TextOut") Texts.push_back(Line(K));
    if (K.Func == "Rectangle" && FirstCellTop == 1) FirstCellTop = K.Rect.top;
  }
  // The first line joins the (empty) centre text without a blank; each
  // line centred on the 2101 units.
  EXPECT_EQ(Texts, (std::vector<std::string>{"TextOut 997,0,997,0 \"first\"", "TextOut 987,-42,987,-42 \"second\"",
                                             "TextOut 997,-84,997,-84 \"third\""}));
  // Gap + header + two more header lines.
  EXPECT_EQ(FirstCellTop, -(5 + 42 + 2 * 42));
}

TEST_F(PrintHeaders, BottomTitleLinesStayInsideThePage) {
  Fill(3, 3);
  PS->Title = ppBottomLeft;
  for (const char* L : {"first", "second", "third"}) PS->GetTitleLines()->Add(L);
  const auto T = TextsOfPage(1);
  ASSERT_EQ(T.size(), 3u);
  for (const TGdiCall& K : T) EXPECT_GE(K.Rect.top - 42, -640) << K.Text;
  EXPECT_EQ(T[0].Text, "first");
  EXPECT_EQ(T[2].Rect.top - 42, -640 + 5);
}

TEST_F(PrintHeaders, AroundFramesEachPageFromTheTitleGapToBelowTheLastRow) {
  Fill(3, 3);
  PS->Borders = pbAround;
  PS->TitleSpacing = 10;
  std::vector<std::string> Lines;
  for (const TGdiCall& K : Record([&] { G->PrintPreview(C, SmallPage); }))
    if (K.Func == "LineTo") Lines.push_back(Line(K) + " w" + std::to_string(K.PenWidth));
  // No cell lines; the frame in the page pen around the three columns of
  // 115 from the title gap (y -10) to 3 rows of 57 lower, moved by half a
  // row gap.
  EXPECT_EQ(Lines, (std::vector<std::string>{"LineTo 878,-10,1223,-10 w2", "LineTo 1223,-10,1223,-179 w2",
                                             "LineTo 1223,-179,878,-179 w2", "LineTo 878,-179,878,-10 w2"}));
}

}  // namespace
