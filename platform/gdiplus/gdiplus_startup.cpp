// Start-up, memory, the handle registry, the call recorder and the
// published GUIDs.
#include <cstdlib>
#include <unordered_map>

#include "platform/gdiplus/gdiplus_internal.h"
#include "platform/rtl/codepages.h"

namespace {
// Published GUIDs share their last three parts per family.
constexpr GUID FormatGuid(std::uint32_t d1) {
  return GUID{d1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
constexpr GUID CodecGuid(std::uint32_t d1) {
  return GUID{d1, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
}  // namespace

const GUID ImageFormatUndefined = FormatGuid(0xB96B3CA9);
const GUID ImageFormatMemoryBMP = FormatGuid(0xB96B3CAA);
const GUID ImageFormatBMP = FormatGuid(0xB96B3CAB);
const GUID ImageFormatEMF = FormatGuid(0xB96B3CAC);
const GUID ImageFormatWMF = FormatGuid(0xB96B3CAD);
const GUID ImageFormatJPEG = FormatGuid(0xB96B3CAE);
const GUID ImageFormatPNG = FormatGuid(0xB96B3CAF);
const GUID ImageFormatGIF = FormatGuid(0xB96B3CB0);
const GUID ImageFormatTIFF = FormatGuid(0xB96B3CB1);
const GUID ImageFormatEXIF = FormatGuid(0xB96B3CB2);
const GUID ImageFormatIcon = FormatGuid(0xB96B3CB5);

const GUID EncoderCompression = {0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
const GUID EncoderColorDepth = {0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};
const GUID EncoderScanMethod = {0x3A4E2661, 0x3109, 0x4E56, {0x85, 0x36, 0x42, 0xC1, 0x56, 0xE7, 0xDC, 0xFA}};
const GUID EncoderVersion = {0x24D18C76, 0x814A, 0x41A4, {0xBF, 0x53, 0x1C, 0x21, 0x9C, 0xCC, 0xF7, 0x97}};
const GUID EncoderRenderMethod = {0x6D42C53A, 0x229A, 0x4825, {0x8B, 0xB7, 0x5C, 0x99, 0xE2, 0xB9, 0xA8, 0xB8}};
const GUID EncoderQuality = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
const GUID EncoderTransformation = {0x8D0EB2D1, 0xA58E, 0x4EA8, {0xAA, 0x14, 0x10, 0x80, 0x74, 0xB7, 0xB6, 0xF9}};
const GUID EncoderLuminanceTable = {0xEDB33BCE, 0x0266, 0x4A77, {0xB9, 0x04, 0x27, 0x21, 0x60, 0x99, 0xE7, 0x17}};
const GUID EncoderChrominanceTable = {0xF2E455DC, 0x09B3, 0x4316, {0x82, 0x60, 0x67, 0x6A, 0xDA, 0x32, 0x48, 0x1C}};
const GUID EncoderSaveFlag = {0x292266FC, 0xAC40, 0x47BF, {0x8C, 0xFC, 0xA8, 0x5B, 0x89, 0xA6, 0x55, 0xDE}};

const CLSID EncoderClsidBMP = CodecGuid(0x557CF400);
const CLSID EncoderClsidJPEG = CodecGuid(0x557CF401);
const CLSID EncoderClsidGIF = CodecGuid(0x557CF402);
const CLSID EncoderClsidTIFF = CodecGuid(0x557CF405);
const CLSID EncoderClsidPNG = CodecGuid(0x557CF406);

namespace {
int gStarts = 0;
ULONG_PTR gNextToken = 0;
int gAllocFailures = 0;
bool gRecording = false;
std::vector<TGdipCall>& Calls() {
  static auto* v = new std::vector<TGdipCall>;
  return *v;
}
std::unordered_map<const void*, gdip::TKind>& Handles() {
  static auto* m = new std::unordered_map<const void*, gdip::TKind>;
  return *m;
}

// The hooks handed out when the caller runs GDI+'s background work itself;
// this layer has none, so they do nothing.
Status NoHook(ULONG_PTR* token) {
  if (token) *token = 0;
  return Ok;
}
void NoUnhook(ULONG_PTR) {}
}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  gdip::Record("GdiplusStartup", {input ? static_cast<double>(input->GdiplusVersion) : -1.0});
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread) {
    if (!output) return InvalidParameter;
    output->NotificationHook = NoHook;
    output->NotificationUnhook = NoUnhook;
  }
  ++gStarts;
  *token = ++gNextToken;
  return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
  gdip::Record("GdiplusShutdown", {static_cast<double>(token)});
  if (token != 0 && gStarts > 0) --gStarts;
}

void* GdipAlloc(std::size_t size) {
  if (gAllocFailures > 0) {
    --gAllocFailures;
    return nullptr;
  }
  return std::malloc(size ? size : 1);
}

void GdipFree(void* ptr) { std::free(ptr); }

void GdipFailNextAllocs(int count) { gAllocFailures = count; }

void GdipStartRecording() { gRecording = true; }
void GdipStopRecording() { gRecording = false; }
std::vector<TGdipCall> GdipRecordedCalls() { return Calls(); }
void GdipClearRecording() { Calls().clear(); }

namespace gdip {

void Register(TObj* obj) { Handles()[obj] = obj->Kind; }
void Unregister(TObj* obj) { Handles().erase(obj); }
bool IsLive(const void* obj, TKind kind) {
  if (!obj) return false;
  auto it = Handles().find(obj);
  return it != Handles().end() && it->second == kind;
}
bool Started() { return gStarts > 0; }

bool Recording() { return gRecording; }
void Record(const char* func, std::initializer_list<double> args, const AnsiString& text) {
  if (gRecording) Calls().push_back(TGdipCall{func, std::vector<double>(args), text});
}
void RecordArgs(const char* func, std::vector<double> args, const AnsiString& text) {
  if (gRecording) Calls().push_back(TGdipCall{func, std::move(args), text});
}

WideString TextOf(const WCHAR* s, INT length) {
  if (!s) return {};
  if (length < 0) return WideString(s);
  return WideString(s, static_cast<std::size_t>(length));
}

}  // namespace gdip
