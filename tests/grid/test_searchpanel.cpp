// The search bar on a shown grid: layout (left to right, right to left,
// without the highlight button), enabling, Return and Ctrl+Return, no line
// breaks in the edit, its paint, the footer handlers behind it, and the
// filter drop list.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "grid/droplist.h"
#include "grid/searchpanel.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"
#include "tests/grid/shown_grid.h"

namespace {

using Lines = std::vector<std::string>;

class SearchPanel : public ::testing::Test {
protected:
  void SetUp() override {
    Form = OpenTestForm(640, 300);
    G = PlaceGrid(Form, 640, 300, 4, 6);
    FillNumbered(G);
    P = G->GetSearchPanel();
    P->OnForwardClick = [this](TObject*) { Notes.push_back("forward"); };
    P->OnBackwardClick = [this](TObject*) { Notes.push_back("backward"); };
    Form->Show();
    G->GetSearchFooter()->SetVisible(true);
    PumpUntilIdle();
  }
  void TearDown() override { CloseTestForm(Form); }
  static std::string Box(TControl* C) {
    return std::to_string(C->GetLeft()) + "," + std::to_string(C->GetTop()) + " " + std::to_string(C->GetWidth()) +
           "x" + std::to_string(C->GetHeight());
  }
  void Type(const AnsiString& S) {
    P->GetEdit()->SetFocus();
    TestTypeText(S);
    PumpUntilIdle();
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
  TSearchPanel* P = nullptr;
  Lines Notes;
};

TEST_F(SearchPanel, OwnedByTheGridAtTheBottom) {
  EXPECT_TRUE(P->GetVisible());
  EXPECT_EQ(P->GetHeight(), 32);
  EXPECT_EQ(P->GetAlign(), alBottom);
  EXPECT_EQ(P->GetColorTo(), G->GetSearchFooter()->GetColorTo());
  EXPECT_THROW(TSearchPanel Wrong(Form), EInvalidCast);
  G->GetSearchFooter()->SetVisible(false);
  EXPECT_FALSE(P->GetVisible());
  EXPECT_EQ(P->GetHeight(), 0);
}

TEST_F(SearchPanel, Layout) {
  const int W = P->GetWidth();
  auto Mirror = [W](int L, int Wd) { return std::to_string(W - Wd - L); };
  struct Case {
    const char* Name;
    std::function<void()> Setup;
    std::vector<std::string> Lefts;  // edit, next, previous, close, highlight, match case
  };
  const Case Cases[] = {
      {"left to right", [] {}, {"25", "140", "235", "5", "330", "425"}},
      {"no highlight button", [this] { G->GetSearchFooter()->SetShowHighLight(false); },
       {"25", "140", "235", "5", "330", "330"}},
      {"right to left",
       [this] {
         G->GetSearchFooter()->SetShowHighLight(true);
         P->SetBiDiMode(bdRightToLeft);
       },
       {Mirror(25, 110), Mirror(140, 90), Mirror(235, 90), Mirror(5, 14), Mirror(330, 90),
        Mirror(425, P->GetMatchCase()->GetWidth())}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    C.Setup();
    P->LayoutControls();
    std::vector<std::string> Lefts;
    for (TControl* X : {static_cast<TControl*>(P->GetEdit()), static_cast<TControl*>(P->GetForwardButton()),
                        static_cast<TControl*>(P->GetBackwardButton()), static_cast<TControl*>(P->GetExitButton()),
                        static_cast<TControl*>(P->GetHighlightButton()), static_cast<TControl*>(P->GetMatchCase())})
      Lefts.push_back(std::to_string(X->GetLeft()));
    EXPECT_EQ(Lefts, C.Lefts);
  }
  EXPECT_EQ(Box(P->GetForwardButton()).substr(Box(P->GetForwardButton()).find(',')), ",5 90x23");
  EXPECT_EQ(Box(P->GetExitButton()).substr(Box(P->GetExitButton()).find(',')), ",7 14x14");
  EXPECT_EQ(P->GetEdit()->GetTop(), 6);
  EXPECT_EQ(P->GetEdit()->GetWidth(), 110);
  EXPECT_EQ(P->GetMatchCase()->GetTop(), 8);
  EXPECT_EQ(P->GetForwardButton()->GetCaption(), "Find &next");
  EXPECT_EQ(P->GetHighlightButton()->GetStyle(), tasCheck);
  EXPECT_FALSE(P->GetForwardButton()->GetGlyph()->GetEmpty());
}

TEST_F(SearchPanel, ButtonsFollowTheText) {
  for (TDidAvovButton* B : {P->GetForwardButton(), P->GetBackwardButton(), P->GetHighlightButton()})
    EXPECT_FALSE(B->GetEnabled());
  Type("r");
  for (TDidAvovButton* B : {P->GetForwardButton(), P->GetBackwardButton(), P->GetHighlightButton()})
    EXPECT_TRUE(B->GetEnabled());
  TestKeyPress(VK_BACK);
  PumpUntilIdle();
  EXPECT_FALSE(P->GetForwardButton()->GetEnabled());
}

TEST_F(SearchPanel, ReturnKeysAndNoLineBreaks) {
  Type("ab");
  TestResetBeeps();
  TestKeyPress(VK_RETURN);
  TestKeyPress(VK_RETURN, tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(Notes, (Lines{"forward", "backward"}));
  TestTypeText("\n\r");
  PumpUntilIdle();
  EXPECT_EQ(P->GetEdit()->GetText(), "ab");
  EXPECT_EQ(TestBeepCount(), 0);
}

TEST_F(SearchPanel, PaintsFlatWithTheTopLine) {
  G->SetGridLineColor(clRed);
  P->SetColor(clLime);
  P->SetColorTo(clNone);
  P->Repaint();
  PumpUntilIdle();
  TBitmap Shot;
  SnapshotControl(P, &Shot);
  TCanvas* C = Shot.GetCanvas();
  EXPECT_EQ(ColorToRGB(C->GetPixels(600, 0)), ColorToRGB(clRed));
  EXPECT_EQ(ColorToRGB(C->GetPixels(600, 2)), ColorToRGB(clLime));
  EXPECT_EQ(ColorToRGB(C->GetPixels(600, 30)), ColorToRGB(clLime));
  P->SetColorTo(clBlue);
  P->Repaint();
  PumpUntilIdle();
  SnapshotControl(P, &Shot);
  C = Shot.GetCanvas();
  EXPECT_NE(ColorToRGB(C->GetPixels(600, 2)), ColorToRGB(C->GetPixels(600, 30)));
}

TEST_F(SearchPanel, FooterHandlersFindAndHighlight) {
  P->OnForwardClick = [this](TObject* S) { G->SearchForward(S); };
  Lines Actions;
  G->OnSearchFooterAction = [&](TObject*, const AnsiString& V, int C, int R, TSearchAction A) {
    Actions.push_back(V + " " + std::to_string(C) + "," + std::to_string(R) + " " + std::to_string(A));
  };
  Type("zz");
  EXPECT_EQ(P->GetEdit()->GetColor(), clRed);
  TestKeyPress(VK_BACK);
  TestKeyPress(VK_BACK);
  Type("c2");
  EXPECT_EQ(P->GetEdit()->GetColor(), clWindow);
  EXPECT_EQ(G->GetLastHit(), TPoint(2, 1));
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetRow(), 1);
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ(G->GetLastHit(), TPoint(2, 2));
  EXPECT_EQ(Actions.back(), "c2 2,2 2");

  // Highlight on and off through the button.
  TDidAvovButton* H = P->GetHighlightButton();
  auto ClickHighlight = [&] {
    TestClick(ClientPointToScreen(P->Handle(), H->GetLeft() + 40, H->GetTop() + 10));
    PumpUntilIdle();
  };
  ClickHighlight();
  ASSERT_TRUE(H->GetDown());
  EXPECT_EQ(G->GetGridCell(2, 3), "r3<hi>c2</hi>");
  EXPECT_EQ(G->GetGridCell(1, 3), "r3c1");
  ClickHighlight();
  EXPECT_FALSE(H->GetDown());
  EXPECT_EQ(G->GetGridCell(2, 3), "r3c2");

  // Close hides the footer.
  int Closed = 0;
  G->OnSearchFooterClose = [&](TObject*) { ++Closed; };
  G->SearchExit(P);
  EXPECT_EQ(Closed, 1);
  EXPECT_FALSE(G->GetSearchFooter()->GetVisible());
}

TEST_F(SearchPanel, SearchBackwardWalksUp) {
  G->GetSearchFooter()->AutoSearch = false;
  P->GetEdit()->SetText("c3");
  G->SearchBackward(P);
  EXPECT_EQ(G->GetLastHit(), TPoint(3, 5));
  G->SearchBackward(P);
  EXPECT_EQ(G->GetLastHit(), TPoint(3, 4));
  P->GetEdit()->SetText("c1");
  G->SearchBackward(P);
  EXPECT_EQ(G->GetLastHit(), TPoint(1, 5));
}

class DropList : public SearchPanel {
protected:
  void SetUp() override {
    SearchPanel::SetUp();
    L = G->GetDropList();
    L->OnSelect = [this](TObject*, int Index) { Picks.push_back(Index); };
    L->GetItems()->Add("one");
    L->GetItems()->Add("two");
    L->GetItems()->Add("three");
    L->SetBounds(10, 10, 100, 120);
    L->Show();
    L->SetFocus();
    PumpUntilIdle();
  }
  TDropList* L = nullptr;
  std::vector<int> Picks;
};

TEST_F(DropList, KeysMoveAndReturnChooses) {
  L->SetItemIndex(0);
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_DOWN);
  PumpUntilIdle();
  EXPECT_TRUE(L->GetVisible());
  EXPECT_EQ(L->GetItemIndex(), 2);
  EXPECT_TRUE(Picks.empty());
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_FALSE(L->GetVisible());
  EXPECT_EQ(Picks, (std::vector<int>{2}));
}

TEST_F(DropList, ReleaseOnEmptyAreaStillReports) {
  TestClick(ClientPointToScreen(L->Handle(), 50, 110));
  PumpUntilIdle();
  EXPECT_FALSE(L->GetVisible());
  ASSERT_EQ(Picks.size(), 1u);
  EXPECT_EQ(Picks[0], L->GetItemIndex());
}

TEST_F(DropList, ChoiceReachesTheGridFilter) {
  L->OnSelect = [this](TObject* S, int Index) { G->FilterSelect(S, Index); };
  G->OnGetColumnFilter = [](TObject*, int, TStrings* F) {
    F->Add("first=r1*");
    F->Add("r5*");
  };
  ASSERT_TRUE(G->GetFilter(1));
  G->SetDropDownCol(1);
  L->SetItemIndex(1);
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ(G->GetRowCount(), 2);
  EXPECT_EQ(G->GetGridCell(1, 1), "r5c1");
}

}  // namespace
