#include "thermo/ui/ThermoWindow.h"

#include "common/FileNames.h"
#include "common/PlaceError.h"
#include "common/ui/ColumnFitter.h"
#include "common/ui/GridCursor.h"
#include "common/ui/TableWindowFrame.h"
#include "common/ui/ToolbarOperations.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ui/ChartSetupDialog.h"
#include "thermo/ui/ElementEditorWindow.h"
#include "thermo/ui/ElementsFilterDialog.h"
#include "thermo/ui/FilterDialog.h"
#include "thermo/ui/FindDialog.h"
#include "thermo/ui/PasteOptionsDialog.h"
#include "thermo/ui/ReferenceDialog.h"
#include "thermo/ui/SpeciesInputWindow.h"
#include "thermo/ui/ThermoPlaceCodes.h"
#include "thermo/ui/ThermoTableModel.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>

namespace kinetra::thermo::ui {

namespace {

// Grid font sizes of "Text Size" (points).
int pointSize(TextSize size) {
    switch (size) {
    case TextSize::Large:
        return 11;
    case TextSize::Small:
        return 7;
    case TextSize::Normal:
        break;
    }
    return 9;
}

} // namespace

ThermoWindow::ThermoWindow(ThermoWindowContext context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)) {
    table_ = std::make_unique<ThermoTable>(
        context_.database, context_.ui, context_.reading,
        [this](const std::filesystem::path& file, const std::string& caption) {
            if (context_.openTextFile)
                context_.openTextFile(file, caption);
        },
        context_.supportDir, context_.programDir);

    model_ = new ThermoTableModel(*table_, context_.ui.dialogs, this);
    model_->setInvalidColour(context_.invalidColour);
    frame_ = new kinetra::ui::TableWindowFrame(
        this, model_,
        [this](const std::function<void()>& command) { run(place::kMenuCommand, command); });
    grid_ = frame_->grid();
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    connect(grid_->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int row) {
        plotRow(static_cast<std::size_t>(row),
                QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
    });

    buildMenus();
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { gridRowChanged(); });
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { gridSelectionChanged(); });
    connect(grid_, &QTableView::doubleClicked, this, &ThermoWindow::cellDoubleClicked);
    connect(model_, &ThermoTableModel::edited, this, [this] { redraw(); });

    applyViewOnly();
    applyTextSize();
    redraw();
}

ThermoWindow::~ThermoWindow() = default;

QString ThermoWindow::countText() const {
    return frame_->countText();
}

QString ThermoWindow::messageText() const {
    return frame_->messageText();
}

QAction* ThermoWindow::action(const std::string& name) const {
    return frame_->action(name);
}

SpeciesInputWindow* ThermoWindow::inputWindow() const {
    return input_;
}

QList<QMenu*> ThermoWindow::documentMenus() {
    return frame_->menus();
}

void ThermoWindow::paste() {
    guarded(context_.ui.dialogs, place::kPaste, [this] { table_->paste(); });
}

void ThermoWindow::run(const char* placeCode, const std::function<void()>& command) {
    guarded(context_.ui.dialogs, placeCode, command);
    redraw();
}

QAction* ThermoWindow::addItem(QMenu* menu, const std::string& name, const QString& caption,
                               std::function<void()> command, bool edits) {
    QAction* item = frame_->addItem(menu, name, caption, std::move(command));
    if (edits)
        editingActions_.push_back(item);
    return item;
}

void ThermoWindow::buildMenus() {
    ThermoTable& t = *table_;
    auto* file = new QMenu(tr("File"));
    addItem(file, "TDB_Open", tr("Open..."), [this] {
        if (context_.openDocument)
            context_.openDocument();
    });
    addItem(file, "TDB_Close", tr("Close"), [this] {
        if (context_.closeWindow)
            context_.closeWindow();
    });
    QMenu* database = file->addMenu(tr("THERMO Database"));
    addItem(database, "TDB_Show", tr("Show"), [] {});
    addItem(database, "TDB_Connect", tr("Connect"), [this] {
        if (context_.connectDatabase)
            context_.connectDatabase();
    });
    addItem(database, "TDB_New", tr("New"), [this] {
        if (context_.newDatabase)
            context_.newDatabase();
    });
    file->addSeparator();
    addItem(
        file, "TDB_Save", tr("Save"), [this] { context_.database.save(); }, true);
    addItem(file, "TDB_SaveAs", tr("Save as..."),
            [this] { context_.database.saveAs(context_.ui); });
    addItem(
        file, "TDB_Replace", tr("Replace with Saved Copy"),
        [this] {
            if (context_.database.replaceWithSavedCopy(context_.ui.dialogs))
                table_->refresh();
        },
        true);
    file->addSeparator();
    addItem(file, "TDB_Chemkin", tr("Database in CHEMKIN Format"), [&t] { t.databaseDocument(); });
    file->addSeparator();
    addItem(file, "TDB_Exit", tr("Exit"), [this] {
        if (context_.requestExit)
            context_.requestExit();
    });

    auto* edit = new QMenu(tr("Edit"));
    addItem(
        edit, "TDB_Cut", tr("Cut"), [&t] { t.cut(); }, true);
    addItem(edit, "TDB_Copy", tr("Copy"), [&t] { t.copy(); });
    addItem(
        edit, "TDB_Paste", tr("Paste"), [this] { paste(); }, true);
    addItem(
        edit, "TDB_PasteSpecial", tr("Paste Special"), [this] { openPasteSpecial(); }, true);
    addItem(edit, "TDB_SelectAll", tr("Select All"), [&t] { t.selectAll(); });
    addItem(
        edit, "TDB_Delete", tr("Delete"), [&t] { t.deleteSelected(); }, true);
    edit->addSeparator();
    QMenu* filter = edit->addMenu(tr("Filter"));
    addItem(filter, "TDB_FilterName", tr("By Name"), [this] { openFilter(); });
    addItem(filter, "TDB_FilterElements", tr("By Elements"), [this] { openElementsFilter(); });
    addItem(edit, "TDB_Find", tr("Find"), [this] { openFind(); });
    addItem(edit, "TDB_FindNext", tr("Find Next"), [this] { findNext(); });
    edit->addSeparator();
    addItem(
        edit, "TDB_Elements", tr("Chemical Elements"), [this] { openElementEditor(); }, true);
    addItem(
        edit, "TDB_NewRow", tr("Insert New Row"), [&t] { t.insertNewRow(); }, true);
    addItem(
        edit, "TDB_Renumber", tr("Renumber"), [&t] { t.renumber(); }, true);

    auto* view = new QMenu(tr("View"));
    QMenu* species = view->addMenu(tr("Species"));
    addItem(species, "TDB_Valid", tr("Valid"), [&t] { t.showValid(); });
    addItem(species, "TDB_Invalid", tr("Invalid"), [&t] { t.showInvalid(); });
    addItem(species, "TDB_All", tr("All"), [&t] { t.showAll(); });
    view->addSeparator();
    addItem(view, "TDB_NumericData", tr("Numeric Data of Current Species"),
            [this] { numericData(); });
    addItem(
        view, "TDB_InputWindow", tr("Input Window"), [this] { openInputWindow(); }, true);
    addItem(view, "TDB_ChartSetup", tr("Chart and Numeric Data Dialog"),
            [this] { openChartSetup(); });
    QMenu* size = view->addMenu(tr("Text Size"));
    const std::pair<const char*, TextSize> sizes[] = {
        {"Large", TextSize::Large}, {"Normal", TextSize::Normal}, {"Small", TextSize::Small}};
    for (const auto& [caption, textSize] : sizes)
        addItem(size, std::string("TDB_Text") + caption, tr(caption), [this, &t, s = textSize] {
            t.setTextSize(s);
            applyTextSize();
        });

    auto* references = new QMenu(tr("References"));
    addItem(references, "TDB_References", tr("Find/Filter"), [this] { openReferences(); });
    frame_->setMenus({file, edit, view, references});
    frame_->giveStandardShortcuts("TDB_");
    frame_->setPopupItems({
        {"TDB_Cut", "Cut"},
        {"TDB_Copy", "Copy"},
        {"TDB_Paste", "Paste"},
        {"TDB_All", "Show All Species"},
        {"TDB_NumericData", "Numeric Data of Current Species"},
        {"TDB_NewRow", "Insert New Row"},
        {"TDB_Renumber", "Renumber"},
    });
}

bool ThermoWindow::offers(ToolbarOperation operation) {
    return kinetra::ui::windowOffers<ThermoWindow>(operation);
}

bool ThermoWindow::runToolbarOperation(ToolbarOperation operation) {
    return kinetra::ui::runOperation(
        toolbarOperations(this), operation,
        [this](const std::function<void()>& command) { run(place::kToolbarOperation, command); });
}

kinetra::ui::ToolbarOperationTable ThermoWindow::toolbarOperations(ThermoWindow* w) {
    // Built with a null window only to read which operations exist; the commands then never run.
    ThermoTable* t = w ? w->table_.get() : nullptr;
    using Op = ToolbarOperation;
    return {
        {Op::TogglePhase, [t] { t->togglePhase(); }},
        {Op::TogglePolynomials, [t] { t->togglePolynomials(); }},
        {Op::Save, [w] { w->context_.database.save(); }},
        {Op::Cut, [t] { t->cut(); }},
        {Op::Copy, [t] { t->copy(); }},
        {Op::Paste, [w] { w->paste(); }},
        {Op::UndoPaste, [t] { t->undoPaste(); }},
        {Op::Find, [w] { w->openFind(); }},
        {Op::Filter, [w] { w->openFilter(); }},
        {Op::ShowInvalid, [t] { t->showInvalid(); }},
        {Op::ShowAll, [t] { t->showAll(); }},
        {Op::ChemicalElements, [w] { w->openElementEditor(); }},
        {Op::InsertNewRow, [t] { t->insertNewRow(); }},
        {Op::InputWindow, [w] { w->openInputWindow(); }},
        {Op::ChartSetup, [w] { w->openChartSetup(); }},
    };
}

bool ThermoWindow::queryClose() {
    bool close = true;
    guarded(context_.ui.dialogs, place::kCloseQuestion,
            [&] { close = context_.database.close(context_.ui.dialogs) == CloseOutcome::Closed; });
    return close;
}

void ThermoWindow::redraw() {
    redrawing_ = true;
    model_->reload();
    const auto& columns = table_->columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        grid_->setColumnHidden(static_cast<int>(c), !table_->isColumnVisible(c));
    fitColumns();
    kinetra::ui::showRowCursor(*grid_, table_->currentRow(), table_->selection());
    frame_->showStatus(table_->rowCountText(), table_->statusMessage());
    redrawing_ = false;
}

void ThermoWindow::fitColumns() {
    std::vector<bool> shown;
    for (int c = 0; c < model_->columnCount(); ++c)
        shown.push_back(!grid_->isColumnHidden(c));
    const int size = grid_->font().pointSize();
    if (table_->revision() == fittedRevision_ && shown == fittedColumns_ &&
        size == fittedPointSize_)
        return;
    frame_->fitter()->fitAll();
    fittedRevision_ = table_->revision();
    fittedColumns_ = std::move(shown);
    fittedPointSize_ = size;
}

void ThermoWindow::gridRowChanged() {
    if (redrawing_)
        return;
    guarded(context_.ui.dialogs, place::kRowChange, [this] {
        const QModelIndex current = grid_->currentIndex();
        table_->setCurrentRow(current.isValid() ? std::optional<std::size_t>(current.row())
                                                : std::nullopt);
    });
    frame_->showMessage(table_->statusMessage());
}

void ThermoWindow::gridSelectionChanged() {
    if (redrawing_)
        return;
    std::set<std::size_t> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
        rows.insert(static_cast<std::size_t>(index.row()));
    table_->setSelection(std::move(rows));
}

void ThermoWindow::cellDoubleClicked(const QModelIndex& index) {
    // The third visible column or further: Num and the name are edited in the grid itself.
    if (!input_ || !input_->isVisible() || index.column() <= static_cast<int>(trm::kSpecies))
        return;
    input_->loadRow(static_cast<std::size_t>(index.row()));
}

void ThermoWindow::applyViewOnly() {
    const bool viewOnly = context_.reactionWindowsOpen && context_.reactionWindowsOpen();
    table_->setViewOnly(viewOnly);
    for (QAction* item : editingActions_)
        item->setVisible(!viewOnly);
}

void ThermoWindow::applyTextSize() {
    frame_->setPointSize(pointSize(table_->textSize()));
    fitColumns();
}

void ThermoWindow::openInputWindow() {
    if (table_->viewOnly() || !table_->currentRow())
        return;
    if (!input_) {
        input_ = new SpeciesInputWindow(*table_, context_.database, context_.ui.dialogs, this);
        input_->setAttribute(Qt::WA_DeleteOnClose);
        connect(input_, &SpeciesInputWindow::saved, this, [this] { redraw(); });
        // While the input window is open a double click on a cell loads its row there instead
        // of editing the cell.
        const auto triggers = grid_->editTriggers();
        grid_->setEditTriggers(triggers & ~QAbstractItemView::DoubleClicked);
        connect(input_, &QObject::destroyed, grid_,
                [grid = grid_, triggers] { grid->setEditTriggers(triggers); });
    }
    input_->loadRow(*table_->currentRow());
    input_->show();
    input_->raise();
}

void ThermoWindow::openPasteSpecial() {
    PasteOptionsDialog dialog(*table_, context_.reading, context_.ui.dialogs, this);
    dialog.exec();
}

void ThermoWindow::openFind() {
    if (!find_) {
        auto* dialog = new FindDialog(*table_, context_.ui.dialogs, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &FindDialog::found, this, [this] { redraw(); });
        find_ = dialog;
    }
    find_->show();
    find_->raise();
}

void ThermoWindow::findNext() {
    // Without a pattern yet, Find Next asks for one.
    if (auto* dialog = qobject_cast<FindDialog*>(find_.data()))
        dialog->findNext();
    else
        openFind();
}

void ThermoWindow::openFilter() {
    FilterDialog dialog(*table_, context_.ui.dialogs, this);
    dialog.exec();
}

void ThermoWindow::openReferences() {
    if (!references_) {
        auto* dialog = new ReferenceDialog(*table_, context_.ui.dialogs, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &ReferenceDialog::found, this, [this] { redraw(); });
        connect(dialog, &ReferenceDialog::filtered, this, [this] { redraw(); });
        references_ = dialog;
    }
    references_->show();
    references_->raise();
}

void ThermoWindow::openElementsFilter() {
    ElementsFilterDialog dialog(*table_, context_.database.elements(), context_.ui.dialogs, this);
    dialog.exec();
}

void ThermoWindow::openElementEditor() {
    if (table_->viewOnly())
        return;
    ElementEditorWindow editor(context_.database, context_.ui,
                               context_.programDir / files::kErrorListing, this);
    if (editor.exec() == QDialog::Accepted)
        table_->showAll();
}

void ThermoWindow::plotRow(std::size_t row, bool addToExisting) {
    run(kChartPlaceCode, [&] {
        auto chart =
            table_->chartOfRow(row, context_.chart, context_.gasConstants(), addToExisting);
        if (chart && context_.showChart)
            context_.showChart(std::move(*chart));
    });
}

void ThermoWindow::openChartSetup() {
    ChartSetupDialog dialog(context_.chart, context_.ui.dialogs, this);
    dialog.exec();
}

void ThermoWindow::numericData() {
    guarded(context_.ui.dialogs, "TDB#082. ", [this] {
        table_->numericDataOfCurrentSpecies(context_.chart, context_.gasConstants());
    });
}

} // namespace kinetra::thermo::ui
