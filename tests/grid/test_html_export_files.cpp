// HTML files and pictures: cell pictures as numbered JPEG files linked by
// absolute path, header and footer files, appending, the errors that keep
// an old file, and the shell preview.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "exchange_fixture.h"
#include "grid/gridoptions.h"
#include "platform/graphics/jpeg.h"
#include "platform/shell/shellapi.h"

namespace fs = std::filesystem;

namespace {

class HtmlFiles : public ::testing::Test {
protected:
  void TearDown() override {
    for (const std::string& F : Files) fs::remove_all(F);
  }
  // A fresh folder, its name ending in a separator.
  std::string Folder() {
    Files.push_back(ScratchName("_dir"));
    fs::remove_all(Files.back());
    fs::create_directories(Files.back());
    return Files.back() + "/";
  }
  std::vector<std::string> Files;
};

void FillBitmap(TBitmap* B, int W, int H, TColor C) {
  B->SetSize(W, H);
  B->GetCanvas()->GetBrush()->SetColor(C);
  B->GetCanvas()->FillRect(TRect(0, 0, W, H));
}

TSize JpegSize(const std::string& File) {
  TJPEGImage J;
  J.LoadFromFile(File);
  return {J.GetWidth(), J.GetHeight()};
}

// Writes beyond 64 bytes fail (EFBIG) while it lives, whoever runs the test.
class TSmallFileLimit {
public:
  TSmallFileLimit() {
    getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit Small = FOld;
    Small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &Small);
  }
  ~TSmallFileLimit() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }

private:
  rlimit FOld{};
  void (*FOldHandler)(int) = nullptr;
};

TEST_F(HtmlFiles, PicturesNumberedFromTheHeaderRow) {
  const std::string Dir = Folder();
  TRecordingGrid G(nullptr);
  G.SetFixedCols(0);
  G.SetFixedRows(1);
  G.SetColCountEx(3);
  G.SetRowCountEx(3);
  TImageList Images(nullptr);
  TBitmap Piece;
  FillBitmap(&Piece, 16, 16, clRed);
  Images.Add(&Piece, nullptr);
  G.SetGridImages(&Images);
  FillBitmap(G.CreateBitmap(0, 0, false, haLeft, vaTop), 10, 8, clBlue);
  FillBitmap(G.CreateBitmap(1, 0, false, haLeft, vaTop), 12, 6, clGreen);
  G.SetCells(0, 0, "h0");
  FillBitmap(G.CreateBitmap(0, 1, false, haLeft, vaTop), 7, 5, clYellow);
  G.SetCells(0, 1, "bmp");
  // A JPEG picture is copied byte for byte.
  const std::string Source = Dir + "source.jpg";
  {
    TBitmap B;
    FillBitmap(&B, 9, 4, clAqua);
    TJPEGImage J;
    J.Assign(&B);
    J.SaveToFile(Source);
  }
  G.CreatePicture(1, 1, false, noStretch, 0, haLeft, vaTop)->LoadFromFile(Source);
  G.AddImageIdx(2, 1, 0, haLeft, vaTop);
  G.SetCells(2, 1, "il");
  // A check box is its text only.
  G.AddCheckBox(0, 2, true, false);

  const AnsiString Html = G.SaveToHTMLString(Dir);
  auto Img = [&](int N) { return "<img src= \"file://" + Dir + "images/img" + std::to_string(N) + ".jpg\">"; };
  EXPECT_NE(Html.find(">h0" + Img(1) + "</td>"), std::string::npos) << Html;
  EXPECT_NE(Html.find(">&nbsp;" + Img(2) + "</td>"), std::string::npos) << Html;
  EXPECT_NE(Html.find(">bmp" + Img(3) + "</td>"), std::string::npos) << Html;
  EXPECT_NE(Html.find(">&nbsp;" + Img(4) + "</td>"), std::string::npos) << Html;
  EXPECT_NE(Html.find(">" + Img(5) + "il</td>"), std::string::npos) << Html;
  EXPECT_EQ(Html.find("img6"), std::string::npos);
  EXPECT_NE(Html.find(">" + G.GetCheckTrue(0, 2) + "</td>"), std::string::npos) << Html;
  const TSize Sizes[] = {{10, 8}, {12, 6}, {7, 5}, {9, 4}, {16, 16}};
  for (int N = 1; N <= 5; ++N) {
    SCOPED_TRACE(N);
    const TSize S = JpegSize(Dir + "images/img" + std::to_string(N) + ".jpg");
    EXPECT_EQ(S.cx, Sizes[N - 1].cx);
    EXPECT_EQ(S.cy, Sizes[N - 1].cy);
  }
  EXPECT_EQ(Slurp(Dir + "images/img4.jpg"), Slurp(Source));

  // Image lists by index and data images by their text, which is not
  // written; a data image without its picture keeps the text. Without
  // ExportImages nothing is written.
  TRecordingGrid D(nullptr);
  D.SetFixedRows(0);
  D.SetFixedCols(0);
  D.SetColCountEx(3);
  D.SetRowCountEx(1);
  D.SetGridImages(&Images);
  D.SetCells(0, 0, "0");
  D.AddDataImage(0, 0, 0, haLeft, vaTop);
  D.SetCells(1, 0, "7");
  D.AddDataImage(1, 0, 0, haLeft, vaTop);
  D.AddMultiImage(2, 0, 0, haLeft, vaTop);
  D.GetCellImages(2, 0)->Add(0);
  D.GetCellImages(2, 0)->Add(5);
  D.GetCellImages(2, 0)->Add(0);
  const std::string Dir2 = Folder();
  const AnsiString H2 = D.SaveToHTMLString(Dir2);
  auto Img2 = [&](int N) { return "<img src= \"file://" + Dir2 + "images/img" + std::to_string(N) + ".jpg\">"; };
  EXPECT_NE(H2.find(">" + Img2(1) + "</td>"), std::string::npos) << H2;
  EXPECT_NE(H2.find(">7</td>"), std::string::npos) << H2;
  EXPECT_NE(H2.find(">" + Img2(2) + Img2(3) + "&nbsp;</td>"), std::string::npos) << H2;
  D.GetHTMLSettings()->ExportImages = false;
  EXPECT_EQ(D.SaveToHTMLString(Folder()).find("<img"), std::string::npos);
}

TEST_F(HtmlFiles, EmptyFolderLinksByAbsolutePath) {
  const std::string Dir = Folder();
  const fs::path Old = fs::current_path();
  fs::current_path(Dir);
  TRecordingGrid G(nullptr);
  FillBitmap(G.CreateBitmap(1, 1, false, haLeft, vaTop), 3, 3, clRed);
  G.GetHTMLSettings()->XHTML = true;
  const AnsiString Html = G.SaveToHTMLString("");
  const std::string Cwd = fs::current_path().string();
  fs::current_path(Old);
  EXPECT_NE(Html.find("<img src=\"file://" + Cwd + "/images/img1.jpg\" />"), std::string::npos) << Html;
  EXPECT_TRUE(fs::exists(Dir + "images/img1.jpg"));
}

TEST_F(HtmlFiles, FilesAroundTheTable) {
  const std::string Dir = Folder();
  TRecordingGrid G(nullptr);
  G.SetCells(1, 1, "x");
  const std::string Page = Dir + "page.html";
  WriteBytes(Dir + "head.txt", "h1\nh2");
  WriteBytes(Dir + "foot.txt", "f1\r\n");
  G.GetHTMLSettings()->HeaderFile = Dir + "head.txt";
  G.GetHTMLSettings()->FooterFile = Dir + "foot.txt";
  const AnsiString Table = G.SaveToHTMLString(Dir);
  G.SaveToHTML(Page);
  EXPECT_EQ(Slurp(Page), "h1\r\nh2\r\n" + Table + "\r\nf1\r\n");
  // A header file that cannot be read is left out; appending keeps the old
  // text and makes a missing file.
  G.GetHTMLSettings()->HeaderFile = Dir + "missing.txt";
  G.GetHTMLSettings()->FooterFile = "";
  WriteBytes(Page, "old");
  G.AppendToHTML(Page);
  EXPECT_EQ(Slurp(Page), "old" + Table + "\r\n");
  const std::string Fresh = Dir + "fresh.html";
  G.AppendToHTML(Fresh);
  EXPECT_EQ(Slurp(Fresh), Table + "\r\n");
}

TEST_F(HtmlFiles, ErrorsKeepTheOldFile) {
  const std::string Dir = Folder();
  TRecordingGrid G(nullptr);
  G.SetCells(1, 1, "a long enough text to pass the sixty-four byte limit of this test");
  const std::string NoDir = Dir + "no_such_dir/x.html";
  for (bool Append : {false, true}) {
    try {
      G.OutputToHTML(NoDir, Append);
      ADD_FAILURE();
    } catch (const EDidAvovError& E) {
      EXPECT_EQ(E.Message, "Cannot Create file " + NoDir);
    }
  }
  const std::string Page = Dir + "page.html";
  for (bool Append : {false, true}) {
    SCOPED_TRACE(Append);
    WriteBytes(Page, "old bytes\r\n");
    bool Raised = false;
    {
      TSmallFileLimit Limit;
      try {
        G.OutputToHTML(Page, Append);
      } catch (const EFCreateError&) {
        Raised = true;
      }
    }
    EXPECT_TRUE(Raised);
    EXPECT_EQ(Slurp(Page), "old bytes\r\n");
  }
  // "images" cannot be made: the general error, the old page kept and no
  // temporary file left behind.
  WriteBytes(Dir + "images", "a file");
  FillBitmap(G.CreateBitmap(1, 1, false, haLeft, vaTop), 3, 3, clRed);
  try {
    G.SaveToHTML(Page);
    ADD_FAILURE();
  } catch (const EDidAvovError&) {
    ADD_FAILURE();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message, "Cannot create " + Dir + "images");
  }
  EXPECT_EQ(Slurp(Page), "old bytes\r\n");
  std::vector<std::string> Left;
  for (const auto& E : fs::directory_iterator(Dir)) Left.push_back(E.path().filename().string());
  std::sort(Left.begin(), Left.end());
  EXPECT_EQ(Left, (std::vector<std::string>{"images", "page.html"}));
}

TEST_F(HtmlFiles, PreviewThroughTheShell) {
  const std::string Page = Folder() + "page.html";
  std::vector<std::pair<std::string, std::string>> Calls;
  // A refusing shell is no error of the export.
  SetShellExecuteHook([&](HWND, const std::string& Op, const std::string& File, int) {
    Calls.emplace_back(Op, File);
    return reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
  });
  TRecordingGrid G(nullptr);
  G.SaveToHTML(Page);
  EXPECT_TRUE(Calls.empty());
  G.SaveToHTML(Page, true);
  ASSERT_EQ(Calls.size(), 1u);
  G.GetHTMLSettings()->AutoPreview = true;
  G.AppendToHTML(Page);
  EXPECT_EQ(Calls.size(), 2u);
  // Both switches: opened twice.
  G.SaveToHTML(Page, true);
  SetShellExecuteHook(nullptr);
  ASSERT_EQ(Calls.size(), 4u);
  for (const auto& C : Calls) EXPECT_EQ(C, std::make_pair(std::string("open"), Page));
}

}  // namespace
