// The RTF reader.
// Property: it never throws; what it read writes as RTF that reads back
// completely into a document that writes the same RTF again.
#include "fuzz/fuzz_support.h"
#include "platform/richtext/richtext_rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TRichTextDocument doc;
  (void)RtfRead(doc, AsString(Data, Size));
  const std::string once = RtfWrite(doc);
  TRichTextDocument back;
  FUZZ_CHECK(RtfRead(back, once));
  FUZZ_CHECK_EQ(RtfWrite(back), once);
  TRichTextDocument plain;
  (void)RichLoadFromString(plain, AsString(Data, Size), false);
  return 0;
}
