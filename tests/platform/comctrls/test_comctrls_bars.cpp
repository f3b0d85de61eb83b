// Status bar, toolbar and page control: layout, clicks, keys, the automatic
// hint and the disabled look.
#include <gtest/gtest.h>

#include "platform/comctrls/comctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

POINT Centre(TControl* C) {
  HWND h = C->GetParent()->GetHandle();
  return ClientPointToScreen(h, C->GetLeft() + C->GetWidth() / 2, C->GetTop() + C->GetHeight() / 2);
}

}  // namespace

class BarsTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Form->SetBounds(50, 50, 900, 400);
  }
};

TEST_F(BarsTest, StatusPanelsSimplePanelAndHintTarget) {
  auto* bar = new TStatusBar(Form);
  bar->SetParent(Form);
  for (int w : {500, 250, 50}) bar->Panels()->Add()->SetWidth(w);
  ShowForm();
  EXPECT_EQ(bar->GetTop() + bar->GetHeight(), Form->GetClientHeight());
  EXPECT_EQ(bar->PanelRect(0).left, 0);
  EXPECT_EQ(bar->PanelRect(1).left, 500);
  EXPECT_EQ(bar->PanelRect(2).left, 750);
  EXPECT_EQ(bar->PanelRect(2).right, bar->GetClientWidth());  // the last one stretches
  EXPECT_THROW(bar->Panels()->GetItem(3), EListError);

  // A hint goes to panel 0, or to the simple text when SimplePanel is on.
  bar->DoHint("Связь");
  EXPECT_EQ(bar->Panels()->Items(0)->GetText(), "Связь");
  bar->SetSimplePanel(true);
  bar->DoHint("Чтение");
  EXPECT_EQ(bar->GetSimpleText(), "Чтение");
  EXPECT_EQ(bar->Panels()->Items(0)->GetText(), "Связь");
  int told = 0;
  bar->OnHint = [&](TObject*) { ++told; };
  bar->DoHint("x");
  EXPECT_EQ(told, 1);
  EXPECT_EQ(bar->GetSimpleText(), "Чтение");
  bar->Panels()->Delete(0);
  EXPECT_EQ(bar->Panels()->Count(), 2);
  EXPECT_EQ(bar->Panels()->Items(0)->GetWidth(), 250);
}

TEST_F(BarsTest, ToolBarLayoutClicksGroupsAndAutoHint) {
  Application->OnHint = nullptr;
  auto* status = new TStatusBar(Form);
  status->SetParent(Form);
  status->Panels()->Add()->SetWidth(500);
  status->SetAutoHint(true);
  auto* tb = new TToolBar(Form);
  tb->SetParent(Form);
  tb->SetShowHint(true);
  std::vector<std::string> clicks;
  auto button = [&](const char* name, TToolButtonStyle style = tbsButton) {
    auto* b = new TToolButton(Form);
    b->SetName(name);
    b->SetStyle(style);
    if (style == tbsSeparator) b->SetWidth(8);
    b->SetParent(tb);
    b->OnClick = [&clicks, name](TObject*) { clicks.push_back(name); };
    return b;
  };
  TToolButton* b1 = button("b1");
  button("sep", tbsSeparator);
  TToolButton* b2 = button("b2");
  TToolButton* b3 = button("b3");
  TToolButton* c1 = button("c1", tbsCheck);
  TToolButton* c2 = button("c2", tbsCheck);
  c1->SetGrouped(true);
  c2->SetGrouped(true);
  b2->SetHint("Энергия|Читать активную энергию");
  b3->SetEnabled(false);
  ShowForm();
  std::vector<int> lefts;
  for (int i = 0; i < tb->ButtonCount(); ++i) lefts.push_back(tb->Buttons(i)->GetLeft());
  EXPECT_EQ(lefts, (std::vector<int>{0, 23, 31, 54, 77, 100}));
  EXPECT_EQ(b1->GetIndex(), 0);

  // The second press on c2 comes quickly enough to make a double click.
  for (TToolButton* b : {b1, b2, b3, c1, c2, c2}) {
    TestClick(Centre(b));
    PumpUntilIdle();
  }
  // The disabled button does nothing; grouped check buttons exclude each
  // other and the last one down stays down.
  EXPECT_EQ(clicks, (std::vector<std::string>{"b1", "b2", "c1", "c2", "c2"}));
  EXPECT_FALSE(c1->GetDown());
  EXPECT_TRUE(c2->GetDown());

  // Resting on a button shows its hint and puts the long part in panel 0.
  TestMouseMove(Centre(b2));
  PumpUntilIdle();
  AdvanceTestClock(Application->GetHintPause() + 50);
  PumpUntilIdle();
  EXPECT_EQ(status->Panels()->Items(0)->GetText(), "Читать активную энергию");
  // So does a highlighted menu item's hint.
  auto* pm = new TPopupMenu(Form);
  auto* item = new TMenuItem(Form);
  item->SetCaption("Связь");
  item->SetHint("Связь|Локальная связь");
  pm->GetItems()->Add(item);
  pm->Popup(300, 300);
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_ESCAPE);
  PumpUntilIdle();
  EXPECT_EQ(status->Panels()->Items(0)->GetText(), "Локальная связь");

  // A button linked to an action runs it and follows its state.
  auto* action = new TAction(Form);
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  b1->OnClick = nullptr;
  b1->SetAction(action);
  TestClick(Centre(b1));
  PumpUntilIdle();
  EXPECT_EQ(runs, 1);
  action->SetEnabled(false);
  EXPECT_FALSE(b1->GetEnabled());
  delete action;
  EXPECT_EQ(b1->GetAction(), nullptr);
}

TEST_F(BarsTest, DisabledButtonLooksDifferent) {
  auto* images = new TImageList(Form);
  images->SetWidth(16);
  images->SetHeight(16);
  TBitmap picture;
  picture.SetSize(16, 16);
  picture.Canvas()->GetBrush()->SetColor(clRed);
  picture.Canvas()->FillRect(TRect(0, 0, 16, 16));
  images->Add(&picture, nullptr);
  auto* tb = new TToolBar(Form);
  tb->SetParent(Form);
  tb->SetImages(images);
  auto* b = new TToolButton(Form);
  b->SetParent(tb);
  b->SetImageIndex(0);
  ShowForm();
  TBitmap enabled, disabled;
  SnapshotControl(tb, &enabled);
  int cx = b->GetLeft() + b->GetWidth() / 2, cy = b->GetTop() + b->GetHeight() / 2;
  EXPECT_EQ(enabled.Canvas()->GetPixels(cx, cy), ColorToRGB(clRed));
  b->SetEnabled(false);
  PumpUntilIdle();
  SnapshotControl(tb, &disabled);
  EXPECT_NE(disabled.Canvas()->GetPixels(cx, cy), ColorToRGB(clRed));
}

TEST_F(BarsTest, PageControlTabsKeysNestingAndRemoval) {
  auto* pc = new TPageControl(Form);
  pc->SetBounds(0, 0, 600, 300);
  pc->SetParent(Form);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"Общие", "Дата/Время", "Тарифы"}) {
    auto* s = new TTabSheet(Form);
    s->SetCaption(caption);
    s->SetPageControl(pc);
    sheets.push_back(s);
  }
  // A page control nested in the third page.
  auto* inner = new TPageControl(Form);
  inner->SetBounds(0, 0, 400, 200);
  inner->SetParent(sheets[2]);
  auto* innerA = new TTabSheet(Form);
  innerA->SetCaption("Основное");
  innerA->SetPageControl(inner);
  auto* innerB = new TTabSheet(Form);
  innerB->SetCaption("Дополнительное");
  innerB->SetPageControl(inner);
  TLogControl* field = Add("field", TRect(10, 10, 60, 30), innerA);
  TLogControl* first = Add("first", TRect(10, 10, 60, 30), sheets[0]);
  Lines events;
  bool allow = true;
  pc->OnChanging = [&](TObject*, bool& Allow) {
    events.push_back("changing from " + std::to_string(pc->GetActivePageIndex()));
    Allow = allow;
  };
  pc->OnChange = [&](TObject*) { events.push_back("change to " + std::to_string(pc->GetActivePageIndex())); };
  ShowForm();
  EXPECT_EQ(pc->GetActivePage(), sheets[0]);
  EXPECT_EQ(inner->GetActivePage(), innerA);
  EXPECT_TRUE(sheets[0]->GetVisible());
  EXPECT_FALSE(sheets[1]->GetVisible());

  auto clickTab = [&](TPageControl* P, int I) {
    TRect r = P->TabRect(I);
    TestClick(ClientPointToScreen(P->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    PumpUntilIdle();
  };
  clickTab(pc, 1);
  EXPECT_EQ(pc->GetActivePageIndex(), 1);
  EXPECT_TRUE(sheets[1]->GetVisible());
  EXPECT_FALSE(sheets[0]->GetVisible());
  allow = false;
  clickTab(pc, 2);
  EXPECT_EQ(pc->GetActivePageIndex(), 1);
  allow = true;
  EXPECT_EQ(events, (Lines{"changing from 0", "change to 1", "changing from 1"}));

  // Ctrl+Tab turns the innermost page control holding the focus; arrows
  // turn the page control that has the focus itself.
  pc->SetActivePageIndex(2);
  PumpUntilIdle();
  field->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_TAB, tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(inner->GetActivePage(), innerB);
  EXPECT_EQ(pc->GetActivePageIndex(), 2);
  EXPECT_THROW(first->SetFocus(), Exception);  // on a hidden page
  pc->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_RIGHT);
  PumpUntilIdle();
  EXPECT_EQ(pc->GetActivePageIndex(), 0);  // wraps
  TestKeyPress(VK_TAB, tsCtrl | tsShift);
  PumpUntilIdle();
  EXPECT_EQ(pc->GetActivePageIndex(), 2);

  // Fixed tab width; hidden tabs take no room and are skipped.
  pc->SetTabWidth(80);
  EXPECT_EQ(pc->TabRect(1).Width(), 80);
  sheets[1]->SetTabVisible(false);
  TRect hidden = pc->TabRect(1);
  EXPECT_TRUE(IsRectEmpty(&hidden));
  EXPECT_EQ(pc->TabRect(2).left, pc->TabRect(0).right);
  EXPECT_EQ(pc->FindNextPage(sheets[0], true), sheets[2]);

  // Freeing the active page shows the next one; bad indices are refused.
  delete sheets[2];
  EXPECT_EQ(pc->GetPageCount(), 2);
  EXPECT_EQ(pc->GetActivePage(), sheets[0]);
  EXPECT_THROW(pc->SetActivePageIndex(2), EListError);
  pc->SetActivePageIndex(-1);
  EXPECT_EQ(pc->GetActivePage(), nullptr);
  EXPECT_FALSE(sheets[0]->GetVisible());
}

// The active tab stands above the others, whichever tab was clicked; the
// tab strip is measured through the control's canvas outside painting, which
// must not keep the paint from reaching the window.
TEST_F(BarsTest, ActiveTabIsDrawnRaisedAfterAClick) {
  auto* pc = new TPageControl(Form);
  pc->SetBounds(0, 0, 400, 200);
  pc->SetParent(Form);
  for (const char* caption : {"Общие", "Энергия"}) {
    auto* s = new TTabSheet(Form);
    s->SetCaption(caption);
    s->SetPageControl(pc);
  }
  ShowForm();
  // Only the active tab reaches above its tab rectangle, with a raised
  // (highlight) edge.
  auto raisedTop = [&](int Index) {
    TBitmap shot;
    SnapshotControl(pc, &shot);
    TRect r = pc->TabRect(Index);
    const TColor highlight = static_cast<TColor>(ColorToRGB(clBtnHighlight));
    return shot.Canvas()->GetPixels((r.left + r.right) / 2, r.top - 2) == highlight;
  };
  EXPECT_TRUE(raisedTop(0));
  EXPECT_FALSE(raisedTop(1));
  TRect r = pc->TabRect(1);
  TestClick(ClientPointToScreen(pc->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
  PumpUntilIdle();
  EXPECT_EQ(pc->GetActivePageIndex(), 1);
  EXPECT_FALSE(raisedTop(0));
  EXPECT_TRUE(raisedTop(1));
}

// Buttons showing captions widen to the widest caption.
TEST_F(BarsTest, CaptionButtonsFitTheirCaptions) {
  auto* tb = new TToolBar(Form);
  tb->SetParent(Form);
  tb->SetShowCaptions(true);
  auto* a = new TToolButton(Form);
  a->SetCaption("Записать в счётчик");
  a->SetParent(tb);
  auto* b = new TToolButton(Form);
  b->SetCaption("Ок");
  b->SetParent(tb);
  TBitmap measure;
  measure.Canvas()->GetFont()->Assign(tb->GetFont());
  int need = measure.Canvas()->TextWidth(AnsiString("Записать в счётчик"));
  EXPECT_GE(a->GetWidth(), need);
  EXPECT_EQ(b->GetWidth(), a->GetWidth());
  EXPECT_EQ(b->GetLeft(), a->GetLeft() + a->GetWidth());
  tb->SetShowCaptions(false);
  EXPECT_EQ(a->GetWidth(), tb->GetButtonWidth());
}

// Captions drawn straight on the context use the control's font, not
// whatever the context held (the bold system font): the ink is as wide as
// the text measured with that font.
TEST_F(BarsTest, CaptionsAreDrawnWithTheControlsFont) {
  const AnsiString text = "Панель управления";
  auto* status = new TStatusBar(Form);
  status->SetParent(Form);
  status->SetSimplePanel(true);
  status->SetSimpleText(text);
  auto* tb = new TToolBar(Form);
  tb->SetParent(Form);
  tb->SetShowCaptions(true);
  auto* button = new TToolButton(Form);
  button->SetCaption(text);
  button->SetParent(tb);
  ShowForm();
  for (TControl* c : std::vector<TControl*>{status, button}) {
    TBitmap shot;
    SnapshotControl(c == button ? static_cast<TWinControl*>(tb) : status, &shot);
    TRect area = c == button ? TRect(button->GetLeft() + 2, button->GetTop() + 2, button->GetLeft() + button->GetWidth() - 2,
                                     button->GetTop() + button->GetHeight() - 2)
                             : TRect(2, 3, shot.GetWidth() - 20, shot.GetHeight() - 2);
    int left = area.right, right = area.left - 1;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (static_cast<COLORREF>(shot.Canvas()->GetPixels(x, y)) == ColorToRGB(clBtnText)) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    TBitmap measure;
    measure.Canvas()->GetFont()->Assign(c->GetFont());
    int expected = measure.Canvas()->TextWidth(text);
    EXPECT_NEAR(right - left + 1, expected, 3) << c->ClassName();
  }
}

TEST_F(BarsTest, DropDownButtonArrowOpensItsMenu) {
  auto* tb = new TToolBar(Form);
  tb->SetParent(Form);
  auto* drop = new TToolButton(Form);
  drop->SetStyle(tbsDropDown);
  drop->SetParent(tb);
  auto* next = new TToolButton(Form);
  next->SetParent(tb);
  int clicks = 0, chosen = 0;
  drop->OnClick = [&](TObject*) { ++clicks; };
  auto* pm = new TPopupMenu(Form);
  auto* item = new TMenuItem(Form);
  item->SetCaption("Журнал ККС фазы А");
  item->OnClick = [&](TObject*) { ++chosen; };
  pm->GetItems()->Add(item);
  drop->SetDropdownMenu(pm);
  ShowForm();
  // The arrow part widens the button.
  EXPECT_EQ(drop->GetWidth(), tb->GetButtonWidth() + TToolButton::DropDownArrowWidth);
  EXPECT_EQ(next->GetLeft(), drop->GetWidth());

  POINT arrow = ClientPointToScreen(tb->GetHandle(), drop->GetLeft() + drop->GetWidth() - 4, drop->GetTop() + 5);
  POINT face = ClientPointToScreen(tb->GetHandle(), drop->GetLeft() + 5, drop->GetTop() + 5);
  // The arrow opens the menu below the button and does not click.
  TestClick(arrow);
  PumpUntilIdle();
  ASSERT_TRUE(pm->IsOpen());
  EXPECT_EQ(pm->GetPopupComponent(), drop);
  POINT below = ClientPointToScreen(tb->GetHandle(), drop->GetLeft(), drop->GetTop() + drop->GetHeight());
  EXPECT_EQ(pm->OpenWindow(0)->GetLeft(), below.x);
  EXPECT_EQ(pm->OpenWindow(0)->GetTop(), below.y);
  EXPECT_EQ(clicks, 0);
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ(chosen, 1);
  // The main part is a plain button.
  TestClick(face);
  PumpUntilIdle();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(pm->IsOpen());

  // Disabled, or with its menu freed, the arrow does nothing.
  drop->SetEnabled(false);
  TestClick(arrow);
  PumpUntilIdle();
  EXPECT_FALSE(pm->IsOpen());
  drop->SetEnabled(true);
  delete pm;
  EXPECT_EQ(drop->GetDropdownMenu(), nullptr);
  TestClick(arrow);
  PumpUntilIdle();
  EXPECT_EQ(clicks, 1);
}
