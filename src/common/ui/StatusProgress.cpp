#include "common/ui/StatusProgress.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QProgressDialog>
#include <QStatusBar>

namespace kinetra::ui {

StatusProgress::~StatusProgress() {
    closeCancelWindow();
    busy(false);
}

void StatusProgress::attach(QStatusBar* bar) {
    bar_ = bar;
    progress_ = new QProgressBar(bar);
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(240);
    progress_->hide();
    bar->addPermanentWidget(progress_);
}

void StatusProgress::show(const std::string& text, int percent) {
    if (!bar_)
        return;
    const QString message = QString::fromStdString(text);
    bar_->showMessage(message);
    if (cancellable_) {
        progress_->hide();
        showCancelWindow(message, percent);
        // The progress window is modal: the only input that gets through is its Cancel.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    if (percent >= 0 && percent <= 100) {
        progress_->setValue(percent);
        progress_->show();
    } else {
        progress_->hide();
    }
    // The work that reports runs on this thread: letting Qt paint (but not take input, so no
    // command can start in the middle of this one) keeps the windows drawn while it runs.
    bar_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StatusProgress::showCancelWindow(const QString& text, int percent) {
    if (!cancelWindow_) {
        cancelWindow_ = new QProgressDialog(text, QStringLiteral("Cancel"), 0, 100, bar_->window());
        cancelWindow_->setObjectName(QStringLiteral("progressWindow"));
        cancelWindow_->setWindowTitle(QStringLiteral("KINETRA"));
        cancelWindow_->setWindowModality(Qt::ApplicationModal);
        cancelWindow_->setAutoClose(false);
        cancelWindow_->setAutoReset(false);
        cancelWindow_->setMinimumDuration(0);
        cancelWindow_->setMinimumWidth(360);
        QObject::connect(cancelWindow_, &QProgressDialog::canceled, cancelWindow_,
                         [this] { cancelled_ = true; });
    }
    cancelWindow_->setLabelText(text);
    if (percent >= 0 && percent <= 100) {
        cancelWindow_->setRange(0, 100);
        cancelWindow_->setValue(percent);
    } else {
        cancelWindow_->setRange(0, 0);
    }
    if (!cancelWindow_->isVisible())
        cancelWindow_->show();
}

void StatusProgress::closeCancelWindow() {
    if (cancelWindow_) {
        // Deleted at once: a later long operation starts with a fresh window and no old signal.
        delete cancelWindow_;
    }
}

void StatusProgress::setCancellable(bool on) {
    cancellable_ = on;
    cancelled_ = false;
    if (!on)
        closeCancelWindow();
}

void StatusProgress::busy(bool on) {
    // The pointer is on or off, not counted: nested operations switch it like a flag.
    if (on == busy_)
        return;
    busy_ = on;
    if (!qApp)
        return;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void StatusProgress::done() {
    if (bar_) {
        bar_->clearMessage();
        progress_->hide();
    }
    cancellable_ = false;
    cancelled_ = false;
    closeCancelWindow();
    busy(false);
}

} // namespace kinetra::ui
