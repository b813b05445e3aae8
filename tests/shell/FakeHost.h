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

    void showToolbar(int mode) override { log.push_back("toolbar " + std::to_string(mode)); }
    void applyBackground(Colour colour) override {
        log.push_back("background " + std::to_string(colour));
    }
    void openOptionsWindow(OptionsTab tab) override {
        log.push_back(tab == OptionsTab::Colours ? "options colours" : "options constants");
    }
    void startExitTimer() override { log.push_back("exit-timer"); }
    void showThermoWindow() override { log.push_back("show-thermo"); }
    bool acceptReactionDatabase(const std::filesystem::path& path) override {
        log.push_back("validate " + path.filename().string());
        return acceptReactions;
    }
    void openReactionWindow(const std::filesystem::path& path) override {
        log.push_back("open-reactions " + path.filename().string());
        app_.windows.add("RDB", path.filename().string(), path);
    }
    bool openChartWindow(const std::filesystem::path& path) override {
        log.push_back("open-chart " + path.filename().string());
        return chartOpens;
    }
    void openTextWindow(const std::filesystem::path& path, bool) override {
        log.push_back("open-text " + path.filename().string());
        app_.windows.add("RES_ShowFile", path.filename().string(), path);
    }
    void activateWindow(int id) override { log.push_back("activate " + std::to_string(id)); }
    void closeWindow(int id) override {
        const OpenWindow* w = app_.windows.find(id);
        log.push_back("close " + (w ? w->name : std::string("?")));
        if (refuseClose.count(id))
            app_.cancelExit = true;
        else
            app_.windows.remove(id);
    }
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
