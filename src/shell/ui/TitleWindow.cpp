#include "shell/ui/TitleWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace kinetra::ui {

TitleWindow::TitleWindow(const App& app, const StartupTimings& timings, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), app_(app) {
    setObjectName(QStringLiteral("titleWindow"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("KINETRA"));
    setFixedSize(520, 300);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral(
        "#titleWindow { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #1d3557, "
        "stop:1 #2a6f97); border: 1px solid #0b1a2e; }"
        "QLabel { color: white; background: transparent; }"
        "QProgressBar { border: 1px solid #9fc5e8; border-radius: 3px; background: #14263f; "
        "height: 14px; }"
        "QProgressBar::chunk { background: #9fc5e8; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 36, 36, 28);
    auto* name = new QLabel(QStringLiteral("KINETRA"));
    name->setObjectName(QStringLiteral("programName"));
    QFont big = name->font();
    big.setPointSize(34);
    big.setBold(true);
    big.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    name->setFont(big);
    layout->addWidget(name);

    auto* what = new QLabel(QStringLiteral("Workbench for gas-phase chemical kinetics"));
    QFont sub = what->font();
    sub.setPointSize(13);
    what->setFont(sub);
    layout->addWidget(what);

    auto* version = new QLabel(QStringLiteral("Version " KINETRA_VERSION));
    layout->addWidget(version);
    layout->addStretch(1);

    auto* loading = new QLabel(QStringLiteral("Starting..."));
    layout->addWidget(loading);
    bar_ = new QProgressBar;
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);

    load_.setSingleShot(true);
    load_.setInterval(timings.titleLoad);
    close_.setInterval(timings.titleClose);
    progress_.setInterval(timings.titleProgressStep);
    restart_.setInterval(timings.titleProgressRestart);
    connect(&load_, &QTimer::timeout, this, &TitleWindow::checksDue);
    connect(&close_, &QTimer::timeout, this, &TitleWindow::closeTick);
    connect(&progress_, &QTimer::timeout, this,
            [this] { bar_->setValue(std::min(100, bar_->value() + 3)); });
    connect(&restart_, &QTimer::timeout, this, [this] { bar_->setValue(0); });
}

void TitleWindow::start() {
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    setFocus();
    load_.start();
    close_.start();
    progress_.start();
    restart_.start();
}

int TitleWindow::progress() const {
    return bar_->value();
}

void TitleWindow::abandon() {
    stopTimers();
    close();
}

void TitleWindow::closeTick() {
    // The close timer keeps ticking until the checks have passed, however long they take.
    if (app_.checksPassed)
        finish();
}

void TitleWindow::finish() {
    stopTimers();
    close();
    emit finished();
}

void TitleWindow::mousePressEvent(QMouseEvent* event) {
    // Before the checks have passed the program is not ready to be used: the window stays.
    if (app_.checksPassed && !app_.terminate)
        finish();
    event->accept();
}

void TitleWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && app_.checksPassed && !app_.terminate) {
        finish();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TitleWindow::stopTimers() {
    load_.stop();
    close_.stop();
    progress_.stop();
    restart_.stop();
}

} // namespace kinetra::ui
