// The place codes the thermo window shows in front of an unexpected error, so that a report
// names where the program was. Dialogs of the window carry their own (TDB#091..097).
#pragma once

namespace kinetra::thermo::ui::place {

inline constexpr const char* kRowChange = "TDB#030-1. ";
inline constexpr const char* kCellEdit = "TDB#031. ";
// Paste has one code wherever it was started: menu, pop-up menu or toolbar.
inline constexpr const char* kPaste = "TDB#038. ";
inline constexpr const char* kMenuCommand = "TDB#050. ";
inline constexpr const char* kToolbarOperation = "TDB#060. ";
inline constexpr const char* kCloseQuestion = "TDB#070. ";

} // namespace kinetra::thermo::ui::place
