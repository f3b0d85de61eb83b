// The clipboard the edits use: text, registered formats, and several
// formats put together between Open and Close.
#include "platform/forms/clipbrd.h"

#include <gtest/gtest.h>

TEST(Clipboard, FormatsSetTogetherStayTogetherAndASingleSetReplacesAll) {
  UINT cells = RegisterClipboardFormatA("Grid Cells");
  EXPECT_GE(cells, 0xC000u);
  EXPECT_EQ(cells, RegisterClipboardFormatA("grid cells"));  // names ignore case
  EXPECT_NE(cells, RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_EQ(0u, RegisterClipboardFormatA(""));

  TClipboard* c = Clipboard();
  c->Open();
  c->SetAsText("a\tb\r\n");
  c->SetAsHandle(cells, {1, 2, 3});
  c->Close();
  EXPECT_EQ("a\tb\r\n", c->GetAsText());
  EXPECT_TRUE(c->HasFormat(CF_TEXT));
  EXPECT_TRUE(c->HasFormat(CF_UNICODETEXT));
  EXPECT_EQ((std::vector<Byte>{1, 2, 3}), c->GetAsHandle(cells));

  c->SetTextBuf("только текст");
  EXPECT_EQ("только текст", c->GetAsText());
  EXPECT_FALSE(c->HasFormat(cells));
  c->Clear();
  EXPECT_FALSE(c->HasFormat(CF_TEXT));
  EXPECT_EQ("", c->GetAsText());
}
