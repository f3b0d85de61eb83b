// OLE initialisation and drop-target registration of windows. A window has
// at most one registered IDropTarget, held with one reference until it is
// revoked or the registration is cleared at OleUninitialize. The drag loop
// that calls the targets comes with drag and drop.
#pragma once

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
