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
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(100, 100, 420, 200);
    G = new TPaintCountingGrid(Form);
    G->SetBounds(0, 0, 420, 200);
    G->SetColCountEx(4);
    G->SetRowCountEx(6);
    G->SetDefaultColWidth(80);
    G->SetDefaultRowHeight(22);
    G->SetOptions(G->GetOptions() | goEditing);
    G->SetParent(Form);
    Form->Show();
    G->SetFocus();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
    UseSystemClock();
    VIduZozezuVodu::DatePickersQuery = nullptr;
  }
  void Pump() { PumpUntilIdle(); }
  TForm* Form = nullptr;
  TPaintCountingGrid* G = nullptr;
};
