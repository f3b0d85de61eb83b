// The binary cell stream: golden bytes of its records, round trips of
// texts, properties and every graphic kind, blocks placed at a point, and
// damaged streams.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "grid/exchange/binrecords.h"
#include "grid/filepicture.h"
#include "platform/rtl/classes_filer.h"
#include "platform/rtl/classes_streams.h"
#include "tests/grid/core_check.h"
#include "tests/grid/exchange_fixture.h"

namespace {

using namespace std::string_literals;

std::unique_ptr<TRecordingGrid> NewGrid(int Cols, int Rows) {
  auto G = std::make_unique<TRecordingGrid>(nullptr);
  G->SetColCount(Cols);
  G->SetRowCount(Rows);
  return G;
}

std::string Save(VIduZozezuVodu& G, TGridRect R) {
  TStringStream S;
  G.SaveRectToBinStream(R, &S);
  return S.DataString();
}

void LoadAt(VIduZozezuVodu& G, int Col, int Row, const std::string& Bytes) {
  TStringStream S(Bytes);
  G.LoadAtPointFromBinStream(TPoint(Col, Row), &S);
  CheckMerges(G);
}

void FillBitmap(TBitmap* B, int W, int H, TColor C) {
  B->SetSize(W, H);
  B->GetCanvas()->GetBrush()->SetColor(C);
  B->GetCanvas()->FillRect(TRect(0, 0, W, H));
}

// Golden files are written anew only on request.
void CheckGolden(const std::string& Name, const std::string& Bytes) {
  const std::string Path = GoldenPath(Name);
  if (std::getenv("YUNT_WRITE_GOLDEN")) WriteBytes(Path, Bytes);
  EXPECT_EQ(Slurp(Path), Bytes) << Name;
}

TEST(BinStreamGolden, HeaderAndOneEmptyCell) {
  auto G = NewGrid(3, 3);
  G->SetColWidths(1, 70);
  G->SetRowHeights(1, 30);
  const std::string Bytes = Save(*G, TGridRect{1, 1, 1, 1});
  CheckGolden("bin_empty_cell.bin", Bytes);
  // Header, then one cell record without properties.
  EXPECT_EQ(Bytes.substr(0, 4), "TPF0");
  EXPECT_NE(Bytes.find("\x0BTGridPropIO"), std::string::npos);
  EXPECT_NE(Bytes.find("\x0BTGridCellIO"), std::string::npos);
  EXPECT_EQ(Bytes.find("TGridCellPropIO"), std::string::npos);
  auto T = NewGrid(3, 3);
  LoadAt(*T, 1, 1, Bytes);
  EXPECT_EQ(Save(*T, TGridRect{1, 1, 1, 1}).substr(Bytes.find("TGridCellIO")), Bytes.substr(Bytes.find("TGridCellIO")));
}

TEST(BinStreamGolden, CellWithPropertiesAndBitmap) {
  auto G = NewGrid(3, 3);
  G->SetCells(1, 1, "Яблоко");
  TCellProperties* P = G->GetCellProperties(1, 1);
  P->SetBrushColor(clYellow);
  P->FontStyle = TFontStyles{fsBold};
  P->SetAlignment(taCenter);
  P->FontColor = 0x123456;
  FillBitmap(G->CreateBitmap(1, 1, false, haLeft, vaTop), 2, 2, clRed);
  const std::string Bytes = Save(*G, TGridRect{1, 1, 1, 1});
  CheckGolden("bin_cell_bitmap.bin", Bytes);
  // Decoding then encoding gives the same bytes.
  auto T = NewGrid(3, 3);
  LoadAt(*T, 1, 1, Bytes);
  EXPECT_EQ(Save(*T, TGridRect{1, 1, 1, 1}), Bytes);
}

// One source cell at (2, 3) carried to the same place in a fresh grid.
struct TRoundTrip {
  const char* Name;
  std::function<void(VIduZozezuVodu&)> Setup;
  std::function<void(VIduZozezuVodu&)> Target;  // before the load
  std::function<void(VIduZozezuVodu&)> Check;
};

void RunRoundTrip(const TRoundTrip& C) {
  SCOPED_TRACE(C.Name);
  auto G = NewGrid(5, 6);
  C.Setup(*G);
  const std::string Bytes = Save(*G, TGridRect{2, 3, 2, 3});
  auto T = NewGrid(5, 6);
  if (C.Target) C.Target(*T);
  LoadAt(*T, 2, 3, Bytes);
  C.Check(*T);
}

TBitmap* SolidBitmap(TColor C) {
  auto* B = new TBitmap;
  FillBitmap(B, 3, 2, C);
  return B;
}

TEST(BinStreamRoundTrip, TextsPropertiesAndGraphics) {
  static const std::string PicFile = ::testing::TempDir() + "binstream_file_picture.bmp";
  {
    std::unique_ptr<TBitmap> B(SolidBitmap(clBlue));
    B->SaveToFile(PicFile);
  }
  const TRoundTrip Cases[] = {
      {"cyrillic and multi-line text", [](VIduZozezuVodu& G) { G.SetCells(2, 3, "Счётчик\r\nЮНТ3"); }, nullptr,
       [](VIduZozezuVodu& G) { EXPECT_EQ(G.GetCells(2, 3), "Счётчик\r\nЮНТ3"); }},
      {"every property field",
       [](VIduZozezuVodu& G) {
         TCellProperties* P = G.GetCellProperties(2, 3);
         P->SetAlignment(taRightJustify);
         P->BorderColor = clRed;
         P->BorderWidth = 3;
         P->SetBrushColor(0x00ABCDEF);
         P->SetBrushColorTo(clBtnFace);
         P->BrushStyle = bsCross;
         P->FontColor = clNavy;
         P->FontName = "Courier New";
         P->FontSize = 14;
         P->FontStyle = TFontStyles{fsItalic, fsStrikeOut};
         P->Editor = edDateTimeEdit;
         P->GradientDirection = GradientHorizontal;
         P->ReadOnly = true;
         P->SetVAlignment(vtaBottom);
         P->SetWordWrap(false);
         P->NodeLevel = 2;
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_TRUE(G.HasCellProperties(2, 3));
         TCellProperties* P = G.GetCellProperties(2, 3);
         EXPECT_EQ(P->GetAlignment(), taRightJustify);
         EXPECT_EQ(P->BorderColor, clRed);
         EXPECT_EQ(P->BorderWidth, 3);
         EXPECT_EQ(P->GetBrushColor(), 0x00ABCDEF);
         EXPECT_EQ(P->GetBrushColorTo(), clBtnFace);
         EXPECT_EQ(P->BrushStyle, bsCross);
         EXPECT_EQ(P->FontColor, clNavy);
         EXPECT_EQ(P->FontName, "Courier New");
         EXPECT_EQ(P->FontSize, 14);
         EXPECT_TRUE(P->FontStyle == (TFontStyles{fsItalic, fsStrikeOut}));
         EXPECT_EQ(P->Editor, edDateTimeEdit);
         EXPECT_EQ(P->GradientDirection, GradientHorizontal);
         EXPECT_TRUE(P->ReadOnly);
         EXPECT_EQ(P->GetVAlignment(), vtaBottom);
         EXPECT_FALSE(P->GetWordWrap());
         EXPECT_EQ(P->NodeLevel, 2);
         EXPECT_EQ(P->OwnerCol, 2);
         EXPECT_EQ(P->OwnerRow, 3);
       }},
      {"an omitted font name keeps the target's", 
       [](VIduZozezuVodu& G) {
         G.GetCellProperties(2, 3)->FontSize = 9;
         G.GetCellProperties(2, 3)->FontName.clear();
       },
       [](VIduZozezuVodu& G) { G.GetCellProperties(2, 3)->FontName = "Tahoma"; },
       [](VIduZozezuVodu& G) {
         EXPECT_EQ(G.GetCellProperties(2, 3)->FontName, "Tahoma");
         EXPECT_EQ(G.GetCellProperties(2, 3)->FontSize, 9);
       }},
      {"bitmap", [](VIduZozezuVodu& G) { FillBitmap(G.CreateBitmap(2, 3, true, haCenter, vaBottom), 3, 2, clRed); },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_EQ(G.GetCellType(2, 3), ctBitmap);
         TBitmap* B = G.GetBitmap(2, 3);
         ASSERT_NE(B, nullptr);
         EXPECT_EQ(B->GetWidth(), 3);
         EXPECT_EQ(B->GetCanvas()->GetPixels(1, 1), clRed);
         TCellGraphic* CG = G.GetCellGraphic(2, 3);
         EXPECT_TRUE(CG->CellTransparent);
         EXPECT_EQ(CG->CellHAlign, haCenter);
         EXPECT_EQ(CG->CellVAlign, vaBottom);
         EXPECT_TRUE(CG->CellCreated);
       }},
      {"bit button",
       [](VIduZozezuVodu& G) { FillBitmap(G.CreateBitButton(2, 3, 40, 20, "Пуск", haLeft, vaTop), 2, 2, clLime); },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_EQ(G.GetCellType(2, 3), ctBitButton);
         EXPECT_EQ(G.GetButtonText(2, 3), "Пуск");
         auto* B = dynamic_cast<TBitmap*>(G.GetCellGraphic(2, 3)->CellContent);
         ASSERT_NE(B, nullptr);
         EXPECT_EQ(B->GetCanvas()->GetPixels(0, 0), clLime);
       }},
      {"icon",
       [](VIduZozezuVodu& G) {
         std::unique_ptr<TBitmap> Color(SolidBitmap(clRed)), Mask(SolidBitmap(clBlack));
         G.CreateIcon(2, 3, haRight, vaCenter)->SetHandle(CreateIconFromBitmaps(Color->GetHandle(), Mask->GetHandle()));
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_EQ(G.GetCellType(2, 3), ctIcon);
         auto* I = dynamic_cast<TIcon*>(G.GetCellGraphic(2, 3)->CellExtra);
         ASSERT_NE(I, nullptr);
         EXPECT_EQ(I->GetWidth(), 3);
         EXPECT_EQ(I->GetHeight(), 2);
       }},
      {"radio group",
       [](VIduZozezuVodu& G) {
         TStrings* L = G.CreateRadio(2, 3, 1, 1);
         L->Add("Да");
         L->Add("Нет");
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_TRUE(G.IsRadio(2, 3));
         TStrings* L = G.GetRadioStrings(2, 3);
         ASSERT_NE(L, nullptr);
         EXPECT_EQ(L->GetCommaText(), "Да,Нет");
         int Idx = -1;
         EXPECT_TRUE(G.GetRadioIdx(2, 3, Idx));
         EXPECT_EQ(Idx, 1);
       }},
      {"image indices",
       [](VIduZozezuVodu& G) {
         static TImageList Images(nullptr);
         G.SetGridImages(&Images);
         G.AddMultiImage(2, 3, 0, haLeft, vaTop);
         TIntList* L = G.GetCellImages(2, 3);
         L->Add(4);
         L->Add(-1);
         L->Add(10);
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_EQ(G.GetCellType(2, 3), ctImages);
         auto* L = dynamic_cast<TIntList*>(G.GetCellGraphic(2, 3)->CellContent);
         ASSERT_NE(L, nullptr);
         EXPECT_EQ(L->GetStrValue(), "4,-1,10");
       }},
      {"picture",
       [](VIduZozezuVodu& G) {
         std::unique_ptr<TBitmap> B(SolidBitmap(clFuchsia));
         G.CreatePicture(2, 3, false, StretchWithAspectRatio, 2, haLeft, vaTop)->SetGraphic(B.get());
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_EQ(G.GetCellType(2, 3), ctPicture);
         TPicture* P = G.GetPicture(2, 3);
         ASSERT_NE(P, nullptr);
         ASSERT_NE(dynamic_cast<TBitmap*>(P->GetGraphic()), nullptr);
         EXPECT_EQ(P->GetWidth(), 3);
         EXPECT_EQ(G.GetCellGraphic(2, 3)->CellAngle, static_cast<int>(StretchWithAspectRatio));
       }},
      {"file picture",
       [](VIduZozezuVodu& G) {
         G.CreateFilePicture(2, 3, false, Stretch, 0, haLeft, vaTop)->SetFileName(PicFile);
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         ASSERT_EQ(G.GetCellType(2, 3), ctFilePicture);
         TFilePicture* P = G.GetFilePicture(2, 3);
         ASSERT_NE(P, nullptr);
         EXPECT_EQ(P->GetFilename(), PicFile);
         EXPECT_EQ(P->GetWidth(), 3);
       }},
      {"a graphic the grid did not create stays behind",
       [](VIduZozezuVodu& G) {
         static std::unique_ptr<TBitmap> Outside(SolidBitmap(clRed));
         G.SetCells(2, 3, "x");
         G.AddBitmap(2, 3, Outside.get(), false, haLeft, vaTop);
         G.GetCellProperties(2, 3)->FontSize = 11;
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         EXPECT_EQ(G.GetCells(2, 3), "x");
         EXPECT_EQ(G.GetCellProperties(2, 3)->FontSize, 11);
         EXPECT_EQ(G.GetCellType(2, 3), ctEmpty);
       }},
      {"check box value and comment graphics carry their fields",
       [](VIduZozezuVodu& G) {
         G.AddComment(2, 3, "примечание");
         G.GetCellGraphic(2, 3)->CellValue = 2.5;
       },
       nullptr,
       [](VIduZozezuVodu& G) {
         AnsiString C;
         EXPECT_TRUE(G.IsComment(2, 3, C));
         EXPECT_EQ(C, "примечание");
         EXPECT_EQ(G.GetCellGraphic(2, 3)->CellValue, 2.5);
       }},
  };
  for (const TRoundTrip& C : Cases) RunRoundTrip(C);
}

TEST(BinStreamRoundTrip, RowCheckBoxOfHotmailSelectionBecomesARealGraphic) {
  auto G = NewGrid(3, 3);
  G->GetMouseActions()->SetHotmailRowSelect(true);
  G->GetCellProperties(0, 1)->FontSize = 12;
  const std::string Bytes = Save(*G, TGridRect{0, 1, 0, 1});
  auto T = NewGrid(3, 3);
  LoadAt(*T, 0, 1, Bytes);
  ASSERT_NE(T->GetCellGraphic(0, 1), nullptr);
  EXPECT_EQ(T->GetCellGraphic(0, 1)->CellType, ctRowCheckBox);
}

TEST(BinStreamPlacement, PartialBlockLandsAtThePoint) {
  auto G = NewGrid(8, 10);
  for (int C = 5; C <= 6; ++C)
    for (int R = 7; R <= 8; ++R) G->SetCells(C, R, std::to_string(C) + "," + std::to_string(R));
  const std::string Bytes = Save(*G, TGridRect{5, 7, 6, 8});
  auto T = NewGrid(4, 4);
  T->SetCells(3, 3, "keep");
  LoadAt(*T, 1, 1, Bytes);
  EXPECT_EQ(T->GetCells(1, 1), "5,7");
  EXPECT_EQ(T->GetCells(2, 1), "6,7");
  EXPECT_EQ(T->GetCells(1, 2), "5,8");
  EXPECT_EQ(T->GetCells(2, 2), "6,8");
  EXPECT_EQ(T->GetCells(3, 3), "keep");
  EXPECT_EQ(T->GetColCount(), 4);
  // Past the grid's edge the block's cells are skipped.
  LoadAt(*T, 3, 3, Bytes);
  EXPECT_EQ(T->GetCells(3, 3), "5,7");
  EXPECT_EQ(T->GetColCount(), 4);
  EXPECT_EQ(T->GetRowCount(), 4);
}

TEST(BinStreamPlacement, WholeGridReplacesAtOriginAndIsABlockElsewhere) {
  auto G = NewGrid(2, 2);
  G->SetCells(0, 0, "a");
  G->SetCells(1, 1, "d");
  G->SetColWidths(1, 91);
  G->SetRowHeights(1, 33);
  TStringStream S;
  G->SaveToBinStream(&S);
  const std::string Bytes = S.DataString();

  auto T = NewGrid(4, 4);
  T->SetCells(3, 3, "keep");
  LoadAt(*T, 1, 1, Bytes);
  EXPECT_EQ(T->GetCells(1, 1), "a");
  EXPECT_EQ(T->GetCells(2, 2), "d");
  EXPECT_EQ(T->GetCells(3, 3), "keep");
  EXPECT_EQ(T->GetColCount(), 4);

  TStringStream In(Bytes);
  T->LoadFromBinStream(&In);
  EXPECT_EQ(T->GetColCount(), 2);
  EXPECT_EQ(T->GetRowCount(), 2);
  EXPECT_EQ(T->GetCells(0, 0), "a");
  EXPECT_EQ(T->GetCells(1, 1), "d");
  EXPECT_EQ(T->GetColWidths(1), 91);
  EXPECT_EQ(T->GetRowHeights(1), 33);
}

TEST(BinStreamPlacement, WholeGridWithoutFixedCellsKeepsEveryRowAndColumn) {
  auto G = NewGrid(3, 4);
  G->SetSaveFixedCells(false);
  G->SetCells(2, 3, "last");
  G->SetCells(1, 1, "first");
  TStringStream S;
  G->SaveToBinStream(&S);
  auto T = NewGrid(1, 1);
  T->SetFixedRows(0);
  T->SetFixedCols(0);
  S.SetPosition(0);
  T->LoadFromBinStream(&S);
  CheckMerges(*T);
  EXPECT_EQ(T->GetColCount(), 3);
  EXPECT_EQ(T->GetRowCount(), 4);
  EXPECT_EQ(T->GetCells(1, 1), "first");
  EXPECT_EQ(T->GetCells(2, 3), "last");
}

TEST(BinStreamPlacement, RowsPastSixteenBitsLandInPlace) {
  auto G = NewGrid(1, 70001);
  G->SetFixedCols(0);
  G->SetCells(0, 70000, "далеко");
  G->SetCells(0, 4464, "near");
  TStringStream S;
  G->SaveToBinStream(&S);
  auto T = NewGrid(1, 1);
  S.SetPosition(0);
  T->LoadFromBinStream(&S);
  EXPECT_EQ(T->GetRowCount(), 70001);
  EXPECT_EQ(T->GetCells(0, 70000), "далеко");
  EXPECT_EQ(T->GetCells(0, 4464), "near");
}

TEST(BinStreamPlacement, MergedAreasStayWhole) {
  auto G = NewGrid(6, 6);
  G->MergeCells(1, 1, 3, 2);
  G->SetCells(1, 1, "merged");
  // The whole area, and a piece cut out of its middle.
  const std::string Whole = Save(*G, TGridRect{1, 1, 3, 2});
  const std::string Piece = Save(*G, TGridRect{2, 1, 3, 2});
  auto T = NewGrid(6, 6);
  T->MergeCells(0, 0, 3, 3);  // under the block: taken apart
  LoadAt(*T, 2, 2, Whole);
  EXPECT_TRUE(T->IsBaseCell(2, 2));
  EXPECT_EQ(T->CellSpan(2, 2).x, 2);
  EXPECT_EQ(T->GetCellEx(4, 3), "merged");
  LoadAt(*T, 0, 4, Piece);
  EXPECT_FALSE(T->IsMergedCell(0, 4));
}

TEST(BinStreamRead, AnExtraTrailingByteIsIgnored) {
  auto G = NewGrid(3, 3);
  G->SetCells(1, 1, "x");
  const std::string Bytes = Save(*G, TGridRect{1, 1, 2, 2}) + "Z";
  auto T = NewGrid(3, 3);
  LoadAt(*T, 1, 1, Bytes);
  EXPECT_EQ(T->GetCells(1, 1), "x");
}

TEST(BinStreamRead, DamagedStreamsRaiseKeepingWhatWasRead) {
  auto G = NewGrid(3, 3);
  G->SetCells(0, 0, "first");
  G->SetCells(2, 2, "last");
  const std::string Bytes = Save(*G, TGridRect{0, 0, 2, 2});
  struct {
    const char* Name;
    std::string Bytes;
  } Cases[] = {
      {"foreign bytes", "not a stream at all, but long enough"},
      {"cut short", Bytes.substr(0, Bytes.size() - 10)},
      {"empty", ""},
      {"header only", Bytes.substr(0, Bytes.find("TPF0", 4))},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto T = NewGrid(3, 3);
    TStringStream S(C.Bytes);
    EXPECT_THROW(T->LoadAtPointFromBinStream(TPoint(0, 1), &S), EReadError);
    CheckMerges(*T);
  }
  auto T = NewGrid(3, 3);
  TStringStream S(Bytes.substr(0, Bytes.size() - 10));
  EXPECT_THROW(T->LoadAtPointFromBinStream(TPoint(0, 0), &S), EReadError);
  EXPECT_EQ(T->GetCells(0, 0), "first");
}

TEST(BinStreamRead, ACellOutsideItsBlockIsDamage) {
  // A header for one cell followed by a cell record far away from it.
  TStringStream S;
  TGridPropIO H(nullptr);
  H.ColCount = H.RowCount = 1;
  S.WriteComponent(&H);
  TGridCellIO C1(nullptr), C2(nullptr);
  C1.Col = 0;
  C1.Row = 0;
  C1.Cell = "ok";
  C2.Col = 5;
  C2.Row = 5;
  C2.Cell = "stray";
  S.WriteComponent(&C1);
  S.WriteComponent(&C2);
  auto T = NewGrid(8, 8);
  S.SetPosition(0);
  EXPECT_THROW(T->LoadAtPointFromBinStream(TPoint(1, 1), &S), EReadError);
  EXPECT_EQ(T->GetCells(1, 1), "ok");
  EXPECT_EQ(T->GetCells(6, 6), "");
}

// What reading one cell record leaves: the fields, the stream's position
// and the error raised, if any.
struct TCellOutcome {
  Int64 Col, Row;
  AnsiString Cell;
  bool HasProp;
  Int64 Position;
  std::string Error;
  bool operator==(const TCellOutcome&) const = default;
};

// Fields preset as the loader does, with a text that a record naming none
// must keep.
void Preset(TGridCellIO& R) {
  R.Col = R.Row = TGridCellIO::Missing;
  R.Cell = "kept";
  R.HasProp = false;
}

TCellOutcome Outcome(TGridCellIO& R, TStream& S, const std::string& Error) {
  return TCellOutcome{R.Col, R.Row, R.Cell, R.HasProp, S.GetPosition(), Error};
}

TCellOutcome ByComponentReader(const std::string& Bytes) {
  TStringStream S(Bytes);
  TGridCellIO R(nullptr);
  Preset(R);
  std::string Error;
  try {
    S.ReadComponent(&R);
  } catch (const EReadError& E) {
    Error = E.what();
  }
  return Outcome(R, S, Error);
}

// The direct reader, and the component reader where it declines.
TCellOutcome ByCellReader(const std::string& Bytes, bool& Direct) {
  TStringStream S(Bytes);
  TGridCellIO R(nullptr);
  Preset(R);
  Direct = TGridCellReader(&S).TryRead(R);
  std::string Error;
  if (!Direct) {
    EXPECT_EQ(S.GetPosition(), 0);
    EXPECT_EQ(R.Cell, "kept");
    try {
      S.ReadComponent(&R);
    } catch (const EReadError& E) {
      Error = E.what();
    }
  }
  return Outcome(R, S, Error);
}

// A cell record as the writer would put it, with the properties that
// Props writes.
std::string CellRecord(const std::function<void(TWriter&)>& Props, const AnsiString& Name = "") {
  TStringStream S;
  TWriter W(&S);
  W.WriteSignature();
  W.WriteStr("TGridCellIO");
  W.WriteStr(Name);
  Props(W);
  W.WriteListEnd();
  W.WriteListEnd();
  return S.DataString();
}

// A cell record around the bytes of its properties.
std::string Raw(const std::string& Props) { return "TPF0\x0BTGridCellIO\0"s + Props + "\0\0"s; }

std::string Written(Int64 Col, Int64 Row, const AnsiString& Text, bool HasProp) {
  TStringStream S;
  TGridCellIO R(nullptr);
  R.Col = Col;
  R.Row = Row;
  R.Cell = Text;
  R.HasProp = HasProp;
  S.WriteComponent(&R);
  return S.DataString();
}

TEST(BinCellReader, ReadsEveryRecordAsTheComponentReaderDoes) {
  auto Prop = [](const char* Name, auto Write) {
    return [=](TWriter& W) {
      W.WritePropName(Name);
      Write(W);
    };
  };
  auto Int = [](Int64 V) { return [V](TWriter& W) { W.WriteInteger(V); }; };
  auto Str = [](AnsiString V) { return [V](TWriter& W) { W.WriteString(V); }; };
  auto Both = [](auto A, auto B) {
    return [=](TWriter& W) {
      A(W);
      B(W);
    };
  };
  const std::string Normal = Written(3, 4, "текст", true);
  struct {
    const char* Name;
    std::string Bytes;
    bool Direct;
    bool Fails;
  } Cases[] = {
      // What the writer writes.
      {"texts and flags", Normal, true, false},
      {"no text", Written(0, 0, "", false), true, false},
      {"long ASCII text", Written(1, 2, std::string(300, 'a'), false), true, false},
      {"indices of 16, 32 and 64 bits", Written(70000, -300, "x", false), true, false},
      {"index past 32 bits", Written(Int64{5} << 32, 1, "x", false), true, false},
      // Other forms the component reader takes.
      {"another order and case",
       CellRecord(Both(Prop("hasprop", [](TWriter& W) { W.WriteBoolean(true); }),
                       Both(Prop("CELL", Str("a")), Both(Prop("row", Int(7)), Prop("cOl", Int(8)))))),
       true, false},
      {"a field twice", CellRecord(Both(Prop("Cell", Str("a")), Prop("Cell", Str("b")))), true, false},
      {"wide text", CellRecord(Prop("Cell", [](TWriter& W) { W.WriteWideString(u"ш"); })), false, false},
      {"a component name", CellRecord(Prop("Col", Int(1)), "Named"), false, false},
      {"a child", Normal.substr(0, Normal.size() - 1) + "\x05" "Child\0\x03Tag\x02\x01\0\0"s, false, false},
      // Damaged records: the component reader's errors.
      {"unknown property", CellRecord(Prop("Colour", Int(1))), false, true},
      {"index as text", CellRecord(Prop("Col", Str("1"))), false, true},
      {"flag as integer", CellRecord(Prop("HasProp", Int(1))), false, true},
      {"bad signature", "TPF1" + Normal.substr(4), false, true},
      {"text longer than the data", Raw("\x04" "Cell\x14\xff\xff\xff\x7f" "abc"), false, true},
      {"negative text length", Raw("\x04" "Cell\x0C\xfe\xff\xff\xff" "abc"), false, true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    bool Direct = false;
    EXPECT_EQ(ByCellReader(C.Bytes, Direct), ByComponentReader(C.Bytes));
    EXPECT_EQ(Direct, C.Direct);
    EXPECT_EQ(ByComponentReader(C.Bytes).Error.empty(), !C.Fails);
  }
  // Cut anywhere, a record is left to the component reader and its error.
  for (std::size_t N = 0; N < Normal.size(); ++N) {
    SCOPED_TRACE(N);
    bool Direct = true;
    const std::string Cut = Normal.substr(0, N);
    TCellOutcome Got = ByCellReader(Cut, Direct);
    EXPECT_FALSE(Direct);
    EXPECT_EQ(Got, ByComponentReader(Cut));
    EXPECT_FALSE(Got.Error.empty());
  }
}

TEST(BinCellWriter, WritesTheComponentWritersBytes) {
  struct {
    Int64 Col, Row;
    AnsiString Text;
    bool HasProp;
  } Cases[] = {
      {0, 0, "", false},
      {127, -128, "a", true},
      {128, -129, "текст", false},
      {32767, 32768, "x", true},
      {70000, -70000, "", true},
      {Int64{5} << 32, -(Int64{5} << 32), "y", false},
      {1, 2, std::string(255, 'a'), false},
      {1, 2, std::string(256, 'a'), false},
      {1, 2, "ш" + std::string(300, 'b'), true},
  };
  TStringStream Direct;
  TGridCellWriter Writer(&Direct);
  TGridCellIO R(nullptr);
  std::string Expected;
  for (const auto& C : Cases) {
    R.Col = C.Col;
    R.Row = C.Row;
    R.Cell = C.Text;
    R.HasProp = C.HasProp;
    Writer.Write(R);
    Expected += Written(C.Col, C.Row, C.Text, C.HasProp);
  }
  EXPECT_EQ(Direct.DataString(), Expected);
}

// A stream that is not held in memory: read through the component reader.
class TPlainStream : public TStream {
public:
  explicit TPlainStream(std::string Bytes) : FInner(std::move(Bytes)) {}
  int Read(void* Buffer, int Count) override { return FInner.Read(Buffer, Count); }
  int Write(const void* Buffer, int Count) override { return FInner.Write(Buffer, Count); }
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override { return FInner.Seek(Offset, Origin); }
  using TStream::Seek;

private:
  TStringStream FInner;
};

TEST(BinCellReader, EveryKindOfStreamLoadsTheSame) {
  auto G = NewGrid(4, 5);
  G->SetCells(1, 1, "один");
  G->SetCells(3, 4, "last");
  G->GetCellProperties(2, 2)->SetBrushColor(clYellow);
  G->SetCells(2, 2, "coloured");
  TStringStream Source;
  G->SaveToBinStream(&Source);
  const std::string Bytes = Source.DataString();
  TMemoryStream Memory;
  Memory.WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
  TPlainStream Plain(Bytes);
  TStringStream String(Bytes);
  for (TStream* S : std::initializer_list<TStream*>{&String, &Memory, &Plain}) {
    S->SetPosition(0);
    auto T = NewGrid(1, 1);
    T->LoadFromBinStream(S);
    CheckMerges(*T);
    TStringStream Again;
    T->SaveToBinStream(&Again);
    EXPECT_EQ(Again.DataString(), Bytes);
  }
}

TEST(BinStreamRead, AMemberWhoseBaseLiesOutsideTheGridTakesItsGraphicAlone) {
  // One cell whose properties name a base three rows above it, with a
  // radio group: loaded at (1, 1) the base would be row -2.
  TStringStream S;
  TGridPropIO H(nullptr);
  H.ColCount = H.RowCount = 1;
  S.WriteComponent(&H);
  TGridCellIO C(nullptr);
  C.Cell = "r";
  C.HasProp = true;
  S.WriteComponent(&C);
  TGridCellPropIO P(nullptr);
  P.GetCellProperties()->IsBaseCell = false;
  P.GetCellProperties()->CellSpanX = 0;
  P.GetCellProperties()->CellSpanY = 3;
  P.HasGraphic = true;
  S.WriteComponent(&P);
  TGridGraphicIO G(nullptr);
  G.GetCellGraphic()->CellType = ctRadio;
  S.WriteComponent(&G);
  TGridSLIO L(nullptr);
  L.Strings.Add("one");
  S.WriteComponent(&L);
  S.SetPosition(0);
  auto T = NewGrid(5, 5);
  T->LoadAtPointFromBinStream(TPoint(1, 1), &S);
  CheckMerges(*T);
  EXPECT_TRUE(T->IsBaseCell(1, 1));
  EXPECT_EQ(T->GetCellType(1, 1), ctRadio);
  EXPECT_EQ(T->GetCellEx(1, 1), "r");
}

TEST(BinStreamSave, ProgressCountsFromTheTopRowAndNotifies) {
  auto G = NewGrid(2, 20);
  G->RecordProgress();
  Save(*G, TGridRect{0, 10, 1, 12});
  EXPECT_EQ(G->Progress, (std::vector<int>{0, 50, 100}));
  ASSERT_EQ(G->Exports.size(), 5u);
  EXPECT_EQ(G->Exports.front(), std::make_pair(esExportStart, -1));
  EXPECT_EQ(G->Exports[1], std::make_pair(esExportNewRow, 10));
  EXPECT_EQ(G->Exports.back(), std::make_pair(esExportDone, -1));
}

TEST(BinStreamSave, NodeRowsAreCountedAfterLoading) {
  auto G = NewGrid(3, 6);
  G->AddNode(1, 2);
  G->AddNode(4, 2);
  TStringStream S;
  G->SaveToBinStream(&S);
  auto T = NewGrid(1, 1);
  S.SetPosition(0);
  T->LoadFromBinStream(&S);
  EXPECT_EQ(T->GetNodeCount(), 2);
}

TEST(BinStreamFile, RoundTripAndErrors) {
  const std::string Name = ScratchName(".bin");
  auto G = NewGrid(3, 3);
  G->SetCells(1, 2, "файл");
  G->SaveToBinFile(Name);
  auto T = NewGrid(1, 1);
  T->LoadFromBinFile(Name);
  EXPECT_EQ(T->GetCells(1, 2), "файл");
  EXPECT_THROW(T->LoadFromBinFile(Name + ".missing"), EFOpenError);
  EXPECT_THROW(G->SaveToBinFile(::testing::TempDir() + "no/such/dir/x.bin"), EFCreateError);
  // A failed save leaves the old file as it was.
  std::filesystem::create_directory(Name + ".dir");
  EXPECT_ANY_THROW(G->SaveToBinFile(Name + ".dir"));
  EXPECT_TRUE(std::filesystem::is_directory(Name + ".dir"));
  std::filesystem::remove(Name + ".dir");
  std::remove(Name.c_str());
}

}  // namespace
