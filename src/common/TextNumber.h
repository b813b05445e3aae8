// The one numeric test of the program. A numeric text is: optional blanks, an optional sign,
// digits with an optional decimal point (at least one digit in all), an optional exponent made
// of E, e, D or d, an optional sign and at least one digit, optional blanks. Nothing else is
// numeric: no thousands separators, no hexadecimal, no locale, no "inf" or "nan".
#pragma once

#include <optional>
#include <string_view>

namespace kinetra {

bool isNumeric(std::string_view text);

// The value of a numeric text, or nothing when the text is not numeric or its value is not a
// finite double.
std::optional<double> parseNumber(std::string_view text);

} // namespace kinetra
