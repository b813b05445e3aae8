// The batch tool where things go wrong: files in the way, folders it cannot write, damaged
// input, a second writer, refusals. Every failure is a message and exit status 1, and leaves the
// files as they were.
#include "CliRun.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kinetra::cli {
namespace {

namespace fs = std::filesystem;
using kinetra::testing::readFile;
using kinetra::testing::TempDir;
using testing::CliRun;
using testing::run;

std::string data(const std::string& relative) {
    return std::string(KINETRA_SHARED_DATA_DIR) + "/" + relative;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A thermo database with GRI's 53 species and a reaction database of its mechanism.
struct GriFiles {
    TempDir dir;
    const std::string thermo = (dir / "t.mdb").string();
    const std::string reactions = (dir / "r.mdb").string();
    GriFiles() {
        const CliRun r =
            run({"mechanism", "import", data("gri30/gri30.inp"), "--thermo", thermo, "--reactions",
                 reactions, "--thermo-file", data("gri30/gri30_thermo.dat")});
        EXPECT_EQ(r.code, 0) << r.err;
    }
};

TEST(FailureCli, ExportsReplaceAFileOnlyWithForce) {
    GriFiles f;
    const fs::path out = f.dir.write("out.txt", "keep me");
    const std::vector<std::vector<std::string>> exports = {
        {"thermo", "export", f.thermo, "-o", out.string()},
        {"reactions", "export", f.reactions, "--thermo", f.thermo, "-o", out.string()},
    };
    for (auto args : exports) {
        SCOPED_TRACE(args[0]);
        const CliRun refused = run(args);
        EXPECT_EQ(refused.code, 1);
        EXPECT_EQ(refused.err,
                  "kinetra-cli: " + out.string() + " exists; use --force to replace it.\n");
        EXPECT_EQ(readFile(out), "keep me");
        args.push_back("--force");
        EXPECT_EQ(run(args).code, 0);
        EXPECT_NE(readFile(out), "keep me");
        fs::remove(out);
        f.dir.write("out.txt", "keep me");
    }
    EXPECT_EQ(namesIn(f.dir.path()), (std::vector<std::string>{"out.txt", "r.mdb", "t.mdb"}));
}

// Each of these ended in an exception nothing caught (exit 134): now a message with the
// command's place code, exit status 1, and no file half-written.
TEST(FailureCli, UnforeseenErrorsEndInAMessageAndExitStatusOne) {
    GriFiles f;
    const fs::path folder = f.dir / "folder";
    fs::create_directory(folder);
    const fs::path readOnly = f.dir.write("read-only.txt", "protected");
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::remove);
    const std::vector<std::vector<std::string>> cases = {
        {"thermo", "new", folder.string(), "--force"},
        {"thermo", "export", f.thermo, "-o", folder.string(), "--force"},
        {"thermo", "export", f.thermo, "-o", (f.dir / "missing" / "x.txt").string()},
        {"thermo", "export", f.thermo, "-o", readOnly.string(), "--force"},
        {"thermo", "table", f.thermo, "H2O", "--tmax", "1e9", "--step", "1e-3"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[1] + " " + args.back());
        const CliRun r = run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_TRUE(run(cases[4]).err.starts_with("CLI#005. "));
    EXPECT_TRUE(fs::is_directory(folder) && fs::is_empty(folder));
    EXPECT_EQ(readFile(readOnly), "protected");
    EXPECT_EQ(namesIn(f.dir.path()),
              (std::vector<std::string>{"folder", "r.mdb", "read-only.txt", "t.mdb"}));
}

// Runs the batch tool in a child process as a user without the superuser's rights, so that a
// read-only folder stops writes whoever runs the tests. Returns the exit status.
int runAsOrdinaryUser(const std::vector<std::string>& args) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
        _exit(run(args).code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(FailureCli, EveryWritingCommandInAReadOnlyFolderFailsCleanly) {
    GriFiles f;
    const fs::path exported = f.dir / "t.txt";
    ASSERT_EQ(run({"thermo", "export", f.thermo, "-o", exported.string()}).code, 0);
    for (const auto& entry : fs::directory_iterator(f.dir.path()))
        fs::permissions(entry.path(), fs::perms::all, fs::perm_options::add);
    const std::string thermoBefore = readFile(f.thermo), exportBefore = readFile(exported);
    fs::permissions(f.dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
    const std::vector<std::vector<std::string>> cases = {
        {"thermo", "import", f.thermo, data("gri30/gri30_thermo.dat")},
        {"thermo", "elements", f.thermo, "2=Xe", "--yes"},
        {"thermo", "export", f.thermo, "-o", exported.string(), "--force"},
        {"thermo", "new", (f.dir / "new.mdb").string()},
        {"reactions", "import", f.reactions, data("small/h2o2.inp"), "--thermo", f.thermo},
        {"mechanism", "import", data("gri30/gri30.inp"), "--thermo", f.thermo, "--reactions",
         f.reactions},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        EXPECT_EQ(runAsOrdinaryUser(args), 1);
    }
    fs::permissions(f.dir.path(), fs::perms::owner_all);
    EXPECT_EQ(readFile(f.thermo), thermoBefore);
    EXPECT_EQ(readFile(exported), exportBefore);
    EXPECT_EQ(namesIn(f.dir.path()), (std::vector<std::string>{"r.mdb", "t.mdb", "t.txt"}));
}

TEST(FailureCli, ARefusedMechanismImportLeavesNothingBehind) {
    TempDir dir;
    const std::string thermo = (dir / "t.mdb").string(), reactions = (dir / "r.mdb").string();
    const fs::path badUnits =
        dir.write("units.inp", "ELEMENTS H O END\nSPECIES H2 END\n"
                               "REACTIONS CALORIES/MOLE\nH2=H+H 1 0 0\nEND\n");
    const fs::path onlyKeywords = dir.write("keywords.inp", "REACTIONS\nREACTIONS\nEND\n");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{badUnits.string()}, "CALORIES/MOLE"},
        {{onlyKeywords.string()}, "holds no species and no reactions to import"},
        {{data("gri30/gri30.inp"), "--thermo-file", data("gri30/gri30.inp")},
         data("gri30/gri30.inp") + " holds no thermo data."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> args{"mechanism", "import"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--thermo", thermo, "--reactions", reactions});
        const CliRun r = run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(contains(r.err, c.message)) << r.err;
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"keywords.inp", "units.inp"}));
    }
}

TEST(FailureCli, ReactionsCheckListsEachGroupOfDuplicatesOnce) {
    GriFiles f;
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "H+O2=O+OH 1E13 0 0\n";
    const fs::path same = f.dir.write("same.txt", text);
    ASSERT_EQ(run({"reactions", "import", f.reactions, same.string(), "--thermo", f.thermo}).code,
              0);
    const CliRun r = run({"reactions", "check", f.reactions, "--thermo", f.thermo});
    EXPECT_EQ(r.code, 0);
    // GRI's own H+O2=O+OH and the 300 copies: one group, listed once.
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
    EXPECT_TRUE(contains(r.out, "301 reactions are undeclared duplicates.\n"));
    EXPECT_LT(r.out.size(), 3000u);
}

// Two imports of one mechanism into the same new files, started together as two processes:
// one creates the files, the other waits for the write lock and finds the species stored.
TEST(FailureCli, TwoWritersStartedTogetherKeepEveryRowTheyReport) {
    TempDir dir;
    const std::string cli = std::string(KINETRA_APP_DIR) + "/kinetra-cli";
    const std::string command = cli + " mechanism import " + data("gri30/gri30.inp") +
                                " --thermo-file " + data("gri30/gri30_thermo.dat") + " --thermo " +
                                (dir / "t.mdb").string() + " --reactions " +
                                (dir / "r.mdb").string();
    const std::string both = "(" + command + " > " + (dir / "a.out").string() + " 2>&1 & " +
                             command + " > " + (dir / "b.out").string() + " 2>&1; wait)";
    ASSERT_EQ(std::system(both.c_str()), 0);
    const std::string a = readFile(dir / "a.out"), b = readFile(dir / "b.out");
    EXPECT_TRUE(contains(a, "Reactions stored: 325\n")) << a;
    EXPECT_TRUE(contains(b, "Reactions stored: 325\n")) << b;
    // The species went in once; the reactions twice, as two imports put them.
    EXPECT_TRUE(contains(a + b, "Species added: 53\n"));
    EXPECT_TRUE(contains(a + b, "Species kept: 53\n"));
    store::Connection thermo = store::Connection::open(dir / "t.mdb");
    EXPECT_EQ(thermo.recordCount("Trm"), 53);
    EXPECT_EQ(store::Connection::open(dir / "r.mdb").recordCount("Reactions"), 650);
}

TEST(FailureCli, ASecondWriterWaitsThenSaysTheDatabaseIsBusy) {
    GriFiles f;
    store::Connection holder = store::Connection::open(f.thermo);
    holder.begin();
    const CliRun r = run({"thermo", "import", f.thermo, data("small/dummy-thermo.dat")});
    holder.rollback();
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.err, "is busy: another program is writing to it.")) << r.err;
    EXPECT_EQ(store::Connection::open(f.thermo).recordCount("Trm"), 53);
}

TEST(FailureCli, TemporaryFilesOfAKilledRunGoOnTheNextRun) {
    GriFiles f;
    // A process id no process has: the writer was killed.
    const fs::path stale = f.dir.write("ErrorMsg.txt.tmp-999999999-0123abcd", "half");
    const fs::path live =
        f.dir.write("ErrorMsg.txt.tmp-" + std::to_string(getpid()) + "-4567abcd", "being written");
    EXPECT_EQ(run({"thermo", "check", f.thermo}).code, 0);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
}

} // namespace
} // namespace kinetra::cli
