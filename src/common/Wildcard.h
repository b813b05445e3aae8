// The one wildcard matcher of the program's filters and finds: "*" any run of characters, "?"
// one character, "#" one digit, "[abc]" one of a list, "[a-z]" one of a range, "[!...]" one
// character not in the list. The whole text must match.
#pragma once

#include <string_view>

namespace kinetra {

enum class LetterCase { Sensitive, Insensitive };

bool wildcardMatch(std::string_view text, std::string_view pattern,
                   LetterCase letterCase = LetterCase::Sensitive);

} // namespace kinetra
