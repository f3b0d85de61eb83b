// The clipboard: text and raw data of registered formats. Contents stay in
// this process and are mirrored to the desktop clipboard as text when a GUI
// application runs, so other programs can paste what we copy.
#pragma once

#include <vector>

#include "platform/rtl/sysbase.h"

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

// Formats by name: the same name always gives the same number (0xC000 up).
UINT RegisterClipboardFormatA(LPCSTR lpszFormat);

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
  void Open();
  void Close();
  void Clear();

private:
  int FOpenCount = 0;
  bool FEmptied = false;
};

TClipboard* Clipboard();
