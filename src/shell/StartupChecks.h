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

// The checks of the title window. Each returns true when the file passed, and otherwise shows
// its own critical message. (The original routines, AuxtestOpenFl, TotOpnErr,
// CursorFiles_Check and Empty_Check, returned true on failure.)
// A file that can be opened for reading (AuxtestOpenFl, inverted).
bool fileOpens(const std::filesystem::path& path);
// A support file that opens and is, or could be made, writable (TotOpnErr, inverted).
bool supportFileUsable(const std::filesystem::path& path, Dialogs& dialogs);
// The cursor and icon files load (CursorFiles_Check, inverted).
bool cursorFilesLoad(const AppFolders& folders, Dialogs& dialogs);
// A database template opens (Empty_Check, inverted).
bool templateOpens(const std::filesystem::path& path, Dialogs& dialogs);

// The title window's checks in order; on success THERMOPath.txt names a database (the quick-start
// one when it was empty). Returns true when every check passed.
bool TitleLoad(const AppFolders& folders, Dialogs& dialogs);

// The trimmed path held in THERMOPath.txt, or an empty string.
std::string readThermoPathFile(const AppFolders& folders);
void writeThermoPathFile(const AppFolders& folders, const std::string& path);

} // namespace kinetra
