// Mouse, navigation and print option objects: defaults, Assign field lists,
// writer side effects and change notification.
#include <gtest/gtest.h>

#include "grid/gridoptions2.h"
#include "grid/viduzozezuvodu.h"

namespace {

struct TCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  int Invalidates = 0;
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
};

TEST(CoreOptions2, Defaults) {
  TMouseActions M(nullptr);
  EXPECT_TRUE(M.AutoSizeColOnDblClick);
  EXPECT_FALSE(M.RowSelect);
  EXPECT_FALSE(M.GetDisjunctRowSelect());
  EXPECT_FALSE(M.GetHotmailRowSelect());
  EXPECT_EQ(M.FixedRowsEdit, fceNone);
  EXPECT_EQ(M.WheelIncrement, 0);
  EXPECT_EQ(M.GetWheelAction(), waMoveSelection);

  TNavigation N;
  EXPECT_FALSE(N.AllowInsertRow);
  EXPECT_FALSE(N.GetAdvanceInsert());
  EXPECT_TRUE(N.AdvanceAutoEdit);
  EXPECT_TRUE(N.SkipFixedCells);
  EXPECT_TRUE(N.CopyHTMLTagsToClipboard);
  EXPECT_EQ(N.GetAdvanceDirection(), adLeftRight);
  EXPECT_EQ(N.TabAdvanceDirection, adLeftRight);
  EXPECT_EQ(N.InsertPosition, pInsertBefore);
  EXPECT_EQ(N.ClipboardPasteAction, paReplace);
  EXPECT_EQ(N.HomeEndKey, heFirstLastColumn);

  TPrintSettings P(nullptr);
  EXPECT_EQ(P.DateFormat, "dd/mm/yyyy");
  EXPECT_EQ(P.PageNumSep, "/");
  EXPECT_EQ(P.Borders, pbSingle);
  EXPECT_EQ(P.BorderStyle, psSolid);
  EXPECT_EQ(P.Time, ppNone);
  EXPECT_EQ(P.Orientation, poPortrait);
  EXPECT_EQ(P.FitToPage, fpNever);
  EXPECT_TRUE(P.Centered);
  EXPECT_TRUE(P.UseDisplayFont);
  EXPECT_EQ(P.GetTitleLines()->GetCount(), 0);
  EXPECT_NE(P.GetFont(), P.GetFixedFont());  // a font of its own each
}

TEST(CoreOptions2, MouseAssignCopiesTheListedFieldsAsPlainValues) {
  TCountingGrid A(nullptr), B(nullptr);
  TMouseActions MA(&A), MB(&B);
  int Changes = 0;
  MB.OnChange = [&](TObject*) { ++Changes; };
  MA.AllSelect = true;
  MA.AutoSizeColOnDblClick = false;
  MA.SizeFixedCol = true;
  MA.FixedColsEdit = fceRightClick;
  MA.WheelIncrement = 3;
  MA.SetWheelAction(waScroll);
  MA.SetDisjunctRowSelect(true);
  MA.SetDisjunctCellSelect(true);
  MA.SetHotmailRowSelect(true);
  MA.SetEditOnDblClickOnly(true);
  MA.SizeFixedRow = true;
  B.SetOptions(B.GetOptions() | goEditing);
  int Before = B.Invalidates;

  MB.Assign(&MA);
  EXPECT_TRUE(MB.AllSelect);
  EXPECT_FALSE(MB.AutoSizeColOnDblClick);
  EXPECT_TRUE(MB.SizeFixedCol);
  EXPECT_EQ(MB.FixedColsEdit, fceRightClick);
  EXPECT_EQ(MB.WheelIncrement, 3);
  EXPECT_EQ(MB.GetWheelAction(), waScroll);
  EXPECT_TRUE(MB.GetDisjunctRowSelect());
  EXPECT_TRUE(MB.GetDisjunctCellSelect());
  // Not copied.
  EXPECT_FALSE(MB.GetHotmailRowSelect());
  EXPECT_FALSE(MB.GetEditOnDblClickOnly());
  EXPECT_FALSE(MB.SizeFixedRow);
  // No writer ran.
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(B.Invalidates, Before);
  EXPECT_TRUE(B.GetOptions() & goEditing);

  TNavigation N;
  EXPECT_THROW(MB.Assign(&N), EConvertError);
}

TEST(CoreOptions2, MouseWriterSideEffects) {
  TCountingGrid G(nullptr);
  TMouseActions M(&G);
  int Changes = 0;
  M.OnChange = [&](TObject*) { ++Changes; };

  int Before = G.Invalidates;
  M.SetHotmailRowSelect(true);
  EXPECT_GT(G.Invalidates, Before);

  G.SetOptions(G.GetOptions() | goEditing);
  M.SetEditOnDblClickOnly(false);
  EXPECT_TRUE(G.GetOptions() & goEditing);
  M.SetEditOnDblClickOnly(true);
  EXPECT_FALSE(G.GetOptions() & goEditing);
  EXPECT_TRUE(M.GetEditOnDblClickOnly());

  M.SetWheelAction(waMoveSelection);
  EXPECT_EQ(Changes, 0);
  M.SetWheelAction(waScroll);
  M.SetWheelAction(waScroll);
  EXPECT_EQ(Changes, 1);

  // Owned by no grid: the writers only store.
  TMouseActions Free(nullptr);
  Free.SetHotmailRowSelect(true);
  Free.SetEditOnDblClickOnly(true);
  EXPECT_TRUE(Free.GetHotmailRowSelect());
}

TEST(CoreOptions2, DisjunctSelectModesExcludeEachOtherOnlyWhileDesigning) {
  using Setter = void (TMouseActions::*)(bool);
  using Getter = bool (TMouseActions::*)() const;
  const std::pair<Setter, Getter> Modes[] = {
      {&TMouseActions::SetDisjunctRowSelect, &TMouseActions::GetDisjunctRowSelect},
      {&TMouseActions::SetDisjunctColSelect, &TMouseActions::GetDisjunctColSelect},
      {&TMouseActions::SetDisjunctCellSelect, &TMouseActions::GetDisjunctCellSelect},
  };
  for (bool Designing : {false, true}) {
    for (int I = 0; I < 3; ++I) {
      SCOPED_TRACE(testing::Message() << "designing " << Designing << ", mode " << I);
      VIduZozezuVodu G(nullptr);
      G.SetDesigning(Designing);
      TMouseActions M(&G);
      for (int J = 0; J < 3; ++J)
        if (J != I) (M.*Modes[J].first)(true);
      (M.*Modes[I].first)(true);
      for (int J = 0; J < 3; ++J) EXPECT_EQ((M.*Modes[J].second)(), J == I || !Designing) << "mode " << J;
      // Switching one off never touches the others.
      (M.*Modes[I].first)(false);
      EXPECT_FALSE((M.*Modes[I].second)());
    }
  }
}

TEST(CoreOptions2, NavigationAssignAndChangeHook) {
  TNavigation A, B;
  int Changes = 0;
  B.OnChange = [&](TObject*) { ++Changes; };
  A.SetAdvanceDirection(adTopBottom);
  A.TabAdvanceDirection = adLeftRight;
  A.SetAdvanceInsert(true);
  A.AllowInsertRow = true;
  A.SkipFixedCells = false;
  A.HomeEndKey = heFirstLastRow;
  A.KeepScrollOnSort = true;
  B.TabAdvanceDirection = adTopBottom;

  B.Assign(&A);
  EXPECT_EQ(B.GetAdvanceDirection(), adTopBottom);
  EXPECT_EQ(B.TabAdvanceDirection, adLeftRight);  // from the source's own field
  EXPECT_TRUE(B.GetAdvanceInsert());
  EXPECT_TRUE(B.AllowInsertRow);
  EXPECT_FALSE(B.SkipFixedCells);
  EXPECT_EQ(B.HomeEndKey, heFirstLastRow);
  EXPECT_FALSE(B.KeepScrollOnSort);  // not copied
  EXPECT_EQ(Changes, 0);

  B.SetAdvanceDirection(adTopBottom);
  B.SetAdvanceInsert(true);
  EXPECT_EQ(Changes, 0);
  B.SetAdvanceDirection(adLeftRight);
  B.SetAdvanceInsert(false);
  EXPECT_EQ(Changes, 2);
  B.AutoGotoWhenSorted = true;  // stores only
  EXPECT_EQ(Changes, 2);
}

TEST(CoreOptions2, PrintAssignCopiesEverythingIntoItsOwnObjects) {
  TPrintSettings A(nullptr), B(nullptr);
  A.DateFormat = "yyyy-mm-dd";
  A.PageNumSep = " из ";
  A.Date = ppBottomRight;
  A.Borders = pbCustom;
  A.BorderStyle = psDot;
  A.Orientation = poLandscape;
  A.FitToPage = fpShrink;
  A.UseDisplayFont = false;
  A.Centered = false;
  A.MaxPagesOffset = 2;
  A.JobName = "Счётчики";
  A.GetHeaderFont()->SetSize(14);
  A.GetFixedFont()->SetName("Arial");
  A.GetTitleLines()->Add("line 1");
  A.GetTitleLines()->Add("line 2");

  B.Assign(&A);
  EXPECT_EQ(B.DateFormat, "yyyy-mm-dd");
  EXPECT_EQ(B.PageNumSep, " из ");
  EXPECT_EQ(B.Date, ppBottomRight);
  EXPECT_EQ(B.Borders, pbCustom);
  EXPECT_EQ(B.BorderStyle, psDot);
  EXPECT_EQ(B.Orientation, poLandscape);
  EXPECT_EQ(B.FitToPage, fpShrink);
  EXPECT_FALSE(B.UseDisplayFont);
  EXPECT_FALSE(B.Centered);
  EXPECT_EQ(B.MaxPagesOffset, 2);
  EXPECT_EQ(B.JobName, "Счётчики");
  EXPECT_EQ(B.GetHeaderFont()->GetSize(), 14);
  EXPECT_EQ(B.GetFixedFont()->GetName(), "Arial");
  ASSERT_EQ(B.GetTitleLines()->GetCount(), 2);
  EXPECT_EQ(B.GetTitleLines()->Get(1), "line 2");

  // Copies, not shared objects.
  EXPECT_NE(B.GetHeaderFont(), A.GetHeaderFont());
  A.GetTitleLines()->Clear();
  A.GetHeaderFont()->SetSize(9);
  EXPECT_EQ(B.GetTitleLines()->GetCount(), 2);
  EXPECT_EQ(B.GetHeaderFont()->GetSize(), 14);

  // The writers copy too.
  TFont F;
  F.SetSize(20);
  B.SetFooterFont(&F);
  F.SetSize(7);
  EXPECT_EQ(B.GetFooterFont()->GetSize(), 20);

  TMouseActions M(nullptr);
  EXPECT_THROW(B.Assign(&M), EConvertError);
  EXPECT_EQ(B.DateFormat, "yyyy-mm-dd");  // left as it was
}

}  // namespace
