#include "textdoc/TextDocument.h"

#include "common/FileNames.h"
#include "common/NumberFormat.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"

#include <array>
#include <cctype>
#include <vector>

namespace kinetra::textdoc {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSolverFirstLine = "!$KINETRA SOLVER";

// Extensions of the program's databases, charts, pictures and of programs: a text saved under
// one of them would pass for a file it is not.
constexpr std::array<std::string_view, 6> kRefusedExtensions = {"pg",  "mdb", "wmf",
                                                                "bmp", "exe", "dll"};

std::string extensionOf(const fs::path& path) {
    std::string extension = path.extension().string();
    if (!extension.empty() && extension.front() == '.')
        extension.erase(0, 1);
    return lowerAscii(extension);
}

bool samePathIgnoringCase(const fs::path& a, const fs::path& b) {
    return equalsIgnoreCase(a.lexically_normal().string(), b.lexically_normal().string());
}

void appendLatin1(std::string& out, unsigned char c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Destinations of a rich-text file whose content is no text of the document.
bool isHiddenDestination(std::string_view word) {
    static constexpr std::array<std::string_view, 9> kHidden = {
        "fonttbl", "colortbl", "stylesheet", "info",     "pict",
        "header",  "footer",   "listtable",  "generator"};
    for (std::string_view hidden : kHidden)
        if (word == hidden)
            return true;
    return false;
}

} // namespace

bool isSolverFileText(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string firstLine = trimBlanks(
        withoutByteOrderMark(text.substr(0, end == std::string_view::npos ? text.size() : end)));
    return firstLine.size() >= kSolverFirstLine.size() &&
           upperAscii(std::string_view(firstLine).substr(0, kSolverFirstLine.size())) ==
               kSolverFirstLine;
}

bool isSolverInputPath(const fs::path& path, const fs::path& appDir) {
    return !path.empty() && samePathIgnoringCase(path, appDir / files::kSolverInput);
}

TextDocumentState openedDocument(const std::string& path, std::string_view text,
                                 const TextDocumentFolders& folders) {
    TextDocumentState document;
    if (!path.empty() && path.front() == '$') {
        document.caption = path.substr(1);
    } else {
        document.path = path;
        document.caption = document.path.filename().string();
    }
    document.solverFile = isSolverFileText(text);
    document.solverInput = isSolverInputPath(document.path, folders.appDir);
    if (!document.path.empty() &&
        samePathIgnoringCase(document.path, folders.supportDir / files::kTmpPlot))
        document.path.clear();
    return document;
}

std::string statusLine(const TextDocumentState& document) {
    if (document.path.empty())
        return "Text Document";
    return (document.solverFile ? "So: " : "Te: ") + document.path.string();
}

std::string plainTextOfRichText(std::string_view rtf) {
    std::string out;
    std::vector<bool> hidden{false}; // per open group: is its text hidden
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            hidden.push_back(hidden.back());
        } else if (c == '}') {
            if (hidden.size() > 1)
                hidden.pop_back();
        } else if (c == '\r' || c == '\n') {
            // Line ends of the file are layout of the markup; \par marks the text's own.
        } else if (c != '\\') {
            if (!hidden.back())
                out += c;
        } else if (i + 1 < rtf.size()) {
            const char next = rtf[i + 1];
            if (next == '\\' || next == '{' || next == '}') {
                if (!hidden.back())
                    out += next;
                ++i;
            } else if (next == '*') {
                hidden.back() = true;
                ++i;
            } else if (next == '\'' && i + 3 < rtf.size()) {
                const std::string hex(rtf.substr(i + 2, 2));
                if (!hidden.back() && std::isxdigit(static_cast<unsigned char>(hex[0])) &&
                    std::isxdigit(static_cast<unsigned char>(hex[1])))
                    appendLatin1(out, static_cast<unsigned char>(std::stoi(hex, nullptr, 16)));
                i += 3;
            } else if (std::isalpha(static_cast<unsigned char>(next))) {
                std::size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                    ++j;
                const std::string_view word = rtf.substr(i + 1, j - i - 1);
                if (j < rtf.size() &&
                    (rtf[j] == '-' || std::isdigit(static_cast<unsigned char>(rtf[j]))))
                    ++j;
                while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j])))
                    ++j;
                if (j < rtf.size() && rtf[j] == ' ')
                    ++j; // the blank that ends a control word belongs to it
                if (isHiddenDestination(word))
                    hidden.back() = true;
                else if (!hidden.back() && (word == "par" || word == "line"))
                    out += '\n';
                else if (!hidden.back() && word == "tab")
                    out += '\t';
                i = j - 1;
            } else {
                ++i; // a control symbol such as \~ or \-: no text of its own
            }
        }
    }
    return out;
}

std::string dateTimeText(const LocalDateTime& when) {
    return formatDate(when, "mmm d yyyy") + ", " + formatDate(when, "hh:nn:ss");
}

std::string saveQuestion(const TextDocumentState& document) {
    if (document.path.empty())
        return "Do you want to save the text document " + document.caption + "?";
    return "Do you want to save changes to " + document.path.filename().string() + "?";
}

std::optional<fs::path> askTextFileName(FileDialogs& files, Dialogs& dialogs,
                                        const fs::path& appDir, const std::string& suggestedName) {
    for (;;) {
        const std::string chosen = files.saveFile(FilterKind::Text, "Save as", suggestedName);
        if (chosen.empty())
            return std::nullopt;
        fs::path target = chosen;
        const std::string extension = extensionOf(target);
        bool refused = false;
        for (std::string_view bad : kRefusedExtensions)
            refused = refused || extension == bad;
        if (refused) {
            if (dialogs.ask("The file extension '." + extension + "' is not valid for text file.",
                            "KINETRA", Buttons::OkCancel, Answer::Ok,
                            Icon::Exclamation) == Answer::Ok)
                continue;
            return std::nullopt;
        }
        if (!target.has_extension())
            target += ".txt";
        if (isSolverInputPath(target, appDir)) {
            dialogs.message("The file " + target.string() +
                                " is an internal KINETRA file. Please enter another file path.",
                            "KINETRA", Icon::Exclamation);
            return std::nullopt;
        }
        return target;
    }
}

bool saveTextDocument(TextDocumentState& document, const std::string& text, FileDialogs& files,
                      Dialogs& dialogs, const fs::path& appDir, bool asNew) {
    fs::path target = document.path;
    if (target.empty() || asNew || document.solverInput) {
        auto chosen = askTextFileName(files, dialogs, appDir, document.caption);
        if (!chosen)
            return false;
        target = *chosen;
    }
    writeTextFile(target, text);
    document.path = target;
    document.caption = target.filename().string();
    document.modified = false;
    document.solverInput = false;
    return true;
}

bool mayClose(const TextDocumentState& document, Dialogs& dialogs,
              const std::function<bool()>& save) {
    if (!document.modified || document.solverFile)
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
