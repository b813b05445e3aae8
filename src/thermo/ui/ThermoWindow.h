// The thermo window: the species grid of the connected thermo database with its menus, pop-up
// menu, toolbar operations, status texts and tool windows. Everything it shows comes from the
// core ThermoTable; every command is forwarded to it (or to the database and the dialogs) and
// the grid is then redrawn from the core state.
#pragma once

#include "common/Seams.h"
#include "common/ui/DocumentView.h"
#include "common/ui/ToolbarOperations.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoTable.h"
#include "thermo/ThermoTabulation.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace kinetra::ui {
class TableWindowFrame;
}

class QAction;
class QLabel;
class QMenu;
class QTableView;

namespace kinetra::thermo::ui {

class ThermoTableModel;
class SpeciesInputWindow;

// What the window needs from the program around it.
struct ThermoWindowContext {
    ThermoWindowContext(ThermoDatabase& database, Ui& ui, ThermoRunSettings& reading,
                        ThermoChartSettings& chart)
        : database(database), ui(ui), reading(reading), chart(chart) {}

    ThermoDatabase& database;
    Ui& ui;
    ThermoRunSettings& reading;
    ThermoChartSettings& chart;
    std::function<GasConstants()> gasConstants;
    QColor invalidColour = Qt::red;
    std::filesystem::path supportDir; // TmpPlot.txt, CHEM01.TMP
    std::filesystem::path programDir; // ErrorMsg.txt
    std::function<void(const std::filesystem::path&, const std::string& caption)> openTextFile;
    std::function<void()> openDocument;    // File > Open...
    std::function<void()> requestExit;     // File > Exit
    std::function<void()> connectDatabase; // File > THERMO Database > Connect
    std::function<void()> newDatabase;     // File > THERMO Database > New
    std::function<void()> closeWindow;     // File > Close
    // While a reaction window is open the table may only be viewed.
    std::function<bool()> reactionWindowsOpen;
    // The scratch chart of the main window shows the functions of a row (Ctrl held: adds them).
    std::function<void(ChartHandOver)> showChart;
};

class ThermoWindow final : public QWidget, public kinetra::ui::DocumentView {
    Q_OBJECT
public:
    explicit ThermoWindow(ThermoWindowContext context, QWidget* parent = nullptr);
    ~ThermoWindow() override;

    ThermoTable& table() { return *table_; }
    QTableView* grid() const { return grid_; }
    QString countText() const;
    QString messageText() const;
    // A menu item by its name ("TDB_Cut", ...), for the window's menus and pop-up menu.
    QAction* action(const std::string& name) const;
    SpeciesInputWindow* inputWindow() const;

    // DocumentView
    QList<QMenu*> documentMenus() override;
    bool runToolbarOperation(ToolbarOperation operation) override;
    // Whether a toolbar operation is one of this window's.
    static bool offers(ToolbarOperation operation);
    bool queryClose() override;

    // Draws the grid anew from the core table (rows, columns, current row, selection, status).
    void redraw();
    // A reaction window opened or closed: the editing commands are offered only while none is
    // open (call redraw() afterwards for the status line).
    void applyViewOnly();

    // The toolbar's operations on window w (null: only which exist is read).
    static kinetra::ui::ToolbarOperationTable toolbarOperations(ThermoWindow* w);

private:
    void buildMenus();
    QAction* addItem(QMenu* menu, const std::string& name, const QString& caption,
                     std::function<void()> run, bool edits = false);
    void gridRowChanged();
    void gridSelectionChanged();
    void cellDoubleClicked(const QModelIndex& index);
    void applyTextSize();
    // Fits the columns to their contents when the data, the column set or the text size changed
    // since the last fit.
    void fitColumns();
    // Runs a command with its place code; an unexpected error becomes a message.
    void run(const char* placeCode, const std::function<void()>& command);
    void paste();

    void openInputWindow();
    void openPasteSpecial();
    void openFind();
    // F3: the find window's Find Next again.
    void findNext();
    void openFilter();
    void openReferences();
    void openElementsFilter();
    void openElementEditor();
    void openChartSetup();
    void numericData();

public:
    // The row header's double click: the checked functions of the row's species to the
    // scratch chart; addToExisting when Ctrl is held.
    void plotRow(std::size_t row, bool addToExisting);

private:
    ThermoWindowContext context_;
    std::unique_ptr<ThermoTable> table_;
    ThermoTableModel* model_ = nullptr;
    kinetra::ui::TableWindowFrame* frame_ = nullptr;
    QTableView* grid_ = nullptr; // the frame's
    // What the columns were last fitted to: the table's revision, the shown columns, the size.
    std::uint64_t fittedRevision_ = 0;
    std::vector<bool> fittedColumns_;
    int fittedPointSize_ = 0;
    std::vector<QAction*> editingActions_;
    QPointer<SpeciesInputWindow> input_;
    QPointer<QWidget> find_, filter_, references_, elementsFilter_;
    bool redrawing_ = false;
};

} // namespace kinetra::thermo::ui
