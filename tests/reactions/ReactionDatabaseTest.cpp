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
    fs::path path = dir / "mech.mdb";
    ReactionDatabase db{path, files};
    ReactionFixture() {
        store::createReactionTemplate(files.emptyTemplate);
        paste(kFourSpecies);
        db.createFromTemplate();
    }
    ThermoSpeciesList species() {
        store::Connection thermo = database.connection();
        return ThermoSpeciesList::load(thermo);
    }
    // Adds reactions by their slots, as a reading would.
    void add(std::vector<std::array<std::string, 9>> slots) {
        std::vector<std::vector<store::Value>> rows;
        for (const auto& s : slots) {
            ReactionRecord r;
            r.num = static_cast<std::int64_t>(rows.size() + 1);
            r.species = s;
            rows.push_back(rowFromReaction(r));
        }
        store::Connection::open(path).insertRows("Reactions", rows);
    }
    std::vector<std::vector<store::Value>> records() {
        std::vector<std::vector<store::Value>> out;
        for (auto& row :
             store::Connection::open(path).query("SELECT * FROM [Reactions] ORDER BY Num;").rows)
            out.push_back(row.values());
        return out;
    }
};

// Every field survives the trip into the table and back, the ones no operation sets included.
TEST(ReactionRecord, RoundTripThroughTheTable) {
    ReactionFixture f;
    ReactionRecord r;
    r.enabled = true;
    r.species = {"H", "O2", "M$", "HO2", "M$"};
    r.a = 4.65e12;
    r.e = 0;
    r.type = "Irrev Low Troe";
    r.falloff = {0.5, 1e-30, 1e30, std::nullopt, std::nullopt};
    r.efficiencies[0] = 14;
    r.comment = "Duplicate ";
    r.untouched[4] = 300.0; // Tmin
    store::Connection db = store::Connection::open(f.path);
    const std::vector<std::vector<store::Value>> rows{rowFromReaction(r)};
    db.insertRows("Reactions", rows);
    const store::Row row = db.query("SELECT * FROM [Reactions];").rows.at(0);
    EXPECT_EQ(rowFromReaction(reactionFromRow(row)), rowFromReaction(r));
    EXPECT_EQ(store::toInteger(row.field("Enabled")), -1);
}

TEST(ReactionDatabase, OpeningRefusals) {
    ReactionFixture f;
    const fs::path locked = f.dir / "locked.mdb";
    fs::copy_file(f.files.emptyTemplate, locked);
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(openRefusal(f.dir / "~gas.mdb"),
              "The specified Path/File name cannot be accessed or is invalid.");
    EXPECT_NE(openRefusal(f.dir / "emptyreac.MDB"), std::nullopt); // the template itself
    EXPECT_EQ(openRefusal(locked), "File locked.mdb is read-only, remove this attribute.");
    EXPECT_EQ(openRefusal(f.path), std::nullopt);

    // No valid species: the message, and the thermo window is shown for the user to fill.
    ThermoFixture empty;
    bool shown = false;
    EXPECT_FALSE(openThermoSpecies(empty.database, empty.fake.dialogs, [&] { shown = true; }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(empty.fake.dialogs.last().text,
              "The reaction database cannot be processed because the THERMO table is empty or "
              "all species are invalid.  Enter valid species to continue. \r\n");

    ReactionDatabase notReactions(f.dir / "gas.mdb", f.files);
    try {
        notReactions.open(f.species());
        ADD_FAILURE() << "a thermo database opened as reactions";
    } catch (const store::StoreError& e) {
        EXPECT_NE(std::string(e.what()).find("gas.mdb The program cannot find the table "
                                             "'Reactions'. Make sure you are opening a reaction "
                                             "database."),
                  std::string::npos)
            << e.what();
    }
}

TEST(ReactionDatabase, OpenChecksEveryRecordAndSaveReplaceComesBack) {
    ReactionFixture f;
    // Neither balances (H2 + O2 = H2O + O2 has an O too many on the right).
    f.add({{"H2", "O2", "", "H2O", "O2"}, {"H2", "O2", "", "H2O", "H2O"}});
    f.db.open(f.species());
    EXPECT_TRUE(fs::exists(f.dir / "~mech.mdb"));
    for (const auto& row : f.records()) {
        EXPECT_EQ(store::toInteger(row[rx::kTmp]), 1);
        EXPECT_EQ(store::toInteger(row[rx::kInfo]), -1);
    }

    // Save, edit, Replace: No leaves the edit, Yes brings the records of the Save back.
    f.db.save();
    const auto saved = f.records();
    f.add({{"H2", "", "", "H2"}});
    f.fake.dialogs.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(f.db.replaceWithSavedCopy(f.fake.dialogs));
    EXPECT_EQ(f.records().size(), 3u);
    EXPECT_TRUE(f.db.replaceWithSavedCopy(f.fake.dialogs));
    EXPECT_EQ(f.records(), saved);
}

TEST(ReactionDatabase, ClosePromptRebuildAndTheStartupCopy) {
    ReactionFixture f;
    f.db.open(f.species());
    f.add({{"H2", "", "", "H2"}});
    f.db.setModified();
    f.fake.dialogs.answers = {Answer::Cancel, Answer::No};
    EXPECT_EQ(f.db.close(f.fake.dialogs), CloseOutcome::Cancelled);
    EXPECT_EQ(f.db.close(f.fake.dialogs), CloseOutcome::Closed);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Do you want to save changes to mech.mdb?");
    EXPECT_TRUE(f.records().empty()); // No: the edit since opening is gone
    EXPECT_FALSE(fs::exists(f.dir / "~mech.mdb"));

    runStartupCopy(f.files, ThermoSpeciesList{});
    EXPECT_FALSE(fs::exists(f.files.startupCopy));
}

} // namespace
} // namespace kinetra::reactions
