#include "FakeHost.h"

namespace kinetra::testing {

void FakeHost::showToolbar(int mode) {
    log.push_back("toolbar " + std::to_string(mode));
}

void FakeHost::applyBackground(Colour colour) {
    log.push_back("background " + std::to_string(colour));
}

void FakeHost::openOptionsWindow(OptionsTab tab) {
    log.push_back(tab == OptionsTab::Colours ? "options colours" : "options constants");
}

bool FakeHost::acceptReactionDatabase(const std::filesystem::path& path) {
    log.push_back("validate " + path.filename().string());
    return acceptReactions;
}

void FakeHost::openReactionWindow(const std::filesystem::path& path) {
    log.push_back("open-reactions " + path.filename().string());
    app_.windows.add("RDB", path.filename().string(), path);
}

bool FakeHost::openChartWindow(const std::filesystem::path& path) {
    log.push_back("open-chart " + path.filename().string());
    return chartOpens;
}

void FakeHost::openTextWindow(const std::filesystem::path& path, bool) {
    log.push_back("open-text " + path.filename().string());
    app_.windows.add("RES_ShowFile", path.filename().string(), path);
}

void FakeHost::closeWindow(int id) {
    const OpenWindow* w = app_.windows.find(id);
    log.push_back("close " + (w ? w->name : std::string("?")));
    if (refuseClose.count(id)) {
        app_.cancelExit = true;
        return;
    }
    app_.windows.remove(id);
}

} // namespace kinetra::testing
