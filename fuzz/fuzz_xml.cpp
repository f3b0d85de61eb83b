// The grid's XML reader through the platform's XML document server. The
// first byte chooses the switches (bit 0 attribute fields, bit 1 save-fixed
// off, bit 2 quote-empty off, bits 3-4 the fixed rows); the rest is the
// file. Property: only the reader's own reports escape; what loads, saved
// with every cell written, loads back into the same cells (a text of
// blanks only reads as empty, since such texts are left out of the tree;
// control characters come back as U+FFFD).
#include "fuzz/fuzz_support.h"
#include "grid/exchange/html.h"
#include "grid/viduzozezuvodu.h"
#include "platform/ole/comobj.h"

namespace {

using TTable = std::vector<std::vector<std::string>>;

// Control characters XML cannot carry are written as U+FFFD.
std::string AsWritten(const std::string& S) {
  std::string Out;
  for (char C : S)
    if (IsXmlForbidden(C))
      Out += "\xEF\xBF\xBD";
    else
      Out += C;
  return Out;
}

TTable Cells(VIduZozezuVodu& G, int FromRow, bool Written) {
  TTable T;
  for (int R = FromRow; R < G.GetRowCount(); ++R) {
    T.emplace_back();
    for (int C = 0; C < G.GetColCount(); ++C) {
      std::string S = Written ? AsWritten(G.GetCells(C, R)) : G.GetCells(C, R);
      if (S.find_first_not_of(" \t\r\n") == std::string::npos) S.clear();
      T.back().push_back(S);
    }
  }
  return T;
}

bool Reported(const Exception& E) {
  return E.Message.rfind("XMLDOM Parsing error ", 0) == 0 || E.Message.rfind("File ", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  const bool attributes = Data[0] & 1, saveFixedOff = Data[0] & 2, quoteEmptyOff = Data[0] & 4;
  const int fixedRows = (Data[0] >> 3) & 3;
  static const std::string file = ScratchFile("xml");
  WriteFile(file, AsString(Data + 1, Size - 1));
  VIduZozezuVodu grid(nullptr);
  grid.SetSaveFixedCells(!saveFixedOff);
  grid.SetQuoteEmptyCells(!quoteEmptyOff);
  grid.SetFixedRows(fixedRows);
  try {
    grid.LoadFromXML(file, attributes);
  } catch (const EOleError& E) {
    std::fprintf(stderr, "automation error: %s\n", E.Message.c_str());
    std::abort();
  } catch (const Exception& E) {
    FUZZ_CHECK(Reported(E));
    return 0;
  }
  FUZZ_CHECK(grid.GetRowCount() >= grid.GetFixedRows() + 1);
  if (static_cast<long long>(grid.GetColCount()) * grid.GetRowCount() > 100000) return 0;
  // Every cell written, then read by a grid whose one fixed row takes the
  // element names.
  grid.SetSaveFixedCells(true);
  static const std::string again = ScratchFile("xml_again");
  grid.SaveToXML(again, "list", "row", nullptr, true);
  VIduZozezuVodu copy(nullptr);
  copy.SetFixedCols(0);
  copy.SetFixedRows(1);
  copy.SetQuoteEmptyCells(!quoteEmptyOff);
  copy.LoadFromXML(again);
  TTable want = Cells(grid, 0, true), got = Cells(copy, 1, false);
  got.resize(want.size());
  FUZZ_CHECK(got == want);
  return 0;
}
