// Glow buttons in their states and two style presets, painted on a shown
// form: normal, hot, down, checked, disabled, a split drop-down and a
// data-aware glyph. The looks are told apart by pixel probes; with
// GLOW_LOOK_PNG set, the row is saved there as a PNG to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/zytglowbutton_db.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using namespace ZytGlowButton;

struct TShot {
  std::string Name;
  TBitmap Image;
};

class GlowLookTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(50, 50, 1000, 70);
    Form->SetColor(static_cast<TColor>(0xF0F0F0));
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
    UseSystemClock();
  }
  template <class T = TZytGlowButton>
  T* Make(const char* Caption) {
    auto* b = new T(Form);
    b->SetBounds(10 + 110 * static_cast<int>(Buttons.size()), 10, 100, 41);
    b->SetParent(Form);
    b->SetCaption(Caption);
    Buttons.push_back(b);
    return b;
  }
  POINT At(TControl* C, int X, int Y) { return ClientPointToScreen(Form->Handle(), C->GetLeft() + X, C->GetTop() + Y); }
  void Settle() {
    for (int i = 0; i < 10; ++i) {
      AdvanceTestClock(30);
      PumpUntilIdle();
    }
  }
  void Shoot(TZytCustomGlowButton* B, const char* Name) {
    Shots.push_back(std::make_unique<TShot>());
    Shots.back()->Name = Name;
    SnapshotControl(B, &Shots.back()->Image);
  }
  TForm* Form = nullptr;
  std::vector<TZytCustomGlowButton*> Buttons;
  std::vector<std::unique_ptr<TShot>> Shots;
};

// Mean of the colour channels over the button's inner part.
double Brightness(TBitmap& Bmp) {
  double sum = 0;
  int n = 0;
  for (int y = 5; y < Bmp.GetHeight() - 5; y += 2)
    for (int x = 5; x < Bmp.GetWidth() - 5; x += 2) {
      const COLORREF c = ColorToRGB(Bmp.GetCanvas()->GetPixels(x, y));
      sum += GetRValue(c) + GetGValue(c) + GetBValue(c);
      ++n;
    }
  return sum / (3.0 * n);
}

COLORREF Px(TShot& S, int X, int Y) { return ColorToRGB(S.Image.GetCanvas()->GetPixels(X, Y)); }

void SavePng(const std::vector<std::unique_ptr<TShot>>& Shots, const char* Path) {
  const int w = 110 * static_cast<int>(Shots.size()) + 10, h = 61;
  TGPBitmap png(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) png.SetPixel(x, y, 0xFFF0F0F0u);
  for (std::size_t i = 0; i < Shots.size(); ++i) {
    TBitmap& b = Shots[i]->Image;
    for (int y = 0; y < b.GetHeight(); ++y)
      for (int x = 0; x < b.GetWidth(); ++x)
        png.SetPixel(10 + 110 * static_cast<int>(i) + x, 10 + y, ColorToARGB(b.GetCanvas()->GetPixels(x, y)));
  }
  png.Save(Utf8ToWide(Path), EncoderClsidPNG);
}

TEST_F(GlowLookTest, StatesAndPresets) {
  auto* normal = Make("Normal");
  auto* hot = Make("Hot");
  auto* down = Make("Down");
  auto* checked = Make("Checked");
  checked->SetStyle(bsCheck);
  auto* disabled = Make("Disabled");
  disabled->SetEnabled(false);
  auto* luna = Make("Luna");
  luna->SetComponentStyle(tsOffice2007Luna);
  auto* xp = Make("Windows XP");
  xp->SetComponentStyle(tsWindowsXP);
  auto* split = Make("Split");
  split->SetDropDownButton(true);
  auto* next = Make<TDBZytGlowButton>("Next");
  auto* data = new TMemDataSet(Form, {"Name"});
  data->AppendRow({"a"});
  data->AppendRow({"b"});
  data->Open();
  auto* source = new TDataSource(Form);
  source->SetDataSet(data);
  next->SetDBButtonType(dbNext);
  next->SetDataSource(source);
  Form->Show();
  checked->SetDown(true);
  PumpUntilIdle();

  Shoot(normal, "normal");
  TestMouseMove(At(hot, 50, 20));
  Settle();
  Shoot(hot, "hot");
  TestMouseDown(At(down, 50, 20));
  Settle();
  Shoot(down, "down");
  TestMouseUp(At(down, 50, 20));
  TestMouseMove(At(Form->Controls(0), 5, 60));
  Settle();
  Shoot(checked, "checked");
  Shoot(disabled, "disabled");
  Shoot(luna, "luna");
  Shoot(xp, "xp");
  TestMouseMove(At(split, 92, 20));
  Settle();
  Shoot(split, "split");
  TestMouseMove(At(Form->Controls(0), 5, 60));
  Settle();
  Shoot(next, "next");

  if (const char* path = std::getenv("GLOW_LOOK_PNG")) SavePng(Shots, path);

  TShot& n = *Shots[0];
  TShot& h = *Shots[1];
  TShot& d = *Shots[2];
  TShot& c = *Shots[3];
  TShot& x = *Shots[4];
  // Hot, down and checked are tinted away from the white and gray normal.
  auto blueish = [](COLORREF v) { return GetBValue(v) > GetRValue(v) + 8; };
  EXPECT_FALSE(blueish(Px(n, 20, 10)));
  EXPECT_TRUE(blueish(Px(h, 20, 30)));
  EXPECT_TRUE(blueish(Px(d, 20, 30)));
  EXPECT_TRUE(blueish(Px(c, 20, 30)));
  EXPECT_LT(Brightness(d.Image), Brightness(n.Image));
  // Disabled: flat gray.
  const COLORREF g = Px(x, 20, 10);
  EXPECT_EQ(GetRValue(g), GetBValue(g));
  // The corners show the form.
  EXPECT_EQ(0xF0F0F0u, Px(n, 0, 0));
  EXPECT_EQ(0xF0F0F0u, Px(n, 99, 40));
  // The presets differ from the default and from each other.
  EXPECT_NE(Px(n, 50, 30), Px(*Shots[5], 50, 30));
  EXPECT_NE(Px(*Shots[5], 50, 30), Px(*Shots[6], 50, 30));
  // The drop-down arrow at the strip.
  bool arrow = false;
  for (int y = 10; y < 30; ++y) arrow = arrow || Px(*Shots[7], 90, y) == 0u;
  EXPECT_TRUE(arrow);
  // The data-aware glyph left of the caption: dark ink on the light body.
  bool glyph = false;
  for (int y = 12; y < 28; ++y)
    for (int xx = 24; xx < 44; ++xx) glyph = glyph || GetGValue(Px(*Shots[8], xx, y)) < 128;
  EXPECT_TRUE(glyph);
}

}  // namespace
