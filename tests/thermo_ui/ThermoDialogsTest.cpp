// The dialogs of the thermo window over a database holding the GRI-Mech 3.0 thermo: each
// window passes what is typed to its core model and reacts to the answer (stays open, points at
// the refused box, or closes). The answers themselves are tested with the core models; messages
// go through FakeDialogs, so no real box ever opens.
#include "shell_ui/TempApp.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ThermoFixture.h"
#include "thermo/ui/ChartSetupDialog.h"
#include "thermo/ui/ElementEditorWindow.h"
#include "thermo/ui/ElementsFilterDialog.h"
#include "thermo/ui/FilterDialog.h"
#include "thermo/ui/FindDialog.h"
#include "thermo/ui/PasteOptionsDialog.h"
#include "thermo/ui/ReferenceDialog.h"
#include "thermo/ui/SpeciesInputWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

using namespace kinetra;
using namespace kinetra::thermo;
using namespace kinetra::thermo::ui;
using kinetra::testing::retype;

class ThermoDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<thermo::testing::ThermoFixture> f;
    ThermoRunSettings settings;
    std::unique_ptr<ThermoTable> table;
    kinetra::testing::FakeUi* fake = nullptr;

    std::optional<std::size_t> rowOf(const std::string& name) const {
        for (std::size_t i = 0; i < table->rowCount(); ++i)
            if (store::toText(table->rows().rows[i][trm::kSpecies]) == name)
                return i;
        return std::nullopt;
    }
    template <class T> static T* child(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    static void click(QWidget& w, const char* button) { child<QPushButton>(w, button)->click(); }

private slots:
    void init() {
        f = std::make_unique<thermo::testing::ThermoFixture>();
        fake = &f->fake;
        table = std::make_unique<ThermoTable>(f->database, fake->ui, settings,
                                              ThermoTable::OpenTextFile{}, f->dir.path(),
                                              f->dir.path());
        ReadOptions options;
        fake->clipboard.content =
            unframeThermoFile(thermo::testing::sharedDataFile("gri30/gri30_thermo.dat"), options);
        QCOMPARE(table->paste(options).inserted, 53);
        table->showAll();
        fake->dialogs.shown.clear();
    }
    void cleanup() {
        table.reset();
        f.reset();
    }

    void inputWindowKeepsBothIntervalsAndPointsAtTheRefusedTab() {
        SpeciesInputWindow w(*table, f->database, fake->dialogs);
        QSignalSpy saved(&w, &SpeciesInputWindow::saved);
        w.show();
        w.loadRow(*rowOf("OH"));
        const QString neutralWeight = child<QLineEdit>(w, "weight")->text();
        // The coefficients of the interval not shown survive switching back and forth.
        auto* a1 = child<QLineEdit>(w, "coefficient1");
        const QString lowerA1 = a1->text();
        child<QRadioButton>(w, "upperInterval")->click();
        QVERIFY(a1->text() != lowerA1);
        child<QRadioButton>(w, "lowerInterval")->click();
        QCOMPARE(a1->text(), lowerA1);

        // A text at the length limit takes no further character, yet may still be shortened.
        auto* reference = child<QLineEdit>(w, "reference");
        reference->setFocus();
        reference->setText(QString(255, 'r'));
        reference->end(false);
        QTest::keyClick(reference, Qt::Key_X);
        QCOMPARE(reference->text(), QString(255, 'r'));
        QCOMPARE(fake->dialogs.texts(),
                 std::vector<std::string>{"The maximum length has been achieved."});
        QTest::keyClick(reference, Qt::Key_Backspace);
        QCOMPARE(w.model().reference.size(), 254u);

        w.tabs()->setCurrentIndex(3);
        child<QLineEdit>(w, "charge")->setText("1.0");
        click(w, "ok");
        QCOMPARE(fake->dialogs.shown.size(), 2u);
        QCOMPARE(w.tabs()->currentIndex(), 0);
        QVERIFY(w.isVisible());
        QCOMPARE(saved.count(), 0);

        retype(child<QLineEdit>(w, "charge"), "-1");
        QVERIFY(child<QLineEdit>(w, "weight")->text() != neutralWeight); // live
        click(w, "ok");
        QCOMPARE(fake->dialogs.shown.size(), 2u);
        QCOMPARE(saved.count(), 1);
        const auto& row = table->rows().rows[*rowOf("OH")];
        QCOMPARE(store::toInteger(row[trm::kCh]), std::optional<std::int64_t>(-1));
        QCOMPARE(store::toText(row[trm::kReference]), std::string(254, 'r'));
    }

    void elementEditorProposesWeightsRefusesBadSymbolsAndRemovesSpecies() {
        ElementEditorWindow w(f->database, fake->ui, f->dir / "ErrorMsg.txt");
        QSignalSpy applied(&w, &ElementEditorWindow::applied);
        w.show();
        QTableWidget* grid = w.grid();
        grid->item(9, 1)->setText("Alx");
        click(w, "ok");
        QCOMPARE(fake->dialogs.shown.size(), 1u);
        QVERIFY(w.isVisible());
        QCOMPARE(grid->currentRow(), 9);
        QCOMPARE(grid->currentColumn(), 1);
        grid->item(9, 1)->setText("al");
        QCOMPARE(grid->item(9, 2)->text(), QString("26.9815"));

        // Nitrogen replaced by argon: asked, then every species holding N is gone.
        QCOMPARE(grid->item(3, 1)->text(), QString("N"));
        grid->item(3, 1)->setText("Ar");
        QCOMPARE(grid->item(3, 2)->text(), QString("39.948"));
        fake->dialogs.answers = {Answer::Yes};
        click(w, "ok");
        QCOMPARE(fake->dialogs.shown.at(1).kind, std::string("ask"));
        QCOMPARE(applied.count(), 1);
        QVERIFY(!w.isVisible());
        table->refresh();
        QVERIFY(!rowOf("N2") && !rowOf("NO") && rowOf("H2O") && rowOf("AR"));
        QCOMPARE(f->database.elements().symbols[4], std::string("Ar"));
    }

    void searchDialogsMoveToAndFilterTheRows() {
        FindDialog find(*table, fake->dialogs);
        QSignalSpy found(&find, &FindDialog::found);
        table->setCurrentRow(table->rowCount() - 1);
        click(find, "findNext"); // Down from the last row
        QCOMPARE(fake->dialogs.last().text, std::string("End of search."));
        child<QRadioButton>(find, "up")->click();
        retype(child<QLineEdit>(find, "pattern"), "CH4");
        click(find, "findNext");
        QCOMPARE(found.count(), 1);
        QCOMPARE(table->currentRow(), rowOf("CH4"));

        ReferenceDialog byReference(*table, fake->dialogs);
        QSignalSpy referenceFound(&byReference, &ReferenceDialog::found);
        QVERIFY(!child<QPushButton>(byReference, "filter")->isEnabled());
        child<QRadioButton>(byReference, "all")->click();
        table->setCurrentRow(0);
        retype(child<QLineEdit>(byReference, "pattern"), "L*");
        click(byReference, "findNext");
        QCOMPARE(referenceFound.count(), 1);

        ElementsFilterDialog byElements(*table, f->database.elements(), fake->dialogs);
        byElements.show();
        QCOMPARE(byElements.slotBox(5)->text(), QString("AR"));
        for (int slot : {1, 2, 3})
            byElements.slotBox(slot)->setChecked(true);
        click(byElements, "ok");
        QCOMPARE(table->rowCount(), std::size_t(34));
        QVERIFY(!byElements.isVisible());

        // A filter without a match keeps its window open for another pattern.
        table->showAll();
        FilterDialog byName(*table, fake->dialogs);
        byName.show();
        retype(child<QLineEdit>(byName, "pattern"), "XYZ*");
        click(byName, "filter");
        QVERIFY(byName.isVisible());
        retype(child<QLineEdit>(byName, "pattern"), "C2H*");
        click(byName, "filter");
        QVERIFY(!byName.isVisible());
        QCOMPARE(table->rowCount(), std::size_t(6)); // C2H, C2H2, C2H3, C2H4, C2H5, C2H6
    }

    void pasteSpecialRefusesATcomThatIsNoNumber() {
        PasteOptionsDialog w(*table, settings, fake->dialogs);
        QSignalSpy pasted(&w, &PasteOptionsDialog::pasted);
        w.show();
        QVERIFY(!w.tcomBox()->isEnabled());
        child<QCheckBox>(w, "insetTcom")->setChecked(true);
        retype(w.tcomBox(), "abc");
        click(w, "ok");
        QCOMPARE(fake->dialogs.shown.size(), 1u);
        QVERIFY(w.isVisible());
        QCOMPARE(w.tcomBox()->selectedText(), QString("abc"));
        QCOMPARE(pasted.count(), 0);
    }

    void chartSetupFollowsUnitsAndRefusesMinAboveMax() {
        ThermoChartSettings chart;
        ChartSetupDialog w(chart, fake->dialogs);
        w.show();
        w.activateWindow();
        auto* enthalpy = child<QCheckBox>(w, "enthalpy");
        QCOMPARE(enthalpy->text(), QString("H, Enthalpy (kJ/mol)"));
        child<QRadioButton>(w, "calorie")->click();
        QCOMPARE(enthalpy->text(), QString("H, Enthalpy (kcal/mol)"));

        retype(child<QLineEdit>(w, "min"), "5000");
        click(w, "ok");
        QCOMPARE(fake->dialogs.shown.size(), 1u);
        QVERIFY(w.isVisible());
        QTRY_VERIFY(child<QLineEdit>(w, "min")->hasFocus());
        QCOMPARE(chart.tmin, 300.0);

        retype(child<QLineEdit>(w, "min"), "500");
        click(w, "ok");
        QVERIFY(!w.isVisible());
        QCOMPARE(chart.tmin, 500.0);
        QVERIFY(chart.units == ThermoChartSettings::Units::Calorie);
    }
};

QTEST_MAIN(ThermoDialogsTest)
#include "ThermoDialogsTest.moc"
