// kinetra-cli reactions rates on GRI-Mech 3.0: the numeric-data document of a reaction read
// from the mechanism file, with and without the fall-off column.
#include "CliData.h"
#include "CliRun.h"
#include "common/TextFile.h"
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

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(RateCli, CompareGriMechWithItselfAndWithAChangedCopy) {
    GriDatabases gri;
    const CliRun itself = run(
        {"reactions", "compare", gri.reactions, gri.reactions, "--thermo", gri.thermo, "--csv"});
    ASSERT_EQ(itself.code, 0) << itself.err;
    EXPECT_EQ(itself.out, "kind,numA,numB,reaction,ratio,temperature,detail\n");

    // A doubled (reaction 3), one deleted (4, so that B's numbers after it are one less), one
    // added, and reaction 38 written the other way round with its rate kept: a pair whose reverse
    // rate differs.
    std::string text = *readTextFile(data("gri30/gri30.inp"));
    text = replaced(text, "O+H2<=>H+OH                              3.870E+04",
                    "O+H2<=>H+OH                              7.740E+04");
    text = replaced(text,
                    "O+HO2<=>OH+O2                            2.000E+13     .000        .00\n", "");
    text = replaced(text, "H+O2<=>O+OH                              2.650E+16",
                    "O+OH<=>H+O2                              2.650E+16");
    text = replaced(text, "2OH<=>O+H2O                              3.570E+04    2.400   -2110.00",
                    "2OH<=>O+H2O                              3.570E+04    2.400   -2110.00\n"
                    "O+H2O2<=>H2O+O2                          1.000E+12     .000    1000.00");
    const std::string changedFile = (gri.dir / "changed.inp").string();
    writeTextFile(changedFile, text);
    const std::string changed = (gri.dir / "c.mdb").string();
    ASSERT_EQ(run({"mechanism", "import", changedFile, "--thermo", (gri.dir / "ct.mdb").string(),
                   "--reactions", changed, "--thermo-file", data("gri30/gri30_thermo.dat")})
                  .code,
              0);
    const CliRun c = run({"reactions", "compare", gri.reactions, changed, "--thermo", gri.thermo,
                          "--factor", "1.5", "--csv"});
    ASSERT_EQ(c.code, 0) << c.err;
    const std::vector<std::string> l = lines(c.out);
    ASSERT_EQ(l.size(), 5u) << c.out;
    EXPECT_EQ(l[1], "only-a,4,,O + HO2 <=> OH + O2,,,");
    EXPECT_EQ(l[2], "only-b,,86,O + H2O2 <=> H2O + O2,,,");
    EXPECT_EQ(l[3], "rate,3,3,O + H2 <=> H + OH,2.000E+00,500,");
    // kB/kA = Kc of H + O2 = O + OH, which is smallest at the low end: log10 Kc(500 K) from
    // the NASA data of H, O2, O and OH is -6.06.
    EXPECT_EQ(l[4], "rate,38,37,H + O2 <=> O + OH,8.694E-07,500,reversed");

    const CliRun document =
        run({"reactions", "compare", gri.reactions, changed, "--thermo", gri.thermo});
    EXPECT_NE(document.out.find("  Only in A: 1\r\n       4  O + HO2 <=> OH + O2\r\n"),
              std::string::npos)
        << document.out;
}

} // namespace
} // namespace kinetra::cli
