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

} // namespace kinetra::reactions
