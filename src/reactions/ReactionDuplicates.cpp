#include "reactions/ReactionDuplicates.h"

#include "common/TextUtil.h"
#include "reactions/ReactionRecord.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace kinetra::reactions {

namespace {

std::string joinSorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    std::string side;
    for (const std::string& name : names) {
        if (!side.empty())
            side += "+";
        side += name;
    }
    return side;
}

std::vector<std::string> slotsOf(const store::Row& row) {
    std::vector<std::string> slots;
    slots.reserve(rx::kSlotCount);
    for (std::size_t s = 0; s < rx::kSlotCount; ++s)
        slots.push_back(store::toText(row[rx::kR1 + s]));
    return slots;
}

std::int64_t numOf(const store::Row& row) {
    return store::toInteger(row[rx::kNum]).value_or(0);
}

// Positions of the rows sorted by key; equal keys keep the order of the snapshot.
std::vector<std::size_t> keyOrder(const std::vector<std::string>& keys) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}

} // namespace

std::string duplicateKey(const std::vector<std::string>& slots, DuplicateMode mode) {
    std::vector<std::string> sides[2];
    for (std::size_t s = 0; s < slots.size() && s < rx::kSlotCount; ++s) {
        std::string name = trimBlanks(slots[s]);
        if (!name.empty())
            sides[s < rx::kReactantSlots ? 0 : 1].push_back(std::move(name));
    }
    std::string left = joinSorted(std::move(sides[0]));
    std::string right = joinSorted(std::move(sides[1]));
    if (mode == DuplicateMode::ReverseMatches && right < left)
        std::swap(left, right);
    return left + "=" + right;
}

int findDuplicates(store::Connection& db, DuplicateMode mode) {
    store::Transaction transaction(db);
    db.execute("UPDATE [Reactions] SET Dir = 0;");
    const store::RowSet rows = db.queryKeyed("SELECT * FROM [Reactions] ORDER BY Num;");
    std::vector<std::string> keys;
    keys.reserve(rows.rows.size());
    for (const store::Row& row : rows.rows)
        keys.push_back(duplicateKey(slotsOf(row), mode));
    const std::vector<std::size_t> order = keyOrder(keys);

    std::vector<std::int64_t> dir(rows.rows.size(), 0);
    int pairs = 0;
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (keys[order[i]] != keys[order[i - 1]])
            continue;
        ++pairs;
        dir[order[i - 1]] = pairs;
        dir[order[i]] = pairs;
    }
    std::vector<std::vector<store::Value>> updates;
    for (std::size_t i = 0; i < dir.size(); ++i)
        if (dir[i] > 0)
            updates.push_back({store::Value(dir[i]), store::Value(rows.keys[i])});
    if (!updates.empty())
        db.executeEach("UPDATE [Reactions] SET Dir = ? WHERE rowid = ?", updates);
    transaction.commit();
    return pairs;
}

bool isDeclaredDuplicate(const std::string& comment) {
    return upperAscii(trimBlanks(comment)).rfind("DUP", 0) == 0;
}

namespace {

// The groups of valid records (indexes into the row set) whose members are not all declared
// duplicates, each in Num order, the groups in the order of their first Num.
std::vector<std::vector<std::size_t>> undeclaredGroups(const store::RowSet& records) {
    std::map<std::string, std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < records.rows.size(); ++i) {
        const store::Row& row = records.rows[i];
        if (store::toInteger(row[rx::kInfo]).value_or(0) != 0)
            continue;
        groups[duplicateKey(slotsOf(row), DuplicateMode::ReverseMatches)].push_back(i);
    }
    std::vector<std::vector<std::size_t>> found;
    for (auto& [key, members] : groups) {
        if (members.size() < 2)
            continue;
        const bool allDeclared = std::all_of(members.begin(), members.end(), [&](std::size_t i) {
            return isDeclaredDuplicate(store::toText(records.rows[i][rx::kComment]));
        });
        if (allDeclared)
            continue;
        std::stable_sort(members.begin(), members.end(), [&](std::size_t a, std::size_t b) {
            return numOf(records.rows[a]) < numOf(records.rows[b]);
        });
        found.push_back(std::move(members));
    }
    std::stable_sort(found.begin(), found.end(), [&](const auto& a, const auto& b) {
        return numOf(records.rows[a.front()]) < numOf(records.rows[b.front()]);
    });
    return found;
}

} // namespace

std::vector<UndeclaredDuplicate> undeclaredDuplicates(const store::RowSet& records) {
    std::vector<UndeclaredDuplicate> found;
    for (const auto& members : undeclaredGroups(records)) {
        for (std::size_t i : members) {
            UndeclaredDuplicate entry;
            entry.key = i < records.keys.size() ? records.keys[i] : 0;
            entry.num = numOf(records.rows[i]);
            for (std::size_t other : members)
                if (other != i)
                    entry.otherNums.push_back(numOf(records.rows[other]));
            found.push_back(std::move(entry));
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.num < b.num; });
    return found;
}

std::vector<std::vector<std::int64_t>> undeclaredDuplicateGroups(store::Connection& db) {
    const store::RowSet records = db.query("SELECT * FROM [Reactions] ORDER BY Num;");
    std::vector<std::vector<std::int64_t>> groups;
    for (const auto& members : undeclaredGroups(records)) {
        std::vector<std::int64_t>& nums = groups.emplace_back();
        nums.reserve(members.size());
        for (std::size_t i : members)
            nums.push_back(numOf(records.rows[i]));
    }
    return groups;
}

std::string undeclaredDuplicateGroupText(const std::vector<std::int64_t>& nums) {
    std::string list;
    for (std::int64_t num : nums)
        list += (list.empty() ? "" : ", ") + std::to_string(num);
    return "Undeclared duplicates: reactions " + list + "; mark each with DUPLICATE.";
}

std::vector<UndeclaredDuplicate> undeclaredDuplicates(store::Connection& db) {
    return undeclaredDuplicates(db.queryKeyed("SELECT * FROM [Reactions] ORDER BY Num;"));
}

std::string undeclaredDuplicateText(const std::vector<std::int64_t>& otherNums) {
    std::string list;
    for (std::int64_t num : otherNums) {
        if (!list.empty())
            list += ", ";
        list += std::to_string(num);
    }
    return "Undeclared duplicate of reaction(s) " + list + "; mark each with DUPLICATE.";
}

} // namespace kinetra::reactions
