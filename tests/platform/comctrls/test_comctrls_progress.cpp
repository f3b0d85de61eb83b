// The progress bar window class and its component: range, position and step
// rules, values handed to each new window, painting (blocks, smooth,
// upright, colours) and the immediate repaint a loop without messages needs.
#include "platform/comctrls/comctrls_progress.h"

#include "tests/platform/forms/test_controls_support.h"

namespace {

class ProgressTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Bar = new TProgressBar(Form);
    Bar->SetBounds(10, 10, 150, 16);  // client 148 x 14, bar area 146 x 12
    Bar->SetParent(Form);
  }
  LRESULT Send(UINT Msg, WPARAM W = 0, LPARAM L = 0) { return SendMessageA(Bar->Handle(), Msg, W, L); }
  TColor Pixel(int X, int Y) {
    TBitmap shot;
    SnapshotControl(Bar, &shot);
    return shot.Canvas()->GetPixels(X, Y);
  }
  TProgressBar* Bar = nullptr;
};

TEST_F(ProgressTest, MessagesKeepThePositionInRangeAndAnswerTheOldValues) {
  ShowForm();
  EXPECT_EQ(0, Send(PBM_GETRANGE, TRUE));
  EXPECT_EQ(100, Send(PBM_GETRANGE, FALSE));
  EXPECT_EQ(MAKELPARAM(0, 100), Send(PBM_SETRANGE, 0, MAKELPARAM(10, 60)));
  PBRANGE r{};
  EXPECT_EQ(60, Send(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(10, r.iLow);
  EXPECT_EQ(60, r.iHigh);
  EXPECT_EQ(10, Send(PBM_GETPOS));  // the old position 0 came into the range
  struct TCase {
    UINT Msg;
    int Arg;
    LRESULT Answer;
    int Position;
  } cases[] = {
      {PBM_SETPOS, 30, 10, 30},      {PBM_SETPOS, 99, 30, 60},    {PBM_SETPOS, -5, 60, 10},
      {PBM_DELTAPOS, 45, 10, 55},    {PBM_DELTAPOS, 45, 55, 60},  {PBM_DELTAPOS, -100, 60, 10},
      {PBM_SETSTEP, 20, 10, 10},     {PBM_STEPIT, 0, 10, 30},     {PBM_STEPIT, 0, 30, 50},
      {PBM_STEPIT, 0, 50, 20},  // 70 is past 60: the bar starts again (70 - 10) mod 50 + 10
      {PBM_SETSTEP, -15, 20, 20},    {PBM_STEPIT, 0, 20, 55},  // 5 is below 10: 60 - 5
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(c.Answer, Send(c.Msg, static_cast<WPARAM>(c.Arg))) << c.Msg << " " << c.Arg;
    EXPECT_EQ(c.Position, Send(PBM_GETPOS)) << c.Msg << " " << c.Arg;
  }
  // 32-bit ranges, and an empty range where stepping stays at the minimum.
  Send(PBM_SETRANGE32, static_cast<WPARAM>(-70000), 70000);
  EXPECT_EQ(-70000, Send(PBM_GETRANGE, TRUE));
  Send(PBM_SETRANGE32, 5, 5);
  Send(PBM_STEPIT);
  EXPECT_EQ(5, Send(PBM_GETPOS));
}

TEST_F(ProgressTest, ComponentValuesReachEachNewWindowAndThePositionSurvivesRecreation) {
  Bar->SetParent(nullptr);
  Bar->SetMax(200);
  Bar->SetMin(20);
  Bar->SetStep(30);
  Bar->SetPosition(500);
  EXPECT_EQ(200, Bar->GetPosition());  // kept in range before the window too
  Bar->StepIt();
  EXPECT_EQ(50, Bar->GetPosition());
  Bar->StepBy(-100);
  EXPECT_EQ(20, Bar->GetPosition());
  Bar->SetPosition(120);
  Bar->SetParent(Form);
  ShowForm();
  EXPECT_EQ(20, Send(PBM_GETRANGE, TRUE));
  EXPECT_EQ(200, Send(PBM_GETRANGE, FALSE));
  EXPECT_EQ(120, Send(PBM_GETPOS));
  Bar->StepIt();
  EXPECT_EQ(150, Bar->GetPosition());
  Send(PBM_SETPOS, 170);  // moved by the window itself
  Bar->SetSmooth(true);   // a new window
  EXPECT_TRUE(GetWindowLongA(Bar->Handle(), GWL_STYLE) & PBS_SMOOTH);
  EXPECT_EQ(170, Bar->GetPosition());
  EXPECT_EQ(30, Send(PBM_SETSTEP, 30));
  EXPECT_THROW(Bar->SetParams(10, 5), EInvalidOperation);
  EXPECT_EQ(20, Bar->GetMin());
  EXPECT_EQ(200, Bar->GetMax());
}

TEST_F(ProgressTest, PaintsBlocksOrASmoothBarInItsColoursAndRepaintsAtOncePerPosition) {
  ShowForm();
  const TColor bar = ColorToRGB(clHighlight), back = ColorToRGB(clBtnFace);
  // Window x = 2 + offset along the 146-pixel area; blocks of 8 with gaps of 2.
  Bar->SetPosition(50);  // 73 pixels: the block 70..78 that 73 reaches into is shown
  EXPECT_EQ(bar, Pixel(2, 8));
  EXPECT_EQ(back, Pixel(2 + 8, 8));  // a gap
  EXPECT_EQ(bar, Pixel(2 + 77, 8));
  EXPECT_EQ(back, Pixel(2 + 80, 8));
  EXPECT_EQ(back, Pixel(1, 8));  // air inside the edge
  Bar->SetSmooth(true);
  PumpUntilIdle();
  EXPECT_EQ(bar, Pixel(2 + 72, 8));
  EXPECT_EQ(back, Pixel(2 + 73, 8));
  // No message loop between position and picture.
  Bar->SetPosition(100);
  EXPECT_EQ(bar, Pixel(2 + 145, 8));
  EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), Send(PBM_SETBARCOLOR, 0, static_cast<LPARAM>(RGB(255, 0, 0))));
  EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), Send(PBM_SETBKCOLOR, 0, static_cast<LPARAM>(RGB(0, 0, 255))));
  EXPECT_EQ(static_cast<LRESULT>(RGB(255, 0, 0)), Send(PBM_GETBARCOLOR));
  Bar->SetPosition(50);
  EXPECT_EQ(RGB(255, 0, 0), Pixel(2 + 10, 8));
  EXPECT_EQ(RGB(0, 0, 255), Pixel(2 + 100, 8));
  EXPECT_EQ(static_cast<LRESULT>(RGB(0, 0, 255)), Send(PBM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_DEFAULT)));
  PumpUntilIdle();
  EXPECT_EQ(back, Pixel(2 + 100, 8));

  // Upright: the bar grows from the bottom.
  Bar->SetOrientation(pbVertical);
  Bar->SetBounds(10, 10, 20, 100);  // bar area 16 x 96, window rows 2 .. 97
  PumpUntilIdle();
  EXPECT_TRUE(GetWindowLongA(Bar->Handle(), GWL_STYLE) & PBS_VERTICAL);
  EXPECT_EQ(back, Pixel(10, 49));
  EXPECT_EQ(bar, Pixel(10, 50));
  EXPECT_EQ(bar, Pixel(10, 97));
}

}  // namespace
