// Values of the limit, setpoint and log pages: decimal texts read as exact
// hundredths (binary floating point would turn "150.14" into 15013) and the
// text that refuses what cannot be sent.
#pragma once

#include <cstdint>
#include <optional>

#include "meter/Comands.h"
#include "platform/rtl/sysbase.h"

// "[sign]digits[separator digits]" with blanks around it; the separator is
// '.', ',' or the platform's DecimalSeparator. Digits after the second
// decimal are dropped (toward zero). Nothing when the text is not such a
// number; a number too large for 64 bits gives INT64_MAX with its sign.
std::optional<int64_t> ParseHundredths(const AnsiString& Text);

using comands::kNotANumberText;
