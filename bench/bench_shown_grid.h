// A grid on a borderless 800 x 600 form, shown under the offscreen host, for
// benchmarks that go through the grid's window messages.
#pragma once

#include <cstdlib>
#include <memory>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

// Set before the host starts, whatever the display.
inline const bool BenchHeadless = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return true;
}();

struct TBenchGridForm {
  // Cols columns and Rows + 1 rows (one fixed), not yet shown.
  TBenchGridForm(int Cols, int Rows) {
    Application->InstallKernelHooks();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(0, 0, 800, 600);
    G = new VIduZozezuVodu(Form.get());
    G->SetParent(Form.get());
    G->SetBounds(0, 0, 800, 600);
    G->SetColCountEx(Cols);
    G->SetRowCountEx(Rows + 1);
  }
  ~TBenchGridForm() {
    Form.reset();
    TestResetKernel();
  }
  std::unique_ptr<TForm> Form;
  VIduZozezuVodu* G = nullptr;
};
