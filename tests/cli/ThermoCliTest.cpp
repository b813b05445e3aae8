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

    // Slot 4 holds N: without --yes the removal question is answered No, and the terminal says
    // what was not done instead of asking a question it does not wait for.
    const CliRun declined = run({"thermo", "elements", db, "4=Ar"});
    EXPECT_EQ(declined.code, 1);
    EXPECT_EQ(declined.err, "Nothing was changed: removing an element removes its species; "
                            "confirm with --yes.\n");
    const CliRun changed = run({"thermo", "elements", db, "4=Ar", "--yes"});
    EXPECT_EQ(changed.code, 0);
    EXPECT_NE(changed.out.find(" 4  Ar      39.948\n"), std::string::npos);
    EXPECT_NE(changed.out.find("species kept, 18 removed.\nError listing: "), std::string::npos);
    EXPECT_EQ(changed.err.find('?'), std::string::npos);
    // The 18 names fit on four lines of five: nothing is cut.
    EXPECT_EQ(changed.err.find("more lines"), std::string::npos);

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

// The C3Mech thermo file gives 9,180 records for 3,950 names: later thermo sets repeat earlier
// species. The first record of a name is the one read; the repeats are listed with their lines.
TEST(ThermoCli, WholeFilesKeepTheFirstRecordOfAName) {
    kinetra::testing::TempDir dir;
    const std::string c3 = std::string(KINETRA_SHARED_DATA_DIR) + "/c3mech-large/C3MechV3.3.THERM";
    const std::string db = (dir / "c3.mdb").string();
    run({"thermo", "new", db});
    const CliRun imported = run({"thermo", "import", db, c3});
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_NE(imported.out.find("Inserted: 3950\n"), std::string::npos) << imported.out;
    EXPECT_NE(imported.out.find("Skipped repeats of a name: 5230\n"), std::string::npos);
    EXPECT_NE(kinetra::testing::readFile(dir / "ErrorMsg.txt")
                  .find("Line 642  CYC6H12  (first at line 221)\r\n"),
              std::string::npos);
    EXPECT_NE(run({"thermo", "check", db}).out.find("0 of 3950 species are invalid."),
              std::string::npos);
    EXPECT_NE(run({"thermo", "export", db, "-o", (dir / "c3.txt").string()})
                  .err.find("3950 species written"),
              std::string::npos);

    // The option keeps every record, the repeats marked as duplicates.
    const std::string all = (dir / "all.mdb").string();
    run({"thermo", "new", all});
    EXPECT_NE(run({"thermo", "import", all, c3, "--keep-repeats"}).out.find("Inserted: 9180\n"),
              std::string::npos);
}

// "Ar" where the element table holds "AR": the refusal says how to read them.
TEST(ThermoCli, ElementSymbolsInAnotherLetterCaseGetAHint) {
    kinetra::testing::TempDir dir;
    const std::string db = (dir / "t.mdb").string();
    run({"thermo", "new", db});
    const std::string text =
        "AR                120186Ar  1               G   300.000  5000.000  1000.000    1\n"
        " 0.02500000E+02 0.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00    2\n"
        "-0.07453750E+04 0.04366000E+02 0.02500000E+02 0.00000000E+00 0.00000000E+00    3\n"
        " 0.00000000E+00 0.00000000E+00-0.07453750E+04 0.04366000E+02                   4\n";
    const std::string file = dir.write("ar.dat", text).string();
    const CliRun refused = run({"thermo", "import", db, file});
    EXPECT_NE(refused.out.find("Refused for unknown elements: 1\n"), std::string::npos);
    EXPECT_NE(refused.err.find("differ from the element table only in letter case; read them "
                               "with --case upper."),
              std::string::npos);
    EXPECT_NE(run({"thermo", "import", db, file, "--case", "upper"}).out.find("Inserted: 1\n"),
              std::string::npos);
}

} // namespace
} // namespace kinetra::cli
