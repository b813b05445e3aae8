// The main window over a throw-away application folder: menus and toolbars from the command
// tables, the start-up sequence, text windows and the exit.
#include "TempApp.h"
#include "shell/Commands.h"
#include "shell/ui/ChildWindow.h"
#include "shell/ui/TitleWindow.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>

using namespace kinetra;
using namespace kinetra::testing;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> captionsOf(const App& app) {
    std::vector<std::string> out;
    for (const auto& w : app.windows.all())
        out.push_back(w.caption);
    return out;
}

void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempApp> t;

    void checkMenu(ui::MainWindow& w, const std::vector<MenuItem>& items) {
        for (const MenuItem& item : items) {
            QAction* a = w.menuAction(item.name);
            QVERIFY2(a, item.name.c_str());
            QCOMPARE(a->objectName(), QString::fromStdString(item.name));
            if (item.isSeparator())
                QVERIFY(a->isSeparator());
            else
                QCOMPARE(a->text(), QString::fromStdString(item.caption));
            checkMenu(w, item.children);
        }
    }

private slots:
    void init() { t = std::make_unique<TempApp>(); }
    void cleanup() { t.reset(); }

    void menusComeFromTheCommandTable() {
        ui::MainWindow& w = t->open();
        checkMenu(w, mainMenus());
        QCOMPARE(w.menuAction("MDI_Setti")->text(), QString("Settings "));
        QCOMPARE(w.menuAction("SAVEAS")->text(), QString("Save as..."));
        QVERIFY(w.menuAction("MDI_TEXT")->isEnabled());
        QVERIFY(w.menuAction("SAVEAS")->isEnabled());
        for (const char* working : {"THERMOSHOW", "THERMOOPEN", "THERMONEW"})
            QVERIFY2(w.menuAction(working)->isEnabled(), working);
        for (const char* waiting : {"MDI_NEWREAC", "OPEN"})
            QVERIFY2(!w.menuAction(waiting)->isEnabled(), waiting);
    }

    void toolbarsFollowTheModeAndKeepExactTooltips() {
        ui::MainWindow& w = t->open();
        for (int mode : kToolbarModes) {
            QToolBar* bar = w.toolbar(mode);
            QVERIFY(bar);
            QCOMPARE(bar->objectName(), QString("toolbar%1").arg(mode));
            QVERIFY(!bar->isVisible());
            const auto& buttons = toolbarButtons(mode);
            const QList<QAction*> actions = bar->actions();
            QCOMPARE(actions.size(), qsizetype(buttons.size()));
            for (std::size_t i = 0; i < buttons.size(); ++i) {
                QCOMPARE(actions[i]->objectName(), QString::fromStdString(buttons[i].key));
                QCOMPARE(actions[i]->toolTip(), QString::fromStdString(buttons[i].tooltip));
                // The thermo window answers its toolbar; the other windows come later.
                QCOMPARE(actions[i]->isEnabled(), mode == 1);
            }
        }
        QCOMPARE(w.toolbar(1)->findChild<QAction*>("POLINOMIALS")->toolTip(),
                 QString("Show/Hide Polynomials "));
        QCOMPARE(w.toolbar(2)->findChild<QAction*>("SELECTREACR")->toolTip(),
                 QString("Filter Dialog "));

        w.shell().ShowToolbar(5);
        QVERIFY(w.toolbar(5)->isVisible());
        for (int mode : {1, 2, 4})
            QVERIFY(!w.toolbar(mode)->isVisible());
        w.shell().ShowToolbar(0);
        for (int mode : kToolbarModes)
            QVERIFY(!w.toolbar(mode)->isVisible());
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
        QVERIFY(t->app.checksPassed);
        QVERIFY(w.menuAction("OPEN")->isEnabled());
        QCOMPARE(w.mdiArea()->background().color(), QColor(143, 143, 143));
        QCOMPARE(t->app.constants.gasConstantJ, 8.314462618);
    }

    void failedNumberFormatShowsMessageAndHelpAndLoadsNothing() {
        ui::MainWindow& w = t->open();
        QString helpTitle;
        bool helpAfterMessage = false;
        QTimer probe;
        // The help window comes up after the message, modally.
        connect(&probe, &QTimer::timeout, [&] {
            if (auto* help = QApplication::activeModalWidget()) {
                helpTitle = help->windowTitle();
                helpAfterMessage = t->fake.dialogs.shown.size() == 1;
                help->close();
                probe.stop();
            }
        });
        probe.start(5);
        w.startUp([](double) { return std::string("-176366841,571428571"); });
        QVERIFY(!w.titleWindow());
        QTRY_VERIFY(!helpTitle.isEmpty());
        QVERIFY(helpAfterMessage);
        const auto& shown = t->fake.dialogs.shown.front();
        QCOMPARE(shown.title, std::string("KINETRA"));
        QCOMPARE(int(shown.icon), int(Icon::Critical));
        QVERIFY(QString::fromStdString(shown.text).startsWith("Decimal symbol"));
        QTest::qWait(50);
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
        QVERIFY(QString::fromStdString(t->fake.dialogs.last().text).contains("MISC05.ICO"));
        QVERIFY(!w.menuAction("OPEN")->isEnabled());
    }

    void newTextDocumentsTakeTheLowestFreeNumber() {
        ui::MainWindow& w = t->open();
        QAction* newText = w.menuAction("MDI_TEXT");
        newText->trigger();
        newText->trigger();
        newText->trigger();
        QCOMPARE(captionsOf(t->app),
                 (std::vector<std::string>{"Text Doc1", "Text Doc2", "Text Doc3"}));
        QCOMPARE(w.mdiArea()->subWindowList().size(), 3);
        QCOMPARE(w.mdiArea()->activeSubWindow()->windowTitle(), QString("Text Doc3"));
        QVERIFY(w.toolbar(5)->isVisible());
        auto* editor = qobject_cast<QPlainTextEdit*>(w.mdiArea()->activeSubWindow()->widget());
        QVERIFY(editor && !editor->isReadOnly());

        const int second = t->app.windows.all()[1].id;
        QVERIFY(w.childWindow(second)->close());
        QCOMPARE(captionsOf(t->app), (std::vector<std::string>{"Text Doc1", "Text Doc3"}));
        newText->trigger();
        QCOMPARE(t->app.windows.all().back().caption, std::string("Text Doc2"));
        QCOMPARE(t->app.windows.all().back().name, std::string(windows::kText));

        // The toolbar goes with the last document.
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
            sub->close();
        QVERIFY(t->app.windows.all().empty());
        QVERIFY(!w.toolbar(5)->isVisible());
        QCOMPARE(t->app.toolbarMode, 0);
    }

    void textFilesOpenInAReadOnlyViewer() {
        ui::MainWindow& w = t->open();
        const fs::path file = t->dir.write("results/run 1.txt", "T, K\r\n300   1.5E+13\r\n");
        w.shell().OpenDocumentFile(file.string());
        QVERIFY(t->fake.dialogs.shown.empty());
        QCOMPARE(t->app.windows.all().size(), std::size_t(1));
        const OpenWindow& reg = t->app.windows.all().front();
        QCOMPARE(reg.name, std::string(windows::kText));
        QCOMPARE(reg.caption, std::string("run 1.txt"));
        QVERIFY(samePath(reg.path, file));

        QMdiSubWindow* sub = w.mdiArea()->activeSubWindow();
        QCOMPARE(sub->windowTitle(), QString("run 1.txt"));
        QVERIFY(!sub->windowIcon().isNull());
        auto* viewer = qobject_cast<QPlainTextEdit*>(sub->widget());
        QVERIFY(viewer && viewer->isReadOnly());
        QCOMPARE(viewer->toPlainText(), QString("T, K\n300   1.5E+13\n"));
        QVERIFY(QFontInfo(viewer->font()).fixedPitch());
        QVERIFY(w.toolbar(5)->isVisible());

        // A text that is not UTF-8 was written elsewhere and is shown as Latin-1.
        QCOMPARE(ui::displayText("25\xB0"
                                 "C\rnext"),
                 QString::fromUtf8("25\u00B0C\nnext"));

        w.openTextWindow(t->dir / "missing.txt", false);
        QCOMPARE(t->fake.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(t->app.windows.all().size(), std::size_t(1));
    }

    void documentsOfLaterVersionsAreRefusedHonestly() {
        ui::MainWindow& w = t->open();
        w.shell().OpenDocumentFile((t->dir / "mech.mdb").string());
        w.shell().OpenDocumentFile((t->dir / "plot.pg").string());
        QCOMPARE(t->fake.dialogs.texts(),
                 (std::vector<std::string>{
                     "Reaction databases cannot be opened in this version of KINETRA yet.",
                     "Charts cannot be opened in this version of KINETRA yet."}));
        QVERIFY(t->app.windows.all().empty());
    }

    void settingsOpenTheOptionsWindowOnTheirTab() {
        ui::MainWindow& w = t->open();
        QString caption;
        int page = -1;
        std::size_t registered = 0;
        whenModal([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            page = dialog->findChild<QTabWidget*>()->currentIndex();
            registered = t->app.windows.named(windows::kOptions).size();
            dialog->close();
        });
        w.menuAction("MDI_PhysCon")->trigger();
        QCOMPARE(caption, QString("Pphysical constants"));
        QCOMPARE(page, 1);
        QCOMPARE(registered, std::size_t(1));
        QVERIFY(t->app.windows.all().empty());

        whenModal([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            page = dialog->findChild<QTabWidget*>()->currentIndex();
            dialog->close();
        });
        w.menuAction("NDIColours")->trigger();
        QCOMPARE(caption, QString("Colors"));
        QCOMPARE(page, 0);
    }

    void exitClosesWindowsDeletesScratchFilesAndCloses() {
        const std::vector<fs::path> scratch{
            t->app.folders.support("CHEA03.TMP"), t->app.folders.support("CHEM04.TMP"),
            t->app.folders.app(files::kSolverInput), t->app.folders.support(files::kTmpPlot)};
        for (const auto& p : scratch)
            t->dir.write(fs::relative(p, t->dir.path()).string(), "x");
        ui::MainWindow& w = t->open();
        w.menuAction("MDI_TEXT")->trigger();

        // The close box does not close at once: the exit routine runs first.
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QTRY_VERIFY(t->app.closing);
        QVERIFY(!w.isVisible());
        QVERIFY(t->app.windows.all().empty());
        for (const auto& p : scratch)
            QVERIFY2(!fs::exists(p), p.c_str());
    }

    void exitMenuItemWithNoWindows() {
        const fs::path scratch = t->app.folders.support("CHEM01.TMP");
        t->dir.write(fs::relative(scratch, t->dir.path()).string(), "x");
        ui::MainWindow& w = t->open();
        w.menuAction("EXIT")->trigger();
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(t->app.closing);
        QVERIFY(!fs::exists(scratch));
        QVERIFY(fs::exists(t->app.folders.support(files::kOptions)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
