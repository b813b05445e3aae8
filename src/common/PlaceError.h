// Unexpected errors: every operation that can fail unexpectedly runs inside `guarded`, which
// catches the error, shows the operation's place code followed directly by the description
// ("MDI#012. disk full") in an exclamation box titled "KINETRA", and abandons only that
// operation. Nothing is retried; data already written stay written.
#pragma once

#include "common/Seams.h"

#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace kinetra {

std::string describeException(const std::exception_ptr& error);

void reportUnexpectedError(Dialogs& dialogs, std::string_view placeCode,
                           const std::string& description);

// Runs op; returns true when it finished, false when it failed and was reported.
template <class Operation>
bool guarded(Dialogs& dialogs, std::string_view placeCode, Operation&& op) {
    try {
        std::forward<Operation>(op)();
        return true;
    } catch (...) {
        reportUnexpectedError(dialogs, placeCode, describeException(std::current_exception()));
        return false;
    }
}

} // namespace kinetra
