// A recording window side for the shell's core: every call is logged as a short line, and the
// windows it opens are registered as the real window side would do.
#pragma once

#include "shell/App.h"
#include "shell/WindowHost.h"

#include <set>
#include <string>
#include <vector>

namespace kinetra::testing {

class FakeHost final : public WindowHost {
public:
    explicit FakeHost(App& app) : app_(app) {}

    void showToolbar(int mode) override;
    void applyBackground(Colour colour) override;
    void openOptionsWindow(OptionsTab tab) override;
    void startExitTimer() override { log.push_back("exit-timer"); }
    void showThermoWindow() override { log.push_back("show-thermo"); }
    bool acceptReactionDatabase(const std::filesystem::path& path) override;
    void openReactionWindow(const std::filesystem::path& path) override;
    bool openChartWindow(const std::filesystem::path& path) override;
    void openTextWindow(const std::filesystem::path& path, bool solverFile) override;
    void activateWindow(int id) override { log.push_back("activate " + std::to_string(id)); }
    void closeWindow(int id) override;
    void closeHelpViewer() override { log.push_back("close-help"); }
    void quit() override { log.push_back("quit"); }

    std::vector<std::string> log;
    bool acceptReactions = true;
    bool chartOpens = true;
    std::set<int> refuseClose; // windows that answer Cancel to their save prompt

private:
    App& app_;
};

} // namespace kinetra::testing
