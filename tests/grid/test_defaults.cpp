// A new grid's appearance settings, the theme following, and the change
// handlers and component references of the appearance family.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/menus.h"
#include "platform/uxtheme/uxtheme.h"

namespace {

class TCountingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
  int Invalidates = 0;
};

// Vista answered as a test says, put back afterwards.
struct TVistaAnswer {
  explicit TVistaAnswer(bool Vista) : Saved(VIduZozezuVodu::IsVistaQuery) {
    VIduZozezuVodu::IsVistaQuery = [Vista] { return Vista; };
  }
  ~TVistaAnswer() {
    VIduZozezuVodu::IsVistaQuery = Saved;
    SetTestThemeActive(false);
  }
  std::function<bool()> Saved;
};

TEST(GridDefaults, AppearanceOfANewGrid) {
  VIduZozezuVodu g(nullptr);
  struct Case {
    const char* Name;
    long long Actual, Expected;
  } cases[] = {
      {"RowCount", g.GetRowCount(), 10},
      {"ColCount", g.GetColCount(), 5},
      {"FixedRows", g.GetFixedRows(), 1},
      {"FixedCols", g.GetFixedCols(), 1},
      {"DefaultRowHeight", g.GetDefaultRowHeight(), 22},
      {"Width", g.GetWidth(), 400},
      {"Height", g.GetHeight(), 250},
      {"Look", g.GetLook(), glXP},
      {"SelectionColor", g.SelectionColor, 0xEACAB6},
      {"SelectionColorTo", g.SelectionColorTo, clNone},
      {"SelectionMirrorColor", g.SelectionMirrorColor, clNone},
      {"SelectionMirrorColorTo", g.SelectionMirrorColorTo, clNone},
      {"SelectionTextColor", g.SelectionTextColor, 0},
      {"SelectionRectangle", g.GetSelectionRectangle(), false},
      {"SelectionResizer", g.GetSelectionResizer(), false},
      {"ShowSelection", g.GetShowSelection(), true},
      {"HideFocusRect", g.GetHideFocusRect(), false},
      {"ActiveCellShow", g.GetActiveCellShow(), false},
      {"ActiveCellColor", g.GetActiveCellColor(), 0x808080},
      {"EnableWheel", g.GetEnableWheel(), true},
      {"IntelliZoom", g.GetIntelliZoom(), true},
      {"ScrollType", g.GetScrollType(), ssNormal},
      {"ScrollWidth", g.GetScrollWidth(), 17},
      {"ActiveCellColorTo", g.ActiveCellColorTo, clNone},
      {"HintColor", g.HintColor, clInfoBk},
      {"URLColor", g.GetURLColor(), 0xFF0000},
      {"EnableHTML", g.GetEnableHTML(), true},
      {"VAlignment", g.GetVAlignment(), vtaTop},
      {"DefaultEditor", g.GetDefaultEditor(), edNormal},
      {"InvalidEntryIcon", g.GetInvalidEntryIcon(), ieWarning},
      {"HoverFixedCells", g.GetHoverFixedCells(), hfNone},
      {"AutoFilterUpdate", g.GetAutoFilterUpdate(), true},
      {"ShowDesignHelper", g.GetShowDesignHelper(), true},
      {"ScrollBarAlways", g.GetScrollBarAlways(), saNone},
      {"ScrollColor", g.ScrollColor, clNone},
      {"XYOffset.x", g.GetXYOffset().x, 2},
      {"XYOffset.y", g.GetXYOffset().y, 2},
      {"SaveFixedCells", g.GetSaveFixedCells(), true},
      {"GroupColumn", g.GetGroupColumn(), -1},
      {"Hovering", g.GetHovering(), false},
      {"AutoThemeAdapt", g.GetAutoThemeAdapt(), false},
      {"MaxEditLength", g.GetMaxEditLength(), 0},
      {"Flat", g.GetFlat(), false},
      {"AutoSize", g.GetAutoSize(), false},
      {"UpdateCount", g.GetUpdateCount(), 0},
      {"FixedFont bold", g.GetFixedFont()->GetStyle().Contains(fsBold), true},
      {"ActiveCellFont bold", g.GetActiveCellFont()->GetStyle().Contains(fsBold), true},
      {"FixedDropDownMenu", g.GetFixedDropDownMenu() != nullptr, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
  EXPECT_EQ(g.GetFloatFormat(), "%.2f");
  EXPECT_EQ(g.GetCheckTrueText(), "Y");
  EXPECT_EQ(g.GetCheckFalseText(), "N");
  EXPECT_EQ(g.GetFixedFont()->GetName(), "Tahoma");
  EXPECT_EQ(g.GetXMLEncoding(), "ISO-8859-1");
}

// Vista's scheme differs from the default look only in its mirror, the
// control look's fixed gradient, the active cell and the search footer.
void ExpectVistaScheme(VIduZozezuVodu& g) {
  EXPECT_EQ(g.GetFixedGradient().From, 0xFFFFFF);
  EXPECT_EQ(g.GetFixedGradient().MirrorFrom, 0xFAF8F7);
  EXPECT_EQ(g.GetFixedGradient().MirrorTo, 0xF4F2F1);
  EXPECT_EQ(g.GetControlLook()->GetFixedGradientFrom(), 0xFFFFFF);
  EXPECT_EQ(g.GetActiveCellColor(), 0x94E6FB);
  EXPECT_EQ(g.GetSearchFooter()->GetColor(), 0xECE2E1);
  EXPECT_EQ(g.GetSearchFooter()->GetColorTo(), 0xB39698);
}

TEST(GridDefaults, AutoThemeAdaptTakesTheSchemeAtOnceAndOnThemeChanges) {
  TVistaAnswer vista(true);
  TCountingGrid g(nullptr);
  ASSERT_EQ(g.GetFixedGradient().MirrorFrom, clNone);
  g.Invalidates = 0;
  g.SetAutoThemeAdapt(true);
  EXPECT_TRUE(g.GetSearchFooter()->GetAutoThemeAdapt());
  ExpectVistaScheme(g);
  EXPECT_GT(g.Invalidates, 0);

  // A theme change while following: the new scheme is taken.
  VIduZozezuVodu::IsVistaQuery = [] { return false; };
  SetTestThemeActive(true, u"Metallic");
  g.Perform(0x031A, 0, 0);
  EXPECT_EQ(g.GetFixedGradient().From, 0xECE2E1);
  EXPECT_EQ(g.GetFixedGradient().To, 0xB39698);

  // Off: the search footer follows, theme changes are ignored.
  g.SetAutoThemeAdapt(false);
  EXPECT_FALSE(g.GetSearchFooter()->GetAutoThemeAdapt());
  SetTestThemeActive(true, u"HomeStead");
  g.Perform(0x031A, 0, 0);
  EXPECT_EQ(g.GetFixedGradient().From, 0xECE2E1);
}

TEST(GridDefaults, FontChangesRepaintAndTheRichSelectionIsReported) {
  TCountingGrid g(nullptr);
  g.Invalidates = 0;
  g.GetFixedFont()->SetSize(12);
  EXPECT_EQ(g.Invalidates, 1) << "a change of the fixed font itself repaints";
  g.GetActiveCellFont()->SetColor(clRed);
  EXPECT_EQ(g.Invalidates, 2) << "so does one of the active-cell font";

  std::vector<TObject*> senders;
  g.RichSelChange(nullptr);
  g.OnRichEditSelectionChange = [&](TObject* S) { senders.push_back(S); };
  g.RichSelChange(nullptr);
  EXPECT_EQ(senders, std::vector<TObject*>{&g});
}

TEST(GridDefaults, ARemovedDropDownMenuIsForgotten) {
  VIduZozezuVodu g(nullptr);
  auto* menu = new TPopupMenu(nullptr);
  g.SetFixedDropDownMenu(menu);
  EXPECT_EQ(g.GetFixedDropDownMenu(), menu);
  delete menu;
  EXPECT_EQ(g.GetFixedDropDownMenu(), nullptr);
}

}  // namespace
