#include "platform/forms/oledesktop.h"

#include <strings.h>

#include <cctype>
#include <cstring>

#include "platform/forms/clipbrd.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/rtl/codepages.h"

namespace {

UINT CfRtf() { return RegisterClipboardFormatA("Rich Text Format"); }
UINT CfUrl() { return RegisterClipboardFormatA("UniformResourceLocator"); }
UINT CfCol() { return RegisterClipboardFormatA("Grid Column"); }

// The bytes of one format, read within the block and released.
bool Fetch(IDataObject* d, UINT cf, std::string& out) {
  FORMATETC f{static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m{TYMED_NULL, nullptr, nullptr};
  if (d->GetData(&f, &m) != S_OK) return false;
  bool ok = false;
  if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
    if (const void* p = GlobalLock(m.hGlobal)) {
      out.assign(static_cast<const char*>(p), GlobalSize(m.hGlobal));
      GlobalUnlock(m.hGlobal);
      ok = true;
    }
  }
  ReleaseStgMedium(&m);
  return ok;
}

std::string UpToZero(const std::string& s) { return s.substr(0, s.find('\0')); }

std::u16string WideUpToZero(const std::string& s) {
  std::u16string w;
  for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
    char16_t c;
    std::memcpy(&c, s.data() + i, 2);
    if (!c) break;
    w.push_back(c);
  }
  return w;
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A data object over fixed blocks of our formats.
class TMimeDataObject : public TInterfacedObject, public IDataObject {
public:
  std::vector<std::pair<UINT, std::string>> Blocks;

  HRESULT QueryInterface(const TGUID& iid, void** obj) override {
    if (!obj) return E_POINTER;
    if (iid == IID_IDataObject) {
      *obj = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    return TInterfacedObject::QueryInterface(iid, obj);
  }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  const std::string* Find(const FORMATETC* f) const {
    if (!f || f->dwAspect != DVASPECT_CONTENT || !(f->tymed & TYMED_HGLOBAL)) return nullptr;
    for (auto& [cf, b] : Blocks)
      if (cf == f->cfFormat) return &b;
    return nullptr;
  }
  HRESULT GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (!m) return E_POINTER;
    *m = STGMEDIUM{TYMED_NULL, nullptr, nullptr};
    const std::string* b = Find(f);
    if (!b) return DV_E_FORMATETC;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, b->size());
    void* p = h ? GlobalLock(h) : nullptr;
    if (!p) {
      if (h) GlobalFree(h);
      return E_OUTOFMEMORY;
    }
    std::memcpy(p, b->data(), b->size());
    GlobalUnlock(h);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = h;
    return S_OK;
  }
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT QueryGetData(FORMATETC* f) override { return Find(f) ? S_OK : DV_E_FORMATETC; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD dir, IEnumFORMATETC** e) override {
    if (!e) return E_POINTER;
    *e = nullptr;
    if (dir != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    for (auto& [cf, b] : Blocks)
      list.push_back(FORMATETC{static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    *e = CreateFormatEnumerator(std::move(list));
    return S_OK;
  }
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(IEnumSTATDATA** e) override {
    if (e) *e = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
  }
};

std::string Zeroed(const std::string& s) { return s + '\0'; }

std::string WideZeroed(const AnsiString& utf8) {
  std::u16string w = Utf8ToWide(utf8);
  w.push_back(0);
  return std::string(reinterpret_cast<const char*>(w.data()), w.size() * sizeof(char16_t));
}

}  // namespace

AnsiString FileUrlOfPath(const AnsiString& Path) {
  static const char* hex = "0123456789ABCDEF";
  AnsiString u = "file://";
  for (unsigned char c : Path) {
    if (std::isalnum(c) || std::strchr("-._~/", c)) {
      u += static_cast<char>(c);
    } else {
      u += '%';
      u += hex[c >> 4];
      u += hex[c & 15];
    }
  }
  return u;
}

bool PathOfFileUrl(const AnsiString& Url, AnsiString& Path) {
  Path.clear();
  if (Url.size() < 7 || strncasecmp(Url.c_str(), "file://", 7) != 0) return false;
  std::size_t slash = Url.find('/', 7);
  if (slash == std::string::npos) return false;
  AnsiString host = Url.substr(7, slash - 7);
  if (!host.empty() && strcasecmp(host.c_str(), "localhost") != 0) return false;
  for (std::size_t i = slash; i < Url.size(); ++i) {
    int h = 0, l = 0;
    if (Url[i] == '%' && i + 2 < Url.size() && (h = Hex(Url[i + 1])) >= 0 && (l = Hex(Url[i + 2])) >= 0) {
      Path += static_cast<char>(h * 16 + l);
      i += 2;
    } else {
      Path += Url[i];
    }
  }
  // No file name holds a NUL: such a URL names no file (and would split
  // into several names in a file list).
  if (Path.find('\0') != std::string::npos) {
    Path.clear();
    return false;
  }
  return !Path.empty();
}

TMimeData MimeOfDataObject(IDataObject* Data) {
  TMimeData out;
  if (!Data) return out;
  std::string b;
  if (Fetch(Data, CF_UNICODETEXT, b))
    out.push_back({"text/plain", WideToUtf8(WideUpToZero(b))});
  else if (Fetch(Data, CF_TEXT, b))
    out.push_back({"text/plain", UpToZero(b)});
  if (Fetch(Data, CfRtf(), b)) out.push_back({"text/rtf", UpToZero(b)});
  std::string uris;
  if (Fetch(Data, CfUrl(), b) && !UpToZero(b).empty()) uris += UpToZero(b) + "\r\n";
  std::vector<AnsiString> files;
  if (Fetch(Data, CF_HDROP, b) && ReadDropFiles(b.data(), b.size(), files))
    for (const AnsiString& f : files) uris += FileUrlOfPath(f) + "\r\n";
  if (!uris.empty()) out.push_back({"text/uri-list", uris});
  if (Fetch(Data, CfCol(), b) && b.size() >= 4) out.push_back({MimeGridColumn, b.substr(0, 4)});
  return out;
}

IDataObject* DataObjectOfMime(const TMimeData& Mime) {
  auto* d = new TMimeDataObject;
  d->AddRef();
  const std::string* text = nullptr;
  const std::string* rtf = nullptr;
  const std::string* uris = nullptr;
  const std::string* col = nullptr;
  for (const TMimeItem& m : Mime) {
    AnsiString type = m.Type.substr(0, m.Type.find(';'));
    if (type == "text/plain" && !text) text = &m.Data;
    if ((type == "text/rtf" || type == "application/rtf") && !rtf) rtf = &m.Data;
    if (type == "text/uri-list" && !uris) uris = &m.Data;
    if (type == MimeGridColumn && !col) col = &m.Data;
  }
  std::vector<AnsiString> files;
  AnsiString url;
  if (uris) {
    std::size_t pos = 0;
    while (pos <= uris->size()) {
      std::size_t end = uris->find('\n', pos);
      if (end == std::string::npos) end = uris->size();
      AnsiString line = uris->substr(pos, end - pos);
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      pos = end + 1;
      if (line.empty() || line[0] == '#') continue;
      AnsiString path;
      if (PathOfFileUrl(line, path))
        files.push_back(path);
      else if (url.empty())
        url = line;
    }
  }
  // The text first: readers take the first format they know.
  AnsiString plain = text ? UpToZero(*text) : url;
  if (text || !url.empty()) {
    d->Blocks.push_back({CF_TEXT, Zeroed(plain)});
    d->Blocks.push_back({CF_UNICODETEXT, WideZeroed(plain)});
  }
  if (rtf) d->Blocks.push_back({CfRtf(), Zeroed(UpToZero(*rtf))});
  if (!url.empty()) d->Blocks.push_back({CfUrl(), Zeroed(url)});
  if (!files.empty()) {
    HGLOBAL h = MakeDropFiles(files);
    if (h) {
      d->Blocks.push_back({CF_HDROP, std::string(static_cast<const char*>(GlobalLock(h)), GlobalSize(h))});
      GlobalUnlock(h);
      GlobalFree(h);
    }
  }
  if (col && col->size() >= 4) d->Blocks.push_back({CfCol(), col->substr(0, 4)});
  return d;
}
