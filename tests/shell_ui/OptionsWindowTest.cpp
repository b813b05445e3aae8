// The options window drawing its model: refusing a bad constant, saving, colours and the
// cancel path when the stored constants are invalid.
#include "shell/ui/OptionsWindow.h"

#include "TempApp.h"
#include "common/QuotedItems.h"
#include "shell/OptionsWindowModel.h"

#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace kinetra;
using namespace kinetra::testing;

namespace {

// Items 6 to 10 filled and item 5 zero, so that a save shows what it rewrites.
std::string storedOptionsText(const std::string& boltzmann = "1.380649E-23") {
    return "0\r\n0\r\n255\r\n16711680\r\n0\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n"
           "0\r\n8.314462618\r\n1.987204259\r\n6.02214076E+23\r\n" +
           boltzmann + "\r\n101.325\r\n9408399\r\n";
}
const std::string kStoredOptions = storedOptionsText();

} // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempApp> t;
    std::unique_ptr<OptionsWindowModel> model;
    std::unique_ptr<ui::OptionsWindow> window;

    ui::OptionsWindow& openOptions(OptionsTab tab, const std::string& optionsText) {
        t->dir.write("AssistFiles/OPTIONS.txt", optionsText);
        ui::MainWindow& main = t->open();
        model = std::make_unique<OptionsWindowModel>(t->app, t->fake.ui, main.shell());
        model->load();
        model->tab = tab;
        window = std::make_unique<ui::OptionsWindow>(*model, t->fake.ui, &main);
        window->show();
        window->activateWindow();
        return *window;
    }

    static void retype(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    std::string storedOptions() const { return readFile(t->app.folders.support(files::kOptions)); }

private slots:
    void init() { t = std::make_unique<TempApp>(); }
    void cleanup() {
        window.reset();
        model.reset();
        t.reset();
    }

    void showsTheStoredValues() {
        ui::OptionsWindow& w = openOptions(OptionsTab::Colours, kStoredOptions);
        QCOMPARE(w.windowTitle(), QString("Colors"));
        QCOMPARE(w.tabs()->currentIndex(), 0);
        QCOMPARE(w.constantBox(0)->text(), QString("8.314462618"));
        QCOMPARE(w.constantBox(2)->text(), QString("6.02214076E+23"));
        // 255 is red and 16711680 blue in the file's red + 256 green + 65536 blue.
        QVERIFY(w.findChild<QLabel*>("highlightSample")->styleSheet().contains("#ff0000"));
        QCOMPARE(w.findChild<ui::ColourSample*>("selectionSample")->colour(), QColor(Qt::blue));
        QCOMPARE(w.findChild<ui::ColourSample*>("backgroundSample")->colour(),
                 QColor(143, 143, 143));
    }

    void zeroConstantIsRefusedOnItsTab() {
        ui::OptionsWindow& w = openOptions(OptionsTab::Colours, kStoredOptions);
        w.tabs()->setCurrentIndex(1);
        retype(w.constantBox(2), "0");
        w.tabs()->setCurrentIndex(0);
        w.findChild<QPushButton*>("okButton")->click();

        QCOMPARE(t->fake.dialogs.texts(),
                 std::vector<std::string>{"Physical constant, please enter a positive number."});
        QCOMPARE(t->fake.dialogs.last().title, std::string("KINETRA"));
        QVERIFY(w.isVisible());
        QCOMPARE(w.tabs()->currentIndex(), 1);
        QTRY_VERIFY(w.constantBox(2)->hasFocus());
        QCOMPARE(w.constantBox(2)->selectedText(), QString("0"));
        QCOMPARE(storedOptions(), kStoredOptions);
    }

    void okSavesTheOptionsAndAppliesTheBackground() {
        ui::OptionsWindow& w = openOptions(OptionsTab::Colours, kStoredOptions);
        // The colour dialog opens on the current colour; the chosen one replaces it.
        QColor offered;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            offered = dialog->currentColor();
            dialog->setCurrentColor(QColor(10, 20, 30));
            dialog->accept();
        });
        w.findChild<QPushButton*>("backgroundButton")->click();
        QCOMPARE(offered, QColor(143, 143, 143));
        QCOMPARE(w.findChild<ui::ColourSample*>("backgroundSample")->colour(), QColor(10, 20, 30));

        retype(w.constantBox(4), "101.3");
        w.findChild<QPushButton*>("okButton")->click();
        QVERIFY(t->fake.dialogs.shown.empty());
        QVERIFY(!w.isVisible());

        QuotedItemReader in(storedOptions());
        for (int item = 1; item <= 4; ++item)
            in.skip();
        QCOMPARE(in.readInteger(), std::optional<std::int64_t>(1));
        for (int item = 6; item <= 10; ++item)
            QCOMPARE(in.readString(), std::optional<std::string>(""));
        for (int item = 11; item <= 15; ++item)
            in.skip();
        QCOMPARE(in.readReal(), std::optional<double>(101.3));
        QCOMPARE(in.readInteger(), std::optional<std::int64_t>(10 + 20 * 256 + 30 * 65536));
        QCOMPARE(t->window->mdiArea()->background().color(), QColor(10, 20, 30));
        QVERIFY(t->app.optionsSaved);
    }

    void cancelWithInvalidStoredConstantsOffersToEnd() {
        ui::OptionsWindow& w = openOptions(OptionsTab::Colours, storedOptionsText("0"));
        QCOMPARE(w.windowTitle(), QString("Colors"));

        t->fake.dialogs.answers = {Answer::Cancel};
        w.reject();
        QVERIFY(w.isVisible());
        QCOMPARE(t->fake.dialogs.last().kind, std::string("ask"));
        QCOMPARE(w.tabs()->currentIndex(), 1);
        QTRY_VERIFY(w.constantBox(3)->hasFocus());

        t->fake.dialogs.answers = {Answer::Ok};
        w.findChild<QPushButton*>("cancelButton")->click();
        QVERIFY(!w.isVisible());
        QTRY_VERIFY(t->app.closing); // the program ends through its exit routine
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "OptionsWindowTest.moc"
