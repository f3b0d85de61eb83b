// The tariff frame's four glass buttons on a form, up and then pressed down:
// each body carries its colour, a pressed button is darker than its up
// look. With GLASS_LOOK_PNG set the form is saved there as a PNG to look at.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/zytglassbutton.h"
#include "platform/graphics/gdi.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using namespace ZytGlassButton;

TEST(GlassTariffLook, FourTariffButtonsUpAndDown) {
  TestResetKernel();
  auto* form = new TForm(nullptr);
  form->SetFormBorderStyle(::bsNone);
  form->SetBounds(40, 40, 430, 80);
  const TColor colours[] = {clLime, clYellow, clRed, clBlue};
  TZytGlassButton* buttons[4];
  for (int i = 0; i < 4; ++i) {
    auto* b = new TZytGlassButton(form);
    b->SetParent(form);
    b->SetBounds(10 + 105 * i, 10, 95, 25);
    b->SetCaption("Тариф " + std::to_string(i + 1));
    b->SetBackColor(colours[i]);
    b->SetOuterBorderColor(clBtnFace);
    b->SetInnerBorderColor(clBlack);
    b->SetShineColor(clWhite);
    b->SetAntiAlias(aaNone);
    b->SetAllowAllUp(true);
    b->SetGroupIndex(i + 1);
    b->GetFont()->SetName("Tahoma");
    b->GetFont()->SetHeight(-11);
    buttons[i] = b;
  }
  // The second row: the same buttons pressed down.
  TZytGlassButton* down[4];
  for (int i = 0; i < 4; ++i) {
    auto* b = new TZytGlassButton(form);
    b->SetParent(form);
    b->SetBounds(10 + 105 * i, 45, 95, 25);
    b->SetCaption("Тариф " + std::to_string(i + 1));
    b->SetBackColor(colours[i]);
    b->SetOuterBorderColor(clBtnFace);
    b->SetInnerBorderColor(clBlack);
    b->SetAntiAlias(aaNone);
    b->SetAllowAllUp(true);
    b->SetGroupIndex(10 + i);
    b->SetDown(true);
    down[i] = b;
  }
  form->Show();
  PumpUntilIdle();
  TBitmap shot;
  SnapshotControl(form, &shot);
  if (const char* path = std::getenv("GLASS_LOOK_PNG")) GdiSaveBitmapPNG(shot.GetHandle(), path);

  auto px = [&](TControl* C, int X, int Y) {
    return ColorToRGB(shot.Canvas()->GetPixels(C->GetLeft() + X, C->GetTop() + Y));
  };
  // Below the shine, the body shows its colour blended at half strength.
  const COLORREF lime = px(buttons[0], 47, 18), red = px(buttons[2], 47, 18), blue = px(buttons[3], 47, 18);
  EXPECT_GT(GetGValue(lime), GetRValue(lime) + 40);
  EXPECT_GT(GetRValue(red), GetGValue(red) + 40);
  EXPECT_GT(GetBValue(blue), GetRValue(blue) + 40);
  // A pressed button glows: its body differs from the same button up.
  EXPECT_NE(px(buttons[2], 47, 18), px(down[2], 47, 18));
  delete form;
  TestResetKernel();
}

}  // namespace
