// The sets of rows a reaction window shows, and the one place where they are written in SQL.
#pragma once

#include "reactions/ReactionRecord.h"
#include "store/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kinetra::reactions {

enum class ReactionView {
    All,        // every record in Num order
    Pasted,     // the records of the last paste, in paste order (SelT)
    Valid,      // Info = 0
    Invalid,    // Info < 0
    Filtered,   // the records the last filter marked (Tmp = 1)
    Duplicates, // the groups of the duplicate search, group by group (Dir)
};

// The condition a record of the view meets, or an empty text for every record.
std::string reactionViewCondition(ReactionView view);

// The query of the view's rows in the view's order.
std::string reactionViewQuery(ReactionView view);

// The records of a view, in its order.
std::vector<ReactionRecord> reactionsOf(store::Connection& db, ReactionView view);

// The largest Num of the table, 0 when it is empty: new records go after it.
std::int64_t lastReactionNum(store::Connection& db);

} // namespace kinetra::reactions
