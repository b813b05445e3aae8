// Progress shown in the main window's status bar: a text, a bar for percentages and the busy
// pointer. Until a status bar is attached only the pointer changes. Work that can be cancelled
// shows a progress window with Cancel instead, modal so that the rest of the program waits for
// the work while every window keeps being drawn.
#pragma once

#include "common/Seams.h"

#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
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
    void setCancellable(bool on) override;
    bool cancelRequested() const override { return cancelled_; }

    bool isBusy() const { return busy_; }
    QProgressBar* progressBar() const { return progress_; }
    // The progress window of cancellable work while it is shown, otherwise nullptr.
    QProgressDialog* cancelWindow() const { return cancelWindow_; }

private:
    void showCancelWindow(const QString& text, int percent);
    void closeCancelWindow();

    QPointer<QStatusBar> bar_;
    QPointer<QProgressBar> progress_;
    QPointer<QProgressDialog> cancelWindow_;
    bool busy_ = false;
    bool cancellable_ = false;
    bool cancelled_ = false;
};

} // namespace kinetra::ui
