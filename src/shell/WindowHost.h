// What the shell's core asks of the window side. The workbench implements it with Qt; tests use
// a recording fake. Each call does one visible thing; the order of the calls is the behaviour.
#pragma once

#include "shell/Colour.h"

#include <filesystem>
#include <string>

namespace kinetra {

enum class OptionsTab { Colours, PhysicalConstants };

class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void showToolbar(int mode) = 0;
    virtual void applyBackground(Colour colour) = 0;
    virtual void openOptionsWindow(OptionsTab tab) = 0; // modal
    virtual void startExitTimer() = 0;                  // runs the exit routine 300 ms later
    virtual void showThermoWindow() = 0;
    // The validity test of a reaction database; false when it was refused (with its message).
    virtual bool acceptReactionDatabase(const std::filesystem::path& path) = 0;
    virtual void openReactionWindow(const std::filesystem::path& path) = 0;
    virtual bool openChartWindow(const std::filesystem::path& path) = 0;
    virtual void openTextWindow(const std::filesystem::path& path, bool solverFile) = 0;
    virtual void activateWindow(int id) = 0;
    // Closes a registered window; a window that refuses sets App::cancelExit.
    virtual void closeWindow(int id) = 0;
    // Closes the help viewer if one is open (a separate top-level window).
    virtual void closeHelpViewer() = 0;
    virtual void quit() = 0;
};

} // namespace kinetra
