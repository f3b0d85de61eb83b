// The grid button: defaults, looks and theme adaptation, the generated
// disabled glyph and shade, clicks through the test input (check style,
// drop-down part, groups) and the painted face under the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/didavovbutton.h"
#include "platform/forms/forms.h"
#include "platform/uxtheme/uxtheme.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using Lines = std::vector<std::string>;

class DidAvovButton : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(100, 100, 400, 200);
    Form->SetColor(clWhite);
    A = Make("a", 10, 10);
    B = Make("b", 120, 10);
    Form->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    SetTestThemeActive(false);
    TestResetKernel();
    UseSystemClock();
  }
  TDidAvovButton* Make(const std::string& Name, int X, int Y) {
    auto* b = new TDidAvovButton(Form);
    b->SetBounds(X, Y, 90, 23);
    b->SetParent(Form);
    b->OnClick = [this, Name](TObject*) { Notes.push_back("click " + Name); };
    b->OnDropDown = [this, Name](TObject*) { Notes.push_back("dropdown " + Name); };
    return b;
  }
  POINT At(TControl* C, int X, int Y) {
    return ClientPointToScreen(C->GetParent()->Handle(), C->GetLeft() + X, C->GetTop() + Y);
  }
  void Press(TControl* C, int X = 40, int Y = 12) {
    TestMouseDown(At(C, X, Y));
    PumpUntilIdle();
  }
  void Release(TControl* C, int X = 40, int Y = 12) {
    TestMouseUp(At(C, X, Y));
    PumpUntilIdle();
  }
  void ClickOn(TControl* C, int X = 40, int Y = 12) {
    Press(C, X, Y);
    Release(C, X, Y);
  }
  TForm* Form = nullptr;
  TDidAvovButton* A = nullptr;
  TDidAvovButton* B = nullptr;
  Lines Notes;
};

TEST(DidAvovButtonDefaults, Properties) {
  TDidAvovButton b(nullptr);
  EXPECT_EQ(b.GetWidth(), 22);
  EXPECT_EQ(b.GetHeight(), 23);
  EXPECT_EQ(b.GetLeft(), 0);
  EXPECT_TRUE(b.GetFlat());
  EXPECT_EQ(b.GetStyle(), tasButton);
  EXPECT_EQ(b.GetSpacing(), 4);
  EXPECT_EQ(b.GetMargin(), -1);
  EXPECT_EQ(b.GetLayout(), blGlyphLeft);
  EXPECT_TRUE(b.GetShaded());
  EXPECT_TRUE(b.GetShowCaption());
  EXPECT_FALSE(b.GetRounded());
  EXPECT_EQ(b.GetColor(), clBtnFace);
  EXPECT_EQ(b.GetColorDown(), static_cast<TColor>(0xD8D3D2));
  EXPECT_EQ(b.GetColorHot(), static_cast<TColor>(0xCAC7C7));
  EXPECT_EQ(b.GetColorChecked(), static_cast<TColor>(0x808080));
  EXPECT_EQ(b.GetBorderColor(), clNone);
  EXPECT_TRUE(b.GetParentFont());
  b.SetMargin(-2);
  EXPECT_EQ(b.GetMargin(), -1);
  b.SetMargin(3);
  EXPECT_EQ(b.GetMargin(), 3);
  // Without a group a push button cannot stay down.
  b.SetDown(true);
  EXPECT_FALSE(b.GetDown());
}

TEST(DidAvovButtonDefaults, GeneratedDisabledGlyphAndShade) {
  TDidAvovButton b(nullptr);
  TBitmap G;
  G.SetSize(2, 2);
  G.GetCanvas()->SetPixels(0, 1, clFuchsia);  // bottom-left: the transparent colour
  G.GetCanvas()->SetPixels(1, 1, clFuchsia);
  G.GetCanvas()->SetPixels(0, 0, clWhite);
  G.GetCanvas()->SetPixels(1, 0, clBlack);
  b.SetGlyph(&G);
  TCanvas* D = b.GetGlyphDisabled()->GetCanvas();
  EXPECT_EQ(ColorToRGB(D->GetPixels(0, 0)), RGB(223, 223, 223));
  EXPECT_EQ(ColorToRGB(D->GetPixels(1, 0)), RGB(96, 96, 96));
  b.GenerateShade();
  TCanvas* S = b.GetShade()->GetCanvas();
  EXPECT_EQ(ColorToRGB(S->GetPixels(0, 0)), static_cast<COLORREF>(0x808080));
  EXPECT_EQ(ColorToRGB(S->GetPixels(1, 0)), static_cast<COLORREF>(0x808080));
  EXPECT_EQ(ColorToRGB(S->GetPixels(0, 1)), ColorToRGB(clFuchsia));
  // A disabled glyph already given is kept.
  TBitmap Other;
  Other.SetSize(2, 2);
  Other.GetCanvas()->SetPixels(0, 0, clRed);
  b.SetGlyph(&Other);
  EXPECT_EQ(ColorToRGB(b.GetGlyphDisabled()->GetCanvas()->GetPixels(0, 0)), RGB(223, 223, 223));
}

TEST(DidAvovButtonDefaults, LooksAndThemes) {
  TDidAvovButton b(nullptr);
  b.SetFlat(false);
  b.SetColorHot(clRed);
  b.SetLook(7);
  EXPECT_FALSE(b.GetFlat());
  EXPECT_EQ(b.GetColorHot(), clRed);
  b.SetBorderColor(clBlue);
  b.SetLook(1);
  EXPECT_TRUE(b.GetFlat());
  EXPECT_FALSE(b.GetRounded());
  EXPECT_EQ(b.GetColorHot(), static_cast<TColor>(0xEED2C1));
  EXPECT_EQ(b.GetBorderHotColor(), static_cast<TColor>(0xC56A31));
  EXPECT_EQ(b.GetBorderColor(), clNone);
  b.SetLook(0);
  EXPECT_TRUE(b.GetRounded());
  EXPECT_EQ(b.GetColorTo(), static_cast<TColor>(0xDFEBEB));

  SetTestThemeActive(false);
  b.ThemeAdapt();
  EXPECT_EQ(b.GetColorHot(), static_cast<TColor>(0xEED2C1));
  SetTestThemeActive(true, u"HomeStead");
  b.SetAutoThemeAdapt(true);
  EXPECT_EQ(b.GetColor(), static_cast<TColor>(0xCFF0EA));
  SetTestThemeActive(false);
}

TEST_F(DidAvovButton, CheckStyleTogglesOnClicksInside) {
  A->SetStyle(tasCheck);
  ClickOn(A);
  EXPECT_TRUE(A->GetDown());
  ClickOn(A);
  EXPECT_FALSE(A->GetDown());
  Press(A);
  Release(A, 200, 100);  // released outside
  EXPECT_FALSE(A->GetDown());
  EXPECT_EQ(Notes, (Lines{"click a", "click a"}));
}

TEST_F(DidAvovButton, DropDownPartRaisesOnlyItsEvent) {
  A->SetDropDownButton(true);
  ClickOn(A, 85, 12);
  EXPECT_EQ(Notes, (Lines{"dropdown a"}));
  ClickOn(A, 20, 12);
  EXPECT_EQ(Notes, (Lines{"dropdown a", "click a"}));
}

TEST_F(DidAvovButton, GroupMembersExcludeEachOther) {
  A->SetGroupIndex(1);
  B->SetGroupIndex(1);
  ClickOn(A);
  EXPECT_TRUE(A->GetDown());
  EXPECT_EQ(A->GetState(), bsExclusive);
  ClickOn(B);
  EXPECT_TRUE(B->GetDown());
  EXPECT_FALSE(A->GetDown());
  // The down one stays down unless all may be up.
  ClickOn(B);
  EXPECT_TRUE(B->GetDown());
  B->SetAllowAllUp(true);
  ClickOn(B);
  EXPECT_FALSE(B->GetDown());
  A->SetDown(true);
  B->SetDown(true);
  EXPECT_FALSE(A->GetDown());
}

TEST_F(DidAvovButton, ActionLink) {
  TAction Act(nullptr);
  Act.SetCaption("Go");
  Act.SetGroupIndex(2);
  A->SetAllowAllUp(true);
  A->SetAction(&Act);
  EXPECT_EQ(A->GetCaption(), "Go");
  EXPECT_EQ(A->GetGroupIndex(), 2);
  Act.SetChecked(true);
  EXPECT_TRUE(A->GetDown());
  Act.SetCaption("Went");
  EXPECT_EQ(A->GetCaption(), "Went");
  A->SetCaption("Own");
  Act.SetCaption("Other");
  EXPECT_EQ(A->GetCaption(), "Own");
  A->SetAction(nullptr);
}

TEST_F(DidAvovButton, HotGradientFace) {
  A->SetLook(2);  // hot 0xCCF4FF to 0x91D0FF
  A->SetShowCaption(false);
  TestMouseMove(At(A, 40, 12));
  PumpUntilIdle();
  ASSERT_TRUE(A->GetMouseInControl());
  TBitmap Shot;
  SnapshotControl(Form, &Shot);
  TCanvas* C = Shot.GetCanvas();
  // Inside the one-pixel frame: near the first colour at the top, the
  // second at the bottom.
  auto Near = [](COLORREF a, COLORREF b) {
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) < 12 && std::abs(int(GetGValue(a)) - int(GetGValue(b))) < 12 &&
           std::abs(int(GetBValue(a)) - int(GetBValue(b))) < 12;
  };
  EXPECT_TRUE(Near(ColorToRGB(C->GetPixels(10 + 60, 10 + 2)), 0xCCF4FF));
  EXPECT_TRUE(Near(ColorToRGB(C->GetPixels(10 + 60, 10 + 20)), 0x91D0FF));
  // Away from the mouse the face is the plain gradient of Color.
  EXPECT_TRUE(Near(ColorToRGB(C->GetPixels(120 + 60, 10 + 2)), 0xFDEADA) ||
              Near(ColorToRGB(C->GetPixels(120 + 60, 10 + 2)), ColorToRGB(clBtnFace)));
}

}  // namespace
