// A grid as the configurator shows one: XP fixed cells, tariff colours from
// the colour event, centred, wrapped and RTF texts, a sort mark, a merged area, a range selection and the cell
// types (check box, radio button, progress, node, button, comment). Probed on
// the painted pixels; with GRID_LOOK_PNG set the window is saved there as a
// PNG to look at.
#include <gtest/gtest.h>

#include <cstdlib>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winuser.h"

namespace {

const char* const RedRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}\\f0\\fs18 \\cf1\\b RTF\\b0  text}";

TEST(GridShowcase, ConfiguratorLookWithEveryCellKind) {
  TestResetKernel();
  auto* form = new TForm(nullptr);
  form->SetBounds(0, 0, 720, 330);
  auto* g = new VIduZozezuVodu(form);
  g->SetParent(form);
  g->SetBounds(0, 0, 700, 300);
  g->SetLook(glXP);
  g->SetColCount(6);
  g->SetRowCount(9);
  g->SetDefaultRowHeight(26);
  g->SetColWidths(0, 70);
  g->SetColWidths(1, 120);
  g->SetColWidths(2, 90);
  g->SetColWidths(3, 140);
  g->SetColWidths(4, 130);
  g->SetColWidths(5, 120);
  const char* heads[] = {"Зона", "Начало", "Тариф", "Текст", "Объект", "Ещё"};
  for (int c = 0; c < 6; ++c) g->SetCells(c, 0, heads[c]);
  for (int r = 1; r < 9; ++r) {
    g->SetCells(0, r, IntToStr(r));
    g->SetCells(1, r, "0" + IntToStr(r) + ":00");
    g->SetCells(2, r, "T" + IntToStr(1 + r % 4));
  }
  g->SetCells(3, 1, "Перенос слов в длинной ячейке");
  g->SetWordWraps(3, 1, true);
  g->SetRowHeights(1, 40);
  g->SetCells(3, 2, RedRtf);
  g->SetCells(3, 3, "<b>HTML</b> <font color=\"clBlue\">cell</font>");
  g->AddCheckBox(4, 1, true, false);
  g->SetCells(4, 1, "Включено");
  g->AddRadioButton(4, 2, true);
  g->AddProgress(4, 3, clGreen, clWhite);
  g->SetCells(4, 3, "60");
  g->AddButton(4, 4, 80, 20, "Кнопка", haCenter, vaCenter);
  g->AddComment(4, 5, "comment");
  g->SetCells(4, 5, "С примечанием");
  g->AddNode(6, 2);
  g->SetCells(5, 6, "Узел");
  g->MergeCells(5, 7, 1, 2);
  g->SetCells(5, 7, "Объединено");
  g->SetSelection(TGridRect{1, 4, 2, 5});
  g->GetSortSettings()->SetShow(true);
  g->GetSortSettings()->Column = 1;
  // Tariff colours by the text of column 2, as the tariff frame does.
  const TColor tariff[] = {0xC0FFC0, 0xC0C0FF, 0xFFC0C0, 0xC0FFFF};
  g->OnGetCellColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush* B, TFont*) {
    if (ACol == 2 && ARow > 0) B->SetColor(tariff[(ARow + 1) % 4]);
  };
  g->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& H, TVAlignment& V) {
    if (ACol == 1 || ACol == 2) H = taCenter;
    V = vtaCenter;
  };
  form->Show();
  PumpUntilIdle();
  g->Invalidate();
  PumpUntilIdle();
  TBitmap shot;
  SnapshotControl(g, &shot);
  if (const char* path = std::getenv("GRID_LOOK_PNG")) GdiSaveBitmapPNG(shot.GetHandle(), path);

  RECT w{};
  GetWindowRect(g->Handle(), &w);
  const POINT o = ClientPointToScreen(g->Handle(), 0, 0);
  auto px = [&](int X, int Y) { return ColorToRGB(shot.Canvas()->GetPixels(X + o.x - w.left, Y + o.y - w.top)); };
  // Row 3 of the tariff column carries the colour its tariff asks for.
  const TRect t = g->CellRect(2, 3);
  EXPECT_EQ(px(t.left + 4, t.top + 4), ColorToRGB(tariff[(3 + 1) % 4]));
  // The RTF run is drawn in its own colour somewhere in its cell.
  const TRect r = g->CellRect(3, 2);
  bool red = false;
  for (int y = r.top + 1; y < r.bottom - 1 && !red; ++y)
    for (int x = r.left + 1; x < r.right - 1 && !red; ++x) {
      const COLORREF c = px(x, y);
      red = GetRValue(c) > 150 && GetGValue(c) < 80 && GetBValue(c) < 80;
    }
  EXPECT_TRUE(red);
  // The XP fixed cells are a gradient, not a flat fixed colour.
  const TRect h = g->CellRect(3, 0);
  EXPECT_NE(px(h.left + 5, h.top + 2), px(h.left + 5, h.bottom - 3));
  delete form;
  TestResetKernel();
}

}  // namespace
