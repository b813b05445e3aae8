// A throw-away application folder with the installed support files, so start-up, options and
// exit run against real files without touching the build's own folder.
#pragma once

#include "FakeHost.h"
#include "shell/App.h"
#include "shell/Shell.h"
#include "store/Database.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kinetra::testing {

inline void installSupportFiles(const AppFolders& folders) {
    namespace fs = std::filesystem;
    fs::create_directories(folders.supportDir);
    const fs::path assets = fs::path(KINETRA_TEST_DATA_DIR).parent_path().parent_path() / "assets";
    for (const char* name :
         {"OPTIONS.txt", "THERMOPath.txt", "Dragcopy.cur", "Graph01.ico", "MISC05.ICO"})
        fs::copy_file(assets / name, folders.support(name), fs::copy_options::overwrite_existing);
    store::createThermoTemplate(folders.support("EmptyThermo.mdb"));
    store::createReactionTemplate(folders.support("EmptyReac.mdb"));
}

inline void makeReadOnly(const std::filesystem::path& p) {
    namespace fs = std::filesystem;
    fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// An application of its own on the given folders, for cases that each need a fresh start.
struct Session {
    explicit Session(const AppFolders& folders) : app(folders) {}
    App app;
    FakeUi fake;
    FakeHost host{app};
    Shell shell{app, fake.ui, host};
};

class AppFixture : public ::testing::Test {
protected:
    AppFixture() { installSupportFiles(app.folders); }

    TempDir dir;
    App app{AppFolders::fromAppDir(dir.path())};
    FakeUi fake;
    FakeHost host{app};
    Shell shell{app, fake.ui, host};
};

} // namespace kinetra::testing
