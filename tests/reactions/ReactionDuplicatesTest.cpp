#include "reactions/ReactionDuplicates.h"

#include "ReactionFixture.h"

#include <gtest/gtest.h>
#include <map>

namespace kinetra::reactions {
namespace {

using testing::ReactionFixture;

std::map<std::int64_t, std::vector<std::string>> groups(ReactionFixture& f) {
    std::map<std::int64_t, std::vector<std::string>> byDir;
    for (const ReactionRecord& r : f.records(" WHERE Dir > 0"))
        byDir[r.dir].push_back(r.reaction);
    return byDir;
}

TEST(ReactionDuplicates, KeysAndPairNumbering) {
    const std::vector<std::string> backward{"O", " OH", "", "H", "O2", "", "", "", ""};
    EXPECT_EQ(duplicateKey(backward, DuplicateMode::SameDirection), "O+OH=H+O2");
    EXPECT_EQ(duplicateKey(backward, DuplicateMode::ReverseMatches), "H+O2=O+OH");
    // Colliders are part of the key as written.
    EXPECT_NE(duplicateKey({"H", "O2", "M", "HO2", "M"}, DuplicateMode::SameDirection),
              duplicateKey({"H", "O2", "M$", "HO2", "M$"}, DuplicateMode::SameDirection));

    // None found: the message, and the table shows all its rows.
    ReactionFixture f;
    f.read({"H+O2<=>O+OH 1e14 0 0", "H2+O<=>H+OH 1e13 0 0"});
    f.table->showValid();
    EXPECT_FALSE(f.table->trueDuplicates());
    EXPECT_EQ(f.fake.dialogs.last().text,
              "In the reaction database gri.mdb, duplicate reactions were not found.");
    EXPECT_TRUE(f.table->isAllView());

    f.read({"O+OH<=>H+O2 2e14 0 0", "H+O2<=>OH+O 3e14 0 0"});
    store::Connection db = f.database.connection();
    EXPECT_EQ(findDuplicates(db, DuplicateMode::SameDirection), 1);
    EXPECT_EQ(groups(f).size(), 1u);
    // Three equal keys: numbered pair by pair, the middle record keeps its second number.
    EXPECT_EQ(findDuplicates(db, DuplicateMode::ReverseMatches), 2);
    std::vector<std::int64_t> dirs;
    for (const ReactionRecord& r : f.records())
        dirs.push_back(r.dir);
    EXPECT_EQ(dirs, (std::vector<std::int64_t>{1, 0, 2, 2}));
    // None is declared: every member of the group names the other two.
    const auto undeclared = undeclaredDuplicates(db);
    ASSERT_EQ(undeclared.size(), 3u);
    EXPECT_EQ(undeclared[0].num, 1);
    EXPECT_EQ(undeclared[0].otherNums, (std::vector<std::int64_t>{3, 4}));
    EXPECT_EQ(undeclaredDuplicateText(undeclared[0].otherNums),
              "Undeclared duplicate of reaction(s) 3, 4; mark each with DUPLICATE.");
}

TEST(ReactionDuplicates, GriMechIsReadWholeAndDeclaresItsDuplicates) {
    ReactionFixture f;
    f.readGri();
    const auto all = f.records();
    ASSERT_EQ(all.size(), 325u);
    int low = 0, troe = 0, duplicate = 0, oneWay = 0;
    for (const ReactionRecord& r : all) {
        EXPECT_EQ(r.info, 0) << r.reaction;
        low += r.type.find("Low") != std::string::npos;
        troe += r.type.find("Troe") != std::string::npos;
        duplicate += r.comment.starts_with("Duplicate");
        oneWay += r.type.starts_with("Irrev ") && r.reaction.find(" => ") != std::string::npos;
    }
    EXPECT_EQ(std::tuple(low, troe, duplicate, oneWay), std::tuple(29, 26, 6, 16));

    store::Connection db = f.database.connection();
    EXPECT_EQ(findDuplicates(db, DuplicateMode::ReverseMatches), 3);
    const auto found = groups(f);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found.at(1), std::vector<std::string>(2, "OH + H2O2 <=> HO2 + H2O"));
    EXPECT_EQ(found.at(3), std::vector<std::string>(2, "HO2 + HO2 <=> O2 + H2O2"));
    EXPECT_TRUE(undeclaredDuplicates(db).empty());

    // The reverse of "2OH<=>O+H2O", written without DUPLICATE.
    const auto twoOh = f.records(" WHERE Reaction = 'OH + OH <=> O + H2O'");
    ASSERT_EQ(twoOh.size(), 1u);
    f.read({"O+H2O<=>OH+OH 1E+10 0 0"});
    const auto undeclared = undeclaredDuplicates(db);
    ASSERT_EQ(undeclared.size(), 2u);
    EXPECT_EQ(undeclared[0].num, twoOh[0].num);
    EXPECT_EQ(undeclared[0].otherNums, std::vector<std::int64_t>{326});

    // The table's reason text of the new row names its partner; the command shows four groups.
    ASSERT_TRUE(f.table->trueDuplicates());
    EXPECT_EQ(f.table->rowCount(), 8u);
    f.table->showAll();
    f.table->setCurrentRow(325);
    EXPECT_EQ(f.table->currentRowReason(), undeclaredDuplicateText({twoOh[0].num}));
}

} // namespace
} // namespace kinetra::reactions
