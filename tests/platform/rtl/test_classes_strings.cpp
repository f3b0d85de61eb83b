#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/sysutils.h"

namespace {

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> v;
  for (int i = 0; i < s.Count(); ++i) v.push_back(s.Strings(i));
  return v;
}
using Lines = std::vector<std::string>;

TEST(StringList, EditsObjectsAndIndexErrors) {
  TStringList l;
  TObject o1, o2;
  l.Add("a");
  l.AddObject("b", &o1);
  l.InsertObject(0, "c", &o2);
  EXPECT_EQ(Items(l), (Lines{"c", "a", "b"}));
  EXPECT_EQ(l.IndexOfObject(&o1), 2);
  l.Move(2, 0);
  l.Exchange(1, 2);
  EXPECT_EQ(Items(l), (Lines{"b", "a", "c"}));
  EXPECT_EQ(l.Objects(0), &o1);
  EXPECT_EQ(l.Objects(2), &o2);
  EXPECT_EQ(l.IndexOf("A"), 1);  // case ignored by default
  l.Delete(1);
  EXPECT_EQ(Items(l), (Lines{"b", "c"}));

  try {
    l.Strings(2);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW(l.Delete(-1), EStringListError);
  EXPECT_THROW(l.Insert(3, "x"), EStringListError);
  EXPECT_THROW(l.Put(2, "x"), EStringListError);
  EXPECT_THROW(l.Move(0, 2), EStringListError);
  EXPECT_EQ(Items(l), (Lines{"b", "c"}));
}

TEST(StringList, SortedDuplicatesAndCase) {
  struct Case {
    TDuplicates dup;
    bool caseSensitive;
    Lines expect;
  };
  const Lines input{"Яблоко", "ёж", "еж", "Ёж", "абв", "ЕЖ", "Абв"};
  for (const Case& c : {
           Case{dupIgnore, false, {"абв", "еж", "ёж", "Яблоко"}},
           Case{dupAccept, false, {"абв", "Абв", "еж", "ЕЖ", "ёж", "Ёж", "Яблоко"}},
           Case{dupIgnore, true, {"абв", "Абв", "еж", "ЕЖ", "ёж", "Ёж", "Яблоко"}},
       }) {
    SCOPED_TRACE(static_cast<int>(c.dup) * 10 + c.caseSensitive);
    TStringList l;
    l.SetSorted(true);
    l.SetDuplicates(c.dup);
    l.SetCaseSensitive(c.caseSensitive);
    for (const auto& s : input) l.Add(s);
    Lines got = Items(l);
    if (c.dup == dupAccept) {
      // Equal strings may come in any order among themselves; compare
      // case-insensitively position by position.
      ASSERT_EQ(got.size(), c.expect.size());
      for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(AnsiCompareText(got[i], c.expect[i]), 0) << i;
    } else {
      EXPECT_EQ(got, c.expect);
    }
    int index = -1;
    EXPECT_TRUE(l.Find("ЯБЛОКО", index) != c.caseSensitive);
    EXPECT_EQ(l.IndexOf("яблоко") >= 0, !c.caseSensitive);
  }
}

TEST(StringList, SortedListRejectsPositionalEditsAndDuplicatesOnError) {
  TStringList l;
  l.SetSorted(true);
  l.SetDuplicates(dupError);
  l.Add("b");
  l.Add("a");
  try {
    l.Add("B");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }
  EXPECT_THROW(l.Insert(0, "c"), EStringListError);
  EXPECT_THROW(l.Put(0, "c"), EStringListError);
  EXPECT_THROW(l.Move(0, 1), EStringListError);
  EXPECT_EQ(Items(l), (Lines{"a", "b"}));
}

TEST(StringList, ChangingCaseSensitivityKeepsSortedSearchWorking) {
  TStringList l;
  l.SetSorted(true);
  l.SetDuplicates(dupAccept);
  for (const char* s : {"b", "B", "a", "A", "c"}) l.Add(s);
  l.SetCaseSensitive(true);
  for (const char* s : {"a", "A", "b", "B", "c"}) EXPECT_GE(l.IndexOf(s), 0) << s;
}

TEST(StringList, SortAndCustomSort) {
  TStringList l;
  l.SetCommaText("d,b,a,c,b");
  l.Sort();
  EXPECT_EQ(l.GetCommaText(), "a,b,b,c,d");
  // Descending by index lookups on the live list.
  l.CustomSort([](TStringList* L, int i, int j) { return AnsiCompareStr(L->Strings(j), L->Strings(i)); });
  EXPECT_EQ(l.GetCommaText(), "d,c,b,b,a");
  l.SetSorted(true);
  EXPECT_EQ(l.GetCommaText(), "a,b,b,c,d");
  l.CustomSort([](TStringList*, int, int) { return 1; });  // ignored while sorted
  EXPECT_EQ(l.GetCommaText(), "a,b,b,c,d");
}

TEST(StringList, NamesAndValues) {
  TStringList l;
  l.SetText("Width=10\r\nBalloon.BackgroundColor=clInfoBk\r\nplain\r\nEq=a=b\r\n");
  EXPECT_EQ(l.Names(0), "Width");
  EXPECT_EQ(l.Names(2), "");
  EXPECT_EQ(l.ValueFromIndex(3), "a=b");
  EXPECT_EQ(l.ValueFromIndex(2), "");
  EXPECT_EQ(l.Values("Balloon.BackGroundColor"), "clInfoBk");
  EXPECT_EQ(l.Values("plain"), "");
  EXPECT_EQ(l.IndexOfName("eq"), 3);

  l.SetValue("width", "20");
  EXPECT_EQ(l.Strings(0), "width=20");
  l.SetValue("New", "x");
  EXPECT_EQ(l.Strings(4), "New=x");
  l.SetValue("Balloon.BackgroundColor", "");
  EXPECT_EQ(l.IndexOfName("Balloon.BackgroundColor"), -1);
  EXPECT_EQ(l.Count(), 4);

  l.SetNameValueSeparator(':');
  l.Add("k:v");
  EXPECT_EQ(l.Values("K"), "v");
}

TEST(Strings, TextSplitsAtAnyLineBreakAndJoinsWithCrLf) {
  struct Case {
    const char* text;
    Lines lines;
  };
  for (const Case& c : {
           Case{"", {}},
           Case{"a", {"a"}},
           Case{"a\r\n", {"a"}},
           Case{"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
           Case{"a\n\nb", {"a", "", "b"}},
           Case{"\r\n", {""}},
           Case{"a\n\r", {"a", ""}},
           Case{"ч\r\n\r\nя", {"ч", "", "я"}},
       }) {
    SCOPED_TRACE(c.text);
    TStringList l;
    l.SetText(c.text);
    EXPECT_EQ(Items(l), c.lines);
  }
  TStringList l;
  l.SetText(std::string("a\0b\nc", 5));  // a NUL is kept, not an end
  EXPECT_EQ(l.Strings(0), std::string("a\0b", 3));
  l.SetText("x\ny");
  EXPECT_EQ(l.GetText(), "x\r\ny\r\n");
}

TEST(Strings, CommaTextQuotingRoundTrips) {
  struct Case {
    Lines items;
    const char* text;
  };
  for (const Case& c : {
           Case{{}, ""},
           Case{{""}, "\"\""},
           Case{{"a", "b"}, "a,b"},
           Case{{"a b", "c"}, "\"a b\",c"},
           Case{{"x,y"}, "\"x,y\""},
           Case{{"say \"hi\""}, "\"say \"\"hi\"\"\""},
           Case{{"a", "", "b"}, "a,,b"},
           Case{{"a", ""}, "a,"},
           Case{{"", " "}, ",\" \""},
           Case{{"tab\there"}, "\"tab\there\""},
           Case{{"Ёлка", "две ели"}, "Ёлка,\"две ели\""},
       }) {
    SCOPED_TRACE(c.text);
    TStringList l;
    for (const auto& s : c.items) l.Add(s);
    EXPECT_EQ(l.GetCommaText(), c.text);
    TStringList back;
    back.SetCommaText(c.text);
    EXPECT_EQ(Items(back), c.items);
  }
}

TEST(Strings, DelimitedTextReading) {
  struct Case {
    const char* text;
    Lines items;
  };
  for (const Case& c : {
           Case{"  a  b ;c", {"a", "b", "c"}},
           Case{"a;;b", {"a", "", "b"}},
           Case{"'it''s';x", {"it's", "x"}},
           Case{"'open", {"open"}},
           Case{"'ab'cd", {"ab", "cd"}},
           Case{"a ; b ;", {"a", "b", ""}},
       }) {
    SCOPED_TRACE(c.text);
    TStringList l;
    l.SetDelimiter(';');
    l.SetQuoteChar('\'');
    l.SetDelimitedText(c.text);
    EXPECT_EQ(Items(l), c.items);
  }
  TStringList l;
  l.SetDelimiter(';');
  l.SetCommaText("p,q");  // comma text ignores the delimiter settings
  EXPECT_EQ(l.GetDelimitedText(), "p;q");
  EXPECT_EQ(l.GetDelimiter(), ';');
}

TEST(Strings, CommaTextWithNulBytesEnds) {
  using namespace std::string_literals;
  TStringList l;
  l.SetCommaText("a\0b,\0\0c"s);  // looped forever, adding empty items
  EXPECT_EQ(Items(l), (Lines{"a", "b", "c"}));
  l.SetDelimiter(';');
  l.SetDelimitedText("\0;x\0"s);
  EXPECT_EQ(Items(l), (Lines{"", "x"}));
  // An item holding a NUL is quoted and comes back whole.
  TStringList q;
  q.Add("p\0q"s);
  TStringList back;
  back.SetCommaText(q.GetCommaText());
  EXPECT_EQ(Items(back), (Lines{"p\0q"s}));
}

TEST(StringList, ChangeEventsFireOnceAroundUpdates) {
  TStringList l;
  int changing = 0, changed = 0;
  l.OnChanging = [&](TObject* s) { EXPECT_EQ(s, &l); ++changing; };
  l.OnChange = [&](TObject*) { ++changed; };
  l.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);

  l.BeginUpdate();
  l.BeginUpdate();
  l.Add("b");
  l.SetCommaText("x,y,z");
  l.EndUpdate();
  EXPECT_EQ(changed, 1);
  l.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  l.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(changed, 2);

  TStringList other;
  other.Assign(&l);  // Assign is one change of the target
  changed = 0;
  l.Assign(&other);
  EXPECT_EQ(changed, 1);
}

int GLive = 0;
class TTracked : public TObject {
public:
  TTracked() { ++GLive; }
  ~TTracked() override { --GLive; }
};

TEST(StringList, OwnsObjectsFreesRemovedOnes) {
  GLive = 0;
  {
    TStringList l(true);
    l.AddObject("a", new TTracked);
    l.AddObject("b", new TTracked);
    l.AddObject("c", new TTracked);
    l.Move(0, 2);  // moving keeps the object
    EXPECT_EQ(GLive, 3);
    l.Delete(0);
    EXPECT_EQ(GLive, 2);
    l.Clear();
    EXPECT_EQ(GLive, 0);
    l.AddObject("d", new TTracked);
  }
  EXPECT_EQ(GLive, 0);
}

TEST(Strings, AssignEqualsAndAddStrings) {
  TStringList a, b;
  TObject o;
  a.SetCommaText("x,y");
  a.PutObject(1, &o);
  a.SetNameValueSeparator(':');
  b.Add("old");
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(&a));
  EXPECT_EQ(b.Objects(1), &o);
  EXPECT_EQ(b.GetNameValueSeparator(), ':');
  b.AddStrings(&b);
  EXPECT_EQ(b.GetCommaText(), "x,y,x,y");
  EXPECT_FALSE(b.Equals(&a));
  TComponent notStrings(nullptr);
  EXPECT_THROW(b.Assign(&notStrings), EConvertError);
}

}  // namespace
