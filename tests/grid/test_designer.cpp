// The design-time panel of the grid: which point is which choice, the
// designer's hit test through real mouse input, and the choices themselves.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/menus.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class Designer : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    TestResetPopupMenus();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 400);
    Grid = new VIduZozezuVodu(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 300);
    Form->Show();
    PumpUntilIdle();
    // The panel's font, as the grid measures it.
    TCanvas* C = Grid->GetCanvas();
    C->GetFont()->SetName("Tahoma");
    C->GetFont()->SetSize(8);
    H = C->TextHeight("gh");
    CW = Grid->GetClientWidth();
    CH = Grid->GetClientHeight();
    Top = CH - (3 * H + 16);
  }
  void TearDown() override {
    delete Form;
    TestResetPopupMenus();
    TestResetKernel();
  }
  // The middle of the "Allow edit" line and of the "Set look" line.
  TPoint EditPoint() const { return TPoint(CW - 140, Top + (H + 2) + 4 + H / 2 + 1); }
  TPoint LookPoint() const { return TPoint(CW - 140, Top + 2 * (H + 2) + 4 + H / 2 + 1); }
  TPoint ClosePoint() const { return TPoint(CW - 8, CH - 3 * H - 8); }
  LRESULT HitTest(TPoint P) {
    return Grid->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(static_cast<WORD>(P.x), static_cast<WORD>(P.y)));
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* Grid = nullptr;
  int H = 0, CW = 0, CH = 0, Top = 0;
};

TEST_F(Designer, ChoicesOnFixedMetrics) {
  EXPECT_EQ(Grid->MouseOverDesignChoice(EditPoint().x, EditPoint().y), 1);
  EXPECT_EQ(Grid->MouseOverDesignChoice(LookPoint().x, LookPoint().y), 2);
  EXPECT_EQ(Grid->MouseOverDesignChoice(ClosePoint().x, ClosePoint().y), 3);
  EXPECT_EQ(Grid->MouseOverDesignChoice(10, 10), -1);
  EXPECT_EQ(Grid->MouseOverDesignChoice(CW - 151, EditPoint().y), -1);
}

TEST_F(Designer, NothingAtRunTime) {
  EXPECT_EQ(HitTest(EditPoint()), 0);
  Grid->SetDesigning(true);
  EXPECT_EQ(HitTest(EditPoint()), 1);
  EXPECT_EQ(HitTest(TPoint(10, 10)), 0);
  Grid->SetShowDesignHelper(false);
  EXPECT_EQ(HitTest(EditPoint()), 0);
}

TEST_F(Designer, MouseMessagesGoThroughTheHitTest) {
  int gridDowns = 0, hooked = 0;
  Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++gridDowns; };
  Form->DesignerHook = [&](TControl* Sender, TMessage& M) {
    if (Sender == Grid && M.Msg == WM_LBUTTONDOWN) ++hooked;
  };
  // At run time the grid has its clicks. (Each click at a new point: two
  // at one point would be a double click.)
  TestClick(ClientPointToScreen(Grid->GetHandle(), 30, 30));
  EXPECT_EQ(gridDowns, 1);
  EXPECT_EQ(hooked, 0);
  Form->SetDesigning(true);
  TestClick(ClientPointToScreen(Grid->GetHandle(), 10, 10));
  EXPECT_EQ(gridDowns, 1);  // the designer's
  EXPECT_EQ(hooked, 1);
  TestClick(ClientPointToScreen(Grid->GetHandle(), EditPoint().x, EditPoint().y));
  EXPECT_EQ(gridDowns, 2);  // claimed by the panel
  EXPECT_EQ(hooked, 1);
  // Without a hook the designer's messages are dropped.
  Form->DesignerHook = nullptr;
  TestClick(ClientPointToScreen(Grid->GetHandle(), 60, 60));
  EXPECT_EQ(gridDowns, 2);
}

// A click on a choice of a designing grid's panel carries it out, once.
TEST_F(Designer, ClickOnThePanelCarriesOutTheChoice) {
  Form->SetDesigning(true);
  auto Click = [this](TPoint P) {
    TestClick(ClientPointToScreen(Grid->GetHandle(), P.x, P.y));
    PumpUntilIdle();
  };
  const bool editing = (Grid->GetOptions() & goEditing) != 0;
  Click(EditPoint());
  EXPECT_EQ((Grid->GetOptions() & goEditing) != 0, !editing);
  Grid->SetLook(glSoft);
  TestScriptPopupMenus({9});
  Click(LookPoint());
  EXPECT_EQ(Grid->GetLook(), glOffice2007);
  EXPECT_EQ(TestRecordedPopupMenus().size(), 1u);
  Click(ClosePoint());
  EXPECT_FALSE(Grid->GetShowDesignHelper());
}

TEST_F(Designer, Choices) {
  Grid->SetDesigning(true);
  int resized = 0;
  Form->OnResize = [&](TObject*) { ++resized; };
  const int width = Form->GetWidth();
  const bool editing = (Grid->GetOptions() & goEditing) != 0;
  Grid->HandleDesignChoice(EditPoint().x, EditPoint().y);
  EXPECT_EQ((Grid->GetOptions() & goEditing) != 0, !editing);
  EXPECT_EQ(Form->GetWidth(), width);
  EXPECT_GE(resized, 2);  // the form was nudged

  Grid->SetLook(glSoft);
  TestScriptPopupMenus({9, 0});
  Grid->HandleDesignChoice(LookPoint().x, LookPoint().y);
  EXPECT_EQ(Grid->GetLook(), glOffice2007);
  ASSERT_EQ(TestRecordedPopupMenus().size(), 1u);
  const TRecordedPopupMenu& m = TestRecordedPopupMenus()[0];
  EXPECT_EQ(m.Captions, (std::vector<AnsiString>{"Standard", "Soft", "Classic", "Zyt", "ListView", "Office 2007",
                                                 "Windows XP", "Windows Vista", "Windows 7"}));
  EXPECT_TRUE(m.Checked[1]);  // Soft, the look when the menu opened
  Grid->HandleDesignChoice(LookPoint().x, LookPoint().y);  // cancelled
  EXPECT_EQ(Grid->GetLook(), glOffice2007);

  Grid->HandleDesignChoice(ClosePoint().x, ClosePoint().y);
  EXPECT_FALSE(Grid->GetShowDesignHelper());
}

}  // namespace
