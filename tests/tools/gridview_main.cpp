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
//           first column;
//   --cells  shows instead one row of each kind of cell: plain, HTML and
//            rotated text, check box, radio group and button, progress bar
//            and gauge, bitmap, picture, image-list image, comment, button
//            and a node with its child row.
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

// A 16 x 16 glyph: a disc of Colour on white.
void PaintGlyph(TBitmap* B, TColor Colour) {
  B->SetSize(16, 16);
  TCanvas* C = B->GetCanvas();
  C->GetBrush()->SetColor(clWhite);
  C->FillRect(TRect(0, 0, 16, 16));
  C->GetBrush()->SetColor(Colour);
  C->GetPen()->SetColor(clBlack);
  C->Ellipse(2, 2, 14, 14);
}

// Column 0 holds the node, column 1 names the kind, column 2 shows it. The
// pictures and captions are the cells' own, the image list the form's.
void FillCells(VIduZozezuVodu* Grid) {
  auto* Images = new TImageList(Grid->GetOwner());
  TBitmap Flag;
  PaintGlyph(&Flag, clBlue);
  Images->Add(&Flag, nullptr);
  Grid->SetGridImages(Images);
  // Check boxes and radios look enabled only where cells can be edited.
  Grid->SetOptions(Grid->GetOptions() | goEditing);
  Grid->SetColCount(3);
  Grid->SetRowCount(17);
  Grid->SetDefaultRowHeight(24);
  Grid->SetColWidths(0, 24);
  Grid->SetColWidths(1, 130);
  Grid->SetColWidths(2, 220);
  Grid->SetCells(1, 0, "Kind");
  Grid->SetCells(2, 0, "Cell");
  int r = 0;
  auto Row = [&](const char* Kind, const AnsiString& Text = "") {
    Grid->SetCells(1, ++r, Kind);
    Grid->SetCells(2, r, Text);
    return r;
  };
  Row("Text", "Plain text");
  Row("HTML", "<b>Bold</b>, <i>italic</i> and <font color=\"clRed\">red</font>");
  Grid->AddRotated(2, Row("Rotated"), 20, "Rotated text");
  Grid->SetRowHeights(r, 44);
  Grid->AddCheckBox(2, Row("Check box", "Checked"), true, false);
  TStrings* Zones = Grid->CreateRadio(2, Row("Radio group"), 1, 1);
  for (const char* Zone : {"Т1", "Т2", "Т3"}) Zones->Add(Zone);
  Grid->AddRadioButton(2, Row("Radio button", "Chosen"), true);
  Grid->AddProgress(2, Row("Progress bar", "65"), clLime, clWhite);
  Grid->AddZytProgress(2, Row("Gauge", "40"), 0, 100);
  PaintGlyph(Grid->CreateBitmap(2, Row("Bitmap"), false, haLeft, vaCenter), clRed);
  TBitmap* Photo = Grid->CreatePicture(2, Row("Picture"), false, noStretch, 2, haCenter, vaCenter)->GetBitmap();
  Photo->SetSize(48, 24);
  Photo->GetCanvas()->GetBrush()->SetColor(0x30A030);
  Photo->GetCanvas()->FillRect(TRect(0, 0, 48, 24));
  Photo->GetCanvas()->GetBrush()->SetColor(clYellow);
  Photo->GetCanvas()->Ellipse(30, 2, 44, 16);
  Grid->AddImageIdx(2, Row("Image index", "Image before text"), 0, haBeforeText, vaCenter);
  Grid->AddComment(2, Row("Comment", "Has a comment"), "A note on this cell");
  Grid->SetShowHint(true);  // a comment shows as the cell's hint
  Grid->AddButton(2, Row("Button"), 80, 20, "Press", haLeft, vaCenter);
  Grid->AddNode(Row("Node", "Parent row"), 3);
  Row("Child", "First child");
  Row("Child", "Second child");
}

}  // namespace

int main(int argc, char** argv) {
  AnsiString PdfFile, PngFile;
  bool Look = false, Cells = false, DragOut = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--look") == 0) Look = true;
    if (std::strcmp(argv[i], "--drag") == 0) DragOut = true;
    if (std::strcmp(argv[i], "--cells") == 0) Cells = true;
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
  } else if (Cells) {
    form->SetCaption("Grid cells");
    form->SetBounds(20, 20, 420, 470);
    FillCells(grid);
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
