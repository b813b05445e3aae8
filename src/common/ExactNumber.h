// Numbers that must survive a trip through text unchanged: the rate parameters of a mechanism
// are stored as read and written back so that reading the text again gives the same doubles.
// The writers keep their familiar patterns ("0.00E+00", the compact format) wherever those
// already give the value back, and fall back to the shortest exact digits only where they
// would cut some.
#pragma once

#include <string>
#include <string_view>

namespace kinetra {

// Text in the style of `pattern` (a format pattern of NumberFormat) that reads back as exactly
// `value`: the pattern's own text when that is exact, otherwise the shortest decimal digits
// that are, with the pattern's exponent style (at least as many decimals as the pattern asks
// for, an exponent of at least two digits) or in plain notation for a plain pattern.
std::string exactNumberText(double value, std::string_view pattern);

// The compact number format when it keeps every digit of the value, the shortest exact text
// otherwise.
std::string exactCompactNumber(double value);

// A value rounded to 15 significant decimal digits. A unit conversion (kcal to cal, molecules
// to moles) leaves last-bit noise in the product; a double holds every 15-digit decimal
// exactly, so this keeps all the digits the text gave and drops only that noise.
double roundToFifteenDigits(double value);

} // namespace kinetra
