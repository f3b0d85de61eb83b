// Push buttons, check boxes, radio buttons, radio groups and speed buttons:
// clicks by mouse and keyboard, the parent's notifications in order, the
// default and cancel buttons, states read back.
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class ButtonTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    // The parent's WM_COMMAND notifications and the clicks, in order.
    Form->SetWindowProc([this, old = Form->GetWindowProc()](TMessage& M) {
      if (M.Msg == WM_COMMAND) {
        auto* c = TWinControl::FindControl(reinterpret_cast<HWND>(M.LParam));
        Events.push_back((c ? c->GetName() : "?") + " WM_COMMAND " + std::to_string(HIWORD(M.WParam)));
      }
      old(M);
    });
  }
  template <class T>
  T* Make(const char* Name, TRect Bounds, const char* Caption, TWinControl* Parent = nullptr) {
    auto* c = new T(Form);
    c->SetName(Name);
    c->SetParent(Parent ? Parent : Form);
    c->SetBoundsRect(Bounds);
    c->SetCaption(Caption);
    c->OnClick = [this](TObject* S) { Events.push_back(static_cast<TComponent*>(S)->GetName() + " OnClick"); };
    return c;
  }
  POINT Center(TWinControl* C) { return ClientPointToScreen(C->Handle(), C->GetWidth() / 2, C->GetHeight() / 2); }
  void Clear() {
    PumpUntilIdle();
    Events.clear();
  }
  Lines Events;
};

TEST_F(ButtonTest, MouseClicksNotifyTheParentThenRaiseOnClickOnlyForAReleaseInside) {
  TButton* b = Make<TButton>("ok", TRect(10, 10, 85, 35), "Записать");
  ShowForm();
  struct Case {
    const char* Name;
    POINT Down, Up;
    bool Enabled;
    Lines Expected;
  };
  POINT inside = Center(b), outside = ClientPointToScreen(Form->Handle(), 200, 200);
  const Case cases[] = {
      {"release inside", inside, inside, true, {"ok WM_COMMAND 0", "ok OnClick"}},
      {"dragged off before release", inside, outside, true, {}},
      {"disabled", inside, inside, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    b->SetEnabled(c.Enabled);
    Clear();
    TestMouseDown(c.Down);
    PumpUntilIdle();
    EXPECT_EQ((SendMessageA(b->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0, c.Enabled);
    TestMouseUp(c.Up);
    PumpUntilIdle();
    EXPECT_EQ(Events, c.Expected);
    EXPECT_FALSE(SendMessageA(b->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  EXPECT_EQ(b->GetCaption(), "Записать");
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndEnterGoesToTheFocusedOrElseTheDefaultButton) {
  TButton* plain = Make<TButton>("plain", TRect(10, 10, 85, 35), "A");
  TButton* def = Make<TButton>("def", TRect(100, 10, 175, 35), "B");
  TButton* cancel = Make<TButton>("cancel", TRect(190, 10, 265, 35), "C");
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(10, 50, 100, 21);
  def->SetDefault(true);
  def->SetModalResult(mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  ShowForm();

  plain->SetFocus();
  Clear();
  TestKeyDown(VK_SPACE);
  PumpUntilIdle();
  EXPECT_TRUE(Events.empty()) << "no click before the key comes up";
  TestKeyUp(VK_SPACE);
  PumpUntilIdle();
  EXPECT_EQ(Events, (Lines{"plain WM_COMMAND 0", "plain OnClick"}));

  struct Case {
    const char* Name;
    TWinControl* Focus;
    WORD Key;
    Lines Expected;
    TModalResult Result;
  };
  const Case cases[] = {
      {"Enter on a focused plain button", plain, VK_RETURN, {"plain OnClick"}, mrNone},
      {"Enter in an edit", edit, VK_RETURN, {"def OnClick"}, mrOk},
      {"Esc in an edit", edit, VK_ESCAPE, {"cancel OnClick"}, mrCancel},
      {"Esc on a plain button", plain, VK_ESCAPE, {"cancel OnClick"}, mrCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Focus->SetFocus();
    Form->SetModalResult(mrNone);
    Clear();
    TestKeyPress(c.Key);
    PumpUntilIdle();
    EXPECT_EQ(Events, c.Expected);
    EXPECT_EQ(Form->GetModalResult(), c.Result);
  }
  // A modifier makes it no dialog key for the buttons.
  edit->SetFocus();
  Clear();
  TestKeyPress(VK_RETURN, tsCtrl);
  PumpUntilIdle();
  EXPECT_TRUE(Events.empty());
}

TEST_F(ButtonTest, CheckBoxCyclesItsStatesAndRaisesOnClickOnlyWhenTheStateChanges) {
  TCheckBox* box = Make<TCheckBox>("box", TRect(10, 10, 110, 27), "Время зима-лето");
  ShowForm();
  struct Case {
    bool AllowGrayed;
    std::vector<TCheckBoxState> AfterClicks;
  };
  const Case cases[] = {
      {false, {cbChecked, cbUnchecked, cbChecked}},
      {true, {cbGrayed, cbChecked, cbUnchecked}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.AllowGrayed ? "grayed allowed" : "two states");
    box->SetAllowGrayed(c.AllowGrayed);
    box->SetState(cbUnchecked);
    for (TCheckBoxState want : c.AfterClicks) {
      Clear();
      TestClick(Center(box));
      PumpUntilIdle();
      EXPECT_EQ(box->GetState(), want);
      EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(want));
      EXPECT_EQ(Events, (Lines{"box WM_COMMAND 0", "box OnClick"}));
    }
  }
  box->SetChecked(false);
  Clear();
  box->SetChecked(false);
  EXPECT_TRUE(Events.empty()) << "the same value from code is no click";
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(Events, (Lines{"box OnClick"}));
  EXPECT_TRUE(box->GetChecked());
  // Space toggles too.
  box->SetFocus();
  Clear();
  TestKeyPress(VK_SPACE);
  PumpUntilIdle();
  EXPECT_FALSE(box->GetChecked());
}

TEST_F(ButtonTest, TwoCheckBoxesThatMirrorEachOtherInOnClickSettle) {
  TCheckBox* a = Make<TCheckBox>("a", TRect(10, 10, 160, 27), "Читать за 12 месяцев");
  TCheckBox* b = Make<TCheckBox>("b", TRect(10, 40, 160, 57), "Читать за 12 месяцев");
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; b->SetChecked(a->GetChecked()); };
  b->OnClick = [&](TObject*) { ++clicks; a->SetChecked(b->GetChecked()); };
  ShowForm();
  TestClick(Center(a));
  PumpUntilIdle();
  EXPECT_TRUE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_EQ(clicks, 2);
  b->SetChecked(false);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_EQ(clicks, 4);
}

TEST_F(ButtonTest, CheckBoxWithTextOnTheLeftKeepsItsStateAcrossTheNewWindow) {
  TCheckBox* box = Make<TCheckBox>("box", TRect(10, 10, 60, 27), "QC");
  box->SetAllowGrayed(true);
  box->SetState(cbGrayed);
  ShowForm();
  EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  box->SetAlignment(taLeftJustify);
  EXPECT_TRUE(GetWindowLongA(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_INDETERMINATE));
  EXPECT_EQ(box->GetCaption(), "QC");
}

TEST_F(ButtonTest, RadioButtonsOnOneParentExcludeEachOther) {
  TRadioButton* a = Make<TRadioButton>("a", TRect(10, 10, 110, 27), "2400");
  TRadioButton* b = Make<TRadioButton>("b", TRect(10, 30, 110, 47), "4800");
  a->SetChecked(true);
  ShowForm();
  Clear();
  TestClick(Center(b));
  PumpUntilIdle();
  EXPECT_TRUE(b->GetChecked());
  EXPECT_FALSE(a->GetChecked());
  EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), 0);
  // The focus the press gives already notifies the parent (as the platform
  // does for radio buttons); it is no extra click.
  EXPECT_EQ(Events, (Lines{"b WM_COMMAND 0", "b WM_COMMAND 0", "b OnClick"}));
  Clear();
  TestClick(Center(b));
  PumpUntilIdle();
  EXPECT_EQ(Events, (Lines{"b WM_COMMAND 0"})) << "already checked: no OnClick";
}

TEST_F(ButtonTest, RadioGroupLaysOutItemsInColumnsAndTracksItemIndex) {
  auto* group = new TRadioGroup(Form);
  group->SetName("Skor");
  group->SetParent(Form);
  group->SetBounds(10, 10, 240, 60);
  group->SetCaption("       Скорость");
  group->SetColumns(3);
  group->Items()->Add("2400");
  group->Items()->Add("4800");
  group->Items()->Add("9600");
  group->SetItemIndex(0);
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();

  ASSERT_EQ(group->ButtonCount(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(group->Buttons(i)->GetCaption(), group->Items()->Get(i));
    EXPECT_EQ(group->Buttons(i)->GetTop(), group->Buttons(0)->GetTop()) << "one row of three columns";
    if (i > 0) {
      EXPECT_GT(group->Buttons(i)->GetLeft(), group->Buttons(i - 1)->GetLeft());
    }
    EXPECT_EQ(group->Buttons(i)->GetChecked(), i == 0);
  }
  TestClick(Center(group->Buttons(2)));
  PumpUntilIdle();
  EXPECT_EQ(group->GetItemIndex(), 2);
  EXPECT_FALSE(group->Buttons(0)->GetChecked());
  EXPECT_EQ(clicks, 1);

  // Arrow keys move along the group and check the button they reach.
  group->Buttons(2)->SetFocus();
  TestKeyPress(VK_LEFT);
  PumpUntilIdle();
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Focused());
  EXPECT_EQ(clicks, 2);

  struct Case {
    int Set;
    int Expected;
  };
  for (Case c : {Case{1, 1}, Case{7, -1}, Case{-5, -1}, Case{0, 0}}) {
    SCOPED_TRACE(c.Set);
    group->SetItemIndex(c.Set);
    EXPECT_EQ(group->GetItemIndex(), c.Expected);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(group->Buttons(i)->GetChecked(), i == c.Expected);
  }
  // Fewer items: the buttons follow, the index stays inside them.
  group->SetItemIndex(2);
  group->Items()->Delete(2);
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->GetChecked());
}

TEST_F(ButtonTest, SpeedButtonsClickOnReleaseAndStayDownOneOfAGroup) {
  auto* a = new TSpeedButton(Form);
  a->SetName("a");
  a->SetParent(Form);
  a->SetBounds(10, 10, 23, 22);
  auto* b = new TSpeedButton(Form);
  b->SetName("b");
  b->SetParent(Form);
  b->SetBounds(40, 10, 23, 22);
  int aClicks = 0, bClicks = 0;
  a->OnClick = [&](TObject*) { ++aClicks; };
  b->OnClick = [&](TObject*) { ++bClicks; };
  ShowForm();
  auto at = [&](TSpeedButton* s, int dx) { return ClientPointToScreen(Form->Handle(), s->GetLeft() + dx, 20); };

  TestMouseDown(at(a, 5));
  PumpUntilIdle();
  EXPECT_EQ(a->GetState(), bsDown);
  TestMouseUp(at(a, 5));
  PumpUntilIdle();
  EXPECT_EQ(aClicks, 1);
  EXPECT_EQ(a->GetState(), bsUp);
  EXPECT_FALSE(a->GetDown()) << "no group: never stays down";
  TestMouseDown(at(a, 5));
  TestMouseUp(ClientPointToScreen(Form->Handle(), 300, 200));
  PumpUntilIdle();
  EXPECT_EQ(aClicks, 1) << "released outside";

  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  TestClick(at(a, 5));
  PumpUntilIdle();
  EXPECT_TRUE(a->GetDown());
  TestClick(at(b, 5));
  PumpUntilIdle();
  EXPECT_TRUE(b->GetDown());
  EXPECT_FALSE(a->GetDown());
  TestClick(at(b, 5));
  PumpUntilIdle();
  EXPECT_TRUE(b->GetDown()) << "the last one down stays down";
  b->SetAllowAllUp(true);
  TestClick(at(b, 5));
  PumpUntilIdle();
  EXPECT_FALSE(b->GetDown());
  EXPECT_EQ(bClicks, 3);
}

TEST_F(ButtonTest, BitButtonDrawsItsGlyphAndCaption) {
  TBitBtn* b = Make<TBitBtn>("bit", TRect(10, 10, 110, 40), "Читать");
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.GetCanvas()->GetBrush()->SetColor(clRed);
  glyph.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  glyph.GetCanvas()->GetBrush()->SetColor(clOlive);
  glyph.GetCanvas()->FillRect(TRect(0, 15, 1, 16));  // the transparent colour
  b->SetGlyph(&glyph);
  ShowForm();
  TBitmap shot;
  SnapshotControl(b, &shot);
  int w = 0, h = 0, stride = 0, red = 0;
  const std::uint32_t* bits = GdiBitmapBits(shot.GetHandle(), &w, &h, &stride);
  ASSERT_NE(bits, nullptr);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (bits[y * stride + x] == 0xFFFF0000u) ++red;
  EXPECT_GT(red, 200) << "the glyph is drawn";
  Clear();
  TestClick(Center(b));
  PumpUntilIdle();
  EXPECT_EQ(Events, (Lines{"bit WM_COMMAND 0", "bit OnClick"}));
}

}  // namespace
