// The numeric test and the parser that every reader of data files relies on. Both walk the text
// once with the same scanner, so a text accepted by isNumeric is exactly one parseNumber can
// read; neither allocates nor consults the locale, because they run on millions of fields.
#include "common/TextNumber.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

namespace kinetra {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSign(char c) {
    return c == '+' || c == '-';
}
bool isExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Where the parts of a numeric text lie; `valid` is false for anything else.
struct NumberShape {
    bool valid = false;
    std::size_t begin = 0;              // the sign or first digit
    std::size_t end = 0;                // one past the last digit
    std::size_t exponentLetter = kNone; // the E, e, D or d, if any
};

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

NumberShape scanNumber(std::string_view text) {
    NumberShape shape;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    shape.begin = i;
    if (i < text.size() && isSign(text[i]))
        ++i;
    std::size_t digitsStart = i;
    i = skipDigits(text, i);
    std::size_t digitCount = i - digitsStart;
    if (i < text.size() && text[i] == '.') {
        std::size_t fractionStart = ++i;
        i = skipDigits(text, i);
        digitCount += i - fractionStart;
    }
    if (digitCount == 0)
        return shape;
    if (i < text.size() && isExponentLetter(text[i])) {
        shape.exponentLetter = i++;
        if (i < text.size() && isSign(text[i]))
            ++i;
        std::size_t exponentStart = i;
        i = skipDigits(text, i);
        if (i == exponentStart)
            return shape;
    }
    shape.end = i;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    shape.valid = i == text.size();
    return shape;
}

// from_chars reports both overflow and underflow as out of range; the order of magnitude of the
// text tells them apart, so that a tiny value reads as zero instead of being refused.
bool magnitudeIsLarge(std::string_view number) {
    std::size_t i = isSign(number[0]) ? 1 : 0;
    while (i < number.size() && number[i] == '0')
        ++i;
    long magnitude = 0;
    std::size_t integerStart = i;
    i = skipDigits(number, i);
    if (i > integerStart) {
        magnitude = static_cast<long>(i - integerStart) - 1;
    } else if (i < number.size() && number[i] == '.') {
        ++i;
        while (i < number.size() && number[i] == '0')
            ++i;
        magnitude = -static_cast<long>(i - integerStart);
    }
    std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        bool negative = number[e + 1] == '-';
        long exponent = 0;
        for (std::size_t k = e + 1; k < number.size(); ++k)
            if (isDigit(number[k]) && exponent < 100000000)
                exponent = exponent * 10 + (number[k] - '0');
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude > 0;
}

std::optional<double> convert(std::string_view number) {
    double value = 0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitudeIsLarge(number))
            return std::nullopt;
        return number[0] == '-' ? -0.0 : 0.0;
    }
    if (result.ec != std::errc{} || result.ptr != number.data() + number.size())
        return std::nullopt;
    return value;
}

} // namespace

bool isNumeric(std::string_view text) {
    return scanNumber(text).valid;
}

std::optional<double> parseNumber(std::string_view text) {
    NumberShape shape = scanNumber(text);
    if (!shape.valid)
        return std::nullopt;
    // from_chars refuses a leading "+" and the Fortran "D" exponent, so the number is copied
    // with those two rewritten; a short stack buffer covers every realistic field.
    std::size_t begin = text[shape.begin] == '+' ? shape.begin + 1 : shape.begin;
    std::string_view number = text.substr(begin, shape.end - begin);
    char buffer[64] = {};
    std::string longNumber;
    char* out = buffer;
    if (number.size() > sizeof buffer) {
        longNumber.resize(number.size());
        out = longNumber.data();
    }
    for (std::size_t i = 0; i < number.size(); ++i)
        out[i] = begin + i == shape.exponentLetter ? 'e' : number[i];
    return convert(std::string_view(out, number.size()));
}

std::optional<long long> parseWholeNumber(std::string_view text) {
    constexpr double kLargestExact = 9007199254740992.0; // 2^53
    const std::optional<double> v = parseNumber(text);
    if (!v || std::fabs(*v) > kLargestExact || std::trunc(*v) != *v)
        return std::nullopt;
    return static_cast<long long>(*v);
}

} // namespace kinetra
