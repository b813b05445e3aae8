#include "CliRun.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kinetra::cli {
namespace {

using testing::CliRun;
using testing::run;

const std::string kGri = std::string(KINETRA_SHARED_DATA_DIR) + "/gri30/gri30_thermo.dat";

TEST(ThermoCli, CommandsOnGriThermoAndRefusals) {
    kinetra::testing::TempDir dir;
    const std::string db = (dir / "gri.mdb").string(), copy = (dir / "copy.mdb").string();
    EXPECT_EQ(run({"thermo", "new", db}).code, 0);
    EXPECT_EQ(run({"thermo", "new", db}).code, 1); // no overwrite without --force
    const CliRun imported = run({"thermo", "import", db, kGri});
    EXPECT_EQ(imported.code, 0);
    EXPECT_EQ(imported.out,
              "Inserted: 53\nRefused for format: 0\nRefused for unknown elements: 0\n");

    const std::string exported = (dir / "gri.txt").string();
    EXPECT_EQ(run({"thermo", "export", db, "-o", exported}).code, 0);
    const std::string text = kinetra::testing::readFile(exported);

    run({"thermo", "new", copy});
    EXPECT_EQ(run({"thermo", "import", copy, exported}).out.substr(0, 13), "Inserted: 53\n");
    // The export of the copy equals the first export below its header lines.
    const std::string second = run({"thermo", "export", copy}).out;
    EXPECT_TRUE(second.substr(second.find("ELEMENTS")) == text.substr(text.find("ELEMENTS")));

    EXPECT_EQ(run({"thermo", "check", db}).out,
              "0 of 53 species are invalid.\nNo inconsistencies found.\n");

    const CliRun table =
        run({"thermo", "table", db, "H2O", "--tmin", "300", "--tmax", "400", "--step", "50"});
    EXPECT_EQ(table.code, 0);
    EXPECT_EQ(std::ranges::count(table.out, '\n'), 7); // three header lines, heading, three rows
    EXPECT_NE(table.out.find("      T(K)       H (kJ/mol)"), std::string::npos);
    EXPECT_EQ(run({"thermo", "table", db, "H2O", "--tmin", "500", "--tmax", "400"}).code, 2);

    // Slot 4 holds N: without --yes the removal question is answered No.
    EXPECT_EQ(run({"thermo", "elements", db, "4=Ar"}).code, 1);
    const CliRun changed = run({"thermo", "elements", db, "4=Ar", "--yes"});
    EXPECT_EQ(changed.code, 0);
    EXPECT_NE(changed.out.find(" 4  Ar      39.948\n"), std::string::npos);
    EXPECT_NE(changed.out.find("species kept, 18 removed."), std::string::npos);

    const CliRun r = run({"thermo", "import", db,
                          std::string(KINETRA_SHARED_DATA_DIR) + "/small/bad-nasa7-float.dat"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Refused for format: 1\n"), std::string::npos);
    EXPECT_NE(r.out.find("Error listing: " + (dir / "ErrorMsg.txt").string()), std::string::npos);
    const CliRun refused = run({"thermo", "check", dir.write("x.mdb", "text").string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("is not a database"), std::string::npos);
    EXPECT_EQ(run({"thermo", "import", db, kGri, "--tcom", "-5"}).code, 2);
}

} // namespace
} // namespace kinetra::cli
