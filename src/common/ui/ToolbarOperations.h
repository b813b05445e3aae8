// A document window's toolbar operations as a table: the window builds it once with itself
// behind the commands, and once without a window (null) only to say which operations it has,
// so that the main window enables exactly the buttons the window can carry out.
#pragma once

#include "common/ToolbarOperation.h"

#include <functional>
#include <map>
#include <set>

namespace kinetra::ui {

using ToolbarOperationTable = std::map<ToolbarOperation, std::function<void()>>;

inline std::set<ToolbarOperation> operationsOf(const ToolbarOperationTable& table) {
    std::set<ToolbarOperation> operations;
    for (const auto& entry : table)
        operations.insert(entry.first);
    return operations;
}

} // namespace kinetra::ui
