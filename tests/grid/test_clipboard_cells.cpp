// The grid's own cell format between grids, damaged blocks from outside,
// and the HTML format's offsets.
#include <cstring>

#include "tests/grid/clipboard_fixture.h"

namespace {

const char* const CellsName = "VIduZozezuVodu Cells";

// Puts raw bytes under a format as another program would.
void PutBlock(UINT Format, const std::string& Bytes) {
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
  if (!Bytes.empty()) std::memcpy(GlobalLock(Mem), Bytes.data(), Bytes.size());
  GlobalUnlock(Mem);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_NE(SetClipboardData(Format, Mem), nullptr);
  CloseClipboard();
}

std::string ClipBytes(UINT Format) {
  std::string Out;
  if (!OpenClipboard(nullptr)) return Out;
  if (HANDLE H = GetClipboardData(Format)) Out.assign(static_cast<const char*>(GlobalLock(H)), GlobalSize(H));
  CloseClipboard();
  return Out;
}

long Offset(const std::string& Html, const std::string& Key) {
  const auto P = Html.find(Key + ":");
  return P == std::string::npos ? -1 : std::stol(Html.substr(P + Key.size() + 1, 8));
}

TEST_F(ClipboardTest, CellsIntoAnotherGridRestorePropertiesAndReportNoOrigin) {
  G->GetNavigation()->AllowFmtClipboard = true;
  G->Fill({{"", ""}, {"", "p", "q"}, {"", "r", "s"}});
  G->SetColors(1, 1, clRed);
  G->Select(1, 1, 2, 2);
  G->CopySelectionToClipboard();

  TClipGrid* Other = NewGrid();
  Other->GetNavigation()->AllowFmtClipboard = true;
  Other->Select(3, 4, 3, 4);
  Other->PasteSelectionFromClipboard();
  EXPECT_EQ(Other->Cell(3, 4), "p");
  EXPECT_EQ(Other->Cell(4, 5), "s");
  ASSERT_TRUE(Other->HasCellProperties(3, 4));
  EXPECT_EQ(Other->GetCellProperties(3, 4)->GetBrushColor(), clRed);
  ASSERT_EQ(Other->Origins.size(), 1u);
  EXPECT_EQ(Other->Origins[0].x, -1);
  EXPECT_EQ(Other->Origins[0].y, -1);
  EXPECT_EQ(Other->Notified[0].Right, 4);
  EXPECT_EQ(Other->Notified[0].Bottom, 5);
  EXPECT_EQ(Other->Starts, 1);
  EXPECT_EQ(Other->Dones, 1);
  // The grid grew to take the block.
  EXPECT_EQ(Other->GetColCount(), 5);
  EXPECT_EQ(Other->GetRowCount(), 6);

  G->Select(0, 4, 0, 4);
  G->PasteSelectionFromClipboard();
  ASSERT_EQ(G->Origins.size(), 1u);
  EXPECT_EQ(G->Origins[0].x, 1);
  EXPECT_EQ(G->Origins[0].y, 1);
  EXPECT_EQ(G->Cell(1, 5), "s");
}

TEST_F(ClipboardTest, WholeGridBlockPastedAwayFromTheOriginKeepsTheTarget) {
  TClipGrid* Src = NewGrid(2, 2);
  Src->GetNavigation()->AllowFmtClipboard = true;
  Src->Fill({{"a", "b"}, {"c", "d"}});
  Src->CopyToClipBoard();
  G->GetNavigation()->AllowFmtClipboard = true;
  G->Fill({{"keep"}});
  G->Select(2, 2, 2, 2);
  G->PasteSelectionFromClipboard();
  EXPECT_EQ(G->Cell(0, 0), "keep");
  EXPECT_EQ(G->Cell(2, 2), "a");
  EXPECT_EQ(G->Cell(3, 3), "d");
  EXPECT_EQ(G->GetColCount(), 5);
}

TEST_F(ClipboardTest, CellsBlockOfTheSelectionsSizeIsNotContinued) {
  G->GetNavigation()->AllowFmtClipboard = true;
  G->GetNavigation()->AllowSmartClipboard = true;
  G->Fill({{"1", "5", "2"}});
  G->Select(0, 0, 2, 0);
  G->CopySelectionToClipboard();
  G->Select(0, 3, 2, 3);
  G->PasteSelectionFromClipboard();
  EXPECT_EQ(G->Cell(2, 3), "2");
}

TEST_F(ClipboardTest, DamagedCellsBlocksRaiseWithTheClipboardClosed) {
  G->GetNavigation()->AllowFmtClipboard = true;
  // A valid block to cut from.
  TClipGrid* Src = NewGrid(2, 2);
  Src->GetNavigation()->AllowFmtClipboard = true;
  Src->Fill({{"a", "b"}, {"c", "d"}});
  Src->Select(0, 0, 1, 1);
  Src->CopySelectionToClipboard();
  const UINT Cells = RegisterClipboardFormatA(CellsName);
  const std::string Good = ClipBytes(Cells);
  ASSERT_FALSE(Good.empty());
  std::string Huge = Good;
  // The header's ColCount written as a 32-bit value: far more cells than bytes.
  const auto At = Huge.find("ColCount");
  ASSERT_NE(At, std::string::npos);
  const char Int32[] = {0x04, '\xff', '\xff', '\xff', 0x7f};
  Huge.replace(At + 8, 2, Int32, sizeof Int32);
  for (const std::string& Bytes : {std::string("garbage"), Good.substr(0, Good.size() - 5), Huge, std::string()}) {
    SCOPED_TRACE(std::to_string(Bytes.size()) + " of " + std::to_string(Good.size()));
    PutBlock(Cells, Bytes);
    G->Select(1, 1, 1, 1);
    EXPECT_THROW(G->PasteSelectionFromClipboard(), EStreamError);
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(G->GetColCount(), 5);
    EXPECT_EQ(G->GetRowCount(), 6);
    EXPECT_EQ(G->Starts, G->Dones);
  }
}

TEST_F(ClipboardTest, TextAndRTFBlocksAreReadWithinTheirSize) {
  PutBlock(CF_TEXT, "ab\tcd");  // no terminating zero
  int Cols = 0, Rows = 0;
  EXPECT_EQ(G->PasteFunc(0, 0, Cols, Rows), 2);
  EXPECT_EQ(G->Cell(1, 0), "cd");
  G->GetNavigation()->AllowRTFClipboard = true;
  PutBlock(RegisterClipboardFormatA("Rich Text Format"), "{\\rtf1 z}");
  EXPECT_EQ(G->PasteFunc(2, 2, Cols, Rows), 0);
  EXPECT_EQ(G->Cell(2, 2), "{\\rtf1 z}");
  EXPECT_EQ(Cols, 1);
  EXPECT_EQ(Rows, 1);
}

TEST_F(ClipboardTest, HTMLFormatOffsetsMatchTheBytesOfACyrillicGrid) {
  TClipGrid* H = NewGrid(2, 2);
  H->Fill({{"Счётчик", "ЮНТ3"}, {"фаза", "Ж"}});
  H->CopyToClipBoardAsHTML();
  const std::string Html = ClipBytes(RegisterClipboardFormatA("HTML Format"));
  ASSERT_FALSE(Html.empty());
  EXPECT_EQ(Html.back(), '>');  // no terminating zero
  const long StartHtml = Offset(Html, "StartHTML"), EndHtml = Offset(Html, "EndHTML");
  const long StartFrag = Offset(Html, "StartFragment"), EndFrag = Offset(Html, "EndFragment");
  EXPECT_EQ(Html.compare(static_cast<std::size_t>(StartHtml), 9, "<!DOCTYPE"), 0);
  EXPECT_EQ(EndHtml, static_cast<long>(Html.size()));
  const std::string Before = "<!--StartFragment-->";
  EXPECT_EQ(Html.substr(static_cast<std::size_t>(StartFrag) - Before.size(), Before.size()), Before);
  EXPECT_EQ(Html.substr(static_cast<std::size_t>(EndFrag), 18), "<!--EndFragment-->");
  const std::string Fragment = Html.substr(static_cast<std::size_t>(StartFrag), static_cast<std::size_t>(EndFrag - StartFrag));
  EXPECT_NE(Fragment.find("Счётчик"), std::string::npos);
  // The same wrapped text, header included, is the plain text.
  EXPECT_EQ(Clipboard()->GetAsText(), Html);
  EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormatA(CellsName)));
}

}  // namespace
