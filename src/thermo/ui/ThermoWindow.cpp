#include "thermo/ui/ThermoWindow.h"

#include "common/PlaceError.h"
#include "common/ui/ColumnFitter.h"
#include "common/ui/GridCursor.h"
#include "common/ui/RowGridView.h"
#include "common/ui/StandardShortcuts.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ui/ChartSetupDialog.h"
#include "thermo/ui/ElementEditorWindow.h"
#include "thermo/ui/ElementsFilterDialog.h"
#include "thermo/ui/FilterDialog.h"
#include "thermo/ui/FindDialog.h"
#include "thermo/ui/PasteSpecialDialog.h"
#include "thermo/ui/ReferenceDialog.h"
#include "thermo/ui/SpeciesInputWindow.h"
#include "thermo/ui/ThermoTableModel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

namespace kinetra::thermo::ui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

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

    model_ = new ThermoTableModel(*table_, this);
    model_->setInvalidColour(context_.invalidColour);
    grid_ = new kinetra::ui::RowGridView(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->horizontalHeader()->setHighlightSections(false);
    fitter_ = new kinetra::ui::ColumnFitter(grid_);
    setFocusProxy(grid_);
    // Plotting from the row header needs the chart window, which this version does not have.
    grid_->verticalHeader()->setToolTip(
        tr("Double click plots the row's functions once charts are available; use \"Numeric "
           "Data of Current Species\" meanwhile."));

    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("count"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    auto* status = new QHBoxLayout;
    status->addWidget(count_);
    status->addSpacing(24);
    status->addWidget(message_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(grid_, 1);
    layout->addLayout(status);

    buildMenus();
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { gridRowChanged(); });
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { gridSelectionChanged(); });
    connect(grid_, &QTableView::customContextMenuRequested, this, &ThermoWindow::showContextMenu);
    connect(grid_, &QTableView::doubleClicked, this, &ThermoWindow::cellDoubleClicked);
    connect(model_, &ThermoTableModel::edited, this, [this] { redraw(); });

    applyViewOnly();
    applyTextSize();
    redraw();
}

ThermoWindow::~ThermoWindow() {
    // The menus are not children of this widget (a menu bar shows them); they go with it.
    qDeleteAll(menus_);
    delete popup_;
}

QString ThermoWindow::countText() const {
    return count_->text();
}

QString ThermoWindow::messageText() const {
    return message_->text();
}

QAction* ThermoWindow::action(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

SpeciesInputWindow* ThermoWindow::inputWindow() const {
    return input_;
}

QList<QMenu*> ThermoWindow::documentMenus() {
    return menus_;
}

void ThermoWindow::run(const char* placeCode, const std::function<void()>& command) {
    guarded(context_.ui.dialogs, placeCode, command);
    redraw();
}

QAction* ThermoWindow::addItem(QMenu* menu, const std::string& name, const QString& caption,
                               std::function<void()> command, bool edits) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(qs(name));
    connect(item, &QAction::triggered, this,
            [this, command = std::move(command)] { run("TDB#050. ", command); });
    if (edits)
        editingActions_.push_back(item);
    actions_[name] = item;
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
        edit, "TDB_Paste", tr("Paste"),
        [this, &t] { guarded(context_.ui.dialogs, "TDB#038 ", [&t] { t.paste(); }); }, true);
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

    using kinetra::ui::StandardCommand;
    const std::pair<const char*, StandardCommand> keys[] = {
        {"TDB_Open", StandardCommand::Open},        {"TDB_Save", StandardCommand::Save},
        {"TDB_Cut", StandardCommand::Cut},          {"TDB_Copy", StandardCommand::Copy},
        {"TDB_Paste", StandardCommand::Paste},      {"TDB_SelectAll", StandardCommand::SelectAll},
        {"TDB_Delete", StandardCommand::Delete},    {"TDB_Find", StandardCommand::Find},
        {"TDB_FindNext", StandardCommand::FindNext}};
    for (const auto& [name, command] : keys)
        kinetra::ui::giveShortcut(actions_.at(name), command);

    auto* references = new QMenu(tr("References"));
    addItem(references, "TDB_References", tr("Find/Filter"), [this] { openReferences(); });
    menus_ = {file, edit, view, references};

    popup_ = new QMenu;
    const std::pair<const char*, const char*> popupItems[] = {
        {"TDB_Cut", "Cut"},
        {"TDB_Copy", "Copy"},
        {"TDB_Paste", "Paste"},
        {"TDB_All", "Show All Species"},
        {"TDB_NumericData", "Numeric Data of Current Species"},
        {"TDB_NewRow", "Insert New Row"},
        {"TDB_Renumber", "Renumber"},
    };
    // The pop-up items run the menu's commands under their own captions.
    for (const auto& [name, caption] : popupItems) {
        QAction* target = actions_.at(name);
        QAction* item = popup_->addAction(tr(caption));
        item->setObjectName(QStringLiteral("popup_") + QString::fromLatin1(name));
        connect(item, &QAction::triggered, target, &QAction::trigger);
        connect(target, &QAction::changed, item,
                [item, target] { item->setVisible(target->isVisible()); });
    }
}

bool ThermoWindow::runToolbarOperation(const std::string& operation) {
    ThermoTable& t = *table_;
    const std::map<std::string, std::function<void()>> operations{
        {"ShowPhase", [&t] { t.togglePhase(); }},
        {"FullReduced", [&t] { t.togglePolynomials(); }},
        {"SAVETRM", [this] { context_.database.save(); }},
        {"CutTRM", [&t] { t.cut(); }},
        {"COPYTRM", [&t] { t.copy(); }},
        {"PASTETRM", [&t] { t.paste(); }},
        {"TDB_UNPASTE", [&t] { t.undoPaste(); }},
        {"FindSp", [this] { openFind(); }},
        {"FiltSp", [this] { openFilter(); }},
        {"FiterInvSpec", [&t] { t.showInvalid(); }},
        {"ShowAll", [&t] { t.showAll(); }},
        {"SHOWELEMENTS", [this] { openElementEditor(); }},
        {"TDB_NewRow", [&t] { t.insertNewRow(); }},
        {"InputForm", [this] { openInputWindow(); }},
        {"TDB_PlotSETUP", [this] { openChartSetup(); }},
    };
    auto it = operations.find(operation);
    if (it == operations.end())
        return false;
    run("TDB#060. ", it->second);
    return true;
}

bool ThermoWindow::queryClose() {
    bool close = true;
    guarded(context_.ui.dialogs, "TDB#070. ", [&] {
        close = context_.database.closeWindow(context_.ui.dialogs) == CloseOutcome::Closed;
    });
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
    count_->setText(qs(table_->rowCountText()));
    message_->setText(qs(table_->statusMessage()));
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
    fitter_->fitAll();
    fittedRevision_ = table_->revision();
    fittedColumns_ = std::move(shown);
    fittedPointSize_ = size;
}

void ThermoWindow::gridRowChanged() {
    if (redrawing_)
        return;
    guarded(context_.ui.dialogs, "TDB#030-1. ", [this] {
        const QModelIndex current = grid_->currentIndex();
        table_->setCurrentRow(current.isValid() ? std::optional<std::size_t>(current.row())
                                                : std::nullopt);
    });
    message_->setText(qs(table_->statusMessage()));
}

void ThermoWindow::gridSelectionChanged() {
    if (redrawing_)
        return;
    std::set<std::size_t> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
        rows.insert(static_cast<std::size_t>(index.row()));
    table_->setSelection(std::move(rows));
}

void ThermoWindow::showContextMenu(const QPoint& position) {
    popup_->popup(grid_->viewport()->mapToGlobal(position));
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
    QFont font = grid_->font();
    font.setPointSize(pointSize(table_->textSize()));
    grid_->setFont(font);
    grid_->verticalHeader()->setFont(font);
    grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
    grid_->horizontalHeader()->setFont(font);
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
    PasteSpecialDialog dialog(*table_, context_.reading, context_.ui.dialogs, this);
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
    ElementEditorWindow editor(context_.database, context_.ui, context_.programDir / "ErrorMsg.txt",
                               this);
    if (editor.exec() == QDialog::Accepted)
        table_->showAll();
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
