// Spreadsheet cell addresses: column letters (A = 1, Z = 26, AA = 27,
// AAA = 703) and the used-area address a spreadsheet reports ("$A$1:$D$10").
#pragma once

#include <string_view>

#include "platform/rtl/sysbase.h"

// Empty for a column below 1.
AnsiString XLSColumnLetters(int Col);
// -1 for a text that is not letters only, or past the largest column.
int XLSLetterColumn(std::string_view Letters);

// Columns and rows from 1; -1 where a part could not be read.
struct TXLSArea {
  int Left = -1, Top = -1, Right = -1, Bottom = -1;
  bool Valid() const { return Left >= 1 && Top >= 1 && Right >= Left && Bottom >= Top; }
};

// "$A$1:$D$10", "A1:D10" and a single cell "$B$3"; a whole-row address
// "$2:$5" spans columns 1 to 256.
TXLSArea ParseXLSAddress(std::string_view Address);
