// The Qt seams: filter translation, what the boxes answer, the refusal window and the
// status-bar progress.
#include "common/ui/QtDialogs.h"
#include "common/ui/QtFileDialogs.h"
#include "common/ui/StatusProgress.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kinetra;
using namespace kinetra::ui;

class CommonUiTest : public QObject {
    Q_OBJECT

    // Runs `act` on the modal window once it is up; the call that shows it returns after.
    static void whenModal(std::function<void(QWidget*)> act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            act(modal);
        });
    }

private slots:
    void filtersTranslateToQtForm_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("qt");
        QTest::newRow("every kind of document")
            << QString::fromLatin1(filterString(FilterKind::AllTextDatabasesCharts))
            << "All Files (*);;Windows Text (*.txt);;DataBases (*.mdb);;Kinetra Charts (*.pg)";
        QTest::newRow("single") << QString::fromLatin1(filterString(FilterKind::Charts))
                                << "Kinetra Charts (*.pg)";
        QTest::newRow("pictures") << QString::fromLatin1(filterString(FilterKind::Pictures))
                                  << "Windows Bitmap (*.bmp);;Windows MetaFile (*.wmf)";
        QTest::newRow("several patterns, caption without brackets") << "Logs|*.log;*.out"
                                                                    << "Logs (*.log *.out)";
        QTest::newRow("pattern missing") << "Anything"
                                         << "Anything (*)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void filtersTranslateToQtForm() {
        QFETCH(QString, program);
        QFETCH(QString, qt);
        QCOMPARE(qtFileFilter(program.toStdString()), qt);
    }

    void filterSuffixIsTheSingleExtension() {
        QCOMPARE(filterSuffix("Windows Text (*.txt)"), QString("txt"));
        QCOMPARE(filterSuffix("All Files (*)"), QString());
        QCOMPARE(filterSuffix("Logs (*.log *.out)"), QString());
    }

    void closeBoxAnswersCancelOrNo_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << int(Buttons::Ok) << int(Answer::Ok);
        QTest::newRow("ok cancel") << int(Buttons::OkCancel) << int(Answer::Cancel);
        QTest::newRow("yes no") << int(Buttons::YesNo) << int(Answer::No);
        QTest::newRow("yes no cancel") << int(Buttons::YesNoCancel) << int(Answer::Cancel);
    }
    void closeBoxAnswersCancelOrNo() {
        QFETCH(int, buttons);
        QFETCH(int, expected);
        QString title;
        whenModal([&](QWidget* w) {
            title = w->windowTitle();
            w->close();
        });
        QtDialogs dialogs;
        Answer a = dialogs.ask("Save?", "KINETRA", Buttons(buttons), Answer::Yes, Icon::Question);
        QCOMPARE(int(a), expected);
        QCOMPARE(title, QString("KINETRA"));
    }

    void defaultButtonAnswersEnter() {
        QString defaultText;
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box && box->defaultButton());
            defaultText = box->defaultButton()->text();
            box->defaultButton()->click();
        });
        QtDialogs dialogs;
        Answer a =
            dialogs.ask("Replace?", "KINETRA", Buttons::YesNoCancel, Answer::No, Icon::Question);
        QCOMPARE(int(a), int(Answer::No));
        QVERIFY(defaultText.contains("No"));
    }

    void refusalWindowRepliesWithChoiceAndTick() {
        RefusalDialog dialog("Line 12 is not a reaction.", "H2+O2=>HO2+H  1E13 0 0",
                             "Continue reading?");
        QCOMPARE(dialog.findChild<QPlainTextEdit*>("block")->toPlainText(),
                 QString("H2+O2=>HO2+H  1E13 0 0"));
        QVERIFY(dialog.findChild<QPlainTextEdit*>("block")->isReadOnly());
        dialog.findChild<QCheckBox*>()->setChecked(true);
        dialog.findChild<QPushButton*>("No")->click();
        QCOMPARE(dialog.reply().choice, RefusalChoice::Stop);
        QVERIFY(dialog.reply().doNotShowAgain);

        RefusalDialog yes("m", "b", "q");
        yes.findChild<QPushButton*>("Yes")->click();
        QCOMPARE(yes.reply().choice, RefusalChoice::Continue);
        QVERIFY(!yes.reply().doNotShowAgain);

        RefusalDialog closed("m", "b", "q");
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
        QVERIFY(progress.progressBar()->isVisible());
        QCOMPARE(progress.progressBar()->value(), 40);
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
