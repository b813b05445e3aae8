#include "thermo/SpeciesTable.h"

#include "thermo/SpeciesCheck.h"
#include "thermo/SpeciesRow.h"

#include <string>

namespace kinetra::thermo {

std::string speciesViewQuery(SpeciesView view) {
    switch (view) {
    case SpeciesView::Pasted:
        return "SELECT * FROM [Trm] WHERE SelT > 0 ORDER BY SelT;";
    case SpeciesView::Valid:
        return "SELECT * FROM [Trm] WHERE Info = 0 ORDER BY Num;";
    case SpeciesView::Invalid:
        return "SELECT * FROM [Trm] WHERE Info < 0 ORDER BY Num;";
    case SpeciesView::Filtered:
        return "SELECT * FROM [Trm] WHERE Tmp = '1' ORDER BY Num;";
    case SpeciesView::All:
        break;
    }
    return "SELECT * FROM [Trm] ORDER BY Num;";
}

store::RowSet speciesRows(store::Connection& db, SpeciesView view) {
    return db.query(speciesViewQuery(view));
}

using store::Value;

int checkAllSpecies(store::Connection& db) {
    store::Transaction transaction(db);
    const store::RowSet rows = db.queryKeyed("SELECT * FROM [Trm] ORDER BY Species ASC;");
    std::vector<std::string> names;
    names.reserve(rows.rows.size());
    for (const auto& row : rows.rows)
        names.push_back(store::toText(row[trm::kSpecies]));
    const std::vector<bool> duplicate = findDuplicateNames(names);

    std::vector<std::vector<Value>> updates;
    int invalid = 0;
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        // The coefficient rule only warns (severity 0), so it cannot change Info.
        const SpeciesCheckResult check = checkSpecies(speciesFromRow(rows.rows[i]), false);
        const std::int64_t info = speciesInfo(check.severity, duplicate[i]);
        if (info < 0)
            ++invalid;
        if (store::toInteger(rows.rows[i][trm::kInfo]) != info)
            updates.push_back({Value(info), Value(rows.keys[i])});
    }
    db.executeEach("UPDATE [Trm] SET Info = ? WHERE rowid = ?", updates);
    transaction.commit();
    return invalid;
}

void renumberSpecies(store::Connection& db) {
    store::Transaction transaction(db);
    const store::RowSet rows = db.queryKeyed("SELECT * FROM [Trm] ORDER BY Num");
    std::vector<std::vector<Value>> updates;
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const std::int64_t num = static_cast<std::int64_t>(i + 1);
        if (store::toInteger(rows.rows[i][trm::kNum]) != num)
            updates.push_back({Value(num), Value(rows.keys[i])});
    }
    db.executeEach("UPDATE [Trm] SET Num = ? WHERE rowid = ?", updates);
    transaction.commit();
}

std::vector<std::vector<Value>> readAllRows(store::Connection& db, const char* table) {
    store::RowSet rows = db.query("SELECT * FROM [" + std::string(table) + "] ORDER BY Num;");
    std::vector<std::vector<Value>> result;
    result.reserve(rows.rows.size());
    for (auto& row : rows.rows)
        result.push_back(row.values());
    return result;
}

bool insertSpeciesRows(store::Connection& db, std::int64_t afterNum,
                       std::vector<std::vector<Value>> newRows, Progress* progress) {
    std::vector<std::vector<Value>> old = readAllRows(db, "Trm");
    const std::int64_t added = static_cast<std::int64_t>(newRows.size());
    for (auto& row : old) {
        const auto selT = store::toInteger(row[trm::kSelT]);
        if (selT && *selT > afterNum)
            row[trm::kSelT] = *selT + 2 + added;
    }
    std::vector<std::vector<Value>> all;
    all.reserve(old.size() + newRows.size());
    std::size_t split = 0;
    while (split < old.size() && store::toInteger(old[split][trm::kNum]).value_or(0) <= afterNum)
        ++split;
    for (std::size_t i = 0; i < split; ++i)
        all.push_back(std::move(old[i]));
    for (auto& row : newRows)
        all.push_back(std::move(row));
    for (std::size_t i = split; i < old.size(); ++i)
        all.push_back(std::move(old[i]));

    const bool large = all.size() > 500;
    db.execute("DELETE * FROM [Trm];");
    const std::size_t chunk = large ? (all.size() + 9) / 10 : all.size();
    for (std::size_t start = 0; start < all.size(); start += chunk) {
        const std::size_t end = std::min(all.size(), start + chunk);
        for (std::size_t i = start; i < end; ++i)
            all[i][trm::kNum] = static_cast<std::int64_t>(i + 1);
        if (large && progress) {
            progress->show("Preparing thermodynamic data...",
                           static_cast<int>(100 * start / all.size()));
            if (progress->cancelRequested())
                return false;
        }
        db.insertRows("Trm", std::span(all).subspan(start, end - start));
    }
    return true;
}

} // namespace kinetra::thermo
