// The main window: menus and toolbars built from the command tables, the MDI area that holds
// the document windows, and the Qt side of the start-up and exit sequences. It owns the Shell
// and answers the shell's WindowHost requests.
#pragma once

#include "charts/ChartHandOver.h"
#include "charts/ui/ChartWindow.h"
#include "common/Seams.h"
#include "reactions/ThermoSpeciesList.h"
#include "shell/App.h"
#include "shell/Commands.h"
#include "shell/Shell.h"
#include "shell/StartupChecks.h"
#include "shell/WindowHost.h"
#include "shell/ui/StartupTimings.h"
#include "textdoc/PageSetup.h"
#include "textdoc/TextDocument.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QDialog;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kinetra::solver::ui {
class SolverWindows;
}

namespace kinetra::ui {

class ChildWindow;
class TextDocumentWindow;
class TitleWindow;

class MainWindow final : public QMainWindow, public WindowHost {
    Q_OBJECT
public:
    MainWindow(App& app, Ui& ui, StartupTimings timings = StartupTimings::fromEnvironment(),
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Shell& shell() { return shell_; }
    // The run settings, the solver console and the post-processor.
    solver::ui::SolverWindows& solverWindows() { return *solverWindows_; }

    // The start-up sequence: the number-format check, then the title window and its checks.
    // A test may pass another conversion to see the failure path.
    void startUp(const NumberToText& convert = programNumberConversion());

    QMdiArea* mdiArea() const { return mdi_; }
    // The menu item or menu of that name in the command tables; nullptr when there is none.
    QAction* menuAction(const std::string& name) const;
    // The toolbar of a toolbar mode (1, 2, 4 or 5).
    QToolBar* toolbar(int mode) const;
    TitleWindow* titleWindow() const;
    ChildWindow* childWindow(int registryId) const;
    // The window of the thermo table, or nullptr when it is not open.
    ChildWindow* thermoWindow() const;
    // The open reaction windows, in the order they were opened.
    QList<ChildWindow*> reactionWindows() const;
    // File > New > Reaction Database: a save dialog, the template copied there and opened.
    void newReactionDatabase();
    // File > New > Text Document; the registry id of the new window, 0 when none was opened.
    int newTextDocument();
    // The first size: most of the screen's free area, whatever its size and scaling, centred.
    void fitToScreen();
    // Window > Close All: the document windows in the order they were opened, each with its
    // save question; a Cancel stops there. True when every one closed.
    bool closeAllDocuments();
    // The Window menu's list of the open document windows, one item each, in the order they
    // were opened, the active one checked.
    QList<QAction*> windowListItems() const;

    // The computing windows' charts: the scratch chart is made, rebuilt, or (with the
    // hand-over's add flag, Ctrl held) extended when it is a scratch chart of the same kind.
    void showScratchChart(ChartHandOver chart);
    // The open scratch chart, or nullptr.
    ChartWindow* scratchChart() const;
    // The one-line editor of chart texts (hidden until a chart text is clicked) and its OK.
    QLineEdit* chartTextBox() const { return chartText_; }
    void chartTextOk();
    // Hides the one-line editor without writing its text back (Esc).
    void closeChartTextEditor();

    // WindowHost
    void showToolbar(int mode) override;
    void applyBackground(Colour colour) override;
    void openOptionsWindow(OptionsTab tab) override;
    void startExitTimer() override;
    void showThermoWindow() override;
    bool acceptReactionDatabase(const std::filesystem::path& path) override;
    void openReactionWindow(const std::filesystem::path& path) override;
    bool openChartWindow(const std::filesystem::path& path) override;
    void openTextWindow(const std::filesystem::path& path, bool solverFile) override;
    void activateWindow(int id) override;
    void closeWindow(int id) override;
    void closeHelpViewer() override;
    void quit() override;

signals:
    // The title window closed after its checks passed and the main window is ready for work.
    void startUpFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The toolbars follow the active document; the user does not switch them by hand.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void buildMenus();
    void addMenuItems(QMenu* menu, const std::vector<MenuItem>& items);
    void connectCommands();
    void buildToolbars();
    ChildWindow* addChild(QWidget* content, const std::string& name, const std::string& caption,
                          const std::filesystem::path& path, int toolbarMode,
                          double areaFraction = 0.75);
    // Sizes a new window to that fraction of the MDI area and moves it so that it lies wholly
    // inside, wherever the area's own placement put it.
    void placeInside(QMdiSubWindow* window, double areaFraction);
    void addTextWindow(TextDocumentWindow* document);
    // The text toolbar's Save, Cut, Paste, Undo and Redo as the active text document allows.
    void refreshTextToolbar(const TextDocumentWindow& document);
    textdoc::TextDocumentFolders textFolders() const;
    void refreshWindowList();
    void saveActiveDocument(bool asNew);
    void childClosed(int registryId);
    void childActivated(QMdiSubWindow* window);
    void showNumberFormatFailure();
    void runTitleChecks();
    void titleFinished();
    void notAvailable(const std::string& what);
    ChartWindow* newChartWindow(const std::string& caption);
    ChartWindow* addChartWindow(ChartWindow* chart, const std::filesystem::path& path);
    void buildChartTextEditor();
    void editChartText(ChartWindow* chart, ChartTextEdit edit);
    // The chart toolbar's Save and subset buttons follow the active chart window.
    void refreshChartToolbar(const ChartWindow& chart);
    // Connect (or, with createNew, New): the thermo window closes first with its save prompt,
    // and shows the connected database again afterwards.
    void connectThermoDatabase(bool createNew);
    // Opens a reaction window on a database that `open` prepares (opened, or made and opened),
    // checked against `species`.
    void addReactionWindow(const std::filesystem::path& path, reactions::ThermoSpeciesList species,
                           bool createNew);
    // The species a reaction window needs, or nothing (the message was shown).
    std::optional<reactions::ThermoSpeciesList> thermoSpeciesForReactions();
    // A scratch file of a document window (a mechanism, numeric data) in a text window.
    void openTextFileAs(const std::filesystem::path& file, const std::string& caption);
    // A document window's command that closes or replaces that window: it runs once the menu
    // item that asked for it has returned.
    std::function<void()> afterThisCommand(std::function<void()> command);
    // The thermo window's editing commands follow whether reaction windows are open.
    void updateThermoViewOnly();
    // The active document's menu bar, or the main window's own when no document has one.
    void showMenusOf(QMdiSubWindow* window);
    void runToolbarButton(int mode, const std::string& key);
    // Runs a core operation from an event handler: an exception cannot cross the event loop, so
    // it becomes a message. False when it was thrown.
    bool guarded(const std::function<void()>& operation);

    App& app_;
    Ui& ui_;
    StartupTimings timings_;
    Shell shell_;
    QMdiArea* mdi_ = nullptr;
    std::map<std::string, QAction*> actions_;
    QList<QAction*> mainMenus_;  // the main window's own menu bar
    QList<QAction*> windowList_; // the open windows at the end of the Window menu
    // The page settings of every text window, made with the first of them.
    std::shared_ptr<textdoc::TextPageSettings> textPage_;
    std::map<int, QToolBar*> toolbars_;
    QTimer numberFormatTimer_;
    QTimer exitTimer_;
    QPointer<TitleWindow> title_;
    QPointer<QDialog> help_;
    bool optionsOpen_ = false;
    std::unique_ptr<solver::ui::SolverWindows> solverWindows_;
    QToolBar* chartEditor_ = nullptr;
    QLabel* chartElement_ = nullptr;
    QLineEdit* chartText_ = nullptr;
    QPointer<ChartWindow> chartEditTarget_;
    std::optional<ChartTextEdit> chartEdit_;
    // The species the validity test of the last reaction database loaded, for its window.
    std::optional<reactions::ThermoSpeciesList> acceptedSpecies_;
};

} // namespace kinetra::ui
