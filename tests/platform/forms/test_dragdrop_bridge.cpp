// The desktop bridge of drag and drop: MIME data becomes our formats and
// back, and a Qt drop on one of our windows reaches its registered target.
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/forms/clipbrd.h"
#include "platform/forms/oledesktop.h"
#include "platform/forms/qthost.h"
#include "platform/graphics/graphics_ole.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

std::string Block(IDataObject* d, UINT cf) {
  FORMATETC f{static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m{};
  if (d->GetData(&f, &m) != S_OK) return "<none>";
  std::string b(static_cast<const char*>(GlobalLock(m.hGlobal)), GlobalSize(m.hGlobal));
  GlobalUnlock(m.hGlobal);
  ReleaseStgMedium(&m);
  return b;
}

std::vector<AnsiString> Files(IDataObject* d) {
  std::string b = Block(d, CF_HDROP);
  std::vector<AnsiString> names;
  ReadDropFiles(b.data(), b.size(), names);
  return names;
}

AnsiString Mime(const TMimeData& m, const char* type) {
  for (auto& i : m)
    if (i.Type == type) return i.Data;
  return "<none>";
}

std::string Wide(const std::u16string& s) {
  std::u16string z = s;
  z.push_back(0);
  return std::string(reinterpret_cast<const char*>(z.data()), z.size() * 2);
}

}  // namespace

TEST(DragBridge, TextAndAFileUrlArriveAsTextAndAFileListAndGoBack) {
  IDataObject* d = DataObjectOfMime({{"text/plain;charset=utf-8", "Привет"},
                                     {"text/uri-list", "# from a file manager\r\nfile:///tmp/a%20b.csv\r\n"}});
  EXPECT_EQ(Block(d, CF_TEXT), std::string("Привет\0", 13));
  EXPECT_EQ(Block(d, CF_UNICODETEXT), Wide(u"Привет"));
  EXPECT_EQ(Files(d), std::vector<AnsiString>{"/tmp/a b.csv"});
  EXPECT_EQ(Block(d, RegisterClipboardFormatA("UniformResourceLocator")), "<none>");
  TMimeData back = MimeOfDataObject(d);
  EXPECT_EQ(Mime(back, "text/plain"), "Привет");
  EXPECT_EQ(Mime(back, "text/uri-list"), "file:///tmp/a%20b.csv\r\n");
  d->Release();
}

TEST(DragBridge, UrlsRtfAndColumnsMapBothWays) {
  std::int32_t four = 4;
  std::string col(reinterpret_cast<const char*>(&four), 4);
  IDataObject* d = DataObjectOfMime({{"text/uri-list", "http://example.org/a?b\r\nfile://remote/x\r\n"},
                                     {"text/rtf", "{\\rtf1 x}"},
                                     {MimeGridColumn, col}});
  // A web address is its own format and, lacking other text, the text too;
  // a file on another host is no file of ours.
  EXPECT_EQ(Block(d, RegisterClipboardFormatA("UniformResourceLocator")), std::string("http://example.org/a?b\0", 23));
  EXPECT_EQ(Block(d, CF_TEXT), std::string("http://example.org/a?b\0", 23));
  EXPECT_EQ(Block(d, CF_HDROP), "<none>");
  EXPECT_EQ(Block(d, RegisterClipboardFormatA("Rich Text Format")), std::string("{\\rtf1 x}\0", 10));
  EXPECT_EQ(Block(d, RegisterClipboardFormatA("Grid Column")), col);
  TMimeData back = MimeOfDataObject(d);
  EXPECT_EQ(Mime(back, "text/uri-list"), "http://example.org/a?b\r\n");
  EXPECT_EQ(Mime(back, "text/rtf"), "{\\rtf1 x}");
  EXPECT_EQ(Mime(back, MimeGridColumn), col);
  d->Release();

  AnsiString p;
  EXPECT_EQ(FileUrlOfPath("/tmp/Отчёт #1.csv"), "file:///tmp/%D0%9E%D1%82%D1%87%D1%91%D1%82%20%231.csv");
  EXPECT_TRUE(PathOfFileUrl("file://localhost/tmp/%D0%94.txt", p));
  EXPECT_EQ(p, "/tmp/Д.txt");
  EXPECT_FALSE(PathOfFileUrl("http://x/y", p));
  EXPECT_FALSE(PathOfFileUrl("file:", p));
  // No file name holds a NUL, escaped or not.
  EXPECT_FALSE(PathOfFileUrl("file:///tmp/a%00b", p));
  EXPECT_FALSE(PathOfFileUrl(std::string("file:///tmp/a\0b", 15), p));
}

namespace {

class TRecordingTarget : public TInterfacedObject, public IDropTarget {
public:
  HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TInterfacedObject::QueryInterface(iid, obj); }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT DragEnter(IDataObject*, DWORD, POINTL pt, DWORD* e) override {
    Log.push_back("enter " + std::to_string(pt.x) + "," + std::to_string(pt.y));
    *e &= DROPEFFECT_COPY | DROPEFFECT_MOVE;
    return S_OK;
  }
  HRESULT DragOver(DWORD, POINTL, DWORD* e) override {
    *e &= DROPEFFECT_COPY | DROPEFFECT_MOVE;
    return S_OK;
  }
  HRESULT DragLeave() override {
    Log.push_back("leave");
    return S_OK;
  }
  HRESULT Drop(IDataObject* d, DWORD keys, POINTL, DWORD* e) override {
    Log.push_back("drop");
    Text = Block(d, CF_TEXT);
    Names = Files(d);
    *e = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return S_OK;
  }
  std::vector<std::string> Log;
  std::string Text;
  std::vector<AnsiString> Names;
};

// A borderless form at (50, 60), 200 x 120, shown through the host.
struct THostForm {
  THostForm() {
    TestResetKernel();
    UseSystemClock();
    Started = QtHostStart();
    OleInitialize(nullptr);
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(bsNone);
    Form->SetBounds(50, 60, 200, 120);
  }
  ~THostForm() {
    delete Form;
    OleUninitialize();
    QtHostStop();
    TestResetKernel();
  }
  // Shows the form; true once the host shows it.
  bool Show() {
    Form->Show();
    HWND h = Form->GetHandle();
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (Started && !QtHostShowsWindow(h) && std::chrono::steady_clock::now() < end) {
      Application->ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return Started && QtHostShowsWindow(h);
  }
  TForm* Form = nullptr;
  bool Started = false;
};

}  // namespace

TEST(DragBridge, AQtDropOnOurWindowReachesItsTarget) {
  THostForm f;
  ASSERT_TRUE(f.Show());
  HWND h = f.Form->GetHandle();
  auto* t = new TRecordingTarget;
  ASSERT_EQ(RegisterDragDrop(h, t), S_OK);

  TMimeData m{{"text/plain", "строка"}, {"text/uri-list", "file:///tmp/data.csv\r\n"}};
  EXPECT_EQ(QtHostSendDrop(h, m, 10, 20), DROPEFFECT_MOVE);
  EXPECT_EQ(t->Log, (std::vector<std::string>{"enter 60,80", "drop"}));
  EXPECT_EQ(t->Text, std::string("строка\0", 13));
  EXPECT_EQ(t->Names, std::vector<AnsiString>{"/tmp/data.csv"});
  EXPECT_EQ(QtHostSendDrop(h, m, 10, 20, true), DROPEFFECT_COPY);

  RevokeDragDrop(h);
  EXPECT_EQ(QtHostSendDrop(h, m, 10, 20), DROPEFFECT_NONE);
}

namespace {

class TPlainSource : public TInterfacedObject, public IDropSource {
public:
  HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TInterfacedObject::QueryInterface(iid, obj); }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT QueryContinueDrag(BOOL esc, DWORD keys) override {
    if (esc) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

// Outside our windows the drag goes on as a desktop drag; when that is over
// (here at once: no button is down for Qt), so is our loop: no capture is
// left and keys reach the form again.
TEST(DragBridge, ADragHandedToTheDesktopEndsTheLoopAndGivesTheInputBack) {
  THostForm f;
  f.Form->SetKeyPreview(true);
  std::vector<WORD> keys;
  f.Form->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys.push_back(Key); };
  ASSERT_TRUE(f.Show());
  HWND h = f.Form->GetHandle();
  SetActiveWindow(h);
  SetFocus(h);

  TestMouseDown(POINT{100, 100});
  TestScriptDragSteps({[] { TestMouseMove(POINT{120, 110}); }, [] { TestMouseMove(POINT{700, 500}); }});
  IDataObject* data = DataObjectOfMime({{"text/plain", "cell"}});
  auto* source = new TPlainSource;
  source->AddRef();
  DWORD effect = 77;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_CANCEL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_FALSE(IsOleDragging());
  EXPECT_EQ(GetCapture(), nullptr);
  TestResetDragSteps();
  TestMouseUp(POINT{700, 500});
  TestKeyPress(VK_DOWN);
  Application->ProcessMessages();
  EXPECT_EQ(keys, std::vector<WORD>{VK_DOWN});

  source->Release();
  data->Release();
}
