// Image files and pictures: BMP, JPEG (libjpeg), ICO, PNG and GIF through
// the picture loader, TPicture's extension registry, image lists and the
// program's named resources. Corrupt data must give an error, never a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/graphics.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/graphics/jpeg.h"
#include "platform/graphics/resources.h"

namespace {

// A bitmap with four coloured quadrants.
void Quadrants(TBitmap& b, int w, int h) {
  b.SetSize(w, h);
  TCanvas* c = b.GetCanvas();
  const TColor colors[4] = {clRed, clLime, clBlue, clYellow};
  for (int i = 0; i < 4; ++i) {
    c->GetBrush()->SetColor(colors[i]);
    int x = (i % 2) * w / 2, y = (i / 2) * h / 2;
    c->FillRect(TRect(x, y, x + w / 2, y + h / 2));
  }
}

std::vector<Byte> Bytes(TMemoryStream& s) {
  auto* p = static_cast<Byte*>(s.Memory());
  return std::vector<Byte>(p, p + s.GetSize());
}

TMemoryStream* StreamOf(const std::vector<Byte>& v) {
  auto* s = new TMemoryStream;
  if (!v.empty()) s->WriteBuffer(v.data(), static_cast<int>(v.size()));
  s->SetPosition(0);
  return s;
}

TEST(BmpFiles, RoundTripInEachDepth) {
  for (TPixelFormat pf : {pf24bit, pf32bit, pf1bit}) {
    TBitmap a;
    Quadrants(a, 13, 7);  // odd width: rows are padded
    if (pf == pf1bit) {
      a.GetCanvas()->GetBrush()->SetColor(clWhite);
      a.GetCanvas()->FillRect(TRect(0, 0, 13, 7));
      a.GetCanvas()->SetPixels(12, 6, clBlack);
    }
    a.SetPixelFormat(pf);
    TMemoryStream s;
    a.SaveToStream(&s);
    s.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(&s);
    ASSERT_EQ(b.GetWidth(), 13);
    ASSERT_EQ(b.GetHeight(), 7);
    EXPECT_EQ(b.GetPixelFormat(), pf);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x)
        EXPECT_EQ(b.GetCanvas()->GetPixels(x, y), a.GetCanvas()->GetPixels(x, y)) << pf << " " << x << "," << y;
  }
}

TEST(BmpFiles, PalettedTopDownFile) {
  // A 2 x 2 top-down 8-bit bitmap: the colour table maps 0 to blue, 1 to red.
  std::vector<Byte> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 40 + 8, 0, 0, 0,
                         40, 0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 8, 0,
                         0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                         0xFF, 0, 0, 0, 0, 0, 0xFF, 0,  // blue, red
                         0, 1, 0, 0, 1, 0, 0, 0};
  std::unique_ptr<TMemoryStream> s(StreamOf(f));
  TBitmap b;
  b.LoadFromStream(s.get());
  EXPECT_EQ(b.GetCanvas()->GetPixels(0, 0), clBlue);
  EXPECT_EQ(b.GetCanvas()->GetPixels(1, 0), clRed);
  EXPECT_EQ(b.GetCanvas()->GetPixels(0, 1), clRed);
}

TEST(BmpFiles, CorruptDataRaisesAndKeepsTheImage) {
  TBitmap good;
  Quadrants(good, 8, 8);
  TMemoryStream s;
  good.SaveToStream(&s);
  std::vector<Byte> ok = Bytes(s);
  std::vector<std::vector<Byte>> bad = {
      {},
      {'B', 'M'},
      {'X', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0},
      std::vector<Byte>(ok.begin(), ok.begin() + 60),  // cut short
  };
  std::vector<Byte> huge = ok;
  huge[18] = huge[19] = huge[20] = 0x7F;  // absurd width
  bad.push_back(huge);
  std::vector<Byte> depth = ok;
  depth[28] = 7;  // no such bit depth
  bad.push_back(depth);
  for (const auto& data : bad) {
    std::unique_ptr<TMemoryStream> in(StreamOf(data));
    TBitmap b;
    Quadrants(b, 3, 3);
    EXPECT_THROW(b.LoadFromStream(in.get()), EInvalidGraphic) << data.size();
    EXPECT_EQ(b.GetWidth(), 3);
  }
}

TEST(JpegFiles, EncodeDecodeRoundTrip) {
  TBitmap a;
  Quadrants(a, 32, 16);
  TJPEGImage j;
  j.Assign(&a);
  j.SetCompressionQuality(95);
  TMemoryStream s;
  j.SaveToStream(&s);
  std::vector<Byte> data = Bytes(s);
  ASSERT_GT(data.size(), 100u);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[1], 0xD8);
  s.SetPosition(0);
  TJPEGImage k;
  k.LoadFromStream(&s);
  EXPECT_EQ(k.GetWidth(), 32);
  EXPECT_EQ(k.GetHeight(), 16);
  // Lossy: colours come back close at the quadrant centres.
  TCanvas* c = k.GetBitmap()->GetCanvas();
  struct Probe {
    int x, y;
    COLORREF c;
  } probes[] = {{8, 4, RGB(255, 0, 0)}, {24, 4, RGB(0, 255, 0)}, {8, 12, RGB(0, 0, 255)}, {24, 12, RGB(255, 255, 0)}};
  for (const Probe& p : probes) {
    COLORREF got = static_cast<COLORREF>(c->GetPixels(p.x, p.y));
    EXPECT_NEAR(GetRValue(got), GetRValue(p.c), 24);
    EXPECT_NEAR(GetGValue(got), GetGValue(p.c), 24);
    EXPECT_NEAR(GetBValue(got), GetBValue(p.c), 24);
  }
  // The compressed bytes are written back unchanged.
  TMemoryStream again;
  k.SaveToStream(&again);
  EXPECT_EQ(Bytes(again), data);
  // Half-size decoding.
  k.SetScale(jsHalf);
  EXPECT_EQ(k.GetWidth(), 16);
}

TEST(JpegFiles, CorruptDataRaises) {
  TBitmap a;
  Quadrants(a, 16, 16);
  std::vector<Byte> good;
  ASSERT_TRUE(JpegEncode(a.GetHandle(), 80, false, false, good));
  std::vector<std::vector<Byte>> bad = {{}, {0xFF, 0xD8}, {1, 2, 3, 4, 5, 6, 7, 8}, std::vector<Byte>(good.begin(), good.begin() + 20)};
  for (const auto& data : bad) {
    std::unique_ptr<TMemoryStream> in(StreamOf(data));
    TJPEGImage j;
    EXPECT_THROW(j.LoadFromStream(in.get()), EInvalidGraphic) << data.size();
    EXPECT_TRUE(j.GetEmpty());
  }
}

TEST(PictureFiles, APictureWhoseHeaderGivesNoSizeIsHeldToTheCeilingWhileDecoding) {
  // A GIF with a screen of 0 x 0: only its 2000 x 2000 frame gives the
  // size, once decoding has begun.
  const std::vector<Byte> gif = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                                 0x2C, 0, 0, 0, 0, 0xD0, 0x07, 0xD0, 0x07, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
  SetMaxPicturePixels(1 << 20);
  EXPECT_EQ(DecodePicture(gif.data(), gif.size()), nullptr);
  SetMaxPicturePixels(2000 * 2000);
  HICON icon = DecodePicture(gif.data(), gif.size());
  SetMaxPicturePixels(1LL << 26);
  ASSERT_NE(icon, nullptr);
  int w = 0, h = 0;
  GetIconSize(icon, &w, &h);
  EXPECT_EQ(w, 2000);
  EXPECT_EQ(h, 2000);
  DestroyIcon(icon);
}

TEST(PictureFiles, DeclaredSizesBeyondTheCeilingAreRefusedBeforeDecoding) {
  // A JPEG of a few hundred bytes whose frame header claims 16383 x 8191.
  TBitmap a;
  Quadrants(a, 16, 16);
  std::vector<Byte> jpg;
  ASSERT_TRUE(JpegEncode(a.GetHandle(), 80, false, false, jpg));
  std::size_t sof = 2;
  while (sof + 9 < jpg.size() && !(jpg[sof] == 0xFF && jpg[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 9, jpg.size());
  jpg[sof + 5] = 0x1F, jpg[sof + 6] = 0xFF;  // height 8191
  jpg[sof + 7] = 0x3F, jpg[sof + 8] = 0xFF;  // width 16383
  std::unique_ptr<TMemoryStream> in(StreamOf(jpg));
  TJPEGImage j;
  try {
    j.LoadFromStream(in.get());
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message.find("16383 x 8191 pixels is too large"), std::string::npos) << e.Message;
  }
  EXPECT_TRUE(j.GetEmpty());
  // A GIF claiming 10000 x 10000 through the picture loader.
  std::vector<Byte> gif = {'G', 'I', 'F', '8', '9', 'a', 0x10, 0x27, 0x10, 0x27, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                           0x2C, 0, 0, 0, 0, 0x10, 0x27, 0x10, 0x27, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
  // A 1-bit BMP of 16384 x 8192 carries all its bits in 16 MB, yet would
  // have been a 512 MB bitmap.
  {
    const int w = 16384, h = 8192, stride = w / 8;
    std::vector<Byte> bmp(14 + 40 + 8, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
      for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<Byte>(v >> (8 * i));
    };
    bmp[0] = 'B', bmp[1] = 'M';
    put32(10, 14 + 40 + 8);
    put32(14, 40), put32(18, w), put32(22, h);
    bmp[26] = 1, bmp[28] = 1;
    bmp.resize(bmp.size() + static_cast<std::size_t>(stride) * h, 0);
    put32(2, static_cast<std::uint32_t>(bmp.size()));
    std::unique_ptr<TMemoryStream> in(StreamOf(bmp));
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(in.get()), EInvalidGraphic);
  }
  for (const std::vector<Byte>& big : {jpg, gif}) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, big.size());
    std::memcpy(GlobalLock(mem), big.data(), big.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(mem, TRUE, &stream), S_OK);
    void* pic = nullptr;
    EXPECT_EQ(OleLoadPicture(stream, static_cast<LONG>(big.size()), FALSE, IID_IPicture, &pic), CTL_E_INVALIDPICTURE);
    stream->Release();
  }
}

TEST(Icons, SaveLoadKeepsColoursAndMask) {
  TBitmap color, mask;
  Quadrants(color, 16, 16);
  mask.SetSize(16, 16);  // white = transparent
  mask.GetCanvas()->GetBrush()->SetColor(clBlack);
  mask.GetCanvas()->FillRect(TRect(0, 0, 8, 16));
  TIcon icon;
  icon.SetHandle(CreateIconFromBitmaps(color.GetHandle(), mask.GetHandle()));
  TMemoryStream s;
  icon.SaveToStream(&s);
  s.SetPosition(0);
  TIcon back;
  back.LoadFromStream(&s);
  ASSERT_EQ(back.GetWidth(), 16);
  TBitmap target;
  target.SetSize(16, 16);
  target.GetCanvas()->Draw(0, 0, &back);
  EXPECT_EQ(target.GetCanvas()->GetPixels(2, 2), clRed);
  EXPECT_EQ(target.GetCanvas()->GetPixels(2, 12), clBlue);
  EXPECT_EQ(target.GetCanvas()->GetPixels(12, 2), clWhite);  // masked out
}

// A 2 x 2, 24-bit icon with a 1-bit AND mask (top-right pixel transparent).
std::vector<Byte> SmallIco() {
  std::vector<Byte> d = {0, 0, 1, 0, 1, 0,                      // header
                         2, 2, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 22, 0, 0, 0};  // entry
  std::vector<Byte> img = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 24, 0};
  img.resize(40, 0);
  // Colour rows bottom-up, padded to 4 bytes: bottom row green, green;
  // top row red, red (BGR).
  Byte rows[] = {0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0};
  img.insert(img.end(), rows, rows + 16);
  // Mask rows bottom-up: bottom 00, top 0x40 (second pixel).
  Byte mask[] = {0, 0, 0, 0, 0x40, 0, 0, 0};
  img.insert(img.end(), mask, mask + 8);
  d[14] = static_cast<Byte>(img.size());
  d.insert(d.end(), img.begin(), img.end());
  return d;
}

TEST(Icons, CorruptFilesRaise) {
  std::vector<Byte> ico = SmallIco();
  std::vector<Byte> hugeEntry = ico;
  hugeEntry[14] = hugeEntry[15] = 0xFF;  // image length past the end
  std::vector<Byte> shortHeader = ico;
  shortHeader[22] = 12;  // header size below a DIB's
  for (const auto& data : {std::vector<Byte>(ico.begin(), ico.begin() + 30), hugeEntry, shortHeader, std::vector<Byte>{0, 0, 1, 0, 0, 0}}) {
    std::unique_ptr<TMemoryStream> in(StreamOf(data));
    TIcon icon;
    EXPECT_THROW(icon.LoadFromStream(in.get()), EInvalidGraphic);
    EXPECT_TRUE(icon.GetEmpty());
  }
}

TEST(PictureLoader, DecodesEachFormatFromBytes) {
  TBitmap q;
  Quadrants(q, 8, 6);
  TMemoryStream bmp;
  q.SaveToStream(&bmp);
  std::vector<Byte> jpg;
  JpegEncode(q.GetHandle(), 95, false, false, jpg);
  char name[] = "/tmp/yunt_png_XXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  ASSERT_TRUE(GdiSaveBitmapPNG(q.GetHandle(), name));
  TMemoryStream png;
  png.LoadFromFile(name);
  std::remove(name);
  // 1 x 1 GIF, one red pixel.
  std::vector<Byte> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                           0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
  struct Case {
    const char* name;
    std::vector<Byte> data;
    int w, h;
    COLORREF topLeft;
  } cases[] = {
      {"bmp", Bytes(bmp), 8, 6, RGB(255, 0, 0)}, {"jpeg", jpg, 8, 6, RGB(255, 0, 0)},
      {"png", Bytes(png), 8, 6, RGB(255, 0, 0)}, {"gif", gif, 1, 1, RGB(255, 0, 0)},
      {"ico", SmallIco(), 2, 2, RGB(255, 0, 0)},
  };
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateCompatibleBitmap(screen, 20, 20);
  HGDIOBJ old = SelectObject(dc, target);
  for (const Case& c : cases) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, c.data.size());
    std::memcpy(GlobalLock(mem), c.data.data(), c.data.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(mem, TRUE, &stream), S_OK);
    IPicture* pic = nullptr;
    ASSERT_EQ(OleLoadPicture(stream, static_cast<LONG>(c.data.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&pic)), S_OK) << c.name;
    stream->Release();
    LONG hw = 0, hh = 0;
    pic->get_Width(&hw);
    pic->get_Height(&hh);
    EXPECT_EQ(hw, MulDiv(c.w, 2540, 96)) << c.name;
    EXPECT_EQ(hh, MulDiv(c.h, 2540, 96)) << c.name;
    RECT all{0, 0, 20, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    pic->Render(dc, 0, 0, c.w, c.h, 0, hh, hw, -hh, nullptr);
    COLORREF got = GetPixel(dc, 0, 0);
    EXPECT_NEAR(GetRValue(got), GetRValue(c.topLeft), 24) << c.name;
    EXPECT_NEAR(GetGValue(got), GetGValue(c.topLeft), 24) << c.name;
    if (std::string(c.name) == "ico") {
      EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));  // transparent pixel
      EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0));
    }
    pic->Release();
  }
  // Unknown and corrupt data: an error result, no picture.
  for (const std::vector<Byte>& bad : {std::vector<Byte>{1, 2, 3, 4, 5}, std::vector<Byte>(gif.begin(), gif.begin() + 12),
                                       std::vector<Byte>(jpg.begin(), jpg.begin() + 30), std::vector<Byte>{0, 0, 1, 0, 9, 0}}) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bad.size());
    std::memcpy(GlobalLock(mem), bad.data(), bad.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(mem, TRUE, &stream);
    void* pic = reinterpret_cast<void*>(1);
    EXPECT_EQ(OleLoadPicture(stream, static_cast<LONG>(bad.size()), FALSE, IID_IPicture, &pic), CTL_E_INVALIDPICTURE);
    EXPECT_EQ(pic, nullptr);
    stream->Release();
  }
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST(Pictures, ChoosesTheClassByExtension) {
  char dir[] = "/tmp/yunt_pic_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string base = dir;
  TBitmap q;
  Quadrants(q, 6, 4);
  q.SaveToFile(base + "/a.BMP");
  TJPEGImage j;
  j.Assign(&q);
  j.SaveToFile(base + "/b.jpg");
  TPicture p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.LoadFromFile(base + "/a.BMP");
  EXPECT_NE(dynamic_cast<TBitmap*>(p.GetGraphic()), nullptr);
  EXPECT_EQ(p.GetWidth(), 6);
  p.LoadFromFile(base + "/b.jpg");
  EXPECT_NE(dynamic_cast<TJPEGImage*>(p.GetGraphic()), nullptr);
  EXPECT_EQ(p.GetHeight(), 4);
  EXPECT_GE(changes, 2);
  EXPECT_THROW(p.LoadFromFile(base + "/c.xyz"), EInvalidGraphic);
  // A JPEG saved under a bitmap's name is not a bitmap.
  std::rename((base + "/b.jpg").c_str(), (base + "/c.bmp").c_str());
  EXPECT_THROW(p.LoadFromFile(base + "/c.bmp"), EInvalidGraphic);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(p.GetGraphic()), nullptr);  // unchanged
  EXPECT_TRUE(TPicture::SupportsExtension(".PNG"));
  std::remove((base + "/a.BMP").c_str());
  std::remove((base + "/c.bmp").c_str());
  std::remove(dir);
}

TEST(ImageLists, AddMaskedCutsAndDraws) {
  TImageList il;
  TBitmap strip;
  strip.SetSize(32, 16);
  strip.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  strip.GetCanvas()->FillRect(TRect(0, 0, 32, 16));
  strip.GetCanvas()->GetBrush()->SetColor(clBlack);
  strip.GetCanvas()->FillRect(TRect(2, 2, 6, 6));
  strip.GetCanvas()->GetBrush()->SetColor(clRed);
  strip.GetCanvas()->FillRect(TRect(18, 2, 22, 6));
  EXPECT_EQ(il.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(il.GetCount(), 2);
  TBitmap out;
  out.SetSize(40, 20);
  il.Draw(out.GetCanvas(), 0, 0, 1);
  EXPECT_EQ(out.GetCanvas()->GetPixels(3, 3), clRed);
  EXPECT_EQ(out.GetCanvas()->GetPixels(0, 0), clWhite);
  il.Draw(out.GetCanvas(), 20, 0, 0, false);  // disabled: embossed
  EXPECT_EQ(out.GetCanvas()->GetPixels(22, 2), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(out.GetCanvas()->GetPixels(26, 6), static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT)));
  il.Draw(out.GetCanvas(), 0, 0, 5);  // out of range: nothing
  il.Delete(0);
  EXPECT_EQ(il.GetCount(), 1);
  EXPECT_THROW(il.Delete(3), EInvalidOperation);
}

TEST(Resources, NamedBitmapsHaveTheirSizes) {
  struct Case {
    const char* name;
    int w, h;
  } cases[] = {{"VZVCHK01", 20, 20}, {"vzvchk04", 20, 20}, {"VZVCHK05", 16, 16}, {"VZVCHK08", 16, 16},
               {"VZVRAD01", 16, 16}, {"VZVRAD08", 16, 16}, {"VZVLEAFOPEN", 16, 16}, {"VZVLEAFCLOSE", 16, 16},
               {"XPNODEO", 9, 9},    {"XPNODEC", 9, 9},    {"VZVFILT", 16, 16},     {"VZVCLOSE", 14, 14},
               {"VZVCLOSEH", 14, 14}, {"VZVCLOSED", 14, 14}, {"VZVARDOWN", 16, 16}, {"VZVARUPD", 16, 16},
               {"VZVHI", 16, 16},    {"VZVHID", 16, 16},    {"VzvSpinUp", 9, 6},     {"VzvSpinDown", 9, 6},
               {"INTLI1", 28, 28},   {"DBIMGFIRST", 16, 16}, {"DBIMGREFRESHD", 16, 16}};
  for (const Case& c : cases) {
    TBitmap b;
    ASSERT_NO_THROW(b.LoadFromResourceName(HInstance, c.name)) << c.name;
    EXPECT_EQ(b.GetWidth(), c.w) << c.name;
    EXPECT_EQ(b.GetHeight(), c.h) << c.name;
    // Glyphs are drawn transparently: the corner is the key colour, and the
    // image is not all key colour.
    TColor key = c.name[0] == 'V' && std::string(c.name).rfind("VzvSpin", 0) == 0 ? static_cast<TColor>(0x008080) : clFuchsia;
    EXPECT_EQ(b.GetTransparentColor(), key) << c.name;
    int other = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) other += b.GetCanvas()->GetPixels(x, y) != key;
    EXPECT_GT(other, 4) << c.name;
  }
  TBitmap none;
  EXPECT_THROW(none.LoadFromResourceName(HInstance, "NOSUCHBITMAP"), EResNotFound);
  for (int id : {8000, 8001, 8008, 8010, 8011, 8012, 8014}) {
    HCURSOR cur = LoadCursor(HInstance, MAKEINTRESOURCE(id));
    ASSERT_NE(cur, nullptr) << id;
    int w = 0, h = 0;
    GetIconSize(cur, &w, &h);
    EXPECT_LE(w, 32);
    EXPECT_LE(h, 32);
    DestroyCursor(cur);
  }
  EXPECT_EQ(LoadCursor(HInstance, MAKEINTRESOURCE(8009)), nullptr);
}

TEST(Resources, RawDataThroughFindResource) {
  RegisterDataResource("Logo", {1, 2, 3});
  HRSRC r = FindResource(HInstance, "LOGO", RT_RCDATA);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(SizeofResource(HInstance, r), 3u);
  auto* p = static_cast<const BYTE*>(LockResource(LoadResource(HInstance, r)));
  EXPECT_EQ(p[2], 3);
  EXPECT_EQ(FindResource(HInstance, "LOGO", MAKEINTRESOURCE(2)), nullptr);  // not raw data
  EXPECT_EQ(FindResource(HInstance, "NONE", RT_RCDATA), nullptr);
}

}  // namespace
