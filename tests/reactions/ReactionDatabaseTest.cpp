#include "reactions/ReactionDatabase.h"

#include "reactions/ReactionRecord.h"
#include "thermo/ThermoFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

namespace fs = std::filesystem;
using thermo::testing::kFourSpecies;
using thermo::testing::ThermoFixture;

struct ReactionFixture : ThermoFixture {
    ReactionFiles files{dir / "EmptyReac.mdb", dir / "TMP_KINETRARDB.mdb"};
    ReactionFixture() {
        store::createReactionTemplate(files.emptyTemplate);
        paste(kFourSpecies);
    }
    ThermoSpeciesList species() {
        store::Connection db = database.open();
        return ThermoSpeciesList::load(db);
    }
    // Adds reactions by their slots, as a reading would.
    void add(const fs::path& path, std::vector<std::array<std::string, 9>> slots) {
        std::vector<std::vector<store::Value>> rows;
        for (const auto& s : slots) {
            ReactionRecord r;
            r.num = static_cast<std::int64_t>(rows.size() + 1);
            r.species = s;
            r.a = 1e13;
            r.n = 0;
            r.e = 0;
            rows.push_back(rowFromReaction(r));
        }
        store::Connection::open(path).insertRows("Reactions", rows);
    }
    std::vector<std::vector<store::Value>> records(const fs::path& path) {
        std::vector<std::vector<store::Value>> out;
        store::Connection db = store::Connection::open(path);
        for (auto& row : db.query("SELECT * FROM [Reactions] ORDER BY Num;").rows)
            out.push_back(row.values());
        return out;
    }
};

TEST(ReactionDatabase, OpeningRefusals) {
    ReactionFixture f;
    const fs::path locked = f.dir / "locked.mdb";
    fs::copy_file(f.files.emptyTemplate, locked);
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(openRefusal(f.dir / "~gas.mdb"),
              "The specified Path/File name cannot be accessed or is invalid.");
    EXPECT_EQ(openRefusal(f.dir / "emptyreac.MDB"),
              "The specified Path/File name cannot be accessed or is invalid.");
    EXPECT_EQ(openRefusal(locked), "File locked.mdb is read-only, remove this attribute.");
    EXPECT_EQ(openRefusal(f.dir / "mech.mdb"), std::nullopt);

    // No valid species: the message, and the thermo window is shown for the user to fill.
    ThermoFixture empty;
    bool shown = false;
    EXPECT_FALSE(openThermoSpecies(empty.database, empty.fake.dialogs, [&] { shown = true; }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(empty.fake.dialogs.last().text,
              "The reaction database cannot be processed because the THERMO table is empty or "
              "all species are invalid.  Enter valid species to continue. \r\n");

    // A file without the reaction table.
    ReactionDatabase notReactions(f.dir / "gas.mdb", f.files);
    EXPECT_THROW(notReactions.open(f.species()), store::StoreError);
}

TEST(ReactionDatabase, OpenChecksEveryRecordAndKeepsASavedCopy) {
    ReactionFixture f;
    const fs::path path = f.dir / "mech.mdb";
    ReactionDatabase db(path, f.files);
    db.createFromTemplate();
    f.add(path, {{"H2", "O2", "", "H2O", "O2"}, {"H2", "O2", "", "H2O", "H2O"}});
    db.open(f.species());
    EXPECT_TRUE(fs::exists(f.dir / "~mech.mdb"));
    const auto rows = f.records(path);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(store::toInteger(rows[0][rx::kTmp]), 1);
    EXPECT_EQ(store::toInteger(rows[1][rx::kTmp]), 1);
    // Neither balances (H2 + O2 = H2O + O2 has an O too many on the right).
    EXPECT_EQ(store::toInteger(rows[0][rx::kInfo]), -1);
    EXPECT_EQ(store::toInteger(rows[1][rx::kInfo]), -1);

    // Save, edit, Replace: the records of the Save come back.
    db.save();
    const auto saved = f.records(path);
    f.add(path, {{"H2", "", "", "H2"}});
    f.fake.dialogs.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(db.replaceWithSavedCopy(f.fake.dialogs));
    EXPECT_EQ(f.records(path).size(), 3u);
    EXPECT_TRUE(db.replaceWithSavedCopy(f.fake.dialogs));
    EXPECT_EQ(f.records(path), saved);
}

TEST(ReactionDatabase, ClosePromptRebuildAndTheStartupCopy) {
    ReactionFixture f;
    const fs::path path = f.dir / "mech.mdb";
    ReactionDatabase db(path, f.files);
    db.createFromTemplate();
    db.open(f.species());
    f.add(path, {{"H2", "", "", "H2"}});
    db.setModified();
    f.fake.dialogs.answers = {Answer::Cancel, Answer::No};
    EXPECT_EQ(db.close(f.fake.dialogs), ReactionCloseOutcome::Cancelled);
    EXPECT_EQ(db.close(f.fake.dialogs), ReactionCloseOutcome::Closed);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Do you want to save changes to mech.mdb?");
    EXPECT_TRUE(f.records(path).empty());
    EXPECT_FALSE(fs::exists(f.dir / "~mech.mdb"));

    runStartupCopy(f.files, ThermoSpeciesList{});
    EXPECT_FALSE(fs::exists(f.files.startupCopy));
}

} // namespace
} // namespace kinetra::reactions
