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

// The value of a numeric text that is a whole number a double holds exactly (|v| <= 2^53),
// as "1000", "1.E+03" or "99999" are; nothing otherwise. Counts read from files go through
// this, so that a huge value is refused instead of overflowing a conversion.
std::optional<long long> parseWholeNumber(std::string_view text);

} // namespace kinetra
