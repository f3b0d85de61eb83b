// Small image files for the GDI+ wrapper and picture tests, made by the
// platform's own encoders (GIF from fixed bytes).
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <unistd.h>

#include "controls/zytgdip.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/jpeg.h"
#include "platform/rtl/codepages.h"

// Per process: the tests run side by side.
inline std::filesystem::path TestImagePath(const char* name) {
  return std::filesystem::temp_directory_path() /
         ("zytgdip_test_" + std::to_string(getpid()) + "_" + name);
}

inline std::vector<Byte> ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<Byte>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A w x h PNG of one colour, through the GDI+ PNG encoder.
inline std::vector<Byte> PngBytes(int w, int h, ARGB colour) {
  TGPBitmap bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, colour);
  auto path = TestImagePath("made.png");
  bmp.Save(Utf8ToWide(path.string()), EncoderClsidPNG);
  auto bytes = ReadAll(path);
  std::filesystem::remove(path);
  return bytes;
}

// A w x h BMP file of one colour with its bottom-left pixel in another.
inline std::vector<Byte> BmpBytes(int w, int h, TColor colour, TColor bottomLeft) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.GetCanvas()->SetPixels(x, y, colour);
  bmp.GetCanvas()->SetPixels(0, h - 1, bottomLeft);
  TMemoryStream ms;
  bmp.SaveToStream(&ms);
  const auto* p = static_cast<const Byte*>(ms.Memory());
  return std::vector<Byte>(p, p + ms.Size());
}

inline std::vector<Byte> JpegBytes() {
  TBitmap bmp;
  bmp.SetSize(8, 8);
  TJPEGImage jpeg;
  jpeg.Assign(&bmp);
  TMemoryStream ms;
  jpeg.SaveToStream(&ms);
  const auto* p = static_cast<const Byte*>(ms.Memory());
  return std::vector<Byte>(p, p + ms.Size());
}

// A 1 x 1 GIF.
inline std::vector<Byte> GifBytes() {
  static const Byte gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                             0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};
  return std::vector<Byte>(std::begin(gif), std::end(gif));
}

inline void WriteAll(const std::filesystem::path& p, const std::vector<Byte>& bytes) {
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<std::streamsize>(bytes.size()));
}
