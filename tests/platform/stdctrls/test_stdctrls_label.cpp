// The label: auto size, word wrap, transparency and the accelerator.
#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

TEST_F(FrameworkTest, LabelAutoSizeFitsTheCaptionAndWordWrapGrowsDownwards) {
  auto* l = new TLabel(Form);
  l->SetParent(Form);
  l->SetLeft(10);
  l->SetCaption("Порт");
  EXPECT_EQ(65, l->GetWidth());  // sized once the form has loaded
  ShowForm();
  int w1 = l->GetWidth(), h1 = l->GetHeight();
  EXPECT_GT(w1, 10);
  l->SetCaption("Скорость обмена");
  EXPECT_GT(l->GetWidth(), w1);
  EXPECT_EQ(h1, l->GetHeight());
  l->SetWordWrap(true);
  l->SetWidth(40);
  l->SetCaption("Скорость обмена данными");
  EXPECT_EQ(40, l->GetWidth());
  EXPECT_GT(l->GetHeight(), h1);
  l->SetAutoSize(false);
  l->SetBounds(10, 10, 30, 30);
  l->SetCaption("long caption that would not fit");
  EXPECT_EQ(30, l->GetWidth());
}

TEST_F(FrameworkTest, LabelPaintsItsBackgroundUnlessTransparentAndItsAcceleratorFocuses) {
  Form->SetColor(clRed);
  auto* l = new TLabel(Form);
  l->SetParent(Form);
  l->SetBounds(10, 10, 60, 20);
  l->SetAutoSize(false);
  l->SetColor(clLime);
  l->SetCaption("&Порт");
  auto* target = new TLogControl(Form, Form, "target", nullptr, TRect(10, 50, 60, 70));
  l->SetFocusControl(target);
  ShowForm();
  TBitmap bmp;
  SnapshotControl(Form, &bmp);
  EXPECT_EQ(clLime, bmp.Canvas()->GetPixels(68, 28));
  l->SetTransparent(true);
  PumpUntilIdle();
  SnapshotControl(Form, &bmp);
  EXPECT_EQ(clRed, bmp.Canvas()->GetPixels(68, 28));

  EXPECT_EQ(1, l->Perform(CM_DIALOGCHAR, u'п', 0));
  PumpUntilIdle();
  EXPECT_TRUE(target->Focused());
  delete target;
  EXPECT_EQ(nullptr, l->GetFocusControl());
}

}  // namespace
