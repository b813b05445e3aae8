#include "CliData.h"
#include "CliRun.h"
#include "common/TextUtil.h"
#include "reactions/MechanismFile.h"
#include "reactions/ReactionRecord.h"
#include "store/Database.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::cli {
namespace {

using reactions::ReactionRecord;

using testing::CliRun;
using testing::data;
using testing::records;
using testing::run;

bool duplicate(const ReactionRecord& r) {
    return upperAscii(trimBlanks(r.comment)).starts_with("DUP");
}

// What a document carries of a record: no bookkeeping fields, no comment but its DUPLICATE
// flag.
ReactionRecord carried(ReactionRecord r) {
    r.comment = duplicate(r) ? "DUP" : "";
    r.num = r.tmp = r.selT = r.red = r.upaste = r.dir = 0;
    return r;
}

CliRun importMechanism(const kinetra::testing::TempDir& dir, const std::string& name,
                       const std::string& file, std::vector<std::string> more = {}) {
    std::filesystem::create_directories(dir / name);
    more.insert(more.begin(),
                {"mechanism", "import", file, "--thermo", (dir / (name + "-t.mdb")).string(),
                 "--reactions", (dir / name / "r.mdb").string()});
    return run(more);
}

TEST(ReactionCli, GriMechRoundTripKeepsEveryReaction) {
    kinetra::testing::TempDir dir;
    const std::string kCounts = "Species kept: 0\nSpecies refused: 0\nSpecies skipped: 0\n"
                                "Reactions stored: 325\nValid: 325\nInvalid: 0\nRefused: 0\n";
    const CliRun first = importMechanism(dir, "gri", data("gri30/gri30.inp"),
                                         {"--thermo-file", data("gri30/gri30_thermo.dat")});
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "Species added: 53\n" + kCounts);
    const std::vector<ReactionRecord> original = records(dir / "gri" / "r.mdb");
    ASSERT_EQ(original.size(), 325u);

    const std::string document = (dir / "gri.txt").string();
    const CliRun exported = run({"reactions", "export", (dir / "gri" / "r.mdb").string(),
                                 "--thermo", (dir / "gri-t.mdb").string(), "-o", document});
    EXPECT_EQ(exported.code, 0) << exported.err;

    // The species and their thermo data come back from the document alone.
    const CliRun again = importMechanism(dir, "copy", document);
    EXPECT_EQ(again.out, "Species added: 53\n" + kCounts);
    const std::vector<ReactionRecord> copy = records(dir / "copy" / "r.mdb");
    ASSERT_EQ(copy.size(), original.size());
    for (std::size_t i = 0; i < copy.size(); ++i) {
        const auto a = rowFromReaction(carried(original[i])), b = rowFromReaction(carried(copy[i]));
        for (std::size_t k = 0; k < a.size(); ++k)
            EXPECT_EQ(store::toText(a[k]), store::toText(b[k])) // Type too: one-way stays one-way
                << original[i].reaction << ", field " << k;
    }
}

TEST(ReactionCli, SmallMechanismsImportAsTheirKeywordsSay) {
    kinetra::testing::TempDir dir;
    importMechanism(dir, "burke", data("h2/burke2012.inp"));
    const auto burke = records(dir / "burke" / "r.mdb");
    ASSERT_EQ(burke.size(), 27u);
    EXPECT_EQ(burke[14].type, "Low Troe");
    EXPECT_TRUE(duplicate(burke[1]) && duplicate(burke[2]));

    importMechanism(dir, "sri", data("small/sri-falloff.inp"));
    const auto sri = records(dir / "sri" / "r.mdb");
    ASSERT_EQ(sri.size(), 2u);
    EXPECT_EQ(sri[0].type, "Low SRI");
    EXPECT_EQ(sri[1].falloff, (std::array<std::optional<double>, 5>{1.1, 700, 1234, 56, 0.7}));

    importMechanism(dir, "rev", data("small/explicit-reverse-rate.inp"));
    const auto rev = records(dir / "rev" / "r.mdb");
    ASSERT_EQ(rev.size(), 3u);
    EXPECT_EQ(rev[1].type, "Rev");
    EXPECT_EQ(rev[1].al, 3.9e12);
    EXPECT_FALSE(rev[1].enabled); // no thermo data for R1A and the others

    // The refused reactions name their reason and their line in the file.
    const CliRun bodies = importMechanism(dir, "bodies", data("small/explicit-third-bodies.inp"));
    EXPECT_NE(bodies.out.find("Reactions stored: 4\n"), std::string::npos);
    EXPECT_EQ(records(dir / "bodies" / "r.mdb")[2].thirdBodies[0], "R2");
    EXPECT_NE(kinetra::testing::readFile(dir / "bodies" / "ErrorMsg.txt")
                  .find("In the reactant names, expected '('.\r\nLine 37\r\n"),
              std::string::npos);

    const CliRun pdep = importMechanism(dir, "pdep", data("small/pdep-test.inp"));
    EXPECT_NE(pdep.out.find("Reactions stored: 0\nValid: 0\nInvalid: 0\nRefused: 7\n"),
              std::string::npos);
    EXPECT_NE(kinetra::testing::readFile(dir / "pdep" / "ErrorMsg.txt")
                  .find("PLOG cannot be stored in the reaction table; the reaction has been "
                        "omitted.\r\nLine 116\r\nR1A+R1B+M=P1+H+M"),
              std::string::npos);
}

TEST(ReactionCli, ReactionTextAndUnitWords) {
    kinetra::testing::TempDir dir;
    importMechanism(dir, "h2o2", data("small/h2o2.inp"));
    const std::string thermo = (dir / "h2o2-t.mdb").string();
    const std::string db = (dir / "text.mdb").string();
    dir.write("one.txt", "H + O2 <=> O + OH  2.0E14 0.0 16.8\r\n");
    const CliRun text = run({"reactions", "import", db, (dir / "one.txt").string(), "--thermo",
                             thermo, "--e-units", "kcal/mol"});
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(text.out, "Stored: 1\nValid: 1\nInvalid: 0\nRefused: 0\n");
    // The REACTIONS section of a whole file, with its unit words, goes in front.
    dir.write("file.inp", "SPECIES H O2 END\nREACTIONS KJOULES/MOLE\nH+O2=O+OH 1E14 0 10\nEND\n");
    EXPECT_EQ(run({"reactions", "import", db, (dir / "file.inp").string(), "--thermo", thermo,
                   "--after", "0"})
                  .code,
              0);
    const auto stored = records(db);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_NEAR(*stored[0].e, 10000 / 4.184, 0.5);
    EXPECT_NEAR(*stored[1].e, 16800, 0.5);

    // A unit word the reader cannot convert: the refusal, and nothing stored.
    dir.write("ev.inp", "SPECIES H O2 END\nREACTIONS EVOLTS\nH+O2=O+OH 1E14 0 1\nEND\n");
    const CliRun refused =
        run({"reactions", "import", db, (dir / "ev.inp").string(), "--thermo", thermo});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("names the unit EVOLTS"), std::string::npos);
    EXPECT_EQ(importMechanism(dir, "h2o2", (dir / "ev.inp").string()).code, 1);
    EXPECT_EQ(records(db).size(), 2u);
    EXPECT_EQ(records(dir / "h2o2" / "r.mdb").size(), 28u);
}

// A made-up file in the styles of published mechanisms (see its header) imports whole.
TEST(ReactionCli, PublishedStylesImportWhole) {
    kinetra::testing::TempDir dir;
    const CliRun imported = importMechanism(
        dir, "styles", std::string(KINETRA_TEST_DATA_DIR) + "/published-styles.inp");
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(imported.out, "Species added: 9\nSpecies kept: 0\nSpecies refused: 0\n"
                            "Species skipped: 1\nReactions stored: 4\nValid: 4\nInvalid: 0\n"
                            "Refused: 1\nError listing: " +
                                (dir / "styles" / "ErrorMsg.txt").string() + "\n");
    for (const char* note :
         {"(BASE, M=N2); they have been ignored.", "The TRANSPORT section holds nothing"})
        EXPECT_NE(imported.err.find(note), std::string::npos) << note;
    const std::string listing = kinetra::testing::readFile(dir / "styles" / "ErrorMsg.txt");
    EXPECT_NE(listing.find("The stoichiometric coefficient 0.5 of 0.5H2O cannot be stored in the "
                           "reaction table; the reaction has been omitted.\r\nLine 64\r\n"),
              std::string::npos);
    EXPECT_NE(listing.find("Line 51  H2  (first at line 22)"), std::string::npos);

    // kcal/mol converted; signed coefficients, "2 OH", commas and a zero Troe T* read.
    const auto stored = records(dir / "styles" / "r.mdb");
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(std::tuple(stored[0].a, stored[0].n, stored[0].e),
              std::tuple(4.577e19, -1.4, 104400.0));
    EXPECT_EQ(stored[1].reaction, "H2O + O <=> OH + OH");
    EXPECT_EQ(stored[1].e, 12779.64);
    EXPECT_EQ(std::tuple(stored[2].type, stored[2].el, stored[2].falloff[2], stored[2].enabled),
              std::tuple(std::string("Low Troe"), 524.8, 0.0, true));

    // The isotope of ELEMENTS is defined with its weight; the first H2 record is the one read.
    const CliRun elements = run({"thermo", "elements", (dir / "styles-t.mdb").string()});
    EXPECT_NE(elements.out.find(" 3  CI      13.003"), std::string::npos) << elements.out;
    const CliRun table = run({"thermo", "export", (dir / "styles-t.mdb").string()});
    EXPECT_NE(table.out.find(" 3.33727920E+00-4.94024731E-05"), std::string::npos);
}

TEST(ReactionCli, UnitWordsAsTheFieldWritesThem) {
    using reactions::ReadingOptions;
    using A = ReadingOptions::AUnits;
    using E = ReadingOptions::EUnits;
    for (const auto& [words, a, e] : std::vector<std::tuple<std::vector<std::string>, A, E>>{
             {{"KELVIN"}, A::MolCmSec, E::Kelvin},
             {{"cal/mol", "moles"}, A::MolCmSec, E::CalPerMol},
             {{"kjoule/mol", "molecules"}, A::CmSec, E::KJPerMol},
             {{"MWOFF", "KCAL/MOLE", "BASE"}, A::MolCmSec, E::KcalPerMol}}) {
        const reactions::UnitReading units = reactions::readUnitWords(words);
        EXPECT_TRUE(units.refusal.empty()) << units.refusal;
        EXPECT_EQ(std::pair(units.aUnits, units.eUnits), std::pair(a, e)) << words[0];
    }
    EXPECT_EQ(reactions::readUnitWords({"MWON", "BASE", "M=N2"}).ignoredWords,
              (std::vector<std::string>{"BASE", "M=N2"}));
    // A misspelt unit stops the import rather than be guessed; so do two units of one kind.
    for (const auto& [word, refusal] : std::vector<std::pair<std::string, std::string>>{
             {"CALORIES", "The REACTIONS line names the unit CALORIES, which the reaction "
                          "reader cannot convert; the import has been stopped."},
             {"J/MOL", "The REACTIONS line names the unit J/MOL, which the reaction reader "
                       "cannot convert; the import has been stopped."}})
        EXPECT_EQ(reactions::readUnitWords({word}).refusal, refusal);
    EXPECT_EQ(reactions::readUnitWords({"CAL/MOLE", "KCAL/MOLE"}).refusal,
              "The REACTIONS line names two energy units, CAL/MOLE and KCAL/MOLE; the import "
              "has been stopped.");

    // The same file with lone CR line ends (old Macintosh files) reads alike.
    kinetra::testing::TempDir dir;
    std::string text =
        kinetra::testing::readFile(std::string(KINETRA_TEST_DATA_DIR) + "/published-styles.inp");
    std::erase(text, '\n');
    const CliRun cr = importMechanism(dir, "cr", dir.write("cr.inp", text).string());
    EXPECT_NE(cr.out.find("Reactions stored: 4\n"), std::string::npos) << cr.out << cr.err;
}

} // namespace
} // namespace kinetra::cli
