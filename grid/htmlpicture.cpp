// Pictures kept as their file bytes: loading, GIF frame re-cutting and
// stepping, drawing through the platform's picture loader.
#include "grid/htmlpicture.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/resources.h"
#include "platform/rtl/sysutils.h"

namespace {

int U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

int HimetricToPixels(long hm, int ppi) { return static_cast<int>((static_cast<long long>(hm) * ppi + 1270) / 2540); }

bool StartsWithNoCase(const AnsiString& S, const char* Prefix) {
  const std::size_t n = std::strlen(Prefix);
  return S.size() >= n && UpperCase(S.substr(0, n)) == Prefix;
}

}  // namespace

std::vector<std::size_t> ScanGIFFrames(const std::uint8_t* Data, std::size_t Size) {
  std::vector<std::size_t> Frames;
  // The descriptor's offsets end at k + 12: a frame cut short is no frame.
  for (std::size_t k = 0; k + 12 < Size; ++k)
    if (Data[k] == 0x21 && Data[k + 1] == 0xF9 && Data[k + 2] == 0x04 && Data[k + 8] == 0x2C) Frames.push_back(k);
  return Frames;
}

std::vector<std::uint8_t> CutGIFFrame(const std::uint8_t* Data, std::size_t Size,
                                      const std::vector<std::size_t>& Frames, int Frame) {
  if (Frames.empty() || Frame < 1 || Frame > static_cast<int>(Frames.size())) return {Data, Data + Size};
  const std::size_t first = Frames.front(), cur = Frames[static_cast<std::size_t>(Frame - 1)];
  std::vector<std::uint8_t> Out(Data, Data + first);
  Out.insert(Out.end(), Data + cur, Data + Size);
  return Out;
}

// ---- THTMLPicture ------------------------------------------------------------------------------

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() { ReleasePicture(); }

void THTMLPicture::ReleasePicture() {
  if (FPicture) FPicture->Release();
  FPicture = nullptr;
}

void THTMLPicture::ResetAnimation() {
  FFrameCount = -1;
  FTickCount = -1;
  FNextCount = -1;
  FFrame = 1;
}

void THTMLPicture::TakeData(std::vector<std::uint8_t> Data) {
  ReleasePicture();
  FData = std::move(Data);
  FFrames = ScanGIFFrames(FData.data(), FData.size());
  FIsEmpty = false;
  ResetAnimation();
}

void THTMLPicture::LoadPicture() {
  ReleasePicture();
  FFrameXPos = FFrameYPos = 0;
  FAnimMaxX = FAnimMaxY = 0;
  std::vector<std::uint8_t> Bytes;
  if (IsGIFFile() && !FFrames.empty()) {
    if (FData.size() >= 10) {
      FAnimMaxX = U16(&FData[6]);
      FAnimMaxY = U16(&FData[8]);
    }
    const int f = std::clamp(FFrame, 1, static_cast<int>(FFrames.size()));
    Bytes = CutGIFFrame(FData.data(), FData.size(), FFrames, f);
    const std::size_t cur = FFrames[static_cast<std::size_t>(f - 1)];
    FFrameXPos = U16(&FData[cur + 9]);
    FFrameYPos = U16(&FData[cur + 11]);
  } else {
    Bytes = FData;
  }
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(Bytes.size(), 1));
  if (!mem) throw Exception("Could not allocate memory for image");
  if (void* p = GlobalLock(mem)) {
    if (!Bytes.empty()) std::memcpy(p, Bytes.data(), Bytes.size());
    GlobalUnlock(mem);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
    GlobalFree(mem);
    throw Exception("Could not create image stream");
  }
  if (!stream) throw Exception("Empty image stream created");
  void* pic = nullptr;
  const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(Bytes.size()), FALSE, IID_IPicture, &pic);
  stream->Release();
  if (FAILED(hr)) throw Exception("Could not load image. Invalid format");
  if (!pic) throw Exception("Could not load image");
  FPicture = static_cast<IPicture*>(pic);
}

void THTMLPicture::Assign(TPersistent* Source) {
  FIsEmpty = true;
  ReleasePicture();
  ResetAnimation();
  SetFrame(1);
  if (!Source) {
    FData.clear();
    FFrames.clear();
    return;
  }
  auto* S = dynamic_cast<THTMLPicture*>(Source);
  if (!S) {
    TGraphic::Assign(Source);
    return;
  }
  FStretch = S->FStretch;
  SourceURL = S->SourceURL;
  FData = S->FData;
  FFrames = S->FFrames;
  FIsEmpty = S->FIsEmpty;
  FFrame = S->FFrame;
  if (!FData.empty()) LoadPicture();
  Changed();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (FIsEmpty || !FPicture || !ACanvas) return;
  OLE_XSIZE_HIMETRIC hmW = 0;
  OLE_YSIZE_HIMETRIC hmH = 0;
  FPicture->get_Width(&hmW);
  FPicture->get_Height(&hmH);
  HDC dc = ACanvas->GetHandle();
  int cx = Rect.right - Rect.left, cy = Rect.bottom - Rect.top;
  if (!FStretch) {
    cx = HimetricToPixels(hmW, GetDeviceCaps(dc, LOGPIXELSX));
    cy = HimetricToPixels(hmH, GetDeviceCaps(dc, LOGPIXELSY));
  }
  FPicture->Render(dc, Rect.left, Rect.top, cx, cy, 0, hmH, hmW, -hmH, nullptr);
}

bool THTMLPicture::GetEmpty() const { return FIsEmpty; }

int THTMLPicture::GetWidth() const {
  if (!FPicture) return 0;
  LONG hm = 0;
  FPicture->get_Width(&hm);
  return HimetricToPixels(hm, FLogPixX);
}

int THTMLPicture::GetHeight() const {
  if (!FPicture) return 0;
  LONG hm = 0;
  FPicture->get_Height(&hm);
  return HimetricToPixels(hm, FLogPixY);
}

int THTMLPicture::GetMaxWidth() const {
  if (!FPicture) return 0;
  return FAnimMaxX ? FAnimMaxX : GetWidth();
}

int THTMLPicture::GetMaxHeight() const {
  if (!FPicture) return 0;
  return FAnimMaxY ? FAnimMaxY : GetHeight();
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  std::vector<std::uint8_t> Bytes(static_cast<std::size_t>(std::max<Int64>(0, Stream->GetSize())));
  Stream->SetPosition(0);
  if (!Bytes.empty()) Bytes.resize(static_cast<std::size_t>(Stream->Read(Bytes.data(), static_cast<int>(Bytes.size()))));
  TakeData(std::move(Bytes));
  LoadPicture();
  Changed();
}

void THTMLPicture::LoadFromFile(const AnsiString& FileName) {
  try {
    TFileStream F(FileName, fmOpenRead | fmShareDenyNone);
    LoadFromStream(&F);
  } catch (const Exception&) {
    ReleasePicture();
    FData.clear();
    FFrames.clear();
    FIsEmpty = true;
    ResetAnimation();
  }
}

void THTMLPicture::SaveToStream(TStream* Stream) {
  if (Stream && !FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName) {
  HRSRC res = FindResource(Instance, ResName.c_str(), RT_RCDATA);
  if (!res) return;
  HGLOBAL h = LoadResource(Instance, res);
  const auto* p = static_cast<const std::uint8_t*>(LockResource(h));
  const DWORD n = SizeofResource(Instance, res);
  TMemoryStream M;
  if (p && n) M.WriteBuffer(p, static_cast<int>(n));
  FreeResource(h);
  LoadFromStream(&M);
}

void THTMLPicture::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  HRSRC res = FindResource(Instance, MAKEINTRESOURCE(ResID), RT_RCDATA);
  if (!res) return;
  HGLOBAL h = LoadResource(Instance, res);
  const auto* p = static_cast<const std::uint8_t*>(LockResource(h));
  const DWORD n = SizeofResource(Instance, res);
  TMemoryStream M;
  if (p && n) M.WriteBuffer(p, static_cast<int>(n));
  FreeResource(h);
  LoadFromStream(&M);
}

void THTMLPicture::LoadFromURL(const AnsiString& URL) {
  if (StartsWithNoCase(URL, "RES://")) {
    SourceURL = URL;
    LoadFromResourceName(HInstance, URL.substr(6));
  } else if (StartsWithNoCase(URL, "FILE://")) {
    SourceURL = URL;
    LoadFromFile(URL.substr(7));
  } else if (!FAsynch) {
    PendingURL = URL;
    SourceURL = URL;
  } else if (!FBusy) {
    PendingURL = URL;
    FBusy = true;
    new TDownLoadThread(this);
  }
}

bool THTMLPicture::IsGIFFile() const {
  return FData.size() > 4 && std::memcmp(FData.data(), "GIF8", 4) == 0;
}

int THTMLPicture::GetFrameCount() {
  if (FFrameCount != -1) return FFrameCount;
  if (!IsGIFFile()) return -1;
  FFrameCount = static_cast<int>(FFrames.size());
  return FFrameCount;
}

int THTMLPicture::GetFrameTime(int n) {
  if (!IsGIFFile() || n < 1 || n > static_cast<int>(FFrames.size())) return -1;
  return U16(&FData[FFrames[static_cast<std::size_t>(n - 1)] + 4]);
}

void THTMLPicture::SetFrame(int Value) {
  // A GIF has no frames outside 1 .. its count.
  if (IsGIFFile() && (Value < 1 || Value > GetFrameCount())) return;
  FFrame = Value;
  if (!FData.empty()) {
    LoadPicture();
    if (OnFrameChange) OnFrameChange(this);
  }
}

void THTMLPicture::FrameNext() {
  const int n = GetFrameCount();
  SetFrame(FFrame < n ? FFrame + 1 : 1);
}

void THTMLPicture::FramePrev() {
  const int n = GetFrameCount();
  SetFrame(FFrame > 1 ? FFrame - 1 : n);
}

bool THTMLPicture::Step() {
  if (GetFrameCount() < 2 || FIsEmpty) return false;
  if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
  bool Changed = false;
  if (FTickCount * 10 >= FNextCount) {
    FrameNext();
    FNextCount += GetFrameTime(FFrame);
    Changed = true;
  }
  ++FTickCount;
  return Changed;
}

void THTMLPicture::DownLoadCancel(bool& Cancel) {
  if (OnDownLoadCancel) OnDownLoadCancel(this, Cancel);
}

void THTMLPicture::DownLoadComplete() {
  if (OnDownLoadComplete) OnDownLoadComplete(this);
}

void THTMLPicture::DownLoadError(const AnsiString& Err) {
  if (OnDownLoadError) OnDownLoadError(this, Err);
}

void THTMLPicture::DownLoadProgress(std::uint64_t Pos, std::uint64_t Total) {
  if (OnDownLoadProgress) OnDownLoadProgress(this, Pos, Total);
}

// ---- TDownLoadThread ---------------------------------------------------------------------------

TDownLoadThread::TDownLoadThread(THTMLPicture* Picture) : TThread(true), FPicture(Picture) {
  SetFreeOnTerminate(true);
  Start();
}
