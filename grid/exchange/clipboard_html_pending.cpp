// Until the HTML export lands: a bare table of the save range's texts.
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"

AnsiString VIduZozezuVodu::SaveToHTMLString(const AnsiString&) {
  AnsiString Out = "<TABLE>\r\n";
  for (int R = GetSaveStartRow(); R <= GetSaveEndRow(); ++R) {
    Out += "<TR>";
    for (int C = GetSaveStartCol(); C <= GetSaveEndCol(); ++C) Out += "<TD>" + FixMarkup(GetCellEx(RemapCol(C), R)) + "</TD>";
    Out += "</TR>\r\n";
  }
  return Out + "</TABLE>";
}
