#include "reactions/ReactionTable.h"

#include "common/FileNames.h"
#include "common/NumberFormat.h"
#include "common/RowDeletion.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "reactions/ReactionCheck.h"
#include "reactions/ReactionDuplicates.h"
#include "store/Schema.h"

#include <algorithm>

namespace kinetra::reactions {

namespace fs = std::filesystem;
using store::Value;

namespace {

constexpr const char* kTitle = "KINETRA";
constexpr const char* kAUnitsTip = " Units: mol-cm-sec  ";
constexpr const char* kEUnitsTip = " Units: cal/mol  ";
// Above this many records the long commands say that they are working.
constexpr std::size_t kLargeCount = 500;

} // namespace

// ---- Paste Special ---------------------------------------------------------------------------

void ReadingOptionsDialogModel::open(const ReactionRunSettings& settings) {
    aUnits = 0;
    eUnits = 0;
    letterCase = 0;
    stoichiometric = settings.stoichiometric;
}

ReadingOptions ReadingOptionsDialogModel::accept(ReactionRunSettings& settings) const {
    settings.stoichiometric = stoichiometric;
    ReadingOptions options;
    options.aUnits = static_cast<ReadingOptions::AUnits>(std::clamp(aUnits, 0, 1));
    options.eUnits = static_cast<ReadingOptions::EUnits>(std::clamp(eUnits, 0, 4));
    options.letterCase = static_cast<ReadingOptions::LetterCase>(std::clamp(letterCase, 0, 2));
    options.stoichiometric = stoichiometric;
    return options;
}

// ---- The table -------------------------------------------------------------------------------

ReactionTable::ReactionTable(ReactionDatabase& database, const ThermoSpeciesList& species,
                             thermo::ThermoDatabase& thermo, Ui& ui, ReactionRunSettings& settings,
                             UnitConstants constants, fs::path supportDir, fs::path programDir,
                             OpenTextFile openTextFile)
    : database_(database), species_(species), thermo_(thermo), ui_(ui), settings_(settings),
      constants_(constants), supportDir_(std::move(supportDir)), programDir_(std::move(programDir)),
      openTextFile_(std::move(openTextFile)) {
    buildColumns();
    refresh();
    if (grid_.size() > 0)
        grid_.setCurrent(0);
}

void ReactionTable::buildColumns() {
    const auto& fields = store::reactionsSchema().fields;
    columns_.clear();
    columns_.reserve(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        ReactionColumn c;
        c.field = fields[i].name;
        c.caption = c.field;
        using G = ReactionColumnGroup;
        if (i >= rx::kR1 && i < rx::kR1 + rx::kSlotCount)
            c.group = G::Hidden;
        else if (i >= rx::kTa && i < rx::kTa + 5) {
            c.caption = std::string(1, static_cast<char>('a' + (i - rx::kTa)));
            c.group = G::Parameters;
        } else if (i >= rx::kS1 && i < rx::kS1 + 2 * rx::kThirdBodyCount)
            c.group = G::ThirdBodies;
        switch (i) {
        case rx::kNum:
            c.caption = "No";
            break;
        case rx::kEnabled:
            c.checkBox = true;
            break;
        case rx::kComposition:
            c.group = G::Composition;
            break;
        case rx::kA:
            c.format = "0.00E+00";
            c.headerTip = kAUnitsTip;
            break;
        case rx::kN:
            c.format = "0.00";
            break;
        case rx::kE:
            c.format = "0";
            c.headerTip = kEUnitsTip;
            break;
        case rx::kAL:
            c.caption = "Ao";
            c.format = "0.00E+00";
            c.headerTip = kAUnitsTip;
            c.group = G::Parameters;
            break;
        case rx::kNL:
            c.caption = "no";
            c.format = "0.00";
            c.group = G::Parameters;
            break;
        case rx::kEL:
            c.caption = "Eo";
            c.format = "0";
            c.headerTip = kEUnitsTip;
            c.group = G::Parameters;
            break;
        case rx::kAccm:
        case rx::kEccm:
        case rx::kALccm:
        case rx::kELccm:
        case rx::kTmin:
        case rx::kTmax:
        case rx::kTmp:
        case rx::kInfo:
        case rx::kSelT:
        case rx::kDir:
        case rx::kRed:
        case rx::kUPaste:
            c.group = G::Hidden;
            break;
        default:
            break;
        }
        columns_.push_back(std::move(c));
    }
}

void ReactionTable::refresh() {
    store::Connection db = database_.connection();
    grid_.reload(db, reactionViewQuery(view_));
    undeclared_.clear();
    // The duplicate notes need every record; the whole-table view already holds them.
    for (UndeclaredDuplicate& entry :
         isAllView() ? undeclaredDuplicates(grid_.rows()) : undeclaredDuplicates(db))
        undeclared_[entry.key] = std::move(entry.otherNums);
}

void ReactionTable::setView(ReactionView view) {
    view_ = view;
    grid_.restart();
    refresh();
}

void ReactionTable::showAll() {
    database_.connection().execute("UPDATE [Reactions] SET Tmp = 1;");
    setView(ReactionView::All);
}

std::string ReactionTable::databaseMessage(const std::string& what) const {
    return "In the reaction database " + database_.fileName() + ", " + what;
}

void ReactionTable::viewOrShowAll(ReactionView view, const std::string& emptyMessage) {
    setView(view);
    if (grid_.size() == 0) {
        ui_.dialogs.message(emptyMessage, kTitle, Icon::Information);
        showAll();
    }
}

bool ReactionTable::showValid() {
    store::Connection db = database_.connection();
    {
        store::Transaction transaction(db);
        db.execute("UPDATE [Reactions] SET Tmp = 0;");
        db.execute("UPDATE [Reactions] SET Tmp = 1 WHERE Info = 0;");
        transaction.commit();
    }
    viewOrShowAll(ReactionView::Valid, databaseMessage("valid reactions were not found."));
    return view_ == ReactionView::Valid;
}

bool ReactionTable::showInvalid() {
    store::Connection db = database_.connection();
    {
        store::Transaction transaction(db);
        db.execute("UPDATE [Reactions] SET Tmp = 0;");
        db.execute("UPDATE [Reactions] SET Tmp = 1 WHERE Info < 0;");
        transaction.commit();
    }
    viewOrShowAll(ReactionView::Invalid, databaseMessage("invalid reactions were not found."));
    return view_ == ReactionView::Invalid;
}

// ---- Grid ------------------------------------------------------------------------------------

bool ReactionTable::isColumnVisible(std::size_t column) const {
    if (column >= columns_.size())
        return false;
    switch (columns_[column].group) {
    case ReactionColumnGroup::Plain:
        return true;
    case ReactionColumnGroup::Parameters:
        return parametersShown_;
    case ReactionColumnGroup::ThirdBodies:
        return thirdBodiesShown_;
    case ReactionColumnGroup::Composition:
        return compositionShown_;
    case ReactionColumnGroup::Hidden:
        return false;
    }
    return false;
}

std::string ReactionTable::cellText(std::size_t row, std::size_t column) const {
    return store::cellText(grid_.row(row)[column], columns_.at(column).format);
}

bool ReactionTable::isInvalid(std::size_t row) const {
    return store::toInteger(grid_.row(row)[rx::kInfo]).value_or(0) < 0;
}

// ---- Cursor and status -----------------------------------------------------------------------

void ReactionTable::setCurrentRow(std::optional<std::size_t> row) {
    grid_.setCurrent(row);
}

void ReactionTable::moveCursorTo(std::size_t row) {
    grid_.moveCursorTo(row);
}

void ReactionTable::setSelection(std::vector<std::size_t> rowsInOrder) {
    grid_.setSelection(std::move(rowsInOrder));
}

void ReactionTable::selectAll() {
    grid_.selectAll();
}

std::string ReactionTable::rowCountText() const {
    return std::to_string(grid_.size()) + " reactions";
}

std::string ReactionTable::currentRowReason() const {
    const std::optional<std::size_t> current = grid_.current();
    if (!current)
        return {};
    std::string text = reactionReason(reactionFromRow(grid_.row(*current)), species_);
    const auto undeclared = undeclared_.find(grid_.key(*current));
    if (undeclared != undeclared_.end())
        text += (text.empty() ? "" : " ") + undeclaredDuplicateText(undeclared->second);
    return text;
}

// ---- Editing ---------------------------------------------------------------------------------

std::int64_t ReactionTable::currentNum() const {
    const std::optional<std::size_t> current = grid_.current();
    if (!current)
        return 0;
    return store::toInteger(grid_.row(*current)[rx::kNum]).value_or(0);
}

bool ReactionTable::insertNewRow() {
    ReadRequest request;
    request.lines = {kNewReactionLine};
    request.options.stoichiometric = settings_.stoichiometric;
    request.constants = constants_;
    request.insertAfterNum = currentNum();
    request.errorFile = programDir_ / files::kErrorListing;
    request.quiet = true;
    request.resetMarks = true;
    store::Connection db = database_.connection();
    const ReadResult result = readReactionText(db, species_, request, settings_.refusals, ui_);
    if (result.inserted == 0) {
        refresh();
        return false;
    }
    database_.setModified();
    setView(ReactionView::Pasted);
    return true;
}

ReadResult ReactionTable::paste() {
    ReadingOptions options;
    options.stoichiometric = settings_.stoichiometric;
    return paste(options);
}

ReadResult ReactionTable::pasteSpecial(const ReadingOptionsDialogModel& dialog) {
    return paste(dialog.accept(settings_));
}

ReadResult ReactionTable::paste(const ReadingOptions& options) {
    PasteReactionsRequest request;
    for (std::size_t r : grid_.selectionOrder())
        request.selectedKeys.push_back(grid_.key(r));
    request.currentNum = currentNum();
    request.options = options;
    request.constants = constants_;
    request.errorFile = programDir_ / files::kErrorListing;

    store::Connection db = database_.connection();
    const ReadResult result = pasteReactions(db, species_, request, settings_.refusals, ui_);
    if (result.inserted > 0) {
        database_.setModified();
        setView(ReactionView::Pasted);
    } else {
        refresh();
    }
    if (result.errorFileWritten && result.openErrorFile == Answer::Yes && openTextFile_)
        openTextFile_(request.errorFile, request.errorFile.filename().string());
    return result;
}

bool ReactionTable::undoPaste() {
    store::Connection db = database_.connection();
    const store::RowSet pasted = db.queryKeyed("SELECT * FROM [Reactions] WHERE UPaste = 1;");
    if (pasted.keys.empty())
        return false;
    grid_.select(
        [](const store::Row& row) { return store::toInteger(row[rx::kUPaste]).value_or(0) == 1; });
    // Pasted records outside the view go as well: the undo is of the paste, not of the view.
    deleteKeys(pasted.keys, "All visible rows are deleted, the hidden rows will be shown.");
    return true;
}

bool ReactionTable::copy() {
    std::vector<std::size_t> chosen = grid_.selectionOrder();
    if (chosen.empty() && grid_.current())
        chosen.push_back(*grid_.current());
    if (chosen.empty())
        return false;
    // The mechanism order, whatever order the rows were picked in.
    std::sort(chosen.begin(), chosen.end());
    const bool large = chosen.size() > kLargeCount;
    if (large) {
        ui_.progress.busy(true);
        ui_.progress.show("Please wait, copying reactions...", -1);
    }
    std::vector<ReactionRecord> records;
    records.reserve(chosen.size());
    for (std::size_t r : chosen)
        records.push_back(reactionFromRow(grid_.row(r)));
    const std::string text = reactionClipboardText(records, settings_.mechanism);
    ui_.clipboard.clear();
    ui_.clipboard.setText(text);
    writeTextFile(supportDir_ / files::kCopyScratch, text);
    if (large)
        ui_.progress.done();
    return true;
}

void ReactionTable::deleteKeys(const std::vector<std::int64_t>& keys, const char* allGoneMessage) {
    store::Connection db = database_.connection();
    store::deleteRowsByKey(db, "Reactions", keys);
    database_.setModified();
    grid_.clearSelection();
    refresh();
    if (!isAllView() && grid_.size() == 0) {
        ui_.dialogs.message(allGoneMessage, kTitle, Icon::Exclamation);
        showAll();
    }
}

bool ReactionTable::deleteSelected() {
    const std::vector<std::int64_t> keys = grid_.selectedKeys();
    if (keys.empty() || !confirmRowDeletion(ui_.dialogs, keys.size(), "reaction", "reactions"))
        return false;
    deleteKeys(keys, "All visible rows are deleted, the hidden rows will be shown.");
    return true;
}

bool ReactionTable::deleteGridRows(const std::set<std::size_t>& rows) {
    std::vector<std::int64_t> keys;
    for (std::size_t r : rows)
        if (r < grid_.size())
            keys.push_back(grid_.key(r));
    if (keys.empty())
        return false;
    deleteKeys(keys, "All visible rows are deleted, hidden rows will be shown.");
    return true;
}

bool ReactionTable::cut() {
    const std::vector<std::int64_t> keys = grid_.selectedKeys();
    if (keys.empty() || !copy())
        return false;
    ui_.progress.busy(true);
    ui_.progress.show("Please wait, deleting reactions...", -1);
    deleteKeys(keys, "All visible rows are deleted, the hidden rows will be shown.");
    ui_.progress.done();
    return true;
}

bool ReactionTable::renumber() {
    store::Connection db = database_.connection();
    {
        store::Transaction transaction(db);
        const store::RowSet rows = db.queryKeyed("SELECT * FROM [Reactions] ORDER BY Num;");
        std::vector<std::vector<Value>> numbers;
        numbers.reserve(rows.keys.size());
        for (std::size_t i = 0; i < rows.keys.size(); ++i)
            numbers.push_back({Value(static_cast<std::int64_t>(i + 1)), Value(rows.keys[i])});
        db.executeEach("UPDATE [Reactions] SET Num = ? WHERE rowid = ?", numbers);
        transaction.commit();
    }
    database_.setModified();
    showAll();
    return true;
}

void ReactionTable::mechanismDocument() {
    store::Connection db = database_.connection();
    store::Connection thermo = thermo_.connection();
    markOutputSelection(db, thermo, view_);
    const MechanismHeader header{ui_.clock.now(), database_.fileName(), thermo_.path().string()};
    const MechanismDocument document =
        writeMechanismDocument(db, thermo, thermo_.elements(), header, settings_.mechanism);
    if (!document.refusals.empty()) {
        std::string text;
        for (const std::string& refusal : document.refusals)
            text += (text.empty() ? "" : "\n") + refusal;
        ui_.dialogs.message(text, kTitle, Icon::Exclamation);
    }
    const fs::path file = supportDir_ / files::kTmpPlot;
    writeTextFile(file, document.text);
    if (openTextFile_)
        openTextFile_(file, "Reaction Mechanism");
}

bool ReactionTable::trueDuplicates() {
    store::Connection db = database_.connection();
    if (findDuplicates(db, DuplicateMode::ReverseMatches) == 0) {
        ui_.dialogs.message(databaseMessage("duplicate reactions were not found."), kTitle,
                            Icon::Information);
        showAll();
        return false;
    }
    setView(ReactionView::Duplicates);
    return true;
}

} // namespace kinetra::reactions
