// The special-day grid of the tariff frame edited by keys: the date editor
// in column 1 and the day-kind combo in column 2, as a user works them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grideditors.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"
#include "tests/app/tariff_frame_fixture.h"

namespace {

class TariffRoad : public TariffFrameHost {
protected:
  void SetUp() override {
    UseTestClock();
    TariffFrameHost::SetUp();
    G = F->ZytSG1;
    G->GetNavigation()->AdvanceOnEnter = false;
    G->SetCells(1, 1, "08.03.2026");
    G->SetCells(2, 1, "Рабочий");
    G->SetCells(1, 2, "не дата");
  }
  void TearDown() override {
    TariffFrameHost::TearDown();
    UseSystemClock();
  }
  void Open(int Col, int Row) {
    G->SetFocus();
    G->FocusCell(Col, Row);
    PumpUntilIdle();
    Key(VK_F2);
  }
  void Key(WORD Vk, unsigned Shift = tsNone) {
    TestKeyPress(Vk, Shift);
    PumpUntilIdle();
  }
  void Type(const char* S) {
    TestTypeText(S);
    PumpUntilIdle();
  }
  VIduZozezuVodu* G = nullptr;
};

TEST_F(TariffRoad, DateArrowsChangeThePartAndEnterCloses) {
  Open(1, 1);
  TGridDatePicker* P = G->Editors().DatePicker;
  ASSERT_TRUE(P->GetVisible());
  Key(VK_UP);
  EXPECT_TRUE(P->GetVisible()) << "arrows keep the editor open";
  EXPECT_NE(P->GetDate(), EncodeDate(2026, 3, 8));
  const AnsiString Shown = P->GetDisplayText();
  Key(VK_RETURN);
  EXPECT_FALSE(P->GetVisible());
  EXPECT_FALSE(G->EditActive);
  EXPECT_EQ(G->GetCells(1, 1), Shown);
  EXPECT_EQ(G->GetRow(), 1) << "without AdvanceOnEnter the cell stays";
}

TEST_F(TariffRoad, EscOnATextThatIsNoDateSetsToday) {
  Open(1, 2);
  Key(VK_ESCAPE);
  EXPECT_FALSE(G->Editors().DatePicker->GetVisible());
  EXPECT_EQ(G->GetCells(1, 2), DateToStr(Date()));
}

TEST_F(TariffRoad, ComboCompletesTheTypedPrefixAndEnterStoresIt) {
  G->SetLookup(true);
  Open(2, 1);
  TGridCombo* C = G->Editors().Combo;
  ASSERT_TRUE(C->GetVisible());
  EXPECT_EQ(G->GetComboCount(), 2);
  C->SelectAll();
  Type("п");
  EXPECT_EQ(C->GetText(), "праздник") << "typed characters stay as typed";
  EXPECT_EQ(C->GetSelStart(), 1);
  EXPECT_EQ(C->GetSelLength(), 7);
  Key(VK_RETURN);
  EXPECT_FALSE(C->GetVisible());
  EXPECT_EQ(G->GetCells(2, 1), "праздник");
}

TEST_F(TariffRoad, LookupHistoryKeepsANewDayKind) {
  G->SetLookupHistory(true);
  Open(2, 1);
  TGridCombo* C = G->Editors().Combo;
  C->SelectAll();
  Type("Сокращённый");
  G->SetFocus();
  PumpUntilIdle();
  EXPECT_FALSE(C->GetVisible());
  EXPECT_EQ(G->GetCells(2, 1), "Сокращённый");
  EXPECT_EQ(G->GetComboCount(), 3);
}

TEST_F(TariffRoad, LeftAndRightMoveTheCaretOrTheCellWhenDropped) {
  Open(2, 1);
  TGridCombo* C = G->Editors().Combo;
  C->SetSelStart(3);
  C->SetSelLength(0);
  Key(VK_LEFT);
  EXPECT_TRUE(C->GetVisible());
  EXPECT_EQ(C->GetSelStart(), 2);
  EXPECT_EQ(G->GetCol(), 2);
  C->SetDroppedDown(true);
  PumpUntilIdle();
  ASSERT_TRUE(C->GetDroppedDown());
  Key(VK_LEFT);
  EXPECT_FALSE(C->GetVisible());
  EXPECT_EQ(G->GetCol(), 1) << "a dropped list hands Left to the grid";
}

TEST_F(TariffRoad, ARefusedEnterKeepsTheValidatedTextSelected) {
  std::vector<std::string> checked;
  G->OnCellValidate = [&](TObject*, int, int, AnsiString& Value, bool& Valid) {
    checked.push_back(Value);
    Valid = Value != "Праздник";
  };
  Open(2, 1);
  TGridCombo* C = G->Editors().Combo;
  C->SelectAll();
  Type("Праздник");
  Key(VK_RETURN);
  EXPECT_TRUE(C->GetVisible()) << "the edit stays open";
  EXPECT_EQ(checked.size(), 1u);
  EXPECT_EQ(C->GetText(), G->ValidatedText);
  EXPECT_EQ(C->GetSelLength(), static_cast<int>(Utf8ToWide(C->GetText()).size()));
}

TEST_F(TariffRoad, TheWideComboClosesOnEnterWithoutWideValidation) {
  int wide = 0;
  G->OnCellValidateWide = [&](TObject*, int, int, WideString&, bool&) { ++wide; };
  G->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& E) {
    if (ACol == 2) E = edUniComboEdit;
  };
  Open(2, 1);
  TGridUniCombo* C = G->Editors().UniCombo;
  ASSERT_TRUE(C->GetVisible());
  Type("ж");
  Key(VK_RETURN);
  EXPECT_FALSE(C->GetVisible());
  EXPECT_EQ(wide, 0);
}

// A wheel notch over the special-day list walks four rows: the three wheel
// lines and the platform grid's own row. With the date editor open the
// edited date is kept and the grid takes the focus.
TEST_F(TariffRoad, TheWheelWalksTheListAndKeepsAnEditedDate) {
  G->SetFocus();
  G->FocusCell(1, 1);
  PumpUntilIdle();
  const TRect R = G->CellRect(1, 2);
  const POINT Over = G->ClientToScreen(TPoint(R.left + 4, R.top + 4));
  TestWheel(Over, -1);
  PumpUntilIdle();
  EXPECT_EQ(G->GetRow(), 5);
  TestWheel(Over, 1);
  PumpUntilIdle();
  EXPECT_EQ(G->GetRow(), 1);

  Open(1, 1);
  TGridDatePicker* P = G->Editors().DatePicker;
  ASSERT_TRUE(P->GetVisible());
  Key(VK_UP);
  const AnsiString Shown = P->GetDisplayText();
  TestWheel(Over, -1);
  PumpUntilIdle();
  EXPECT_FALSE(P->GetVisible());
  EXPECT_EQ(G->GetCells(1, 1), Shown);
  EXPECT_EQ(G->GetRow(), 5);
  EXPECT_EQ(GetFocus(), G->Handle());
}

}  // namespace
