// The drag-and-drop objects: the format enumerator, the data object's
// blocks, the effect rule, the drop target's decisions with foreign data
// objects, the format reader's limits, the drop source, and a whole drag.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "grid/vzvdd.h"
#include "grid/vzvuni.h"
#include "platform/forms/clipbrd.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/rtl/codepages.h"
#include "platform/windows/winkernel_testing.h"

namespace {

FORMATETC Fmt(UINT cf, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
  return FORMATETC{static_cast<CLIPFORMAT>(cf), nullptr, aspect, -1, tymed};
}

// The block a data object hands out for a format; "<none>" when refused.
std::string Block(IDataObject* d, UINT cf) {
  FORMATETC f = Fmt(cf);
  STGMEDIUM m{};
  if (d->GetData(&f, &m) != S_OK) return "<none>";
  EXPECT_EQ(m.tymed, TYMED_HGLOBAL);
  std::string b(static_cast<const char*>(GlobalLock(m.hGlobal)), GlobalSize(m.hGlobal));
  GlobalUnlock(m.hGlobal);
  ReleaseStgMedium(&m);
  return b;
}

std::string Ansi(const std::string& names) {
  DROPFILES h{sizeof(DROPFILES), POINT{0, 0}, FALSE, FALSE};
  return std::string(reinterpret_cast<const char*>(&h), sizeof h) + names;
}

// Counts the releases of the media it hands out.
class TReleaseCounter : public TInterfacedObject {
public:
  int Released = 0;
  ULONG Release() override {
    ++Released;
    return 1;
  }
};

// A foreign data object with fixed blocks, which may refuse enumerating.
class TFakeData : public TInterfacedObject, public IDataObject {
public:
  std::vector<std::pair<UINT, std::string>> Blocks;
  bool RefuseEnum = false;
  bool RefuseGet = false;
  TReleaseCounter Counter;
  std::vector<HGLOBAL> Handed;

  TFakeData() { Counter.AddRef(); }
  ~TFakeData() override {
    for (HGLOBAL h : Handed) GlobalFree(h);
  }
  HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TInterfacedObject::QueryInterface(iid, obj); }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT GetData(FORMATETC* f, STGMEDIUM* m) override {
    *m = STGMEDIUM{};
    if (RefuseGet) return DV_E_FORMATETC;
    for (auto& [cf, b] : Blocks) {
      if (cf != f->cfFormat) continue;
      HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, b.size());
      if (!b.empty()) std::memcpy(GlobalLock(h), b.data(), b.size());
      GlobalUnlock(h);
      Handed.push_back(h);
      *m = STGMEDIUM{TYMED_HGLOBAL, h, &Counter};
      return S_OK;
    }
    return DV_E_FORMATETC;
  }
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override {
    *e = nullptr;
    if (RefuseEnum) return E_NOTIMPL;
    std::vector<FORMATETC> l;
    for (auto& [cf, b] : Blocks) l.push_back(Fmt(cf));
    *e = CreateFormatEnumerator(l);
    return S_OK;
  }
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

class TLogTarget : public TVZVDropTarget {
public:
  std::vector<std::string> Log;
  void DropText(TPoint p, const AnsiString& t) override { Log.push_back(At(p) + "text " + t); }
  void DropCol(TPoint p, int c) override { Log.push_back(At(p) + "col " + std::to_string(c)); }
  void DropRTF(TPoint p, const AnsiString& t) override { Log.push_back(At(p) + "rtf " + t); }
  void DropFiles(TPoint p, TStrings* f) override { Log.push_back(At(p) + "files " + f->GetCommaText()); }
  void DropURL(TPoint p, const AnsiString& u) override { Log.push_back(At(p) + "url " + u); }
  void DragMouseMove(TPoint, bool& allow, TDropFormats) override {
    if (Veto) allow = false;
  }
  void DragMouseEnter() override { Log.push_back("enter"); }
  void DragMouseLeave() override { Log.push_back("leave"); }
  bool Veto = false;
  static std::string At(TPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y) + " "; }
};

struct TRTFAware {
  explicit TRTFAware(bool on) { SetRTFAware(on); }
  ~TRTFAware() { SetRTFAware(false); }
};

}  // namespace

TEST(DragObjects, FormatsAreRegisteredOnceAtStart) {
  EXPECT_NE(CF_RTF(), 0u);
  EXPECT_NE(CF_GRIDCOL(), 0u);
  EXPECT_NE(CF_URL(), 0u);
  EXPECT_EQ(CF_RTF(), RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_EQ(CF_GRIDCOL(), RegisterClipboardFormatA("Grid Column"));
  EXPECT_EQ(CF_URL(), RegisterClipboardFormatA("UniformResourceLocator"));
}

TEST(DragObjects, EnumeratorNextSkipClone) {
  TInterfaceRef<IEnumFORMATETC> text(new TSourceEnumFormatEtc(false));
  FORMATETC got[2]{};
  ULONG n = 0;
  EXPECT_EQ(text->Next(2, got, &n), S_OK);
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
  EXPECT_EQ(got[1].cfFormat, CF_UNICODETEXT);
  EXPECT_EQ(got[1].ptd, nullptr);
  EXPECT_EQ(got[1].dwAspect, DVASPECT_CONTENT);
  EXPECT_EQ(got[1].lindex, -1);
  EXPECT_EQ(got[1].tymed, TYMED_HGLOBAL);
  EXPECT_EQ(text->Next(2, got, &n), S_FALSE);
  EXPECT_EQ(n, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_RTF());
  EXPECT_EQ(text->Next(1, got, nullptr), S_FALSE);

  auto* colRaw = new TSourceEnumFormatEtc(true);
  TInterfaceRef<IEnumFORMATETC> col(colRaw);
  EXPECT_EQ(col->Skip(3), S_OK);
  IEnumFORMATETC* clone = nullptr;
  EXPECT_EQ(col->Clone(&clone), S_OK);
  EXPECT_EQ(clone->Next(1, got, &n), S_OK);
  EXPECT_EQ(got[0].cfFormat, CF_GRIDCOL());
  clone->Release();
  EXPECT_EQ(col->Skip(10), S_FALSE);
  EXPECT_EQ(colRaw->GetPosition(), 4);
  EXPECT_EQ(col->Reset(), S_OK);
  EXPECT_EQ(colRaw->GetPosition(), 0);
}

TEST(DragObjects, DataObjectBlocks) {
  TInterfaceRef<IDataObject> text(new TSourceDataObject("Привет", "", -1));
  TInterfaceRef<IDataObject> col(new TSourceDataObject("", "", 7));
  EXPECT_EQ(Block(text.get(), CF_TEXT), std::string("Привет\0", 13));
  std::u16string w = u"Привет";
  w.push_back(0);
  EXPECT_EQ(Block(text.get(), CF_UNICODETEXT), std::string(reinterpret_cast<const char*>(w.data()), 14));
  // RTF only while the unit takes it; an empty one is a single zero byte.
  EXPECT_EQ(Block(text.get(), CF_RTF()), "<none>");
  {
    TRTFAware on(true);
    EXPECT_EQ(Block(text.get(), CF_RTF()), std::string(1, '\0'));
  }
  EXPECT_EQ(Block(col.get(), CF_TEXT), "<none>");  // though its enumerator lists it
  std::int32_t seven = 7;
  EXPECT_EQ(Block(col.get(), CF_GRIDCOL()), std::string(reinterpret_cast<const char*>(&seven), 4));
  EXPECT_EQ(Block(text.get(), CF_GRIDCOL()), "<none>");

  FORMATETC wrongMedium = Fmt(CF_TEXT, TYMED_HGLOBAL | TYMED_ISTREAM);
  FORMATETC wrongAspect = Fmt(CF_TEXT, TYMED_HGLOBAL, 4);
  EXPECT_EQ(text->QueryGetData(&wrongMedium), DV_E_FORMATETC);
  EXPECT_EQ(text->QueryGetData(&wrongAspect), DV_E_FORMATETC);
  STGMEDIUM m{TYMED_ISTREAM, reinterpret_cast<HGLOBAL>(1), nullptr};
  EXPECT_EQ(text->GetData(&wrongMedium, &m), DV_E_FORMATETC);
  EXPECT_EQ(m.tymed, TYMED_NULL);
  EXPECT_EQ(m.hGlobal, nullptr);
  FORMATETC f = Fmt(CF_TEXT);
  EXPECT_EQ(text->GetDataHere(&f, &m), DV_E_FORMATETC);
  EXPECT_EQ(text->SetData(&f, &m, FALSE), DV_E_FORMATETC);
  FORMATETC out{};
  out.ptd = reinterpret_cast<DVTARGETDEVICE*>(&out);
  EXPECT_EQ(text->GetCanonicalFormatEtc(&f, &out), E_NOTIMPL);
  EXPECT_EQ(out.ptd, nullptr);
  EXPECT_EQ(text->DAdvise(&f, 0, nullptr, nullptr), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(text->DUnadvise(0), OLE_E_ADVISENOTSUPPORTED);
  IEnumSTATDATA* sd = reinterpret_cast<IEnumSTATDATA*>(&out);
  EXPECT_EQ(text->EnumDAdvise(&sd), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(sd, nullptr);
  IEnumFORMATETC* e = nullptr;
  EXPECT_EQ(text->EnumFormatEtc(DATADIR_SET, &e), E_NOTIMPL);
  EXPECT_EQ(e, nullptr);
}

TEST(DragObjects, StandardEffect) {
  struct {
    TShiftState Shift;
    int Allowed;
    int Effect;
  } cases[] = {
      {0, DROPEFFECT_MOVE | DROPEFFECT_COPY, DROPEFFECT_MOVE},
      {ssCtrl, DROPEFFECT_MOVE | DROPEFFECT_COPY, DROPEFFECT_COPY},
      {ssShift, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
      {0, DROPEFFECT_COPY, DROPEFFECT_COPY},
      {0, DROPEFFECT_NONE, DROPEFFECT_COPY},
      {0, DROPEFFECT_LINK, DROPEFFECT_COPY},
  };
  for (auto& c : cases) EXPECT_EQ(StandardEffect(c.Shift, c.Allowed), c.Effect) << c.Shift << " " << c.Allowed;
}

TEST(DragObjects, TargetDecidesByTheOfferedFormatsAndItsAcceptFlags) {
  std::int32_t three = 3;
  std::string files = Ansi(std::string("/tmp/data.csv\0\0", 15));
  struct {
    const char* Name;
    std::vector<std::pair<UINT, std::string>> Blocks;
    bool AcceptText, AcceptFiles, AcceptURLs, RTF;
    DWORD KeyState;
    DWORD Effect;
    std::vector<std::string> Log;
  } cases[] = {
      {"text where text is refused", {{CF_TEXT, std::string("abc\0", 4)}}, false, true, true, false, 0,
       DROPEFFECT_NONE, {"enter"}},
      {"text and files, files refused",
       {{CF_TEXT, std::string("abc\0", 4)}, {CF_HDROP, files}}, true, false, true, false, 0, DROPEFFECT_MOVE,
       {"enter", "5,6 text abc"}},
      {"files only, text refused: no text slips in",
       {{CF_TEXT, std::string("abc\0", 4)}, {CF_HDROP, files}}, false, true, true, false, 0, DROPEFFECT_MOVE,
       {"enter", "5,6 files /tmp/data.csv"}},
      {"text and files with Ctrl",
       {{CF_TEXT, std::string("abc\0", 4)}, {CF_HDROP, files}}, true, true, true, false, MK_CONTROL,
       DROPEFFECT_COPY, {"enter", "5,6 text abc", "5,6 files /tmp/data.csv"}},
      {"a column travels alone",
       {{CF_TEXT, std::string("abc\0", 4)}, {CF_GRIDCOL(), std::string(reinterpret_cast<char*>(&three), 4)}},
       true, true, true, false, 0, DROPEFFECT_MOVE, {"enter", "5,6 col 3"}},
      {"RTF in place of text while RTF-aware",
       {{CF_TEXT, std::string("abc\0", 4)}, {CF_RTF(), std::string("{\\rtf1 x}\0", 10)}}, true, true, true, true,
       0, DROPEFFECT_MOVE, {"enter", "5,6 rtf {\\rtf1 x}"}},
      {"a URL comes with its text", {{CF_TEXT, std::string("http://x/\0", 10)}, {CF_URL(), std::string("u\0", 2)}},
       false, false, true, false, 0, DROPEFFECT_MOVE, {"enter", "5,6 url http://x/"}},
      {"RTF alone while not RTF-aware", {{CF_RTF(), std::string("r\0", 2)}}, true, true, true, false, 0,
       DROPEFFECT_NONE, {"enter"}},
  };
  for (auto& c : cases) {
    TRTFAware rtf(c.RTF);
    TInterfaceRef<TLogTarget> t(new TLogTarget);
    t->AcceptText = c.AcceptText;
    t->AcceptFiles = c.AcceptFiles;
    t->AcceptURLs = c.AcceptURLs;
    auto* fake = new TFakeData;
    TInterfaceRef<IDataObject> d(fake);
    fake->Blocks = c.Blocks;
    DWORD e = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(t->DragEnter(d.get(), MK_LBUTTON | c.KeyState, POINTL{5, 6}, &e), S_OK);
    EXPECT_EQ(e, c.Effect == DROPEFFECT_NONE ? DROPEFFECT_NONE : c.Effect) << c.Name;
    e = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    t->DragOver(MK_LBUTTON | c.KeyState, POINTL{5, 6}, &e);
    EXPECT_EQ(e, c.Effect) << c.Name;
    e = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(t->Drop(d.get(), c.KeyState, POINTL{5, 6}, &e), S_OK);
    EXPECT_EQ(e, c.Effect) << c.Name;
    EXPECT_EQ(t->Log, c.Log) << c.Name;
    // Every medium read was released.
    EXPECT_EQ(fake->Counter.Released, static_cast<int>(fake->Handed.size())) << c.Name;
  }
}

TEST(DragObjects, TargetVetoAndAnObjectThatCannotEnumerate) {
  TInterfaceRef<TLogTarget> t(new TLogTarget);
  auto* fake = new TFakeData;
  TInterfaceRef<IDataObject> d(fake);
  fake->Blocks = {{CF_TEXT, std::string("a\0", 2)}};
  DWORD e = DROPEFFECT_MOVE;
  t->DragEnter(d.get(), MK_LBUTTON, POINTL{0, 0}, &e);
  t->Veto = true;
  e = DROPEFFECT_MOVE;
  t->DragOver(MK_LBUTTON, POINTL{0, 0}, &e);
  EXPECT_EQ(e, DROPEFFECT_NONE);
  t->DragLeave();
  EXPECT_EQ(t->Log, (std::vector<std::string>{"enter", "leave"}));

  fake->RefuseEnum = true;
  t->Log.clear();
  e = DROPEFFECT_MOVE;
  EXPECT_EQ(t->DragEnter(d.get(), MK_LBUTTON, POINTL{0, 0}, &e), S_OK);
  EXPECT_EQ(e, DROPEFFECT_NONE);
  EXPECT_FALSE(t->GetDropAllowed());
  e = DROPEFFECT_MOVE;
  EXPECT_EQ(t->Drop(d.get(), 0, POINTL{0, 0}, &e), S_OK);
  EXPECT_EQ(e, DROPEFFECT_NONE);
  try {
    TEnumFormats f(d.get());
    FAIL() << "no error";
  } catch (const EAssertionFailed& x) {
    EXPECT_STREQ(x.what(), "Cannot get the format enumerator");
  }

  // Allowed at entry, but the object stops enumerating before the drop.
  fake->RefuseEnum = false;
  e = DROPEFFECT_MOVE;
  t->DragEnter(d.get(), MK_LBUTTON, POINTL{0, 0}, &e);
  fake->RefuseEnum = true;
  e = DROPEFFECT_MOVE;
  EXPECT_EQ(t->Drop(d.get(), 0, POINTL{0, 0}, &e), S_OK);
  EXPECT_EQ(e, DROPEFFECT_NONE);
}

TEST(DragObjects, ReadersStayInsideTheirBlocks) {
  std::int32_t five = 5;
  std::u16string wide = u"/tmp/Отчёт.csv";
  wide.push_back(0);
  wide.push_back(0);
  DROPFILES wh{sizeof(DROPFILES), POINT{0, 0}, FALSE, TRUE};
  std::string wideBlock = std::string(reinterpret_cast<const char*>(&wh), sizeof wh) +
                          std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
  DROPFILES far{4000, POINT{0, 0}, FALSE, FALSE};
  struct {
    const char* Name;
    std::string Block;
    int Int;
    AnsiString Text;
    AnsiString Files;  // comma text, "-" for none
  } cases[] = {
      {"whole", std::string("ab\0", 3), -1, "ab", "-"},
      {"no terminator", "abcd", 0x64636261, "", "-"},
      {"short", "ab", -1, "", "-"},
      {"empty", "", -1, "", "-"},
      {"int", std::string(reinterpret_cast<const char*>(&five), 4), 5, "\x5", "-"},
      {"ansi files", Ansi(std::string("a.csv\0b c.txt\0\0", 15)), -2, "\x14", "a.csv,\"b c.txt\""},
      {"ansi names cut", Ansi(std::string("a.csv\0b.t", 9)), -2, "\x14", "a.csv"},
      {"wide files", wideBlock, -2, "\x14", "/tmp/Отчёт.csv"},
      {"wide without the list end", wideBlock.substr(0, wideBlock.size() - 2), -2, "\x14", "/tmp/Отчёт.csv"},
      {"wide cut inside the name", wideBlock.substr(0, wideBlock.size() - 5), -2, "\x14", "-"},
      {"offset past the end", std::string(reinterpret_cast<const char*>(&far), sizeof far), 4000, "\xA0\x0F", "-"},
  };
  for (auto& c : cases) {
    auto* fake = new TFakeData;
    TInterfaceRef<IDataObject> d(fake);
    fake->Blocks = {{CF_TEXT, c.Block}, {CF_GRIDCOL(), c.Block}, {CF_HDROP, c.Block}};
    TEnumFormats f(d.get());
    if (c.Int != -2) {
      EXPECT_EQ(f.Col(), c.Int) << c.Name;
    }
    EXPECT_EQ(f.Text(), c.Text) << c.Name;
    TStringList* list = nullptr;
    ASSERT_TRUE(f.HasFile());
    bool any = f.SomeFiles(list);
    EXPECT_EQ(any ? list->GetCommaText() : AnsiString("-"), c.Files) << c.Name;
    EXPECT_EQ(fake->Counter.Released, static_cast<int>(fake->Handed.size())) << c.Name;
  }

  auto* fake = new TFakeData;
  TInterfaceRef<IDataObject> d(fake);
  fake->Blocks = {{CF_TEXT, std::string("x\0", 2)}, {CF_GRIDCOL(), "1234"}, {CF_HDROP, Ansi(std::string("a\0\0", 3))}};
  fake->RefuseGet = true;
  TEnumFormats f(d.get());
  EXPECT_TRUE(f.HasText() && f.HasCol() && !f.HasRTF() && !f.HasURL());
  EXPECT_EQ(f.Col(), -1);
  EXPECT_EQ(f.Text(), "");
  TStringList* list = nullptr;
  EXPECT_TRUE(f.HasFile());
  EXPECT_FALSE(f.SomeFiles(list));
}

TEST(DragObjects, SourceAnswers) {
  struct TSource : TVZVDropSource {
    std::vector<std::string> Log;
    void DragDropStop() override { Log.push_back("stop"); }
    void CurrentEffect(int e) override { Log.push_back("effect " + std::to_string(e)); }
    void QueryDrag() override { Log.push_back("query"); }
  };
  TInterfaceRef<TSource> s(new TSource);
  EXPECT_EQ(s->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(s->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(s->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(s->GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_TRUE(s->GetTargetRefused());
  s->GiveFeedback(DROPEFFECT_COPY);
  EXPECT_FALSE(s->GetTargetRefused());
  // Esc cancels without the stop.
  EXPECT_EQ(s->Log, (std::vector<std::string>{"query", "query", "stop", "query", "effect 0", "effect 1"}));
}

TEST(DragObjects, AWholeTextDragBetweenTwoWindows) {
  TestResetKernel();
  UseTestClock();
  OleInitialize(nullptr);
  TWindowClass c;
  c.Name = "DragObjectsWindow";
  RegisterWindowClass(c);
  auto make = [](int x) {
    TWindowCreateParams p;
    p.ClassName = "DragObjectsWindow";
    p.Style = WS_POPUP | WS_VISIBLE;
    p.X = x;
    p.Width = 100;
    p.Height = 100;
    return CreateWindowFromParams(p);
  };
  make(0);
  HWND b = make(200);
  auto* t = new TLogTarget;
  RegisterDragDrop(b, t);
  TInterfaceRef<TVZVDropSource> s(new TVZVDropSource);
  int effect = -1;

  TestMouseDown(POINT{50, 50});
  TestScriptDragSteps({[] { TestMouseMove(POINT{250, 50}); }, [] { TestMouseUp(POINT{250, 50}); }});
  EXPECT_EQ(StartTextDoDragDrop(s.get(), "Строка", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
  EXPECT_EQ(effect, static_cast<int>(DROPEFFECT_MOVE));
  EXPECT_EQ(t->Log, (std::vector<std::string>{"enter", "250,50 text Строка"}));

  // A refusing target makes the drag a cancel for its source.
  t->AcceptText = false;
  t->Log.clear();
  TestMouseDown(POINT{50, 50});
  TestScriptDragSteps({[] { TestMouseMove(POINT{250, 50}); }, [] { TestMouseUp(POINT{250, 50}); }});
  EXPECT_EQ(StartColDoDragDrop(s.get(), 2, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
  EXPECT_EQ(effect, static_cast<int>(DROPEFFECT_NONE));
  EXPECT_EQ(t->Log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(s->GetRefCount(), 1);  // the drag let go of its source

  TestResetDragSteps();
  OleUninitialize();
  TestResetKernel();
  UseSystemClock();
}
