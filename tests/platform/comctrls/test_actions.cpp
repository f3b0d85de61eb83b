// Actions: linked clients follow an action, action lists answer the form's
// shortcuts, and the standard edit actions act on the focused edit only.
#include <gtest/gtest.h>

#include "platform/comctrls/actnlist.h"
#include "platform/forms/clipbrd.h"
#include "platform/stdctrls/stdctrls_edit.h"
#include "tests/platform/forms/test_controls_support.h"

TEST(Actions, LinkedMenuItemFollowsTheAction) {
  auto* owner = new TComponent(nullptr);
  auto* list = new TActionList(owner);
  auto* about = new TAction(owner);
  about->SetActionList(list);
  about->SetCaption("&About...");
  about->SetShortCut(ShortCut(VK_F1, 0));
  int runs = 0;
  about->OnExecute = [&](TObject*) { ++runs; };
  auto* item = new TMenuItem(owner);
  item->SetAction(about);
  EXPECT_EQ(item->GetCaption(), "&About...");
  EXPECT_EQ(item->GetShortCut(), ShortCut(VK_F1, 0));
  item->Click();
  EXPECT_EQ(runs, 1);

  // Changes reach the item; a disabled action does not run.
  about->SetCaption("&О программе...");
  about->SetEnabled(false);
  EXPECT_EQ(item->GetCaption(), "&О программе...");
  EXPECT_FALSE(item->GetEnabled());
  EXPECT_FALSE(about->Execute());
  EXPECT_EQ(runs, 1);

  // The list's OnExecute may take the action first.
  about->SetEnabled(true);
  bool listSaw = false;
  list->OnExecute = [&](TBasicAction* A, bool& Handled) {
    listSaw = A == about;
    Handled = true;
  };
  EXPECT_TRUE(about->Execute());
  EXPECT_TRUE(listSaw);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(about->GetIndex(), 0);

  // Freeing the action unlinks the item and leaves the list.
  delete about;
  EXPECT_EQ(item->GetAction(), nullptr);
  EXPECT_EQ(list->GetActionCount(), 0);
  item->Click();
  delete owner;
}

class ActionFormTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    List = new TActionList(Form);
    Edit = new TEdit(Form);
    Edit->SetBounds(10, 10, 120, 22);
    Edit->SetParent(Form);
    Other = Add("other", TRect(10, 50, 110, 70));
    Cut = new TEditCut(Form);
    Copy = new TEditCopy(Form);
    Paste = new TEditPaste(Form);
    for (TAction* a : {static_cast<TAction*>(Cut), static_cast<TAction*>(Copy), static_cast<TAction*>(Paste)})
      a->SetActionList(List);
    ShowForm();
  }
  TActionList* List = nullptr;
  TEdit* Edit = nullptr;
  TLogControl* Other = nullptr;
  TEditCut* Cut = nullptr;
  TEditCopy* Copy = nullptr;
  TEditPaste* Paste = nullptr;
};

TEST_F(ActionFormTest, ShortCutsRunEnabledActionsOnly) {
  auto* fileNew = new TAction(Form);
  fileNew->SetActionList(List);
  fileNew->SetShortCut(ShortCut('N', ssCtrl));
  int runs = 0;
  bool allow = true;
  fileNew->OnExecute = [&](TObject*) { ++runs; };
  // OnUpdate decides the state just before the shortcut runs.
  fileNew->OnUpdate = [&](TObject*) { fileNew->SetEnabled(allow); };
  Other->SetFocus();
  PumpUntilIdle();
  Watch({WM_KEYDOWN});
  TestKeyPress('N', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(runs, 1);
  allow = false;
  TestKeyPress('N', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(runs, 1);
  // A disabled action leaves the key to the focused control.
  EXPECT_EQ(Log.Log, (Lines{"other WM_KEYDOWN 17", "other WM_KEYDOWN 17", "other WM_KEYDOWN 78"}));
}

TEST_F(ActionFormTest, EditActionsActOnTheFocusedEditOnly) {
  Clipboard()->SetAsText("clip");
  Edit->SetText("Привет мир");
  Edit->SetFocus();
  PumpUntilIdle();
  Edit->SetSelStart(0);
  Edit->SetSelLength(6);

  TestKeyPress('C', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(Clipboard()->GetAsText(), "Привет");
  TestKeyPress('X', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(Edit->GetText(), " мир");
  Edit->SetSelStart(4);
  Edit->SetSelLength(0);
  TestKeyPress('V', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(Edit->GetText(), " мирПривет");

  // Without a selection cut and copy are disabled.
  Cut->Update();
  Copy->Update();
  Paste->Update();
  EXPECT_FALSE(Cut->GetEnabled());
  EXPECT_FALSE(Copy->GetEnabled());
  EXPECT_TRUE(Paste->GetEnabled());

  // With the focus elsewhere they are disabled and the keys pass through.
  Other->SetFocus();
  PumpUntilIdle();
  Watch({WM_KEYDOWN});
  TestKeyPress('V', tsCtrl);
  PumpUntilIdle();
  EXPECT_FALSE(Paste->GetEnabled());
  EXPECT_EQ(Edit->GetText(), " мирПривет");
  EXPECT_EQ(Log.Log, (Lines{"other WM_KEYDOWN 17", "other WM_KEYDOWN 86"}));

  // A read-only edit copies but does not cut.
  Edit->SetReadOnly(true);
  Edit->SetFocus();
  PumpUntilIdle();
  Edit->SelectAll();
  Cut->Update();
  Copy->Update();
  EXPECT_FALSE(Cut->GetEnabled());
  EXPECT_TRUE(Copy->GetEnabled());
}

TEST_F(ActionFormTest, IdleTimeUpdatesFollowTheFocusedEdit) {
  // The loop's idle step, with a host that never waits.
  struct THostGuard {
    TApplicationHost Saved = Application->GetHost();
    ~THostGuard() {
      Application->SetHost(Saved);
      Application->OnIdle = nullptr;
    }
  } guard;
  Application->SetHost(TApplicationHost{nullptr, [](DWORD) {}});
  auto idle = [] {
    PumpUntilIdle();
    Application->HandleMessage();
  };
  int updates = 0;
  auto* custom = new TAction(Form);
  custom->SetActionList(List);
  custom->OnUpdate = [&](TObject*) { ++updates; };
  auto* menu = new TPopupMenu(Form);
  auto* copyItem = new TMenuItem(Form);
  menu->GetItems()->Add(copyItem);
  copyItem->SetAction(Copy);

  Edit->SetText("abc");
  Edit->SetFocus();
  Edit->SelectAll();
  idle();
  EXPECT_EQ(updates, 1);
  EXPECT_TRUE(Copy->GetEnabled());
  EXPECT_TRUE(Cut->GetEnabled());
  EXPECT_TRUE(copyItem->GetEnabled());
  Other->SetFocus();
  idle();
  EXPECT_EQ(updates, 2);
  EXPECT_FALSE(Copy->GetEnabled());
  EXPECT_FALSE(Paste->GetEnabled());
  EXPECT_FALSE(copyItem->GetEnabled());

  // An OnIdle that is not done yet puts the updates off.
  Application->OnIdle = [](TObject*, bool& Done) { Done = false; };
  Edit->SetFocus();
  idle();
  EXPECT_EQ(updates, 2);
  EXPECT_FALSE(Copy->GetEnabled());
  Application->OnIdle = nullptr;
  idle();
  EXPECT_TRUE(Copy->GetEnabled());
  // A hidden form's actions wait.
  Form->Hide();
  idle();
  EXPECT_EQ(updates, 3);
}
