// The reaction window's find and filter commands. Finds walk the rows of the view; filters mark
// the records to keep in `Tmp` over the whole table and show the filtered view.
#include "common/TextUtil.h"
#include "common/Wildcard.h"
#include "reactions/ReactionTable.h"

#include <algorithm>
#include <cctype>

namespace kinetra::reactions {

using store::Value;

namespace {

bool matchesAll(std::string_view pattern) {
    const std::string p = trimBlanks(pattern);
    return p.empty() || p == "*";
}

bool like(const std::string& name, std::string_view pattern) {
    return !name.empty() && wildcardMatch(name, pattern, LetterCase::Sensitive);
}

std::vector<std::string> namesIn(const store::Row& row, std::size_t first, std::size_t count,
                                 std::size_t stride = 1) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i)
        names.push_back(trimBlanks(store::toText(row[first + i * stride])));
    return names;
}

bool anyLike(const std::vector<std::string>& names, std::string_view pattern) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return like(n, pattern); });
}

std::optional<std::int64_t> positiveInteger(std::string_view text) {
    const std::string t = trimBlanks(text);
    if (t.empty() || t.size() > 15 ||
        !std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : t)
        value = value * 10 + (c - '0');
    if (value < 1)
        return std::nullopt;
    return value;
}

} // namespace

bool sideMatches(const std::vector<std::string>& names, std::string_view first,
                 std::string_view second) {
    const bool anyFirst = matchesAll(first), anySecond = matchesAll(second);
    if (anyFirst && anySecond)
        return true;
    if (anyFirst)
        return anyLike(names, second);
    if (anySecond)
        return anyLike(names, first);
    // Every name the first pattern fits is tried, so the outcome does not depend on the order
    // in which the species were written.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!like(names[i], first))
            continue;
        for (std::size_t j = 0; j < names.size(); ++j)
            if (j != i && like(names[j], second))
                return true;
    }
    return false;
}

bool compositionOfTickedElements(const std::string& composition,
                                 const std::array<std::string, 11>& symbols,
                                 const std::array<bool, 11>& ticked) {
    if (trimBlanks(composition).empty())
        return false;
    // Every count in a formula is written, so each run of letters is one whole symbol: "CL1"
    // names chlorine, never carbon.
    for (std::size_t i = 0; i < composition.size();) {
        if (!std::isalpha(static_cast<unsigned char>(composition[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < composition.size() &&
               std::isalpha(static_cast<unsigned char>(composition[end])))
            ++end;
        const std::string symbol = composition.substr(i, end - i);
        for (std::size_t slot = 1; slot < symbols.size(); ++slot)
            if (!ticked[slot] && !symbols[slot].empty() && symbols[slot] == symbol)
                return false;
        i = end;
    }
    return true;
}

template <class Match> std::size_t ReactionTable::findRows(FindDirection direction, Match match) {
    const std::size_t count = grid_.size();
    const std::optional<std::size_t> current = grid_.current();
    const auto endOfSearch = [this] {
        ui_.dialogs.message(reaction_search::kEndOfSearch, reaction_search::kTitle,
                            Icon::Information);
        return std::size_t{0};
    };
    switch (direction) {
    case FindDirection::Down:
        for (std::size_t i = current ? *current + 1 : 0; i < count; ++i)
            if (match(grid_.row(i))) {
                moveCursorTo(i);
                return 1;
            }
        return endOfSearch();
    case FindDirection::Up:
        // Reaching the top says nothing, as in the thermo window.
        for (std::size_t i = current.value_or(count); i-- > 0;)
            if (match(grid_.row(i))) {
                moveCursorTo(i);
                return 1;
            }
        return 0;
    case FindDirection::All: {
        std::vector<std::size_t> found;
        for (std::size_t i = 0; i < count; ++i)
            if (match(grid_.row(i)))
                found.push_back(i);
        if (found.empty())
            return endOfSearch();
        setCurrentRow(found.front());
        setSelection(found);
        return found.size();
    }
    }
    return 0;
}

std::size_t ReactionTable::find(const ReactionFindRequest& request) {
    const std::string& pattern = request.pattern;
    switch (request.field) {
    case ReactionFindField::Species:
        if (!request.reactants && !request.products) {
            ui_.dialogs.message(reaction_search::kNoSideChecked, reaction_search::kTitle,
                                Icon::Exclamation);
            return 0;
        }
        return findRows(request.direction, [&](const store::Row& row) {
            if (matchesAll(pattern))
                return true;
            return (request.reactants && anyLike(namesIn(row, rx::kR1, 3), pattern)) ||
                   (request.products && anyLike(namesIn(row, rx::kP1, 6), pattern));
        });
    case ReactionFindField::ThirdBody:
        return findRows(request.direction, [&](const store::Row& row) {
            return matchesAll(pattern) ||
                   anyLike(namesIn(row, rx::kS1, rx::kThirdBodyCount, 2), pattern);
        });
    case ReactionFindField::RowNumber: {
        const std::optional<std::int64_t> num = positiveInteger(pattern);
        if (!num) {
            ui_.dialogs.message(reaction_search::kPositiveInteger, reaction_search::kTitle,
                                Icon::Exclamation);
            return 0;
        }
        for (std::size_t i = 0; i < grid_.size(); ++i)
            if (store::toInteger(grid_.row(i)[rx::kNum]).value_or(0) == *num) {
                moveCursorTo(i);
                return 1;
            }
        ui_.dialogs.message(reaction_search::kEndOfSearch, reaction_search::kTitle,
                            Icon::Information);
        return 0;
    }
    }
    return 0;
}

bool ReactionTable::findReference(std::string_view pattern, FindDirection direction,
                                  bool matchCase) {
    const std::string p = matchCase ? std::string(pattern) : upperAscii(pattern);
    return findRows(direction, [&](const store::Row& row) {
               const std::string reference = store::toText(row[rx::kReference]);
               return wildcardMatch(matchCase ? reference : upperAscii(reference), p,
                                    LetterCase::Sensitive);
           }) > 0;
}

bool ReactionTable::applyFilter(const std::vector<std::int64_t>& kept) {
    if (kept.empty()) {
        ui_.dialogs.message(databaseMessage("the search item was not found."), "KINETRA",
                            Icon::Information);
        showAll();
        return false;
    }
    store::Connection db = database_.connection();
    store::markOnlyRows(db, "Reactions", "Tmp", kept);
    setView(ReactionView::Filtered);
    return true;
}

namespace {

template <class Keep> std::vector<std::int64_t> keptKeys(store::Connection db, Keep keep) {
    const store::RowSet rows = db.queryKeyed("SELECT * FROM [Reactions];");
    std::vector<std::int64_t> kept;
    for (std::size_t i = 0; i < rows.rows.size(); ++i)
        if (keep(rows.rows[i]))
            kept.push_back(rows.keys[i]);
    return kept;
}

} // namespace

bool ReactionTable::filterBySpecies(const SpeciesFilterRequest& request) {
    return applyFilter(keptKeys(database_.connection(), [&](const store::Row& row) {
        const std::vector<std::string> reactants = namesIn(row, rx::kR1, 3);
        const std::vector<std::string> products = namesIn(row, rx::kP1, 6);
        const bool left = sideMatches(reactants, request.reactant1, request.reactant2);
        const bool right = sideMatches(products, request.product1, request.product2);
        return request.join == SpeciesFilterJoin::And ? left && right : left || right;
    }));
}

bool ReactionTable::filterByReference(std::string_view pattern, bool matchCase) {
    const std::string p = matchCase ? std::string(pattern) : upperAscii(pattern);
    return applyFilter(keptKeys(database_.connection(), [&](const store::Row& row) {
        const std::string reference = store::toText(row[rx::kReference]);
        return wildcardMatch(matchCase ? reference : upperAscii(reference), p,
                             LetterCase::Sensitive);
    }));
}

bool ReactionTable::filterByElements(const std::array<bool, 11>& ticks) {
    settings_.elementTicks = ticks;
    const auto& symbols = species_.elementSymbols();
    return applyFilter(keptKeys(database_.connection(), [&](const store::Row& row) {
        return compositionOfTickedElements(store::toText(row[rx::kComposition]), symbols, ticks);
    }));
}

std::string ReactionTable::elementTickCaption(int slot) const {
    const auto& symbols = species_.elementSymbols();
    if (slot < 1 || slot > 10 || trimBlanks(symbols[static_cast<std::size_t>(slot)]).empty())
        return reaction_search::kFreeSlot;
    return symbols[static_cast<std::size_t>(slot)];
}

} // namespace kinetra::reactions
