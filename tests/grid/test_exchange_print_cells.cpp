// Printed cells as recorded drawing calls in 0.1 mm (y upward from the page
// top): texts, backgrounds, graphics and cell lines of a small grid in the
// fixed-metrics face (8 x 16 pixels a character: 21 x 42 units).
#include "print_fixture.h"

namespace {

class PrintCells : public PrintTest {
protected:
  void SetUp() override {
    PrintTest::SetUp();
    G->SetColCount(3);
    G->SetRowCount(2);
    G->SetFixedRows(0);
    G->SetFixedCols(0);
    const char* Texts[2][3] = {{"ab", "cd", "ef"}, {"gh", "ij", "kl"}};
    for (int R = 0; R < 2; ++R)
      for (int Cl = 0; Cl < 3; ++Cl) G->SetCellEx(Cl, R, Texts[R][Cl]);
  }
  std::vector<TGdiCall> Preview() {
    return Record([&] { G->PrintPreview(C, TRect(0, 0, 794, 1123)); });
  }
  // The calls of the first row: everything before the second row's
  // background.
  static std::vector<TGdiCall> FirstRow(const std::vector<TGdiCall>& Calls) {
    std::vector<TGdiCall> Out;
    for (const TGdiCall& K : Calls) {
      if (K.Func == "Rectangle" && K.Rect.top < 0) break;
      Out.push_back(K);
    }
    return Out;
  }
};

// Columns 42 + 20 units wide, centred on the 2101 units of the page; rows
// 42 + 1/8 + 2 gaps of 5 = 57 units high.
TEST_F(PrintCells, PlainCellsWithSingleLinesCloseAGrid) {
  EXPECT_EQ(Log(FirstRow(Preview())),
            "Rectangle 957,0,1019,-57\n"
            "DrawText 961,0,1019,-57 \"ab\" f2820\n"
            "Rectangle 1019,0,1081,-57\n"
            "DrawText 1023,0,1081,-57 \"cd\" f2820\n"
            "Rectangle 1081,0,1143,-57\n"
            "DrawText 1085,0,1143,-57 \"ef\" f2820\n"
            // Each cell: left, right (one pen width in but on the last
            // column), top, bottom.
            "LineTo 957,0,957,-57\n"
            "LineTo 1018,0,1018,-57\n"
            "LineTo 957,0,1019,0\n"
            "LineTo 957,-57,1019,-57\n"
            "LineTo 1019,0,1019,-57\n"
            "LineTo 1080,0,1080,-57\n"
            "LineTo 1019,0,1081,0\n"
            "LineTo 1019,-57,1081,-57\n"
            "LineTo 1081,0,1081,-57\n"
            "LineTo 1143,0,1143,-57\n"
            "LineTo 1081,0,1143,0\n"
            "LineTo 1081,-57,1143,-57\n");
}

TEST_F(PrintCells, MergedCellsPrintOneFrameWithoutInnerLines) {
  G->MergeCells(0, 0, 3, 1);
  const auto Calls = FirstRow(Preview());
  EXPECT_EQ(Log(Calls),
            "Rectangle 957,0,1143,-57\n"
            "DrawText 961,0,1143,-57 \"ab\" f2820\n"
            "LineTo 957,0,957,-57\n"
            "LineTo 957,0,1143,0\n"
            "LineTo 957,-57,1143,-57\n"
            "LineTo 1019,0,1143,0\n"
            "LineTo 1019,-57,1143,-57\n"
            "LineTo 1143,0,1143,-57\n"
            "LineTo 1081,0,1143,0\n"
            "LineTo 1081,-57,1143,-57\n");
}

TEST_F(PrintCells, WrappedTextKeepsScreenWidthsAndBreaksLines) {
  G->SetWordWrapEx(true);
  G->GetPrintSettings()->NoAutoSize = true;
  G->SetCellEx(0, 0, "one two three four");
  const auto Calls = FirstRow(Preview());
  // 64-pixel columns are 169 units; three wrapped lines make the row 152.
  ASSERT_GE(Calls.size(), 3u);
  std::vector<std::string> Texts;
  for (const TGdiCall& K : Calls)
    if (K.Func == "DrawText" && !(K.Flags & DT_CALCRECT)) Texts.push_back(Line(K));
  ASSERT_EQ(Texts.size(), 3u);
  EXPECT_EQ(Texts[0], "DrawText 776,0,956,-152 \"one two three four\" f2850");
}

TEST_F(PrintCells, RotatedTextStartsAtTheLeftEdgeItsWidthBelowTheTop) {
  G->AddRotated(0, 0, 90, "abcd");
  const auto Calls = FirstRow(Preview());
  // "abcd" is 85 units: the turned text is 85 high, the row 85 + 1/8 + 10.
  ASSERT_GE(Calls.size(), 2u);
  EXPECT_EQ(Line(Calls[0]), "Rectangle 957,0,1019,-105");
  // Clipped to the text rectangle, written from (957, -85) upward.
  EXPECT_EQ(Line(Calls[1]), "ExtTextOut 957,0,1019,-105 \"abcd\" f4");
}

TEST_F(PrintCells, CheckBoxesCentredWithoutTextAndAtTheirOwnPlaceWithText) {
  G->SetCellEx(0, 0, "");
  G->AddCheckBox(0, 0, true, false);
  G->AddCheckBox(1, 0, false, false);
  G->SetAlignments(0, 0, taCenter);
  G->GetPrintSettings()->PrintGraphics = true;
  std::vector<std::string> Boxes, Texts;
  for (const TGdiCall& K : FirstRow(Preview())) {
    if (K.Func == "DrawFrameControl") Boxes.push_back(Line(K));
    if (K.Func == "DrawText" && !K.Text.empty()) Texts.push_back(Line(K));
  }
  // Columns of 40 (the box) + 42 + 20; the box 40 units high from the top.
  EXPECT_EQ(Boxes, (std::vector<std::string>{"DrawFrameControl 948,0,988,-40 f40004",
                                             "DrawFrameControl 1022,0,1062,-40 f4"}));
  // The text of the second cell starts after its box.
  EXPECT_EQ(Texts.front(), "DrawText 1066,0,1121,-57 \"cd\" f2820");

  G->GetPrintSettings()->PrintGraphics = false;
  for (const TGdiCall& K : Preview()) EXPECT_NE(K.Func, "DrawFrameControl");
}

TEST_F(PrintCells, LinesOneUnitInPreviewAndThreeOnPaper) {
  auto Widths = [](const std::vector<TGdiCall>& Calls) {
    std::set<int> W;
    for (const TGdiCall& K : Calls)
      if (K.Func == "LineTo") W.insert(K.PenWidth);
    return W;
  };
  EXPECT_EQ(Widths(Preview()), std::set<int>{1});
  // Paper: 1 pixel x 254 / 96 = 2.65 units.
  EXPECT_EQ(Widths(Record([&] { G->PrintDraw(C, TRect(0, 0, 794, 1123)); })), std::set<int>{3});
}

TEST_F(PrintCells, MultiLineBottomAlignedEndsAtTheBottomOfThePitch) {
  G->SetMultilinecells(true);
  G->SetCellEx(1, 0, "one\r\ntwo");
  G->SetCellEx(2, 0, "x\r\ny\r\nz");
  G->SetVAlignment(vtaBottom);
  Preview();
  // Three lines of 47 make the pitch 151 units (57 pixels); the two lines
  // of column 1 (from x 1012 units, 382 pixels) start 151 - 94 = 57 units
  // down: the boxes of the face lie 3..13 pixels below each line's top.
  auto Dark = [&](int X, int Y) { return C->GetPixels(X, Y) != clWhite; };
  EXPECT_FALSE(Dark(385, 10));  // above the first line
  EXPECT_TRUE(Dark(385, 30));   // "one" (top 21.5 pixels)
  EXPECT_TRUE(Dark(385, 50));   // "two" (top 39.3 pixels), ending above 57
  // Column 2's three lines start 10 units (4 pixels) down.
  EXPECT_FALSE(Dark(417, 5));
  EXPECT_TRUE(Dark(417, 12));
}

}  // namespace

namespace {

TEST_F(PrintCells, IconPrintsItsMaskThenItsColourXored) {
  TBitmap Colour, Mask;
  Colour.SetSize(16, 16);
  Colour.GetCanvas()->GetBrush()->SetColor(clRed);
  Colour.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  Mask.SetSize(16, 16);
  Mask.SetMonochrome(true);
  Mask.GetCanvas()->GetBrush()->SetColor(clBlack);
  Mask.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  TIcon Icon;
  Icon.SetHandle(CreateIconFromBitmaps(Colour.GetHandle(), Mask.GetHandle()));
  G->AddIcon(0, 0, &Icon, haLeft, vaTop);
  G->GetPrintSettings()->PrintGraphics = true;
  std::vector<std::string> Blits;
  for (const TGdiCall& K : FirstRow(Preview()))
    if (K.Func == "StretchDIBits") Blits.push_back(Line(K));
  // 16 pixels are 42 units, one pixel factor in from the cell's left.
  ASSERT_EQ(Blits.size(), 2u);
  EXPECT_EQ(Blits[0], "StretchDIBits 960,0,1002,-42 fcc0020");
  EXPECT_EQ(Blits[1], "StretchDIBits 960,0,1002,-42 f660046");
  // On the page the icon shows in its colour.
  EXPECT_EQ(C->GetPixels(370, 8), clRed);  // x 981 units
}

}  // namespace
