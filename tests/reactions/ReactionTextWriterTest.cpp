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

TEST(ReactionTextWriter, ReactionLineColumnsAndNumbers) {
    MechanismOptions options;
    ReactionRecord r = record("O2 + H <=> OH + O", {"O2", "H", "", "OH", "O"});
    r.reference = "  Baulch 2005 ";
    std::vector<std::string> lines = reactionLines(r, options, LinesFor::Document);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "O2 + H <=> OH + O" + std::string(33, ' ') +
                            "  1.50E+13         2      1235 ! Baulch 2005");

    // An equation of 49 characters or more pushes the numbers along, two blanks after it.
    r.reaction = std::string(49, 'X');
    EXPECT_EQ(reactionLines(r, options, LinesFor::Document)[0].substr(49, 12), "    1.50E+13");

    options.position = CoefficientPosition::AfterFormula;
    options.reference = false;
    r.reaction = "O2 + H <=> OH + O";
    r.n.reset(); // an emptied cell is written as zero, so the line still reads back
    EXPECT_EQ(reactionLines(r, options, LinesFor::Document)[0],
              "O2 + H <=> OH + O    1.50E+13         0      1235");
    // The clipboard always carries the reference.
    EXPECT_EQ(reactionLines(r, options, LinesFor::Clipboard)[0],
              "O2 + H <=> OH + O    1.50E+13         0      1235 ! Baulch 2005");
}

TEST(ReactionTextWriter, EquationForms) {
    MechanismOptions options;
    ReactionRecord falloff = record("H + O2 + M$ <=> HO2 + M$", {"H", "O2", "M$", "HO2", "M$"});
    EXPECT_EQ(writtenEquation(falloff, options), "H + O2 (+M) <=> HO2 (+M)");
    ReactionRecord argon = record("H + O2 + AR$ <=> HO2 + AR$", {"H", "O2", "AR$", "HO2", "AR$"});
    EXPECT_EQ(writtenEquation(argon, options), "H + O2 (+AR) <=> HO2 (+AR)");

    ReactionRecord oneWay = record("O2 + H <=> OH + O", {"O2", "H", "", "OH", "O"});
    oneWay.type = "Irrev ";
    EXPECT_EQ(writtenEquation(oneWay, options), "O2 + H => OH + O");
    falloff.type = "Irrev Low";
    EXPECT_EQ(writtenEquation(falloff, options), "H + O2 (+M) => HO2 (+M)");

    ReactionRecord plain = record("O2 + H <=> OH + O", {"O2", "H", "", "OH", "O"});
    options.withoutAngleBrackets = true;
    EXPECT_EQ(writtenEquation(plain, options), "O2 + H = OH + O");
    // "=" would make a one-way reaction reversible, so its arrow keeps the bracket.
    EXPECT_EQ(writtenEquation(oneWay, options), "O2 + H => OH + O");
    options.withoutAngleBrackets = false;
    options.withoutBlanks = true;
    EXPECT_EQ(writtenEquation(plain, options), "O2+H<=>OH+O");
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
    r.efficiencies = {14, std::nullopt, 2};
    r.comment = " dup second channel ";
    const std::vector<std::string> expected{
        "H + O2 (+M) <=> HO2 (+M)    1.50E+13         2      1235",
        "    LOW / 6.37E+20     -1.72       525 /",
        "    TROE / 0.8    1.E-30    1.E+30           /",
        "    H2O/14/ H2/2/ ",
        "    DUPLICATE",
    };
    EXPECT_EQ(reactionLines(r, options, LinesFor::Document), expected);
    std::vector<std::string> withComment = expected;
    withComment.push_back("! second channel");
    EXPECT_EQ(reactionLines(r, options, LinesFor::Clipboard), withComment);
    r.comment = "Duplicate"; // nothing remains after the duplicate mark
    EXPECT_EQ(reactionLines(r, options, LinesFor::Clipboard), expected);

    // Third bodies without an efficiency give no line; SRI writes Te when it is there.
    ReactionRecord s = record("A + B + AR$ <=> C + AR$", {"A", "B", "AR$", "C", "AR$"});
    s.type = "Irrev Low SRI";
    s.al = 1e13;
    s.falloff = {0.45, 797, 979, 1, 0};
    s.comment = "Fitted";
    options.comments = true;
    EXPECT_EQ(reactionLines(s, options, LinesFor::Document),
              (std::vector<std::string>{"A + B (+AR) => C (+AR)    1.50E+13         2      1235",
                                        "    LOW / 1.00E+13         0         0 /",
                                        "    SRI / 0.45       797       979         1         0 /",
                                        "! Fitted"}));

    ReactionRecord rev = record("H2 + M <=> H + H + M", {"H2", "M", "", "H", "H", "M"});
    rev.type = "Rev";
    rev.al = 2e18;
    rev.nl = -1;
    rev.el = 100;
    rev.thirdBodies[0] = "AR";
    EXPECT_EQ(reactionLines(rev, options, LinesFor::Document),
              (std::vector<std::string>{"H2 + M <=> H + H + M    1.50E+13         2      1235",
                                        "    REV / 2.00E+18        -1       100 /"}));
}

TEST(ReactionTextWriter, MarkStatementOfTheView) {
    EXPECT_EQ(redMarkStatement(" * FROM [Reactions] WHERE Tmp = 1 ORDER BY Num;"),
              "UPDATE [Reactions] SET Red = 1 WHERE (TMP = 1) and Info = 0;");
    EXPECT_EQ(redMarkStatement(" * FROM [Reactions] ORDER BY Num;"),
              "UPDATE [Reactions] SET Red = 1 WHERE Info = 0;");
    EXPECT_EQ(redMarkStatement(" * from [Reactions] where Reference = 'Order where';"),
              "UPDATE [Reactions] SET Red = 1 WHERE (REFERENCE = 'Order where') and Info = 0;");
}

struct Selection : thermo::testing::ThermoFixture {
    store::Connection reactions = [this] {
        store::createReactionTemplate(dir / "r.mdb");
        return store::Connection::open(dir / "r.mdb");
    }();

    void add(std::int64_t num, std::int64_t tmp, std::int64_t info, ReactionRecord r) {
        r.num = num;
        r.tmp = tmp;
        r.info = info;
        const std::vector<std::vector<store::Value>> rows{rowFromReaction(r)};
        reactions.insertRows("Reactions", rows);
    }
};

TEST(ReactionTextWriter, OutputSelectionAndDocument) {
    Selection f;
    ASSERT_EQ(f.paste(thermo::testing::kFourSpecies).inserted, 4);
    ReactionRecord collider = record("H2 + M <=> H + H + M", {"H2", "M", "", "H", "H", "M"});
    collider.thirdBodies = {"O2"};
    collider.efficiencies = {0.4};
    f.add(1, 1, 0, collider);
    f.add(2, 2, -1, record("N2 <=> N + N", {"N2", "", "", "N", "N"}));
    f.add(3, 0, 0, record("H2O <=> OH + H", {"H2O", "", "", "OH", "H"}));

    store::Connection thermo = f.database.open();
    // The view's OR must not let the invalid record in.
    EXPECT_EQ(markOutputSelection(f.reactions, thermo,
                                  " * FROM [Reactions] WHERE Tmp = 1 OR Tmp = 2 ORDER BY Num;"),
              1);
    std::vector<std::int64_t> red;
    for (const auto& row : f.reactions.query("SELECT * FROM [Reactions] ORDER BY Num;").rows)
        red.push_back(reactionFromRow(row).red);
    EXPECT_EQ(red, (std::vector<std::int64_t>{1, 0, 0}));
    std::vector<std::string> marked;
    for (const auto& row : thermo.query("SELECT * FROM [Trm] WHERE TDB = 1 ORDER BY Species;").rows)
        marked.push_back(store::toText(row.field("Species")));
    EXPECT_EQ(marked, (std::vector<std::string>{"H2", "O2"}));

    MechanismOptions options;
    const MechanismHeader header{{2026, 12, 6, 14, 5, 9}, "r.mdb", "gas.mdb"};
    MechanismDocument doc =
        writeMechanismDocument(f.reactions, thermo, f.database.elements(), header, options);
    EXPECT_EQ(doc.reactions, 1);
    EXPECT_EQ(doc.species, 2);
    EXPECT_NE(doc.text.find("!Reaction DataBase: r.mdb\r\n"), std::string::npos);
    EXPECT_NE(doc.text.find("SPECIES\r\nH2  O2\r\nEND\r\nTHERMO\r\nH2 "), std::string::npos);
    const std::string section = "END\r\n! \r\n!Reactions 1;  A-units (mol-cm-sec)  E-units "
                                "(cal/mol)\r\nREACTIONS     MOLES         CAL/MOLE\r\n" +
                                reactionLines(collider, options, LinesFor::Document)[0] +
                                "\r\n    O2/0.4/ \r\nEND\r\n";
    EXPECT_TRUE(doc.text.ends_with(section)) << doc.text;

    options.thermoSection = false;
    doc = writeMechanismDocument(f.reactions, thermo, f.database.elements(), header, options);
    EXPECT_EQ(doc.text.find("THERMO\r\n"), std::string::npos);
    EXPECT_TRUE(doc.text.ends_with(section));

    EXPECT_TRUE(saveMechanismText(f.dir / "TmpPlot.txt", doc.text, f.fake.dialogs));
    EXPECT_EQ(kinetra::testing::readFile(f.dir / "TmpPlot.txt"), doc.text);
    EXPECT_FALSE(saveMechanismText(f.dir / "missing" / "TmpPlot.txt", doc.text, f.fake.dialogs));
    EXPECT_EQ(f.fake.dialogs.last().text, "The Path/File name is wrong.");
    EXPECT_EQ(f.fake.dialogs.last().title, "KINETRA");
}

} // namespace
} // namespace kinetra::reactions
