// The title window shown while the program starts: shortly after it appears it asks for the
// start-up checks, and it closes itself once they passed, or sooner at a click or Esc after
// they passed. The bar only shows that the program is alive.
#pragma once

#include "shell/App.h"
#include "shell/ui/StartupTimings.h"

#include <QTimer>
#include <QWidget>

class QProgressBar;

namespace kinetra::ui {

class TitleWindow final : public QWidget {
    Q_OBJECT
public:
    TitleWindow(const App& app, const StartupTimings& timings, QWidget* parent = nullptr);

    // Shows the window centred on the screen and starts its timers.
    void start();
    int progress() const;
    // The checks failed: the window goes away without finishing.
    void abandon();

signals:
    // Time for the start-up checks.
    void checksDue();
    // The checks passed and the window has closed.
    void finished();

protected:
    // Once the checks have passed a click or Esc closes the window at once.
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void closeTick();
    void finish();
    void stopTimers();

    const App& app_;
    QProgressBar* bar_ = nullptr;
    QTimer load_, close_, progress_, restart_;
};

} // namespace kinetra::ui
