// The spine of the program: start-up after the title window, reading the options, opening any
// document by path, showing the toolbar of the active window and the orderly exit. Everything
// visible goes through the Ui seams and the WindowHost, so the order of steps and every message
// is tested without a screen.
#pragma once

#include "common/Seams.h"
#include "shell/App.h"
#include "shell/StartupChecks.h"
#include "shell/WindowHost.h"

#include <filesystem>
#include <functional>
#include <string>

namespace kinetra {

class Shell {
public:
    Shell(App& app, Ui& ui, WindowHost& host);

    // Opens and closes one reaction database on a copy of the template at start-up (set by
    // default; tests replace it).
    void setFirstClose(std::function<void()> firstClose) { firstClose_ = std::move(firstClose); }

    // Start-up step 2: false when the number format cannot be used; the message is stored.
    bool startNumberFormatCheck(const NumberToText& convert);
    void MDILoadConstants();
    // The title window's checks; on failure the terminate flag is set and exit requested.
    bool runTitleChecks();
    // The title window closed: toolbar mode 0 and MDILoad unless the checks failed.
    void titleClosed();
    // Reads the options and the thermo path; at start-up (reload false) also connects the
    // thermo database. Returns false when the options file could not be read.
    bool MDILoad(bool reload);
    // Reads OPTIONS.txt into the application state; false on a missing item or a wrong type.
    bool OptionOpen();

    void ShowToolbar(int mode);
    void OpenDocumentFile(std::string path);
    void CloseToolWindows(ToolGroup group, const std::string& keepName);

    void RequestExit();
    // The main window's close request: true when it may close now (the exit routine finished).
    bool mainWindowCloseRequested();
    // The exit timer fired: closes every window in order; false when a window cancelled.
    bool runExit();

private:
    void reportThermoConnectFailure(thermo::ConnectOutcome outcome, const std::string& path);
    void deleteScratchFiles();

    App& app_;
    Ui& ui_;
    WindowHost& host_;
    std::function<void()> firstClose_;
};

} // namespace kinetra
