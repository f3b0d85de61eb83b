// Cell graphic management and the typed views of cell texts.
#include <gtest/gtest.h>

#include "core_check.h"
#include "platform/rtl/sysutils.h"

namespace {

class CellTyped : public ::testing::Test {
protected:
  void SetUp() override { Saved = FormatSettings; }
  void TearDown() override {
    FormatSettings = Saved;
    CheckHidden(G);
  }
  TFormatSettings Saved;
  VIduZozezuVodu G{nullptr};
};

TEST_F(CellTyped, CreatingAGraphicKeepsTheTextAndReplacesTheOldGraphic) {
  TCellGraphic* A = G.CreateCellGraphic(2, 2);
  EXPECT_EQ(A->CellType, ctNone);
  EXPECT_EQ(G.GetCellEx(2, 2), "");
  EXPECT_TRUE(G.HasCellProperties(2, 2));
  EXPECT_EQ(G.GetCellGraphic(2, 2), A);
  A->SetCheckBox(true, false, false, haLeft, vaTop);
  G.SetCellEx(3, 2, "text");
  TCellGraphic* B = G.CreateCellGraphic(3, 2);
  B->CellType = ctProgress;
  EXPECT_EQ(G.GetCellEx(3, 2), "text");
  // A second graphic frees the first (the leak checker sees it otherwise).
  TCellGraphic* C = G.CreateCellGraphic(2, 2);
  EXPECT_EQ(G.GetCellGraphic(2, 2), C);
  EXPECT_FALSE(G.RemoveCellGraphic(3, 2, ctCheckBox));
  EXPECT_EQ(G.GetCellType(3, 2), ctProgress);
  EXPECT_TRUE(G.RemoveCellGraphic(3, 2, ctProgress));
  EXPECT_EQ(G.GetCellType(3, 2), ctEmpty);
  EXPECT_FALSE(G.FreeCellGraphic(3, 2));
  EXPECT_EQ(G.GetCellType(-1, 2), ctEmpty);
  // An object of another class in the graphic's place is no graphic.
  TObject Foreign;
  G.SetGraphicObjectEx(4, 4, &Foreign);
  EXPECT_EQ(G.GetCellGraphic(4, 4), nullptr);
  EXPECT_EQ(G.GetCellType(4, 4), ctEmpty);
  G.GetCellProperties(4, 4)->GraphicObject = nullptr;
}

TEST_F(CellTyped, TheSpareRowCheckBoxStandsInForColumnZero) {
  TCellGraphic* Own = G.CreateCellGraphic(0, 3);
  Own->SetCheckBox(false, false, false, haLeft, vaTop);
  G.GetMouseActions()->SetHotmailRowSelect(true);
  EXPECT_EQ(G.GetCellType(0, 3), ctRowCheckBox);
  EXPECT_EQ(G.GetCellType(0, 5), ctRowCheckBox);
  TCellGraphic* Spare = G.GetCellGraphic(0, 3);
  EXPECT_EQ(Spare, G.GetSpareRowCheck());
  EXPECT_FALSE(Spare->CellBoolean);
  // Freeing it neither frees the spare nor detaches the cell's own box.
  EXPECT_TRUE(G.FreeCellGraphic(0, 3));
  EXPECT_EQ(G.GetCellType(0, 3), ctRowCheckBox);
  G.GetMouseActions()->SetHotmailRowSelect(false);
  EXPECT_EQ(G.GetCellGraphic(0, 3), Own);
  G.GetMouseActions()->SetHotmailRowSelect(true);
  // Creating replaces the cell's own graphic, not the spare.
  TCellGraphic* New = G.CreateCellGraphic(0, 3);
  EXPECT_EQ(New->CellType, ctNone);  // a fresh one; the old box was freed
  G.GetMouseActions()->SetHotmailRowSelect(false);
  EXPECT_EQ(G.GetCellGraphic(0, 3), New);
}

TEST_F(CellTyped, ImageIndicesAndImageLists) {
  TBitmap B1, B2;
  TIcon I1;
  G.CreateCellGraphic(1, 1)->SetBitmap(&B1, false, haLeft, vaTop);
  G.CreateCellGraphic(1, 2)->SetBitmap(&B2, false, haLeft, vaTop);
  G.CreateCellGraphic(1, 3)->SetBitmap(&B1, false, haLeft, vaTop);
  G.CreateCellGraphic(1, 4)->SetIcon(&I1, haLeft, vaTop);
  G.CreateCellGraphic(1, 5)->SetImageIdx(9, haLeft, vaTop);
  G.CreateCellGraphic(1, 6)->SetMultiImage(1, 6, 0, haLeft, vaTop, nullptr);
  EXPECT_EQ(G.GetCellImageIdx(1, 1), G.GetCellImageIdx(1, 3));
  EXPECT_NE(G.GetCellImageIdx(1, 1), G.GetCellImageIdx(1, 2));
  EXPECT_NE(G.GetCellImageIdx(1, 4), G.GetCellImageIdx(1, 1));
  EXPECT_NE(G.GetCellImageIdx(1, 4), G.GetCellImageIdx(1, 2));
  EXPECT_EQ(G.GetCellImageIdx(1, 5), 9);
  EXPECT_EQ(G.GetCellImageIdx(1, 6), -1);
  EXPECT_EQ(G.GetCellImageIdx(2, 2), -1);
  ASSERT_NE(G.GetCellImages(1, 6), nullptr);
  EXPECT_EQ(G.GetCellImages(1, 5), nullptr);
  G.Clear();
}

TEST_F(CellTyped, IntegersReadTheWholeText) {
  FormatSettings.DecimalSeparator = ',';
  const std::pair<const char*, int> Good[] = {{"", 0},       {"-", 0},     {"  12", 12},     {"$1F", 31},
                                              {"x1f", 31},   {"0X10", 16}, {"-7", -7},       {"+8", 8},
                                              {"2147483647", 2147483647},  {"-2147483648", -2147483647 - 1}};
  for (auto [Text, Want] : Good) {
    G.SetCellEx(1, 1, Text);
    EXPECT_EQ(G.GetInts(1, 1), Want) << Text;
  }
  for (const char* Text : {"12a", "1.5", "1,5", "2147483648", "12 ", "abc", "--1"}) {
    G.SetCellEx(1, 1, Text);
    try {
      G.GetInts(1, 1);
      ADD_FAILURE() << Text;
    } catch (const EDidAvovError& E) {
      EXPECT_STREQ(E.what(), "Cell does not contain integer value");
    }
    EXPECT_EQ(G.GetCellEx(1, 1), Text);
  }
  G.SetInts(1, 1, -42);
  EXPECT_EQ(G.GetCellEx(1, 1), "-42");
}

TEST_F(CellTyped, FloatsFollowTheSeparatorsOfTheLocale) {
  struct Case {
    char dec, thou;
    const char* text;
    double want;
  };
  const Case Good[] = {{',', '.', "1.234,50", 1234.5}, {'.', ',', "1,234.50", 1234.5}, {',', ' ', "", 0},
                       {',', ' ', "-", 0},             {',', ' ', "-2,5", -2.5},        {'.', ',', "1e3", 1000},
                       {',', ' ', "  7", 7}};
  for (const Case& k : Good) {
    FormatSettings.DecimalSeparator = k.dec;
    FormatSettings.ThousandSeparator = k.thou;
    G.SetCellEx(1, 1, k.text);
    EXPECT_DOUBLE_EQ(G.GetFloats(1, 1), k.want) << k.text;
  }
  G.SetCellEx(1, 1, "abc");
  try {
    G.GetFloats(1, 1);
    ADD_FAILURE();
  } catch (const EDidAvovError& E) {
    EXPECT_STREQ(E.what(), "Cell does not contain a float value");
  }
  EXPECT_EQ(G.GetCellEx(1, 1), "abc");
  for (char Dec : {',', '.'}) {
    FormatSettings.DecimalSeparator = Dec;
    FormatSettings.ThousandSeparator = Dec == ',' ? ' ' : ',';
    G.SetFloats(2, 2, 3.14159);
    EXPECT_EQ(G.GetCellEx(2, 2), AnsiString("3") + Dec + "14");
    EXPECT_DOUBLE_EQ(G.GetFloats(2, 2), 3.14);
  }
  // By real row: a hidden row is read and written in place.
  G.SetCellEx(1, 4, "2.5");
  G.HideRow(4);
  EXPECT_DOUBLE_EQ(G.GetAllFloats(1, 4), 2.5);
  G.SetAllFloats(1, 4, 1.5);
  G.UnHideRow(4);
  EXPECT_EQ(G.GetCellEx(1, 4), "1.50");
}

TEST_F(CellTyped, DatesTimesAndWideTexts) {
  G.SetDates(1, 1, 0);
  EXPECT_EQ(G.GetCellEx(1, 1), DateToStr(0));
  G.SetDates(1, 1, EncodeDate(2024, 2, 29));
  EXPECT_EQ(G.GetDates(1, 1), EncodeDate(2024, 2, 29));
  G.SetTimes(1, 2, EncodeTime(13, 5, 7, 0));
  EXPECT_NEAR(G.GetTimes(1, 2), EncodeTime(13, 5, 7, 0), 1e-9);
  G.SetCellEx(1, 3, "not a date");
  EXPECT_THROW(G.GetDates(1, 3), EConvertError);
  EXPECT_EQ(G.GetCellEx(1, 3), "not a date");
  G.SetWideCells(2, 1, u"Ёлка");
  EXPECT_EQ(G.GetWideCells(2, 1), u"Ёлка");
  EXPECT_TRUE(G.IsWideCell(2, 1));
}

TEST_F(CellTyped, VersionIgnoresWrites) {
  EXPECT_EQ(G.GetVersion(), "4.6.0.8");
  G.SetVersion("1.0");
  EXPECT_EQ(G.GetVersion(), "4.6.0.8");
}

}  // namespace

TEST_F(CellTyped, ControlValuesReadAndWriteTheNamedControlOfTheCellMarkup) {
  G.SetCellEx(1, 1, "Name: <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"abc\">");
  EXPECT_EQ(G.GetCtrlVal(1, 1, "e1"), "abc");
  EXPECT_EQ(G.GetCtrlVal(1, 1, "zz"), "");
  EXPECT_EQ(G.GetCtrlVal(2, 2, "e1"), "");
  G.SetCtrlVal(1, 1, "e1", "xyz");
  EXPECT_EQ(G.GetCtrlVal(1, 1, "e1"), "xyz");
  // A control the cell does not hold leaves the text as it was.
  const AnsiString Before = G.GetCellEx(1, 1);
  G.SetCtrlVal(1, 1, "zz", "1");
  EXPECT_EQ(G.GetCellEx(1, 1), Before);
  G.SetCtrlVal(2, 2, "e1", "1");
  EXPECT_EQ(G.GetCellEx(2, 2), "");
}
