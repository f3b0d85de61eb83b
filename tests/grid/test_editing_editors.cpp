// The editor table: which editor each editor type opens over the current
// cell, what the grid then names its active control and what closing the
// editor stores; cells worked in place, edNone and old common controls; the
// combo list and its selection rules; the unit split.
#include <functional>
#include <vector>

#include "editing_fixture.h"
#include "platform/rtl/codepages.h"

namespace {

enum TOpened { opNothing, opText, opControl, opControlNotActive };

struct EditorCase {
  TEditorType Type;
  const char* Text;       // the cell's text before
  TOpened Opened;
  std::function<TWinControl*(TGridEditors&)> Control;  // the control shown, when one is
  const char* Stored;     // the cell's text after closing; nullptr: checked by Check
  std::function<void(VIduZozezuVodu*)> Check = nullptr;
};

TWinControl* Combo(TGridEditors& E) { return E.Combo; }
TWinControl* Spin(TGridEditors& E) { return E.Spin; }
TWinControl* EditBtn(TGridEditors& E) { return E.EditBtn; }
TWinControl* Date(TGridEditors& E) { return E.DatePicker; }
TWinControl* DateTime(TGridEditors& E) { return E.DateTimePicker; }
TWinControl* CheckBox(TGridEditors& E) { return E.CheckBox; }
TWinControl* Button(TGridEditors& E) { return E.Button; }
TWinControl* Unit(TGridEditors& E) { return E.UnitEditBtn; }
TWinControl* Rich(TGridEditors& E) { return E.RichEdit; }
TWinControl* UniEdit(TGridEditors& E) { return E.UniEdit; }
TWinControl* UniMemo(TGridEditors& E) { return E.UniMemo; }
TWinControl* UniCombo(TGridEditors& E) { return E.UniCombo; }
TWinControl* UniEditBtn(TGridEditors& E) { return E.UniEditBtn; }

const std::vector<EditorCase>& Cases() {
  static const std::vector<EditorCase> C = {
      {edNormal, "12", opText, nullptr, "12"},
      {edSpinEdit, "12", opControl, Spin, "12"},
      {edComboEdit, "zz", opControl, Combo, "zz"},
      {edComboList, "b", opControl, Combo, "b"},
      {edEditBtn, "12", opControl, EditBtn, "12"},
      {edCheckBox, "12", opControlNotActive, CheckBox, "12"},
      {edDateEdit, "05.03.2024", opControl, Date, "05.03.2024"},
      {edDateEditUpDown, "05.03.2024", opControl, Date, "05.03.2024"},
      {edTimeEdit, "10:20:30", opControl, Date, "10:20:30"},
      {edButton, "go", opControl, Button, "go"},
      {edDataCheckBox, "12", opNothing, nullptr, "12"},
      {edNumeric, "12", opText, nullptr, "12"},
      {edPositiveNumeric, "12", opText, nullptr, "12"},
      {edFloat, "12", opText, nullptr, "12"},
      {edCapital, "12", opText, nullptr, "12"},
      {edMixedCase, "12", opText, nullptr, "12"},
      {edPassword, "12", opText, nullptr, "12"},
      {edUnitEditBtn, "10 m2", opControl, Unit, "10 m2"},
      {edLowerCase, "ab", opText, nullptr, "ab"},
      {edUpperCase, "AB", opText, nullptr, "AB"},
      {edFloatSpinEdit, "1,5", opControl, Spin, nullptr,
       [](VIduZozezuVodu* G) { EXPECT_DOUBLE_EQ(G->GetFloats(1, 1), 1.5); }},
      {edTimeSpinEdit, "10:20", opControl, Spin, "10:20"},
      {edDateSpinEdit, "05.03.2024", opControl, Spin, nullptr,
       [](VIduZozezuVodu* G) { EXPECT_EQ(G->GetDates(1, 1), EncodeDate(2024, 3, 5)); }},
      {edNumericEditBtn, "12", opControl, EditBtn, "12"},
      {edFloatEditBtn, "1,5", opControl, EditBtn, "1,5"},
      {edCustom, "12", opNothing, nullptr, "12"},  // no EditLink assigned
      {edRichEdit, "plain", opControl, Rich, nullptr,
       [](VIduZozezuVodu* G) { EXPECT_EQ(G->GetCellEx(1, 1).substr(0, 5), "{\\rtf"); }},
      {edNone, "12", opNothing, nullptr, "12"},
      {edUniEdit, "Юникод", opControl, UniEdit, "Юникод"},
      {edUniComboEdit, "Юникод", opControl, UniCombo, "Юникод"},
      {edUniComboList, "b", opControl, UniCombo, "b"},
      {edUniEditBtn, "Юникод", opControl, UniEditBtn, "Юникод"},
      {edUniMemo, "Юникод", opControl, UniMemo, "Юникод"},
      {edDateTimeEdit, "05.03.2024 10:20", opControlNotActive, DateTime, "05.03.2024 10:20"},
      {edValidChars, "12", opText, nullptr, "12"},
  };
  return C;
}

class EditorTable : public EditingGrid {};

TEST_F(EditorTable, EveryEditorTypeOpensItsEditorAndStoresBack) {
  ASSERT_EQ(Cases().size(), 35u);
  for (const EditorCase& K : Cases()) {
    SCOPED_TRACE(static_cast<int>(K.Type));
    G->SetCellEx(1, 1, K.Text);
    G->FocusCell(1, 1);
    G->ClearComboString();
    G->AddComboString("a");
    G->AddComboString("b");
    TEditLink* Link = nullptr;
    G->Editors().UniCombo->GetItems()->Clear();
    G->Editors().UniCombo->GetItems()->Add(u"a");
    G->Editors().UniCombo->GetItems()->Add(u"b");
    G->OnGetEditorType = [&](TObject*, int, int, TEditorType& E) { E = K.Type; };
    G->ShowInplaceEdit();
    Pump();
    EXPECT_EQ(G->EditLink, Link);
    switch (K.Opened) {
      case opNothing:
        EXPECT_FALSE(G->GetEditorMode());
        EXPECT_EQ(G->ActiveEditControl, nullptr);
        break;
      case opText:
        EXPECT_TRUE(G->GetEditorMode());
        EXPECT_TRUE(G->EditActive);
        EXPECT_EQ(G->ActiveEditControl, nullptr);
        break;
      case opControl:
      case opControlNotActive: {
        EXPECT_FALSE(G->GetEditorMode());
        EXPECT_TRUE(G->EditActive);
        TWinControl* Ctl = K.Control(G->Editors());
        EXPECT_TRUE(Ctl->GetVisible());
        EXPECT_EQ(G->ActiveEditControl, K.Opened == opControl ? Ctl : nullptr);
        const TRect R = G->CellRect(1, 1);
        if (K.Type != edButton && K.Type != edUniEdit && K.Type != edUniMemo) {
          EXPECT_EQ(Ctl->GetLeft(), R.left);
          EXPECT_EQ(Ctl->GetTop(), R.top);
        }
        break;
      }
    }
    G->HideInplaceEdit();
    if (K.Opened == opNothing && K.Type != edNone) {
      // Nothing was opened; the grid's edit state still closes.
      G->HideInplaceEdit();
    }
    if (K.Control) {
      EXPECT_FALSE(K.Control(G->Editors())->GetVisible());
    }
    if (K.Stored) {
      EXPECT_EQ(WideToUtf8(G->GetWideCells(1, 1)), K.Stored);
    }
    if (K.Check) K.Check(G);
    G->EditActive = false;
    Pump();
  }
}

TEST_F(EditorTable, EdNoneAndCellsWorkedInPlaceOpenNothing) {
  G->OnGetEditorType = [](TObject*, int, int ARow, TEditorType& E) { E = ARow == 1 ? edNone : edComboEdit; };
  G->FocusCell(1, 1);
  G->ShowInplaceEdit();
  EXPECT_FALSE(G->EditActive);
  EXPECT_FALSE(G->GetEditorMode());
  G->AddCheckBox(1, 2, false, false);
  G->AddButton(2, 2, 20, 16, "b", haCenter, vaCenter);
  for (int C : {1, 2}) {
    G->FocusCell(C, 2);
    G->ShowInplaceEdit();
    EXPECT_FALSE(G->EditActive);
    EXPECT_FALSE(G->Editors().Combo->GetVisible());
  }
}

TEST_F(EditorTable, OldCommonControlsOpenNoDateOrTimeEditor) {
  VIduZozezuVodu::DatePickersQuery = [] { return false; };
  for (TEditorType T : {edDateEdit, edDateEditUpDown, edTimeEdit, edDateTimeEdit}) {
    SCOPED_TRACE(static_cast<int>(T));
    G->SetCellEx(1, 1, "05.03.2024");
    G->FocusCell(1, 1);
    G->OnGetEditorType = [T](TObject*, int, int, TEditorType& E) { E = T; };
    G->ShowInplaceEdit();
    EXPECT_FALSE(G->Editors().DatePicker->GetVisible());
    EXPECT_FALSE(G->Editors().DateTimePicker->GetVisible());
    G->HideInplaceEdit();
    EXPECT_EQ(G->GetCellEx(1, 1), "05.03.2024");
    G->EditActive = false;
  }
}

struct ComboCase {
  TEditorType Type;
  const char* Text;
  int Selection;
  int ItemIndex;
  const char* Shown;
  int Changes;  // OnComboChange(col, row, 0, item 0) calls
};

TEST_F(EditorTable, ComboOpensOnItsTextOrTheSelection) {
  const ComboCase Cases[] = {
      {edComboEdit, "other", -1, -1, "other", 0},  // the text stays, no item
      {edComboEdit, "other", 1, -1, "other", 0},   // ComboSelection plays no part
      {edComboList, "two", -1, 1, "two", 0},       // the matching item
      {edComboList, "TWO", -1, 1, "two", 0},       // found ignoring case
      {edComboList, "other", 2, 2, "three", 0},    // ComboSelection in range
      {edComboList, "other", -1, 0, "one", 1},     // first item, one change
  };
  for (const ComboCase& K : Cases) {
    SCOPED_TRACE(std::string(K.Text) + " " + std::to_string(K.Selection));
    std::vector<std::string> Changes;
    G->SetCellEx(2, 1, K.Text);
    G->FocusCell(2, 1);
    G->OnGetEditorType = [&](TObject*, int, int, TEditorType& E) { E = K.Type; };
    G->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
      G->ClearComboString();
      G->AddComboString("one");
      G->AddComboString("two");
      G->AddComboString("three");
      G->SetComboSelection(K.Selection);
    };
    G->OnComboChange = [&](TObject*, int ACol, int ARow, int I, const AnsiString& S) {
      Changes.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "," + std::to_string(I) + "," + S);
    };
    G->ShowInplaceEdit();
    TCustomComboBox* C = G->Editors().Combo;
    EXPECT_EQ(C->GetItemIndex(), K.ItemIndex);
    EXPECT_EQ(C->GetText(), K.Shown);
    EXPECT_EQ(C->GetStyle(), K.Type == edComboEdit ? csDropDown : csDropDownList);
    Pump();
    ASSERT_EQ(static_cast<int>(Changes.size()), K.Changes);
    if (K.Changes) {
      EXPECT_EQ(Changes[0], "2,1,0,one");
    }
    G->HideInplaceEdit();
    EXPECT_EQ(G->GetCellEx(2, 1), K.Shown);
    G->OnComboChange = nullptr;
    Pump();
  }
}

TEST_F(EditorTable, ComboListOperations) {
  G->ClearComboString();
  EXPECT_EQ(G->GetComboCount(), 0);
  G->AddComboString("Основной");
  TObject Tag;
  G->AddComboStringObject("Второй", &Tag);
  EXPECT_EQ(G->GetComboCount(), 2);
  EXPECT_EQ(G->ComboSelection, -1);
  EXPECT_TRUE(G->SetComboSelectionString("Второй"));
  EXPECT_EQ(G->ComboSelection, 1);
  EXPECT_FALSE(G->SetComboSelectionString("нет"));
  EXPECT_EQ(G->ComboSelection, 1);
  EXPECT_FALSE(G->RemoveComboString("нет"));
  EXPECT_TRUE(G->RemoveComboString("Основной"));
  EXPECT_EQ(G->GetComboCount(), 1);
  EXPECT_EQ(G->Editors().Combo->GetItems()->GetObject(0), &Tag);
  G->SetComboSelection(7);  // unchecked
  EXPECT_EQ(G->ComboSelection, 7);
}

TEST(EditorUnits, SplitKeepsTheUnitAsWritten) {
  struct Case {
    const char* Text;
    const char* Number;
    const char* Unit;
  } Cases[] = {
      {"10 m2", "10", " m2"},       {"-3,5kg", "-3,5", "kg"},   {"1 000,25 V", "1 000,25", " V"},
      {"m2", "", "m2"},             {"42", "42", ""},           {"", "", ""},
      {"5,kWh", "5", ",kWh"},       {"+7 dB", "+7", " dB"},     {"x10", "", "x10"},
  };
  for (const Case& K : Cases) {
    AnsiString N, U;
    SplitUnitText(K.Text, N, U);
    EXPECT_EQ(N, K.Number) << K.Text;
    EXPECT_EQ(U, K.Unit) << K.Text;
    EXPECT_EQ(N + U, K.Text);
  }
}

}  // namespace
