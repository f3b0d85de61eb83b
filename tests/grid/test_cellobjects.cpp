// Cell objects: adding, reading, changing and removing pictures, progress
// displays, comments, buttons, scroll bars, markers, balloons and rotated
// text, and who owns what.
#include <gtest/gtest.h>

#include <functional>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

int BitmapsAlive = 0;
struct CountedBitmap : TBitmap {
  CountedBitmap() { ++BitmapsAlive; }
  ~CountedBitmap() override { --BitmapsAlive; }
};
int PicturesAlive = 0;
struct CountedPicture : TPicture {
  CountedPicture() { ++PicturesAlive; }
  ~CountedPicture() override { --PicturesAlive; }
};

class CellObjects : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 300);
    Grid = new VIduZozezuVodu(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* Grid = nullptr;
};

using GridStep = std::function<void(VIduZozezuVodu*)>;
using GridProbe = std::function<int(VIduZozezuVodu*)>;

// One operation on cell (1, 1) starting from a given graphic: what it
// answers and which type the cell is left with.
struct Case {
  const char* Name;
  GridStep Start;
  GridProbe Op;
  int Result;
  TCellType Left;
};

TEST_F(CellObjects, OperationTable) {
  static TBitmap keep;
  const GridStep none = [](VIduZozezuVodu*) {};
  const GridStep bitmap = [](VIduZozezuVodu* G) { G->AddBitmap(1, 1, &keep, false, haLeft, vaTop); };
  const GridStep button = [](VIduZozezuVodu* G) { G->AddButton(1, 1, 60, 20, "Go", haLeft, vaTop); };
  const GridStep comment = [](VIduZozezuVodu* G) { G->AddComment(1, 1, "note"); };
  const GridStep progress = [](VIduZozezuVodu* G) { G->AddProgress(1, 1, clRed, clWhite); };
  const GridStep xp = [](VIduZozezuVodu* G) { G->AddZytProgress(1, 1, 50, 150); };
  const GridStep scroll = [](VIduZozezuVodu* G) { G->AddScrollBar(1, 1, false); };
  const GridStep node = [](VIduZozezuVodu* G) { G->AddNode(1, 2); };
  const auto marker = [](VIduZozezuVodu* G) {
    int f = -9, l = -9;
    G->GetMarker(1, 1, f, l);
    return f * 10 + l;
  };
  const Case cases[] = {
      {"remove picture keeps a bitmap", bitmap, [](auto* G) { return int(G->RemovePicture(1, 1)); }, 0, ctBitmap},
      {"remove bitmap", bitmap, [](auto* G) { return int(G->RemoveBitmap(1, 1)); }, 1, ctEmpty},
      {"no bitmap in a button", button, [](auto* G) { return int(G->GetBitmap(1, 1) != nullptr); }, 0, ctButton},
      {"comment leaves a button", button,
       [](auto* G) {
         G->SetComment(1, 1, "x");
         return int(G->GetComment(1, 1).empty());
       },
       1, ctButton},
      {"comment on an empty cell", none,
       [](auto* G) {
         G->SetComment(1, 1, "x");
         return int(G->GetComment(1, 1) == "x");
       },
       1, ctComment},
      {"comment rewritten", comment,
       [](auto* G) {
         G->SetComment(1, 1, "y");
         AnsiString s;
         return int(G->IsComment(1, 1, s) && s == "y");
       },
       1, ctComment},
      {"remove comment", comment, [](auto* G) { return int(G->RemoveComment(1, 1)); }, 1, ctEmpty},
      {"scroll position without a bar", none, [](auto* G) { return G->GetScrollPosition(1, 1); }, -1, ctEmpty},
      {"scroll prop without a bar", button,
       [](auto* G) {
         TScrollProp p = G->GetScrollProp(1, 1);
         return p.PageSize * 10 + p.Range;
       },
       -11, ctButton},
      {"scroll bar defaults", scroll,
       [](auto* G) {
         TScrollProp p = G->GetScrollProp(1, 1);
         return p.PageSize * 1000 + p.Range * 10 + G->GetScrollPosition(1, 1);
       },
       1000, ctScrollbar},
      {"marker on a bitmap, then cleared", bitmap,
       [&](auto* G) {
         G->AddMarker(1, 1, 2, 3);
         const int before = marker(G);
         G->RemoveMarker(1, 1);
         return before * 100 + marker(G);
       },
       2300, ctBitmap},
      {"marker alone comes and goes", none,
       [&](auto* G) {
         G->AddMarker(1, 1, 4, 1);
         const int t = G->GetCellType(1, 1) == ctEmpty && G->GetCellGraphic(1, 1) ? 1 : 0;
         const int m = marker(G);
         G->RemoveMarker(1, 1);
         return t * 1000 + m * 10 + (G->GetCellGraphic(1, 1) ? 1 : 0);
       },
       1410, ctEmpty},
      {"no marker without a graphic", none, marker, 0, ctEmpty},
      // Progress and scroll bars keep their ranges in the marker fields.
      {"marker leaves a progress range", progress,
       [&](auto* G) {
         G->AddMarker(1, 1, 7, 7);
         G->RemoveMarker(1, 1);
         G->RemoveAllMarkers();
         TCellGraphic* g = G->GetCellGraphic(1, 1);
         return g->CellErrFrom * 1000 + g->CellErrLen;
       },
       100, ctProgress},
      {"marker leaves a gauge range", xp,
       [](auto* G) {
         G->AddMarker(1, 1, 7, 7);
         TCellGraphic* g = G->GetCellGraphic(1, 1);
         return g->CellErrFrom * 1000 + g->CellErrLen;
       },
       50150, ctXPProgress},
      {"marker leaves a scroll range", scroll,
       [](auto* G) {
         G->RemoveMarker(1, 1);
         return G->GetScrollProp(1, 1).Range;
       },
       100, ctScrollbar},
      {"push acts on buttons", button,
       [](auto* G) {
         G->PushButton(1, 1, true);
         return int(G->GetCellGraphic(1, 1)->CellBoolean);
       },
       1, ctButton},
      {"push leaves a comment alone", comment,
       [](auto* G) {
         G->PushButton(1, 1, true);
         return int(G->GetCellGraphic(1, 1)->CellBoolean);
       },
       0, ctComment},
      {"push leaves a node alone", node,
       [](auto* G) {
         G->PushButton(0, 1, true);
         return int(G->GetCellGraphic(0, 1)->CellBoolean);
       },
       0, ctEmpty},
      {"button rect of a comment is empty", comment,
       [](auto* G) {
         TRect r = G->ButtonRect(1, 1);
         return r.right - r.left + r.bottom - r.top;
       },
       0, ctComment},
      {"button text of any graphic", comment,
       [](auto* G) {
         G->SetButtonText(1, 1, "t");
         return int(G->GetButtonText(1, 1) == "t");
       },
       1, ctComment},
      {"remove button, then bit button", button, [](auto* G) { return int(G->RemoveButton(1, 1)); }, 0, ctEmpty},
      {"balloon", none,
       [](auto* G) {
         G->AddBalloon(1, 1, "T", "X", biWarning);
         AnsiString t, x;
         TBalloonIcon i = biNone;
         return int(G->IsBalloon(1, 1, t, x, i) && t == "T" && x == "X" && i == biWarning && G->HasBalloon(1, 1));
       },
       1, ctBalloon},
      {"balloon variables kept without one", button,
       [](auto* G) {
         AnsiString t = "a", x = "b";
         TBalloonIcon i = biError;
         return int(!G->IsBalloon(1, 1, t, x, i) && t == "a" && x == "b" && i == biError);
       },
       1, ctButton},
      {"rotated", none,
       [](auto* G) {
         G->AddRotated(1, 1, -90, "x");
         int a = 0;
         return G->IsRotated(1, 1, a) && G->GetCells(1, 1) == "x" ? a : -1;
       },
       270, ctRotated},
      {"rotated over a progress bar", progress,
       [](auto* G) {
         G->SetRotated(1, 1, 45);
         int a = 0;
         return G->IsRotated(1, 1, a) ? a : -1;
       },
       45, ctRotated},
      {"progress pie value", none,
       [](auto* G) {
         G->AddProgressPie(1, 1, clRed, 10);
         G->SetProgressPie(1, 1, 40);
         return G->GetCellGraphic(1, 1)->CellAngle;
       },
       40, ctProgressPie},
      {"images need an image list", none,
       [](auto* G) {
         G->AddImageIdx(1, 1, 3, haLeft, vaTop);
         int i = -1;
         return int(G->GetImageIdx(1, 1, i));
       },
       0, ctEmpty},
      {"interfaced object", none,
       [](auto* G) {
         static TPersistent obj;
         G->AddInterfacedCell(1, 1, &obj);
         return int(G->GetInterfacedCell(1, 1) == &obj);
       },
       1, ctInterface},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->FreeCellGraphic(1, 1);
    Grid->RemoveAllNodes();
    Grid->SetCells(1, 1, "");
    c.Start(Grid);
    EXPECT_EQ(c.Op(Grid), c.Result);
    EXPECT_EQ(Grid->GetCellType(1, 1), c.Left);
  }
}

TEST_F(CellObjects, ProgressColoursAndAlignment) {
  Grid->SetAutoNumAlign(true);
  Grid->AddProgressFormatted(2, 2, clRed, clWhite, clBlue, clBlack, "%d%%", 10, 90);
  TCellGraphic* g = Grid->GetCellGraphic(2, 2);
  EXPECT_EQ(g->CellContentColor, clRed);
  EXPECT_EQ(static_cast<TColor>(g->CellIndex), clWhite);
  EXPECT_EQ(g->CellExtraColor, clBlue);
  EXPECT_EQ(static_cast<TColor>(g->CellAngle), clBlack);
  EXPECT_EQ(g->CellErrFrom, 10);
  EXPECT_EQ(g->CellErrLen, 90);
  EXPECT_TRUE(g->CellBoolean);
  EXPECT_EQ(Grid->GetAlignments(2, 2), taRightJustify);
  Grid->AddProgress(3, 2, clRed, clWhite);
  EXPECT_FALSE(Grid->GetCellGraphic(3, 2)->CellBoolean);
  EXPECT_EQ(Grid->GetCellGraphic(3, 2)->CellErrLen, 100);
}

TEST_F(CellObjects, OwnershipOfContent) {
  {
    auto* mine = new CountedPicture;
    Grid->AddPicture(1, 1, mine, false, noStretch, 0, haLeft, vaTop);
    auto* second = new CountedPicture;
    Grid->AddPicture(1, 1, second, false, noStretch, 0, haLeft, vaTop);  // frees the first graphic only
    EXPECT_EQ(PicturesAlive, 2);
    EXPECT_EQ(Grid->GetPicture(1, 1), second);
    Grid->RemovePicture(1, 1);
    EXPECT_EQ(PicturesAlive, 2);
    delete mine;
    delete second;
  }
  {
    // Content the grid made goes with its graphic, also when another
    // type replaces it through SetRotated.
    TCellGraphic* g = Grid->CreateCellGraphic(2, 2);
    g->SetBitmap(new CountedBitmap, false, haLeft, vaTop);
    g->CellCreated = true;
    EXPECT_EQ(BitmapsAlive, 1);
    Grid->SetRotated(2, 2, 90);
    EXPECT_EQ(BitmapsAlive, 0);
    EXPECT_EQ(Grid->GetCellType(2, 2), ctRotated);
  }
  {
    CountedBitmap glyph;
    Grid->AddBitButton(3, 3, 40, 20, "b", &glyph, haLeft, vaTop);
    EXPECT_TRUE(Grid->HasButton(3, 3));
    EXPECT_TRUE(Grid->RemoveButton(3, 3));
    EXPECT_EQ(BitmapsAlive, 1);
  }
  EXPECT_NE(Grid->CreateBitButton(3, 3, 40, 20, "b", haLeft, vaTop), nullptr);
  EXPECT_NE(Grid->CreatePicture(4, 4, false, Stretch, 0, haLeft, vaTop), nullptr);
  EXPECT_NE(Grid->CreateIcon(4, 5, haLeft, vaTop), nullptr);
  EXPECT_NE(Grid->CreateBitmap(0, 5, false, haLeft, vaTop), nullptr);
  // The grid frees what it created when it goes (ASan sees any leak).
}

TEST_F(CellObjects, ButtonRectFromThePaintedOffset) {
  Grid->SetColWidths(1, 100);
  Grid->AddButton(1, 1, 60, 20, "Go", haLeft, vaTop);
  Grid->GetCellGraphic(1, 1)->CellValue = 5 + 2 * 65536;
  const TRect c = Grid->CellRect(1, 1);
  EXPECT_EQ(Grid->ButtonRect(1, 1), TRect(c.left + 5, c.top + 2, c.left + 65, c.top + 22));
  Grid->GetCellGraphic(1, 1)->CellHAlign = haFull;
  Grid->GetCellGraphic(1, 1)->CellVAlign = vaFull;
  EXPECT_EQ(Grid->ButtonRect(1, 1), c);
}

TEST_F(CellObjects, RemoveAllWalksHiddenColumns) {
  for (int c = 0; c < 5; ++c) Grid->AddComment(c, 3, "n");
  Grid->AddMarker(4, 2, 1, 1);
  Grid->HideColumn(4);
  Grid->RemoveAllComments();
  Grid->RemoveAllMarkers();
  for (int c = 0; c < 5; ++c) EXPECT_EQ(Grid->GetCellType(c, 3), ctEmpty) << c;
  EXPECT_EQ(Grid->GetCellGraphic(4, 2), nullptr);
}

TEST_F(CellObjects, ImagesWithAList) {
  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  Grid->SetImages(&images);
  Grid->AddImageIdx(1, 1, 3, haLeft, vaTop);
  int i = -1;
  EXPECT_TRUE(Grid->GetImageIdx(1, 1, i));
  EXPECT_EQ(i, 3);
  Grid->AddDataImage(2, 1, 1, haLeft, vaTop);
  EXPECT_TRUE(Grid->HasDataImage(2, 1));
  Grid->AddMultiImage(3, 1, 0, haLeft, vaTop);
  ASSERT_NE(Grid->GetCellImages(3, 1), nullptr);
  Grid->GetCellImages(3, 1)->Add(2);
  Grid->RemoveMultiImage(3, 1);
  EXPECT_EQ(Grid->GetCellType(3, 1), ctEmpty);
  Grid->SetImages(nullptr);
}

TEST(ProgressAppearance, ChangesOnlyWhenDifferent) {
  TGridProgressAppearance a, b;
  int fired = 0;
  a.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &a);
    ++fired;
  };
  a.SetSteps(11);
  EXPECT_EQ(fired, 0);
  a.SetSteps(12);
  EXPECT_EQ(fired, 1);
  b.SetLevel1Perc(10);
  b.SetStyle(psClassic);
  a.Assign(&b);
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(a.GetSteps(), 11);
  EXPECT_EQ(a.GetLevel1Perc(), 10);
  EXPECT_EQ(a.GetStyle(), psClassic);
  EXPECT_EQ(a.GetCompleteColor(), clRed);
  EXPECT_EQ(a.GetUnCompleteColor(), clNone);
}

}  // namespace
