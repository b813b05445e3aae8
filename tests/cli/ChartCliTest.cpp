// kinetra-cli thermo chart, reactions chart and chart export on GRI-Mech 3.0: chart files and
// pictures made without a display by the chart window's drawing.
#include "CliData.h"
#include "CliRun.h"
#include "charts/ChartFile.h"
#include "support/TempDir.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace kinetra::cli {
namespace {

using kinetra::testing::readFile;
using testing::CliRun;
using testing::data;
using testing::run;

// Width and height from a PNG file's header.
std::pair<unsigned, unsigned> pngSize(const std::string& bytes) {
    const auto at = [&](std::size_t i) {
        return (static_cast<unsigned>(static_cast<unsigned char>(bytes[i])) << 24) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1])) << 16) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 2])) << 8) |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 3]));
    };
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    return {at(16), at(20)};
}

TEST(ChartCli, ThermoAndRateChartsAreSavedAndDrawn) {
    kinetra::testing::TempDir dir;
    const std::string thermo = (dir / "t.mdb").string(), reactions = (dir / "r.mdb").string();
    const CliRun imported =
        run({"mechanism", "import", data("gri30/gri30.inp"), "--thermo", thermo, "--reactions",
             reactions, "--thermo-file", data("gri30/gri30_thermo.dat")});
    ASSERT_EQ(imported.code, 0) << imported.err;

    const std::string pg = (dir / "h2o.pg").string(), png = (dir / "h2o.png").string(),
                      svg = (dir / "h2o.svg").string();
    const CliRun h2o = run({"thermo", "chart", thermo, "H2O", "--functions", "H,Cp,S", "-o", pg,
                            "--png", png, "--svg", svg});
    ASSERT_EQ(h2o.code, 0) << h2o.err;
    const auto chart = readChartFile(pg);
    ASSERT_TRUE(std::holds_alternative<ChartContent>(chart));
    const ChartContent& c = std::get<ChartContent>(chart);
    ASSERT_EQ(c.subsets.size(), 3u);
    EXPECT_EQ(c.subsets[1].label, "Cp (J/K mol)");
    EXPECT_EQ(c.pointCount, 38);
    EXPECT_EQ(c.mainTitle, "H2O");
    EXPECT_EQ(pngSize(readFile(png)), std::make_pair(800u, 600u));
    const std::string drawing = readFile(svg);
    for (const char* label : {"H (kJ/mol)", "Cp (J/K mol)", "S (J/K mol)"})
        EXPECT_NE(drawing.find(label), std::string::npos) << label;

    // A saved chart drawn again at another size.
    const std::string small = (dir / "small.png").string();
    const CliRun exported =
        run({"chart", "export", pg, "-o", small, "--width", "320", "--height", "240"});
    ASSERT_EQ(exported.code, 0) << exported.err;
    EXPECT_EQ(pngSize(readFile(small)), std::make_pair(320u, 240u));

    // The program itself as a batch job starts it (ssh, cron, a Slurm task): no desktop session,
    // so no XDG_RUNTIME_DIR, and it says only what it did.
    const std::string command = "env -u XDG_RUNTIME_DIR -u DISPLAY -u QT_QPA_PLATFORM '" +
                                std::string(KINETRA_APP_DIR) + "/kinetra-cli' chart export '" + pg +
                                "' -o '" + (dir / "batch.png").string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe))
        said += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(said, "Picture " + (dir / "batch.png").string() + " written.\n");

    // 85 is 2OH(+M) <=> H2O2(+M): its rate chart names the reaction in the description.
    const std::string rate = (dir / "rate.pg").string();
    const CliRun r = run({"reactions", "chart", reactions, "85", "--thermo", thermo, "-o", rate,
                          "--svg", (dir / "rate.svg").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rateChart = readChartFile(rate);
    ASSERT_TRUE(std::holds_alternative<ChartContent>(rateChart));
    EXPECT_EQ(std::get<ChartContent>(rateChart).annotations[101].text,
              "OH + OH + M$ <=> H2O2 + M$");
    EXPECT_NE(readFile(dir / "rate.svg").find("Kfor"), std::string::npos);
}

TEST(ChartCli, Refusals) {
    kinetra::testing::TempDir dir;
    const std::string notChart = dir.write("notes.pg", "H2O 300 K").string();
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* err;
    } cases[] = {
        {{"chart", "export", notChart, "-o", (dir / "a.png").string()}, 1, "cannot be opened"},
        {{"chart", "export", notChart, "-o", (dir / "a.png").string(), "--width", "3"},
         2,
         "--width must be a whole number"},
        {{"thermo", "chart", "t.mdb", "H2O", "-o", (dir / "a.txt").string()},
         2,
         "with the extension pg"},
        {{"thermo", "chart", "t.mdb", "H2O", "--functions", "G", "-o", "a.pg"}, 2, "--functions"},
    };
    for (const Case& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace kinetra::cli
