#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/classes.h"

namespace {

class TNamed : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  std::string Text;
  void SetText(const std::string& V) {
    Text = V;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TNamed*>(Source)) {
      Text = s->Text;
      return;
    }
    TCollectionItem::Assign(Source);
  }
};

class TLogged : public TCollection {
public:
  TLogged() : TCollection(ItemClass<TNamed>()) {}
  std::vector<TCollectionItem*> Updates;
  TNamed* AddNamed(const std::string& Text) {
    auto* item = static_cast<TNamed*>(Add());
    item->Text = Text;
    return item;
  }
  std::string Texts() const {
    std::string s;
    for (int i = 0; i < Count(); ++i) s += static_cast<TNamed*>(Items(i))->Text;
    return s;
  }

protected:
  void Update(TCollectionItem* Item) override { Updates.push_back(Item); }
};

TEST(Collection, AddInsertMoveDelete) {
  TLogged c;
  c.AddNamed("a");
  auto* b = c.AddNamed("b");
  c.AddNamed("c");
  static_cast<TNamed*>(c.Insert(0))->Text = "z";
  EXPECT_EQ(c.Texts(), "zabc");
  EXPECT_EQ(b->GetIndex(), 2);
  EXPECT_EQ(b->GetCollection(), &c);

  b->SetIndex(0);
  EXPECT_EQ(c.Texts(), "bzac");
  b->SetIndex(3);
  EXPECT_EQ(c.Texts(), "zacb");
  EXPECT_THROW(b->SetIndex(4), EListError);
  EXPECT_EQ(c.Texts(), "zacb");
  EXPECT_EQ(c.FindItemID(b->GetID()), b);

  c.Delete(1);
  EXPECT_EQ(c.Texts(), "zcb");
  delete b;  // an item freed directly leaves its collection
  EXPECT_EQ(c.Texts(), "zc");
  EXPECT_THROW(c.Items(2), EListError);
  EXPECT_THROW(c.Insert(3), EListError);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
}

TEST(Collection, RearrangeTakesOnlyAPermutationOfItsItems) {
  TLogged c, other;
  auto* a = c.AddNamed("a");
  auto* b = c.AddNamed("b");
  auto* d = c.AddNamed("d");
  auto* stranger = other.AddNamed("x");
  c.Rearrange({d, a, b});
  EXPECT_EQ(c.Texts(), "dab");
  EXPECT_EQ(a->GetIndex(), 1);
  struct {
    std::vector<TCollectionItem*> Order;
  } refused[] = {{{d, a}}, {{d, a, a}}, {{d, a, stranger}}, {{d, a, b, b}}};
  for (const auto& r : refused) {
    EXPECT_THROW(c.Rearrange(r.Order), EListError);
    EXPECT_EQ(c.Texts(), "dab");  // a refused order changes nothing
  }
}

TEST(Collection, UpdatesReportItemOrWholeAndWaitForEndUpdate) {
  TLogged c;
  auto* a = c.AddNamed("a");
  c.Updates.clear();
  a->SetText("x");
  EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{a}));

  c.Updates.clear();
  c.BeginUpdate();
  c.BeginUpdate();
  a->SetText("y");
  c.AddNamed("b");
  c.EndUpdate();
  EXPECT_TRUE(c.Updates.empty());
  c.EndUpdate();
  EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{nullptr}));
}

TEST(Collection, AssignCopiesItems) {
  TLogged src, dst;
  src.AddNamed("p");
  src.AddNamed("q");
  dst.AddNamed("old");
  dst.Assign(&src);
  EXPECT_EQ(dst.Texts(), "pq");
  EXPECT_NE(dst.Items(0), src.Items(0));
  TStringList notACollection;
  EXPECT_THROW(dst.Assign(&notACollection), EConvertError);
}

TEST(Collection, OwnedCollectionReportsOwner) {
  TComponent owner(nullptr);
  TOwnedCollection c(&owner, TCollection::ItemClass<TNamed>());
  auto* item = c.Add();
  EXPECT_EQ(c.GetOwner(), &owner);
  EXPECT_EQ(item->GetOwner(), &c);
}

}  // namespace
