// A grid's copies as other programs see them on the desktop clipboard.
#include "platform/forms/clipbrd_testing.h"
#include "platform/forms/qthost.h"
#include "tests/grid/clipboard_fixture.h"

namespace {

TEST_F(ClipboardTest, CopiesReadBackOnTheDesktopAsPlainTextAndHTML) {
  ASSERT_TRUE(QtHostStart());
  TClipGrid* H = NewGrid(2, 2);
  H->Fill({{"Фаза", "a"}, {"b", "c"}});
  H->CopyToClipBoard();
  AnsiString Got;
  ASSERT_TRUE(DesktopClipboardData("text/plain", Got));
  EXPECT_EQ(Got, "Фаза\ta\r\nb\tc\r\n");

  H->CopyToClipBoardAsHTML();
  ASSERT_TRUE(DesktopClipboardData("text/html", Got));
  EXPECT_EQ(Got.rfind("<!DOCTYPE", 0), 0u);
  EXPECT_NE(Got.find("Фаза"), AnsiString::npos);
  EXPECT_EQ(Got.substr(Got.size() - 7), "</html>");
  // Pasting it back here reads our own full text.
  EXPECT_EQ(Clipboard()->GetAsText().rfind("Version:1.0", 0), 0u);
  QtHostStop();
}

}  // namespace
