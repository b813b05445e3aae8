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

TEST_F(ExitTest, CloseBoxStartsTheExitTimerInsteadOfClosing) {
    EXPECT_FALSE(shell.mainWindowCloseRequested());
    EXPECT_EQ(host.log, (std::vector<std::string>{"exit-timer"}));
}

TEST_F(ExitTest, ClosesEveryWindowInOrderThenDeletesScratchFilesAndQuits) {
    makeScratch();
    fake.clipboard.content = "something";
    app.windows.add("TDB", "THERMO");
    app.windows.add("OptionsPr", "Colors");
    app.windows.add("RDB", "mech.mdb");
    app.windows.add("SOL_RUN", "Solver");
    app.windows.add("RES_ShowFile", "Text Doc1");

    EXPECT_TRUE(shell.runExit());
    EXPECT_EQ(host.log, (std::vector<std::string>{"close SOL_RUN", "close-help", "close TDB",
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
    EXPECT_FALSE(app.closing);
    EXPECT_FALSE(app.cancelExit); // ready for the next attempt
    EXPECT_EQ(host.log.back(), "close RDB");
    EXPECT_EQ(app.windows.all().size(), 2u); // the refusing window and the one after it
    for (const auto& p : scratch())
        EXPECT_TRUE(fs::exists(p)) << p;

    host.refuseClose.clear();
    EXPECT_TRUE(shell.runExit());
    EXPECT_TRUE(app.windows.all().empty());
}

TEST_F(ExitTest, MissingScratchFilesAreNoError) {
    EXPECT_TRUE(shell.runExit());
    EXPECT_EQ(host.log.back(), "quit");
}

} // namespace
} // namespace kinetra::testing
