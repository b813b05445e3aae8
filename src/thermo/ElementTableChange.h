// Applying an edited element table to the database: the slots are rewritten and every species
// moves to the slots that now hold its elements; species with an element that no slot holds any
// more leave the table. This is the OK of the element editor after its checks.
#pragma once

#include "common/Seams.h"
#include "thermo/ElementEditor.h"
#include "thermo/ThermoDatabase.h"

#include <filesystem>

namespace kinetra::thermo {

struct ElementChangeResult {
    bool applied = false;
    int kept = 0;
    int removed = 0;
};

// Runs the editor's checks and question, then applies the rows. The clipboard receives the
// thermo text (with comments) of the whole table as it was. Removed species are reported like
// the paste reports species with unknown elements, ErrorMsg.txt included when errorFile is set.
// The must-save flag is set. A failure leaves the file as it was and is rethrown.
ElementChangeResult applyElementRows(ThermoDatabase& database, Ui& ui, const ElementRows& before,
                                     const ElementRows& rows,
                                     const std::filesystem::path& errorFile);

} // namespace kinetra::thermo
