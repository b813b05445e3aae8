#include "thermo/ElementTableChange.h"

#include "common/NumberFormat.h"
#include "common/TextFile.h"
#include "thermo/NasaTextWriter.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"
#include "thermo/ThermoPaste.h"

namespace kinetra::thermo {

namespace {

// Moves a species to the new slots by symbol (letter case respected, as the text reader
// compares them); false when one of its elements has no slot any more.
bool moveToSlots(SpeciesRecord& species, const ElementTable& from, const ElementTable& to) {
    std::array<std::optional<double>, kSlotCount> moved{};
    moved[0] = species.composition[0];
    for (int slot = 1; slot < kSlotCount; ++slot) {
        const auto& count = species.composition[slot];
        if (!count)
            continue;
        if (*count == 0 || from.symbols[slot].empty())
            continue; // an empty or zero entry names no element; the reader drops it as well
        const auto target = to.slotOf(from.symbols[slot]);
        if (!target || *target == 0)
            return false;
        moved[*target] = count;
    }
    species.composition = moved;
    return true;
}

} // namespace

ElementChangeResult applyElementRows(ThermoDatabase& database, Ui& ui, const ElementRows& before,
                                     const ElementRows& rows,
                                     const std::filesystem::path& errorFile) {
    ElementChangeResult result;
    if (!confirmElementRows(ui.dialogs, before, rows).ok)
        return result;
    std::vector<std::vector<store::Value>> keptRows;
    std::vector<std::string> removedNames;

    // One write transaction from the first read to the check: the slots and the species they
    // describe change together or not at all, and no other writer's rows slip in between the
    // reading of the species and their rewrite.
    try {
        store::Connection db = database.connection();
        store::Transaction transaction(db);
        const ElementTable oldTable = readElementTable(db).value_or(database.elements());
        const ElementTable newTable = toElementTable(rows);
        const std::vector<std::vector<store::Value>> species = readAllRows(db, "Trm");
        // The species go on the clipboard as text first, as a copy the user keeps whatever
        // follows.
        std::vector<SpeciesRecord> records;
        records.reserve(species.size());
        for (const auto& row : species)
            records.push_back(speciesFromValues(row));
        ui.clipboard.clear();
        ui.clipboard.setText(writeClipboardText(records, oldTable, true).text);

        // The species move slot by slot in memory rather than through their text, so
        // coefficients keep every digit and species the four-element text line cannot hold are
        // not lost.
        for (std::size_t i = 0; i < species.size(); ++i) {
            SpeciesRecord record = records[i];
            if (!moveToSlots(record, oldTable, newTable)) {
                removedNames.push_back(record.name);
                continue;
            }
            const auto& old = species[i];
            RowMarks marks;
            marks.selT = store::toInteger(old[trm::kSelT]).value_or(0);
            marks.tdb = store::toInteger(old[trm::kTDB]).value_or(0);
            marks.tmp = store::toText(old[trm::kTmp]);
            marks.info = store::toInteger(old[trm::kInfo]).value_or(0);
            marks.upaste = store::toInteger(old[trm::kUPaste]).value_or(0);
            marks.num = static_cast<std::int64_t>(keptRows.size() + 1);
            keptRows.push_back(rowFromSpecies(record, newTable, marks));
        }
        writeElementRows(db, rows);
        db.execute("DELETE * FROM [Trm];");
        db.insertRows("Trm", keptRows);
        checkAllSpecies(db);
        transaction.commit();
    } catch (...) {
        database.reloadElements();
        throw;
    }
    database.reloadElements();
    database.setModified();
    const std::string listing = reportUnknownElementSpecies(removedNames, ui.dialogs);
    if (!listing.empty() && !errorFile.empty())
        writeErrorListing(errorFile, listing, ui.clock.now());
    result.applied = true;
    result.kept = static_cast<int>(keptRows.size());
    result.removed = static_cast<int>(removedNames.size());
    return result;
}

} // namespace kinetra::thermo
