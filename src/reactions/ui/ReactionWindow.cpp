#include "reactions/ui/ReactionWindow.h"

#include "common/FileNames.h"
#include "common/PlaceError.h"
#include "common/ui/ColumnFitter.h"
#include "common/ui/GridCursor.h"
#include "common/ui/TableWindowFrame.h"
#include "common/ui/ToolbarOperations.h"
#include "reactions/RateChartBuffer.h"
#include "reactions/RateNumericData.h"
#include "reactions/ReactionInputModel.h"
#include "reactions/ui/MechanismOptionsDialog.h"
#include "reactions/ui/RateSetupDialog.h"
#include "reactions/ui/ReactionFilterDialogs.h"
#include "reactions/ui/ReactionFindDialog.h"
#include "reactions/ui/ReactionInputWindow.h"
#include "reactions/ui/ReactionPlaceCodes.h"
#include "reactions/ui/ReactionTableModel.h"
#include "reactions/ui/ReadingOptionsDialog.h"
#include "solver/NewSolverFile.h"
#include "solver/SolverInputContent.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>
#include <algorithm>
#include <set>

namespace kinetra::reactions::ui {

namespace {

// Grid font sizes of "Text Size" (points).
int pointSize(ReactionTextSize size) {
    switch (size) {
    case ReactionTextSize::Large:
        return 11;
    case ReactionTextSize::Small:
        return 7;
    case ReactionTextSize::Normal:
        break;
    }
    return 9;
}

} // namespace

ReactionWindow::ReactionWindow(ReactionWindowContext context,
                               std::unique_ptr<ReactionDatabase> database,
                               ThermoSpeciesList species, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), database_(std::move(database)),
      species_(std::move(species)) {
    table_ = std::make_unique<ReactionTable>(
        *database_, species_, context_.thermo, context_.ui, context_.settings, context_.constants,
        context_.supportDir, context_.programDir,
        [this](const std::filesystem::path& file, const std::string& caption) {
            if (context_.openTextFile)
                context_.openTextFile(file, caption);
        });

    model_ = new ReactionTableModel(*table_, this);
    model_->setInvalidColour(context_.invalidColour);
    frame_ = new kinetra::ui::TableWindowFrame(
        this, model_,
        [this](const std::function<void()>& command) { run(place::kCommand, command); });
    grid_ = frame_->grid();
    // Records change through the input window, which checks them; the cells are read-only.
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    buildMenus();
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { gridRowChanged(); });
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { gridSelectionChanged(); });
    connect(grid_, &QTableView::doubleClicked, this, &ReactionWindow::cellDoubleClicked);
    connect(grid_->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int row) {
        table_->setCurrentRow(static_cast<std::size_t>(row));
        rateChart(QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
    });

    applyTextSize();
    redraw();
}

ReactionWindow::~ReactionWindow() = default;

QString ReactionWindow::countText() const {
    return frame_->countText();
}

QString ReactionWindow::messageText() const {
    return frame_->messageText();
}

QAction* ReactionWindow::action(const std::string& name) const {
    return frame_->action(name);
}

QMenu* ReactionWindow::popupMenu() const {
    return frame_->popup();
}

ReactionInputWindow* ReactionWindow::inputWindow() const {
    return input_;
}

QList<QMenu*> ReactionWindow::documentMenus() {
    return frame_->menus();
}

void ReactionWindow::run(const char* placeCode, const std::function<void()>& command) {
    guarded(context_.ui.dialogs, placeCode, command);
    redraw();
}

void ReactionWindow::call(const std::function<void()>& hook) {
    if (hook)
        hook();
}

QAction* ReactionWindow::addItem(QMenu* menu, const std::string& name, const QString& caption,
                                 std::function<void()> command) {
    return frame_->addItem(menu, name, caption, std::move(command));
}

QAction* ReactionWindow::addToggle(QMenu* menu, const std::string& name, const char* caption,
                                   std::function<void()> toggle) {
    QAction* item = addItem(menu, name, QString::fromUtf8(caption), std::move(toggle));
    item->setCheckable(true);
    return item;
}

void ReactionWindow::buildMenus() {
    ReactionTable& t = *table_;
    auto* file = new QMenu(tr("File"));
    addItem(file, "RDB_Open", tr("Open..."), [this] { call(context_.openDocument); });
    addItem(file, "RDB_Close", tr("Close"), [this] { call(context_.closeWindow); });
    QMenu* thermo = file->addMenu(tr("THERMO Database"));
    addItem(thermo, "RDB_ThermoShow", tr("Show"), [this] { call(context_.showThermo); });
    addItem(thermo, "RDB_ThermoConnect", tr("Connect"), [this] { call(context_.connectThermo); });
    addItem(thermo, "RDB_ThermoNew", tr("New"), [this] { call(context_.newThermo); });
    file->addSeparator();
    addItem(file, "RDB_Save", tr("Save"), [this] { database_->save(); });
    addItem(file, "RDB_SaveAs", tr("Save as..."), [this] { database_->saveAs(context_.ui); });
    addItem(file, "RDB_Replace", tr("Replace with Saved Copy"), [this] {
        if (database_->replaceWithSavedCopy(context_.ui.dialogs))
            table_->showAll();
    });
    file->addSeparator();
    addItem(file, "RDB_TXTFORM", tr("Reaction Mechanism in CHEMKIN Format"),
            [this] { mechanismDocument(); });
    file->addSeparator();
    addItem(file, "RDB_Exit", tr("Exit"), [this] { call(context_.requestExit); });

    auto* edit = new QMenu(tr("Edit"));
    addItem(edit, "RDB_Cut", tr("Cut"), [&t] { t.cut(); });
    addItem(edit, "RDB_Copy", tr("Copy"), [&t] { t.copy(); });
    addItem(edit, "RDB_Paste", tr("Paste"), [this] { paste(); });
    addItem(edit, "RDB_PasteSpecial", tr("Paste Special"), [this] { openPasteSpecial(); });
    addItem(edit, "RDB_UndoPaste", tr("Undo Paste"), [&t] { t.undoPaste(); });
    addItem(edit, "RDB_SelectAll", tr("Select All"), [&t] { t.selectAll(); });
    addItem(edit, "RDB_Delete", tr("Delete"), [&t] { t.deleteSelected(); });
    edit->addSeparator();
    QMenu* filter = edit->addMenu(tr("Filter"));
    addItem(filter, "RDB_FilterNames", tr("By Names"), [this] { openSpeciesFilter(); });
    addItem(filter, "RDB_FilterElements", tr("By Elements"), [this] { openElementsFilter(); });
    addItem(edit, "RDB_Find", tr("Find"), [this] { openFind(); });
    addItem(edit, "RDB_FindNext", tr("Find Next"), [this] { findNext(); });
    edit->addSeparator();
    addItem(edit, "RDB_NewRow", tr("Insert New Row"), [&t] { t.insertNewRow(); });
    addItem(edit, "RDB_Renumber", tr("Renumber"), [&t] { t.renumber(); });
    addItem(edit, "RDB_Duplicates", tr("True Duplicates"), [w = this] { w->trueDuplicates(); });

    auto* view = new QMenu(tr("View"));
    QMenu* reactions = view->addMenu(tr("Reactions"));
    addItem(reactions, "RDB_Valid", tr("Valid"), [&t] { t.showValid(); });
    addItem(reactions, "RDB_Invalid", tr("Invalid"), [&t] { t.showInvalid(); });
    addItem(reactions, "RDB_All", tr("All"), [&t] { t.showAll(); });
    view->addSeparator();
    addItem(view, "RDB_InputWindow", tr("Input Window"), [this] { openInputWindow(); });
    view->addSeparator();
    addToggle(view, "RDB_ColParameters", kToggleParameters, [&t] { t.toggleParameters(); });
    addToggle(view, "RDB_ColThirdBodies", kToggleThirdBodies, [&t] { t.toggleThirdBodies(); });
    addToggle(view, "RDB_ColComposition", kToggleComposition, [&t] { t.toggleComposition(); });
    QMenu* size = view->addMenu(tr("Text Size"));
    const std::pair<const char*, ReactionTextSize> sizes[] = {{"Large", ReactionTextSize::Large},
                                                              {"Normal", ReactionTextSize::Normal},
                                                              {"Small", ReactionTextSize::Small}};
    for (const auto& [caption, textSize] : sizes)
        addItem(size, std::string("RDB_Text") + caption, tr(caption), [this, &t, s = textSize] {
            t.setTextSize(s);
            applyTextSize();
        });

    view->addSeparator();
    addItem(view, "RDB_NumericData", tr("Numeric Data of Current Reaction"),
            [this] { rateNumericData(); });
    addItem(view, "RDB_Chart", tr("Chart of Current Reaction"), [this] {
        rateChart(QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
    });
    addItem(view, "RDB_PLOTSET", tr("Chart and Numeric Data Dialog"), [this] { openRateSetup(); });

    auto* references = new QMenu(tr("References"));
    addItem(references, "RDB_References", tr("Find/Filter"), [this] { openReferences(); });
    auto* solver = new QMenu(tr("Solver"));
    addItem(solver, "RDB_RUNSOLVER", tr("Run Solver"), [this] { runSolver(); });
    frame_->setMenus({file, edit, view, references, solver});
    frame_->giveStandardShortcuts("RDB_");
    frame_->setPopupItems({
        {"RDB_Cut", "Cut"},
        {"RDB_Copy", "Copy"},
        {"RDB_Paste", "Paste"},
        {"RDB_All", "Show All Reactions"},
        {"RDB_InputWindow", "Input Window"},
        {"RDB_NewRow", "Insert New Row"},
        {"RDB_Renumber", "Renumber"},
        {"RDB_NumericData", "Numeric Data of Current Reaction"},
    });
}

bool ReactionWindow::offers(ToolbarOperation operation) {
    return kinetra::ui::windowOffers<ReactionWindow>(operation);
}

bool ReactionWindow::runToolbarOperation(ToolbarOperation operation) {
    return kinetra::ui::runOperation(
        toolbarOperations(this), operation,
        [this](const std::function<void()>& command) { run(place::kCommand, command); });
}

kinetra::ui::ToolbarOperationTable ReactionWindow::toolbarOperations(ReactionWindow* w) {
    // Built with a null window only to read the names; the commands then never run.
    ReactionTable* t = w ? w->table_.get() : nullptr;
    return {
        {ToolbarOperation::ToggleParameters, [t] { t->toggleParameters(); }},
        {ToolbarOperation::ToggleThirdBodies, [t] { t->toggleThirdBodies(); }},
        {ToolbarOperation::ToggleComposition, [t] { t->toggleComposition(); }},
        {ToolbarOperation::Save, [w] { w->database_->save(); }},
        {ToolbarOperation::Cut, [t] { t->cut(); }},
        {ToolbarOperation::Copy, [t] { t->copy(); }},
        {ToolbarOperation::Paste, [w] { w->paste(); }},
        {ToolbarOperation::UndoPaste, [t] { t->undoPaste(); }},
        {ToolbarOperation::Find, [w] { w->openFind(); }},
        {ToolbarOperation::Filter, [w] { w->openSpeciesFilter(); }},
        {ToolbarOperation::ShowInvalid, [t] { t->showInvalid(); }},
        {ToolbarOperation::TrueDuplicates, [w] { w->trueDuplicates(); }},
        {ToolbarOperation::ShowAll, [t] { t->showAll(); }},
        {ToolbarOperation::SpeciesList, [w] { w->openSpeciesFilter(); }},
        {ToolbarOperation::InsertNewRow, [t] { t->insertNewRow(); }},
        {ToolbarOperation::InputWindow, [w] { w->openInputWindow(); }},
        {ToolbarOperation::ChartSetup, [w] { w->openRateSetup(); }},
    };
}

bool ReactionWindow::queryClose() {
    bool close = true;
    guarded(context_.ui.dialogs, place::kCloseQuestion,
            [&] { close = database_->close(context_.ui.dialogs) == CloseOutcome::Closed; });
    return close;
}

void ReactionWindow::redraw() {
    redrawing_ = true;
    model_->reload();
    const auto& columns = table_->columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        grid_->setColumnHidden(static_cast<int>(c), !table_->isColumnVisible(c));
    frame_->fitter()->fitAll();
    kinetra::ui::showRowCursor(*grid_, table_->currentRow(), table_->selection());
    action("RDB_ColParameters")->setChecked(table_->parametersShown());
    action("RDB_ColThirdBodies")->setChecked(table_->thirdBodiesShown());
    action("RDB_ColComposition")->setChecked(table_->compositionShown());
    frame_->showStatus(table_->rowCountText(), table_->currentRowReason());
    redrawing_ = false;
    followWithInputWindow();
}

void ReactionWindow::followWithInputWindow() {
    // Another record under the cursor refills the input window and drops what was typed there;
    // a redraw of the same record (a column toggled, a search that stayed) keeps the typing.
    const auto row = table_->currentRow();
    if (input_ && input_->isVisible() && row && table_->rows().keys[*row] != input_->shownKey())
        input_->loadRow(*row);
}

void ReactionWindow::gridRowChanged() {
    if (redrawing_)
        return;
    guarded(context_.ui.dialogs, place::kRowChange, [this] {
        const QModelIndex current = grid_->currentIndex();
        table_->setCurrentRow(current.isValid() ? std::optional<std::size_t>(current.row())
                                                : std::nullopt);
    });
    frame_->showMessage(table_->currentRowReason());
    followWithInputWindow();
}

void ReactionWindow::gridSelectionChanged() {
    if (redrawing_)
        return;
    std::set<std::size_t> now;
    for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
        now.insert(static_cast<std::size_t>(index.row()));
    // The paste numbers the selected rows in the order they were picked: rows still selected
    // keep their places, newly selected ones follow.
    std::vector<std::size_t> order;
    for (std::size_t row : table_->selectionOrder())
        if (now.erase(row) > 0)
            order.push_back(row);
    order.insert(order.end(), now.begin(), now.end());
    table_->setSelection(std::move(order));
}

void ReactionWindow::cellDoubleClicked(const QModelIndex& index) {
    // The field columns after Enabled; No and Enabled are not fields of the input window.
    if (!index.isValid() || index.column() <= static_cast<int>(rx::kEnabled))
        return;
    const auto row = static_cast<std::size_t>(index.row());
    guarded(context_.ui.dialogs, place::kCommand, [&] {
        table_->setCurrentRow(row);
        openInputWindow();
        const std::string type = table_->cellText(row, rx::kType);
        if (input_)
            input_->showFocus(
                ReactionInputModel::focusOfColumn(static_cast<std::size_t>(index.column()), type));
    });
}

void ReactionWindow::applyTextSize() {
    frame_->setPointSize(pointSize(table_->textSize()));
    frame_->fitter()->fitAll();
}

void ReactionWindow::showWork(const char* text, const std::function<void()>& work) {
    // The status bar says what runs while the grid waits for it (the search of 15,000
    // reactions takes a noticeable moment); done also when the work fails.
    Progress& progress = context_.ui.progress;
    progress.busy(true);
    progress.show(text, -1);
    struct Done {
        Progress& p;
        ~Done() { p.done(); }
    } done{progress};
    work();
}

void ReactionWindow::mechanismDocument() {
    MechanismOptionsDialog dialog(context_.settings.mechanism, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    context_.settings.mechanism = dialog.options();
    showWork("Writing the reaction mechanism...", [this] { table_->mechanismDocument(); });
}

void ReactionWindow::runSolver() {
    solver::NewSolverFileRequest request;
    request.target = context_.programDir / files::kSolverInput;
    request.inApplicationFolder = true;
    request.thermoDatabasePath = context_.thermo.path().string();
    request.reactionDatabasePath = database_->path().string();
    request.gasConstantCal = context_.constants.rCal;
    request.gasConstantCm3 = context_.gasConstantCm3;
    request.when = context_.ui.clock.now();
    solver::NewSolverFileResult written;
    showWork("Writing the solver input file...", [&] {
        store::Connection reactions = database_->connection();
        store::Connection thermo = context_.thermo.connection();
        solver::SolverInputContent content =
            solver::gatherSolverInput(reactions, thermo, table_->view());
        solver::addBathGases(content, thermo);
        written = solver::writeNewSolverFile(content, request);
    });
    if (written.failed) {
        context_.ui.dialogs.message(written.message, "KINETRA", written.icon);
        return;
    }
    if (context_.openRunSettings)
        context_.openRunSettings(request.target);
}

void ReactionWindow::trueDuplicates() {
    showWork("Searching for duplicate reactions...", [this] { table_->trueDuplicates(); });
}

void ReactionWindow::paste() {
    // The reading asks about ErrorMsg.txt itself and opens it when told so.
    guarded(context_.ui.dialogs, place::kPaste, [this] { table_->paste(); });
}

void ReactionWindow::openInputWindow() {
    if (!table_->currentRow())
        return;
    if (!input_) {
        input_ = new ReactionInputWindow(
            *table_, *database_, species_, context_.ui.dialogs,
            [this] {
                store::Connection thermo = context_.thermo.connection();
                return ReactionInputModel::speciesList(thermo);
            },
            this);
        input_->setAttribute(Qt::WA_DeleteOnClose);
        connect(input_, &ReactionInputWindow::saved, this, [this] {
            redraw();
            // The record as written (its check, its Num) is shown again.
            if (table_->currentRow())
                input_->loadRow(*table_->currentRow());
        });
    }
    input_->loadRow(*table_->currentRow());
    input_->show();
    input_->raise();
    input_->activateWindow();
}

void ReactionWindow::openPasteSpecial() {
    ReadingOptionsDialog dialog(*table_, context_.settings, context_.ui.dialogs, this);
    dialog.exec();
}

void ReactionWindow::openFind() {
    if (!find_) {
        // Kept when closed: Find Next (F3) goes on with its search.
        auto* dialog = new ReactionFindDialog(*table_, context_.ui.dialogs, this);
        connect(dialog, &ReactionFindDialog::found, this, [this] { redraw(); });
        find_ = dialog;
    }
    find_->show();
    find_->raise();
    find_->activateWindow();
}

void ReactionWindow::findNext() {
    // Without a search yet, Find Next asks for one.
    if (auto* dialog = qobject_cast<ReactionFindDialog*>(find_.data()))
        dialog->findNext();
    else
        openFind();
}

void ReactionWindow::openSpeciesFilter() {
    SpeciesFilterDialog dialog(*table_, context_.ui.dialogs, this);
    dialog.exec();
}

void ReactionWindow::openElementsFilter() {
    ReactionElementsFilterDialog dialog(*table_, context_.settings.elementTicks,
                                        context_.ui.dialogs, this);
    dialog.exec();
}

void ReactionWindow::openReferences() {
    if (!references_) {
        auto* dialog = new ReactionReferencesDialog(*table_, context_.ui.dialogs, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &ReactionReferencesDialog::changed, this, [this] { redraw(); });
        references_ = dialog;
    }
    references_->show();
    references_->raise();
    references_->activateWindow();
}

void ReactionWindow::openRateSetup() {
    RateSetupDialog dialog(context_.settings.ratePlot, context_.ui.dialogs, this);
    dialog.exec();
}

void ReactionWindow::rateNumericData() {
    const std::optional<std::size_t> row = table_->currentRow();
    if (!row || *row >= table_->rowCount())
        return;
    run(place::kRateTable, [this, row] {
        const ReactionRecord record = reactionFromRow(table_->rows().rows[*row]);
        const RateConstants constants{context_.constants.rCal, context_.constants.rJoule,
                                      context_.gasConstantCm3};
        const auto file =
            writeRateNumericData(record, context_.settings.ratePlot, constants, context_.thermo,
                                 database_->fileName(), context_.supportDir, context_.ui);
        if (file && context_.openTextFile)
            context_.openTextFile(*file, rateNumericDataCaption(database_->fileName()));
    });
}

void ReactionWindow::rateChart(bool addToExisting) {
    const std::optional<std::size_t> row = table_->currentRow();
    if (!row || *row >= table_->rowCount())
        return;
    bool openSetup = false;
    run(place::kRateTable, [&] {
        const ReactionRecord record = reactionFromRow(table_->rows().rows[*row]);
        const RateConstants constants{context_.constants.rCal, context_.constants.rJoule,
                                      context_.gasConstantCm3};
        RateChartResult result = rateChartOf(record, context_.settings.ratePlot, constants,
                                             context_.thermo, addToExisting, context_.ui.dialogs);
        openSetup = result.openSetup;
        if (result.chart && context_.showChart)
            context_.showChart(std::move(*result.chart));
    });
    if (openSetup)
        openRateSetup();
}

} // namespace kinetra::reactions::ui
