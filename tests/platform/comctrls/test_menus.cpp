// Menus: shortcut texts, the item tree, shortcut dispatch from the form,
// keyboard and mouse navigation of popup and main menus.
#include <gtest/gtest.h>

#include "platform/comctrls/menus.h"
#include "tests/platform/forms/test_controls_support.h"

TEST(ShortCutText, NamesAndParsesKeys) {
  struct Case {
    TShortCut Value;
    const char* Text;
  } cases[] = {
      {ShortCut('O', ssCtrl), "Ctrl+O"},
      {ShortCut('S', ssCtrl | ssShift), "Shift+Ctrl+S"},
      {ShortCut(VK_F1 + 4, 0), "F5"},
      {ShortCut(VK_DELETE, 0), "Del"},
      {ShortCut(VK_RETURN, ssAlt), "Alt+Enter"},
      {ShortCut('1', ssCtrl | ssAlt), "Ctrl+Alt+1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.Value), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.Value) << c.Text;
  }
  // Modifier names in any case and order; nonsense gives no shortcut.
  EXPECT_EQ(TextToShortCut("ctrl+shift+s"), ShortCut('S', ssCtrl | ssShift));
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut("Ctrl+Foo"), scNone);
  EXPECT_EQ(TextToShortCut(""), scNone);
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCut(0x1FF, ssCtrl), scNone);  // a key code with no room for modifiers
  WORD key;
  TShiftState shift;
  ShortCutToKey(ShortCut('X', ssCtrl | ssShift), key, shift);
  EXPECT_EQ(key, 'X');
  EXPECT_EQ(shift, ssCtrl | ssShift);
}

TEST(ShortCutText, HotkeysOfCaptions) {
  EXPECT_EQ(GetHotkey("&Помощь"), u'П');
  EXPECT_EQ(GetHotkey("Save &as..."), u'A');
  EXPECT_EQ(GetHotkey("A&&B"), 0);
  EXPECT_EQ(GetHotkey("A&&B &c"), u'C');
  EXPECT_EQ(GetHotkey("trailing&"), 0);
  EXPECT_EQ(StripHotkey("&О программе..."), "О программе...");
  EXPECT_EQ(StripHotkey("Fish && &Chips"), "Fish & Chips");
}

namespace {

TMenuItem* NewItem(TComponent* Owner, const char* Caption, int* Clicks = nullptr, TShortCut Sc = scNone) {
  auto* i = new TMenuItem(Owner);
  i->SetCaption(Caption);
  i->SetShortCut(Sc);
  if (Clicks) i->OnClick = [Clicks](TObject*) { ++*Clicks; };
  return i;
}

}  // namespace

TEST(MenuItems, TreeOwnershipAndRadioGroups) {
  auto* owner = new TComponent(nullptr);
  auto* menu = new TPopupMenu(owner);
  TMenuItem* root = menu->GetItems();
  TMenuItem* a = NewItem(owner, "&A");
  TMenuItem* b = NewItem(owner, "&B");
  TMenuItem* c = NewItem(owner, "&C");
  root->Add(a);
  root->Add(c);
  root->Insert(1, b);
  EXPECT_EQ(root->IndexOf(b), 1);
  EXPECT_EQ(root->Find("C"), c);
  EXPECT_EQ(b->GetParentMenu(), menu);
  EXPECT_THROW(root->Add(a), EMenuError);
  EXPECT_THROW(root->Delete(3), EListError);
  EXPECT_THROW(root->Insert(7, NewItem(owner, "x")), EListError);

  // Radio items of one group exclude each other; another group is left alone.
  for (TMenuItem* i : {a, b, c}) i->SetRadioItem(true);
  c->SetGroupIndex(1);
  c->SetChecked(true);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_TRUE(c->GetChecked());

  // AutoCheck toggles on click; a disabled item does nothing.
  int clicks = 0;
  TMenuItem* t = NewItem(owner, "T", &clicks);
  root->Add(t);
  t->SetAutoCheck(true);
  t->Click();
  EXPECT_TRUE(t->GetChecked());
  t->SetEnabled(false);
  t->Click();
  EXPECT_EQ(clicks, 1);

  // An item freed by its owner leaves the menu; the rest go with the owner.
  delete b;
  EXPECT_EQ(root->GetCount(), 3);
  EXPECT_EQ(root->IndexOf(c), 1);
  delete owner;
}

class MenuTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Edit = Add("edit", TRect(10, 40, 110, 60));
    Watch({WM_KEYDOWN});
  }
  // The screen point of an open level's item centre.
  POINT ItemPoint(TMenu* Menu, int Level, int Index) {
    TMenuWindow* w = Menu->OpenWindow(Level);
    TRect r = w->ItemRect(Index);
    return ClientPointToScreen(w->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  TLogControl* Edit = nullptr;
};

TEST_F(MenuTest, FormDispatchesMenuShortCuts) {
  auto* mm = new TMainMenu(Form);
  int open = 0, save = 0, hidden = 0, popupItem = 0;
  TMenuItem* file = NewItem(Form, "&File");
  mm->GetItems()->Add(file);
  file->Add(NewItem(Form, "&Open", &open, ShortCut('O', ssCtrl)));
  TMenuItem* saveItem = NewItem(Form, "&Save", &save, ShortCut('S', ssCtrl));
  file->Add(saveItem);
  TMenuItem* hiddenItem = NewItem(Form, "Hidden", &hidden, ShortCut('H', ssCtrl));
  hiddenItem->SetVisible(false);
  file->Add(hiddenItem);
  auto* pm = new TPopupMenu(Form);
  pm->GetItems()->Add(NewItem(Form, "Local", &popupItem, ShortCut('L', ssCtrl)));
  Edit->SetPopupMenu(pm);
  ShowForm();
  Edit->SetFocus();
  PumpUntilIdle();

  TestKeyPress('O', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(open, 1);
  // A disabled or hidden item leaves the key to the focused control.
  saveItem->SetEnabled(false);
  TestKeyPress('S', tsCtrl);
  TestKeyPress('H', tsCtrl);
  // The focused control's own popup menu answers too.
  TestKeyPress('L', tsCtrl);
  // Without Ctrl the letter is just a key.
  TestKeyPress('O');
  PumpUntilIdle();
  EXPECT_EQ(save, 0);
  EXPECT_EQ(hidden, 0);
  EXPECT_EQ(popupItem, 1);
  EXPECT_EQ(open, 1);
  // Ctrl itself always reaches the edit (17); O and L were taken.
  EXPECT_EQ(Log.Log, (Lines{"edit WM_KEYDOWN 17", "edit WM_KEYDOWN 17", "edit WM_KEYDOWN 83", "edit WM_KEYDOWN 17",
                            "edit WM_KEYDOWN 72", "edit WM_KEYDOWN 17", "edit WM_KEYDOWN 79"}));
}

TEST_F(MenuTest, PopupKeyboardNavigation) {
  auto* pm = new TPopupMenu(Form);
  std::vector<std::string> ran;
  auto item = [&](const char* caption) {
    TMenuItem* i = NewItem(Form, caption);
    i->OnClick = [&ran, caption](TObject*) { ran.push_back(caption); };
    return i;
  };
  TMenuItem* root = pm->GetItems();
  root->Add(item("&First"));
  root->Add(NewItem(Form, "-"));
  TMenuItem* off = item("&Disabled");
  off->SetEnabled(false);
  root->Add(off);
  TMenuItem* sub = NewItem(Form, "&More");
  root->Add(sub);
  sub->Add(item("&Inner"));
  sub->Add(item("&Открыть"));
  int popups = 0;
  pm->OnPopup = [&](TObject*) { ++popups; };
  ShowForm();
  Edit->SetFocus();
  PumpUntilIdle();

  pm->SetPopupComponent(Edit);
  pm->Popup(150, 150);
  PumpUntilIdle();
  ASSERT_TRUE(pm->IsOpen());
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(pm->GetPopupComponent(), Edit);
  // Down skips the separator; Enter on a disabled item does nothing.
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_DOWN);
  PumpUntilIdle();
  EXPECT_EQ(pm->OpenWindow(0)->GetSelected(), 2);
  TestKeyPress(VK_RETURN);
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_RIGHT);
  PumpUntilIdle();
  ASSERT_EQ(pm->OpenLevelCount(), 2);
  EXPECT_EQ(pm->OpenWindow(1)->GetSelected(), 0);
  // Left closes the submenu only; Right opens it again, a Cyrillic
  // accelerator typed there runs its item and the whole menu closes.
  TestKeyPress(VK_LEFT);
  PumpUntilIdle();
  EXPECT_EQ(pm->OpenLevelCount(), 1);
  TestKeyPress(VK_RIGHT);
  TestTypeText("о");
  PumpUntilIdle();
  EXPECT_FALSE(pm->IsOpen());
  EXPECT_EQ(ran, (std::vector<std::string>{"&Открыть"}));
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  // No key reached the edit while the menu was open.
  EXPECT_TRUE(Log.Log.empty());

  // Escape closes and gives the focus back; the next key is the edit's.
  pm->Popup(150, 150);
  PumpUntilIdle();
  TestKeyPress(VK_ESCAPE);
  PumpUntilIdle();
  EXPECT_FALSE(pm->IsOpen());
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  TestKeyPress('Q');
  PumpUntilIdle();
  EXPECT_EQ(Log.Log, (Lines{"edit WM_KEYDOWN 81"}));
}

TEST_F(MenuTest, PopupMouseChoiceAndClickAway) {
  auto* pm = new TPopupMenu(Form);
  int first = 0, second = 0;
  pm->GetItems()->Add(NewItem(Form, "One", &first));
  pm->GetItems()->Add(NewItem(Form, "Two", &second));
  ShowForm();
  Edit->SetFocus();
  PumpUntilIdle();
  pm->Popup(300, 120);
  PumpUntilIdle();
  TestClick(ItemPoint(pm, 0, 1));
  PumpUntilIdle();
  EXPECT_EQ(second, 1);
  EXPECT_FALSE(pm->IsOpen());

  // A click elsewhere closes the menu and runs nothing.
  pm->Popup(300, 120);
  PumpUntilIdle();
  TLogControl* other = Add("other", TRect(10, 80, 110, 100));
  PumpUntilIdle();
  other->Hook = [other](TMessage& M) {
    if (M.Msg == WM_LBUTTONDOWN) other->SetFocus();
    return false;
  };
  TestClick(ClientPointToScreen(other->GetHandle(), 5, 5));
  PumpUntilIdle();
  EXPECT_FALSE(pm->IsOpen());
  EXPECT_EQ(first + second, 1);
  EXPECT_EQ(GetFocus(), other->GetHandle());
}

namespace {

COLORREF WindowPixel(HWND Wnd, int X, int Y) {
  HBITMAP bmp = ComposeWindowBitmap(Wnd);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  COLORREF c = GetPixel(dc, X, Y);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
  return c;
}

POINT Centre(const TRect& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

// Alt held around a key whose character the keyboard layout decides.
void TestAltLetter(WORD Vk, const char16_t* Text) {
  TestKeyDown(VK_MENU);
  TKeyInput k;
  k.Vk = Vk;
  k.Text = Text;
  InjectKey(k);
  k.Down = false;
  InjectKey(k);
  TestKeyUp(VK_MENU);
  PumpUntilIdle();
}

}  // namespace

class MainMenuTest : public MenuTest {
protected:
  void SetUp() override {
    MenuTest::SetUp();
    Menu = new TMainMenu(Form);
    auto item = [&](const char* caption) {
      TMenuItem* i = NewItem(Form, caption);
      i->OnClick = [this, caption](TObject*) { Ran.push_back(caption); };
      return i;
    };
    TMenuItem* link = NewItem(Form, "&Связь");
    TMenuItem* help = NewItem(Form, "&Помощь");
    TMenuItem* file = NewItem(Form, "&File");
    for (TMenuItem* top : {link, help, file}) Menu->GetItems()->Add(top);
    link->Add(item("Local"));
    link->Add(item("Remote"));
    help->Add(item("About"));
    file->Add(item("Open"));
    file->GetItem(0)->SetShortCut(ShortCut('O', ssCtrl));
  }
  TMainMenu* Menu = nullptr;
  std::vector<std::string> Ran;
};

TEST_F(MainMenuTest, TheBarTakesRoomAboveTheClientArea) {
  EXPECT_EQ(Form->GetMenu(), Menu);  // a form's first main menu is its Menu
  EXPECT_EQ(Form->GetClientHeight(), 280);
  auto* top = Add("top", TRect(0, 0, 50, 30));
  top->SetAlign(alTop);
  ShowForm();
  // The bar is in the frame: the client area starts below it and a
  // top-aligned control is not covered.
  EXPECT_EQ(Form->GetClientHeight(), 300 - MenuBarHeight);
  EXPECT_EQ(Form->ClientOrigin().y, 100 + MenuBarHeight);
  EXPECT_EQ(top->GetTop(), 0);
  EXPECT_EQ(Form->GetMenuBarRect(), TRect(0, 0, 400, MenuBarHeight));
  TRect item0 = Menu->GetMenuBar()->ItemScreenRect(0);
  EXPECT_EQ(item0.top, 101);
  EXPECT_EQ(WindowFromPoint(Centre(item0)), Form->GetHandle());

  // Resizing keeps the bar across the whole width.
  Form->SetWidth(500);
  PumpUntilIdle();
  EXPECT_EQ(Form->GetMenuBarRect().right, 500);

  // Without the Menu the client area has the whole window, and the menu's
  // shortcuts are no longer the form's.
  Edit->SetFocus();
  PumpUntilIdle();
  Form->SetMenu(nullptr);
  PumpUntilIdle();
  EXPECT_EQ(Form->GetClientHeight(), 300);
  EXPECT_EQ(Menu->GetMenuBar(), nullptr);
  TestKeyPress('O', tsCtrl);
  EXPECT_TRUE(Ran.empty());
  Form->SetMenu(Menu);
  PumpUntilIdle();
  EXPECT_EQ(Form->GetClientHeight(), 280);
  TestKeyPress('O', tsCtrl);
  EXPECT_EQ(Ran, (std::vector<std::string>{"Open"}));

  // One menu serves one form; freeing it gives the room back.
  auto* other = new TForm(nullptr);
  EXPECT_THROW(other->SetMenu(Menu), EInvalidOperation);
  delete other;
  delete Menu;
  PumpUntilIdle();
  EXPECT_EQ(Form->GetMenu(), nullptr);
  EXPECT_EQ(Form->GetClientHeight(), 300);
}

TEST_F(MainMenuTest, MouseOnTheBar) {
  ShowForm();
  Edit->SetFocus();
  PumpUntilIdle();
  // A click on an item opens its drop-down below it; the bar is painted.
  TestClick(Centre(Menu->GetMenuBar()->ItemScreenRect(0)));
  PumpUntilIdle();
  ASSERT_TRUE(Menu->IsOpen());
  EXPECT_EQ(Menu->GetDroppedIndex(), 0);
  EXPECT_EQ(Menu->OpenWindow(0)->GetTop(), 100 + MenuBarHeight - 1);
  // Moving along the bar opens the item under the pointer; a second click
  // on it closes the drop-down and gives the focus back.
  TestMouseMove(Centre(Menu->GetMenuBar()->ItemScreenRect(1)));
  PumpUntilIdle();
  EXPECT_EQ(Menu->GetDroppedIndex(), 1);
  TestClick(Centre(Menu->GetMenuBar()->ItemScreenRect(1)));
  PumpUntilIdle();
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  // A click on an item of the drop-down runs it.
  TestClick(Centre(Menu->GetMenuBar()->ItemScreenRect(0)));
  TestClick(ItemPoint(Menu, 0, 1));
  PumpUntilIdle();
  EXPECT_EQ(Ran, (std::vector<std::string>{"Remote"}));
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_TRUE(Log.Log.empty());
}

TEST_F(MainMenuTest, AltAcceleratorsMatchTheTypedCharacter) {
  ShowForm();
  Edit->SetFocus();
  PumpUntilIdle();
  struct Case {
    WORD Vk;
    const char16_t* Text;  // what the layout gives; empty: the Latin letter
    int Opens;
  } cases[] = {
      {'F', u"", 2},
      {'G', u"п", 1},   // Russian layout, lower case against "&Помощь"
      {'W', u"Ц", -1},  // no item has it: a beep
      {'C', u"с", 0},
  };
  for (const auto& c : cases) {
    TestResetBeeps();
    TestAltLetter(c.Vk, c.Text);
    EXPECT_EQ(Menu->GetDroppedIndex(), c.Opens) << c.Vk;
    EXPECT_EQ(TestBeepCount(), c.Opens < 0 ? 1 : 0) << c.Vk;
    if (c.Opens < 0) continue;
    TestKeyPress(VK_ESCAPE);
    TestKeyPress(VK_ESCAPE);
    EXPECT_FALSE(Menu->IsOpen());
  }
  // A lone Alt closes an open drop-down.
  TestAltLetter('C', u"с");
  ASSERT_TRUE(Menu->IsOpen());
  TestKeyPress(VK_MENU);
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  EXPECT_TRUE(Log.Log.empty());
}

TEST_F(MainMenuTest, F10AndALoneAltSelectTheBar) {
  ShowForm();
  Edit->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_F10);
  EXPECT_EQ(Menu->GetBarSelected(), 0);
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  TRect item0 = Form->GetMenuBarRect();
  EXPECT_EQ(WindowPixel(Form->GetHandle(), Menu->GetMenuBar()->ItemRect(0).left + 1, item0.top + 3),
            ColorToRGB(clHighlight));
  // Arrows move along the bar (wrapping); Down opens; Esc goes back to
  // the bar and then out of it.
  TestKeyPress(VK_LEFT);
  EXPECT_EQ(Menu->GetBarSelected(), 2);
  TestKeyPress(VK_RIGHT);
  TestKeyPress(VK_RIGHT);
  EXPECT_EQ(Menu->GetBarSelected(), 1);
  TestKeyPress(VK_DOWN);
  EXPECT_EQ(Menu->GetDroppedIndex(), 1);
  EXPECT_EQ(Menu->GetBarSelected(), -1);
  TestKeyPress(VK_ESCAPE);
  EXPECT_FALSE(Menu->IsOpen());
  EXPECT_EQ(Menu->GetBarSelected(), 1);
  TestKeyPress(VK_ESCAPE);
  EXPECT_EQ(Menu->GetBarSelected(), -1);
  EXPECT_EQ(GetFocus(), Edit->GetHandle());

  // A lone Alt goes in and out; Alt used with another key does not.
  TestKeyPress(VK_MENU);
  EXPECT_EQ(Menu->GetBarSelected(), 0);
  TestKeyPress(VK_MENU);
  EXPECT_EQ(Menu->GetBarSelected(), -1);
  TestKeyPress('Q', tsAlt);
  TestKeyPress(VK_MENU, tsCtrl);
  EXPECT_EQ(Menu->GetBarSelected(), -1);
  // On the bar a letter opens its item, whatever the layout types.
  TestKeyPress(VK_F10);
  TestTypeText("п");
  EXPECT_EQ(Menu->GetDroppedIndex(), 1);
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(Ran, (std::vector<std::string>{"About"}));
  // No key reached the edit while the menu had them; Ctrl+Alt did.
  EXPECT_EQ(Log.Log, (Lines{"edit WM_KEYDOWN 17", "edit WM_KEYDOWN 18"}));

  // A click elsewhere ends the keyboard use.
  TestKeyPress(VK_F10);
  TestClick(ClientPointToScreen(Edit->GetHandle(), 5, 5));
  EXPECT_EQ(Menu->GetBarSelected(), -1);
  Log.Log.clear();
  TestKeyPress('Z');
  EXPECT_EQ(Log.Log, (Lines{"edit WM_KEYDOWN 90"}));
}

TEST_F(MenuTest, FreeingTheMenuWhileOpen) {
  auto* pm = new TPopupMenu(Form);
  TMenuItem* sub = NewItem(Form, "Sub");
  pm->GetItems()->Add(sub);
  sub->Add(NewItem(Form, "Inner"));
  ShowForm();
  Edit->SetFocus();
  PumpUntilIdle();
  pm->Popup(150, 150);
  TestKeyPress(VK_RIGHT);  // nothing selected yet: nothing opens
  PumpUntilIdle();
  EXPECT_EQ(pm->OpenLevelCount(), 1);
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_RIGHT);
  PumpUntilIdle();
  ASSERT_EQ(pm->OpenLevelCount(), 2);
  // Removing a shown item closes the menu first.
  pm->GetItems()->Remove(sub);
  EXPECT_FALSE(pm->IsOpen());
  delete sub;
  pm->Popup(150, 150);
  delete pm;
  PumpUntilIdle();
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
}

TEST_F(MenuTest, RightClickShowsTheNearestPopupMenu) {
  auto* pm = new TPopupMenu(Form);
  int ran = 0;
  pm->GetItems()->Add(NewItem(Form, "Загрузить из файла", &ran));
  auto* panel = Add("panel", TRect(150, 40, 350, 200));
  TLogControl* inner = Add("inner", TRect(10, 10, 60, 30), panel);
  panel->SetPopupMenu(pm);
  TComponent* shownFor = nullptr;
  pm->OnPopup = [&](TObject*) { shownFor = pm->GetPopupComponent(); };
  ShowForm();
  // A right click on a child without a menu of its own uses its parent's.
  POINT at = ClientPointToScreen(inner->GetHandle(), 5, 5);
  TestClick(at, TMouseButton::Right);
  PumpUntilIdle();
  ASSERT_TRUE(pm->IsOpen());
  EXPECT_EQ(shownFor, panel);
  EXPECT_EQ(pm->OpenWindow(0)->GetLeft(), at.x);
  EXPECT_EQ(pm->OpenWindow(0)->GetTop(), at.y);
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_EQ(ran, 1);
  // Without AutoPopup, or outside any control with a menu, nothing shows.
  pm->SetAutoPopup(false);
  TestClick(at, TMouseButton::Right);
  PumpUntilIdle();
  EXPECT_FALSE(pm->IsOpen());
  pm->SetAutoPopup(true);
  TestClick(ClientPointToScreen(Edit->GetHandle(), 5, 5), TMouseButton::Right);
  PumpUntilIdle();
  EXPECT_FALSE(pm->IsOpen());
}
