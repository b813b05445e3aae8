#include "store/KeyedView.h"

#include <algorithm>

namespace kinetra::store {

void KeyedView::reload(Connection& db, std::string_view query) {
    const std::optional<std::int64_t> followed = currentKey();
    rows_ = db.queryKeyed(query);
    if (followed) {
        const auto found = std::find(rows_.keys.begin(), rows_.keys.end(), *followed);
        if (found != rows_.keys.end())
            current_ = static_cast<std::size_t>(found - rows_.keys.begin());
    }
    if (rows_.rows.empty())
        current_.reset();
    else if (current_ && *current_ >= rows_.rows.size())
        current_ = rows_.rows.size() - 1;
    std::erase_if(selection_, [&](std::size_t r) { return r >= rows_.rows.size(); });
}

void KeyedView::restart() {
    rows_ = {};
    selection_.clear();
    current_ = 0;
}

void KeyedView::setCurrent(std::optional<std::size_t> row) {
    current_ = row && *row < rows_.rows.size() ? row : std::nullopt;
}

void KeyedView::moveCursorTo(std::size_t row) {
    setCurrent(row);
    selection_.clear();
    if (current_)
        selection_.push_back(*current_);
}

void KeyedView::setSelection(std::vector<std::size_t> rowsInOrder) {
    selection_.clear();
    for (std::size_t r : rowsInOrder)
        if (r < rows_.rows.size() &&
            std::find(selection_.begin(), selection_.end(), r) == selection_.end())
            selection_.push_back(r);
}

void KeyedView::select(const std::function<bool(const Row&)>& chosen) {
    selection_.clear();
    for (std::size_t i = 0; i < rows_.rows.size(); ++i)
        if (chosen(rows_.rows[i]))
            selection_.push_back(i);
}

void KeyedView::selectAll() {
    select([](const Row&) { return true; });
}

std::vector<std::int64_t> KeyedView::selectedKeys() const {
    std::vector<std::int64_t> keys;
    keys.reserve(selection_.size());
    for (std::size_t r : selection_)
        keys.push_back(rows_.keys.at(r));
    if (keys.empty() && current_)
        keys.push_back(rows_.keys.at(*current_));
    return keys;
}

std::optional<std::int64_t> KeyedView::currentKey() const {
    if (current_ && *current_ < rows_.keys.size())
        return rows_.keys[*current_];
    return std::nullopt;
}

namespace {

std::vector<std::vector<Value>> keyParameters(const std::vector<std::int64_t>& keys) {
    std::vector<std::vector<Value>> parameters;
    parameters.reserve(keys.size());
    for (std::int64_t key : keys)
        parameters.push_back({Value(key)});
    return parameters;
}

} // namespace

void markOnlyRows(Connection& db, std::string_view table, std::string_view field,
                  const std::vector<std::int64_t>& keys) {
    const std::string update = "UPDATE [" + std::string(table) + "] SET " + std::string(field);
    Transaction transaction(db);
    db.execute(update + " = 0;");
    db.executeEach(update + " = 1 WHERE rowid = ?", keyParameters(keys));
    transaction.commit();
}

void deleteRowsByKey(Connection& db, std::string_view table,
                     const std::vector<std::int64_t>& keys) {
    Transaction transaction(db);
    db.executeEach("DELETE FROM [" + std::string(table) + "] WHERE rowid = ?", keyParameters(keys));
    transaction.commit();
}

} // namespace kinetra::store
