// TFileStringList: a string list read and written like a text file, line by
// line through a cursor, with lines built piece by piece before they are
// added. Loading and saving are the string list's own.
#pragma once

#include "platform/rtl/classes_strings.h"

class TFileStringList : public TStringList {
public:
  void Reset();
  bool GetEOF() const { return FCursor >= GetCount(); }
  // The line at the cursor; past the last line raises the list's index error.
  void ReadLn(AnsiString& Line);
  // Appends to the pending line, which is not part of the list until WriteLn.
  void Write(const AnsiString& Text);
  // Adds the pending line followed by Text as one new line.
  void WriteLn(const AnsiString& Text);

private:
  int FCursor = 0;
  AnsiString FPending;
};
