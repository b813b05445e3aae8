// The format-pattern engine. A number is first reduced to its 15 significant decimal digits and
// every rounding is then done on that digit string, half away from zero; working on decimal
// digits rather than on the binary double is what makes 0.125 give "0.13" and keeps the output
// independent of the C library and of the locale.
#include "common/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kinetra {

namespace {

constexpr int kSignificantDigits = 15;

// A non-negative value as 15 significant digits d1 d2 ... with `point` digits before the decimal
// point: value = 0.d1d2... × 10^point. Zero has all digits '0' and point 1.
struct Decimal {
    char digits[kSignificantDigits];
    int point = 1;
    bool isZero() const { return digits[0] == '0'; }
};

Decimal toDecimal(double magnitude) {
    char buffer[40];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                             std::chars_format::scientific, kSignificantDigits - 1)
                   .ptr;
    // The text is "d.dddddddddddddde±xx": the mantissa digits, then the exponent.
    Decimal d;
    int count = 0;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.')
            d.digits[count++] = *p;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    d.point = d.isZero() ? 1 : exponent + 1;
    return d;
}

// The first `keep` digits of d rounded half away from zero at that position, without leading
// zeros; the result is one digit longer when the rounding carried into a new digit ("999" →
// "1000"). An empty result means zero.
std::string roundDigits(const Decimal& d, int keep) {
    std::string out;
    if (keep < 0 || d.isZero())
        return out;
    int available = std::min(keep, kSignificantDigits);
    out.assign(d.digits, static_cast<std::size_t>(available));
    out.append(static_cast<std::size_t>(keep - available), '0');
    if (keep >= kSignificantDigits || d.digits[keep] < '5')
        return out;
    int i = keep - 1;
    for (; i >= 0 && out[i] == '9'; --i)
        out[i] = '0';
    if (i >= 0)
        ++out[i];
    else
        out.insert(out.begin(), '1');
    return out;
}

bool allZero(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

// A number pattern: literal text around "[0#]*[.[0#]*][E±[0#]+]".
struct NumberPattern {
    std::string_view prefix, suffix;
    int integerZeros = 0; // digits always written before the point
    bool hasNumber = false;
    bool point = false;
    int decimals = 0;         // placeholders after the point
    int requiredDecimals = 0; // up to and including the last "0" after the point
    bool scientific = false;
    char exponentLetter = 'E';
    bool exponentPlus = false; // "E+" writes the sign always, "E-" only when negative
    int exponentZeros = 0;
};

bool isPlaceholder(char c) {
    return c == '0' || c == '#';
}

// The exponent part starts at `i`; it counts only when a placeholder follows the sign, otherwise
// the letter is literal text.
void parseExponent(std::string_view text, std::size_t& i, NumberPattern& p) {
    if (i + 2 >= text.size() || (text[i] != 'E' && text[i] != 'e') ||
        (text[i + 1] != '+' && text[i + 1] != '-') || !isPlaceholder(text[i + 2]))
        return;
    p.scientific = true;
    p.exponentLetter = text[i];
    p.exponentPlus = text[i + 1] == '+';
    // A "#" among the exponent digits adds nothing: exponents grow as needed anyway.
    for (i += 2; i < text.size() && isPlaceholder(text[i]); ++i)
        p.exponentZeros += text[i] == '0';
}

NumberPattern parsePattern(std::string_view text) {
    NumberPattern p;
    std::size_t i = 0;
    while (i < text.size() && !isPlaceholder(text[i]) && text[i] != '.')
        ++i;
    p.prefix = text.substr(0, i);
    std::size_t numberStart = i;
    for (; i < text.size() && isPlaceholder(text[i]); ++i)
        p.integerZeros += text[i] == '0';
    if (i < text.size() && text[i] == '.') {
        p.point = true;
        for (++i; i < text.size() && isPlaceholder(text[i]); ++i) {
            ++p.decimals;
            if (text[i] == '0')
                p.requiredDecimals = p.decimals;
        }
    }
    p.hasNumber = i > numberStart;
    if (p.hasNumber)
        parseExponent(text, i, p);
    p.suffix = text.substr(i);
    return p;
}

// The optional decimals that are zero at the end are dropped, down to the required ones.
std::string_view trimDecimals(std::string_view decimals, int required) {
    std::size_t size = decimals.size();
    while (size > static_cast<std::size_t>(required) && decimals[size - 1] == '0')
        --size;
    return decimals.substr(0, size);
}

void appendMantissa(std::string& out, std::string_view integerDigits, std::string_view decimals,
                    const NumberPattern& p) {
    if (static_cast<int>(integerDigits.size()) < p.integerZeros)
        out.append(p.integerZeros - integerDigits.size(), '0');
    out += integerDigits;
    if (p.point)
        out += '.';
    out += trimDecimals(decimals, p.requiredDecimals);
}

void appendExponent(std::string& out, int exponent, const NumberPattern& p) {
    out += p.exponentLetter;
    if (exponent < 0)
        out += '-';
    else if (p.exponentPlus)
        out += '+';
    char digits[8];
    auto end = std::to_chars(digits, digits + sizeof digits, std::abs(exponent)).ptr;
    int count = static_cast<int>(end - digits);
    out.append(static_cast<std::size_t>(std::max(0, std::max(p.exponentZeros, 1) - count)), '0');
    out.append(digits, end);
}

// Returns the digits of the value rounded to the pattern (with a leading "-" when the rounded
// value is not zero) between the pattern's literal prefix and suffix.
std::string formatFixed(double value, const NumberPattern& p) {
    Decimal d = toDecimal(std::fabs(value));
    std::string digits = roundDigits(d, d.point + p.decimals);
    std::size_t decimals = static_cast<std::size_t>(p.decimals);
    if (digits.size() < decimals)
        digits.insert(0, decimals - digits.size(), '0');
    std::string_view all(digits);
    std::string out;
    out.reserve(digits.size() + p.prefix.size() + p.suffix.size() + 8);
    // A negative value that rounds to zero loses its sign: "-0.00" in a file is a fault.
    if (std::signbit(value) && !allZero(all))
        out += '-';
    out += p.prefix;
    appendMantissa(out, all.substr(0, all.size() - decimals), all.substr(all.size() - decimals), p);
    out += p.suffix;
    return out;
}

std::string formatScientific(double value, const NumberPattern& p) {
    Decimal d = toDecimal(std::fabs(value));
    int integerDigits = std::max(1, p.integerZeros);
    int keep = integerDigits + p.decimals;
    int exponent = 0;
    std::string digits;
    if (d.isZero()) {
        digits.assign(static_cast<std::size_t>(keep), '0');
    } else {
        digits = roundDigits(d, keep);
        exponent = d.point - integerDigits;
        // A carry ("9.995" → "10.00") adds a digit in front: shift it into the exponent.
        if (static_cast<int>(digits.size()) > keep) {
            digits.pop_back();
            ++exponent;
        }
    }
    std::string_view all(digits);
    std::string out;
    out.reserve(digits.size() + p.prefix.size() + p.suffix.size() + 10);
    if (std::signbit(value) && !d.isZero())
        out += '-';
    out += p.prefix;
    appendMantissa(out, all.substr(0, integerDigits), all.substr(integerDigits), p);
    appendExponent(out, exponent, p);
    out += p.suffix;
    return out;
}

const char* nonFiniteText(double value) {
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// The shortest text of the value within 15 significant digits: plain digits for exponents from
// -5 to 14, otherwise one digit before the point and an "E±NN" exponent.
std::string formatGeneral(double value) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal d = toDecimal(std::fabs(value));
    if (d.isZero())
        return "0";
    std::string_view digits(d.digits, kSignificantDigits);
    digits = digits.substr(0, digits.find_last_not_of('0') + 1);
    int exponent = d.point - 1;
    std::string out;
    if (value < 0)
        out += '-';
    if (exponent >= -5 && exponent < kSignificantDigits) {
        if (d.point <= 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-d.point), '0');
            out += digits;
        } else {
            std::size_t point = static_cast<std::size_t>(d.point);
            out += digits.substr(0, point);
            if (digits.size() < point)
                out.append(point - digits.size(), '0');
            if (digits.size() > point) {
                out += '.';
                out += digits.substr(point);
            }
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out += digits.substr(1);
    }
    NumberPattern exponentForm;
    exponentForm.exponentPlus = true;
    exponentForm.exponentZeros = 2;
    appendExponent(out, exponent, exponentForm);
    return out;
}

bool isTextPattern(std::string_view pattern) {
    if (!pattern.empty() && pattern[0] == '!')
        pattern.remove_prefix(1);
    return !pattern.empty() && pattern.find_first_not_of('@') == std::string_view::npos;
}

// Field widths count characters, not bytes, so that a UTF-8 name lines up in a column.
std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

const char* const kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void appendPadded(std::string& out, int value, int width) {
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    if (end - digits < width)
        out.append(static_cast<std::size_t>(width - (end - digits)), '0');
    out.append(digits, end);
}

bool startsWithToken(std::string_view text, std::size_t i, std::string_view token) {
    return text.substr(i).starts_with(token);
}

// Appends the date field whose token starts at i and returns the token length, or 0 when no
// token starts there. Tokens are lower case so that capitals stay literal text. Longer tokens are
// tried first so that "mmm" is not read as "mm" + "m".
std::size_t appendDateToken(std::string& out, std::string_view pattern, std::size_t i,
                            const LocalDateTime& when) {
    if (startsWithToken(pattern, i, "yyyy")) {
        appendPadded(out, when.year, 4);
        return 4;
    }
    if (startsWithToken(pattern, i, "yy")) {
        appendPadded(out, ((when.year % 100) + 100) % 100, 2);
        return 2;
    }
    if (startsWithToken(pattern, i, "mmm")) {
        if (when.month >= 1 && when.month <= 12)
            out += kMonthNames[when.month - 1];
        return 3;
    }
    struct Field {
        std::string_view token;
        int value;
        int width;
    };
    const Field fields[] = {{"mm", when.month, 2},  {"m", when.month, 1},  {"dd", when.day, 2},
                            {"d", when.day, 1},     {"hh", when.hour, 2},  {"h", when.hour, 1},
                            {"nn", when.minute, 2}, {"ss", when.second, 2}};
    for (const Field& field : fields) {
        if (startsWithToken(pattern, i, field.token)) {
            appendPadded(out, field.value, field.width);
            return field.token.size();
        }
    }
    return 0;
}

} // namespace

std::string formatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (isTextPattern(pattern))
        return formatText(formatGeneral(value), pattern);
    NumberPattern p = parsePattern(pattern);
    if (!p.hasNumber)
        return formatGeneral(value);
    return p.scientific ? formatScientific(value, p) : formatFixed(value, p);
}

std::string formatText(std::string_view text, std::string_view pattern) {
    if (!isTextPattern(pattern))
        return std::string(text);
    bool left = pattern[0] == '!';
    std::size_t width = pattern.size() - (left ? 1 : 0);
    std::size_t length = characterCount(text);
    if (length >= width)
        return std::string(text);
    std::string out;
    out.reserve(text.size() + width - length);
    if (left) {
        out += text;
        out.append(width - length, ' ');
    } else {
        out.append(width - length, ' ');
        out += text;
    }
    return out;
}

std::string formatDate(const LocalDateTime& when, std::string_view pattern) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t used = appendDateToken(out, pattern, i, when);
        if (used == 0)
            out += pattern[i++];
        else
            i += used;
    }
    return out;
}

} // namespace kinetra
