// Drag-and-drop, balloon and drag-scroll settings: defaults, copies and the
// drop-target registration of the grid's window.
#include <gtest/gtest.h>

#include <memory>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winole.h"

namespace {

struct TOle {
  TOle() { OleInitialize(nullptr); }
  ~TOle() { OleUninitialize(); }
};

struct DropFixture : ::testing::Test {
  TOle Ole;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  VIduZozezuVodu* G = new VIduZozezuVodu(Form.get());
  void SetUp() override { G->SetParent(Form.get()); }
};

}  // namespace

TEST(OptionObjects, DefaultsAndCopies) {
  VIduZozezuVodu G(nullptr);
  TDragDropSettings* D = G.GetDragDropSettings();
  EXPECT_TRUE(D->ShowCells && D->OleAcceptFiles && D->OleAcceptText && D->OleAcceptURLs);
  EXPECT_FALSE(D->OleCopyAlways || D->GetOleDropTarget() || D->OleDropSource || D->OleEntireRows ||
               D->OleInsertRows || D->OleRemoveRows || D->GetOleDropRTF() || D->OleColumnDragDrop);

  TBalloonSettings B;
  EXPECT_EQ(B.AutoHideDelay, -1);
  EXPECT_EQ(B.InitialDelay, -1);
  EXPECT_EQ(B.ReshowDelay, -1);
  EXPECT_EQ(B.BackgroundColor, clNone);
  EXPECT_EQ(B.TextColor, clNone);
  int Fired = 0;
  G.GetBalloon()->OnEnableChange = [&](TObject* S) {
    EXPECT_EQ(S, G.GetBalloon());
    ++Fired;
  };
  B.SetEnable(true);
  B.TextColor = 1;
  B.BackgroundColor = 2;
  B.InitialDelay = 3;
  B.AutoHideDelay = 4;
  B.ReshowDelay = 5;
  B.Transparency = 9;
  G.SetBalloonSettings(&B);
  EXPECT_EQ(Fired, 0);  // copied as a field
  TBalloonSettings* GB = G.GetBalloon();
  EXPECT_TRUE(GB->GetEnable());
  EXPECT_EQ(GB->TextColor + GB->BackgroundColor + GB->InitialDelay + GB->AutoHideDelay + GB->ReshowDelay, 15);
  EXPECT_EQ(GB->Transparency, 0);
  GB->SetEnable(true);
  EXPECT_EQ(Fired, 1);

  TDragScrollOptions S;
  EXPECT_EQ(S.GetDelays()->InitialDelay, 1000);
  EXPECT_EQ(S.GetDelays()->RepeatDelay, 250);
  EXPECT_EQ(S.GetMargins()->TopMargin + S.GetMargins()->BottomMargin + S.GetMargins()->LeftMargin +
                S.GetMargins()->RightMargin,
            200);
  S.Active = true;
  S.GetDelays()->RepeatDelay = 7;
  S.GetMargins()->LeftMargin = 8;
  G.SetDragScrollOptions(&S);
  EXPECT_TRUE(G.GetDragScrollOptions()->Active);
  EXPECT_EQ(G.GetDragScrollOptions()->GetDelays()->RepeatDelay, 7);
  EXPECT_EQ(G.GetDragScrollOptions()->GetMargins()->LeftMargin, 8);

  TDragDropSettings Other(nullptr);
  Other.OleEntireRows = true;
  Other.SetOleDropRTF(true);
  D->Assign(&Other);
  EXPECT_TRUE(D->OleEntireRows);
  EXPECT_TRUE(D->GetOleDropRTF());
  EXPECT_TRUE(GetRTFAware());
  Other.SetOleDropRTF(false);
}

TEST_F(DropFixture, OnTwiceKeepsOneRegistrationAndOffRevokes) {
  TDragDropSettings* D = G->GetDragDropSettings();
  D->SetOleDropTarget(true);
  ASSERT_TRUE(G->GetDropTargetRegistered());
  IDropTarget* T = G->GetDropTarget();
  EXPECT_EQ(GetRegisteredDropTarget(G->Handle()), T);
  D->SetOleDropTarget(true);
  EXPECT_EQ(G->GetDropTarget(), T);
  EXPECT_EQ(GetRegisteredDropTarget(G->Handle()), T);
  D->SetOleDropTarget(false);
  EXPECT_FALSE(G->GetDropTargetRegistered());
  EXPECT_EQ(G->GetDropTarget(), nullptr);
  EXPECT_EQ(GetRegisteredDropTarget(G->Handle()), nullptr);
  EXPECT_EQ(RevokeDragDrop(G->Handle()), DRAGDROP_E_NOTREGISTERED);
}

TEST_F(DropFixture, DesignTimeRegistersNothingAndLoadedFeedsTheTarget) {
  G->SetDesigning(true);
  G->GetDragDropSettings()->SetOleDropTarget(true);
  EXPECT_TRUE(G->GetDragDropSettings()->GetOleDropTarget());
  EXPECT_FALSE(G->GetDropTargetRegistered());
  EXPECT_EQ(GetRegisteredDropTarget(G->Handle()), nullptr);
  G->SetDesigning(false);
  G->GetDragDropSettings()->SetOleDropTarget(true);
  G->GetDragDropSettings()->OleAcceptText = false;
  G->Loaded();
  auto* T = G->GetDragDropSettings()->GetDropTarget();
  ASSERT_NE(T, nullptr);
  EXPECT_FALSE(T->AcceptText);
  EXPECT_TRUE(T->AcceptFiles);
}

TEST_F(DropFixture, PlatformRegistrationErrors) {
  struct TTarget : TInterfacedObject, IDropTarget {
    HRESULT QueryInterface(const TGUID& I, void** O) override { return TInterfacedObject::QueryInterface(I, O); }
    ULONG AddRef() override { return TInterfacedObject::AddRef(); }
    ULONG Release() override { return TInterfacedObject::Release(); }
    HRESULT DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT DragLeave() override { return S_OK; }
    HRESULT Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
  };
  TInterfaceRef<TTarget> T(new TTarget), U(new TTarget);
  HWND W = G->Handle();
  EXPECT_EQ(RegisterDragDrop(W, nullptr), E_INVALIDARG);
  EXPECT_EQ(RegisterDragDrop(nullptr, T.get()), DRAGDROP_E_INVALIDHWND);
  EXPECT_EQ(RevokeDragDrop(W), DRAGDROP_E_NOTREGISTERED);
  EXPECT_EQ(RegisterDragDrop(W, T.get()), S_OK);
  EXPECT_EQ(T->GetRefCount(), 2);
  EXPECT_EQ(RegisterDragDrop(W, U.get()), DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(U->GetRefCount(), 1);
  EXPECT_EQ(RevokeDragDrop(W), S_OK);
  EXPECT_EQ(T->GetRefCount(), 1);
  EXPECT_EQ(RevokeDragDrop(W), DRAGDROP_E_NOTREGISTERED);

  // Back to none (the fixture's and the grid unit's own): registration
  // needs initialising.
  OleUninitialize();
  OleUninitialize();
  EXPECT_EQ(RegisterDragDrop(W, T.get()), CO_E_NOTINITIALIZED);
  OleInitialize(nullptr);
  OleInitialize(nullptr);
}
