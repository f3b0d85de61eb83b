// Grids on a form exchanging cells through the clipboard, recording what
// their paste hooks report.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/codepages.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"

class TClipGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  using VIduZozezuVodu::CopyFunc;
  using VIduZozezuVodu::PasteFunc;
  void PasteNotify(TPoint Origin, const TGridRect& R, TClipOperation Op) override {
    Origins.push_back(Origin);
    Notified.push_back(R);
    Ops.push_back(Op);
    VIduZozezuVodu::PasteNotify(Origin, R, Op);
  }
  void ExportNotification(TGridExportState S, int Row) override {
    Exports.push_back({S, Row});
    VIduZozezuVodu::ExportNotification(S, Row);
  }
  void PasteStart() override { ++Starts; }
  void PasteDone() override { ++Dones; }
  std::vector<TPoint> Origins;
  std::vector<TGridRect> Notified;
  std::vector<TClipOperation> Ops;
  std::vector<std::pair<TGridExportState, int>> Exports;
  int Starts = 0, Dones = 0;
  // Rows of texts from (0, 0).
  void Fill(const std::vector<std::vector<AnsiString>>& Rows) {
    for (std::size_t R = 0; R < Rows.size(); ++R)
      for (std::size_t C = 0; C < Rows[R].size(); ++C)
        SetCellEx(static_cast<int>(C), static_cast<int>(R), Rows[R][C]);
  }
  void Select(int L, int T, int R, int B) { SetSelectionEx(TGridRect{L, T, R, B}); }
  AnsiString Cell(int C, int R) { return GetCellEx(C, R); }
};

class ClipboardTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Saved = FormatSettings;
    Form = new TForm(nullptr);
    G = NewGrid();
    Clipboard()->Clear();
  }
  void TearDown() override {
    CloseClipboard();
    FormatSettings = Saved;
    delete Form;
    TestResetKernel();
  }
  TClipGrid* NewGrid(int Cols = 5, int Rows = 6) {
    auto* N = new TClipGrid(Form);
    N->SetParent(Form);
    N->SetFixedRows(0);
    N->SetFixedCols(0);
    N->SetColCountEx(Cols);
    N->SetRowCountEx(Rows);
    N->SetOptions(N->GetOptions() | goEditing);
    N->Handle();
    return N;
  }
  TFormatSettings Saved;
  TForm* Form = nullptr;
  TClipGrid* G = nullptr;
};
