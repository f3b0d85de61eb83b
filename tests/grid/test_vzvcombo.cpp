// Flat combo boxes: the setters' ranges, Flat against Ctl3D, the colour
// kept while disabled, the version text, and the button that csSimple
// does not paint (pixel probes on the shown window).
#include <gtest/gtest.h>

#include "grid/vzvcombo.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

template <class T>
class FlatCombo : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Form->SetColor(clYellow);
    Combo = new T(Form);
    Combo->SetParent(Form);
    Combo->SetBounds(10, 10, 150, 24);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  TForm* Form = nullptr;
  T* Combo = nullptr;
};
using Kinds = ::testing::Types<TVZVComboBox, TVZVUniComboBox>;
TYPED_TEST_SUITE(FlatCombo, Kinds);

TYPED_TEST(FlatCombo, SettersKeepTheirRangesAndFlatTurnsCtl3D) {
  auto* c = this->Combo;
  EXPECT_EQ(c->GetButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 4);
  EXPECT_TRUE(c->GetFlat());
  for (int w : {14, 32}) {
    c->SetButtonWidth(w);
    EXPECT_EQ(c->GetButtonWidth(), w);
  }
  for (int w : {13, 33, 0, -5}) {
    c->SetButtonWidth(w);
    EXPECT_EQ(c->GetButtonWidth(), 32) << w;
  }
  c->SetCtl3D(false);
  c->SetFlat(false);
  EXPECT_TRUE(c->GetCtl3D());
  c->SetFlat(true);
  EXPECT_FALSE(c->GetCtl3D());
  c->SetDropWidth(0);
  EXPECT_EQ(c->GetDropWidth(), 0);
}

TYPED_TEST(FlatCombo, DisablingShowsTheParentColourAndEnablingRestoresTheOldOne) {
  auto* c = this->Combo;
  c->SetColor(clAqua);
  c->SetEnabled(false);
  EXPECT_TRUE(c->GetParentColor());
  EXPECT_EQ(c->GetColor(), clYellow);
  c->SetColor(clRed);  // written while disabled: lost on enabling
  c->SetEnabled(true);
  EXPECT_EQ(c->GetColor(), clAqua);
  EXPECT_FALSE(c->GetParentColor());

  c->SetFlat(false);  // without Flat the colours are left alone
  c->SetEnabled(false);
  EXPECT_EQ(c->GetColor(), clAqua);
}

TYPED_TEST(FlatCombo, SimpleStylePaintsNoButton) {
  auto* c = this->Combo;
  c->SetColor(clWhite);
  this->Form->Show();
  PumpUntilIdle();
  auto probe = [&] {
    c->Invalidate();
    PumpUntilIdle();
    TBitmap b;
    SnapshotControl(c, &b);
    // The middle of the button area.
    return b.Canvas()->GetPixels(c->GetClientWidth() - c->GetButtonWidth() / 2, c->GetClientHeight() / 2);
  };
  EXPECT_NE(probe(), clWhite);
  c->SetStyle(csSimple);
  c->SetHeight(24);
  EXPECT_EQ(probe(), clWhite);
}

TEST(FlatComboVersion, ReadsItsFourBytesAndIgnoresWrites) {
  TVZVComboBox c(nullptr);
  EXPECT_EQ(c.GetVersion(), "1.2.0.1");
  c.SetVersion("9.9.9.9");
  EXPECT_EQ(c.GetVersion(), "1.2.0.1");
}

}  // namespace
