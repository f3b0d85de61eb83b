#include "platform/forms/clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>
#include <cctype>
#include <map>
#include <mutex>

namespace {

struct TClipStore {
  std::mutex Lock;
  std::map<UINT, std::vector<Byte>> Data;  // CF_TEXT holds the UTF-8 text
  std::map<AnsiString, UINT> Formats;
};

TClipStore& Store() {
  static TClipStore s;
  return s;
}

QClipboard* DesktopClipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
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
  return id;
}

AnsiString TClipboard::GetAsText() const {
  // Our text is mirrored to the desktop clipboard, so what it holds is the
  // latest text, ours or another program's.
  if (QClipboard* q = DesktopClipboard()) {
    QString t = q->text();
    if (!t.isEmpty()) return t.toStdString();
  }
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  auto it = s.Data.find(CF_TEXT);
  return it == s.Data.end() ? AnsiString() : AnsiString(it->second.begin(), it->second.end());
}

void TClipboard::SetAsText(const AnsiString& Value) {
  Open();
  SetAsHandle(CF_TEXT, std::vector<Byte>(Value.begin(), Value.end()));
  Close();
}

bool TClipboard::HasFormat(UINT Format) const {
  if (Format == CF_UNICODETEXT) Format = CF_TEXT;
  if (Format == CF_TEXT && !GetAsText().empty()) return true;
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  return s.Data.count(Format) != 0;
}

std::vector<Byte> TClipboard::GetAsHandle(UINT Format) const {
  if (Format == CF_UNICODETEXT) Format = CF_TEXT;
  if (Format == CF_TEXT) {
    AnsiString t = GetAsText();
    return std::vector<Byte>(t.begin(), t.end());
  }
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  auto it = s.Data.find(Format);
  return it == s.Data.end() ? std::vector<Byte>() : it->second;
}

void TClipboard::SetAsHandle(UINT Format, const std::vector<Byte>& Data) {
  if (Format == CF_UNICODETEXT) Format = CF_TEXT;
  // The first format set in an open session replaces the old content.
  if (FOpenCount == 0 || !FEmptied) Clear();
  FEmptied = true;
  {
    TClipStore& s = Store();
    std::lock_guard<std::mutex> g(s.Lock);
    s.Data[Format] = Data;
  }
  if (Format == CF_TEXT)
    if (QClipboard* q = DesktopClipboard())
      q->setText(QString::fromUtf8(reinterpret_cast<const char*>(Data.data()), static_cast<qsizetype>(Data.size())));
}

void TClipboard::Open() {
  if (FOpenCount++ == 0) FEmptied = false;
}
void TClipboard::Close() {
  if (FOpenCount > 0) --FOpenCount;
}

void TClipboard::Clear() {
  TClipStore& s = Store();
  std::lock_guard<std::mutex> g(s.Lock);
  s.Data.clear();
  if (QClipboard* q = DesktopClipboard()) q->clear();
}

TClipboard* Clipboard() {
  static TClipboard c;
  return &c;
}
