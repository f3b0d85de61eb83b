// The tariff frame headless: its layout, painting hours with the tariff
// buttons through the test input, the special-day editors, clearing, and the
// window's two instances.
#include <gtest/gtest.h>

#include "app/UFrame1.h"
#include "app/sdimain.h"
#include "platform/graphics/gdi.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winuser.h"
#include "tests/app/tariff_frame_fixture.h"
#include "tests/app/test_mainwin_fixture.h"

namespace {

class TariffFrame : public TariffFrameHost {
protected:
  POINT CellPoint(VIduZozezuVodu* G, int Col, int Row) {
    const TRect r = G->CellRect(Col, Row);
    return ClientPointToScreen(G->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  POINT ButtonPoint(TControl* B) {
    return ClientPointToScreen(static_cast<TWinControl*>(B)->GetHandle(), B->GetWidth() / 2, B->GetHeight() / 2);
  }
  // Every hour cell "1" in lime.
  void FillOnes() {
    for (int c = 1; c <= 36; ++c)
      for (int r = 2; r <= 25; ++r) {
        F->ZytSG2->SetCells(c, r, "1");
        F->ZytSG2->SetColors(c, r, clLime);
      }
  }
};

TEST_F(TariffFrame, LayoutOfBothGridsButtonsAndPopup) {
  EXPECT_EQ(F->GroupBox1->GetCaption(), "Нестандартные дни (НД)");
  EXPECT_EQ(F->GroupBox1->GetWidth(), 185);
  EXPECT_EQ(F->GroupBox2->GetCaption(), "Тарифное расписание (ТР)");
  EXPECT_FALSE(F->PaintOn);

  TZytGlassButton* buttons[] = {F->ZytGlassButton1, F->ZytGlassButton2, F->ZytGlassButton3, F->ZytGlassButton4};
  const TColor backs[] = {clLime, clYellow, clRed, clBlue};
  for (int k = 0; k < 4; ++k) {
    TZytGlassButton* b = buttons[k];
    EXPECT_EQ(b->GetCaption(), "Тариф " + IntToStr(k + 1));
    EXPECT_EQ(b->GetBackColor(), backs[k]);
    EXPECT_EQ(b->GetWidth(), 95);
    EXPECT_EQ(b->GetHeight(), 25);
    EXPECT_EQ(b->GetGlowColor(), static_cast<TColor>(16760205));
    EXPECT_EQ(b->GetForeColor(), clNone);
    if (k) {
      EXPECT_EQ(b->GetLeft() - buttons[k - 1]->GetLeft(), 99);
    }
  }

  VIduZozezuVodu* g = F->ZytSG2;
  EXPECT_EQ(g->GetColCount(), 37);
  EXPECT_EQ(g->GetRowCount(), 26);
  EXPECT_EQ(g->GetFixedRows(), 2);
  EXPECT_EQ(g->GetFixedCols(), 1);
  EXPECT_EQ(g->GetColWidths(0), 35);
  EXPECT_EQ(g->GetColWidths(36), 22);
  EXPECT_EQ(g->GetRowHeights(25), 22);
  EXPECT_EQ(g->GetActiveCellColor(), static_cast<TColor>(15387318));
  EXPECT_EQ(g->GetCells(1, 0), "Январь");
  EXPECT_EQ(g->GetCells(34, 0), "Декабрь");
  EXPECT_EQ(g->CellSpan(4, 0).x, 2);
  EXPECT_EQ(g->GetCells(5, 1), "Сб");
  EXPECT_EQ(g->GetCells(0, 2), "00-01");
  EXPECT_EQ(g->GetCells(0, 25), "23-24");
  EXPECT_EQ(g->GetColorsTo(4, 2), static_cast<TColor>(16575452));   // February
  EXPECT_EQ(g->GetColorsTo(36, 25), static_cast<TColor>(16575452));  // December
  EXPECT_EQ(g->GetColorsTo(1, 2), clNone);                           // January
  EXPECT_EQ(g->GetPopupMenu(), F->N21);
  ASSERT_EQ(F->N21->Items()->Count(), 4);
  EXPECT_EQ(F->N7->GetCaption(), "Открыть (НД+ТР)");
  EXPECT_EQ(F->N8->GetCaption(), "Сохранить (НД+ТР)");
  EXPECT_EQ(F->N6->GetCaption(), "-");
  EXPECT_EQ(F->N5->GetCaption(), "Очистить таблицу (ТР)");

  VIduZozezuVodu* d = F->ZytSG1;
  EXPECT_EQ(d->GetColCount(), 3);
  EXPECT_EQ(d->GetRowCount(), 25);
  EXPECT_EQ(d->GetColWidths(1), 73);
  EXPECT_TRUE(d->GetOptions() & goEditing);
  EXPECT_EQ(d->GetCells(1, 0), "Дата");
  EXPECT_EQ(d->GetCells(2, 0), "Тип дня");
  EXPECT_EQ(d->GetCells(0, 24), "24");

  TAlignment h = taLeftJustify;
  TVAlignment v = vtaTop;
  g->OnGetAlignment(g, 7, 7, h, v);
  EXPECT_EQ(h, taCenter);
  EXPECT_EQ(v, vtaCenter);
  h = taLeftJustify;
  d->OnGetAlignment(d, 3, 1, h, v);
  EXPECT_EQ(h, taCenter);
}

TEST_F(TariffFrame, HoldingATariffButtonPaintsTheSelectedBlockOnly) {
  FillOnes();
  VIduZozezuVodu* g = F->ZytSG2;
  // Select March working day .. Saturday, hours 2..5.
  TestMouseDown(CellPoint(g, 7, 4));
  TestMouseMove(CellPoint(g, 8, 7));
  TestMouseUp(CellPoint(g, 8, 7));
  PumpUntilIdle();
  TestMouseDown(ButtonPoint(F->ZytGlassButton3));
  EXPECT_LT(PumpUntilIdle(), 5000);  // no repaint loop
  EXPECT_TRUE(F->PaintOn);
  EXPECT_EQ(F->CurTarif, 3);
  TestMouseUp(ButtonPoint(F->ZytGlassButton3));
  PumpUntilIdle();
  EXPECT_FALSE(F->PaintOn);
  for (int c = 6; c <= 9; ++c)
    for (int r = 3; r <= 8; ++r) {
      const bool inside = c >= 7 && c <= 8 && r >= 4 && r <= 7;
      EXPECT_EQ(g->GetCells(c, r), inside ? "3" : "1") << c << "," << r;
      EXPECT_EQ(g->GetColors(c, r), inside ? clRed : clLime) << c << "," << r;
    }
  // Fixed cells are never painted.
  EXPECT_EQ(g->GetCells(0, 4), "02-03");

  // With no range only the current cell takes the tariff.
  TestClick(CellPoint(g, 20, 10));
  PumpUntilIdle();
  TestMouseDown(ButtonPoint(F->ZytGlassButton4));
  PumpUntilIdle();
  TestMouseUp(ButtonPoint(F->ZytGlassButton4));
  PumpUntilIdle();
  EXPECT_EQ(g->GetCells(20, 10), "4");
  EXPECT_EQ(g->GetColors(20, 10), clBlue);
  EXPECT_EQ(g->GetCells(21, 10), "1");
  EXPECT_EQ(g->GetCells(20, 11), "1");
  EXPECT_EQ(g->GetCells(7, 4), "3");

  // On screen the painted cell, no longer selected, is red around its "3".
  g->Invalidate();
  PumpUntilIdle();
  TBitmap shot;
  SnapshotControl(g, &shot);
  RECT w{};
  GetWindowRect(g->GetHandle(), &w);
  const POINT o = ClientPointToScreen(g->GetHandle(), 0, 0);
  const TRect cell = g->CellRect(8, 7);
  EXPECT_EQ(ColorToRGB(shot.Canvas()->GetPixels(cell.left + 3 + o.x - w.left, cell.top + 3 + o.y - w.top)),
            ColorToRGB(clRed));
  bool dark = false;  // the text's pixels
  for (int y = cell.top + 2; y < cell.bottom - 2 && !dark; ++y)
    for (int x = cell.left + 2; x < cell.right - 2 && !dark; ++x) {
      const COLORREF c = ColorToRGB(shot.Canvas()->GetPixels(x + o.x - w.left, y + o.y - w.top));
      dark = GetRValue(c) < 100;
    }
  EXPECT_TRUE(dark);

  // Released, a repaint paints nothing.
  g->Invalidate();
  PumpUntilIdle();
  EXPECT_EQ(g->GetCells(20, 10), "4");
}

TEST_F(TariffFrame, SpecialDayEditorsAreTheDatePickerAndTheDayKindCombo) {
  VIduZozezuVodu* d = F->ZytSG1;
  ASSERT_TRUE(d->OnGetEditorType);
  struct Case {
    int Col;
    TEditorType Expect;
  } cases[] = {{0, edNormal}, {1, edDateEdit}, {2, edComboEdit}};
  for (const Case& c : cases) {
    TEditorType e = edNormal;
    d->OnGetEditorType(d, c.Col, 3, e);
    EXPECT_EQ(e, c.Expect) << c.Col;
  }
  // The combo change has nothing to do; the property handler leaves other
  // columns alone.
  F->ZytSG1ComboChange(d, 2, 1, 1, "Праздник");
  F->ZytSG1GetEditorProp(d, 1, 1, nullptr);
  EXPECT_EQ(d->GetCells(2, 1), "");
}

TEST_F(TariffFrame, ClearingSetsTariffOneAndEmptiesTheSpecialDays) {
  F->ZytSG2->SetCells(10, 10, "3");
  F->ZytSG2->SetColors(10, 10, clRed);
  F->ZytSG1->SetCells(1, 1, "08.03.2026");
  F->ZytSG1->SetCells(1, 30, "08.03.2026");
  F->ClearSchedule();
  for (int c = 1; c <= 36; ++c)
    for (int r = 2; r <= 25; ++r) {
      ASSERT_EQ(F->ZytSG2->GetCells(c, r), "1");
      ASSERT_EQ(F->ZytSG2->GetColors(c, r), clLime);
    }
  for (int r = 1; r <= 30; ++r)
    for (int c = 0; c < 3; ++c) ASSERT_EQ(F->ZytSG1->GetCells(c, r), "") << c << "," << r;
  EXPECT_EQ(F->ZytSG1->GetCells(1, 0), "Дата");
}

TEST_F(TariffFrame, ResetAsksFirstAndRebuildsTheLayout) {
  F->ZytSG2->SetCells(10, 10, "3");
  TestScriptMessageBoxes({IDNO, IDYES});
  F->N24Click(nullptr);
  EXPECT_EQ(F->ZytSG2->GetCells(10, 10), "3");
  F->N24Click(nullptr);
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 2u);
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, "Все значения таблицы 'Тарифное расписание' будет сброшены");
  EXPECT_TRUE(TestRecordedMessageBoxes()[0].Type & MB_YESNO);
  EXPECT_EQ(F->ZytSG2->GetCells(10, 10), "");
  EXPECT_EQ(F->ZytSG2->GetCells(10, 0), "Апрель");
  EXPECT_EQ(F->ZytSG2->GetColorsTo(10, 10), static_cast<TColor>(16575452));
}

TEST_F(TariffFrame, SpecialDayDisplayNeverRaisesAndReadsBackInRowOrder) {
  Word year, month, day;
  DecodeDate(Date(), year, month, day);
  Word leap = year;
  while (!IsLeapYear(leap)) ++leap;
  TSpecialDay days[kSpecialDaySlots] = {{29, 2, 1}, {31, 4, 0}, {32, 1, 0}, {5, 13, 1}, {1, -1, -1}, {9, 5, 0}};
  F->ShowSpecialDays(days);
  EXPECT_EQ(F->ZytSG1->GetCells(1, 1), DateToStr(EncodeDate(leap, 2, 29)));
  for (int r = 2; r <= 5; ++r) EXPECT_EQ(F->ZytSG1->GetCells(1, r), "") << r;
  EXPECT_EQ(F->ZytSG1->GetCells(1, 6), DateToStr(EncodeDate(year, 5, 9)));
  EXPECT_EQ(F->ZytSG1->GetCells(2, 6), "Рабочий");

  TSpecialDay back[kSpecialDaySlots];
  for (TSpecialDay& b : back) b = {7, 7, 7};
  ASSERT_TRUE(F->ReadSpecialDays(back));
  EXPECT_EQ(back[0].Day, 29);
  EXPECT_EQ(back[0].Kind, 1);
  EXPECT_EQ(back[1].Day, 9);
  EXPECT_EQ(back[1].Kind, 0);
  EXPECT_EQ(back[2].Day, 0);
  EXPECT_EQ(back[23].Day, 0);
  EXPECT_EQ(back[24].Day, 7);  // beyond what the grid holds
}

using TariffFrames = MainWindowTest;

TEST_F(TariffFrames, WindowHoldsBothFramesTheSecondShowingFifteenDays) {
  EXPECT_EQ(Form->Frame11->GetParent(), Form->TabSheet15);
  EXPECT_EQ(Form->Frame12->GetParent(), Form->TabSheet14);
  EXPECT_GE(Form->Frame12->GetTop(), Form->Panel3->GetTop() + Form->Panel3->GetHeight());
  EXPECT_EQ(Form->Frame11->ZytSG1->GetRowCount(), 25);
  EXPECT_EQ(Form->Frame12->ZytSG1->GetRowCount(), 16);
  // Cleared at creation.
  EXPECT_EQ(Form->Frame12->ZytSG2->GetCells(36, 25), "1");
  EXPECT_EQ(Form->Frame11->ZytSG1->GetCells(0, 1), "");
  // Entries past the 15 shown are kept and read back.
  for (int i = 0; i < 20; ++i) Form->SpecialDays[i] = {1 + i, 6, i % 2};
  Form->R_OutKalendar();
  for (TSpecialDay& d : Form->SpecialDays) d = {};
  Form->R_InKalendar();
  EXPECT_EQ(Form->SpecialDays[19].Day, 20);
  EXPECT_EQ(Form->SpecialDays[19].Kind, 1);
  EXPECT_EQ(Form->SpecialDays[20].Day, 0);
  // The popup items run the window's commands.
  TestScriptFileDialogs({{}});
  Form->Frame12->N7->Click();
  ASSERT_EQ(TestRecordedFileDialogs().size(), 1u);
  EXPECT_EQ(TestRecordedFileDialogs()[0].Filter, "Тарифы(*.tar)|*.tar|(*.*)|*.*");
}

}  // namespace
