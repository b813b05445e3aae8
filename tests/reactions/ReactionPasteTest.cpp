#include "reactions/ReactionPaste.h"

#include "ReactionFixture.h"
#include "common/TextUtil.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

using kinetra::testing::FakeUi;
using kinetra::testing::TempDir;

const UnitConstants kConstants{6.0221367e23, 1.98717, 8.31451};

const ThermoSpeciesList& gri() {
    static const ThermoSpeciesList list = [] {
        thermo::testing::ThermoFixture f;
        thermo::ReadOptions options;
        const std::string text = thermo::unframeThermoFile(
            thermo::testing::sharedDataFile("gri30/gri30_thermo.dat"), options);
        f.paste(text, 0, options);
        store::Connection db = f.database.open();
        return ThermoSpeciesList::load(db);
    }();
    return list;
}

using kinetra::reactions::testing::griReactionLines;

struct ReactionTable {
    TempDir dir;
    FakeUi fake;
    RefusalMemory memory;
    store::Connection db = [this] {
        store::createReactionTemplate(dir / "r.mdb");
        return store::Connection::open(dir / "r.mdb");
    }();

    ReadResult paste(const std::string& text, std::int64_t currentNum = 0,
                     std::vector<std::int64_t> selected = {}) {
        fake.clipboard.content = text;
        PasteReactionsRequest request{
            std::move(selected), currentNum, {}, kConstants, dir / "ErrorMsg.txt"};
        return pasteReactions(db, gri(), request, memory, fake.ui);
    }
    std::vector<ReactionRecord> records() {
        std::vector<ReactionRecord> out;
        for (const auto& row : db.query("SELECT * FROM [Reactions] ORDER BY Num;").rows)
            out.push_back(reactionFromRow(row));
        return out;
    }
    // Every field and store key, to tell "untouched" from "rewritten alike".
    std::pair<std::vector<std::int64_t>, std::vector<std::vector<store::Value>>> snapshot() {
        store::RowSet set = db.queryKeyed("SELECT * FROM [Reactions] ORDER BY Num;");
        std::vector<std::vector<store::Value>> values;
        for (const auto& row : set.rows)
            values.push_back(row.values());
        return {set.keys, values};
    }
};

TEST(ReactionPaste, GriMechMechanismIsReadWhole) {
    ReactionTable t;
    const std::vector<std::string> lines = griReactionLines();
    int oneWayLines = 0;
    for (const std::string& line : lines)
        if (line.find("=>") != std::string::npos && line.find('<') == std::string::npos)
            ++oneWayLines;
    ASSERT_EQ(oneWayLines, 16);

    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    const ReadResult result = t.paste(text);
    EXPECT_EQ(result.inserted, 325);
    EXPECT_EQ(result.invalid, 0);
    EXPECT_EQ(result.refused, 0);
    EXPECT_TRUE(t.fake.dialogs.shown.empty());
    ASSERT_FALSE(t.fake.progress.texts.empty());
    EXPECT_EQ(t.fake.progress.texts.front().rfind("Pasting reactions (", 0), 0u);

    const auto records = t.records();
    ASSERT_EQ(records.size(), 325u);
    int low = 0, troe = 0, duplicate = 0, irreversible = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ReactionRecord& r = records[i];
        EXPECT_TRUE(r.enabled) << r.reaction;
        EXPECT_EQ(r.info, 0);
        EXPECT_EQ(r.num, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(r.selT, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(r.upaste, 1);
        low += r.type.find("Low") != std::string::npos;
        troe += r.type.find("Troe") != std::string::npos;
        duplicate += r.comment.rfind("Duplicate", 0) == 0;
        if (r.type.rfind("Irrev ", 0) == 0) {
            ++irreversible;
            EXPECT_NE(r.reaction.find(" => "), std::string::npos) << r.reaction;
        }
    }
    EXPECT_EQ(low, 29);
    EXPECT_EQ(troe, 26);
    EXPECT_EQ(duplicate, 6);
    EXPECT_EQ(irreversible, oneWayLines);
}

// A mechanism of 16,000 reactions goes in in one reading, with the progress of a large table.
// (Its speed is measured by bench/reaction_import_bench.)
TEST(ReactionPaste, LargeMechanismInOneGo) {
    ReactionTable t;
    const std::vector<std::string> griLines = griReactionLines();
    ReadRequest request;
    for (int copy = 0; copy < 50; ++copy)
        request.lines.insert(request.lines.end(), griLines.begin(), griLines.end());
    request.constants = kConstants;
    const ReadResult result = readReactionText(t.db, gri(), request, t.memory, t.fake.ui);
    EXPECT_EQ(result.inserted, 16250);
    EXPECT_EQ(t.fake.progress.texts.back(), "Preparing reactions...");
}

TEST(ReactionPaste, PlacementAndMarks) {
    ReactionTable t;
    ASSERT_EQ(t.paste("H+O2=OH+O 1 2 3\nO+H2=H+OH 1 2 3\nH+O2=XX 1 2 3\n").inserted, 3);
    auto before = t.records();
    EXPECT_FALSE(before[2].enabled);
    EXPECT_EQ(before[2].info, -1);
    const auto keys = t.db.queryKeyed("SELECT * FROM [Reactions] ORDER BY Num;").keys;

    // Two rows selected (the third, then the first), pasted after row 1.
    const ReadResult r = t.paste("OH+H2=H+H2O 1 2 3\n2OH=O+H2O 1 2 3\n", 1, {keys[2], keys[0]});
    EXPECT_EQ(r.inserted, 2);
    const auto after = t.records();
    ASSERT_EQ(after.size(), 5u);
    std::vector<std::string> equations, selT, upaste;
    for (const auto& rec : after) {
        equations.push_back(rec.reaction);
        selT.push_back(std::to_string(rec.selT));
        upaste.push_back(std::to_string(rec.upaste));
        EXPECT_EQ(rec.num, static_cast<std::int64_t>(equations.size()));
    }
    EXPECT_EQ(equations, (std::vector<std::string>{"H + O2 <=> OH + O", "OH + H2 <=> H + H2O",
                                                   "OH + OH <=> O + H2O", "O + H2 <=> H + OH",
                                                   "H + O2 = XX"}));
    EXPECT_EQ(selT, (std::vector<std::string>{"2", "3", "4", "0", "1"}));
    EXPECT_EQ(upaste, (std::vector<std::string>{"0", "1", "1", "0", "0"}));
}

TEST(ReactionPaste, RefusalsStopCancelAndListing) {
    ReactionTable t;
    ASSERT_EQ(t.paste("H+O2=OH+O 1 2 3\n").inserted, 1);
    const auto keys = t.db.queryKeyed("SELECT * FROM [Reactions];").keys;
    const auto untouched = t.snapshot();
    const std::string text = "! three reactions\n"
                             "O+H2=H+OH 1 2 3\n"
                             "H+R2=P2A+P2B    1.0    0.0 0.0\n"
                             "PLOG / 0.01 1.2124e+16  -0.5779     10872.7 /\n"
                             "A=B 1E13 +0.5 100\n"
                             "OH+H2=H+H2O 1 2 3\n";

    // Cancel at the second refusal: nothing changes, not even the marks of the paste.
    t.fake.dialogs.refusalReplies = {{RefusalChoice::Continue, false},
                                     {RefusalChoice::Cancel, false}};
    const ReadResult cancelled = t.paste(text, 1, {keys[0]});
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(t.snapshot(), untouched);
    EXPECT_FALSE(std::filesystem::exists(t.dir / "ErrorMsg.txt"));
    ASSERT_EQ(t.fake.dialogs.shown.size(), 2u);
    EXPECT_EQ(t.fake.dialogs.shown[0].text,
              "The keyword PLOG cannot be stored in the reaction table; the reaction has been "
              "omitted.");
    EXPECT_EQ(t.fake.dialogs.shown[0].block,
              "H+R2=P2A+P2B  1.0  0.0 0.0\r\nPLOG / 0.01 1.2124e+16  -0.5779     10872.7 /\r\n");
    EXPECT_EQ(t.fake.dialogs.shown[0].title, "The reaction is not entered. Continue data input?");

    // Stop at the first refusal keeps the reaction read before it.
    t.fake.dialogs.shown.clear();
    t.fake.dialogs.refusalReplies = {{RefusalChoice::Stop, false}};
    const ReadResult stopped = t.paste(text);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.inserted, 1);
    EXPECT_EQ(stopped.refused, 1);
    EXPECT_EQ(t.records().size(), 2u);
    EXPECT_EQ(t.records()[0].reaction, "O + H2 <=> H + OH");

    // Not shown again: the answer given with the tick goes on for the rest of the run.
    t.fake.dialogs.shown.clear();
    t.fake.dialogs.refusalReplies = {{RefusalChoice::Continue, true}};
    t.fake.dialogs.answers = {Answer::Yes};
    const ReadResult listed = t.paste(text);
    EXPECT_EQ(listed.inserted, 2);
    EXPECT_EQ(listed.refused, 2);
    EXPECT_TRUE(t.memory.doNotShowAgain);
    EXPECT_EQ(listed.openErrorFile, Answer::Yes);
    ASSERT_EQ(t.fake.dialogs.shown.size(), 2u);
    const auto& question = t.fake.dialogs.shown[1];
    EXPECT_EQ(question.text, "Errors have been found in 2 reaction(s). The error messages have "
                             "been written in file\r\n '" +
                                 (t.dir / "ErrorMsg.txt").string() + "'.\r\n\r\n Open the file?");
    EXPECT_EQ(question.title, "KINETRA, Paste Reactions");
    EXPECT_EQ(question.icon, Icon::Information);
    EXPECT_EQ(kinetra::testing::readFile(t.dir / "ErrorMsg.txt"),
              "KINETRA Reactions   Dec 6 2026  14:05:09\r\n\r\n"
              "The keyword PLOG cannot be stored in the reaction table; the reaction has been "
              "omitted.\r\nLine 3\r\n"
              "H+R2=P2A+P2B  1.0  0.0 0.0\r\nPLOG / 0.01 1.2124e+16  -0.5779     10872.7 /\r\n"
              "\r\n"
              "Arrenious coefficients are incomplete. Make sure taht the number of the "
              "coefficients is 3.\r\nLine 5\r\nA=B 1E13 +0.5 100\r\n\r\n");
}

TEST(ReactionPaste, ClipboardWithoutReactions) {
    ReactionTable t;
    const auto untouched = t.snapshot();
    for (const char* text : {"", " x ", "! only a comment\nLOW/1 2 3/\n"})
        EXPECT_TRUE(t.paste(text).noData) << text;
    ASSERT_EQ(t.fake.dialogs.shown.size(), 3u);
    EXPECT_EQ(t.fake.dialogs.shown[0].text, kNoReactionData);
    EXPECT_EQ(t.fake.dialogs.shown[0].title, "KINETRA, Paste Recations");
    EXPECT_EQ(t.fake.dialogs.shown[2].title, "KINETRA, Paste Reactions");
    EXPECT_EQ(t.snapshot(), untouched);
}

} // namespace
} // namespace kinetra::reactions
