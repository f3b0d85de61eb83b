// HTML tables: the two dialects against golden files (XHTML read back by the
// platform's XML document server), links, widths and the row range, the
// files around the table and their errors, and the shell preview.
#include <unistd.h>

#include <filesystem>

#include "exchange_fixture.h"
#include "grid/gridoptions.h"
#include "platform/ole/variants.h"
#include "platform/ole/xmldom.h"
#include "platform/shell/shellapi.h"

namespace {

// A merged 2 x 2 area, URL and mail cells, an empty and a blank cell, two
// cells of one look and one differing only in boldness, "<", blanks, a
// two-line cell and cells with their own alignment and without word wrap.
void Fill(TRecordingGrid& G) {
  G.SetFixedCols(0);
  G.SetFixedRows(1);
  G.SetColCountEx(4);
  G.SetRowCountEx(5);
  G.SetColor(clWhite);
  G.SetFixedColor(clSilver);
  for (TFont* F : {G.GetFont(), G.GetFixedFont()}) {
    F->SetName("Arial");
    F->SetSize(10);
    F->SetColor(clBlack);
  }
  G.SetURLShow(true);
  const char* Cells[5][4] = {{"Name", "Link", "Mail", "Note\r\nmore"},
                             {"merged", "", "http://example.com/a?b=1&c=2", "mailto:me@example.com"},
                             {"", "", "", "   "},
                             {"same", "same too", "bold", "1 < 2"},
                             {"two words", "line1\r\nline2", "centre", "right"}};
  for (int R = 0; R < 5; ++R)
    for (int C = 0; C < 4; ++C) G.SetCells(C, R, Cells[R][C]);
  G.MergeCells(0, 1, 2, 2);
  G.GetCellProperties(2, 3)->FontStyle = TFontStyles{fsBold};
  G.OnGetAlignment = [](TObject*, int R, int C, TAlignment& HA, TVAlignment& VA) {
    if (R == 4 && C == 2) HA = taCenter;
    if (R == 4 && C == 3) {
      HA = taRightJustify;
      VA = vtaBottom;
    }
  };
  G.OnGetWordWrap = [](TObject*, int C, int R, bool& WW) {
    if (R == 4 && C == 3) WW = false;
  };
}

void Convert(THTMLSettings& S) {
  S.ConvertSpecialChars = true;
  S.NonBreakingText = true;
  S.PrefixTag = "<div>";
  S.SuffixTag = "</div>";
  S.Summary = "Meters";
  S.TableStyle = "class=\"grid\"";
  S.BorderSize = 2;
  S.Width = 80;
  for (int W : {40, 60, 80}) S.GetColWidths()->Add(W);
}

// Whether the platform's XML reader accepts the file.
void ExpectWellFormed(const std::string& File, bool WellFormed) {
  Variant Doc = CreateXMLDocumentObject();
  Doc.OleFunction("load", File);
  const Variant Error = Doc.OlePropertyGet("parseError");
  EXPECT_EQ(Error.OlePropertyGet("errorCode").AsInteger() == 0, WellFormed)
      << VarToStr(Error.OlePropertyGet("reason")) << " line " << VarToStr(Error.OlePropertyGet("line"));
}

class HtmlExport : public ::testing::Test {
protected:
  void TearDown() override {
    for (const std::string& F : Files) std::filesystem::remove_all(F);
  }
  std::string Scratch(const std::string& Suffix) {
    Files.push_back(ScratchName(Suffix));
    return Files.back();
  }
  std::vector<std::string> Files;
};

TEST_F(HtmlExport, GoldenFiles) {
  struct TCase {
    const char* Golden;
    bool XHTML, Converted;
  };
  for (const TCase& T : {TCase{"html_default.html", false, false}, TCase{"html_converted.html", false, true},
                         TCase{"html_default.xhtml", true, false}, TCase{"html_converted.xhtml", true, true}}) {
    SCOPED_TRACE(T.Golden);
    TRecordingGrid G(nullptr);
    Fill(G);
    G.GetHTMLSettings()->XHTML = T.XHTML;
    if (T.Converted) Convert(*G.GetHTMLSettings());
    const AnsiString Html = G.SaveToHTMLString("");
    EXPECT_EQ(Html, Slurp(GoldenPath(T.Golden)));
    // Plain HTML keeps its bare attributes: no XML reader takes it.
    const std::string File = Scratch(".xhtml");
    WriteBytes(File, Html);
    ExpectWellFormed(File, T.XHTML);
    // The header row comes before the start; then each body row.
    ASSERT_EQ(G.Exports.size(), 6u);
    EXPECT_EQ(G.Exports.front(), std::make_pair(esExportStart, -1));
    EXPECT_EQ(G.Exports[1], std::make_pair(esExportNewRow, 1));
    EXPECT_EQ(G.Exports.back(), std::make_pair(esExportDone, -1));
  }
}

TEST_F(HtmlExport, CellContent) {
  struct TCase {
    const char* Text;
    bool Full, XHTML, Convert;
    std::string Content;
  } Cases[] = {
      {"ftp://host/f", false, false, false, "<a href=ftp://host/f>host/f</a>"},
      {"ftp://host/f", true, false, false, "<a href=ftp://host/f>ftp://host/f</a>"},
      {"write mailto:a@b.c", false, false, false, "<a href=write mailto:a@b.c>a@b.c</a>"},
      {"<b>http://x</b>", false, false, false, "<b>http://x</b>"},
      {"http://x/?a=\"1\"", false, true, false, "<a href=\"http://x/?a=&quot;1&quot;\">x/?a=\"1\"</a>"},
      // XHTML: named references become numeric, a stray "&" or "<" is
      // escaped, markup and known references stay.
      {"é & ©", false, true, true, "&#233; &amp; &#169;"},
      {"a & b < c &lt; &#65;", false, true, false, "a &amp; b &lt; c &lt; &#65;"},
      {"<b>x</b>", false, true, false, "<b>x</b>"},
      {"a\x01" "b\tc", false, true, false, "a\xEF\xBF\xBD" "b\tc"},
      {"é & ©", false, false, true, "&eacute; &amp; &copy;"},
  };
  for (const TCase& T : Cases) {
    SCOPED_TRACE(T.Text);
    TRecordingGrid G(nullptr);
    G.SetFixedRows(0);
    G.SetFixedCols(0);
    G.SetColCountEx(1);
    G.SetRowCountEx(1);
    G.SetURLShow(true);
    G.SetURLFull(T.Full);
    G.GetHTMLSettings()->XHTML = T.XHTML;
    G.GetHTMLSettings()->ConvertSpecialChars = T.Convert;
    G.SetCells(0, 0, T.Text);
    const AnsiString Html = G.SaveToHTMLString("");
    EXPECT_NE(Html.find(">" + T.Content + "</td>"), std::string::npos) << Html;
  }
  // The label keeps at most 255 characters.
  const std::string Long = "http://" + std::string(300, 'x');
  TRecordingGrid G(nullptr);
  G.SetURLShow(true);
  G.SetCells(1, 1, Long);
  EXPECT_NE(G.SaveToHTMLString("").find(">" + Long.substr(7, 255) + "</a>"), std::string::npos);
}

TEST_F(HtmlExport, Styles) {
  // Styles are one when they differ only in case; without SaveColor no
  // colours are written.
  TRecordingGrid G(nullptr);
  G.SetFixedRows(0);
  G.SetFixedCols(0);
  G.SetColCountEx(3);
  G.SetRowCountEx(1);
  G.GetFont()->SetName("Arial");
  G.GetCellProperties(1, 0)->FontName = "ARIAL";
  G.GetCellProperties(2, 0)->FontStyle = TFontStyles{fsItalic};
  G.GetHTMLSettings()->SaveColor = false;
  const AnsiString Html = G.SaveToHTMLString("");
  EXPECT_EQ(Html.rfind("<style>\r\n.c0 {font-size:", 0), 0u) << Html;
  EXPECT_EQ(Html.find("color"), std::string::npos);
  EXPECT_EQ(Html.find(".c2"), std::string::npos);
  EXPECT_NE(Html.find("font-style: italic"), std::string::npos);
  EXPECT_NE(Html.find("<TD class=\"c0\">&nbsp;</td>\r\n<TD class=\"c0\">&nbsp;</td>\r\n<TD class=\"c1\">"),
            std::string::npos)
      << Html;
}

TEST_F(HtmlExport, RowRangeAndWidths) {
  // Fixed cells left out: no header row, body widths from the first written
  // column on.
  TRecordingGrid G(nullptr);
  G.SetColCountEx(3);
  G.SetRowCountEx(3);
  G.SetFixedRows(1);
  G.SetFixedCols(1);
  G.SetSaveFixedCells(false);
  G.SetCells(0, 0, "corner");
  G.SetCells(1, 1, "a");
  G.SetCells(2, 2, "b");
  for (int W : {30, 70}) G.GetHTMLSettings()->GetColWidths()->Add(W);
  const AnsiString Html = G.SaveToHTMLString("");
  EXPECT_EQ(Html.find("corner"), std::string::npos);
  EXPECT_NE(Html.find(" width=30>a</td>"), std::string::npos) << Html;
  EXPECT_NE(Html.find(" width=70>&nbsp;</td>"), std::string::npos) << Html;
  EXPECT_NE(Html.find(" width=70>b</td>"), std::string::npos) << Html;
  EXPECT_EQ(Html.find("WIDTH=30"), std::string::npos);
  std::size_t Rows = 0;
  for (std::size_t P = 0; (P = Html.find("<TR>", P)) != std::string::npos; ++P) ++Rows;
  EXPECT_EQ(Rows, 2u);
  // Without save-fixed-cells rows start at FixedRows; a grid without fixed
  // rows has no header row even when fixed cells are saved.
  ASSERT_EQ(G.Exports.size(), 4u);
  EXPECT_EQ(G.Exports[1].second, 1);
  G.SetSaveFixedCells(true);
  G.SetFixedRows(0);
  G.Exports.clear();
  G.SaveToHTMLString("");
  EXPECT_EQ(G.Exports[1].second, 0);
}

}  // namespace
