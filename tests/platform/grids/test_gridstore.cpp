// The grid's cell store: counts and extents, whole-row and whole-column
// edits, string-list views and index errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/grids/gridstore.h"
#include "platform/grids/gridstore_strings.h"

namespace {

AnsiString Label(int c, int r) { return "c" + std::to_string(c) + "r" + std::to_string(r); }

// A 5 x 5 grid whose every cell holds its own label and object, with widths
// 10 + c and heights 20 + r (defaults 64 and 24), so that edits can be traced.
struct TracedGrid {
  static constexpr int kSize = 5;
  TracedGrid() : Store(kSize, kSize, 64, 24) {
    for (int i = 0; i < kSize; ++i) {
      Store.SetColWidth(i, 10 + i);
      Store.SetRowHeight(i, 20 + i);
    }
    for (int c = 0; c < kSize; ++c)
      for (int r = 0; r < kSize; ++r) {
        Store.SetCell(c, r, Label(c, r));
        Store.SetObject(c, r, Obj(c, r));
      }
  }
  TObject* Obj(int c, int r) { return &Tokens[c][r]; }

  // Row i shows original row Order[i] (-1: an empty row of default height)
  // in every column up to the extent.
  void ExpectRows(const std::vector<int>& Order) {
    ASSERT_EQ(Store.GetRowCount(), static_cast<int>(Order.size()));
    for (int r = 0; r < Store.GetRowCount(); ++r) {
      int from = Order[static_cast<std::size_t>(r)];
      EXPECT_EQ(Store.GetRowHeight(r), from < 0 ? 24 : 20 + from) << "row " << r;
      for (int c = 0; c < Store.GetColExtent(); ++c) {
        EXPECT_EQ(Store.GetCell(c, r), from < 0 ? "" : Label(c, from)) << c << "," << r;
        EXPECT_EQ(Store.GetObject(c, r), from < 0 ? nullptr : Obj(c, from)) << c << "," << r;
      }
    }
  }
  // Column i shows original column Order[i]; its width is that of original
  // column Widths[i].
  void ExpectCols(const std::vector<int>& Order, const std::vector<int>& Widths) {
    ASSERT_EQ(Store.GetColCount(), static_cast<int>(Order.size()));
    for (int c = 0; c < Store.GetColCount(); ++c) {
      int from = Order[static_cast<std::size_t>(c)];
      int wfrom = Widths[static_cast<std::size_t>(c)];
      EXPECT_EQ(Store.GetColWidth(c), wfrom < 0 ? 64 : 10 + wfrom) << "col " << c;
      for (int r = 0; r < Store.GetRowExtent(); ++r) {
        EXPECT_EQ(Store.GetCell(c, r), from < 0 ? "" : Label(from, r)) << c << "," << r;
        EXPECT_EQ(Store.GetObject(c, r), from < 0 ? nullptr : Obj(from, r)) << c << "," << r;
      }
    }
  }

  TObject Tokens[kSize][kSize];
  TGridStore Store;
};

struct EditCase {
  const char* Name;
  std::function<void(TGridStore&)> Edit;
  std::vector<int> Order;
};

TEST(GridStore, RowEditsCarryTextsObjectsAndHeights) {
  const std::vector<EditCase> cases = {
      {"move down", [](TGridStore& s) { s.MoveRow(1, 3); }, {0, 2, 3, 1, 4}},
      {"move up", [](TGridStore& s) { s.MoveRow(4, 0); }, {4, 0, 1, 2, 3}},
      {"move to itself", [](TGridStore& s) { s.MoveRow(2, 2); }, {0, 1, 2, 3, 4}},
      {"insert in the middle", [](TGridStore& s) { s.InsertRows(2, 2); }, {0, 1, -1, -1, 2, 3, 4}},
      {"insert at the end", [](TGridStore& s) { s.InsertRows(5, 1); }, {0, 1, 2, 3, 4, -1}},
      {"delete in the middle", [](TGridStore& s) { s.DeleteRows(1, 2); }, {0, 3, 4}},
      {"delete all", [](TGridStore& s) { s.DeleteRows(0, 5); }, {}},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.Name);
    TracedGrid g;
    tc.Edit(g.Store);
    g.ExpectRows(tc.Order);
  }
}

TEST(GridStore, ColumnEditsCarryTextsObjectsAndWidths) {
  struct ColCase {
    const char* Name;
    std::function<void(TGridStore&)> Edit;
    std::vector<int> Order;
    std::vector<int> Widths;
  };
  const std::vector<ColCase> cases = {
      {"move right", [](TGridStore& s) { s.MoveCol(0, 3); }, {1, 2, 3, 0, 4}, {1, 2, 3, 0, 4}},
      {"move left", [](TGridStore& s) { s.MoveCol(3, 1); }, {0, 3, 1, 2, 4}, {0, 3, 1, 2, 4}},
      // The grid may move the widths itself; the cells still move.
      {"move without width",
       [](TGridStore& s) { s.MoveCol(3, 1, false); },
       {0, 3, 1, 2, 4},
       {0, 1, 2, 3, 4}},
      {"insert",
       [](TGridStore& s) { s.InsertCols(1, 2); },
       {0, -1, -1, 1, 2, 3, 4},
       {0, -1, -1, 1, 2, 3, 4}},
      {"delete", [](TGridStore& s) { s.DeleteCols(2, 2); }, {0, 1, 4}, {0, 1, 4}},
      {"moves then insert and delete",
       [](TGridStore& s) {
         s.MoveCol(4, 0);
         s.DeleteCols(1, 1);
         s.InsertCols(0, 1);
         s.MoveCol(1, 4);
       },
       {-1, 1, 2, 3, 4},
       {-1, 1, 2, 3, 4}},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.Name);
    TracedGrid g;
    tc.Edit(g.Store);
    g.ExpectCols(tc.Order, tc.Widths);
  }
}

TEST(GridStore, LowerCountsKeepCellsWithinTheExtent) {
  TracedGrid g;
  g.Store.SetRowCount(2);
  g.Store.SetColCount(1);
  EXPECT_EQ(g.Store.GetRowExtent(), 5);
  EXPECT_EQ(g.Store.GetColExtent(), 5);
  // Raw access still reaches the cut cells, for reading and writing.
  EXPECT_EQ(g.Store.GetCell(4, 4), Label(4, 4));
  EXPECT_EQ(g.Store.GetObject(3, 2), g.Obj(3, 2));
  g.Store.SetCell(4, 3, "kept");
  EXPECT_THROW(g.Store.GetCell(5, 0), EListError);
  // The views show the current counts only.
  EXPECT_EQ(g.Store.Rows(4)->Count(), 1);
  EXPECT_EQ(g.Store.Cols(0)->Count(), 2);
  g.Store.SetRowCount(5);
  g.Store.SetColCount(5);
  EXPECT_EQ(g.Store.Rows(3)->Strings(4), "kept");
  EXPECT_EQ(g.Store.Rows(4)->Strings(4), Label(4, 4));
  // Sizes of cut indices do not come back: they take the default.
  EXPECT_EQ(g.Store.GetRowHeight(1), 21);
  EXPECT_EQ(g.Store.GetRowHeight(2), 24);
  EXPECT_EQ(g.Store.GetColWidth(4), 64);
}

TEST(GridStore, EditsShiftTheCellsBeyondTheCount) {
  TracedGrid g;
  g.Store.SetRowCount(3);
  g.Store.InsertRows(1, 1);  // rows 3 and 4, past the count, move down too
  EXPECT_EQ(g.Store.GetRowCount(), 4);
  EXPECT_EQ(g.Store.GetRowExtent(), 6);
  EXPECT_EQ(g.Store.GetCell(0, 5), Label(0, 4));
  EXPECT_EQ(g.Store.GetCell(0, 4), Label(0, 3));
  g.Store.DeleteRows(0, 2);
  EXPECT_EQ(g.Store.GetCell(0, 3), Label(0, 4));
  EXPECT_EQ(g.Store.GetCell(0, 5), "");

  g.Store.SetColCount(2);
  g.Store.DeleteCols(0, 1);
  EXPECT_EQ(g.Store.GetColExtent(), 5);
  EXPECT_EQ(g.Store.GetCell(3, 3), Label(4, 4));
  EXPECT_EQ(g.Store.GetCell(4, 3), "");
  EXPECT_EQ(g.Store.GetObject(4, 3), nullptr);
  g.Store.InsertCols(0, 1);
  EXPECT_EQ(g.Store.GetColExtent(), 6);
  EXPECT_EQ(g.Store.GetCell(4, 3), Label(4, 4));
  EXPECT_EQ(g.Store.GetCell(0, 3), "");
}

TEST(GridStore, IndexErrorsCarryThePlatformText) {
  const std::vector<std::pair<const char*, std::function<void(TGridStore&)>>> cases = {
      {"negative column", [](TGridStore& s) { s.GetCell(-1, 0); }},
      {"column at extent", [](TGridStore& s) { s.SetCell(5, 0, "x"); }},
      {"row at extent", [](TGridStore& s) { s.GetObject(0, 5); }},
      {"huge row", [](TGridStore& s) { s.SetObject(0, INT_MAX, nullptr); }},
      {"negative count", [](TGridStore& s) { s.SetRowCount(-1); }},
      {"absurd row count", [](TGridStore& s) { s.SetRowCount(INT_MAX); }},
      {"absurd column count", [](TGridStore& s) { s.SetColCount(TGridStore::MaxColCount + 1); }},
      {"move past count", [](TGridStore& s) { s.MoveRow(0, 5); }},
      {"move from negative", [](TGridStore& s) { s.MoveCol(-1, 0); }},
      {"insert past count", [](TGridStore& s) { s.InsertRows(6, 1); }},
      {"insert negative number", [](TGridStore& s) { s.InsertCols(0, -1); }},
      {"insert overflowing", [](TGridStore& s) { s.InsertRows(0, INT_MAX); }},
      {"delete past count", [](TGridStore& s) { s.DeleteRows(3, 3); }},
      {"delete at count", [](TGridStore& s) { s.DeleteCols(5, 1); }},
      {"take out unsorted rows", [](TGridStore& s) { s.TakeOutRows({2, 1}); }},
      {"take out a row twice", [](TGridStore& s) { s.TakeOutRows({1, 1}); }},
      {"take out at count", [](TGridStore& s) { s.TakeOutRows({5}); }},
      {"open past the new count", [](TGridStore& s) { s.OpenRows({0, 7}); }},
      {"open negative position", [](TGridStore& s) { s.OpenRows({-1}); }},
      {"width past count", [](TGridStore& s) { s.GetColWidth(5); }},
      {"negative height index", [](TGridStore& s) { s.SetRowHeight(-1, 3); }},
      {"offset past count", [](TGridStore& s) { s.ColOffset(6); }},
      {"view past extent", [](TGridStore& s) { s.Rows(5); }},
      {"view item past count", [](TGridStore& s) { s.Cols(0)->Strings(5); }},
      {"view add past count",
       [](TGridStore& s) {
         for (int i = 0; i < 6; ++i) s.Rows(0)->Add("x");
       }},
  };
  for (const auto& [name, call] : cases) {
    SCOPED_TRACE(name);
    TGridStore s(5, 5);
    try {
      call(s);
      ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message, "Grid index out of range");
    }
    EXPECT_EQ(s.GetRowCount(), 5);
    EXPECT_EQ(s.GetColCount(), 5);
  }
}

TEST(GridStore, ViewsReadAndAssignTextsAndObjects) {
  TracedGrid g;
  TStrings* row1 = g.Store.Rows(1);
  EXPECT_EQ(row1, g.Store.Rows(1));  // one view per index
  EXPECT_EQ(row1->Strings(3), Label(3, 1));
  EXPECT_EQ(row1->Objects(3), g.Obj(3, 1));
  EXPECT_EQ(g.Store.Cols(2)->Strings(4), Label(2, 4));
  EXPECT_EQ(g.Store.Cols(2)->Objects(4), g.Obj(2, 4));

  g.Store.Rows(3)->Assign(row1);
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(g.Store.GetCell(c, 3), Label(c, 1));
    EXPECT_EQ(g.Store.GetObject(c, 3), g.Obj(c, 1));
    EXPECT_EQ(g.Store.GetCell(c, 1), Label(c, 1));  // the source stays
  }
  g.Store.Cols(0)->Assign(g.Store.Cols(4));
  for (int r = 0; r < 5; ++r) EXPECT_EQ(g.Store.GetObject(0, r), g.Store.GetObject(4, r));

  // A shorter source empties the rest of the row, objects included.
  TStringList list;
  list.AddObject("a", g.Obj(0, 0));
  g.Store.Rows(2)->Assign(&list);
  EXPECT_EQ(g.Store.Rows(2)->GetCommaText(), "a,,,,");
  EXPECT_EQ(g.Store.GetObject(0, 2), g.Obj(0, 0));
  EXPECT_EQ(g.Store.GetObject(1, 2), nullptr);
}

TEST(GridStore, ViewClearEmptiesTextsAndKeepsObjects) {
  TracedGrid g;
  g.Store.Rows(0)->Clear();
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(g.Store.GetCell(c, 0), "");
    EXPECT_EQ(g.Store.GetObject(c, 0), g.Obj(c, 0));
  }
  // The list setters clear and fill the cells in order.
  g.Store.Cols(1)->SetCommaText("x,\"y z\"");
  EXPECT_EQ(g.Store.Cols(1)->GetText(), "x\r\ny z\r\n\r\n\r\n\r\n");
  EXPECT_EQ(g.Store.GetObject(1, 1), g.Obj(1, 1));
  EXPECT_THROW(g.Store.Rows(0)->Insert(0, "x"), EInvalidOperation);
  EXPECT_THROW(g.Store.Rows(0)->Delete(0), EInvalidOperation);
}

TEST(GridStore, MillionRowsStaySparse) {
  TGridStore s(20, 1);
  s.SetRowCount(1000000);
  s.SetCell(19, 999999, "last");
  s.SetCell(3, 500000, "middle");
  s.InsertRows(500000, 1);
  s.MoveCol(3, 19);
  EXPECT_EQ(s.GetCell(19, 500001), "middle");
  EXPECT_EQ(s.GetCell(3, 500001), "");
  EXPECT_EQ(s.GetCell(18, 1000000), "last");
  s.DeleteRows(0, 500001);
  EXPECT_EQ(s.GetCell(19, 0), "middle");
  EXPECT_EQ(s.GetRowCount(), 500000);
}

TEST(GridStore, ObjectsInListsHeldObjectsByTheirColumnAfterMoves) {
  TracedGrid g;
  g.Store.MoveCol(0, 3);  // slots no longer match columns
  g.Store.SetObject(3, 2, nullptr);
  g.Store.SetRowCount(2);  // rows cut off by the count stay within the extent
  std::vector<std::string> found;
  for (const auto& h : g.Store.ObjectsIn(2, 1, 3, 99)) {
    EXPECT_EQ(h.Object, g.Store.GetObject(h.Col, h.Row));
    found.push_back(std::to_string(h.Col) + "," + std::to_string(h.Row));
  }
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"2,1", "2,2", "2,3", "2,4", "3,1", "3,3", "3,4"}));
  EXPECT_EQ(g.Store.ObjectsIn(0, 0, -1, 4).size(), 0u);
}

}  // namespace
