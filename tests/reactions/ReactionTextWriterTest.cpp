#include "reactions/ReactionTextWriter.h"

#include "support/TempDir.h"
#include "thermo/ThermoFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

ReactionRecord record(std::string reaction, std::array<std::string, rx::kSlotCount> species) {
    ReactionRecord r;
    r.reaction = std::move(reaction);
    r.species = std::move(species);
    r.a = 1.5e13;
    r.n = 2;
    r.e = 1234.6;
    return r;
}

TEST(ReactionTextWriter, ReactionLineAndEquationForms) {
    MechanismOptions options;
    ReactionRecord r = record("O2 + H <=> OH + O", {"O2", "H", "", "OH", "O"});
    r.reference = "  Baulch 2005 ";
    EXPECT_EQ(reactionLines(r, options, LinesFor::Document),
              std::vector<std::string>{"O2 + H <=> OH + O" + std::string(33, ' ') +
                                       "  1.50E+13         2    1234.6 ! Baulch 2005"});
    // An equation of 49 characters or more pushes the numbers along, two blanks after it.
    ReactionRecord longer = r;
    longer.reaction = std::string(49, 'X');
    EXPECT_EQ(reactionLines(longer, options, LinesFor::Document)[0].substr(49, 12), "    1.50E+13");

    options.position = CoefficientPosition::AfterFormula;
    options.reference = false;
    r.n.reset(); // an emptied cell is written as zero, so the line still reads back
    EXPECT_EQ(reactionLines(r, options, LinesFor::Document)[0],
              "O2 + H <=> OH + O    1.50E+13         0    1234.6");
    // The clipboard always carries the reference.
    EXPECT_EQ(reactionLines(r, options, LinesFor::Clipboard)[0],
              "O2 + H <=> OH + O    1.50E+13         0    1234.6 ! Baulch 2005");

    ReactionRecord oneWay = r;
    oneWay.type = "Irrev ";
    options.withoutAngleBrackets = true;
    EXPECT_EQ(writtenEquation(r, options), "O2 + H = OH + O");
    // "=" would make a one-way reaction reversible, so its arrow keeps the bracket.
    EXPECT_EQ(writtenEquation(oneWay, options), "O2 + H => OH + O");
    options.withoutAngleBrackets = false;
    options.withoutBlanks = true;
    EXPECT_EQ(writtenEquation(r, options), "O2+H<=>OH+O");
}

TEST(ReactionTextWriter, AuxiliaryLines) {
    MechanismOptions options;
    options.position = CoefficientPosition::AfterFormula;
    ReactionRecord r = record("H + O2 + M$ <=> HO2 + M$", {"H", "O2", "M$", "HO2", "M$"});
    r.type = "Low Troe";
    r.al = 6.37e20;
    r.nl = -1.72;
    r.el = 524.8;
    r.falloff = {0.8, 1e-30, 1e30, std::nullopt, std::nullopt};
    r.thirdBodies = {"H2O", "AR", "H2"};
    r.efficiencies = {14, std::nullopt, 0.625}; // all its digits, not 0.63
    r.comment = " dup second channel ";
    const std::vector<std::string> expected{
        "H + O2 (+M) <=> HO2 (+M)    1.50E+13         2    1234.6",
        "    LOW / 6.37E+20     -1.72     524.8 /",
        "    TROE / 0.8    1.E-30    1.E+30           /",
        "    H2O/14/ H2/0.625/ ",
        "    DUPLICATE",
    };
    EXPECT_EQ(reactionLines(r, options, LinesFor::Document), expected);
    EXPECT_EQ(reactionLines(r, options, LinesFor::Clipboard).back(), "! second channel");

    // A one-way SRI fall-off with a named collider; SRI writes Te when it is there.
    ReactionRecord s = record("A + B + AR$ <=> C + AR$", {"A", "B", "AR$", "C", "AR$"});
    s.type = "Irrev Low SRI";
    s.al = 1e13;
    s.falloff = {0.45, 797, 979, 1, 0};
    s.comment = "Fitted";
    options.comments = true;
    EXPECT_EQ(reactionLines(s, options, LinesFor::Document),
              (std::vector<std::string>{"A + B (+AR) => C (+AR)    1.50E+13         2    1234.6",
                                        "    LOW / 1.00E+13         0         0 /",
                                        "    SRI / 0.45       797       979         1         0 /",
                                        "! Fitted"}));

    // Third bodies without an efficiency give no line.
    ReactionRecord rev = record("H2 + M <=> H + H + M", {"H2", "M", "", "H", "H", "M"});
    rev.type = "Rev";
    rev.al = 2e18;
    rev.nl = -1;
    rev.el = 100;
    rev.thirdBodies[0] = "AR";
    EXPECT_EQ(reactionLines(rev, options, LinesFor::Document),
              (std::vector<std::string>{"H2 + M <=> H + H + M    1.50E+13         2    1234.6",
                                        "    REV / 2.00E+18        -1       100 /"}));
}

TEST(ReactionTextWriter, OutputSelectionAndDocument) {
    thermo::testing::ThermoFixture f;
    ASSERT_EQ(f.paste(thermo::testing::kFourSpecies).inserted, 4);
    store::createReactionTemplate(f.dir / "r.mdb");
    store::Connection reactions = store::Connection::open(f.dir / "r.mdb");
    ReactionRecord collider = record("H2 + M <=> H + H + M", {"H2", "M", "", "H", "H", "M"});
    collider.thirdBodies = {"O2"};
    collider.efficiencies = {0.4};
    collider.tmp = 1;
    ReactionRecord invalid = record("N2 <=> N + N", {"N2", "", "", "N", "N"});
    invalid.tmp = 1;
    invalid.info = -1;
    const ReactionRecord hidden = record("H2O <=> OH + H", {"H2O", "", "", "OH", "H"});
    const std::vector<std::vector<store::Value>> rows{
        rowFromReaction(collider), rowFromReaction(invalid), rowFromReaction(hidden)};
    reactions.insertRows("Reactions", rows);

    store::Connection thermo = f.database.connection();
    // The filtered view holds an invalid record too; the document does not.
    EXPECT_EQ(markOutputSelection(reactions, thermo, ReactionView::Filtered), 1);
    EXPECT_EQ(reactions.query("SELECT * FROM [Reactions] WHERE Red = 1;").rows.size(), 1u);
    EXPECT_EQ(thermo.query("SELECT * FROM [Trm] WHERE TDB = 1;").rows.size(), 2u); // H2, O2

    MechanismOptions options;
    const MechanismHeader header{{2026, 12, 6, 14, 5, 9}, "r.mdb", "gas.mdb"};
    const MechanismDocument doc =
        writeMechanismDocument(reactions, thermo, f.database.elements(), header, options);
    EXPECT_EQ(std::pair(doc.reactions, doc.species), std::pair(1, 2));
    EXPECT_NE(doc.text.find("SPECIES\r\nH2  O2\r\nEND\r\nTHERMO\r\nH2 "), std::string::npos);
    const std::string section = "END\r\n! \r\n!Reactions 1;  A-units (mol-cm-sec)  E-units "
                                "(cal/mol)\r\nREACTIONS     MOLES         CAL/MOLE\r\n" +
                                reactionLines(collider, options, LinesFor::Document)[0] +
                                "\r\n    O2/0.4/ \r\nEND\r\n";
    EXPECT_TRUE(doc.text.ends_with(section)) << doc.text;

    EXPECT_FALSE(saveMechanismText(f.dir / "missing" / "TmpPlot.txt", doc.text, f.fake.dialogs));
    EXPECT_EQ(f.fake.dialogs.last().text, "The Path/File name is wrong.");
}

} // namespace
} // namespace kinetra::reactions
