// Scripted fakes of the seams: they record every message and question and answer from a script,
// so tests can assert the exact texts and their order.
#pragma once

#include "common/Seams.h"

#include <deque>
#include <string>
#include <vector>

namespace kinetra::testing {

struct ShownMessage {
    std::string kind; // "message", "ask" or "refusal"
    std::string text;
    std::string title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    std::string block; // refusal only
};

class FakeDialogs final : public Dialogs {
public:
    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer ask(const std::string& text, const std::string& title, Buttons buttons,
               Answer defaultAnswer, Icon icon) override;
    RefusalReply refusal(const std::string& message, const std::string& block,
                         const std::string& question) override;

    // Answers given to the next questions in order; when the script runs out the default
    // answer is given.
    std::deque<Answer> answers;
    std::deque<RefusalReply> refusalReplies;
    std::vector<ShownMessage> shown;

    std::vector<std::string> texts() const; // the texts of everything shown, in order
    const ShownMessage& last() const { return shown.back(); }
};

class FakeClipboard final : public Clipboard {
public:
    std::string text() const override { return content; }
    void setText(const std::string& t) override { content = t; }
    void clear() override { content.clear(); }
    std::string content;
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::string openFile(FilterKind kind, const std::string& title) override;
    std::string saveFile(FilterKind kind, const std::string& title,
                         const std::string& suggestedName) override;
    std::deque<std::string> paths; // answers in order; empty means cancelled
    std::vector<FilterKind> asked;
};

class FakeProgress final : public Progress {
public:
    void show(const std::string& text, int percent) override;
    void busy(bool on) override { busyNow = on; }
    void done() override {
        busyNow = false;
        cancellable = false;
    }
    void setCancellable(bool on) override { cancellable = on; }
    // The user presses Cancel once a text starting with cancelAt is shown with Cancel offered.
    bool cancelRequested() const override {
        return cancellable && !cancelAt.empty() && !texts.empty() &&
               texts.back().starts_with(cancelAt);
    }
    std::vector<std::string> texts;
    std::vector<int> percents;
    bool busyNow = false;
    bool cancellable = false;
    std::string cancelAt;
};

class FixedClock final : public Clock {
public:
    LocalDateTime now() const override { return when; }
    LocalDateTime when{2026, 12, 6, 14, 5, 9};
};

// All five fakes, with the `Ui` bundle over them.
struct FakeUi {
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeFileDialogs files;
    FakeProgress progress;
    FixedClock clock;
    Ui ui{dialogs, clipboard, files, progress, clock};
};

} // namespace kinetra::testing
