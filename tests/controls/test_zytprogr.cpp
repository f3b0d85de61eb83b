// The coloured progress control: colours go to the common control as RGB,
// a form-less setter fails as any windowless control does, colours survive
// a new window, and the version ignores writes.
#include <gtest/gtest.h>

#include "controls/zytprogr.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class ZytProgressTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(bsNone);
    Form->SetBounds(100, 100, 300, 100);
    Bar = new TZytProgress(Form);
    Bar->SetBounds(10, 10, 150, 16);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  LRESULT Send(UINT Msg) { return SendMessageA(Bar->Handle(), Msg, 0, 0); }
  TColor Pixel(int X, int Y) {
    TBitmap shot;
    SnapshotControl(Bar, &shot);
    return shot.Canvas()->GetPixels(X, Y);
  }
  TForm* Form = nullptr;
  TZytProgress* Bar = nullptr;
};

TEST_F(ZytProgressTest, InitialColoursAreOnlyStoredUntilASetterSendsThem) {
  EXPECT_EQ(clHighlight, Bar->GetBarColor());
  EXPECT_EQ(clWindow, Bar->GetBkColor());
  EXPECT_EQ("1.2.0.0", Bar->GetVersion());
  EXPECT_EQ(0x01020000, Bar->GetVersionNr());
  Bar->SetVersion("9.9.9.9");
  EXPECT_EQ("1.2.0.0", Bar->GetVersion());
  // No parent window: the setter cannot make the window.
  EXPECT_THROW(Bar->SetBarColor(clRed), EInvalidOperation);
  Bar->SetParent(Form);
  EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), Send(PBM_GETBARCOLOR));
  EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), Send(PBM_GETBKCOLOR));
}

TEST_F(ZytProgressTest, SystemColoursGoAsTheirRgbAndStayAfterANewWindow) {
  Bar->SetParent(Form);
  Form->Show();
  PumpUntilIdle();
  Bar->SetBarColor(clHighlight);
  Bar->SetBkColor(clInfoBk);
  EXPECT_EQ(static_cast<LRESULT>(ColorToRGB(clHighlight)), Send(PBM_GETBARCOLOR));
  EXPECT_EQ(static_cast<LRESULT>(ColorToRGB(clInfoBk)), Send(PBM_GETBKCOLOR));
  EXPECT_NE(static_cast<LRESULT>(clHighlight), Send(PBM_GETBARCOLOR));  // not the system-colour index

  Bar->SetBarColor(clRed);
  Bar->SetSmooth(true);  // a new window
  Bar->SetPosition(50);
  PumpUntilIdle();
  EXPECT_EQ(static_cast<LRESULT>(ColorToRGB(clRed)), Send(PBM_GETBARCOLOR));
  EXPECT_EQ(ColorToRGB(clRed), Pixel(10, 8));
  EXPECT_EQ(ColorToRGB(clInfoBk), Pixel(140, 8));
}

}  // namespace
