// Progress shown in the main window's status bar: a text, a bar for percentages and the busy
// pointer. Until a status bar is attached only the pointer changes.
#pragma once

#include "common/Seams.h"

#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>

namespace kinetra::ui {

class StatusProgress final : public Progress {
public:
    StatusProgress() = default;
    ~StatusProgress() override;
    StatusProgress(const StatusProgress&) = delete;
    StatusProgress& operator=(const StatusProgress&) = delete;

    void attach(QStatusBar* bar);

    void show(const std::string& text, int percent) override;
    void busy(bool on) override;
    void done() override;

    bool isBusy() const { return busy_; }
    QProgressBar* progressBar() const { return progress_; }

private:
    QPointer<QStatusBar> bar_;
    QPointer<QProgressBar> progress_;
    bool busy_ = false;
};

} // namespace kinetra::ui
