#include "support/FakeUi.h"

namespace kinetra::testing {

void FakeDialogs::message(const std::string& text, const std::string& title, Icon icon) {
    shown.push_back({"message", text, title, icon, Buttons::Ok, {}});
}

Answer FakeDialogs::ask(const std::string& text, const std::string& title, Buttons buttons,
                        Answer defaultAnswer, Icon icon) {
    shown.push_back({"ask", text, title, icon, buttons, {}});
    if (answers.empty())
        return defaultAnswer;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

RefusalReply FakeDialogs::refusal(const std::string& message, const std::string& block,
                                  const std::string& question) {
    shown.push_back({"refusal", message, question, Icon::Exclamation, Buttons::YesNoCancel, block});
    if (refusalReplies.empty())
        return {};
    RefusalReply r = refusalReplies.front();
    refusalReplies.pop_front();
    return r;
}

std::vector<std::string> FakeDialogs::texts() const {
    std::vector<std::string> out;
    for (const auto& m : shown)
        out.push_back(m.text);
    return out;
}

static std::string nextPath(std::deque<std::string>& paths) {
    if (paths.empty())
        return {};
    std::string p = paths.front();
    paths.pop_front();
    return p;
}

std::string FakeFileDialogs::openFile(FilterKind kind, const std::string&) {
    asked.push_back(kind);
    return nextPath(paths);
}

std::string FakeFileDialogs::saveFile(FilterKind kind, const std::string&, const std::string&) {
    asked.push_back(kind);
    return nextPath(paths);
}

void FakeProgress::show(const std::string& text, int percent) {
    texts.push_back(text);
    percents.push_back(percent);
}

} // namespace kinetra::testing
