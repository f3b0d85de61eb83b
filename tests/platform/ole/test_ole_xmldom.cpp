// The XML document server: the tree and text values it offers, entity and
// encoding decoding, and its parse errors.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/ole/comobj.h"
#include "platform/ole/xmldom.h"

namespace {

std::string Scratch(const std::string& Bytes) {
  const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string Name = ::testing::TempDir() + "xmldom_" + Info->name() + ".xml";
  std::ofstream(Name, std::ios::binary) << Bytes;
  return Name;
}

AnsiString Str(const Variant& V) { return VarToStr(V); }

Variant Loaded(const std::string& Bytes) {
  Variant Doc = CreateOleObject(XMLDOMProgID);
  EXPECT_TRUE(Doc.OleFunction("load", Scratch(Bytes)).AsBoolean());
  EXPECT_EQ(Doc.OlePropertyGet("parseError").OlePropertyGet("errorCode").AsInteger(), 0);
  return Doc;
}

}  // namespace

TEST(XmlDom, TreeTextAndAttributes) {
  const Variant Doc = Loaded(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!-- list -->\n"
      "<list>\n"
      "  <row b=\"2\" a=\"x &amp; y\" c='&lt;'>\n"
      "    <name>Иван &lt;&quot;&gt; &#65;</name>\n"
      "    <note><![CDATA[a<b]]></note>\n"
      "    <empty/>\n"
      "    <mixed>one<i>two</i><!-- c -->three</mixed>\n"
      "  </row>\n"
      "</list>\n");
  const Variant Root = Doc.OlePropertyGet("documentElement");
  EXPECT_EQ(Str(Root.OlePropertyGet("nodeName")), "list");
  const Variant Rows = Root.OlePropertyGet("childNodes");
  ASSERT_EQ(Rows.OlePropertyGet("Length").AsInteger(), 1);  // whitespace texts left out
  const Variant Row = Rows.OleFunction("item", 0);
  EXPECT_TRUE(VarIsNull(Rows.OleFunction("item", 1)));
  // Attributes in document order, entities decoded.
  const Variant Attrs = Row.OlePropertyGet("attributes");
  ASSERT_EQ(VarType(Attrs), varDispatch);
  ASSERT_EQ(Attrs.OlePropertyGet("length").AsInteger(), 3);
  const char* Names[] = {"b", "a", "c"};
  const char* Values[] = {"2", "x & y", "<"};
  for (int K = 0; K < 3; ++K) {
    EXPECT_EQ(Str(Attrs.OleFunction("item", K).OlePropertyGet("nodeName")), Names[K]);
    EXPECT_EQ(Str(Attrs.OleFunction("item", K).OlePropertyGet("Text")), Values[K]);
  }
  const Variant Fields = Row.OlePropertyGet("childNodes");
  ASSERT_EQ(Fields.OlePropertyGet("LENGTH").AsInteger(), 4);  // members match without case
  const Variant Name = Fields.OleFunction("item", 0);
  EXPECT_EQ(Str(Name.OlePropertyGet("Text")), "Иван <\"> A");
  ASSERT_EQ(Name.OlePropertyGet("childNodes").OlePropertyGet("length").AsInteger(), 1);
  const Variant Text = Name.OlePropertyGet("childNodes").OleFunction("item", 0);
  EXPECT_EQ(Str(Text.OlePropertyGet("nodeName")), "#text");
  EXPECT_TRUE(VarIsNull(Text.OlePropertyGet("attributes")));  // objects on elements only
  EXPECT_EQ(Name.OlePropertyGet("attributes").OlePropertyGet("length").AsInteger(), 0);
  EXPECT_EQ(Str(Fields.OleFunction("item", 1).OlePropertyGet("Text")), "a<b");
  EXPECT_EQ(Fields.OleFunction("item", 2).OlePropertyGet("childNodes").OlePropertyGet("length").AsInteger(), 0);
  const Variant Mixed = Fields.OleFunction("item", 3);
  EXPECT_EQ(Mixed.OlePropertyGet("childNodes").OlePropertyGet("length").AsInteger(), 3);
  EXPECT_EQ(Str(Mixed.OlePropertyGet("Text")), "onetwothree");
  EXPECT_EQ(Str(Row.OlePropertyGet("Text")), "Иван <\"> Aa<bonetwothree");
  EXPECT_THROW(Row.OlePropertyGet("noSuchMember"), EOleSysError);
}

TEST(XmlDom, DeclaredEncodings) {
  const Variant Latin = Loaded("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<a>caf\xE9 &#1046;</a>\r\n");
  EXPECT_EQ(Str(Latin.OlePropertyGet("documentElement").OlePropertyGet("Text")), "café Ж");
  const Variant Utf = Loaded("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<a>Ж\r\nb</a>");
  EXPECT_EQ(Str(Utf.OlePropertyGet("documentElement").OlePropertyGet("Text")), "Ж\nb");
}

TEST(XmlDom, ParseErrorsCarryTheirLine) {
  struct Case {
    const char* Bytes;
    int Line;
  } Cases[] = {
      {"<a>\n<b>\n</a>\n", 3},
      {"<a>\n\n\n<b x=1/></a>", 4},
      {"<a>&nope;</a>", 1},
      {"", 1},
      {"<a></a><b/>", 1},
  };
  for (const Case& C : Cases) {
    const Variant Doc = CreateOleObject(XMLDOMProgID);
    EXPECT_FALSE(Doc.OleFunction("load", Scratch(C.Bytes)).AsBoolean()) << C.Bytes;
    const Variant E = Doc.OlePropertyGet("parseError");
    EXPECT_NE(E.OlePropertyGet("errorCode").AsInteger(), 0) << C.Bytes;
    EXPECT_EQ(E.OlePropertyGet("line").AsInteger(), C.Line) << C.Bytes;
    EXPECT_TRUE(VarIsNull(Doc.OlePropertyGet("documentElement")));
  }
  const Variant Doc = CreateOleObject(XMLDOMProgID);
  EXPECT_FALSE(Doc.OleFunction("load", ::testing::TempDir() + "no_such_file.xml").AsBoolean());
  EXPECT_NE(Doc.OlePropertyGet("parseError").OlePropertyGet("errorCode").AsInteger(), 0);
}
