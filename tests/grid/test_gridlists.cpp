// Integer, sort-index and in-cell control lists.
#include <gtest/gtest.h>

#include <vector>

#include "grid/gridlists.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"

namespace {

std::vector<int> Values(const TIntList& list) {
  std::vector<int> v;
  for (int i = 0; i < list.GetCount(); ++i) v.push_back(list.GetInteger(i));
  return v;
}

TEST(IntList, ChangeEventsCarryTheOwnerCell) {
  TIntList list(3, 7);
  std::vector<std::pair<int, int>> events;
  list.OnChange = [&](TObject* sender, int col, int row) {
    EXPECT_EQ(sender, &list);
    events.emplace_back(col, row);
  };
  list.Add(5);
  list.Insert(0, 1);       // no event
  list.SetInteger(1, 6);
  list.DeleteValue(42);    // absent: nothing
  list.DeleteValue(1);
  list.Clear();            // no event
  EXPECT_EQ(events.size(), 3u);
  EXPECT_EQ(events.front(), std::make_pair(3, 7));
}

TEST(IntList, StrValue) {
  TIntList list(0, 0);
  EXPECT_EQ(list.GetStrValue(), "");
  for (int v : {3, -1, 10}) list.Add(v);
  EXPECT_EQ(list.GetStrValue(), "3,-1,10");
  EXPECT_TRUE(list.HasValue(-1));
  EXPECT_FALSE(list.HasValue(4));

  int events = 0;
  list.OnChange = [&](TObject*, int, int) { ++events; };
  list.SetStrValue("1, 2,3");
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(events, 3);

  EXPECT_THROW(list.SetStrValue("4,x,5"), EConvertError);
  EXPECT_EQ(Values(list), (std::vector<int>{4}));  // cleared, then filled up to the bad item
}

TEST(IntList, IndexErrors) {
  TIntList list(0, 0);
  list.Add(1);
  EXPECT_THROW(list.GetInteger(1), EListError);
  EXPECT_THROW(list.SetInteger(-1, 0), EListError);
  EXPECT_THROW(list.Delete(5), EListError);
}

TEST(SortIndexList, DirectionBit) {
  TSortIndexList list;
  list.AddIndex(4, false);
  EXPECT_EQ(static_cast<unsigned>(list.GetInteger(0)), 0x80000004u);
  EXPECT_EQ(list.FindIndex(4), 0);
  EXPECT_EQ(list.FindIndex(5), -1);
  EXPECT_EQ(list.GetSortColumns(0), 4);
  EXPECT_FALSE(list.GetSortDirections(0));

  list.ToggleIndex(4);
  EXPECT_TRUE(list.GetSortDirections(0));
  list.ToggleIndex(9);  // not in the list: nothing changes
  EXPECT_EQ(list.GetCount(), 1);

  list.SetSortColumns(0, 7);
  list.SetSortDirections(0, false);
  EXPECT_EQ(list.GetSortColumns(0), 7);
  EXPECT_FALSE(list.GetSortDirections(0));
  list.SetSortColumns(0, 8);
  EXPECT_FALSE(list.GetSortDirections(0));  // the direction survives a column change
  EXPECT_THROW(list.GetSortColumns(3), EListError);
}

TEST(SortIndexList, TextForm) {
  TSortIndexList list;
  list.AddIndex(1, true);
  list.AddIndex(3, false);
  EXPECT_EQ(list.SaveToString(), "u1;d3");

  TSortIndexList back;
  back.LoadFromString("u1;d3");
  EXPECT_EQ(Values(back), Values(list));

  struct Case {
    const char* text;
    std::vector<int> cols;
    std::vector<bool> ascending;
  } cases[] = {
      {"", {}, {}},
      {"U1", {1}, {false}},       // only a lower-case "u" is ascending
      {"u;d2;", {2}, {false}},    // one-character tokens are skipped
      {"u12;u0;d65535", {12, 0, 65535}, {true, true, false}},
  };
  for (const auto& c : cases) {
    back.LoadFromString(c.text);
    ASSERT_EQ(back.GetCount(), static_cast<int>(c.cols.size())) << c.text;
    for (int i = 0; i < back.GetCount(); ++i) {
      EXPECT_EQ(back.GetSortColumns(i), c.cols[i]) << c.text;
      EXPECT_EQ(back.GetSortDirections(i), c.ascending[i]) << c.text;
    }
  }
  back.LoadFromString("dx;u7");  // a malformed number does not stop the load
  EXPECT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.GetSortColumns(1), 7);
}

TEST(ControlList, ItemsAreOwnedControlsAreNot) {
  TControl plain(nullptr);
  TWinControl windowed(nullptr);
  {
    TControlList list;
    EXPECT_EQ(list.ControlIndex(1, 1), -1);
    EXPECT_EQ(list.AddControl(1, 2, &plain), 0);
    EXPECT_EQ(list.AddControl(3, 4, &windowed), 1);
    EXPECT_EQ(list.ControlIndex(3, 4), 1);
    EXPECT_EQ(list.ControlIndex(2, 1), -1);
    EXPECT_EQ(list.GetControl(0)->Control, &plain);
    list.RemoveControl(0);
    EXPECT_EQ(list.ControlIndex(3, 4), 0);
    EXPECT_THROW(list.GetControl(1), EListError);
  }  // the remaining item goes with the list (checked under the sanitizer)
  EXPECT_FALSE(windowed.HandleAllocated());  // the list never touched the controls
}

TEST(ControlList, HasHandleAsksWindowedControlsOnly) {
  TForm form(nullptr);  // the grid's stand-in: a window to be the parent
  TControl plain(nullptr);
  TWinControl windowed(nullptr);
  windowed.SetParent(&form);
  TControlList list;
  list.AddControl(0, 0, &plain);
  EXPECT_FALSE(list.HasHandle(nullptr));
  list.AddControl(1, 0, &windowed);
  EXPECT_FALSE(windowed.HandleAllocated());
  const HWND wnd = windowed.GetHandle();
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(list.HasHandle(wnd));
  EXPECT_FALSE(list.HasHandle(reinterpret_cast<HWND>(0x10)));
}

}  // namespace
