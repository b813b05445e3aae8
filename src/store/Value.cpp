#include "store/Value.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "store/NumericText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace kinetra::store {

namespace {

std::optional<std::int64_t> roundToInteger(double d) {
    if (!std::isfinite(d))
        return std::nullopt;
    const double r = std::round(d); // half away from zero
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (r < -limit || r >= limit)
        return std::nullopt;
    return static_cast<std::int64_t>(r);
}

} // namespace

namespace detail {

// Whole-number text is taken exactly rather than through a double, which would lose digits
// beyond 2^53.
std::optional<std::int64_t> exactInteger(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-')
            return std::nullopt;
    }
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

} // namespace detail

std::optional<double> toDouble(const Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (auto d = std::get_if<double>(&v))
        return *d;
    if (auto s = std::get_if<std::string>(&v))
        return parseNumber(*s);
    return std::nullopt;
}

std::optional<std::int64_t> toInteger(const Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v))
        return *i;
    if (auto d = std::get_if<double>(&v))
        return roundToInteger(*d);
    if (auto s = std::get_if<std::string>(&v)) {
        if (!isNumeric(*s))
            return std::nullopt;
        if (auto exact = detail::exactInteger(*s))
            return exact;
        if (auto d = parseNumber(*s))
            return roundToInteger(*d);
    }
    return std::nullopt;
}

std::string toText(const Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v))
        return std::to_string(*i);
    if (auto d = std::get_if<double>(&v)) {
        char buffer[32];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, *d);
        return ec == std::errc() ? std::string(buffer, end) : std::string();
    }
    if (auto s = std::get_if<std::string>(&v))
        return *s;
    return {};
}

std::string cellText(const Value& v, std::string_view pattern) {
    if (!pattern.empty())
        if (const auto number = toDouble(v))
            return formatNumber(*number, pattern);
    return toText(v);
}

} // namespace kinetra::store
