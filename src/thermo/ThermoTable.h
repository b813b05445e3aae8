// The model behind the grid of the thermo window: which rows of the species table are shown,
// how each cell reads, the status texts and every editing command of the window. The Qt grid is
// a thin adapter over this; nothing here touches a widget.
//
// Every command works on the file directly and re-reads the shown rows afterwards (refresh), so
// the grid never holds edits the file does not have. Multi-row edits run in one transaction.
// Unexpected store errors leave the commands as exceptions; the adapter reports them with the
// place code of the menu item.
#pragma once

#include "common/Seams.h"
#include "store/Database.h"
#include "store/KeyedView.h"
#include "thermo/NasaTextReader.h"
#include "thermo/SpeciesSearch.h"
#include "thermo/SpeciesTable.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoPaste.h"
#include "thermo/ThermoTabulation.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace kinetra::thermo {

// Choices that last for the program run rather than for one window.
struct ThermoRunSettings {
    ReadOptions::NameRule nameRule = ReadOptions::NameRule::FirstBlank;
};

inline constexpr const char* kViewOnlyStatus =
    "You should close all reaction windows to edit the THERMO table.";

enum class TextSize { Large, Normal, Small };

// Columns that the toolbar shows and hides together.
enum class ColumnGroup { Plain, Polynomial, Phase };

struct GridColumn {
    std::string field;
    std::string caption;
    std::string format;       // a number pattern, or empty for the stored text
    bool bookkeeping = false; // marks the program keeps for itself: never shown
    bool derived = false;     // computed from other fields: shown, not typed into
    bool numeric = false;
    ColumnGroup group = ColumnGroup::Plain;
    int elementSlot = 0; // N1..N10: the slot 1..10
};

// The Paste Special window: letter case, name rule and the default common temperature.
struct PasteSpecialModel {
    static constexpr const char* kTitle = "THERMO  Paste Special";
    static constexpr const char* kLetterCaseFrame =
        "Convert names and chemical element symbols to the following letter case";
    static constexpr const char* kLetterCaseNo = "No";
    static constexpr const char* kLetterCaseUpper = "Uppercase";
    static constexpr const char* kLetterCaseLower = "Lowercase";
    static constexpr const char* kNameRuleFrame = "Species name is defined as";
    static constexpr const char* kNameRuleFirst16 = "The first 16 characters";
    static constexpr const char* kNameRuleFirstBlank =
        "Characters from the first position to the first blank space";
    static constexpr const char* kTcomFrame = "Common temperature of temperature intervals";
    static constexpr const char* kTcomCheckBox = "Insert default value";
    static constexpr const char* kBadTcom = "Common temperature, please enter a positive number.";

    explicit PasteSpecialModel(const ThermoRunSettings& settings) : nameRule(settings.nameRule) {}

    ReadOptions::LetterCase letterCase = ReadOptions::LetterCase::No;
    ReadOptions::NameRule nameRule;
    bool insetDefaultTcom = false;
    std::string tcomText = "1000.0";
    // Set when OK refused the value: the window selects the value box for correction.
    bool tcomSelected = false;

    // OK: the options to paste with (the name rule then lasts for the run), or nothing after
    // the refusal message.
    std::optional<ReadOptions> accept(Dialogs& dialogs, ThermoRunSettings& settings);
};

class ThermoTable {
public:
    using OpenTextFile =
        std::function<void(const std::filesystem::path& file, const std::string& caption)>;

    // supportDir holds the scratch files TmpPlot.txt and CHEM01.TMP, programDir ErrorMsg.txt.
    ThermoTable(ThermoDatabase& database, Ui& ui, ThermoRunSettings& settings,
                OpenTextFile openTextFile, std::filesystem::path supportDir,
                std::filesystem::path programDir);

    // ---- Rows shown ---------------------------------------------------------------------
    // Re-reads the rows of the view and the grid description.
    void refresh();
    const store::RowSet& rows() const { return grid_.rows(); }
    // Counts the re-reads of the rows: a window that shows the table compares it with the count
    // it last drew to know whether the data changed.
    std::uint64_t revision() const { return revision_; }
    std::size_t rowCount() const { return grid_.size(); }
    SpeciesView view() const { return view_; }
    bool isAllView() const { return view_ == SpeciesView::All; }
    // Shows another set of rows; the first row becomes current.
    void setView(SpeciesView view);
    void showAll();
    // Both re-check all species first. When no row qualifies the message names the database
    // and the view stays; false then.
    bool showValid();
    bool showInvalid();

    // ---- Grid description ---------------------------------------------------------------
    // One column per field of the species table, in field order.
    const std::vector<GridColumn>& columns() const { return columns_; }
    bool isColumnVisible(std::size_t column) const;
    bool isColumnEditable(std::size_t column) const;
    std::string cellText(std::size_t row, std::size_t column) const;
    // The row's Info is negative: the window draws it in the invalid colour.
    bool isInvalid(std::size_t row) const;

    // "Show/Hide Phase" shows or hides phase, charge and element columns together;
    // "Show/Hide Polynomials" the coefficient columns A1..A15.
    bool phaseShown() const { return phaseShown_; }
    void togglePhase() { phaseShown_ = !phaseShown_; }
    bool polynomialsShown() const { return polynomialsShown_; }
    void togglePolynomials() { polynomialsShown_ = !polynomialsShown_; }
    TextSize textSize() const { return textSize_; }
    void setTextSize(TextSize size) { textSize_ = size; }

    // ---- Cursor, selection and status ---------------------------------------------------
    std::optional<std::size_t> currentRow() const { return grid_.current(); }
    // The row change of the grid: updates the status message. The grid reports its own
    // selection separately.
    void setCurrentRow(std::optional<std::size_t> row);
    // A command moved the cursor (Find): the row becomes current and the only one selected, so
    // that the highlight shows where edits, numeric data and deletions will go.
    void moveCursorTo(std::size_t row);
    std::set<std::size_t> selection() const { return grid_.selection(); }
    void setSelection(std::set<std::size_t> rows);
    void selectAll();

    std::string rowCountText() const;
    // The message pane: the current row's state, or the view-only notice.
    const std::string& statusMessage() const { return status_; }
    // The current row's state: a name fault first (empty, "NEW<", forbidden symbol, misplaced
    // plus), then a duplicate name anywhere in the table, then the other faults of the check.
    // Empty for a sound row or when there is no current row.
    std::string currentRowMessage() const;

    // While a reaction window is open the table may be viewed only.
    void setViewOnly(bool viewOnly);
    bool viewOnly() const { return viewOnly_; }

    // ---- Editing ------------------------------------------------------------------------
    // Each returns false when it did not change the file (refused, cancelled, nothing to do).
    // Every command that changes species data or their order sets the database's must-save
    // flag; the marks of paste and copy alone do not.

    // Writes one typed cell. Numeric columns take numbers only (an empty text clears the
    // field, except in the "No" column).
    bool setCell(std::size_t row, std::size_t column, const std::string& text);
    // A "NEW<" row after the current row, read like pasted text; the clipboard is not touched.
    bool insertNewRow();
    // The clipboard text after the current row; the pasted rows are then shown. A cancelled
    // or empty paste leaves every row as it was, the marks of the previous paste included.
    PasteResult paste();
    PasteResult paste(const ReadOptions& options);
    // Paste Special's OK followed by the paste.
    PasteResult pasteSpecial(PasteSpecialModel& dialog);
    // Selects the rows of the view that the last paste added.
    void undoPaste();
    // The selected rows (the current one when none are selected) to the clipboard.
    bool copy();
    // Copy, then delete. Rows the clipboard text could not carry would be lost, so then
    // nothing is deleted.
    bool cut();
    // Asks first, naming the count; deletes on Yes.
    bool deleteSelected();
    bool renumber();

    // The valid species as a thermo document in TmpPlot.txt, opened in a text window.
    void databaseDocument();

    // ---- Find and filters -----------------------------------------------------------------
    // Moves the current row to the next row of the view whose name (or reference) matches;
    // "End of search." when a forward search runs out. False when nothing was found.
    bool find(std::string_view pattern, FindDirection direction, FilterField field);
    // Filters the whole table and shows the kept rows; when none match, the message names the
    // database and the view stays. Filters only mark rows, so they work while viewing only.
    bool filter(FilterField field, std::string_view pattern);
    bool filterByElements(const std::array<bool, kSlotCount>& checked);

    // ---- Functions of one species ---------------------------------------------------------
    // The series for the chart of a row (the double click on its header).
    std::optional<ChartHandOver> chartOfRow(std::size_t row, ThermoChartSettings& settings,
                                            const GasConstants& gas, bool addToExisting);
    // The numeric data of the current species in TmpPlot.txt, opened in a text window whose
    // caption ends with "  Numeric Data". False when there was nothing to write.
    bool numericDataOfCurrentSpecies(ThermoChartSettings& settings, const GasConstants& gas);

private:
    bool refuseWhenViewOnly();
    void updateStatus();
    void buildColumns();
    std::int64_t insertionNum() const;
    struct CopyOutcome {
        bool copied = false;
        bool complete = false; // every chosen row reached the clipboard
    };
    CopyOutcome copyRows();
    PasteResult pasteText(std::string text, const ReadOptions& options);
    void deleteKeys(const std::vector<std::int64_t>& keys);

    ThermoDatabase& database_;
    Ui& ui_;
    ThermoRunSettings& settings_;
    OpenTextFile openTextFile_;
    std::filesystem::path supportDir_;
    std::filesystem::path programDir_;

    SpeciesView view_ = SpeciesView::All;
    store::KeyedView grid_;
    std::uint64_t revision_ = 0;
    std::unordered_map<std::string, int> nameCounts_; // over the whole table
    std::vector<GridColumn> columns_;
    std::string status_;
    TextSize textSize_ = TextSize::Normal;
    bool viewOnly_ = false;
    bool phaseShown_ = true;
    bool polynomialsShown_ = true;
};

} // namespace kinetra::thermo
