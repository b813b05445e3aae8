#include "common/ExactNumber.h"

#include "common/CompactNumber.h"
#include "common/NumberFormat.h"
#include "common/TextNumber.h"

#include <charconv>
#include <cmath>

namespace kinetra {

namespace {

bool readsBackAs(const std::string& text, double value) {
    const std::optional<double> read = parseNumber(text);
    return read && *read == value;
}

// The decimals an exponent pattern asks for: "0.00E+00" gives 2, "0.##E+00" gives 0.
std::size_t requiredDecimals(std::string_view pattern) {
    const std::size_t point = pattern.find('.');
    if (point == std::string_view::npos)
        return 0;
    std::size_t count = 0;
    for (std::size_t i = point + 1; i < pattern.size() && pattern[i] == '0'; ++i)
        ++count;
    return count;
}

// Shortest exact digits as "d.dddE+xx".
std::string shortestExponentText(double value, std::size_t minDecimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    std::size_t point = mantissa.find('.');
    if (point == std::string::npos && minDecimals > 0) {
        mantissa += '.';
        point = mantissa.size() - 1;
    }
    const std::size_t decimals = point == std::string::npos ? 0 : mantissa.size() - point - 1;
    if (decimals < minDecimals)
        mantissa.append(minDecimals - decimals, '0');
    const int magnitude = std::abs(exponent);
    return mantissa + (exponent < 0 ? "E-" : "E+") + (magnitude < 10 ? "0" : "") +
           std::to_string(magnitude);
}

std::string shortestPlainText(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    // A plain text of very small or very large values carries runs of zeros that only
    // hide the digits; the exponent form says the same in fewer characters.
    if (text.size() > 24)
        return shortestExponentText(value, 0);
    return text;
}

bool isExponentPattern(std::string_view pattern) {
    return pattern.find_first_of("Ee") != std::string_view::npos;
}

} // namespace

std::string exactNumberText(double value, std::string_view pattern) {
    std::string text = formatNumber(value, pattern);
    if (!std::isfinite(value) || readsBackAs(text, value))
        return text;
    return isExponentPattern(pattern) ? shortestExponentText(value, requiredDecimals(pattern))
                                      : shortestPlainText(value);
}

std::string exactCompactNumber(double value) {
    std::string text = compactNumber(value);
    if (!std::isfinite(value) || readsBackAs(text, value))
        return text;
    const double magnitude = std::fabs(value);
    return magnitude < 0.0001 || magnitude >= 100000000 ? shortestExponentText(value, 0)
                                                        : shortestPlainText(value);
}

double roundToFifteenDigits(double value) {
    if (!std::isfinite(value) || value == 0)
        return value;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    double rounded = value;
    std::from_chars(buffer, result.ptr, rounded);
    return rounded;
}

} // namespace kinetra
