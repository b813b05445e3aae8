#include "shell/ui/MainWindow.h"

#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "common/ui/DocumentView.h"
#include "shell/OptionsWindowModel.h"
#include "shell/ui/ChildWindow.h"
#include "shell/ui/HelpWindows.h"
#include "shell/ui/OptionsWindow.h"
#include "shell/ui/QtColour.h"
#include "shell/ui/TitleWindow.h"
#include "thermo/ui/ThermoWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>
#include <exception>

namespace kinetra::ui {

namespace {

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

    buildMenus();
    connectCommands();
    buildToolbars();

    numberFormatTimer_.setSingleShot(true);
    numberFormatTimer_.setInterval(timings_.numberFormatMessage);
    connect(&numberFormatTimer_, &QTimer::timeout, this, &MainWindow::showNumberFormatFailure);
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
    // The items that work in this version; Close, Save and Save as... belong to the document
    // windows and do nothing here. Every other item waits for its window and stays disabled.
    const std::map<std::string, std::function<void()>> commands{
        {"MDI_TEXT", [this] { newTextDocument(); }},
        {"OPEN", [this] { shell_.OpenDocumentFile(""); }},
        {"CLOSE", {}},
        {"SAVE", {}},
        {"SAVEAS", {}},
        {"EXIT", [this] { shell_.RequestExit(); }},
        {"MDI_PhysCon", [this] { openOptionsWindow(OptionsTab::PhysicalConstants); }},
        {"NDIColours", [this] { openOptionsWindow(OptionsTab::Colours); }},
        {"MDI_StBarhow", [this] { statusBar()->show(); }},
        {"MDI_StBarShow", [this] { statusBar()->hide(); }},
        {"MAIN_UEGUIG", [this] { showAbout(this); }},
        {"THERMOSHOW", [this] { showThermoWindow(); }},
        {"THERMOOPEN", [this] { connectThermoDatabase(false); }},
        {"THERMONEW", [this] { connectThermoDatabase(true); }},
    };
    for (auto& [name, action] : actions_) {
        if (action->isSeparator() || action->menu())
            continue;
        auto command = commands.find(name);
        if (command == commands.end()) {
            action->setEnabled(false);
            continue;
        }
        if (command->second)
            connect(action, &QAction::triggered, this,
                    [this, run = command->second] { guarded(run); });
    }
    // Opening documents needs what the start-up loads.
    actions_.at("OPEN")->setEnabled(false);
}

void MainWindow::buildToolbars() {
    for (int mode : kToolbarModes) {
        auto* bar = new QToolBar(toolbarTitle(mode), this);
        bar->setObjectName(QStringLiteral("toolbar%1").arg(mode));
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->setMovable(false);
        for (const ToolbarButton& button : toolbarButtons(mode)) {
            QAction* action = bar->addAction(qs(trimBlanks(button.tooltip)));
            action->setObjectName(qs(button.key));
            action->setToolTip(qs(button.tooltip));
            // Each button forwards to an operation of the active document window. Only the
            // thermo window offers its operations in this version.
            if (mode == 1 && !button.operation.empty())
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
    try {
        operation();
        return true;
    } catch (const std::exception& e) {
        ui_.progress.busy(false);
        ui_.dialogs.message(e.what(), kTitle, Icon::Critical);
    }
    return false;
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
    emit startUpFinished();
}

// Document windows

ChildWindow* MainWindow::addChild(QWidget* content, const std::string& name,
                                  const std::string& caption, const std::filesystem::path& path,
                                  int toolbarMode) {
    const int id = app_.windows.add(name, caption, path);
    auto* child = new ChildWindow(id, toolbarMode, content);
    child->setWindowTitle(qs(caption));
    const QString icon = QString::fromStdString(app_.folders.support(files::kTextIcon).string());
    if (QFileInfo::exists(icon))
        child->setWindowIcon(QIcon(icon));
    connect(child, &ChildWindow::closed, this, &MainWindow::childClosed);
    mdi_->addSubWindow(child);
    child->resize(mdi_->size() * 0.75);
    child->show();
    mdi_->setActiveSubWindow(child);
    return child;
}

int MainWindow::newTextDocument() {
    auto caption = nextTextDocCaption(app_.windows.captions());
    if (!caption) {
        ui_.dialogs.message("A hundred new text documents are open. Close one of them first.",
                            kTitle, Icon::Information);
        return 0;
    }
    return addChild(newTextEditor({}, false), windows::kText, *caption, {}, 5)->registryId();
}

void MainWindow::openTextWindow(const std::filesystem::path& path, bool /*solverFile*/) {
    auto bytes = readTextFile(path);
    if (!bytes) {
        ui_.dialogs.message("File " + path.string() + " cannot be opened.", kTitle,
                            Icon::Exclamation);
        return;
    }
    addChild(newTextEditor(displayText(*bytes), true), windows::kText, path.filename().string(),
             path, 5);
}

void MainWindow::childActivated(QMdiSubWindow* window) {
    // A null window only means that the main window lost the focus.
    if (auto* child = qobject_cast<ChildWindow*>(window)) {
        shell_.ShowToolbar(child->toolbarMode());
        showMenusOf(child);
    }
}

void MainWindow::childClosed(int registryId) {
    app_.windows.remove(registryId);
    if (mdi_->subWindowList().isEmpty()) {
        shell_.ShowToolbar(0);
        showMenusOf(nullptr);
    }
}

void MainWindow::showMenusOf(QMdiSubWindow* window) {
    auto* document = window ? dynamic_cast<DocumentView*>(window->widget()) : nullptr;
    QList<QAction*> wanted = mainMenus_;
    if (document) {
        wanted.clear();
        for (QMenu* menu : document->documentMenus())
            wanted.append(menu->menuAction());
    }
    if (menuBar()->actions() == wanted)
        return;
    menuBar()->clear();
    menuBar()->addActions(wanted);
}

void MainWindow::runToolbarButton(int mode, const std::string& key) {
    auto* child = qobject_cast<ChildWindow*>(mdi_->activeSubWindow());
    if (!child || child->toolbarMode() != mode)
        return;
    if (auto* document = dynamic_cast<DocumentView*>(child->widget()))
        document->runToolbarOperation(toolbarOperation(mode, key));
}

ChildWindow* MainWindow::thermoWindow() const {
    for (const OpenWindow& open : app_.windows.named(windows::kThermo))
        if (ChildWindow* child = childWindow(open.id))
            return child;
    return nullptr;
}

void MainWindow::connectThermoDatabase(bool createNew) {
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
            openTextWindow(file, false);
            if (auto* child = qobject_cast<ChildWindow*>(mdi_->activeSubWindow()))
                child->setWindowTitle(qs(caption));
        };
        context.openDocument = [this] { shell_.OpenDocumentFile(""); };
        context.requestExit = [this] { shell_.RequestExit(); };
        context.connectDatabase = [this] {
            QTimer::singleShot(0, this,
                               [this] { guarded([this] { connectThermoDatabase(false); }); });
        };
        context.newDatabase = [this] {
            QTimer::singleShot(0, this,
                               [this] { guarded([this] { connectThermoDatabase(true); }); });
        };
        context.closeWindow = [this] {
            if (ChildWindow* open = thermoWindow())
                QTimer::singleShot(0, open, [open] { open->close(); });
        };
        context.reactionWindowsOpen = [this] {
            return !app_.windows.named(windows::kReaction).empty();
        };
        auto* content = new thermo::ui::ThermoWindow(std::move(context));
        ChildWindow* child =
            addChild(content, windows::kThermo, "THERMO Database  " + app_.thermo.path().string(),
                     app_.thermo.path(), 1);
        // The species table is wide: it takes the whole area it can.
        child->resize(mdi_->size() * 0.95);
    });
}

bool MainWindow::acceptReactionDatabase(const std::filesystem::path&) {
    notAvailable("Reaction databases");
    return false;
}

void MainWindow::openReactionWindow(const std::filesystem::path&) {
    notAvailable("Reaction databases");
}

bool MainWindow::openChartWindow(const std::filesystem::path&) {
    notAvailable("Charts");
    // Handled: the shell's "not a chart file" message would blame the file.
    return true;
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
