// Tests look at the desktop clipboard as other programs see it.
#pragma once

#include "platform/rtl/sysbase.h"

// The bytes the desktop clipboard holds under a MIME type; false without a
// GUI application or when the type is missing.
bool DesktopClipboardData(const AnsiString& MimeType, AnsiString& Data);
// Puts bytes under one MIME type there, as another program would.
bool DesktopClipboardPut(const AnsiString& MimeType, const AnsiString& Data);
