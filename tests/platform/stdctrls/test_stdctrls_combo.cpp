// The combo box: the three styles, the edit child, dropping and closing by
// keyboard and mouse, the CBN_* notifications in order and the events.
#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class ComboTest : public FrameworkTest {
protected:
  TComboBox* Make(TComboBoxStyle Style) {
    auto* c = new TComboBox(Form);
    c->SetStyle(Style);
    c->SetBounds(10, 10, 150, 200);
    for (const char* s : {"COM1", "COM2", "COM3", "USB0"}) c->Items()->Add(s);
    c->SetParent(Form);
    c->OnChange = [this](TObject*) { Events.push_back("change"); };
    c->OnSelect = [this](TObject*) { Events.push_back("select"); };
    c->OnDropDown = [this](TObject*) { Events.push_back("dropdown"); };
    c->OnCloseUp = [this](TObject*) { Events.push_back("closeup"); };
    ShowForm();
    HWND h = c->Handle();
    Form->SetWindowProc([this, h, old = Form->GetWindowProc()](TMessage& M) {
      if (M.Msg == WM_COMMAND && reinterpret_cast<HWND>(M.LParam) == h) Notes.push_back(HIWORD(M.WParam));
      old(M);
    });
    return c;
  }
  POINT ListItemPoint(TComboBox* C, int Index) {
    RECT r{};
    SendMessageA(C->ListHandle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    return ClientPointToScreen(C->ListHandle(), r.left + 5, (r.top + r.bottom) / 2);
  }
  void Clear() {
    Notes.clear();
    Events.clear();
  }
  std::vector<WORD> Notes;
  Lines Events;
};

TEST_F(ComboTest, DropDownHasAnEditChildWhoseTypingIsAnEditChange) {
  TComboBox* c = Make(csDropDown);
  COMBOBOXINFO info;
  ASSERT_TRUE(GetComboBoxInfo(c->Handle(), &info));
  ASSERT_NE(nullptr, info.hwndItem);
  EXPECT_EQ(c->Handle(), GetParent(info.hwndItem));
  EXPECT_LT(c->GetHeight(), 40);  // the field's height, whatever was asked
  c->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(info.hwndItem, GetFocus());
  Clear();
  TestTypeText("Порт");
  PumpUntilIdle();
  EXPECT_EQ("Порт", c->GetText());
  EXPECT_EQ(4u, std::count(Notes.begin(), Notes.end(), CBN_EDITCHANGE));
  EXPECT_EQ(4u, std::count(Events.begin(), Events.end(), "change"));
  EXPECT_EQ(-1, c->GetItemIndex());

  c->SetItemIndex(2);  // from code: no notification
  EXPECT_EQ("COM3", c->GetText());
  EXPECT_EQ(4u, std::count(Events.begin(), Events.end(), "change"));
  c->Perform(CB_SETEDITSEL, 0, MAKELPARAM(1, 3));
  EXPECT_EQ(1, c->GetSelStart());
  EXPECT_EQ(2, c->GetSelLength());
}

TEST_F(ComboTest, ClosedArrowKeysSelectAndNotifyEachMove) {
  TComboBox* c = Make(csDropDownList);
  COMBOBOXINFO info;
  GetComboBoxInfo(c->Handle(), &info);
  EXPECT_EQ(nullptr, info.hwndItem);
  c->SetFocus();
  PumpUntilIdle();
  Clear();
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_UP);
  TestTypeText("u");
  PumpUntilIdle();
  EXPECT_EQ(3, c->GetItemIndex());
  EXPECT_EQ("USB0", c->GetText());
  EXPECT_EQ((std::vector<WORD>{CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE}), Notes);
  EXPECT_EQ((Lines{"select", "select", "select", "select"}), Events);
  c->SetText("COM2");  // a list shows the matching item
  EXPECT_EQ(1, c->GetItemIndex());
}

TEST_F(ComboTest, DroppingAndPickingWithTheMouseNotifiesInOrder) {
  TComboBox* c = Make(csDropDownList);
  c->SetDropDownCount(2);
  Clear();
  RECT wr;
  GetWindowRect(c->Handle(), &wr);
  TestClick(POINT{wr.right - 5, wr.top + 5});
  PumpUntilIdle();
  ASSERT_TRUE(c->GetDroppedDown());
  EXPECT_TRUE(IsWindowVisible(c->ListHandle()));
  RECT lr;
  GetWindowRect(c->ListHandle(), &lr);
  EXPECT_EQ(wr.bottom, lr.top);
  EXPECT_EQ(2 * c->Perform(CB_GETITEMHEIGHT, 0, 0) + 2, lr.bottom - lr.top);  // DropDownCount items
  EXPECT_EQ((std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN}), Notes);  // the click focuses first

  TestClick(ListItemPoint(c, 1));
  PumpUntilIdle();
  EXPECT_FALSE(c->GetDroppedDown());
  EXPECT_FALSE(IsWindowVisible(c->ListHandle()));
  EXPECT_EQ(1, c->GetItemIndex());
  EXPECT_EQ((std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}), Notes);
  EXPECT_EQ((Lines{"dropdown", "closeup", "select"}), Events);
}

TEST_F(ComboTest, KeyboardDropEscapeRestoresAndEnterKeeps) {
  TComboBox* c = Make(csDropDown);
  c->SetItemIndex(0);
  c->SetFocus();
  PumpUntilIdle();
  struct TCase {
    WORD CloseKey;
    int Index;
    const char* Text;
  };
  for (const TCase& t : {TCase{VK_ESCAPE, 0, "COM1"}, TCase{VK_RETURN, 2, "COM3"}}) {
    SCOPED_TRACE(t.Text);
    TestKeyPress(VK_F4);
    PumpUntilIdle();
    ASSERT_TRUE(c->GetDroppedDown());
    TestKeyPress(VK_DOWN);
    TestKeyPress(VK_DOWN);
    TestKeyPress(t.CloseKey);
    PumpUntilIdle();
    EXPECT_FALSE(c->GetDroppedDown());
    EXPECT_EQ(t.Index, c->GetItemIndex());
    EXPECT_EQ(t.Text, c->GetText());
  }
  TestKeyPress(VK_DOWN, tsAlt);  // Alt+Down drops too
  PumpUntilIdle();
  EXPECT_TRUE(c->GetDroppedDown());
  c->SetDroppedDown(false);
  EXPECT_FALSE(c->GetDroppedDown());
}

TEST_F(ComboTest, ItemsAndTextSurviveAStyleChangeAndMessagesAnswerAsThePlatform) {
  TComboBox* c = Make(csDropDown);
  c->SetItemIndex(1);
  c->SetStyle(csDropDownList);
  EXPECT_EQ(4, c->Items()->GetCount());
  EXPECT_EQ(1, c->GetItemIndex());
  EXPECT_EQ("COM2", c->GetText());
  char buf[16] = {};
  EXPECT_EQ(4, c->Perform(CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(buf)));
  EXPECT_STREQ("USB0", buf);
  EXPECT_EQ(CB_ERR, c->Perform(CB_GETLBTEXTLEN, 9, 0));
  EXPECT_EQ(2, c->Perform(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("com3")));
  EXPECT_EQ(CB_ERR, c->Perform(CB_SETCURSEL, 7, 0));
  EXPECT_EQ(-1, c->GetItemIndex());
  c->Perform(CB_SETDROPPEDWIDTH, 300, 0);
  EXPECT_EQ(300, c->Perform(CB_GETDROPPEDWIDTH, 0, 0));
}

TEST_F(ComboTest, SimpleStyleShowsItsListBelowTheEdit) {
  TComboBox* c = Make(csSimple);
  HWND list = c->ListHandle();
  EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(IsWindowVisible(list));
  Clear();
  TestClick(ListItemPoint(c, 2));
  PumpUntilIdle();
  EXPECT_EQ(2, c->GetItemIndex());
  EXPECT_EQ("COM3", c->GetText());
  EXPECT_EQ((std::vector<WORD>{CBN_SELCHANGE}), Notes);
}

}  // namespace

namespace {

TEST_F(ComboTest, TabMovesThroughTheEditChildAndEnterExitComeOnce) {
  auto* before = new TEdit(Form);
  before->SetParent(Form);
  before->SetBounds(10, 100, 100, 21);
  before->SetTabOrder(0);
  TComboBox* c = Make(csDropDown);
  auto* after = new TEdit(Form);
  after->SetParent(Form);
  after->SetBounds(10, 130, 100, 21);
  Lines seen;
  c->OnEnter = [&](TObject*) { seen.push_back("enter"); };
  c->OnExit = [&](TObject*) { seen.push_back("exit"); };
  before->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_TAB);
  PumpUntilIdle();
  EXPECT_EQ(c->EditHandle(), GetFocus());
  EXPECT_EQ(c, Form->GetActiveControl());
  TestKeyPress(VK_TAB);
  PumpUntilIdle();
  EXPECT_TRUE(after->Focused());
  EXPECT_EQ((Lines{"enter", "exit"}), seen);
}

}  // namespace

namespace {

TEST_F(ComboTest, KeysTypedIntoTheEditChildAreTheCombosKeyEvents) {
  TComboBox* c = Make(csDropDown);
  Lines keys;
  c->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    keys.push_back("down " + std::to_string(Key));
    if (Key == VK_DOWN) Key = 0;  // eaten: the selection stays
  };
  c->OnKeyPress = [&](TObject*, char16_t& Key) {
    if (Key == u'x') Key = u'y';
  };
  c->SetFocus();
  PumpUntilIdle();
  TestTypeText("x");
  TestKeyPress(VK_DOWN);
  PumpUntilIdle();
  EXPECT_EQ("y", c->GetText());
  EXPECT_EQ(-1, c->GetItemIndex());
  EXPECT_EQ((Lines{"down " + std::to_string('X'), "down " + std::to_string(VK_DOWN)}), keys);
}

}  // namespace

namespace {

// Owner-drawn combos: the field and the dropped items come to OnDrawItem with
// their states, variable items get the heights OnMeasureItem gives, and the
// list's geometry and hit-testing follow those heights.
TEST_F(ComboTest, OwnerDrawnCombosDrawFieldAndItemsThroughTheirEvents) {
  auto* c = new TComboBox(Form);
  c->SetStyle(csOwnerDrawVariable);
  c->SetBounds(10, 10, 150, 200);
  std::vector<int> measured;
  c->OnMeasureItem = [&](TWinControl*, int Index, int& Height) {
    measured.push_back(Index);
    Height = 12 + 6 * Index;  // 12, 18, 24, 30
  };
  struct TDrawn {
    int Index;
    TRect Rect;
    TOwnerDrawState State;
  };
  std::vector<TDrawn> drawn;
  c->OnDrawItem = [&](TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State) {
    drawn.push_back({Index, Rect, State});
    auto* combo = static_cast<TComboBox*>(Control);
    combo->Canvas()->GetBrush()->SetColor(State & odSelected ? clRed : clLime);
    combo->Canvas()->FillRect(Rect);
  };
  for (const char* s : {"a", "b", "c", "d"}) c->Items()->Add(s);
  c->SetParent(Form);
  ShowForm();
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), measured);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(12 + 6 * i, c->Perform(CB_GETITEMHEIGHT, i, 0)) << i;

  c->SetItemIndex(2);
  c->SetFocus();
  drawn.clear();
  PumpUntilIdle();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(2, drawn.back().Index);
  EXPECT_TRUE(drawn.back().State & odComboBoxEdit);
  EXPECT_TRUE(drawn.back().State & odSelected);  // focused field
  EXPECT_TRUE(drawn.back().State & odFocused);
  TBitmap shot;
  SnapshotControl(c, &shot);
  EXPECT_EQ(clRed, shot.Canvas()->GetPixels(10, shot.GetHeight() / 2));

  // Dropped: the list is as high as its first DropDownCount items, and a
  // click lands on the item under the pointer whatever the heights.
  c->SetDropDownCount(3);
  drawn.clear();
  c->SetDroppedDown(true);
  PumpUntilIdle();
  RECT lr;
  GetWindowRect(c->ListHandle(), &lr);
  EXPECT_EQ(12 + 18 + 24 + 2, lr.bottom - lr.top);
  std::vector<int> items;
  for (const TDrawn& d : drawn)
    if (!(d.State & odComboBoxEdit)) items.push_back(d.Index);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), items);  // the fourth does not fit
  for (const TDrawn& d : drawn) {
    if (d.Index == 1 && !(d.State & odComboBoxEdit)) {
      EXPECT_EQ(TRect(0, 12, d.Rect.right, 30), d.Rect);
    }
  }
  TestClick(ClientPointToScreen(c->ListHandle(), 5, 12 + 17));  // the last pixel row of item 1
  PumpUntilIdle();
  EXPECT_EQ(1, c->GetItemIndex());

  // Fixed: one height for every item from a single measure of the field and one of the items.
  measured.clear();
  c->SetStyle(csOwnerDrawFixed);
  c->SetItemHeight(20);
  c->RecreateWnd();  // a form loads it so: the height before the window
  EXPECT_TRUE(measured.empty());  // OnMeasureItem is for variable items only
  EXPECT_EQ(20, c->Perform(CB_GETITEMHEIGHT, 3, 0));
  EXPECT_EQ(20, c->Perform(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
}

}  // namespace
