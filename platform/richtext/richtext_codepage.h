// Single-byte code pages of RTF documents and font charsets.
#pragma once

#include "platform/rtl/sysbase.h"

// Code pages we decode: 1251 (Cyrillic) and 1252 (Western); anything else
// falls back to 1252, so no byte is ever lost.
int RichCodePageOfCharset(int Charset, int DocumentCodePage);
char16_t RichByteToChar(Byte B, int CodePage);
// False when the code page lacks the character.
bool RichCharToByte(char16_t Ch, int CodePage, Byte& B);
