// The rules of a text document window that do not need a widget: its caption and path, the
// solver-file and solver-input flags, the status line, the names a text may be saved under, the
// question before a modified document closes and the save that asks for a name when the document
// has none. The Qt window holds the text and forwards to these.
#pragma once

#include "common/Seams.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kinetra::textdoc {

struct TextDocumentState {
    std::string caption;        // "Text Doc1", or the file name
    std::filesystem::path path; // empty for a new document
    bool modified = false;      // set by every change of the text, cleared by a save
    bool solverFile = false;    // a solver file: shown, never edited
    bool solverInput = false;   // the application's own SOLTMP.txt: saved only under another name
};

// The two folders whose files a text window treats specially.
struct TextDocumentFolders {
    std::filesystem::path appDir;     // holds SOLTMP.txt, the solver input of a run
    std::filesystem::path supportDir; // holds TmpPlot.txt, the numeric data of the last chart
};

// The state of a window opened on `path`. A path beginning with "$" names a document without a
// file (the caption is the text after the "$"). The numeric data file TmpPlot.txt is scratch:
// the window drops its path, so that Save asks for a name instead of writing over it.
// `firstLine` is the first line of the text (the solver-file test).
TextDocumentState openedDocument(const std::string& path, std::string_view text,
                                 const TextDocumentFolders& folders);

// A solver file starts with a line whose first 16 characters read "!$KINETRA SOLVER" in any
// letter case.
bool isSolverFileText(std::string_view text);

// True when `path` is the solver input file of the application folder (letter case ignored).
bool isSolverInputPath(const std::filesystem::path& path, const std::filesystem::path& appDir);

// "So: path" for a solver file, "Te: path" for any other file, "Text Document" without a path.
std::string statusLine(const TextDocumentState& document);

// The text of a rich-text file without its markup: control words and groups that hold no text
// (font and colour tables, pictures) are dropped, \par and \line become line ends.
std::string plainTextOfRichText(std::string_view rtf);

// "Dec 7 2026, 14:05:09": the text Date/Time inserts at the cursor.
std::string dateTimeText(const LocalDateTime& when);

// "Do you want to save the text document Text Doc1?" for a document without a file, "Do you
// want to save changes to notes.txt?" otherwise.
std::string saveQuestion(const TextDocumentState& document);

// Asks for a name to save a text under: names with the extension of a database, chart, picture
// or program are refused (OK asks again, Cancel gives up); the application's solver input file
// is refused; a name without extension gets ".txt". Nothing when the user gave up.
std::optional<std::filesystem::path> askTextFileName(FileDialogs& files, Dialogs& dialogs,
                                                     const std::filesystem::path& appDir,
                                                     const std::string& suggestedName);

// Writes the text to the document's file; without one (or with asNew, Save as...) the name is
// asked first. False when no file was written (cancelled or refused); the document then keeps
// its path and flag.
bool saveTextDocument(TextDocumentState& document, const std::string& text, FileDialogs& files,
                      Dialogs& dialogs, const std::filesystem::path& appDir, bool asNew);

// Before the window closes: nothing to ask when unmodified or a solver file; otherwise Yes, No
// or Cancel. Yes saves through `save` and keeps the window when the save was cancelled; Cancel
// keeps it (and, during the program's exit, stops the exit). True when the window may close.
bool mayClose(const TextDocumentState& document, Dialogs& dialogs,
              const std::function<bool()>& save);

} // namespace kinetra::textdoc
