// XML files: the writer against golden files in both encodings, read back
// through the platform's XML document server; element and attribute
// documents; the reader's cases and its errors.
#include <sys/resource.h>

#include <csignal>

#include "exchange_fixture.h"
#include "platform/ole/comobj.h"
#include "platform/ole/xmldom.h"
#include "platform/rtl/classes_strings.h"

namespace {

// "&", "<", a quote, Cyrillic, an empty cell, a two-line cell and a merged
// area over the first two cells of the last row.
void Fill(VIduZozezuVodu& G) {
  G.SetFixedCols(0);
  G.SetColCountEx(3);
  G.SetRowCountEx(4);
  const char* Cells[4][3] = {{"Name", "Value", "Note"},
                             {"Q&A", "a<b", "Ёлка"},
                             {"x \"y\"", "", "Щ > 1\r\nend"},
                             {"merged", "", "last"}};
  for (int R = 0; R < 4; ++R)
    for (int C = 0; C < 3; ++C) G.SetCells(C, R, Cells[R][C]);
  G.MergeCells(0, 3, 2, 1);
}

using TTable = std::vector<std::vector<AnsiString>>;

class Xml : public ::testing::Test {
protected:
  void TearDown() override {
    for (const std::string& F : Files) std::remove(F.c_str());
  }
  std::string Scratch(const std::string& Suffix = ".xml") {
    Files.push_back(ScratchName(Suffix));
    return Files.back();
  }
  // A grid with one fixed row (the element names) that loads File.
  TTable Load(const std::string& File, bool Attributes = false, bool QuoteEmpty = true) {
    VIduZozezuVodu G(nullptr);
    G.SetFixedCols(0);
    G.SetQuoteEmptyCells(QuoteEmpty);
    G.LoadFromXML(File, Attributes);
    return CellTexts(G);
  }
  std::vector<std::string> Files;
};

}  // namespace

TEST_F(Xml, GoldenFilesInBothEncodingsReadBack) {
  struct {
    const char* Golden;
    const char* Encoding;
    bool Names, WriteEmpty;
    TTable Back;
  } Cases[] = {
      // Without empty cells a record's later fields move left; the merged
      // area's covered cell is not written.
      {"xml_default.xml", nullptr, true, false,
       {{"name", "value", "FIELD2"},
        {"Name", "Value", "Note"},
        {"Q&A", "a<b", "Ёлка"},
        {"x \"y\"", "Щ > 1\r\nend", ""},
        {"merged", "last", ""}}},
      {"xml_utf8.xml", "UTF-8", false, true,
       {{"FIELD0", "FIELD1", "FIELD2"},
        {"Name", "Value", "Note"},
        {"Q&A", "a<b", "Ёлка"},
        {"x \"y\"", "", "Щ > 1\r\nend"},
        {"merged", "last", ""}}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Golden);
    VIduZozezuVodu G(nullptr);
    Fill(G);
    if (C.Encoding) G.SetXMLEncoding(C.Encoding);
    TStringList Names;
    Names.Add("name");
    Names.Add("value");
    const std::string File = Scratch(C.Golden);
    G.SaveToXML(File, "grid", "row", C.Names ? &Names : nullptr, C.WriteEmpty);
    EXPECT_EQ(Slurp(File), Slurp(GoldenPath(C.Golden)));
    EXPECT_EQ(Load(File), C.Back);
  }
}

TEST_F(Xml, AttributeDocumentsGiveOneRowPerElement) {
  // Names in the header row, values decoded (the writer's "$amp;" too).
  const std::string File = GoldenPath("xml_attributes.xml");
  VIduZozezuVodu G(nullptr);
  G.SetFixedCols(0);
  G.LoadFromXML(File, true);
  EXPECT_EQ(CellTexts(G), (TTable{{"a", "b"}, {"1", "x & y"}, {"2", "Ж&"}, {"3", ""}}));
}

TEST_F(Xml, ReaderCases) {
  const std::string Head = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<list>\r\n";
  struct {
    const char* Name;
    std::string Body;
    bool QuoteEmpty;
    TTable Want;
  } Cases[] = {
      {"the writer's ampersand", "<r><a>Q$amp;A</a><b>$amp;amp;</b></r>", true, {{"a", "b"}, {"Q&A", "&amp;"}}},
      {"entities are decoded once", "<r><a>&amp;lt;</a><b>&lt;&gt;&quot;</b></r>", true, {{"a", "b"}, {"&lt;", "<>\""}}},
      {"quoted empty field", "<r><a>x</a><b>&quot;&quot;</b><c>z</c></r>", true, {{"a", "b", "c"}, {"x", "", "z"}}},
      {"two quotes kept with the switch off", "<r><a>x</a><b>\"\"</b><c>z</c></r>", false, {{"a", "b", "c"}, {"x", "\"\"", "z"}}},
      {"an empty field keeps its column", "<r><a>x</a><b></b><c>z</c></r><r><a>1</a><b/><c>3</c></r>", false,
       {{"a", "b", "c"}, {"x", "", "z"}, {"1", "", "3"}}},
      // The record itself is the leaf: its name heads the column.
      {"a single field is read as a leaf", "<r><a>only</a></r><r><a>1</a><b>2</b></r>", true,
       {{"r", "b"}, {"only", ""}, {"1", "2"}}},
      {"nested records widen the row", "<r><a>1</a><g><b>2</b><c>3</c></g></r>", true, {{"a", "b", "c"}, {"1", "2", "3"}}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    const std::string File = Scratch();
    WriteBytes(File, Head + C.Body + "\r\n</list>\r\n");
    EXPECT_EQ(Load(File, false, C.QuoteEmpty), C.Want);
  }
}

TEST_F(Xml, WriterCases) {
  // Texts that read back unchanged through the writer's escaping.
  VIduZozezuVodu G(nullptr);
  G.SetFixedCols(0);
  G.SetFixedRows(0);
  G.SetColCountEx(4);
  G.SetRowCountEx(1);
  const std::vector<AnsiString> Texts = {"Q&A", "&lt;", "", "日本 €"};
  for (int C = 0; C < 4; ++C) G.SetCells(C, 0, Texts[static_cast<std::size_t>(C)]);
  for (bool QuoteEmpty : {true, false}) {
    SCOPED_TRACE(QuoteEmpty);
    G.SetQuoteEmptyCells(QuoteEmpty);
    const std::string File = Scratch();
    G.SaveToXML(File, "l", "r", nullptr, true);
    const std::string Bytes = Slurp(File);
    EXPECT_NE(Bytes.find("<FIELD0>Q$amp;A</FIELD0>"), std::string::npos);
    EXPECT_NE(Bytes.find("<FIELD1>$amp;lt;</FIELD1>"), std::string::npos);
    EXPECT_NE(Bytes.find(QuoteEmpty ? "<FIELD2>&quot;&quot;</FIELD2>" : "<FIELD2></FIELD2>"), std::string::npos);
    // Outside ISO-8859-1: character references.
    EXPECT_NE(Bytes.find("<FIELD3>&#26085;&#26412; &#8364;</FIELD3>"), std::string::npos);
    EXPECT_EQ(Load(File, false, QuoteEmpty), (TTable{{"FIELD0", "FIELD1", "FIELD2", "FIELD3"}, Texts}));
  }
  // A text that itself holds "$amp;" reads back with "&" in its place.
  G.SetCells(0, 0, "a$amp;b");
  const std::string File = Scratch();
  G.SaveToXML(File, "l", "r", nullptr, true);
  EXPECT_EQ(Load(File)[1][0], "a&b");
  // Control characters XML cannot carry, even as references, go out as
  // U+FFFD in every encoding: the file still reads back.
  G.SetCells(0, 0, std::string("a\0b\x01" "c\x1F" "\td", 8));
  for (const char* Encoding : {"UTF-8", "ISO-8859-1"}) {
    SCOPED_TRACE(Encoding);
    G.SetXMLEncoding(Encoding);
    const std::string Again = Scratch();
    G.SaveToXML(Again, "l", "r", nullptr, true);
    EXPECT_EQ(Load(Again)[1][0], "a\uFFFDb\uFFFDc\uFFFD\td");
  }
}

TEST_F(Xml, EveryDeclaredEncodingReadsBack) {
  VIduZozezuVodu G(nullptr);
  G.SetFixedCols(0);
  G.SetColCountEx(1);
  G.SetRowCountEx(2);
  G.SetCells(0, 0, "h");
  G.SetCells(0, 1, "Ёж café € 日本");
  const struct {
    const char* Encoding;
    const char* Bytes;  // how the text is written
  } Cases[] = {
      {"ISO-8859-1", "&#1025;&#1078; caf\xE9 &#8364; &#26085;&#26412;"},
      {"UTF-8", "Ёж café € 日本"},
      {"windows-1251", "\xA8\xE6 caf&#233; \x88 &#26085;&#26412;"},
      {"cp866", "\xF0\xA6 caf&#233; &#8364; &#26085;&#26412;"},
      {"US-ASCII", "&#1025;&#1078; caf&#233; &#8364; &#26085;&#26412;"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Encoding);
    G.SetXMLEncoding(C.Encoding);
    const std::string File = Scratch();
    G.SaveToXML(File, "l", "r", nullptr, false);
    EXPECT_NE(Slurp(File).find(std::string("<FIELD0>") + C.Bytes + "</FIELD0>"), std::string::npos);
    EXPECT_EQ(Load(File), (TTable{{"r"}, {"h"}, {"Ёж café € 日本"}}));  // one field: the record is the leaf
  }
}

TEST_F(Xml, FixedRowsTakeTheElementNames) {
  VIduZozezuVodu G(nullptr);
  G.SetFixedCols(0);
  G.SetColCountEx(3);
  G.SetRowCountEx(3);
  G.SetCells(1, 0, "kept");
  const std::string File = Scratch();
  WriteBytes(File, "<list><r><a>1</a><b>2</b><c>3</c></r><r><a>4</a><b>5</b><c>6</c></r></list>");
  G.LoadFromXML(File);
  EXPECT_EQ(CellTexts(G), (TTable{{"a", "kept", "c"}, {"1", "2", "3"}, {"4", "5", "6"}}));
  // Without save-fixed the header row is left alone and fixed columns too.
  VIduZozezuVodu H(nullptr);
  H.SetSaveFixedCells(false);
  H.SetColCountEx(2);
  H.LoadFromXML(File);
  EXPECT_EQ(CellTexts(H), (TTable{{"", "", "", ""}, {"", "1", "2", "3"}, {"", "4", "5", "6"}}));
}

TEST_F(Xml, NotificationsAndProgressFromTheSaveStartRow) {
  TRecordingGrid G(nullptr);
  G.SetSaveFixedCells(false);
  G.SetColCountEx(2);
  G.SetRowCountEx(4);  // one fixed row, rows 1 to 3 saved
  G.RecordProgress();
  G.SaveToXML(Scratch(), "l", "r", nullptr, false);
  using E = std::vector<std::pair<TGridExportState, int>>;
  EXPECT_EQ(G.Exports, (E{{esExportStart, -1}, {esExportNewRow, 1}, {esExportNewRow, 2}, {esExportNewRow, 3},
                          {esExportDone, -1}}));
  EXPECT_EQ(G.Progress, (std::vector<int>{0, 50, 100}));
}

TEST_F(Xml, AFailedWriteKeepsTheOldFile) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCountEx(200);
  for (int R = 0; R < 200; ++R) G.SetCells(1, R, "a long enough text to pass the limit");
  const std::string File = Scratch();
  WriteBytes(File, "old bytes\r\n");
  // Writes beyond 64 bytes fail (EFBIG), whoever runs the test.
  rlimit Old{};
  getrlimit(RLIMIT_FSIZE, &Old);
  auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit Small = Old;
  Small.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &Small);
  bool Raised = false;
  try {
    G.SaveToXML(File, "l", "r", nullptr, false);
  } catch (const EFCreateError&) {
    Raised = true;
  }
  setrlimit(RLIMIT_FSIZE, &Old);
  std::signal(SIGXFSZ, OldHandler);
  EXPECT_TRUE(Raised);
  EXPECT_EQ(Slurp(File), "old bytes\r\n");
}

TEST_F(Xml, Errors) {
  VIduZozezuVodu G(nullptr);
  const std::string Missing = Scratch();
  try {
    G.LoadFromXML(Missing);
    ADD_FAILURE();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message, "XML file not found");
  }
  const std::string Bad = Scratch();
  WriteBytes(Bad, "<list>\r\n<r>\r\n<a>1</b>\r\n</r>\r\n</list>\r\n");
  try {
    G.LoadFromXML(Bad);
    ADD_FAILURE();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message.rfind("XMLDOM Parsing error ", 0), 0u) << E.Message;
    EXPECT_NE(E.Message.find(" on line 3"), std::string::npos) << E.Message;
  }
  UnregisterOleServer(XMLDOMProgID);
  try {
    G.LoadFromXML(Bad);
    ADD_FAILURE();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message, "XMLDOM server component not found");
  }
  RegisterOleServer(XMLDOMProgID, CreateXMLDocumentObject);
  // A file that cannot be made: the grid's own error; an old file is kept
  // when the save cannot complete.
  const std::string NoDir = ::testing::TempDir() + "no_such_dir/x.xml";
  try {
    G.SaveToXML(NoDir, "l", "r", nullptr, false);
    ADD_FAILURE();
  } catch (const EDidAvovError& E) {
    EXPECT_EQ(E.Message, "Cannot Create file " + NoDir);
  }
}
