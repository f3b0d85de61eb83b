// Text and file helpers shared by the ini files and the registry store:
// the platform's case-insensitive name matching, its lenient integer reading,
// and whole-file reads and atomic replacing writes.
#pragma once

#include <string>

#include "platform/rtl/sysbase.h"

// Lower-cases ASCII, Latin-1 and Cyrillic letters of UTF-8 text; other bytes
// (including malformed sequences) pass unchanged. Names in ini files and the
// registry match without regard to case, Russian names included.
AnsiString SettingsFoldCase(const AnsiString& S);
bool SettingsSameText(const AnsiString& A, const AnsiString& B);

// Removes blanks and control characters at both ends.
AnsiString SettingsTrim(const AnsiString& S);

// The platform's StrToIntDef: optional sign, decimal digits or "$"/"0x"
// followed by up to 8 hex digits (taken as a 32-bit pattern); anything else,
// or a decimal out of the 32-bit range, gives Default.
Integer SettingsStrToIntDef(const AnsiString& S, Integer Default);

enum class TSettingsRead { Ok, Missing, Failed };

// Reads the whole file into Data. Missing: no such file (Data empty).
// Failed: it exists but cannot be read (a directory, no permission...).
TSettingsRead SettingsReadFile(const AnsiString& FileName, AnsiString& Data);

// Replaces the file's contents at once: writes a temporary file next to it
// and renames it over the target, so readers never see half a file. A
// symbolic link is followed and the link kept; an existing file keeps its
// permission bits. Returns false with a short reason in Error.
bool SettingsWriteFileAtomic(const AnsiString& FileName, const AnsiString& Data,
                             AnsiString& Error);
