// Column widths and row heights by code: the stretched column, columns
// scaled with the one the mouse sized, the width correction hook, moving
// columns with the controls in their cells, the hidden selection, and the
// grid following its form.
#include <gtest/gtest.h>

#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"
#include "tests/grid/shown_grid.h"
#include "tests/grid/core_check.h"

namespace {

class Sizing : public ::testing::Test {
protected:
  void SetUp() override {
    Form = OpenTestForm(420, 240);
    G = PlaceGrid(Form, 400, 200, 5, 8);
    G->SetDefaultColWidth(64);
    ShowTestForm(Form, nullptr);
  }
  void TearDown() override { CloseTestForm(Form); }
  // As a finished mouse sizing of column ACol (from its width at the press)
  // reaches the grid.
  void SizeByMouse(int ACol, int NewWidth) {
    G->SizingCell.Col = ACol;
    G->SizingCell.Row = 0;
    G->SizingCell.Width = G->GetColWidths(ACol);
    G->SizingCell.Height = G->GetRowHeights(0);
    G->ColSizedByMouse = true;
    G->SetColWidths(ACol, NewWidth);
  }
  int Sum(int Except) {
    int S = 0;
    for (int c = 0; c < G->GetColCount(); ++c)
      if (c != Except) S += G->GetColWidths(c);
    return S;
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
};

TEST_F(Sizing, StretchedColumnFillsTheClientWidth) {
  G->GetColumnSize()->SetStretch(true);
  const int CW = G->GetClientWidth();
  EXPECT_EQ(G->GetColWidths(4), CW - Sum(4) - 1) << "the last column by default";
  G->GetColumnSize()->StretchColumn = 2;
  G->StretchColumn(2);
  EXPECT_EQ(G->GetColWidths(2), CW - Sum(2) - 1);
  // Following the window's size.
  G->GetColumnSize()->StretchColumn = -1;
  G->SetWidth(500);
  PumpUntilIdle();
  EXPECT_EQ(G->GetColWidths(4), G->GetClientWidth() - Sum(4) - 1);

  // A single column is always as wide as the client area.
  G->SetColCountEx(1);
  G->SetFixedCols(0);
  G->StretchRightColumn();
  EXPECT_EQ(G->GetColWidths(0), G->GetClientWidth());
  G->SetWidth(300);
  PumpUntilIdle();
  EXPECT_EQ(G->GetColWidths(0), G->GetClientWidth());
}

TEST_F(Sizing, StretchedColumnWhenOthersAreWiderThanTheGrid) {
  G->SetColCountEx(12);
  for (int c = 0; c < 11; ++c) G->SetColWidths(c, 90);
  G->GetColumnSize()->SetStretch(true);
  G->SetLeftCol(5);
  G->SetColWidths(11, 150);
  G->StretchRightColumn();
  EXPECT_EQ(G->GetColWidths(11), 150) << "scrolled right: kept";
  G->SetLeftCol(1);
  G->StretchRightColumn();
  EXPECT_EQ(G->GetColWidths(11), 64) << "fully left: the default width";
}

TEST_F(Sizing, StretchColumnOutOfRangeRaisesAndChangesNothing) {
  G->GetColumnSize()->SetStretch(true);
  const std::vector<int> Before{G->GetColWidths(0), G->GetColWidths(1), G->GetColWidths(4)};
  for (int Bad : {-2, -100, 5, 6}) {
    try {
      G->StretchColumn(Bad);
      ADD_FAILURE() << Bad << " accepted";
    } catch (const Exception& E) {
      EXPECT_STREQ(E.what(), "Stretch column index out of range") << Bad;
    }
  }
  EXPECT_EQ(Before, (std::vector<int>{G->GetColWidths(0), G->GetColWidths(1), G->GetColWidths(4)}));
}

TEST_F(Sizing, AllColumnSizeScalesTheNormalColumnsAlike) {
  G->GetMouseActions()->AllColumnSize = true;
  G->SetColWidths(0, 30);
  G->SetColWidths(1, 50);
  G->SetColWidths(2, 50);
  G->SetColWidths(3, 21);
  G->SetColWidths(4, 23);
  std::vector<int> Ended;
  G->OnEndColumnSize = [&](TObject*, int ACol) { Ended.push_back(ACol); };
  SizeByMouse(2, 75);  // ratio 1.5: 21 * 1.5 = 31.5 -> 32, 23 * 1.5 = 34.5 -> 34
  EXPECT_EQ(G->GetColWidths(0), 30) << "fixed columns keep their width";
  EXPECT_EQ(G->GetColWidths(1), 75);
  EXPECT_EQ(G->GetColWidths(3), 32);
  EXPECT_EQ(G->GetColWidths(4), 34);
  EXPECT_EQ(Ended, std::vector<int>{2});
  EXPECT_EQ(G->SizingCell.Col, -1) << "the sizing is over";
  EXPECT_TRUE(G->ColWidthsTouched);

  // Doubling.
  Ended.clear();
  G->SetColWidths(1, 50);
  SizeByMouse(2, 150);
  EXPECT_EQ(G->GetColWidths(1), 100);
  EXPECT_EQ(G->GetColWidths(3), 64);
  EXPECT_EQ(Ended, std::vector<int>{2});
}

TEST_F(Sizing, UpdateColumnSizeCorrectsTheWidthOnce) {
  int Ends = 0;
  std::vector<int> Asked;
  G->OnEndColumnSize = [&](TObject*, int) { ++Ends; };
  G->OnUpdateColumnSize = [&](TObject*, int ACol, int& W) {
    Asked.push_back(W);
    if (ACol == 2) W = 80;
  };
  SizeByMouse(2, 100);
  EXPECT_EQ(G->GetColWidths(2), 80);
  EXPECT_EQ(Ends, 1);
  EXPECT_EQ(Asked, std::vector<int>{100});
  // Widths set by code ask nobody.
  G->SetColWidths(3, 40);
  EXPECT_EQ(Ends, 1);
  EXPECT_EQ(G->GetColWidths(3), 40);
}

TEST_F(Sizing, AllRowSizeScalesRowsAndEndsTheSizing) {
  G->GetMouseActions()->AllRowSize = true;
  std::vector<int> Ended;
  G->OnEndRowSize = [&](TObject*, int ARow) { Ended.push_back(ARow); };
  const int H0 = G->GetRowHeights(0), H = G->GetRowHeights(3);
  G->SizingCell.Col = 0;
  G->SizingCell.Row = 2;
  G->SizingCell.Height = H;
  G->RowSizedByMouse = true;
  G->SetRowHeights(2, H * 2);
  EXPECT_EQ(G->GetRowHeights(0), H0);
  EXPECT_EQ(G->GetRowHeights(3), H * 2);
  EXPECT_EQ(G->GetRowHeights(7), H * 2);
  EXPECT_EQ(Ended, std::vector<int>{2});
  EXPECT_EQ(G->SizingCell.Row, -1);
}

TEST_F(Sizing, MoveColumnTakesTheControlsAlongByRealColumn) {
  // Panels in real columns 1 .. 4; then maybe real column 2 hidden. The
  // displayed column of each panel after moving displayed column 1 to 3,
  // -1 for the hidden one, which stays where it is.
  struct Case {
    bool Hide;
    std::vector<int> After;
    std::vector<int> Back;
  };
  // A hidden column between the two goes along with the real columns, and
  // its control with it.
  Case Cases[] = {{false, {3, 1, 2, 4}, {1, 2, 3, 4}}, {true, {3, -1, 1, 2}, {1, -1, 2, 3}}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Hide);
    delete Form;
    SetUp();
    G->SetColCountEx(6);
    std::vector<TPanel*> Panels;
    for (int C = 1; C <= 4; ++C) {
      auto* P = new TPanel(Form);
      G->SetCellControls(C, 2, P);
      G->SetGridCell(C, 2, "p" + std::to_string(C));
      Panels.push_back(P);
    }
    if (K.Hide) G->HideColumn(2);
    auto Displayed = [&] {
      std::vector<int> D;
      TControlList* L = G->GetControlList();
      for (TPanel* P : Panels)
        for (int i = 0; i < L->GetCount(); ++i)
          if (L->GetControl(i)->Control == P) {
            const int X = L->GetControl(i)->X;
            D.push_back(G->IsHiddenColumn(X) ? -1 : G->RemapColInv(X));
          }
      return D;
    };
    G->MoveColumn(1, 3);
    CheckHidden(*G);
    EXPECT_EQ(Displayed(), K.After);
    // The controls sit over their cells.
    EXPECT_EQ(Panels[0]->GetLeft(), G->CellRect(3, 2).left);
    G->MoveColumn(3, 1);
    CheckHidden(*G);
    EXPECT_EQ(Displayed(), K.Back);
    // Every control still sits in the column of the cells it was put in.
    G->MoveColumn(1, 3);
    G->UnHideColumnsAll();
    CheckHidden(*G);
    TControlList* L = G->GetControlList();
    for (int i = 0; i < L->GetCount(); ++i) {
      const TControlItem* It = L->GetControl(i);
      EXPECT_EQ(G->GetGridCell(G->RemapColInv(It->X), 2), "p" + std::to_string(i + 1));
    }
  }
}

TEST_F(Sizing, HiddenSelectionComesBackOrFallsToTheFirstNormalCell) {
  TGridRect S;
  S.Left = 2;
  S.Right = 3;
  S.Top = 4;
  S.Bottom = 5;
  G->SetSelection(S);
  G->HideSelection();
  EXPECT_TRUE(G->GetSelectionHidden());
  G->UnHideSelection();
  EXPECT_FALSE(G->GetSelectionHidden());
  TGridRect N = G->GetSelection();
  EXPECT_EQ(N.Left, 2);
  EXPECT_EQ(N.Top, 4);
  EXPECT_EQ(N.Bottom, 5);

  G->HideSelection();
  G->RemoveRows(3, 5);  // the saved selection's rows are gone
  CheckHidden(*G);
  G->UnHideSelection();
  N = G->GetSelection();
  EXPECT_EQ(N.Left, 1);
  EXPECT_EQ(N.Top, 1);
  EXPECT_EQ(N.Right, 1);
  EXPECT_EQ(N.Bottom, 1);
}

TEST_F(Sizing, GridFollowsItsFormAndKeepsTheFormsOwnHandler) {
  delete Form;
  TestResetKernel();
  Form = new TForm(nullptr);
  Form->SetFormBorderStyle(::bsNone);
  Form->SetBounds(100, 100, 420, 240);
  int FormResizes = 0;
  Form->OnResize = [&](TObject*) {
    ++FormResizes;
    throw Exception("the form's own handler failed");
  };
  G = new VIduZozezuVodu(Form);
  G->SetBounds(0, 0, 400, 200);
  G->SetParent(Form);
  G->SetSizeWithForm(true);
  Form->Show();
  PumpUntilIdle();
  const int W0 = G->GetWidth(), H0 = G->GetHeight();
  Form->SetBounds(100, 100, 470, 260);
  PumpUntilIdle();
  EXPECT_EQ(G->GetWidth(), W0 + 50);
  EXPECT_EQ(G->GetHeight(), H0 + 20);
  EXPECT_GE(FormResizes, 1) << "the form's handler still runs; its exception is dropped";
  // Without the grid the form keeps working with its own handler.
  delete G;
  G = nullptr;
  const int Before = FormResizes;
  try {
    Form->SetBounds(100, 100, 300, 200);
    PumpUntilIdle();
  } catch (const Exception&) {
  }
  EXPECT_EQ(FormResizes, Before + 1);
}

TEST_F(Sizing, ArrowColourReachesAllFourArrows) {
  EXPECT_EQ(G->GetArrowColor(), TColor(0x00FF00));
  G->SetArrowColor(clRed);
  EXPECT_EQ(G->GetArrowColor(), clRed);
}

}  // namespace
