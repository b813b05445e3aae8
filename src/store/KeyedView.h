// The rows a grid shows: the keyed snapshot of one view of a table, the cursor that follows its
// record across re-reads, and the selection in the order the user picked it. Both table models
// (species and reactions) keep their rows here; the chemistry of each stays in its own model.
//
// Rows are addressed by the store's key, never by Num: users edit and renumber Num, an edit can
// re-sort the view, and a damaged table may hold a Num twice.
#pragma once

#include "store/Database.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::store {

class KeyedView {
public:
    // Re-reads the rows of `query`. The cursor stays on its record when the record is still
    // shown (an edit may have moved it), else on the same position within the rows; selected
    // positions past the end go.
    void reload(Connection& db, std::string_view query);
    // Another set of rows is about to be shown: nothing selected, the cursor on the first row.
    void restart();

    const RowSet& rows() const { return rows_; }
    std::size_t size() const { return rows_.rows.size(); }
    const Row& row(std::size_t r) const { return rows_.rows.at(r); }
    std::int64_t key(std::size_t r) const { return rows_.keys.at(r); }

    std::optional<std::size_t> current() const { return current_; }
    // Nothing when the row is not shown.
    void setCurrent(std::optional<std::size_t> row);
    // A command moved the cursor (Find): the row becomes current and the only one selected.
    void moveCursorTo(std::size_t row);

    // Positions past the end and repeats are dropped; the order is kept.
    void setSelection(std::vector<std::size_t> rowsInOrder);
    void select(const std::function<bool(const Row&)>& chosen);
    void selectAll();
    void clearSelection() { selection_.clear(); }
    const std::vector<std::size_t>& selectionOrder() const { return selection_; }
    std::set<std::size_t> selection() const { return {selection_.begin(), selection_.end()}; }
    // The keys of the selected rows in the order picked, or of the current row when none is
    // selected: what Copy, Cut and Delete act on.
    std::vector<std::int64_t> selectedKeys() const;
    std::optional<std::int64_t> currentKey() const;

private:
    RowSet rows_;
    std::optional<std::size_t> current_;
    std::vector<std::size_t> selection_;
};

// Sets `field` to 1 on the rows with these keys and to 0 on every other row of `table`, in one
// transaction: the marks of copies, filters and document selections.
void markOnlyRows(Connection& db, std::string_view table, std::string_view field,
                  const std::vector<std::int64_t>& keys);

// Deletes the rows with these keys from `table` in one transaction.
void deleteRowsByKey(Connection& db, std::string_view table, const std::vector<std::int64_t>& keys);

} // namespace kinetra::store
