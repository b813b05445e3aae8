#include "textdoc/TextDocument.h"

#include "common/TextFile.h"

namespace kinetra::textdoc {

namespace fs = std::filesystem;

std::string saveQuestion(const TextDocumentState& document) {
    if (document.path.empty())
        return "Do you want to save the text document " + document.caption + "?";
    return "Do you want to save changes to " + document.path.filename().string() + "?";
}

bool saveTextDocument(TextDocumentState& document, const std::string& text, FileDialogs& files,
                      bool asNew) {
    fs::path target = document.path;
    if (target.empty() || asNew) {
        const std::string chosen = files.saveFile(FilterKind::Text, "Save as", document.caption);
        if (chosen.empty())
            return false;
        target = chosen;
        if (!target.has_extension())
            target += ".txt";
    }
    writeTextFile(target, text);
    document.path = target;
    document.caption = target.filename().string();
    document.modified = false;
    return true;
}

bool mayClose(const TextDocumentState& document, Dialogs& dialogs,
              const std::function<bool()>& save) {
    if (!document.modified)
        return true;
    switch (dialogs.ask(saveQuestion(document), "KINETRA", Buttons::YesNoCancel, Answer::Yes,
                        Icon::Question)) {
    case Answer::Yes:
        return save();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace kinetra::textdoc
