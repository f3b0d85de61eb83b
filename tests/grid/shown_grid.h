// The start and end every shown-grid test shares: a clean kernel on the test
// clock, a borderless form at (100, 100) with the grid in its top-left
// corner, shown and focused; closing frees the form and resets the kernel.
#pragma once

#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

inline TForm* OpenTestForm(int Width, int Height) {
  TestResetKernel();
  UseTestClock();
  Application->OnException = nullptr;
  Application->InstallKernelHooks();
  auto* Form = new TForm(nullptr);
  Form->SetFormBorderStyle(::bsNone);
  Form->SetBounds(100, 100, Width, Height);
  return Form;
}

template <class TGrid = VIduZozezuVodu>
TGrid* PlaceGrid(TForm* Form, int Width, int Height, int Cols, int Rows) {
  auto* G = new TGrid(Form);
  G->SetBounds(0, 0, Width, Height);
  G->SetParent(Form);
  G->SetColCountEx(Cols);
  G->SetRowCountEx(Rows);
  return G;
}

// "r<row>c<col>" in every normal cell.
inline void FillNumbered(VIduZozezuVodu* G) {
  for (int r = 1; r < G->GetRowCount(); ++r)
    for (int c = 1; c < G->GetColCount(); ++c) G->SetGridCell(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
}

// Focus goes to Focused when one is given.
inline void ShowTestForm(TForm* Form, TWinControl* Focused) {
  Form->Show();
  if (Focused) Focused->SetFocus();
  PumpUntilIdle();
}

inline void CloseTestForm(TForm*& Form) {
  delete Form;
  Form = nullptr;
  TestResetKernel();
  UseSystemClock();
}
