// The list box: items before and after the window exists, selection by
// code, keyboard and mouse, scrolling into view, multi-select, owner draw.
#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class ListBoxTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    List = new TListBox(Form);
    List->SetBounds(10, 10, 150, 100);
    for (int i = 0; i < 20; ++i) List->Items()->Add("Строка " + std::to_string(i));
    List->SetParent(Form);
    List->OnClick = [this](TObject*) { ++Clicks; };
    ShowForm();
  }
  POINT ItemPoint(int Index) {
    TRect r = List->ItemRect(Index);
    return ClientPointToScreen(List->Handle(), r.left + 5, r.top + r.Height() / 2);
  }
  TListBox* List = nullptr;
  int Clicks = 0;
};

TEST_F(ListBoxTest, ItemsAddedBeforeTheWindowAreInItAndSurviveRecreation) {
  EXPECT_EQ(20, List->Items()->GetCount());
  EXPECT_EQ("Строка 7", List->Items()->Get(7));
  TObject marker;
  List->Items()->PutObject(3, &marker);
  List->SetItemIndex(3);
  List->SetMultiSelect(true);  // recreates the window
  EXPECT_EQ(20, List->Items()->GetCount());
  EXPECT_EQ(&marker, List->Items()->GetObject(3));
  EXPECT_EQ(3, List->GetItemIndex());
  EXPECT_THROW(List->Items()->Get(20), EStringListError);
}

TEST_F(ListBoxTest, ItemIndexFromCodeScrollsIntoViewWithoutOnClick) {
  int visible = List->GetClientHeight() / List->GetItemHeight();
  ASSERT_LT(visible, 20);
  List->SetItemIndex(15);
  EXPECT_EQ(15, List->GetItemIndex());
  EXPECT_LE(List->GetTopIndex(), 15);
  EXPECT_GT(List->GetTopIndex() + visible, 15);
  List->SetItemIndex(0);
  EXPECT_EQ(0, List->GetTopIndex());
  List->SetItemIndex(99);  // out of range: nothing selected
  EXPECT_EQ(-1, List->GetItemIndex());
  EXPECT_EQ(0, Clicks);
}

TEST_F(ListBoxTest, KeyboardAndMouseSelectAndRaiseOnClick) {
  List->SetFocus();
  PumpUntilIdle();
  struct TCase {
    const char* Name;
    std::function<void()> Act;
    int Index;
  };
  const TCase cases[] = {
      {"Down from none", [] { TestKeyPress(VK_DOWN); }, 0},
      {"Down", [] { TestKeyPress(VK_DOWN); }, 1},
      {"End", [] { TestKeyPress(VK_END); }, 19},
      {"Home", [] { TestKeyPress(VK_HOME); }, 0},
      {"typed letter finds the next item", [] { TestTypeText("с"); }, 1},
      {"click", [this] { TestClick(ItemPoint(4)); }, 4},
  };
  int clicks = 0;
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    t.Act();
    PumpUntilIdle();
    EXPECT_EQ(t.Index, List->GetItemIndex());
    EXPECT_EQ(++clicks, Clicks);
  }
  // A list that closes on a choice reads it in OnMouseUp.
  int atUp = -2;
  List->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { atUp = List->GetItemIndex(); };
  TestClick(ItemPoint(6));
  PumpUntilIdle();
  EXPECT_EQ(6, atUp);
  int dbl = 0;
  List->OnDblClick = [&](TObject*) { ++dbl; };
  TestDoubleClick(ItemPoint(2));
  PumpUntilIdle();
  EXPECT_EQ(1, dbl);
  EXPECT_EQ(2, List->GetItemIndex());
}

TEST_F(ListBoxTest, ExtendedMultiSelectTakesShiftRangesAndCtrlToggles) {
  List->SetMultiSelect(true);
  PumpUntilIdle();
  TestClick(ItemPoint(1));
  TestClick(ItemPoint(3), mbLeft, tsShift);
  TestClick(ItemPoint(2), mbLeft, tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(2, List->GetSelCount());
  EXPECT_TRUE(List->GetSelected(1));
  EXPECT_FALSE(List->GetSelected(2));
  EXPECT_TRUE(List->GetSelected(3));
  List->SetSelected(10, true);
  EXPECT_EQ(3, List->GetSelCount());
}

TEST_F(ListBoxTest, SortedListsKeepItemsInOrderAndFindIgnoresCase) {
  List->Clear();
  List->SetSorted(true);
  for (const char* s : {"Январь", "август", "Май", "апрель"}) List->Items()->Add(s);
  std::vector<std::string> got;
  for (int i = 0; i < List->Items()->GetCount(); ++i) got.push_back(List->Items()->Get(i));
  EXPECT_EQ((std::vector<std::string>{"август", "апрель", "Май", "Январь"}), got);
  EXPECT_EQ(2, List->Perform(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("МАЙ")));
  EXPECT_EQ(1, List->Perform(LB_FINDSTRING, 0, reinterpret_cast<LPARAM>("ап")));
}

TEST_F(ListBoxTest, OwnerDrawnItemsArePaintedThroughOnDrawItemWithTheirState) {
  List->SetStyle(lbOwnerDrawFixed);
  List->SetItemHeight(20);
  std::vector<std::pair<int, TOwnerDrawState>> drawn;
  List->OnDrawItem = [&](TWinControl*, int Index, const TRect& R, TOwnerDrawState State) {
    EXPECT_EQ(20, R.Height());
    drawn.push_back({Index, State});
  };
  List->SetItemIndex(1);
  List->Invalidate();
  PumpUntilIdle();
  ASSERT_GE(drawn.size(), 3u);
  EXPECT_EQ(0, drawn[0].first);
  EXPECT_EQ(0u, drawn[0].second & odSelected);
  EXPECT_NE(0u, drawn[1].second & odSelected);
  EXPECT_EQ(20, List->GetItemHeight());
}

}  // namespace

namespace {

// lbOwnerDrawVariable: every item keeps the height OnMeasureItem gave it;
// item rectangles, hit-testing, scrolling and painting follow.
TEST_F(ListBoxTest, VariableHeightItemsHitTestAndScrollByTheirOwnHeights) {
  auto* list = new TListBox(Form);
  list->SetStyle(lbOwnerDrawVariable);
  list->SetBounds(200, 10, 150, 100);  // 96 high inside the border
  list->OnMeasureItem = [](TWinControl*, int Index, int& Height) { Height = Index % 2 ? 40 : 10; };
  std::vector<int> drawn;
  list->OnDrawItem = [&](TWinControl*, int Index, const TRect&, TOwnerDrawState) { drawn.push_back(Index); };
  for (int i = 0; i < 10; ++i) list->Items()->Add("item " + std::to_string(i));
  list->SetParent(Form);
  PumpUntilIdle();
  struct TCase {
    int Index;
    TRect Rect;
  } rects[] = {{0, TRect(0, 0, 0, 10)}, {1, TRect(0, 10, 0, 50)}, {2, TRect(0, 50, 0, 60)}, {3, TRect(0, 60, 0, 100)}};
  for (const TCase& c : rects) {
    TRect r = list->ItemRect(c.Index);
    EXPECT_EQ(c.Rect.top, r.top) << c.Index;
    EXPECT_EQ(c.Rect.bottom, r.bottom) << c.Index;
  }
  struct THit {
    int Y, Index;
  } hits[] = {{0, 0}, {9, 0}, {10, 1}, {49, 1}, {50, 2}, {59, 2}, {60, 3}};
  for (const THit& h : hits) EXPECT_EQ(h.Index, list->ItemAtPos(TPoint(5, h.Y), true)) << h.Y;

  // Selecting the last item scrolls it into view at the bottom: items 7..9
  // take 40 + 10 + 40 = 90 of the 96 pixels; item 6 (10) would not fit.
  drawn.clear();
  list->SetItemIndex(9);
  PumpUntilIdle();
  EXPECT_EQ(7, list->GetTopIndex());
  EXPECT_EQ(0, list->ItemRect(7).top);
  EXPECT_EQ(90, list->ItemRect(9).bottom);
  EXPECT_EQ((std::vector<int>{7, 8, 9}), drawn);
  EXPECT_EQ(9, list->ItemAtPos(TPoint(5, 60), true));
  // Scrolling by one line moves by one item; the end cannot be passed.
  SendMessageA(list->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(6, list->GetTopIndex());
  SendMessageA(list->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(7, list->GetTopIndex());
  EXPECT_EQ(10, list->Perform(LB_GETITEMHEIGHT, 8, 0));
  EXPECT_EQ(40, list->Perform(LB_GETITEMHEIGHT, 9, 0));
}

}  // namespace
