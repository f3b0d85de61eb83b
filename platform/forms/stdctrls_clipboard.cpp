#include "platform/forms/clipbrd.h"

#include <cctype>
#include <map>
#include <mutex>

#include "platform/forms/clipbrd_internal.h"

namespace {

struct TClipStore {
  std::mutex Lock;
  TClipContent Data;  // CF_TEXT holds the UTF-8 text
  std::map<AnsiString, UINT> Formats;
  std::map<UINT, AnsiString> Names;
};

TClipStore& Store() {
  static TClipStore s;
  return s;
}

UINT Normal(UINT Format) { return Format == CF_UNICODETEXT ? CF_TEXT : Format; }

TClipContent Snapshot() {
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  return s.Data;
}

}  // namespace

UINT RegisterClipboardFormatA(LPCSTR lpszFormat) {
  if (!lpszFormat || !*lpszFormat) return 0;
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  AnsiString key = lpszFormat;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  auto it = s.Formats.find(key);
  if (it != s.Formats.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(s.Formats.size());
  s.Formats[key] = id;
  s.Names[id] = lpszFormat;
  return id;
}

AnsiString ClipboardFormatName(UINT Format) {
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  auto it = s.Names.find(Format);
  return it == s.Names.end() ? AnsiString() : it->second;
}

int GetClipboardFormatNameA(UINT Format, LPSTR lpszFormatName, int cchMaxCount) {
  const AnsiString Name = ClipboardFormatName(Format);
  if (Name.empty() || !lpszFormatName || cchMaxCount <= 0) return 0;
  const std::size_t n = std::min(Name.size(), static_cast<std::size_t>(cchMaxCount - 1));
  Name.copy(lpszFormatName, n);
  lpszFormatName[n] = '\0';
  return static_cast<int>(n);
}

void TClipboard::Refresh() const {
  // Inside an open session our content is the one being built.
  if (FOpenCount > 0) return;
  TClipContent Desktop;
  if (!DesktopTake(Desktop)) return;
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  s.Data = std::move(Desktop);
}

void TClipboard::Changed() {
  if (FOpenCount > 0)
    FChanged = true;
  else
    DesktopGive(Snapshot());
}

AnsiString TClipboard::GetAsText() const {
  Refresh();
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  auto it = s.Data.find(CF_TEXT);
  if (it == s.Data.end()) return AnsiString();
  AnsiString t(it->second.begin(), it->second.end());
  if (auto zero = t.find('\0'); zero != AnsiString::npos) t.resize(zero);
  return t;
}

void TClipboard::SetAsText(const AnsiString& Value) {
  Open();
  SetAsHandle(CF_TEXT, std::vector<Byte>(Value.begin(), Value.end()));
  Close();
}

bool TClipboard::HasFormat(UINT Format) const {
  Refresh();
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  return s.Data.count(Normal(Format)) != 0;
}

std::vector<Byte> TClipboard::GetAsHandle(UINT Format) const {
  Format = Normal(Format);
  if (Format == CF_TEXT) {
    AnsiString t = GetAsText();
    return std::vector<Byte>(t.begin(), t.end());
  }
  Refresh();
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  auto it = s.Data.find(Format);
  return it == s.Data.end() ? std::vector<Byte>() : it->second;
}

void TClipboard::SetAsHandle(UINT Format, const std::vector<Byte>& Data) {
  // The first format set in an open session replaces the old content.
  if (FOpenCount == 0 || !FEmptied) {
    TClipStore& s = Store();
    std::lock_guard<std::mutex> g(s.Lock);
    s.Data.clear();
  }
  FEmptied = true;
  PutFormat(Format, Data);
}

void TClipboard::PutFormat(UINT Format, const std::vector<Byte>& Data) {
  {
    TClipStore& s = Store();
    std::lock_guard<std::mutex> g(s.Lock);
    s.Data[Normal(Format)] = Data;
  }
  Changed();
}

void TClipboard::Open() {
  if (FOpenCount == 0) {
    Refresh();
    FEmptied = false;
    FChanged = false;
  }
  ++FOpenCount;
}

void TClipboard::Close() {
  if (FOpenCount == 0) return;
  if (--FOpenCount == 0 && FChanged) {
    FChanged = false;
    DesktopGive(Snapshot());
  }
}

void TClipboard::Clear() {
  {
    TClipStore& s = Store();
    std::lock_guard<std::mutex> g(s.Lock);
    s.Data.clear();
  }
  if (FOpenCount > 0) FEmptied = true;
  Changed();
}

TClipboard* Clipboard() {
  static TClipboard c;
  return &c;
}
