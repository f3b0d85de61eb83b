// The wide string list: comma text both ways, line splitting, name=value,
// case-insensitive search against exact equality, moves keeping objects,
// the text buffer, the 8-bit view, the form property and the combo-bound
// list (a refused insert, a reset keeping the text).
#include <gtest/gtest.h>

#include <cstring>

#include "grid/vzvuni.h"
#include "platform/forms/forms.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/codepages.h"
#include "platform/windows/winkernel_testing.h"

namespace {

TWideStringList* Of(std::initializer_list<const char16_t*> Items) {
  auto* l = new TWideStringList;
  for (auto* s : Items) l->Add(s);
  return l;
}

std::vector<WideString> Items(const TWideStrings& L) {
  std::vector<WideString> v;
  for (int i = 0; i < L.Count(); ++i) v.push_back(L.Get(i));
  return v;
}

TEST(WideStrings, CommaTextBothWays) {
  std::unique_ptr<TWideStringList> l(Of({u"a b", u"c"}));
  EXPECT_EQ(l->GetCommaText(), u"\"a b\",c");
  l.reset(Of({u""}));
  EXPECT_EQ(l->GetCommaText(), u"\"\"");
  l.reset(Of({}));
  EXPECT_EQ(l->GetCommaText(), u"");
  l.reset(Of({u"a", u""}));
  EXPECT_EQ(l->GetCommaText(), u"a,");
  l.reset(Of({u"say \"hi\"", u"x,y", u"\u0001"}));
  EXPECT_EQ(l->GetCommaText(), u"\"say \"\"hi\"\"\",\"x,y\",\"\u0001\"");

  struct TCase {
    WideString Text;
    std::vector<WideString> Want;
  } cases[] = {
      {u" x , \"y,z\" ,, w", {u"x", u"y,z", u"", u"w"}},
      {u"\"a\"\"b\"", {u"a\"b"}},
      {u"\"open", {u"open"}},
      {u"a b", {u"a", u"b"}},
      {u"", {}},
      {u"a,", {u"a", u""}},               // the empty last item is not lost
      {WideString(u"a\0 b,c", 6), {u"a"}},  // the text ends at U+0000
      {u",a", {u"", u"a"}},
  };
  for (const TCase& c : cases) {
    l->SetCommaText(c.Text);
    EXPECT_EQ(Items(*l), c.Want) << WideToUtf8(c.Text);
  }
}

TEST(WideStrings, TextSplitsAtEveryLineBreakAndJoinsWithCrLf) {
  TWideStringList l;
  l.SetTextStr(u"a\r\nb\rc\u2028d");
  EXPECT_EQ(Items(l), (std::vector<WideString>{u"a", u"b", u"c", u"d"}));
  l.SetTextStr(u"a\r\n");
  EXPECT_EQ(Items(l), (std::vector<WideString>{u"a"}));
  l.SetTextStr(u"1\n2\v3\f4\u20295\n\n6");
  EXPECT_EQ(Items(l), (std::vector<WideString>{u"1", u"2", u"3", u"4", u"5", u"", u"6"}));
  l.SetTextStr(u"x\ny");
  EXPECT_EQ(l.GetTextStr(), u"x\r\ny\r\n");

  char16_t* buf = l.GetText();
  EXPECT_EQ(WideString(buf), u"x\r\ny\r\n");
  std::uint32_t size = 0;
  std::memcpy(&size, reinterpret_cast<char*>(buf) - 4, 4);
  EXPECT_EQ(size, (6u + 1) * 2 + 4);
  l.SetText(buf);
  TWideStrings::FreeText(buf);
  EXPECT_EQ(Items(l), (std::vector<WideString>{u"x", u"y"}));
}

TEST(WideStrings, NamesValuesAndCaseInsensitiveSearch) {
  std::unique_ptr<TWideStringList> l(Of({u"key=1=2", u"=x", u"ПРИВЕТ", u"Name=v"}));
  EXPECT_EQ(l->GetValue(u"key"), u"1=2");
  EXPECT_EQ(l->GetName(1), u"");
  EXPECT_EQ(l->GetName(2), u"");
  EXPECT_EQ(l->GetValue(u"NAME"), u"v");
  EXPECT_EQ(l->IndexOf(u"привет"), 2);
  EXPECT_EQ(l->IndexOf(u"пока"), -1);
  l->SetValue(u"new", u"7");
  EXPECT_EQ(l->Get(4), u"new=7");
  l->SetValue(u"key", u"");
  EXPECT_EQ(l->IndexOfName(u"key"), -1);

  std::unique_ptr<TWideStringList> a(Of({u"ПРИВЕТ"})), b(Of({u"привет"})), c(Of({u"ПРИВЕТ"}));
  EXPECT_FALSE(a->Equals(b.get()));
  EXPECT_TRUE(a->Equals(c.get()));
}

TEST(WideStrings, MoveExchangeAndAssignKeepObjects) {
  TObject o1, o2, o3;
  TWideStringList l;
  l.AddObject(u"a", &o1);
  l.AddObject(u"b", &o2);
  l.AddObject(u"c", &o3);
  l.Move(0, 2);
  EXPECT_EQ(Items(l), (std::vector<WideString>{u"b", u"c", u"a"}));
  EXPECT_EQ(l.GetObject(2), &o1);
  l.Exchange(0, 1);
  EXPECT_EQ(Items(l), (std::vector<WideString>{u"c", u"b", u"a"}));
  EXPECT_EQ(l.GetObject(0), &o3);
  EXPECT_EQ(l.GetObject(1), &o2);
  EXPECT_EQ(l.IndexOfObject(&o1), 2);

  TStringList ansi;
  ansi.Assign(&l);
  EXPECT_EQ(ansi.GetCommaText(), "c,b,a");
  EXPECT_EQ(ansi.GetObject(0), &o3);
  ansi.Add("ё");
  l.Assign(&ansi);
  EXPECT_EQ(l.Get(3), u"ё");
  TWideCaptionHolder other(nullptr);
  EXPECT_THROW(l.Assign(&other), EConvertError);

  // The 8-bit view writes through.
  l.GetAnsiStrings()->Add("щ");
  EXPECT_EQ(l.Get(4), u"щ");
  EXPECT_EQ(l.GetAnsiStrings()->Get(3), "ё");
  EXPECT_THROW(l.Get(9), EStringListError);
}

TEST(WideStrings, FormPropertyRoundTripsAndReadsNarrowValues) {
  std::unique_ptr<TWideStringList> l(Of({u"один", u"\U0001F600", u""}));
  TMemoryStream s;
  {
    TWriter w(&s);
    w.WriteProperties(l.get());
    w.WriteListEnd();
  }
  s.SetPosition(0);
  TWideStringList back;
  back.Add(u"old");
  {
    TReader r(&s);
    r.ReadProperties(&back);
  }
  EXPECT_TRUE(back.Equals(l.get()));

  // An empty list writes nothing; 8-bit values are read too.
  TMemoryStream e;
  {
    TWriter w(&e);
    TWideStringList empty;
    w.WriteProperties(&empty);
    EXPECT_EQ(e.GetSize(), 0);
    w.WritePropName("WideStrings");
    w.WriteListBegin();
    w.WriteString("x");
    w.WriteWideString(u"y");
    w.WriteListEnd();
    w.WriteListEnd();
  }
  e.SetPosition(0);
  TReader r(&e);
  r.ReadProperties(&back);
  EXPECT_EQ(Items(back), (std::vector<WideString>{u"x", u"y"}));
}

class ComboStrings : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Combo = new TCustomUNIComboBox(Form);
    Combo->SetParent(Form);
    Combo->SetBounds(10, 10, 150, 24);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  TForm* Form = nullptr;
  TCustomUNIComboBox* Combo = nullptr;
};

TEST_F(ComboStrings, ItemsLiveInTheWindowAndResetKeepsTheText) {
  Combo->Items()->Add(u"Январь");  // before the window: kept by the framework list
  Form->Show();
  PumpUntilIdle();
  Combo->Items()->Add(u"\U0001F600");
  Combo->Items()->Insert(0, u"first");
  EXPECT_EQ(Items(*Combo->Items()), (std::vector<WideString>{u"first", u"Январь", u"\U0001F600"}));
  EXPECT_EQ(Combo->Items()->IndexOf(u"ЯНВАРЬ"), 1);
  Combo->SetText(u"текст");
  Combo->Items()->Clear();
  EXPECT_EQ(Combo->Items()->Count(), 0);
  EXPECT_EQ(Combo->GetText(), u"текст");
}

TEST_F(ComboStrings, ARefusedInsertRaisesOutOfResources) {
  Form->Show();
  PumpUntilIdle();
  HWND h = Combo->GetHandle();
  TWindowProc old = GetWindowProc(h);
  SetWindowProc(h, [old](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == CB_ADDSTRING || m == CB_INSERTSTRING) return -2;  // no space
    return CallWindowProc(old, w, m, wp, lp);
  });
  try {
    Combo->Items()->Add(u"x");
    FAIL() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Unable to insert a line");
  }
  EXPECT_THROW(Combo->Items()->Insert(0, u"x"), EOutOfResources);
}

}  // namespace
