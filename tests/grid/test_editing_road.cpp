// The tariff frame's road through the grid: a special-day grid with a date
// editor in column 1 and a combo editor in column 2, opened by F2 or a typed
// character, stored when the current cell moves, and the edit-done report
// that comes after the closing key.
#include <string>
#include <vector>

#include "editing_fixture.h"

namespace {

class TariffRoad : public EditingGrid {
protected:
  void SetUp() override {
    EditingGrid::SetUp();
    G->SetColCountEx(3);
    G->SetRowCountEx(5);
    G->SetOptions(G->GetOptions() | goTabs);
    G->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& E) {
      if (ACol == 1) E = edDateEdit;
      if (ACol == 2) E = edComboEdit;
    };
    G->OnGetEditorProp = [this](TObject*, int ACol, int ARow, TEditLink*) {
      Props.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
      G->ClearComboString();
      G->AddComboString("Основной");
      G->AddComboString("Второй");
      G->SetComboSelectionString("Основной");
    };
    G->OnComboChange = [this](TObject*, int ACol, int ARow, int I, const AnsiString& S) {
      Changes.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "," + std::to_string(I) + "," + S);
    };
    G->OnEditCellDone = [this](TObject*, int ACol, int ARow) {
      Done.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
    };
    G->SetCellEx(1, 1, "01.05.2024");
    G->SetCellEx(2, 1, "Второй");
    Pump();
  }
  std::vector<std::string> Props, Changes, Done;
};

TEST_F(TariffRoad, F2OpensTheDatePickerOverTheCellAndMovingStoresIt) {
  G->FocusCell(1, 1);
  TestKeyPress(VK_F2);
  Pump();
  TDateTimePicker* P = G->Editors().DatePicker;
  ASSERT_TRUE(P->GetVisible());
  EXPECT_EQ(G->ActiveEditControl, P);
  const TRect R = G->CellRect(1, 1);
  EXPECT_EQ(P->GetLeft(), R.left);
  EXPECT_EQ(P->GetTop(), R.top);
  EXPECT_EQ(P->GetWidth(), R.right - R.left - 1);
  EXPECT_EQ(P->GetDate(), EncodeDate(2024, 5, 1));
  EXPECT_TRUE(Props.empty());  // the date editor asks for no properties
  P->SetDate(EncodeDate(2024, 12, 31));
  G->SetRow(2);
  EXPECT_FALSE(P->GetVisible());
  EXPECT_EQ(G->GetCellEx(1, 1), "31.12.2024");
  EXPECT_TRUE(Done.empty());
  Pump();
  EXPECT_EQ(Done, std::vector<std::string>{"1,1"});
}

TEST_F(TariffRoad, ATypedCharacterOpensTheComboWithIt) {
  G->FocusCell(2, 2);
  TestTypeText("В");
  Pump();
  TCustomComboBox* C = G->Editors().Combo;
  ASSERT_TRUE(C->GetVisible());
  EXPECT_EQ(G->ActiveEditControl, C);
  EXPECT_EQ(Props, std::vector<std::string>{"2,2"});
  EXPECT_EQ(C->GetItems()->GetCount(), 2);
  EXPECT_EQ(C->GetText(), "В");
  // Typing in the combo's field reports once per change.
  EXPECT_EQ(Changes, std::vector<std::string>{"2,2,-1,В"});
  G->SetCol(1);
  EXPECT_EQ(G->GetCellEx(2, 2), "В");
}

TEST_F(TariffRoad, EitherWayOpensEitherEditor) {
  G->FocusCell(1, 2);
  TestTypeText("1");
  Pump();
  EXPECT_TRUE(G->Editors().DatePicker->GetVisible());
  EXPECT_EQ(G->EditStartChar, 0);  // handed on, then forgotten
  G->FocusCell(2, 1);
  EXPECT_FALSE(G->Editors().DatePicker->GetVisible());
  TestKeyPress(VK_F2);
  Pump();
  TCustomComboBox* C = G->Editors().Combo;
  ASSERT_TRUE(C->GetVisible());
  EXPECT_EQ(C->GetText(), "Второй");
  EXPECT_EQ(C->GetTop(), G->CellRect(2, 1).top);
}

TEST_F(TariffRoad, AComboSelectionIsReportedWithItsItem) {
  G->FocusCell(2, 1);
  G->ShowInplaceEdit();
  TCustomComboBox* C = G->Editors().Combo;
  ASSERT_TRUE(C->GetVisible());
  EXPECT_EQ(C->GetText(), "Второй");
  Changes.clear();
  C->SetItemIndex(0);
  SendMessageA(G->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(C->Handle()));
  EXPECT_EQ(Changes, std::vector<std::string>{"2,1,0,Основной"});
}

TEST_F(TariffRoad, EditCellDoneNamesTheEditedCellAfterTheTabIsProcessed) {
  G->FocusCell(2, 1);
  G->ShowInplaceEdit();
  G->Editors().Combo->SetText("Основной");
  G->DoneInplaceEdit(VK_TAB, TShiftState{});
  EXPECT_EQ(G->GetCol(), 1);  // Tab wrapped to the next row
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_EQ(G->GetCellEx(2, 1), "Основной");
  EXPECT_TRUE(Done.empty());
  Pump();
  EXPECT_EQ(Done, std::vector<std::string>{"2,1"});
}

}  // namespace
