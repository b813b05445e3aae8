// A field value as the store hands it out: empty (NULL), integer, real or text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kinetra::store {

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool isNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

// Conversions used by callers that do not care how the store typed a field. Text that is
// numeric (in the program's sense) converts to a number; anything else gives nothing.
std::optional<double> toDouble(const Value& v);
std::optional<std::int64_t> toInteger(const Value& v); // reals are rounded to nearest
// NULL gives "", integers plain digits, reals the shortest text that keeps the value.
std::string toText(const Value& v);

// A grid cell: a number through the format pattern when one is given, anything else as text.
std::string cellText(const Value& v, std::string_view pattern);

} // namespace kinetra::store
