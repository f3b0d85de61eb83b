// Comma text and line text of the wide string list.
// Property: every split ends; what a list writes reads back as the same
// items (comma text: items without U+0000, where the text ends).
#include "fuzz/fuzz_support.h"
#include "grid/vzvuni.h"

namespace {

std::vector<WideString> Items(const TWideStrings& L) {
  std::vector<WideString> v;
  for (int i = 0; i < L.GetCount(); ++i) v.push_back(L.Get(i));
  return v;
}

std::string Shown(const std::vector<WideString>& V) {
  std::string out;
  for (const WideString& s : V) out += std::to_string(s.size()) + ";";
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  WideString text(Size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(Data[2 * i] | (Data[2 * i + 1] << 8));

  TWideStringList comma;
  comma.SetCommaText(text);
  bool nul = false;
  for (int i = 0; i < comma.Count(); ++i) nul = nul || comma.Get(i).find(u'\0') != WideString::npos;
  FUZZ_CHECK(!nul);
  TWideStringList back;
  back.SetCommaText(comma.GetCommaText());
  FUZZ_CHECK(Items(back) == Items(comma) || (std::fprintf(stderr, "%s\n%s\n", Shown(Items(back)).c_str(),
                                                          Shown(Items(comma)).c_str()),
                                             false));

  TWideStringList lines;
  lines.SetTextStr(text);
  TWideStringList relined;
  relined.SetTextStr(lines.GetTextStr());
  FUZZ_CHECK(Items(relined) == Items(lines));
  return 0;
}
