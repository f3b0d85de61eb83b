// The line-cursor string list.
#include "grid/filestringlist.h"

void TFileStringList::Reset() {
  FCursor = 0;
  FPending.clear();
}

void TFileStringList::ReadLn(AnsiString& Line) {
  Line = Get(FCursor);
  ++FCursor;
}

void TFileStringList::Write(const AnsiString& Text) { FPending += Text; }

void TFileStringList::WriteLn(const AnsiString& Text) {
  Add(FPending + Text);
  FPending.clear();
}
