#include "solver/SolverRun.h"

#include "../results/OutputText.h"
#include "solver/RunSettingsFiles.h"
#include "solver/ShowResults.h"
#include "solver/SolverOutputCheck.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::solver {
namespace {

using kinetra::testing::TempDir;
using results::testing::numberedOutput;

const std::string kSuccess = "The chemical kinetics problem has been successfully solved.";
const std::string kAbnormal = " The solver has been terminated abnormally.\n";
const std::string kQuestion = "\n\nShow the output data?";

std::string errorBeforeResults() {
    std::string text = numberedOutput(3, 0, "");
    text.erase(text.find("!$RESULTS"));
    return text + "ERROR in the input file, line 14: expected a positive pressure\nsecond line\n";
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (const char ch : text)
        out += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    return out;
}

TEST(SolverOutputCheck, ScanAndReport) {
    struct Case {
        const char* what;
        std::string text;
        bool success, offer;
        Icon icon;
        std::string message;
    };
    const std::vector<Case> cases{
        {"success", numberedOutput(3, 5), true, true, Icon::Information, kSuccess + kQuestion},
        {"ERROR before the results", errorBeforeResults(), false, false, Icon::Exclamation,
         kAbnormal +
             "ERROR in the input file, line 14: expected a positive pressure\nsecond line\n"},
        {"results without the end mark", numberedOutput(3, 5, ""), false, true, Icon::Exclamation,
         kAbnormal + kQuestion},
        {"ERROR after the results", numberedOutput(3, 5, "ERROR Maximum number of steps reached"),
         false, true, Icon::Exclamation,
         kAbnormal + "ERROR Maximum number of steps reached\n" + kQuestion},
        {"CR LF line ends", withCrLf(numberedOutput(3, 5, "ERROR Maximum number of steps reached")),
         false, true, Icon::Exclamation,
         kAbnormal + "ERROR Maximum number of steps reached\n" + kQuestion},
    };
    for (const Case& c : cases) {
        const RunReport report = runReport(scanOutput(c.text));
        EXPECT_EQ(report.success, c.success) << c.what;
        EXPECT_EQ(report.offerResults, c.offer) << c.what;
        EXPECT_EQ(report.icon, c.icon) << c.what;
        EXPECT_EQ(report.message, c.message) << c.what;
    }
}

TEST(SolverOutputCheck, RecordCountsByTheReadersGeometry) {
    const std::string notFound = "In the file 'o', output information not found.";
    const std::string incomplete = "In the file 'o', the output information is incomplete.";
    std::string elevenLines = numberedOutput(120, 4);
    elevenLines.erase(elevenLines.rfind("!$END"));
    elevenLines.erase(elevenLines.rfind('\n', elevenLines.size() - 2) + 1); // 4 records less a line
    struct Case {
        const char* what;
        std::string text;
        std::string message; // empty: passes
    };
    const std::vector<Case> cases{
        {"50 species, four records", numberedOutput(50, 4), ""},
        {"50 species, three records", numberedOutput(50, 3), incomplete},
        {"51 species, four records", numberedOutput(51, 4), ""},
        {"100 species, four records", numberedOutput(100, 4), ""},
        {"120 species, 11 lines", elevenLines, ""},
        {"120 species, three records", numberedOutput(120, 3), incomplete},
        {"ERROR before the results", errorBeforeResults(), notFound},
        {"no results",
         numberedOutput(3, 0, "").substr(0, numberedOutput(3, 0, "").find("!$RESULTS")), notFound},
        {"four records and an ERROR", numberedOutput(3, 4, "ERROR stopped"), ""},
    };
    for (const Case& c : cases) {
        const OutputCheck check = checkOutputText(c.text, "o");
        EXPECT_EQ(check.failed, !c.message.empty()) << c.what;
        EXPECT_EQ(check.message, c.message) << c.what;
    }
}

TEST(SolverOutputCheck, Recognition) {
    EXPECT_TRUE(isSolverOutputText(" !$Kinetra Solver, Dec 7 2026\n"));
    EXPECT_TRUE(isSolverOutputText("!$kinetra solver\r\n"));
    EXPECT_FALSE(isSolverOutputText("!$KINETRA SOLVE\n"));
    EXPECT_FALSE(isSolverOutputText("\n!$KINETRA SOLVER\n"));
}

TEST(SolverOutputCheck, ShowResultsChecksThenReads) {
    TempDir dir;
    const ShownResults ok = showResults(dir.write("ok.out", numberedOutput(51, 4)));
    EXPECT_TRUE(ok.checkPassed);
    ASSERT_TRUE(ok.reading.output) << ok.reading.message;
    EXPECT_EQ(ok.reading.output->records.size(), 4u);
    const auto shortPath = dir.write("short.out", numberedOutput(51, 3));
    const ShownResults refused = showResults(shortPath);
    EXPECT_FALSE(refused.checkPassed);
    EXPECT_FALSE(refused.reading.output);
    EXPECT_EQ(refused.reading.message,
              "In the file '" + shortPath.string() + "', the output information is incomplete.");
}

std::filesystem::path fakeSolver() {
    return std::filesystem::path(KINETRA_TEST_DATA_DIR) / ".." / "solver" / "fake-solver.sh";
}

class Sink final : public OutputSink {
public:
    void write(std::string_view text) override { text_ += text; }
    std::string text_;
};

TEST(SolverRun, RunsInTheFolderAndReportsItsOutput) {
    TempDir dir;
    const auto input = dir.write("SOLTMP.txt", "input\r\n");
    dir.write("SolverFilePath.txt", "\"" + input.string() + "\"\r\n");
    dir.write("fake-output.txt", numberedOutput(2, 4));
    Sink sink;
    const SolverRunResult run = runSolver(dir.path(), sink, fakeSolver());
    ASSERT_TRUE(run.process.started) << run.process.error;
    EXPECT_EQ(run.process.exitCode, 0);
    EXPECT_EQ(sink.text_, "fake solver: reading " + input.string() + "\nfake solver: done\n");
    EXPECT_EQ(run.outputPath, dir / "SOLTMP.out");
    EXPECT_TRUE(run.report.success);
    EXPECT_EQ(run.report.message, kSuccess + kQuestion);
}

TEST(SolverRun, FailuresAreReportedAsAbnormalEnds) {
    TempDir dir;
    const auto input = dir.write("SOLTMP.txt", "input\r\n");
    dir.write("SolverFilePath.txt", "\"" + input.string() + "\"\r\n");
    dir.write("fake-exit.txt", "2");
    Sink sink;
    // No output written: the hand-over file still names the input, which is not scanned.
    const SolverRunResult none = runSolver(dir.path(), sink, fakeSolver());
    EXPECT_EQ(none.process.exitCode, 2);
    EXPECT_FALSE(none.report.success);
    EXPECT_EQ(none.report.message,
              kAbnormal + "The solver wrote no output file (exit status 2).\n");

    const SolverRunResult missing = runSolver(dir.path(), sink, dir / "KINETRA_SOLVER_5");
    EXPECT_FALSE(missing.process.started);
    EXPECT_FALSE(missing.report.success);
    EXPECT_NE(missing.report.message.find("could not be started"), std::string::npos);

    dir.write("fake-output.txt", numberedOutput(2, 4, "ERROR Temperature out of range"));
    dir.write("fake-exit.txt", "1");
    const SolverRunResult error = runSolver(dir.path(), sink, fakeSolver());
    EXPECT_EQ(error.process.exitCode, 1);
    EXPECT_EQ(error.report.message, kAbnormal + "ERROR Temperature out of range\n" + kQuestion);
}

// A console that fails under a run (closed, out of memory) is an unexpected error of the run:
// reported with its place code once the solver has ended, which still writes its output.
class FailingSink final : public OutputSink {
public:
    void write(std::string_view) override { throw std::runtime_error("console closed"); }
};

TEST(SolverRun, UnexpectedErrorsAreReportedWithThePlaceCode) {
    TempDir dir;
    const auto input = dir.write("SOLTMP.txt", "input\r\n");
    dir.write("SolverFilePath.txt", "\"" + input.string() + "\"\r\n");
    dir.write("fake-output.txt", numberedOutput(2, 4));
    FailingSink failing;
    kinetra::testing::FakeDialogs dialogs;
    EXPECT_FALSE(runSolverReported(dir.path(), failing, dialogs, fakeSolver()));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "401#001. console closed");
    EXPECT_EQ(dialogs.last().title, "KINETRA");
    EXPECT_EQ(dialogs.last().icon, Icon::Exclamation);
    EXPECT_TRUE(std::filesystem::exists(dir / "SOLTMP.out"));

    // The first run left its output path in the hand-over file, as a finished run does.
    dir.write("SolverFilePath.txt", "\"" + input.string() + "\"\r\n");
    Sink sink;
    const auto run = runSolverReported(dir.path(), sink, dialogs, fakeSolver());
    ASSERT_TRUE(run);
    EXPECT_TRUE(run->report.success);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
} // namespace kinetra::solver
