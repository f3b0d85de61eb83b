// The binary component stream: a record of every value type, sub-properties,
// a string list and children the reader skips.
// Property: bad data raises only the stream's errors; a record that loads
// writes out canonically (writing what was read back in gives the same bytes).
#include "fuzz/fuzz_support.h"
#include "fuzz/component_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TFuzzRecord first(nullptr);
  try {
    TStringStream in(AsString(Data, Size));
    in.ReadComponent(&first);
  } catch (const EReadError&) {
    return 0;
  } catch (const EStreamError&) {
    return 0;
  } catch (const EComponentError&) {
    return 0;  // a component name the record cannot take
  }
  const std::string once = BytesWritten([&](TStream* S) { S->WriteComponent(&first); });
  TFuzzRecord second(nullptr);
  TStringStream again(once);
  again.ReadComponent(&second);
  FUZZ_CHECK_EQ(BytesWritten([&](TStream* S) { S->WriteComponent(&second); }), once);
  return 0;
}
