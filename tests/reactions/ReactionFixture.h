// A reaction database beside a thermo database holding the GRI-Mech 3.0 species, with its table
// model over scripted dialogs: the starting point of the tests of the reaction window.
#pragma once

#include "reactions/MechanismFile.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ReactionPaste.h"
#include "reactions/ReactionTable.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoFixture.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kinetra::reactions::testing {

inline const UnitConstants kTestConstants{6.0221367e23, 1.98717, 8.31451};

// The valid species of the GRI-Mech 3.0 thermo, loaded once for all tests.
inline const ThermoSpeciesList& griSpecies() {
    static const ThermoSpeciesList list = [] {
        thermo::testing::ThermoFixture f;
        thermo::ReadOptions options;
        f.paste(thermo::unframeThermoFile(thermo::testing::sharedDataFile("gri30/gri30_thermo.dat"),
                                          options),
                0, options);
        store::Connection db = f.database.connection();
        return ThermoSpeciesList::load(db);
    }();
    return list;
}

struct ReactionFixture {
    thermo::testing::ThermoFixture thermo;
    kinetra::testing::FakeUi& fake = thermo.fake;
    ThermoSpeciesList species = [this] {
        thermo::ReadOptions options;
        const std::string text = thermo::unframeThermoFile(
            thermo::testing::sharedDataFile("gri30/gri30_thermo.dat"), options);
        thermo.paste(text, 0, options);
        store::Connection db = thermo.database.connection();
        return ThermoSpeciesList::load(db);
    }();
    ReactionDatabase database = [this] {
        store::createReactionTemplate(thermo.dir / "EmptyReac.mdb");
        store::createReactionTemplate(thermo.dir / "gri.mdb");
        ReactionDatabase db(thermo.dir / "gri.mdb",
                            {thermo.dir / "EmptyReac.mdb", thermo.dir / "TMP_KINETRARDB.mdb"});
        db.open(species);
        return db;
    }();
    ReactionRunSettings settings;
    std::vector<std::pair<std::filesystem::path, std::string>> opened;
    std::unique_ptr<ReactionTable> table = std::make_unique<ReactionTable>(
        database, species, thermo.database, fake.ui, settings, kTestConstants, thermo.dir.path(),
        thermo.dir.path(), [this](const std::filesystem::path& file, const std::string& caption) {
            opened.emplace_back(file, caption);
        });

    // Reads mechanism lines into the table, after the last record, and shows every record.
    ReadResult read(const std::vector<std::string>& lines) {
        ReadRequest request;
        request.lines = lines;
        request.constants = kTestConstants;
        request.insertAfterNum = 1 << 30;
        request.quiet = true;
        store::Connection db = database.connection();
        RefusalMemory memory{true, RefusalChoice::Continue};
        const ReadResult result = readReactionText(db, species, request, memory, fake.ui);
        table->showAll();
        return result;
    }
    void readGri() {
        read(splitMechanismFile(thermo::testing::sharedDataFile("gri30/gri30.inp")).reactionLines);
    }

    std::vector<ReactionRecord> records(const std::string& where = "") {
        std::vector<ReactionRecord> out;
        for (const auto& row : database.connection()
                                   .query("SELECT * FROM [Reactions]" + where + " ORDER BY Num;")
                                   .rows)
            out.push_back(reactionFromRow(row));
        return out;
    }
    // Every field and store key, to tell "untouched" from "rewritten alike".
    std::pair<std::vector<std::int64_t>, std::vector<std::vector<store::Value>>> snapshot() {
        const store::RowSet set =
            database.connection().queryKeyed("SELECT * FROM [Reactions] ORDER BY Num;");
        std::vector<std::vector<store::Value>> values;
        for (const auto& row : set.rows)
            values.push_back(row.values());
        return {set.keys, values};
    }
    // The equations of the rows the table shows, in order.
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const auto& row : table->rows().rows)
            out.push_back(store::toText(row[rx::kReaction]));
        return out;
    }
};

} // namespace kinetra::reactions::testing
