#include "CliData.h"
#include "CliRun.h"
#include "charts/ChartFile.h"
#include "support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kinetra::cli::testing {
namespace {

namespace fs = std::filesystem;
using kinetra::testing::readFile;
using kinetra::testing::TempDir;

struct Databases {
    TempDir dir;
    fs::path thermo = dir / "t.mdb", reactions = dir / "r.mdb";
    Databases(const std::string& mechanism, const std::string& thermoFile = "") {
        std::vector<std::string> args{"mechanism",     "import",      data(mechanism),   "--thermo",
                                      thermo.string(), "--reactions", reactions.string()};
        if (!thermoFile.empty())
            args.insert(args.end(), {"--thermo-file", data(thermoFile)});
        EXPECT_EQ(run(args).code, 0);
    }
};

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(StudyCli, MethaneIgnitionDelayOfGriMech) {
    Databases gri("gri30/gri30.inp", "gri30/gri30_thermo.dat");
    const std::vector<std::string> base{"ignition",   gri.reactions.string(),
                                        "--thermo",   gri.thermo.string(),
                                        "--fuel",     "CH4=1",
                                        "--oxidizer", "O2=1,N2=3.76",
                                        "--phi",      "1",
                                        "--T",        "1200",
                                        "--P",        "1"};
    const CliRun r = run(base);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find(',')), "Mixture: CH4=0.09505703422053233");
    const auto at = r.out.find("Ignition delay (largest dT/dt): ");
    ASSERT_NE(at, std::string::npos) << r.out;
    const double delay = std::stod(r.out.substr(at + 32));
    EXPECT_NEAR(delay, 45.49e-3, 45.49e-3 * 0.005);
    EXPECT_NE(r.out.find("Ignition delay (OH peak): "), std::string::npos);

    std::vector<std::string> early = base;
    early.insert(early.end(), {"--tf", "1E-3"});
    const CliRun none = run(early);
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.out.substr(none.out.find('\n') + 1, 48),
              "No ignition before the final time 1E-3 s (peak t");
    // A cold mixture: the solver crosses the time in a few long steps and writes three
    // records, which still tell that nothing ignited.
    std::vector<std::string> cold = base;
    cold[cold.size() - 3] = "700";
    cold.insert(cold.end(), {"--tf", "1E-2"});
    const CliRun quiet = run(cold);
    EXPECT_EQ(quiet.code, 2) << quiet.err;

    std::vector<std::string> inert = base;
    inert[5] = "AR=1";
    inert[7] = "N2=1";
    const CliRun refused = run(inert);
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "The fuel \"AR=1\" cannot burn in the oxidizer \"N2=1\": the fuel "
                           "holds no carbon or hydrogen to oxidize.\n");
}

// Twelve hydrogen cases: three temperatures, two pressures, two equivalence ratios.
std::vector<std::string> sweepArgs(const Databases& h2, const fs::path& csv,
                                   std::vector<std::string> extra,
                                   const char* t = "1100:1300:100") {
    std::vector<std::string> args{"sweep",      h2.reactions.string(),
                                  "--thermo",   h2.thermo.string(),
                                  "--fuel",     "H2=1",
                                  "--oxidizer", "O2=1,N2=3.76",
                                  "--T",        t,
                                  "--P",        "1,10",
                                  "--phi",      "0.5,1",
                                  "--tf",       "5E-3",
                                  "-o",         csv.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

std::map<std::string, std::string> results(const fs::path& sweep) {
    std::map<std::string, std::string> found;
    if (fs::exists(sweep / "cases"))
        for (const auto& entry : fs::directory_iterator(sweep / "cases"))
            if (fs::exists(entry.path() / "result.txt"))
                found[entry.path().filename()] = readFile(entry.path() / "result.txt");
    return found;
}

// Starts kinetra-cli with `args` in a process group of its own (so that one signal reaches the
// sweep, parallel and the running cases) and returns once a first case has its result.
pid_t startSweepUntilAResult(const std::vector<std::string>& args, const fs::path& sweep,
                             const fs::path& tmpdir = {}) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setpgid(0, 0);
        if (!tmpdir.empty())
            ::setenv("TMPDIR", tmpdir.c_str(), 1);
        std::vector<std::string> words{std::string(KINETRA_APP_DIR) + "/kinetra-cli"};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        ::freopen("/dev/null", "w", stderr);
        ::freopen("/dev/null", "w", stdout);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::setpgid(child, child);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (results(sweep).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return child;
}

TEST(StudyCli, SweepThroughGnuParallelLocallyAndOverTheSshPath) {
    Databases h2("h2/li2004.inp");
    for (const std::vector<std::string>& spread :
         {std::vector<std::string>{"--jobs", "2"},
          std::vector<std::string>{"--jobs", "2", "--sshlogin", ":"}}) {
        const fs::path csv = h2.dir / (spread.size() == 2 ? "local.csv" : "ssh.csv");
        const CliRun r = run(sweepArgs(h2, csv, spread));
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find("12 cases: 12 ignited, 0 without ignition, 0 failed, 0 not run."),
                  std::string::npos)
            << r.out;
        const std::string table = readFile(csv);
        EXPECT_EQ(lineCount(table), 13u);
        EXPECT_EQ(std::count(table.begin(), table.end(), ','), 13 * 7);
        auto chart = readChartFile(fs::path(csv).replace_extension(".pg"));
        ASSERT_TRUE(std::holds_alternative<ChartContent>(chart));
        EXPECT_EQ(std::get<ChartContent>(chart).subsets.size(), 4u);
        // The pictures beside it: a PNG, and an SVG that names the subsets.
        EXPECT_GT(fs::file_size(fs::path(csv).replace_extension(".png")), 1000u);
        const std::string svg = readFile(fs::path(csv).replace_extension(".svg"));
        EXPECT_NE(svg.find(std::get<ChartContent>(chart).subsets[0].label), std::string::npos);
    }
    // Both ways give the same delays: one case runner.
    const auto csvBody = [](const std::string& t) {
        std::string out;
        std::size_t from = 0;
        while (from < t.size()) {
            const auto end = t.find('\n', from);
            const std::string line = t.substr(from, end - from);
            out += line.substr(0, line.rfind(',')) + "\n"; // without the seconds
            from = end + 1;
        }
        return out;
    };
    EXPECT_EQ(csvBody(readFile(h2.dir / "local.csv")), csvBody(readFile(h2.dir / "ssh.csv")));
}

TEST(StudyCli, KilledSweepRunsOnlyWhatWasMissing) {
    Databases h2("h2/li2004.inp");
    const fs::path csv = h2.dir / "delays.csv", sweep = h2.dir / "delays.sweep";
    const auto args = sweepArgs(h2, csv, {"--jobs", "2"});
    const pid_t child = startSweepUntilAResult(args, sweep);
    ::kill(-child, SIGKILL); // the sweep, parallel and the running cases
    ::waitpid(child, nullptr, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto before = results(sweep);
    ASSERT_FALSE(before.empty());

    const CliRun again = run(args);
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_NE(again.err.find("Sweep of 12 cases: " + std::to_string(before.size()) +
                             " done already, " + std::to_string(12 - before.size()) + " to run."),
              std::string::npos)
        << again.err;
    // The case runner names each case it runs ("0007 ignited ..."); the finished ones are left
    // as they were.
    std::size_t ran = 0;
    std::istringstream lines(again.err);
    for (std::string line; std::getline(lines, line);)
        if (line.size() > 5 && std::all_of(line.begin(), line.begin() + 4, ::isdigit) &&
            line[4] == ' ')
            ++ran;
    EXPECT_EQ(ran, 12 - before.size()) << again.err;
    const auto after = results(sweep);
    EXPECT_EQ(after.size(), 12u);
    for (const auto& [id, text] : before)
        EXPECT_EQ(after.at(id), text) << id;
    EXPECT_EQ(lineCount(readFile(csv)), 13u);
}

// Ctrl+C in a terminal: the sweep's process group gets INT, and parallel passes TERM on to the
// runners and their solvers. A case cut short gets no result (not a failed one), the runners
// remove their scratch folders, and the sweep resumes to the same table.
TEST(StudyCli, InterruptedSweepLeavesNoScratchAndNoFailedCase) {
    Databases h2("h2/li2004.inp");
    const fs::path csv = h2.dir / "delays.csv", sweep = h2.dir / "delays.sweep";
    const TempDir scratch;
    const auto args = sweepArgs(h2, csv, {"--jobs", "2"}, "1000:1300:50");
    const pid_t child = startSweepUntilAResult(args, sweep, scratch.path());
    ::kill(-child, SIGINT);
    ::waitpid(child, nullptr, 0);
    // The runners are in process groups of their own: give them time to end.
    const auto scratchLeft = [&] {
        std::size_t n = 0;
        for (const auto& entry : fs::directory_iterator(scratch.path()))
            n += entry.path().filename().string().starts_with("kinetra-cases-");
        return n;
    };
    for (int i = 0; i < 500 && scratchLeft() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(scratchLeft(), 0u);
    for (const auto& [id, text] : results(sweep))
        EXPECT_EQ(text.find("status failed"), std::string::npos) << id << ": " << text;

    const CliRun again = run(args);
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(results(sweep).size(), 28u);
    EXPECT_EQ(lineCount(readFile(csv)), 29u);
}

TEST(StudyCli, FailedCaseIsListedAndTheOthersRun) {
    Databases h2("h2/li2004.inp");
    const fs::path csv = h2.dir / "hot.csv";
    const CliRun r = run(sweepArgs(h2, csv, {"--jobs", "2"}, "1100,7000"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("8 cases: 4 ignited, 0 without ignition, 4 failed, 0 not run."),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.err.find("Case 0002 (T 7000 K, P 1 atm, phi 0.5) failed: "), std::string::npos)
        << r.err;
    EXPECT_NE(readFile(csv).find("\n0002,7000,1,0.5,,,\"failed: "), std::string::npos);

    // Quiet, as under parallel's progress bar, the runner names the failed case only.
    fs::remove_all(h2.dir / "hot.sweep" / "cases");
    const std::string command = "'" + std::string(KINETRA_APP_DIR) + "/kinetra-sweep-case' '" +
                                (h2.dir / "hot.sweep").string() + "' 0001 0002 --quiet";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe))
        said += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(said.rfind("0002 failed: ", 0), 0u) << said;
    EXPECT_EQ(lineCount(said), 1u) << said;
    EXPECT_EQ(results(h2.dir / "hot.sweep").size(), 2u);
}

// parallel sends the plan to ssh hosts and brings the results back with rsync over ssh: without
// them the sweep is refused before anything runs, not listed as cases that did not run.
TEST(StudyCli, SshHostsWithoutRsyncAreRefusedBeforeAnythingRuns) {
    Databases h2("h2/li2004.inp");
    TempDir bin;
    for (const char* tool : {"parallel", "ssh"}) {
        std::ofstream(bin / tool) << "#!/bin/sh\nexit 99\n";
        fs::permissions(bin / tool, fs::perms::owner_all);
    }
    struct PathGuard {
        std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
        ~PathGuard() { ::setenv("PATH", saved.c_str(), 1); }
    } guard;
    ::setenv("PATH", bin.path().c_str(), 1);
    const CliRun far = run(sweepArgs(h2, h2.dir / "far.csv", {"--sshlogin", "2/node1,:"}));
    EXPECT_EQ(far.code, 1);
    EXPECT_NE(far.err.find("kinetra-cli: rsync was not found on PATH (Debian package rsync): GNU "
                           "parallel needs it to send the plan to the ssh hosts"),
              std::string::npos)
        << far.err;
    EXPECT_TRUE(results(h2.dir / "far.sweep").empty());
    EXPECT_FALSE(fs::exists(h2.dir / "far.csv"));
}

TEST(StudyCli, SlurmArrayTasksAndGatherRunHere) {
    Databases h2("h2/li2004.inp");
    const fs::path csv = h2.dir / "cluster.csv", sweep = h2.dir / "cluster.sweep";
    const CliRun r = run(sweepArgs(h2, csv, {"--slurm", "--cases-per-task", "5"}));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("sbatch --dependency=afterany:$jid"), std::string::npos);
    EXPECT_TRUE(results(sweep).empty()); // written, not run
    const std::string array = readFile(sweep / "slurm-array.sh");
    EXPECT_NE(array.find("#SBATCH --array=0-2\n"), std::string::npos) << array;
    for (int task = 0; task < 3; ++task) {
        const std::string command = "SLURM_ARRAY_TASK_ID=" + std::to_string(task) + " bash '" +
                                    (sweep / "slurm-array.sh").string() + "' > /dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << task;
        EXPECT_EQ(results(sweep).size(), std::min<std::size_t>(12, 5 * (task + 1)));
    }
    const std::string gather = "bash '" + (sweep / "slurm-gather.sh").string() + "' > /dev/null";
    EXPECT_EQ(std::system(gather.c_str()), 0);
    EXPECT_EQ(lineCount(readFile(csv)), 13u);
}

} // namespace
} // namespace kinetra::cli::testing
