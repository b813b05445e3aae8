#include "reactions/ReactionRecord.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

// Every field survives the trip into the table and back, the ones no operation sets included.
TEST(ReactionRecord, RoundTripThroughTheTable) {
    kinetra::testing::TempDir dir;
    store::createReactionTemplate(dir / "r.mdb");
    ReactionRecord r;
    r.num = 7;
    r.enabled = true;
    r.reaction = "H + O2 + M$ <=> HO2 + M$";
    r.species = {"H", "O2", "M$", "HO2", "M$"};
    r.a = 4.65e12;
    r.n = 0.44;
    r.e = 0;
    r.type = "Irrev Low Troe";
    r.al = 6.37e20;
    r.nl = -1.72;
    r.el = 524.8;
    r.falloff = {0.5, 1e-30, 1e30, std::nullopt, std::nullopt};
    r.thirdBodies[0] = "H2O";
    r.efficiencies[0] = 14;
    r.reference = "Troe 2000";
    r.comment = "Duplicate ";
    r.selT = 3;
    r.upaste = 1;
    r.untouched[4] = 300.0; // Tmin
    store::Connection db = store::Connection::open(dir / "r.mdb");
    const std::vector<std::vector<store::Value>> rows{rowFromReaction(r)};
    db.insertRows("Reactions", rows);
    const ReactionRecord back = reactionFromRow(db.query("SELECT * FROM [Reactions];").rows.at(0));
    EXPECT_EQ(rowFromReaction(back), rowFromReaction(r));
    EXPECT_EQ(store::toInteger(db.query("SELECT * FROM [Reactions];").rows[0].field("Enabled")),
              -1);
}

} // namespace
} // namespace kinetra::reactions
