// A reaction written with the one-way arrow "=>" stays one-way through every later step: the
// check of the whole database, copy and paste, and the written mechanism.
#include "ReactionFixture.h"
#include "reactions/ReactionCheck.h"
#include "reactions/ReactionTextWriter.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

using testing::ReactionFixture;

TEST(OneWayReaction, FalloffKeepsItsPrefixThroughCheckAllCopyAndPaste) {
    ReactionFixture f;
    f.read({"H+O2(+M)=>HO2(+M)   4.65E12  0.44  0.0", "LOW / 6.366E20 -1.72 524.8 /",
            "TROE / 0.5 1E-30 1E30 /", "H2/2.0/ H2O/14.0/", "O+OH<=>O2+H   2.0E14  0.  16800."});
    auto type = [&](int num) {
        return f.records(" WHERE Num = " + std::to_string(num)).at(0).type;
    };
    ASSERT_EQ(type(1), "Irrev Low Troe");
    EXPECT_EQ(type(2), "");

    {
        store::Connection db = f.database.connect();
        checkAllReactions(db, f.species);
    }
    const ReactionRecord oneWay = f.records(" WHERE Num = 1").at(0);
    EXPECT_EQ(oneWay.type, "Irrev Low Troe");
    EXPECT_EQ(oneWay.reaction, "H + O2 + M$ => HO2 + M$");
    EXPECT_EQ(oneWay.info, 0);

    // Copy the one-way row and paste it after the last row.
    f.table->setSelection({0});
    ASSERT_TRUE(f.table->copy());
    EXPECT_NE(f.fake.clipboard.content.find("H + O2 (+M) => HO2 (+M)"), std::string::npos);
    f.table->setCurrentRow(1);
    ASSERT_EQ(f.table->paste().inserted, 1);
    const ReactionRecord pasted = f.records(" WHERE Num = 3").at(0);
    EXPECT_EQ(pasted.type, "Irrev Low Troe");
    EXPECT_EQ(pasted.reaction, oneWay.reaction);
    EXPECT_EQ(pasted.al, oneWay.al);
}

TEST(OneWayReaction, ArrowsReadAsWrittenAndAOneWayReverseIsRefused) {
    ReactionFixture f;
    const ReadResult result =
        f.read({"O+OH=O2+H  2.0E14  0.  16800.", "O+OH<=>O2+H  2.0E14  0.  16800.",
                "O+OH=>O2+H  2.0E14  0.  16800.", "O+H2=>H+OH  3.87E4  2.7  6260.",
                "REV / 1.0E4 2.6 4400. /"});
    EXPECT_EQ(result.inserted, 3);
    EXPECT_EQ(result.refused, 1);
    const auto stored = f.records();
    EXPECT_EQ(stored[0].reaction, "O + OH <=> O2 + H");
    EXPECT_EQ(stored[1].reaction, "O + OH <=> O2 + H");
    EXPECT_EQ(stored[2].reaction, "O + OH => O2 + H");
    const GatheredText refused =
        gatherReactionBlocks({"O+H2=>H+OH  3.87E4  2.7  6260.", "REV / 1.0E4 2.6 4400. /"});
    EXPECT_EQ(readReactionBlock(refused.blocks.at(0), {}, testing::kTestConstants).reason,
              "The reaction is written one-way ('=>') but has a REV line with reverse "
              "parameters; write '<=>' or remove the REV line.");
}

} // namespace
} // namespace kinetra::reactions
