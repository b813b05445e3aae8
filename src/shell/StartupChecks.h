// The checks that must pass before the program loads anything: the number format of the text
// conversion, and the support files of the title window.
#pragma once

#include "common/Seams.h"
#include "shell/AppFolders.h"

#include <functional>
#include <string>

namespace kinetra {

// Converts a number to text the way the program writes its text files.
using NumberToText = std::function<std::string(double)>;
NumberToText programNumberConversion();

// Empty when the conversion writes numbers the program's files can hold; otherwise the message
// that explains what to change.
std::string CheckNumberFormat(const NumberToText& convert);

// Each check shows its own critical message and returns true when it failed.
bool AuxtestOpenFl(const std::filesystem::path& path);
bool TotOpnErr(const std::filesystem::path& path, Dialogs& dialogs);
bool CursorFiles_Check(const AppFolders& folders, Dialogs& dialogs);
bool Empty_Check(const std::filesystem::path& path, Dialogs& dialogs);

// The title window's checks in order; on success THERMOPath.txt names a database (the quick-start
// one when it was empty). Returns true when every check passed.
bool TitleLoad(const AppFolders& folders, Dialogs& dialogs);

// The trimmed path held in THERMOPath.txt, or an empty string.
std::string readThermoPathFile(const AppFolders& folders);
void writeThermoPathFile(const AppFolders& folders, const std::string& path);

} // namespace kinetra
