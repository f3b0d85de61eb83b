// The glow button as a control: defaults, the glow fade on the test clock,
// presses through the test input, groups, the split drop-down, repeat
// clicks, focus looks, dialog keys, autosize and the shortcut hint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/zytglowbutton.h"
#include "platform/stdctrls/stdctrls_edit.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using namespace ZytGlowButton;
using Calls = std::vector<TGdipCall>;

TColor C(unsigned V) { return static_cast<TColor>(V); }

class GlowButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(100, 100, 420, 200);
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
  TZytGlowButton* Make(int X, int Y) {
    auto* b = new TZytGlowButton(Form);
    b->SetBounds(X, Y, 100, 41);
    b->SetParent(Form);
    b->GetFont()->SetName("DejaVu Sans");
    b->GetAppearance()->SetSystemFont(false);  // keep the face set here
    b->OnClick = [this](TObject* S) { Clicks.push_back(static_cast<TZytGlowButton*>(S)); };
    return b;
  }
  POINT At(TControl* Ctl, int X, int Y) {
    return ClientPointToScreen(Ctl->GetParent()->Handle(), Ctl->GetLeft() + X, Ctl->GetTop() + Y);
  }
  void MoveTo(TControl* Ctl, int X = 40, int Y = 20) {
    TestMouseMove(At(Ctl, X, Y));
    PumpUntilIdle();
  }
  void MoveAway() {
    TestMouseMove(At(Form->Controls(0), 380, 150));
    PumpUntilIdle();
  }
  void Press(TControl* Ctl, int X = 40, int Y = 20) {
    TestMouseDown(At(Ctl, X, Y));
    PumpUntilIdle();
  }
  void Release(TControl* Ctl, int X = 40, int Y = 20) {
    TestMouseUp(At(Ctl, X, Y));
    PumpUntilIdle();
  }
  // Apart in time: two quick presses at one spot make a double click.
  void ClickOn(TControl* Ctl, int X = 40, int Y = 20) {
    AdvanceTestClock(1000);
    Press(Ctl, X, Y);
    Release(Ctl, X, Y);
  }
  Calls RecordPaint(TZytGlowButton* Btn) {
    GdipClearRecording();
    GdipStartRecording();
    Btn->Repaint();
    GdipStopRecording();
    return GdipRecordedCalls();
  }
  static bool HasSolid(const Calls& Cs, TColor Colour) {
    for (const auto& c : Cs)
      if (c.Func == "GdipCreateSolidFill" && !c.Args.empty() && static_cast<ARGB>(c.Args[0]) == ColorToARGB(Colour))
        return true;
    return false;
  }
  static bool HasPen(const Calls& Cs, TColor Colour) {
    for (const auto& c : Cs)
      if (c.Func == "GdipCreatePen1" && !c.Args.empty() && static_cast<ARGB>(c.Args[0]) == ColorToARGB(Colour))
        return true;
    return false;
  }
  TForm* Form = nullptr;
  TZytGlowButton* A = nullptr;
  TZytGlowButton* B = nullptr;
  std::vector<TZytGlowButton*> Clicks;
};

TEST(ZytGlowButtonDefaults, PropertiesVersionAndStyle) {
  TestResetKernel();
  TZytGlowButton b(nullptr);
  EXPECT_EQ(100, b.GetWidth());
  EXPECT_EQ(41, b.GetHeight());
  EXPECT_EQ("1.8.4.7", b.GetVersion());
  b.SetVersion("9.9.9.9");
  EXPECT_EQ("1.8.4.7", b.GetVersion());
  EXPECT_TRUE(b.GetDoubleBuffered());
  EXPECT_EQ(aaClearType, b.GetAntiAlias());
  EXPECT_EQ(bsSingle, b.GetBorderStyle());
  EXPECT_EQ(-1, b.GetImageIndex());
  EXPECT_EQ(ftBorder, b.GetFocusType());
  EXPECT_EQ(1, b.GetMarginVert());
  EXPECT_EQ("Tahoma", b.GetNotesFont()->GetName());
  EXPECT_EQ(8, b.GetNotesFont()->GetSize());
  EXPECT_EQ(400, b.GetInitRepeatPause());
  EXPECT_EQ(100, b.GetRepeatPause());
  EXPECT_TRUE(b.GetRounded());
  EXPECT_EQ(shpTop, b.GetShortCutHintPos());
  EXPECT_TRUE(b.GetShowCaption());
  EXPECT_TRUE(b.GetShowDisabled());
  EXPECT_EQ(2, b.GetSpacing());
  EXPECT_TRUE(b.GetWordWrap());
  EXPECT_TRUE(b.GetParentFont());
  EXPECT_EQ(blGlyphLeft, b.GetLayout());
  EXPECT_EQ(bsButton, b.GetStyle());
  EXPECT_EQ(bsLarge, b.GetMaxButtonSizeState());
  EXPECT_EQ(bsGlyph, b.GetMinButtonSizeState());
  EXPECT_EQ(dpRight, b.GetDropDownPosition());
  EXPECT_EQ(ddDown, b.GetDropDownDirection());
  EXPECT_TRUE(b.GetDropDownSplit());
  EXPECT_EQ(C(0xF5D8CA), b.GetAppearance()->GetColorDown());

  // The style interface, and a style without a preset changes no colour.
  auto style = ZytStyleOf(&b);
  ASSERT_TRUE(style);
  style->SetComponentStyle(tsWindows7);
  EXPECT_EQ(C(0xFFFFFF), b.GetAppearance()->GetColor());
  style->SetComponentStyle(tsOffice2007Luna);
  EXPECT_EQ(C(0xEEDBC8), b.GetAppearance()->GetColor());
  EXPECT_EQ(C(0x45667B), b.GetAppearance()->GetBorderColorChecked());
}

TEST_F(GlowButtonTest, StyleInvalidatesAndRecoloursTheHint) {
  A->SetShortCutHint("K");
  A->ShowShortCutHint();
  PumpUntilIdle();
  ASSERT_NE(nullptr, A->GetShortCutHintWindow());
  EXPECT_EQ(clWhite, A->GetShortCutHintWindow()->GetColor());
  EXPECT_EQ(C(0xFFFFFF), A->GetShortCutHintWindow()->GetColorTo());
  A->SetComponentStyle(tsOffice2003Olive);
  EXPECT_EQ(C(0xCFF0EA), A->GetShortCutHintWindow()->GetColorTo());
  // Unchanged colours still repaint the button.
  PumpUntilIdle();
  RECT r{};
  EXPECT_FALSE(GetUpdateRect(A->Handle(), &r, FALSE));
  A->SetComponentStyle(tsWindows7);
  EXPECT_TRUE(GetUpdateRect(A->Handle(), &r, FALSE));
  A->HideShortCutHint();
  EXPECT_FALSE(IsWindowVisible(A->GetShortCutHintWindow()->Handle()));
}

TEST_F(GlowButtonTest, HoverFadesInStepsThenTheTimerGoes) {
  MoveTo(A);
  ASSERT_TRUE(A->GlowTimerRunning());
  EXPECT_TRUE(A->GetHot());
  std::vector<int> levels;
  for (int i = 0; i < 5; ++i) {
    AdvanceTestClock(30);
    PumpUntilIdle();
    levels.push_back(A->GetHoverLevel());
  }
  EXPECT_EQ((std::vector<int>{20, 40, 60, 80, 100}), levels);
  EXPECT_TRUE(A->GlowTimerRunning());
  AdvanceTestClock(30);
  PumpUntilIdle();
  EXPECT_FALSE(A->GlowTimerRunning());
  EXPECT_EQ(100, A->GetHoverLevel());
  // The last tick stopped its timer; the timer itself went after the tick.
  int timers = 0;
  for (int i = 0; i < A->ComponentCount(); ++i) timers += dynamic_cast<TTimer*>(A->Components(i)) != nullptr;
  EXPECT_EQ(0, timers);
  EXPECT_EQ(gsNone, A->GetGlowState());
  AdvanceTestClock(300);  // the stopped timer ticks no more
  PumpUntilIdle();
  EXPECT_EQ(100, A->GetHoverLevel());

  // Leaving fades down to nothing.
  MoveAway();
  for (int i = 0; i < 6; ++i) {
    AdvanceTestClock(30);
    PumpUntilIdle();
  }
  EXPECT_EQ(0, A->GetHoverLevel());
  EXPECT_FALSE(A->GlowTimerRunning());
  EXPECT_FALSE(A->GetHot());
}

TEST_F(GlowButtonTest, LeavingDuringAHoverFadesFromTheTop) {
  MoveTo(A);
  AdvanceTestClock(60);
  PumpUntilIdle();
  EXPECT_EQ(40, A->GetHoverLevel());
  MoveAway();
  EXPECT_EQ(100, A->GetHoverLevel());
  AdvanceTestClock(30);
  PumpUntilIdle();
  EXPECT_EQ(80, A->GetHoverLevel());
}

TEST_F(GlowButtonTest, PressHeldWhileLeavingAndReentering) {
  MoveTo(A);
  Press(A);
  EXPECT_TRUE(A->GetMouseDownNow());
  EXPECT_EQ(absDown, A->GetState());
  TestMouseMove(At(A, 200, 20));  // over B, still held
  PumpUntilIdle();
  EXPECT_FALSE(A->GetMouseDownNow());
  EXPECT_FALSE(A->GetHot());
  EXPECT_EQ(absUp, A->GetState());
  TestMouseMove(At(A, 50, 20));
  PumpUntilIdle();
  EXPECT_TRUE(A->GetMouseDownNow());
  EXPECT_EQ(absDown, A->GetState());
  Release(A, 50, 20);
  EXPECT_EQ(1u, Clicks.size());
  // The push fades back and ends the press.
  for (int i = 0; i < 8; ++i) {
    AdvanceTestClock(30);
    PumpUntilIdle();
  }
  EXPECT_FALSE(A->GetMouseDownNow());
  EXPECT_EQ(0, A->GetPushLevel());
}

TEST_F(GlowButtonTest, DownNeedsAGroupOrCheckStyle) {
  A->SetDown(true);
  EXPECT_FALSE(A->GetDown());
  ClickOn(A);
  EXPECT_FALSE(A->GetDown());
  EXPECT_EQ(absUp, A->GetState());

  A->SetStyle(bsCheck);
  ClickOn(A);
  EXPECT_TRUE(A->GetDown());
  EXPECT_EQ(absDown, A->GetState());
  ClickOn(A);
  EXPECT_FALSE(A->GetDown());
}

TEST_F(GlowButtonTest, ThreeGroupedButtons) {
  TZytGlowButton* Cb = Make(230, 10);
  for (auto* b : {A, B, Cb}) b->SetGroupIndex(1);
  ClickOn(A);
  EXPECT_TRUE(A->GetDown());
  EXPECT_EQ(absExclusive, A->GetState());
  ClickOn(B);
  EXPECT_FALSE(A->GetDown());
  EXPECT_TRUE(B->GetDown());
  EXPECT_FALSE(Cb->GetDown());
  ClickOn(B);  // the down one stays down without AllowAllUp
  EXPECT_TRUE(B->GetDown());
  Cb->SetDown(true);
  EXPECT_FALSE(B->GetDown());
  EXPECT_TRUE(Cb->GetDown());
  Cb->SetAllowAllUp(true);
  ClickOn(Cb);
  EXPECT_FALSE(Cb->GetDown());
  EXPECT_EQ((std::vector<TZytGlowButton*>{A, B, B, Cb}), Clicks);
}

TEST_F(GlowButtonTest, SplitDropDownOpensItsMenuOnlyOverTheStrip) {
  auto* menu = new TPopupMenu(Form);
  auto* item = new TMenuItem(menu);
  item->SetCaption("Item");
  menu->GetItems()->Add(item);
  int popups = 0, dropDowns = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  A->SetDropDownButton(true);
  A->SetDropDownMenu(menu);
  A->OnDropDown = [&](TObject*) { ++dropDowns; };

  ClickOn(A, 100 - 20);
  EXPECT_EQ(0, popups);
  EXPECT_EQ(1u, Clicks.size());

  ClickOn(A, 100 - 10);
  EXPECT_EQ(1, popups);
  EXPECT_EQ(1, dropDowns);
  EXPECT_EQ(1u, Clicks.size());
  menu->CloseMenus();
  PumpUntilIdle();

  // Not split: the whole button opens it.
  A->SetDropDownSplit(false);
  ClickOn(A, 20);
  EXPECT_EQ(2, popups);
  EXPECT_EQ(1u, Clicks.size());
  menu->CloseMenus();
}

TEST_F(GlowButtonTest, RepeatClickAfter400ThenEvery100) {
  A->SetRepeatClick(true);
  Press(A);
  AdvanceTestClock(399);
  PumpUntilIdle();
  EXPECT_EQ(0u, Clicks.size());
  AdvanceTestClock(1);
  PumpUntilIdle();
  EXPECT_EQ(1u, Clicks.size());
  AdvanceTestClock(100);
  PumpUntilIdle();
  EXPECT_EQ(2u, Clicks.size());
  AdvanceTestClock(300);
  PumpUntilIdle();
  EXPECT_EQ(5u, Clicks.size());
  Release(A);
  EXPECT_EQ(6u, Clicks.size());  // the release's own click
  AdvanceTestClock(1000);
  PumpUntilIdle();
  EXPECT_EQ(6u, Clicks.size());
}

TEST_F(GlowButtonTest, HotFocusLooksHotWithoutAFrame) {
  A->SetTabStop(true);
  A->SetFocusType(ftHot);
  A->SetFocus();
  PumpUntilIdle();
  Calls hot = RecordPaint(A);
  EXPECT_TRUE(HasSolid(hot, A->GetAppearance()->GetColorHot()));
  EXPECT_FALSE(HasPen(hot, C(0xE4AD89)));
  EXPECT_TRUE(HasPen(hot, A->GetAppearance()->GetBorderColorHot()));

  A->SetFocusType(ftBorder);
  Calls framed = RecordPaint(A);
  EXPECT_FALSE(HasSolid(framed, A->GetAppearance()->GetColorHot()));
  EXPECT_TRUE(HasSolid(framed, A->GetAppearance()->GetColor()));
  EXPECT_TRUE(HasPen(framed, C(0xE4AD89)));
  EXPECT_TRUE(HasPen(framed, C(0x808080)));
}

TEST_F(GlowButtonTest, DisabledLooksAndText) {
  A->SetCaption("Off");
  A->SetEnabled(false);
  Calls off = RecordPaint(A);
  EXPECT_EQ(absDisabled, A->GetState());
  EXPECT_TRUE(HasSolid(off, A->GetAppearance()->GetColorDisabled()));
  EXPECT_TRUE(HasSolid(off, C(0x808080)));  // the caption's brush
  A->SetShowDisabled(false);
  Calls shown = RecordPaint(A);
  EXPECT_FALSE(HasSolid(shown, A->GetAppearance()->GetColorDisabled()));
  A->SetEnabled(true);
  RecordPaint(A);
  EXPECT_EQ(absUp, A->GetState());
}

TEST_F(GlowButtonTest, DefaultAndCancelThroughDialogKeys) {
  auto* edit = new TEdit(Form);
  edit->SetBounds(10, 120, 100, 22);
  edit->SetParent(Form);
  A->SetDefault(true);
  A->SetModalResult(mrOk);
  B->SetCancel(true);
  B->SetModalResult(mrCancel);
  PumpUntilIdle();
  edit->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ(mrOk, Form->GetModalResult());
  ASSERT_EQ(1u, Clicks.size());
  EXPECT_EQ(A, Clicks[0]);
  TestKeyPress(VK_ESCAPE);
  PumpUntilIdle();
  EXPECT_EQ(mrCancel, Form->GetModalResult());
  ASSERT_EQ(2u, Clicks.size());
  EXPECT_EQ(B, Clicks[1]);
  // A shifted Enter is not the dialog's.
  TestKeyPress(VK_RETURN, tsShift);
  PumpUntilIdle();
  EXPECT_EQ(2u, Clicks.size());
}

TEST_F(GlowButtonTest, AutoSizeMeasuresTheContent) {
  A->SetCaption("Autosized caption");
  A->SetAutoSize(true);
  PumpUntilIdle();
  int w = 0, h = 0;
  A->GetButtonSize(bsLarge, w, h);
  EXPECT_EQ(w, A->GetWidth());
  EXPECT_EQ(h, A->GetHeight());
  // The measured content plus Spacing * 3 + MarginHorz * 2 + 2.
  TBitmap bmp;
  bmp.SetSize(10, 10);
  TStringList notes;
  TBitmap tool;
  tool.SetSize(1, 1);
  int cw = 0, ch = 0;
  DrawGlowButton(bmp.GetCanvas(), TRect(0, 0, 10, 10), clWhite, clWhite, clWhite, clWhite, clWhite, ggVertical,
                 ggVertical, "Autosized caption", WideString(), A->GetFont(), nullptr, -1, true, blGlyphLeft, false,
                 false, true, false, dpRight, A->GetPicture(), 0, 0, aaClearType, &tool, 0, false, false,
                 bpStandalone, true, true, true, true, true, true, 2, StringTrimmingNone, &notes, A->GetNotesFont(),
                 false, cw, ch);
  EXPECT_EQ(cw + 2 * 3 + 1 * 2 + 2, A->GetWidth());
  EXPECT_EQ(ch + 2 * 2 + 1 * 2, A->GetHeight());
  const int plain = A->GetWidth();
  A->SetDropDownButton(true);
  PumpUntilIdle();
  EXPECT_EQ(plain + 14, A->GetWidth());

  // In the label state a line break becomes a blank.
  A->SetDropDownButton(false);
  A->SetCaption("One\\nTwo");
  A->SetButtonSizeState(bsLabel);
  Calls c = RecordPaint(A);
  bool oneLine = false;
  for (const auto& k : c) oneLine = oneLine || (k.Func == "GdipDrawString" && k.Text == "One Two");
  EXPECT_TRUE(oneLine);
  // The glyph state drops the caption.
  A->SetButtonSizeState(bsGlyph);
  Calls g = RecordPaint(A);
  for (const auto& k : g) EXPECT_NE("GdipDrawString", k.Func);
}

TEST_F(GlowButtonTest, ShortCutHintPositions) {
  A->SetShortCutHint("Q");
  struct Case {
    TShortCutHintPos Pos;
    int Left, Top;  // in terms of X, Y, W, H, w, h below
  };
  A->ShowShortCutHint();
  PumpUntilIdle();
  TShortCutHintWindow* hint = A->GetShortCutHintWindow();
  ASSERT_NE(nullptr, hint);
  const TPoint o = A->ClientToScreen(TPoint(0, 0));
  const int X = o.x, Y = o.y, W = 100, H = 41, w = hint->GetWidth(), h = hint->GetHeight();
  const std::vector<Case> cases = {
      {shpLeft, X + 6, Y + (H - h) / 2},           {shpTop, X + (W - w) / 2, Y - h / 2},
      {shpAuto, X + (W - w) / 2, Y - h / 2},       {shpRight, X + W - w / 2, Y + (H - h) / 2},
      {shpBottom, X + (W - w) / 2, Y + H - h / 2}, {shpCenter, X + (W - w) / 2, Y + (H - h) / 2},
      {shpTopRight, X + W - w + 1, Y - h / 2},     {shpAboveTopLeft, X + 6, Y - h},
      {shpBottomRight, X + W - w + 1, Y + H - h / 2}, {shpBelowBottomCenter, X + (W - w) / 2, Y + H},
      {shpBelowBottomRight, X + W - w + 1, Y + H},
  };
  for (const auto& k : cases) {
    A->SetShortCutHintPos(k.Pos);
    A->ShowShortCutHint();
    PumpUntilIdle();
    EXPECT_EQ(k.Left, hint->GetLeft()) << k.Pos;
    EXPECT_EQ(k.Top, hint->GetTop()) << k.Pos;
  }
  // The event decides last, and is told the size state.
  A->SetShortCutHintPos(shpTop);
  TButtonSizeState told = bsGlyph;
  A->OnGetShortCutHintPos = [&](TObject*, TButtonSizeState S, TShortCutHintPos& P) {
    told = S;
    P = shpBelowBottomLeft;
  };
  A->ShowShortCutHint();
  EXPECT_EQ(bsLarge, told);
  EXPECT_EQ(X + 6, hint->GetLeft());
  EXPECT_EQ(Y + H, hint->GetTop());
}

TEST_F(GlowButtonTest, AssignNotificationAndActionLink) {
  auto* images = new TImageList(Form);
  A->SetImages(images);
  A->SetImageIndex(0);
  A->SetCaption("Source");
  A->SetSpacing(5);
  A->SetRounded(false);
  A->SetFocusType(ftHotBorder);
  A->SetShortCutHintPos(shpBottomLeft);
  A->GetNotes()->Add("note");
  B->Assign(A);
  EXPECT_EQ("Source", B->GetCaption());
  EXPECT_EQ(images, B->GetImages());
  EXPECT_EQ(0, B->GetImageIndex());
  EXPECT_EQ(5, B->GetSpacing());
  EXPECT_FALSE(B->GetRounded());
  EXPECT_EQ(ftHotBorder, B->GetFocusType());
  EXPECT_EQ(shpBottomLeft, B->GetShortCutHintPos());
  EXPECT_EQ(1, B->GetNotes()->GetCount());
  B->Assign(Form);  // not a glow button: nothing
  EXPECT_EQ("Source", B->GetCaption());
  delete images;
  EXPECT_EQ(nullptr, A->GetImages());
  EXPECT_EQ(nullptr, B->GetImages());
  PumpUntilIdle();  // paints without the list

  auto* action = new TAction(Form);
  action->SetCaption("Act");
  action->SetGroupIndex(3);
  B->SetAction(action);
  EXPECT_EQ("Act", B->GetCaption());
  EXPECT_EQ(3, B->GetGroupIndex());
  action->SetChecked(true);
  EXPECT_TRUE(B->GetDown());
  action->SetChecked(false);
  EXPECT_TRUE(B->GetDown());  // a group keeps one down unless all may be up
  B->SetAllowAllUp(true);
  action->SetChecked(true);
  action->SetChecked(false);
  EXPECT_FALSE(B->GetDown());
}

}  // namespace
