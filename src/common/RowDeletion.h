// The question before a grid deletes rows. Deleting goes straight into the database file and
// nothing but the saved copy brings the rows back, so every table window asks first and names
// how many rows will go: a user who meant one row and had a hundred highlighted finds out here.
#pragma once

#include "common/Seams.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kinetra {

// "Do you want to delete 3 species?" / "Do you want to delete 1 reaction?"; the noun in the
// singular and the plural form of the table's records.
std::string deleteRowsQuestion(std::size_t count, std::string_view singular,
                               std::string_view plural);

// Asks the question (Yes/No, No by default: the answer removes data); true on Yes.
bool confirmRowDeletion(Dialogs& dialogs, std::size_t count, std::string_view singular,
                        std::string_view plural);

} // namespace kinetra
