#include "ConsoleUi.h"

#include <ostream>

namespace kinetra::cli {

std::string withoutQuestion(const std::string& text) {
    const std::size_t end = text.find_last_not_of(" \r\n");
    if (end == std::string::npos || text[end] != '?')
        return text;
    // The question is the last sentence: it starts after the previous line end or full stop
    // followed by a blank (a point inside "gri.mdb" ends no sentence).
    std::size_t stop = end;
    while (stop-- > 0)
        if (text[stop] == '\n' ||
            (text[stop] == '.' && (text[stop + 1] == ' ' || text[stop + 1] == '\n')))
            break;
    if (stop == std::string::npos)
        return {};
    std::string statement = text.substr(0, stop + 1);
    const std::size_t last = statement.find_last_not_of(" \r\n");
    statement.resize(last == std::string::npos ? 0 : last + 1);
    return statement;
}

std::string cutForTerminal(const std::string& text, const std::string& listingFile) {
    std::size_t position = 0;
    for (std::size_t line = 0; line < kTerminalLines - 1; ++line) {
        position = text.find('\n', position);
        if (position == std::string::npos)
            return text;
        ++position;
    }
    std::size_t left = 0;
    for (std::size_t p = position; p < text.size(); ++p)
        left += text[p] == '\n' ? 1 : 0;
    if (!text.empty() && text.back() != '\n')
        ++left;
    if (left <= 1)
        return text;
    std::string cut = text.substr(0, position) + "... " + std::to_string(left) + " more lines";
    if (!listingFile.empty())
        cut += "; the whole list is in " + listingFile;
    return cut;
}

void ConsoleDialogs::message(const std::string& text, const std::string&, Icon) {
    err_ << cutForTerminal(text, listingFile) << '\n';
}

Answer ConsoleDialogs::ask(const std::string& text, const std::string&, Buttons buttons, Answer def,
                           Icon) {
    if (const std::string statement = withoutQuestion(text); !statement.empty())
        err_ << cutForTerminal(statement, listingFile) << '\n';
    if (answerYes && (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel))
        return Answer::Yes;
    if (def != Answer::Yes && def != Answer::Ok)
        ++declined;
    return def;
}

RefusalReply ConsoleDialogs::refusal(const std::string& message, const std::string& block,
                                     const std::string&) {
    ++refusals;
    err_ << message << '\n' << block << '\n';
    return {RefusalChoice::Continue, false};
}

void ConsoleProgress::show(const std::string& text, int percent) {
    if (!terminal_)
        return;
    constexpr int kWidth = 30;
    std::string bar;
    if (percent >= 0) {
        int filled = std::min(kWidth, std::max(0, percent * kWidth / 100));
        bar = " [" + std::string(filled, '#') + std::string(kWidth - filled, ' ') + "] " +
              std::to_string(percent) + "%";
    }
    err_ << '\r' << text << bar << "\x1b[K" << std::flush;
    drawn_ = true;
}

void ConsoleProgress::done() {
    if (drawn_)
        err_ << "\r\x1b[K" << std::flush;
    drawn_ = false;
}

} // namespace kinetra::cli
