// The Qt seams: filter translation, what the boxes answer, the refusal window and the
// status-bar progress.
#include "TempApp.h"
#include "common/ui/Mnemonics.h"
#include "common/ui/QtDialogs.h"
#include "common/ui/QtFileDialogs.h"
#include "common/ui/StatusProgress.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace kinetra;
using namespace kinetra::ui;
using kinetra::testing::whenModal;

class CommonUiTest : public QObject {
    Q_OBJECT

private slots:
    // Each item of a menu gets a letter of its own, a word's first where it can; a letter given
    // earlier stays, a literal "&" stays one, and the menu bar's letters are chosen again when its
    // menus change.
    void menuLettersNeverClash() {
        QMenu menu;
        QAction* save = menu.addAction(QStringLiteral("Save"));
        QAction* saveAs = menu.addAction(QStringLiteral("Save as..."));
        menu.addSeparator();
        QAction* both = menu.addAction(QStringLiteral("Thermo && Reactions"));
        QAction* kept = menu.addAction(QStringLiteral("E&xit"));
        QMenu* sub = menu.addMenu(QStringLiteral("Sort"));
        QAction* inner = sub->addAction(QStringLiteral("Sort"));
        assignMnemonics(menu.actions());
        QCOMPARE(save->text(), QStringLiteral("&Save"));
        QCOMPARE(saveAs->text(), QStringLiteral("Save &as..."));
        QCOMPARE(both->text(), QStringLiteral("&Thermo && Reactions"));
        QCOMPARE(kept->text(), QStringLiteral("E&xit"));
        QCOMPARE(sub->title(), QStringLiteral("S&ort"));
        QCOMPARE(inner->text(), QStringLiteral("&Sort"));
        QCOMPARE(withoutMnemonic(both->text()), QStringLiteral("Thermo & Reactions"));
        assignMnemonics(menu.actions());
        QCOMPARE(saveAs->text(), QStringLiteral("Save &as..."));

        QMenu file(QStringLiteral("File")), species(QStringLiteral("Species")),
            settings(QStringLiteral("Settings "));
        reassignMenuBarMnemonics({file.menuAction(), settings.menuAction()});
        QCOMPARE(settings.title(), QStringLiteral("&Settings "));
        reassignMenuBarMnemonics({file.menuAction(), species.menuAction(), settings.menuAction()});
        QCOMPARE(species.title(), QStringLiteral("&Species"));
        QCOMPARE(settings.title(), QStringLiteral("S&ettings "));
    }

    void filtersTranslateToQtForm() {
        QCOMPARE(qtFileFilter(filterString(FilterKind::AllTextDatabasesCharts)),
                 "All Files (*);;Windows Text (*.txt);;DataBases (*.mdb);;Kinetra Charts (*.pg)");
        QCOMPARE(qtFileFilter("Logs|*.log;*.out"), "Logs (*.log *.out)");
        QCOMPARE(qtFileFilter("Anything"), "Anything (*)");
        QCOMPARE(qtFileFilter(""), "");
        // The default suffix is set only when the filter names a single extension.
        QCOMPARE(filterSuffix("Windows Text (*.txt)"), QString("txt"));
        QCOMPARE(filterSuffix("All Files (*)"), QString());
        QCOMPARE(filterSuffix("Logs (*.log *.out)"), QString());
    }

    void fileDialogsOpenWhereTheLastFileWasChosen() {
        QTemporaryDir dir;
        const QString file = dir.filePath("chosen.txt");
        QFile(file).open(QIODevice::WriteOnly);
        QtFileDialogs dialogs;
        QString seen;
        const auto choose = [&](const QString& path) {
            whenModal([&seen, path](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                QVERIFY(dialog);
                seen = dialog->directory().absolutePath();
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept(); // public there
            });
        };
        // The first opens in the home folder, not the folder the program started in.
        choose(file);
        QCOMPARE(QString::fromStdString(dialogs.openFile(FilterKind::AllText, "Open")), file);
        QCOMPARE(seen, QDir::homePath());
        choose(dir.filePath("new.txt"));
        dialogs.saveFile(FilterKind::AllText, "Save As", "");
        QCOMPARE(seen, QDir(dir.path()).absolutePath());
    }

    void closeBoxAnswersCancelOrNoAndEnterTheDefault() {
        const std::pair<Buttons, Answer> closed[] = {{Buttons::Ok, Answer::Ok},
                                                     {Buttons::OkCancel, Answer::Cancel},
                                                     {Buttons::YesNo, Answer::No},
                                                     {Buttons::YesNoCancel, Answer::Cancel}};
        QtDialogs dialogs;
        for (const auto& [buttons, expected] : closed) {
            whenModal([](QWidget* w) { w->close(); });
            QCOMPARE(int(dialogs.ask("Save?", "KINETRA", buttons, Answer::Yes, Icon::Question)),
                     int(expected));
        }
        QString title;
        whenModal([&](QWidget* w) {
            title = w->windowTitle();
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box && box->defaultButton());
            box->defaultButton()->click();
        });
        QCOMPARE(int(dialogs.ask("Replace?", "KINETRA", Buttons::YesNoCancel, Answer::No,
                                 Icon::Question)),
                 int(Answer::No));
        QCOMPARE(title, QString("KINETRA"));
    }

    void refusalWindowRepliesWithChoiceAndTick() {
        RefusalDialog dialog("Line 12 is not a reaction.", "H2+O2=>HO2+H  1E13 0 0",
                             "Continue reading?");
        auto* block = dialog.findChild<QPlainTextEdit*>("block");
        QCOMPARE(block->toPlainText(), QString("H2+O2=>HO2+H  1E13 0 0"));
        QVERIFY(block->isReadOnly());
        dialog.findChild<QCheckBox*>()->setChecked(true);
        dialog.findChild<QPushButton*>("No")->click();
        QCOMPARE(dialog.reply().choice, RefusalChoice::Stop);
        QVERIFY(dialog.reply().doNotShowAgain);

        RefusalDialog yes("m", "b", "q"), closed("m", "b", "q");
        yes.findChild<QPushButton*>("Yes")->click();
        QCOMPARE(yes.reply().choice, RefusalChoice::Continue);
        QVERIFY(!yes.reply().doNotShowAgain);
        closed.show();
        closed.close();
        QCOMPARE(closed.reply().choice, RefusalChoice::Cancel);
    }

    void progressShowsInStatusBarAndBusyIsAFlag() {
        QStatusBar bar;
        StatusProgress progress;
        progress.attach(&bar);
        bar.show();
        progress.show("Reading species", 40);
        QCOMPARE(bar.currentMessage(), QString("Reading species"));
        QCOMPARE(progress.progressBar()->value(), 40);
        QVERIFY(progress.progressBar()->isVisible());
        progress.show("Sorting", -1);
        QVERIFY(!progress.progressBar()->isVisible());

        progress.busy(true);
        progress.busy(true);
        QVERIFY(QApplication::overrideCursor());
        progress.busy(false); // one call ends it, however often it was switched on
        QVERIFY(!QApplication::overrideCursor());

        progress.busy(true);
        progress.show("Writing", 90);
        progress.done();
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(bar.currentMessage().isEmpty());
        QVERIFY(!progress.progressBar()->isVisible());
    }
};

QTEST_MAIN(CommonUiTest)
#include "CommonUiTest.moc"
