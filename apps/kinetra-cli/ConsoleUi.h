// The seams for batch work: messages go to stderr, questions take their default answer without
// being printed (batch work asks nothing: only what the question states is kept), refusals
// continue with the next block (and are listed), long lists are cut to a few lines that name
// the listing file with the whole list, nothing is ever overwritten without --force, and
// progress is drawn on stderr only when it is a terminal.
#pragma once

#include "common/Seams.h"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace kinetra::cli {

// What the terminal shows of a question: the statements before it ("The error messages have
// been written in the file ..."), without the question itself ("Open the file?"). Empty when the
// text is all question.
std::string withoutQuestion(const std::string& text);

// A message of more than kTerminalLines lines keeps its first lines and says how many lines were
// left out and, when listingFile is not empty, that the whole text is there.
inline constexpr std::size_t kTerminalLines = 8;
std::string cutForTerminal(const std::string& text, const std::string& listingFile);

class ConsoleDialogs final : public Dialogs {
public:
    explicit ConsoleDialogs(std::ostream& err) : err_(err) {}
    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer ask(const std::string& text, const std::string& title, Buttons buttons,
               Answer defaultAnswer, Icon icon) override;
    RefusalReply refusal(const std::string& message, const std::string& block,
                         const std::string& question) override;
    int refusals = 0;
    // Yes/No questions answered other than Yes: the command says what was not done.
    int declined = 0;
    // --yes: questions with a Yes button are answered Yes instead of their default.
    bool answerYes = false;
    // The listing file the current command writes (ErrorMsg.txt), named under a cut list.
    std::string listingFile;

private:
    std::ostream& err_;
};

// File dialogs cannot be answered in batch work: every dialog is a cancel.
class NoFileDialogs final : public FileDialogs {
public:
    std::string openFile(FilterKind, const std::string&) override { return {}; }
    std::string saveFile(FilterKind, const std::string&, const std::string&) override { return {}; }
};

class ConsoleProgress final : public Progress {
public:
    ConsoleProgress(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}
    void show(const std::string& text, int percent) override;
    void busy(bool) override {}
    void done() override;

private:
    std::ostream& err_;
    bool terminal_;
    bool drawn_ = false;
};

} // namespace kinetra::cli
