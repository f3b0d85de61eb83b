// The glass button as a control: defaults, presses and releases through the
// test input, toggles and groups, hover with the test clock, keys, the
// shortcut hint's placement, the action link, and its pixels over the
// parent's background.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/zytglassbutton.h"
#include "controls/zytglowbutton.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using namespace ZytGlassButton;
using Lines = std::vector<std::string>;

// Counts its paints.
class TCountingButton : public TZytGlassButton {
public:
  using TZytGlassButton::TZytGlassButton;
  void DrawButton(TCanvas* ACanvas) override {
    ++Paints;
    TZytGlassButton::DrawButton(ACanvas);
  }
  int Paints = 0;
};

const char* StateName(TZytButtonState S) {
  switch (S) {
    case absUp: return "absUp";
    case absDisabled: return "absDisabled";
    case absDown: return "absDown";
    case absDropDown: return "absDropDown";
    case absExclusive: return "absExclusive";
  }
  return "?";
}

class GlassButtonTest : public ::testing::Test {
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
    A = Make(10, 10);
    B = Make(120, 10);
    Form->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
    UseSystemClock();
  }
  TCountingButton* Make(int X, int Y) {
    auto* b = new TCountingButton(Form);
    b->SetBounds(X, Y, 95, 25);
    b->SetParent(Form);
    b->OnMouseDown = [this, b](TObject*, TMouseButton, TShiftState, int, int) {
      Notes.push_back(std::string("down ") + StateName(b->GetState()) + (b->GetPressed() ? " pressed" : ""));
    };
    b->OnMouseUp = [this, b](TObject*, TMouseButton, TShiftState, int, int) {
      Notes.push_back(std::string("up ") + StateName(b->GetState()) + (b->GetPressed() ? " pressed" : ""));
    };
    b->OnClick = [this](TObject*) { Notes.push_back("click"); };
    b->OnMouseEnter = [this](TObject*) { Notes.push_back("enter"); };
    b->OnMouseLeave = [this](TObject*) { Notes.push_back("leave"); };
    return b;
  }
  POINT At(TControl* C, int X, int Y) { return ClientPointToScreen(C->GetParent()->Handle(), C->GetLeft() + X, C->GetTop() + Y); }
  void Press(TControl* C, int X = 40, int Y = 12) {
    TestMouseDown(At(C, X, Y));
    PumpUntilIdle();
  }
  void Release(TControl* C, int X = 40, int Y = 12) {
    TestMouseUp(At(C, X, Y));
    PumpUntilIdle();
  }
  void ClickOn(TControl* C) {
    Press(C);
    Release(C);
  }
  // Notes of one kind only.
  Lines Only(const std::string& Prefix) {
    Lines out;
    for (const auto& n : Notes)
      if (n.rfind(Prefix, 0) == 0) out.push_back(n);
    return out;
  }
  TForm* Form = nullptr;
  TCountingButton* A = nullptr;
  TCountingButton* B = nullptr;
  Lines Notes;
};

TEST(ZytGlassButtonDefaults, PropertiesAndVersion) {
  TestResetKernel();
  TZytGlassButton b(nullptr);
  EXPECT_EQ(100, b.GetWidth());
  EXPECT_EQ(32, b.GetHeight());
  EXPECT_EQ("1.2.2.0", b.GetVersion());
  b.SetVersion("9.9.9.9");
  EXPECT_EQ("1.2.2.0", b.GetVersion());
  EXPECT_EQ(0x01020200, b.GetVersionNr());
  EXPECT_EQ(static_cast<TColor>(16760205), b.GetGlowColor());
  EXPECT_EQ(clBlack, b.GetBackColor());
  EXPECT_EQ(clWhite, b.GetForeColor());
  EXPECT_EQ(clBlack, b.GetInnerBorderColor());
  EXPECT_EQ(clWhite, b.GetOuterBorderColor());
  EXPECT_EQ(clWhite, b.GetShineColor());
  EXPECT_EQ(clWhite, b.GetBackGroundSymbolColor());
  EXPECT_EQ(ZytGlassButton::bsNone, b.GetBackGroundSymbol());
  EXPECT_EQ(aaClearType, b.GetAntiAlias());
  EXPECT_EQ(blGlyphLeft, b.GetLayout());
  EXPECT_EQ(btsRectangle, b.GetButtonShape());
  EXPECT_EQ(bdRight, b.GetButtonDirection());
  EXPECT_EQ(shpTop, b.GetShortCutHintPos());
  EXPECT_EQ(tasButton, b.GetStyle());
  EXPECT_EQ(4, b.GetCornerRadius());
  EXPECT_EQ("Tahoma", b.GetFont()->GetName());
  EXPECT_FALSE(b.GetParentFont());
  EXPECT_TRUE(b.GetShowCaption());
  EXPECT_FALSE(b.GetShowFocusRect());
  EXPECT_FALSE(b.GetTabStop());
  EXPECT_FALSE(b.GetDown());
  EXPECT_FALSE(b.GetAllowAllUp());
  EXPECT_EQ(0, b.GetGroupIndex());
  EXPECT_EQ(absUp, b.GetState());
  EXPECT_EQ(nullptr, b.GetShortCutHintWindow());
}

TEST(ZytGlassButtonDefaults, CornerRadius) {
  TestResetKernel();
  TZytGlassButton b(nullptr);
  b.SetCornerRadius(-1);
  EXPECT_EQ(4, b.GetCornerRadius());
  b.SetCornerRadius(50);
  EXPECT_EQ(50, b.GetCornerRadius());  // limited only at design time
  b.SetCornerRadius(4);
  b.SetDesigning(true);
  b.SetCornerRadius(50);
  EXPECT_EQ(16, b.GetCornerRadius());
}

// Only properties away from their stored default are written; Down read
// from the stream is applied when loading ends.
TEST(ZytGlassButtonDefaults, FormStream) {
  TestResetKernel();
  auto written = [](TZytGlassButton& B) {
    TMemoryStream s;
    s.WriteComponent(&B);
    const char* p = static_cast<const char*>(s.Memory());
    return std::string(p, p + s.GetSize());
  };
  TZytGlassButton plain(nullptr);
  const std::string none = written(plain);
  for (const char* name : {"AllowAllUp", "AntiAlias", "CornerRadius", "ShortCutHintPos", "ShowCaption", "Style",
                           "GroupIndex", "BackGroundSymbol"})
    EXPECT_EQ(std::string::npos, none.find(name)) << name;
  for (const char* name : {"BackColor", "GlowColor", "ShineColor", "Layout", "Version"})
    EXPECT_NE(std::string::npos, none.find(name)) << name;

  TZytGlassButton b(nullptr);
  b.SetCaption("Тариф 3");
  b.SetBackColor(clRed);
  b.SetAntiAlias(aaNone);
  b.SetAllowAllUp(true);
  b.SetGroupIndex(2);
  b.SetDown(true);
  b.SetCornerRadius(7);
  b.SetShortCutHintPos(shpBelowBottomCenter);
  TMemoryStream s;
  s.WriteComponent(&b);
  s.SetPosition(0);
  TZytGlassButton c(nullptr);
  c.SetLoading(true);
  s.ReadComponent(&c);
  EXPECT_FALSE(c.GetDown());  // not before loading ends
  c.Loaded();
  EXPECT_TRUE(c.GetDown());
  EXPECT_EQ("Тариф 3", c.GetCaption());
  EXPECT_EQ(clRed, c.GetBackColor());
  EXPECT_EQ(aaNone, c.GetAntiAlias());
  EXPECT_TRUE(c.GetAllowAllUp());
  EXPECT_EQ(2, c.GetGroupIndex());
  EXPECT_EQ(7, c.GetCornerRadius());
  EXPECT_EQ(shpBelowBottomCenter, c.GetShortCutHintPos());
}

TEST_F(GlassButtonTest, PressAndReleaseInside) {
  Press(A);
  EXPECT_EQ(absDown, A->GetState());
  EXPECT_TRUE(A->GetPressed());
  const int paints = A->Paints;
  Release(A);
  EXPECT_EQ(absUp, A->GetState());
  EXPECT_FALSE(A->GetPressed());
  EXPECT_GT(A->Paints, paints);
  EXPECT_EQ((Lines{"down absUp", "click", "up absUp"}), (Lines{Only("down")[0], Only("click")[0], Only("up")[0]}));
  // The click comes before OnMouseUp.
  Lines order;
  for (const auto& n : Notes)
    if (n == "click" || n.rfind("up", 0) == 0) order.push_back(n);
  EXPECT_EQ((Lines{"click", "up absUp"}), order);
}

TEST_F(GlassButtonTest, ReleaseEdgesInAGroup) {
  A->SetGroupIndex(1);
  A->SetAllowAllUp(true);
  Press(A);
  Release(A, 40, A->GetClientHeight());  // the bottom edge counts as inside
  EXPECT_TRUE(A->GetDown());
  EXPECT_EQ(absExclusive, A->GetState());
  Press(A);
  Release(A, A->GetClientWidth(), 12);  // the right edge is outside
  EXPECT_TRUE(A->GetDown());
  Press(A);
  Release(A);
  EXPECT_FALSE(A->GetDown());
}

TEST_F(GlassButtonTest, PlainButtonNeverStaysDown) {
  A->SetDown(true);
  EXPECT_FALSE(A->GetDown());
  ClickOn(A);
  EXPECT_FALSE(A->GetDown());
}

TEST_F(GlassButtonTest, CheckStyleToggles) {
  A->SetStyle(tasCheck);
  ClickOn(A);
  EXPECT_TRUE(A->GetDown());
  A->Repaint();
  EXPECT_EQ(absDown, A->GetState());
  ClickOn(A);
  EXPECT_FALSE(A->GetDown());
  A->Repaint();
  EXPECT_EQ(absUp, A->GetState());
}

TEST_F(GlassButtonTest, GroupsAreExclusive) {
  A->SetGroupIndex(1);
  B->SetGroupIndex(1);
  A->SetDown(true);
  B->SetDown(true);
  EXPECT_FALSE(A->GetDown());
  EXPECT_TRUE(B->GetDown());
  B->SetDown(false);  // AllowAllUp off: stays down
  EXPECT_TRUE(B->GetDown());
  ClickOn(B);
  EXPECT_TRUE(B->GetDown());

  A->SetAllowAllUp(true);  // copied to the group
  EXPECT_TRUE(B->GetAllowAllUp());
  B->SetDown(false);
  EXPECT_FALSE(B->GetDown());
  ClickOn(A);
  EXPECT_TRUE(A->GetDown());
  ClickOn(A);
  EXPECT_FALSE(A->GetDown());
}

TEST_F(GlassButtonTest, RightButtonChangesNothing) {
  TestMouseDown(At(A, 40, 12), mbRight);
  PumpUntilIdle();
  EXPECT_EQ(absUp, A->GetState());
  EXPECT_FALSE(A->GetPressed());
  TestMouseUp(At(A, 40, 12), mbRight);
  PumpUntilIdle();
  EXPECT_EQ(absUp, A->GetState());
  EXPECT_TRUE(Only("click").empty());
}

TEST_F(GlassButtonTest, HoverRepaintsOnlyOnLeaving) {
  TestMouseMove(At(A, 300, 150));
  PumpUntilIdle();
  const int paints = A->Paints;
  TestMouseMove(At(A, 40, 12));
  PumpUntilIdle();
  AdvanceTestClock(5);
  PumpUntilIdle();
  EXPECT_TRUE(A->GetMouseInside());
  EXPECT_EQ(paints, A->Paints) << "entering does not repaint";
  EXPECT_EQ(Lines{"enter"}, Only("enter"));
  TestMouseMove(At(A, 300, 150));
  PumpUntilIdle();
  AdvanceTestClock(5);
  PumpUntilIdle();
  EXPECT_FALSE(A->GetMouseInside());
  EXPECT_GT(A->Paints, paints);
  EXPECT_EQ(Lines{"leave"}, Only("leave"));
}

TEST_F(GlassButtonTest, ReleaseReportsEnterOrLeave) {
  Press(A);
  Notes.clear();
  Release(A);
  EXPECT_EQ(Lines{"enter"}, Only("enter"));
  EXPECT_TRUE(A->GetMouseInside());
  Press(A);
  Notes.clear();
  Release(A, 300, 150);
  EXPECT_FALSE(Only("leave").empty());
  EXPECT_TRUE(Only("enter").empty());
  EXPECT_FALSE(A->GetMouseInside());
}

TEST_F(GlassButtonTest, KeysClick) {
  A->SetTabStop(true);
  A->SetCaption("&Go");
  A->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_SPACE);
  PumpUntilIdle();
  EXPECT_EQ(1u, Only("click").size());
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ(2u, Only("click").size());
  B->SetTabStop(true);
  B->OnClick = [this](TObject*) { Notes.push_back("B clicked"); };
  B->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_RETURN);  // A no longer has the focus
  PumpUntilIdle();
  EXPECT_EQ(2u, Only("click").size());
  EXPECT_EQ(1u, Only("B clicked").size());
  TestKeyPress('G', tsAlt);
  PumpUntilIdle();
  EXPECT_EQ(3u, Only("click").size());
  A->Perform(CN_COMMAND, 0, 0);
  EXPECT_EQ(4u, Only("click").size());
}

TEST_F(GlassButtonTest, ShortCutHintPlacement) {
  A->SetShortCutHint("Alt+1");
  const TPoint o = A->ClientToScreen(TPoint(0, 0));
  struct Case {
    TShortCutHintPos Pos;
    int Left, Top;  // from the window's size w, h below
  };
  A->Perform(CM_HINTSHOW, 1, 1);
  TShortCutHintWindow* win = A->GetShortCutHintWindow();
  ASSERT_NE(nullptr, win);
  const int w = win->GetWidth(), h = win->GetHeight();
  EXPECT_GT(w, 8);
  EXPECT_EQ("Alt+1", win->GetCaption());
  const std::vector<Case> cases = {
      {shpLeft, o.x - w / 2, o.y + (25 - h) / 2},
      {shpTop, o.x + (95 - w) / 2, o.y - h / 2},
      {shpRight, o.x + 95 - w / 2, o.y + (25 - h) / 2},
      {shpBottom, o.x + (95 - w) / 2, o.y + 25 - h / 2},
  };
  for (const auto& c : cases) {
    A->SetShortCutHintPos(c.Pos);
    EXPECT_EQ(1, A->Perform(CM_HINTSHOW, 1, 1));
    RECT r{};
    GetWindowRect(A->GetShortCutHintWindow()->Handle(), &r);
    EXPECT_EQ(c.Left, r.left) << c.Pos;
    EXPECT_EQ(c.Top, r.top) << c.Pos;
    EXPECT_TRUE(IsWindowVisible(A->GetShortCutHintWindow()->Handle()));
  }
  // Other positions leave the window where it was.
  A->SetShortCutHintPos(shpCenter);
  A->Perform(CM_HINTSHOW, 1, 1);
  RECT r{};
  GetWindowRect(A->GetShortCutHintWindow()->Handle(), &r);
  EXPECT_EQ(cases.back().Left, r.left);
  EXPECT_EQ(cases.back().Top, r.top);
  EXPECT_EQ(1, A->Perform(CM_HINTSHOW, 1, 0));
  EXPECT_EQ(nullptr, A->GetShortCutHintWindow());
}

TEST_F(GlassButtonTest, ActionLinkFollowsCheckedAndGroup) {
  TAction action(nullptr);
  action.SetCaption("Act");
  action.SetGroupIndex(2);
  A->SetAction(&action);
  EXPECT_EQ("Act", A->GetCaption());
  EXPECT_EQ(2, A->GetGroupIndex());
  action.SetChecked(true);
  EXPECT_TRUE(A->GetDown());
  action.SetGroupIndex(3);
  EXPECT_EQ(3, A->GetGroupIndex());
  // A grouped button going down releases A and unchecks its action.
  B->SetGroupIndex(3);
  B->SetDown(true);
  EXPECT_FALSE(A->GetDown());
  EXPECT_FALSE(action.GetChecked());
  A->SetAction(nullptr);
}

// Pixels: the body blends the parent's colour with BackColor.
TEST_F(GlassButtonTest, BodyBlendsTheParentsColour) {
  Form->SetColor(clRed);
  A->SetBackColor(clBlue);
  A->SetCaption("");
  A->Invalidate();
  PumpUntilIdle();
  TBitmap shot;
  SnapshotControl(A, &shot);
  const COLORREF c = ColorToRGB(shot.GetCanvas()->GetPixels(40, 20));  // below the shine
  EXPECT_NEAR(128, GetRValue(c), 8);
  EXPECT_NEAR(127, GetBValue(c), 8);
  EXPECT_LT(GetGValue(c), 10);
}

TEST_F(GlassButtonTest, ForceTransparentPaintsOverlappingSiblings) {
  B->SetBounds(60, 10, 95, 25);  // overlaps A from x 60 to 105 of the form
  B->SetBackColor(clBlue);
  A->SetBackColor(clYellow);
  A->BringToFront();
  auto probe = [&] {
    A->Invalidate();
    PumpUntilIdle();
    TBitmap shot;
    SnapshotControl(A, &shot);
    return ColorToRGB(shot.GetCanvas()->GetPixels(80, 20));  // over B's body
  };
  const COLORREF plain = probe();
  A->SetForceTransparent(true);
  const COLORREF through = probe();
  // Yellow at half over white, then over the blue body drawn below it.
  EXPECT_NEAR(255, GetRValue(plain), 8);
  EXPECT_NEAR(191, GetRValue(through), 8);
  EXPECT_NEAR(GetBValue(plain), GetBValue(through), 8);
}

TEST_F(GlassButtonTest, TariffButtonsScreenshot) {
  delete A;
  delete B;
  A = B = nullptr;
  Form->SetColor(clBtnFace);
  Form->SetBounds(100, 100, 420, 80);
  const TColor backs[] = {clLime, clYellow, clRed, clBlue};
  std::vector<TCountingButton*> up, down;
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 4; ++i) {
      auto* b = Make(8 + i * 99, 8 + row * 35);
      b->SetCaption("Тариф " + std::to_string(i + 1));
      b->SetBackColor(backs[i]);
      b->SetOuterBorderColor(clBtnFace);
      b->SetInnerBorderColor(clBlack);
      b->SetBackGroundSymbolColor(clBtnFace);
      b->SetShineColor(clWhite);
      b->SetForeColor(clNone);
      b->SetGlowColor(static_cast<TColor>(16760205));
      b->SetAntiAlias(aaNone);
      b->SetAllowAllUp(true);
      b->GetFont()->SetName("Tahoma");
      b->GetFont()->SetHeight(-11);
      (row == 0 ? up : down).push_back(b);
    }
  PumpUntilIdle();
  // The lower row shows each button held down.
  for (std::size_t i = 0; i < down.size(); ++i) {
    down[i]->SetGroupIndex(10 + static_cast<int>(i));
    down[i]->SetDown(true);
  }
  PumpUntilIdle();
  TBitmap shot;
  SnapshotControl(Form, &shot);
  // The caption is centred: dark text pixels on both sides of the middle.
  int left = 0, right = 0;
  for (int y = 8; y < 33; ++y)
    for (int x = 8 + 20; x < 8 + 75; ++x) {
      const COLORREF c = ColorToRGB(shot.GetCanvas()->GetPixels(x, y));
      if (GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60) (x < 8 + 47 ? left : right)++;
    }
  EXPECT_GT(left, 10);
  EXPECT_GT(right, 10);
  if (const char* dir = std::getenv("YUNT_SNAPSHOT_DIR")) {
    HBITMAP all = ComposeWindowBitmap(Form->Handle());
    GdiSaveBitmapPNG(all, AnsiString(dir) + "/glass_tariff_buttons.png");
    DeleteObject(all);
  }
}

}  // namespace
