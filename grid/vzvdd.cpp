#include "grid/vzvdd.h"

#include <cstring>
#include <utility>

#include "grid/vzvuni.h"
#include "platform/forms/clipbrd.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/rtl/codepages.h"

namespace {

bool RTFAware = false;

// Registered once for the program; the clipboard is not opened for it, so
// no data object ever offers these under format 0.
struct TFormats {
  UINT RTF = RegisterClipboardFormatA("Rich Text Format");
  UINT Col = RegisterClipboardFormatA("Grid Column");
  UINT URL = RegisterClipboardFormatA("UniformResourceLocator");
};

const TFormats& Formats() {
  static const TFormats f;
  return f;
}

[[maybe_unused]] const TFormats& UnitStart = Formats();

template <class I>
HRESULT Answer(I* self, const TGUID& iid, const TGUID& own, void** obj, TInterfacedObject* base) {
  if (!obj) return E_POINTER;
  if (iid == own) {
    *obj = self;
    self->AddRef();
    return S_OK;
  }
  return base->TInterfacedObject::QueryInterface(iid, obj);
}

FORMATETC Entry(UINT cf) { return FORMATETC{static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

UINT CF_RTF() { return Formats().RTF; }
UINT CF_GRIDCOL() { return Formats().Col; }
UINT CF_URL() { return Formats().URL; }

void SetRTFAware(bool Value) { RTFAware = Value; }
bool GetRTFAware() { return RTFAware; }

int StandardEffect(TShiftState Shift, int Allowed) {
  if (!(Shift & ssCtrl) && (Allowed & static_cast<int>(DROPEFFECT_MOVE))) return DROPEFFECT_MOVE;
  return DROPEFFECT_COPY;
}

// ---- Drop target -----------------------------------------------------------------------------------

HRESULT TVZVDropTarget::QueryInterface(const TGUID& IID, void** Obj) {
  return Answer<IDropTarget>(this, IID, IID_IDropTarget, Obj, this);
}

HRESULT TVZVDropTarget::DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL, DWORD* Effect) {
  FDropAllowed = false;
  FFormats = 0;
  // A reader that cannot enumerate stops here: the target takes nothing.
  try {
    TEnumFormats f(DataObj);
    if (f.HasText()) FFormats |= DropFormatBit(dfText);
    if (f.HasFile()) FFormats |= DropFormatBit(dfFile);
    if (f.HasRTF()) FFormats |= DropFormatBit(dfRTF);
    if (f.HasCol()) FFormats |= DropFormatBit(dfCol);
    if (f.HasURL()) FFormats |= DropFormatBit(dfURL);
  } catch (const std::exception&) {
    FFormats = 0;
  }
  auto has = [&](TDropFormat d) { return (FFormats & DropFormatBit(d)) != 0; };
  FDropAllowed = (has(dfText) && AcceptText) || (has(dfFile) && AcceptFiles) ||
                 (has(dfRTF) && RTFAware && AcceptText) || (has(dfCol) && AcceptCols) || (has(dfURL) && AcceptURLs);
  if (Effect)
    *Effect = FDropAllowed ? StandardEffect(MouseKeysToShiftState(KeyState), static_cast<int>(*Effect))
                           : DROPEFFECT_NONE;
  DragMouseEnter();
  return S_OK;
}

HRESULT TVZVDropTarget::DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) {
  int e = DROPEFFECT_NONE;
  if (FDropAllowed) e = StandardEffect(MouseKeysToShiftState(KeyState), Effect ? static_cast<int>(*Effect) : 0);
  bool allow = e != DROPEFFECT_NONE;
  DragMouseMove(TPoint(Pt.x, Pt.y), allow, FFormats);
  if (Effect) *Effect = allow ? static_cast<DWORD>(e) : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT TVZVDropTarget::DragLeave() {
  DragMouseLeave();
  return S_OK;
}

HRESULT TVZVDropTarget::Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) {
  if (!FDropAllowed) {
    if (Effect) *Effect = DROPEFFECT_NONE;
    return S_OK;
  }
  auto has = [&](TDropFormat d) { return (FFormats & DropFormatBit(d)) != 0; };
  TPoint pt(Pt.x, Pt.y);
  FDropRefused = false;
  try {
    TEnumFormats f(DataObj);
    if (has(dfCol)) {
      // A column travels alone.
      DropCol(pt, f.Col());
    } else {
      // Each kind only with its own consent: a text drag that also carries
      // a file does not load that file where files are refused.
      if (AcceptText) {
        if (has(dfRTF) && RTFAware)
          DropRTF(pt, f.RTF());
        else if (has(dfText))
          DropText(pt, f.Text());
      }
      if (has(dfFile) && AcceptFiles) {
        TStringList* files = nullptr;
        if (f.HasFile() && f.SomeFiles(files)) DropFiles(pt, files);
      }
      if (has(dfURL) && AcceptURLs) DropURL(pt, f.Text());
    }
  } catch (const EAssertionFailed&) {
    if (Effect) *Effect = DROPEFFECT_NONE;
    return S_OK;
  }
  if (Effect)
    *Effect = FDropRefused ? DROPEFFECT_NONE : StandardEffect(MouseKeysToShiftState(KeyState), static_cast<int>(*Effect));
  return S_OK;
}

// ---- Drop source -----------------------------------------------------------------------------------

HRESULT TVZVDropSource::QueryInterface(const TGUID& IID, void** Obj) {
  return Answer<IDropSource>(this, IID, IID_IDropSource, Obj, this);
}

HRESULT TVZVDropSource::QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) {
  HRESULT r = S_OK;
  if (EscapePressed) {
    r = DRAGDROP_S_CANCEL;
  } else if (!(KeyState & MK_LBUTTON)) {
    DragDropStop();
    r = DRAGDROP_S_DROP;
  }
  QueryDrag();
  return r;
}

HRESULT TVZVDropSource::GiveFeedback(DWORD Effect) {
  FTargetRefused = Effect == DROPEFFECT_NONE;
  CurrentEffect(static_cast<int>(Effect));
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- Data object -----------------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const AnsiString& Text, const AnsiString& RTF, int Col)
    : FText(Text), FRTF(RTF), FCol(Col) {}

HRESULT TSourceDataObject::QueryInterface(const TGUID& IID, void** Obj) {
  return Answer<IDataObject>(this, IID, IID_IDataObject, Obj, this);
}

HRESULT TSourceDataObject::QueryGetData(FORMATETC* F) {
  if (!F || F->dwAspect != DVASPECT_CONTENT || F->tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
  HRESULT r = DV_E_FORMATETC;
  if (!FText.empty()) {
    if (F->cfFormat == CF_TEXT || F->cfFormat == CF_UNICODETEXT) r = S_OK;
    if (F->cfFormat == CF_RTF() && RTFAware) r = S_OK;
  }
  if (FCol != -1 && F->cfFormat == CF_GRIDCOL()) r = S_OK;
  return r;
}

HRESULT TSourceDataObject::GetData(FORMATETC* F, STGMEDIUM* M) {
  if (!M) return E_POINTER;
  *M = STGMEDIUM{TYMED_NULL, nullptr, nullptr};
  if (QueryGetData(F) != S_OK) return DV_E_FORMATETC;
  M->tymed = TYMED_HGLOBAL;
  // Copied straight into the block (a dropped text may be megabytes); the
  // block comes zeroed, which ends the texts.
  WideString wide;
  const std::int32_t col = FCol;
  const void* from = &col;
  std::size_t size = sizeof col, bytes = sizeof col;
  if (F->cfFormat == CF_TEXT) {
    from = FText.data();
    bytes = FText.size();
    size = bytes + 1;
  } else if (F->cfFormat == CF_UNICODETEXT) {
    wide = Utf8ToWide(FText);
    from = wide.data();
    bytes = wide.size() * sizeof(char16_t);
    size = bytes + sizeof(char16_t);
  } else if (F->cfFormat == CF_RTF()) {
    from = FRTF.data();
    bytes = FRTF.size();
    size = bytes + 1;
  }
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
  if (!h) return DV_E_FORMATETC;
  void* p = GlobalLock(h);
  if (!p) {
    GlobalFree(h);
    return DV_E_FORMATETC;
  }
  if (bytes) std::memcpy(p, from, bytes);
  GlobalUnlock(h);
  M->hGlobal = h;
  return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }
HRESULT TSourceDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* Out) {
  if (Out) Out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) {
  if (!Enum) return E_POINTER;
  *Enum = nullptr;
  if (Direction != DATADIR_GET) return E_NOTIMPL;
  auto* e = new TSourceEnumFormatEtc(FCol != -1);
  e->AddRef();
  *Enum = e;
  return S_OK;
}

HRESULT TSourceDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TSourceDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSourceDataObject::EnumDAdvise(IEnumSTATDATA** Enum) {
  if (Enum) *Enum = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// ---- Format enumerator -----------------------------------------------------------------------------

HRESULT TSourceEnumFormatEtc::QueryInterface(const TGUID& IID, void** Obj) {
  return Answer<IEnumFORMATETC>(this, IID, IID_IEnumFORMATETC, Obj, this);
}

HRESULT TSourceEnumFormatEtc::Next(ULONG Celt, FORMATETC* Elements, ULONG* Fetched) {
  const UINT list[] = {CF_TEXT, CF_UNICODETEXT, CF_RTF(), CF_GRIDCOL()};
  ULONG n = 0;
  while (n < Celt && FPosition < Count()) {
    if (Elements) Elements[n] = Entry(list[FPosition]);
    ++n;
    ++FPosition;
  }
  if (Fetched) *Fetched = n;
  return n == Celt ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG Celt) {
  long long p = static_cast<long long>(FPosition) + Celt;
  if (p <= Count()) {
    FPosition = static_cast<int>(p);
    return S_OK;
  }
  FPosition = Count();
  return S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Reset() {
  FPosition = 0;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(IEnumFORMATETC** Enum) {
  if (!Enum) return E_POINTER;
  auto* e = new TSourceEnumFormatEtc(FWithCol, FPosition);
  e->AddRef();
  *Enum = e;
  return S_OK;
}

// ---- Block readers ---------------------------------------------------------------------------------

int DropBlockInt(const std::string& B) {
  std::int32_t v;
  if (B.size() < sizeof v) return -1;
  std::memcpy(&v, B.data(), sizeof v);
  return v;
}

namespace {
// The block itself becomes the text: a dropped text may be megabytes.
AnsiString BlockText(std::string B) {
  std::size_t z = B.find('\0');
  if (z == std::string::npos) return AnsiString();
  B.resize(z);
  return B;
}
}  // namespace

AnsiString DropBlockText(const std::string& B) { return BlockText(B); }

bool DropBlockFiles(const std::string& B, TStrings* List) {
  List->Clear();
  std::vector<AnsiString> names;
  ReadDropFiles(B.data(), B.size(), names);
  for (const AnsiString& n : names) List->Add(n);
  return List->GetCount() > 0;
}

// ---- Format reader ---------------------------------------------------------------------------------

TEnumFormats::TEnumFormats(IDataObject* DataObject) { SetDataObject(DataObject); }

TEnumFormats::~TEnumFormats() {
  if (FEnum) FEnum->Release();
  if (FDataObject) FDataObject->Release();
}

void TEnumFormats::SetDataObject(IDataObject* Value) {
  if (FEnum) FEnum->Release();
  FEnum = nullptr;
  if (FDataObject) FDataObject->Release();
  FDataObject = Value;
  if (!Value) return;
  Value->AddRef();
  if (Value->EnumFormatEtc(DATADIR_GET, &FEnum) != S_OK || !FEnum) {
    // The object is given back: a constructor that throws here never runs
    // the destructor that would.
    FEnum = nullptr;
    FDataObject->Release();
    FDataObject = nullptr;
    throw EAssertionFailed("Cannot get the format enumerator");
  }
  Reset();
}

bool TEnumFormats::Reset() {
  FValid = false;
  FCount = 0;
  return FEnum && FEnum->Reset() == S_OK;
}

bool TEnumFormats::Next() {
  ++FCount;
  ULONG got = 0;
  FValid = FEnum && FEnum->Next(1, &FCurrent, &got) == S_OK && got == 1;
  return FValid;
}

bool TEnumFormats::HasFormat(UINT Cf) {
  Reset();
  while (Next())
    if (FCurrent.cfFormat == Cf) return true;
  return false;
}

bool TEnumFormats::Handle(DWORD Tymed, std::string& Block) {
  Block.clear();
  if (!FValid || !FDataObject || (FCurrent.tymed & Tymed) != Tymed) return false;
  FORMATETC f = FCurrent;
  f.tymed = Tymed;
  STGMEDIUM m{TYMED_NULL, nullptr, nullptr};
  if (FDataObject->GetData(&f, &m) != S_OK) return false;
  bool ok = false;
  if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
    std::size_t size = GlobalSize(m.hGlobal);
    if (const void* p = GlobalLock(m.hGlobal)) {
      Block.assign(static_cast<const char*>(p), size);
      GlobalUnlock(m.hGlobal);
      ok = true;
    }
  }
  // The medium is ours now, whatever it held.
  ReleaseStgMedium(&m);
  return ok;
}

int TEnumFormats::SomeInt(UINT Cf) {
  std::string b;
  if (!HasFormat(Cf) || !GlobalHandle(b)) return -1;
  return DropBlockInt(b);
}

AnsiString TEnumFormats::SomeText(UINT Cf) {
  std::string b;
  if (!HasFormat(Cf) || !GlobalHandle(b)) return "";
  return BlockText(std::move(b));
}

bool TEnumFormats::SomeFiles(TStringList*& List) {
  List = FFiles.get();
  FFiles->Clear();
  std::string b;
  if (!GlobalHandle(b)) return false;
  return DropBlockFiles(b, FFiles.get());
}

// ---- Running a drag --------------------------------------------------------------------------------

namespace {

HRESULT Run(TVZVDropSource* Source, TSourceDataObject* Data, int OkEffects, int& Effect) {
  TInterfaceRef<IDataObject> data(Data);
  TInterfaceRef<IDropSource> source(Source);
  DWORD e = DROPEFFECT_NONE;
  HRESULT r = DoDragDrop(data.get(), source.get(), static_cast<DWORD>(OkEffects), &e);
  Effect = static_cast<int>(e);
  if (Source->GetTargetRefused()) r = DRAGDROP_S_CANCEL;
  return r;
}

}  // namespace

HRESULT StartTextDoDragDrop(TVZVDropSource* Source, const AnsiString& Text, const AnsiString& RTF, int OkEffects,
                            int& Effect) {
  return Run(Source, new TSourceDataObject(Text, RTF, -1), OkEffects, Effect);
}

HRESULT StartColDoDragDrop(TVZVDropSource* Source, int Col, int OkEffects, int& Effect) {
  return Run(Source, new TSourceDataObject("", "", Col), OkEffects, Effect);
}
