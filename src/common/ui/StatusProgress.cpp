#include "common/ui/StatusProgress.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QStatusBar>

namespace kinetra::ui {

StatusProgress::~StatusProgress() {
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
    bar_->showMessage(QString::fromStdString(text));
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
    busy(false);
}

} // namespace kinetra::ui
