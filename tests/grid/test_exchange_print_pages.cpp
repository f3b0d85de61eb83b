// Pagination of printed grids: page breaks, repeated fixed rows and columns,
// fitting to the page, the page range and the print events.
#include <functional>

#include "print_fixture.h"

namespace {

// A preview 242 pixels high is a page bottom of -640 units: ten rows of 57
// and the footer reserve of 47 fit, an eleventh does not.
const TRect SmallPage(0, 0, 794, 242);

struct TPageEvents {
  int Counted = -1;
  std::vector<int> Starts, DoneRows, Cancels;
};

class PrintPages : public PrintTest {
protected:
  void Watch(TPageEvents& E) {
    G->OnPrintStart = [&E](TObject*, int N, int&, int&) { E.Counted = N; };
    G->OnPrintPage = [&E](TObject*, TCanvas*, int P, int, int) { E.Starts.push_back(P); };
    G->OnPrintPageDone = [&E](TObject*, TCanvas*, int LastRow, int, int, int, int) { E.DoneRows.push_back(LastRow); };
    G->OnPrintCancel = [&E](TObject*, int P, bool&) { E.Cancels.push_back(P); };
  }
  // The first cell text drawn on a page of the preview.
  std::string FirstText(int Page, const std::function<void()>& Draw) {
    G->SetPreviewPage(Page);
    for (const TGdiCall& K : Record(Draw))
      if (K.Func == "DrawText" && !(K.Flags & DT_CALCRECT)) return K.Text;
    return "";
  }
};

struct TPageCase {
  const char* Name;
  int Rows;
  std::function<void(VIduZozezuVodu*)> Setup;
  bool Selection;
  int Counted;
  std::vector<int> DoneRows;
  const char* FirstOnPage1;
  const char* FirstOnPage2;
};

TEST_F(PrintPages, BreaksRepeatsAndEvents) {
  const TPageCase Cases[] = {
      {"25 rows at 10 a page", 25, [](VIduZozezuVodu*) {}, false, 3, {10, 20, 25}, "c0r0", "c0r10"},
      {"repeated fixed row", 25, [](VIduZozezuVodu* G) { G->GetPrintSettings()->RepeatFixedRows = true; }, false,
       3, {10, 19, 25}, "c0r0", "c0r0"},
      {"selection of rows 5 to 30 starts with the fixed row", 40,
       [](VIduZozezuVodu* G) {
         G->GetPrintSettings()->RepeatFixedRows = true;
         G->SetSelectionEx(TGridRect{1, 5, 2, 30});
       },
       true, 3, {14, 23, 31}, "c1r0", "c1r0"},
      {"fixed column repeated from the first normal column", 12,
       [](VIduZozezuVodu* G) {
         G->GetPrintSettings()->RepeatFixedCols = true;
         G->SetSelectionEx(TGridRect{1, 1, 2, 11});
       },
       true, 2, {11, 12}, "c0r1", "c0r11"},
      {"new page asked after row 4", 25,
       [](VIduZozezuVodu* G) { G->OnPrintNewPage = [](TObject*, int Row, bool& N) { N = Row == 5; }; }, false, 3,
       {5, 15, 25}, "c0r0", "c0r5"},
  };
  for (const TPageCase& K : Cases) {
    SCOPED_TRACE(K.Name);
    TearDown();
    SetUp();
    Fill(3, K.Rows);
    K.Setup(G);
    TPageEvents E;
    Watch(E);
    auto Draw = [&] {
      if (K.Selection)
        G->PrintPreviewSelection(C, SmallPage);
      else
        G->PrintPreview(C, SmallPage);
    };
    Draw();
    EXPECT_EQ(E.Counted, K.Counted);
    EXPECT_EQ(E.DoneRows, K.DoneRows);
    std::vector<int> Pages;
    for (int P = 1; P <= K.Counted; ++P) Pages.push_back(P);
    EXPECT_EQ(E.Cancels, Pages);
    EXPECT_EQ(E.Starts, std::vector<int>{1});
    EXPECT_EQ(FirstText(1, Draw), K.FirstOnPage1);
    EXPECT_EQ(FirstText(2, Draw), K.FirstOnPage2);
  }
}

TEST_F(PrintPages, CancelStopsAfterThePage) {
  Fill(3, 25);
  TPageEvents E;
  Watch(E);
  G->OnPrintCancel = [&E](TObject*, int P, bool& Cancel) {
    E.Cancels.push_back(P);
    Cancel = true;
  };
  G->PrintPreview(C, SmallPage);
  EXPECT_EQ(E.Counted, 3);
  EXPECT_EQ(E.DoneRows, std::vector<int>{10});
  EXPECT_EQ(E.Cancels, std::vector<int>{1});
}

TEST_F(PrintPages, PreviewOfAPageBeyondTheCountDrawsNothingButRaisesTheEvents) {
  Fill(3, 15);
  TPageEvents E;
  Watch(E);
  G->SetPreviewPage(3);
  const auto Calls = Record([&] { G->PrintPreview(C, SmallPage); });
  EXPECT_EQ(E.Counted, 2);
  EXPECT_EQ(E.Starts, std::vector<int>{1});
  EXPECT_EQ(E.DoneRows, (std::vector<int>{10, 15}));
  for (const TGdiCall& K : Calls) EXPECT_EQ(K.Flags & DT_CALCRECT, DT_CALCRECT) << Line(K);
}

TEST_F(PrintPages, RefusedPreviewDrawsNothingAndRestoresTheMappingMode) {
  Fill(3, 5);
  for (auto Refuse : {+[](int& F, int&) { F = 0; }, +[](int&, int& T) { T = 0; }, +[](int& F, int& T) {
                        F = 2;
                        T = 1;
                      }}) {
    G->OnPrintStart = [Refuse](TObject*, int, int& F, int& T) { Refuse(F, T); };
    const auto Calls = Record([&] { G->PrintPreview(C, SmallPage); });
    for (const TGdiCall& K : Calls) EXPECT_EQ(K.Func, "DrawText");  // measuring only
    EXPECT_EQ(GetMapMode(C->GetHandle()), MM_TEXT);
  }
  // Also when the builder raises.
  G->OnPrintStart = [](TObject*, int, int&, int&) { throw Exception("stop"); };
  EXPECT_THROW(G->PrintPreview(C, SmallPage), Exception);
  EXPECT_EQ(GetMapMode(C->GetHandle()), MM_TEXT);
}

TEST_F(PrintPages, FitToPageShrinksOnlyWhatIsTooWideAndStretchesAlways) {
  Fill(3, 3);
  TPrintSettings* PS = G->GetPrintSettings();
  auto Widths = [&] {
    G->PrintPreview(C, TRect(0, 0, 794, 1123));
    return G->GetPrintColWidth(0) + G->GetPrintColWidth(1) + G->GetPrintColWidth(2);
  };
  const int Natural = Widths();
  PS->FitToPage = fpShrink;
  EXPECT_EQ(Widths(), Natural);
  // Stretched to the page: 2101 units less three spacings of 20.
  PS->FitToPage = fpAlways;
  EXPECT_NEAR(Widths(), 2101 - 60, 2);
  // The cell fonts grow by the same factor while cells are drawn.
  int Height = 0;
  G->OnCustomCellDraw = [&](TObject*, TCanvas*, int, int, TGridDrawState, const TRect&, bool) {
    Height = G->MapFontHeight(72);
  };
  G->PrintPreview(C, TRect(0, 0, 794, 1123));
  EXPECT_NEAR(Height, -254.0 * (2101 - 60) / (Natural), 2);
  G->OnCustomCellDraw = nullptr;
  EXPECT_EQ(G->MapFontHeight(72), -254);
  // Margins wider than the page fit nothing: natural widths, no negative ones.
  PS->LeftSize = 3000;
  EXPECT_EQ(Widths(), Natural);
  PS->FitToPage = fpCustom;
  PS->LeftSize = 0;
  G->OnFitToPage = [](TObject*, double&, bool& Allow) { Allow = false; };
  EXPECT_EQ(Widths(), Natural);
}

TEST_F(PrintPages, ColumnsTooWideForAPageFormBandsAndTablesGrowWithTheGrid) {
  Fill(600, 2);
  TPageEvents E;
  Watch(E);
  G->PrintPreview(C, TRect(0, 0, 794, 1123));
  EXPECT_GT(E.Counted, 1);
  EXPECT_GT(G->GetPrintColWidth(599), 0);
  EXPECT_GT(G->GetPrintColOffset(600), G->GetPrintColOffset(599));
}

}  // namespace
