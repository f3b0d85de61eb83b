// The GDI+ wrapper: colours, status keeping, encoder parameters, surround
// colours, image formats, allocation and the ANSI DrawString.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "controls/zytgdip.h"
#include "gdip_images.h"

namespace {

TEST(ZytGdipColours, ColorToARGBResolvesAndReordersTheBytes) {
  EXPECT_EQ(0xFFFF0000u, ColorToARGB(0x0000FF));
  EXPECT_EQ(0xFF123456u, ColorToARGB(0x563412));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(MakeColor(255, GetRValue(face), GetGValue(face), GetBValue(face)), ColorToARGB(clBtnFace));
}

TEST(ZytGdipColours, MakeColorAndTheGetters) {
  EXPECT_EQ(0xFF000080u, MakeColor(255, 0, 0, 128));
  EXPECT_EQ(0xFF010203u, MakeColor(1, 2, 3));
  const ARGB c = MakeColor(10, 20, 30, 40);
  EXPECT_EQ(10, GetAlpha(c));
  EXPECT_EQ(20, GetRed(c));
  EXPECT_EQ(30, GetGreen(c));
  EXPECT_EQ(40, GetBlue(c));
  TGPRectF r = MakeRect(1.5f, 2, 3, 4);
  EXPECT_EQ(1.5f, r.X);
  EXPECT_EQ(4.0f, r.Height);
  EXPECT_EQ(7, MakePoint(7, 8).X);
  EXPECT_EQ(8.5f, MakePoint(7.0f, 8.5f).Y);
}

TEST(ZytGdipEncoder, QualityIsClampedAndItsValueStaysWithTheRecord) {
  struct Case {
    int in;
    ULONG out;
  };
  for (Case c : {Case{150, 100}, Case{-5, 0}, Case{42, 42}}) {
    TEncoderQualityParameters p = GetEncoderQualityParameters(c.in);
    TEncoderQualityParameters copy = p;
    const EncoderParameter& e = copy.Params().Parameter[0];
    EXPECT_EQ(1u, copy.Params().Count);
    EXPECT_TRUE(e.Guid == EncoderQuality);
    EXPECT_EQ(EncoderParameterValueTypeLong, e.Type);
    EXPECT_EQ(1u, e.NumberOfValues);
    EXPECT_EQ(c.out, *static_cast<const ULONG*>(e.Value));
  }
}

class ZytGdipCanvas : public ::testing::Test {
protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateBitmap(120, 40, 1, 32, nullptr);
    old = SelectObject(dc, bmp);
    Clear();
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  void Clear() { PatBlt(dc, 0, 0, 120, 40, WHITENESS); }
  std::vector<COLORREF> Pixels() {
    std::vector<COLORREF> v;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) v.push_back(GetPixel(dc, x, y));
    return v;
  }
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(ZytGdipCanvas, AFailureIsKeptOverALaterSuccessAndReadOnce) {
  TGPGraphics g(dc);
  EXPECT_EQ(Ok, g.GetLastStatus());
  EXPECT_EQ(InvalidParameter, g.SetSmoothingMode(-1));
  EXPECT_EQ(Ok, g.SetSmoothingMode(SmoothingModeAntiAlias));
  EXPECT_EQ(SmoothingModeAntiAlias, g.GetSmoothingMode());
  EXPECT_EQ(InvalidParameter, g.GetLastStatus());
  EXPECT_EQ(Ok, g.GetLastStatus());
}

TEST_F(ZytGdipCanvas, ANullGraphicsAnswersMinusOneForItsSmoothing) {
  TGPGraphics g(static_cast<TGPImage*>(nullptr));
  EXPECT_EQ(Ok, g.GetLastStatus());  // no call was made
  EXPECT_EQ(-1, g.GetSmoothingMode());
  EXPECT_EQ(InvalidParameter, g.GetLastStatus());
  std::unique_ptr<TGPGraphics> h(TGPGraphics::FromImage(nullptr));
  EXPECT_EQ(nullptr, h->GetNativeGraphics());
}

TEST_F(ZytGdipCanvas, AnsiDrawStringTakesTheTextsOwnLengthForMinusOne) {
  TGPGraphics g(dc);
  TGPFontFamily family(u"Arial");
  TGPFont font(&family, 12, FontStyleRegular, UnitPixel);
  TGPSolidBrush brush(0xFF000000);
  const TGPRectF r = MakeRect(0, 0, 120, 40);
  const AnsiString text = "Проба связи";
  ASSERT_EQ(Ok, g.DrawString(text, -1, &font, r, nullptr, &brush));
  const auto whole = Pixels();
  Clear();
  g.DrawString(text, 11, &font, r, nullptr, &brush);
  EXPECT_EQ(whole, Pixels());
  Clear();
  g.DrawString(text, 500, &font, r, nullptr, &brush);  // more than there is
  EXPECT_EQ(whole, Pixels());
  Clear();
  g.DrawString(text, 5, &font, r, nullptr, &brush);  // "Проба": characters, not bytes
  const auto part = Pixels();
  Clear();
  g.DrawString(AnsiString("Проба"), -1, &font, r, nullptr, &brush);
  EXPECT_EQ(part, Pixels());
  EXPECT_NE(whole, part);
}

TEST_F(ZytGdipCanvas, UnknownFontFamilyKeepsItsStatus) {
  TGPFontFamily family(u"No Such Family");
  EXPECT_EQ(FontFamilyNotFound, family.GetLastStatus());
  TGPFont font(&family, 10);
  EXPECT_EQ(InvalidParameter, font.GetLastStatus());
  TGPFontCollection fonts;
  EXPECT_EQ(Ok, fonts.SetStatus(Ok));
  fonts.SetStatus(InvalidParameter);
  fonts.SetStatus(Ok);
  EXPECT_EQ(Ok, fonts.GetLastStatus());  // the collection keeps every status
}

TEST(ZytGdipBrush, SurroundColourRules) {
  TGPGraphicsPath path;
  path.AddEllipse(0, 0, 40, 20);
  TGPPathGradientBrush brush(&path);
  ASSERT_EQ(Ok, brush.GetLastStatus());
  const int points = brush.GetPointCount();
  ASSERT_GT(points, 3);
  std::vector<ARGB> colours(static_cast<std::size_t>(points));
  int count = 3;
  EXPECT_EQ(InsufficientBuffer, brush.GetSurroundColors(colours.data(), count));
  EXPECT_EQ(3, count);
  EXPECT_EQ(InvalidParameter, brush.GetSurroundColors(nullptr, count));
  brush.GetLastStatus();
  const ARGB blue = 0xFF0000FF;
  int one = 1;
  EXPECT_EQ(Ok, brush.SetSurroundColors(&blue, one));
  EXPECT_EQ(1, one);
  count = points;
  EXPECT_EQ(Ok, brush.GetSurroundColors(colours.data(), count));
  EXPECT_EQ(points, count);
  EXPECT_EQ(blue, colours.back());
  int tooMany = points + 1;
  EXPECT_EQ(InvalidParameter, brush.SetSurroundColors(colours.data(), tooMany));
  ARGB centre = 0;
  brush.SetCenterColor(0xFFFF0000);
  EXPECT_EQ(InvalidParameter, brush.GetCenterColor(centre));  // the kept failure
  EXPECT_EQ(0xFFFF0000u, centre);
  TGPPoint c{};
  brush.GetCenterPoint(c);
  EXPECT_EQ(20, c.X);
  EXPECT_EQ(10, c.Y);
}

TEST(ZytGdipImage, FormatCodesOfSmallFiles) {
  struct Case {
    const char* name;
    std::vector<Byte> bytes;
    int format;
  };
  const Case cases[] = {{"f.png", PngBytes(2, 2, 0xFF00FF00), 6},
                        {"f.gif", GifBytes(), 7},
                        {"f.bmp", BmpBytes(2, 2, clRed, clRed), 2},
                        {"f.jpg", JpegBytes(), 5},
                        {"f.txt", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto path = TestImagePath(c.name);
    WriteAll(path, c.bytes);
    TGPImage image(Utf8ToWide(path.string()));
    EXPECT_EQ(c.format, image.GetFormat());
    if (c.format == 0)
      EXPECT_EQ(0u, image.GetWidth());
    else
      EXPECT_GT(image.GetWidth(), 0u);
    std::filesystem::remove(path);
  }
  TGPBitmap memory(3, 3);
  EXPECT_EQ(1, memory.GetFormat());
  EXPECT_EQ(3u, memory.GetHeight());
  EXPECT_EQ(96.0f, memory.GetHorizontalResolution());
}

TEST(ZytGdipImage, DecodesFromAStreamWithoutEmbeddedColourManagement) {
  const auto bytes = PngBytes(5, 4, 0xFFFF0000);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  ASSERT_EQ(S_OK, CreateStreamOnHGlobal(mem, TRUE, &stream));
  std::unique_ptr<TGPBitmap> bmp(TGPBitmap::FromStream(stream));
  stream->Release();
  EXPECT_EQ(Ok, bmp->GetLastStatus());
  EXPECT_EQ(5u, bmp->GetWidth());
  ARGB px = 0;
  bmp->GetPixel(4, 3, px);
  EXPECT_EQ(0xFFFF0000u, px);
}

TEST(ZytGdipText, StringFormatAssignClonesAndRefusesNull) {
  TGPStringFormat a, b;
  a.SetAlignment(StringAlignmentCenter);
  a.SetHotkeyPrefix(HotkeyPrefixShow);
  b.Assign(&a);
  EXPECT_EQ(StringAlignmentCenter, b.GetAlignment());
  EXPECT_EQ(HotkeyPrefixShow, b.GetHotkeyPrefix());
  a.SetAlignment(StringAlignmentFar);
  EXPECT_EQ(StringAlignmentCenter, b.GetAlignment());
  try {
    b.Assign(nullptr);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ("Assertion failure", e.Message);
  }
  b.Assign(&b);
  EXPECT_EQ(StringAlignmentCenter, b.GetAlignment());
}

TEST(ZytGdipBase, AllocationIsRetriedOnceThenRunsOutOfMemory) {
  GdipFailNextAllocs(1);
  std::unique_ptr<TGPPen> pen(new TGPPen(0xFF000000));
  EXPECT_EQ(Ok, pen->GetLastStatus());
  GdipFailNextAllocs(2);
  EXPECT_THROW(new TGPPen(0xFF000000), EOutOfMemory);
  GdipFailNextAllocs(0);
  EXPECT_EQ(30, GlowSpeed);
  EXPECT_EQ(1u, StartupInput.GdiplusVersion);
  EXPECT_NE(0u, gdiplusToken);
}

}  // namespace
