// The desktop's form of drag data: MIME types with their bytes. Our formats
// map to it and back: CF_TEXT and CF_UNICODETEXT to "text/plain" (UTF-8),
// "Rich Text Format" to "text/rtf", "UniformResourceLocator" and CF_HDROP to
// "text/uri-list" (files as file URLs), "Grid Column" to a private type.
#pragma once

#include <string>
#include <vector>

#include "platform/windows/winole.h"

struct TMimeItem {
  AnsiString Type;
  std::string Data;
};
using TMimeData = std::vector<TMimeItem>;

inline constexpr const char* MimeGridColumn = "application/x-grid-column";

// What the data object offers, in MIME form.
TMimeData MimeOfDataObject(IDataObject* Data);
// A data object offering the MIME data in our formats (one reference).
IDataObject* DataObjectOfMime(const TMimeData& Mime);

// "file:///path" with the bytes outside the unreserved set escaped, and
// back (false for another scheme or a remote host).
AnsiString FileUrlOfPath(const AnsiString& Path);
bool PathOfFileUrl(const AnsiString& Url, AnsiString& Path);
