// The format-pattern engine: every number and fixed-width text field the program writes goes
// through here, so that files, grids and documents agree to the last digit.
//
// Number patterns: "0" a digit always written, "#" a digit written only when significant, "." the
// decimal point (always a point, whatever the locale); a pattern with a point writes the point
// even when no decimals follow ("0." and "0.##" give "5." for 5). "E+00" / "E-00" write an
// exponent (with "+" the sign is always written) with at least as many digits as there are "0"s;
// exponents grow to three digits when needed. Rounding is half away from zero on the decimal
// value of the number (taken to 15 significant digits), so 0.125 gives "0.13" with "0.00".
//
// Text patterns: a run of n "@" right-aligns a text in n characters; "!" before the run aligns it
// left. A text longer than its field is written whole.
#pragma once

#include "common/Seams.h"

#include <string>
#include <string_view>

namespace kinetra {

std::string formatNumber(double value, std::string_view pattern);

std::string formatText(std::string_view text, std::string_view pattern);

// Date patterns; "mmm d yyyy" gives "Dec 6 2026". Supported tokens: "mmm", "mm", "m", "dd",
// "d", "yyyy", "yy", "hh", "h", "nn", "ss"; everything else is copied.
std::string formatDate(const LocalDateTime& when, std::string_view pattern);

} // namespace kinetra
