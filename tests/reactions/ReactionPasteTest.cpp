#include "reactions/ReactionPaste.h"

#include "ReactionFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

struct PasteFixture : testing::ReactionFixture {
    RefusalMemory memory;

    ReadResult paste(const std::string& text, std::int64_t currentNum = 0,
                     std::vector<std::int64_t> selected = {}) {
        fake.clipboard.content = text;
        PasteReactionsRequest request{std::move(selected),
                                      currentNum,
                                      {},
                                      testing::kTestConstants,
                                      thermo.dir / "ErrorMsg.txt"};
        store::Connection db = database.connection();
        return pasteReactions(db, species, request, memory, fake.ui);
    }
    std::vector<std::int64_t> keys() {
        return database.connection().queryKeyed("SELECT * FROM [Reactions] ORDER BY Num;").keys;
    }
};

TEST(ReactionPaste, PlacementAndMarks) {
    PasteFixture t;
    ASSERT_EQ(t.paste("H+O2=OH+O 1 2 3\nO+H2=H+OH 1 2 3\nH+O2=XX 1 2 3\n").inserted, 3);
    EXPECT_EQ(t.records()[2].info, -1);
    const auto keys = t.keys();

    // Two rows selected (the third, then the first), pasted after row 1.
    EXPECT_EQ(t.paste("OH+H2=H+H2O 1 2 3\n2OH=O+H2O 1 2 3\n", 1, {keys[2], keys[0]}).inserted, 2);
    // Each row as equation, Num, SelT, UPaste.
    std::vector<std::tuple<std::string, std::int64_t, std::int64_t, std::int64_t>> rows;
    for (const auto& rec : t.records())
        rows.emplace_back(rec.reaction, rec.num, rec.selT, rec.upaste);
    EXPECT_EQ(rows, (decltype(rows){{"H + O2 <=> OH + O", 1, 2, 0},
                                    {"OH + H2 <=> H + H2O", 2, 3, 1},
                                    {"OH + OH <=> O + H2O", 3, 4, 1},
                                    {"O + H2 <=> H + OH", 4, 0, 0},
                                    {"H + O2 = XX", 5, 1, 0}}));

    // A clipboard without reactions stores nothing and keeps these marks for Undo Paste.
    const auto marked = t.snapshot();
    t.fake.dialogs.shown.clear();
    for (const char* text : {"", "! only a comment\nLOW/1 2 3/\n"})
        EXPECT_TRUE(t.paste(text).noData) << text;
    EXPECT_EQ(t.snapshot(), marked);
    ASSERT_EQ(t.fake.dialogs.shown.size(), 2u);
    EXPECT_EQ(t.fake.dialogs.shown[0].text, kNoReactionData);
    EXPECT_EQ(t.fake.dialogs.shown[0].title, "KINETRA, Paste Reactions"); // an empty clipboard
    EXPECT_EQ(t.fake.dialogs.shown[1].title, "KINETRA, Paste Reactions");
}

TEST(ReactionPaste, RefusalsStopCancelAndListing) {
    PasteFixture t;
    ASSERT_EQ(t.paste("H+O2=OH+O 1 2 3\n").inserted, 1);
    const auto untouched = t.snapshot();
    const std::string text = "! three reactions\n"
                             "O+H2=H+OH 1 2 3\n"
                             "H+R2=P2A+P2B    1.0    0.0 0.0\n"
                             "PLOG / 0.01 1.2124e+16  -0.5779     10872.7 /\n"
                             "A=B 1E13 0.5\n"
                             "OH+H2=H+H2O 1 2 3\n";
    const std::string plog = "H+R2=P2A+P2B  1.0  0.0 0.0\r\n"
                             "PLOG / 0.01 1.2124e+16  -0.5779     10872.7 /\r\n";

    // Cancel at the second refusal: nothing changes, not even the marks of the paste.
    t.fake.dialogs.refusalReplies = {{RefusalChoice::Continue, false},
                                     {RefusalChoice::Cancel, false}};
    EXPECT_TRUE(t.paste(text, 1, t.keys()).cancelled);
    EXPECT_EQ(t.snapshot(), untouched);
    EXPECT_FALSE(std::filesystem::exists(t.thermo.dir / "ErrorMsg.txt"));
    ASSERT_EQ(t.fake.dialogs.shown.size(), 2u);
    EXPECT_EQ(t.fake.dialogs.shown[0].block, plog);
    EXPECT_EQ(t.fake.dialogs.shown[0].title, "The reaction is not entered. Continue data input?");

    // Stop at the first refusal keeps the reaction read before it.
    t.fake.dialogs.refusalReplies = {{RefusalChoice::Stop, false}};
    const ReadResult stopped = t.paste(text);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(std::pair(stopped.inserted, stopped.refused), std::pair(1, 1));
    EXPECT_EQ(t.records()[0].reaction, "O + H2 <=> H + OH"); // pasted in front

    // Not shown again: the answer given with the tick goes on for the rest of the run.
    t.fake.dialogs.shown.clear();
    t.fake.dialogs.refusalReplies = {{RefusalChoice::Continue, true}};
    t.fake.dialogs.answers = {Answer::Yes};
    const ReadResult listed = t.paste(text);
    EXPECT_EQ(std::pair(listed.inserted, listed.refused), std::pair(2, 2));
    EXPECT_EQ(listed.openErrorFile, Answer::Yes);
    ASSERT_EQ(t.fake.dialogs.shown.size(), 2u);
    const auto& question = t.fake.dialogs.shown[1];
    EXPECT_EQ(question.text, "Errors have been found in 2 reaction(s). The error messages have "
                             "been written in file\r\n '" +
                                 (t.thermo.dir / "ErrorMsg.txt").string() +
                                 "'.\r\n\r\n Open the file?");
    EXPECT_EQ(question.title, "KINETRA, Paste Reactions");
    EXPECT_EQ(kinetra::testing::readFile(t.thermo.dir / "ErrorMsg.txt"),
              "KINETRA Reactions   Dec 6 2026  14:05:09\r\n\r\n"
              "The keyword PLOG cannot be stored in the reaction table; the reaction has been "
              "omitted.\r\nLine 3\r\n" +
                  plog +
                  "\r\n"
                  "Arrhenius coefficients are incomplete. Make sure that the number of the "
                  "coefficients is 3.\r\nLine 5\r\nA=B 1E13 0.5\r\n\r\n");
}

} // namespace
} // namespace kinetra::reactions
