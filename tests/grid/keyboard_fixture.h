// A shown grid on a form, its text editor, and the events the key,
// editor and validation tests record.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "grid/zytinplaceedit.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

class KeyboardGrid : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(100, 100, 500, 300);
    G = new VIduZozezuVodu(Form);
    G->SetBounds(0, 0, 500, 300);
    G->SetParent(Form);
    G->SetColCountEx(5);
    G->SetRowCountEx(6);
    for (int r = 1; r < 6; ++r)
      for (int c = 1; c < 5; ++c) G->SetGridCell(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    G->SetOptions(G->GetOptions() | goEditing);
    Form->Show();
    G->SetFocus();
    PumpUntilIdle();
    TestResetBeeps();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
    UseSystemClock();
  }
  // Opens the text editor of the current cell as an edit start does.
  TZytInplaceEdit* Open(TEditorType Ed = edNormal) {
    G->SetDefaultEditor(Ed);
    G->CurrentEditor = Ed;
    G->InitValidate(G->GetCol(), G->GetRow());
    G->ShowEditor();
    G->ValidatePending = true;
    PumpUntilIdle();
    E = dynamic_cast<TZytInplaceEdit*>(G->GetInplaceEditor());
    return E;
  }
  void SetEditText(const AnsiString& Text, int SelStart = -1, int SelLength = 0) {
    E->SetText(Text);
    E->SetSelStart(SelStart < 0 ? static_cast<int>(Text.size()) : SelStart);
    E->SetSelLength(SelLength);
  }
  void Key(WORD Vk, unsigned Shift = tsNone, bool Keypad = false) {
    TestKeyPress(Vk, Shift, Keypad);
    PumpUntilIdle();
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
  TZytInplaceEdit* E = nullptr;
  std::vector<std::string> Events;
};
