// The clipboard: text and raw data of registered formats. Contents stay in
// this process and are mirrored to the desktop clipboard as text when a GUI
// application runs, so other programs can paste what we copy.
#pragma once

#include <vector>

#include "platform/graphics/graphics_ole.h"
#include "platform/rtl/messages.h"
#include "platform/rtl/sysbase.h"

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

// Formats by name: the same name always gives the same number (0xC000 up).
UINT RegisterClipboardFormatA(LPCSTR lpszFormat);
// The name a registered format was first registered with; "" for others.
AnsiString ClipboardFormatName(UINT Format);
// Copies that name with its terminating zero into lpszFormatName (cut to
// cchMaxCount - 1 characters); returns its length, 0 for an unknown format.
int GetClipboardFormatNameA(UINT Format, LPSTR lpszFormatName, int cchMaxCount);

class TClipboard : public TObject {
public:
  // Text (UTF-8).
  AnsiString GetAsText() const;
  void SetAsText(const AnsiString& Value);
  void SetTextBuf(const char* Buffer) { SetAsText(Buffer ? Buffer : ""); }
  // CF_TEXT and CF_UNICODETEXT stand for the text; other formats for raw data.
  bool HasFormat(UINT Format) const;
  std::vector<Byte> GetAsHandle(UINT Format) const;
  // Sets a format's data. Between Open and Close the formats set make one
  // content together (the first replaces what was there); without Open each
  // set replaces everything.
  void SetAsHandle(UINT Format, const std::vector<Byte>& Data);
  // Sets one format and keeps the others (the system's SetClipboardData).
  void PutFormat(UINT Format, const std::vector<Byte>& Data);
  void Open();
  void Close();
  void Clear();

  bool IsOpen() const { return FOpenCount > 0; }

private:
  // Takes in what another program left on the desktop clipboard.
  void Refresh() const;
  // Hands the content to the desktop clipboard, at once or at Close.
  void Changed();
  int FOpenCount = 0;
  bool FEmptied = false;
  bool FChanged = false;
};

TClipboard* Clipboard();

// The system's clipboard functions over the same content. Data travels in
// global blocks: SetClipboardData takes the block over (the caller no
// longer frees it); a block that GetClipboardData gives belongs to the
// clipboard and stays valid until the clipboard is closed.
// Another window holding the clipboard open makes this fail.
BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
// Only while open: the content goes and the opener owns the clipboard.
BOOL EmptyClipboard();
// Only while open; the block's bytes (CF_TEXT up to its zero) replace that
// format's data. Returns the block, nullptr on failure (the block then
// stays the caller's).
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// Only while open; nullptr when the format is missing. CF_TEXT ends with a zero.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT Format);
HWND GetOpenClipboardWindow();
