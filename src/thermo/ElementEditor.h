// The pure logic of the element editor: the ten element slots of a thermo database as editable
// text rows, the built-in periodic table behind the weight proposal, the checks of OK and the
// writing of the slots. The grid and the apply cycle (which cuts and re-pastes the species) sit
// on top of this.
//
// Symbols are compared with letter case respected everywhere except in the periodic table
// lookup, as species are matched to slots that way (ElementTable::slotOf): "Cl" and "CL" are
// two different slots, and changing "CL" to "Cl" removes "CL".
#pragma once

#include "common/Seams.h"
#include "thermo/SpeciesRecord.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::store {
class Connection;
}

namespace kinetra::thermo {

// ---- Periodic table -------------------------------------------------------------------------

struct PeriodicElement {
    int number;         // atomic number
    const char* symbol; // as the program writes it; aluminium is "AL"
    float weight;       // g/mol, kept in single precision
};

// Atomic numbers 1..109 in order.
std::span<const PeriodicElement> periodicTable();

// The entry of a symbol, letter case ignored ("Al" finds "AL"); blanks around are ignored.
const PeriodicElement* findElement(std::string_view symbol);

// The weight text proposed when a symbol has been typed: the built-in weight to five decimals
// ("26.9815" for "al"), or "0" for an unknown or empty symbol.
std::string proposedWeight(std::string_view symbol);

// ---- Editor rows ----------------------------------------------------------------------------

inline constexpr int kElementRowCount = 10;

inline constexpr std::string_view kElementColumnNo = "No";
inline constexpr std::string_view kElementColumnSymbol = "Element";
inline constexpr std::string_view kElementColumnWeight = "El. weight";
inline constexpr std::string_view kElementWeightFormat = "0.#####";

// Grid columns, for the cell of a refusal.
enum ElementColumn : int { kColumnNo = 0, kColumnSymbol = 1, kColumnWeight = 2 };

inline constexpr std::string_view kElementEditorHint =
    "To enter an element, type the element name and the element weight in the corresponding "
    "fields, click OK. To remove an element, delete its name, click OK.\nImportant. If an "
    "element is removed from the table, all species from the THERMO table, containing this "
    "element, will be removed as well.";

inline constexpr std::string_view kElementEditorTitle = "KINETRA";

// Row i of the editor is slot i + 1; `num` is what the grid shows.
struct ElementRow {
    int num = 0;        // slot 1..10
    std::string symbol; // as typed
    std::string weight; // as typed
};
using ElementRows = std::array<ElementRow, kElementRowCount>;

// Ten free slots numbered 1..10.
ElementRows emptyElementRows();

// The slots of the database ("SELECT * FROM [Elements] Order By Num"), weights formatted with
// kElementWeightFormat. A slot missing from the table stays free; rows with a Num outside 1..10
// are ignored, and of two rows with the same Num the first is taken.
ElementRows loadElementRows(store::Connection& connection);

// ---- OK -------------------------------------------------------------------------------------

struct ElementValidation {
    bool ok = true;
    int row = -1; // 0-based row of the refused cell
    int column = -1;
    std::string message; // empty when ok
};

// The checks of OK, row by row; the first refusal ends them. For each row with a symbol (blanks
// trimmed): at most two characters, no digit, a weight that is a number above 0, and no later
// row with the same symbol (letter case respected).
ElementValidation validateElementRows(const ElementRows& rows);

// Symbols of `before` (the loaded slots) that no row holds any more, in slot order.
std::vector<std::string> removedSymbols(const ElementRows& before, const ElementRows& rows);

// The Yes/No question for removed symbols; empty when nothing is removed.
std::string removalQuestion(const std::vector<std::string>& removed);

// The whole OK: validation (refusal shown under "KINETRA" with Icon::Exclamation), then the
// removal question when symbols disappear. Returns the validation, with ok false also when the
// user answers No (row and column are then -1 and message empty).
ElementValidation confirmElementRows(Dialogs& dialogs, const ElementRows& before,
                                     const ElementRows& rows);

// Writes the ten slots to [Elements] in one transaction (a step of the caller's transaction when
// there is one): Num, the trimmed symbol and the weight (an empty symbol or unreadable weight
// stores "" and 0). Rows missing from the table are added.
void writeElementRows(store::Connection& connection, const ElementRows& rows);

// The slots as the rest of the thermo code uses them; slot 0 stays the electron.
ElementTable toElementTable(const ElementRows& rows);

} // namespace kinetra::thermo
