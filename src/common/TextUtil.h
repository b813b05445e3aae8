// Small text helpers shared by every subsystem. Letter case is ASCII only: symbols, species
// names and keywords of the program's files are ASCII.
#pragma once

#include <string>
#include <string_view>

namespace kinetra {

std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Removes blanks, tabs and line breaks at both ends.
std::string trimBlanks(std::string_view text);

} // namespace kinetra
