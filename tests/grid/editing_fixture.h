// A shown grid for the editing tests: a form on the test kernel with the
// test clock, a grid of 4 x 6 cells and a paint counter.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "grid/grideditors.h"
#include "grid/grideditors2.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"
#include "tests/grid/shown_grid.h"

struct TPaintCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  int Paints = 0;
  void Paint() override {
    ++Paints;
    VIduZozezuVodu::Paint();
  }
};

class EditingGrid : public ::testing::Test {
protected:
  void SetUp() override {
    Form = OpenTestForm(420, 200);
    G = PlaceGrid<TPaintCountingGrid>(Form, 420, 200, 4, 6);
    G->SetDefaultColWidth(80);
    G->SetDefaultRowHeight(22);
    G->SetOptions(G->GetOptions() | goEditing);
    ShowTestForm(Form, G);
  }
  void TearDown() override {
    CloseTestForm(Form);
    VIduZozezuVodu::DatePickersQuery = nullptr;
  }
  void Pump() { PumpUntilIdle(); }
  TForm* Form = nullptr;
  TPaintCountingGrid* G = nullptr;
};
