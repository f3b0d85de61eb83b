// Comma text, delimited text and line text of string lists.
// Property: every split ends; what a list writes reads back as the same items.
#include "fuzz/fuzz_support.h"
#include "platform/rtl/classes_strings.h"

namespace {

std::vector<std::string> Items(const TStrings& L) {
  std::vector<std::string> v;
  for (int i = 0; i < L.GetCount(); ++i) v.push_back(L.Get(i));
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 2) return 0;
  const char delimiter = static_cast<char>(Data[0]), quote = static_cast<char>(Data[1]);
  const std::string text = AsString(Data + 2, Size - 2);

  TStringList comma;
  comma.SetCommaText(text);
  TStringList back;
  back.SetCommaText(comma.GetCommaText());
  FUZZ_CHECK_EQ(Items(back), Items(comma));

  // Quote and delimiter must differ and be no blank for the round trip.
  TStringList delimited;
  delimited.SetDelimiter(delimiter);
  delimited.SetQuoteChar(quote);
  delimited.SetDelimitedText(text);
  if (delimiter != quote && static_cast<unsigned char>(delimiter) > ' ' && static_cast<unsigned char>(quote) > ' ') {
    TStringList again;
    again.SetDelimiter(delimiter);
    again.SetQuoteChar(quote);
    again.SetDelimitedText(delimited.GetDelimitedText());
    FUZZ_CHECK_EQ(Items(again), Items(delimited));
  }

  TStringList lines;
  lines.SetText(text);
  TStringList relined;
  relined.SetText(lines.GetText());
  FUZZ_CHECK_EQ(Items(relined), Items(lines));
  return 0;
}
