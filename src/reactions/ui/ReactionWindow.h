// The reaction window: the records of one reaction database in a grid, with its menus, pop-up
// menu, toolbar operations, status texts and tool windows. Everything it shows comes from the
// core ReactionTable; every command is forwarded to it (or to the database and the dialogs) and
// the grid is then redrawn from the core state. The window owns its database, the thermo
// species it was checked against and the table.
#pragma once

#include "charts/ChartHandOver.h"
#include "common/Seams.h"
#include "common/ui/DocumentView.h"
#include "common/ui/ToolbarOperations.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ReactionTable.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kinetra::ui {
class TableWindowFrame;
}

class QAction;
class QLabel;
class QMenu;
class QTableView;

namespace kinetra::reactions::ui {

class ReactionTableModel;
class ReactionInputWindow;

// What the window needs from the program around it.
struct ReactionWindowContext {
    ReactionWindowContext(Ui& ui, thermo::ThermoDatabase& thermo, ReactionRunSettings& settings)
        : ui(ui), thermo(thermo), settings(settings) {}

    Ui& ui;
    thermo::ThermoDatabase& thermo;
    ReactionRunSettings& settings;
    UnitConstants constants;
    double gasConstantCm3 = 0; // R' in cm^3 atm/(K mol), for Kc
    QColor invalidColour = Qt::red;
    std::filesystem::path supportDir; // TmpPlot.txt, CHEM01.TMP
    std::filesystem::path programDir; // ErrorMsg.txt
    ReactionTable::OpenTextFile openTextFile;
    std::function<void()> openDocument;  // File > Open...
    std::function<void()> newDatabase;   // File > New > Reaction Database
    std::function<void()> requestExit;   // File > Exit
    std::function<void()> closeWindow;   // File > Close
    std::function<void()> showThermo;    // File > THERMO Database > Show
    std::function<void()> connectThermo; // File > THERMO Database > Connect
    std::function<void()> newThermo;     // File > THERMO Database > New
    // Solver > Run Solver, once the solver input file is written: the run settings on it.
    std::function<void(const std::filesystem::path& input)> openRunSettings;
    // The scratch chart of the main window shows the rate chart (Ctrl held: adds to it).
    std::function<void(ChartHandOver)> showChart;
};

class ReactionWindow final : public QWidget, public kinetra::ui::DocumentView {
    Q_OBJECT
public:
    // The database has been opened (checked against `species`) by the caller.
    ReactionWindow(ReactionWindowContext context, std::unique_ptr<ReactionDatabase> database,
                   ThermoSpeciesList species, QWidget* parent = nullptr);
    ~ReactionWindow() override;

    ReactionTable& table() { return *table_; }
    ReactionDatabase& database() { return *database_; }
    QTableView* grid() const { return grid_; }
    QString countText() const;
    QString messageText() const;
    // A menu item by its name ("RDB_Cut", ...), for the window's menus and pop-up menu.
    QAction* action(const std::string& name) const;
    QMenu* popupMenu() const;
    ReactionInputWindow* inputWindow() const;

    // Whether a toolbar operation of the reaction toolbar is one of this window's.
    static bool offers(ToolbarOperation operation);

    // DocumentView
    QList<QMenu*> documentMenus() override;
    bool runToolbarOperation(ToolbarOperation operation) override;
    bool queryClose() override;

    // Draws the grid anew from the core table (rows, columns, current row, selection, status).
    void redraw();

    // The toolbar's operations on window w (null: only which exist is read).
    static kinetra::ui::ToolbarOperationTable toolbarOperations(ReactionWindow* w);

private:
    void buildMenus();
    QAction* addItem(QMenu* menu, const std::string& name, const QString& caption,
                     std::function<void()> command);
    QAction* addToggle(QMenu* menu, const std::string& name, const char* caption,
                       std::function<void()> toggle);
    void run(const char* placeCode, const std::function<void()>& command);
    void gridRowChanged();
    void gridSelectionChanged();
    void cellDoubleClicked(const QModelIndex& index);
    void applyTextSize();
    void followWithInputWindow();
    void openInputWindow();
    void openPasteSpecial();
    void openFind();
    void findNext();
    void openSpeciesFilter();
    void openElementsFilter();
    void openReferences();
    void paste();
    void trueDuplicates();
    void openRateSetup();
    void rateNumericData();
    // The chart of the current reaction's selected functions; addToExisting when Ctrl is held.
    void rateChart(bool addToExisting);
    // The options window, then the document of the view's valid reactions in a text window.
    void mechanismDocument();
    // Solver > Run Solver: the valid reactions of the view and their species into SOLTMP.txt
    // of the application folder, then the run settings window on it.
    void runSolver();
    // Long work with its text in the status bar and the busy pointer.
    void showWork(const char* text, const std::function<void()>& work);
    void call(const std::function<void()>& hook);

    ReactionWindowContext context_;
    std::unique_ptr<ReactionDatabase> database_;
    ThermoSpeciesList species_;
    std::unique_ptr<ReactionTable> table_;
    ReactionTableModel* model_ = nullptr;
    kinetra::ui::TableWindowFrame* frame_ = nullptr;
    QTableView* grid_ = nullptr; // the frame's
    QPointer<ReactionInputWindow> input_;
    QPointer<QWidget> find_;
    QPointer<QWidget> references_;
    bool redrawing_ = false;
};

} // namespace kinetra::reactions::ui
