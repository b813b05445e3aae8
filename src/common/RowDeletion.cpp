#include "common/RowDeletion.h"

namespace kinetra {

std::string deleteRowsQuestion(std::size_t count, std::string_view singular,
                               std::string_view plural) {
    return "Do you want to delete " + std::to_string(count) + " " +
           std::string(count == 1 ? singular : plural) + "?";
}

bool confirmRowDeletion(Dialogs& dialogs, std::size_t count, std::string_view singular,
                        std::string_view plural) {
    return dialogs.ask(deleteRowsQuestion(count, singular, plural), "KINETRA", Buttons::YesNo,
                       Answer::No, Icon::Question) == Answer::Yes;
}

} // namespace kinetra
