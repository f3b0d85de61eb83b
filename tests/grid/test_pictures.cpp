// Pictures kept as file bytes: GIF frames and stepping, other formats, bad
// data, loading by URL, the cache, the container, the picture control and
// pictures in mini-HTML text.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "grid/picturecontainer.h"
#include "grid/vzvhtmle.h"
#include "platform/forms/forms.h"
#include "platform/graphics/jpeg.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// 4 x 4 pixels of one colour index, LZW coded with 2-bit codes: a clear
// code before every two literals keeps every code 3 bits wide.
Bytes SolidImageData(int Index) {
  std::vector<int> codes;
  for (int i = 0; i < 8; ++i) {
    codes.push_back(4);
    codes.push_back(Index);
    codes.push_back(Index);
  }
  codes.push_back(5);
  Bytes packed;
  unsigned acc = 0;
  int bits = 0;
  for (int c : codes) {
    acc |= static_cast<unsigned>(c) << bits;
    bits += 3;
    while (bits >= 8) {
      packed.push_back(static_cast<std::uint8_t>(acc & 0xFF));
      acc >>= 8;
      bits -= 8;
    }
  }
  if (bits) packed.push_back(static_cast<std::uint8_t>(acc));
  Bytes out{2, static_cast<std::uint8_t>(packed.size())};
  out.insert(out.end(), packed.begin(), packed.end());
  out.push_back(0);
  return out;
}

// Three 4 x 4 frames on an 8 x 8 screen: red, blue (at 1, 2), red; delays
// 20, 30 and 40 hundredths.
Bytes ThreeFrameGIF() {
  Bytes b{'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, 8);
  Put16(b, 8);
  b.insert(b.end(), {0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF});  // red, blue
  const int delays[] = {20, 30, 40}, colour[] = {0, 1, 0}, left[] = {0, 1, 0}, top[] = {0, 2, 0};
  for (int f = 0; f < 3; ++f) {
    b.insert(b.end(), {0x21, 0xF9, 0x04, 0x00});
    Put16(b, delays[f]);
    b.insert(b.end(), {0x00, 0x00, 0x2C});
    Put16(b, left[f]);
    Put16(b, top[f]);
    Put16(b, 4);
    Put16(b, 4);
    b.push_back(0);
    Bytes d = SolidImageData(colour[f]);
    b.insert(b.end(), d.begin(), d.end());
  }
  b.push_back(0x3B);
  return b;
}

// A 3 x 2 24-bit BMP of one colour.
Bytes SolidBMP(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
  const int w = 3, h = 2, row = 12, size = 54 + row * h;
  Bytes b{'B', 'M'};
  auto put32 = [&](int v) {
    Put16(b, v & 0xFFFF);
    Put16(b, (v >> 16) & 0xFFFF);
  };
  put32(size);
  put32(0);
  put32(54);
  put32(40);
  put32(w);
  put32(h);
  Put16(b, 1);
  Put16(b, 24);
  for (int i = 0; i < 6; ++i) put32(0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.insert(b.end(), {B, G, R});
    b.insert(b.end(), 12 - 9, 0);
  }
  return b;
}

void Load(THTMLPicture& P, const Bytes& b) {
  TMemoryStream M;
  if (!b.empty()) M.WriteBuffer(b.data(), static_cast<int>(b.size()));
  P.LoadFromStream(&M);
}

TColor DrawnAt(THTMLPicture& P, int X, int Y) {
  TBitmap bmp;
  bmp.SetSize(20, 20);
  bmp.GetCanvas()->GetBrush()->SetColor(clWhite);
  bmp.GetCanvas()->FillRect(TRect(0, 0, 20, 20));
  P.Draw(bmp.GetCanvas(), TRect(0, 0, 8, 8));
  return bmp.GetCanvas()->GetPixels(X, Y);
}

// The control's own painting, onto a bitmap.
struct ImageProbe : THTMLImage {
  using THTMLImage::THTMLImage;
  void PaintOnto(TBitmap* B) { DrawPictureOn(B->GetCanvas()); }
};

class Pictures : public ::testing::Test {
protected:
  void SetUp() override { TestResetKernel(); }
  void TearDown() override { TestResetKernel(); }
};

TEST_F(Pictures, GIFFramesAndOffsets) {
  THTMLPicture P;
  EXPECT_TRUE(P.GetEmpty());
  EXPECT_EQ(P.GetFrameCount(), -1);
  Load(P, ThreeFrameGIF());
  EXPECT_FALSE(P.GetEmpty());
  EXPECT_TRUE(P.IsGIFFile());
  EXPECT_EQ(P.GetFrameCount(), 3);
  EXPECT_EQ(P.GetFrameTime(2), 30);
  EXPECT_EQ(P.GetFrameTime(4), -1);
  EXPECT_EQ(P.GetMaxWidth(), 8);
  EXPECT_EQ(DrawnAt(P, 2, 3), clRed);
  int changes = 0;
  P.OnFrameChange = [&](TObject*) { ++changes; };
  P.SetFrame(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(P.GetFrameXPos(), 1);
  EXPECT_EQ(P.GetFrameYPos(), 2);
  EXPECT_EQ(DrawnAt(P, 2, 3), clBlue);
  P.SetFrame(7);  // no such frame
  P.SetFrame(0);
  EXPECT_EQ(P.GetFrame(), 2);
  P.SetFrame(3);
  P.FrameNext();
  EXPECT_EQ(P.GetFrame(), 1);
  P.FramePrev();
  EXPECT_EQ(P.GetFrame(), 3);
  // Another GIF starts again at its first frame.
  Load(P, ThreeFrameGIF());
  EXPECT_EQ(P.GetFrame(), 1);
  EXPECT_EQ(DrawnAt(P, 2, 3), clRed);
}

TEST_F(Pictures, StepAtTenHundredthsPerCall) {
  THTMLPicture P;
  Load(P, ThreeFrameGIF());
  std::vector<int> frames;
  for (int i = 0; i < 8; ++i) {
    P.Step();
    frames.push_back(P.GetFrame());
  }
  // Frame 2 on the fourth call (tick 2 x 10 >= 20), frame 3 at tick 5 (due 50).
  EXPECT_EQ(frames, (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3}));
  THTMLPicture bmp;
  Load(bmp, SolidBMP(0, 0xFF, 0));
  EXPECT_EQ(bmp.GetFrameCount(), -1);
  EXPECT_FALSE(bmp.Step());
}

TEST_F(Pictures, TruncatedGIFIsNeverReadPastItsEnd) {
  const Bytes full = ThreeFrameGIF();
  for (std::size_t n = 5; n < full.size(); n += 7) {
    // Exactly sized copies, so that ASan sees a read past the end.
    std::vector<std::uint8_t>* cut = new std::vector<std::uint8_t>(full.begin(), full.begin() + n);
    const std::vector<std::size_t> frames = ScanGIFFrames(cut->data(), cut->size());
    for (std::size_t k : frames) EXPECT_LT(k + 12, n);
    THTMLPicture P;
    try {
      Load(P, *cut);
    } catch (const Exception&) {
    }
    try {
      P.SetFrame(static_cast<int>(frames.size()));
    } catch (const Exception&) {
    }
    delete cut;
  }
}

TEST_F(Pictures, OtherFormatsAndErrors) {
  THTMLPicture bmp;
  Load(bmp, SolidBMP(0, 0xFF, 0));
  EXPECT_EQ(bmp.GetWidth(), 3);
  EXPECT_EQ(bmp.GetHeight(), 2);
  EXPECT_EQ(DrawnAt(bmp, 1, 1), clLime);

  TBitmap src;
  src.SetSize(16, 8);
  src.GetCanvas()->GetBrush()->SetColor(clBlue);
  src.GetCanvas()->FillRect(TRect(0, 0, 16, 8));
  TJPEGImage jpg;
  jpg.Assign(&src);
  TMemoryStream M;
  jpg.SaveToStream(&M);
  THTMLPicture P;
  P.LoadFromStream(&M);
  EXPECT_EQ(P.GetWidth(), 16);
  const TColor c = DrawnAt(P, 3, 3);
  EXPECT_LT(GetRValue(c), 40);
  EXPECT_GT(GetBValue(c), 200);
  // Stretched into the rectangle.
  P.SetStretch(true);
  TBitmap big;
  big.SetSize(40, 40);
  P.Draw(big.GetCanvas(), TRect(0, 0, 40, 40));
  EXPECT_GT(GetBValue(big.GetCanvas()->GetPixels(35, 35)), 200);

  THTMLPicture bad;
  try {
    Load(bad, Bytes{'n', 'o', 'p', 'e', '!', '!'});
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Could not load image. Invalid format");
  }
  // A text file: no error, nothing loaded.
  const AnsiString name = "/tmp/pictures_test_text.txt";
  std::ofstream(name) << "just text\n";
  THTMLPicture txt;
  EXPECT_NO_THROW(txt.LoadFromFile(name));
  EXPECT_TRUE(txt.GetEmpty());
  EXPECT_EQ(txt.GetWidth(), 0);
  EXPECT_NO_THROW(txt.LoadFromFile("/nonexistent/x.gif"));
  EXPECT_TRUE(txt.GetEmpty());
  std::remove(name.c_str());
}

TEST_F(Pictures, AssignCopiesBytesAndFrame) {
  THTMLPicture A, B;
  Load(A, ThreeFrameGIF());
  A.SetFrame(2);
  A.SourceURL = "u";
  B.Assign(&A);
  EXPECT_EQ(B.GetFrame(), 2);
  EXPECT_EQ(B.SourceURL, "u");
  EXPECT_EQ(DrawnAt(B, 2, 3), clBlue);
  TMemoryStream M;
  B.SaveToStream(&M);
  EXPECT_EQ(M.GetSize(), static_cast<Int64>(ThreeFrameGIF().size()));
  B.Assign(nullptr);
  EXPECT_TRUE(B.GetEmpty());
}

TEST_F(Pictures, URLsCacheAndContainer) {
  const Bytes gif = ThreeFrameGIF();
  RegisterDataResource("LOGO", gif);
  THTMLPictureCache cache;
  THTMLPicture* p = cache.AddPicture();
  p->LoadFromURL("res://LOGO");
  EXPECT_EQ(p->GetFrameCount(), 3);
  EXPECT_EQ(cache.FindPicture("res://LOGO"), p);
  EXPECT_EQ(cache.FindPicture("RES://LOGO"), nullptr);
  EXPECT_TRUE(cache.Animate() || true);
  // No network: other URLs are only remembered.
  THTMLPicture* web = cache.AddPicture();
  web->SetAsynch(false);
  web->LoadFromURL("http://example.invalid/a.gif");
  EXPECT_TRUE(web->GetEmpty());
  EXPECT_EQ(web->PendingURL, "http://example.invalid/a.gif");
  EXPECT_EQ(cache.FindPicture("http://example.invalid/a.gif"), web);
  cache.ClearPictures();
  EXPECT_EQ(cache.Count(), 0);

  TPictureContainer box;
  THTMLPicture* logo = box.AddPicture("Logo");
  logo->LoadFromURL("RES://logo");
  EXPECT_EQ(box.FindPicture("logo"), logo);
  EXPECT_EQ(box.FindPicture("other"), nullptr);
  EXPECT_EQ(box.GetVersion(), "1.0.0.0");
  TPictureContainer copy;
  copy.SetItems(box.GetItems());
  ASSERT_NE(copy.FindPicture("LOGO"), nullptr);
  EXPECT_EQ(copy.FindPicture("LOGO")->GetFrameCount(), 3);
}

TEST_F(Pictures, ImagePositions) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  auto* img = new ImageProbe(&form);
  img->SetParent(&form);
  EXPECT_EQ(img->GetWidth(), 100);
  EXPECT_EQ(img->GetHeight(), 100);
  img->SetBounds(0, 0, 10, 10);
  THTMLPicture src;
  Load(src, SolidBMP(0xFF, 0, 0));
  img->SetHTMLPicture(&src);
  struct Row {
    TPicturePosition P;
    int X, Y;  // a pixel of the picture
    int NX, NY;  // one that is not
  } rows[] = {
      {bpTopLeft, 0, 0, 9, 9}, {bpTopRight, 9, 0, 0, 0}, {bpBottomLeft, 0, 9, 9, 0},
      {bpBottomRight, 9, 9, 0, 0}, {bpCenter, 4, 4, 0, 0}, {bpTiled, 9, 9, -1, -1},
      {bpStretched, 9, 9, -1, -1},
  };
  for (const Row& r : rows) {
    img->SetPicturePosition(r.P);
    TBitmap out;
    out.SetSize(10, 10);
    out.GetCanvas()->GetBrush()->SetColor(clWhite);
    out.GetCanvas()->FillRect(TRect(0, 0, 10, 10));
    img->PaintOnto(&out);
    EXPECT_EQ(out.GetCanvas()->GetPixels(r.X, r.Y), clRed) << r.P;
    if (r.NX >= 0) {
      EXPECT_EQ(out.GetCanvas()->GetPixels(r.NX, r.NY), clWhite) << r.P;
    }
  }
}

TEST_F(Pictures, TiledEmptySizedPictureDrawsNothing) {
  TForm form(nullptr);
  auto* img = new ImageProbe(&form);
  img->SetParent(&form);
  img->SetPicturePosition(bpTiled);
  THTMLPicture junk;
  // Bytes that are kept but give no picture: width and height 0.
  try {
    Load(junk, Bytes{'x', 'y', 'z', 'w', 'v'});
  } catch (const Exception&) {
  }
  try {
    img->SetHTMLPicture(&junk);
  } catch (const Exception&) {
  }
  ASSERT_FALSE(img->GetHTMLPicture()->GetEmpty());
  ASSERT_EQ(img->GetHTMLPicture()->GetWidth(), 0);
  TBitmap out;
  out.SetSize(10, 10);
  img->PaintOnto(&out);
  SUCCEED();  // returned: no endless tiling
}

TEST_F(Pictures, MiniHTMLShowsContainerAndCachePictures) {
  RegisterDataResource("REDDOT", SolidBMP(0xFF, 0, 0));
  TPictureContainer box;
  Load(*box.AddPicture("dot"), SolidBMP(0, 0, 0xFF));
  THTMLPictureCache cache;
  TBitmap bmp;
  bmp.SetSize(60, 20);
  auto draw = [&](const AnsiString& html) {
    bmp.GetCanvas()->GetBrush()->SetColor(clWhite);
    bmp.GetCanvas()->FillRect(TRect(0, 0, 60, 20));
    THTMLDrawOptions o;
    o.Canvas = bmp.GetCanvas();
    o.Text = html;
    o.Rect = TRect(0, 0, 60, 20);
    o.PicCache = &cache;
    o.PicContainer = &box;
    THTMLDrawResults r;
    HTMLDraw(o, r);
    // The colour of the picture wherever the engine put it.
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 60; ++x)
        if (bmp.GetCanvas()->GetPixels(x, y) != clWhite) return bmp.GetCanvas()->GetPixels(x, y);
    return clWhite;
  };
  EXPECT_EQ(draw("<IMG SRC=\"dot\">"), clBlue);
  EXPECT_EQ(draw("<IMG SRC=\"res://REDDOT\">"), clRed);
  EXPECT_EQ(cache.Count(), 1);
  draw("<IMG SRC=\"res://REDDOT\">");
  EXPECT_EQ(cache.Count(), 1);  // a URL is added once
  // A resource that is no picture draws nothing and raises nothing.
  RegisterDataResource("JUNK", Bytes{'j', 'u', 'n', 'k', '!'});
  EXPECT_EQ(draw("<IMG SRC=\"res://JUNK\">"), clWhite);
}

}  // namespace
