#include "shell/ui/MainWindow.h"

#include "charts/ChartModel.h"
#include "common/PlaceError.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "common/ui/DocumentView.h"
#include "common/ui/Mnemonics.h"
#include "common/ui/StandardShortcuts.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ui/ReactionWindow.h"
#include "shell/OptionsWindowModel.h"
#include "shell/ui/ChildWindow.h"
#include "shell/ui/GuardedApplication.h"
#include "shell/ui/HelpWindows.h"
#include "shell/ui/OptionsWindow.h"
#include "shell/ui/QtColour.h"
#include "shell/ui/TextDocumentWindow.h"
#include "shell/ui/TitleWindow.h"
#include "solver/ui/SolverWindows.h"
#include "store/Database.h"
#include "textdoc/ui/TextPrinting.h"
#include "thermo/ui/ThermoWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <exception>
#include <random>

namespace kinetra::ui {

namespace {

constexpr QSize kLeastChildSize(240, 160);

constexpr const char* kTitle = "KINETRA";

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString toolbarTitle(int mode) {
    switch (mode) {
    case 1:
        return QStringLiteral("Thermo table");
    case 2:
        return QStringLiteral("Reaction table");
    case 4:
        return QStringLiteral("Chart");
    default:
        return QStringLiteral("Text document");
    }
}

// The toolbar pictures come from the desktop's icon theme; where it lacks them (another desktop)
// or there is none (a bare X server, the offscreen platform), from Adwaita, which
// scripts/install-deps installs. Platforms without a desktop do not even search the system's
// icon folders, so they are added.
void useIconTheme() {
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                   QStandardPaths::LocateDirectory))
        if (!paths.contains(folder))
            paths << folder;
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    else
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

} // namespace

MainWindow::MainWindow(App& app, Ui& ui, StartupTimings timings, QWidget* parent)
    : QMainWindow(parent), app_(app), ui_(ui), timings_(timings), shell_(app, ui, *this) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("KINETRA"));

    mdi_ = new QMdiArea;
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::childActivated);
    statusBar(); // made now, so that the progress display can attach to it
    useIconTheme();

    buildMenus();
    connectCommands();
    buildToolbars();
    buildChartTextEditor();

    numberFormatTimer_.setSingleShot(true);
    numberFormatTimer_.setInterval(timings_.numberFormatMessage);
    connect(&numberFormatTimer_, &QTimer::timeout, this, &MainWindow::showNumberFormatFailure);
    solver::ui::SolverWindowsContext solver(ui_);
    solver.appDir = app_.folders.appDir;
    solver.supportDir = app_.folders.supportDir;
    solver.constants = [this] {
        return results::UnitConstants{app_.constants.gasConstantJ, app_.constants.gasConstantCal,
                                      app_.constants.avogadro};
    };
    solver.consoleParent = this;
    solver.addWindow = [this](QWidget* content, const std::string& name, const std::string& caption,
                              const std::filesystem::path& path) {
        addChild(content, name, caption, path, 0);
    };
    solver.openTextDocument = [this](const std::filesystem::path& file) {
        // The output of a new run replaces the text window of the last one: two windows of one
        // caption, one of them out of date, read as the same run. A solver file is read-only,
        // so the old window closes without a question.
        for (const OpenWindow& open : app_.windows.named(windows::kText))
            if (open.path == file)
                if (ChildWindow* old = childWindow(open.id))
                    old->close();
        openTextWindow(file, true);
    };
    solver.openTextFile = [this](const std::filesystem::path& file, const std::string& caption) {
        openTextFileAs(file, caption);
    };
    solver.showChart = [this](ChartHandOver chart) { showScratchChart(std::move(chart)); };
    solverWindows_ = std::make_unique<solver::ui::SolverWindows>(std::move(solver));

    exitTimer_.setSingleShot(true);
    exitTimer_.setInterval(timings_.exit);
    connect(&exitTimer_, &QTimer::timeout, this, [this] { guarded([this] { shell_.runExit(); }); });
}

MainWindow::~MainWindow() {
    // The MDI area outlives this part of the object; its last signals must not reach it.
    disconnect(mdi_, nullptr, this, nullptr);
}

void MainWindow::buildMenus() {
    for (const MenuItem& top : mainMenus()) {
        QMenu* menu = menuBar()->addMenu(qs(top.caption));
        menu->setObjectName(qs(top.name));
        menu->menuAction()->setObjectName(qs(top.name));
        actions_[top.name] = menu->menuAction();
        mainMenus_.append(menu->menuAction());
        addMenuItems(menu, top.children);
    }
    reassignMenuBarMnemonics(mainMenus_);
}

void MainWindow::addMenuItems(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        QAction* action = nullptr;
        if (item.isSeparator()) {
            action = menu->addSeparator();
        } else if (!item.children.empty()) {
            QMenu* sub = menu->addMenu(qs(item.caption));
            sub->setObjectName(qs(item.name));
            addMenuItems(sub, item.children);
            action = sub->menuAction();
        } else {
            action = menu->addAction(qs(item.caption));
        }
        action->setObjectName(qs(item.name));
        actions_[item.name] = action;
    }
}

void MainWindow::connectCommands() {
    // The items that work in this version; every other item waits for its window and stays
    // disabled.
    const std::map<std::string, std::function<void()>> commands{
        {"MDI_TEXT", [this] { newTextDocument(); }},
        {"MDI_NEWREAC", [this] { newReactionDatabase(); }},
        {"OPEN", [this] { shell_.OpenDocumentFile(""); }},
        {"CLOSE",
         [this] {
             if (QMdiSubWindow* active = mdi_->activeSubWindow())
                 active->close();
         }},
        {"SAVE", [this] { saveActiveDocument(false); }},
        {"SAVEAS", [this] { saveActiveDocument(true); }},
        {"EXIT", [this] { shell_.RequestExit(); }},
        {"MDI_PhysCon", [this] { openOptionsWindow(OptionsTab::PhysicalConstants); }},
        {"NDIColours", [this] { openOptionsWindow(OptionsTab::Colours); }},
        {"MDI_StBarhow", [this] { statusBar()->show(); }},
        {"MDI_StBarShow", [this] { statusBar()->hide(); }},
        {"MAIN_UEGUIG", [this] { showAbout(this); }},
        {"THERMOSHOW", [this] { showThermoWindow(); }},
        {"THERMOOPEN", [this] { connectThermoDatabase(false); }},
        {"THERMONEW", [this] { connectThermoDatabase(true); }},
        {"WIN_CASCADE", [this] { mdi_->cascadeSubWindows(); }},
        {"WIN_TILE", [this] { mdi_->tileSubWindows(); }},
        {"WIN_CLOSEALL", [this] { closeAllDocuments(); }},
        {"WIN_NEXT", [this] { mdi_->activateNextSubWindow(); }},
        {"WIN_PREVIOUS", [this] { mdi_->activatePreviousSubWindow(); }},
    };
    for (auto& [name, action] : actions_) {
        if (action->isSeparator() || action->menu())
            continue;
        auto command = commands.find(name);
        if (command == commands.end()) {
            action->setEnabled(false);
            continue;
        }
        connect(action, &QAction::triggered, this, [this, run = command->second] { guarded(run); });
    }
    giveShortcut(actions_.at("MDI_TEXT"), StandardCommand::New);
    giveShortcut(actions_.at("OPEN"), StandardCommand::Open);
    giveShortcut(actions_.at("SAVE"), StandardCommand::Save);
    // Through every window in the order they were opened, not only back and forth between the
    // last two. The shortcut is taken before the MDI area's own Ctrl+Tab sees the key.
    actions_.at("WIN_NEXT")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
    actions_.at("WIN_PREVIOUS")
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
    connect(actions_.at("MDI_WINDOW")->menu(), &QMenu::aboutToShow, this,
            &MainWindow::refreshWindowList);
    // Opening documents needs what the start-up loads.
    actions_.at("OPEN")->setEnabled(false);
}

void MainWindow::buildToolbars() {
    for (int mode : kToolbarModes) {
        auto* bar = new QToolBar(toolbarTitle(mode), this);
        bar->setObjectName(QStringLiteral("toolbar%1").arg(mode));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setIconSize(QSize(20, 20));
        bar->setMovable(false);
        for (const ToolbarButton& button : toolbarButtons(mode)) {
            const QString caption = qs(trimBlanks(button.tooltip));
            QAction* action = bar->addAction(QIcon::fromTheme(qs(button.icon)), caption);
            action->setObjectName(qs(button.key));
            action->setToolTip(qs(button.tooltip));
            // Each button forwards to an operation of the active document window: the thermo
            // window's, and the text document's that exist in this version.
            const bool works =
                button.operation &&
                ((mode == 1 && thermo::ui::ThermoWindow::offers(*button.operation)) ||
                 (mode == 2 && reactions::ui::ReactionWindow::offers(*button.operation)) ||
                 (mode == 4 && ChartWindow::offers(*button.operation)) ||
                 (mode == 5 && TextDocumentWindow::offers(*button.operation)));
            if (works)
                connect(action, &QAction::triggered, this,
                        [this, mode, key = button.key] { runToolbarButton(mode, key); });
            else
                action->setEnabled(false);
        }
        addToolBar(Qt::TopToolBarArea, bar);
        bar->hide();
        toolbars_[mode] = bar;
    }
}

QAction* MainWindow::menuAction(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QToolBar* MainWindow::toolbar(int mode) const {
    auto it = toolbars_.find(mode);
    return it == toolbars_.end() ? nullptr : it->second;
}

TitleWindow* MainWindow::titleWindow() const {
    return title_;
}

ChildWindow* MainWindow::childWindow(int registryId) const {
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* child = qobject_cast<ChildWindow*>(w); child && child->registryId() == registryId)
            return child;
    return nullptr;
}

bool MainWindow::guarded(const std::function<void()>& operation) {
    // The one report of unexpected errors, with the place code of the main window's commands;
    // a failed command must not leave the hourglass behind.
    const bool finished = kinetra::guarded(ui_.dialogs, kCommandPlaceCode, operation);
    if (!finished)
        ui_.progress.busy(false);
    return finished;
}

// Start-up

void MainWindow::startUp(const NumberToText& convert) {
    applyBackground(kDefaultBackground);
    if (!shell_.startNumberFormatCheck(convert)) {
        numberFormatTimer_.start();
        return;
    }
    title_ = new TitleWindow(app_, timings_, this);
    connect(title_, &TitleWindow::checksDue, this, &MainWindow::runTitleChecks);
    connect(title_, &TitleWindow::finished, this, &MainWindow::titleFinished);
    title_->start();
    shell_.MDILoadConstants();
}

void MainWindow::showNumberFormatFailure() {
    ui_.dialogs.message(app_.numberFormatMessage, kTitle, Icon::Critical);
    help_ = newNumberFormatHelp(this);
    help_->setAttribute(Qt::WA_DeleteOnClose);
    help_->exec();
}

void MainWindow::runTitleChecks() {
    bool passed = false;
    if (!guarded([&] { passed = shell_.runTitleChecks(); })) {
        // The checks could not finish: the same end as a failed check.
        app_.terminate = true;
        shell_.RequestExit();
    }
    if (!passed && title_)
        title_->abandon();
}

void MainWindow::titleFinished() {
    guarded([this] { shell_.titleClosed(); });
    if (app_.terminate)
        return;
    actions_.at("OPEN")->setEnabled(true);
    // The title window had the keyboard; the keys go to the workbench now.
    QMainWindow::activateWindow();
    emit startUpFinished();
}

// Document windows

ChildWindow* MainWindow::addChild(QWidget* content, const std::string& name,
                                  const std::string& caption, const std::filesystem::path& path,
                                  int toolbarMode, double areaFraction) {
    const int id = app_.windows.add(name, caption, path);
    auto* child = new ChildWindow(id, toolbarMode, content);
    child->setWindowTitle(qs(caption));
    const QString icon = QString::fromStdString(app_.folders.support(files::kTextIcon).string());
    if (QFileInfo::exists(icon))
        child->setWindowIcon(QIcon(icon));
    connect(child, &ChildWindow::closed, this, &MainWindow::childClosed);
    // Window > Tile grows the whole main window until every tile holds the largest least size
    // of the windows: one post-processor (its units bar wants a thousand pixels) made it three
    // thousand pixels wide, off the screen. A window may be made smaller than its contents
    // instead, which are then clipped.
    child->setMinimumSize(kLeastChildSize);
    mdi_->addSubWindow(child);
    placeInside(child, areaFraction);
    child->show();
    mdi_->setActiveSubWindow(child);
    return child;
}

void MainWindow::placeInside(QMdiSubWindow* window, double areaFraction) {
    const QSize area = mdi_->viewport()->size();
    const QSize size = (area * areaFraction).expandedTo(window->minimumSizeHint()).boundedTo(area);
    window->resize(size);
    // The area cascades new windows from the top left; the cascade must not push one out.
    const QPoint at = window->pos();
    window->move(std::clamp(at.x(), 0, std::max(0, area.width() - size.width())),
                 std::clamp(at.y(), 0, std::max(0, area.height() - size.height())));
}

void MainWindow::addTextWindow(TextDocumentWindow* document) {
    const textdoc::TextDocumentState& state = document->state();
    ChildWindow* child = addChild(document, windows::kText, state.caption, state.path, 5);
    if (!textPage_) {
        textPage_ = std::make_shared<textdoc::TextPageSettings>();
        textPage_->paper = defaultPrinterPaper();
    }
    document->sharePageSettings(textPage_);
    const int id = child->registryId();
    connect(document, &TextDocumentWindow::captionChanged, child,
            [this, child, id](const QString& newCaption) {
                child->setWindowTitle(newCaption);
                app_.windows.setCaption(id, newCaption.toStdString());
            });
    connect(document, &TextDocumentWindow::undoStateChanged, this, [this, document] {
        if (mdi_->activeSubWindow() && mdi_->activeSubWindow()->widget() == document)
            refreshTextToolbar(*document);
    });
    connect(document, &TextDocumentWindow::statusTextChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    statusBar()->showMessage(document->statusText());
}

void MainWindow::refreshTextToolbar(const TextDocumentWindow& document) {
    const bool editable = !document.state().solverFile;
    const std::pair<const char*, bool> buttons[] = {
        {"SAVE", editable && !document.state().solverInput},
        {"TXT_CUT", editable},
        {"TXT_PASTE", editable},
        {"RICH_UNDO", editable && document.canUndo()},
        {"RICH_REDO", editable && document.canRedo()}};
    for (const auto& [key, enabled] : buttons)
        if (auto* button = toolbar(5)->findChild<QAction*>(QString::fromLatin1(key)))
            button->setEnabled(enabled);
}

textdoc::TextDocumentFolders MainWindow::textFolders() const {
    return {app_.folders.appDir, app_.folders.supportDir};
}

int MainWindow::newTextDocument() {
    auto caption = nextTextDocCaption(app_.windows.captions());
    if (!caption) {
        ui_.dialogs.message("A hundred new text documents are open. Close one of them first.",
                            kTitle, Icon::Information);
        return 0;
    }
    addTextWindow(TextDocumentWindow::open("$" + *caption, ui_, textFolders()));
    auto* child = qobject_cast<ChildWindow*>(mdi_->activeSubWindow());
    return child ? child->registryId() : 0;
}

void MainWindow::openTextWindow(const std::filesystem::path& path, bool /*solverFile*/) {
    // The window tells a solver file by its first line, whoever opens it.
    TextDocumentWindow* document = TextDocumentWindow::open(path.string(), ui_, textFolders());
    if (!document) {
        ui_.dialogs.message("File " + path.string() + " cannot be opened.", kTitle,
                            Icon::Exclamation);
        return;
    }
    addTextWindow(document);
}

void MainWindow::saveActiveDocument(bool asNew) {
    if (QMdiSubWindow* active = mdi_->activeSubWindow())
        if (auto* document = dynamic_cast<DocumentView*>(active->widget()))
            document->saveDocument(asNew);
}

bool MainWindow::closeAllDocuments() {
    for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (!window->close())
            return false;
    return true;
}

QList<QAction*> MainWindow::windowListItems() const {
    return windowList_;
}

void MainWindow::refreshWindowList() {
    QMenu* menu = actions_.at("MDI_WINDOW")->menu();
    for (QAction* item : windowList_) {
        menu->removeAction(item);
        item->deleteLater();
    }
    windowList_.clear();
    int number = 0;
    for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        ++number;
        // The first nine get their digit as the accelerator.
        const QString prefix =
            number < 10 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("%1 ").arg(number);
        QAction* item = menu->addAction(prefix + window->windowTitle());
        item->setCheckable(true);
        item->setChecked(window == mdi_->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (target)
                mdi_->setActiveSubWindow(target);
        });
        windowList_.append(item);
    }
}

void MainWindow::fitToScreen() {
    QScreen* display = screen() ? screen() : QApplication::primaryScreen();
    if (!display)
        return;
    const QRect free = display->availableGeometry();
    // The frame the window manager adds is not known before the window is shown: a margin of
    // a tenth leaves room for it on any screen.
    const QSize size = (free.size() * 0.9).expandedTo(minimumSizeHint()).boundedTo(free.size());
    resize(size);
    move(free.center() - QPoint(size.width() / 2, size.height() / 2));
}

void MainWindow::childActivated(QMdiSubWindow* window) {
    // A null window only means that the main window lost the focus.
    if (auto* child = qobject_cast<ChildWindow*>(window)) {
        // Tool windows (find, filters, input window) of one document never stay open over
        // another, where they would seem to act on it.
        for (QMdiSubWindow* other : mdi_->subWindowList())
            if (other != window && other->widget())
                for (QDialog* tool :
                     other->widget()->findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
                    if (tool->isVisible() && !tool->isModal())
                        tool->close();
        shell_.ShowToolbar(child->toolbarMode());
        showMenusOf(child);
        if (auto* text = qobject_cast<TextDocumentWindow*>(child->widget())) {
            statusBar()->showMessage(text->statusText());
            refreshTextToolbar(*text);
        } else {
            // "So: path" of a text window must not stay under a post-processor or a chart.
            statusBar()->clearMessage();
        }
        if (auto* chart = qobject_cast<ChartWindow*>(child->widget())) {
            // MenuEnab: the scratch chart can only be saved with Save as.
            chart->menuEnab(!chart->isScratch());
            refreshChartToolbar(*chart);
        }
        // Whatever made it active (a click, Ctrl+Tab, the Window menu), typing goes into it.
        if (QWidget* content = child->widget(); content && !content->isAncestorOf(focusWidget()))
            content->setFocus();
    }
}

void MainWindow::childClosed(int registryId) {
    const bool reaction = [&] {
        for (const OpenWindow& open : app_.windows.named(windows::kReaction))
            if (open.id == registryId)
                return true;
        return false;
    }();
    app_.windows.remove(registryId);
    // The text being edited has nowhere to go once its chart has closed.
    if (chartEditTarget_)
        if (auto* frame = qobject_cast<ChildWindow*>(chartEditTarget_->parentWidget());
            frame && frame->registryId() == registryId) {
            chartEdit_.reset();
            chartEditTarget_.clear();
            chartEditor_->hide();
        }
    if (reaction)
        updateThermoViewOnly();
    if (mdi_->subWindowList().isEmpty()) {
        shell_.ShowToolbar(0);
        showMenusOf(nullptr);
    }
}

void MainWindow::showMenusOf(QMdiSubWindow* window) {
    auto* document = window ? dynamic_cast<DocumentView*>(window->widget()) : nullptr;
    QList<QAction*> wanted = mainMenus_;
    if (document) {
        // The document's menus join the main window's: a document menu stands in for the main
        // menu of the same title (its File), the main window's others (Settings, Window, Help)
        // follow, so that New, the settings and Help stay reachable.
        QList<QAction*> joined;
        QMenu* mainFile = actions_.at("FILE")->menu();
        bool ownFile = false;
        const auto sameTitle = [](const QMenu* a, const QMenu* b) {
            return withoutMnemonic(a->title()) == withoutMnemonic(b->title());
        };
        for (QMenu* menu : document->documentMenus())
            ownFile = ownFile || sameTitle(menu, mainFile);
        if (!ownFile)
            joined.append(mainFile->menuAction());
        for (QMenu* menu : document->documentMenus()) {
            if (sameTitle(menu, mainFile)) {
                QAction* newItem = actions_.at("MDI_NEW");
                if (!menu->actions().contains(newItem)) {
                    // A File menu of the document's own (a chart's) still opens files and ends
                    // the program, with Ctrl+O, when it has no such items itself.
                    const auto hasItem = [menu](const QAction* main) {
                        for (const QAction* a : menu->actions())
                            if (withoutMnemonic(a->text()) == withoutMnemonic(main->text()))
                                return true;
                        return false;
                    };
                    QAction* first = menu->actions().value(0);
                    menu->insertAction(first, newItem);
                    if (!hasItem(actions_.at("OPEN")))
                        menu->insertAction(first, actions_.at("OPEN"));
                    menu->insertSeparator(first);
                    if (!hasItem(actions_.at("EXIT"))) {
                        menu->addSeparator();
                        menu->addAction(actions_.at("EXIT"));
                    }
                }
            }
            joined.append(menu->menuAction());
        }
        for (QAction* main : mainMenus_)
            if (main != mainFile->menuAction())
                joined.append(main);
        wanted = joined;
    }
    // Alt and a letter open a menu of the bar as it now stands.
    reassignMenuBarMnemonics(wanted);
    if (menuBar()->actions() == wanted)
        return;
    menuBar()->clear();
    menuBar()->addActions(wanted);
}

void MainWindow::runToolbarButton(int mode, const std::string& key) {
    auto* child = qobject_cast<ChildWindow*>(mdi_->activeSubWindow());
    if (!child || child->toolbarMode() != mode)
        return;
    const std::optional<ToolbarOperation> operation = toolbarOperation(mode, key);
    if (auto* document = dynamic_cast<DocumentView*>(child->widget()); document && operation)
        document->runToolbarOperation(*operation);
}

ChildWindow* MainWindow::thermoWindow() const {
    for (const OpenWindow& open : app_.windows.named(windows::kThermo))
        if (ChildWindow* child = childWindow(open.id))
            return child;
    return nullptr;
}

void MainWindow::connectThermoDatabase(bool createNew) {
    // The reaction windows were checked against the species of the connected database; they
    // close first (each with its save question), and a Cancel keeps everything as it is.
    for (ChildWindow* reaction : reactionWindows())
        if (!reaction->close())
            return;
    if (ChildWindow* open = thermoWindow(); open && !open->close())
        return;
    const bool connected = createNew ? app_.thermo.createNew(ui_) : app_.thermo.openWithDialog(ui_);
    if (connected)
        app_.thermoPath = app_.thermo.path().string();
    if (app_.thermo.isConnected())
        showThermoWindow();
}

void MainWindow::activateWindow(int id) {
    if (ChildWindow* child = childWindow(id))
        mdi_->setActiveSubWindow(child);
}

void MainWindow::closeWindow(int id) {
    ChildWindow* child = childWindow(id);
    if (!child) {
        // Not a window of the MDI area (the options window is modal and never asked): nothing
        // stays open under that id.
        app_.windows.remove(id);
        return;
    }
    if (!child->close())
        app_.cancelExit = true;
}

void MainWindow::closeHelpViewer() {
    if (help_)
        help_->close();
}

// Windows that arrive with later subsystems

void MainWindow::notAvailable(const std::string& what) {
    ui_.dialogs.message(what + " cannot be opened in this version of KINETRA yet.", kTitle,
                        Icon::Information);
}

void MainWindow::showThermoWindow() {
    if (ChildWindow* open = thermoWindow()) {
        mdi_->setActiveSubWindow(open);
        return;
    }
    if (!app_.thermo.isConnected()) {
        ui_.dialogs.message("No THERMO database is connected. Use the Connect or New item of the "
                            "THERMO Database menu.",
                            kTitle, Icon::Information);
        return;
    }
    guarded([this] {
        app_.thermo.windowOpened();
        thermo::ui::ThermoWindowContext context{app_.thermo, ui_, app_.thermoReading,
                                                app_.thermoChart};
        context.gasConstants = [this] {
            return thermo::GasConstants{app_.constants.gasConstantJ, app_.constants.gasConstantCal};
        };
        context.invalidColour = toQColor(app_.options.highlight);
        context.supportDir = app_.folders.supportDir;
        context.programDir = app_.folders.appDir;
        context.openTextFile = [this](const std::filesystem::path& file,
                                      const std::string& caption) {
            openTextFileAs(file, caption);
        };
        context.openDocument = [this] { shell_.OpenDocumentFile(""); };
        context.requestExit = [this] { shell_.RequestExit(); };
        context.connectDatabase = afterThisCommand([this] { connectThermoDatabase(false); });
        context.newDatabase = afterThisCommand([this] { connectThermoDatabase(true); });
        context.closeWindow = [this] {
            if (ChildWindow* open = thermoWindow())
                QTimer::singleShot(0, open, [open] { open->close(); });
        };
        context.reactionWindowsOpen = [this] {
            return !app_.windows.named(windows::kReaction).empty();
        };
        context.showChart = [this](ChartHandOver chart) { showScratchChart(std::move(chart)); };
        auto* content = new thermo::ui::ThermoWindow(std::move(context));
        // The species table is wide: it takes nearly the whole area.
        addChild(content, windows::kThermo, "THERMO Database  " + app_.thermo.path().string(),
                 app_.thermo.path(), 1, 0.95);
    });
}

void MainWindow::openTextFileAs(const std::filesystem::path& file, const std::string& caption) {
    openTextWindow(file, false);
    if (auto* child = qobject_cast<ChildWindow*>(mdi_->activeSubWindow()))
        if (auto* text = qobject_cast<TextDocumentWindow*>(child->widget())) {
            text->setCaption(caption);
            child->setWindowTitle(qs(caption));
            app_.windows.setCaption(child->registryId(), caption);
        }
}

std::function<void()> MainWindow::afterThisCommand(std::function<void()> command) {
    return [this, command = std::move(command)] {
        QTimer::singleShot(0, this, [this, command] { guarded(command); });
    };
}

// Reaction databases

QList<ChildWindow*> MainWindow::reactionWindows() const {
    QList<ChildWindow*> open;
    for (const OpenWindow& window : app_.windows.named(windows::kReaction))
        if (ChildWindow* child = childWindow(window.id))
            open.append(child);
    return open;
}

void MainWindow::updateThermoViewOnly() {
    if (ChildWindow* open = thermoWindow())
        if (auto* content = qobject_cast<thermo::ui::ThermoWindow*>(open->widget())) {
            content->applyViewOnly();
            content->redraw();
        }
}

std::optional<reactions::ThermoSpeciesList> MainWindow::thermoSpeciesForReactions() {
    return reactions::openThermoSpecies(app_.thermo, ui_.dialogs, [this] {
        if (app_.thermo.isConnected())
            showThermoWindow();
    });
}

bool MainWindow::acceptReactionDatabase(const std::filesystem::path&) {
    acceptedSpecies_.reset();
    guarded([this] { acceptedSpecies_ = thermoSpeciesForReactions(); });
    return acceptedSpecies_.has_value();
}

void MainWindow::openReactionWindow(const std::filesystem::path& path) {
    // The start-up copy is opened without the thermo species (nothing in it is checked).
    reactions::ThermoSpeciesList species =
        acceptedSpecies_.value_or(reactions::ThermoSpeciesList{});
    acceptedSpecies_.reset();
    addReactionWindow(path, std::move(species), false);
}

void MainWindow::newReactionDatabase() {
    const std::string chosen =
        ui_.files.saveFile(FilterKind::Databases, "New Reaction Database", "");
    if (chosen.empty())
        return;
    if (const OpenWindow* open = app_.windows.findByPath(windows::kReaction, chosen)) {
        ui_.dialogs.message("The reaction database is already opened.\n\n" + chosen, kTitle,
                            Icon::Information);
        activateWindow(open->id);
        return;
    }
    std::optional<reactions::ThermoSpeciesList> species;
    if (!guarded([&] { species = thermoSpeciesForReactions(); }) || !species)
        return;
    addReactionWindow(chosen, std::move(*species), true);
}

void MainWindow::addReactionWindow(const std::filesystem::path& path,
                                   reactions::ThermoSpeciesList species, bool createNew) {
    const reactions::ReactionFiles reactionFiles{app_.folders.support(files::kEmptyReac),
                                                 app_.folders.support(files::kStartupReacCopy)};
    auto database = std::make_unique<reactions::ReactionDatabase>(path, reactionFiles);
    // Every record is checked on opening: on a large database the user sees why it takes time.
    ui_.progress.busy(true);
    ui_.progress.show("Checking reactions...", -1);
    bool opened = false;
    try {
        if (createNew)
            database->createFromTemplate(true);
        database->open(species);
        opened = true;
    } catch (const store::StoreError& e) {
        ui_.progress.done();
        ui_.dialogs.message(e.what(), kTitle, Icon::Exclamation);
    } catch (const std::exception& e) {
        ui_.progress.done();
        ui_.dialogs.message(std::string("RDB#049. ") + e.what(), kTitle, Icon::Critical);
    }
    if (!opened)
        return;
    guarded([&] {
        reactions::ui::ReactionWindowContext context{ui_, app_.thermo, app_.reactionReading};
        context.constants = {app_.constants.avogadro, app_.constants.gasConstantCal,
                             app_.constants.gasConstantJ};
        context.gasConstantCm3 = app_.constants.gasConstantCm3Atm();
        context.invalidColour = toQColor(app_.options.highlight);
        context.supportDir = app_.folders.supportDir;
        context.programDir = app_.folders.appDir;
        context.openTextFile = [this](const std::filesystem::path& file,
                                      const std::string& caption) {
            openTextFileAs(file, caption);
        };
        context.openDocument = afterThisCommand([this] { shell_.OpenDocumentFile(""); });
        context.newDatabase = afterThisCommand([this] { newReactionDatabase(); });
        context.requestExit = [this] { shell_.RequestExit(); };
        // Its menu is only reachable while the window is active.
        context.closeWindow = afterThisCommand([this] {
            if (QMdiSubWindow* active = mdi_->activeSubWindow())
                active->close();
        });
        context.showThermo = afterThisCommand([this] { showThermoWindow(); });
        context.connectThermo = afterThisCommand([this] { connectThermoDatabase(false); });
        context.newThermo = afterThisCommand([this] { connectThermoDatabase(true); });
        context.openRunSettings = [this](const std::filesystem::path& input) {
            solverWindows_->openRunSettings(input);
        };
        context.showChart = [this](ChartHandOver chart) { showScratchChart(std::move(chart)); };
        auto* content = new reactions::ui::ReactionWindow(std::move(context), std::move(database),
                                                          std::move(species));
        addChild(content, windows::kReaction, path.filename().string(), path, 2);
        ui_.progress.done();
        updateThermoViewOnly();
    });
    ui_.progress.done();
}

// Charts

ChartWindow* MainWindow::newChartWindow(const std::string& caption) {
    ChartWindowContext context(ui_);
    context.supportDir = app_.folders.supportDir;
    context.selection = toQColor(app_.options.selection);
    context.draw = randomWholeNumbers(std::random_device{}());
    auto* chart = new ChartWindow(std::move(context), caption);
    return chart;
}

ChartWindow* MainWindow::addChartWindow(ChartWindow* chart, const std::filesystem::path& path) {
    ChildWindow* child = addChild(chart, windows::kChart, chart->caption(), path, 4);
    const int id = child->registryId();
    chart->setCaptionChanged([this, child, id](const std::string& caption) {
        child->setWindowTitle(qs(caption));
        app_.windows.setCaption(id, caption);
    });
    chart->setTextEditor(
        [this, chart](ChartTextEdit edit) { editChartText(chart, std::move(edit)); });
    connect(chart, &ChartWindow::toolbarStateChanged, this, [this, chart] {
        if (mdi_->activeSubWindow() && mdi_->activeSubWindow()->widget() == chart)
            refreshChartToolbar(*chart);
    });
    connect(chart, &ChartWindow::sizeTextChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text, 3000); });
    connect(chart, &ChartWindow::saveEnabledChanged, this, [this, chart] {
        if (mdi_->activeSubWindow() && mdi_->activeSubWindow()->widget() == chart)
            refreshChartToolbar(*chart);
    });
    chart->menuEnab(!chart->isScratch());
    refreshChartToolbar(*chart);
    return chart;
}

void MainWindow::refreshChartToolbar(const ChartWindow& chart) {
    const bool selected = chart.model().selected().has_value();
    const std::pair<const char*, bool> buttons[] = {
        {"SAVE", chart.saveEnabled()}, {"CUTSUBSET", selected}, {"SAVESUBSET", selected}};
    for (const auto& [key, enabled] : buttons)
        if (auto* button = toolbar(4)->findChild<QAction*>(QString::fromLatin1(key)))
            button->setEnabled(enabled);
    // The toggles are drawn pressed while their style is on.
    const ChartContent& c = chart.model().content();
    const std::pair<const char*, bool> toggles[] = {
        {"GRIDLINE", c.grid}, {"MARKER", c.pointSymbols}, {"LEGEND", c.monochrome}};
    for (const auto& [key, on] : toggles)
        if (auto* button = toolbar(4)->findChild<QAction*>(QString::fromLatin1(key))) {
            button->setCheckable(true);
            button->setChecked(on);
        }
}

ChartWindow* MainWindow::scratchChart() const {
    for (const OpenWindow& open : app_.windows.named(windows::kChart))
        if (ChildWindow* child = childWindow(open.id))
            if (auto* chart = qobject_cast<ChartWindow*>(child->widget());
                chart && chart->isScratch())
                return chart;
    return nullptr;
}

void MainWindow::showScratchChart(ChartHandOver chart) {
    guarded([&] {
        const ScratchKind kind = chart.windowCaption == scratchCaption(ScratchKind::AgainstTime)
                                     ? ScratchKind::AgainstTime
                                     : ScratchKind::AgainstTemperature;
        ChartWindow* scratch = scratchChart();
        const std::optional<std::string> openCaption =
            scratch ? std::optional<std::string>(scratch->caption()) : std::nullopt;
        // A scratch chart without data (all its subsets deleted is impossible, but a chart of
        // no subsets is) is rebuilt rather than added to.
        const bool add = addsToScratch(chart.addToExisting, openCaption, kind) &&
                         scratch->model().subsetCount() > 0;
        if (!scratch)
            scratch = addChartWindow(newChartWindow(scratchCaption(kind)), {});
        else if (!add)
            scratch->setCaption(scratchCaption(kind));
        scratch->showHandOver(chart, add);
        if (auto* child = qobject_cast<ChildWindow*>(scratch->parentWidget()))
            mdi_->setActiveSubWindow(child);
    });
}

bool MainWindow::openChartWindow(const std::filesystem::path& path) {
    ChartWindow* chart = newChartWindow(path.string());
    // OPENPLOT on the new window; a file that is not a chart closes it again (the shell says
    // why), so no empty chart stays behind.
    if (!chart->openPlot(path)) {
        delete chart;
        return false;
    }
    addChartWindow(chart, path);
    return true;
}

void MainWindow::buildChartTextEditor() {
    chartEditor_ = new QToolBar(QStringLiteral("Chart text"), this);
    chartEditor_->setObjectName(QStringLiteral("chartTextEditor"));
    chartEditor_->setMovable(false);
    chartElement_ = new QLabel(chartEditor_);
    chartText_ = new QLineEdit(chartEditor_);
    chartText_->setObjectName(QStringLiteral("chartText"));
    chartText_->setMinimumWidth(360);
    auto* ok = new QPushButton(QStringLiteral("OK"), chartEditor_);
    ok->setObjectName(QStringLiteral("chartTextOk"));
    chartEditor_->addWidget(chartElement_);
    chartEditor_->addWidget(chartText_);
    chartEditor_->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &MainWindow::chartTextOk);
    connect(chartText_, &QLineEdit::returnPressed, this, &MainWindow::chartTextOk);
    // Esc leaves the text as it was, as in every other box of the program.
    auto* cancel = new QShortcut(QKeySequence(Qt::Key_Escape), chartText_, nullptr, nullptr,
                                 Qt::WidgetShortcut);
    connect(cancel, &QShortcut::activated, this, [this] { closeChartTextEditor(); });
    addToolBar(Qt::TopToolBarArea, chartEditor_);
    // HideContr: hidden until a chart text is clicked.
    chartEditor_->hide();
}

void MainWindow::editChartText(ChartWindow* chart, ChartTextEdit edit) {
    chartEditTarget_ = chart;
    chartElement_->setText(qs(edit.element) + QStringLiteral(": "));
    chartText_->setText(qs(edit.text));
    chartEdit_ = std::move(edit);
    chartEditor_->show();
    chartText_->setFocus();
    chartText_->selectAll();
}

void MainWindow::chartTextOk() {
    // ChartFext: the text goes back to the element it came from, if its window is still open.
    if (chartEdit_ && chartEditTarget_)
        guarded([this] { chartEdit_->apply(chartText_->text().toStdString()); });
    closeChartTextEditor();
}

void MainWindow::closeChartTextEditor() {
    // The typing goes back to the chart the text came from, not to nowhere.
    if (chartEditTarget_ && chartText_->hasFocus())
        chartEditTarget_->setFocus();
    chartEdit_.reset();
    chartEditTarget_.clear();
    chartEditor_->hide();
}

// Toolbars, background, options

void MainWindow::showToolbar(int mode) {
    auto visible = toolbarVisibility(mode);
    if (!visible)
        return;
    for (std::size_t i = 0; i < std::size(kToolbarModes); ++i)
        toolbars_.at(kToolbarModes[i])->setVisible((*visible)[i]);
}

void MainWindow::applyBackground(Colour colour) {
    mdi_->setBackground(toQColor(colour));
}

void MainWindow::openOptionsWindow(OptionsTab tab) {
    // Saving reloads the options, which may ask for this window again: it is already open.
    if (optionsOpen_)
        return;
    optionsOpen_ = true;
    OptionsWindowModel model(app_, ui_, shell_);
    model.load();
    model.tab = tab;
    OptionsWindow window(model, ui_, this);
    const int id = app_.windows.add(windows::kOptions, window.windowTitle().toStdString());
    window.exec();
    app_.windows.remove(id);
    optionsOpen_ = false;
}

// Exit

void MainWindow::startExitTimer() {
    exitTimer_.start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shell_.mainWindowCloseRequested())
        event->accept();
    else
        event->ignore();
}

void MainWindow::quit() {
    // The exit routine has set the closing flag, so the main window now accepts its close.
    if (title_)
        title_->close();
    close();
    QCoreApplication::quit();
}

} // namespace kinetra::ui
