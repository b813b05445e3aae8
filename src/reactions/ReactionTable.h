// The model behind the grid of a reaction window: which records of the reaction table are
// shown, how each cell reads, the reason text of the current row and every command of the
// window (editing, views, find and filters, duplicates, the mechanism document). The Qt grid is
// a thin adapter over this; nothing here touches a widget.
//
// Every command works on the file and re-reads the shown rows afterwards (refresh), so the grid
// never holds what the file does not. Rows are addressed by their store key, never by Num,
// which users edit and which deletes leave with gaps. Multi-row edits run in one transaction.
// Unexpected store errors leave the commands as exceptions; the adapter reports them.
#pragma once

#include "common/Seams.h"
#include "reactions/RatePlotSettings.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ReactionPaste.h"
#include "reactions/ReactionTextWriter.h"
#include "reactions/ReactionViews.h"
#include "reactions/ThermoSpeciesList.h"
#include "store/Database.h"
#include "store/KeyedView.h"
#include "thermo/ThermoDatabase.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kinetra::reactions {

// Choices that last for the program run rather than for one window.
struct ReactionRunSettings {
    RefusalMemory refusals;
    bool stoichiometric = true;
    std::array<bool, 11> elementTicks{}; // slots 1..10 of the elements filter; 0 unused
    MechanismOptions mechanism;
    RatePlotSettings ratePlot; // the rate and equilibrium constant tables
};

inline constexpr const char* kNewReactionLine = "NEW = NEW 0 0 0";

// The texts of the search windows.
namespace reaction_search {
inline constexpr const char* kTitle = "KINETRA, Reactions";
inline constexpr const char* kEndOfSearch = "End of search.";
inline constexpr const char* kFindCaption = "Find reaction";
inline constexpr const char* kSpeciesField = "Reactant/Product Name";
inline constexpr const char* kReactantsBox = "Reactants";
inline constexpr const char* kProductsBox = "Products";
inline constexpr const char* kNoSideChecked = "Check the Reactants or/and Products check boxes.";
inline constexpr const char* kThirdBodyField = "Third Body Name";
inline constexpr const char* kRowNumberField = "Row Number";
inline constexpr const char* kRowNumberIs = "is";
inline constexpr const char* kPositiveInteger = "Please enter a positive integer.";
inline constexpr const char* kSpeciesFilterCaption = "From entire database, filter reactions where";
inline constexpr const char* kReactantsLike = "Reactants LIKE";
inline constexpr const char* kProductsLike = "Products LIKE";
inline constexpr const char* kAnd = "And";
inline constexpr const char* kOr = "Or";
inline constexpr const char* kReferencesCaption = "Reactions References";
inline constexpr const char* kFindReferenceLabel = "Find reaction where reference LIKE";
inline constexpr const char* kFindNext = "Find Next";
inline constexpr const char* kFilterReferenceLabel =
    "From entire database,\nfilter reactions where references LIKE";
inline constexpr const char* kFilterButton = "Filter";
inline constexpr const char* kMatchCase = "Match case";
inline constexpr const char* kElementsCaption = "KINETRA Filter by Elements";
inline constexpr const char* kElementsText =
    "From entire database, filter valid reactions where reactants and "
    "products are composed of the checked chemical elements.";
inline constexpr const char* kFreeSlot = "--";
} // namespace reaction_search

inline constexpr const char* kToggleParameters = "Show/Hide reversible and low-pressure parameters";
inline constexpr const char* kToggleThirdBodies = "Show/Hide Third Bodies";
inline constexpr const char* kToggleComposition = "Show/Hide Molecular Formula";

enum class ReactionTextSize { Large, Normal, Small };

// Columns that the toolbar shows and hides together.
enum class ReactionColumnGroup {
    Plain,
    Parameters,  // AL nL EL Ta..Te: reverse and low-pressure parameters
    ThirdBodies, // S1/E1..S10/E10
    Composition,
    Hidden, // bookkeeping and the species slots: never shown
};

struct ReactionColumn {
    std::string field;
    std::string caption;
    std::string format;    // a number pattern, or empty for the stored text
    std::string headerTip; // the units of A and E
    ReactionColumnGroup group = ReactionColumnGroup::Plain;
    bool checkBox = false; // Enabled
};

enum class FindDirection { Down, Up, All };
enum class ReactionFindField { Species, ThirdBody, RowNumber };

struct ReactionFindRequest {
    ReactionFindField field = ReactionFindField::Species;
    std::string pattern;
    bool reactants = true, products = true; // which slots a species search looks at
    FindDirection direction = FindDirection::Down;
};

enum class SpeciesFilterJoin { And, Or };

struct SpeciesFilterRequest {
    std::string reactant1, reactant2, product1, product2;
    SpeciesFilterJoin join = SpeciesFilterJoin::And;
};

// Whether the reactant or product names match the two patterns of one side of the species
// filter: each pattern needs a name of its own (the second never reuses the name the first
// matched); an empty pattern or "*" is always satisfied.
bool sideMatches(const std::vector<std::string>& names, std::string_view first,
                 std::string_view second);

// Whether a composition text ("H1O1 + O1 = O2 + H1") holds only ticked elements; symbols[1..10]
// are the slot symbols. An empty composition (an invalid reaction) never qualifies.
bool compositionOfTickedElements(const std::string& composition,
                                 const std::array<std::string, 11>& symbols,
                                 const std::array<bool, 11>& ticked);

// The Paste Special window: the units of A and E and the letter case, which start from their
// first entries whenever the window opens, and the stoichiometric tick, which shows the flag of
// the run.
struct ReadingOptionsDialogModel {
    int aUnits = 0;     // index into reading_window::kAUnitNames
    int eUnits = 0;     // reading_window::kEUnitNames
    int letterCase = 0; // reading_window::kLetterCaseNames
    bool stoichiometric = true;

    void open(const ReactionRunSettings& settings);
    // OK: the options to paste with; the tick becomes the flag of the run.
    ReadingOptions accept(ReactionRunSettings& settings) const;
};

class ReactionTable {
public:
    using OpenTextFile =
        std::function<void(const std::filesystem::path& file, const std::string& caption)>;

    // supportDir holds the scratch files TmpPlot.txt and CHEM01.TMP, programDir ErrorMsg.txt.
    ReactionTable(ReactionDatabase& database, const ThermoSpeciesList& species,
                  thermo::ThermoDatabase& thermo, Ui& ui, ReactionRunSettings& settings,
                  UnitConstants constants, std::filesystem::path supportDir,
                  std::filesystem::path programDir, OpenTextFile openTextFile);

    // ---- Rows shown ---------------------------------------------------------------------
    // Re-reads the rows of the view; the cursor follows its record.
    void refresh();
    const store::RowSet& rows() const { return grid_.rows(); }
    std::size_t rowCount() const { return grid_.size(); }
    ReactionView view() const { return view_; }
    bool isAllView() const { return view_ == ReactionView::All; }
    // Shows another set of rows; the first row becomes current.
    void setView(ReactionView view);
    // Marks every record (Tmp = 1) and shows them all.
    void showAll();
    // When no record qualifies, the message names the database, every record is shown again
    // and false is returned.
    bool showValid();
    bool showInvalid();

    // ---- Grid description ---------------------------------------------------------------
    const std::vector<ReactionColumn>& columns() const { return columns_; }
    bool isColumnVisible(std::size_t column) const;
    std::string cellText(std::size_t row, std::size_t column) const;
    bool isInvalid(std::size_t row) const;

    bool parametersShown() const { return parametersShown_; }
    void toggleParameters() { parametersShown_ = !parametersShown_; }
    bool thirdBodiesShown() const { return thirdBodiesShown_; }
    void toggleThirdBodies() { thirdBodiesShown_ = !thirdBodiesShown_; }
    bool compositionShown() const { return compositionShown_; }
    void toggleComposition() { compositionShown_ = !compositionShown_; }
    ReactionTextSize textSize() const { return textSize_; }
    void setTextSize(ReactionTextSize size) { textSize_ = size; }

    // ---- Cursor, selection and status ---------------------------------------------------
    std::optional<std::size_t> currentRow() const { return grid_.current(); }
    // The grid's cursor moved (the grid reports its own selection separately).
    void setCurrentRow(std::optional<std::size_t> row);
    // A command moved the cursor (Find): the row becomes current and the only one selected, so
    // that the highlight shows where edits, numeric data and deletions will go.
    void moveCursorTo(std::size_t row);
    // The selected rows in the order the user picked them: the paste marks follow that order.
    void setSelection(std::vector<std::size_t> rowsInOrder);
    const std::vector<std::size_t>& selectionOrder() const { return grid_.selectionOrder(); }
    std::set<std::size_t> selection() const { return grid_.selection(); }
    void selectAll();

    std::string rowCountText() const; // "325 reactions"
    // Why the current row is not a sound reaction, or empty: the check's reason, then the
    // note on an undeclared duplicate.
    std::string currentRowReason() const;

    // ---- Editing ------------------------------------------------------------------------
    // Each returns false when it did not change the file. Changing records sets the
    // database's modified flag.

    // One invalid "NEW" record after the current row, then shown as the pasted row.
    bool insertNewRow();
    // The clipboard text after the current row (default options with the run's stoichiometric
    // flag); added records are then shown.
    ReadResult paste();
    ReadResult paste(const ReadingOptions& options);
    ReadResult pasteSpecial(const ReadingOptionsDialogModel& dialog);
    // Deletes the records the last paste added.
    bool undoPaste();
    // The selected records (the current one when none) to the clipboard and CHEM01.TMP.
    bool copy();
    bool cut();
    bool deleteSelected();
    // The grid's own deletion of rows (its Delete key).
    bool deleteGridRows(const std::set<std::size_t>& rows);
    bool renumber();

    // The mechanism of the view's valid records in TmpPlot.txt, opened as "Reaction Mechanism".
    void mechanismDocument();
    // Groups reactions that are equal or each other's reverse and shows them.
    bool trueDuplicates();

    // ---- Find and filters -----------------------------------------------------------------
    // Moves the cursor (All: selects every match). Returns the number of rows found.
    std::size_t find(const ReactionFindRequest& request);
    bool findReference(std::string_view pattern, FindDirection direction, bool matchCase);
    bool filterBySpecies(const SpeciesFilterRequest& request);
    bool filterByReference(std::string_view pattern, bool matchCase);
    // The ticks last for the run.
    bool filterByElements(const std::array<bool, 11>& ticks);
    // The caption of an element slot's tick box: its symbol, or "--" for a free slot.
    std::string elementTickCaption(int slot) const;

private:
    void buildColumns();
    std::int64_t currentNum() const;
    void deleteKeys(const std::vector<std::int64_t>& keys, const char* allGoneMessage);
    void viewOrShowAll(ReactionView view, const std::string& emptyMessage);
    // Marks and shows the records of the view, or says that it holds nothing and shows all.
    bool showMarked(ReactionView view, const char* what);
    // Writes Tmp (0 for all, 1 for the kept keys) in one transaction and shows the filtered
    // view, or the not-found message and every record.
    bool applyFilter(const std::vector<std::int64_t>& kept);
    std::string databaseMessage(const std::string& what) const;
    template <class Match> std::size_t findRows(FindDirection direction, Match match);

    ReactionDatabase& database_;
    const ThermoSpeciesList& species_;
    thermo::ThermoDatabase& thermo_;
    Ui& ui_;
    ReactionRunSettings& settings_;
    UnitConstants constants_;
    std::filesystem::path supportDir_;
    std::filesystem::path programDir_;
    OpenTextFile openTextFile_;

    ReactionView view_ = ReactionView::All;
    store::KeyedView grid_;
    std::unordered_map<std::int64_t, std::vector<std::int64_t>> undeclared_; // key -> other Nums
    std::vector<ReactionColumn> columns_;
    ReactionTextSize textSize_ = ReactionTextSize::Normal;
    bool parametersShown_ = true;
    bool thirdBodiesShown_ = true;
    bool compositionShown_ = false;
};

} // namespace kinetra::reactions
