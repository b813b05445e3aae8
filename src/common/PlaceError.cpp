#include "common/PlaceError.h"

#include <stdexcept>

namespace kinetra {

std::string describeException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

void reportUnexpectedError(Dialogs& dialogs, std::string_view placeCode,
                           const std::string& description) {
    dialogs.message(std::string(placeCode) + description, "KINETRA", Icon::Exclamation);
}

} // namespace kinetra
