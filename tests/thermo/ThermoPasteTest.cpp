#include "ThermoFixture.h"
#include "thermo/NasaTextWriter.h"
#include "thermo/SpeciesRow.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace kinetra::thermo {
namespace {

using testing::kFourSpecies;
using testing::sharedDataFile;
using testing::ThermoFixture;

TEST(ThermoPaste, InsertsAfterTheRowAndMarksThePastedRows) {
    ThermoFixture f;
    EXPECT_EQ(f.paste(kFourSpecies).inserted, 4);
    // N2, then H2 again.
    const std::string text = kFourSpecies.substr(81 * 12) + kFourSpecies.substr(0, 81 * 4);
    f.database.connection().execute("UPDATE [Trm] SET SelT = 0, UPaste = 0;");
    EXPECT_EQ(f.paste(text, 2).inserted, 2);
    EXPECT_EQ(f.names(), (std::vector<std::string>{"H2", "O2", "N2", "H2", "H2O", "N2"}));
    EXPECT_EQ(f.names("SELECT * FROM [Trm] WHERE SelT > 0 ORDER BY SelT;"),
              (std::vector<std::string>{"N2", "H2"}));
    EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE UPaste = 1;").recordCount(), 2u);
    // Old and new rows of one name are duplicates of each other.
    EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE Info = -5;").recordCount(), 4u);
    const auto nums = f.rows();
    for (std::size_t i = 0; i < nums.rows.size(); ++i)
        EXPECT_EQ(store::toInteger(nums.rows[i].field("Num")), static_cast<std::int64_t>(i + 1));
}

// The Cancel of the progress, pressed while the 9,180 records of C3Mech are read or while they
// are inserted, leaves every row of the table as it was, the marks of the last paste included.
TEST(ThermoPaste, CancelOfTheProgressLeavesTheTableAsItWas) {
    ReadOptions options;
    const std::string c3mech =
        unframeThermoFile(sharedDataFile("c3mech-large/C3MechV3.3.THERM"), options);
    for (const char* phase : {"Pasting thermodynamic data", "Preparing thermodynamic data"}) {
        ThermoFixture f;
        f.paste(kFourSpecies);
        const auto before = f.fileRows();
        f.fake.progress.cancelAt = phase;
        const PasteResult result = f.paste(c3mech, 2, options);
        EXPECT_TRUE(result.cancelled) << phase;
        EXPECT_EQ(result.inserted, 0) << phase;
        EXPECT_EQ(f.fileRows(), before) << phase;
        EXPECT_TRUE(f.fake.dialogs.shown.empty()) << phase;
        EXPECT_FALSE(f.fake.progress.cancellable) << phase;
    }
}

TEST(ThermoPaste, RefusalWindowContinueStopAndCancel) {
    std::string bad = kFourSpecies; // H2 and O2 without their Tcom (columns 66..73)
    bad.replace(65, 8, std::string(8, ' ')).replace(81 * 4 + 65, 8, std::string(8, ' '));
    for (RefusalChoice choice :
         {RefusalChoice::Continue, RefusalChoice::Stop, RefusalChoice::Cancel}) {
        ThermoFixture f;
        f.paste(kFourSpecies);
        const auto before = f.fileRows();
        f.fake.dialogs.shown.clear();
        f.fake.dialogs.refusalReplies = {{choice, true}}; // "do not show again" ticked
        const PasteResult result = f.paste(bad, 4);
        EXPECT_EQ(result.inserted, choice == RefusalChoice::Continue ? 2 : 0);
        EXPECT_EQ(std::count_if(f.fake.dialogs.shown.begin(), f.fake.dialogs.shown.end(),
                                [](auto& s) { return s.kind == "refusal"; }),
                  1);
        EXPECT_EQ(result.cancelled, choice == RefusalChoice::Cancel);
        EXPECT_EQ(f.fake.dialogs.shown[0].text,
                  "Error in temperature interval. The data has a wrong format or is incomplete.");
        if (choice == RefusalChoice::Cancel) {
            // Nothing shown after the cancel, nothing written, the table exactly as before.
            EXPECT_EQ(f.fake.dialogs.shown.size(), 1u);
            EXPECT_EQ(f.fileRows(), before);
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

TEST(ThermoPaste, WholeTextRefusalsAndUnknownElements) {
    ThermoFixture f;
    EXPECT_TRUE(f.paste(" \r\n\t").refusedWhole);
    EXPECT_EQ(f.fake.dialogs.last().text,
              "There is no thermodynamic data in the clipboard to paste.");

    // Slot 4 (N) freed: N2 cannot be read.
    f.database.connection().execute("UPDATE [Elements] SET Element = '' WHERE Num = 4;");
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

    // "Ar" where the table holds "AR": the caller's hint follows the message.
    f.fake.dialogs.shown.clear();
    store::Connection db = f.database.connection();
    PasteRequest request;
    request.text =
        "AR                120186Ar  1               G   300.000  5000.000  1000.000    1\n"
        " 0.02500000E+02 0.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00    2\n"
        "-0.07453750E+04 0.04366000E+02 0.02500000E+02 0.00000000E+00 0.00000000E+00    3\n"
        " 0.00000000E+00 0.00000000E+00-0.07453750E+04 0.04366000E+02                   4\n";
    request.letterCaseHint = "Read them in upper case.";
    const PasteResult result = pasteSpeciesText(db, f.database.elements(), request, f.fake.ui);
    EXPECT_TRUE(result.unknownOnlyByLetterCase);
    EXPECT_EQ(f.fake.dialogs.shown.at(0).text.substr(f.fake.dialogs.shown[0].text.size() - 25),
              "\nRead them in upper case.");
}

// Every species of the GRI-Mech 3.0 and H2/O2 thermo written as clipboard text and read back:
// coefficients equal to eight decimals of mantissa, everything else exactly.
TEST(ThermoPaste, RoundTripOfRealThermoFiles) {
    for (const char* file : {"gri30/gri30_thermo.dat", "h2/burke2012.inp"}) {
        SCOPED_TRACE(file);
        ThermoFixture f;
        ReadOptions options;
        const PasteResult read =
            f.paste(unframeThermoFile(sharedDataFile(file), options), 0, options);
        EXPECT_EQ(read.rejected + read.unknownElements, 0);
        EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE Info < 0;").recordCount(), 0u);
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
            EXPECT_EQ(std::tie(a.name, a.composition, a.phase, a.tmin, a.tmax, a.tcom),
                      std::tie(b.name, b.composition, b.phase, b.tmin, b.tmax, b.tcom));
            for (std::size_t k = 0; k < 14; ++k)
                EXPECT_NEAR(a.coefficients[k], b.coefficients[k],
                            std::abs(a.coefficients[k]) * 5e-9);
        }
    }
}

// Malformed files of the shared data: a refused block is named with its reason and none of it
// lands; a text of the wrong line count is refused whole.
TEST(ThermoPaste, MalformedFiles) {
    ThermoFixture f;
    ReadOptions options;
    PasteResult result =
        f.paste(unframeThermoFile(sharedDataFile("small/bad-nasa7-composition.dat"), options));
    EXPECT_EQ(result.inserted, 2);
    EXPECT_TRUE(
        f.fake.dialogs.shown.at(0).text.starts_with("Elemental content, integers are required."));
    EXPECT_EQ(f.rows("SELECT * FROM [Trm] WHERE Species = 'R1A';").recordCount(), 0u);

    ThermoFixture g;
    result = g.paste(unframeThermoFile(sharedDataFile("small/bad-nasa7-formatting.dat"), options));
    EXPECT_TRUE(result.refusedWhole);
    EXPECT_TRUE(g.fake.dialogs.last().text.starts_with(
        "There was an input error; the input has been terminated.\nThe error"));
    EXPECT_EQ(g.rows().recordCount(), 0u);
}

} // namespace
} // namespace kinetra::thermo
