// The cell graphic object: typing setters, copying, picture fitting and the
// content objects it owns; the file picture.
#include <gtest/gtest.h>

#include <cstdio>

#include "grid/cellgraphic.h"
#include "grid/filepicture.h"

namespace {

int Freed = 0;
struct TCountedBitmap : TBitmap {
  ~TCountedBitmap() override { ++Freed; }
};
struct TCountedIcon : TIcon {
  ~TCountedIcon() override { ++Freed; }
};
struct TCountedPicture : TPicture {
  ~TCountedPicture() override { ++Freed; }
};
struct TCountedStrings : TStringList {
  ~TCountedStrings() override { ++Freed; }
};
struct TCountedObject : TPersistent {
  ~TCountedObject() override { ++Freed; }
};

TEST(CellGraphic, NewGraphicIsUntyped) {
  TCellGraphic G;
  EXPECT_EQ(G.CellType, ctNone);
  EXPECT_FALSE(G.CellCreated);
  EXPECT_EQ(G.CellContent, nullptr);
  EXPECT_EQ(G.CellText, "");
}

TEST(CellGraphic, AnglesAreNormalisedIntoZeroTo360) {
  const std::pair<short, int> Cases[] = {{-30, 330}, {360, 360}, {725, 5}, {-720, 0}, {0, 0}, {361, 1}};
  for (auto [In, Out] : Cases) {
    TCellGraphic G;
    G.SetAngle(In);
    EXPECT_EQ(G.CellType, ctRotated);
    EXPECT_EQ(G.CellAngle, Out) << In;
  }
}

TEST(CellGraphic, SettersTypeTheGraphic) {
  TCellGraphic G;
  G.SetButton(80, 20, "OK", haCenter, vaBottom);
  EXPECT_EQ(G.CellType, ctButton);
  EXPECT_EQ(G.CellIndex, 1310800);
  EXPECT_EQ(G.CellText, "OK");
  EXPECT_EQ(G.CellHAlign, haCenter);
  EXPECT_EQ(G.CellVAlign, vaBottom);
  G.SetCheckBox(true, true, true, haLeft, vaTop);
  EXPECT_EQ(G.CellType, ctDataCheckBox);
  EXPECT_TRUE(G.CellBoolean);
  G.SetCheckBox(false, false, false, haLeft, vaTop);
  EXPECT_EQ(G.CellType, ctCheckBox);
  G.SetRadioButton(true, false, haRight, vaCenter);
  EXPECT_EQ(G.CellType, ctRadioButton);
  G.SetImageIdx(7, haLeft, vaTop);
  EXPECT_EQ(G.CellType, ctImageList);
  EXPECT_EQ(G.CellIndex, 7);
  int Changes = 0;
  G.SetMultiImage(3, 4, 0, haLeft, vaTop, [&](TObject*, int C, int R) {
    EXPECT_EQ(C, 3);
    EXPECT_EQ(R, 4);
    ++Changes;
  });
  EXPECT_EQ(G.CellType, ctImages);
  EXPECT_TRUE(G.CellBoolean);
  static_cast<TIntList*>(G.CellContent)->Add(5);
  EXPECT_EQ(Changes, 1);
}

TEST(CellGraphic, AssignCopiesFieldsButNoContent) {
  TPicture Pic;
  TCellGraphic A;
  A.SetPicture(&Pic, true, ShrinkWithAspectRatio, 4, haRight, vaCenter);
  A.CellExtra = &Pic;
  A.CellText = "t";
  A.CellVariant = 3;
  TCellGraphic B;
  B.Assign(&A);
  EXPECT_EQ(B.CellType, ctPicture);
  EXPECT_EQ(B.CellAngle, ShrinkWithAspectRatio);
  EXPECT_EQ(B.CellIndex, 4);
  EXPECT_TRUE(B.CellTransparent);
  EXPECT_EQ(B.CellText, "t");
  EXPECT_EQ(B.CellContent, nullptr);
  EXPECT_EQ(B.CellExtra, nullptr);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(B.CellVariant));
}

// A picture of the given size behind a ctPicture graphic.
TPoint Fit(int W, int H, TStretchMode Mode, int Padding, int BoxW, int BoxH) {
  TPicture Pic;
  TBitmap Bmp;
  if (W > 0 || H > 0) Bmp.SetSize(W, H);
  Pic.SetGraphic(&Bmp);
  TCellGraphic G;
  G.SetPicture(&Pic, false, Mode, Padding, haLeft, vaTop);
  return G.GetPictureSize(BoxW, BoxH, false);
}

TEST(CellGraphic, PicturesFitTheirBoxByStretchMode) {
  struct Case {
    int w, h;
    TStretchMode mode;
    int pad;
    TPoint want;
  };
  const Case Cases[] = {
      {200, 100, Stretch, 10, {100, 100}},
      {200, 100, Shrink, 10, {100, 100}},
      {200, 100, StretchWithAspectRatio, 10, {100, 50}},
      {200, 100, ShrinkWithAspectRatio, 10, {100, 50}},
      {200, 100, noStretch, 10, {200, 100}},
      {50, 40, Shrink, 10, {50, 40}},
      {50, 40, ShrinkWithAspectRatio, 10, {50, 40}},
      {50, 40, StretchWithAspectRatio, 10, {100, 80}},
      // Halves round to even: 100 * 0.5 = 50, 3 * 100 / 8 = 37.5 -> 38, 5 * 100 / 8 = 62.5 -> 62.
      {8, 3, StretchWithAspectRatio, 10, {100, 38}},
      {8, 5, StretchWithAspectRatio, 10, {100, 62}},
      // Natural width 0 counts as ratio 1.
      {0, 50, StretchWithAspectRatio, 10, {0, 100}},
      // A padding larger than the box leaves nothing, never a negative size.
      {200, 100, Stretch, 200, {0, 0}},
      {200, 100, StretchWithAspectRatio, 200, {0, 0}},
      {200, 100, ShrinkWithAspectRatio, 200, {0, 0}},
  };
  for (const Case& k : Cases) {
    TPoint P = Fit(k.w, k.h, k.mode, k.pad, 110, 110);
    EXPECT_EQ(P, k.want) << k.w << "x" << k.h << " mode " << k.mode << " pad " << k.pad;
  }
  TCellGraphic Other;
  Other.SetButton(1, 1, "", haLeft, vaTop);
  EXPECT_EQ(Other.GetPictureSize(10, 10, false), TPoint(0, 0));
}

TEST(CellGraphic, DestructionFreesOnlyWhatTheGraphicOwns) {
  struct Case {
    const char* name;
    std::function<void(TCellGraphic&)> set;
    int freed;
  };
  const Case Cases[] = {
      {"given bitmap", [](TCellGraphic& G) { G.SetBitmap(new TCountedBitmap, false, haLeft, vaTop); }, 0},
      {"created bitmap",
       [](TCellGraphic& G) {
         G.SetBitmap(new TCountedBitmap, false, haLeft, vaTop);
         G.CellCreated = true;
       },
       1},
      {"created icon",
       [](TCellGraphic& G) {
         G.SetIcon(new TCountedIcon, haLeft, vaTop);
         G.CellCreated = true;
       },
       1},
      {"given picture", [](TCellGraphic& G) { G.SetPicture(new TCountedPicture, false, Stretch, 0, haLeft, vaTop); }, 0},
      {"created picture",
       [](TCellGraphic& G) {
         G.SetPicture(new TCountedPicture, false, Stretch, 0, haLeft, vaTop);
         G.CellCreated = true;
       },
       1},
      {"balloon texts",
       [](TCellGraphic& G) {
         G.CellType = ctBalloon;
         G.CellContent = new TCountedStrings;
       },
       1},
      {"interfaced object", [](TCellGraphic& G) { G.SetInterfacedCell(new TCountedObject); }, 0},
      {"created list under another type",
       [](TCellGraphic& G) {
         G.SetCheckBox(true, false, false, haLeft, vaTop);
         G.CellContent = new TCountedStrings;
         G.CellCreated = true;
       },
       0},
  };
  for (const Case& k : Cases) {
    Freed = 0;
    TObject* Left = nullptr;
    {
      TCellGraphic G;
      k.set(G);
      Left = k.freed ? nullptr : (G.CellContent ? G.CellContent : G.CellExtra);
    }
    EXPECT_EQ(Freed, k.freed) << k.name;
    delete Left;
  }
  TCellGraphic Images;
  Images.SetMultiImage(0, 0, 1, haLeft, vaTop, nullptr);
  EXPECT_TRUE(Images.CellCreated);  // freed by the destructor (checked by the leak checker)
}

TEST(FilePicture, LoadsItsSizeAndReportsBadFiles) {
  TFilePicture P;
  TBitmap Canvas;
  Canvas.SetSize(10, 10);
  P.DrawPicture(Canvas.GetCanvas(), TRect(0, 0, 10, 10));  // no name: nothing, no error
  AnsiString Name = ::testing::TempDir() + "filepicture_test.bmp";
  TBitmap Bmp;
  Bmp.SetSize(30, 20);
  Bmp.SaveToFile(Name);
  P.SetFileName(Name);
  EXPECT_EQ(P.GetFilename(), Name);
  EXPECT_EQ(P.GetWidth(), 30);
  EXPECT_EQ(P.GetHeight(), 20);
  P.DrawPicture(Canvas.GetCanvas(), TRect(0, 0, 10, 10));
  TFilePicture Copy;
  Copy.Assign(&P);
  EXPECT_EQ(Copy.GetWidth(), 30);
  EXPECT_EQ(Copy.GetFilename(), Name);
  TCellGraphic G;
  G.SetFilePicture(&P, false, StretchWithAspectRatio, 0, haLeft, vaTop);
  EXPECT_EQ(G.CellType, ctFilePicture);
  EXPECT_EQ(G.GetPictureSize(60, 60, false), TPoint(60, 40));
  // A missing file raises and keeps the picture as it was.
  EXPECT_THROW(P.SetFileName(::testing::TempDir() + "no_such_picture.bmp"), Exception);
  EXPECT_EQ(P.GetFilename(), Name);
  EXPECT_EQ(P.GetWidth(), 30);
  std::remove(Name.c_str());
  EXPECT_THROW(P.DrawPicture(Canvas.GetCanvas(), TRect(0, 0, 10, 10)), Exception);
}

}  // namespace
