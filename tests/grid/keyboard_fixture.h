// A shown grid on a form, its text editor, and the events the key,
// editor and validation tests record.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/zytinplaceedit.h"
#include "tests/grid/shown_grid.h"

class KeyboardGrid : public ::testing::Test {
protected:
  void SetUp() override {
    Form = OpenTestForm(500, 300);
    G = PlaceGrid(Form, 500, 300, 5, 6);
    FillNumbered(G);
    G->SetOptions(G->GetOptions() | goEditing);
    ShowTestForm(Form, G);
    TestResetBeeps();
  }
  void TearDown() override { CloseTestForm(Form); }
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
