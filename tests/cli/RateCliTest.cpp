// kinetra-cli reactions rates on GRI-Mech 3.0: the numeric-data document of a reaction read
// from the mechanism file, with and without the fall-off column.
#include "CliData.h"
#include "CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kinetra::cli {
namespace {

using testing::CliRun;
using testing::data;
using testing::run;

struct GriDatabases {
    kinetra::testing::TempDir dir;
    std::string thermo = (dir / "t.mdb").string(), reactions = (dir / "r.mdb").string();
    GriDatabases() {
        const CliRun imported =
            run({"mechanism", "import", data("gri30/gri30.inp"), "--thermo", thermo, "--reactions",
                 reactions, "--thermo-file", data("gri30/gri30_thermo.dat")});
        EXPECT_EQ(imported.code, 0) << imported.err;
    }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line.substr(0, line.find('\r')));
    return out;
}

TEST(RateCli, FalloffReactionWithPressureColumn) {
    GriDatabases gri;
    // 85 is 2OH(+M) <=> H2O2(+M) (Troe).
    const CliRun r = run({"reactions", "rates", gri.reactions, "85", "--thermo", gri.thermo,
                          "--tmin", "500", "--tmax", "1000", "--step", "500", "--pressure", "1"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> l = lines(r.out);
    ASSERT_EQ(l.size(), 16u);
    EXPECT_EQ(l[4], "  OH + OH + M$ <=> H2O2 + M$");
    EXPECT_EQ(l[11], "  6   Kfor(P = 1 atm) (cm^3/mol sec)");
    // Kfor, Krev, Kfor,low, Krev,low, Kc and the blended constant, worked out independently.
    EXPECT_EQ(l[15], "   1000.00    5.74E+12    7.12E+03    1.08E+16    1.34E+07    8.07E+08"
                     "    9.06E+10");
}

TEST(RateCli, RefusalsAndMissingReaction) {
    GriDatabases gri;
    const CliRun same = run({"reactions", "rates", gri.reactions, "38", "--thermo", gri.thermo,
                             "--tmin", "1000", "--tmax", "1000"});
    EXPECT_EQ(same.code, 2);
    EXPECT_NE(same.err.find("The number of points is zero."), std::string::npos);
    const CliRun missing =
        run({"reactions", "rates", gri.reactions, "999", "--thermo", gri.thermo});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("the reaction number 999 was not found"), std::string::npos);
    const CliRun notFalloff =
        run({"reactions", "rates", gri.reactions, "38", "--thermo", gri.thermo, "--pressure", "1"});
    EXPECT_EQ(notFalloff.code, 0);
    EXPECT_NE(notFalloff.err.find("is not a fall-off reaction"), std::string::npos);
    EXPECT_EQ(lines(notFalloff.out).size(), 11u + 38u); // header lines and 38 points
}

} // namespace
} // namespace kinetra::cli
