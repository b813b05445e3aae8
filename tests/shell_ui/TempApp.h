// A throw-away copy of the built application folder with scripted seams, and the main window
// over it: window tests never touch build/app.
#pragma once

#include "common/ui/StatusProgress.h"
#include "shell/App.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

namespace kinetra::testing {

// Start-up and exit in a few milliseconds; the title window still closes only after its checks.
inline ui::StartupTimings fastTimings() {
    ui::StartupTimings t;
    t.numberFormatMessage = 10;
    t.exit = 10;
    t.titleLoad = 10;
    t.titleClose = 30;
    return t;
}

// Runs `act` on the modal window once it is up; the call that shows it returns after.
inline void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
}

// Replaces the text of a box as typed by the user.
inline void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
}

struct TempApp {
    TempDir dir;
    App app{AppFolders::fromAppDir(dir.path())};
    FakeUi fake;
    // The workbench's own progress display in the status bar, for tests of long work that the
    // user watches and cancels; the other seams stay scripted.
    bool realProgress = false;
    ui::StatusProgress statusProgress;
    Ui withStatusProgress{fake.dialogs, fake.clipboard, fake.files, statusProgress, fake.clock};
    std::unique_ptr<ui::MainWindow> window;

    TempApp() {
        namespace fs = std::filesystem;
        fs::copy(fs::path(KINETRA_APP_DIR) / "AssistFiles", app.folders.supportDir,
                 fs::copy_options::recursive);
        // The program rewrites these two in build/app whenever it runs; tests start from the
        // files as installed.
        const fs::path assets =
            fs::path(KINETRA_TEST_DATA_DIR).parent_path().parent_path() / "assets";
        for (const char* name : {files::kOptions, files::kThermoPath})
            fs::copy_file(assets / name, app.folders.support(name),
                          fs::copy_options::overwrite_existing);
        fs::copy(fs::path(KINETRA_APP_DIR) / "QuickStart", app.folders.appDir / "QuickStart",
                 fs::copy_options::recursive);
    }

    ui::MainWindow& open(ui::StartupTimings timings = fastTimings()) {
        window = std::make_unique<ui::MainWindow>(app, realProgress ? withStatusProgress : fake.ui,
                                                  timings);
        if (realProgress)
            statusProgress.attach(window->statusBar());
        window->resize(1000, 700);
        window->show();
        return *window;
    }

    // Opens the main window and runs the start-up until the title window has closed.
    bool startUp() {
        open();
        QSignalSpy finished(window.get(), &ui::MainWindow::startUpFinished);
        window->startUp();
        return finished.wait(5000);
    }
};

} // namespace kinetra::testing
