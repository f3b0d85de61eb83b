#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/classes.h"

// Global, as the class names appear in the message.
class TPoint2 : public TPersistent {
public:
  int X = 0;
  void Assign(TPersistent* Source) override {
    if (auto* p = dynamic_cast<TPoint2*>(Source)) {
      X = p->X;
      return;
    }
    TPersistent::Assign(Source);
  }
};
class TOther : public TPersistent {};

namespace {

// Records every notification it receives and its own destruction.
class TProbe : public TComponent {
public:
  TProbe(TComponent* AOwner, std::vector<std::string>* Log, const char* Name)
      : TComponent(AOwner), FLog(Log) {
    SetName(Name);
  }
  ~TProbe() override { FLog->push_back("free " + GetName()); }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    FLog->push_back(GetName() + (Operation == opInsert ? " +" : " -") + AComponent->GetName());
    if (Operation == opRemove && AComponent == Peer) Peer = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    FLog->push_back("loaded " + GetName());
  }
  TComponent* Peer = nullptr;

private:
  std::vector<std::string>* FLog;
};

TEST(Component, OwnerFreesChildrenLastFirst) {
  std::vector<std::string> log;
  auto* owner = new TProbe(nullptr, &log, "Owner");
  new TProbe(owner, &log, "A");
  new TProbe(owner, &log, "B");
  ASSERT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->FindComponent("b"), owner->Components(1));
  EXPECT_EQ(owner->FindComponent("C"), nullptr);
  log.clear();
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"free Owner", "A -B", "free B", "free A"}));
}

TEST(Component, FreedChildLeavesOwnerAndTellsSiblingsAndPeers) {
  std::vector<std::string> log;
  TProbe owner(nullptr, &log, "Owner");
  auto* a = new TProbe(&owner, &log, "A");
  auto* b = new TProbe(&owner, &log, "B");
  TProbe outsider(nullptr, &log, "X");
  outsider.Peer = a;
  a->FreeNotification(&outsider);
  EXPECT_TRUE(a->HasState(csFreeNotification));
  log.clear();

  delete a;
  EXPECT_EQ(outsider.Peer, nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(log, (std::vector<std::string>{"free A", "X -A", "B -A", "Owner -A"}));

  // A removed link is not used any more: freeing b does not reach X.
  b->FreeNotification(&outsider);
  b->RemoveFreeNotification(&outsider);
  log.clear();
  delete b;
  EXPECT_EQ(log, (std::vector<std::string>{"free B", "Owner -B"}));
}

TEST(Component, PeerFreedFirstUnlinksBothWays) {
  std::vector<std::string> log;
  auto* a = new TProbe(nullptr, &log, "A");
  auto* x = new TProbe(nullptr, &log, "X");
  a->FreeNotification(x);
  delete x;  // a is told and drops its link to x
  log.clear();
  delete a;  // must not touch the freed x
  EXPECT_EQ(log, (std::vector<std::string>{"free A"}));
}

TEST(Component, InsertionIsAnnouncedAndOwnerCanChange) {
  std::vector<std::string> log;
  TProbe first(nullptr, &log, "First");
  TProbe second(nullptr, &log, "Second");
  auto* a = new TProbe(&first, &log, "A");
  log.clear();
  second.InsertComponent(a);
  EXPECT_EQ(a->GetOwner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"First -A", "Second +A"}));
}

TEST(Component, NamesAreIdentifiersUniqueWithinOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Edit1");
  EXPECT_THROW(b->SetName("EDIT1"), EComponentError);
  EXPECT_THROW(b->SetName("1Edit"), EComponentError);
  EXPECT_THROW(b->SetName("Ed it"), EComponentError);
  b->SetName("Edit2");
  a->SetName("edit1");  // a case change of its own name is allowed
  EXPECT_EQ(a->GetName(), "edit1");
  b->SetComponentIndex(0);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(a->GetComponentIndex(), 1);
  EXPECT_THROW(owner.Components(2), EListError);
}

TEST(Component, StateFlags) {
  std::vector<std::string> log;
  TProbe owner(nullptr, &log, "Owner");
  auto* child = new TProbe(&owner, &log, "A");
  owner.SetDesigning(true);
  EXPECT_TRUE(child->HasState(csDesigning));
  owner.SetDesigning(false, false);
  EXPECT_FALSE(owner.HasState(csDesigning));
  EXPECT_TRUE(child->HasState(csDesigning));

  owner.SetLoading(true);
  EXPECT_TRUE(owner.HasState(csLoading | csReading));
  log.clear();
  owner.Loaded();
  EXPECT_FALSE(owner.HasState(csLoading));
  EXPECT_EQ(log, (std::vector<std::string>{"loaded Owner"}));

  owner.Destroying();
  EXPECT_TRUE(child->HasState(csDestroying));
}


TEST(Persistent, AssignCopiesKnownClassesAndRejectsOthers) {
  TPoint2 a, b;
  a.X = 7;
  b.Assign(&a);
  EXPECT_EQ(b.X, 7);
  TOther other;
  try {
    b.Assign(&other);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TOther to a TPoint2");
  }
  try {
    b.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a nil to a TPoint2");
  }
}

// ---- interfaces

bool GFreed = false;
const TGUID IID_IDropTest{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};

// An interface of its own, implemented next to the reference count.
class IDropTest : public virtual IInterface {
public:
  virtual int Drop() = 0;
};

class TCounted : public TInterfacedObject, public IDropTest {
public:
  ~TCounted() override { GFreed = true; }
  int Drop() override { return 42; }
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override {
    if (IID == IID_IDropTest) {
      *Obj = static_cast<IDropTest*>(this);
      AddRef();
      return S_OK;
    }
    return TInterfacedObject::QueryInterface(IID, Obj);
  }
};

TEST(Interfaces, LastReleaseFrees) {
  GFreed = false;
  auto* obj = new TCounted;
  {
    TInterfaceRef<IInterface> r1(obj);
    TInterfaceRef<IInterface> r2 = r1;
    EXPECT_EQ(obj->GetRefCount(), 2);
    void* p = nullptr;
    EXPECT_EQ(obj->QueryInterface(IID_IInterface, &p), S_OK);
    static_cast<IInterface*>(p)->Release();
    ASSERT_EQ(obj->QueryInterface(IID_IDropTest, &p), S_OK);
    TInterfaceRef<IDropTest> drop(static_cast<IDropTest*>(p));
    static_cast<IDropTest*>(p)->Release();  // the query's own reference
    EXPECT_EQ(drop->Drop(), 42);
    EXPECT_EQ(obj->GetRefCount(), 3);
    const TGUID other{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(obj->QueryInterface(other, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
  }
  EXPECT_TRUE(GFreed);
}

}  // namespace
