// The spreadsheet used-area address reader. Property: a readable area,
// written again in letters and numbers, reads back the same; letters read
// as a column write back as those letters.
#include "fuzz/fuzz_support.h"
#include "grid/exchange/xlsaddress.h"
#include "platform/rtl/sysutils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string text = AsString(Data, Size);
  const TXLSArea area = ParseXLSAddress(text);
  if (area.Valid()) {
    const std::string again = "$" + XLSColumnLetters(area.Left) + "$" + std::to_string(area.Top) + ":$" +
                              XLSColumnLetters(area.Right) + "$" + std::to_string(area.Bottom);
    const TXLSArea back = ParseXLSAddress(again);
    FUZZ_CHECK(back.Left == area.Left && back.Top == area.Top && back.Right == area.Right &&
               back.Bottom == area.Bottom);
  }
  const int col = XLSLetterColumn(text);
  if (col > 0) FUZZ_CHECK_EQ(XLSColumnLetters(col), UpperCase(text));
  return 0;
}
