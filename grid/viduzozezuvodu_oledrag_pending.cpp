// Stand-ins for operations of the mouse and clipboard layers that the drag
// and drop code calls; each does the least that keeps its callers right.
#include "grid/viduzozezuvodu.h"

// No picture of the cells: the drag runs without one.
TForm* VIduZozezuVodu::SelectionToForm(const TGridRect&) { return nullptr; }

namespace {

// The text cut into lines at CR (an LF right after it belongs to the break)
// and the lines into TAB-separated fields.
std::vector<std::vector<std::string>> Pieces(const char* Text) {
  std::vector<std::vector<std::string>> out(1, std::vector<std::string>(1));
  for (const char* p = Text ? Text : ""; *p; ++p) {
    if (*p == '\r') {
      if (p[1] == '\n') ++p;
      out.emplace_back(1);
    } else if (*p == '\t') {
      out.back().emplace_back();
    } else {
      out.back().back() += *p;
    }
  }
  return out;
}

}  // namespace

TPoint VIduZozezuVodu::PasteSize(const char* Text) {
  auto pieces = Pieces(Text);
  int x = 0, empty = 0;
  for (auto& f : pieces) {
    x = std::max(x, static_cast<int>(f.size()));
    if (f.size() == 1 && f[0].empty()) ++empty;
  }
  return TPoint(x, static_cast<int>(pieces.size()) - 1 - empty);
}

int VIduZozezuVodu::PasteText(int ACol, int ARow, const char* Text, int& Cols, int& Rows) {
  if (ACol < 0 || ARow < 0) return 0;
  if (!(GetOptions() & goEditing) && !GetNavigation()->AllowClipboardAlways &&
      !GetMouseActions()->RangeSelectAndEdit)
    return 0;
  auto pieces = Pieces(Text);
  if (pieces.size() > 1 && pieces.back().size() == 1 && pieces.back()[0].empty()) pieces.pop_back();
  int count = 0;
  Rows = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    int r = ARow + static_cast<int>(i);
    ++Rows;
    Cols = static_cast<int>(pieces[i].size());
    for (std::size_t j = 0; j < pieces[i].size(); ++j, ++count) {
      int c = ACol + static_cast<int>(j);
      if (c < GetColCount() && r < GetRowCount()) SetCellEx(RemapCol(c), r, pieces[i][j]);
    }
  }
  return count;
}
