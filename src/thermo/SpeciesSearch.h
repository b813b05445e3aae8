// Find and filter over the species table. Finds walk the rows of the current view; filters mark
// the rows to keep in the `Tmp` field of the whole table ("1" kept, "0" not), so the grid shows
// a filter by re-querying with the filtered view statement. Patterns go through the one
// wildcard matcher, letter case respected.
#pragma once

#include "common/Seams.h"
#include "thermo/SpeciesRecord.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::store {
class Connection;
}

namespace kinetra::thermo {

inline constexpr std::string_view kSearchTitle = "KINETRA, THERMO";
inline constexpr std::string_view kEndOfSearchMessage = "End of search.";

// Find dialog (species names).
inline constexpr std::string_view kFindDialogTitle = "Find Dialog";
inline constexpr std::string_view kFindSpeciesLabel = "Find species whose name LIKE";
inline constexpr std::string_view kFindInitialPattern = "*";
inline constexpr std::string_view kFindDirectionDown = "Down";
inline constexpr std::string_view kFindDirectionUp = "Up";
inline constexpr std::string_view kFindDirectionAll = "All";
inline constexpr std::string_view kFindNextButton = "Find Next";

// Filter dialog (species names). The button caption is the program's own, misspelt as it is.
inline constexpr std::string_view kFilterDialogTitle = "Filter Dialog";
inline constexpr std::string_view kFilterSpeciesLabel =
    "From entire database,\nfilter species whose names LIKE";
inline constexpr std::string_view kFilterSpeciesButton = "Filter";

// The combined find/filter dialog of the references.
inline constexpr std::string_view kReferenceDialogTitle = "Find/Filter";
inline constexpr std::string_view kFindReferenceLabel = "Find row where reference LIKE";
inline constexpr std::string_view kFilterReferenceLabel =
    "From entire database,\nfilter rows where references LIKE";
inline constexpr std::string_view kFilterReferenceButton = "Filter";

// Elements filter dialog.
inline constexpr std::string_view kFilterElementsLabel =
    "From entire database, filter species that are composed of the checked chemical elements.";
inline constexpr std::string_view kFreeSlotCaption = "--";

// The caption of a slot's tick box: its symbol, or "--" for a free slot.
std::string elementCheckCaption(const ElementTable& elements, int slot);

// ---- Find -----------------------------------------------------------------------------------

enum class FindDirection { Down, Up, All };

struct FindResult {
    std::optional<std::size_t> found; // the row that becomes current
    bool endOfSearch = false;         // show kEndOfSearchMessage
};

// Searches `values` (one field of the view's rows, in view order) starting next to `current`:
// Down and All towards the last row, Up towards the first. A forward search that runs out
// reports the end of search; an Up search that runs out reports nothing and leaves the current
// row alone, as the grid has no message for reaching the top. A `current` past the last row
// (no current row) makes Down/All end at once and Up start from the last row.
FindResult findNext(const std::vector<std::string>& values, std::size_t current,
                    std::string_view pattern, FindDirection direction);

// findNext, showing "End of search." (Information) when a forward search runs out.
std::optional<std::size_t> findNextAndReport(Dialogs& dialogs,
                                             const std::vector<std::string>& values,
                                             std::size_t current, std::string_view pattern,
                                             FindDirection direction);

// ---- Filters --------------------------------------------------------------------------------

enum class FilterField { Species, Reference };

// Marks the rows whose field matches `pattern` and returns how many were kept. When none
// matches, nothing is written: the marks of the previous filter stay as they were, so the
// previous view still shows the same rows, and 0 is returned for the caller to report.
std::size_t filterByPattern(store::Connection& connection, FilterField field,
                            std::string_view pattern);

// checked[1..10]: the ticked element slots (checked[0], the electron, is not looked at).
// Keeps the rows whose elements are all ticked; a row without any element is kept only when
// nothing is ticked. Same no-match rule as filterByPattern.
std::size_t filterByElements(store::Connection& connection,
                             const std::array<bool, kSlotCount>& checked);

// "In the thermodynamic database <file name>, the search item was not found."
std::string notFoundMessage(const std::filesystem::path& database);
// Shows notFoundMessage under kSearchTitle (Information).
void showNotFound(Dialogs& dialogs, const std::filesystem::path& database);

} // namespace kinetra::thermo
