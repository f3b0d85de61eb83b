// The floating footer panel: template replacement, mirroring, the hint and
// click columns, the column preview following the current row and the top
// border line.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "grid/footerpanel.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

struct TRecordingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  std::vector<TPoint> Panel;  // cells painted onto the footer panel
  void DrawGridCell(TCanvas* C, int ACol, int ARow, TRect R, TGridDrawState S) override {
    if (DrawingToSeparateCanvas) Panel.push_back(TPoint(ACol, ARow));
    VIduZozezuVodu::DrawGridCell(C, ACol, ARow, R, S);
  }
};

struct FooterFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TRecordingGrid* G = new TRecordingGrid(Form.get());
  TFooterPanel* P = nullptr;
  void SetUp() override {
    Form->SetBounds(0, 0, 500, 400);
    G->SetParent(Form.get());
    G->SetBounds(0, 0, 400, 300);
    G->SetColCount(4);
    G->SetRowCount(6);
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 6; ++r) G->SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
    P = G->GetFooterPanel();
    Form->Show();
    PumpUntilIdle();
  }
  std::vector<TGdiCall> PaintPanel() {
    HDC Screen = GetDC(nullptr);
    HDC DC = CreateCompatibleDC(Screen);
    HBITMAP Bmp = CreateCompatibleBitmap(Screen, std::max(1, P->GetWidth()), std::max(1, P->GetHeight()));
    ReleaseDC(nullptr, Screen);
    HGDIOBJ Old = SelectObject(DC, Bmp);
    GdiStartRecording(DC);
    P->PaintTo(DC, 0, 0);
    auto Calls = GdiRecordedCalls(DC);
    GdiStopRecording(DC);
    SelectObject(DC, Old);
    DeleteObject(Bmp);
    DeleteDC(DC);
    return Calls;
  }
};

}  // namespace

TEST_F(FooterFixture, HTMLColReplaceTable) {
  G->SetRow(2);
  struct TCase {
    const char* Template;
    const char* Result;
  } Cases[] = {
      {"a<#1>b", "a1:2b"},
      {"<#2><#3>", "2:23:2"},
      {"<#x>y", "y"},        // not a number: nothing in its place
      {"<#9>|<#-1>", "|"},   // outside the grid: nothing
      {"pre <#1", "pre <#1"},  // no closing ">": kept as text
      {"<#1> and <#", "1:2 and <#"},
      {"", ""},
      {"plain", "plain"},
  };
  for (const TCase& C : Cases) EXPECT_EQ(P->HTMLColReplace(C.Template), C.Result) << C.Template;
}

TEST_F(FooterFixture, RTLCoordMirrorsAroundTheClientWidth) {
  int W = P->GetClientWidth();
  TRect R(10, 1, 50, 20);
  TRect M = P->RTLCoord(true, R);
  EXPECT_EQ(M.left, W - 10);
  EXPECT_EQ(M.right, W - 50);
  EXPECT_EQ(M.top, 1);
  TRect Same = P->RTLCoord(false, R);
  EXPECT_EQ(Same.left, 10);
  EXPECT_EQ(Same.right, 50);
}

TEST_F(FooterFixture, AWrongOwnerRaisesInvalidCast) {
  TForm Other(nullptr);
  EXPECT_THROW(TFooterPanel Bad(&Other), EInvalidCast);
}

TEST_F(FooterFixture, HintNamesTheColumnUnderTheMouse) {
  std::vector<std::pair<int, int>> Asked;
  G->OnGridHint = [&](TObject*, int R, int C, AnsiString& H) {
    Asked.push_back({R, C});
    H = "col " + std::to_string(C);
  };
  auto Show = [&](int X) {
    THintInfo Info;
    Info.CursorPos = TPoint(X, 5);
    LRESULT Res = P->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info));
    return std::make_pair(Res, Info.HintStr);
  };
  P->SetShowHint(true);
  auto [Res, Text] = Show(10);
  EXPECT_EQ(Res, 0);
  EXPECT_EQ(Text, "col 0");
  EXPECT_EQ(P->GetLastHintColumn(), 0);
  Show(G->GetColWidths(0) + 10);
  EXPECT_EQ(P->GetLastHintColumn(), 1);
  Show(3000);  // beyond the last column
  EXPECT_EQ(P->GetLastHintColumn(), -1);
  ASSERT_EQ(Asked.size(), 2u);
  EXPECT_EQ(Asked[0], std::make_pair(5, 0));
  P->SetShowHint(false);
  EXPECT_EQ(Show(10).first, 1);
  EXPECT_EQ(P->GetLastHintColumn(), -1);
}

TEST_F(FooterFixture, ColumnPreviewFollowsTheCurrentRow) {
  TFloatingFooter* F = G->GetFloatingFooter();
  F->SetFooterStyle(fsColumnPreview);
  F->SetColumn(2);
  F->SetVisible(true);
  PumpUntilIdle();
  ASSERT_TRUE(P->GetVisible());
  EXPECT_EQ(P->GetHeight(), F->GetHeight() - 1);
  G->Panel.clear();
  G->FocusCell(1, 3);
  PumpUntilIdle();
  ASSERT_FALSE(G->Panel.empty());
  EXPECT_EQ(G->Panel.back().x, 2);
  EXPECT_EQ(G->Panel.back().y, 3);
  F->SetVisible(false);
  EXPECT_FALSE(P->GetVisible());
}

TEST_F(FooterFixture, BorderColorDrawsTheTopLineOnly) {
  TFloatingFooter* F = G->GetFloatingFooter();
  F->SetVisible(true);
  PumpUntilIdle();
  const COLORREF Red = RGB(255, 0, 0);
  auto RedTopLines = [&] {
    int N = 0;
    for (const TGdiCall& C : PaintPanel())
      if (C.Func == "LineTo" && C.PenColor == Red) {
        EXPECT_EQ(C.Rect.top, 0);
        EXPECT_EQ(C.Rect.bottom, 0);
        ++N;
      }
    return N;
  };
  EXPECT_EQ(RedTopLines(), 0);
  F->SetBorderColor(clRed);
  EXPECT_EQ(RedTopLines(), 1);
}

TEST_F(FooterFixture, ClickReportsTheLastRowAndTheColumnCountToX) {
  G->GetFloatingFooter()->SetVisible(true);
  PumpUntilIdle();
  std::vector<std::pair<int, int>> Clicks;
  int Plain = 0;
  G->OnClick = [&](TObject* S) {
    EXPECT_EQ(S, G);
    ++Plain;
  };
  G->OnClickCell = [&](TObject*, int R, int C) { Clicks.push_back({R, C}); };
  TestClick(ClientPointToScreen(P->Handle(), G->GetColWidths(0) + 6, 3));
  PumpUntilIdle();
  EXPECT_EQ(Plain, 1);
  ASSERT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(Clicks[0], std::make_pair(G->GetRowCount() - 1, 2));
}
