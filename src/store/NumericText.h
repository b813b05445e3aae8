// Helpers shared by the value conversions and the typed insert; not part of the store's API.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kinetra::store::detail {

// The value of a text made of an optional sign and decimal digits (blanks around allowed),
// without going through a double; nothing for anything else or when it does not fit.
std::optional<std::int64_t> exactInteger(std::string_view text);

bool isBlank(std::string_view text);

} // namespace kinetra::store::detail
