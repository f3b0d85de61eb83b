// Second-level grouping: SubGroup inside the groups made by Group (or on a
// plain grid) and SubUnGroup back, compared cell by cell with the expected
// layout: texts, node markers and their state, row levels, merges, colours.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core_check.h"
#include "grid/viduzozezuvodu.h"

namespace {

struct TSubCase {
  const char* Name;
  bool Grouped;       // Group by the key column first
  bool Summary;       // Grouping.Summary
  bool MergeHeader;
  bool MergeSummary;
  bool Colours;       // header and summary colours set, else all clNone
  int Footers;        // fixed footer rows
  bool ContractB;     // group B contracted before SubGroup
  const char* AfterSub;
  const char* AfterUnSub;
};

// Column 1 the group key, column 2 the sub key, column 3 numbers the rows;
// an optional footer row below.
void Fill(VIduZozezuVodu& G, const TSubCase& C) {
  const char* Keys[] = {"A", "A", "A", "A", "B", "B", "B"};
  const char* Subs[] = {"x", "x", "y", "z", "z", "z", "w"};
  G.SetColCount(4);
  G.SetRowCount(8 + C.Footers);
  G.SetCells(1, 0, "key");
  G.SetCells(2, 0, "sub");
  G.SetCells(3, 0, "n");
  for (int r = 1; r <= 7; ++r) {
    G.SetCells(1, r, Keys[r - 1]);
    G.SetCells(2, r, Subs[r - 1]);
    G.SetCells(3, r, std::to_string(r));
  }
  if (C.Footers > 0) {
    for (int c = 1; c < 4; ++c) G.SetCells(c, 8, "f" + std::to_string(c));
    G.SetFixedFooters(C.Footers);
  }
  TGrouping* Gr = G.GetGrouping();
  Gr->Summary = C.Summary;
  Gr->MergeHeader = C.MergeHeader;
  Gr->MergeSummary = C.MergeSummary;
  if (C.Colours) {
    Gr->HeaderColor = clBtnFace;  // a system colour: converted rows show its RGB value
    Gr->HeaderColorTo = clYellow;
    Gr->HeaderTextColor = clRed;
    Gr->SummaryColor = clInfoBk;
    Gr->SummaryTextColor = clBlue;
  }
}

// The dump without its first line (row count and group column).
std::string RowsOf(const std::string& D) { return D.substr(D.find('\n')); }

std::string Colour(TColor C) { return C == clNone ? "-" : std::to_string(static_cast<long long>(C)); }

// One line per displayed row: the texts ("." for empty); a node as
// N span/sub-nodes/variant, "c" when contracted, "@" the row it was made
// at; S for a summary row; L the row's level; then cC=colour,colour-to,
// font colour and ",mW" for a merge W columns wider, for cells with any.
std::string Dump(VIduZozezuVodu& G) {
  std::ostringstream S;
  S << "rows " << G.GetRowCount() << " hidden " << G.GetHiddenRowStore()->GetCount() << " group "
    << G.GetGroupColumn() << "\n";
  for (int r = 0; r < G.GetRowCount(); ++r) {
    S << r << ":";
    for (int c = 0; c < G.GetColCount(); ++c) S << " " << (G.GetCells(c, r).empty() ? "." : G.GetCells(c, r));
    if (G.IsNode(r)) {
      TCellGraphic* N = G.GetCellGraphic(0, r);
      const int* Var = std::get_if<int>(&N->CellVariant);
      S << " N" << N->CellIndex << "/" << N->CellErrFrom << "/" << (Var ? *Var : -99) << (N->CellBoolean ? "c" : "")
        << "@" << N->CellAngle;
    } else if (G.IsSummary(r)) {
      S << " S";
    }
    if (G.HasCellProperties(0, r)) S << " L" << G.GetCellProperties(0, r)->NodeLevel;
    for (int c = 0; c < G.GetColCount(); ++c) {
      if (!G.HasCellProperties(c, r)) continue;
      TCellProperties* P = G.GetCellProperties(c, r);
      std::string Look = Colour(G.GetColors(c, r)) + "," + Colour(G.GetColorsTo(c, r)) + "," + Colour(G.GetFontColors(c, r));
      if (P->IsBaseCell && P->CellSpanX > 0) Look += ",m" + std::to_string(P->CellSpanX);
      if (Look != "-,-,-") S << " c" << c << "=" << Look;
    }
    S << "\n";
  }
  return S.str();
}

const TSubCase Cases[] = {
    // On a plain grid the first row stands where a group header would and
    // stays outside; the way back leaves it as it is.
    {"Plain", false, false, false, false, false, 0, false,
     R"(rows 12 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . . . x N2/0/2@2 L1 c0=-,-,-2147483640
3: . A . 2 L1 c0=-,-,-2147483640
4: . . . y N2/0/2@4 L1 c0=-,-,-2147483640
5: . A . 3 L1 c0=-,-,-2147483640
6: . . . z N4/0/2@6 L1 c0=-,-,-2147483640
7: . A . 4 L1 c0=-,-,-2147483640
8: . B . 5 L1 c0=-,-,-2147483640
9: . B . 6 L1 c0=-,-,-2147483640
10: . . . w N2/0/2@10 L1 c0=-,-,-2147483640
11: . B . 7 L1 c0=-,-,-2147483640
)",
     R"(rows 8 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . A x 2 L0 c0=-,-,-2147483640
3: . A y 3 L0 c0=-,-,-2147483640
4: . A z 4 L0 c0=-,-,-2147483640
5: . B z 5 L0 c0=-,-,-2147483640
6: . B z 6 L0 c0=-,-,-2147483640
7: . B w 7 L0 c0=-,-,-2147483640
)"},
    {"PlainSummaryColours", false, true, false, false, true, 0, false,
     R"(rows 13 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . . . x N2/0/2@2 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255 c3=13160660,65535,255
3: . A . 2 L1 c0=-,-,-2147483640
4: . . . y N2/0/2@4 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255 c3=13160660,65535,255
5: . A . 3 L1 c0=-,-,-2147483640
6: . . . z N4/0/2@6 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255 c3=13160660,65535,255
7: . A . 4 L1 c0=-,-,-2147483640
8: . B . 5 L1 c0=-,-,-2147483640
9: . B . 6 L1 c0=-,-,-2147483640
10: . . . w N2/0/2@10 L1 c0=-,-,-2147483640 c1=-2147483633,65535,255 c2=-2147483633,65535,255 c3=-2147483633,65535,255
11: . B . 7 L1 c0=-,-,-2147483640
12: . . . . S L0 c0=-,-,-2147483640 c1=-2147483624,-,16711680 c2=-2147483624,-,16711680 c3=-2147483624,-,16711680
)",
     R"(rows 9 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . A x 2 L0 c0=-,-,-2147483640
3: . A y 3 L0 c0=-,-,-2147483640
4: . A z 4 L0 c0=-,-,-2147483640
5: . B z 5 L0 c0=-,-,-2147483640
6: . B z 6 L0 c0=-,-,-2147483640
7: . B w 7 L0 c0=-,-,-2147483640
8: . . . . S L0 c0=-,-,-2147483640 c1=-2147483624,-,16711680 c2=-2147483624,-,16711680 c3=-2147483624,-,16711680
)"},
    {"PlainMergedSummary", false, true, false, true, true, 0, false,
     R"(rows 13 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . . . x N2/0/2@2 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255 c3=13160660,65535,255
3: . A . 2 L1 c0=-,-,-2147483640
4: . . . y N2/0/2@4 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255 c3=13160660,65535,255
5: . A . 3 L1 c0=-,-,-2147483640
6: . . . z N4/0/2@6 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255 c3=13160660,65535,255
7: . A . 4 L1 c0=-,-,-2147483640
8: . B . 5 L1 c0=-,-,-2147483640
9: . B . 6 L1 c0=-,-,-2147483640
10: . . . w N2/0/2@10 L1 c0=-,-,-2147483640 c1=-2147483633,65535,255 c2=-2147483633,65535,255 c3=-2147483633,65535,255
11: . B . 7 L1 c0=-,-,-2147483640
12: . . . . S L0 c0=-,-,-2147483640 c3=-2147483624,-,16711680
)",
     R"(rows 9 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . A x 2 L0 c0=-,-,-2147483640
3: . A y 3 L0 c0=-,-,-2147483640
4: . A z 4 L0 c0=-,-,-2147483640
5: . B z 5 L0 c0=-,-,-2147483640
6: . B z 6 L0 c0=-,-,-2147483640
7: . B w 7 L0 c0=-,-,-2147483640
8: . . . . S L0 c0=-,-,-2147483640 c3=-2147483624,-,16711680
)"},
    // The footer row keeps its texts; the summary row goes in above it.
    {"PlainFooterSummary", false, true, false, false, false, 1, false,
     R"(rows 14 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . . . x N2/0/2@2 L1 c0=-,-,-2147483640
3: . A . 2 L1 c0=-,-,-2147483640
4: . . . y N2/0/2@4 L1 c0=-,-,-2147483640
5: . A . 3 L1 c0=-,-,-2147483640
6: . . . z N4/0/2@6 L1 c0=-,-,-2147483640
7: . A . 4 L1 c0=-,-,-2147483640
8: . B . 5 L1 c0=-,-,-2147483640
9: . B . 6 L1 c0=-,-,-2147483640
10: . . . w N2/0/2@10 L1 c0=-,-,-2147483640
11: . B . 7 L1 c0=-,-,-2147483640
12: . . . . S L0 c0=-,-,-2147483640
13: . f1 f2 f3
)",
     R"(rows 10 hidden 0 group 2
0: . key sub n
1: . A x 1
2: . A x 2 L0 c0=-,-,-2147483640
3: . A y 3 L0 c0=-,-,-2147483640
4: . A z 4 L0 c0=-,-,-2147483640
5: . B z 5 L0 c0=-,-,-2147483640
6: . B z 6 L0 c0=-,-,-2147483640
7: . B w 7 L0 c0=-,-,-2147483640
8: . . . . S L0 c0=-,-,-2147483640
9: . f1 f2 f3
)"},
    {"Grouped", true, false, false, false, false, 0, false,
     R"(rows 15 hidden 0 group 1
0: . sub n
1: . A . N8/3/-1@1 L1 c0=-,-,-2147483640
2: . . x N3/0/1@2 L2 c0=-,-,-2147483640
3: . . 1 L2 c0=-,-,-2147483640
4: . . 2 L2 c0=-,-,-2147483640
5: . . y N2/0/1@5 L2 c0=-,-,-2147483640
6: . . 3 L2 c0=-,-,-2147483640
7: . . z N2/0/1@7 L2 c0=-,-,-2147483640
8: . . 4 L2 c0=-,-,-2147483640
9: . B . N6/2/-1@6 L1 c0=-,-,-2147483640
10: . . w N2/0/1@10 L2 c0=-,-,-2147483640
11: . . 7 L2 c0=-,-,-2147483640
12: . . z N3/0/1@12 L2 c0=-,-,-2147483640
13: . . 5 L2 c0=-,-,-2147483640
14: . . 6 L2 c0=-,-,-2147483640
)",
     R"(rows 10 hidden 0 group 1
0: . sub n
1: . A . N5/0/-1@1 L1 c0=-,-,-2147483640
2: . x 1 L1 c0=-,-,-2147483640
3: . x 2 L1 c0=-,-,-2147483640
4: . y 3 L1 c0=-,-,-2147483640
5: . z 4 L1 c0=-,-,-2147483640
6: . B . N4/0/-1@6 L1 c0=-,-,-2147483640
7: . w 7 L1 c0=-,-,-2147483640
8: . z 5 L1 c0=-,-,-2147483640
9: . z 6 L1 c0=-,-,-2147483640
)"},
    // Summary rows keep their cells on the way back.
    {"GroupedSummary", true, true, false, false, true, 0, false,
     R"(rows 17 hidden 0 group 1
0: . sub n
1: . A . N8/3/-1@1 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
2: . . x N3/0/1@2 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
3: . . 1 L2 c0=-,-,-2147483640
4: . . 2 L2 c0=-,-,-2147483640
5: . . y N2/0/1@5 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
6: . . 3 L2 c0=-,-,-2147483640
7: . . z N2/0/1@7 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
8: . . 4 L2 c0=-,-,-2147483640
9: . . . S L0 c0=-,-,-2147483640 c1=14811135,-,16711680 c2=14811135,-,16711680
10: . B . N6/2/-1@7 L1 c0=-,-,-2147483640 c1=-2147483633,65535,255 c2=-2147483633,65535,255
11: . . w N2/0/1@11 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
12: . . 7 L2 c0=-,-,-2147483640
13: . . z N3/0/1@13 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
14: . . 5 L2 c0=-,-,-2147483640
15: . . 6 L2 c0=-,-,-2147483640
16: . . . S L0 c0=-,-,-2147483640 c1=-2147483624,-,16711680 c2=-2147483624,-,16711680
)",
     R"(rows 12 hidden 0 group 1
0: . sub n
1: . A . N5/0/-1@1 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
2: . x 1 L1 c0=-,-,-2147483640
3: . x 2 L1 c0=-,-,-2147483640
4: . y 3 L1 c0=-,-,-2147483640
5: . z 4 L1 c0=-,-,-2147483640
6: . . . S L0 c0=-,-,-2147483640 c1=14811135,-,16711680 c2=14811135,-,16711680
7: . B . N4/0/-1@7 L1 c0=-,-,-2147483640 c1=-2147483633,65535,255 c2=-2147483633,65535,255
8: . w 7 L1 c0=-,-,-2147483640
9: . z 5 L1 c0=-,-,-2147483640
10: . z 6 L1 c0=-,-,-2147483640
11: . . . S L0 c0=-,-,-2147483640 c1=-2147483624,-,16711680 c2=-2147483624,-,16711680
)"},
    {"GroupedColours", true, false, false, false, true, 0, false,
     R"(rows 15 hidden 0 group 1
0: . sub n
1: . A . N8/3/-1@1 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
2: . . x N3/0/1@2 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
3: . . 1 L2 c0=-,-,-2147483640
4: . . 2 L2 c0=-,-,-2147483640
5: . . y N2/0/1@5 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
6: . . 3 L2 c0=-,-,-2147483640
7: . . z N2/0/1@7 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
8: . . 4 L2 c0=-,-,-2147483640
9: . B . N6/2/-1@6 L1 c0=-,-,-2147483640 c1=-2147483633,65535,255 c2=-2147483633,65535,255
10: . . w N2/0/1@10 L2 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
11: . . 7 L2 c0=-,-,-2147483640
12: . . z N3/0/1@12 L2 c0=-,-,-2147483640 c1=-2147483633,65535,255 c2=-2147483633,65535,255
13: . . 5 L2 c0=-,-,-2147483640
14: . . 6 L2 c0=-,-,-2147483640
)",
     R"(rows 10 hidden 0 group 1
0: . sub n
1: . A . N5/0/-1@1 L1 c0=-,-,-2147483640 c1=13160660,65535,255 c2=13160660,65535,255
2: . x 1 L1 c0=-,-,-2147483640
3: . x 2 L1 c0=-,-,-2147483640
4: . y 3 L1 c0=-,-,-2147483640
5: . z 4 L1 c0=-,-,-2147483640
6: . B . N4/0/-1@6 L1 c0=-,-,-2147483640 c1=-2147483633,65535,255 c2=-2147483633,65535,255
7: . w 7 L1 c0=-,-,-2147483640
8: . z 5 L1 c0=-,-,-2147483640
9: . z 6 L1 c0=-,-,-2147483640
)"},
    {"GroupedMergedHeaders", true, false, true, false, true, 0, false,
     R"(rows 15 hidden 0 group 1
0: . sub n
1: . A . N8/3/-1@1 L1 c0=-,-,-2147483640 c1=13160660,65535,255,m1 c2=-2147483643,-,-2147483640
2: . . x N3/0/1@2 L2 c0=-,-,-2147483640 c2=13160660,65535,255
3: . . 1 L2 c0=-,-,-2147483640
4: . . 2 L2 c0=-,-,-2147483640
5: . . y N2/0/1@5 L2 c0=-,-,-2147483640 c2=13160660,65535,255
6: . . 3 L2 c0=-,-,-2147483640
7: . . z N2/0/1@7 L2 c0=-,-,-2147483640 c2=13160660,65535,255
8: . . 4 L2 c0=-,-,-2147483640
9: . B . N6/2/-1@6 L1 c0=-,-,-2147483640 c1=13160660,65535,255,m1 c2=-2147483643,-,-2147483640
10: . . w N2/0/1@10 L2 c0=-,-,-2147483640 c2=13160660,65535,255
11: . . 7 L2 c0=-,-,-2147483640
12: . . z N3/0/1@12 L2 c0=-,-,-2147483640 c2=-2147483633,65535,255
13: . . 5 L2 c0=-,-,-2147483640
14: . . 6 L2 c0=-,-,-2147483640
)",
     R"(rows 10 hidden 0 group 1
0: . sub n
1: . A . N5/0/-1@1 L1 c0=-,-,-2147483640 c1=13160660,65535,255,m1 c2=-2147483643,-,-2147483640
2: . x 1 L1 c0=-,-,-2147483640
3: . x 2 L1 c0=-,-,-2147483640
4: . y 3 L1 c0=-,-,-2147483640
5: . z 4 L1 c0=-,-,-2147483640
6: . B . N4/0/-1@6 L1 c0=-,-,-2147483640 c1=13160660,65535,255,m1 c2=-2147483643,-,-2147483640
7: . w 7 L1 c0=-,-,-2147483640
8: . z 5 L1 c0=-,-,-2147483640
9: . z 6 L1 c0=-,-,-2147483640
)"},
    // The footer row keeps its texts.
    {"GroupedFooter", true, false, false, false, false, 1, false,
     R"(rows 16 hidden 0 group 1
0: . sub n
1: . A . N8/3/-1@1 L1 c0=-,-,-2147483640
2: . . x N3/0/1@2 L2 c0=-,-,-2147483640
3: . . 1 L2 c0=-,-,-2147483640
4: . . 2 L2 c0=-,-,-2147483640
5: . . y N2/0/1@5 L2 c0=-,-,-2147483640
6: . . 3 L2 c0=-,-,-2147483640
7: . . z N2/0/1@7 L2 c0=-,-,-2147483640
8: . . 4 L2 c0=-,-,-2147483640
9: . B . N6/2/-1@6 L1 c0=-,-,-2147483640
10: . . w N2/0/1@10 L2 c0=-,-,-2147483640
11: . . 7 L2 c0=-,-,-2147483640
12: . . z N3/0/1@12 L2 c0=-,-,-2147483640
13: . . 5 L2 c0=-,-,-2147483640
14: . . 6 L2 c0=-,-,-2147483640
15: . f2 f3
)",
     R"(rows 11 hidden 0 group 1
0: . sub n
1: . A . N5/0/-1@1 L1 c0=-,-,-2147483640
2: . x 1 L1 c0=-,-,-2147483640
3: . x 2 L1 c0=-,-,-2147483640
4: . y 3 L1 c0=-,-,-2147483640
5: . z 4 L1 c0=-,-,-2147483640
6: . B . N4/0/-1@6 L1 c0=-,-,-2147483640
7: . w 7 L1 c0=-,-,-2147483640
8: . z 5 L1 c0=-,-,-2147483640
9: . z 6 L1 c0=-,-,-2147483640
10: . f2 f3
)"},
    // A contracted group is left as it is, node and hidden rows included.
    {"GroupedContracted", true, false, false, false, false, 0, true,
     R"(rows 10 hidden 3 group 1
0: . sub n
1: . A . N8/3/-1@1 L1 c0=-,-,-2147483640
2: . . x N3/0/1@2 L2 c0=-,-,-2147483640
3: . . 1 L2 c0=-,-,-2147483640
4: . . 2 L2 c0=-,-,-2147483640
5: . . y N2/0/1@5 L2 c0=-,-,-2147483640
6: . . 3 L2 c0=-,-,-2147483640
7: . . z N2/0/1@7 L2 c0=-,-,-2147483640
8: . . 4 L2 c0=-,-,-2147483640
9: . B . N4/0/-1c@6 L1 c0=-,-,-2147483640
)",
     R"(rows 10 hidden 0 group 1
0: . sub n
1: . A . N5/0/-1@1 L1 c0=-,-,-2147483640
2: . x 1 L1 c0=-,-,-2147483640
3: . x 2 L1 c0=-,-,-2147483640
4: . y 3 L1 c0=-,-,-2147483640
5: . z 4 L1 c0=-,-,-2147483640
6: . B . N4/0/-1@6 L1 c0=-,-,-2147483640
7: . w 7 L1 c0=-,-,-2147483640
8: . z 5 L1 c0=-,-,-2147483640
9: . z 6 L1 c0=-,-,-2147483640
)"},
};

}  // namespace

TEST(StructureSubGroup, LayoutAndBack) {
  for (const TSubCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    VIduZozezuVodu G(nullptr);
    Fill(G, C);
    int Col = 2;
    if (C.Grouped) {
      G.Group(1);
      Col = 1;  // the key column went
    }
    if (C.ContractB)
      for (int r = G.GetRowCount() - 1; r > 0; --r)
        if (G.IsNode(r)) {
          G.ContractNode(G.RealRowIndex(r));
          break;
        }
    G.SubGroup(Col);
    EXPECT_EQ(Dump(G), C.AfterSub);
    CheckHidden(G);
    G.SubUnGroup(Col);
    EXPECT_EQ(Dump(G), C.AfterUnSub);
    CheckHidden(G);
  }
}

// Two levels under a group: each SubUnGroup gives back exactly the layout
// before its SubGroup, node spans included.
TEST(StructureSubGroup, NestedLevelsComeBackInTurn) {
  VIduZozezuVodu G(nullptr);
  const char* Keys[] = {"A", "A", "A", "A", "A", "B", "B", "B"};
  const char* Subs[] = {"x", "x", "x", "y", "y", "x", "y", "y"};
  const char* Deep[] = {"p", "q", "q", "p", "q", "p", "p", "q"};
  G.SetColCount(5);
  G.SetRowCount(9);
  for (int r = 1; r <= 8; ++r) {
    G.SetCells(1, r, Keys[r - 1]);
    G.SetCells(2, r, Subs[r - 1]);
    G.SetCells(3, r, Deep[r - 1]);
    G.SetCells(4, r, std::to_string(r));
  }
  G.GetSortSettings()->AutoSortForGrouping = false;
  G.Group(1);
  const std::string Grouped = Dump(G);
  G.SubGroup(1);
  const std::string Sub = Dump(G);
  G.SubGroup(2);
  // Group A: its header, two subgroups each split again, every node
  // spanning its own rows and the headers below it.
  EXPECT_EQ(G.GetNodeSpan(1), 12);
  EXPECT_EQ(G.GetNodeSpan(2), 6);   // x: p, q q
  EXPECT_EQ(G.GetNodeSpan(3), 2);
  EXPECT_EQ(G.GetNodeSpan(5), 3);
  EXPECT_EQ(G.GetNodeSpan(8), 5);   // y: p, q
  EXPECT_EQ(G.GetNodeLevel(5), 3);
  EXPECT_EQ(G.GetCells(3, 5), "q");
  CheckHidden(G);
  G.ContractAll();
  EXPECT_EQ(G.GetRowCount(), 3);
  G.SubUnGroup(2);
  EXPECT_EQ(RowsOf(Dump(G)), RowsOf(Sub));
  G.SubUnGroup(1);
  EXPECT_EQ(RowsOf(Dump(G)), RowsOf(Grouped));
  CheckHidden(G);
}

// A value equal to the text compared before the first row, right after a
// group header, starts no subgroup and does not stop the walk.
TEST(StructureSubGroup, SentinelTextAfterAHeader) {
  VIduZozezuVodu G(nullptr);
  G.SetColCount(4);
  G.SetRowCount(4);
  const char* Subs[] = {"\xFF\xFE", "\xFF\xFE", "x"};
  for (int r = 1; r <= 3; ++r) {
    G.SetCells(1, r, "A");
    G.SetCells(2, r, Subs[r - 1]);
  }
  G.GetSortSettings()->AutoSortForGrouping = false;
  G.Group(1);
  G.SubGroup(1);
  ASSERT_EQ(G.GetRowCount(), 6);
  EXPECT_FALSE(G.IsNode(2));
  EXPECT_FALSE(G.IsNode(3));
  EXPECT_TRUE(G.IsNode(4));
  EXPECT_EQ(G.GetCells(2, 4), "x");
  EXPECT_EQ(G.GetNodeSpan(1), 5);
  G.SubUnGroup(1);
  EXPECT_EQ(G.GetRowCount(), 5);
  EXPECT_EQ(G.GetCells(1, 4), "x");
}

// With no row below the first normal row there is nothing to split: no
// header, no summary, no row written.
TEST(StructureSubGroup, NothingToGroup) {
  for (int Normal : {0, 1}) {
    SCOPED_TRACE(Normal);
    VIduZozezuVodu G(nullptr);
    G.SetColCount(4);
    G.SetRowCount(2 + Normal);
    G.SetFixedFooters(1);
    G.SetCells(1, 1 + Normal, "foot");
    if (Normal) G.SetCells(1, 1, "x");
    G.GetGrouping()->Summary = true;
    const std::string Before = Dump(G);
    G.SubGroup(1);
    EXPECT_EQ(RowsOf(Dump(G)), RowsOf(Before));
    EXPECT_EQ(G.GetGroupColumn(), 1);
  }
}
