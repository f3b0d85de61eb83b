// Text functions of the markup engine: strip, highlight, escape, and the
// values of inline form controls.
#include <gtest/gtest.h>

#include "grid/vzvhtmle.h"

namespace {

TEST(HTMLText, Strip) {
  struct Case {
    const char* In;
    const char* Out;
  } cases[] = {
      {"a<br>b", "a\r\nb"},     {"<b>x</b>y", "xy"},         {"a<b", "a<b"},
      {"a>b<i>c", "a>bc"},      {"x<HR>y<Br>", "x\r\ny\r\n"}, {"", ""},
      {"plain text", "plain text"}, {"<>", ""},             {"Привет <b>мир</b>", "Привет мир"},
  };
  for (const Case& c : cases) EXPECT_EQ(HTMLStrip(c.In), c.Out) << c.In;
}

TEST(HTMLText, HiLight) {
  struct Case {
    const char* S;
    const char* Text;
    bool DoCase;
    const char* Out;
  } cases[] = {
      {"x<b>ab</b>ab", "ab", true, "x<hi><b>ab</hi></b><hi>ab</hi>"},
      {"aab", "a", true, "<hi>a</hi><hi>a</hi>b"},
      {"aa", "a", true, "<hi>a</hi><hi>a</hi>"},
      {"abc", "", true, "abc"},  // an empty search text changes nothing
      {"a > b", "b", true, "a &gt; <hi>b</hi>"},
      {"<i>a > b</i>", "a >", true, "<hi>a &gt;</hi> b"},
      {"Ab ab", "AB", false, "<hi>Ab</hi> <hi>ab</hi>"},
      {"Ab ab", "AB", true, "Ab ab"},
      {"Мир мир", "МИР", false, "<hi>Мир</hi> <hi>мир</hi>"},
      {"<b>ab</b>", "b", true, "<b>a<hi>b</hi></b>"},
  };
  for (const Case& c : cases) EXPECT_EQ(HiLight(c.S, c.Text, "hi", c.DoCase), c.Out) << c.S << " / " << c.Text;
  EXPECT_EQ(UnHiLight(HiLight("x<b>ab</b>ab", "ab", "hi", true), "hi"), "x<b>ab</b>ab");
  EXPECT_EQ(UnHiLight("<HI>a</hi>&lt;", "hi"), "a<");
}

TEST(HTMLText, FixAndRestoreMarkup) {
  EXPECT_EQ(FixMarkup("1 < 2 & \"é\""), "1 &lt; 2 &amp; &quot;&eacute;&quot;");
  EXPECT_EQ(FixMarkup("*amp;"), "*amp;");
  EXPECT_EQ(FixMarkup("© ® € « »"), "&copy; &reg; &euro; &laquo; &raquo;");
  EXPECT_EQ(RestoreMarkup("&Eacute;&eacute;"), "Éé");
  EXPECT_EQ(RestoreMarkup("&LT;&lt;&amp;lt;"), "&LT;<&lt;");
  EXPECT_EQ(FixNonBreaking("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
  const char* texts[] = {"Привет, мир", "&eacute;", "*amp;", "&Eacute;&eacute;", "a<b>\"c\"&amp;",
                         "ÉéÈèçÇøØåÅ", "", "&", "&&lt;"};
  for (const char* t : texts) EXPECT_EQ(RestoreMarkup(FixMarkup(t)), t) << t;
  EXPECT_EQ(HTMLEntities[0].Name, std::string("&eacute;"));
  EXPECT_EQ(HTMLEntities[50].Name, std::string("&raquo;"));
}

TEST(HTMLText, FormControls) {
  const AnsiString s =
      "Name <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"a&amp;b\" WIDTH=\"80\" MAXLEN=\"12\" PROP=\"p1\"> "
      "<control type=\"check\" id=\"c1\" value=\"TRUE\" width=\"16\">"
      "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"16\">"
      "<CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"40\">"
      "<CONTROL TYPE=\"COMBO\" ID=\"e2\" VALUE=\"x\" WIDTH=\"60\"> tail";
  EXPECT_TRUE(HasHTMLControl(s));
  EXPECT_TRUE(HasHTMLControl("<control"));
  EXPECT_FALSE(HasHTMLControl("no control"));
  AnsiString v;
  EXPECT_TRUE(GetControlValue(s, "e1", v));
  EXPECT_EQ(v, "a&b");
  EXPECT_TRUE(GetControlValue(s, "c1", v));
  EXPECT_EQ(v, "TRUE");
  EXPECT_FALSE(GetControlValue(s, "E1", v));  // IDs compare exactly
  EXPECT_EQ(GetControlProp(s, "e1"), "p1");
  EXPECT_EQ(GetControlProp(s, "c1"), "");
  EXPECT_EQ(GetControlMaxLen(s, "e1"), 12);
  EXPECT_EQ(GetControlMaxLen(s, "c1"), 0);
  EXPECT_EQ(GetNextControlID(s, ""), "e1");
  EXPECT_EQ(GetNextControlID(s, "e1"), "e2");  // check, radio and button skipped
  EXPECT_EQ(GetNextControlID(s, "e2"), "");
  EXPECT_EQ(GetNextControlID(s, "nope"), "");

  AnsiString t = s;
  EXPECT_FALSE(SetControlValue(t, "zz", "1"));
  EXPECT_EQ(t, s);
  AnsiString one = "a<CONTROL ID=\"e1\" TYPE=\"edit\" WIDTH=\"80\" VALUE=\"old\" MAXLEN=\"5\" X=\"1\">b";
  EXPECT_TRUE(SetControlValue(one, "e1", "<new & \"v\">"));
  EXPECT_EQ(one,
            "a<CONTROL ID=\"e1\" VALUE=\"&lt;new &amp; &quot;v&quot;&gt;\" WIDTH=\"80\" TYPE=\"EDIT\" MAXLEN=\"5\">b");
  EXPECT_TRUE(GetControlValue(one, "e1", v));
  EXPECT_EQ(v, "<new & \"v\">");
  AnsiString noWidth = "<CONTROL ID=\"x\" TYPE=\"EDIT\">";
  EXPECT_TRUE(SetControlValue(noWidth, "x", "1"));
  EXPECT_EQ(noWidth, "<CONTROL ID=\"x\" VALUE=\"1\" WIDTH=\"\" TYPE=\"EDIT\">");

  AnsiString cleared = ClearRadioControls(s + "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"TRUE\" WIDTH=\"16\">");
  EXPECT_TRUE(GetControlValue(cleared, "r1", v));
  EXPECT_EQ(v, "FALSE");
  EXPECT_TRUE(GetControlValue(cleared, "r2", v));
  EXPECT_EQ(v, "FALSE");
  EXPECT_TRUE(GetControlValue(cleared, "c1", v));
  EXPECT_EQ(v, "TRUE");
}

TEST(HTMLText, BrokenControlTagsNeverRaise) {
  const char* texts[] = {"<CONTROL ", "<CONTROL ID=\"a", "<CONTROL ID=\"a\" VALUE=", "x<CONTROL ID=\"a\"",
                         "<CONTROL <CONTROL ID=\"b\">"};
  for (const char* t : texts) {
    AnsiString s = t, v;
    GetControlValue(s, "a", v);
    GetNextControlID(s, "");
    GetControlMaxLen(s, "a");
    SetControlValue(s, "a", "z");
    ClearRadioControls(s);
  }
  AnsiString open = "x<CONTROL ID=\"a\"";
  EXPECT_TRUE(SetControlValue(open, "a", "v"));
  EXPECT_EQ(open, "x<CONTROL ID=\"a\" VALUE=\"v\" WIDTH=\"\" TYPE=\"\">");
}

TEST(HTMLText, ColourValues) {
  EXPECT_EQ(HTMLColorValue("#FF0000"), 0x0000FF);
  EXPECT_EQ(HTMLColorValue("#0000FF"), 0xFF0000);
  EXPECT_EQ(HTMLColorValue("#ff8000"), 0x0080FF);
  EXPECT_EQ(HTMLColorValue("#F"), 0x0000F0);   // missing digits count as 0
  EXPECT_EQ(HTMLColorValue("#ZZ10"), 0x001000);  // bad digits too
  EXPECT_EQ(HTMLColorValue("#"), 0);
  EXPECT_EQ(HTMLColorValue("CLRED"), 0x0000FF);
  EXPECT_EQ(HTMLColorValue("clInfoBk"), static_cast<TColor>(0x80000018));
  EXPECT_EQ(HTMLColorValue("red"), 0);
}

}  // namespace
