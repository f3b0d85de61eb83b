// Sort settings and control look: defaults, writers, copies and the sort text.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winuser.h"

namespace {

// A grid that counts its sorts.
class TCountingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void QSort() override { ++Sorts; }
  void QSortIndexed() override { ++IndexedSorts; }
  int Sorts = 0, IndexedSorts = 0;
};

TEST(SortSettings, SaveAndLoadTable) {
  TCountingGrid g(nullptr);
  TSortSettings* s = g.GetSortSettings();
  EXPECT_EQ(s->Column, -1);
  EXPECT_FALSE(s->GetShow());
  s->Column = 3;
  s->Direction = sdDescending;
  EXPECT_EQ(s->SaveToString(), "d3");
  s->Direction = sdAscending;
  EXPECT_EQ(s->SaveToString(), "u3");

  struct Case {
    const char* Text;
    int Column;
    TSortDirection Dir;
    int Sorts;
  } cases[] = {
      {"d3", 3, sdDescending, 1},
      {"u4", 4, sdAscending, 1},
      {"ux", 1, sdAscending, 0},      // not a number: column and sort stay
      {"u999", 1, sdAscending, 0},    // past the grid's columns: the same
      {"d-2", 1, sdDescending, 0},
  };
  for (const auto& c : cases) {
    TCountingGrid h(nullptr);
    h.GetSortSettings()->Column = 1;
    h.GetSortSettings()->IndexShow = true;
    h.GetSortSettings()->LoadFromString(c.Text);
    EXPECT_TRUE(h.GetSortSettings()->GetShow()) << c.Text;
    EXPECT_FALSE(h.GetSortSettings()->IndexShow) << c.Text;
    EXPECT_EQ(h.GetSortSettings()->Column, c.Column) << c.Text;
    EXPECT_EQ(h.GetSortSettings()->Direction, c.Dir) << c.Text;
    EXPECT_EQ(h.Sorts, c.Sorts) << c.Text;
  }

  TCountingGrid e(nullptr);
  e.GetSortSettings()->LoadFromString("");
  EXPECT_FALSE(e.GetSortSettings()->GetShow());
  try {
    e.GetSortSettings()->LoadFromString("u");
    FAIL();
  } catch (const Exception& x) {
    EXPECT_EQ(x.Message, "Invalid sort settings specifier");
  }
  e.GetSortSettings()->LoadFromString("i;u2;d4");
  EXPECT_TRUE(e.GetSortSettings()->IndexShow);
  EXPECT_EQ(e.IndexedSorts, 1);
  EXPECT_EQ(e.GetSortSettings()->SaveToString(), "i;u2;d4");
  e.GetSortSettings()->Remove();
  EXPECT_EQ(e.GetSortIndexes()->GetCount(), 0);
}

TEST(SortSettings, SortRowAgainstFixedRows) {
  VIduZozezuVodu g(nullptr);
  g.SetRowCount(5);
  g.SetFixedRows(2);
  g.GetSortSettings()->SetSortRow(2);
  EXPECT_EQ(g.GetSortSettings()->GetRow(), 2);
  try {
    g.GetSortSettings()->SetSortRow(3);
    FAIL();
  } catch (const Exception& x) {
    EXPECT_EQ(x.Message, "Sort row should be smaller than number of fixed rows");
  }
  EXPECT_EQ(g.GetSortSettings()->GetRow(), 2);
}

TEST(SortSettings, AssignLeavesIgnoreCaseAndVirtualCells) {
  VIduZozezuVodu g(nullptr);
  TSortSettings a(&g), b(&g);
  a.Column = 7;
  a.Direction = sdDescending;
  a.SetHeaderColor(clRed);
  a.IgnoreCase = true;
  a.SortOnVirtualCells = false;
  a.BlankPos = blLast;
  a.GetUpGlyph()->SetSize(5, 3);
  b.Assign(&a);
  EXPECT_EQ(b.Column, 7);
  EXPECT_EQ(b.Direction, sdDescending);
  EXPECT_EQ(b.GetHeaderColor(), clRed);
  EXPECT_EQ(b.BlankPos, blLast);
  EXPECT_EQ(b.GetUpGlyph()->GetWidth(), 5);
  EXPECT_NE(b.GetUpGlyph(), a.GetUpGlyph());
  EXPECT_FALSE(b.IgnoreCase);
  EXPECT_TRUE(b.SortOnVirtualCells);
}

TEST(SortSettings, RepeatedHeaderColourRepaintsNothing) {
  TestResetKernel();
  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 300, 200);
  auto* g = new VIduZozezuVodu(form);
  g->SetParent(form);
  form->Show();
  PumpUntilIdle();
  RECT r{};
  g->GetSortSettings()->SetHeaderColor(clRed);
  EXPECT_TRUE(GetUpdateRect(g->GetHandle(), &r, FALSE));
  EXPECT_EQ(r.top, 0);
  PumpUntilIdle();
  g->GetSortSettings()->SetHeaderColor(clRed);
  EXPECT_FALSE(GetUpdateRect(g->GetHandle(), &r, FALSE));
  delete form;
  TestResetKernel();
}

TEST(ControlLook, DefaultsAndGradientWriters) {
  TControlLook fresh(nullptr);
  EXPECT_EQ(fresh.GetFixedGradientFrom(), clNone);
  EXPECT_EQ(fresh.GetFixedGradientDownBorder(), clNone);
  VIduZozezuVodu g(nullptr);
  TControlLook* l = &fresh;
  EXPECT_EQ(l->GetColor(), 0);
  EXPECT_EQ(l->GetCommentColor(), clRed);
  EXPECT_EQ(l->GetCheckSize(), 15);
  EXPECT_EQ(l->GetRadioSize(), 10);
  EXPECT_EQ(l->GetControlStyle(), csTheme);
  EXPECT_EQ(l->ProgressBorderColor, 8421504);
  EXPECT_EQ(l->GetProgressMarginX(), 2);
  l = g.GetControlLook();

  const TColor before = g.GetFixedGradient().From;
  l->SetFixedGradientFrom(clNone);
  EXPECT_EQ(l->GetFixedGradientFrom(), clNone);
  EXPECT_EQ(g.GetFixedGradient().From, before);
  l->SetFixedGradientFrom(clBtnFace);
  EXPECT_EQ(g.GetFixedGradient().From, static_cast<TColor>(ColorToRGB(clBtnFace)));
  l->SetFixedGradientMirrorTo(clBlue);
  EXPECT_EQ(g.GetFixedGradient().MirrorTo, clBlue);
  EXPECT_EQ(g.GetFixedGradient().To, g.GetFixedGradient().To);
  l->SetFixedGradientHoverBorder(clGreen);
  l->SetFixedGradientDownTo(clMaroon);
  EXPECT_EQ(g.GetHoverGradient().Border, clGreen);
  EXPECT_EQ(g.GetDownGradient().To, clMaroon);
  EXPECT_NE(g.GetDownGradient().From, clMaroon);
}

TEST(ControlLook, AssignCopiesItsListOnly) {
  VIduZozezuVodu g(nullptr), h(nullptr);
  TControlLook* a = g.GetControlLook();
  const TColor colours[14] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  a->SetFixedGradientFrom(colours[0]);
  a->SetFixedGradientTo(colours[1]);
  a->SetFixedGradientMirrorFrom(colours[2]);
  a->SetFixedGradientMirrorTo(colours[3]);
  a->SetFixedGradientHoverFrom(colours[4]);
  a->SetFixedGradientHoverTo(colours[5]);
  a->SetFixedGradientHoverMirrorFrom(colours[6]);
  a->SetFixedGradientHoverMirrorTo(colours[7]);
  a->SetFixedGradientHoverBorder(colours[8]);
  a->SetFixedGradientDownFrom(colours[9]);
  a->SetFixedGradientDownTo(colours[10]);
  a->SetFixedGradientDownMirrorFrom(colours[11]);
  a->SetFixedGradientDownMirrorTo(colours[12]);
  a->SetFixedGradientDownBorder(colours[13]);
  a->SetCheckSize(20);
  a->SetSpinButtonsAlwaysVisible(true);
  a->SetFlatButton(true);
  a->SetProgressXP(true);
  a->FixedDropDownButton = true;
  const TFixedGradientSet hBefore = h.GetFixedGradient();
  TControlLook* b = h.GetControlLook();
  b->Assign(a);
  const TColor got[14] = {b->GetFixedGradientFrom(), b->GetFixedGradientTo(), b->GetFixedGradientMirrorFrom(),
                          b->GetFixedGradientMirrorTo(), b->GetFixedGradientHoverFrom(), b->GetFixedGradientHoverTo(),
                          b->GetFixedGradientHoverMirrorFrom(), b->GetFixedGradientHoverMirrorTo(),
                          b->GetFixedGradientHoverBorder(), b->GetFixedGradientDownFrom(), b->GetFixedGradientDownTo(),
                          b->GetFixedGradientDownMirrorFrom(), b->GetFixedGradientDownMirrorTo(),
                          b->GetFixedGradientDownBorder()};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(got[i], colours[i]) << i;
  EXPECT_EQ(h.GetFixedGradient().From, hBefore.From);  // the grid's gradient is not touched
  EXPECT_EQ(b->GetCheckSize(), 20);
  EXPECT_TRUE(b->GetSpinButtonsAlwaysVisible());
  EXPECT_FALSE(b->GetFlatButton());
  EXPECT_FALSE(b->GetProgressXP());
  EXPECT_FALSE(b->FixedDropDownButton);
}

TEST(ControlLook, AlwaysVisibleButtonsAskTheEditor) {
  VIduZozezuVodu g(nullptr);
  g.SetDefaultEditor(edSpinEdit);
  EXPECT_FALSE(g.HasSpinEdit(1, 1));
  g.GetControlLook()->SetSpinButtonsAlwaysVisible(true);
  EXPECT_TRUE(g.HasSpinEdit(1, 1));
  EXPECT_FALSE(g.HasSpinEdit(0, 1));  // fixed cells never
  g.GetControlLook()->SetDropDownAlwaysVisible(true);
  EXPECT_FALSE(g.HasCombo(1, 1));
  g.OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edComboList; };
  EXPECT_TRUE(g.HasCombo(1, 1));
}

}  // namespace
