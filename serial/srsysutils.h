// Small text, number and date helpers of the serial library, its
// process-wide critical section, and the version and resource helpers.
#pragma once

#include "platform/rtl/sysbase.h"

// Octal text of Value, most significant digit first; 0 gives "".
AnsiString IntToOct(Cardinal Value);
// Reads octal digits; any character outside 0..7 makes the result 0, as
// does the empty text. Digits past 32 bits wrap.
Integer OctToInt(const AnsiString& Text);

// One critical section for the whole process: code that a program brackets
// with these calls runs on one thread at a time. Recursive.
void srEnterThreadCritical();
void srLeaveThreadCritical();

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper-case hexadecimal.
AnsiString GUIDToString(const TGUID& Guid);

// The date value of year, month and day plus the time value of the rest;
// EConvertError for an invalid part.
TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Minute, Word Second,
                         Word MilliSecond);

// The text between matching outer quotes (" or '), else the text unchanged.
AnsiString GetDequotedString(const AnsiString& Text);
// Turns a device-database path into a readable one: drops "\??\" and
// "_??_", makes "#" a "\" and trims blanks and control characters.
AnsiString ReplaceStrangeChars(const AnsiString& Text);

// With a file name: the file's version filled into Format (four %u, an
// empty Format means "%u.%u.%u.%u"), empty when the file has none. Without
// one: "Windows <name> [<major>.<minor>.<build>] <service pack>".
AnsiString srGetVersion(const AnsiString& FileName, const AnsiString& Format);

// Writes the program's raw data resource ResName into FileName (created
// anew); true when every byte was written.
bool CreateFileFromRes(const AnsiString& ResName, const AnsiString& FileName);
// The bytes of the raw data resource ResName; empty when it is missing.
AnsiString GetResAsStr(const AnsiString& ResName);
