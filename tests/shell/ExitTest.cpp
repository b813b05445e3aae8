#include "AppFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace kinetra::testing {
namespace {

class ExitTest : public AppFixture {
protected:
    std::vector<fs::path> scratch() const {
        const auto& f = app.folders;
        return {f.support("CHEA03.TMP"), f.support("CHEA02.TMP"), f.support("CHEM01.TMP"),
                f.support("CHEM04.TMP"), f.app("SOLTMP.txt"),     f.support("TmpPlot.txt")};
    }
    void makeScratch() {
        for (const auto& p : scratch())
            dir.write(fs::relative(p, dir.path()).string(), "x");
    }
};

TEST_F(ExitTest, ClosesEveryWindowInOrderThenDeletesScratchFilesAndQuits) {
    makeScratch();
    fake.clipboard.content = "something";
    app.windows.add("TDB", "THERMO");
    app.windows.add("OptionsPr", "Colors");
    app.windows.add("RDB", "mech.mdb");
    app.windows.add("SOL_RUN", "Solver");
    app.windows.add("RES_ShowFile", "Text Doc1");

    // The close box only starts the exit timer; the exit itself closes everything.
    EXPECT_FALSE(shell.mainWindowCloseRequested());
    EXPECT_TRUE(shell.runExit());
    EXPECT_EQ(host.log,
              (std::vector<std::string>{"exit-timer", "close SOL_RUN", "close-help", "close TDB",
                                        "close RDB", "close RES_ShowFile", "quit"}));
    EXPECT_TRUE(app.closing);
    EXPECT_EQ(fake.clipboard.content, "");
    for (const auto& p : scratch())
        EXPECT_FALSE(fs::exists(p)) << p;
    EXPECT_TRUE(shell.mainWindowCloseRequested());
}

TEST_F(ExitTest, WindowAnsweringCancelKeepsTheProgramAndEveryScratchFile) {
    makeScratch();
    app.windows.add("TDB", "THERMO");
    int reactions = app.windows.add("RDB", "mech.mdb");
    app.windows.add("RES_ShowFile", "Text Doc1");
    host.refuseClose.insert(reactions);

    EXPECT_FALSE(shell.runExit());
    EXPECT_FALSE(app.cancelExit); // ready for the next attempt
    EXPECT_EQ(host.log.back(), "close RDB");
    EXPECT_EQ(app.windows.all().size(), 2u); // the refusing window and the one after it
    for (const auto& p : scratch())
        EXPECT_TRUE(fs::exists(p)) << p;

    // The next attempt also succeeds when the scratch files are gone already.
    host.refuseClose.clear();
    for (const auto& p : scratch())
        fs::remove(p);
    EXPECT_TRUE(shell.runExit());
    EXPECT_TRUE(app.windows.all().empty());
    EXPECT_EQ(host.log.back(), "quit");
}

} // namespace
} // namespace kinetra::testing
