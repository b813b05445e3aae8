// The main window and the options window over a throw-away application folder: menus and
// toolbars from the command tables, the start-up sequence, text windows, the options window
// drawing its model, and the exit.
#include "TempApp.h"
#include "common/ui/Mnemonics.h"
#include "reactions/ThermoSpeciesList.h"
#include "shell/Commands.h"
#include "shell/OptionsWindowModel.h"
#include "shell/ui/ChildWindow.h"
#include "shell/ui/FindWindow.h"
#include "shell/ui/OptionsWindow.h"
#include "shell/ui/TextDocumentWindow.h"
#include "shell/ui/TitleWindow.h"

#include <QAction>
#include <QColorDialog>
#include <QFontInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

using namespace kinetra;
using namespace kinetra::testing;
namespace fs = std::filesystem;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempApp> t;
    std::unique_ptr<OptionsWindowModel> model;
    std::unique_ptr<ui::OptionsWindow> options;

    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& w : t->app.windows.all())
            out.push_back(w.caption);
        return out;
    }
    void checkMenu(ui::MainWindow& w, const std::vector<MenuItem>& items) {
        for (const MenuItem& item : items) {
            QAction* a = w.menuAction(item.name);
            QVERIFY2(a, item.name.c_str());
            if (item.isSeparator())
                QVERIFY(a->isSeparator());
            else
                QCOMPARE(ui::withoutMnemonic(a->text()), QString::fromStdString(item.caption));
            checkMenu(w, item.children);
        }
    }
    std::string storedOptions() const { return readFile(t->app.folders.support(files::kOptions)); }
    // The options window on its colours tab, over the options file as it is now.
    ui::OptionsWindow& openOptions() {
        ui::MainWindow& main = t->open();
        model = std::make_unique<OptionsWindowModel>(t->app, t->fake.ui, main.shell());
        model->load();
        model->tab = OptionsTab::Colours;
        options = std::make_unique<ui::OptionsWindow>(*model, t->fake.ui, &main);
        options->show();
        options->activateWindow();
        return *options;
    }

private slots:
    void init() { t = std::make_unique<TempApp>(); }
    void cleanup() {
        options.reset();
        model.reset();
        t.reset();
    }

    void menusAndToolbarsComeFromTheCommandTables() {
        ui::MainWindow& w = t->open();
        checkMenu(w, mainMenus());
        for (const char* working :
             {"MDI_TEXT", "MDI_NEWREAC", "SAVEAS", "THERMOSHOW", "THERMOOPEN", "THERMONEW"})
            QVERIFY2(w.menuAction(working)->isEnabled(), working);
        // Opening documents waits for the start-up.
        QVERIFY(!w.menuAction("OPEN")->isEnabled());

        for (int mode : kToolbarModes) {
            QToolBar* bar = w.toolbar(mode);
            QVERIFY(bar && !bar->isVisible());
            const auto& buttons = toolbarButtons(mode);
            const QList<QAction*> actions = bar->actions();
            QCOMPARE(actions.size(), qsizetype(buttons.size()));
            for (std::size_t i = 0; i < buttons.size(); ++i) {
                QCOMPARE(actions[i]->objectName(), QString::fromStdString(buttons[i].key));
                QCOMPARE(actions[i]->toolTip(), QString::fromStdString(buttons[i].tooltip));
                // Every button shows a picture from the icon theme.
                QVERIFY2(!actions[i]->icon().isNull(), buttons[i].icon.c_str());
                // The thermo and reaction windows have every operation of their toolbars, the
                // text and chart windows their own.
                QCOMPARE(actions[i]->isEnabled(),
                         mode == 1 || mode == 2 ||
                             (mode == 4 && ui::ChartWindow::offers(*buttons[i].operation)) ||
                             (mode == 5 && ui::TextDocumentWindow::offers(*buttons[i].operation)));
            }
        }
    }

    void startUpShowsTitleThenEnablesOpen() {
        ui::MainWindow& w = t->open();
        QSignalSpy finished(&w, &ui::MainWindow::startUpFinished);
        w.startUp();
        QPointer<ui::TitleWindow> title = w.titleWindow();
        QVERIFY(title && title->isVisible());
        QVERIFY(!w.menuAction("OPEN")->isEnabled());
        QVERIFY(finished.wait(5000));
        QTRY_VERIFY(!title);
        QVERIFY(t->fake.dialogs.shown.empty());
        QVERIFY(w.menuAction("OPEN")->isEnabled());
        QCOMPARE(w.mdiArea()->background().color(), QColor(143, 143, 143));
    }

    void failedNumberFormatShowsMessageThenHelpAndLoadsNothing() {
        ui::MainWindow& w = t->open();
        bool helpAfterMessage = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            if (auto* help = QApplication::activeModalWidget()) {
                helpAfterMessage = t->fake.dialogs.shown.size() == 1;
                help->close();
                probe.stop();
            }
        });
        probe.start(5);
        w.startUp([](double) { return std::string("-176366841,571428571"); });
        QTRY_VERIFY(!probe.isActive());
        QVERIFY(helpAfterMessage);
        QVERIFY(!w.titleWindow());
        QVERIFY(!t->app.checksPassed);
        QVERIFY(!w.menuAction("OPEN")->isEnabled());
    }

    void failedTitleCheckEndsTheProgram() {
        fs::remove(t->app.folders.support(files::kTextIcon));
        ui::MainWindow& w = t->open();
        w.startUp();
        QTRY_VERIFY(t->app.closing);
        QVERIFY(!w.isVisible());
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
    }

    void newTextDocumentsReuseAFreedNumberAndTakeTheToolbar() {
        ui::MainWindow& w = t->open();
        QAction* newText = w.menuAction("MDI_TEXT");
        newText->trigger();
        newText->trigger();
        auto* editor = qobject_cast<QPlainTextEdit*>(w.mdiArea()->activeSubWindow()->widget());
        QVERIFY(editor && !editor->isReadOnly());
        QVERIFY(w.toolbar(5)->isVisible());
        QVERIFY(w.childWindow(t->app.windows.all()[0].id)->close());
        newText->trigger();
        QCOMPARE(captions(), (std::vector<std::string>{"Text Doc2", "Text Doc1"}));
        QCOMPARE(w.mdiArea()->activeSubWindow()->windowTitle(), QString("Text Doc1"));

        // The toolbar goes with the last document.
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
            sub->close();
        QVERIFY(t->app.windows.all().empty());
        QVERIFY(!w.toolbar(5)->isVisible());
    }

    void textFilesOpenInADocumentWindow() {
        ui::MainWindow& w = t->open();
        const fs::path file = t->dir.write("results/run 1.txt", "T, K\r\n300   1.5E+13\r\n");
        w.shell().OpenDocumentFile(file.string());
        QVERIFY(t->fake.dialogs.shown.empty());
        QCOMPARE(captions(), std::vector<std::string>{"run 1.txt"});
        QVERIFY(samePath(t->app.windows.all().front().path, file));
        auto* viewer = qobject_cast<QPlainTextEdit*>(w.mdiArea()->activeSubWindow()->widget());
        QVERIFY(viewer && !viewer->isReadOnly());
        QCOMPARE(w.statusBar()->currentMessage(), "Te: " + QString::fromStdString(file.string()));
        QCOMPARE(viewer->toPlainText(), QString("T, K\n300   1.5E+13\n"));
        // A text that is not UTF-8 was written elsewhere and is shown as Latin-1.
        QCOMPARE(ui::displayText("25\xB0"
                                 "C\rnext"),
                 QString::fromUtf8("25\u00B0C\nnext"));

        w.openTextWindow(t->dir / "missing.txt", false);
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(t->app.windows.all().size(), std::size_t(1));
    }

    void aChartFileThatIsNotAChartLeavesNoWindow() {
        ui::MainWindow& w = t->open();
        const std::string file = t->dir.write("plot.pg", "T, K\n300\n").string();
        w.shell().OpenDocumentFile(file);
        QCOMPARE(t->fake.dialogs.texts(),
                 (std::vector<std::string>{"File " + file +
                                           " cannot be opened. Make sure you open a chart file "
                                           "and the file name is correct."}));
        QVERIFY(t->app.windows.all().empty());
    }

    void aReactionDatabaseNeedsAThermoDatabaseWithValidSpecies() {
        // Before start-up has connected one: the message, and no window stays.
        ui::MainWindow& w = t->open();
        w.shell().OpenDocumentFile((t->dir / "mech.mdb").string());
        QCOMPARE(t->fake.dialogs.texts(),
                 std::vector<std::string>{reactions::noValidSpeciesMessage(false)});
        QVERIFY(t->app.windows.all().empty());
        QVERIFY(!fs::exists(t->dir / "~mech.mdb"));
    }

    void aFileWithoutTheReactionTableIsRefused() {
        QVERIFY(t->startUp());
        // The quick-start thermo database is a database, but not a reaction database.
        const fs::path other = t->dir / "species.mdb";
        fs::copy_file(t->app.thermo.path(), other);
        t->window->shell().OpenDocumentFile(other.string());
        QCOMPARE(t->fake.dialogs.last().text,
                 other.string() + " The program cannot find the table 'Reactions'. Make sure you "
                                  "are opening a reaction database.");
        QVERIFY(t->fake.dialogs.last().icon == Icon::Exclamation);
        QVERIFY(t->app.windows.named(windows::kReaction).empty());
        QVERIFY(!fs::exists(t->dir / "~species.mdb"));
    }

    void settingsOpenTheOptionsWindowOnTheirTab() {
        ui::MainWindow& w = t->open();
        const std::tuple<const char*, QString, int> items[] = {
            {"MDI_PhysCon", "Physical constants", 1}, {"NDIColours", "Colors", 0}};
        for (const auto& [key, caption, page] : items) {
            whenModal([&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), caption);
                QCOMPARE(dialog->findChild<QTabWidget*>()->currentIndex(), page);
                QCOMPARE(t->app.windows.named(windows::kOptions).size(), std::size_t(1));
                dialog->close();
            });
            w.menuAction(key)->trigger();
            QVERIFY(t->app.windows.all().empty());
        }
    }

    void optionsWindowPointsAtTheRefusedConstant() {
        const std::string before = storedOptions();
        ui::OptionsWindow& w = openOptions();
        w.tabs()->setCurrentIndex(1);
        retype(w.constantBox(2), "0");
        w.tabs()->setCurrentIndex(0);
        w.findChild<QPushButton*>("okButton")->click();
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
        QVERIFY(w.isVisible());
        QCOMPARE(w.tabs()->currentIndex(), 1);
        QTRY_VERIFY(w.constantBox(2)->hasFocus());
        QCOMPARE(w.constantBox(2)->selectedText(), QString("0"));
        QCOMPARE(storedOptions(), before);
    }

    void optionsOkSavesAndAppliesTheChosenBackground() {
        ui::OptionsWindow& w = openOptions();
        // The colour dialog opens on the current colour; the chosen one replaces it.
        whenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<QColorDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->currentColor(), QColor(143, 143, 143));
            dialog->setCurrentColor(QColor(10, 20, 30));
            dialog->accept();
        });
        w.findChild<QPushButton*>("backgroundButton")->click();
        QCOMPARE(w.findChild<ui::ColourSample*>("backgroundSample")->colour(), QColor(10, 20, 30));

        retype(w.constantBox(4), "101.3");
        w.findChild<QPushButton*>("okButton")->click();
        QVERIFY(t->fake.dialogs.shown.empty());
        QVERIFY(!w.isVisible());
        QVERIFY(storedOptions().find("\r\n101.3\r\n") != std::string::npos);
        QCOMPARE(t->window->mdiArea()->background().color(), QColor(10, 20, 30));
    }

    void optionsCancelWithInvalidStoredConstantsOffersToEnd() {
        const std::string stored = storedOptions();
        const std::size_t pressure = stored.find("101.325");
        t->dir.write("AssistFiles/OPTIONS.txt",
                     stored.substr(0, pressure) + "0" + stored.substr(pressure + 7));
        ui::OptionsWindow& w = openOptions();
        t->fake.dialogs.answers = {Answer::Cancel};
        w.reject();
        QVERIFY(w.isVisible());
        QCOMPARE(w.tabs()->currentIndex(), 1);
        QTRY_VERIFY(w.constantBox(4)->hasFocus());

        t->fake.dialogs.answers = {Answer::Ok};
        w.findChild<QPushButton*>("cancelButton")->click();
        QVERIFY(!w.isVisible());
        QTRY_VERIFY(t->app.closing); // the program ends through its exit routine
    }

    // An unsaved text document asks at File > Exit: Cancel keeps the program and the text, No
    // lets the exit go on; Yes saves first, under a name the save dialog asks for.
    void modifiedTextDocumentsAskAtExit() {
        ui::MainWindow& w = t->open();
        w.menuAction("MDI_TEXT")->trigger();
        auto* editor = qobject_cast<QPlainTextEdit*>(w.mdiArea()->activeSubWindow()->widget());
        QTest::keyClicks(editor, "H2O 300 K");
        t->fake.dialogs.answers = {Answer::Cancel};
        w.menuAction("EXIT")->trigger();
        QTRY_COMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(t->fake.dialogs.last().text, "Do you want to save the text document Text Doc1?");
        QCOMPARE(t->fake.dialogs.last().buttons, Buttons::YesNoCancel);
        QTest::qWait(50);
        QVERIFY(w.isVisible() && !t->app.closing);
        QCOMPARE(editor->toPlainText(), QStringLiteral("H2O 300 K"));

        t->fake.dialogs.answers = {Answer::Yes};
        t->fake.files.paths = {(t->dir / "notes").string()};
        w.menuAction("EXIT")->trigger();
        QTRY_VERIFY(t->app.closing);
        QCOMPARE(readFile(t->dir / "notes.txt"), std::string("H2O 300 K"));
    }

    void textDocumentsUseAFixedPitchFontAndSaveAs() {
        ui::MainWindow& w = t->open();
        w.menuAction("MDI_TEXT")->trigger();
        auto* editor = qobject_cast<QPlainTextEdit*>(w.mdiArea()->activeSubWindow()->widget());
        QVERIFY(QFontInfo(editor->font()).fixedPitch());
        QCOMPARE(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
        QTest::keyClicks(editor, "x");
        t->fake.files.paths = {(t->dir / "kept.txt").string()};
        w.menuAction("SAVEAS")->trigger();
        QCOMPARE(w.mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("kept.txt"));
        QCOMPARE(captions(), std::vector<std::string>{"kept.txt"});
        // Saved: closing asks nothing.
        QVERIFY(w.mdiArea()->activeSubWindow()->close());
        QVERIFY(t->fake.dialogs.shown.empty());
    }

    // Page settings hold for every text window, as the page setup of one left them.
    void textWindowsSharePageSettings() {
        ui::MainWindow& w = t->open();
        w.menuAction("MDI_TEXT")->trigger();
        auto* first =
            qobject_cast<ui::TextDocumentWindow*>(w.mdiArea()->activeSubWindow()->widget());
        w.menuAction("MDI_TEXT")->trigger();
        auto* second =
            qobject_cast<ui::TextDocumentWindow*>(w.mdiArea()->activeSubWindow()->widget());
        QVERIFY(first && second && first != second);
        textdoc::TextPageSettings settings;
        settings.firstPageNumber = 9;
        settings.left = 2;
        first->setPageSettings(settings);
        QCOMPARE(second->pageSettings().firstPageNumber, 9);
        QCOMPARE(second->pageSettings().left, 2.0);

        // The text toolbar acts on the active document and follows its undo state.
        QToolBar* bar = w.toolbar(5);
        auto button = [bar](const char* key) {
            return bar->findChild<QAction*>(QString::fromLatin1(key));
        };
        QVERIFY(!button("RICH_UNDO")->isEnabled());
        second->insertPlainText("H2 + O2");
        second->takeSnapshotNow();
        QVERIFY(button("RICH_UNDO")->isEnabled());
        button("RICH_UNDO")->trigger();
        QCOMPARE(second->toPlainText(), QString());
        QVERIFY(!button("RICH_UNDO")->isEnabled() && button("RICH_REDO")->isEnabled());
        button("FIND")->trigger();
        QVERIFY(second->findWindow() && second->findWindow()->isVisible());
        QVERIFY(!first->findWindow());

        const fs::path solver = t->dir.write("run.out", "!$KINETRA SOLVER OUTPUT\n");
        w.openTextWindow(solver, false);
        QVERIFY(!button("TXT_CUT")->isEnabled() && !button("SAVE")->isEnabled());
        QVERIFY(button("TXT_COPY")->isEnabled());
        QVERIFY(!second->findWindow()->isVisible()); // tool windows stay with their document
    }

    // The keys of the main window's commands, shown in its menus and typed.
    void shortcutsOfTheMainWindow() {
        ui::MainWindow& w = t->open();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.menuAction("MDI_TEXT")->shortcut().toString(), QStringLiteral("Ctrl+N"));
        QCOMPARE(w.menuAction("OPEN")->shortcut().toString(), QStringLiteral("Ctrl+O"));
        QCOMPARE(w.menuAction("SAVE")->shortcut().toString(), QStringLiteral("Ctrl+S"));
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(captions(), (std::vector<std::string>{"Text Doc1", "Text Doc2"}));
        auto* editor = qobject_cast<QPlainTextEdit*>(w.mdiArea()->activeSubWindow()->widget());
        QTest::keyClicks(editor, "abc");
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QString());
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("abc"));
        t->fake.files.paths = {(t->dir / "abc.txt").string()};
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(readFile(t->dir / "abc.txt"), std::string("abc"));
    }

    // Alt and the underlined letter open a menu of the bar, and the letter alone then picks an
    // item: Alt+F, N, T makes a text document from the keyboard.
    void altAndALetterOpenTheMenus() {
        ui::MainWindow& w = t->open();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QMenu* file = w.menuAction("FILE")->menu();
        QCOMPARE(file->title(), QStringLiteral("&File"));
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(file->isVisible());
        QTest::keyClick(file, Qt::Key_N);
        QMenu* newMenu = w.menuAction("MDI_NEW")->menu();
        QTRY_VERIFY(newMenu->isVisible());
        QTest::keyClick(newMenu, Qt::Key_T);
        QCOMPARE(captions(), (std::vector<std::string>{"Text Doc1"}));
        QTRY_VERIFY(!file->isVisible());
    }

    // Ctrl+Tab goes through every window in the order they were opened and back to the first;
    // Ctrl+Shift+Tab goes the other way.
    void ctrlTabGoesThroughEveryWindow() {
        ui::MainWindow& w = t->open();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int i = 0; i < 4; ++i)
            w.menuAction("MDI_TEXT")->trigger();
        const auto active = [&w] { return w.mdiArea()->activeSubWindow()->windowTitle(); };
        QCOMPARE(active(), QStringLiteral("Text Doc4"));
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(w.focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            visited << active();
        }
        QCOMPARE(visited, (QStringList{"Text Doc1", "Text Doc2", "Text Doc3", "Text Doc4"}));
        QTest::keyClick(w.focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(active(), QStringLiteral("Text Doc3"));
        QCOMPARE(w.menuAction("WIN_NEXT")->shortcut().toString(), QStringLiteral("Ctrl+Tab"));
    }

    // Window: Cascade, Tile, Close All, and the open windows to pick from.
    void windowMenuArrangesListsAndClosesAll() {
        ui::MainWindow& w = t->open();
        for (int i = 0; i < 3; ++i)
            w.menuAction("MDI_TEXT")->trigger();
        QMenu* menu = w.menuAction("MDI_WINDOW")->menu();
        emit menu->aboutToShow();
        QStringList listed;
        for (QAction* item : w.windowListItems())
            listed << item->text() + (item->isChecked() ? "*" : "");
        QCOMPARE(listed, (QStringList{"&1 Text Doc1", "&2 Text Doc2", "&3 Text Doc3*"}));
        w.windowListItems().first()->trigger();
        QCOMPARE(w.mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Text Doc1"));

        w.menuAction("WIN_TILE")->trigger();
        const QRect area = w.mdiArea()->viewport()->rect();
        int covered = 0;
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList()) {
            QVERIFY(area.contains(sub->geometry()));
            covered += sub->width() * sub->height();
        }
        QVERIFY(covered > area.width() * area.height() * 9 / 10);
        w.menuAction("WIN_CASCADE")->trigger();
        QSet<int> lefts;
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
            lefts << sub->x();
        QCOMPARE(lefts.size(), 3);

        // Close All stops at a Cancel and closes the rest on No.
        auto* second = qobject_cast<QPlainTextEdit*>(w.mdiArea()->subWindowList()[1]->widget());
        QTest::keyClicks(second, "changed");
        t->fake.dialogs.answers = {Answer::Cancel};
        w.menuAction("WIN_CLOSEALL")->trigger();
        QCOMPARE(captions(), (std::vector<std::string>{"Text Doc2", "Text Doc3"}));
        t->fake.dialogs.answers = {Answer::No};
        w.menuAction("WIN_CLOSEALL")->trigger();
        QVERIFY(t->app.windows.all().empty());
    }

    // A document window opens wholly inside the main window, however many came before it; the
    // main window's first size fits the screen.
    void windowsOpenInsideAndTheMainWindowFitsTheScreen() {
        ui::MainWindow& w = t->open();
        for (int i = 0; i < 12; ++i)
            w.menuAction("MDI_TEXT")->trigger();
        const QRect area = w.mdiArea()->viewport()->rect();
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
            QVERIFY2(area.contains(sub->geometry()), qPrintable(sub->windowTitle()));
        w.fitToScreen();
        const QRect free = w.screen()->availableGeometry();
        QVERIFY(free.contains(w.geometry()));
        QVERIFY(w.width() > free.width() / 2);
    }

    // Once the checks have passed, a click or Esc closes the title window at once.
    void titleWindowGoesAtAClickOrEscAfterItsChecks() {
        for (bool byKey : {false, true}) {
            t = std::make_unique<TempApp>();
            // The close timer would wait a minute: only the user's click or key ends the window.
            auto timings = fastTimings();
            timings.titleClose = 60000;
            ui::MainWindow& w = t->open(timings);
            QSignalSpy finished(&w, &ui::MainWindow::startUpFinished);
            w.startUp();
            QPointer<ui::TitleWindow> title = w.titleWindow();
            QVERIFY(title);
            // Before the checks the window stays.
            QTest::keyClick(title, Qt::Key_Escape);
            QTest::mouseClick(title, Qt::LeftButton);
            QVERIFY(title && finished.isEmpty());
            QTRY_VERIFY(t->app.checksPassed);
            if (byKey)
                QTest::keyClick(title, Qt::Key_Escape);
            else
                QTest::mouseClick(title, Qt::LeftButton);
            QCOMPARE(finished.size(), 1);
            QTRY_VERIFY(!title);
        }
    }

    void closeBoxRunsTheExitRoutineFirst() {
        const fs::path scratch = t->app.folders.support("CHEA03.TMP");
        t->dir.write(fs::relative(scratch, t->dir.path()).string(), "x");
        ui::MainWindow& w = t->open();
        w.menuAction("MDI_TEXT")->trigger();
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QTRY_VERIFY(t->app.closing);
        QVERIFY(!w.isVisible());
        QVERIFY(t->app.windows.all().empty());
        QVERIFY(!fs::exists(scratch));
    }

    void exitMenuItemEndsTheProgram() {
        ui::MainWindow& w = t->open();
        w.menuAction("EXIT")->trigger();
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(t->app.closing);
        QVERIFY(fs::exists(t->app.folders.support(files::kOptions)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
