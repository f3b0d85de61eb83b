// The picture loader (global blocks, streams, OleLoadPicture), TLoadedImage
// and TPicture with its registry of graphic classes by file extension.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/graphics/jpeg.h"

const TGUID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const TGUID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// ---- Global memory --------------------------------------------------------
namespace {
struct TGlobalBlock {
  std::vector<Byte> Data;
  int Locks = 0;
};
std::mutex gGlobalMutex;
std::unordered_set<const void*>& Blocks() {
  static auto* s = new std::unordered_set<const void*>;
  return *s;
}
TGlobalBlock* Block(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(gGlobalMutex);
  return h && Blocks().count(h) ? static_cast<TGlobalBlock*>(h) : nullptr;
}
}  // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
  auto* b = new (std::nothrow) TGlobalBlock;
  if (!b) return nullptr;
  try {
    b->Data.resize(bytes);  // zero-filled whatever the flags
  } catch (const std::bad_alloc&) {
    delete b;
    return nullptr;
  }
  std::lock_guard<std::mutex> lock(gGlobalMutex);
  Blocks().insert(b);
  return b;
}
void* GlobalLock(HGLOBAL mem) {
  TGlobalBlock* b = Block(mem);
  if (!b) return nullptr;
  ++b->Locks;
  return b->Data.empty() ? static_cast<void*>(b) : b->Data.data();
}
BOOL GlobalUnlock(HGLOBAL mem) {
  TGlobalBlock* b = Block(mem);
  if (!b || b->Locks == 0) return FALSE;
  return --b->Locks > 0;
}
std::size_t GlobalSize(HGLOBAL mem) {
  TGlobalBlock* b = Block(mem);
  return b ? b->Data.size() : 0;
}
HGLOBAL GlobalFree(HGLOBAL mem) {
  TGlobalBlock* b = Block(mem);
  if (!b) return mem;
  {
    std::lock_guard<std::mutex> lock(gGlobalMutex);
    Blocks().erase(b);
  }
  delete b;
  return nullptr;
}

// ---- Streams on global blocks ---------------------------------------------
namespace {
class TGlobalStream : public TInterfacedObject, public IStream {
public:
  TGlobalStream(HGLOBAL mem, bool owns) : FMem(mem), FOwns(owns) {}
  ~TGlobalStream() override {
    if (FOwns) GlobalFree(FMem);
  }
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override {
    if (!Obj) return E_POINTER;
    if (IID == IID_IStream) {
      *Obj = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    return TInterfacedObject::QueryInterface(IID, Obj);
  }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }

  HRESULT Read(void* pv, ULONG cb, ULONG* read) override {
    TGlobalBlock* b = Block(FMem);
    if (!b || (!pv && cb)) return E_POINTER;
    std::size_t n = FPos < b->Data.size() ? std::min<std::size_t>(cb, b->Data.size() - FPos) : 0;
    if (n) std::memcpy(pv, b->Data.data() + FPos, n);
    FPos += n;
    if (read) *read = static_cast<ULONG>(n);
    return n == cb ? S_OK : S_FALSE;
  }
  HRESULT Write(const void* pv, ULONG cb, ULONG* written) override {
    TGlobalBlock* b = Block(FMem);
    if (!b || (!pv && cb)) return E_POINTER;
    if (FPos + cb > b->Data.size()) b->Data.resize(FPos + cb);
    if (cb) std::memcpy(b->Data.data() + FPos, pv, cb);
    FPos += cb;
    if (written) *written = cb;
    return S_OK;
  }
  HRESULT Seek(Int64 move, DWORD origin, UInt64* newPos) override {
    TGlobalBlock* b = Block(FMem);
    if (!b) return E_POINTER;
    Int64 base = origin == STREAM_SEEK_SET ? 0 : origin == STREAM_SEEK_CUR ? static_cast<Int64>(FPos) : static_cast<Int64>(b->Data.size());
    if (origin > STREAM_SEEK_END || base + move < 0) return E_INVALIDARG;
    FPos = static_cast<std::size_t>(base + move);
    if (newPos) *newPos = FPos;
    return S_OK;
  }
  HRESULT GetSize(UInt64* size) override {
    TGlobalBlock* b = Block(FMem);
    if (!b || !size) return E_POINTER;
    *size = b->Data.size();
    return S_OK;
  }

private:
  HGLOBAL FMem;
  bool FOwns;
  std::size_t FPos = 0;
};
}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL mem, BOOL deleteOnRelease, IStream** stream) {
  if (!stream) return E_POINTER;
  *stream = nullptr;
  if (!mem) {
    mem = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!mem) return E_OUTOFMEMORY;
  } else if (!Block(mem)) {
    return E_INVALIDARG;
  }
  auto* s = new TGlobalStream(mem, deleteOnRelease != 0);
  s->AddRef();
  *stream = s;
  return S_OK;
}

// ---- Decoding -------------------------------------------------------------
namespace gdi {
HBITMAP DecodeDib(const BYTE* p, std::size_t size, std::size_t bitsOffset);
}

HICON DecodePicture(const BYTE* d, std::size_t n) {
  if (!d || n < 4) return nullptr;
  // The decoded bitmap becomes the icon's own: a picture is held once.
  auto opaqueIcon = [](HBITMAP b) -> HICON {
    if (!b) return nullptr;
    return gdi::AdoptIcon(b, std::vector<bool>(static_cast<std::size_t>(b->Width) * b->Height, true));
  };
  if (d[0] == 'B' && d[1] == 'M' && n > 14) {
    DWORD off = d[10] | (d[11] << 8) | (d[12] << 16) | (static_cast<DWORD>(d[13]) << 24);
    return opaqueIcon(gdi::DecodeDib(d + 14, n - 14, off >= 14 ? off - 14 : 0));
  }
  if (d[0] == 0xFF && d[1] == 0xD8) {
    AnsiString error;
    return opaqueIcon(JpegDecode(d, n, 1, false, error));
  }
  if (d[0] == 0 && d[1] == 0 && (d[2] == 1 || d[2] == 2) && d[3] == 0) return gdi::DecodeIco(d, n, 0, 0);
  const char* format = nullptr;
  if (n >= 6 && std::memcmp(d, "GIF8", 4) == 0) format = "GIF";
  if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) format = "PNG";
  if (!format) return nullptr;
  return gdi::DecodeImageIcon(d, n, format);
}

namespace {
// Draws part of an icon-style image into a device rectangle, skipping its
// transparent pixels. sh < 0 or sw < 0 mirror.
void DrawMasked(HDC dc, int x, int y, int w, int h, HICON img, int sx, int sy, int sw, int sh) {
  if (!gdi::IsLiveDC(dc) || w == 0 || h == 0 || sw == 0 || sh == 0) return;
  for (int py = 0; py < std::abs(h); ++py) {
    int ty = h > 0 ? y + py : y - py - 1;
    double fy = (py + 0.5) / std::abs(h);
    int srcY = sh > 0 ? sy + static_cast<int>(fy * sh) : sy + sh + static_cast<int>((1 - fy) * -sh);
    if (srcY < 0 || srcY >= img->Height) continue;
    for (int px = 0; px < std::abs(w); ++px) {
      int tx = w > 0 ? x + px : x - px - 1;
      double fx = (px + 0.5) / std::abs(w);
      int srcX = sw > 0 ? sx + static_cast<int>(fx * sw) : sx + sw + static_cast<int>((1 - fx) * -sw);
      if (srcX < 0 || srcX >= img->Width) continue;
      if (!img->Opaque[static_cast<std::size_t>(srcY) * img->Width + srcX]) continue;
      SetPixel(dc, tx, ty, gdi::FromDev(img->Color->Row(srcY)[srcX]));
    }
  }
}

LONG ToHimetric(int px) { return MulDiv(px, 2540, 96); }

class TPictureObj : public TInterfacedObject, public IPicture {
public:
  explicit TPictureObj(HICON img) : FImg(img) {}
  ~TPictureObj() override { DestroyIcon(FImg); }
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override {
    if (!Obj) return E_POINTER;
    if (IID == IID_IPicture) {
      *Obj = static_cast<IPicture*>(this);
      AddRef();
      return S_OK;
    }
    return TInterfacedObject::QueryInterface(IID, Obj);
  }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT get_Width(OLE_XSIZE_HIMETRIC* w) override {
    if (!w) return E_POINTER;
    *w = ToHimetric(FImg->Width);
    return S_OK;
  }
  HRESULT get_Height(OLE_YSIZE_HIMETRIC* h) override {
    if (!h) return E_POINTER;
    *h = ToHimetric(FImg->Height);
    return S_OK;
  }
  HRESULT get_Type(SHORT* t) override {
    if (!t) return E_POINTER;
    *t = PICTYPE_BITMAP;
    return S_OK;
  }
  HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                 OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, const RECT*) override {
    if (!gdi::IsLiveDC(dc)) return E_INVALIDARG;
    LONG hmW = ToHimetric(FImg->Width), hmH = ToHimetric(FImg->Height);
    if (hmW == 0 || hmH == 0) return S_OK;
    // HIMETRIC y runs up from the bottom of the picture.
    auto pxX = [&](LONG v) { return static_cast<int>(static_cast<long long>(v) * FImg->Width / hmW); };
    auto pxY = [&](LONG v) { return static_cast<int>(static_cast<long long>(hmH - v) * FImg->Height / hmH); };
    int sx0 = pxX(xSrc), sx1 = pxX(xSrc + cxSrc), sy0 = pxY(ySrc), sy1 = pxY(ySrc + cySrc);
    POINT a = gdi::ToDev(dc, x, y), b = gdi::ToDev(dc, x + cx, y + cy);
    if (dc->Recording) gdi::Record(dc, "Render", RECT{x, y, x + cx, y + cy});
    // Drawing happens in device units; the mapping is put aside meanwhile.
    TDCState keep = dc->S;
    dc->S.MapMode = MM_TEXT;
    dc->S.WinOrg = dc->S.VpOrg = POINT{0, 0};
    bool rec = dc->Recording;
    dc->Recording = false;
    DrawMasked(dc, a.x, a.y, b.x - a.x, b.y - a.y, FImg, sx0, sy0, sx1 - sx0, sy1 - sy0);
    dc->Recording = rec;
    dc->S.MapMode = keep.MapMode;
    dc->S.WinOrg = keep.WinOrg;
    dc->S.VpOrg = keep.VpOrg;
    return S_OK;
  }
  HICON Image() const { return FImg; }

private:
  HICON FImg;
};
}  // namespace

HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL, const TGUID& iid, void** picture) {
  if (!picture) return E_POINTER;
  *picture = nullptr;
  if (!stream) return E_POINTER;
  if (!(iid == IID_IPicture) && !(iid == IID_IInterface)) return E_NOINTERFACE;
  std::vector<Byte> data;
  if (size > 0) {
    data.resize(static_cast<std::size_t>(size));
    ULONG got = 0;
    stream->Read(data.data(), static_cast<ULONG>(size), &got);
    data.resize(got);
  } else {
    Byte buf[16384];
    for (;;) {
      ULONG got = 0;
      stream->Read(buf, sizeof buf, &got);
      if (got == 0) break;
      data.insert(data.end(), buf, buf + got);
    }
  }
  HICON img = DecodePicture(data.data(), data.size());
  if (!img) return CTL_E_INVALIDPICTURE;
  auto* p = new TPictureObj(img);
  p->AddRef();
  *picture = static_cast<IPicture*>(p);
  return S_OK;
}

// ---- TLoadedImage ---------------------------------------------------------
TLoadedImage::TLoadedImage() = default;
TLoadedImage::~TLoadedImage() {
  if (FImage) DestroyIcon(FImage);
}
bool TLoadedImage::GetEmpty() const { return FImage == nullptr; }
int TLoadedImage::GetWidth() const { return FImage ? FImage->Width : 0; }
int TLoadedImage::GetHeight() const { return FImage ? FImage->Height : 0; }

void TLoadedImage::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  std::vector<Byte> data;
  Byte buf[16384];
  for (;;) {
    int n = Stream->Read(buf, sizeof buf);
    if (n <= 0) break;
    data.insert(data.end(), buf, buf + n);
  }
  HICON img = DecodePicture(data.data(), data.size());
  if (!img) throw EInvalidGraphic("Could not load image. Invalid format");
  if (FImage) DestroyIcon(FImage);
  FImage = img;
  FBytes = std::move(data);
  Changed();
}

void TLoadedImage::SaveToStream(TStream* Stream) {
  if (Stream && !FBytes.empty()) Stream->WriteBuffer(FBytes.data(), static_cast<int>(FBytes.size()));
}

void TLoadedImage::Assign(TPersistent* Source) {
  if (auto* l = dynamic_cast<TLoadedImage*>(Source)) {
    if (l == this) return;
    HICON img = l->FBytes.empty() ? nullptr : DecodePicture(l->FBytes.data(), l->FBytes.size());
    if (FImage) DestroyIcon(FImage);
    FImage = img;
    FBytes = l->FBytes;
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TLoadedImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!FImage || !ACanvas) return;
  DrawIconEx(ACanvas->GetHandle(), Rect.left, Rect.top, FImage, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}

// ---- TPicture -------------------------------------------------------------
namespace {
struct TFormat {
  AnsiString Description;
  TGraphicClassFactory Factory;
};
std::mutex gFormatMutex;
std::map<AnsiString, TFormat>& Formats() {
  static auto* m = new std::map<AnsiString, TFormat>{
      {"bmp", {"Bitmaps", [] { return static_cast<TGraphic*>(new TBitmap); }}},
      {"ico", {"Icons", [] { return static_cast<TGraphic*>(new TIcon); }}},
      {"jpg", {"JPEG Image File", [] { return static_cast<TGraphic*>(new TJPEGImage); }}},
      {"jpeg", {"JPEG Image File", [] { return static_cast<TGraphic*>(new TJPEGImage); }}},
      {"png", {"Portable Network Graphics", [] { return static_cast<TGraphic*>(new TLoadedImage); }}},
      {"gif", {"GIF Image", [] { return static_cast<TGraphic*>(new TLoadedImage); }}},
  };
  return *m;
}
AnsiString Ext(const AnsiString& s) {
  AnsiString e = s;
  if (!e.empty() && e[0] == '.') e.erase(0, 1);
  for (char& c : e)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return e;
}
AnsiString FileExt(const AnsiString& name) {
  std::size_t dot = name.find_last_of('.'), slash = name.find_last_of("/\\");
  if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash)) return {};
  return Ext(name.substr(dot + 1));
}
}  // namespace

void TPicture::RegisterFileFormat(const AnsiString& Extension, const AnsiString& Description,
                                  TGraphicClassFactory Factory) {
  std::lock_guard<std::mutex> lock(gFormatMutex);
  Formats()[Ext(Extension)] = TFormat{Description, std::move(Factory)};
}
void TPicture::UnregisterFileFormat(const AnsiString& Extension) {
  std::lock_guard<std::mutex> lock(gFormatMutex);
  Formats().erase(Ext(Extension));
}
bool TPicture::SupportsExtension(const AnsiString& Extension) {
  std::lock_guard<std::mutex> lock(gFormatMutex);
  return Formats().count(Ext(Extension)) != 0;
}

TPicture::~TPicture() { delete FGraphic; }

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Take(TGraphic* g) {
  delete FGraphic;
  FGraphic = g;
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) {
    Take(nullptr);
    return;
  }
  // A copy of the same class, made through the registry when possible.
  TGraphic* copy = nullptr;
  if (dynamic_cast<TJPEGImage*>(Value))
    copy = new TJPEGImage;
  else if (dynamic_cast<TBitmap*>(Value))
    copy = new TBitmap;
  else if (dynamic_cast<TIcon*>(Value))
    copy = new TIcon;
  else if (dynamic_cast<TLoadedImage*>(Value))
    copy = new TLoadedImage;
  else
    copy = new TBitmap;
  try {
    copy->Assign(Value);
  } catch (...) {
    delete copy;
    throw;
  }
  Take(copy);
}

void TPicture::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p != this) SetGraphic(p->FGraphic);
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(Source);
  }
}

TBitmap* TPicture::GetBitmap() {
  auto* b = dynamic_cast<TBitmap*>(FGraphic);
  if (!b) {
    b = new TBitmap;
    Take(b);
  }
  return b;
}

TIcon* TPicture::GetIcon() {
  auto* i = dynamic_cast<TIcon*>(FGraphic);
  if (!i) {
    i = new TIcon;
    Take(i);
  }
  return i;
}

void TPicture::LoadFromFile(const AnsiString& FileName) {
  TGraphicClassFactory factory;
  {
    std::lock_guard<std::mutex> lock(gFormatMutex);
    auto it = Formats().find(FileExt(FileName));
    if (it == Formats().end()) throw EInvalidGraphic(AnsiString("Unknown picture file extension (.").append(FileExt(FileName)).append(")"));
    factory = it->second.Factory;
  }
  std::unique_ptr<TGraphic> g(factory());
  g->LoadFromFile(FileName);
  Take(g.release());
}

void TPicture::SaveToFile(const AnsiString& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}
