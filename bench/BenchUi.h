// The seams for benchmarks: every question takes its default, every refusal continues, nothing
// is shown, so only the work itself is timed.
#pragma once

#include "common/Seams.h"

#include <sys/resource.h>

namespace kinetra::bench {

class QuietDialogs final : public Dialogs {
public:
    void message(const std::string&, const std::string&, Icon) override {}
    Answer ask(const std::string&, const std::string&, Buttons, Answer d, Icon) override {
        return d;
    }
    RefusalReply refusal(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
};

class NoClipboard final : public Clipboard {
public:
    std::string text() const override { return {}; }
    void setText(const std::string&) override {}
    void clear() override {}
};

class NoFiles final : public FileDialogs {
public:
    std::string openFile(FilterKind, const std::string&) override { return {}; }
    std::string saveFile(FilterKind, const std::string&, const std::string&) override { return {}; }
};

class NoProgress final : public Progress {
public:
    void show(const std::string&, int) override {}
    void busy(bool) override {}
    void done() override {}
};

struct QuietUi {
    QuietDialogs dialogs;
    MemoryClipboard clipboard;
    NoFiles files;
    NoProgress progress;
    SystemClock clock;
    Ui ui{dialogs, clipboard, files, progress, clock};
};

// The peak resident size of this process so far, MB.
inline double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace kinetra::bench
