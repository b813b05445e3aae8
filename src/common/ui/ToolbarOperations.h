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

// Whether a window type has the operation: its table is read once, without a window.
template <class Window> bool windowOffers(ToolbarOperation operation) {
    static const std::set<ToolbarOperation> offered =
        operationsOf(Window::toolbarOperations(nullptr));
    return offered.contains(operation);
}

// Runs the table's command for the operation through `run` (the window's guarded call);
// false when the table has none.
inline bool runOperation(const ToolbarOperationTable& table, ToolbarOperation operation,
                         const std::function<void(const std::function<void()>&)>& run) {
    const auto it = table.find(operation);
    if (it == table.end())
        return false;
    run(it->second);
    return true;
}

} // namespace kinetra::ui
