// yunt-gridview: a string grid of 130 x 10 cells in a window, for trying
// scrolling, sizing, moving, editing and printing by hand. Its menu prints
// through the print dialog and previews the first page.
//   --pdf FILE  prints the grid into FILE and ends;
//   --preview-png FILE  saves the preview of page 1 as a picture and ends.
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

}  // namespace

int main(int argc, char** argv) {
  AnsiString PdfFile, PngFile;
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
  grid->SetColCount(10);
  grid->SetRowCount(130);
  grid->SetOptions(grid->GetOptions() | goEditing | goColSizing | goRowSizing | goColMoving | goRangeSelect);
  for (int c = 1; c < 10; ++c) grid->SetCells(c, 0, "Col " + std::to_string(c));
  for (int r = 1; r < 130; ++r) {
    grid->SetCells(0, r, std::to_string(r));
    for (int c = 1; c < 10; ++c) grid->SetCells(c, r, "R" + std::to_string(r) + "C" + std::to_string(c));
  }
  grid->SetCells(3, 5, "Ячейка");
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
