#include "ConsoleUi.h"

#include <ostream>

namespace kinetra::cli {

void ConsoleDialogs::message(const std::string& text, const std::string&, Icon) {
    err_ << text << '\n';
}

Answer ConsoleDialogs::ask(const std::string& text, const std::string&, Buttons buttons, Answer def,
                           Icon) {
    err_ << text << '\n';
    if (answerYes && (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel))
        return Answer::Yes;
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
