// yunt-gridview: a string grid of 130 x 10 cells in a window, for trying
// scrolling, sizing, moving, editing and printing by hand. Its menu prints
// through the print dialog and previews the first page.
//   --pdf FILE  prints the grid into FILE and ends;
//   --preview-png FILE  saves the preview of page 1 as a picture and ends;
//   --drag  leaves editing off, so a press in the selection drags its text,
//           and lets dropped text be pasted all the same;
//   --look  shows instead a small tariff table for checking the grid's look:
//           XP headers with a sort mark, zone colours from OnGetCellColor,
//           centred, wrapped and rich-text cells, check boxes, a footer row,
//           a cell comment, hints over the tariff column and an autosized
//           first column.
#include <cstring>
#include <iostream>
#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/extctrls.h"
#include "platform/comctrls/menus.h"
#include "platform/dialogs/printdialog.h"
#include "platform/forms/forms.h"
#include "platform/forms/qthost.h"
#include "platform/graphics/printers.h"
#include "platform/windows/winuser.h"

namespace {

void ShowPreview(VIduZozezuVodu* Grid) {
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetCaption("Предварительный просмотр");
  Form->SetBounds(60, 40, 420, 594);
  auto* Image = new TImage(Form);
  Image->SetParent(Form);
  Image->SetAlign(alClient);
  Image->SetStretch(true);
  TBitmap* Page = Image->GetPicture()->GetBitmap();
  Page->SetSize(794, 1123);
  Page->GetCanvas()->FillRect(TRect(0, 0, 794, 1123));
  Grid->PrintPreview(Page->GetCanvas(), TRect(0, 0, 794, 1123));
  Form->Show();
}

void PrintWithDialog(VIduZozezuVodu* Grid) {
  TPrintDialog Dialog(nullptr);
  if (!Dialog.Execute()) return;
  try {
    Grid->Print();
  } catch (const Exception& E) {
    MessageBoxA(nullptr, E.Message.c_str(), "Печать", MB_OK | MB_ICONERROR);
  }
}

// A day's tariff zones in the look the configurator's tariff page uses.
void FillLook(VIduZozezuVodu* Grid) {
  static const char* Zones[] = {"Т1", "Т2", "Т3", "Т4"};
  Grid->SetLook(glXP);
  Grid->SetColCount(5);
  Grid->SetRowCount(12);
  Grid->SetDefaultRowHeight(22);
  Grid->SetCells(0, 0, "№");
  Grid->SetCells(1, 0, "Начало зоны");
  Grid->SetCells(2, 0, "Тариф");
  Grid->SetCells(3, 0, "Примечание");
  Grid->SetCells(4, 0, "Вкл.");
  for (int r = 1; r < 11; ++r) {
    Grid->SetCells(0, r, std::to_string(r));
    Grid->SetCells(1, r, (r < 5 ? "0" : "") + std::to_string(2 * r + 1) + ":00");
    Grid->SetCells(2, r, Zones[r % 4]);
    Grid->SetAlignments(1, r, taCenter);
    Grid->SetAlignments(2, r, taCenter);
  }
  Grid->SetCells(3, 1, "Утренний пик, длинный текст переносится по словам");
  Grid->SetWordWraps(3, 1, true);
  Grid->SetRowHeights(1, 40);
  Grid->SetCells(3, 2, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}"
                       "\\f0\\fs16 \\b RTF\\b0  \\cf1 \\u1082?\\u1088?\\u1072?\\u1089?\\u1085?\\u1099?\\u1081?\\cf0 }");
  Grid->SetCells(3, 3, "<b>HTML</b> <i>текст</i>");
  Grid->SetFixedFooters(1);
  Grid->AddCheckBoxColumn(4, true);
  Grid->SetCells(0, 11, "Итого");
  Grid->SetCells(2, 11, "4 зоны");
  Grid->GetSortSettings()->SetShow(true);
  Grid->GetSortSettings()->Column = 1;
  Grid->SetColWidths(0, 40);
  Grid->AutoSizeCol(1);
  Grid->AddComment(1, 4, "Зона сдвинута на час");
  Grid->SetShowHint(true);
  Grid->OnGridHint = [](TObject*, int ARow, int ACol, AnsiString& HintStr) {
    if (ACol == 2 && ARow > 0) HintStr = "Тариф для строки " + std::to_string(ARow);
  };
  Grid->SetColWidths(2, 70);
  Grid->SetColWidths(3, 230);
  Grid->SetColWidths(4, 50);
  Grid->OnGetCellColor = [Grid](TObject*, int ARow, int ACol, TGridDrawState, TBrush* ABrush, TFont*) {
    static const TColor Colours[] = {0xE0F0FF, 0xE0FFE0, 0xFFE8E0, 0xF0E0F0};
    if (ARow < Grid->GetFixedRows() || ARow >= Grid->GetRowCount() - 1 || ACol != 2) return;
    ABrush->SetColor(Colours[ARow % 4]);
  };
}

}  // namespace

int main(int argc, char** argv) {
  AnsiString PdfFile, PngFile;
  bool Look = false, DragOut = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--look") == 0) Look = true;
    if (std::strcmp(argv[i], "--drag") == 0) DragOut = true;
  }
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--pdf") == 0) PdfFile = argv[i + 1];
    if (std::strcmp(argv[i], "--preview-png") == 0) PngFile = argv[i + 1];
  }
  // Without a display the program still runs, with nothing shown.
  QtHostStart();
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption("Grid view");
  form->SetBounds(20, 20, 640, 400);

  auto* grid = new VIduZozezuVodu(form);
  grid->SetParent(form);
  grid->SetAlign(alClient);
  if (Look) {
    form->SetCaption("Grid look");
    form->SetBounds(20, 20, 540, 330);
    FillLook(grid);
  } else {
    grid->SetColCount(10);
    grid->SetRowCount(130);
    grid->SetOptions(grid->GetOptions() | goEditing | goColSizing | goRowSizing | goColMoving | goRangeSelect);
    // A press in the selection starts a drag only while cells are not edited.
    // Dropped text is pasted, which needs editing or this switch.
    if (DragOut) {
      grid->SetOptions(grid->GetOptions() & ~goEditing);
      grid->GetNavigation()->AllowClipboardAlways = true;
    }
    grid->GetSortSettings()->SetShow(true);  // a header click sorts
    // Off in a new grid; on here so the clipboard keys and dragging text to
    // and from other programs can be tried by hand.
    grid->GetNavigation()->AllowClipboardShortCuts = true;
    grid->GetDragDropSettings()->OleDropSource = true;
    grid->GetDragDropSettings()->SetOleDropTarget(true);
    for (int c = 1; c < 10; ++c) grid->SetCells(c, 0, "Col " + std::to_string(c));
    for (int r = 1; r < 130; ++r) {
      grid->SetCells(0, r, std::to_string(r));
      for (int c = 1; c < 10; ++c) grid->SetCells(c, r, "R" + std::to_string(r) + "C" + std::to_string(c));
    }
    grid->SetCells(3, 5, "Ячейка");
  }
  TPrintSettings* PS = grid->GetPrintSettings();
  PS->RepeatFixedRows = true;
  PS->PageNr = ppBottomRight;
  PS->PagePrefix = "Стр.";
  PS->TitleText = "Grid view";
  PS->Title = ppTopCenter;
  PS->Borders = pbAround;
  PS->TitleSpacing = 20;
  PS->HeaderSize = 100;
  PS->FooterSize = 100;

  if (!PdfFile.empty() || !PngFile.empty()) {
    int Code = 0;
    try {
      if (!PdfFile.empty()) {
        Printer()->SetFileName(PdfFile);
        grid->Print();
      }
      if (!PngFile.empty()) {
        TBitmap Page;
        Page.SetSize(794, 1123);
        Page.GetCanvas()->FillRect(TRect(0, 0, 794, 1123));
        grid->PrintPreview(Page.GetCanvas(), TRect(0, 0, 794, 1123));
        if (!SaveToPNG(&Page, PngFile)) Code = 1;
      }
    } catch (const Exception& E) {
      std::cerr << E.Message << "\n";
      Code = 1;
    }
    QtHostStop();
    return Code;
  }

  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(menu);
  file->SetCaption("&Файл");
  menu->Items()->Add(file);
  auto* print = new TMenuItem(menu);
  print->SetCaption("&Печать...");
  print->OnClick = [grid](TObject*) { PrintWithDialog(grid); };
  file->Add(print);
  auto* preview = new TMenuItem(menu);
  preview->SetCaption("Пред&варительный просмотр");
  preview->OnClick = [grid](TObject*) { ShowPreview(grid); };
  file->Add(preview);
  form->SetMenu(menu);

  Application->Run();
  QtHostStop();
  return 0;
}
