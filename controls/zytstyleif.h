// Pieces the styled controls share. For now: the version text every styled
// component publishes as its Version property.
#pragma once

#include "platform/rtl/sysbase.h"

// The four bytes of a packed version number, highest first, as "a.b.c.d".
AnsiString ZytVersionString(int VersionNr);

// True on Windows Vista or later (the system that brought GetLocaleInfoEx):
// controls then take that system's looks and metrics.
bool IsVista();
