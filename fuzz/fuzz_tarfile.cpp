// The ".tar" schedule reader with the frame's display on a headless frame.
// Property: the hour grid reads back every zone and head as the file had
// them, and what the file holds again is its first 888 bytes; the
// special-day grid reads back without a date that does not convert, and
// every day it gives back is a real date of kind 0 or 1.
#include <cstdint>
#include <vector>

#include "app/UFrame1.h"
#include "app/tarfile.h"
#include "fuzz/fuzz_support.h"
#include "platform/rtl/sysutils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size > 4 * kTarMaxSize) return 0;
  static TFrame1* frame = [] {
    auto* host = new TForm(nullptr);
    auto* f = new TFrame1(host);
    f->SetParent(host);
    host->FinishLoading();
    return f;
  }();
  TTarifMonth months[kTarifMonths];
  TSpecialDay days[kSpecialDaySlots];
  ReadTarBytes(Data, Size, months, days);
  for (int m = 1; m <= kTarifMonths; ++m) frame->ShowMonth(months[m - 1], m);
  frame->ShowSpecialDays(days);

  TTarifMonth back[kTarifMonths];
  for (int m = 1; m <= kTarifMonths; ++m) {
    back[m - 1].Head0 = months[m - 1].Head0;
    back[m - 1].Head1 = months[m - 1].Head1;
    FUZZ_CHECK(frame->ReadMonth(m, false, back[m - 1]));
    for (int z = 0; z < 72; ++z) FUZZ_CHECK(back[m - 1].Zone[z] == months[m - 1].Zone[z]);
  }
  const TSpecialDay none[kSpecialDaySlots] = {};
  const std::vector<std::uint8_t> again = TarFileBytes(back, none);
  FUZZ_CHECK(again.size() == kTarMonthsSize);
  for (std::size_t i = 0; i < kTarMonthsSize; ++i) FUZZ_CHECK(again[i] == (i < Size ? Data[i] : 0xFF));

  TSpecialDay read[kSpecialDaySlots] = {};
  FUZZ_CHECK(frame->ReadSpecialDays(read));
  for (int i = 0; i < kMeterSpecialDays && read[i].Day != 0; ++i) {
    TDateTime date;
    FUZZ_CHECK(TryEncodeDate(2028, static_cast<Word>(read[i].Month), static_cast<Word>(read[i].Day), date));
    FUZZ_CHECK(read[i].Kind == 0 || read[i].Kind == 1);
  }
  return 0;
}
