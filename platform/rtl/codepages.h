// Text encodings: UTF-8 (our AnsiString), UTF-16 (WideString), and the two
// single-byte code pages the system talks: Windows-1251 (meter texts on the
// wire) and CP866 (the grid's OEM conversion).
//
// Nothing here throws on bad input: invalid UTF-8 bytes and unpaired UTF-16
// surrogates decode as U+FFFD; characters a code page lacks become '?'.
#pragma once

#include "platform/rtl/sysbase.h"

#include <cstddef>

inline constexpr char32_t ReplacementChar = 0xFFFD;

// ---- UTF-8 character helpers ----------------------------------------------------

// Decodes the character that starts at byte Pos and moves Pos past it. An
// invalid, overlong, surrogate or truncated sequence yields U+FFFD and
// advances by one byte. At or past the end returns 0 and leaves Pos.
char32_t Utf8DecodeNext(const AnsiString& S, std::size_t& Pos);
// Appends the UTF-8 bytes of a code point (U+FFFD for surrogates and values
// above U+10FFFF).
void Utf8Append(AnsiString& S, char32_t Ch);
AnsiString Utf8Encode(char32_t Ch);
// Number of characters as Utf8DecodeNext counts them.
std::size_t Utf8CharCount(const AnsiString& S);
// Byte offset of the character with 0-based index CharIndex; S.size() when
// the text has no such character.
std::size_t Utf8ByteOffset(const AnsiString& S, std::size_t CharIndex);
bool Utf8IsValid(const AnsiString& S);

// ---- UTF-8 <-> UTF-16 ------------------------------------------------------------

WideString Utf8ToWide(const AnsiString& S);
AnsiString WideToUtf8(const WideString& S);

// ---- Single-byte code pages ------------------------------------------------------
// The encoded side is a std::string of raw code-page bytes.

// The character of a code-page byte. Bytes the code page leaves undefined
// (0x98 in Windows-1251) map to the C1 control of the same value, so every
// byte survives a round trip through UTF-8.
char32_t Cp1251ToChar(Byte B);
char32_t Cp866ToChar(Byte B);
// The code-page byte of a character; false when the code page lacks it.
bool CharToCp1251(char32_t Ch, Byte& B);
bool CharToCp866(char32_t Ch, Byte& B);

std::string Utf8ToCp1251(const AnsiString& S);  // unmappable -> '?'
AnsiString Cp1251ToUtf8(const std::string& S);
std::string Utf8ToCp866(const AnsiString& S);   // unmappable -> '?'
AnsiString Cp866ToUtf8(const std::string& S);
