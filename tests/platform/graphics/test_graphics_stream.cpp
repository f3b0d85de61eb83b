// Colour texts, and bitmaps, icons and pictures in the component stream.
#include <gtest/gtest.h>

#include <memory>

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_filer.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/sysutils.h"

// A record of the three graphic holders (its class name is in the bytes).
class TImageRecord : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* F) override {
    F->DefineSubProperties("Bitmap", &Bitmap);
    F->DefineSubProperties("Icon", &Icon);
    F->DefineSubProperties("Picture", &Picture);
  }
  TBitmap Bitmap;
  TIcon Icon;
  TPicture Picture;
};

namespace {

std::string Write(TComponent* C) {
  TStringStream S;
  S.WriteComponent(C);
  return S.DataString();
}

void Read(const std::string& Bytes, TComponent* C) {
  TStringStream S(Bytes);
  S.ReadComponent(C);
}

std::string Hex(const std::string& B) {
  static const char* D = "0123456789abcdef";
  std::string H;
  for (unsigned char C : B) {
    H += D[C >> 4];
    H += D[C & 15];
  }
  return H;
}

TEST(ColorText, NamesNumbersAndErrors) {
  struct {
    TColor Color;
    const char* Text;
  } Cases[] = {{clNone, "clNone"},       {clRed, "clRed"},         {clWindow, "clWindow"},
               {clDefault, "clDefault"}, {0x00ABCDEF, "$00ABCDEF"}, {static_cast<TColor>(0x80000040), "$80000040"}};
  for (const auto& C : Cases) {
    EXPECT_EQ(ColorToString(C.Color), C.Text);
    EXPECT_EQ(StringToColor(C.Text), C.Color) << C.Text;
  }
  EXPECT_EQ(StringToColor("clnone"), clNone);
  EXPECT_EQ(StringToColor("$00abcdef"), 0x00ABCDEF);
  EXPECT_EQ(StringToColor("255"), 255);
  EXPECT_EQ(ColorToString(clGray), "clGray");
  EXPECT_EQ(StringToColor("clDkGray"), clGray);
  EXPECT_THROW(StringToColor("clMauve"), EConvertError);
  EXPECT_THROW(StringToColor(""), EConvertError);
}

TEST(GraphicStream, EmptyGraphicsAreLeftOut) {
  TImageRecord R(nullptr);
  EXPECT_EQ(Hex(Write(&R)), Hex(std::string("TPF0\x0CTImageRecord\x00\x00\x00", 20)));
}

TEST(GraphicStream, GoldenBitmapAndRoundTrips) {
  TImageRecord R(nullptr);
  R.Bitmap.SetSize(1, 1);
  R.Bitmap.GetCanvas()->SetPixels(0, 0, clRed);
  const std::string Bytes = Write(&R);
  // "Bitmap.Data", a binary value of 58 bytes: the bitmap file, 24 bits.
  EXPECT_EQ(Hex(Bytes),
            "545046300c54496d6167655265636f7264000b4269746d61702e446174610a3a000000"
            "424d3a000000000000003600000028000000010000000100000001001800000000000400000"
            "0c40e0000c40e00000000000000000000"
            "0000ff00"
            "0000");
  TImageRecord Back(nullptr);
  Read(Bytes, &Back);
  EXPECT_EQ(Back.Bitmap.GetCanvas()->GetPixels(0, 0), clRed);
  EXPECT_EQ(Write(&Back), Bytes);

  // An icon, and a picture that keeps its graphic's class.
  TBitmap Color, Mask;
  Color.SetSize(2, 2);
  Mask.SetSize(2, 2);
  Mask.GetCanvas()->GetBrush()->SetColor(clBlack);
  Mask.GetCanvas()->FillRect(TRect(0, 0, 2, 2));
  TImageRecord I(nullptr);
  I.Icon.SetHandle(CreateIconFromBitmaps(Color.GetHandle(), Mask.GetHandle()));
  I.Picture.SetGraphic(&I.Icon);
  const std::string IconBytes = Write(&I);
  EXPECT_NE(IconBytes.find("Picture.Data"), std::string::npos);
  EXPECT_NE(IconBytes.find("\x05TIcon"), std::string::npos);
  TImageRecord IB(nullptr);
  Read(IconBytes, &IB);
  EXPECT_EQ(IB.Icon.GetWidth(), 2);
  ASSERT_NE(dynamic_cast<TIcon*>(IB.Picture.GetGraphic()), nullptr);
  EXPECT_EQ(Write(&IB), IconBytes);
}

TEST(GraphicStream, UnreadableDataIsAStreamError) {
  TImageRecord R(nullptr);
  R.Bitmap.SetSize(1, 1);
  R.Picture.SetGraphic(&R.Bitmap);
  std::string Bytes = Write(&R);
  std::string Unknown = Bytes;
  Unknown.replace(Unknown.find("\x07TBitmap"), 8, "\x07TBogus_");
  std::string Broken = Bytes;
  Broken.replace(Broken.find("BM"), 2, "XX");
  for (const std::string& B : {Unknown, Broken}) {
    TImageRecord Back(nullptr);
    EXPECT_THROW(Read(B, &Back), EReadError);
  }
}

}  // namespace
