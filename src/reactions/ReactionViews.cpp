#include "reactions/ReactionViews.h"

namespace kinetra::reactions {

std::string reactionViewCondition(ReactionView view) {
    switch (view) {
    case ReactionView::Pasted:
        return "SelT > 0";
    case ReactionView::Valid:
        return "Info = 0";
    case ReactionView::Invalid:
        return "Info < 0";
    case ReactionView::Filtered:
        return "Tmp = 1";
    case ReactionView::Duplicates:
        return "Dir > 0";
    case ReactionView::All:
        break;
    }
    return {};
}

std::string reactionViewQuery(ReactionView view) {
    const std::string condition = reactionViewCondition(view);
    const char* order = view == ReactionView::Pasted       ? "SelT"
                        : view == ReactionView::Duplicates ? "Dir"
                                                           : "Num";
    return "SELECT * FROM [Reactions]" + (condition.empty() ? "" : " WHERE " + condition) +
           " ORDER BY " + order + ";";
}

std::vector<ReactionRecord> reactionsOf(store::Connection& db, ReactionView view) {
    std::vector<ReactionRecord> records;
    for (const store::Row& row : db.query(reactionViewQuery(view)).rows)
        records.push_back(reactionFromRow(row));
    return records;
}

std::int64_t lastReactionNum(store::Connection& db) {
    const store::RowSet rows = db.query("SELECT MAX(Num) FROM [Reactions];");
    return rows.rows.empty() ? 0 : store::toInteger(rows.rows[0][0]).value_or(0);
}

} // namespace kinetra::reactions
