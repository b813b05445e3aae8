// The dialogs of the thermo window over a database holding the GRI-Mech 3.0 thermo: each
// window passes what is typed to its core model and reacts to the answer (stays open, points at
// the refused box, or closes). Messages go through FakeDialogs, so no real box ever opens.
#include "common/TextFile.h"
#include "store/Database.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ui/ChartSetupDialog.h"
#include "thermo/ui/ElementEditorWindow.h"
#include "thermo/ui/ElementsFilterDialog.h"
#include "thermo/ui/FilterDialog.h"
#include "thermo/ui/FindDialog.h"
#include "thermo/ui/PasteSpecialDialog.h"
#include "thermo/ui/ReferenceDialog.h"
#include "thermo/ui/SpeciesInputWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <optional>

using namespace kinetra;
using namespace kinetra::thermo;
using namespace kinetra::thermo::ui;
using namespace kinetra::testing;
namespace fs = std::filesystem;

class ThermoDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<FakeUi> fake;
    ThermoRunSettings settings;
    std::unique_ptr<ThermoDatabase> db;
    std::unique_ptr<ThermoTable> table;

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
    static void retype(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

private slots:
    void init() {
        dir = std::make_unique<TempDir>();
        fake = std::make_unique<FakeUi>();
        store::createThermoTemplate(*dir / "EmptyThermo.mdb");
        store::createThermoTemplate(*dir / "thermo.mdb");
        db = std::make_unique<ThermoDatabase>(ThermoFiles{*dir / "EmptyThermo.mdb", {}});
        QCOMPARE(db->connect(*dir / "thermo.mdb"), ConnectOutcome::Connected);
        table = std::make_unique<ThermoTable>(*db, fake->ui, settings, ThermoTable::OpenTextFile{},
                                              dir->path(), dir->path());
        const auto gri = readTextFile(fs::path(KINETRA_SHARED_DATA_DIR) / "gri30/gri30_thermo.dat");
        QVERIFY(gri);
        ReadOptions options;
        fake->clipboard.content = unframeThermoFile(*gri, options);
        QCOMPARE(table->paste(options).inserted, 53);
        table->showAll();
        fake->dialogs.shown.clear();
    }
    void cleanup() {
        table.reset();
        db.reset();
        fake.reset();
        dir.reset();
    }

    void inputWindowRefusesAFractionalChargeAndSavesAnInteger() {
        SpeciesInputWindow w(*table, *db, fake->dialogs);
        QSignalSpy saved(&w, &SpeciesInputWindow::saved);
        w.show();
        const std::size_t oh = *rowOf("OH");
        w.loadRow(oh);
        QCOMPARE(child<QLineEdit>(w, "name")->text(), QString("OH"));
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
        QCOMPARE(reference->text().size(), 254);
        QCOMPARE(w.model().reference.size(), 254u);
        fake->dialogs.shown.clear();

        w.tabs()->setCurrentIndex(3);
        child<QLineEdit>(w, "charge")->setText("1.0");
        click(w, "ok");
        QCOMPARE(fake->dialogs.texts(),
                 std::vector<std::string>{
                     "Electronic charge, please enter an integer or clear the text box."});
        QCOMPARE(fake->dialogs.last().title, std::string("KINETRA"));
        QCOMPARE(w.tabs()->currentIndex(), 0);
        QVERIFY(w.isVisible());
        QCOMPARE(saved.count(), 0);

        fake->dialogs.shown.clear();
        retype(child<QLineEdit>(w, "charge"), "-1");
        QVERIFY(child<QLineEdit>(w, "weight")->text() != neutralWeight); // live
        click(w, "ok");
        QVERIFY(fake->dialogs.shown.empty());
        QCOMPARE(saved.count(), 1);
        const std::size_t written = *rowOf("OH");
        QCOMPARE(store::toInteger(table->rows().rows[written][trm::kCh]),
                 std::optional<std::int64_t>(-1));
        QCOMPARE(store::toText(table->rows().rows[written][trm::kReference]),
                 std::string(254, 'r'));
        QVERIFY(db->mustSave());
    }

    void elementEditorProposesWeightsRefusesBadSymbolsAndRemovesSpecies() {
        {
            ElementEditorWindow w(*db, fake->ui, *dir / "ErrorMsg.txt");
            w.show();
            QTableWidget* grid = w.grid();
            QCOMPARE(grid->item(3, 1)->text(), QString("N"));
            grid->item(9, 1)->setText("al");
            QCOMPARE(grid->item(9, 2)->text(), QString("26.9815"));

            grid->item(9, 1)->setText("Alx");
            click(w, "ok");
            QCOMPARE(fake->dialogs.shown.size(), 1u);
            QVERIFY(w.isVisible());
            QCOMPARE(grid->currentRow(), 9);
            QCOMPARE(grid->currentColumn(), 1);
            QCOMPARE(db->elements().symbols[10], std::string("BR"));
            click(w, "cancel");
        }
        std::size_t nitrogenSpecies = 0;
        for (const auto& row : table->rows().rows)
            nitrogenSpecies += store::isNull(row[trm::kN1 + 3]) ? 0 : 1;
        QVERIFY(nitrogenSpecies > 0);

        ElementEditorWindow w(*db, fake->ui, *dir / "ErrorMsg.txt");
        QSignalSpy applied(&w, &ElementEditorWindow::applied);
        w.show();
        w.grid()->item(3, 1)->setText("Ar");
        QCOMPARE(w.grid()->item(3, 2)->text(), QString("39.948"));
        fake->dialogs.shown.clear();
        fake->dialogs.answers = {Answer::Yes};
        click(w, "ok");
        QCOMPARE(fake->dialogs.shown.at(0).kind, std::string("ask"));
        QCOMPARE(applied.count(), 1);
        QVERIFY(!w.isVisible());
        table->refresh();
        QCOMPARE(table->rowCount(), 53 - nitrogenSpecies);
        QVERIFY(!rowOf("N2") && !rowOf("NO") && rowOf("H2O") && rowOf("AR"));
        QCOMPARE(db->elements().symbols[4], std::string("Ar"));
    }

    void findAndElementsFilter() {
        FindDialog find(*table, fake->dialogs);
        QSignalSpy found(&find, &FindDialog::found);
        table->setCurrentRow(table->rowCount() - 1);
        click(find, "findNext");
        QCOMPARE(fake->dialogs.texts(), std::vector<std::string>{"End of search."});
        QCOMPARE(found.count(), 0);
        child<QRadioButton>(find, "up")->click();
        retype(child<QLineEdit>(find, "pattern"), "CH4");
        click(find, "findNext");
        QCOMPARE(found.count(), 1);
        QCOMPARE(table->currentRow(), rowOf("CH4"));

        // A filter without a match keeps its window open for another pattern.
        FilterDialog byName(*table, fake->dialogs);
        QSignalSpy nameFiltered(&byName, &FilterDialog::filtered);
        byName.show();
        retype(child<QLineEdit>(byName, "pattern"), "XYZ*");
        click(byName, "filter");
        QCOMPARE(fake->dialogs.shown.back().title, std::string("KINETRA, THERMO"));
        QVERIFY(byName.isVisible());
        retype(child<QLineEdit>(byName, "pattern"), "C2H*");
        click(byName, "filter");
        QCOMPARE(nameFiltered.count(), 1);
        QVERIFY(!byName.isVisible());
        QCOMPARE(table->rowCount(), std::size_t(6)); // C2H, C2H2, C2H3, C2H4, C2H5, C2H6

        ReferenceDialog byReference(*table, fake->dialogs);
        QSignalSpy referenceFound(&byReference, &ReferenceDialog::found);
        QVERIFY(!child<QPushButton>(byReference, "filter")->isEnabled());
        child<QRadioButton>(byReference, "all")->click();
        table->setCurrentRow(0);
        retype(child<QLineEdit>(byReference, "pattern"), "L*");
        click(byReference, "findNext");
        QCOMPARE(referenceFound.count(), 1);

        table->showAll();
        ElementsFilterDialog filter(*table, db->elements(), fake->dialogs);
        QSignalSpy filtered(&filter, &ElementsFilterDialog::filtered);
        filter.show();
        QCOMPARE(filter.slotBox(5)->text(), QString("AR"));
        for (int slot : {1, 2, 3})
            filter.slotBox(slot)->setChecked(true);
        click(filter, "ok");
        QCOMPARE(filtered.count(), 1);
        QCOMPARE(table->rowCount(), std::size_t(34));
        QVERIFY(!filter.isVisible());
    }

    void pasteSpecialRefusesATcomThatIsNoNumber() {
        PasteSpecialDialog w(*table, settings, fake->dialogs);
        QSignalSpy pasted(&w, &PasteSpecialDialog::pasted);
        w.show();
        QCOMPARE(w.tcomBox()->text(), QString("1000.0"));
        QVERIFY(!w.tcomBox()->isEnabled());
        child<QCheckBox>(w, "insetTcom")->setChecked(true);
        retype(w.tcomBox(), "abc");
        click(w, "ok");
        QCOMPARE(fake->dialogs.texts(),
                 std::vector<std::string>{"Common temperature, please enter a positive number."});
        QVERIFY(w.isVisible());
        QCOMPARE(w.tcomBox()->selectedText(), QString("abc"));
        QCOMPARE(pasted.count(), 0);
        QCOMPARE(table->rowCount(), std::size_t(53));
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
        QCOMPARE(child<QCheckBox>(w, "entropy")->text(), QString("S, Entropy (cal/K mol)"));

        retype(child<QLineEdit>(w, "min"), "5000");
        click(w, "ok");
        QCOMPARE(fake->dialogs.texts(),
                 std::vector<std::string>{
                     "The Min value is greater than the Max value. Enter correct values."});
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
