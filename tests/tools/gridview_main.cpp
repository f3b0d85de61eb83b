// yunt-gridview: a plain string grid of 100 x 10 cells in a window, for
// trying scrolling, sizing, moving and editing by hand.
#include <string>

#include "platform/forms/forms.h"
#include "platform/grids/grids.h"
#include "platform/forms/qthost.h"

int main() {
  // Without a display the program still runs, with nothing shown.
  QtHostStart();
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption("Grid view");
  form->SetBounds(20, 20, 640, 400);

  auto* grid = new TStringGrid(form);
  grid->SetParent(form);
  grid->SetAlign(alClient);
  grid->SetColCount(10);
  grid->SetRowCount(100);
  grid->SetOptions(grid->GetOptions() | goEditing | goColSizing | goRowSizing | goColMoving | goRangeSelect);
  for (int c = 1; c < 10; ++c) grid->SetCells(c, 0, "Col " + std::to_string(c));
  for (int r = 1; r < 100; ++r) {
    grid->SetCells(0, r, std::to_string(r));
    for (int c = 1; c < 10; ++c) grid->SetCells(c, r, "R" + std::to_string(r) + "C" + std::to_string(c));
  }
  grid->SetCells(3, 5, "Ячейка");

  Application->Run();
  QtHostStop();
  return 0;
}
