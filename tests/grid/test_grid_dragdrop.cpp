// Grid drag and drop in one process: two grids on a form, drags run by the
// kernel's drag loop with the test input (press, moves, release, Esc) and
// the test clock, and what the drop and the move end do to both grids.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core_check.h"
#include "grid/viduzozezuvodu.h"
#include "grid/popupbutton.h"
#include "grid/vzvdd.h"
#include "platform/forms/oledesktop.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class GridDrag : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    OleInitialize(nullptr);
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(100, 100, 700, 300);
    A = Make(0);
    B = Make(350);
    Form->Show();
    PumpUntilIdle();
    for (VIduZozezuVodu* g : {A, B}) {
      g->GetDragDropSettings()->SetOleDropTarget(true);
      g->GetDragDropSettings()->OleDropSource = true;
    }
  }
  void TearDown() override {
    TestResetDragSteps();
    delete Form;
    OleUninitialize();
    TestResetKernel();
    UseSystemClock();
  }
  VIduZozezuVodu* Make(int x) {
    auto* g = new VIduZozezuVodu(Form);
    g->SetBounds(x, 0, 340, 300);
    g->SetParent(Form);
    g->SetColCountEx(5);
    g->SetRowCountEx(8);
    g->SetOptions(g->GetOptions() | goEditing);
    for (int r = 1; r < 8; ++r)
      for (int c = 1; c < 5; ++c) g->SetGridCell(c, r, Name(x ? "b" : "a", c, r));
    return g;
  }
  static std::string Name(const char* g, int c, int r) { return g + std::to_string(r) + std::to_string(c); }
  static POINT At(VIduZozezuVodu* g, int c, int r) {
    // Near the top-left corner: partly visible cells are hit too.
    TRect rc = g->CellRect(c, r);
    return ClientPointToScreen(g->Handle(), rc.left + 4, rc.top + 4);
  }
  // Presses on (c, r) of g, selects Sel and drags it through the steps.
  bool Drag(VIduZozezuVodu* g, int c, int r, TGridRect sel, std::deque<std::function<void()>> steps) {
    TestMouseDown(At(g, c, r));
    g->SetSelection(sel);
    if (BeforeStart) BeforeStart();
    TestScriptDragSteps(std::move(steps));
    bool started = g->StartOleDrag(c, r);
    TestResetDragSteps();
    TestMouseUp(At(g, c, r));
    CheckHidden(*A);
    CheckHidden(*B);
    return started;
  }
  // Moves to the cell and releases there (Ctrl held when asked).
  static std::deque<std::function<void()>> DropOn(VIduZozezuVodu* g, int c, int r, unsigned shift = tsNone) {
    return {[=] { TestMouseMove(At(g, c, r), shift); }, [=] { TestMouseUp(At(g, c, r), TMouseButton::Left, shift); }};
  }
  std::vector<std::string> Row(VIduZozezuVodu* g, int r) {
    std::vector<std::string> out;
    for (int c = 1; c < g->GetColCount(); ++c) out.push_back(g->GetCells(c, r));
    return out;
  }
  // Drops MIME data from another program on (c, r) of g through its drop
  // target; the effect the source would see.
  DWORD DropMime(VIduZozezuVodu* g, int c, int r, const TMimeData& mime) {
    TGridDropTarget* target = TargetOf(g);
    if (!target) return DROPEFFECT_NONE;
    IDataObject* data = DataObjectOfMime(mime);
    POINT p = At(g, c, r);
    POINTL pt{p.x, p.y};
    Over(target, data, pt);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data, 0, pt, &effect);
    data->Release();
    CheckHidden(*g);
    return effect;
  }
  static TGridDropTarget* TargetOf(VIduZozezuVodu* g) {
    auto* target = dynamic_cast<TGridDropTarget*>(g->GetDragDropSettings()->GetDropTarget());
    EXPECT_NE(target, nullptr);
    return target;
  }
  // Enters the point with the data and moves over it: the effect.
  static DWORD Over(TGridDropTarget* target, IDataObject* data, POINTL pt) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, MK_LBUTTON, pt, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, pt, &effect);
    return effect;
  }
  // Runs between the press and the start of each drag.
  std::function<void()> BeforeStart;
  TForm* Form = nullptr;
  VIduZozezuVodu* A = nullptr;
  VIduZozezuVodu* B = nullptr;
};

}  // namespace

TEST_F(GridDrag, CellsMoveToAnotherGridCopyWithCtrlAndStayWithCopyAlways) {
  std::vector<int> stops;
  A->OnOleDragStop = [&](TObject*, int e) { stops.push_back(e); };
  std::vector<TGridRect> dropped;
  B->OnOleDropped = [&](TObject*, const TGridRect& r) { dropped.push_back(r); };

  EXPECT_TRUE(Drag(A, 1, 1, TGridRect{1, 1, 2, 2}, DropOn(B, 2, 3)));
  EXPECT_EQ(B->GetCells(2, 3), "a11");
  EXPECT_EQ(B->GetCells(3, 4), "a22");
  EXPECT_EQ(A->GetCells(1, 1), "");  // moved
  EXPECT_EQ(A->GetCells(2, 2), "");
  EXPECT_EQ(A->GetCells(3, 1), "a13");
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0].Left, 2);
  EXPECT_EQ(dropped[0].Top, 3);
  EXPECT_EQ(dropped[0].Right, 3);
  EXPECT_EQ(dropped[0].Bottom, 4);
  EXPECT_EQ(B->GetSelection().Left, 2);
  EXPECT_EQ(B->GetSelection().Bottom, 4);

  Drag(A, 3, 3, TGridRect{3, 3, 3, 3}, DropOn(B, 1, 6, tsCtrl));
  EXPECT_EQ(B->GetCells(1, 6), "a33");
  EXPECT_EQ(A->GetCells(3, 3), "a33");  // copied

  A->GetDragDropSettings()->OleCopyAlways = true;
  Drag(A, 4, 4, TGridRect{4, 4, 4, 4}, DropOn(B, 1, 7));
  EXPECT_EQ(B->GetCells(1, 7), "a44");
  EXPECT_EQ(A->GetCells(4, 4), "a44");
  EXPECT_EQ(stops, (std::vector<int>{DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_MOVE}));
}

TEST_F(GridDrag, ThreeRowsDraggedAboveThemselvesAreInsertedPastedAndRemovedWhereTheyWent) {
  A->SetOptions(A->GetOptions() | goRowSelect);
  A->GetDragDropSettings()->OleRemoveRows = true;
  A->GetDragDropSettings()->OleInsertRows = true;
  Drag(A, 2, 4, TGridRect{1, 4, 4, 6}, DropOn(A, 2, 2));
  EXPECT_EQ(A->GetRowCount(), 8);
  EXPECT_EQ(A->GetCells(1, 1), "a11");
  EXPECT_EQ(Row(A, 2), (std::vector<std::string>{"a41", "a42", "a43", "a44"}));
  EXPECT_EQ(Row(A, 4), (std::vector<std::string>{"a61", "a62", "a63", "a64"}));
  EXPECT_EQ(A->GetCells(1, 5), "a21");
  EXPECT_EQ(A->GetCells(1, 6), "a31");
  EXPECT_EQ(A->GetCells(1, 7), "a71");
}

TEST_F(GridDrag, AnOverlappingMoveKeepsEveryPastedCell) {
  Drag(A, 1, 1, TGridRect{1, 1, 2, 2}, DropOn(A, 1, 2));
  EXPECT_EQ(Row(A, 1), (std::vector<std::string>{"", "", "a13", "a14"}));
  EXPECT_EQ(Row(A, 2), (std::vector<std::string>{"a11", "a12", "a23", "a24"}));
  EXPECT_EQ(Row(A, 3), (std::vector<std::string>{"a21", "a22", "a33", "a34"}));
}

TEST_F(GridDrag, EscCancelsAndLeavesNoArrowOrPicture) {
  int stops = 0;
  A->OnOleDragStop = [&](TObject*, int) { ++stops; };
  Drag(A, 1, 1, TGridRect{1, 1, 1, 1},
       {[&] { TestMouseMove(At(B, 2, 2)); },
        [&] {
          TestMouseMove(At(B, 2, 3));
          EXPECT_TRUE(B->GetOleArrow(arrLeft)->GetVisible());
          TestKeyPress(VK_ESCAPE);
        }});
  EXPECT_EQ(stops, 0);
  EXPECT_FALSE(B->GetOleArrow(arrLeft)->GetVisible());
  EXPECT_EQ(A->GetCells(1, 1), "a11");
  EXPECT_EQ(B->GetCells(2, 2), "b22");
  EXPECT_EQ(A->GetOleDragImage(), nullptr);
  EXPECT_FALSE(IsOleDragging());
}

TEST_F(GridDrag, ARefusedDropHidesTheArrowAndStillReportsTheCell) {
  B->OnOleDrop = [](TObject*, int, int, const AnsiString&, bool& Allow) { Allow = false; };
  std::vector<TGridRect> dropped;
  B->OnOleDropped = [&](TObject*, const TGridRect& r) { dropped.push_back(r); };
  Drag(A, 1, 1, TGridRect{1, 1, 1, 1}, DropOn(B, 3, 2));
  EXPECT_EQ(B->GetCells(3, 2), "b23");
  EXPECT_FALSE(B->GetOleArrow(arrLeft)->GetVisible());
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0].Left, 3);
  EXPECT_EQ(dropped[0].Top, 2);
  EXPECT_EQ(A->GetCells(1, 1), "a11");  // nothing went over: the source keeps its cell
}

TEST_F(GridDrag, ARefusedDragFallsBackAndNothingStarts) {
  A->OnOleDrag = [](TObject*, int ARow, int ACol, const AnsiString& Data, bool& Allow) {
    EXPECT_EQ(ARow, 2);
    EXPECT_EQ(ACol, 3);
    EXPECT_EQ(Data, "a23");
    Allow = false;
  };
  EXPECT_FALSE(Drag(A, 3, 2, TGridRect{3, 2, 3, 2}, DropOn(B, 1, 1)));
  EXPECT_EQ(B->GetCells(1, 1), "b11");
}

TEST_F(GridDrag, DraggingOverTheEdgesScrolls) {
  B->SetRowCountEx(60);
  B->SetColCountEx(30);
  B->SetTopRow(10);
  PumpUntilIdle();
  std::vector<int> tops;
  int visibleRows = B->GetVisibleRowCount();
  Drag(A, 1, 1, TGridRect{1, 1, 1, 1},
       {[&] { TestMouseMove(At(B, 2, 0)); },
        [&] {
          tops.push_back(B->GetTopRow());
          TestMouseMove(At(B, 3, 0));  // over the fixed row: up one row per move, no drop
          tops.push_back(B->GetTopRow());
          EXPECT_FALSE(B->GetOleArrow(arrLeft)->GetVisible());
          int bottom = B->GetTopRow() + visibleRows;
          TestMouseMove(At(B, 2, bottom));
          tops.push_back(B->GetTopRow());
          TestKeyPress(VK_ESCAPE);
        }});
  // Entering is no move yet.
  EXPECT_EQ(tops, (std::vector<int>{10, 9, 10}));
  B->SetTopRow(1);

  // Sideways: one column per tick of the grid's timer however often it moves.
  int lefts[3] = {};
  Drag(A, 1, 1, TGridRect{1, 1, 1, 1},
       {[&] {
          B->TickCount = 0;
          int right = B->GetLeftCol() + B->GetVisibleColCount();
          for (int i = 0; i < 3; ++i) TestMouseMove(At(B, right, 3 + i % 2));
          lefts[0] = B->GetLeftCol();
          right = B->GetLeftCol() + B->GetVisibleColCount();
          TestMouseMove(At(B, right, 3));
          lefts[1] = B->GetLeftCol();
          AdvanceTestClock(500);
          right = B->GetLeftCol() + B->GetVisibleColCount();
          TestMouseMove(At(B, right, 4));
          lefts[2] = B->GetLeftCol();
          TestKeyPress(VK_ESCAPE);
        }});
  EXPECT_EQ(lefts[0], 2);
  EXPECT_EQ(lefts[1], 2);
  EXPECT_EQ(lefts[2], 3);
}

TEST_F(GridDrag, AColumnDropsOnlyOnANormalHeaderAndMovesNothing) {
  A->GetDragDropSettings()->OleColumnDragDrop = true;
  B->GetDropTarget();
  auto* target = dynamic_cast<TGridDropTarget*>(B->GetDragDropSettings()->GetDropTarget());
  ASSERT_NE(target, nullptr);
  std::vector<std::string> cols;
  B->OnOleDropCol = [&](TObject*, int ARow, int ACol, int DropCol) {
    cols.push_back(std::to_string(ARow) + "," + std::to_string(ACol) + "," + std::to_string(DropCol));
  };
  std::vector<bool> overs;
  Drag(A, 2, 0, TGridRect{2, 1, 2, 1},
       {[&] { TestMouseMove(At(B, 3, 2)); },
        [&] {
          overs.push_back(B->GetOleArrow(arrDown)->GetVisible());
          TestMouseMove(At(B, 0, 0));
          overs.push_back(B->GetOleArrow(arrDown)->GetVisible());
          TestMouseMove(At(B, 3, 0));
          overs.push_back(B->GetOleArrow(arrDown)->GetVisible() && B->GetOleArrow(arrUp)->GetVisible());
          TestMouseUp(At(B, 3, 0));
        }});
  EXPECT_EQ(overs, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(cols, std::vector<std::string>{"0,3,2"});
  EXPECT_EQ(A->GetCells(2, 1), "a12");
  EXPECT_EQ(B->GetCells(3, 0), "");
  EXPECT_FALSE(A->GetOleColumnButton()->GetVisible());
}

TEST_F(GridDrag, ADroppedCsvFileLoadsAndTwoFilesDoNothing) {
  char path[] = "/tmp/dragdropXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  std::string csv = std::string(path) + "data.csv";
  std::rename(path, csv.c_str());
  std::ofstream(csv) << "x,y\n1,2\n";
  std::vector<std::string> log;
  B->OnOleDropFile = [&](TObject*, int, int, const AnsiString& F, bool&) { log.push_back("file " + F); };
  B->OnOleDrop = [&](TObject*, int ARow, int ACol, const AnsiString&, bool&) {
    log.push_back("drop " + std::to_string(ARow) + "," + std::to_string(ACol));
  };
  auto* target = dynamic_cast<TGridDropTarget*>(B->GetDragDropSettings()->GetDropTarget());
  ASSERT_NE(target, nullptr);
  TStringList two;
  two.Add(csv);
  two.Add(csv);
  target->DropFiles(TPoint(0, 0), &two);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(B->GetCells(1, 1), "b11");
  TStringList one;
  one.Add(csv);
  target->DropFiles(TPoint(0, 0), &one);
  EXPECT_EQ(log, (std::vector<std::string>{"file " + csv, "drop -1,-1"}));
  EXPECT_EQ(B->GetCells(0, 1), "1");
  EXPECT_EQ(B->GetCells(1, 1), "2");
  std::remove(csv.c_str());
}

TEST_F(GridDrag, TheDraggedColumnButtonTakesTheHeaderColoursOfTheLook) {
  A->GetDragDropSettings()->OleColumnDragDrop = true;
  auto near = [](TColor c, TColor want) {
    COLORREF a = ColorToRGB(c), b = ColorToRGB(want);
    auto d = [](int x, int y) { return std::abs(x - y) <= 12; };
    return d(GetRValue(a), GetRValue(b)) && d(GetGValue(a), GetGValue(b)) && d(GetBValue(a), GetBValue(b));
  };
  // The fixed cells' gradient is red with a blue mirror half.
  struct {
    TGridLook Look;
    TColor Top, Bottom;
  } cases[] = {
      {glXP, clRed, clRed},
      {glZyt, clRed, clRed},
      {glVista, clRed, clBlue},
      {glStandard, clBtnFace, clBtnFace},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Look));
    A->SetLook(c.Look);
    TFixedGradientSet& g = A->GetFixedGradient();
    g.From = g.To = clRed;
    g.MirrorFrom = g.MirrorTo = clBlue;
    TColor top = clNone, bottom = clNone;
    Drag(A, 2, 0, TGridRect{2, 1, 2, 1},
         {[&] {
           TPopupButton* b = A->GetOleColumnButton();
           EXPECT_TRUE(b->GetVisible());
           EXPECT_EQ(b->GetWidth(), A->GetColWidths(2));
           TBitmap shot;
           shot.SetSize(b->GetWidth(), b->GetHeight());
           b->PaintTo(shot.Canvas(), 0, 0);
           // Beside the (empty) caption, a quarter from the top and bottom.
           int h = b->GetClientHeight();
           top = shot.Canvas()->GetPixels(3, h / 4);
           bottom = shot.Canvas()->GetPixels(3, h - h / 4);
           TestKeyPress(VK_ESCAPE);
         }});
    EXPECT_TRUE(near(top, c.Top)) << std::hex << ColorToRGB(top);
    EXPECT_TRUE(near(bottom, c.Bottom)) << std::hex << ColorToRGB(bottom);
    EXPECT_FALSE(A->GetOleColumnButton()->GetVisible());
  }
}

// Disjunct rows 3 and 5 of A, dragged with the row-select settings given.
class GridDragDisjunct : public GridDrag {
protected:
  void SetUp() override {
    GridDrag::SetUp();
    A->SetOptions(A->GetOptions() | goRowSelect);
    A->GetMouseActions()->SetDisjunctRowSelect(true);
    // After the press, which selects rows by itself.
    BeforeStart = [this] {
      A->ClearRowSelect();
      A->SetRowSelect(3, true);
      A->SetRowSelect(5, true);
    };
  }
  static constexpr TGridRect Row3{1, 3, 4, 3};
};

TEST_F(GridDragDisjunct, RowsDroppedBetweenThemselvesAreInsertedThereAndRemovedWhereTheyWere) {
  A->GetDragDropSettings()->OleRemoveRows = true;
  A->GetDragDropSettings()->OleInsertRows = true;
  Drag(A, 2, 3, Row3, DropOn(A, 2, 4));
  EXPECT_EQ(A->GetRowCount(), 8);
  std::vector<std::string> firsts;
  for (int r = 1; r < A->GetRowCount(); ++r) firsts.push_back(A->GetCells(1, r));
  EXPECT_EQ(firsts, (std::vector<std::string>{"a11", "a21", "a31", "a51", "a41", "a61", "a71"}));
  EXPECT_EQ(Row(A, 4), (std::vector<std::string>{"a51", "a52", "a53", "a54"}));
}

TEST_F(GridDragDisjunct, RowsMovedToAnotherGridArriveTogetherAndLeaveTheirPlace) {
  for (bool remove : {false, true}) {
    SCOPED_TRACE(remove);
    TearDown();
    SetUp();
    A->GetDragDropSettings()->OleRemoveRows = remove;
    std::vector<TGridRect> dropped;
    B->OnOleDropped = [&](TObject*, const TGridRect& r) { dropped.push_back(r); };
    Drag(A, 2, 5, TGridRect{1, 5, 4, 5}, DropOn(B, 1, 2));
    EXPECT_EQ(Row(B, 2), (std::vector<std::string>{"a31", "a32", "a33", "a34"}));
    EXPECT_EQ(Row(B, 3), (std::vector<std::string>{"a51", "a52", "a53", "a54"}));
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].Top, 2);
    EXPECT_EQ(dropped[0].Bottom, 3);
    if (remove) {
      EXPECT_EQ(A->GetRowCount(), 6);
      EXPECT_EQ(A->GetCells(1, 3), "a41");
      EXPECT_EQ(A->GetCells(1, 4), "a61");
    } else {
      EXPECT_EQ(A->GetRowCount(), 8);
      EXPECT_EQ(Row(A, 3), (std::vector<std::string>{"", "", "", ""}));
      EXPECT_EQ(Row(A, 5), (std::vector<std::string>{"", "", "", ""}));
      EXPECT_EQ(A->GetCells(1, 4), "a41");
    }
  }
}

TEST_F(GridDragDisjunct, AMoveOntoItsOwnRowsKeepsWhatWasPasted) {
  Drag(A, 2, 3, Row3, DropOn(A, 2, 5));
  EXPECT_EQ(Row(A, 3), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(Row(A, 5), (std::vector<std::string>{"a31", "a32", "a33", "a34"}));
  EXPECT_EQ(Row(A, 6), (std::vector<std::string>{"a51", "a52", "a53", "a54"}));
  EXPECT_EQ(A->GetCells(1, 4), "a41");
}

TEST_F(GridDrag, RichTextFromAnotherProgramIsStoredUnchangedWhileRTFAware) {
  const std::string rtf = "{\\rtf1 {\\b bold}}";
  std::vector<std::string> log;
  B->OnOleDrop = [&](TObject*, int ARow, int ACol, const AnsiString& Data, bool&) {
    log.push_back(std::to_string(ARow) + "," + std::to_string(ACol) + " " + Data);
  };
  B->GetDragDropSettings()->SetOleDropRTF(true);
  EXPECT_EQ(DropMime(B, 2, 3, {{"text/plain", "bold"}, {"text/rtf", rtf}}), static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(B->GetCells(2, 3), rtf);
  EXPECT_EQ(B->GetCells(3, 3), "b33");
  EXPECT_EQ(log, std::vector<std::string>{"3,2 " + rtf});

  // Refused: nothing stored, no effect for the source.
  B->OnOleDrop = [](TObject*, int, int, const AnsiString&, bool& Allow) { Allow = false; };
  EXPECT_EQ(DropMime(B, 2, 4, {{"text/plain", "bold"}, {"text/rtf", rtf}}), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(B->GetCells(2, 4), "b42");
  B->OnOleDrop = nullptr;

  // Not RTF-aware: the plain text goes in.
  B->GetDragDropSettings()->SetOleDropRTF(false);
  DropMime(B, 2, 5, {{"text/plain", "bold"}, {"text/rtf", rtf}});
  EXPECT_EQ(B->GetCells(2, 5), "bold");
}

TEST_F(GridDrag, DataTheGridTakesNothingFromShowsNoArrowEvenRightAfterADrop) {
  TGridDropTarget* target = TargetOf(B);
  ASSERT_NE(target, nullptr);
  // Over (c, r) without dropping: the effect and the arrow.
  auto over = [&](int c, int r, const TMimeData& mime) {
    IDataObject* data = DataObjectOfMime(mime);
    POINT p = At(B, c, r);
    DWORD effect = Over(target, data, POINTL{p.x, p.y});
    data->Release();
    return std::make_pair(effect, B->GetOleArrow(arrLeft)->GetVisible());
  };
  const struct {
    const char* Name;
    TMimeData Mime;
    DWORD Effect;
    bool Arrow;
  } cases[] = {
      {"text", {{"text/plain", "x"}}, DROPEFFECT_MOVE, true},
      {"no formats", {}, DROPEFFECT_NONE, false},
      {"a picture", {{"image/png", "\x89PNG"}}, DROPEFFECT_NONE, false},
  };
  for (const auto& c : cases) {
    auto [effect, arrow] = over(3, 2, c.Mime);
    EXPECT_EQ(effect, c.Effect) << c.Name;
    EXPECT_EQ(arrow, c.Arrow) << c.Name;
    target->DragLeave();
  }
  // A program may start a new, empty drag over the grid right after its
  // drop: the arrow the drop hid stays hidden.
  EXPECT_EQ(DropMime(B, 3, 2, {{"text/plain", "dropped"}}), static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(B->GetCells(3, 2), "dropped");
  auto [effect, arrow] = over(3, 2, {});
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_FALSE(arrow);
  target->DragLeave();
}

TEST_F(GridDrag, AURLFromAnotherProgramGoesToTheRealColumnUnderThePoint) {
  std::vector<std::string> log;
  B->OnOleDropURL = [&](TObject*, int ARow, int ACol, const AnsiString& URL, bool&) {
    log.push_back(std::to_string(ARow) + "," + std::to_string(ACol) + " " + URL);
  };
  TGridDropTarget* target = TargetOf(B);
  ASSERT_NE(target, nullptr);
  target->AcceptText = false;  // the URL alone, not also as text
  B->HideColumn(2);
  PumpUntilIdle();
  const std::string url = "http://example.org/a?b=1";
  EXPECT_EQ(DropMime(B, 2, 3, {{"text/uri-list", url + "\r\n"}}), static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(B->GetCells(3, 3), url);  // shown second, third in the store
  EXPECT_EQ(B->GetCells(2, 3), "b32");
  EXPECT_EQ(log, std::vector<std::string>{"3,2 " + url});
  EXPECT_FALSE(B->GetOleArrow(arrLeft)->GetVisible());

  B->OnOleDropURL = [](TObject*, int, int, const AnsiString&, bool& Allow) { Allow = false; };
  EXPECT_EQ(DropMime(B, 2, 4, {{"text/uri-list", url}}), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(B->GetCells(3, 4), "b43");
  EXPECT_FALSE(B->GetOleArrow(arrLeft)->GetVisible());
}

TEST_F(GridDrag, AMoveWithinItsOwnRowsKeepsEveryRowItPasted) {
  struct {
    const char* Name;
    bool RowSelect, Remove, Insert;
    TGridRect Sel;
    int DropRow;
    std::vector<std::string> Firsts;  // column 1 from row 1 down
  } cases[] = {
      // Inserted inside the block: the block is split around the new rows.
      {"inside, inserted", true, true, true, TGridRect{1, 3, 4, 5}, 4,
       {"a11", "a21", "a31", "a41", "a51", "a61", "a71"}},
      // Inserted above without removing: the cleared cells went down too.
      {"above, inserted", false, false, true, TGridRect{1, 4, 2, 5}, 2,
       {"a11", "a41", "a51", "a21", "a31", "", "", "a61", "a71"}},
      // Pasted over its own last row: that row stays.
      {"over itself, removed", true, true, false, TGridRect{1, 3, 4, 4}, 4,
       {"a11", "a21", "a31", "a41", "a61", "a71"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    if (c.RowSelect) A->SetOptions(A->GetOptions() | goRowSelect);
    A->GetDragDropSettings()->OleRemoveRows = c.Remove;
    A->GetDragDropSettings()->OleInsertRows = c.Insert;
    Drag(A, 1, c.Sel.Top, c.Sel, DropOn(A, 1, c.DropRow));
    std::vector<std::string> firsts;
    for (int r = 1; r < A->GetRowCount(); ++r) firsts.push_back(A->GetCells(1, r));
    EXPECT_EQ(firsts, c.Firsts);
  }
}

TEST_F(GridDrag, ADroppedTextGrowsTheGridByTheRowsItNeeds) {
  struct {
    const char* Text;
    int Rows;  // the grid's rows after the drop on row 6
    std::vector<std::string> Firsts;  // column 1 from row 6 down
  } cases[] = {
      {"x", 8, {"x", "a71"}},
      {"x\r\ny\r\n", 8, {"x", "y"}},
      {"x\r\ny\r\n\r\nz\r\n", 10, {"x", "y", "", "z"}},
      {"x\ny\rz", 8, {"x\ny", "z"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TearDown();
    SetUp();
    DropMime(A, 1, 6, {{"text/plain", c.Text}});
    EXPECT_EQ(A->GetRowCount(), c.Rows);
    std::vector<std::string> firsts;
    for (int r = 6; r < A->GetRowCount(); ++r) firsts.push_back(A->GetCells(1, r));
    EXPECT_EQ(firsts, c.Firsts);
  }
}
