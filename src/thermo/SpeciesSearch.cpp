#include "thermo/SpeciesSearch.h"

#include "common/Wildcard.h"
#include "store/Database.h"

#include <algorithm>

namespace kinetra::thermo {

namespace {

// Rows are identified by SQLite's rowid, not by Num: a damaged table may hold the same Num
// twice, or none, and marking by Num would then keep rows that do not match.
constexpr std::string_view kRowKey = "KinetraRowKey";

std::int64_t rowKey(const store::Row& row) {
    return store::toInteger(row.field(kRowKey)).value();
}

// Writes the marks of a filter: every row "0", then the kept ones "1". The IN lists are cut
// into pieces to keep each statement short whatever the size of the table.
void markKept(store::Connection& connection, const std::vector<std::int64_t>& kept) {
    connection.execute("UPDATE [Trm] SET Tmp = '0';");
    constexpr std::size_t kChunk = 500;
    for (std::size_t start = 0; start < kept.size(); start += kChunk) {
        std::string sql = "UPDATE [Trm] SET Tmp = '1' WHERE rowid IN (";
        const std::size_t end = std::min(kept.size(), start + kChunk);
        for (std::size_t i = start; i < end; ++i) {
            if (i > start)
                sql += ',';
            sql += std::to_string(kept[i]);
        }
        sql += ");";
        connection.execute(sql);
    }
}

// Reads the rows, picks the kept ones and writes the marks, all in one transaction so that the
// rows judged are the rows marked. Nothing kept: the transaction ends unwritten.
template <class Keep>
std::size_t runFilter(store::Connection& connection, std::string_view select, Keep keep) {
    store::Transaction transaction(connection);
    const store::RowSet rows = connection.query(select);
    std::vector<std::int64_t> kept;
    for (const store::Row& row : rows.rows)
        if (keep(row))
            kept.push_back(rowKey(row));
    if (kept.empty())
        return 0;
    markKept(connection, kept);
    transaction.commit();
    return kept.size();
}

} // namespace

std::string elementCheckCaption(const ElementTable& elements, int slot) {
    if (slot < 1 || slot >= kSlotCount || !elements.inUse(slot))
        return std::string(kFreeSlotCaption);
    return elements.symbols[slot];
}

FindResult findNext(const std::vector<std::string>& values, std::size_t current,
                    std::string_view pattern, FindDirection direction) {
    FindResult result;
    if (direction == FindDirection::Up) {
        for (std::size_t i = std::min(current, values.size()); i-- > 0;)
            if (wildcardMatch(values[i], pattern, LetterCase::Sensitive)) {
                result.found = i;
                return result;
            }
        return result;
    }
    for (std::size_t i = current + 1; current < values.size() && i < values.size(); ++i)
        if (wildcardMatch(values[i], pattern, LetterCase::Sensitive)) {
            result.found = i;
            return result;
        }
    result.endOfSearch = true;
    return result;
}

std::optional<std::size_t> findNextAndReport(Dialogs& dialogs,
                                             const std::vector<std::string>& values,
                                             std::size_t current, std::string_view pattern,
                                             FindDirection direction) {
    const FindResult result = findNext(values, current, pattern, direction);
    if (result.endOfSearch)
        dialogs.message(std::string(kEndOfSearchMessage), std::string(kSearchTitle),
                        Icon::Information);
    return result.found;
}

std::size_t filterByPattern(store::Connection& connection, FilterField field,
                            std::string_view pattern) {
    const std::string_view name = field == FilterField::Species ? "Species" : "Reference";
    const std::string select =
        "SELECT rowid AS " + std::string(kRowKey) + ", [" + std::string(name) + "] FROM [Trm];";
    return runFilter(connection, select, [&](const store::Row& row) {
        return wildcardMatch(store::toText(row.field(name)), pattern, LetterCase::Sensitive);
    });
}

std::size_t filterByElements(store::Connection& connection,
                             const std::array<bool, kSlotCount>& checked) {
    const bool anyChecked =
        std::any_of(checked.begin() + 1, checked.end(), [](bool b) { return b; });
    std::string select = "SELECT rowid AS " + std::string(kRowKey);
    for (int slot = 1; slot < kSlotCount; ++slot)
        select += ", N" + std::to_string(slot);
    select += " FROM [Trm];";
    return runFilter(connection, select, [&](const store::Row& row) {
        bool hasElement = false;
        for (int slot = 1; slot < kSlotCount; ++slot) {
            // Text that is no number (a damaged field) counts as absent, like NULL.
            const std::optional<double> count =
                store::toDouble(row[static_cast<std::size_t>(slot)]);
            if (!count || *count <= 0)
                continue;
            if (!checked[static_cast<std::size_t>(slot)])
                return false;
            hasElement = true;
        }
        return hasElement || !anyChecked;
    });
}

std::string notFoundMessage(const std::filesystem::path& database) {
    return "In the thermodynamic database " + database.filename().string() +
           ", the search item was not found.";
}

void showNotFound(Dialogs& dialogs, const std::filesystem::path& database) {
    dialogs.message(notFoundMessage(database), std::string(kSearchTitle), Icon::Information);
}

} // namespace kinetra::thermo
