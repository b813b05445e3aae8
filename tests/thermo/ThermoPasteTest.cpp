#include "ThermoFixture.h"
#include "thermo/NasaTextWriter.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kinetra::thermo {
namespace {

using testing::kFourSpecies;
using testing::sharedDataFile;
using testing::ThermoFixture;

std::vector<std::string> names(const store::RowSet& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows.rows)
        out.push_back(store::toText(row.field("Species")));
    return out;
}

// The first species of kFourSpecies with its Tcom field blanked (columns 66..73).
std::string withoutTcom(std::string block) {
    block.replace(65, 8, std::string(8, ' '));
    return block;
}

TEST(ThermoPaste, InsertsAfterTheRowAndMarksThePastedRows) {
    ThermoFixture f;
    EXPECT_EQ(f.paste(kFourSpecies).inserted, 4);
    const std::string ar = "AR                120186AR  1               G   300.000  5000.000  "
                           "1000.000    1\n"
                           " 0.02500000E+02 0.00000000E+00 0.00000000E+00 0.00000000E+00 "
                           "0.00000000E+00    2\n"
                           "-0.07453750E+04 0.04366000E+02 0.02500000E+02 0.00000000E+00 "
                           "0.00000000E+00    3\n"
                           " 0.00000000E+00 0.00000000E+00-0.07453750E+04 0.04366000E+02     "
                           "              4\n";
    const std::string text = ar + std::string(kFourSpecies).substr(0, 81 * 4);
    f.database.open().execute("UPDATE [Trm] SET SelT = 0, UPaste = 0;");
    EXPECT_EQ(f.paste(text, 2).inserted, 2);
    EXPECT_EQ(names(f.rows()), (std::vector<std::string>{"H2", "O2", "AR", "H2", "H2O", "N2"}));
    EXPECT_EQ(names(f.rows("SELECT * FROM [Trm] WHERE SelT > 0 ORDER BY SelT;")),
              (std::vector<std::string>{"AR", "H2"}));
    EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE UPaste = 1;").recordCount(), 2u);
    // The two H2 rows are duplicates of each other.
    EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE Info = -5;").recordCount(), 2u);
    const auto nums = f.rows();
    for (std::size_t i = 0; i < nums.rows.size(); ++i)
        EXPECT_EQ(store::toInteger(nums.rows[i].field("Num")), static_cast<std::int64_t>(i + 1));
    // Derived fields of a pasted row.
    const auto water = f.rows("SELECT * FROM [Trm] WHERE Species = 'H2O';").rows.at(0);
    EXPECT_EQ(store::toText(water.field("MolFormula")), "H2O1");
    EXPECT_DOUBLE_EQ(*store::toDouble(water.field("MW")), 18.01528);
    EXPECT_EQ(store::toText(water.field("Reference")), "L 8/89 ");
}

TEST(ThermoPaste, RefusalWindowContinueStopAndCancel) {
    const std::string bad = withoutTcom(kFourSpecies);
    for (RefusalChoice choice :
         {RefusalChoice::Continue, RefusalChoice::Stop, RefusalChoice::Cancel}) {
        ThermoFixture f;
        f.paste(kFourSpecies);
        const auto before = f.rows();
        f.fake.dialogs.shown.clear();
        f.fake.dialogs.refusalReplies = {{choice, false}};
        const PasteResult result = f.paste(bad, 4);
        EXPECT_EQ(result.rejected, 1);
        const int expected = choice == RefusalChoice::Continue ? 3 : 0;
        EXPECT_EQ(result.inserted, expected);
        EXPECT_EQ(result.cancelled, choice == RefusalChoice::Cancel);
        EXPECT_EQ(f.fake.dialogs.shown[0].text,
                  "Error in temperature interval. The data has a wrong format or is incomplete.");
        if (choice == RefusalChoice::Cancel) {
            // Nothing shown after the cancel, nothing written, the table exactly as before.
            EXPECT_EQ(f.fake.dialogs.shown.size(), 1u);
            const auto after = f.rows();
            ASSERT_EQ(after.recordCount(), before.recordCount());
            for (std::size_t i = 0; i < after.rows.size(); ++i)
                EXPECT_EQ(after.rows[i].values(), before.rows[i].values());
            continue;
        }
        // The listing message, then the question about ErrorMsg.txt.
        EXPECT_EQ(f.fake.dialogs.shown[2].text,
                  "The error messages have been written in the file " +
                      (f.dir / "ErrorMsg.txt").string() + "'. \nOpen the file?");
        const std::string listing = kinetra::testing::readFile(f.dir / "ErrorMsg.txt");
        EXPECT_EQ(listing.substr(0, 42), "KINETRA THERMO   Dec 6 2026  14:05:09\r\n \r\n");
        EXPECT_NE(listing.find("Error in temperature interval."), std::string::npos);
    }
}

TEST(ThermoPaste, DefaultTcomAndTheDoNotShowAgainTick) {
    ThermoFixture f;
    std::string twoBad = withoutTcom(kFourSpecies);
    twoBad.replace(81 * 4 + 65, 8, std::string(8, ' '));
    f.fake.dialogs.refusalReplies = {{RefusalChoice::Continue, true}};
    EXPECT_EQ(f.paste(twoBad).rejected, 2);
    EXPECT_EQ(std::count_if(f.fake.dialogs.shown.begin(), f.fake.dialogs.shown.end(),
                            [](auto& s) { return s.kind == "refusal"; }),
              1);

    ThermoFixture g;
    ReadOptions options;
    options.defaultTcom = 1200;
    EXPECT_EQ(g.paste(twoBad, 0, options).inserted, 4);
    EXPECT_EQ(store::toDouble(g.rows().rows[0].field("Tbound")), 1200.0);
}

TEST(ThermoPaste, WholeTextRefusalsAndUnknownElements) {
    ThermoFixture f;
    EXPECT_TRUE(f.paste(" \r\n\t").refusedWhole);
    EXPECT_EQ(f.fake.dialogs.last().text,
              "There is no thermodynamic data in the clipboard to paste.");
    const std::string framed =
        "THERMO\n   300.000  1000.000  5000.000\n" + std::string(kFourSpecies) + "END\n";
    EXPECT_TRUE(f.paste(framed).refusedWhole);
    EXPECT_EQ(f.fake.dialogs.last().title, "KINETRA, Paste THERMO");
    EXPECT_EQ(f.rows().recordCount(), 0u);

    // Slot 4 (N) freed: N2 cannot be read.
    f.database.open().execute("UPDATE [Elements] SET Element = '' WHERE Num = 4;");
    f.database.reloadElements();
    f.fake.dialogs.shown.clear();
    EXPECT_EQ(f.paste(kFourSpecies).unknownElements, 1);
    EXPECT_EQ(f.fake.dialogs.shown[0].text,
              "The species contains elements that are not available in the ELEMENTS table.The "
              "species has been omitted. \nNote. Element names are case-sensitive.");
    EXPECT_NE(kinetra::testing::readFile(f.dir / "ErrorMsg.txt")
                  .find("The species N2 contains elements that are not available in the "
                        "ELEMENTS table, the species was omitted. "),
              std::string::npos);
}

TEST(ThermoPaste, FileImportOfTheWholeGriThermo) {
    ThermoFixture f;
    ReadOptions options;
    const std::string text = unframeThermoFile(sharedDataFile("gri30/gri30_thermo.dat"), options);
    EXPECT_EQ(options.defaultTcom, 1000.0);
    const PasteResult result = f.paste(text, 0, options);
    EXPECT_EQ(result.inserted, 53);
    EXPECT_EQ(result.rejected + result.unknownElements, 0);
    EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE Info < 0;").recordCount(), 0u);
}

// Every species of the GRI-Mech 3.0 and H2/O2 thermo written as clipboard text and read back:
// coefficients equal to eight decimals of mantissa, everything else exactly.
TEST(ThermoPaste, RoundTripOfRealThermoFiles) {
    for (const char* file : {"gri30/gri30_thermo.dat", "h2/burke2012.inp"}) {
        SCOPED_TRACE(file);
        ThermoFixture f;
        ReadOptions options;
        std::string text = sharedDataFile(file);
        if (const auto thermo = text.find("THERMO"); thermo != std::string::npos) {
            const auto end = text.find("\nEND", thermo);
            text = text.substr(thermo, end - thermo + 5);
        }
        f.paste(unframeThermoFile(text, options), 0, options);
        const auto original = f.rows();
        ASSERT_GT(original.recordCount(), 10u);
        std::vector<SpeciesRecord> records;
        for (const auto& row : original.rows)
            records.push_back(speciesFromRow(row));
        ThermoFixture g;
        g.paste(writeClipboardText(records, f.database.elements()).text);
        const auto copy = g.rows();
        ASSERT_EQ(copy.recordCount(), original.recordCount());
        for (std::size_t i = 0; i < records.size(); ++i) {
            const SpeciesRecord a = records[i], b = speciesFromRow(copy.rows[i]);
            SCOPED_TRACE(a.name);
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(a.composition, b.composition);
            EXPECT_EQ(a.phase, b.phase);
            EXPECT_EQ(a.tmin, b.tmin);
            EXPECT_EQ(a.tmax, b.tmax);
            EXPECT_EQ(a.tcom, b.tcom);
            for (std::size_t k = 0; k < 14; ++k)
                EXPECT_NEAR(a.coefficients[k], b.coefficients[k],
                            std::abs(a.coefficients[k]) * 5e-9);
        }
    }
}

// The malformed files of the shared data: each refused block is named with its reason and none
// of it lands. (A Tcom equal to Tmax, the fault of the "Trange" file, is a valid interval here.)
TEST(ThermoPaste, MalformedFiles) {
    struct Case {
        const char* file;
        int inserted;
        bool refusedWhole;
        std::string reason;
        const char* refusedName;
    } cases[] = {
        {"small/bad-nasa7-Trange.dat", 3, false, "", nullptr},
        {"small/bad-nasa7-composition.dat", 2, false, "Elemental content, integers are required.",
         "R1A"},
        {"small/bad-nasa7-float.dat", 2, false,
         "The polynomial coefficients are incomplete, or the data has a wrong format.",
         "C10H20QJDQB"},
        {"small/bad-nasa7-formatting.dat", 0, true,
         "There was an input error; the input has been terminated.", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ThermoFixture f;
        ReadOptions options;
        const PasteResult result =
            f.paste(unframeThermoFile(sharedDataFile(c.file), options), 0, options);
        EXPECT_EQ(result.inserted, c.inserted);
        EXPECT_EQ(result.refusedWhole, c.refusedWhole);
        if (!c.reason.empty()) {
            EXPECT_EQ(f.fake.dialogs.shown.at(0).text.substr(0, c.reason.size()), c.reason);
        } else {
            EXPECT_TRUE(f.fake.dialogs.shown.empty());
        }
        if (c.refusedName) {
            EXPECT_EQ(
                f.rows(std::string("SELECT * FROM [Trm] WHERE Species = '") + c.refusedName + "';")
                    .recordCount(),
                0u);
        }
    }
}

} // namespace
} // namespace kinetra::thermo
