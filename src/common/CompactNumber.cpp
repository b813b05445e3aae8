// The compact number format: the pattern follows the magnitude so that small parameters keep
// their significant decimals and large ones do not carry meaningless ones.
#include "common/CompactNumber.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"

#include <cmath>

namespace kinetra {

namespace {

std::string_view patternByMagnitude(double magnitude) {
    if (magnitude < 0.0001 || magnitude >= 100000000)
        return "0.##E+00";
    if (magnitude < 10)
        return "0.#####";
    if (magnitude < 100)
        return "0.###";
    if (magnitude < 1000)
        return "0.##";
    if (magnitude < 1000000)
        return "0.#";
    return "0";
}

// A value that rounds to a whole number is written without its point ("10", not "10."), so
// that last-bit noise on either side of an integer (5.00000000001 or 4.99999999999) leaves no
// trace in the text.
std::string formatWithoutBarePoint(double value, std::string_view pattern) {
    std::string text = formatNumber(value, pattern);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace

std::string compactNumber(double value) {
    double magnitude = std::fabs(value);
    if (magnitude == 0)
        return "0";
    if (!std::isfinite(value))
        return formatNumber(value, "0");
    std::string_view pattern = patternByMagnitude(magnitude);
    std::string text = formatWithoutBarePoint(value, pattern);
    // Rounding can carry a value into the next range (9.999999E-05 gives "1.E-04"); the text of
    // the rounded value must then be that range's, or reading it back would write another text.
    double rounded = parseNumber(text).value_or(value);
    std::string_view roundedPattern = patternByMagnitude(std::fabs(rounded));
    if (roundedPattern != pattern)
        text = formatWithoutBarePoint(rounded, roundedPattern);
    return text;
}

std::string compactNumber(std::string_view numericText) {
    std::optional<double> value = parseNumber(numericText);
    if (!value)
        return std::string(numericText);
    return compactNumber(*value);
}

} // namespace kinetra
