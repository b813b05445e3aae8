// The place codes the reaction window and its tool windows show in front of an unexpected error,
// so that a report names where the program was. A command has one code wherever it was started
// (menu, pop-up menu or toolbar).
#pragma once

namespace kinetra::reactions::ui::place {

inline constexpr const char* kCommand = "RDB#049. ";
inline constexpr const char* kRowChange = "RDB#049-1. ";
// Paste and Paste Special.
inline constexpr const char* kPaste = "RDB#109. ";
inline constexpr const char* kCloseQuestion = "RDB#070. ";
inline constexpr const char* kInputWindow = "08#003. ";
inline constexpr const char* kInputWindowRedraw = "08#008. ";
inline constexpr const char* kFind = "Mod2#001. ";
inline constexpr const char* kSpeciesFilter = "Mod2#001-1 ";
inline constexpr const char* kElementsFilter = "Mod2#001. ";
inline constexpr const char* kReferences = "RDB#077*R ";
// Rate and equilibrium constants (numeric data, chart).
inline constexpr const char* kRateTable = "RDB#031. ";

} // namespace kinetra::reactions::ui::place
