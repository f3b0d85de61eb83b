// The readers of dropped data. The first byte chooses: even, the bytes are
// one block handed out under CF_TEXT, "Grid Column" and CF_HDROP and read
// through the format reader; odd, they are a desktop "text/uri-list" turned
// into a data object and back. Properties: texts are the block up to its
// first zero (none without one), integers need four bytes, file names are
// whole and non-empty, every medium is released, and file names survive
// the way to file URLs and back.
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "grid/vzvdd.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/oledesktop.h"
#include "platform/graphics/graphics_ole.h"

namespace {

class TBlockData : public TInterfacedObject, public IDataObject {
public:
  std::string Bytes;
  int Out = 0;
  HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TInterfacedObject::QueryInterface(iid, obj); }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT GetData(FORMATETC*, STGMEDIUM* m) override {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
    if (!Bytes.empty()) std::memcpy(GlobalLock(h), Bytes.data(), Bytes.size());
    GlobalUnlock(h);
    *m = STGMEDIUM{TYMED_HGLOBAL, h, nullptr};
    ++Out;
    return S_OK;
  }
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT QueryGetData(FORMATETC*) override { return S_OK; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override {
    std::vector<FORMATETC> l;
    for (UINT cf : {UINT(CF_TEXT), CF_GRIDCOL(), UINT(CF_HDROP)})
      l.push_back(FORMATETC{static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    *e = CreateFormatEnumerator(l);
    return S_OK;
  }
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

void Blocks(const std::string& b) {
  auto* d = new TBlockData;
  TInterfaceRef<IDataObject> keep(d);
  d->Bytes = b;
  TEnumFormats f(d);
  AnsiString text = f.Text();
  std::size_t z = b.find('\0');
  FUZZ_CHECK_EQ(text, z == std::string::npos ? std::string() : b.substr(0, z));
  int col = f.Col();
  if (b.size() < 4) FUZZ_CHECK(col == -1);
  TStringList* files = nullptr;
  FUZZ_CHECK(f.HasFile());
  bool any = f.SomeFiles(files);
  FUZZ_CHECK(any == (files->GetCount() > 0));
  DROPFILES head{};
  if (b.size() >= sizeof head) std::memcpy(&head, b.data(), sizeof head);
  for (int i = 0; i < files->GetCount(); ++i) {
    AnsiString n = files->Strings(i);
    FUZZ_CHECK(!n.empty() && n.find('\0') == std::string::npos);
    if (!head.fWide) FUZZ_CHECK(b.find(n + '\0', head.pFiles) != std::string::npos);
  }
}

void UriList(const std::string& b) {
  IDataObject* d = DataObjectOfMime({{"text/uri-list", b}});
  TMimeData back = MimeOfDataObject(d);
  FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m{};
  if (d->GetData(&f, &m) == S_OK) {
    std::vector<AnsiString> names;
    FUZZ_CHECK(ReadDropFiles(GlobalLock(m.hGlobal), GlobalSize(m.hGlobal), names));
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    for (const AnsiString& n : names) {
      AnsiString p;
      FUZZ_CHECK(PathOfFileUrl(FileUrlOfPath(n), p));
      FUZZ_CHECK_EQ(p, n);
    }
  }
  d->Release();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  std::string b(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  if (Data[0] & 1)
    UriList(b);
  else
    Blocks(b);
  return 0;
}
