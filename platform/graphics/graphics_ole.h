// The platform's picture loader: global memory blocks, a stream on such a
// block, and OleLoadPicture giving an IPicture that measures itself in
// HIMETRIC (0.01 mm) and renders into a device context.
#pragma once

#include "platform/rtl/classes_intf.h"
#include "platform/graphics/gdi.h"

using HGLOBAL = void*;
inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_DDESHARE = 0x2000;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of bytes; nullptr when it cannot be had. Lock gives its address.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
void* GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
std::size_t GlobalSize(HGLOBAL mem);
// nullptr on success, the block itself on failure (an unknown handle).
HGLOBAL GlobalFree(HGLOBAL mem);

inline constexpr HRESULT CTL_E_INVALIDPICTURE = static_cast<HRESULT>(0x800A01E1u);

extern const TGUID IID_IStream;
extern const TGUID IID_IPicture;

inline constexpr DWORD STREAM_SEEK_SET = 0;
inline constexpr DWORD STREAM_SEEK_CUR = 1;
inline constexpr DWORD STREAM_SEEK_END = 2;

class IStream : public virtual IUnknown {
public:
  virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
  virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
  virtual HRESULT Seek(Int64 move, DWORD origin, UInt64* newPosition) = 0;
  virtual HRESULT GetSize(UInt64* size) = 0;
};

// A stream over the block's bytes; with deleteOnRelease the stream frees the
// block when its last reference goes. A null block makes a new empty one.
HRESULT CreateStreamOnHGlobal(HGLOBAL mem, BOOL deleteOnRelease, IStream** stream);

using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;
using OLE_XPOS_HIMETRIC = LONG;
using OLE_YPOS_HIMETRIC = LONG;
using SHORT = std::int16_t;
inline constexpr SHORT PICTYPE_BITMAP = 1;

class IPicture : public virtual IUnknown {
public:
  virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) = 0;
  virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) = 0;
  virtual HRESULT get_Type(SHORT* type) = 0;
  // Draws the source part (HIMETRIC, y up: the usual call passes
  // ySrc = height and cySrc = -height) into the device rectangle.
  virtual HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                         OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                         const RECT* bounds) = 0;
};

// Decodes BMP, JPEG, GIF (first image), ICO and PNG bytes from the stream.
// Returns S_OK and an IPicture with one reference, CTL_E_INVALIDPICTURE for
// data it cannot read, E_POINTER/E_NOINTERFACE for bad arguments.
HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL runMode, const TGUID& iid, void** picture);

// The same decoding for code that holds bytes: an icon-style image (colour
// and transparency mask), nullptr when the data is not a picture.
HICON DecodePicture(const BYTE* data, std::size_t size);

// Picture files declaring more pixels than this are refused by every
// decoder. Tests and fuzzing lower it so that a few bytes cannot keep a run
// busy with an image of millions of pixels.
void SetMaxPicturePixels(long long Pixels);
