// The OLE drag loop on the window kernel: targets entered, moved over, left
// and dropped on as the test input moves; the source asked; Esc, Ctrl, the
// desktop outside our windows, foreign drags, and CF_HDROP blocks.
#include <cstring>

#include "platform/graphics/graphics_ole.h"
#include "platform/windows/winole.h"
#include "test_winkernel_support.h"

namespace {

std::vector<std::string>* Events = nullptr;

void Note(const std::string& s) {
  if (Events) Events->push_back(s);
}

class TLogTarget : public TInterfacedObject, public IDropTarget {
public:
  TLogTarget(std::string name, DWORD answer) : Name(std::move(name)), Answer(answer) {}
  HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TInterfacedObject::QueryInterface(iid, obj); }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT DragEnter(IDataObject* d, DWORD keys, POINTL pt, DWORD* e) override {
    Note(Name + " enter " + std::to_string(pt.x) + "," + std::to_string(pt.y) + (d ? "" : " nil"));
    Keys = keys;
    *e = Pick(*e, keys);
    return S_OK;
  }
  HRESULT DragOver(DWORD keys, POINTL pt, DWORD* e) override {
    // Moves repeat while the pointer rests; only changes are logged.
    std::string s = Name + " over " + std::to_string(pt.x) + "," + std::to_string(pt.y);
    if (keys & MK_CONTROL) s += " ctrl";
    if (!Events || Events->empty() || Events->back() != s) Note(s);
    Keys = keys;
    *e = Pick(*e, keys);
    return S_OK;
  }
  HRESULT DragLeave() override {
    Note(Name + " leave");
    return S_OK;
  }
  HRESULT Drop(IDataObject*, DWORD keys, POINTL pt, DWORD* e) override {
    Note(Name + " drop " + std::to_string(pt.x) + "," + std::to_string(pt.y));
    Keys = keys;
    *e = Pick(*e, keys);
    return S_OK;
  }
  // One effect: copy with Ctrl, else a move when allowed.
  DWORD Pick(DWORD allowed, DWORD keys) const {
    DWORD e = allowed & Answer;
    if (!e) return DROPEFFECT_NONE;
    if (keys & MK_CONTROL) return e & DROPEFFECT_COPY;
    return (e & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : e;
  }
  std::string Name;
  DWORD Answer;
  DWORD Keys = 0;
};

class TLogSource : public TInterfacedObject, public IDropSource {
public:
  HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TInterfacedObject::QueryInterface(iid, obj); }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT QueryContinueDrag(BOOL esc, DWORD keys) override {
    ++Asked;
    if (esc) {
      Note("source esc");
      return DRAGDROP_S_CANCEL;
    }
    if (!(keys & MK_LBUTTON)) {
      Note("source drop");
      return DRAGDROP_S_DROP;
    }
    return S_OK;
  }
  HRESULT GiveFeedback(DWORD e) override {
    LastFeedback = e;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  DWORD LastFeedback = 99;
  int Asked = 0;
};

// The loop needs no data of its own; any object stands for it.
class TNoData : public TInterfacedObject, public IDataObject {
public:
  HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TInterfacedObject::QueryInterface(iid, obj); }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override {
    *e = CreateFormatEnumerator({});
    return S_OK;
  }
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

class DragLoop : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    OleInitialize(nullptr);
    Events = &Log;
    A = Top("a", RECT{0, 0, 100, 100});
    B = Top("b", RECT{200, 0, 300, 100});
    BChild = Child("bc", B, RECT{10, 10, 50, 50});
    Target = new TLogTarget("b", DROPEFFECT_MOVE | DROPEFFECT_COPY);
    RegisterDragDrop(B, Target);
    Log.clear();
  }
  void TearDown() override {
    Events = nullptr;
    SetDesktopDragHook(nullptr);
    TestResetDragSteps();
    OleUninitialize();
    KernelTest::TearDown();
  }
  // Presses in A and runs the drag with the steps.
  HRESULT Drag(std::deque<std::function<void()>> steps, DWORD ok = DROPEFFECT_MOVE | DROPEFFECT_COPY) {
    TestMouseDown(POINT{50, 50});
    Log.clear();
    TestScriptDragSteps(std::move(steps));
    TInterfaceRef<IDataObject> data(new TNoData);
    TInterfaceRef<IDropSource> source(Source = new TLogSource);
    HRESULT r = DoDragDrop(data.get(), source.get(), ok, &Effect);
    Feedback = Source->LastFeedback;
    return r;
  }
  HWND A = nullptr, B = nullptr, BChild = nullptr;
  TLogTarget* Target = nullptr;
  TLogSource* Source = nullptr;
  DWORD Effect = 77;
  DWORD Feedback = 0;
};

}  // namespace

TEST_F(DragLoop, EntersMovesAndDropsOnTheRegisteredTargetUnderThePointer) {
  HRESULT r = Drag({[] { TestMouseMove(POINT{60, 50}); }, [] { TestMouseMove(POINT{220, 20}); },
                    [] { TestMouseMove(POINT{240, 80}); },  // the child counts as its registered parent
                    [] { TestMouseUp(POINT{240, 80}); }});
  EXPECT_EQ(r, DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_MOVE);
  EXPECT_EQ(Log, (Lines{"b enter 220,20", "b over 240,80", "source drop", "b drop 240,80"}));
  EXPECT_FALSE(Target->Keys & MK_LBUTTON);  // the drop is after the release
  EXPECT_FALSE(IsOleDragging());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragLoop, EscCancelsAndLeavesTheTarget) {
  HRESULT r = Drag({[] { TestMouseMove(POINT{220, 20}); }, [] { TestKeyPress(VK_ESCAPE); }});
  EXPECT_EQ(r, DRAGDROP_S_CANCEL);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);
  EXPECT_EQ(Log, (Lines{"b enter 220,20", "source esc", "b leave"}));
}

TEST_F(DragLoop, CtrlReachesTheTargetAndLeavingAWindowLeavesItsTarget) {
  HRESULT r = Drag({[] { TestMouseMove(POINT{220, 20}); }, [] { TestMouseMove(POINT{230, 20}, tsCtrl); },
                    [] { TestMouseUp(POINT{230, 20}, TMouseButton::Left, tsCtrl); }});
  EXPECT_EQ(r, DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_COPY);
  EXPECT_EQ(Feedback, DROPEFFECT_COPY);

  Log.clear();
  r = Drag({[] { TestMouseMove(POINT{220, 20}); }, [] { TestMouseMove(POINT{50, 50}); },
            [] { TestMouseUp(POINT{50, 50}); }});
  // Released over no target: a drop with no effect.
  EXPECT_EQ(r, DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);
  EXPECT_EQ(Feedback, DROPEFFECT_NONE);
  EXPECT_EQ(Log, (Lines{"b enter 220,20", "b leave", "source drop"}));
}

TEST_F(DragLoop, ARefusingTargetIsLeftNotDroppedOn) {
  Target->Answer = DROPEFFECT_NONE;
  HRESULT r = Drag({[] { TestMouseMove(POINT{220, 20}); }, [] { TestMouseUp(POINT{220, 20}); }});
  EXPECT_EQ(r, DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);
  // The release's own move still reaches the target.
  EXPECT_EQ(Log, (Lines{"b enter 220,20", "b over 220,20", "source drop", "b leave"}));
}

TEST_F(DragLoop, TheTargetIsAskedAgainWhileThePointerRestsAndAScriptThatEndsCancels) {
  int overs = 0;
  HRESULT r = Drag({[] { TestMouseMove(POINT{220, 20}); }, [&] {
                      Log.clear();
                      Events = nullptr;
                      AdvanceTestClock(500);
                      overs = static_cast<int>(Target->Keys & MK_LBUTTON);
                      Events = &Log;
                    }});
  EXPECT_EQ(overs, static_cast<int>(MK_LBUTTON));
  EXPECT_EQ(r, DRAGDROP_S_CANCEL);
}

TEST_F(DragLoop, OutsideOurWindowsTheDesktopTakesOver) {
  IDataObject* handed = nullptr;
  SetDesktopDragHook([&](IDataObject* d, DWORD ok, const TDesktopDragMoved&) {
    handed = d;
    EXPECT_EQ(ok, DROPEFFECT_COPY);
    return DROPEFFECT_COPY | DROPEFFECT_MOVE;  // masked by what the source allows
  });
  HRESULT r = Drag({[] { TestMouseMove(POINT{220, 20}); }, [] { TestMouseMove(POINT{500, 500}); }},
                   DROPEFFECT_COPY);
  EXPECT_NE(handed, nullptr);
  EXPECT_EQ(r, DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_COPY);
  EXPECT_EQ(Log, (Lines{"b enter 220,20", "b leave"}));
  EXPECT_FALSE(IsOleDragging());
}

TEST_F(DragLoop, TheSourceFollowsTheDesktopDragAndHearsItsAnswer) {
  // The way out crosses a window without a target (the source hears "no
  // drop" there); what the other program then does decides the end. The
  // source is asked at each move over the desktop, the pointer there.
  for (DWORD answer : {DWORD(DROPEFFECT_MOVE), DWORD(DROPEFFECT_NONE)}) {
    POINT seen{};
    int asked = 0;
    SetDesktopDragHook([&](IDataObject*, DWORD, const TDesktopDragMoved& moved) {
      asked = Source->Asked;
      moved(POINT{640, 480}, MK_LBUTTON);
      asked = Source->Asked - asked;
      GetCursorPos(&seen);
      return answer;
    });
    HRESULT r = Drag({[] { TestMouseMove(POINT{220, 20}); }, [] { TestMouseMove(POINT{60, 60}); },
                      [] { TestMouseMove(POINT{500, 500}); }});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(seen.x, 640);
    EXPECT_EQ(seen.y, 480);
    EXPECT_EQ(Feedback, answer);
    EXPECT_EQ(Effect, answer);
    EXPECT_EQ(r, answer ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL);
    EXPECT_EQ(GetCapture(), nullptr);
    TestMouseUp(POINT{500, 500});
  }
}

TEST_F(DragLoop, ForeignDragsReachTheTargets) {
  TInterfaceRef<IDataObject> data(new TNoData);
  EXPECT_EQ(ForeignDragOver(data.get(), POINT{220, 20}, 0, DROPEFFECT_COPY), DROPEFFECT_COPY);
  EXPECT_EQ(ForeignDragOver(data.get(), POINT{50, 20}, 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
  // A drop without a move over its point enters first.
  EXPECT_EQ(ForeignDrop(data.get(), POINT{230, 30}, MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE),
            DROPEFFECT_COPY);
  EXPECT_EQ(Log, (Lines{"b enter 220,20", "b leave", "b enter 230,30", "b drop 230,30"}));
  EXPECT_EQ(DoDragDrop(nullptr, nullptr, 0, nullptr), E_INVALIDARG);
}

TEST(DropFilesBlocks, WideAndAnsiNamesAreReadWithinTheBlock) {
  HGLOBAL h = MakeDropFiles({"/tmp/a.csv", "/tmp/Данные.xls"});
  ASSERT_NE(h, nullptr);
  std::string block(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
  GlobalUnlock(h);
  std::vector<AnsiString> names;
  EXPECT_TRUE(ReadDropFiles(block.data(), block.size(), names));
  EXPECT_EQ(names, (std::vector<AnsiString>{"/tmp/a.csv", "/tmp/Данные.xls"}));
  // Cut inside the second name: only the first is whole.
  EXPECT_TRUE(ReadDropFiles(block.data(), block.size() - 8, names));
  EXPECT_EQ(names, (std::vector<AnsiString>{"/tmp/a.csv"}));

  DROPFILES head{sizeof(DROPFILES), POINT{0, 0}, FALSE, FALSE};
  std::string ansi(reinterpret_cast<const char*>(&head), sizeof head);
  ansi += std::string("x.csv\0y.txt\0\0", 13);
  EXPECT_TRUE(ReadDropFiles(ansi.data(), ansi.size(), names));
  EXPECT_EQ(names, (std::vector<AnsiString>{"x.csv", "y.txt"}));
  // No terminator, an offset past the end, a short head.
  std::string open = ansi.substr(0, sizeof head + 3);
  EXPECT_FALSE(ReadDropFiles(open.data(), open.size(), names));
  head.pFiles = 1000;
  std::string far(reinterpret_cast<const char*>(&head), sizeof head);
  EXPECT_FALSE(ReadDropFiles(far.data(), far.size(), names));
  EXPECT_FALSE(ReadDropFiles(ansi.data(), 10, names));

  STGMEDIUM m{TYMED_HGLOBAL, h, nullptr};
  ReleaseStgMedium(&m);
  EXPECT_EQ(m.hGlobal, nullptr);
  EXPECT_EQ(m.tymed, TYMED_NULL);
}
