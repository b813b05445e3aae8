// The seams between the headless core and the outside world: message boxes, the clipboard,
// file dialogs, progress display and the clock. Core code receives them bundled in `Ui` and never
// touches a widget, so every prompt and its order can be scripted in a test.
#pragma once

#include <string>

namespace kinetra {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// The three answers of the refusal window that the text readers show for a block they cannot read.
enum class RefusalChoice { Continue, Stop, Cancel };
struct RefusalReply {
    RefusalChoice choice = RefusalChoice::Continue;
    bool doNotShowAgain = false; // the lasting "Do not show this window again" tick
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box with an OK button.
    virtual void message(const std::string& text, const std::string& title, Icon icon) = 0;
    // A modal question; returns the button pressed (the close box counts as Cancel, or No when
    // there is no Cancel button).
    virtual Answer ask(const std::string& text, const std::string& title, Buttons buttons,
                       Answer defaultAnswer, Icon icon) = 0;
    // The three-button window of the text readers: the reason, the refused block of text and the
    // question, answered with continue, stop or cancel.
    virtual RefusalReply refusal(const std::string& message, const std::string& block,
                                 const std::string& question) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void clear() = 0;
};

// A clipboard that lives for the run only: batch work and benchmarks never touch the
// desktop's clipboard.
class MemoryClipboard final : public Clipboard {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& t) override { text_ = t; }
    void clear() override { text_.clear(); }

private:
    std::string text_;
};

// The six filter kinds of the program's file dialogs.
enum class FilterKind {
    AllTextDatabasesCharts = 1, // "All Files (*.*)|*.*|Windows Text (*.txt)|*.txt|DataBases ..."
    AllText = 2,
    Databases = 3,
    Charts = 4,
    Pictures = 5,
    Text = 6,
};

// The filter string of a kind, in the "caption|pattern|caption|pattern" form.
const char* filterString(FilterKind kind);

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Both return the chosen path, or an empty string when the user cancelled.
    virtual std::string openFile(FilterKind kind, const std::string& title) = 0;
    virtual std::string saveFile(FilterKind kind, const std::string& title,
                                 const std::string& suggestedName) = 0;
};

class Progress {
public:
    virtual ~Progress() = default;
    // Shows a status text and, for percent in 0..100, a progress bar; percent < 0 hides the bar.
    virtual void show(const std::string& text, int percent) = 0;
    virtual void busy(bool on) = 0; // the hourglass pointer
    virtual void done() = 0;        // clears text, bar and hourglass
    // Work that can stop without leaving a trace offers Cancel while it reports: after
    // setCancellable(true) the display shows a Cancel button until done() or
    // setCancellable(false), and cancelRequested() tells the work whether it was pressed. A
    // display without a button (batch work) never asks to cancel.
    virtual void setCancellable(bool on) { (void)on; }
    virtual bool cancelRequested() const { return false; }
};

struct LocalDateTime {
    int year = 2000, month = 1, day = 1; // month 1..12
    int hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// The bundle handed to core operations. All references outlive the operation.
struct Ui {
    Dialogs& dialogs;
    Clipboard& clipboard;
    FileDialogs& files;
    Progress& progress;
    Clock& clock;
};

// The system clock in local time: the one real implementation outside Qt.
class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

} // namespace kinetra
