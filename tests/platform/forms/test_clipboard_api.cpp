// The system clipboard functions over global blocks, and the desktop side
// under the offscreen host.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/forms/clipbrd.h"
#include "platform/forms/clipbrd_testing.h"
#include "platform/forms/qthost.h"

namespace {

HWND Window(std::uintptr_t N) { return reinterpret_cast<HWND>(N); }

HGLOBAL Block(const std::string& Bytes) {
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
  if (!Bytes.empty()) std::memcpy(GlobalLock(Mem), Bytes.data(), Bytes.size());
  GlobalUnlock(Mem);
  return Mem;
}

std::string Bytes(HANDLE Mem) {
  if (!Mem) return "<none>";
  std::string Out(static_cast<const char*>(GlobalLock(Mem)), GlobalSize(Mem));
  GlobalUnlock(Mem);
  return Out;
}

std::string Read(UINT Format) {
  if (!OpenClipboard(nullptr)) return "<closed>";
  std::string Out = Bytes(GetClipboardData(Format));
  CloseClipboard();
  return Out;
}

class ClipboardApi : public ::testing::Test {
protected:
  void TearDown() override { CloseClipboard(); }
};

TEST_F(ClipboardApi, OpeningBelongsToOneWindowAtATime) {
  EXPECT_FALSE(EmptyClipboard());
  HGLOBAL Mem = Block("x");
  EXPECT_EQ(SetClipboardData(CF_TEXT, Mem), nullptr);
  EXPECT_EQ(GlobalSize(Mem), 1u);  // still the caller's
  GlobalFree(Mem);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);

  ASSERT_TRUE(OpenClipboard(Window(1)));
  EXPECT_EQ(GetOpenClipboardWindow(), Window(1));
  EXPECT_TRUE(OpenClipboard(Window(1)));
  EXPECT_FALSE(OpenClipboard(Window(2)));
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  EXPECT_TRUE(OpenClipboard(Window(2)));
  CloseClipboard();
}

TEST_F(ClipboardApi, FormatsAddUpUntilEmptied) {
  const UINT Own = RegisterClipboardFormatA("Test Cells");
  EXPECT_EQ(RegisterClipboardFormatA("TEST CELLS"), Own);
  char Name[6];
  EXPECT_EQ(GetClipboardFormatNameA(Own, Name, sizeof Name), 5);
  EXPECT_STREQ(Name, "Test ");
  EXPECT_EQ(GetClipboardFormatNameA(CF_TEXT, Name, sizeof Name), 0);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(EmptyClipboard());
  HGLOBAL Text = Block(std::string("Жук\0tail", 10));
  EXPECT_EQ(SetClipboardData(CF_TEXT, Text), Text);
  EXPECT_EQ(GlobalSize(Text), 0u);  // taken over and freed
  ASSERT_NE(SetClipboardData(Own, Block(std::string("\0\1\2", 3))), nullptr);
  CloseClipboard();

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(Own));
  EXPECT_EQ(Read(CF_TEXT), std::string("Жук\0", 7));
  EXPECT_EQ(Read(Own), std::string("\0\1\2", 3));
  EXPECT_EQ(Read(CF_UNICODETEXT), std::string("\x16\x04\x43\x04\x3a\x04\0\0", 8));

  // Another format set later keeps the others.
  ASSERT_TRUE(OpenClipboard(nullptr));
  SetClipboardData(CF_UNICODETEXT, Block(std::string("\x2f\x04\0\0", 4)));
  CloseClipboard();
  EXPECT_EQ(Clipboard()->GetAsText(), "Я");
  EXPECT_TRUE(IsClipboardFormatAvailable(Own));

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(Own));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(ClipboardApi, DesktopSeesOurFormatsAsMimeTypesAndWeSeeTheirs) {
  ASSERT_TRUE(QtHostStart());
  const UINT Html = RegisterClipboardFormatA("HTML Format");
  const UINT Rtf = RegisterClipboardFormatA("Rich Text Format");
  const UINT Own = RegisterClipboardFormatA("Test Cells");
  const std::string Doc = "<html><body>Жук</body></html>";
  char Head[120];
  std::snprintf(Head, sizeof Head, "Version:1.0\r\nStartHTML:%.8d\r\nEndHTML:%.8d\r\n", 51,
                51 + static_cast<int>(Doc.size()));
  const std::string CfHtml = Head + Doc;
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, Block("a\tб"));
  SetClipboardData(Html, Block(CfHtml));
  SetClipboardData(Rtf, Block(std::string("{\\rtf1 x}\0", 10)));
  SetClipboardData(Own, Block(std::string("\0\xff", 2)));
  CloseClipboard();

  AnsiString Got;
  EXPECT_TRUE(DesktopClipboardData("text/plain", Got));
  EXPECT_EQ(Got, "a\tб");
  EXPECT_TRUE(DesktopClipboardData("text/html", Got));
  EXPECT_EQ(Got, Doc);
  EXPECT_TRUE(DesktopClipboardData("text/rtf", Got));
  EXPECT_EQ(Got, "{\\rtf1 x}");
  EXPECT_TRUE(DesktopClipboardData("application/x-yunt-format.Test%20Cells", Got));
  EXPECT_EQ(Got, std::string("\0\xff", 2));
  // Our own content stays ours: the full text with its offsets.
  EXPECT_EQ(Read(Html), CfHtml);

  // Another program's HTML replaces everything and arrives with a header.
  ASSERT_TRUE(DesktopClipboardPut("text/html", "<b>x</b>"));
  EXPECT_FALSE(IsClipboardFormatAvailable(Own));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  const std::string Wrapped = Read(Html);
  const auto Start = std::stoul(Wrapped.substr(Wrapped.find("StartHTML:") + 10, 8));
  const auto End = std::stoul(Wrapped.substr(Wrapped.find("EndHTML:") + 8, 8));
  EXPECT_EQ(Wrapped.substr(Start, End - Start), "<b>x</b>");
  EXPECT_EQ(End, Wrapped.size());
  QtHostStop();
}

}  // namespace
