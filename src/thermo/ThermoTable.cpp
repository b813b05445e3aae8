#include "thermo/ThermoTable.h"

#include "common/FileNames.h"
#include "common/NumberFormat.h"
#include "common/RowDeletion.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "store/Schema.h"
#include "thermo/NasaTextWriter.h"
#include "thermo/SpeciesCheck.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

#include <algorithm>

namespace kinetra::thermo {

namespace fs = std::filesystem;
using store::Value;

namespace {

constexpr const char* kTitle = "KINETRA";
constexpr const char* kEnterNumber = "Please enter a number.";
// Above this many rows the long commands say that they are working.
constexpr std::size_t kLargeCount = 500;

bool isComposition(std::size_t field) {
    return field == trm::kCh || (field >= trm::kN1 && field < trm::kN1 + 10);
}

bool isCoefficient(std::size_t field) {
    return field >= trm::kA1 && field < trm::kA1 + 15;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += "\n";
        text += line;
    }
    return text;
}

} // namespace

// ---- Paste Special ---------------------------------------------------------------------------

std::optional<ReadOptions> PasteSpecialModel::accept(Dialogs& dialogs,
                                                     ThermoRunSettings& settings) {
    tcomSelected = false;
    ReadOptions options;
    if (insetDefaultTcom) {
        const std::optional<double> tcom = parseNumber(tcomText);
        if (!tcom || *tcom <= 0) {
            dialogs.message(kBadTcom, kTitle, Icon::Exclamation);
            tcomSelected = true;
            return std::nullopt;
        }
        options.defaultTcom = tcom;
    }
    settings.nameRule = nameRule;
    options.letterCase = letterCase;
    options.nameRule = nameRule;
    return options;
}

// ---- The table -------------------------------------------------------------------------------

ThermoTable::ThermoTable(ThermoDatabase& database, Ui& ui, ThermoRunSettings& settings,
                         OpenTextFile openTextFile, fs::path supportDir, fs::path programDir)
    : database_(database), ui_(ui), settings_(settings), openTextFile_(std::move(openTextFile)),
      supportDir_(std::move(supportDir)), programDir_(std::move(programDir)) {
    refresh();
}

void ThermoTable::buildColumns() {
    const auto& fields = store::trmSchema().fields;
    const ElementTable& elements = database_.elements();
    columns_.clear();
    columns_.reserve(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        GridColumn c;
        c.field = fields[i].name;
        c.caption = c.field;
        c.numeric = fields[i].type != store::FieldType::Text;
        switch (i) {
        case trm::kSelT:
        case trm::kTDB:
        case trm::kTmp:
        case trm::kInfo:
        case trm::kPol:
        case trm::kUPaste:
            c.bookkeeping = true;
            break;
        case trm::kNum:
            c.caption = "No";
            break;
        case trm::kSpecies:
            c.caption = "Species Name";
            break;
        case trm::kMolFormula:
            c.caption = "Mol. Formula";
            c.derived = true;
            break;
        case trm::kMW:
            c.caption = "MW";
            c.format = "0.#####";
            c.derived = true;
            break;
        case trm::kSt:
            c.caption = "Ph";
            c.group = ColumnGroup::Phase;
            break;
        case trm::kCh:
            c.caption = "E";
            c.group = ColumnGroup::Phase;
            break;
        case trm::kTbound:
            c.caption = "Tcom";
            break;
        default:
            break;
        }
        if (isCoefficient(i)) {
            c.format = "0.00000000E+00";
            c.group = ColumnGroup::Polynomial;
        } else if (i >= trm::kN1 && i < trm::kN1 + 10) {
            c.elementSlot = static_cast<int>(i - trm::kN1) + 1;
            c.caption = elements.symbols[c.elementSlot];
            c.format = "0";
            c.group = ColumnGroup::Phase;
        }
        columns_.push_back(std::move(c));
    }
}

void ThermoTable::refresh() {
    store::Connection db = database_.connection();
    grid_.reload(db, speciesViewQuery(view_));
    ++revision_;
    nameCounts_.clear();
    for (const store::Row& row : db.query("SELECT Species FROM [Trm];").rows)
        ++nameCounts_[store::toText(row[0])];
    buildColumns();
    updateStatus();
}

void ThermoTable::setView(SpeciesView view) {
    view_ = view;
    grid_.restart();
    refresh();
}

void ThermoTable::showAll() {
    setView(SpeciesView::All);
}

bool ThermoTable::showValid() {
    store::Connection db = database_.connection();
    checkAllSpecies(db);
    if (db.query(speciesViewQuery(SpeciesView::Valid)).rows.empty()) {
        ui_.dialogs.message("In the thermodynamic database " + database_.fileName() +
                                ", valid species were not found.",
                            kTitle, Icon::Exclamation);
        refresh();
        return false;
    }
    setView(SpeciesView::Valid);
    return true;
}

bool ThermoTable::showInvalid() {
    store::Connection db = database_.connection();
    checkAllSpecies(db);
    if (db.query(speciesViewQuery(SpeciesView::Invalid)).rows.empty()) {
        ui_.dialogs.message("In the thermodynamic database " + database_.fileName() +
                                ", invalid species were not found.",
                            kTitle, Icon::Exclamation);
        refresh();
        return false;
    }
    setView(SpeciesView::Invalid);
    return true;
}

// ---- Grid ------------------------------------------------------------------------------------

bool ThermoTable::isColumnVisible(std::size_t column) const {
    if (column >= columns_.size())
        return false;
    const GridColumn& c = columns_[column];
    if (c.bookkeeping)
        return false;
    if (c.group == ColumnGroup::Polynomial && !polynomialsShown_)
        return false;
    if (c.group == ColumnGroup::Phase && !phaseShown_)
        return false;
    return c.elementSlot == 0 || database_.elements().inUse(c.elementSlot);
}

bool ThermoTable::isColumnEditable(std::size_t column) const {
    return column < columns_.size() && !columns_[column].bookkeeping && !columns_[column].derived;
}

std::string ThermoTable::cellText(std::size_t row, std::size_t column) const {
    return store::cellText(grid_.row(row)[column], columns_.at(column).format);
}

bool ThermoTable::isInvalid(std::size_t row) const {
    return store::toInteger(grid_.row(row)[trm::kInfo]).value_or(0) < 0;
}

// ---- Cursor and status -----------------------------------------------------------------------

void ThermoTable::setCurrentRow(std::optional<std::size_t> row) {
    grid_.setCurrent(row);
    updateStatus();
}

void ThermoTable::moveCursorTo(std::size_t row) {
    grid_.moveCursorTo(row);
    updateStatus();
}

void ThermoTable::setSelection(std::set<std::size_t> rows) {
    grid_.setSelection({rows.begin(), rows.end()});
}

void ThermoTable::selectAll() {
    grid_.selectAll();
}

std::string ThermoTable::rowCountText() const {
    return std::to_string(grid_.size()) + " Species";
}

std::string ThermoTable::currentRowMessage() const {
    const std::optional<std::size_t> current = grid_.current();
    if (!current)
        return {};
    const store::Row& row = grid_.row(*current);
    const SpeciesCheckResult check = checkSpecies(speciesFromRow(row), true);
    const auto text = [&]() -> std::string {
        if (check.code == kForbiddenSymbol || check.code == kTooManyIonElements ||
            check.code == kTooManyElements)
            return check.detail;
        return speciesMessage(check.code);
    };
    // A name that is not a usable name says more than the fact that it occurs twice.
    switch (check.code) {
    case kNameEmpty:
    case kNewRow:
    case kForbiddenSymbol:
    case kMisplacedPlus:
        return text();
    default:
        break;
    }
    const std::string name = store::toText(row[trm::kSpecies]);
    const auto count = nameCounts_.find(name);
    if (count != nameCounts_.end() && count->second > 1)
        return speciesMessage(kDuplicateName);
    return check.code == kSpeciesValid ? std::string() : text();
}

void ThermoTable::setViewOnly(bool viewOnly) {
    viewOnly_ = viewOnly;
    updateStatus();
}

void ThermoTable::updateStatus() {
    status_ = viewOnly_ ? std::string(kViewOnlyStatus) : currentRowMessage();
}

bool ThermoTable::refuseWhenViewOnly() {
    if (!viewOnly_)
        return false;
    status_ = kViewOnlyStatus;
    return true;
}

// ---- Editing ---------------------------------------------------------------------------------

bool ThermoTable::setCell(std::size_t row, std::size_t column, const std::string& text) {
    if (refuseWhenViewOnly())
        return false;
    if (row >= grid_.size() || !isColumnEditable(column))
        return false;
    const GridColumn& c = columns_[column];
    Value value = text;
    if (c.numeric) {
        if (trimBlanks(text).empty() && column != trm::kNum) {
            value = Value();
        } else {
            const std::optional<double> number = parseNumber(text);
            if (!number) {
                ui_.dialogs.message(kEnterNumber, kTitle, Icon::Exclamation);
                return false;
            }
            value = *number;
            if (column == trm::kNum)
                value = store::toInteger(value).value_or(0);
        }
    }

    const std::int64_t key = grid_.rows().keys[row];
    store::Connection db = database_.connection();
    {
        store::Transaction transaction(db);
        const std::vector<std::vector<Value>> set{{value, Value(key)}};
        db.executeEach("UPDATE [Trm] SET [" + c.field + "] = ? WHERE rowid = ?", set);
        if (isComposition(column) || isCoefficient(column)) {
            const store::RowSet edited =
                db.query("SELECT * FROM [Trm] WHERE rowid = " + std::to_string(key) + ";");
            if (!edited.rows.empty()) {
                const auto derived = rowFromSpecies(speciesFromRow(edited.rows.front()),
                                                    database_.elements(), RowMarks{});
                std::vector<std::vector<Value>> update;
                if (isComposition(column)) {
                    update = {{derived[trm::kMolFormula], derived[trm::kMW], Value(key)}};
                    db.executeEach("UPDATE [Trm] SET MolFormula = ?, MW = ? WHERE rowid = ?",
                                   update);
                } else {
                    update = {{derived[trm::kPol], Value(key)}};
                    db.executeEach("UPDATE [Trm] SET Pol = ? WHERE rowid = ?", update);
                }
            }
        }
        transaction.commit();
    }
    // A new name can make or end a duplicate elsewhere in the table.
    checkAllSpecies(db);
    database_.setModified();
    refresh();
    return true;
}

std::int64_t ThermoTable::insertionNum() const {
    if (const auto current = grid_.current())
        return store::toInteger(grid_.row(*current)[trm::kNum]).value_or(0);
    // Without a cursor the rows go to the end, where they disturb no other row's number.
    store::Connection db = database_.connection();
    std::int64_t last = 0;
    for (const store::Row& row : db.query("SELECT Num FROM [Trm];").rows)
        last = std::max(last, store::toInteger(row[0]).value_or(0));
    return last;
}

PasteResult ThermoTable::paste() {
    ReadOptions options;
    options.nameRule = settings_.nameRule;
    return paste(options);
}

PasteResult ThermoTable::pasteSpecial(PasteSpecialModel& dialog) {
    if (refuseWhenViewOnly())
        return {};
    const std::optional<ReadOptions> options = dialog.accept(ui_.dialogs, settings_);
    if (!options)
        return {};
    return paste(*options);
}

PasteResult ThermoTable::paste(const ReadOptions& options) {
    if (refuseWhenViewOnly())
        return {};
    return pasteText(ui_.clipboard.text(), options);
}

PasteResult ThermoTable::pasteText(std::string text, const ReadOptions& options) {
    PasteRequest request;
    request.options = options;
    request.text = std::move(text);
    request.afterNum = insertionNum();
    request.errorFile = programDir_ / files::kErrorListing;
    request.letterCaseHint = "The symbols differ from the element table only in letter case: "
                             "read them with Paste Special and the letter case \"Uppercase\".";
    request.openTextFile = [this](const fs::path& file) {
        if (openTextFile_)
            openTextFile_(file, file.filename().string());
    };

    request.clearMarks = true;

    store::Connection db = database_.connection();
    const PasteResult result = pasteSpeciesText(db, database_.elements(), request, ui_);
    if (result.inserted == 0) {
        refresh();
        return result;
    }
    database_.setModified();
    setView(SpeciesView::Pasted);
    return result;
}

bool ThermoTable::insertNewRow() {
    if (refuseWhenViewOnly())
        return false;
    // The template goes in as text, not through the clipboard: the user's copied text stays.
    return pasteText(newRowTemplate(), ReadOptions{}).inserted > 0;
}

void ThermoTable::undoPaste() {
    grid_.select(
        [](const store::Row& row) { return store::toInteger(row[trm::kUPaste]).value_or(0) == 1; });
    const std::set<std::size_t> selection = grid_.selection();
    const std::optional<std::size_t> current = grid_.current();
    // The cursor joins the highlight, so that the input window and the status line speak of a
    // row the user sees selected.
    if (!selection.empty() && (!current || !selection.contains(*current)))
        setCurrentRow(*selection.begin());
}

ThermoTable::CopyOutcome ThermoTable::copyRows() {
    const std::vector<std::int64_t> keys = grid_.selectedKeys();
    if (keys.empty())
        return {};
    const bool large = keys.size() > kLargeCount;
    if (large) {
        ui_.progress.busy(true);
        ui_.progress.show("Please wait, copying thermodynamic data...", -1);
    }
    store::Connection db = database_.connection();
    store::markOnlyRows(db, "Trm", "TDB", keys);
    const store::RowSet marked = db.query("SELECT * FROM [Trm] WHERE TDB = 1 ORDER BY Num;");
    const ClipboardText clip = writeClipboardText(speciesFromRows(marked), database_.elements());
    if (large)
        ui_.progress.done();
    if (!clip.refusals.empty())
        ui_.dialogs.message(joinLines(clip.refusals), kTitle, Icon::Exclamation);
    if (clip.text.empty())
        return {};
    ui_.clipboard.clear();
    ui_.clipboard.setText(clip.text);
    writeTextFile(supportDir_ / files::kCopyScratch, clip.text);
    refresh();
    return {true, clip.refusals.empty()};
}

bool ThermoTable::copy() {
    return copyRows().copied;
}

void ThermoTable::deleteKeys(const std::vector<std::int64_t>& keys) {
    const bool large = keys.size() > kLargeCount;
    if (large) {
        ui_.progress.busy(true);
        ui_.progress.show("Please wait, deleting thermodynamic data...", -1);
    }
    store::Connection db = database_.connection();
    store::deleteRowsByKey(db, "Trm", keys);
    renumberSpecies(db);
    // Deleting one of a pair ends the other's duplicate state.
    checkAllSpecies(db);
    if (large)
        ui_.progress.done();
    database_.setModified();

    grid_.clearSelection();
    refresh();
    if (!isAllView() && grid_.size() == 0) {
        ui_.dialogs.message("All visible rows are deleted, the hidden rows will be shown.", kTitle,
                            Icon::Exclamation);
        showAll();
    }
}

bool ThermoTable::deleteSelected() {
    if (refuseWhenViewOnly())
        return false;
    const std::vector<std::int64_t> keys = grid_.selectedKeys();
    if (keys.empty() || !confirmRowDeletion(ui_.dialogs, keys.size(), "species", "species"))
        return false;
    deleteKeys(keys);
    return true;
}

bool ThermoTable::cut() {
    if (refuseWhenViewOnly())
        return false;
    const std::vector<std::int64_t> keys = grid_.selectedKeys();
    const CopyOutcome copied = copyRows();
    if (!copied.copied || !copied.complete)
        return false;
    deleteKeys(keys);
    return true;
}

bool ThermoTable::renumber() {
    if (refuseWhenViewOnly())
        return false;
    store::Connection db = database_.connection();
    renumberSpecies(db);
    database_.setModified();
    refresh();
    return true;
}

void ThermoTable::databaseDocument() {
    store::Connection db = database_.connection();
    const store::RowSet valid = db.query("SELECT * FROM [Trm] WHERE Info = 0 ORDER BY Num;");
    ThermoDocumentHeader header;
    header.when = ui_.clock.now();
    header.thermoSection = true;
    header.thermoDatabasePath = database_.path().string();
    const ThermoDocument document =
        writeThermoDocument(speciesFromRows(valid), database_.elements(), header, false);
    if (!document.refusals.empty())
        ui_.dialogs.message(joinLines(document.refusals), kTitle, Icon::Exclamation);
    const fs::path file = supportDir_ / files::kTmpPlot;
    writeTextFile(file, document.text);
    if (openTextFile_)
        openTextFile_(file, "Thermodynamic Database");
}

} // namespace kinetra::thermo
