// Text-to-number and text-to-date readers of the platform and the grid's
// short-date and number-format readers.
// Property: the Try form fails exactly when the raising form raises
// EConvertError; a number that reads writes back to text that reads as the
// same number; a date that reads shows as a text that reads as the same day.
#include <cmath>

#include "fuzz/fuzz_support.h"
#include "grid/radoriz.h"
#include "platform/rtl/sysutils.h"

namespace {

template <class T, class Raising, class Trying>
void SameVerdict(const AnsiString& S, Raising Raise, Trying Try) {
  T tried{};
  const bool ok = Try(S, tried);
  bool raised = false;
  T got{};
  try {
    got = Raise(S);
  } catch (const EConvertError&) {
    raised = true;
  }
  FUZZ_CHECK(ok != raised);
  if (ok) FUZZ_CHECK(got == tried || (std::isnan(static_cast<double>(got)) && std::isnan(static_cast<double>(tried))));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const AnsiString s = AsString(Data, Size);

  SameVerdict<Integer>(s, [](const AnsiString& x) { return StrToInt(x); },
                       [](const AnsiString& x, Integer& v) { return TryStrToInt(x, v); });
  SameVerdict<Int64>(s, [](const AnsiString& x) { return StrToInt64(x); },
                     [](const AnsiString& x, Int64& v) { return TryStrToInt64(x, v); });
  SameVerdict<Extended>(s, [](const AnsiString& x) { return StrToFloat(x); },
                        [](const AnsiString& x, Extended& v) { return TryStrToFloat(x, v); });
  SameVerdict<TDateTime>(s, [](const AnsiString& x) { return StrToDate(x); },
                         [](const AnsiString& x, TDateTime& v) { return TryStrToDate(x, v); });
  SameVerdict<TDateTime>(s, [](const AnsiString& x) { return StrToTime(x); },
                         [](const AnsiString& x, TDateTime& v) { return TryStrToTime(x, v); });
  SameVerdict<TDateTime>(s, [](const AnsiString& x) { return StrToDateTime(x); },
                         [](const AnsiString& x, TDateTime& v) { return TryStrToDateTime(x, v); });

  Int64 whole = 0;
  if (TryStrToInt64(s, whole)) FUZZ_CHECK(StrToInt64(IntToStr(whole)) == whole);
  Extended number = 0;
  if (TryStrToFloat(s, number) && std::isfinite(number)) {
    // The shortest general form keeps 15 digits: compare at that precision.
    const Extended back = StrToFloat(FloatToStrF(number, ffGeneral, 17, 0));
    FUZZ_CHECK(back == number);
  }
  TDateTime date = 0;
  if (TryStrToDate(s, date)) {
    TDateTime again = 0;
    FUZZ_CHECK(TryStrToDate(DateToStr(date), again));
    FUZZ_CHECK(std::floor(again) == std::floor(date));
  }

  int code = 0;
  Integer i = 0;
  Val(s, i, code);
  double d = 0;
  Val(s, d, code);
  (void)RemoveSeps(s);
  (void)FixDecimalSeparator(s);
  (void)IsType(s);
  (void)IsDateStr(s);
  try {
    (void)StrToShortDateEU(s);
    (void)StrToShortdateUS(s);
  } catch (const EConvertError&) {
  }
  return 0;
}
