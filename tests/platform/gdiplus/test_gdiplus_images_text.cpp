// Images (decoding, encoders, pixels, colour keys, drawing) and text.
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "gdiplus_canvas.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/rtl/codepages.h"

namespace {

using GdipImages = GdipCanvas;
using GdipText = GdipCanvas;

WideString TempName(const char* stem) {
  // Per process: the tests run side by side.
  auto p = std::filesystem::temp_directory_path() / ("gdiplus_test_" + std::to_string(getpid()) + "_" + stem);
  return Utf8ToWide(p.string());
}

GpBitmap* Bitmap(int w, int h) {
  GpBitmap* b = nullptr;
  EXPECT_EQ(Ok, GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, &b));
  return b;
}

TEST_F(GdipImages, ColourKeyMakesThoseColoursTransparentOnlyWhenDrawn) {
  GpBitmap* b = Bitmap(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) GdipBitmapSetPixel(b, x, y, x < 2 ? 0xFFFF00FF : kArgbBlue);
  GpImageAttributes* attr = nullptr;
  ASSERT_EQ(Ok, GdipCreateImageAttributes(&attr));
  ASSERT_EQ(Ok, GdipSetImageAttributesColorKeys(attr, ColorAdjustTypeDefault, TRUE, 0xFFF000F0, 0xFFFF00FF));
  ASSERT_EQ(Ok, GdipDrawImageRectRect(g, b, 10, 10, 4, 4, 0, 0, 4, 4, UnitPixel, attr, nullptr, nullptr));
  EXPECT_TRUE(Near(10, 10, kWhite, 0));
  EXPECT_TRUE(Near(13, 13, kBlue, 0));
  ARGB px = 0;
  GdipBitmapGetPixel(b, 0, 0, &px);
  EXPECT_EQ(0xFFFF00FFu, px);  // the image itself keeps the colour
  // Cleared, the key no longer applies.
  GdipSetImageAttributesColorKeys(attr, ColorAdjustTypeDefault, FALSE, 0, 0);
  GdipDrawImageRectRect(g, b, 10, 10, 4, 4, 0, 0, 4, 4, UnitPixel, attr, nullptr, nullptr);
  EXPECT_TRUE(Near(10, 10, RGB(255, 0, 255), 0));
  EXPECT_EQ(NotImplemented, GdipDrawImageRectRect(g, b, 0, 0, 4, 4, 0, 0, 4, 4, UnitPoint, nullptr, nullptr, nullptr));
  GdipDisposeImageAttributes(attr);
  GdipDisposeImage(b);
}

TEST_F(GdipImages, DrawnAtNaturalSizeOrStretched) {
  GpBitmap* b = Bitmap(2, 2);
  GdipBitmapSetPixel(b, 0, 0, kArgbRed);
  GdipBitmapSetPixel(b, 1, 1, kArgbBlue);
  ASSERT_EQ(Ok, GdipDrawImageI(g, b, 5, 5));
  EXPECT_TRUE(Near(5, 5, kRed, 0));
  EXPECT_TRUE(Near(6, 6, kBlue, 0));
  EXPECT_TRUE(Near(6, 5, kWhite, 0));  // transparent pixels leave the background
  ASSERT_EQ(Ok, GdipDrawImageRect(g, b, 20, 20, 40, 40));
  EXPECT_TRUE(Near(25, 25, kRed, 30));
  EXPECT_TRUE(Near(55, 55, kBlue, 30));
  GdipDisposeImage(b);
}

TEST_F(GdipImages, EncodersRoundTripAndReportTheirFormat) {
  struct Case {
    const char* name;
    const CLSID* encoder;
    const GUID* format;
    int tolerance;
  };
  const Case cases[] = {{"a.png", &EncoderClsidPNG, &ImageFormatPNG, 0},
                        {"a.bmp", &EncoderClsidBMP, &ImageFormatBMP, 0},
                        {"a.jpg", &EncoderClsidJPEG, &ImageFormatJPEG, 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GpBitmap* b = Bitmap(8, 6);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) GdipBitmapSetPixel(b, x, y, kArgbRed);
    const WideString file = TempName(c.name);
    ASSERT_EQ(Ok, GdipSaveImageToFile(b, file.c_str(), c.encoder, nullptr));
    GpImage* back = nullptr;
    ASSERT_EQ(Ok, GdipLoadImageFromFile(file.c_str(), &back));
    GUID f{};
    GdipGetImageRawFormat(back, &f);
    EXPECT_TRUE(f == *c.format);
    UINT w = 0, h = 0;
    GdipGetImageWidth(back, &w);
    GdipGetImageHeight(back, &h);
    EXPECT_EQ(8u, w);
    EXPECT_EQ(6u, h);
    GdipDrawImageI(g, back, 0, 0);
    EXPECT_TRUE(Near(3, 3, kRed, c.tolerance));
    GdipDisposeImage(back);
    GdipDisposeImage(b);
    std::filesystem::remove(WideToUtf8(file));
  }
  GpBitmap* b = Bitmap(1, 1);
  const WideString tif = TempName("a.tif");
  EXPECT_EQ(UnknownImageFormat, GdipSaveImageToFile(b, tif.c_str(), &EncoderClsidTIFF, nullptr));
  GdipDisposeImage(b);
}

TEST_F(GdipImages, UndecodableBytesAndMissingFilesFail) {
  const WideString file = TempName("junk.png");
  std::ofstream(WideToUtf8(file), std::ios::binary) << "\x89PNG\r\n\x1a\nthis is no picture";
  GpImage* img = reinterpret_cast<GpImage*>(1);
  EXPECT_EQ(UnknownImageFormat, GdipLoadImageFromFile(file.c_str(), &img));
  EXPECT_EQ(nullptr, img);
  std::filesystem::remove(WideToUtf8(file));
  const WideString none = TempName("does_not_exist.png");
  EXPECT_EQ(FileNotFound, GdipLoadImageFromFile(none.c_str(), &img));
  EXPECT_EQ(InvalidParameter, GdipLoadImageFromStream(nullptr, &img));
}

TEST_F(GdipImages, PicturesDeclaringTooManyPixelsAreRefusedBeforeDecoding) {
  // A GIF whose header claims 100 x 100 pixels, under a ceiling one pixel lower.
  const std::string gif{'G', 'I', 'F', '8', '9', 'a', 100, 0, 100, 0, '\x80', 0, 0, '\xFF', 0, 0, 0, 0,
                        0,   0x2C, 0, 0, 0, 0, 100, 0, 100, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
  const WideString file = TempName("huge.gif");
  std::ofstream(WideToUtf8(file), std::ios::binary) << gif;
  GpImage* img = nullptr;
  SetMaxPicturePixels(100 * 100 - 1);
  EXPECT_EQ(UnknownImageFormat, GdipLoadImageFromFile(file.c_str(), &img));
  EXPECT_EQ(nullptr, img);
  SetMaxPicturePixels(1LL << 26);
  std::filesystem::remove(WideToUtf8(file));
}

TEST_F(GdipImages, RotateFlipTurnsClockwise) {
  GpBitmap* b = Bitmap(3, 2);
  GdipBitmapSetPixel(b, 0, 0, kArgbRed);
  ASSERT_EQ(Ok, GdipImageRotateFlip(b, Rotate90FlipNone));
  UINT w = 0;
  GdipGetImageWidth(b, &w);
  EXPECT_EQ(2u, w);
  ARGB px = 0;
  GdipBitmapGetPixel(b, 1, 0, &px);  // the top-left corner went to the top right
  EXPECT_EQ(kArgbRed, px);
  ASSERT_EQ(Ok, GdipImageRotateFlip(b, RotateNoneFlipX));
  GdipBitmapGetPixel(b, 0, 0, &px);
  EXPECT_EQ(kArgbRed, px);
  EXPECT_EQ(InvalidParameter, GdipBitmapGetPixel(b, 5, 0, &px));
  GdipDisposeImage(b);
}

TEST_F(GdipImages, GraphicsOnAnImageAndItsContext) {
  GpBitmap* b = Bitmap(10, 10);
  GpGraphics* ig = nullptr;
  ASSERT_EQ(Ok, GdipGetImageGraphicsContext(b, &ig));
  GpBrush* red = Solid(kArgbRed);
  GdipFillRectangle(ig, red, 0, 0, 5, 10);
  ARGB px = 0;
  GdipBitmapGetPixel(b, 2, 2, &px);
  EXPECT_EQ(kArgbRed, px);
  GdipBitmapGetPixel(b, 7, 2, &px);
  EXPECT_EQ(0u, px);
  HDC idc = nullptr;
  ASSERT_EQ(Ok, GdipGetDC(ig, &idc));
  EXPECT_EQ(ObjectBusy, GdipGetDC(ig, &idc));
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(idc, 2, 2));
  SetPixel(idc, 2, 2, RGB(0, 0, 255));
  ASSERT_EQ(Ok, GdipReleaseDC(ig, idc));
  GdipBitmapGetPixel(b, 2, 2, &px);
  EXPECT_EQ(kArgbBlue, px);
  GdipDeleteBrush(red);
  GdipDeleteGraphics(ig);
  GdipDisposeImage(b);
}

TEST_F(GdipImages, AGraphicsOutlivingItsImageDrawsNothing) {
  GpBitmap* b = Bitmap(4, 4);
  GpGraphics* ig = nullptr;
  ASSERT_EQ(Ok, GdipGetImageGraphicsContext(b, &ig));
  GdipDisposeImage(b);
  GpBrush* red = Solid(kArgbRed);
  EXPECT_EQ(Ok, GdipFillRectangle(ig, red, 0, 0, 4, 4));
  HDC idc = nullptr;
  EXPECT_EQ(InvalidParameter, GdipGetDC(ig, &idc));
  GdipDeleteBrush(red);
  GdipDeleteGraphics(ig);
}

TEST_F(GdipImages, AllocationFailsOnlyAsOftenAsAsked) {
  GdipFailNextAllocs(1);
  EXPECT_EQ(nullptr, GdipAlloc(16));
  void* p = GdipAlloc(16);
  EXPECT_NE(nullptr, p);
  GdipFree(p);
}

TEST(GdipStartup, CreatingNeedsGdiplusStarted) {
  GpPath* p = nullptr;
  EXPECT_EQ(GdiplusNotInitialized, GdipCreatePath(FillModeAlternate, &p));
  GdiplusStartupInput in;
  in.GdiplusVersion = 2;
  ULONG_PTR token = 0;
  EXPECT_EQ(UnsupportedGdiplusVersion, GdiplusStartup(&token, &in, nullptr));
  in.GdiplusVersion = 1;
  in.SuppressBackgroundThread = TRUE;
  GdiplusStartupOutput out;
  ASSERT_EQ(Ok, GdiplusStartup(&token, &in, &out));
  EXPECT_NE(nullptr, out.NotificationHook);
  EXPECT_EQ(Ok, GdipCreatePath(FillModeAlternate, &p));
  GdiplusShutdown(token);
  EXPECT_EQ(Ok, GdipDeletePath(p));  // deleting works after shut-down
}

GpFont* Font(const char16_t* family, REAL size) {
  GpFontFamily* fam = nullptr;
  EXPECT_EQ(Ok, GdipCreateFontFamilyFromName(family, nullptr, &fam));
  GpFont* f = nullptr;
  EXPECT_EQ(Ok, GdipCreateFont(fam, size, FontStyleBold, UnitPixel, &f));
  GdipDeleteFontFamily(fam);
  return f;
}

TEST_F(GdipText, UnknownFamilyIsNotFound) {
  GpFontFamily* fam = nullptr;
  EXPECT_EQ(FontFamilyNotFound, GdipCreateFontFamilyFromName(u"No Such Family 123", nullptr, &fam));
  EXPECT_EQ(nullptr, fam);
  EXPECT_EQ(Ok, GdipCreateFontFamilyFromName(u"Arial", nullptr, &fam));
  GpFont* f = nullptr;
  EXPECT_EQ(InvalidParameter, GdipCreateFont(fam, 10, 0, UnitDisplay, &f));
  EXPECT_EQ(InvalidParameter, GdipCreateFont(fam, 0, 0, UnitPoint, &f));
  GdipDeleteFontFamily(fam);
}

TEST_F(GdipText, MinusOneLengthDrawsWhatTheExplicitLengthDraws) {
  GpFont* font = Font(u"Arial", 14);
  GpBrush* black = Solid(0xFF000000);
  const char16_t* text = u"Проба 42";
  GpRectF r{0, 0, 100, 40};
  ASSERT_EQ(Ok, GdipDrawString(g, text, -1, font, &r, nullptr, black));
  std::vector<COLORREF> first;
  int inked = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < kSize; ++x) {
      first.push_back(GetPixel(dc, x, y));
      inked += first.back() != kWhite;
    }
  EXPECT_GT(inked, 30);
  RECT all{0, 0, kSize, kSize};
  HBRUSH white = CreateSolidBrush(kWhite);
  FillRect(dc, &all, white);
  DeleteObject(white);
  ASSERT_EQ(Ok, GdipDrawString(g, text, 8, font, &r, nullptr, black));
  std::vector<COLORREF> second;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < kSize; ++x) second.push_back(GetPixel(dc, x, y));
  EXPECT_EQ(first, second);
  EXPECT_EQ(InvalidParameter, GdipDrawString(g, text, -1, nullptr, &r, nullptr, black));
  GdipDeleteBrush(black);
  GdipDeleteFont(font);
}

TEST_F(GdipText, AlignmentPlacesTextInItsRectangle) {
  GpFont* font = Font(u"Arial", 14);
  GpStringFormat* fmt = nullptr;
  GdipCreateStringFormat(0, 0, &fmt);
  GdipSetStringFormatAlign(fmt, StringAlignmentFar);
  GdipSetStringFormatLineAlign(fmt, StringAlignmentFar);
  StringAlignment a = StringAlignmentNear;
  GdipGetStringFormatAlign(fmt, &a);
  EXPECT_EQ(StringAlignmentFar, a);
  GpRectF r{0, 0, 100, 100}, box{};
  INT fitted = 0, lines = 0;
  ASSERT_EQ(Ok, GdipMeasureString(g, u"Wide", -1, font, &r, fmt, &box, &fitted, &lines));
  EXPECT_EQ(4, fitted);
  EXPECT_EQ(1, lines);
  EXPECT_NEAR(100, box.X + box.Width, 0.5);
  EXPECT_NEAR(100, box.Y + box.Height, 0.5);
  GpBrush* black = Solid(0xFF000000);
  GdipDrawString(g, u"Wide", -1, font, &r, fmt, black);
  int left = 0, right = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (GetPixel(dc, x, y) != kWhite) (x < 50 || y < 50 ? left : right)++;
  EXPECT_EQ(0, left);
  EXPECT_GT(right, 20);
  GpStringFormat* copy = nullptr;
  ASSERT_EQ(Ok, GdipCloneStringFormat(fmt, &copy));
  GdipGetStringFormatLineAlign(copy, &a);
  EXPECT_EQ(StringAlignmentFar, a);
  GdipDeleteStringFormat(copy);
  GdipDeleteStringFormat(fmt);
  GdipDeleteBrush(black);
  GdipDeleteFont(font);
}

}  // namespace
