// OLE initialisation and drop-target registration of windows. A window has
// at most one registered IDropTarget, held with one reference until it is
// revoked or the registration is cleared at OleUninitialize. The drag loop
// that calls the targets comes with drag and drop.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/rtl/classes_intf.h"
#include "platform/windows/winuser.h"

class IDataObject;

extern const TGUID IID_IDropTarget;  // {00000122-0000-0000-C000-000000000046}

class IDropTarget : public virtual IUnknown {
public:
  virtual HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
  virtual HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
};

inline constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100u);
inline constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101u);
inline constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr DWORD MK_ALT = 0x0020;
inline constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);

inline constexpr DWORD DROPEFFECT_NONE = 0;
inline constexpr DWORD DROPEFFECT_COPY = 1;
inline constexpr DWORD DROPEFFECT_MOVE = 2;
inline constexpr DWORD DROPEFFECT_LINK = 4;

// Counted per thread: S_OK the first time, S_FALSE when already initialised.
HRESULT OleInitialize(void* Reserved);
// The last call revokes every registration still held.
void OleUninitialize();
// Needs OleInitialize on the calling thread; E_INVALIDARG for a nil target,
// DRAGDROP_E_INVALIDHWND for no window, DRAGDROP_E_ALREADYREGISTERED for a
// window that has one. Takes one reference to the target.
HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* pDropTarget);
// DRAGDROP_E_NOTREGISTERED when the window has none; drops the reference.
HRESULT RevokeDragDrop(HWND hwnd);
// The target registered for the window, nil when none (no reference added).
IDropTarget* GetRegisteredDropTarget(HWND hwnd);

// ---- Data transfer and the drag loop ---------------------------------------------------

using CLIPFORMAT = WORD;
using HGLOBAL = void*;
struct DVTARGETDEVICE;

inline constexpr UINT CF_HDROP = 15;

inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DWORD TYMED_NULL = 0;
inline constexpr DWORD TYMED_HGLOBAL = 1;
inline constexpr DWORD TYMED_FILE = 2;
inline constexpr DWORD TYMED_ISTREAM = 4;
inline constexpr DWORD DATADIR_GET = 1;
inline constexpr DWORD DATADIR_SET = 2;

inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

struct FORMATETC {
  CLIPFORMAT cfFormat;
  DVTARGETDEVICE* ptd;
  DWORD dwAspect;
  LONG lindex;
  DWORD tymed;
};

// Only global blocks travel here; the receiver of a medium owns it and frees
// it with ReleaseStgMedium.
struct STGMEDIUM {
  DWORD tymed;
  HGLOBAL hGlobal;
  IUnknown* pUnkForRelease;
};

// The head of a CF_HDROP block; pFiles is the offset of the name list from
// the block's start, the names are zero-terminated and end with an empty one.
struct DROPFILES {
  DWORD pFiles;
  POINT pt;
  BOOL fNC;
  BOOL fWide;
};

extern const TGUID IID_IDropSource;      // {00000121-0000-0000-C000-000000000046}
extern const TGUID IID_IDataObject;      // {0000010E-0000-0000-C000-000000000046}
extern const TGUID IID_IEnumFORMATETC;   // {00000103-0000-0000-C000-000000000046}

class IEnumFORMATETC : public virtual IUnknown {
public:
  virtual HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) = 0;
  virtual HRESULT Skip(ULONG celt) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumFORMATETC** ppenum) = 0;
};

// Advise sinks are not supported by anything here; they stay opaque.
class IAdviseSink;
class IEnumSTATDATA;

class IDataObject : public virtual IUnknown {
public:
  virtual HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) = 0;
  virtual HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) = 0;
  virtual HRESULT QueryGetData(FORMATETC* pformatetc) = 0;
  virtual HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) = 0;
  virtual HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) = 0;
  virtual HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) = 0;
  virtual HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) = 0;
  virtual HRESULT DUnadvise(DWORD dwConnection) = 0;
  virtual HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) = 0;
};

class IDropSource : public virtual IUnknown {
public:
  virtual HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) = 0;
  virtual HRESULT GiveFeedback(DWORD dwEffect) = 0;
};

// Frees the medium's block (or releases pUnkForRelease instead) and clears it.
void ReleaseStgMedium(STGMEDIUM* pmedium);

// Runs a drag to its end: a modal loop of the window kernel that follows the
// mouse and the keys, asks the source whether to go on and gives it the
// target's effect, and calls the registered targets of the windows under the
// pointer. Outside the program's windows the drag goes on as a desktop drag
// (see SetDesktopDragHook). DRAGDROP_S_DROP with *pdwEffect the target's
// effect, or DRAGDROP_S_CANCEL with DROPEFFECT_NONE; E_INVALIDARG for nil
// arguments, E_UNEXPECTED while another drag runs on the thread.
HRESULT DoDragDrop(IDataObject* pDataObj, IDropSource* pDropSource, DWORD dwOKEffects, DWORD* pdwEffect);
bool IsOleDragging();

// The key state of the drag messages (MK_LBUTTON, MK_SHIFT, MK_CONTROL ...),
// read from the kernel's key state.
DWORD OleDragKeyState();

// Outside the program's windows the drag is handed on: the hook runs the
// desktop's own drag of the data and returns the effect the drop ended with
// (DROPEFFECT_NONE when refused or cancelled), calling Moved with every
// pointer move on the way (screen point, MK_* key state). Without a hook the
// drag stays in the kernel and leaving the windows only leaves the last target.
using TDesktopDragMoved = std::function<void(POINT Screen, DWORD KeyState)>;
using TDesktopDragHook = std::function<DWORD(IDataObject* Data, DWORD OkEffects, const TDesktopDragMoved& Moved)>;
void SetDesktopDragHook(TDesktopDragHook Hook);

// A drag of another program over one of ours: the host calls these with the
// pointer's screen point and the foreign data; the registered target of the
// window under the point (or of its nearest ancestor with one) is entered,
// moved over, left and dropped on as in a drag of our own. Each returns the
// effect the target reported.
DWORD ForeignDragOver(IDataObject* Data, POINT Screen, DWORD KeyState, DWORD OkEffects);
void ForeignDragLeave();
DWORD ForeignDrop(IDataObject* Data, POINT Screen, DWORD KeyState, DWORD OkEffects);

// Tests: steps run by a drag's loop whenever it has no input left (each one
// gives input through the test seams). A drag that runs out of steps while
// a script is set is cancelled, so a test never waits for a person.
void TestScriptDragSteps(std::deque<std::function<void()>> Steps);
void TestResetDragSteps();

// CF_HDROP blocks: the names of a DROPFILES block read within its size
// (false when it holds none; wide names are converted to UTF-8), and a new
// block of UTF-16 names (nullptr when it cannot be had).
bool ReadDropFiles(const void* Block, std::size_t Size, std::vector<AnsiString>& Names);
HGLOBAL MakeDropFiles(const std::vector<AnsiString>& Names);

// A format enumerator over a fixed list (one reference, for the caller).
IEnumFORMATETC* CreateFormatEnumerator(std::vector<FORMATETC> Formats);
