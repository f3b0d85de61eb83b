// The GDI+ picture: kept bytes, form streaming, URLs, Assign, measuring and
// drawing.
#include <gtest/gtest.h>

#include "controls/gdipicture.h"
#include "gdip_images.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/classes_filer.h"

namespace {

std::vector<Byte> Bytes(TStream& s) {
  std::vector<Byte> v(static_cast<std::size_t>(s.Size()));
  s.SetPosition(0);
  if (!v.empty()) s.ReadBuffer(v.data(), static_cast<int>(v.size()));
  return v;
}

std::vector<Byte> Kept(TGDIPPicture& p) {
  TMemoryStream ms;
  p.SaveToStream(&ms);
  return Bytes(ms);
}

void Load(TGDIPPicture& p, const std::vector<Byte>& bytes) {
  TMemoryStream ms;
  ms.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  p.LoadFromStream(&ms);
}

TEST(GDIPPicture, StartsEmptyAndIgnoresSizeWrites) {
  TGDIPPicture p;
  EXPECT_TRUE(p.GetEmpty());
  EXPECT_FALSE(p.GetImageSizes());
  Load(p, PngBytes(7, 3, 0xFF0000FF));
  EXPECT_FALSE(p.GetEmpty());
  EXPECT_EQ(7, p.GetWidth());
  EXPECT_EQ(3, p.GetHeight());
  p.SetWidth(50);
  EXPECT_EQ(7, p.GetWidth());
  p.LoadFromStream(nullptr);
  EXPECT_EQ(7, p.GetWidth());
}

TEST(GDIPPicture, FormDataComesBackByteForByteAndUnmeasured) {
  const auto png = PngBytes(6, 5, 0xFF00FF00);
  TGDIPPicture p;
  Load(p, png);
  TMemoryStream raw;
  p.WriteData(&raw);
  EXPECT_EQ(png, Bytes(raw));

  // Through the component stream as the binary property "Data".
  TMemoryStream form;
  TWriter w(&form);
  w.WriteProperties(&p);
  w.WriteListEnd();
  form.SetPosition(0);
  TGDIPPicture q;
  int changes = 0;
  q.OnChange = [&](TObject*) { ++changes; };
  TReader r(&form);
  r.ReadProperties(&q);
  EXPECT_EQ(png, Kept(q));
  EXPECT_FALSE(q.GetEmpty());
  EXPECT_EQ(0, q.GetWidth());  // nothing measured while loading the form
  EXPECT_EQ(0, changes);
  EXPECT_TRUE(q.GetImageSizes());
  EXPECT_EQ(6, q.GetWidth());

  // An empty picture writes no property.
  TGDIPPicture empty;
  TMemoryStream none;
  TWriter w2(&none);
  w2.WriteProperties(&empty);
  EXPECT_EQ(0, none.Size());
}

TEST(GDIPPicture, LoadFromURLTakesResourcesAndFilesInAnyCase) {
  RegisterDataResource("LOGO", PngBytes(4, 4, 0xFFFF0000));
  const auto file = TestImagePath("url.png");
  WriteAll(file, PngBytes(9, 2, 0xFF00FF00));
  struct Case {
    AnsiString url;
    int width;  // 0: nothing loaded
  };
  const Case cases[] = {{"res://LOGO", 4},  {"RES://logo", 4},
                        {"File://" + file.string(), 9}, {"FILE://" + file.string(), 9},
                        {"RES://", 0},      {"FILE://", 0},
                        {"http://LOGO", 0}, {"LOGO", 0},
                        {"res://NOSUCH", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    TGDIPPicture p;
    p.LoadFromURL(c.url);
    EXPECT_EQ(c.width, p.GetWidth());
    EXPECT_EQ(c.width == 0, p.GetEmpty());
  }
  std::filesystem::remove(file);
}

TEST(GDIPPicture, FileAndResourceFailures) {
  TGDIPPicture p;
  int clears = 0;
  p.OnClear = [&](TObject*) { ++clears; };
  p.LoadFromFile(TestImagePath("missing.png").string());
  EXPECT_TRUE(p.GetEmpty());
  EXPECT_EQ(0, clears);
  EXPECT_THROW(p.LoadFromResourceID(HInstance, 4711), EResNotFound);
  RegisterDataResource("#4712", GifBytes());
  p.LoadFromResourceID(HInstance, 4712);
  EXPECT_EQ(1, p.GetWidth());
}

TEST(GDIPPicture, AssignRules) {
  std::vector<std::string> events;
  TGDIPPicture p;
  p.OnChange = [&](TObject*) { events.push_back("change"); };
  p.OnClear = [&](TObject*) { events.push_back("clear"); };
  Load(p, PngBytes(3, 3, 0xFF000000));
  events.clear();
  p.Assign(nullptr);
  EXPECT_EQ((std::vector<std::string>{"change", "clear"}), events);
  EXPECT_TRUE(p.GetEmpty());
  EXPECT_TRUE(Kept(p).empty());

  TGDIPPicture source;
  p.Assign(&source);  // an empty picture
  EXPECT_TRUE(p.GetEmpty());
  Load(source, PngBytes(5, 2, 0xFF000000));
  p.Assign(&source);
  EXPECT_EQ(Kept(source), Kept(p));
  EXPECT_EQ(5, p.GetWidth());

  TBitmap bmp;
  bmp.SetSize(6, 4);
  p.Assign(&bmp);
  auto bytes = Kept(p);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ('B', bytes[0]);
  EXPECT_EQ(6, p.GetWidth());

  TPicture pic;
  p.Assign(&pic);  // no graphic: an empty source
  EXPECT_TRUE(p.GetEmpty());
  pic.SetGraphic(&bmp);
  p.Assign(&pic);
  EXPECT_FALSE(p.GetEmpty());
  EXPECT_EQ(4, p.GetHeight());

  TStringList other;
  events.clear();
  p.Assign(&other);  // another class: nothing copied, no error
  EXPECT_TRUE(p.GetEmpty());
  EXPECT_TRUE(events.empty());
}

class PictureCanvas : public ::testing::Test {
protected:
  void SetUp() override {
    Target.SetSize(60, 60);
    Target.GetCanvas()->GetBrush()->SetColor(clWhite);
    Target.GetCanvas()->FillRect(TRect(0, 0, 60, 60));
  }
  TColor At(int x, int y) { return Target.GetCanvas()->GetPixels(x, y); }
  TBitmap Target;
};

TEST_F(PictureCanvas, BmpIsDrawnUnstretchedWithItsCornerColourShowingThrough) {
  TGDIPPicture p;
  Load(p, BmpBytes(4, 4, clBlue, clLime));
  Target.GetCanvas()->StretchDraw(TRect(10, 10, 50, 50), &p);
  EXPECT_EQ(clBlue, At(11, 10));
  EXPECT_EQ(clBlue, At(13, 13));
  EXPECT_EQ(clWhite, At(10, 13));  // the bottom-left pixel's colour is transparent
  EXPECT_EQ(clWhite, At(30, 30));  // not stretched
}

TEST_F(PictureCanvas, PngIsStretchedAndDrawImageKeepsItsSize) {
  TGDIPPicture p;
  Load(p, PngBytes(4, 4, 0xFFFF0000));
  Target.GetCanvas()->StretchDraw(TRect(10, 10, 50, 50), &p);
  EXPECT_EQ(clRed, At(30, 30));
  EXPECT_EQ(clRed, At(48, 48));
  EXPECT_EQ(clWhite, At(52, 52));
  TGPGraphics g(Target.GetCanvas()->GetHandle());
  Load(p, PngBytes(3, 3, 0xFF0000FF));
  p.DrawImage(&g, 0, 0);
  EXPECT_EQ(clBlue, At(2, 2));
  EXPECT_EQ(clWhite, At(3, 3));
}

TEST_F(PictureCanvas, ABmpTheBitmapReaderRefusesIsDrawnThroughGdiPlus) {
  std::vector<Byte> bytes = BmpBytes(4, 4, clBlue, clBlue);
  bytes[2] = bytes[3] = 0x7E;  // a file size past the data: the bitmap reader raised from Draw
  TGDIPPicture p;
  Load(p, bytes);
  Target.GetCanvas()->StretchDraw(TRect(10, 10, 50, 50), &p);
  EXPECT_EQ(clBlue, At(30, 30));
}

TEST_F(PictureCanvas, CorruptBytesMeasureZeroAndDrawNothing) {
  TGDIPPicture p;
  Load(p, std::vector<Byte>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3, 4, 5});
  EXPECT_FALSE(p.GetEmpty());
  EXPECT_EQ(0, p.GetWidth());
  Target.GetCanvas()->StretchDraw(TRect(0, 0, 60, 60), &p);
  for (int y = 0; y < 60; y += 7)
    for (int x = 0; x < 60; x += 7) EXPECT_EQ(clWhite, At(x, y));
  Load(p, {'B', 'M', 0, 0, 0});
  Target.GetCanvas()->StretchDraw(TRect(0, 0, 60, 60), &p);
  EXPECT_EQ(clWhite, At(30, 30));
}

}  // namespace
