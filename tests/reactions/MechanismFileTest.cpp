#include "reactions/MechanismFile.h"

#include "ReactionFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

using thermo::testing::kFourSpecies;
using thermo::testing::ThermoFixture;

TEST(MechanismFile, SplitsSectionsWhateverTheirSpelling) {
    const std::string text = "! header naming REACTIONS in a comment\r\n"
                             "elem H c ! comment\r\n"
                             "D/2.014/ AR / 39.95 / END\r\n"
                             "Species H2 O2 ! not a name\r\n"
                             "H2O\r\n"
                             "\r\n"
                             "Ther All\r\n"
                             "   300.000  1000.000  5000.000\r\n"
                             "BLOCK LINES\r\n"
                             "end\r\n"
                             "  reaction  kcal/mole  MOLECULES ! units\r\n"
                             "H2 + O2 <=> 2OH  1E13 0 40\r\n"
                             "  DUP\r\n"
                             "ELEM + O2 = THER  1 0 0\r\n" // species named like keywords
                             "END\r\n"
                             "trailing words are no section\r\n";
    EXPECT_TRUE(isMechanismFile(text));
    const MechanismSections s = splitMechanismFile(text);
    EXPECT_EQ(s.elements, (std::vector<std::string>{"H", "c", "D", "AR"}));
    EXPECT_EQ(s.species, (std::vector<std::string>{"H2", "O2", "H2O"}));
    EXPECT_TRUE(s.hasThermo);
    EXPECT_EQ(s.thermoText, "THERMO ALL\n   300.000  1000.000  5000.000\nBLOCK LINES\nEND\n");
    EXPECT_EQ(s.reactionLines, (std::vector<std::string>{"H2 + O2 <=> 2OH  1E13 0 40", "  DUP",
                                                         "ELEM + O2 = THER  1 0 0"}));
    EXPECT_EQ(s.reactionLineNumbers, (std::vector<int>{12, 13, 14}));
    EXPECT_EQ(s.unitWords, (std::vector<std::string>{"kcal/mole", "MOLECULES"}));

    // A section without END ends at the next keyword.
    const MechanismSections open = splitMechanismFile("SPECIES\nA B\nREACTIONS\nA=B 1 0 0\n");
    EXPECT_EQ(open.species, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(open.reactionLineNumbers, (std::vector<int>{4}));
    EXPECT_FALSE(isMechanismFile("H2 + O2 <=> 2OH  1E13 0 40\nREV / 1 0 0 /\n"));

    const UnitReading units = readUnitWords(s.unitWords);
    EXPECT_EQ(units.aUnits, ReadingOptions::AUnits::CmSec);
    EXPECT_EQ(units.eUnits, ReadingOptions::EUnits::KcalPerMol);
    EXPECT_TRUE(units.refusal.empty());
    EXPECT_EQ(readUnitWords({"MOLES", "EVOLTS"}).refusal,
              "The REACTIONS line names the unit EVOLTS, which the reaction reader cannot "
              "convert; the import has been stopped.");
}

struct ImportFixture : ThermoFixture {
    RefusalMemory memory;

    MechanismImportResult import(const std::string& text) {
        store::createReactionTemplate(dir / "EmptyReac.mdb");
        MechanismImportRequest request;
        request.text = text;
        request.reactionDatabase = dir / "rx.mdb";
        request.reactionTemplate = dir / "EmptyReac.mdb";
        request.constants = testing::kTestConstants;
        request.errorFile = dir / "ErrorMsg.txt";
        return importMechanism(database, request, memory, fake.ui);
    }
    store::RowSet reactions() {
        return store::Connection::open(dir / "rx.mdb")
            .query("SELECT * FROM [Reactions] ORDER BY Num;");
    }
};

TEST(MechanismImport, DeclaredSpeciesOnlyAndSourceLinesInTheListing) {
    ImportFixture f;
    f.paste(std::string(kFourSpecies).substr(0, 4 * 81));        // H2 is there already
    std::string bad = std::string(kFourSpecies).substr(12 * 81); // N2 as BAD, a coefficient spoilt
    bad.replace(0, 3, "BAD");
    bad.replace(81, 3, " x.");
    const std::string text = "ELEMENTS H O N END\n"
                             "SPECIES H2 O2 H2O BAD END\n" // N2 is not used
                             "THERMO\n" +
                             std::string(kFourSpecies) + bad +
                             "END\n"
                             "REACTIONS\n"
                             "! first\n"
                             "2H2 + O2 <=> 2H2O   1.0E13 0.0 1000\n"
                             "H2 + O2 => H2O + O  1.0E13 0.0\n"
                             "END\n";
    const MechanismImportResult r = f.import(text);
    EXPECT_EQ(std::tuple(r.speciesAdded, r.speciesKept, r.speciesSkipped, r.speciesRefused),
              std::tuple(2, 1, 1, 1));
    EXPECT_EQ(std::pair(r.reactionsStored, r.reactionsRefused), std::pair(1, 1));
    ASSERT_TRUE(r.errorFileWritten);
    // One listing holds the refusals of both readers.
    const std::string listing = kinetra::testing::readFile(f.dir / "ErrorMsg.txt");
    EXPECT_NE(listing.find("BAD "), std::string::npos) << listing;
    EXPECT_NE(listing.find("\r\nLine 28\r\nH2 + O2 => H2O + O"), std::string::npos) << listing;

    // A unit the reader cannot convert stops the import before anything goes in.
    const MechanismImportResult refused =
        f.import("SPECIES AR END\nTHERMO\n" + std::string(kFourSpecies) +
                 "END\nREACTIONS EVOLTS\nH2 + O2 <=> 2OH 1 0 0\nEND\n");
    EXPECT_FALSE(refused.refusal.empty());
    EXPECT_EQ(f.fake.dialogs.last().text, refused.refusal);
    EXPECT_EQ(f.rows().rows.size(), 3u);
    EXPECT_EQ(f.reactions().rows.size(), 1u);

    // Reactions go after the last row of a database that has some.
    EXPECT_EQ(f.import("REACTIONS\n2H2 + O2 <=> 2H2O  2.0 0 0\nEND\n").reactionsValid, 1);
    const store::RowSet rows = f.reactions();
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(reactionFromRow(rows.rows[1]).a, 2.0);
}

} // namespace
} // namespace kinetra::reactions
