// Reactions that occur more than once in a mechanism. The search writes group numbers into the
// `Dir` field, so the grid shows the groups with one view statement; the undeclared ones (a
// group not every member of which carries the DUPLICATE flag) are worked out afresh from the
// species names, as the mechanism text would otherwise be refused by programs reading it.
#pragma once

#include "store/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kinetra::reactions {

enum class DuplicateMode {
    SameDirection,  // reactants match reactants and products match products
    ReverseMatches, // a reaction and its reverse count as the same reaction
};

// The names of the nine species slots (three reactants, then six products) as one comparable
// text: each side's names sorted and joined by "+", the sides joined by "=". In ReverseMatches
// mode the two side texts are themselves put in order first. Names are compared as written, so
// "M", "M$" and named colliders are part of the key.
std::string duplicateKey(const std::vector<std::string>& slots, DuplicateMode mode);

// Clears `Dir` and numbers each pair of equal neighbouring keys (in key order) 1, 2, ... on both
// records, in one transaction. Of three equal keys the middle record carries the number of its
// second pair. Returns the number of pairs found.
int findDuplicates(store::Connection& db, DuplicateMode mode);

// The DUPLICATE flag as the reader stores it: the trimmed comment starts with "DUP" (any case).
bool isDeclaredDuplicate(const std::string& comment);

struct UndeclaredDuplicate {
    std::int64_t key = 0; // store key of the record
    std::int64_t num = 0;
    std::vector<std::int64_t> otherNums; // the other members of its group, in Num order
};

// Every valid record (Info = 0) of a group of equal keys (ReverseMatches) whose members are not
// all declared duplicates, in Num order. Invalid records never reach a mechanism and are left out.
std::vector<UndeclaredDuplicate> undeclaredDuplicates(store::Connection& db);
// The same over a keyed snapshot of whole records ("SELECT * FROM [Reactions] ...").
std::vector<UndeclaredDuplicate> undeclaredDuplicates(const store::RowSet& records);

// The same as groups: the Nums of each group once, in Num order, the groups in the order of
// their first Num. A listing of a group per member would grow with the square of its size.
std::vector<std::vector<std::int64_t>> undeclaredDuplicateGroups(store::Connection& db);

// "Undeclared duplicates: reactions 3, 5, 7; mark each with DUPLICATE."
std::string undeclaredDuplicateGroupText(const std::vector<std::int64_t>& nums);

// "Undeclared duplicate of reaction(s) 5, 7; mark each with DUPLICATE."
std::string undeclaredDuplicateText(const std::vector<std::int64_t>& otherNums);

} // namespace kinetra::reactions
