// The rules of a text document window that do not need a widget: its caption and path, the
// modified flag, the question before a modified document closes and the save that asks for a
// name when the document has none. The Qt window holds the text and forwards to these.
#pragma once

#include "common/Seams.h"

#include <filesystem>
#include <functional>
#include <string>

namespace kinetra::textdoc {

struct TextDocumentState {
    std::string caption;        // "Text Doc1", or the file name
    std::filesystem::path path; // empty for a new document
    bool modified = false;      // set by every change of the text, cleared by a save
};

// "Do you want to save the text document Text Doc1?" for a document without a file, "Do you
// want to save changes to notes.txt?" otherwise.
std::string saveQuestion(const TextDocumentState& document);

// Writes the text to the document's file; without one (or with asNew, Save as...) the save dialog
// asks for a name first, and a name without extension gets ".txt". False when the user cancelled
// the dialog; the document then keeps its path and flag.
bool saveTextDocument(TextDocumentState& document, const std::string& text, FileDialogs& files,
                      bool asNew);

// Before the window closes: nothing to ask when unmodified; otherwise Yes, No or Cancel. Yes
// saves through `save` and keeps the window when the save was cancelled; Cancel keeps it (and,
// during the program's exit, stops the exit). True when the window may close.
bool mayClose(const TextDocumentState& document, Dialogs& dialogs,
              const std::function<bool()>& save);

} // namespace kinetra::textdoc
