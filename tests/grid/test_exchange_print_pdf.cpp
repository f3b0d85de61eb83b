// Printing through the program's printer into PDF files, the print dialog
// and the printer's errors.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "grid/filepicture.h"
#include "platform/dialogs/printdialog.h"
#include "platform/graphics/printers.h"
#include "platform/windows/winkernel.h"
#include "print_fixture.h"

namespace {

class PrintPdf : public PrintTest {
protected:
  void SetUp() override {
    PrintTest::SetUp();
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    File = ::testing::TempDir() + "print_" + Info->name() + ".pdf";
    std::filesystem::remove(File);
    Printer()->SetFileName(File);
  }
  void TearDown() override {
    SetPrintDialogHook(nullptr);
    Printer()->SetFileName("");
    std::filesystem::remove(File);
    PrintTest::TearDown();
  }
  std::string Bytes() {
    std::ifstream F(File, std::ios::binary);
    std::stringstream S;
    S << F.rdbuf();
    return S.str();
  }
  int PdfPages() {
    const std::string B = Bytes();
    const std::regex Page("/Type\\s*/Page(?![s])");
    return static_cast<int>(std::distance(std::sregex_iterator(B.begin(), B.end(), Page), std::sregex_iterator()));
  }
  std::string File;
};

TEST_F(PrintPdf, PrintWritesAPdfWithThePagesCounted) {
  Fill(4, 150);
  G->GetPrintSettings()->RepeatFixedRows = true;
  G->GetPrintSettings()->PageNr = ppBottomCenter;
  G->GetPrintSettings()->Borders = pbAround;
  int Counted = 0;
  G->OnPrintStart = [&](TObject*, int N, int&, int&) { Counted = N; };
  G->Print();
  EXPECT_EQ(Bytes().substr(0, 4), "%PDF");
  EXPECT_GT(Counted, 1);
  EXPECT_EQ(PdfPages(), Counted);
  EXPECT_FALSE(Printer()->GetPrinting());
}

TEST_F(PrintPdf, PageRangeFromTheStartEventAndNothingForAnEmptyOne) {
  Fill(4, 150);
  G->OnPrintStart = [](TObject*, int, int& From, int& To) { From = To = 2; };
  G->Print();
  EXPECT_EQ(PdfPages(), 1);
  std::filesystem::remove(File);
  G->OnPrintStart = [](TObject*, int, int&, int& To) { To = 0; };
  G->Print();
  EXPECT_FALSE(std::filesystem::exists(File));
}

TEST_F(PrintPdf, DialogChoosesTheFileAndCancelPrintsNothing) {
  Fill(3, 5);
  TPrintDialog Dialog(nullptr);
  const std::string Chosen = File + ".chosen.pdf";
  Printer()->SetFileName("");
  SetPrintDialogHook([](TPrintDialogRequest&) { return false; });
  EXPECT_FALSE(Dialog.Execute());
  EXPECT_EQ(Printer()->GetFileName(), "");
  SetPrintDialogHook([&](TPrintDialogRequest& R) {
    R.FileName = Chosen;
    return true;
  });
  ASSERT_TRUE(Dialog.Execute());
  G->Print();
  EXPECT_TRUE(std::filesystem::exists(Chosen));
  std::filesystem::remove(Chosen);
}

TEST_F(PrintPdf, NoPrinterAndNoFileRaisesThePrintersError) {
  Fill(3, 5);
  Printer()->SetFileName("");
  Printer()->SetPrinterName("no such printer");
  try {
    G->Print();
    ADD_FAILURE() << "printed";
  } catch (const EPrinter& E) {
    EXPECT_EQ(E.Message, "There is no default printer currently selected");
  }
  Printer()->SetPrinterName("");
  EXPECT_FALSE(Printer()->GetPrinting());
  // A document open refuses another.
  Printer()->SetFileName(File);
  Printer()->BeginDoc();
  EXPECT_THROW(Printer()->BeginDoc(), EPrinter);
  Printer()->Abort();
  EXPECT_FALSE(std::filesystem::exists(File));
}

TEST_F(PrintPdf, SixHundredColumnsPrintInBands) {
  Fill(600, 3);
  G->GetPrintSettings()->PageNr = ppTopRight;
  G->GetPrintSettings()->RepeatFixedCols = true;
  G->Print();
  EXPECT_GT(PdfPages(), 10);
}

}  // namespace

namespace {

TEST_F(PrintPdf, APreviewAfterAPrintDrawsOnlyTheFirstPageOfTheRange) {
  Fill(3, 25);
  G->Print();  // pages 1..3
  std::vector<std::string> Texts;
  for (const TGdiCall& K : Record([&] { G->PrintPreview(C, TRect(0, 0, 794, 242)); }))
    if (K.Func == "DrawText" && !(K.Flags & DT_CALCRECT)) Texts.push_back(K.Text);
  ASSERT_FALSE(Texts.empty());
  EXPECT_EQ(Texts.front(), "c0r0");
  EXPECT_EQ(std::count(Texts.begin(), Texts.end(), "c0r10"), 0);
}

}  // namespace

namespace {

TEST_F(PrintPdf, AMissingFilePictureEndsThePrintAndClosesTheDocument) {
  Fill(3, 5);
  G->GetPrintSettings()->PrintGraphics = true;
  const std::string Picture = File + ".bmp";
  {
    TBitmap Bmp;
    Bmp.SetSize(8, 8);
    Bmp.SaveToFile(Picture);
  }
  G->CreateFilePicture(1, 1, false, noStretch, 0, haLeft, vaTop)->SetFileName(Picture);
  std::filesystem::remove(Picture);
  EXPECT_ANY_THROW(G->Print());
  EXPECT_FALSE(Printer()->GetPrinting());
}

}  // namespace
