// The cell store against a plain dense model under random sequences of
// edits: every cell within the extent, every size, offset and hit must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/grids/gridstore.h"

namespace {

struct Model {
  int Cols, Rows, DefW = 8, DefH = 5;
  std::vector<std::vector<std::string>> Cells;  // [row][col] over the extent
  std::vector<int> Widths, Heights;             // over the counts

  Model(int c, int r)
      : Cols(c), Rows(r), Cells(r, std::vector<std::string>(c)), Widths(c, 8), Heights(r, 5) {}
  int ColExtent() const { return Cells.empty() ? Cols : static_cast<int>(Cells[0].size()); }
};

template <class V>
void Rotate(V& v, int from, int to) {
  if (from < to)
    std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
  else if (from > to)
    std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}

void ExpectSame(const TGridStore& s, const Model& m) {
  ASSERT_EQ(s.GetColCount(), m.Cols);
  ASSERT_EQ(s.GetRowCount(), m.Rows);
  ASSERT_EQ(s.GetRowExtent(), static_cast<int>(m.Cells.size()));
  ASSERT_EQ(s.GetColExtent(), m.ColExtent());
  for (int r = 0; r < s.GetRowExtent(); ++r)
    for (int c = 0; c < s.GetColExtent(); ++c)
      ASSERT_EQ(s.GetCell(c, r), m.Cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
          << c << "," << r;
  auto axis = [](const std::vector<int>& sizes, auto size, auto offset, auto at) {
    Int64 x = 0;
    std::vector<int> owner;  // pixel -> index
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      ASSERT_EQ(size(static_cast<int>(i)), sizes[i]) << "size " << i;
      ASSERT_EQ(offset(static_cast<int>(i)), x) << "offset " << i;
      for (int p = 0; p < std::max(sizes[i], 0); ++p) owner.push_back(static_cast<int>(i));
      x += std::max(sizes[i], 0);
    }
    ASSERT_EQ(offset(static_cast<int>(sizes.size())), x);
    for (std::size_t p = 0; p <= owner.size(); ++p)
      ASSERT_EQ(at(static_cast<Int64>(p)), p < owner.size() ? owner[p] : -1) << "pixel " << p;
  };
  axis(
      m.Widths, [&](int i) { return s.GetColWidth(i); }, [&](int i) { return s.ColOffset(i); },
      [&](Int64 x) { return s.ColAt(x); });
  axis(
      m.Heights, [&](int i) { return s.GetRowHeight(i); }, [&](int i) { return s.RowOffset(i); },
      [&](Int64 y) { return s.RowAt(y); });
}

TEST(GridStoreModel, RandomEditsMatchADenseModel) {
  for (unsigned run = 1; run <= 40; ++run) {
    SCOPED_TRACE(run);
    std::mt19937 rng(run);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    TGridStore s(3, 4, 8, 5);
    Model m(3, 4);
    for (int step = 0; step < 150; ++step) {
      int op = pick(16);
      int ce = m.ColExtent(), re = static_cast<int>(m.Cells.size());
      switch (op) {
        case 0:
        case 1: {  // a cell anywhere in the extent
          int c = pick(ce), r = pick(re);
          std::string t = pick(4) == 0 ? "" : std::to_string(step);
          s.SetCell(c, r, t);
          m.Cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = t;
          break;
        }
        case 2:
          if (m.Cols > 0) {
            int c = pick(m.Cols), w = pick(12) - 1;
            s.SetColWidth(c, w);
            m.Widths[static_cast<std::size_t>(c)] = w;
          }
          break;
        case 3:
          if (m.Rows > 0) {
            int r = pick(m.Rows), h = pick(9);
            s.SetRowHeight(r, h);
            m.Heights[static_cast<std::size_t>(r)] = h;
          }
          break;
        case 4: {  // column count, the extent only grows
          int n = pick(9);
          s.SetColCount(n);
          m.Widths.resize(static_cast<std::size_t>(n), m.DefW);
          m.Cols = n;
          for (auto& row : m.Cells) row.resize(static_cast<std::size_t>(std::max(ce, n)));
          break;
        }
        case 5: {
          int n = pick(10);
          s.SetRowCount(n);
          m.Heights.resize(static_cast<std::size_t>(n), m.DefH);
          m.Rows = n;
          if (n > re)
            m.Cells.resize(static_cast<std::size_t>(n),
                           std::vector<std::string>(static_cast<std::size_t>(ce)));
          break;
        }
        case 6:
          if (m.Rows > 0) {
            int a = pick(m.Rows), b = pick(m.Rows);
            s.MoveRow(a, b);
            Rotate(m.Cells, a, b);
            Rotate(m.Heights, a, b);
          }
          break;
        case 7:
          if (m.Cols > 0) {
            int a = pick(m.Cols), b = pick(m.Cols);
            s.MoveCol(a, b);
            for (auto& row : m.Cells) Rotate(row, a, b);
            Rotate(m.Widths, a, b);
          }
          break;
        case 8: {
          int at = pick(m.Rows + 1), n = pick(3);
          s.InsertRows(at, n);
          m.Cells.insert(m.Cells.begin() + at, static_cast<std::size_t>(n),
                         std::vector<std::string>(static_cast<std::size_t>(ce)));
          m.Heights.insert(m.Heights.begin() + at, static_cast<std::size_t>(n), m.DefH);
          m.Rows += n;
          break;
        }
        case 9:
          if (m.Rows > 0) {
            int at = pick(m.Rows), n = pick(m.Rows - at + 1);
            s.DeleteRows(at, n);
            m.Cells.erase(m.Cells.begin() + at, m.Cells.begin() + at + n);
            m.Cells.resize(static_cast<std::size_t>(re),
                           std::vector<std::string>(static_cast<std::size_t>(ce)));
            m.Heights.erase(m.Heights.begin() + at, m.Heights.begin() + at + n);
            m.Rows -= n;
          }
          break;
        case 10: {
          int at = pick(m.Cols + 1), n = pick(3);
          s.InsertCols(at, n);
          for (auto& row : m.Cells)
            row.insert(row.begin() + at, static_cast<std::size_t>(n), std::string());
          m.Widths.insert(m.Widths.begin() + at, static_cast<std::size_t>(n), m.DefW);
          m.Cols += n;
          break;
        }
        case 11:
          if (m.Cols > 0) {
            int at = pick(m.Cols), n = pick(m.Cols - at + 1);
            s.DeleteCols(at, n);
            for (auto& row : m.Cells) {
              row.erase(row.begin() + at, row.begin() + at + n);
              row.resize(static_cast<std::size_t>(ce));
            }
            m.Widths.erase(m.Widths.begin() + at, m.Widths.begin() + at + n);
            m.Cols -= n;
          }
          break;
        case 12:
          if (pick(4) == 0) {
            m.DefH = pick(6);
            s.SetDefaultRowHeight(m.DefH);
            std::fill(m.Heights.begin(), m.Heights.end(), m.DefH);
          }
          break;
        case 13:  // scattered rows out at once; the rows past the count stay put
          if (m.Rows > 0) {
            std::vector<int> out;
            for (int r = 0; r < m.Rows; ++r)
              if (pick(3) == 0) out.push_back(r);
            s.TakeOutRows(out);
            std::vector<std::vector<std::string>> kept;
            std::vector<int> heights;
            for (int r = 0, j = 0; r < m.Rows; ++r) {
              if (j < static_cast<int>(out.size()) && out[static_cast<std::size_t>(j)] == r) {
                ++j;
                continue;
              }
              kept.push_back(m.Cells[static_cast<std::size_t>(r)]);
              heights.push_back(m.Heights[static_cast<std::size_t>(r)]);
            }
            kept.resize(static_cast<std::size_t>(m.Rows), std::vector<std::string>(static_cast<std::size_t>(ce)));
            heights.resize(static_cast<std::size_t>(m.Rows), m.DefH);
            std::copy(kept.begin(), kept.end(), m.Cells.begin());
            m.Heights = heights;
          }
          break;
        case 14: {  // empty rows at scattered final positions
          int k = pick(4), total = m.Rows + k;
          std::vector<int> at;
          for (int r = 0; r < total && static_cast<int>(at.size()) < k; ++r)
            if (pick(total) < k * 2 || total - r == k - static_cast<int>(at.size())) at.push_back(r);
          k = static_cast<int>(at.size());
          s.OpenRows(at);
          for (int p : at) {
            m.Cells.insert(m.Cells.begin() + p, std::vector<std::string>(static_cast<std::size_t>(ce)));
            m.Heights.insert(m.Heights.begin() + p, m.DefH);
          }
          m.Rows += k;
          // The extent grows only as far as rows pushed past it hold text.
          auto keep = static_cast<std::size_t>(std::max(re, m.Rows));
          while (m.Cells.size() > keep &&
                 std::all_of(m.Cells.back().begin(), m.Cells.back().end(), [](auto& t) { return t.empty(); }))
            m.Cells.pop_back();
          break;
        }
        default:  // row and column views copy whole rows and columns
          if (m.Rows > 0 && m.Cols > 0) {
            int a = pick(m.Rows), b = pick(m.Rows);
            s.Rows(a)->Assign(s.Rows(b));
            for (int c = 0; c < m.Cols; ++c)
              m.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(c)] =
                  m.Cells[static_cast<std::size_t>(b)][static_cast<std::size_t>(c)];
            int x = pick(m.Cols), y = pick(m.Cols);
            s.Cols(x)->Assign(s.Cols(y));
            for (int r = 0; r < m.Rows; ++r)
              m.Cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)] =
                  m.Cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(y)];
          }
          break;
      }
      ASSERT_NO_FATAL_FAILURE(ExpectSame(s, m)) << "step " << step << " op " << op;
    }
  }
}

// Short moves and cuts at the end patch the prefix sums in place on a long
// axis; offsets and hits must still match plain sums.
TEST(GridStoreModel, SmallEditsOnALongAxisMatchPlainSums) {
  std::mt19937 rng(7);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  TGridStore s(1, 2000, 64, 5);
  std::vector<int> heights(2000);
  for (int r = 0; r < 2000; ++r) s.SetRowHeight(r, heights[static_cast<std::size_t>(r)] = pick(4));
  for (int step = 0; step < 300; ++step) {
    int n = s.GetRowCount();
    switch (pick(5)) {
      case 0: {
        int a = pick(n), b = std::clamp(a + pick(7) - 3, 0, n - 1);
        s.MoveRow(a, b);
        Rotate(heights, a, b);
        break;
      }
      case 1:
        s.SetRowCount(n - 1);
        heights.pop_back();
        break;
      case 2:
        s.DeleteRows(n - 2, 2);
        heights.resize(heights.size() - 2);
        break;
      case 3:
        s.SetRowCount(n + 1);
        heights.push_back(5);
        break;
      default: {
        int r = pick(n);
        s.SetRowHeight(r, heights[static_cast<std::size_t>(r)] = pick(4));
        break;
      }
    }
    Int64 y = 0;
    std::vector<Int64> offsets;
    for (int h : heights) {
      offsets.push_back(y);
      y += h;
    }
    for (std::size_t r = 0; r < heights.size(); ++r)
      ASSERT_EQ(s.RowOffset(static_cast<int>(r)), offsets[r]) << "step " << step << " row " << r;
    for (int probe = 0; probe < 20; ++probe) {
      Int64 p = pick(static_cast<int>(y) + 1);
      // The last row that starts at or before p and has a height.
      int expect = -1;
      for (std::size_t r = 0; r < heights.size(); ++r)
        if (offsets[r] <= p && p < offsets[r] + heights[r]) expect = static_cast<int>(r);
      ASSERT_EQ(s.RowAt(p), expect) << "step " << step << " pixel " << p;
    }
  }
}

}  // namespace
