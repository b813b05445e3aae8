// The compact number format of temperature exponents, activation energies and fall-off
// parameters: the pattern depends on the magnitude, and an integral value between 1 and 10^6
// loses its decimal point. The mechanism reader and writer share it, so a value read and written
// back keeps its text.
#pragma once

#include <string>
#include <string_view>

namespace kinetra {

std::string compactNumber(double value);

// Numeric text in, compact text out; an empty (or blank) text is returned unchanged, and a text
// that is not numeric is returned unchanged as well.
std::string compactNumber(std::string_view numericText);

} // namespace kinetra
