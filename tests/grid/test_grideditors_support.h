// A grid like the tariff frame's special-day grid (dates in column 1,
// day kinds in column 2) on a shown form, with the editors' link to the
// grid recorded as readable lines ("hide", "done 13", "combo 2,1 1 Рабочий").
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grideditors.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

using Lines = std::vector<std::string>;

class TValidatingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  bool Accept = true;
  int WideValidations = 0;
  bool ValidateCell(const AnsiString& NewValue) override {
    Validated.push_back(NewValue);
    return Accept;
  }
  bool ValidateCellWide(const WideString& NewValue) override {
    ++WideValidations;
    return VIduZozezuVodu::ValidateCellWide(NewValue);
  }
  std::vector<AnsiString> Validated;
};

class GridEditorTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    ResetGridEditorHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(bsNone);
    Form->SetBounds(50, 50, 500, 300);
    G = new TValidatingGrid(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 480, 280);
    G->SetColCount(3);
    G->SetRowCount(6);
    G->SetColWidths(1, 120);
    G->SetColWidths(2, 140);
    G->SetGridCell(1, 1, "01.05.2026");
    G->SetGridCell(2, 1, "Праздник");
    G->SetGridCell(1, 2, "не дата");
    Record();
  }
  void TearDown() override {
    delete Form;
    ResetGridEditorHooks();
    TestResetKernel();
    UseSystemClock();
  }
  // Every link call becomes a line.
  void Record() {
    TGridEditorHooks& l = GridEditorHooks();
    l.HideInplaceEdit = [this](VIduZozezuVodu*) { Log.push_back("hide"); };
    l.DoneInplaceEdit = [this](VIduZozezuVodu*, WORD& Key, TShiftState) { Log.push_back("done " + std::to_string(Key)); };
    l.ShowInplaceEdit = [this](VIduZozezuVodu*) { Log.push_back("show"); };
    l.TabEdit = [this](VIduZozezuVodu*, bool Back) { Log.push_back(Back ? "tab back" : "tab"); };
    l.AdvanceEdit = [this](VIduZozezuVodu*, int C, int R, bool, bool, bool, bool, bool) {
      Log.push_back("advance " + std::to_string(C) + "," + std::to_string(R));
    };
    l.ValidatedText = [this](VIduZozezuVodu*) { return ValidatedText; };
    l.EditChange = [this](VIduZozezuVodu* Gr, TObject* S, int C, int R, const AnsiString& V) {
      Log.push_back("edit " + Who(Gr, S) + std::to_string(C) + "," + std::to_string(R) + " " + V);
    };
    l.ComboChange = [this](VIduZozezuVodu* Gr, TObject* S, int C, int R, int I, const AnsiString& V) {
      Log.push_back("combo " + Who(Gr, S) + std::to_string(C) + "," + std::to_string(R) + " " + std::to_string(I) +
                    " " + V);
    };
    l.ComboObjectChange = [this](VIduZozezuVodu* Gr, TObject* S, int, int, int I, const AnsiString&, TObject* O) {
      Log.push_back("object " + Who(Gr, S) + std::to_string(I) + (O ? " obj" : " nil"));
    };
  }
  static std::string Who(VIduZozezuVodu* Gr, TObject* S) { return S == Gr ? "" : "self "; }
  // Puts Editor over the current cell, shows and focuses it.
  void Open(TWinControl* Editor, int ACol, int ARow) {
    G->SetCol(ACol);
    G->SetRow(ARow);
    Editor->SetParent(G);
    TRect r = G->CellRect(ACol, ARow);
    Editor->SetBounds(r.left, r.top, r.Width(), 24);
    Form->Show();
    PumpUntilIdle();
    Editor->SetFocus();
    PumpUntilIdle();
    Log.clear();
  }
  TForm* Form = nullptr;
  TValidatingGrid* G = nullptr;
  Lines Log;
  AnsiString ValidatedText = "Рабочий";
};
